// The stock posting after an error: the database refuses one of the posting's queries, the user
// removes the cause and answers Retry (the same statement runs again: the stored rows are those
// of a posting without the error) or Ignore (exactly that statement's rows are missing).

#include "BasePosteo.h"

#include "Ayudas.h"
#include "ListaPipe.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <optional>
#include <sqlite3.h>

namespace {

// One failure of the connection: from Programa on, the n-th SELECT whose text (with its values)
// holds `pieza` is interrupted by the database, and so is every statement after it until the
// cause is removed (Repara). Installed on every connection opened while the tests run.
struct FallaSql {
    static inline int objetivo = 0; // 0: count only
    static inline int vistas = 0;
    static inline bool contando = false; // only the posting's queries are counted
    static inline bool activa = false;
    static inline QString pieza;
    static inline QString texto; // the statement that failed
    // The checks of a per-line row's transaction are left out: the database's refusal of a
    // stored row ends the posting, it is no look-up that Retry or Ignore are about.
    static inline bool sinControles = true;

    static bool EsControl(const QString& sql) {
        static const QRegularExpression control(QStringLiteral(
            "^SELECT \\* FROM (V_MV_STOCK|MV_ASIENTOS) +WHERE +(TC = .* AND Secuencia > |NroLote = "
            "|MES_OPERATIVO = )"));
        return control.match(sql.trimmed()).hasMatch();
    }

    static void Programa(int n, const QString& p = {}) {
        objetivo = n;
        vistas = 0;
        activa = false;
        pieza = p;
        texto.clear();
    }
    static void Repara() {
        activa = false;
        objetivo = 0;
    }

    static int Traza(unsigned, void*, void* st, void* x) {
        if (!contando || static_cast<const char*>(x)[0] == '-') // a trigger's own statement
            return 0;
        char* expandido = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(st));
        const QString sql = QString::fromUtf8(expandido ? expandido : "");
        sqlite3_free(expandido);
        if (!sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) ||
            !sql.contains(pieza, Qt::CaseInsensitive) || (sinControles && EsControl(sql)))
            return 0;
        if (++vistas == objetivo) {
            activa = true;
            texto = sql;
        }
        return 0;
    }
    static int Progreso(void*) { return activa ? 1 : 0; }
    static int AlConectar(sqlite3* db, const char**, const sqlite3_api_routines*) {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &Traza, nullptr);
        sqlite3_progress_handler(db, 1, &Progreso, nullptr);
        return SQLITE_OK;
    }
};

// The user: each error shown while the failure lasts removes its cause and gives the planned
// answer. Routines that trap their own errors (settings, components, lots) are answered Retry:
// their Ignore is their own, not the posting's.
class Operador : public InteraccionGuionada {
public:
    int respuesta = Respuesta::Reintentar;
    bool abortaTodo = false; // Abort at every error exit, the routines' own too
    QStringList avisos;      // titles of the errors answered

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
        if (!FallaSql::activa)
            return InteraccionGuionada::MsgBox(texto, estilo, titulo);
        avisos << titulo;
        FallaSql::Repara();
        if (abortaTodo)
            return Respuesta::Abortar;
        return DelPosteo() ? respuesta : Respuesta::Reintentar;
    }
    bool DelPosteo() const {
        return !avisos.isEmpty() && avisos.back().startsWith(QLatin1String("ActualizaStock"));
    }
};

// One movement row: its columns but Secuencia, and Secuencia.
struct Movimiento {
    QString texto;
    double secuencia = 0;
    QString articulo, deposito, lote, controlado, descripcion;
    double cantidad = 0;
};

// What a posting left in the database.
struct Estado {
    std::vector<Movimiento> propias;   // the voucher's rows
    std::vector<Movimiento> descargas; // its discharge's rows
    QStringList asientos;              // entry lines and the PE range
};

std::vector<Movimiento> Movimientos(const QString& condicion) {
    std::vector<Movimiento> filas;
    Registros rs;
    AD().ObtieneRecordset("SELECT * FROM V_MV_STOCK WHERE " + condicion + " ORDER BY Secuencia", rs);
    for (; !rs.Eof(); rs.MoveNext()) {
        Movimiento m;
        for (int i = 0; i < rs.FieldCount(); ++i) {
            const QString nombre = rs.FieldName(i).toUpper();
            if (nombre == "SECUENCIA")
                m.secuencia = rs.Fields(i).toDouble();
            else
                m.texto += rs.Fields(i).toString() + '\x1f';
        }
        m.articulo = rs.Fields("IDARTICULO").toString().trimmed();
        m.deposito = rs.Fields("IDDEPOSITO").toString().trimmed();
        m.lote = rs.Fields("NROLOTE").toString().trimmed();
        m.controlado = rs.Fields("CONTROLADOPOR").toString().trimmed();
        m.descripcion = rs.Fields("DESCRIPCION").toString();
        m.cantidad = rs.Fields("CANTIDAD").toDouble();
        filas.push_back(m);
    }
    AD().CierraRecordset(rs);
    return filas;
}

