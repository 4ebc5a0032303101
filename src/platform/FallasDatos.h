#pragma once

// The data-access layer's errors, shared by the object, its engines and its record sets: what a
// refused operation reported, and its translation into SQL Server's numbers.

#include "AccesoDatos.h"
#include "ErroresSqlServer.h"

#include <QString>
#include <vector>

namespace ad {

using sqlserver::kBaseNoDisponible;
using sqlserver::kClaveDuplicada;
using sqlserver::kConflictoRestriccion;
using sqlserver::kSentenciaTerminada;
using sqlserver::kServidorNoDisponible;
extern const QString kTextoSentenciaTerminada;

// The errors of one refused operation, in the order the list shows them.
struct Fallas {
    std::vector<ErrorBD> lista;
};

[[noreturn]] void Falla(long numero, const QString& descripcion);

// SQLite's error (extended code and message) as the entries SQL Server would give: the
// error with SQL Server's number where the program relies on it, then 3621.
Fallas FallasSqlite(int codigoExtendido, const QString& mensaje);
// A driver's message without its "[vendor][driver]" prefixes.
QString LimpiaMensajeDriver(QString mensaje);
// Records the errors in the connection's list and raises the first.
[[noreturn]] void RegistraYLanza(Errores& errores, const Fallas& f);

} // namespace ad
