#pragma once

// Inner parts of the data-access layer, shared by its .cpp files only.

#include "AccesoDatos.h"
#include "FallasDatos.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct sqlite3;

namespace ad {

// ADO's and the language's numbers for the errors the program raises (SQL Server's are in
// ErroresSqlServer.h, through FallasDatos.h).
constexpr long kNoHayConexion = 3709;
constexpr long kSinFilaActual = 3021;
constexpr long kCampoInexistente = 3265;
constexpr long kConjuntoCerrado = 3704;
constexpr long kNoActualizable = 3251;
constexpr long kFilaNoUbicada = -2147217864;
constexpr long kTiposNoCoinciden = 13;
constexpr long kNoPermitidaAqui = 3219; // operation not allowed in this context

struct Encabezado;

// A result's rows as they come: one current row at a time.
class FuenteFilas {
public:
    virtual ~FuenteFilas() = default;
    virtual int Columnas() const = 0;
    virtual QString Nombre(int indice) const = 0;
    // The column names and their index; a source that runs a cached statement hands out the one
    // it keeps, so that a look-up asked row after row does not index its names again.
    virtual std::shared_ptr<const Encabezado> Cabecera() const;
    // Moves to the next row; false at the end. Raises Fallas.
    virtual bool Siguiente() = 0;
    virtual QVariant Valor(int indice) const = 0;
};

// Fixed rows (the emulated SELECT @@TRANCOUNT).
class FuenteFija : public FuenteFilas {
public:
    FuenteFija(std::vector<QString> nombres, std::vector<std::vector<QVariant>> filas)
        : nombres_(std::move(nombres)), filas_(std::move(filas)) {}
    int Columnas() const override { return static_cast<int>(nombres_.size()); }
    QString Nombre(int i) const override { return nombres_[static_cast<size_t>(i)]; }
    bool Siguiente() override { return ++pos_ < filas_.size(); }
    QVariant Valor(int i) const override { return filas_[pos_][static_cast<size_t>(i)]; }

private:
    std::vector<QString> nombres_;
    std::vector<std::vector<QVariant>> filas_;
    size_t pos_ = static_cast<size_t>(-1);
};

// One database behind the object: embedded SQLite or ODBC.
class Motor {
public:
    virtual ~Motor() = default;
    // The SQL must be translated and transactions emulated (SQLite, native or through ODBC).
    virtual bool DialectoSqlite() const = 0;
    virtual QString Proveedor() const = 0;
    // Runs one statement (it may hold several separated by ";"): the records affected. When
    // `filas` is given and the last statement returns rows, they are handed over (not read).
    // Raises Fallas.
    virtual qint64 Ejecuta(const QString& sql, std::unique_ptr<FuenteFilas>* filas) = 0;
    // One of the layer's own statements of the emulated transactions (BEGIN, COMMIT, ROLLBACK,
    // savepoints), the only ones of their kind that Ejecuta runs on SQLite.
    virtual void EjecutaTransaccion(const QString& sql) { Ejecuta(sql, nullptr); }
    // Runs a cached INSERT template with its values; false when the engine has no such path.
    virtual bool EjecutaPlantilla(const QString&, const std::vector<QVariant>&, qint64&) { return false; }
    // Still inside a transaction (native SQLite only; nullopt when the engine cannot tell).
    virtual std::optional<bool> EnTransaccion() const { return std::nullopt; }
    // SQL Server (through ODBC): the SQL runs as written, its "@ADMIN_" names resolved, and the
    // server keeps the transactions.
    virtual bool SqlServer() const { return false; }
    // Before the outermost BEGIN: open reads let go of what would keep it from waiting for the
    // write lock (their rows move to memory).
    virtual void SueltaLecturas() {}
    virtual void AsignaTiempoEspera(int segundos) = 0;
    virtual void AsignaAislamiento(int nivel) = 0;
    virtual void AsignaBaseDefecto(const QString& base) = 0;
    // Primary-key columns of a table (empty when unknown).
    virtual std::vector<QString> ClavePrimaria(const QString& tabla) = 0;
};

std::unique_ptr<Motor> AbreSqlite(const QString& ruta, int tiempoEspera);
// `utf8SiFreeTds`: when the driver says it is FreeTDS, the connection is made again told
// ClientCharset=UTF-8, and `cadena` becomes that text.
std::unique_ptr<Motor> AbreOdbc(QString& cadena, int tiempoEspera, int aislamiento,
                                bool utf8SiFreeTds = false);
// The native handle of a Qt SQLite connection (nullptr when it has none).
sqlite3* HandleSqlite(const QVariant& handle);

// Field positions by name, case ignored; of two equal names the later one.
class IndiceNombres {
public:
    void Arma(const std::vector<QString>& nombres);
    int Busca(const QString& nombre) const {
        // A loop asks for the same literal names in the same order, row after row: the next
        // name asked is usually the one after the last, and the kept copy shares its text.
        size_t i = ultimo_ + 1;
        if (i >= pedidos_.size())
            i = 0;
        if (i < pedidos_.size()) {
            const QString& pedido = pedidos_[i].nombre;
            if (pedido.constData() == nombre.constData() && pedido.size() == nombre.size()) {
                ultimo_ = i;
                return pedidos_[i].indice;
            }
        }
        return BuscaPedido(nombre);
    }

private:
    int BuscaPedido(const QString& nombre) const;
    int BuscaPorHash(QStringView nombre) const;
    const std::vector<QString>* nombres_ = nullptr;
    std::unordered_map<size_t, int> porHash_;
    // Names as callers wrote them, in the order they asked: a loop asks the same names row
    // after row, so the next one is usually the entry after the last hit.
    struct Pedido {
        QString nombre;
        int indice;
    };
    mutable std::vector<Pedido> pedidos_;
    mutable size_t ultimo_ = 0;
};

// A result's column names with their index (which points into them: never copied or moved).
struct Encabezado {
    explicit Encabezado(std::vector<QString> n) : nombres(std::move(n)) { indice.Arma(nombres); }
    Encabezado(const Encabezado&) = delete;
    Encabezado& operator=(const Encabezado&) = delete;
    std::vector<QString> nombres;
    IndiceNombres indice;
};
// The header of a closed record set: no columns.
const std::shared_ptr<const Encabezado>& SinColumnas();

// Text helpers.
// The first word of a statement (letters only, after blanks and opening parentheses).
QStringView PrimeraPalabra(const QString& sql);
bool EsPalabra(QStringView palabra, const char16_t* mayusculas);
// The table after the first FROM of a query (brackets and quotes kept as written); empty when none.
QString TablaDeConsulta(const QString& sql);
// An identifier as written in generated SQL (bracketed when it is not a plain name).
QString Identificador(const QString& nombre);

// "INSERT INTO t (cols) VALUES (literals)": the statement with its literals as "?" and the
// values; nothing for any other shape, or when a text literal might be a date.
struct Plantilla {
    QString texto;
    std::vector<QVariant> valores;
};
std::optional<Plantilla> Parametriza(const QString& sentencia);
// A SQLite query whose compared values differ from call to call ("... WHERE IdArticulo =
// '1001'"): after its first FROM, each text or unsigned number literal right after a comparison
// operator becomes "?", so that one prepared statement serves every call. Nothing when there is
// no such literal, for anything but a single SELECT, or with comments.
std::optional<Plantilla> ParametrizaConsulta(const QString& sqlite);
// Placeholders "?" outside quoted literals.
int CuentaMarcadores(const QString& sql);

// Literal forms.
QString LiteralNumero(double valor);
QString LiteralTexto(const QString& texto); // NULs left out, apostrophes doubled
// The statement without NUL characters: one spliced in with a value would end the text where the
// database reads it, cutting the statement short.
QString SinNulos(const QString& sql);

} // namespace ad

