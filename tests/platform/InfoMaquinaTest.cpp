#include "InfoMaquina.h"

#include <QDir>
#include <QSysInfo>
#include <gtest/gtest.h>

TEST(InfoMaquina, ValoresDelSistemaYFijados) {
    InfoMaquina info;
    EXPECT_EQ(info.NombreMaquina(), QSysInfo::machineHostName());
    EXPECT_FALSE(info.NombreUsuario().isEmpty());
    EXPECT_EQ(info.CarpetaAlternativa(), QDir::tempPath());

    info.setNombreMaquina("PC01");
    info.setNombreUsuario("juan");
    info.setCarpetaAlternativa("/tmp/x");
    EXPECT_EQ(info.NombreMaquina(), "PC01");
    EXPECT_EQ(info.NombreUsuario(), "juan");
    EXPECT_EQ(info.CarpetaAlternativa(), "/tmp/x");
}

TEST(InfoMaquina, UsuarioDelEntorno) {
    const QByteArray antes = qgetenv("USER");
    qputenv("USER", "operador");
    EXPECT_EQ(InfoMaquina().NombreUsuario(), "operador");
    qunsetenv("USER");
    // Without USER the login name still comes from LOGNAME or the account.
    EXPECT_FALSE(InfoMaquina().NombreUsuario().isEmpty());
    if (!antes.isNull()) {
        qputenv("USER", antes);
    }
}
