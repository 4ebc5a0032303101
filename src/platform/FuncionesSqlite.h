#pragma once

struct sqlite3;

// Collation that compares text as the suite's SQL Server does; declared on every text column.
inline constexpr const char* kColacionTexto = "TEXTO";

// Registers the collation TEXTO (case-insensitive, Spanish letters included: ñ = Ñ, á = Á; accents still
// distinct; trailing blanks ignored, leading blanks count), a LIKE that folds case the same way, and the
// functions SQLite lacks that the translation emits. Safe to call on every new connection.
void RegistraFuncionesSqlite(sqlite3* db);
