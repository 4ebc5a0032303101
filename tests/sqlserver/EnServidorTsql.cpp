// This program's fixtures on the embedded demo run on a database of the T-SQL server instead.

#include "BaseDemo.h"

namespace {
// A station that the several-station test starts (this program again) connects to its parent's
// database: it makes none of its own.
[[maybe_unused]] const bool enServidor =
    (EstablecePruebasEnServidorTsql(qEnvironmentVariableIsEmpty("MODELOS_ESTACIONES_SALIDA")), true);
} // namespace
