#include "DialogoArchivo.h"

#include "Interaccion.h"

#include <QFileInfo>
#include <QStringList>

QString DialogoArchivo::FiltroQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList entradas;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QStringList patrones;
        for (const QString& p : partes[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty())
                patrones << p.trimmed();
        entradas << partes[i].trimmed() + QStringLiteral(" (") + patrones.join(QLatin1Char(' ')) +
                        QLatin1Char(')');
    }
    return entradas.join(QStringLiteral(";;"));
}

void DialogoArchivo::AbreDialogo() {
    nombre_ = interaccion().AbreArchivo(titulo_, FiltroQt(filtro_), carpeta_);
    if (!nombre_.isEmpty())
        carpeta_ = QFileInfo(nombre_).absolutePath();
}
