// SQL Server (or any database) through ODBC with Qt's driver. The errors come from the
// driver's diagnostic records, one entry each, with the server's native numbers.

#include "AccesoDatosInterno.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QUuid>
#include <sql.h>
#include <sqlext.h>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's wide characters are UTF-16");

namespace ad {

namespace {

// Seconds an ODBC login may take before the connection is reported as failed.
constexpr int kEsperaLogin = 5;

SQLHANDLE HandleOdbc(const QVariant& handle) {
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "void*") != 0 && qstrcmp(handle.typeName(), "SQLHANDLE") != 0))
        return nullptr;
    return *static_cast<SQLHANDLE const*>(handle.constData());
}

long NumeroInicial(const QString& texto) {
    qsizetype i = 0;
    if (i < texto.size() && texto[i] == u'-')
        ++i;
    while (i < texto.size() && texto[i].isDigit())
        ++i;
    return texto.first(i).toLong();
}

// A text of the connection's SQLGetInfo (the DBMS's name, the driver's file name).
QString InfoTexto(const QSqlDatabase& db, SQLUSMALLINT que) {
    SQLHANDLE h = HandleOdbc(db.driver()->handle());
    if (!h)
        return {};
    SQLWCHAR nombre[256];
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(h, que, nombre, sizeof nombre, &bytes)))
        return {};
    bytes = std::min<SQLSMALLINT>(bytes, sizeof nombre - sizeof(SQLWCHAR));
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(nombre), bytes / qsizetype(sizeof(SQLWCHAR)));
}

// Qt hands the driver a text that holds neither "DRIVER=" nor "SERVER=" (nor ".dsn") as "DSN="
// and the text: a DSN's own text, its name first, goes without that "DSN=".
QString TextoParaQt(const QString& cadena) {
    const auto tiene = [&cadena](const char* que) {
        return cadena.contains(QLatin1StringView(que), Qt::CaseInsensitive);
    };
    if (!tiene(".dsn") && !tiene("DRIVER=") && !tiene("SERVER=") &&
        cadena.startsWith(QLatin1StringView("DSN="), Qt::CaseInsensitive))
        return cadena.mid(4);
    return cadena;
}

// The connection `nombre` opened with `cadena`; raises Fallas.
QSqlDatabase AbreConexion(const QString& nombre, const QString& cadena) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
    // Qt hands the driver the text with its terminating NUL: closed by ";", the NUL makes an
    // empty item instead of ending the last value (a password with a NUL is refused).
    db.setDatabaseName(TextoParaQt(cadena.endsWith(u';') ? cadena : cadena + u';'));
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kEsperaLogin));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre);
        long numero = NumeroInicial(e.nativeErrorCode());
        if (numero == 0)
            numero = kServidorNoDisponible;
        QString texto = LimpiaMensajeDriver(e.databaseText());
        if (texto.isEmpty())
            texto = e.text();
        throw Fallas{{{numero, texto}}};
    }
    return db;
}

