#pragma once

#include "ErrorSistema.h"
#include "Interaccion.h"
#include "Registros.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// One entry of a connection's error list, as the database reported it.
struct ErrorBD {
    long NativeError = 0;
    QString Description;
};

// The error list of a connection: the errors of the last call that reached the database (each
// call starts it afresh). A statement refused by the database adds its error and then 3621
// "The statement has been terminated." (2627 duplicate key, 547 foreign-key or check conflict).
class Errores {
public:
    int Count() const { return static_cast<int>(lista_.size()); }
    // 0-based; raises ErrorSistema 3265 out of range.
    const ErrorBD& Item(int indice) const;
    void Clear() { lista_.clear(); }
    void Agrega(long nativeError, const QString& description) {
        lista_.push_back({nativeError, description});
    }

private:
    std::vector<ErrorBD> lista_;
};

// The database connection of an AccesoDatos, for what callers read and set besides SQL.
class Conexion {
public:
    Errores& Errors() { return errores_; }
    const Errores& Errors() const { return errores_; }
    // 0 closed, 1 open.
    int State() const;
    // Closes the connection (and every record set open on it).
    void Close();

    // Seconds a statement waits for a locked table or database before it fails (0: no limit);
    // 30 by default. Kept for the next connection when closed.
    int CommandTimeout() const { return tiempoEspera_; }
    void setCommandTimeout(int segundos);
    // The suite's isolation values (256 read uncommitted, 4096 read committed, 65536 repeatable
    // read, 1048576 serializable); the embedded database keeps the value only (one writer).
    int IsolationLevel() const { return aislamiento_; }
    void setIsolationLevel(int nivel);
    // SQL Server: the current database of the session. The embedded database keeps the name only.
    QString DefaultDatabase() const { return baseDefecto_; }
    void setDefaultDatabase(const QString& base);

    AccesoDatos& Dueno() const { return dueno_; }

private:
    friend class AccesoDatos;
    explicit Conexion(AccesoDatos& dueno) : dueno_(dueno) {}
    AccesoDatos& dueno_;
    Errores errores_;
    int tiempoEspera_ = 30;
    int aislamiento_ = 4096;
    QString baseDefecto_;
};

// The suite's data-access object. The server text chooses the database: "sqlite" (any case) is
// the embedded SQLite file whose path is the database text (a relative path is taken from the
// folder of LeeDatoConexion, else the working folder); any other server is SQL Server through
// ODBC (FreeTDS unless the connection data names another DRIVER). SQL is written in SQL Server's
// dialect; on SQLite it is translated (TraduceSQL) and transactions behave as on SQL Server.
//
// Every failure raises ErrorSistema (the first error's native number and description; source
// "AccesoDatos.<operation>") after filling the connection's error list.
class AccesoDatos {
public:
    AccesoDatos();
    ~AccesoDatos();
    AccesoDatos(const AccesoDatos&) = delete;
    AccesoDatos& operator=(const AccesoDatos&) = delete;

    bool EstaConectado() const;
    // The connection (open or not): its error list, time-out, isolation level, default database.
    Conexion& LeeConexion();

    QString LeeServidor() const { return servidor_; }
    QString LeeBaseDatos() const { return baseDatos_; }
    QString LeeUsuario() const { return usuario_; }
    QString LeePassword() const { return password_; }
    // The connection text in use (an ODBC connection string; "Provider=SQLite;Data Source=<path>"
    // for the embedded database); empty before the first connect.
    QString LeeCadenaConexion() const { return cadena_; }
    // What a second connection to the same server needs besides server, database, user and
    // password: for SQLite the folder of the database file, for ODBC the extra attributes
    // ("DRIVER={...};PORT=...") given or in use.
    QString LeeDatoConexion() const;
    // The same without the "ADMIN=" item: what a connection to another database (the
    // statistics') needs, whose login need not enter the administration database.
    QString LeeDatoConexionSinAdministracion() const;
    void AsignaServidor(const QString& servidor) { servidor_ = servidor; }
    void AsignaBaseDatos(const QString& base) { baseDatos_ = base; }
    void AsignaUsuario(const QString& usuario) { usuario_ = usuario; }
    void AsignaPassword(const QString& password) { password_ = password; }
    void AsignaDatoConexion(const QString& dato) { dato_ = dato; }
    // The administration database that the connection data name ("ADMIN=<base>", one outer
    // [...] pair removed); empty when they name none.
    QString BaseAdministracion() const;

    // Connects (closing an open connection first) from the assigned parts, or from
    // `cadenaConexion`, a full ODBC connection text, when it is not empty and the server is not
    // "sqlite". A missing SQLite file is reported, never created, and so is an administration
    // database the data name that the server does not have (SQL Server's 911) or that the login
    // cannot enter (916); an item of the data without "=", ADMIN= given twice or a ClientCharset
    // other than UTF-8 reaches no driver. Data that name a DSN get no server or port of the
    // object's. FreeTDS, however the data name it, is told UTF-8 unless they say it. An ODBC login
    // waits at most a few seconds. On failure: EstaConectado() is false and ErrorSistema is raised.
    // `faltanDatos`, `opcion` and the two flags are accepted for the callers; they change nothing.
    void Conecta(bool faltanDatos = false, qint32 opcion = 0, const QString& cadenaConexion = {},
                 bool opcion1 = true, bool opcion2 = true);
    // Whether the last Conecta failed on what the connection data give rather than on the
    // session's login or database: an item without "=", ADMIN= twice or a ClientCharset other
    // than UTF-8 (5), an "ADMIN=" that names no database (911), an administration database the
    // server does not have (911) or the login cannot enter (916).
    bool FalloDatoConexion() const { return falloDatoConexion_; }
    // Whether the session's database holds table `tabla` (a view or a synonym too): SQL Server's
    // catalog, asked once per table and connection; true elsewhere. Raises ErrorSistema.
    bool SesionTieneTabla(const QString& tabla);

