// The stock posting of three vouchers in batch mode, built by ActualizaStock and run in one framed
// batch through the data-access layer: one of 10,000 lines, one line carrying 10,000 serial
// numbers, and 1,000 lines of 22,222 units each with two lots and a fixed lot. The baseline is raw
// SQLite inserting the same movement rows (read back from what the posting stored) with one
// prepared statement in one transaction. Each side is timed in turns (processor time of this
// thread), the best time counts. Half the size is timed too: a posting that grows linearly takes
// about twice as long for twice the entries, and a line's units (not entries) cost nothing more.
// Then postings of 2,000 and 10,000 lines with the progress banner, on the display DISPLAY names
// (offscreen without one) with a table showing the voucher's lines, against the same postings
// without any window, both by the wall clock (posteo_N_ventana_vs_logica).

#include "AccesoDatos.h"
#include "Cartel.h"
#include "ClsCmnCptesPosteo.h"
#include "EditorFlotante.h"
#include "Globales.h"
#include "Grilla.h"
#include "ListaPipe.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "VentanaReal.h"
#include "VistaCartel.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kEntradas = 10000;
const int kVueltas = VueltasBench(3);

// The units of each line of the third voucher, which brings its lots |A|B| and the rest under
// the fixed lot: three rows a line, whatever its units.
constexpr int kUnidades = 22222;
constexpr int kLineasUnidades = 1000;

// A grid of `lineas` lines of one unit each, or one serial-numbered line of `series` entries, or
// (with `unidades`) lines of that many units with two lots each.
std::unique_ptr<Grilla> GrillaDe(int lineas, int series, int unidades = 0) {
    auto g = std::make_unique<Grilla>(lineas + 1, 101, 1, 1);
    for (int i = 1; i <= lineas; ++i) {
        g->setTextMatrix(i, 0, QString::number(1001 + (i % 290)));
        g->setTextMatrix(i, 1, QStringLiteral("Artículo de prueba"));
        g->setTextMatrix(i, 5, QStringLiteral("UN"));
        g->setTextMatrix(i, 7, QString::number(series > 0 ? series : unidades > 0 ? unidades : 1 + i % 7));
        g->setTextMatrix(i, 8, QStringLiteral("1"));
        g->setTextMatrix(i, 19, series > 0 ? QStringLiteral("1") : QStringLiteral("0"));
        g->setTextMatrix(i, 20, unidades > 0 ? QStringLiteral("1") : QStringLiteral("0"));
        if (unidades > 0)
            g->setTextMatrix(i, 21, QStringLiteral("|A|B|"));
        g->setTextMatrix(i, 38, QStringLiteral("10"));
        g->setTextMatrix(i, 41, QStringLiteral("UN"));
        g->setTextMatrix(i, 61, QStringLiteral("0"));
    }
    if (series > 0) {
        QStringList s;
        s.reserve(series);
        for (int k = 0; k < series; ++k)
            s << QStringLiteral("SN%1").arg(k, 6, 10, QLatin1Char('0'));
        g->setTextMatrix(1, 22, ListaPipe::Escribe(s));
    }
    return g;
}

// Posts the grid as voucher `id` and stores it in one transaction; with `cartel`, the posting
// shows its banner.
void Postea(ClsCmnCptesPosteo& cls, Grilla& g, const QString& id, QString loteFijo, bool cartel = false) {
    QString deposito = QStringLiteral("1"), destino, motivo = QStringLiteral("1"), tcOrigen, cpteOrigen, sql;
    bool hayError = false;
    cls.ActualizaStock(g, QStringLiteral("IR"), id, QStringLiteral("0"), QStringLiteral("20/03/2025"),
                       deposito, destino, motivo, tcOrigen, cpteOrigen, false, QStringLiteral("P001"), true,
                       sql, hayError, QStringLiteral("NULL"), loteFijo, QString(), QString(), 0, cartel,
                       QStringLiteral("V01"), 0, QStringLiteral("1"), Moneda::DeEntero(1));
    if (hayError) {
        std::fprintf(stderr, "posteo: the posting failed\n");
        std::exit(1);
    }
    AD().EjecutaSQL(QStringLiteral("BEGIN TRANSACTION") + sql + QStringLiteral("\rCOMMIT TRANSACTION"));
}