QStringList Textos(const std::vector<Movimiento>& filas) {
    QStringList r;
    for (const Movimiento& m : filas)
        r << m.texto;
    return r;
}

std::vector<double> Secuencias(const std::vector<Movimiento>& filas) {
    std::vector<double> r;
    r.reserve(filas.size());
    for (const Movimiento& m : filas)
        r.push_back(m.secuencia);
    return r;
}

std::vector<double> DeUnoAN(size_t n) {
    std::vector<double> r;
    r.reserve(n);
    for (size_t i = 1; i <= n; ++i)
        r.push_back(double(i));
    return r;
}

// Where `resto` is `todo` with one run of rows taken out: the run's first and last + 1.
std::optional<std::pair<qsizetype, qsizetype>> Quitadas(const QStringList& todo, const QStringList& resto) {
    if (resto.size() > todo.size())
        return std::nullopt;
    qsizetype inicio = 0;
    while (inicio < resto.size() && todo[inicio] == resto[inicio])
        ++inicio;
    qsizetype fin = 0;
    while (fin < resto.size() - inicio && todo[todo.size() - 1 - fin] == resto[resto.size() - 1 - fin])
        ++fin;
    if (inicio + fin != resto.size())
        return std::nullopt;
    return std::pair{inicio, todo.size() - fin};
}

class TrasError : public ConPosteo {
protected:
    void SetUp() override {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&FallaSql::AlConectar));
        ConPosteo::SetUp();
        EstableceInteraccion(&operador);
        AbreRangoDescarga();
        FallaSql::Programa(0);
    }
    void TearDown() override {
        FallaSql::Programa(0);
        ConPosteo::TearDown();
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&FallaSql::AlConectar));
    }

    // Posts the voucher in a transaction of its own (the batch run in it), reads what it left and
    // rolls it back, so that the next posting starts from the same database. Every entry
    // balances; given `esperado`, the stock moved adds up to it.
    Estado PosteaYDeshace(const std::vector<LineaGrilla>& lineas, Llamada ll,
                          const StockEsperado* esperado = nullptr) {
        cls = std::make_unique<ClsCmnCptesPosteo>();
        auto g = GrillaArticulos(lineas);
        if (!ll.GeneraSentenciaSQL)
            Ejecuta("BEGIN TRANSACTION");
        PosteaContando(*g, ll);
        EXPECT_FALSE(ll.HayError);
        if (ll.GeneraSentenciaSQL)
            Ejecuta("BEGIN TRANSACTION" + ll.SqlTemp);
        else if (!ll.SqlTemp.trimmed().isEmpty())
            Ejecuta(ll.SqlTemp);
        Estado e;
        e.propias = Movimientos("TC = '" + UT().RellenaCodigo(ll.TC, 4) + "' AND IdComprobante = '" +
                                ll.SucNroLetra + "'");
        e.descargas = Movimientos("TC = '  PE' AND IdComprobante_Origen = '" + ll.SucNroLetra + "'");
        Registros rs;
        AD().ObtieneRecordset("SELECT * FROM MV_ASIENTOS ORDER BY 1, 2, 3, 4", rs);
        for (; !rs.Eof(); rs.MoveNext()) {
            QString fila;
            for (int i = 0; i < rs.FieldCount(); ++i)
                fila += rs.Fields(i).toString() + '\x1f';
            e.asientos << fila;
        }
        AD().CierraRecordset(rs);
        e.asientos << ProximoPE();
        if (esperado)
            VerificaInvariantes(ll.TC, ll.SucNroLetra, *esperado);
        else
            VerificaAsiento(ll.TC, ll.SucNroLetra);
        Ejecuta("ROLLBACK TRANSACTION");
        return e;
    }

    // The database file as every posting of a test starts from: kept aside, and copied back with
    // the connection closed (a per-line posting stores its rows).
    void GuardaInicial() {
        AD().LeeConexion().Close();
        Copia(RutaBase(), RutaBase() + ".inicial");
        AD().Conecta(false, 3, QString(), true, true);
    }
    void Restaura() {
        AD().LeeConexion().Close();
        Copia(RutaBase() + ".inicial", RutaBase());
        AD().Conecta(false, 3, QString(), true, true);
    }
    static void Copia(const QString& desde, const QString& hasta) {
        for (const char* parte : {"", "-wal", "-shm"}) {
            QFile::remove(hasta + parte);
            if (QFile::exists(desde + parte)) {
                ASSERT_TRUE(QFile::copy(desde + parte, hasta + parte));
            }
        }
    }
    // Every row of the tables a posting writes, but the voucher's own, its discharge's and its
    // entry's, as one text.
    static QString Ajenas(const Llamada& ll) {
        const QString tc = UT().RellenaCodigo(ll.TC, 4);
        const QString consultas[] = {
            "SELECT * FROM V_MV_STOCK WHERE NOT (TC = '" + tc + "' AND IdComprobante = '" + ll.SucNroLetra +
                "') AND NOT (TC = '  PE' AND IdComprobante_Origen = '" + ll.SucNroLetra +
                "') ORDER BY 1, 2, 3, 4",
            "SELECT * FROM MV_ASIENTOS WHERE NOT (TC = '" + tc + "' AND SUCURSAL = '" +
                ll.SucNroLetra.left(4) + "' AND NUMERO = '" + ll.SucNroLetra.mid(4, 8) +
                "') ORDER BY 1, 2, 3, 4",
            "SELECT * FROM V_TA_CPTE ORDER BY 1, 2", "SELECT * FROM V_MV_CTROL_CPTE ORDER BY 1, 2, 3, 4",
            "SELECT * FROM C_MV_CPTE ORDER BY 1, 2, 3"};
        QString r;
        for (const QString& sql : consultas) {
            Registros rs;
            AD().ObtieneRecordset(sql, rs);
            for (; !rs.Eof(); rs.MoveNext())
                for (int i = 0; i < rs.FieldCount(); ++i)
                    r += rs.Fields(i).toString() + '\x1f';
            AD().CierraRecordset(rs);
        }
        return r;
    }

    // Posts the voucher, its queries counted for the failure.
    void PosteaContando(Grilla& g, Llamada& ll) const {
        FallaSql::contando = true;
        Postea(g, ll);
        FallaSql::contando = false;
    }

    // The rows of the voucher in the test's summary: Secuencia, article, lot, serial, quantity.
    static QStringList Resumen(const QString& tc, const QString& id) {
        QStringList r;
        for (const auto& f : Filas(tc, id))
            r << QString("%1 %2 %3 %4")
                     .arg(f["SECUENCIA"].toDouble())
                     .arg(f["IDARTICULO"].toString().trimmed(), f["NROLOTE"].toString().trimmed())
                     .arg(f["CANTIDAD"].toDouble());
        return r;
    }
    // The sum of the voucher's entry lines on one side.
    static double Asentado(const QString& tc, const QString& id, const char* lado) {
        return Valor("SELECT SUM(Importe) FROM MV_ASIENTOS WHERE TC = '" + UT().RellenaCodigo(tc, 4) +
                     "' AND NUMERO = '" + id.mid(4, 8) + "' AND [DEBE-HABER] = '" + lado + "'")
            .toDouble();
    }

    Operador operador;
};