// The object's inner state (nested, so it reaches the object's private members).
struct AccesoDatos::Impl {
    explicit Impl(AccesoDatos& dueno) : yo(dueno) {}
    AccesoDatos& yo;
    std::unique_ptr<ad::Motor> motor;
    bool sqlite = false; // translate and emulate transactions
    bool sqlServer = false;
    QString rutaSqlite;
    QString baseAdmin; // SQL Server: the database of the "@ADMIN_" tables (empty: the session's)
    // What the administration database holds of each "@ADMIN_" table resolved so far (key: its
    // name in capitals): the program's own when the connection opened, any other when first met.
    struct TablaAdministracion {
        bool tiene = false; // a table, a view or a synonym there
        // The rights the server said the login lacks on it ("SELECT", "INSERT", "UPDATE");
        // without SELECT every statement that names it is refused.
        QStringList negados;
    };
    QHash<QString, TablaAdministracion> tablasAdmin;
    // Whether the session's database holds each table asked of SesionTiene (key as above).
    QHash<QString, bool> tablasSesion;
    // Transaction depth: emulated on SQLite; on SQL Server the depth the statements sent have
    // left, checked against the server's after a refusal.
    int nivel = 0;
    // SQLite: the savepoints of the emulated transaction, oldest first, and the name its
    // outermost BEGIN gave it (empty for none).
    std::vector<QString> guardados;
    QString nombreTransaccion;
    std::unordered_set<Registros::Impl*> abiertos;
    QHash<QString, QString> cacheTraduccion;
    QHash<QString, std::optional<QString>> cachePlantillas;

