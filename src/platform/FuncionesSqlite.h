#pragma once

struct sqlite3;

// Collation that compares text as the suite's SQL Server does; declared on every text column.
inline constexpr const char* kColacionTexto = "TEXTO";

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
