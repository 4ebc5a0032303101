#include "AccesoDatos.h"

#include "AccesoDatosInterno.h"
#include "FuncionesSqlite.h"
#include "Moneda.h"
#include "Regional.h"
#include "TraductorSql.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

using namespace ad;

namespace {

QString ValorOdbc(const QString& v) {
    if (!v.contains(u';') && !v.contains(u'{') && !v.contains(u'}') && v.trimmed() == v)
        return v;
    QString r = v;
    r.replace(u'}', QStringLiteral("}}"));
    return u'{' + r + u'}';
}

QString LiteralMoneda(const Moneda& m) {
    const std::int64_t crudo = m.Crudo();
    const bool negativo = crudo < 0;
    const quint64 abs = negativo ? quint64(0) - quint64(crudo) : quint64(crudo);
    QString r = (negativo ? QStringLiteral("-") : QString()) + QString::number(abs / Moneda::Escala);
    quint64 fraccion = abs % Moneda::Escala;
    if (fraccion) {
        QString f = QString::number(fraccion).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        r += u'.' + f;
    }
    return r;
}

// The connection data of an ODBC connection: the attributes that go to the driver, and the
// administration database the item "ADMIN=<database>" names (the server never sees that item).
struct DatoOdbc {
    QString atributos;
    QString baseAdmin;
    bool adminDado = false; // an "ADMIN=" item, whatever its value
    QString adminRepetido;  // a second "ADMIN=" item, as written
    QString sinIgual;       // the first item without "=", which no driver could read
};

// The DSN's item goes first, where Qt's reading of a text without a driver or a server wants its
// name (AbreOdbc).
DatoOdbc SeparaDatoConexion(const QString& dato) {
    DatoOdbc r;
    QString item;
    int llaves = 0;
    bool conDsn = false;
    const auto cierra = [&r, &item, &conDsn] {
        const QString t = item.trimmed();
        item.clear();
        if (t.isEmpty())
            return;
        const qsizetype igual = t.indexOf(u'=');
        if (igual <= 0) {
            if (r.sinIgual.isEmpty())
                r.sinIgual = t;
            return;
        }
        const QString nombre = t.first(igual).trimmed();
        if (nombre.compare(QLatin1StringView("ADMIN"), Qt::CaseInsensitive) == 0) {
            if (r.adminDado) {
                if (r.adminRepetido.isEmpty())
                    r.adminRepetido = t;
                return;
            }
            QString base = t.mid(igual + 1).trimmed();
            if (base.startsWith(u'{') && base.endsWith(u'}'))
                base = base.mid(1, base.size() - 2).replace(QStringLiteral("}}"), QStringLiteral("}"));
            r.baseAdmin = base;
            r.adminDado = true;
            return;
        }
        if (!conDsn && nombre.compare(QLatin1StringView("DSN"), Qt::CaseInsensitive) == 0) {
            conDsn = true;
            r.atributos.prepend(QStringLiteral("DSN=") + t.mid(igual + 1).trimmed() + u';');
            return;
        }
        r.atributos += t + u';';
    };
    for (QChar c : dato) {
        if (c == u'{')
            ++llaves;
        else if (c == u'}' && llaves > 0)
            --llaves;
        if (c == u';' && llaves == 0)
            cierra();
        else
            item += c;
    }
    cierra();
    return r;
}

// The value of attribute `nombre` (its braces removed), nothing when the data lack it.
std::optional<QString> Atributo(const QString& atributos, const char* nombre) {
    for (const QString& item : atributos.split(u';')) {
        const qsizetype igual = item.indexOf(u'=');
        if (igual > 0 &&
            item.first(igual).trimmed().compare(QLatin1StringView(nombre), Qt::CaseInsensitive) == 0) {
            QString valor = item.mid(igual + 1).trimmed();
            if (valor.startsWith(u'{') && valor.endsWith(u'}'))
                valor = valor.mid(1, valor.size() - 2).trimmed();
            return valor;
        }
    }
    return std::nullopt;
}

bool TieneAtributo(const QString& atributos, const char* nombre) {
    return Atributo(atributos, nombre).has_value();
}

// "SERVER=...;" and "PORT=...;" for a server named "host", "host,port" or "host:port" (SQL
// Server's and the suite's ways of giving a port; FreeTDS reads neither, and without a port it
// does not connect to a host that freetds.conf does not list). A named instance ("host\INST")
// is found by the driver, so it gets no port; nor does a server whose data give one. Data that
// name the server their own way (a DSN, FreeTDS's SERVERNAME) get neither: FreeTDS refuses a
// second way.
QString ServidorYPuerto(const QString& servidor, const QString& atributos) {
    if (TieneAtributo(atributos, "DSN") || TieneAtributo(atributos, "SERVERNAME"))
        return {};
    QString host = servidor;
    QString puerto;
    const qsizetype sep = std::max(host.lastIndexOf(u','), host.lastIndexOf(u':'));
    if (sep > 0) {
        const QString resto = host.mid(sep + 1).trimmed();
        bool numero = !resto.isEmpty();
        for (QChar c : resto)
            numero = numero && c.isDigit();
        if (numero) {
            puerto = resto;
            host = host.left(sep).trimmed();
        }
    }
    QString r = QStringLiteral("SERVER=") + ValorOdbc(host) + u';';
    const bool dado = TieneAtributo(atributos, "PORT");
    if (!puerto.isEmpty() && !dado)
        r += QStringLiteral("PORT=") + puerto + u';';
    else if (puerto.isEmpty() && !dado && !host.contains(u'\\'))
        r += QStringLiteral("PORT=1433;");
    return r;
}

// An item the driver could not read (VB's "invalid procedure call or argument").
constexpr long kDatoInvalido = 5;

// What no server could mend in the connection data, told before anything reaches the driver.
void VerificaDatoConexion(const DatoOdbc& dato) {
    if (!dato.sinIgual.isEmpty())
        Falla(
            kDatoInvalido,
            QStringLiteral("El dato \"%1\" de los datos de conexión no tiene la forma nombre=valor: un \";\" "
                           "dentro de un valor se escribe entre llaves, como en ADMIN={Gestión;Admin}.")
                .arg(dato.sinIgual));
    if (dato.adminDado && NombreBaseAdministracion(dato.baseAdmin).isEmpty())
        Falla(sqlserver::kBaseInexistente,
              QStringLiteral("ADMIN= en los datos de conexión no nombra ninguna base de administración."));
    if (!dato.adminRepetido.isEmpty())
        Falla(kDatoInvalido,
              QStringLiteral("Los datos de conexión nombran dos veces la base de administración (ADMIN=%1 y "
                             "%2): debe nombrarse una sola.")
                  .arg(dato.baseAdmin, dato.adminRepetido));
    // The program reads the server's text as UTF-8: any other client set would turn each accent
    // into a character that is none.
    if (const auto juego = Atributo(dato.atributos, "ClientCharset");
        juego && juego->compare(QLatin1StringView("UTF-8"), Qt::CaseInsensitive) != 0 &&
        juego->compare(QLatin1StringView("UTF8"), Qt::CaseInsensitive) != 0)
        Falla(
            kDatoInvalido,
            QStringLiteral("ClientCharset=%1 en los datos de conexión: el programa lee el texto del servidor "
                           "en UTF-8, y con otro juego de caracteres los acentos se leerían mal. Quite "
                           "ClientCharset o escriba ClientCharset=UTF-8.")
                .arg(*juego));
}

// The server says the object's name does not exist: SQL Server by its number, Babelfish (which
// gives one number to this and to a refused right) in its words.
bool NoExiste(const ErrorBD& e) {
    return e.NativeError == sqlserver::kTablaInexistente ||
           e.Description.contains(QLatin1StringView("does not exist"), Qt::CaseInsensitive);
}

bool EsNulo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

// A text for SQLite whose comments it would read otherwise than the server (which nests them) is
// refused before anything of it runs, never run as other SQL.
void VerificaComentarios(Comentarios lectura) {
    if (lectura == Comentarios::Igual)
        return;
    if (lectura == Comentarios::Abierto)
        Falla(sqlserver::kComentarioAbierto, QStringLiteral("Missing end comment mark '*/'."));
    Falla(sqlserver::kErrorSintaxis,
          QStringLiteral("La base de datos embebida no lee como el servidor un comentario \"/* */\" "
                         "dentro de otro: no se ejecutó nada del texto."));
}

void VerificaComentarios(const QString& texto) {
    VerificaComentarios(ComentariosEnSqlite(texto));
}

} // namespace

