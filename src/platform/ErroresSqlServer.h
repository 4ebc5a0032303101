#pragma once

// SQL Server's native error numbers that the program raises, compares or shows. The embedded
// database reports its refusals under the same numbers (ad::FallasSqlite), so that callers and the
// AUX_ERR rows never tell the two apart.
namespace sqlserver {
constexpr long kServidorNoDisponible = 17;   // server not found or access denied
constexpr long kErrorSintaxis = 102;         // incorrect syntax
constexpr long kIdentificadorLargo = 103;    // a name past its length (a savepoint's: 32)
constexpr long kComentarioAbierto = 113;     // a "/*" never closed
constexpr long kColumnaInexistente = 207;    // invalid column name
constexpr long kTablaInexistente = 208;      // invalid object name
constexpr long kPermisoDenegado = 229;       // the login may not use the object
constexpr long kBaseInexistente = 911;       // the database does not exist
constexpr long kSinAccesoBase = 916;         // the login cannot enter the database
constexpr long kNuloNoAdmitido = 515;        // NULL into a NOT NULL column
constexpr long kGuardarSinTransaccion = 628; // SAVE TRANSACTION outside a transaction
constexpr long kConflictoRestriccion = 547;  // foreign-key or check conflict
constexpr long kEsperaBloqueoAgotada = 1222; // lock request time-out
constexpr long kFilaDuplicada = 2601;        // duplicate key row in a unique index
constexpr long kClaveDuplicada = 2627;       // duplicate key
constexpr long kSentenciaTerminada = 3621;   // "The statement has been terminated."
constexpr long kCommitSinTransaccion = 3902;
constexpr long kRollbackSinTransaccion = 3903;
constexpr long kBaseNoDisponible = 4060; // cannot open the database
constexpr long kSinPuntoGuardado = 6401; // ROLLBACK TRANSACTION to a name the transaction lacks
constexpr long kDatosTruncados = 8152;   // text or binary data would be truncated
constexpr long kErrorUsuario = 50000;    // RAISERROR with a message of its own

// A duplicate key, of a key constraint (2627) or of a unique index (2601).
constexpr bool EsClaveDuplicada(long numero) {
    return numero == kClaveDuplicada || numero == kFilaDuplicada;
}
} // namespace sqlserver
