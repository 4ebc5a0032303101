// The embedded database: a SQLite file opened through Qt's driver, then driven on its native
// handle (statements prepared once per INSERT template and per query shape, rows read one at a
// time, SQLite's own error codes).

#include "AccesoDatosInterno.h"
#include "FuncionesSqlite.h"
#include "Interaccion.h"

#include <QDateTime>
#include <QDir>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringEncoder>
#include <QUuid>
#include <algorithm>
#include <cstring>
#include <deque>
#include <iterator>
#include <list>
#include <sqlite3.h>
#include <string>
#include <unordered_set>
#include <utility>

namespace ad {

sqlite3* HandleSqlite(const QVariant& handle) {
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

namespace {

Fallas FallasDe(sqlite3* db) {
    return FallasSqlite(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

bool RestoEnBlanco(const char* p, const char* fin) {
    for (; p < fin; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';')
            return false;
    return true;
}

// DATE and DATETIME columns hold ISO text; they are read as date-times, as over ODBC.
QVariant ComoFecha(QString texto) {
    QDateTime dt;
    switch (texto.size()) {
    case 10:
        dt = QDateTime(QDate::fromString(texto, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
        break;
    case 16:
        dt = QDateTime::fromString(texto, QStringLiteral("yyyy-MM-dd HH:mm"));
        break;
    case 19:
        dt = QDateTime::fromString(texto, texto[10] == u'T' ? QStringLiteral("yyyy-MM-ddTHH:mm:ss")
                                                            : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        break;
    case 23:
        dt = QDateTime::fromString(texto, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        break;
    default:
        break;
    }
    if (dt.isValid())
        return dt;
    return texto;
}

class MotorSqlite;

class FuenteSqlite : public FuenteFilas {
public:
    // What a statement's columns are: their names and which hold dates.
    struct Forma {
        std::shared_ptr<const Encabezado> encabezado;
        std::vector<bool> fechas;
    };
    static Forma FormaDe(sqlite3_stmt* st);

    FuenteSqlite(MotorSqlite& motor, sqlite3_stmt* st) : FuenteSqlite(motor, st, FormaDe(st), false) {}
    // A statement of the motor's query cache (`prestada`) goes back to it reset, not finalized.
    FuenteSqlite(MotorSqlite& motor, sqlite3_stmt* st, const Forma& forma, bool prestada);
    ~FuenteSqlite() override;
    int Columnas() const override { return static_cast<int>(columnas_.size()); }
    QString Nombre(int i) const override { return encabezado_->nombres[static_cast<size_t>(i)]; }
    std::shared_ptr<const Encabezado> Cabecera() const override { return encabezado_; }
    bool Siguiente() override;
    QVariant Valor(int i) const override {
        if (enMemoria_) [[unlikely]]
            return actual_[static_cast<size_t>(i)];
        // The connection is single-threaded (Qt opens it without a mutex): the column's value
        // is read once through the cheaper value interface.
        sqlite3_value* v = sqlite3_column_value(st_, i);
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_value_int64(v)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_value_double(v));
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
        default: {
            const char* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
            const int bytes = sqlite3_value_bytes(v);
            // Codes and units repeat from row to row: the text of the last one is reused.
            Columna& c = columnas_[static_cast<size_t>(i)];
            if (c.bytes.size() != size_t(bytes) || std::memcmp(c.bytes.data(), t, size_t(bytes)) != 0) {
                c.bytes.assign(t, size_t(bytes));
                c.texto = QString::fromUtf8(t, bytes);
            }
            if (c.fecha) [[unlikely]]
                return ComoFecha(c.texto);
            return QVariant(c.texto);
        }
        }
    }
    // The connection closes: the statement goes first.
    void Finaliza() {
        if (!prestada_)
            sqlite3_finalize(st_);
        st_ = nullptr;
    }
    // The current row and the rest are read into memory and the statement is let go, so that
    // the connection holds no read snapshot (a write transaction could not wait for its lock).
    void PasaAMemoria();

private:
    // The statement goes back to the motor's cache, or is finalized.
    void Suelta();
    std::vector<QVariant> Fila() const;

    MotorSqlite& motor_;
    sqlite3_stmt* st_;
    std::shared_ptr<const Encabezado> encabezado_;
    bool prestada_;
    bool enFila_ = false; // the last step gave a row
    bool enMemoria_ = false;
    std::vector<QVariant> actual_;
    std::deque<std::vector<QVariant>> resto_;
    std::optional<Fallas> fallaPendiente_;
    struct Columna {
        bool fecha = false; // DATE or DATETIME: ISO text read as a date-time
        std::string bytes;  // the last text read and its QString
        QString texto;
    };
    mutable std::vector<Columna> columnas_;
};

class MotorSqlite : public Motor {
public:
    MotorSqlite(QString nombre, sqlite3* db) : nombre_(std::move(nombre)), db_(db) {}
    ~MotorSqlite() override {
        for (FuenteSqlite* f : fuentes_)
            f->Finaliza();
        for (auto& [texto, st] : cache_)
            sqlite3_finalize(st);
        cache_.clear();
        for (Consulta& c : consultas_)
            sqlite3_finalize(c.st);
        consultas_.clear();
        {
            QSqlDatabase db = QSqlDatabase::database(nombre_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(nombre_);
    }

    bool DialectoSqlite() const override { return true; }
    QString Proveedor() const override { return QStringLiteral("SQLite"); }

    qint64 Ejecuta(const QString& sql, std::unique_ptr<FuenteFilas>* filas) override {
        // A query asked again with other compared values reuses its prepared statement: preparing
        // (views included) costs more than running a look-up by key.
        if (filas)
            if (const auto plantilla = ParametrizaConsulta(sql))
                if (Consulta* c = ConsultaPreparada(*plantilla)) {
                    *filas = std::make_unique<FuenteSqlite>(*this, c->st, c->forma, true);
                    return 0;
                }
        const QByteArray utf8 = sql.toUtf8();
        const char* p = utf8.constData();
        const char* fin = p + utf8.size();
        qint64 afectados = 0;
        bool corrio = false; // a statement of the text ran
        while (p < fin) {
            sqlite3_stmt* st = nullptr;
            const char* cola = nullptr;
            negada_.clear();
            if (sqlite3_prepare_v2(db_, p, static_cast<int>(fin - p), &st, &cola) != SQLITE_OK) {
                // The server's syntax error means that nothing of the text ran (it reads the whole
                // text first); SQLite reads each statement after the ones before it ran.
                if (negada_.isEmpty()) {
                    Fallas f = FallasDe(db_);
                    if (corrio && f.lista.front().NativeError == sqlserver::kErrorSintaxis)
                        throw Fallas{{{kNoPermitidaAqui,
                                       QStringLiteral("La base de datos embebida no lee una sentencia del "
                                                      "texto (%1); las anteriores ya se ejecutaron.")
                                           .arg(f.lista.front().Description)}}};
                    throw f;
                }
                const QString orden = std::exchange(negada_, {});
                if (corrio)
                    throw Fallas{
                        {{kNoPermitidaAqui,
                          QStringLiteral("La base de datos embebida no ejecuta %1 después de otra "
                                         "sentencia del mismo texto; las anteriores ya se ejecutaron.")
                              .arg(orden)}}};
                throw Fallas{
                    {{sqlserver::kErrorSintaxis, QStringLiteral("Incorrect syntax near '%1'.").arg(orden)}}};
            }
            p = cola;
            if (!st)
                continue;
            if (filas && sqlite3_column_count(st) > 0 && RestoEnBlanco(p, fin)) {
                *filas = std::make_unique<FuenteSqlite>(*this, st);
                return afectados;
            }
            afectados += Completa(st);
            corrio = true;
        }
        return afectados;
    }

    bool EjecutaPlantilla(const QString& texto, const std::vector<QVariant>& valores,
                          qint64& afectados) override {
        sqlite3_stmt* st = Preparada(texto);
        if (sqlite3_bind_parameter_count(st) != static_cast<int>(valores.size()))
            return false;
        // Texts go in as UTF-8 from one buffer that outlives the step.
        size_t espacio = 0;
        for (const QVariant& v : valores)
            if (v.typeId() == QMetaType::QString)
                espacio += size_t(static_cast<const QString*>(v.constData())->size()) * 3;
        buffer_.resize(espacio);
        char* libre = buffer_.data();
        for (size_t i = 0; i < valores.size(); ++i) {
            const QVariant& v = valores[i];
            const int k = static_cast<int>(i) + 1;
            switch (v.typeId()) {
            case QMetaType::LongLong:
                sqlite3_bind_int64(st, k, *static_cast<const qlonglong*>(v.constData()));
                break;
            case QMetaType::Double:
                sqlite3_bind_double(st, k, *static_cast<const double*>(v.constData()));
                break;
            case QMetaType::QString: {
                char* fin = utf8_.appendToBuffer(libre, *static_cast<const QString*>(v.constData()));
                sqlite3_bind_text(st, k, libre, static_cast<int>(fin - libre), SQLITE_STATIC);
                libre = fin;
                break;
            }
            default:
                sqlite3_bind_null(st, k);
            }
        }
        AntesDeEscribir(st);
        const int rc = sqlite3_step(st);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            Fallas f = FallasDe(db_);
            sqlite3_reset(st);
            throw f;
        }
        afectados += sqlite3_changes(db_);
        sqlite3_reset(st);
        return true;
    }

    void EjecutaTransaccion(const QString& sql) override {
        propia_ = true;
        const auto fin = qScopeGuard([this] { propia_ = false; });
        Ejecuta(sql, nullptr);
    }
    // SQLite's own transaction statements in a text (END, SAVEPOINT, RELEASE, a COMMIT after a
    // ";", one hidden from the transaction reader in what the server reads as a comment) would
    // open or end transactions behind the emulated ones: only the layer's own are let through.
    void VigilaTransacciones() {
        sqlite3_set_authorizer(
            db_,
            [](void* yo, int accion, const char* operacion, const char*, const char*, const char*) {
                auto* m = static_cast<MotorSqlite*>(yo);
                if ((accion != SQLITE_TRANSACTION && accion != SQLITE_SAVEPOINT) || m->propia_)
                    return SQLITE_OK;
                const bool guarda = accion == SQLITE_SAVEPOINT && qstrcmp(operacion, "BEGIN") == 0;
                m->negada_ = guarda ? QStringLiteral("SAVEPOINT") : QString::fromUtf8(operacion);
                return SQLITE_DENY;
            },
            this);
    }

    std::optional<bool> EnTransaccion() const override { return sqlite3_get_autocommit(db_) == 0; }
    void AsignaTiempoEspera(int segundos) override {
        sqlite3_busy_timeout(db_, segundos > 0 ? segundos * 1000 : 24 * 3600 * 1000);
    }
    void AsignaAislamiento(int) override {}
    void AsignaBaseDefecto(const QString&) override {}

    std::vector<QString> ClavePrimaria(const QString& tabla) override {
        std::vector<std::pair<int, QString>> clave;
        std::unique_ptr<FuenteFilas> f;
        Ejecuta(QStringLiteral("PRAGMA table_info(") + LiteralTexto(tabla) + u')', &f);
        if (f)
            while (f->Siguiente())
                if (const int orden = f->Valor(5).toInt(); orden > 0)
                    clave.emplace_back(orden, f->Valor(1).toString());
        std::sort(clave.begin(), clave.end());
        std::vector<QString> r;
        r.reserve(clave.size());
        for (auto& [orden, nombre] : clave)
            r.push_back(nombre);
        return r;
    }

    // Before the write lock is asked for: no open read may keep its snapshot, or the lock would
    // be refused at once instead of waited for (SQLite does not call the busy handler when a
    // read transaction asks for the write lock, and a snapshot older than the last commit can
    // never write).
    void SueltaLecturas() override {
        const std::vector<FuenteSqlite*> abiertas(fuentes_.begin(), fuentes_.end());
        for (FuenteSqlite* f : abiertas)
            f->PasaAMemoria();
    }

    void Registra(FuenteSqlite* f) { fuentes_.insert(f); }
    // A cached query's statement, reset by its reader, is free for the next call.
    void Devuelve(sqlite3_stmt* st) {
        for (auto it = consultas_.begin(); it != consultas_.end(); ++it)
            if (it->st == st) {
                it->enUso = false;
                if (it->caducada) {
                    sqlite3_finalize(it->st);
                    consultas_.erase(it);
                }
                return;
            }
    }
    void Olvida(FuenteSqlite* f) { fuentes_.erase(f); }
    sqlite3* Db() const { return db_; }

private:
    // A write outside a transaction takes the write lock itself: it waits for it as a BEGIN does.
    void AntesDeEscribir(sqlite3_stmt* st) {
        if (!fuentes_.empty() && sqlite3_get_autocommit(db_) && !sqlite3_stmt_readonly(st))
            SueltaLecturas();
    }

    // After a schema change: cached queries are prepared afresh (one being read goes when returned).
    void OlvidaConsultas() {
        for (auto it = consultas_.begin(); it != consultas_.end();) {
            if (it->enUso) {
                (it++)->caducada = true;
            } else {
                sqlite3_finalize(it->st);
                it = consultas_.erase(it);
            }
        }
    }

    // Steps a statement to its end and finalizes it; the records it changed.
    qint64 Completa(sqlite3_stmt* st) {
        AntesDeEscribir(st);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            Fallas f = FallasDe(db_);
            sqlite3_finalize(st);
            throw f;
        }
        qint64 cambios = 0;
        bool cambioEsquema = false;
        if (!sqlite3_stmt_readonly(st)) {
            const char* q = sqlite3_sql(st);
            while (*q == ' ' || *q == '\t' || *q == '\r' || *q == '\n' || *q == '(')
                ++q;
            if (!qstrnicmp(q, "INSERT", 6) || !qstrnicmp(q, "UPDATE", 6) || !qstrnicmp(q, "DELETE", 6) ||
                !qstrnicmp(q, "REPLACE", 7))
                cambios = sqlite3_changes(db_);
            else if (!qstrnicmp(q, "CREATE", 6) || !qstrnicmp(q, "ALTER", 5))
                cambioEsquema = true;
            // Cached queries over a changed table may have other columns now: SQLite prepares
            // them again only when they run, after their columns were read.
            if (cambioEsquema || !qstrnicmp(q, "DROP", 4))
                OlvidaConsultas();
        }
        sqlite3_finalize(st);
        // A table made or changed here gets its width checks too.
        if (cambioEsquema)
            RegistraControlAnchos(db_, false);
        return cambios;
    }

    // The prepared statement of a template; the cache keeps the most recent ones.
    sqlite3_stmt* Preparada(const QString& texto) {
        for (auto it = cache_.begin(); it != cache_.end(); ++it) {
            if (it->first == texto) {
                if (it != cache_.begin())
                    cache_.splice(cache_.begin(), cache_, it);
                return cache_.front().second;
            }
        }
        const QByteArray utf8 = texto.toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v3(db_, utf8.constData(), static_cast<int>(utf8.size()),
                               SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
            throw FallasDe(db_);
        cache_.emplace_front(texto, st);
        if (cache_.size() > kCache) {
            sqlite3_finalize(cache_.back().second);
            cache_.pop_back();
        }
        return st;
    }

    // The cached query of a template with its values bound; nullptr when the template is not one
    // single query or its statement is being read (the caller prepares it as written).
    struct Consulta;
    Consulta* ConsultaPreparada(const Plantilla& p) {
        auto it = consultas_.begin();
        while (it != consultas_.end() && it->texto != p.texto)
            ++it;
        if (it != consultas_.end()) {
            if (it->enUso || it->caducada)
                return nullptr;
            consultas_.splice(consultas_.begin(), consultas_, it);
        } else {
            const QByteArray utf8 = p.texto.toUtf8();
            sqlite3_stmt* st = nullptr;
            const char* cola = nullptr;
            if (sqlite3_prepare_v3(db_, utf8.constData(), static_cast<int>(utf8.size()),
                                   SQLITE_PREPARE_PERSISTENT, &st, &cola) != SQLITE_OK) {
                sqlite3_finalize(st);
                return nullptr; // the text as written reports its own error
            }
            if (!st || sqlite3_column_count(st) == 0 ||
                !RestoEnBlanco(cola, utf8.constData() + utf8.size()) ||
                sqlite3_bind_parameter_count(st) != static_cast<int>(p.valores.size())) {
                sqlite3_finalize(st);
                return nullptr;
            }
            consultas_.push_front(Consulta{p.texto, st, false, false, FuenteSqlite::FormaDe(st)});
            // The least recently used one that nobody reads goes.
            if (consultas_.size() > kConsultas)
                for (auto v = std::prev(consultas_.end()); v != consultas_.begin(); --v)
                    if (!v->enUso) {
                        sqlite3_finalize(v->st);
                        consultas_.erase(v);
                        break;
                    }
        }
        Consulta& c = consultas_.front();
        for (size_t i = 0; i < p.valores.size(); ++i) {
            const QVariant& v = p.valores[i];
            const int k = static_cast<int>(i) + 1;
            if (v.typeId() == QMetaType::LongLong) {
                sqlite3_bind_int64(c.st, k, v.toLongLong());
            } else if (v.typeId() == QMetaType::Double) {
                sqlite3_bind_double(c.st, k, v.toDouble());
            } else {
                const QByteArray t = v.toString().toUtf8();
                sqlite3_bind_text(c.st, k, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
            }
        }
        c.enUso = true;
        return &c;
    }

    struct Consulta {
        QString texto;
        sqlite3_stmt* st;
        bool enUso;
        bool caducada;             // the schema changed while it was being read
        FuenteSqlite::Forma forma; // its columns, read once
    };
    static constexpr size_t kConsultas = 64;
    std::list<Consulta> consultas_;
    static constexpr size_t kCache = 16;
    std::string buffer_;
    QStringEncoder utf8_{QStringEncoder::Utf8};
    QString nombre_;
    sqlite3* db_;
    bool propia_ = false; // running one of the layer's own transaction statements
    QString negada_;      // the transaction statement that the last preparation was refused
    std::list<std::pair<QString, sqlite3_stmt*>> cache_;
    std::unordered_set<FuenteSqlite*> fuentes_;
};

FuenteSqlite::Forma FuenteSqlite::FormaDe(sqlite3_stmt* st) {
    const int n = sqlite3_column_count(st);
    std::vector<QString> nombres;
    nombres.reserve(static_cast<size_t>(n));
    Forma f;
    f.fechas.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        nombres.push_back(QString::fromUtf8(sqlite3_column_name(st, i)));
        if (const char* tipo = sqlite3_column_decltype(st, i)) {
            const QByteArray t = QByteArray(tipo).toUpper();
            f.fechas[static_cast<size_t>(i)] = t.contains("DATE") || t.contains("TIME");
        }
    }
    f.encabezado = std::make_shared<const Encabezado>(std::move(nombres));
    return f;
}

FuenteSqlite::FuenteSqlite(MotorSqlite& motor, sqlite3_stmt* st, const Forma& forma, bool prestada)
    : motor_(motor), st_(st), encabezado_(forma.encabezado), prestada_(prestada) {
    columnas_.resize(forma.fechas.size());
    for (size_t i = 0; i < columnas_.size(); ++i)
        columnas_[i].fecha = forma.fechas[i];
    motor_.Registra(this);
}

FuenteSqlite::~FuenteSqlite() {
    if (st_)
        Suelta();
}

void FuenteSqlite::Suelta() {
    if (prestada_) {
        sqlite3_reset(st_); // ends its read; an error was reported by the step that met it
        sqlite3_clear_bindings(st_);
        motor_.Devuelve(st_);
    } else {
        sqlite3_finalize(st_);
    }
    st_ = nullptr;
    motor_.Olvida(this);
}

std::vector<QVariant> FuenteSqlite::Fila() const {
    std::vector<QVariant> fila(columnas_.size());
    for (size_t i = 0; i < fila.size(); ++i)
        fila[i] = Valor(static_cast<int>(i));
    return fila;
}

void FuenteSqlite::PasaAMemoria() {
    if (enMemoria_ || !st_)
        return;
    if (enFila_)
        actual_ = Fila();
    int rc;
    while ((rc = sqlite3_step(st_)) == SQLITE_ROW)
        resto_.push_back(Fila());
    // A failure met on the way is reported where the reader would have met it.
    if (rc != SQLITE_DONE)
        fallaPendiente_ = FallasDe(motor_.Db());
    Suelta();
    enMemoria_ = true;
}

bool FuenteSqlite::Siguiente() {
    if (enMemoria_) {
        enFila_ = !resto_.empty();
        if (enFila_) {
            actual_ = std::move(resto_.front());
            resto_.pop_front();
            return true;
        }
        if (fallaPendiente_) {
            const Fallas f = std::move(*fallaPendiente_);
            fallaPendiente_.reset();
            throw f;
        }
        return false;
    }
    if (!st_)
        throw Fallas{{{kNoHayConexion, QStringLiteral("La conexión está cerrada.")}}};
    const int rc = sqlite3_step(st_);
    enFila_ = rc == SQLITE_ROW;
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw FallasDe(motor_.Db());
}

// Runs one pragma or check on a fresh connection.
void Prepara(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        sqlite3_free(error);
        throw FallasDe(db);
    }
}

// A file whose stock movements hold two vouchers under one identity is opened as it is; the user
// is told which.
void AvisaIdentidadesRepetidas(const IdentidadesRepetidas& repetidas) {
    if (repetidas.total == 0)
        return;
    QString texto =
        QStringLiteral("La base de datos guarda comprobantes de stock que comparten una identidad "
                       "(tipo, número y complemento):");
    for (const QString& identidad : repetidas.primeras)
        texto += QStringLiteral("\r\n   ") + identidad;
    if (repetidas.total > repetidas.primeras.size())
        texto += QStringLiteral("\r\n   ... y %1 más").arg(repetidas.total - repetidas.primeras.size());
    texto +=
        QStringLiteral("\r\nSe abrió sin cambios: mientras estén repetidos no se le puede agregar la clave "
                       "que impide repetir una identidad (IX_MV_STOCK_CPTE). Corríjalos; cada grabación "
                       "sigue comprobando que su número no haya sido tomado.");
    interaccion().MsgBox(texto, Estilo::SoloAceptar | Estilo::Exclamacion,
                         QStringLiteral("Aviso al Operador"));
}

} // namespace

std::unique_ptr<Motor> AbreSqlite(const QString& ruta, int tiempoEspera) {
    const QString nombre =
        QStringLiteral("AccesoDatos-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    std::unique_ptr<MotorSqlite> motor;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(ruta);
        if (!db.open()) {
            const QString texto = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(nombre);
            throw Fallas{{{kBaseNoDisponible, QStringLiteral("No se puede abrir la base de datos \"%1\": %2")
                                                  .arg(QDir::toNativeSeparators(ruta), texto)}}};
        }
        sqlite3* h = HandleSqlite(db.driver()->handle());
        if (!h) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(nombre);
            throw Fallas{
                {{kBaseNoDisponible, QStringLiteral("El controlador de SQLite no da su conexión.")}}};
        }
        motor = std::make_unique<MotorSqlite>(nombre, h);
    }
    sqlite3* h = motor->Db();
    sqlite3_extended_result_codes(h, 1);
    motor->AsignaTiempoEspera(tiempoEspera);
    try {
        // A file that is not a database fails here, before anything is written to it.
        Prepara(h, "SELECT count(*) FROM sqlite_master");
        Prepara(h, "PRAGMA foreign_keys = ON");
        Prepara(h, "PRAGMA journal_mode = WAL");
        Prepara(h, "PRAGMA synchronous = NORMAL");
    } catch (const Fallas& f) {
        Fallas r;
        r.lista.push_back(
            {kBaseNoDisponible, QStringLiteral("No se puede abrir la base de datos \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(ruta), f.lista.front().Description)});
        throw r;
    }
    RegistraFuncionesSqlite(h);
    RegistraColumnasFechaDeLaBase(h);
    RegistraControlAnchos(h, false);
    AvisaIdentidadesRepetidas(AseguraClaveComprobantes(h, 20));
    motor->VigilaTransacciones();
    return motor;
}

} // namespace ad