    // SQL Server with an administration database that holds `tabla` (an "@ADMIN_" table without
    // its prefix): raises ErrorSistema 229, in words that name the right, the table and the base,
    // for the first of `derechos` ("SELECT", "INSERT", "UPDATE") that the server said the login
    // lacks there when the connection opened. Nothing elsewhere, nor for a right the server
    // could not tell. Like a statement that names the table, it asks the server nothing that could
    // end a transaction open on the connection.
    void ExigeDerechosAdministracion(const QString& tabla, const QStringList& derechos);

    // Opens `sql` into `rs` (closing it first), positioned on the first row. `conexion`: another
    // AccesoDatos's connection to run on, nullptr for this one's. Cursor and lock types as in
    // Registros.h (0, 1: forward-only read-only streaming; lock 3: editable). `traduce` false
    // runs a text that already went through TraduceSQL.
    void ObtieneRecordset(const QString& sql, Registros& rs, Conexion* conexion = nullptr,
                          int tipoCursor = TipoCursor::SoloAvance, int tipoBloqueo = TipoBloqueo::SoloLectura,
                          int opciones = -1, bool traduce = true);
    // Closes the set; a closed or never opened set is accepted.
    void CierraRecordset(Registros& rs);

    // Runs one statement or a batch (statements on separate lines): every statement runs, a
    // refused one does not stop the rest; its errors go to the error list and, after the last
    // statement, the first one is raised. Returns the records affected. When the last statement
    // returns rows and `rs` is given, `rs` is opened on them (forward-only).
    // BEGIN/COMMIT/ROLLBACK TRANSACTION nest and "SELECT @@TRANCOUNT" answers the depth, as on
    // SQL Server.
    qint32 EjecutaSQL(const QString& sql, Registros* rs = nullptr);

    // The value of `columnaResultado` in the row of `tabla` whose `columnaClave` equals `valor`
    // (tipoValor 8: text, quoted; other: number) and that meets `condicion` when not empty.
    // No row, or a null value, gives an empty text (never a null). The flags change nothing.
    QVariant ObtieneValorTabla(const QString& tabla, const QString& valor, const QString& columnaResultado,
                               const QString& columnaClave, int tipoValor = 8, const QString& condicion = {},
                               bool opcion1 = true, bool opcion2 = false);
    // True when a row of `tabla` has `columna` = `valor` (and meets `condicion`). With `rs`,
    // the set is left open on that row (read-only; editable when `soloLectura` is false).
    bool ExisteRegistro(const QString& tabla, const QString& valor, const QString& columna,
                        Registros* rs = nullptr, int tipoValor = 8, const QString& condicion = {},
                        bool soloLectura = true);
    // The highest value of the column (with `condicion` when not empty); for marker "@" a
    // number, 0 when there is none; otherwise the value, empty text when there is none.
    QVariant MaximoValor(const QString& tabla, const QString& columna,
                         const QString& marcador = QStringLiteral("@"), const QString& condicion = {});

    // The value as an SQL literal. Marker "'": a quoted text with its apostrophes doubled (dates
    // as the database reads them). Marker "@": a number with "." and no grouping; a text is
    // read as a number in the regional format (empty: 0; not a number: ErrorSistema 13). An
    // empty marker: the value's text unchanged. A null value gives NULL.
    QString FormateaValorSQL(const QVariant& valor, const QString& marcador) const;
    // The SQL text to run in place of `sql` (SQL Server dialect in): translated for SQLite; over
    // ODBC to SQL Server unchanged but for its "@ADMIN_" names (ResuelveAdminSqlServer), each the
    // administration database's table when that database holds one of the name (its catalog is
    // asked once per connection: for the program's own names when it opens, for any other when
    // first met, never so that a refusal could end a transaction open on the connection), else
    // the session's; one there that the login may not read raises ErrorSistema 229 naming it, and
    // one that cannot be asked inside a transaction (the layer's own connection for it refused)
    // ErrorSistema 17 naming it and why.
    QString TraduceSQL(const QString& sql) const;
    // The provider text of the connection ("SQLite" or "ODBC;DBMS=<name>").
    QString TextoProveedor() const;

    // The central error handler: shows the error with Abort, Retry and Ignore through the
    // interaction port and returns the answer (4 retry, 5 next statement, other leave, counted
    // by AnotaRespuesta); 0 without showing anything for an error number 0.
    int GestionaError(const ErrorSistema& error, const QString& rutina = {},
                      int botones = Estilo::AbortarReintentarIgnorar | Estilo::Critico) const;

    struct Impl;

private:
    friend class Conexion;
    friend class Registros;
    QString servidor_, baseDatos_, usuario_, password_, dato_, cadena_;
    bool falloDatoConexion_ = false;
    Conexion conexion_;
    std::unique_ptr<Impl> d_;
};