// The stored rows of a voucher, every column but the type, as SQLite values.
struct Filas {
    int columnas = 0;
    QByteArray lista; // the column names
    std::vector<sqlite3_value*> valores;
    Filas() = default;
    Filas(const Filas&) = delete;
    Filas& operator=(const Filas&) = delete;
    ~Filas() {
        for (sqlite3_value* v : valores)
            sqlite3_value_free(v);
    }
    size_t Cuantas() const { return columnas ? valores.size() / size_t(columnas) : 0; }
};

const char* const kColumnas =
    "IdComprobante,IdComplemento,Secuencia,Fecha,IdCaja,IdDeposito,IdPosicion,IdArticulo,Descripcion,NroLote,"
    "ControladoPor,IdOrigen,NroSerie,IdUnidad,Cantidad,CantidadUD,IdUnidadBase,CuentaProveedor,IdMotivoStock,"
    "PrecioVenta,Importe_S_Iva,Costo,Impuestos,DtoItem,Tc_Origen,IdComprobante_Origen,Id_Origen,IVARI,IVARNI,"
    "EQUIV_UDBASE,IDINSERT,IDCOMPULSA,Oferta,IdVendedor,Importe_Ud,Ud_Pr,UNEGOCIO,ARTMONEDA,ARTCOTIZACION,"
    "EnComodato,CANT_BL,CANT_KG,CANT_M3";

void Lee(sqlite3* db, const QByteArray& id, Filas& f) {
    sqlite3_stmt* st =
        Prepara(db, QByteArray("SELECT ") + kColumnas +
                        " FROM V_MV_STOCK WHERE TC = '  IR' AND IdComprobante = ? ORDER BY Secuencia");
    Texto(st, 1, id);
    f.columnas = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < f.columnas; ++c)
            f.valores.push_back(sqlite3_value_dup(sqlite3_column_value(st, c)));
    sqlite3_finalize(st);
}

// The raw side: the same rows under type CRUD, one prepared statement, one transaction.
void Crudo(sqlite3* db, const Filas& f) {
    QByteArray marcas;
    for (int c = 0; c < f.columnas; ++c)
        marcas += ",?";
    Ejecuta(db, "BEGIN IMMEDIATE");
    sqlite3_stmt* st = Prepara(db, QByteArray("INSERT INTO V_MV_STOCK (TC,") + kColumnas +
                                       ") VALUES ('CRUD'" + marcas + ")");
    for (size_t r = 0; r < f.Cuantas(); ++r) {
        for (int c = 0; c < f.columnas; ++c)
            sqlite3_bind_value(st, c + 1, f.valores[r * size_t(f.columnas) + size_t(c)]);
        InsertaFila(db, st);
    }
    sqlite3_finalize(st);
    Ejecuta(db, "COMMIT");
}

struct Medida {
    double nuestro = 1e30;
    double crudo = 1e30;
};

// Best times of both sides for one grid; `numero` numbers the vouchers of the turns apart.
Medida Mide(sqlite3* db, ClsCmnCptesPosteo& cls, int lineas, int series, int& numero, int unidades = 0) {
    Medida m;
    for (int v = 0; v < kVueltas; ++v) {
        auto g = GrillaDe(lineas, series, unidades);
        const QString id = QStringLiteral("0001%1X").arg(++numero, 8, 10, QLatin1Char('0'));
        const QString loteFijo = unidades > 0 ? QStringLiteral("LF") : QString();
        m.nuestro = std::min(m.nuestro, TiempoProceso([&] { Postea(cls, *g, id, loteFijo); }));
        Filas f;
        Lee(db, id.toLatin1(), f);
        const size_t esperadas = size_t(series > 0 ? series : unidades > 0 ? 3 * lineas : lineas);
        if (f.Cuantas() != esperadas) {
            std::fprintf(stderr, "posteo: %zu rows stored, %zu expected\n", f.Cuantas(), esperadas);
            std::exit(1);
        }
        m.crudo = std::min(m.crudo, TiempoProceso([&] { Crudo(db, f); }));
        Ejecuta(db, "DELETE FROM V_MV_STOCK WHERE TC = 'CRUD'");
    }
    return m;
}