void CierraConexion(const QString& nombre) {
    {
        QSqlDatabase db = QSqlDatabase::database(nombre, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
}

class MotorOdbc;

class FuenteOdbc : public FuenteFilas {
public:
    FuenteOdbc(MotorOdbc& motor, QSqlQuery q);
    ~FuenteOdbc() override;
    int Columnas() const override { return static_cast<int>(nombres_.size()); }
    QString Nombre(int i) const override { return nombres_[static_cast<size_t>(i)]; }
    bool Siguiente() override;
    QVariant Valor(int i) const override {
        return enMemoria_ ? actual_[static_cast<size_t>(i)] : q_.value(i);
    }
    // Reads the rest of the rows into memory and frees the connection for the next statement
    // (a SQL Server connection serves one open result at a time).
    void PasaAMemoria();
    // The connection closes.
    void Suelta();

private:
    MotorOdbc* motor_;
    QSqlQuery q_;
    std::vector<QString> nombres_;
    bool empezada_ = false;
    bool enMemoria_ = false;
    bool cerrada_ = false;
    std::vector<QVariant> actual_;
    std::deque<std::vector<QVariant>> resto_;
    std::optional<Fallas> fallaPendiente_; // a read that failed while the rows went to memory
};

class MotorOdbc : public Motor {
public:
    MotorOdbc(QString nombre, QString dbms) : nombre_(std::move(nombre)), dbms_(std::move(dbms)) {
        sqlite_ = dbms_.contains(QStringLiteral("SQLite"), Qt::CaseInsensitive);
        sqlServer_ = dbms_.contains(QStringLiteral("SQL Server"), Qt::CaseInsensitive);
    }
    ~MotorOdbc() override {
        for (FuenteOdbc* f : std::vector<FuenteOdbc*>(fuentes_.begin(), fuentes_.end()))
            f->Suelta();
        CierraConexion(nombre_);
    }

    bool DialectoSqlite() const override { return sqlite_; }
    bool SqlServer() const override { return sqlServer_; }
    QString Proveedor() const override { return QStringLiteral("ODBC;DBMS=") + dbms_; }

    qint64 Ejecuta(const QString& sql, std::unique_ptr<FuenteFilas>* filas) override {
        LiberaConexion();
        QSqlQuery q(QSqlDatabase::database(nombre_, false));
        q.setForwardOnly(true);
        if (!q.exec(sql))
            throw FallasDe(q);
        if (q.isSelect()) {
            if (filas)
                *filas = std::make_unique<FuenteOdbc>(*this, std::move(q));
            return 0;
        }
        return std::max(0, q.numRowsAffected());
    }

    void AsignaTiempoEspera(int segundos) override {
        if (sqlite_)
            Ejecuta(QStringLiteral("PRAGMA busy_timeout = %1").arg(segundos > 0 ? segundos * 1000 : 86400000),
                    nullptr);
        else if (sqlServer_)
            Ejecuta(QStringLiteral("SET LOCK_TIMEOUT %1").arg(segundos > 0 ? segundos * 1000 : -1), nullptr);
    }
    void AsignaAislamiento(int nivel) override {
        if (!sqlServer_)
            return;
        const char* nombre = nivel <= 256     ? "READ UNCOMMITTED"
                             : nivel <= 4096  ? "READ COMMITTED"
                             : nivel <= 65536 ? "REPEATABLE READ"
                                              : "SERIALIZABLE";
        Ejecuta(QStringLiteral("SET TRANSACTION ISOLATION LEVEL ") + QLatin1StringView(nombre), nullptr);
    }
    void AsignaBaseDefecto(const QString& base) override {
        if (sqlServer_ && !base.isEmpty())
            Ejecuta(QStringLiteral("USE ") + Identificador(base), nullptr);
    }
    std::vector<QString> ClavePrimaria(const QString& tabla) override {
        LiberaConexion();
        QString nombre = tabla;
        nombre.remove(u'[').remove(u']');
        if (sqlServer_)
            return ClavePrimariaSqlServer(nombre);
        const QSqlIndex indice = QSqlDatabase::database(nombre_, false).primaryIndex(nombre);
        std::vector<QString> r;
        r.reserve(static_cast<size_t>(indice.count()));
        for (int i = 0; i < indice.count(); ++i)
            r.push_back(indice.fieldName(i));
        return r;
    }

    // The errors of a refused statement: every diagnostic record of the driver.
    Fallas FallasDe(const QSqlQuery& q) const {
        Fallas f;
        if (SQLHANDLE h = HandleOdbc(q.result() ? q.result()->handle() : QVariant())) {
            for (SQLSMALLINT i = 1;; ++i) {
                SQLWCHAR estado[6];
                SQLINTEGER nativo = 0;
                SQLWCHAR mensaje[2048];
                SQLSMALLINT largo = 0;
                const SQLRETURN r = SQLGetDiagRecW(SQL_HANDLE_STMT, h, i, estado, &nativo, mensaje,
                                                   SQLSMALLINT(std::size(mensaje)), &largo);
                if (!SQL_SUCCEEDED(r))
                    break;
                largo = std::min<SQLSMALLINT>(largo, SQLSMALLINT(std::size(mensaje) - 1));
                const QString texto = QString::fromUtf16(reinterpret_cast<const char16_t*>(mensaje), largo);
                Agrega(f, nativo, texto);
            }
        }
        if (f.lista.empty()) {
            const QSqlError e = q.lastError();
            Agrega(f, NumeroInicial(e.nativeErrorCode()),
                   e.databaseText().isEmpty() ? e.text() : e.databaseText());
        }
        return f;
    }

    void OrdenDeFechasDiaMesAnio() {
        Ejecuta(QStringLiteral("SET DATEFORMAT dmy"), nullptr);
        // Babelfish (SQL Server's dialect on PostgreSQL) ignores SET DATEFORMAT and reads dates
        // in its session's DateStyle; on SQL Server the property is null.
        std::unique_ptr<FuenteFilas> filas;
        Ejecuta(QStringLiteral("SELECT CAST(SERVERPROPERTY('Babelfish') AS INT)"), &filas);
        const bool babelfish = filas && filas->Siguiente() && filas->Valor(0).toInt() == 1;
        filas.reset();
        if (babelfish)
            Ejecuta(QStringLiteral("SELECT set_config('datestyle', 'ISO, DMY', 'false')"), nullptr);
    }

    // Qt's catalog call sends the table name with its terminating NUL to FreeTDS, and the server
    // then finds no such table: the key is read from the catalog views instead.
    std::vector<QString> ClavePrimariaSqlServer(const QString& nombre) {
        // "db.schema.table": the catalog of that database.
        const QStringList partes = nombre.split(u'.');
        const QString catalogo = partes.size() >= 3 ? Identificador(partes.first()) + u'.' : QString();
        QString literal = nombre;
        literal.replace(u'\'', QStringLiteral("''"));
        const QString sql =
            QStringLiteral("SELECT c.name FROM %1sys.indexes i JOIN %1sys.index_columns ic ON ic.object_id = "
                           "i.object_id AND ic.index_id = i.index_id JOIN %1sys.columns c ON c.object_id = "
                           "ic.object_id AND c.column_id = ic.column_id WHERE i.is_primary_key = 1 AND "
                           "i.object_id = OBJECT_ID(N'%2') ORDER BY ic.key_ordinal")
                .arg(catalogo, literal);
        std::unique_ptr<FuenteFilas> filas;
        Ejecuta(sql, &filas);
        std::vector<QString> r;
        while (filas && filas->Siguiente())
            r.push_back(filas->Valor(0).toString());
        return r;
    }

    void Registra(FuenteOdbc* f) { fuentes_.insert(f); }
    void Olvida(FuenteOdbc* f) { fuentes_.erase(f); }

private:
    void Agrega(Fallas& f, long nativo, const QString& texto) const {
        if (sqlite_) {
            // The SQLite driver gives SQLite's code: the entries the server would give.
            Fallas s = FallasSqlite(static_cast<int>(nativo), LimpiaMensajeDriver(texto));
            f.lista.insert(f.lista.end(), s.lista.begin(), s.lista.end());
        } else {
            f.lista.push_back({nativo, LimpiaMensajeDriver(texto)});
        }
    }

    void LiberaConexion() {
        const std::vector<FuenteOdbc*> abiertas(fuentes_.begin(), fuentes_.end());
        for (FuenteOdbc* fuente : abiertas)
            fuente->PasaAMemoria();
    }

    QString nombre_;
    QString dbms_;
    bool sqlite_ = false;
    bool sqlServer_ = false; // the session settings below are SQL Server's statements
    std::unordered_set<FuenteOdbc*> fuentes_;
};

FuenteOdbc::FuenteOdbc(MotorOdbc& motor, QSqlQuery q) : motor_(&motor), q_(std::move(q)) {
    const QSqlRecord registro = q_.record();
    for (int i = 0; i < registro.count(); ++i)
        nombres_.push_back(registro.fieldName(i));
    motor_->Registra(this);
}

FuenteOdbc::~FuenteOdbc() {
    if (motor_)
        motor_->Olvida(this);
}

void FuenteOdbc::Suelta() {
    q_.finish();
    q_ = QSqlQuery();
    if (motor_)
        motor_->Olvida(this);
    motor_ = nullptr;
    enMemoria_ = true;
    cerrada_ = true;
    actual_.assign(nombres_.size(), QVariant());
    resto_.clear();
}

bool FuenteOdbc::Siguiente() {
    if (cerrada_)
        throw Fallas{{{kNoHayConexion, QStringLiteral("La conexión está cerrada.")}}};
    if (enMemoria_) {
        empezada_ = true;
        if (resto_.empty()) {
            if (fallaPendiente_) {
                const Fallas f = *fallaPendiente_;
                fallaPendiente_.reset();
                throw f;
            }
            return false;
        }
        actual_ = std::move(resto_.front());
        resto_.pop_front();
        return true;
    }
    empezada_ = true;
    if (q_.next())
        return true;
    if (q_.lastError().type() != QSqlError::NoError)
        throw motor_->FallasDe(q_);
    return false;
}

void FuenteOdbc::PasaAMemoria() {
    if (enMemoria_)
        return;
    if (empezada_ && q_.isValid()) {
        actual_.resize(nombres_.size());
        for (size_t i = 0; i < nombres_.size(); ++i)
            actual_[i] = q_.value(static_cast<int>(i));
    }
    while (q_.next()) {
        std::vector<QVariant> fila(nombres_.size());
        for (size_t i = 0; i < nombres_.size(); ++i)
            fila[i] = q_.value(static_cast<int>(i));
        resto_.push_back(std::move(fila));
    }
    if (q_.lastError().type() != QSqlError::NoError)
        fallaPendiente_ = motor_->FallasDe(q_);
    q_.finish();
    enMemoria_ = true;
    motor_->Olvida(this);
    motor_ = nullptr;
}

} // namespace

std::unique_ptr<Motor> AbreOdbc(QString& cadena, int tiempoEspera, int aislamiento, bool utf8SiFreeTds) {
    const QString nombre =
        QStringLiteral("AccesoDatos-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString dbms;
    {
        QSqlDatabase db = AbreConexion(nombre, cadena);
        if (utf8SiFreeTds &&
            InfoTexto(db, SQL_DRIVER_NAME).contains(QLatin1StringView("tdsodbc"), Qt::CaseInsensitive)) {
            db = QSqlDatabase();
            CierraConexion(nombre);
            if (!cadena.endsWith(u';'))
                cadena += u';';
            cadena += QStringLiteral("ClientCharset=UTF-8;");
            db = AbreConexion(nombre, cadena);
        }
        dbms = InfoTexto(db, SQL_DBMS_NAME);
    }
    auto motor = std::make_unique<MotorOdbc>(nombre, dbms);
    if (motor->DialectoSqlite()) {
        motor->Ejecuta(QStringLiteral("PRAGMA foreign_keys = ON"), nullptr);
        motor->Ejecuta(QStringLiteral("PRAGMA journal_mode = WAL"), nullptr);
    }
    // The system writes its dates day first ("dd/mm/yyyy"): read so whatever the login's language.
    if (motor->SqlServer())
        motor->OrdenDeFechasDiaMesAnio();
    motor->AsignaTiempoEspera(tiempoEspera);
    motor->AsignaAislamiento(aislamiento);
    return motor;
}

} // namespace ad
