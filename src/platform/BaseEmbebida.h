#pragma once

#include "ErrorSistema.h"

#include <QString>
#include <QStringList>

// Creation of embedded (SQLite) database files from SQL scripts written in SQLite's own dialect,
// run as they stand on a connection that has the suite's collation and functions.
namespace BaseEmbebida {

// Creates the file `ruta` by running the SQL texts in order, in one transaction. The file must
// not exist. When a text fails, ErrorSistema is raised (SQLite's message and the start of the
// failing statement) and no file is left behind.
void Crea(const QString& ruta, const QStringList& textosSql);
// The same from script files (UTF-8); the error names the file.
void CreaDesdeArchivos(const QString& ruta, const QStringList& archivos);

// The folder that holds the scripts (esquema.sql, demo.sql, estadisticas.sql): the environment's
// MODELOS_DB_DIR, a "db" folder beside the program or up to two levels above it, else
// `porDefecto`. Empty when none holds esquema.sql.
QString CarpetaScripts(const QString& porDefecto = {});

// The demo database: `ruta` from esquema.sql and demo.sql, and the statistics database
// CV_ESTADISTICAS.db beside it from estadisticas.sql (kept when it exists already).
void CreaDemo(const QString& ruta, const QString& carpetaScripts);

} // namespace BaseEmbebida
