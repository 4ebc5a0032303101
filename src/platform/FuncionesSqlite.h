#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

struct sqlite3;

// Collation that compares text as the suite's SQL Server does; declared on every text column.
inline constexpr const char* kColacionTexto = "TEXTO";

// A code's key as the collation compares codes: case folded, trailing blanks left out (leading
// ones count). Codes held in memory are looked up and matched by it as the database would.
QString ClaveTexto(const QString& codigo);

// Function the translation wraps around a marker bound for a date column: the system's date text becomes
// ISO text, any other value passes as it is.
inline constexpr const char* kFuncionFechaIso = "FECHA_ISO";

// Registers the collation TEXTO (case-insensitive, Spanish letters included: ñ = Ñ, á = Á; accents still
// distinct; trailing blanks ignored, leading blanks count), a LIKE that folds case the same way, and the
// functions SQLite lacks that the translation emits. Safe to call on every new connection.
void RegistraFuncionesSqlite(sqlite3* db);

// Tells the translation which columns of this database are declared DATE, DATETIME or TIME (as the
// reading layer reads as date-times), for the ones whose names do not say so.
void RegistraColumnasFechaDeLaBase(sqlite3* db);

// The server's refusal of a text longer than its column.
inline constexpr const char* kTextoTruncado = "String or binary data would be truncated.";

// Makes the database refuse, as the server does, a text longer than the width its column declares
// (CHAR(n), VARCHAR(n), any case): triggers on each table raise kTextoTruncado before the row is
// written. Trailing blanks do not count, as on the server. Tables that have them keep them; the others
// get them in the file (`enElArchivo`, when a database is made) or for this connection only (a file
// made elsewhere or before). Run again after the schema changes.
void RegistraControlAnchos(sqlite3* db, bool enElArchivo);

// The unique key of the stock movements on a voucher's identity and row (TC, IdComprobante,
// IdComplemento, Secuencia), which files made by an earlier version lack: made when missing.
// A file that already holds two vouchers under one identity cannot take it and is left as it is:
// those identities come back ("TC IdComprobante complemento"; the first `cuantas` of `total`).
// Nothing comes back when the key is there or was made, or when the file cannot take it now
// (read only, locked): every saving batch checks its identity all the same.
struct IdentidadesRepetidas {
    QStringList primeras;
    qint64 total = 0;
};
IdentidadesRepetidas AseguraClaveComprobantes(sqlite3* db, int cuantas);
