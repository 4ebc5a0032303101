// The stock posting of a voucher whose grid cells hold whatever the input says, on a copy of the
// demo database restored before every run. The first line chooses the voucher (type, mode: "L"
// per-line, "A" with the automatic lot, complement, fixed lot, the answers given to the error
// handler: R, I, A); each further line is one grid line, its cells separated by tabs in the order
// of kColumnas ("\n" and "\r" stand for line breaks inside a cell). Whatever the cells hold:
// - the batch holds only the posting's own statements: movement rows and entry lines whose
//   values are literals, the checks that no other voucher holds its identity (or its
//   discharge's), entry number or automatic lot, and the numbering of the discharge voucher;
// - nothing outside the voucher's rows (its movements, its discharge, its entry, the discharge's
//   numbering and the error rows) changes;
// - each run ends stored whole (every movement row the batch holds is stored) or refused with a
//   message to the user, nothing of the voucher stored; with one station posting, never refused
//   because a number or a row's key was taken.
#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Cartel.h"
#include "ClsCmnCptesPosteo.h"
#include "Comun.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "Moneda.h"
#include "Reloj.h"
#include "Sentencias.h"
#include "TandasSql.h"
#include "TraductorSql.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <sqlite3.h>

namespace {

constexpr std::array kColumnas = {0, 7, 6, 21, 22, 20, 19, 61, 46, 5, 1, 4, 63, 86, 34, 8, 38, 28, 88};
constexpr int kMaxLineas = 8;
const std::array<QString, 7> kTipos = {QStringLiteral("IR"),  QStringLiteral("VS"),  QStringLiteral("TR"),
                                       QStringLiteral("AJP"), QStringLiteral("AJN"), QStringLiteral("RM"),
                                       QStringLiteral("OP")};
const QString kId = QStringLiteral("000100000777X");

// The rows of the database that a posting of voucher kId may write: its own movements and its
// discharge's, its entry lines, the discharge's range and used numbers, and the error rows.
QString Filtro(const QString& tabla) {
    const QString t = tabla.toUpper();
    if (t == QLatin1String("V_MV_STOCK"))
        return QStringLiteral(
                   " WHERE NOT (IdComprobante IS '%1' OR (TC IS '  PE' AND IdComprobante_Origen IS '%1'))")
            .arg(kId);
    if (t == QLatin1String("MV_ASIENTOS"))
        return QStringLiteral(" WHERE NOT (SUCURSAL IS '0001' AND NUMERO IS '00000777' AND LETRA IS 'X')");
    if (t == QLatin1String("V_TA_CPTE"))
        return QStringLiteral(" WHERE CODIGO IS NOT '  PE'");
    if (t == QLatin1String("V_MV_CTROL_CPTE"))
        return QStringLiteral(" WHERE TC IS NOT '  PE'");
    return {};
}

void Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        Falla("preparación de la base", QString::fromUtf8(error ? error : sql));
}

struct Entorno {
    sqlite3* pristina = nullptr; // the demo as every run starts, in memory
    sqlite3* trabajo = nullptr;  // the file the session works on, opened beside it
    QByteArray fuera;            // digest of what no posting may change
    InteraccionGuionada guion;
};

// The digest of every row outside the voucher's, table by table in rowid order.
QByteArray Fuera(sqlite3* db) {
    QStringList tablas;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &st,
                       nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        tablas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QString& t : tablas) {
        if (t.startsWith(QLatin1String("sqlite_")) ||
            t.compare(QLatin1String("AUX_ERR"), Qt::CaseInsensitive) == 0)
            continue;
        const QByteArray sql = ("SELECT * FROM \"" + t + "\"" + Filtro(t) + " ORDER BY rowid").toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
            Falla("consulta de comparación", QString::fromUtf8(sqlite3_errmsg(db)));
        h.addData(sql);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const char tipo = char('0' + sqlite3_column_type(st, c));
                const void* v = sqlite3_column_blob(st, c);
                h.addData(QByteArrayView(&tipo, 1));
                h.addData(QByteArrayView(static_cast<const char*>(v), v ? sqlite3_column_bytes(st, c) : 0));
                h.addData(QByteArrayView("\x1f", 1));
            }
        sqlite3_finalize(st);
    }
    return h.result();
}

void Restaura(const Entorno& e) {
    sqlite3_backup* b = sqlite3_backup_init(e.trabajo, "main", e.pristina, "main");
    if (!b || sqlite3_backup_step(b, -1) != SQLITE_DONE || sqlite3_backup_finish(b) != SQLITE_OK)
        Falla("no se restaura la base", QString::fromUtf8(sqlite3_errmsg(e.trabajo)));
}