// The posting with its banner through the real windows (the banner, and a table showing the
// voucher's lines as its form shows them) against the same posting without any, both by the
// wall clock.
void PosteaEnVentana(sqlite3* db, ClsCmnCptesPosteo& cls, int& numero) {
    for (const int lineas : {kEntradas / 5, kEntradas}) {
        double logica = 1e30;
        double ventana = 1e30;
        for (int v = 0; v < kVueltas; ++v) {
            for (const bool enVentana : {false, true}) {
                auto g = GrillaDe(lineas, 0);
                const QString id = QStringLiteral("0001%1X").arg(++numero, 8, 10, QLatin1Char('0'));
                QTableView tabla;
                new EnlaceTablaGrilla(*g, &tabla, {});
                if (enVentana) {
                    RegistraVistaCartel();
                    Expone(tabla);
                } else {
                    Lbf_CtrlDisplay::RegistraVista({});
                }
                double& mejor = enVentana ? ventana : logica;
                mejor = std::min(mejor, TiempoReloj([&] { Postea(cls, *g, id, QString(), true); }));
                Filas f;
                Lee(db, id.toLatin1(), f);
                if (f.Cuantas() != size_t(lineas)) {
                    std::fprintf(stderr, "posteo en ventana: %zu rows stored\n", f.Cuantas());
                    std::exit(1);
                }
            }
        }
        std::printf("time posteo_%d_logica %.4f\n", lineas, logica);
        std::printf("time posteo_%d_ventana %.4f\n", lineas, ventana);
        std::printf("ratio posteo_%d_ventana_vs_logica %.2f\n", lineas, ventana / logica);
        std::fflush(stdout);
    }
    Lbf_CtrlDisplay::RegistraVista({});
}

} // namespace

int main(int argc, char* argv[]) {
    EligePantalla();
    QApplication app(argc, argv);
    InformaPantalla();
    QTemporaryDir dir;
    QString ruta;
    sqlite3* db = CreaBaseBench(dir, "posteo.db", ruta);
    AD().AsignaServidor(QStringLiteral("sqlite"));
    AD().AsignaBaseDatos(ruta);
    AD().Conecta();
    ClsCmnCptesPosteo cls;

    int numero = 0;
    const Medida lineas = Mide(db, cls, kEntradas, 0, numero);
    const Medida lineasMitad = Mide(db, cls, kEntradas / 2, 0, numero);
    const Medida series = Mide(db, cls, 1, kEntradas, numero);
    const Medida seriesMitad = Mide(db, cls, 1, kEntradas / 2, numero);
    const Medida unidades = Mide(db, cls, kLineasUnidades, 0, numero, kUnidades);
    const Medida unidadesDoble = Mide(db, cls, kLineasUnidades, 0, numero, 2 * kUnidades);
    std::printf("time posteo_lineas %.4f\n", lineas.nuestro);
    std::printf("time posteo_lineas_base %.4f\n", lineas.crudo);
    std::printf("ratio posteo_lineas %.2f\n", lineas.nuestro / lineas.crudo);
    std::printf("ratio posteo_lineas_doble %.2f\n", lineas.nuestro / lineasMitad.nuestro);
    std::printf("time posteo_series %.4f\n", series.nuestro);
    std::printf("time posteo_series_base %.4f\n", series.crudo);
    std::printf("ratio posteo_series %.2f\n", series.nuestro / series.crudo);
    std::printf("ratio posteo_series_doble %.2f\n", series.nuestro / seriesMitad.nuestro);
    std::printf("time posteo_unidades %.4f\n", unidades.nuestro);
    std::printf("time posteo_unidades_base %.4f\n", unidades.crudo);
    std::printf("ratio posteo_unidades %.2f\n", unidades.nuestro / unidades.crudo);
    std::printf("ratio posteo_unidades_doble %.2f\n", unidadesDoble.nuestro / unidades.nuestro);
    std::fflush(stdout);
    PosteaEnVentana(db, cls, numero);
    sqlite3_close(db);
    return 0;
}
