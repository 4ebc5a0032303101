#include "Comun.h"

#include <QtGlobal>

QString CarpetaFuentes() {
    return qEnvironmentVariable("MODELOS_FUENTES", QStringLiteral("."));
}
