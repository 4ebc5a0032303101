#include "InfoMaquina.h"

#include <QDir>
#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

QString InfoMaquina::NombreMaquina() const {
    return maquina_.isNull() ? QSysInfo::machineHostName() : maquina_;
}

QString InfoMaquina::NombreUsuario() const {
    if (!usuario_.isNull()) {
        return usuario_;
    }
    for (const char* variable : {"USER", "LOGNAME"}) {
        QString u = qEnvironmentVariable(variable);
        if (!u.isEmpty()) {
            return u;
        }
    }
    const passwd* pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

QString InfoMaquina::CarpetaAlternativa() const {
    return carpeta_.isNull() ? QDir::tempPath() : carpeta_;
}