    void Cierra();
    void VerificaConexion(const char* operacion) const;
    // Records the errors in the connection's list and raises the first.
    [[noreturn]] void Lanza(const ad::Fallas& f, const QString&) {
        ad::RegistraYLanza(yo.conexion_.Errors(), f);
    }
    QString Traduce(const QString& sql);
    // One statement of a batch (SQL Server dialect when `traducir`).
    qint64 EjecutaSentencia(const QString& sentencia, std::unique_ptr<ad::FuenteFilas>* filas, bool traducir);
    // SQLite: a text as the engine runs it (translated or not, without NULs), where every text of
    // a statement, a batch or a record set reaches it; refused when SQLite would read its comments
    // otherwise than the server.
    qint64 EnviaSqlite(const QString& texto, std::unique_ptr<ad::FuenteFilas>* filas);
    // `nombre`: the statement's transaction or savepoint name; `cerca`: where an unreadable one
    // stopped being read.
    void Transaccion(int tipo, const QString& nombre, const QString& cerca);
    // ROLLBACK of every level (3903 outside a transaction).
    void RevierteTodo();
    void Sincroniza();
    // After a refused statement: whether the database ended the transaction the batch was in.
    bool TransaccionTerminada();
    // SQL Server: the depth the server tells (0 when it does not answer).
    int NivelServidor();
    // The statement as the engine runs it (SQL Server dialect in).
    QString ParaMotor(const QString& sql);
    // SQL Server: whether the administration database holds table `tabla`; resolved the first
    // time it is met unless the connection resolved it, inside a transaction on a connection of
    // the layer's own, and refused (17) when that gives no answer. A table there that the login
    // may not read is refused (229).
    bool EnAdministracion(const QString& tabla);
    // Resolves `tablas` in the administration database on `m` (this connection, or one of the
    // layer's own): the catalog, the login's rights, and a probe of a table the catalog hides.
    // Raises Fallas.
    void ResuelveAdministracion(const QStringList& tablas, ad::Motor& m);
    // On connecting: the program's "@ADMIN_" tables, before any transaction can be open; what
    // the server does not answer is resolved when first met.
    void ResuelveListaAdministracion();
    // The words of a right `derecho` the login lacks on administration table `tabla`.
    QString SinDerecho(const QString& derecho, const QString& tabla) const;
    // SQL Server: whether the catalog shows object `nombre` (as OBJECT_ID reads it) to the login.
    bool TieneObjeto(const QString& nombre);
    // Whether the session's database holds table `tabla` (SQL Server's catalog, asked once per
    // table and connection; elsewhere true).
    bool SesionTiene(const QString& tabla);
    // SQL Server: refuses an administration database that the server does not have (911) or
    // that the login cannot enter (916).
    void VerificaBaseAdministracion();
    // Opens `sql` into the set.
    void Abre(Registros::Impl& rs, const QString& sql, const QString& original, bool traducir);
};

// A record set's state.
struct Registros::Impl {
    AccesoDatos::Impl* ad = nullptr; // the connection it is open on; null while closed
    int tipoCursor = TipoCursor::SoloAvance;
    int tipoBloqueo = TipoBloqueo::SoloLectura;
    QString sql;           // the text as given to Open
    bool traducir = false; // the text is in SQL Server's dialect
    std::shared_ptr<const ad::Encabezado> encabezado = ad::SinColumnas();
    const std::vector<QString>& Nombres() const { return encabezado->nombres; }

    // Streaming (forward-only, read-only): the current row is the source's.
    std::unique_ptr<ad::FuenteFilas> fuente;
    qint64 leidas = 0; // rows read from the source, the current one included

    // In memory: every row (after `previas` rows that streamed past).
    bool enMemoria = false;
    std::vector<std::vector<QVariant>> filas;
    qint64 pos = 0;
    qint64 previas = 0;

    bool bof = true;
    bool eof = true;

    enum class Edicion { Ninguna, Nueva, Actual };
    Edicion edicion = Edicion::Ninguna;
    std::vector<QVariant> valores;
    std::vector<bool> asignado;
    std::optional<std::vector<QString>> clave;

    bool Abierto() const { return ad != nullptr; }
    bool EnFuente() const { return fuente != nullptr; }
    bool Editable() const { return tipoBloqueo != TipoBloqueo::SoloLectura; }
    // Takes the rows of a freshly run query.
    void TomaFilas(std::unique_ptr<ad::FuenteFilas> f);
    void CierraInterno();
    void Verifica() const;
    QVariant Valor(int indice) const;
};