// ---------------------------------------------------------------------------------------
// Error list and connection

const ErrorBD& Errores::Item(int indice) const {
    if (indice < 0 || indice >= Count())
        throw ErrorSistema(
            kCampoInexistente,
            QStringLiteral("No se encuentra el elemento en la colección que corresponde al nombre "
                           "o número solicitado."),
            QStringLiteral("AccesoDatos"));
    return lista_[static_cast<size_t>(indice)];
}

int Conexion::State() const {
    return dueno_.d_->motor ? 1 : 0;
}

void Conexion::Close() {
    dueno_.d_->Cierra();
}

void Conexion::setCommandTimeout(int segundos) {
    tiempoEspera_ = std::max(0, segundos);
    if (auto& d = *dueno_.d_; d.motor) {
        try {
            d.motor->AsignaTiempoEspera(tiempoEspera_);
        } catch (const Fallas& f) {
            errores_.Clear();
            d.Lanza(f, QStringLiteral("CommandTimeout"));
        }
    }
}

void Conexion::setIsolationLevel(int nivel) {
    aislamiento_ = nivel;
    if (auto& d = *dueno_.d_; d.motor) {
        try {
            d.motor->AsignaAislamiento(nivel);
        } catch (const Fallas& f) {
            errores_.Clear();
            d.Lanza(f, QStringLiteral("IsolationLevel"));
        }
    }
}

void Conexion::setDefaultDatabase(const QString& base) {
    if (auto& d = *dueno_.d_; d.motor) {
        try {
            d.motor->AsignaBaseDefecto(base);
        } catch (const Fallas& f) {
            errores_.Clear();
            d.Lanza(f, QStringLiteral("DefaultDatabase"));
        }
    }
    baseDefecto_ = base;
}

// ---------------------------------------------------------------------------------------
// Inner state

void AccesoDatos::Impl::Cierra() {
    while (!abiertos.empty())
        (*abiertos.begin())->CierraInterno();
    motor.reset();
    sqlite = false;
    sqlServer = false;
    nivel = 0;
    guardados.clear();
    nombreTransaccion.clear();
    rutaSqlite.clear();
    baseAdmin.clear();
    tablasAdmin.clear();
    tablasSesion.clear();
}

void AccesoDatos::Impl::VerificaConexion(const char* operacion) const {
    if (!motor) {
        yo.conexion_.Errors().Clear();
        const_cast<Impl*>(this)->Lanza(
            Fallas{{{kNoHayConexion, QStringLiteral("La conexión con la base de datos no está abierta.")}}},
            QLatin1StringView(operacion));
    }
}

QString AccesoDatos::Impl::Traduce(const QString& sql) {
    const auto it = cacheTraduccion.constFind(sql);
    if (it != cacheTraduccion.constEnd())
        return *it;
    QString r = TraduceSqlServerASqlite(sql);
    if (cacheTraduccion.size() >= 512)
        cacheTraduccion.clear();
    cacheTraduccion.insert(sql, r);
    return r;
}

void AccesoDatos::Impl::Sincroniza() {
    if (const auto en = motor->EnTransaccion()) {
        if (!*en) {
            nivel = 0;
            guardados.clear();
            nombreTransaccion.clear();
        } else if (nivel == 0) {
            nivel = 1;
        }
    }
}

namespace {

// The first value of a query on the engine, null when it gives no row.
QVariant PrimerValor(Motor& motor, const QString& sql) {
    std::unique_ptr<FuenteFilas> filas;
    motor.Ejecuta(sql, &filas);
    return filas && filas->Siguiente() ? filas->Valor(0) : QVariant();
}

} // namespace