TEST_F(TrasError, UnLoteDeUnaLineaDeVariosLotes) {
    auto g =
        GrillaArticulos({Linea("1060", "5", {{21, "|L1060A|L1060B|"}, {22, "|3|2|"}}), Linea("1001", "4")});
    // The first lot's customs look-up fails once.
    for (const int respuesta : {Respuesta::Reintentar, Respuesta::Ignorar}) {
        operador.respuesta = respuesta;
        FallaSql::Programa(1, "L1060A");
        Llamada ll;
        ll.TC = "VS";
        ll.SucNroLetra = respuesta == Respuesta::Reintentar ? "000100000070X" : "000100000071X";
        PosteaContando(*g, ll);
        ASSERT_FALSE(ll.HayError);
        Ejecuta("BEGIN TRANSACTION" + ll.SqlTemp + "\rCOMMIT TRANSACTION");
        EXPECT_EQ(operador.avisos, QStringList{"ActualizaStock - Aviso al operador!!!"});
        operador.avisos.clear();
        if (respuesta == Respuesta::Reintentar)
            EXPECT_EQ(Resumen("VS", ll.SucNroLetra),
                      (QStringList{"1 1060 L1060A -3", "2 1060 L1060B -2", "3 1001  -4"}));
        else // that lot alone is missing; the numbers stay in a row
            EXPECT_EQ(Resumen("VS", ll.SucNroLetra), (QStringList{"1 1060 L1060B -2", "2 1001  -4"}));
    }
}

TEST_F(TrasError, UnaFilaPorRenglonYSuAsiento) {
    const auto lineas = std::vector<LineaGrilla>{
        Linea("1015", "3", {{20, "1"}, {21, "|L1015A|L1015A|L1015B|"}}),
        Linea("1002", "1"),
    };
    struct Caso {
        const char* pieza; // the statement that fails once
        int respuesta;
        QStringList filas;
        double asentado; // the voucher's entry, each side
    };
    const Caso casos[] = {
        // The first lot's row: Retry stores it, Ignore leaves it out (its line's entry is booked
        // with the next lot's row).
        {"L1015A", Respuesta::Reintentar, {"1 1015 L1015A 2", "2 1015 L1015B 1", "3 1002  1"}, 40},
        {"L1015A", Respuesta::Ignorar, {"1 1015 L1015B 1", "2 1002  1"}, 40},
        // The first line's entry: Retry books it once with the row stored once; Ignore leaves
        // that entry out and nothing else.
        {"V_TA_MOTIVOSTOCK", Respuesta::Reintentar, {"1 1015 L1015A 2", "2 1015 L1015B 1", "3 1002  1"}, 40},
        {"V_TA_MOTIVOSTOCK", Respuesta::Ignorar, {"1 1015 L1015A 2", "2 1015 L1015B 1", "3 1002  1"}, 10},
    };
    int numero = 80;
    for (const Caso& c : casos) {
        operador.respuesta = c.respuesta;
        FallaSql::Programa(1, c.pieza);
        auto g = GrillaArticulos(lineas);
        Llamada ll;
        ll.SucNroLetra = QString("0001%1X").arg(++numero, 8, 10, QChar('0'));
        ll.GeneraSentenciaSQL = false;
        PosteaContando(*g, ll);
        SCOPED_TRACE(std::string(c.pieza) + (c.respuesta == Respuesta::Reintentar ? " retry" : " ignore"));
        EXPECT_FALSE(ll.HayError);
        EXPECT_EQ(operador.avisos, QStringList{"ActualizaStock - Aviso al operador!!!"});
        operador.avisos.clear();
        EXPECT_EQ(Resumen("IR", ll.SucNroLetra), c.filas);
        EXPECT_EQ(Asentado("IR", ll.SucNroLetra, "D"), c.asentado);
        EXPECT_EQ(Asentado("IR", ll.SucNroLetra, "H"), c.asentado);
    }
}

