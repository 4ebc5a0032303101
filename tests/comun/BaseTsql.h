#pragma once

#include <QString>
#include <QStringList>

class AccesoDatos;

// The T-SQL server that the CTest fixture ServidorTsql started (scripts/servidor_tsql.sh), as a
// site names it to the program: "@Server=127.0.0.1,<port>", a login and its password.
struct ServidorTsql {
    QString servidor; // "127.0.0.1,<port>"
    QString usuario;
    QString password;
    QString cadena; // ODBC connection string, without a database
};

// The server whose folder the variable MODELOS_TSQL names (else the build's servidor-tsql);
// raises ErrorSistema with what is missing when the fixture did not start it. The first call of a server
// makes, once for every test process, the statistics database CV_ESTADISTICAS and its login.
ServidorTsql LeeServidorTsql();

// A new database `nombre` on that server: db/esquema-sqlserver.sql and every row of the embedded
// demo file `demo` (dates as dates, identities as stored). Raises ErrorSistema on failure.
void CreaBaseTsql(const QString& nombre, const QString& demo);
// Drops the database (its connections closed by the server); failures are ignored.
void BorraBaseTsql(const QString& nombre);
// Runs T-SQL batches as the server's administrator on `base` (empty: master); raises ErrorSistema.
void EjecutaTsql(const QString& base, const QStringList& tandas);

// An administration database `nombre` beside the test's: its deposits (the VALUES rows given),
// an empty table of cash desks and, empty, the tables `delEsquema` as db/esquema-sqlserver.sql
// declares them, open to every database's views (GRANT to PUBLIC).
void CreaBaseAdministracion(const QString& nombre, const QString& depositos,
                            const QStringList& delEsquema = {});

// A site's login `login` that is not the server's superuser, with a user in database `base` that
// reads and writes its tables (dbo's schema); its password is kClaveSitio. BorraLoginSitio drops
// the login (its users go with their databases); failures are ignored.
extern const QString kClaveSitio;
void CreaLoginSitio(const QString& login, const QString& base);
void BorraLoginSitio(const QString& login);

// A DSN `nombre` of the file `archivo` (an odbc.ini that ODBCINI names, written or added to): that
// server through the FreeTDS driver `driver` (a name of odbcinst.ini or its library's path), with
// the lines `extra` ("Clave = valor"); no database, login or password.
void AgregaDsnTsql(const QString& archivo, const QString& nombre, const QString& driver,
                   const QStringList& extra = {});
// The path of FreeTDS's ODBC library, beside the driver manager's.
QString BibliotecaFreeTds();
// A user in administration database `admin` for the site's login `login`, with there exactly the
// rights the README lists on those of `tablas` it holds ("V_TA_Deposito", "V_TA_Cajas",
// "MV_ASIENTOS", "MV_ASIENTOSCCOSTO"): the deposits' and cash desks' granted to it, the entry
// tables' to PUBLIC in place of any PUBLIC held (Babelfish reads them behind the session's views
// with the rights of the views' owner, which only PUBLIC's reach).
void DaDerechosSitio(const QString& admin, const QString& login, const QStringList& tablas);
// The words that refuse `login` a right it lacks on table `tabla` of administration database `admin`.
QString SinDerechoAdministracion(const QString& login, const QString& derecho, const QString& tabla,
                                 const QString& admin);

// Connects `ad` to database `base` of that server as start-up connects a site's database
// ("@Server=127.0.0.1,<port>", FreeTDS), and the session's command line that names it; as the
// server's login, or as `login` (password kClaveSitio) when given.
void ConectaTsql(AccesoDatos& ad, const QString& base, const QString& login = {});
// A site as it runs beside an administration database: the new administration database `admin`
// (CreaBaseAdministracion with the deposits `depositos`), the site's login `login` with the
// deposits' rights there (DaDerechosSitio), and `ad` connected as that login to `base` with
// ADMIN= naming `admin`.
void ConectaSitioConAdministracion(AccesoDatos& ad, const QString& base, const QString& admin,
                                   const QString& login, const QString& depositos);
QString LineaSesionTsql(const QString& base, const QString& login = {});
