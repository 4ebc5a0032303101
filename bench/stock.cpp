// Stock balance queries of the shared voucher class against raw SQLite, in one run, on a database
// of 100,000 articles (balances in two deposits) and 1,000,000 lot rows built in a temporary folder:
//   stock_unidad: 100,000 ObtieneStock calls by unit (deposit and unit given: one query each);
//   stock_lote:   100,000 ObtieneStock calls by lot (the article's flags, then the lot's sum);
// each against the same queries as raw sqlite3 statements prepared once and bound per call (as the
// data layer keeps a look-up's statement), the same values read.
// Each side is timed several times, in turns with the other (processor time of this thread); the
// best time counts. The sums of the balances read must agree, or the program fails.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "ClsCmnCptesServicios.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Medidas.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kArticulos = 100000;
constexpr int kLotesPorArticulo = 10; // 1,000,000 lot rows
constexpr int kLlamadas = 100000;
const int kVueltas = VueltasBench(5);

// Codes as the database stores them.
QByteArray Articulo(int n) {
    return QByteArray::number(100000 + n).rightJustified(25, ' ');
}
QByteArray Lote(int n, int k) {
    return ("L" + QByteArray::number(100000 + n) + "-" + QByteArray::number(k)).leftJustified(25, ' ');
}
QByteArray Deposito(int k) {
    return k % 2 ? "   2" : "   1";
}