Entorno& Prepara() {
    static Entorno e = [] {
        static int argc = 1;
        static char nombre[] = "posteo_celdas";
        static char* argv[] = {nombre, nullptr};
        new QCoreApplication(argc, argv); // lives for the process
        Entorno r;
        const QString ruta = CarpetaTrabajo() + QStringLiteral("modelos.db");
        BaseEmbebida::CreaDemo(ruta, QStringLiteral(MODELOS_FUENTES_DIR "/db"));
        if (sqlite3_open(ruta.toUtf8().constData(), &r.trabajo) != SQLITE_OK)
            Falla("no se abre la base de trabajo");
        RegistraFuncionesSqlite(r.trabajo);
        // Entries booked by the posting, and a range for the discharge voucher.
        Exec(r.trabajo, "UPDATE TA_CONFIGURACION SET Valor = 'SI' WHERE Clave = 'ASIENTOSXSTOCK'");
        Exec(r.trabajo,
             "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, Letras, UNEGOCIO, "
             "Modificanumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) "
             "VALUES ('  PE', 1, 'Descarga de insumos', 'PRODUCCION', 'S', 'X', '', 'SI', 1, 5, 1, "
             "99999999, '')");
        if (sqlite3_open(":memory:", &r.pristina) != SQLITE_OK)
            Falla("no se abre la base en memoria");
        sqlite3_backup* b = sqlite3_backup_init(r.pristina, "main", r.trabajo, "main");
        if (!b || sqlite3_backup_step(b, -1) != SQLITE_DONE || sqlite3_backup_finish(b) != SQLITE_OK)
            Falla("no se copia la base demo");
        r.fuera = Fuera(r.trabajo);
        AD().AsignaServidor(QStringLiteral("sqlite"));
        AD().AsignaBaseDatos(ruta);
        AD().AsignaUsuario(QStringLiteral("DEMO"));
        AD().Conecta();
        gPeriodo = 2025;
        EstableceReloj([] { return QDateTime(QDate(2025, 3, 20), QTime(10, 0)); });
        return r;
    }();
    return e;
}

QString Celda(QString v) {
    return v.replace(QLatin1String("\\n"), QLatin1String("\n"))
        .replace(QLatin1String("\\r"), QLatin1String("\r"));
}

struct Comprobante {
    QString tc;
    bool porRenglon = false;
    bool loteAutomatico = false;
    QString complemento;
    QString loteFijo;
    std::unique_ptr<Grilla> grilla;
};

Comprobante Lee(const uint8_t* datos, size_t largo, InteraccionGuionada& guion) {
    const QStringList lineas = TextoUtf8(datos, largo).split(QLatin1Char('\n'));
    const QStringList cabecera = lineas.value(0).split(QLatin1Char('\t'));
    Comprobante v;
    const QString tipo = cabecera.value(0).trimmed();
    v.tc = kTipos[tipo.isEmpty() ? 0 : tipo.at(0).unicode() % kTipos.size()];
    for (const QString& t : kTipos)
        if (t.compare(tipo, Qt::CaseInsensitive) == 0)
            v.tc = t;
    v.porRenglon = cabecera.value(1).contains(QLatin1Char('L'));
    v.loteAutomatico = cabecera.value(1).contains(QLatin1Char('A'));
    v.complemento = Celda(cabecera.value(2));
    v.loteFijo = Celda(cabecera.value(3));
    for (const QChar c : cabecera.value(4).left(6))
        guion.AgregaRespuesta(c == u'R'   ? Respuesta::Reintentar
                              : c == u'I' ? Respuesta::Ignorar
                                          : Respuesta::Abortar);
    const int n = std::min<int>(kMaxLineas, int(lineas.size()) - 1);
    v.grilla = std::make_unique<Grilla>(std::max(n, 0) + 1, 101, 1, 1);
    for (int i = 1; i <= n; ++i) {
        const QStringList celdas = lineas[i].split(QLatin1Char('\t'));
        for (size_t k = 0; k < kColumnas.size(); ++k)
            v.grilla->setTextMatrix(i, kColumnas[k], Celda(celdas.value(qsizetype(k))));
    }
    return v;
}

// One literal at `i`: a quoted text, NULL or a number; `i` moves past it.
bool Literal(QStringView v, qsizetype& i) {
    if (i < v.size() && v[i] == u'\'') {
        for (++i;; ++i) {
            if (i >= v.size())
                return false;
            if (v[i] == u'\'' && (i + 1 >= v.size() || v[i + 1] != u'\''))
                break;
            if (v[i] == u'\'')
                ++i;
        }
        ++i;
        return true;
    }
    if (v.mid(i, 4).compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) {
        i += 4;
        return true;
    }
    const qsizetype desde = i;
    while (i < v.size() && QStringLiteral("0123456789.-+eE").contains(v[i]))
        ++i;
    bool ok = false;
    static_cast<void>(v.mid(desde, i - desde).toDouble(&ok));
    return ok;
}