TEST_F(TrasError, ElSubdiarioDelAsientoReintentado) {
    // The registration type's second query fails once; Retry reads it again from the voucher
    // type's row and the entry is booked as without the failure.
    const auto lineas = std::vector<LineaGrilla>{Linea("1001", "2")};
    Llamada ll;
    const Estado limpio = PosteaYDeshace(lineas, ll);
    FallaSql::Programa(1, "'STK'");
    const Estado e = PosteaYDeshace(lineas, ll);
    EXPECT_EQ(operador.avisos, QStringList{"ObtieneTipoRegCont$ - Aviso al operador!!!"});
    EXPECT_EQ(operador.Mensajes(), QStringList());
    EXPECT_EQ(e.asientos, limpio.asientos);
    const QStringList propias = e.asientos.filter("00000050");
    EXPECT_EQ(propias.size(), 2);
    EXPECT_EQ(propias.filter("STK").size(), 2);
}

TEST_F(TrasError, UnaFilaDeLaDescarga) {
    const auto lineas = std::vector<LineaGrilla>{Linea("HAMBURGUESA", "30"), Linea("1001", "1")};
    for (const bool tanda : {true, false}) {
        for (const int respuesta : {Respuesta::Reintentar, Respuesta::Ignorar}) {
            SCOPED_TRACE(std::string(tanda ? "batch " : "per line ") +
                         (respuesta == Respuesta::Reintentar ? "retry" : "ignore"));
            operador.respuesta = respuesta;
            Llamada ll;
            ll.TC = "VS";
            ll.GeneraSentenciaSQL = tanda;
            // The second discharge row (lot L1015B) fails at its cost look-up.
            FallaSql::Programa(2, "Costo FROM V_MA_ARTICULOS");
            const Estado e = PosteaYDeshace(lineas, ll);
            EXPECT_EQ(operador.avisos, QStringList{"ActualizaStock - Aviso al operador!!!"});
            operador.avisos.clear();
            QStringList filas;
            for (const Movimiento& m : e.descargas)
                filas << QString("%1 %2 %3 %4 %5")
                             .arg(m.secuencia)
                             .arg(m.deposito, m.articulo, m.lote)
                             .arg(m.cantidad);
            if (respuesta == Respuesta::Reintentar)
                EXPECT_EQ(filas, (QStringList{"1 1 1015 L1015A -57", "2 1 1015 L1015B -3", "3 1 *  -3"}));
            else
                EXPECT_EQ(filas, (QStringList{"1 1 1015 L1015A -57", "2 1 *  -3"}));
            EXPECT_EQ(e.asientos.back(), "6"); // the range moved past the discharge's number
            EXPECT_EQ(e.propias.size(), 2u);
        }
    }
}

// A voucher of a type, a mode and a number chosen at random: a reception, an exit or a transfer,
// in a batch or line by line.
Llamada AlAzar(QRandomGenerator& azar, int numero) {
    static const QStringList tipos = {"IR", "VS", "TR"};
    Llamada ll;
    ll.TC = tipos[azar.bounded(3)];
    ll.EsTransferencia = ll.TC == "TR";
    ll.IdDepositoDestino = ll.EsTransferencia ? "2" : "";
    ll.GeneraSentenciaSQL = azar.bounded(2) == 0;
    ll.SucNroLetra = QString("0001%1X").arg(numero, 8, 10, QChar('0'));
    return ll;
}

