#pragma once

#include "Comun.h"

#include <QString>
#include <QTemporaryDir>

// Per test, a temporary folder with a copy of the demo database "modelos.db" (built once per
// test program from db/esquema.sql and db/demo.sql) and the statistics database
// "CV_ESTADISTICAS" beside it (db/estadisticas.sql). Nothing is connected; the INI reader looks
// in that folder. TearDown resets the session (ReiniciaSesion).
class ConArchivosDemo : public ConGuion {
protected:
    void SetUp() override;
    void TearDown() override;

    QString Carpeta() const { return carpeta_.path(); }
    QString RutaBase() const;
    QString RutaEstadisticas() const;
    // The demo session's command text: "@Server=sqlite;@DbName=<RutaBase>;@Usuario=DEMO;
    // @Password=;@UsuarioLogeado=DEMO;@Caja=1;".
    QString LineaSesion() const;

private:
    QTemporaryDir carpeta_;
};

// As ConArchivosDemo, with AD() connected to the copy and gBaseEstadisticas() to the statistics
// database as start-up connects them (server "sqlite", user DEMO): gUsuarioLogeado, gTimeOut,
// command time-out, isolation level and default database set. The configuration is not loaded.
// In a program of tests on a T-SQL server (PruebasEnServidorTsql) AD() is connected instead, as
// a site's, to a new database of that server holding the copy's rows, dropped after the test.
class ConBaseDemo : public ConArchivosDemo {
protected:
    void SetUp() override;
    void TearDown() override;
    // The test's database on the T-SQL server (empty on the embedded file).
    QString BaseTsql() const { return baseTsql_; }
    // Writes the setting `clave` (stored in capitals) of TA_CONFIGURACION with `valor`, replacing it.
    static void AjustaConfiguracion(const QString& clave, const QString& valor);
    static void QuitaConfiguracion(const QString& clave);

private:
    QString baseTsql_;
};

// Whether this test program runs ConBaseDemo's tests on the T-SQL server (set once by the
// program's own sources, tests/sqlserver).
bool PruebasEnServidorTsql();
void EstablecePruebasEnServidorTsql(bool enServidor);
