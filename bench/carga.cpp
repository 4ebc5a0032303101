// Cargar: a deposit of 100,000 positive balances (besides 20,000 balances in boxes, 10,000 of
// articles the master lacks and 10,000 at zero) loaded into the editor's lines, headless, on a
// copy of the demo database, against a raw SQLite baseline in the same run that reads the same
// balances joined with their articles in one query, every column the lines show (and the
// suspension each line is checked for) read as text.
// Turns alternate (MODELOS_BENCH_VUELTAS, 3 by default); the best processor time of the thread
// counts. Also printed: the heap the loaded grid holds per line.
// Then deposits of 10,000 and 100,000 balances loaded through the editor's real window, on the
// display DISPLAY names (offscreen without one), against the same deposit loaded by the form
// without a window, both by the wall clock, in turns (carga_N_ventana_vs_logica).

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "LectorIni.h"
#include "Medidas.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "VentanaEditor.h"

#include <QApplication>
#include <QFile>
#include <algorithm>

namespace {

constexpr int kSaldos = 100000;

// The warehouse: 100,000 articles with their balances in deposit 9, and the rows the load skips.
void PreparaBase(sqlite3* db) {
    Ejecuta(db, "BEGIN");
    Ejecuta(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
                "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, UD_STOCK, Impuestos, Exento, "
                "USASERIE, USALOTE, Perecedero, UsaTalle, InsumosPorPorcentaje) "
                "SELECT printf('%-25s', 'B' || printf('%06d', i)), 'Artículo de depósito ' || i, "
                "CASE WHEN i % 4 = 0 THEN '  KG' ELSE '  UN' END, CASE WHEN i % 3 = 0 THEN '  PQ' END, "
                "i % 5, 0, 0, i % 7 = 0, i % 2, 0, NULL FROM n");
    Ejecuta(db, "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) "
                "SELECT IDARTICULO, IDUNIDAD, '   9', DESCRIPCION, (rowid % 500) + 0.5 FROM V_MA_ARTICULOS "
                "WHERE IDARTICULO LIKE 'B%'");
    Ejecuta(db, "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) "
                "SELECT IDARTICULO, '  CJ', '   9', DESCRIPCION, 3 FROM V_MA_ARTICULOS "
                "WHERE IDARTICULO LIKE 'B%' AND rowid % 5 = 0");
    Ejecuta(db,
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
            "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) "
            "SELECT printf('%-25s', CASE WHEN i % 2 = 0 THEN 'X' ELSE 'Z' END || printf('%06d', i)), '  UN', "
            "'   9', 'sin artículo', CASE WHEN i % 2 = 0 THEN 4 ELSE 0 END FROM n");
    // Deposit 8: the first 10,000 of them, for the run through the window at two sizes.
    Ejecuta(db,
            "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) "
            "SELECT IDARTICULO, EQUIVALENCIA, '   8', Descripcion, STOCK FROM STK_SALDOS_UNIDADES "
            "WHERE IDDEPOSITO = '   9' AND IDARTICULO <= 'B010000' AND IDARTICULO LIKE 'B%' AND STOCK > 0 "
            "AND EQUIVALENCIA <> '  CJ'");
    Ejecuta(db, "COMMIT");
}

// Cargar as the user starts it on the deposit: the question answered Yes.
void PreparaSaldos(FrmVardelio& f, InteraccionGuionada& guion, const char* deposito) {
    f.TxtFields[f.IndiceCampo(QStringLiteral("DepositoOrigen"))].setText(QString::fromLatin1(deposito));
    f.InicializaGrids();
    guion.Limpia();
}

// Every balance in, and the completion told once.
void CompruebaCargadas(const FrmVardelio& f, const InteraccionGuionada& guion, int saldos, const char* lado) {
    if (f.MSFlexGrid2.Rows() != saldos + 2 ||
        guion.Mensajes().count(QStringLiteral("Proceso Completado!")) != 1) {
        std::fprintf(stderr, "carga %d %s: %d filas\n", saldos, lado, f.MSFlexGrid2.Rows());
        std::exit(1);
    }
}

// Cargar through the real window against the same deposit loaded without it, both by the wall
// clock: deposit 8 (10,000 balances) and deposit 9 (100,000).
void SaldosEnVentana(FrmVardelio& f, InteraccionGuionada& guion, int vueltas) {
    for (const auto& [deposito, saldos] : {std::pair{"8", 10000}, std::pair{"9", kSaldos}}) {
        const QByteArray nombre = "carga_" + QByteArray::number(saldos);
        ComparaConVentana(
            f, nombre.constData(), vueltas, [&, d = deposito] { PreparaSaldos(f, guion, d); },
            [&] { f.CmdCargar_Click(); },
            [&, n = saldos](const char* lado) { CompruebaCargadas(f, guion, n, lado); });
    }
}

} // namespace