int AccesoDatos::Impl::NivelServidor() {
    try {
        return PrimerValor(*motor, QStringLiteral("SELECT @@TRANCOUNT")).toInt();
    } catch (const Fallas&) {
        // Without an answer the connection is of no further use to the batch either.
        return 0;
    }
}

bool AccesoDatos::Impl::TransaccionTerminada() {
    if (nivel == 0)
        return false;
    const int antes = nivel;
    if (sqlite) {
        Sincroniza();
        return nivel == 0;
    }
    if (!sqlServer)
        return false;
    // A deadlock victim, a trigger's rollback or any error under XACT_ABORT ends the transaction
    // on the server; only its depth tells.
    nivel = NivelServidor();
    return nivel < antes;
}

QString AccesoDatos::Impl::ParaMotor(const QString& sql) {
    if (sqlite)
        return Traduce(sql);
    if (!sqlServer)
        return sql;
    return ResuelveAdminSqlServer(sql, baseAdmin,
                                  [this](const QString& tabla) { return EnAdministracion(tabla); });
}

namespace {

// The "@ADMIN_" tables the program names, resolved when a connection opens.
const QStringList kTablasAdministracion = {
    QStringLiteral("V_TA_Deposito"), QStringLiteral("V_TA_DEPOSITO_MM"), QStringLiteral("V_TA_Cajas"),
    QStringLiteral("MV_ASIENTOS"), QStringLiteral("MV_ASIENTOSCCOSTO")};
// The rights the program uses on them, in the order the words of a refusal name the first lacking.
const QStringList kDerechos = {QStringLiteral("SELECT"), QStringLiteral("INSERT"), QStringLiteral("UPDATE")};

} // namespace

bool AccesoDatos::Impl::EnAdministracion(const QString& tabla) {
    auto it = tablasAdmin.constFind(tabla.toUpper());
    if (it == tablasAdmin.cend()) {
        // Inside a transaction a refused probe would end it (Babelfish always, SQL Server under
        // XACT_ABORT): a name first met there is asked on a connection of the layer's own.
        const bool enTransaccion = NivelServidor() > 0;
        std::unique_ptr<Motor> propia;
        std::optional<Fallas> falla;
        try {
            if (enTransaccion) {
                QString cadena = yo.cadena_; // already told ClientCharset where FreeTDS needs it
                propia = AbreOdbc(cadena, yo.conexion_.tiempoEspera_, yo.conexion_.aislamiento_);
            }
            ResuelveAdministracion({tabla}, propia ? *propia : *motor);
        } catch (const Fallas& f) {
            falla = f;
        }
        it = tablasAdmin.constFind(tabla.toUpper());
        if (it == tablasAdmin.cend()) {
            // Unanswered: the statement goes to the administration database, as it names it, and
            // the server tells what it finds there; asked again next time. Not inside a
            // transaction, which a refusal there could end.
            if (!enTransaccion)
                return true;
            const QString motivo = falla && !falla->lista.empty() ? falla->lista.front().Description
                                                                  : QStringLiteral("sin respuesta");
            Falla(
                sqlserver::kServidorNoDisponible,
                QStringLiteral("No se ejecutó la sentencia que nombra la tabla %1: dentro de una transacción "
                               "el programa averigua en una conexión propia si la base de administración "
                               "\"%2\" tiene esa tabla, y %3 (%4). La transacción sigue abierta, con lo "
                               "que tenía.")
                    .arg(tabla, baseAdmin,
                         propia ? QStringLiteral("el servidor no respondió")
                                : QStringLiteral("esa conexión no se pudo abrir"),
                         motivo));
        }
    }
    // A table there that the login may not read is never taken for the session's of that name.
    if (it->tiene && it->negados.contains(kDerechos.front()))
        Falla(sqlserver::kPermisoDenegado, SinDerecho(kDerechos.front(), tabla));
    return it->tiene;
}

QString AccesoDatos::Impl::SinDerecho(const QString& derecho, const QString& tabla) const {
    return QStringLiteral("El usuario \"%1\" no tiene permiso de %2 sobre la tabla %3 de la base de "
                          "administración \"%4\" que nombra ADMIN= en los datos de conexión.")
        .arg(yo.usuario_, derecho, tabla, baseAdmin);
}

void AccesoDatos::Impl::ResuelveAdministracion(const QStringList& tablas, Motor& m) {
    // One query for every name: whether the catalog shows it, and the login's rights on it.
    QStringList filas;
    QStringList nombres;
    for (qsizetype i = 0; i < tablas.size(); ++i) {
        nombres << CitaNombre(baseAdmin) + QStringLiteral(".dbo.") + CitaNombre(tablas[i]);
        const QString nombre = u'N' + LiteralTexto(nombres.back());
        QString fila = QStringLiteral("SELECT %1, OBJECT_ID(%2)").arg(i).arg(nombre);
        for (const QString& derecho : kDerechos)
            fila += QStringLiteral(", HAS_PERMS_BY_NAME(%1, N'OBJECT', N'%2')").arg(nombre, derecho);
        filas << fila;
    }
    std::unique_ptr<FuenteFilas> fuente;
    m.Ejecuta(filas.join(QStringLiteral(" UNION ALL ")), &fuente);
    std::vector<std::pair<qsizetype, TablaAdministracion>> leidas;
    std::vector<qsizetype> ocultas;
    while (fuente && fuente->Siguiente()) {
        const qsizetype i = fuente->Valor(0).toLongLong();
        if (i < 0 || i >= tablas.size())
            continue;
        TablaAdministracion t;
        t.tiene = !EsNulo(fuente->Valor(1));
        // A right the server cannot tell (NULL) is not counted as lacking.
        for (qsizetype k = 0; k < kDerechos.size(); ++k)
            if (const QVariant v = fuente->Valor(static_cast<int>(k) + 2); !EsNulo(v) && v.toInt() == 0)
                t.negados << kDerechos[k];
        if (!t.tiene)
            ocultas.push_back(static_cast<qsizetype>(leidas.size()));
        leidas.emplace_back(i, t);
    }
    fuente.reset();
    for (const qsizetype j : ocultas) {
        // OBJECT_ID gives NULL both for a table that is not there and for one the login may
        // not use: absent only where the server says its name does not exist.
        auto& [i, t] = leidas[static_cast<size_t>(j)];
        try {
            PrimerValor(m, QStringLiteral("SELECT TOP 0 1 FROM ") + nombres[i]);
            t.tiene = true;
        } catch (const Fallas& f) {
            t.tiene = f.lista.empty() || !NoExiste(f.lista.front());
            if (!t.tiene)
                t.negados.clear();
            else if (!t.negados.contains(kDerechos.front()))
                t.negados.prepend(kDerechos.front());
        }
    }
    for (const auto& [i, t] : leidas)
        tablasAdmin.insert(tablas[i].toUpper(), t);
}