// A VALUES list of literals only: quoted texts, numbers and NULL, separated by commas.
bool SoloLiterales(QStringView v) {
    qsizetype i = 0;
    const auto blancos = [&] {
        while (i < v.size() && v[i] == u' ')
            ++i;
    };
    for (;;) {
        blancos();
        if (!Literal(v, i))
            return false;
        blancos();
        if (i == v.size())
            return true;
        if (v[i] != u',')
            return false;
        ++i;
    }
}

// Whether `v` continues with `texto` at `i`; `i` moves past it.
bool Sigue(QStringView v, qsizetype& i, QLatin1StringView texto) {
    if (!v.mid(i).startsWith(texto, Qt::CaseInsensitive))
        return false;
    i += texto.size();
    return true;
}

// A column compared with a literal, or such comparisons joined by OR in parentheses; the columns
// and the literals they were compared with go to `valores`. `i` moves past it.
bool Comparacion(QStringView v, qsizetype& i, QHash<QString, QString>& valores) {
    if (Sigue(v, i, QLatin1StringView("("))) {
        do {
            if (!Comparacion(v, i, valores))
                return false;
        } while (Sigue(v, i, QLatin1StringView(" OR ")));
        return Sigue(v, i, QLatin1StringView(")"));
    }
    static const QRegularExpression columna(QStringLiteral("\\G(\\w+|\\[[\\w -]+\\]) [=>] "));
    const QRegularExpressionMatch m = columna.match(v, i);
    if (!m.hasMatch())
        return false;
    i = m.capturedEnd();
    const qsizetype desde = i;
    if (!Literal(v, i))
        return false;
    valores.insert(m.captured(1).toUpper(), v.mid(desde, i - desde).toString());
    return true;
}

// Comparisons joined by AND, up to `fin`; `i` moves past `fin`.
bool Comparaciones(QStringView v, qsizetype& i, QLatin1StringView fin, QHash<QString, QString>& valores) {
    do {
        if (!Comparacion(v, i, valores))
            return false;
        if (Sigue(v, i, fin))
            return true;
    } while (Sigue(v, i, QLatin1StringView(" AND ")));
    return false;
}

// A check that refuses the batch when another voucher holds a number the voucher was given: it
// reads its table and compares columns with literals only: the entry's number, the automatic lot,
// or the voucher's identity (or its discharge's, "PE") past the rows it holds.
bool EsControlDeNumero(QStringView t) {
    static const QRegularExpression cabeza(QStringLiteral(
        "^IF EXISTS\\(SELECT \\* FROM (MV_ASIENTOS|V_MV_STOCK) WITH \\(UPDLOCK, HOLDLOCK\\) WHERE "));
    const QRegularExpressionMatch m = cabeza.match(t);
    if (!m.hasMatch())
        return false;
    qsizetype i = m.capturedEnd();
    QHash<QString, QString> numero;
    if (!Comparaciones(t, i, QLatin1StringView(") RAISERROR("), numero) || !Literal(t, i) ||
        !Sigue(t, i, QLatin1StringView(", 16, 1)")) || i != t.size())
        return false;
    if (m.captured(1) == QLatin1String("MV_ASIENTOS"))
        return numero.contains(QStringLiteral("[NUMERO ASIENTO]"));
    if (numero.size() == 1)
        return numero.contains(QStringLiteral("NROLOTE"));
    const auto texto = [&](const char* c) {
        const QString literal = numero.value(QLatin1String(c));
        return literal.mid(1, literal.size() - 2);
    };
    return numero.contains(QStringLiteral("SECUENCIA")) &&
           (texto("IDCOMPROBANTE") == kId || texto("TC") == QLatin1String("  PE"));
}

struct Cuenta {
    int movimientos = 0;
    int asientos = 0;
};

// Every statement of the batch is the posting's own; counts the movement rows and entry lines.
Cuenta Revisa(const QString& tanda) {
    Cuenta c;
    for (const QString& s : DivideTanda(tanda)) {
        const QString t = s.trimmed();
        const bool movimiento = t.startsWith(QLatin1String("INSERT INTO V_MV_STOCK("));
        const bool asiento = t.startsWith(QLatin1String("INSERT INTO MV_ASIENTOS "));
        if (movimiento || asiento) {
            const qsizetype valores = t.indexOf(QLatin1String(") VALUES ("));
            if (valores < 0 || !t.endsWith(u')') ||
                !SoloLiterales(QStringView(t).mid(valores + 10, t.size() - valores - 11)))
                Falla("fila con algo más que valores", t);
            (movimiento ? c.movimientos : c.asientos) += 1;
            continue;
        }
        if (EsControlDeNumero(t))
            continue;
        // The discharge voucher's numbering: its range and its used numbers.
        if (!QRegularExpression(
                 QStringLiteral("^(UPDATE V_TA_CPTE |UPDATE TA_Comprobantes |INSERT INTO V_MV_CTROL_CPTE )"),
                 QRegularExpression::CaseInsensitiveOption)
                 .match(t)
                 .hasMatch())
            Falla("sentencia ajena al posteo", t);
    }
    return c;
}

