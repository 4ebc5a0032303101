// This program's fixtures on the embedded demo run on a database of the T-SQL server instead.

#include "BaseDemo.h"

namespace {
[[maybe_unused]] const bool enServidor = (EstablecePruebasEnServidorTsql(true), true);
} // namespace