// A voucher generated at random: its lines (lots, serial numbers, articles with components) and
// the stock each article and deposit must move.
std::vector<LineaGrilla> Genera(QRandomGenerator& azar, const Llamada& ll, StockEsperado& esperado) {
    const int signo = ll.TC == "IR" ? 1 : -1;
    const bool entrada = signo == 1 && !ll.EsTransferencia;
    std::vector<LineaGrilla> lineas;
    for (int i = 1 + azar.bounded(5); i > 0; --i) {
        QString art = QString::number(1001 + azar.bounded(200));
        int total = 0;
        LineaGrilla l;
        switch (azar.bounded(6)) {
        case 0: { // lots: entries coming in, or quantities per lot going out (those of 1060 with customs)
            const bool conAduana = !entrada && azar.bounded(2) == 0;
            if (conAduana)
                art = "1060";
            QStringList lotes, cantidades;
            // Each lot once on an outgoing line.
            for (int k = azar.bounded(1, conAduana ? 3 : 4); k > 0; --k) {
                const int c = 1 + azar.bounded(4);
                if (entrada) {
                    for (int u = 0; u < c; ++u)
                        lotes << QString("LT%1").arg(azar.bounded(3));
                } else {
                    lotes << (conAduana ? QString("L1060%1").arg(QChar('A' + k % 2))
                                        : QString("LT%1-%2").arg(k).arg(i));
                    cantidades << QString::number(c);
                }
                total += c;
            }
            l = Linea(art, QString::number(total),
                      {{20, "1"}, {21, ListaPipe::Escribe(lotes)}, {22, ListaPipe::Escribe(cantidades)}});
            break;
        }
        case 1: // serial numbers coming in
            if (entrada) {
                QStringList series;
                total = 1 + azar.bounded(4);
                for (int k = 0; k < total; ++k)
                    series << QString("S%1-%2").arg(i).arg(k);
                l = Linea(art, QString::number(total), {{19, "1"}, {22, ListaPipe::Escribe(series)}});
                break;
            }
            [[fallthrough]];
        case 2: // components per unit, spread over their lots
            art = "HAMBURGUESA";
            total = 1 + azar.bounded(40);
            l = Linea(art, QString::number(total));
            break;
        case 3: // components as percentages
            art = "MEZCLA-CAFE";
            total = 1 + azar.bounded(10);
            l = Linea(art, QString::number(total), {{68, "1"}});
            break;
        default:
            total = 1 + azar.bounded(9);
            l = Linea(art, QString::number(total));
        }
        lineas.push_back(l);
        SumaEsperada(esperado, art, total, signo, ll.EsTransferencia);
    }
    return lineas;
}

// What a posting whose failed statement was ignored left, against the posting without failure:
// the voucher's rows lack at most the one row of that statement, its discharge at most the rows
// of one line (and, in a transfer, their mirror at the destination), never both; the rest is
// there as it was, numbered without gaps.
void VerificaIgnorada(const Estado& limpio, const Estado& e, bool transferencia, int& quitadas) {
    const auto propias = Quitadas(Textos(limpio.propias), Textos(e.propias));
    ASSERT_TRUE(propias) << "voucher rows changed";
    const qsizetype faltanPropias = propias->second - propias->first;
    EXPECT_LE(faltanPropias, 1);
    EXPECT_EQ(Secuencias(e.propias), DeUnoAN(e.propias.size()));
    EXPECT_EQ(Secuencias(e.descargas), DeUnoAN(e.descargas.size()));
    const auto parte = [&](const std::vector<Movimiento>& filas, bool destino) {
        std::vector<Movimiento> r;
        for (const Movimiento& m : filas)
            if ((transferencia && m.deposito == "2") == destino)
                r.push_back(m);
        return r;
    };
    const auto origenLimpio = parte(limpio.descargas, false);
    const auto origen = Quitadas(Textos(origenLimpio), Textos(parte(e.descargas, false)));
    const auto destino = Quitadas(Textos(parte(limpio.descargas, true)), Textos(parte(e.descargas, true)));
    ASSERT_TRUE(origen && destino) << "discharge rows changed";
    const qsizetype faltanOrigen = origen->second - origen->first;
    const qsizetype faltanDestino = destino->second - destino->first;
    for (qsizetype i = origen->first; i < origen->second; ++i)
        EXPECT_EQ(origenLimpio[size_t(i)].controlado, origenLimpio[size_t(origen->first)].controlado);
    if (transferencia)
        EXPECT_TRUE((faltanOrigen == 0 && faltanDestino <= 1) || *origen == *destino);
    else
        EXPECT_EQ(faltanDestino, 0);
    EXPECT_TRUE(faltanPropias == 0 || faltanOrigen + faltanDestino == 0);
    quitadas += int(faltanPropias + faltanOrigen + faltanDestino > 0);
}

