#include "FuncionesSqlite.h"

#include <sqlite3.h>

void RegistraFuncionesSqlite(sqlite3*) {}