void AccesoDatos::Impl::ResuelveListaAdministracion() {
    if (!sqlServer || baseAdmin.isEmpty())
        return;
    try {
        ResuelveAdministracion(kTablasAdministracion, *motor);
    } catch (const Fallas&) {
        // Unanswered: each is asked again when a statement first names it.
        tablasAdmin.clear();
    }
}

bool AccesoDatos::Impl::TieneObjeto(const QString& nombre) {
    // OBJECT_ID finds tables, views and synonyms alike, but only those the login may use.
    return !PrimerValor(*motor, QStringLiteral("SELECT OBJECT_ID(N") + LiteralTexto(nombre) + u')').isNull();
}

bool AccesoDatos::Impl::SesionTiene(const QString& tabla) {
    const QString clave = tabla.toUpper();
    if (const auto it = tablasSesion.constFind(clave); it != tablasSesion.cend())
        return *it;
    const bool tiene = !sqlServer || TieneObjeto(tabla);
    tablasSesion.insert(clave, tiene);
    return tiene;
}

void AccesoDatos::Impl::VerificaBaseAdministracion() {
    if (!sqlServer || baseAdmin.isEmpty())
        return;
    const QString base = LiteralTexto(baseAdmin);
    const int estado =
        PrimerValor(*motor,
                    QStringLiteral("SELECT CASE WHEN DB_ID(N%1) IS NULL THEN 0 WHEN HAS_DBACCESS(N%1) "
                                   "= 1 THEN 2 ELSE 1 END")
                        .arg(base))
            .toInt();
    if (estado == 0)
        Falla(sqlserver::kBaseInexistente,
              QStringLiteral("No existe la base de administración \"%1\" que nombra ADMIN= en los datos de "
                             "conexión.")
                  .arg(baseAdmin));
    if (estado == 1)
        Falla(
            sqlserver::kSinAccesoBase,
            QStringLiteral("El usuario \"%1\" no tiene acceso a la base de administración \"%2\" que nombra "
                           "ADMIN= en los datos de conexión.")
                .arg(yo.usuario_, baseAdmin));
}