// Generated vouchers (lots, serial numbers, components, transfers; in a batch or row by row),
// each posted without failure and then with one of its queries failing once, chosen at random,
// and a random answer. After Retry the database holds what the posting without failure left.
TEST_F(TrasError, UnaFallaCualquieraConCualquierRespuesta) {
    constexpr int kCasos = 100;
    QRandomGenerator azar(40);
    int reintentadas = 0, ignoradas = 0, quitadas = 0;
    for (int n = 0; n < kCasos && !HasFailure(); ++n) {
        Llamada ll = AlAzar(azar, 200 + n);
        StockEsperado esperado;
        const auto lineas = Genera(azar, ll, esperado);
        FallaSql::Programa(0);
        const Estado limpio = PosteaYDeshace(lineas, ll, &esperado);
        const int consultas = FallaSql::vistas;
        // What a transfer's discharge takes out of the origin, lot by lot, reaches the destination.
        StockEsperado descargado;
        for (const Movimiento& m : limpio.descargas)
            if (ll.EsTransferencia && std::abs(descargado[{m.articulo, m.lote}] += m.cantidad) < 1e-9)
                descargado.erase({m.articulo, m.lote});
        EXPECT_TRUE(descargado.empty()) << "case " << n;
        operador.respuesta = azar.bounded(2) == 0 ? Respuesta::Reintentar : Respuesta::Ignorar;
        FallaSql::Programa(1 + azar.bounded(consultas));
        const int objetivo = FallaSql::objetivo;
        const Estado e =
            PosteaYDeshace(lineas, ll, operador.respuesta == Respuesta::Reintentar ? &esperado : nullptr);
        SCOPED_TRACE(QString("case %1 %2 %3, query %4 of %5: %6")
                         .arg(n)
                         .arg(ll.TC, ll.GeneraSentenciaSQL ? "batch" : "per line")
                         .arg(objetivo)
                         .arg(consultas)
                         .arg(FallaSql::texto.simplified())
                         .toStdString());
        ASSERT_EQ(operador.avisos.size(), 1);
        // No other message: the error was answered and nothing else went wrong.
        EXPECT_EQ(operador.Mensajes(), QStringList()) << operador.avisos[0].toStdString();
        operador.Limpia();
        const bool ignorada = operador.DelPosteo() && operador.respuesta == Respuesta::Ignorar;
        operador.avisos.clear();
        if (ignorada) {
            ++ignoradas;
            VerificaIgnorada(limpio, e, ll.EsTransferencia, quitadas);
            continue;
        }
        ++reintentadas;
        EXPECT_EQ(Textos(e.propias), Textos(limpio.propias));
        EXPECT_EQ(Secuencias(e.propias), Secuencias(limpio.propias));
        EXPECT_EQ(Textos(e.descargas), Textos(limpio.descargas));
        EXPECT_EQ(Secuencias(e.descargas), Secuencias(limpio.descargas));
        EXPECT_EQ(e.asientos, limpio.asientos);
    }
    EXPECT_GT(reintentadas, kCasos / 4);
    EXPECT_GT(ignoradas, kCasos / 8);
    EXPECT_GT(quitadas, 0);
}

// The rows of a per-line posting grouped as they were stored: one grid line of one pass each
// (its label and deposit), in order.
std::vector<std::vector<Movimiento>> PorLinea(const std::vector<Movimiento>& filas) {
    std::vector<std::vector<Movimiento>> grupos;
    for (const Movimiento& m : filas) {
        if (grupos.empty() || grupos.back().front().descripcion != m.descripcion ||
            grupos.back().front().deposito != m.deposito)
            grupos.emplace_back();
        grupos.back().push_back(m);
    }
    return grupos;
}

// The amount the entry books for the lines stored in the first pass (their quantity at cost 10).
double AsentadoDe(const std::vector<Movimiento>& filas, const std::vector<LineaGrilla>& lineas) {
    QSet<QString> guardadas;
    for (const Movimiento& m : filas)
        if (m.deposito == QLatin1String("1"))
            guardadas.insert(m.descripcion);
    double importe = 0;
    for (const LineaGrilla& l : lineas)
        if (guardadas.contains(l.celdas.at(1)))
            importe += 10 * l.celdas.at(7).toDouble();
    return importe;
}

