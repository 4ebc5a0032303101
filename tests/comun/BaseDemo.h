#pragma once

#include "Comun.h"

#include <QString>
#include <QTemporaryDir>

// Per test, a temporary folder with a copy of the demo database "modelos.db" (built once per
// test program from db/esquema.sql and db/demo.sql) and the statistics database
// "CV_ESTADISTICAS" beside it (db/estadisticas.sql). Nothing is connected; the INI reader looks
// in that folder. TearDown resets the session (ReiniciaSesion).
// In a program of tests on a T-SQL server (PruebasEnServidorTsql), a new database of that server
// holds the copy's rows too: the session's command line names it, and TearDown drops it.
class ConArchivosDemo : public ConGuion {
protected:
    void SetUp() override;
    void TearDown() override;

    QString Carpeta() const { return carpeta_.path(); }
    QString RutaBase() const;
    QString RutaEstadisticas() const;
    // The demo session's command text: "@Server=sqlite;@DbName=<RutaBase>;@Usuario=DEMO;
    // @Password=;@UsuarioLogeado=DEMO;@Caja=1;" (on a T-SQL server, its database's).
    QString LineaSesion() const;
    // The test's database on the T-SQL server (empty on the embedded file).
    QString BaseTsql() const { return baseTsql_; }

private:
    QTemporaryDir carpeta_;
    QString baseTsql_;
};

// As ConArchivosDemo, with AD() connected to the copy and gBaseEstadisticas() to the statistics
// database as start-up connects them (server "sqlite", user DEMO): gUsuarioLogeado, gTimeOut,
// command time-out, isolation level and default database set. The configuration is not loaded.
// On a T-SQL server AD() is connected instead, as a site's, to the test's database there.
class ConBaseDemo : public ConArchivosDemo {
protected:
    void SetUp() override;
    // Writes the setting `clave` (stored in capitals) of TA_CONFIGURACION with `valor`, replacing it.
    static void AjustaConfiguracion(const QString& clave, const QString& valor);
    static void QuitaConfiguracion(const QString& clave);
};

// Whether this test program runs ConBaseDemo's tests on the T-SQL server (set once by the
// program's own sources, tests/sqlserver).
bool PruebasEnServidorTsql();
// The statement that renames a table, in the dialect of the tests' engine.
QString RenombraTabla(const QString& de, const QString& a);
void EstablecePruebasEnServidorTsql(bool enServidor);
