// Opening the outgoing lot and serial dialog on an article with 10,000 serial numbers in stock
// (among 100,000 stock rows of other articles), against the raw query that reads those rows:
//   lotes_apertura: the dialog's load (the stock rows read into the grid, what other lines took,
//                   the proposal, the column widths), headless;
//   lotes_vista:    the same load and the dialog shown with its table over the grid, offscreen;
// the baseline is the dialog's statement sent to sqlite3 as text, every column of every row read.
// Each side is timed several times, in turns; the best processor time counts. Both must see the
// same number of rows, or the program fails.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "FrmCargaLotesySeries.h"
#include "Globales.h"
#include "Medidas.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "VistaCargaLotesySeries.h"

#include <QApplication>
#include <QDir>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSeries = 10000;
constexpr int kOtros = 100000;
const int kVueltas = VueltasBench(5);
const QByteArray kArticulo = QByteArray("SERIES-BENCH").leftJustified(25, ' ');

void Llena(sqlite3* db) {
    Ejecuta(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    sqlite3_stmt* fila =
        Prepara(db, "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, "
                    "CANTIDAD) VALUES (?, ?, ?, ?, ?)");
    for (int i = 0; i < kSeries; ++i) {
        Texto(fila, 1, kArticulo);
        Texto(fila, 2, "   1");
        sqlite3_bind_null(fila, 3);
        Texto(fila, 4, ("SN" + QByteArray::number(1000000 + i)).leftJustified(25, ' '));
        sqlite3_bind_double(fila, 5, 1);
        InsertaFila(db, fila);
    }
    for (int i = 0; i < kOtros; ++i) {
        Texto(fila, 1, QByteArray::number(i % 5000).rightJustified(25, ' '));
        Texto(fila, 2, i % 2 ? "   1" : "   2");
        Texto(fila, 3, ("L" + QByteArray::number(i)).leftJustified(25, ' '));
        sqlite3_bind_null(fila, 4);
        sqlite3_bind_double(fila, 5, 1 + i % 7);
        InsertaFila(db, fila);
    }
    sqlite3_finalize(fila);
    Ejecuta(db, "COMMIT");
}

// Every column of every row of the dialog's statement, as text; the number of rows.
int ConsultaCruda(sqlite3* db) {
    const QByteArray sql = "SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '" + kArticulo +
                           "' AND CANTIDAD > 0  AND IDDEPOSITO = '   1' ORDER BY NROLOTE, NROSERIE ";
    sqlite3_stmt* st = Prepara(db, sql.constData());
    int filas = 0;
    const int columnas = sqlite3_column_count(st);
    std::vector<QByteArray> valores(static_cast<size_t>(columnas));
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columnas; ++c) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            valores[size_t(c)] = t ? QByteArray(t, sqlite3_column_bytes(st, c)) : QByteArray();
        }
        ++filas;
    }
    sqlite3_finalize(st);
    return filas;
}

void Carga(FrmCargaLotesySeries& f) {
    f.Cantidad = 100;
    f.Articulo = QString::fromLatin1(kArticulo).trimmed();
    f.EsConsultaDeSerieLote = true;
    f.EsSerie = true;
    f.Deposito = QStringLiteral("   1");
    f.CargaDatos();
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegistraVistaCargaLotesySeries();
    QTemporaryDir dir;
    const QString scripts = ScriptsBench(dir);
    const QString ruta = dir.filePath(QStringLiteral("lotes.db"));
    try {
        BaseEmbebida::CreaDesdeArchivos(ruta, {QDir(scripts).filePath(QStringLiteral("esquema.sql"))});
    } catch (const ErrorSistema& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Descripcion()));
        return 1;
    }
    sqlite3* db = AbreCrudo(ruta);
    Llena(db);

    AccesoDatos& ad = AD();
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();

    const Turnos turnos{kVueltas, TiempoProceso};
    int filas[2] = {0, 0};
    const auto apertura = turnos.Mejores({
        [&] {
            FrmCargaLotesySeries f;
            Carga(f);
            filas[0] = f.MSFlexGrid1.Rows() - 2; // without the titles and the empty row
        },
        [&] { filas[1] = ConsultaCruda(db); },
    });
    if (filas[0] != kSeries || filas[1] != kSeries) {
        std::fprintf(stderr, "lotes_apertura: rows differ %d %d\n", filas[0], filas[1]);
        return 1;
    }
    Informa("lotes_apertura", apertura[0], apertura[1]);

    const auto vista = turnos.Mejores({
        [&] {
            FrmCargaLotesySeries f;
            Carga(f);
            VistaCargaLotesySeries v(f);
            v.show();
            QApplication::processEvents();
            v.Tabla()->scrollToBottom();
            QApplication::processEvents();
            filas[0] = v.Tabla()->model()->rowCount() - 2;
        },
        [&] { filas[1] = ConsultaCruda(db); },
    });
    if (filas[0] != kSeries) {
        std::fprintf(stderr, "lotes_vista: rows differ %d\n", filas[0]);
        return 1;
    }
    Informa("lotes_vista", vista[0], vista[1]);
    sqlite3_close(db);
    ad.LeeConexion().Close();
    return 0;
}