// Generated vouchers (both modes, the automatic lot on), each posted once without failure and
// once with one of its queries failing, answered Abort wherever it is asked: in the posting's
// error exit or in the routine's own (a setting, an entry look-up, the numbering, the lots). The
// posting ends with HayError; in a batch nothing of the voucher was stored, line by line exactly
// the lines before the failing one are, each with its entry.
TEST_F(TrasError, AbortarEnCualquierSalidaTerminaElPosteoSinGuardarDeAhiEnAdelante) {
    constexpr int kCasos = 100;
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    GuardaInicial();
    FallaSql::sinControles = false;
    operador.abortaTodo = true;
    QRandomGenerator azar(49);
    int tandas = 0, nada = 0, parciales = 0, sinAviso = 0, deRutinas = 0;
    for (int n = 0; n < kCasos && !HasFailure(); ++n) {
        Llamada ll = AlAzar(azar, 300 + n);
        StockEsperado esperado;
        auto lineas = Genera(azar, ll, esperado);
        for (size_t i = 0; i < lineas.size(); ++i)
            lineas[i].celdas[1] = QString("Línea %1").arg(i + 1);
        // Without failure: what a per-line posting stores.
        Restaura();
        FallaSql::Programa(0);
        Llamada limpia = ll;
        cls = std::make_unique<ClsCmnCptesPosteo>();
        auto g = GrillaArticulos(lineas);
        PosteaContando(*g, limpia);
        ASSERT_FALSE(limpia.HayError) << "case " << n;
        const int consultas = FallaSql::vistas;
        const auto tc = UT().RellenaCodigo(ll.TC, 4);
        const QString propias = "TC = '" + tc + "' AND IdComprobante = '" + ll.SucNroLetra + "'";
        const QString descargas = "TC = '  PE' AND IdComprobante_Origen = '" + ll.SucNroLetra + "'";
        const auto todas = Movimientos(propias);
        const auto todasDescargas = Movimientos(descargas);
        if (!ll.GeneraSentenciaSQL) {
            EXPECT_EQ(Asentado(ll.TC, ll.SucNroLetra, "D"), AsentadoDe(todas, lineas)) << "case " << n;
        }

        Restaura();
        const QString ajenas = Ajenas(ll);
        FallaSql::Programa(1 + azar.bounded(consultas));
        cls = std::make_unique<ClsCmnCptesPosteo>();
        g = GrillaArticulos(lineas);
        PosteaContando(*g, ll);
        SCOPED_TRACE(QString("case %1 %2 %3, query %4 of %5: %6")
                         .arg(n)
                         .arg(ll.TC, ll.GeneraSentenciaSQL ? "batch" : "per line")
                         .arg(FallaSql::objetivo)
                         .arg(consultas)
                         .arg(FallaSql::texto.simplified())
                         .toStdString());
        if (operador.avisos.isEmpty()) {
            // A statement whose failure is no error of the posting's (the reception date's update,
            // whose outcome is not checked): nobody was asked.
            ++sinAviso;
            EXPECT_FALSE(ll.HayError);
            continue;
        }
        deRutinas += int(!operador.DelPosteo());
        operador.avisos.clear();
        operador.Limpia();
        EXPECT_TRUE(ll.HayError);
        EXPECT_EQ(Ajenas(ll), ajenas);
        const auto filas = Movimientos(propias);
        const auto filasDescarga = Movimientos(descargas);
        if (ll.GeneraSentenciaSQL) {
            ++tandas;
            EXPECT_TRUE(filas.empty() && filasDescarga.empty());
            EXPECT_EQ(Asentado(ll.TC, ll.SucNroLetra, "D"), 0);
            continue;
        }
        // Whole lines, those before the failing one; the discharge only after every line.
        const auto lineasLimpias = PorLinea(todas);
        const auto guardadas = PorLinea(filas);
        ASSERT_LE(guardadas.size(), lineasLimpias.size());
        for (size_t i = 0; i < guardadas.size(); ++i) {
            EXPECT_EQ(Textos(guardadas[i]), Textos(lineasLimpias[i])) << "line group " << i;
            EXPECT_EQ(Secuencias(guardadas[i]), Secuencias(lineasLimpias[i])) << "line group " << i;
        }
        const auto quitadas = Quitadas(Textos(todasDescargas), Textos(filasDescarga));
        EXPECT_TRUE(filasDescarga.empty() || (guardadas.size() == lineasLimpias.size() && quitadas &&
                                              size_t(quitadas->second) == todasDescargas.size()));
        EXPECT_EQ(Asentado(ll.TC, ll.SucNroLetra, "D"), AsentadoDe(filas, lineas));
        VerificaAsiento(ll.TC, ll.SucNroLetra);
        (filas.empty() ? nada : parciales) += 1;
    }
    EXPECT_GT(tandas, kCasos / 5);
    EXPECT_GT(parciales, kCasos / 20);
    EXPECT_GT(nada, 0);
    EXPECT_GT(deRutinas, kCasos / 10);
    EXPECT_LT(sinAviso, kCasos / 10);
    RecordProperty("parciales", parciales);
    RecordProperty("rutinas", deRutinas);
}