int Cuantas(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        Falla("consulta de filas", QString::fromUtf8(sqlite3_errmsg(db)));
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

Cuenta Guardadas(sqlite3* db) {
    return {
        Cuantas(db,
                QStringLiteral("SELECT COUNT(*) FROM V_MV_STOCK WHERE IdComprobante = '%1' OR (TC = '  PE' "
                               "AND IdComprobante_Origen = '%1')")
                    .arg(kId)),
        Cuantas(db, QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE SUCURSAL = '0001' AND NUMERO = "
                                   "'00000777' AND LETRA = 'X'"))};
}

// Only this process posts: no number it was given can be another voucher's, and no row of the
// voucher can take another row's key.
void TomadoPorOtro(const QString& mensaje) {
    if (mensaje.contains(QLatin1String("Vuelva a grabar y se tomará el siguiente")) ||
        mensaje.contains(QLatin1String("UNIQUE constraint failed")))
        Falla("número o clave repetidos sin otra estación", mensaje);
}

// Runs the batch as a voucher form saves it: stored whole, or refused with a message and nothing
// of the voucher stored.
void Guarda(Entorno& e, const QString& tanda) {
    const Cuenta esperada = Revisa(tanda);
    const size_t mostrados = e.guion.Registros().size();
    bool hayError = false;
    qint32 numero = 0;
    QString texto, mensajes;
    GActualizarDatoScript(DivideTanda(tanda), hayError, numero, false, false, texto, mensajes, true);
    const Cuenta guardada = Guardadas(e.trabajo);
    if (hayError) {
        TomadoPorOtro(mensajes);
        if (e.guion.Registros().size() == mostrados)
            Falla("tanda rechazada sin mensaje", mensajes);
        if (guardada.movimientos != 0 || guardada.asientos != 0)
            Falla("tanda rechazada que dejó filas del comprobante");
    } else if (guardada.movimientos != esperada.movimientos || guardada.asientos != esperada.asientos) {
        Falla("tanda guardada a medias", QStringLiteral("%1/%2 movimientos, %3/%4 asientos")
                                             .arg(guardada.movimientos)
                                             .arg(esperada.movimientos)
                                             .arg(guardada.asientos)
                                             .arg(esperada.asientos));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    Entorno& e = Prepara();
    Restaura(e);
    e.guion.Limpia();
    EstableceInteraccion(&e.guion);
    gCaja = QStringLiteral("1");
    gUnidadNegocio = QStringLiteral("   1");
    ListaCampos().clear();

    Comprobante v = Lee(datos, largo, e.guion);
    if (v.loteAutomatico)
        Exec(e.trabajo,
             "UPDATE TA_CONFIGURACION SET Valor = 'SI' WHERE Clave = 'ASIGNACIONAUTOMATICADELOTEING'");
    const bool transferencia = v.tc == QLatin1String("TR");
    QString deposito = QStringLiteral("1"), destino = transferencia ? QStringLiteral("2") : QString(),
            motivo = QStringLiteral("1"), tcOrigen, cpteOrigen, sql;
    bool hayError = false;
    {
        ClsCmnCptesPosteo cls;
        cls.ActualizaStock(*v.grilla, v.tc, kId, v.complemento, QStringLiteral("20/03/2025"), deposito,
                           destino, motivo, tcOrigen, cpteOrigen, transferencia, QStringLiteral("PorDefault"),
                           !v.porRenglon, sql, hayError, QStringLiteral("NULL"), v.loteFijo, QString(),
                           QString(), 0, true, QStringLiteral("V01"), 0, QStringLiteral("1"),
                           Moneda::DeEntero(1));
    }
    if (hayError && e.guion.Registros().empty())
        Falla("posteo abandonado sin mensaje");
    for (const QString& m : e.guion.Mensajes())
        TomadoPorOtro(m);
    if (!hayError && !v.porRenglon)
        Guarda(e, sql);
    if (hayError && !v.porRenglon && Guardadas(e.trabajo).movimientos != 0)
        Falla("posteo abandonado que dejó filas");
    if (v.loteAutomatico)
        Exec(e.trabajo,
             "UPDATE TA_CONFIGURACION SET Valor = 'NO' WHERE Clave = 'ASIGNACIONAUTOMATICADELOTEING'");
    if (Fuera(e.trabajo) != e.fuera)
        Falla("cambió algo fuera de las filas del comprobante");
    EstableceInteraccion(nullptr);
    return 0;
}