namespace {

QString NombreSqlite(const QString& nombre) {
    return u'"' + QString(nombre).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

void AccesoDatos::Impl::Transaccion(int tipo, const QString& nombre, const QString& cerca) {
    Sincroniza();
    const auto t = static_cast<::Transaccion>(tipo);
    if (t == ::Transaccion::Ilegible)
        Falla(sqlserver::kErrorSintaxis, QStringLiteral("Incorrect syntax near '%1'.").arg(cerca));
    // As the server: a name is checked before the statement runs, and matched with its case.
    if (nombre.size() > 32)
        Falla(sqlserver::kIdentificadorLargo,
              QStringLiteral("The identifier that starts with '%1' is too long. Maximum length is 32.")
                  .arg(nombre.left(128)));
    switch (t) {
    case ::Transaccion::Inicia:
        // Only the outermost BEGIN reaches SQLite; it takes the write lock at once, so that
        // two writers wait for each other (up to the command time-out) instead of failing
        // half-way. Only its name names the transaction.
        if (nivel == 0) {
            motor->SueltaLecturas();
            motor->EjecutaTransaccion(QStringLiteral("BEGIN IMMEDIATE"));
            nombreTransaccion = nombre;
        }
        ++nivel;
        break;
    case ::Transaccion::Confirma:
        if (nivel == 0)
            Falla(sqlserver::kCommitSinTransaccion,
                  QStringLiteral("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."));
        if (nivel == 1) {
            motor->EjecutaTransaccion(QStringLiteral("COMMIT"));
            guardados.clear();
            nombreTransaccion.clear();
        }
        --nivel;
        break;
    case ::Transaccion::Revierte:
        RevierteTodo();
        break;
    case ::Transaccion::Guarda:
        if (nivel == 0)
            Falla(sqlserver::kGuardarSinTransaccion,
                  QStringLiteral("Cannot issue SAVE TRANSACTION when there is no active transaction."));
        // The server reaches only the latest savepoint of a name: one saved again over itself
        // is released first, so that a savepoint per row keeps SQLite's stack at one.
        if (!guardados.empty() && guardados.back() == nombre) {
            // Forgotten only once SQLite let it go: a refused RELEASE leaves it reachable.
            motor->EjecutaTransaccion(QStringLiteral("RELEASE SAVEPOINT ") + NombreSqlite(nombre));
            guardados.pop_back();
        }
        motor->EjecutaTransaccion(QStringLiteral("SAVEPOINT ") + NombreSqlite(nombre));
        guardados.push_back(nombre);
        break;
    case ::Transaccion::RevierteAGuardado: {
        if (nivel == 0)
            Falla(sqlserver::kRollbackSinTransaccion,
                  QStringLiteral("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION."));
        // A savepoint first; else the transaction's own name undoes it whole.
        const auto punto = std::find(guardados.rbegin(), guardados.rend(), nombre);
        if (punto == guardados.rend() && !nombreTransaccion.isEmpty() && nombre == nombreTransaccion) {
            RevierteTodo();
            break;
        }
        if (punto == guardados.rend())
            Falla(sqlserver::kSinPuntoGuardado,
                  QStringLiteral("Cannot roll back %1. No transaction or savepoint of that name was found.")
                      .arg(nombre));
        // The transaction and the savepoint stay; the later savepoints go.
        motor->EjecutaTransaccion(QStringLiteral("ROLLBACK TO SAVEPOINT ") + NombreSqlite(nombre));
        guardados.erase(punto.base(), guardados.end());
        break;
    }
    case ::Transaccion::Ninguna:
    case ::Transaccion::Ilegible:
        break;
    }
}

void AccesoDatos::Impl::RevierteTodo() {
    if (nivel == 0)
        Falla(sqlserver::kRollbackSinTransaccion,
              QStringLiteral("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION."));
    // As on SQL Server, ROLLBACK undoes every level.
    nivel = 0;
    guardados.clear();
    nombreTransaccion.clear();
    motor->EjecutaTransaccion(QStringLiteral("ROLLBACK"));
}

// Long on purpose: the emulated transaction statements, the INSERT templates and the engine call are
// one decision on the statement's first word.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
qint64 AccesoDatos::Impl::EjecutaSentencia(const QString& s, std::unique_ptr<FuenteFilas>* filas,
                                           bool traducir) {
    const QStringView palabra = PrimeraPalabra(s);
    if (!sqlite) {
        const qint64 r = motor->Ejecuta(traducir ? ParaMotor(s) : s, filas);
        // The depth the batch leaves on the server, to tell later whether the server ended it.
        if (sqlServer) {
            switch (EsSentenciaTransaccion(s)) {
            case ::Transaccion::Inicia:
                ++nivel;
                break;
            case ::Transaccion::Confirma:
                nivel = std::max(0, nivel - 1);
                break;
            case ::Transaccion::Revierte:
                nivel = 0;
                break;
            case ::Transaccion::RevierteAGuardado:
            case ::Transaccion::Ilegible:
                // Back to a savepoint the depth stays; to the name of the outermost
                // transaction it is a whole rollback: the server tells which, and what a
                // statement of its own reading left.
                nivel = NivelServidor();
                break;
            case ::Transaccion::Guarda:
            case ::Transaccion::Ninguna:
                break;
            }
        }
        return r;
    }
    // Read whatever comments come before it; a statement that begins as one and cannot be read
    // whole is refused, never left to SQLite to run as some other statement.
    QString nombre;
    QString cerca;
    if (const ::Transaccion t = EsSentenciaTransaccion(s, &nombre, &cerca); t != ::Transaccion::Ninguna) {
        Transaccion(static_cast<int>(t), nombre, cerca);
        return 0;
    }
    if (EsPalabra(palabra, u"SELECT")) {
        if (s.contains(QStringLiteral("@@")) && EsConsultaTrancount(s)) {
            Sincroniza();
            if (filas)
                *filas = std::make_unique<FuenteFija>(std::vector<QString>{QString()},
                                                      std::vector<std::vector<QVariant>>{{QVariant(nivel)}});
            return 0;
        }
    } else if (EsPalabra(palabra, u"RAISERROR")) {
        // The server's refusal of a check: one entry, no "statement terminated" after it.
        if (const auto mensaje = MensajeRaiserror(s))
            Falla(sqlserver::kErrorUsuario, *mensaje);
    } else if (EsPalabra(palabra, u"IF")) {
        if (const auto si = SeparaSiExiste(s)) {
            std::unique_ptr<FuenteFilas> consulta;
            EnviaSqlite(traducir ? Traduce(si->consulta) : si->consulta, &consulta);
            const bool hay = consulta && consulta->Siguiente();
            consulta.reset();
            return hay != si->negado ? EjecutaSentencia(si->sentencia, filas, traducir) : 0;
        }
    } else if (traducir && EsPalabra(palabra, u"INSERT")) {
        // A batch of INSERTs of one shape runs one prepared statement with its values bound.
        if (auto p = Parametriza(s)) {
            auto it = cachePlantillas.find(p->texto);
            if (it == cachePlantillas.end()) {
                QString t = TraduceSqlServerASqlite(p->texto);
                std::optional<QString> valida;
                // One whose comments SQLite would read otherwise goes the common way, which refuses it.
                if (CuentaMarcadores(t) == static_cast<int>(p->valores.size()) &&
                    ComentariosEnSqlite(t) == Comentarios::Igual)
                    valida = std::move(t);
                if (cachePlantillas.size() >= 256)
                    cachePlantillas.clear();
                it = cachePlantillas.insert(p->texto, valida);
            }
            qint64 afectados = 0;
            if (*it && motor->EjecutaPlantilla(**it, p->valores, afectados))
                return afectados;
        }
    }
    return EnviaSqlite(traducir ? Traduce(s) : s, filas);
}

qint64 AccesoDatos::Impl::EnviaSqlite(const QString& texto, std::unique_ptr<FuenteFilas>* filas) {
    VerificaComentarios(texto);
    return motor->Ejecuta(texto, filas);
}

void AccesoDatos::Impl::Abre(Registros::Impl& rs, const QString& sql, const QString&, bool traducir) {
    rs.CierraInterno();
    yo.conexion_.Errors().Clear();
    VerificaConexion("Open");
    std::unique_ptr<FuenteFilas> f;
    try {
        EjecutaSentencia(SinNulos(sql), &f, traducir);
    } catch (const Fallas& e) {
        Lanza(e, QStringLiteral("ObtieneRecordset"));
    }
    rs.sql = sql;
    rs.traducir = traducir;
    if (!f)
        return; // a statement without rows leaves the set closed
    rs.ad = this;
    abiertos.insert(&rs);
    try {
        rs.TomaFilas(std::move(f));
    } catch (const Fallas& e) {
        rs.CierraInterno();
        Lanza(e, QStringLiteral("ObtieneRecordset"));
    }
}

// ---------------------------------------------------------------------------------------
// Connections still open when the program ends

namespace {

// Never destroyed: the exit handler may run after the other statics are gone.
std::mutex& CerrojoVivas() {
    static auto* m = new std::mutex;
    return *m;
}
std::unordered_set<AccesoDatos::Impl*>& Vivas() {
    static auto* v = new std::unordered_set<AccesoDatos::Impl*>;
    return *v;
}

void CierraVivasAlSalir() {
    const std::lock_guard<std::mutex> cerrojo(CerrojoVivas());
    for (AccesoDatos::Impl* d : Vivas())
        d->Cierra();
}

// A global object connected when `main` returns is destroyed after the database drivers' own
// statics: its connections are closed first, by a handler registered once a driver is loaded
// (handlers run before the destructors of what was built before them), and before that when the
// application object goes, while the drivers still recognise the thread that opened them.
void CierraAlSalirTrasConectar() {
    static std::once_flag una;
    std::call_once(una, [] { std::atexit(CierraVivasAlSalir); });
    static const QCoreApplication* conRutina = nullptr;
    if (QCoreApplication::instance() && QCoreApplication::instance() != conRutina) {
        conRutina = QCoreApplication::instance();
        qAddPostRoutine([] {
            conRutina = nullptr;
            CierraVivasAlSalir();
        });
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// AccesoDatos

AccesoDatos::AccesoDatos() : conexion_(*this), d_(std::make_unique<Impl>(*this)) {
    const std::lock_guard<std::mutex> cerrojo(CerrojoVivas());
    Vivas().insert(d_.get());
}

AccesoDatos::~AccesoDatos() {
    {
        const std::lock_guard<std::mutex> cerrojo(CerrojoVivas());
        Vivas().erase(d_.get());
    }
    d_->Cierra();
}

bool AccesoDatos::EstaConectado() const {
    return d_->motor != nullptr;
}

Conexion& AccesoDatos::LeeConexion() {
    return conexion_;
}

QString AccesoDatos::LeeDatoConexion() const {
    if (d_->motor && d_->sqlite && !d_->rutaSqlite.isEmpty())
        return QFileInfo(d_->rutaSqlite).absolutePath();
    return dato_;
}

QString AccesoDatos::LeeDatoConexionSinAdministracion() const {
    if (d_->motor && d_->sqlite)
        return LeeDatoConexion();
    return SeparaDatoConexion(dato_).atributos;
}

void AccesoDatos::Conecta(bool, qint32, const QString& cadenaConexion, bool, bool) {
    d_->Cierra();
    conexion_.errores_.Clear();
    falloDatoConexion_ = false;
    try {
        if (servidor_.trimmed().compare(QLatin1StringView("sqlite"), Qt::CaseInsensitive) == 0) {
            QString ruta = baseDatos_.trimmed();
            if (ruta.isEmpty())
                Falla(kBaseNoDisponible, QStringLiteral("No se indicó el archivo de la base de datos."));
            if (QDir::isRelativePath(ruta) && !dato_.trimmed().isEmpty())
                ruta = QDir(dato_.trimmed()).filePath(ruta);
            if (!QFileInfo(ruta).isFile() && QFileInfo(ruta + QStringLiteral(".db")).isFile())
                ruta += QStringLiteral(".db");
            // Opening a missing file would create an empty database: report it instead.
            if (!QFileInfo(ruta).isFile())
                Falla(
                    kBaseNoDisponible,
                    QStringLiteral("No existe la base de datos \"%1\".").arg(QDir::toNativeSeparators(ruta)));
            ruta = QFileInfo(ruta).absoluteFilePath();
            d_->motor = AbreSqlite(ruta, conexion_.tiempoEspera_);
            d_->rutaSqlite = ruta;
            d_->sqlite = true;
            cadena_ = QStringLiteral("Provider=SQLite;Data Source=") + ruta;
        } else {
            QString cadena = cadenaConexion.trimmed();
            const DatoOdbc dato = SeparaDatoConexion(dato_);
            falloDatoConexion_ = true;
            VerificaDatoConexion(dato);
            falloDatoConexion_ = false;
            bool utf8SiFreeTds = false;
            if (cadena.isEmpty()) {
                const QString extra = dato.atributos;
                const bool conDriver = extra.contains(QLatin1StringView("DRIVER="), Qt::CaseInsensitive) ||
                                       extra.contains(QLatin1StringView("DSN="), Qt::CaseInsensitive);
                if (!conDriver)
                    cadena += QStringLiteral("DRIVER={FreeTDS};");
                // FreeTDS honours the login time-out only with a fixed protocol version.
                if (!conDriver && !extra.contains(QLatin1StringView("TDS_Version"), Qt::CaseInsensitive))
                    cadena += QStringLiteral("TDS_Version=7.3;");
                // FreeTDS takes the client's character set from the locale, and under "C" (a session
                // without LANG) the server's accented text came back as U+FFFD. It is known here by
                // its name or its library's; reached otherwise (a DSN, a name of the site's), by the
                // driver's own name once connected.
                const QString driver = Atributo(extra, "DRIVER").value_or(QString());
                const bool freeTds = !conDriver ||
                                     driver.compare(QLatin1StringView("FreeTDS"), Qt::CaseInsensitive) == 0 ||
                                     QFileInfo(driver).fileName().startsWith(QLatin1StringView("libtdsodbc"),
                                                                             Qt::CaseInsensitive);
                const bool conJuego = TieneAtributo(extra, "ClientCharset");
                if (freeTds && !conJuego)
                    cadena += QStringLiteral("ClientCharset=UTF-8;");
                utf8SiFreeTds = !freeTds && !conJuego;
                cadena += extra;
                cadena += ServidorYPuerto(servidor_.trimmed(), extra);
                if (!baseDatos_.trimmed().isEmpty())
                    cadena += QStringLiteral("DATABASE=") + ValorOdbc(baseDatos_.trimmed()) + u';';
                if (!usuario_.isEmpty())
                    cadena += QStringLiteral("UID=") + ValorOdbc(usuario_) + QStringLiteral(";PWD=") +
                              ValorOdbc(password_) + u';';
            }
            d_->motor = AbreOdbc(cadena, conexion_.tiempoEspera_, conexion_.aislamiento_, utf8SiFreeTds);
            d_->sqlite = d_->motor->DialectoSqlite();
            d_->sqlServer = d_->motor->SqlServer();
            d_->baseAdmin = NombreBaseAdministracion(dato.baseAdmin);
            falloDatoConexion_ = true;
            d_->VerificaBaseAdministracion();
            falloDatoConexion_ = false;
            d_->ResuelveListaAdministracion();
            cadena_ = cadena;
        }
    } catch (const Fallas& f) {
        d_->Cierra();
        d_->Lanza(f, QStringLiteral("Conecta"));
    }
    CierraAlSalirTrasConectar();
    conexion_.baseDefecto_ = baseDatos_;
}

void AccesoDatos::ObtieneRecordset(const QString& sql, Registros& rs, Conexion* conexion, int tipoCursor,
                                   int tipoBloqueo, int, bool traduce) {
    AccesoDatos& destino = conexion ? conexion->Dueno() : *this;
    if (!rs.d_)
        rs.d_ = std::make_unique<Registros::Impl>();
    rs.d_->CierraInterno();
    rs.d_->tipoCursor = tipoCursor;
    rs.d_->tipoBloqueo = tipoBloqueo;
    destino.d_->Abre(*rs.d_, sql, sql, traduce);
}

void AccesoDatos::CierraRecordset(Registros& rs) {
    rs.Close();
}

qint32 AccesoDatos::EjecutaSQL(const QString& sql, Registros* rs) {
    conexion_.errores_.Clear();
    if (rs)
        rs->Close();
    d_->VerificaConexion("EjecutaSQL");
    const QStringList sentencias = DivideTanda(SinNulos(sql));
    if (d_->sqlite) {
        // Before any statement of the batch runs (each is checked again as SQLite gets it); a
        // transaction statement never reaches SQLite: the layer reads it as the server does.
        try {
            for (const QString& s : sentencias)
                if (const Comentarios c = ComentariosEnSqlite(s);
                    c != Comentarios::Igual && EsSentenciaTransaccion(s) == ::Transaccion::Ninguna)
                    VerificaComentarios(c);
        } catch (const Fallas& f) {
            d_->Lanza(f, QStringLiteral("EjecutaSQL"));
        }
    }
    qint64 afectados = 0;
    std::optional<ErrorBD> primero;
    std::unique_ptr<FuenteFilas> filas;
    for (qsizetype i = 0; i < sentencias.size(); ++i) {
        const bool ultima = i + 1 == sentencias.size();
        try {
            afectados += d_->EjecutaSentencia(sentencias[i], ultima && rs ? &filas : nullptr, true);
        } catch (const Fallas& f) {
            // A refused statement does not stop the batch: its errors are listed and the rest runs.
            for (const ErrorBD& e : f.lista)
                conexion_.errores_.Agrega(e.NativeError, e.Description);
            if (!primero && !f.lista.empty())
                primero = f.lista.front();
            // What follows a refused BEGIN or SAVE was meant to run inside it, and what follows
            // an unreadable one may have been: none of it runs.
            if (const ::Transaccion t = EsSentenciaTransaccion(sentencias[i]);
                t == ::Transaccion::Inicia || t == ::Transaccion::Guarda || t == ::Transaccion::Ilegible)
                break;
            // A failure that ended the transaction inside the database (a deadlock victim, a
            // trigger's rollback, a full disk) ends the batch: the statements after it would
            // otherwise run outside it and stay written.
            if (d_->TransaccionTerminada())
                break;
        }
    }
    if (primero)
        throw ErrorSistema(primero->NativeError, primero->Description, QStringLiteral("AccesoDatos"));
    if (filas && rs) {
        if (!rs->d_)
            rs->d_ = std::make_unique<Registros::Impl>();
        Registros::Impl& r = *rs->d_;
        r.tipoCursor = TipoCursor::SoloAvance;
        r.tipoBloqueo = TipoBloqueo::SoloLectura;
        r.sql = sentencias.last();
        r.traducir = true;
        r.ad = d_.get();
        d_->abiertos.insert(&r);
        try {
            r.TomaFilas(std::move(filas));
        } catch (const Fallas& f) {
            r.CierraInterno();
            d_->Lanza(f, QStringLiteral("EjecutaSQL"));
        }
    }
    return static_cast<qint32>(std::min<qint64>(afectados, std::numeric_limits<qint32>::max()));
}

QVariant AccesoDatos::ObtieneValorTabla(const QString& tabla, const QString& valor,
                                        const QString& columnaResultado, const QString& columnaClave,
                                        int tipoValor, const QString& condicion, bool, bool) {
    QString sql = QStringLiteral("SELECT ") + columnaResultado + QStringLiteral(" FROM ") + tabla +
                  QStringLiteral(" WHERE ") + columnaClave + QStringLiteral(" = ") +
                  FormateaValorSQL(valor, tipoValor == 8 ? QStringLiteral("'") : QStringLiteral("@"));
    if (!condicion.trimmed().isEmpty())
        sql += QStringLiteral(" AND (") + condicion + u')';
    Registros rs;
    ObtieneRecordset(sql, rs);
    QVariant v;
    if (!rs.Eof())
        v = rs.Fields(0);
    rs.Close();
    return EsNulo(v) ? QVariant(QStringLiteral("")) : v;
}

bool AccesoDatos::ExisteRegistro(const QString& tabla, const QString& valor, const QString& columna,
                                 Registros* rs, int tipoValor, const QString& condicion, bool soloLectura) {
    QString sql = QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" WHERE ") + columna +
                  QStringLiteral(" = ") +
                  FormateaValorSQL(valor, tipoValor == 8 ? QStringLiteral("'") : QStringLiteral("@"));
    if (!condicion.trimmed().isEmpty())
        sql += QStringLiteral(" AND (") + condicion + u')';
    Registros propio;
    Registros& destino = rs ? *rs : propio;
    if (soloLectura)
        ObtieneRecordset(sql, destino);
    else
        ObtieneRecordset(sql, destino, nullptr, TipoCursor::Dinamico, TipoBloqueo::Optimista);
    return destino.State() == 1 && !destino.Eof();
}

QVariant AccesoDatos::MaximoValor(const QString& tabla, const QString& columna, const QString& marcador,
                                  const QString& condicion) {
    QString sql = QStringLiteral("SELECT MAX(") + columna + QStringLiteral(") FROM ") + tabla;
    if (!condicion.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + condicion;
    Registros rs;
    ObtieneRecordset(sql, rs);
    QVariant v;
    if (!rs.Eof())
        v = rs.Fields(0);
    rs.Close();
    if (EsNulo(v))
        return marcador == QLatin1StringView("@") ? QVariant(0) : QVariant(QStringLiteral(""));
    return v;
}

// Long on purpose: one case per value type, in the order the suite writes literals.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
QString AccesoDatos::FormateaValorSQL(const QVariant& valor, const QString& marcador) const {
    const bool sqlite =
        d_->motor ? d_->sqlite
                  : servidor_.trimmed().compare(QLatin1StringView("sqlite"), Qt::CaseInsensitive) == 0;
    const int tipo = valor.typeId();
    if (marcador == QLatin1StringView("'")) {
        if (EsNulo(valor))
            return QStringLiteral("NULL");
        switch (tipo) {
        case QMetaType::QDateTime:
            return LiteralTexto(valor.toDateTime().toString(sqlite ? QStringLiteral("yyyy-MM-dd HH:mm:ss")
                                                                   : QStringLiteral("yyyyMMdd HH:mm:ss")));
        case QMetaType::QDate:
            return LiteralTexto(valor.toDate().toString(sqlite ? QStringLiteral("yyyy-MM-dd 00:00:00")
                                                               : QStringLiteral("yyyyMMdd")));
        case QMetaType::Bool:
            return valor.toBool() ? QStringLiteral("'1'") : QStringLiteral("'0'");
        case QMetaType::Double:
        case QMetaType::Float:
            return LiteralTexto(Regional::TextoNumero(valor.toDouble(), tipo == QMetaType::Float ? 7 : 15));
        default:
            if (valor.metaType() == QMetaType::fromType<Moneda>())
                return LiteralTexto(valor.value<Moneda>().Texto());
            return LiteralTexto(valor.toString());
        }
    }
    if (marcador == QLatin1StringView("@")) {
        if (EsNulo(valor))
            return QStringLiteral("NULL");
        switch (tipo) {
        case QMetaType::Bool:
            return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::SChar:
            return QString::number(valor.toLongLong());
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
        case QMetaType::UChar:
            return QString::number(valor.toULongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return LiteralNumero(valor.toDouble());
        case QMetaType::QString:
        case QMetaType::QByteArray: {
            // A cell's or field's text stands for the number it reads as, never for itself.
            const QString texto = valor.toString().trimmed();
            if (texto.isEmpty())
                return QStringLiteral("0");
            if (const auto d = Regional::LeeDoble(texto))
                return LiteralNumero(*d);
            bool ok = false;
            const double d = texto.toDouble(&ok);
            if (ok)
                return LiteralNumero(d);
            throw ErrorSistema(kTiposNoCoinciden,
                               QStringLiteral("No coinciden los tipos: \"%1\" no es un número.").arg(texto),
                               QStringLiteral("AccesoDatos"));
        }
        default:
            if (valor.metaType() == QMetaType::fromType<Moneda>())
                return LiteralMoneda(valor.value<Moneda>());
            throw ErrorSistema(kTiposNoCoinciden, QStringLiteral("No coinciden los tipos."),
                               QStringLiteral("AccesoDatos"));
        }
    }
    return valor.toString();
}

QString AccesoDatos::BaseAdministracion() const {
    return NombreBaseAdministracion(SeparaDatoConexion(dato_).baseAdmin);
}

bool AccesoDatos::SesionTieneTabla(const QString& tabla) {
    d_->VerificaConexion("SesionTieneTabla");
    conexion_.errores_.Clear();
    try {
        return d_->SesionTiene(tabla);
    } catch (const Fallas& f) {
        d_->Lanza(f, QStringLiteral("SesionTieneTabla"));
    }
}

void AccesoDatos::ExigeDerechosAdministracion(const QString& tabla, const QStringList& derechos) {
    if (!d_->motor || !d_->sqlServer || d_->baseAdmin.isEmpty())
        return;
    conexion_.errores_.Clear();
    try {
        if (!d_->EnAdministracion(tabla))
            return;
        const QStringList negados = d_->tablasAdmin.value(tabla.toUpper()).negados;
        for (const QString& derecho : derechos)
            if (negados.contains(derecho, Qt::CaseInsensitive))
                Falla(sqlserver::kPermisoDenegado, d_->SinDerecho(derecho.toUpper(), tabla));
    } catch (const Fallas& f) {
        d_->Lanza(f, QStringLiteral("ExigeDerechosAdministracion"));
    }
}

QString AccesoDatos::TraduceSQL(const QString& sql) const {
    if (d_->motor) {
        try {
            return d_->ParaMotor(sql);
        } catch (const Fallas& f) {
            d_->Lanza(f, QStringLiteral("TraduceSQL"));
        }
    }
    if (servidor_.trimmed().compare(QLatin1StringView("sqlite"), Qt::CaseInsensitive) == 0)
        return d_->Traduce(sql);
    return ResuelveAdminSqlServer(sql, BaseAdministracion());
}

QString AccesoDatos::TextoProveedor() const {
    if (d_->motor)
        return d_->motor->Proveedor();
    return servidor_.trimmed().compare(QLatin1StringView("sqlite"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("SQLite")
               : QStringLiteral("ODBC");
}

int AccesoDatos::GestionaError(const ErrorSistema& error, const QString& rutina, int botones) const {
    if (error.Numero() == 0)
        return 0;
    const QString texto = QStringLiteral("Ha ocurrido el Siguiente Error (") +
                          QString::number(error.Numero()) + QStringLiteral(") ") +
                          error.Descripcion().trimmed();
    const QString titulo = rutina.isEmpty() ? QStringLiteral("Aviso al operador!!!")
                                            : rutina + QStringLiteral(" - Aviso al operador!!!");
    return AnotaRespuesta(interaccion().MsgBox(texto, botones, titulo));
}
