#include "Comun.h"

#include <QtGlobal>

QString CarpetaFuentes() {
    return qEnvironmentVariable("MODELOS_FUENTES", QStringLiteral("."));
}

QString CarpetaCompilacion() {
    return QStringLiteral(MODELOS_COMPILACION_DIR);
}