// The schema's own indexes of the filled tables, to be built again after the rows are in: one sort
// costs less than a million inserts into ordered trees, each comparison going through the collation.
std::vector<QByteArray> ApartaIndices(sqlite3* db) {
    std::vector<QByteArray> indices;
    sqlite3_stmt* st =
        Prepara(db, "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                    "AND tbl_name IN ('V_MA_ARTICULOS', 'STK_SALDOS_UNIDADES', 'STK_SERIES_Y_LOTES')");
    std::vector<QByteArray> nombres;
    while (sqlite3_step(st) == SQLITE_ROW) {
        nombres.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        indices.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    }
    sqlite3_finalize(st);
    for (const QByteArray& n : nombres)
        Ejecuta(db, ("DROP INDEX " + n).constData());
    return indices;
}

// Articles, balances and lots, with raw prepared inserts in one transaction.
void Llena(sqlite3* db) {
    Ejecuta(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA cache_size = -262144; BEGIN");
    const std::vector<QByteArray> indices = ApartaIndices(db);
    Ejecuta(db, "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES "
                "('STOCK', 'DEPOSITODEFAULT', '1', 0, '')");
    sqlite3_stmt* art =
        Prepara(db, "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, USASERIE, "
                    "USALOTE) VALUES (?, ?, '  UN', 0, 1)");
    sqlite3_stmt* saldo =
        Prepara(db, "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, "
                    "STOCK) VALUES (?, '  UN', ?, ?)");
    sqlite3_stmt* lote =
        Prepara(db, "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, "
                    "IdPosicion, CANTIDAD) VALUES (?, ?, ?, NULL, ?, ?)");
    for (int n = 0; n < kArticulos; ++n) {
        const QByteArray a = Articulo(n);
        Texto(art, 1, a);
        Texto(art, 2, "Articulo " + QByteArray::number(n));
        InsertaFila(db, art);
        double total[2] = {0, 0};
        for (int k = 0; k < kLotesPorArticulo; ++k) {
            const double cantidad = 1 + (n + 7 * k) % 50;
            total[k % 2] += cantidad;
            Texto(lote, 1, a);
            Texto(lote, 2, Deposito(k));
            Texto(lote, 3, Lote(n, k));
            if (k % 2)
                sqlite3_bind_null(lote, 4);
            else
                Texto(lote, 4, ("P" + QByteArray::number(n % 500)).leftJustified(15, ' '));
            sqlite3_bind_double(lote, 5, cantidad);
            InsertaFila(db, lote);
        }
        for (int d = 0; d < 2; ++d) {
            Texto(saldo, 1, a);
            Texto(saldo, 2, Deposito(d));
            sqlite3_bind_double(saldo, 3, total[d]);
            InsertaFila(db, saldo);
        }
    }
    sqlite3_finalize(art);
    sqlite3_finalize(saldo);
    sqlite3_finalize(lote);
    for (const QByteArray& indice : indices)
        Ejecuta(db, indice.constData());
    Ejecuta(db, "COMMIT; PRAGMA cache_size = -2000");
}

double ValorPreparado(sqlite3_stmt* st) {
    double v = 0;
    if (sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_double(st, 0);
    sqlite3_reset(st);
    return v;
}

} // namespace

// NOLINTNEXTLINE(readability-function-size): a benchmark: one measurement after the other.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString scripts = ScriptsBench(dir);
    const QString ruta = dir.filePath(QStringLiteral("stock.db"));

    QElapsedTimer reloj;
    reloj.start();
    try {
        BaseEmbebida::CreaDesdeArchivos(ruta, {QDir(scripts).filePath(QStringLiteral("esquema.sql"))});
    } catch (const ErrorSistema& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Descripcion()));
        return 1;
    }
    sqlite3* db = AbreCrudo(ruta);
    Llena(db);
    std::printf("time base_creada %.2f\n", static_cast<double>(reloj.nsecsElapsed()) / 1e9);

    AccesoDatos& ad = AD();
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    ClsCmnCptesServicios clase;

    // The same calls for every side.
    std::mt19937 azar(14);
    std::vector<int> arts(kLlamadas);
    std::vector<int> lotes(kLlamadas);
    for (int i = 0; i < kLlamadas; ++i) {
        arts[size_t(i)] = int(azar() % kArticulos);
        lotes[size_t(i)] = int(azar() % kLotesPorArticulo);
    }
    // Codes as typed: both sides fill them as the database stores them.
    std::vector<QString> artTexto(kLlamadas);
    std::vector<QString> loteTexto(kLlamadas);
    std::vector<QString> depTexto(kLlamadas);
    for (size_t i = 0; i < size_t(kLlamadas); ++i) {
        artTexto[i] = QString::fromLatin1(Articulo(arts[i])).trimmed();
        loteTexto[i] = QString::fromLatin1(Lote(arts[i], lotes[i])).trimmed();
        depTexto[i] = QString::fromLatin1(Deposito(lotes[i])).trimmed();
    }
    const auto derecha = [](const QString& t, int ancho) { return t.rightJustified(ancho).toUtf8(); };
    const QString ignorar = QStringLiteral("Ignorar");

    const Turnos turnos{kVueltas, TiempoProceso};
    double sumas[2] = {0, 0};
    sqlite3_stmt* porUnidad =
        Prepara(db, "SELECT STOCK AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = ? AND "
                    "EQUIVALENCIA = '  UN' AND IDDEPOSITO = ?");
    const auto unidad = turnos.Mejores({
        [&] {
            sumas[0] = 0;
            for (size_t i = 0; i < size_t(kLlamadas); ++i)
                sumas[0] += clase.ObtieneStock(artTexto[i], depTexto[i], ignorar, ignorar, ignorar,
                                               QStringLiteral("UN"));
        },
        [&] {
            sumas[1] = 0;
            for (size_t i = 0; i < size_t(kLlamadas); ++i) {
                Texto(porUnidad, 1, derecha(artTexto[i], 25));
                Texto(porUnidad, 2, derecha(depTexto[i], 4));
                sumas[1] += ValorPreparado(porUnidad);
            }
        },
    });
    if (sumas[0] != sumas[1] || sumas[0] <= 0) {
        std::fprintf(stderr, "stock_unidad: sums differ %.1f %.1f\n", sumas[0], sumas[1]);
        return 1;
    }

    sqlite3_stmt* banderas = Prepara(db, "SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
    sqlite3_stmt* porLote =
        Prepara(db, "SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES WHERE "
                    "IDARTICULO = ? AND IdDeposito = ? AND NroLote = ? AND NroSerie is NULL");
    const auto lote = turnos.Mejores({
        [&] {
            sumas[0] = 0;
            for (size_t i = 0; i < size_t(kLlamadas); ++i)
                sumas[0] += clase.ObtieneStock(artTexto[i], depTexto[i], loteTexto[i], QString(), ignorar);
        },
        [&] {
            sumas[1] = 0;
            for (size_t i = 0; i < size_t(kLlamadas); ++i) {
                const QByteArray articulo = derecha(artTexto[i], 25);
                Texto(banderas, 1, articulo);
                if (sqlite3_step(banderas) != SQLITE_ROW || sqlite3_column_int(banderas, 0) != 0 ||
                    sqlite3_column_int(banderas, 1) == 0)
                    Falla("banderas", db);
                sqlite3_reset(banderas);
                Texto(porLote, 1, articulo);
                Texto(porLote, 2, derecha(depTexto[i], 4));
                Texto(porLote, 3, loteTexto[i].leftJustified(25).toUtf8());
                sumas[1] += ValorPreparado(porLote);
            }
        },
    });
    if (sumas[0] != sumas[1] || sumas[0] <= 0) {
        std::fprintf(stderr, "stock_lote: sums differ %.1f %.1f\n", sumas[0], sumas[1]);
        return 1;
    }
    sqlite3_finalize(porUnidad);
    sqlite3_finalize(banderas);
    sqlite3_finalize(porLote);

    std::printf("time stock_unidad_base %.4f\n", unidad[1]);
    Informa("stock_unidad", unidad[0], unidad[1]);
    std::printf("time stock_lote_base %.4f\n", lote[1]);
    Informa("stock_lote", lote[0], lote[1]);

    sqlite3_close(db);
    ad.LeeConexion().Close();
    return 0;
}