// Abort at the entry's look-ups, its number and the settings, in each mode: the posting ends with
// HayError and nothing of the voucher is stored. Past the last entry number (overflow) Abort ends
// it too; Ignore there leaves no number, which the posting's own exit then asks about.
TEST_F(TrasError, AbortarEnElAsientoYEnLosAjustesNoGuardaNada) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    GuardaInicial();
    const auto lineas = std::vector<LineaGrilla>{Linea("1001", "2"), Linea("HAMBURGUESA", "1")};
    FallaSql::sinControles = false;
    operador.abortaTodo = true;
    const char* piezas[] = {
        "TC = '  IR' AND SUCURSAL", "MA_SUBDIARIOSCOMPROBANTES", "CODIGO = 'STK'",
        "MAX([NUMERO ASIENTO])",    "MV_ASIENTOSCCOSTO",         "'AsignacionAutomaticaDeLoteING'",
        "'CargaInsumosProduccion'", "'ConfirmaUDEquiv'",         "'DescargaInsumosProduccion'"};
    int numero = 400;
    for (const bool tanda : {true, false}) {
        for (const char* pieza : piezas) {
            if (!tanda && QLatin1String(pieza) == QLatin1String("TC = '  IR' AND SUCURSAL"))
                continue; // a per-line entry asks whether the voucher has one only to add to it
            // Read by the discharge, after the lines: line by line those stay stored.
            const bool trasLasLineas =
                !tanda && QLatin1String(pieza) == QLatin1String("'DescargaInsumosProduccion'");
            SCOPED_TRACE(std::string(pieza) + (tanda ? " batch" : " per line"));
            Restaura();
            const Llamada base = [&] {
                Llamada l;
                l.GeneraSentenciaSQL = tanda;
                l.SucNroLetra = QString("0001%1X").arg(++numero, 8, 10, QChar('0'));
                return l;
            }();
            Llamada ll = base;
            const QString antes = Ajenas(ll);
            FallaSql::Programa(1, pieza);
            cls = std::make_unique<ClsCmnCptesPosteo>();
            auto g = GrillaArticulos(lineas);
            PosteaContando(*g, ll);
            EXPECT_EQ(operador.avisos.size(), 1);
            operador.avisos.clear();
            EXPECT_TRUE(ll.HayError);
            EXPECT_EQ(operador.Mensajes(), QStringList()); // nothing more told after Abort
            operador.Limpia();
            EXPECT_EQ(Ajenas(ll), antes);
            EXPECT_EQ(Movimientos("TC = '  IR' AND IdComprobante = '" + ll.SucNroLetra + "'").size(),
                      trasLasLineas ? 2u : 0u);
            EXPECT_EQ(Asentado("IR", ll.SucNroLetra, "D"), trasLasLineas ? 30 : 0);
            EXPECT_TRUE(
                Movimientos("TC = '  PE' AND IdComprobante_Origen = '" + ll.SucNroLetra + "'").empty());
        }
    }
    // The highest entry of March at the last 32-bit number.
    FallaSql::Programa(0);
    operador.abortaTodo = false;
    for (const bool tanda : {true, false}) {
        for (const int respuesta : {Respuesta::Abortar, Respuesta::Ignorar}) {
            SCOPED_TRACE(std::string(tanda ? "batch " : "per line ") +
                         (respuesta == Respuesta::Abortar ? "abort" : "ignore"));
            Restaura();
            Ejecuta(
                "INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Mes_Operativo, [Numero Asiento], TC, SUCURSAL, "
                "NUMERO, LETRA, PERIODO, Tipo_Reg, [DEBE-HABER], Importe) VALUES ('1.1.5.01', 1, 3, "
                "2147483647, "
                "'  AJ', '0001', '00000001', 'X', 2025, 'STK', 'D', 5)");
            Llamada ll;
            ll.GeneraSentenciaSQL = tanda;
            ll.SucNroLetra = QString("0001%1X").arg(++numero, 8, 10, QChar('0'));
            const QString antes = Ajenas(ll);
            operador.Limpia();
            operador.AgregaRespuesta(respuesta);
            operador.AgregaRespuesta(Respuesta::Abortar);
            cls = std::make_unique<ClsCmnCptesPosteo>();
            auto g = GrillaArticulos(lineas);
            Postea(*g, ll);
            EXPECT_TRUE(ll.HayError);
            const QStringList mensajes = operador.Mensajes();
            ASSERT_EQ(mensajes.size(), respuesta == Respuesta::Abortar ? 1 : 2);
            EXPECT_EQ(mensajes[0], "Ha ocurrido el Siguiente Error (6) Desbordamiento: el número de asiento "
                                   "pasaría de 2147483647");
            if (respuesta == Respuesta::Ignorar) {
                EXPECT_EQ(mensajes[1],
                          "Ha ocurrido el Siguiente Error (5) No se obtuvo el número de asiento: el "
                          "asiento no se grabó");
            }
            EXPECT_EQ(Ajenas(ll), antes);
            EXPECT_TRUE(Movimientos("TC = '  IR' AND IdComprobante = '" + ll.SucNroLetra + "'").empty());
        }
    }
}

// Retry at a failing read of a setting the posting depends on (the automatic lot, the
// discharge, the units) reads it again: the rows are those of a posting without the failure.
TEST_F(TrasError, UnAjusteReintentadoSeLeeOtraVez) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    AjustaConfiguracion("CONFIRMAUDEQUIV", "SI");
    const auto lineas =
        std::vector<LineaGrilla>{Linea("1001", "2", {{10, "4"}, {9, "CJ"}}), Linea("HAMBURGUESA", "1")};
    for (const bool tanda : {true, false}) {
        Llamada ll;
        ll.GeneraSentenciaSQL = tanda;
        const Estado limpio = PosteaYDeshace(lineas, ll);
        ASSERT_FALSE(limpio.propias.empty());
        for (const char* pieza : {"'AsignacionAutomaticaDeLoteING'", "'CargaInsumosProduccion'",
                                  "'DescargaInsumosProduccion'", "'ConfirmaUDEquiv'"}) {
            SCOPED_TRACE(std::string(pieza) + (tanda ? " batch" : " per line"));
            FallaSql::Programa(1, pieza);
            const Estado e = PosteaYDeshace(lineas, ll);
            ASSERT_EQ(operador.avisos.size(), 1);
            EXPECT_TRUE(operador.avisos[0].contains(" - Cfg Aviso al operador"))
                << operador.avisos[0].toStdString();
            operador.avisos.clear();
            EXPECT_EQ(Textos(e.propias), Textos(limpio.propias));
            EXPECT_EQ(Textos(e.descargas), Textos(limpio.descargas));
            EXPECT_EQ(e.asientos, limpio.asientos);
        }
    }
}

} // namespace