int main(int argc, char* argv[]) {
    EligePantalla();
    QApplication app(argc, argv);
    InformaPantalla();
    QTemporaryDir dir;
    const QString scripts = ScriptsBench(dir);
    const QString ruta = dir.filePath(QStringLiteral("modelos.db"));
    sqlite3* crudo = DemoCruda(ruta, scripts);
    Ini().setCarpeta(dir.path());
    PreparaBase(crudo);

    InteraccionGuionada guion; // the question answered Yes, the completion acknowledged
    EstableceInteraccion(&guion);
    FrmVardelio f;
    f.Form_Load(SesionDemo(ruta));
    f.TxtFields[f.IndiceCampo(QStringLiteral("DepositoOrigen"))].setText(QStringLiteral("9"));
    const int vueltas = VueltasBench(3);

    const char* sql = "SELECT s.IDARTICULO, s.Descripcion, s.STOCK, a.DESCRIPCION, a.IDUNIDAD, a.SUSPENDIDO, "
                      "a.Impuestos, a.Exento, a.USASERIE, a.USALOTE, a.Perecedero, a.UsaTalle, "
                      "a.InsumosPorPorcentaje FROM STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON "
                      "a.IDARTICULO = s.IDARTICULO AND a.IDUNIDAD = s.EQUIVALENCIA "
                      "WHERE s.IDDEPOSITO = '   9' AND s.STOCK > 0";
    size_t leidas = 0;
    const auto cruda = [&] {
        sqlite3_stmt* st = Prepara(crudo, sql);
        std::vector<std::array<QString, 13>> filas;
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::array<QString, 13> fila;
            for (int c = 0; c < 13; ++c)
                fila[size_t(c)] = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                                    sqlite3_column_bytes(st, c));
            filas.push_back(std::move(fila));
        }
        sqlite3_finalize(st);
        leidas = filas.size();
    };

    double logica = 1e9;
    double base = 1e9;
    double porLinea = 0;
    for (int v = 0; v < vueltas; ++v) {
        f.InicializaGrids();
        guion.Limpia();
        const size_t antes = MemoriaEnUso();
        logica = std::min(logica, TiempoProceso([&] { f.CmdCargar_Click(); }));
        porLinea = (double(MemoriaEnUso()) - double(antes)) / kSaldos;
        base = std::min(base, TiempoProceso(cruda));
    }
    if (f.MSFlexGrid2.Rows() != kSaldos + 2 || leidas != size_t(kSaldos) ||
        guion.Mensajes().last() != QStringLiteral("Proceso Completado!")) {
        std::fprintf(stderr, "carga: %d filas en la grilla, %zu leídas\n", f.MSFlexGrid2.Rows(), leidas);
        return 1;
    }
    std::printf("time carga_logica %.6f\n", logica);
    std::printf("time carga_sqlite %.6f\n", base);
    std::printf("ratio carga %.3f\n", logica / base);
    std::printf("memoria carga_bytes_por_linea %.0f\n", porLinea);
    std::fflush(stdout);
    SaldosEnVentana(f, guion, vueltas);
    sqlite3_close(crudo);
    EstableceInteraccion(nullptr);
    return 0;
}
