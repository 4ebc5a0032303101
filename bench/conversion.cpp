// The conversion of a timber delivery note of 9,999 lines (60 boards in three measures each, so
// that most lines fold into an earlier row) into the grids of an invoice, against raw SQLite
// reading the same lines and, for each, its article by a prepared look-up. Each side is timed in
// turns (processor time of this thread), the best time counts. The conversion of a quarter of
// the lines is timed too: the time per line must not grow with the voucher. The grids must hold
// one row per article and measure, or the program fails.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "ClsCmnCptes.h"
#include "ColumnasArticulos.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Grilla.h"
#include "ProgramasConversion.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kLineas = 9999;
constexpr int kCuarto = 2500;
constexpr int kArticulos = 60;
constexpr int kMedidas = 3;
const int kVueltas = VueltasBench(3);

QByteArray Articulo(int n) {
    return ("BEN-" + QByteArray::number(n).rightJustified(3, '0')).leftJustified(25, ' ');
}
QByteArray Remito(int lineas) {
    return "0020" + QByteArray::number(lineas).rightJustified(8, '0') + "R";
}

// Timber boards, and two delivery notes: one of all the lines and one of a quarter of them.
void Llena(sqlite3* db) {
    Ejecuta(db, "BEGIN");
    sqlite3_stmt* art =
        Prepara(db, "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, "
                    "IdTipo, Costo, TasaIVA, PIDEMEDIDAS, PROCEDENCIA, CuentaContable) VALUES "
                    "(?, 'Tabla', 'Tabla', '  TI', '   1', 5, 21, 'SI', 'NACIONAL', '4.1.1.01')");
    for (int n = 0; n < kArticulos; ++n) {
        Texto(art, 1, Articulo(n));
        InsertaFila(db, art);
    }
    sqlite3_finalize(art);
    sqlite3_stmt* cab =
        Prepara(db, "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IdReparto, "
                    "Cotizacion, CondicionIva) VALUES ('  RM', ?, 0, 'C0001', 0, 1, '1')");
    sqlite3_stmt* lin = Prepara(
        db,
        "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, Secuencia, IdArticulo, Descripcion, "
        "IdUnidad, IdUnidadBase, Cantidad, CantidadUd, Cant_BL, CANT_KG, CANT_M3, Equiv_UDBase, Importe, "
        "Importe_S_IVA, Impuestos, iTC, Total, TotalFinal, Exento, AlicIVA, PorcDto, IdDeposito, Costo, "
        "Espesor, Ancho, Ud_Pr, Importe_Ud) VALUES ('  RM', ?, 0, ?, ?, 'Tabla', '  TI', '  TI', ?, ?, 0, 0, "
        "0, ?, 10, 10, 0.5, 0, ?, ?, 0, 21, 0, '   1', 5, ?, 4, '  M2', 12.5)");
    for (const int lineas : {kLineas, kCuarto}) {
        Texto(cab, 1, Remito(lineas));
        InsertaFila(db, cab);
        for (int i = 0; i < lineas; ++i) {
            const double cantidad = 1 + i % 4;
            Texto(lin, 1, Remito(lineas));
            sqlite3_bind_int(lin, 2, i + 1);
            Texto(lin, 3, Articulo(i % kArticulos));
            sqlite3_bind_double(lin, 4, cantidad);
            sqlite3_bind_double(lin, 5, cantidad);
            sqlite3_bind_double(lin, 6, 2 + (i % 5) * 0.5);
            sqlite3_bind_double(lin, 7, cantidad * 10);
            sqlite3_bind_double(lin, 8, cantidad * 12.1);
            sqlite3_bind_int(lin, 9, 1 + (i / kArticulos) % kMedidas);
            InsertaFila(db, lin);
        }
    }
    sqlite3_finalize(cab);
    sqlite3_finalize(lin);
    Ejecuta(db, "COMMIT");
}

// The raw side: the lines in order, each with every column read, and its article.
int Crudo(sqlite3* db, const QByteArray& remito) {
    sqlite3_stmt* lineas =
        Prepara(db, "SELECT * FROM V_MV_CPTEINSUMOS WHERE TC = '  RM' AND IDCOMPROBANTE = ? "
                    "AND IdComplemento = 0 ORDER BY ID");
    sqlite3_stmt* articulo =
        Prepara(db, "SELECT *, IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
    Texto(lineas, 1, remito);
    int columnaArticulo = 0;
    while (columnaArticulo < sqlite3_column_count(lineas) &&
           qstricmp(sqlite3_column_name(lineas, columnaArticulo), "IdArticulo") != 0)
        ++columnaArticulo;
    int leidas = 0;
    QByteArray suma;
    while (sqlite3_step(lineas) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(lineas); ++c)
            suma += reinterpret_cast<const char*>(sqlite3_column_text(lineas, c)
                                                      ? sqlite3_column_text(lineas, c)
                                                      : reinterpret_cast<const unsigned char*>(""));
        sqlite3_bind_text(articulo, 1,
                          reinterpret_cast<const char*>(sqlite3_column_text(lineas, columnaArticulo)), -1,
                          SQLITE_TRANSIENT);
        if (sqlite3_step(articulo) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(articulo); ++c)
                suma += reinterpret_cast<const char*>(sqlite3_column_text(articulo, c)
                                                          ? sqlite3_column_text(articulo, c)
                                                          : reinterpret_cast<const unsigned char*>(""));
            ++leidas;
        }
        sqlite3_reset(articulo);
        suma.clear();
    }
    sqlite3_finalize(lineas);
    sqlite3_finalize(articulo);
    return leidas;
}

// Our side: the delivery note into three fresh grids; the article rows it leaves.
int Nuestro(ClsCmnCptes& clase, int lineas) {
    Grilla tareas(2, 24, 1, 0);
    Grilla articulos(2, ColumnasGrillaArticulos, 1, 0);
    Grilla otros(2, 7, 1, 0);
    clase.AsignarDatosComprobante(QStringLiteral("RM"), QString::fromLatin1(Remito(lineas)),
                                  QStringLiteral("0"), tareas, articulos, otros, false, nullptr, false, {},
                                  nullptr, false, {}, QStringLiteral("FP"), nullptr);
    return articulos.Rows() - 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QString ruta;
    sqlite3* db = CreaBaseBench(dir, "conversion.db", ruta);
    Llena(db);

    AccesoDatos& ad = AD();
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    gMaderera = true;
    gMadTiras = QStringLiteral("TI");
    EstableceProgramaConversion(QStringLiteral("Modelos"));
    ClsCmnCptes clase;

    double mejorNuestro = 1e30;
    double mejorCuarto = 1e30;
    double mejorCrudo = 1e30;
    int filas = 0;
    int filasCuarto = 0;
    int leidas = 0;
    for (int v = 0; v < kVueltas; ++v) {
        mejorNuestro = std::min(mejorNuestro, TiempoProceso([&] { filas = Nuestro(clase, kLineas); }));
        mejorCuarto = std::min(mejorCuarto, TiempoProceso([&] { filasCuarto = Nuestro(clase, kCuarto); }));
        mejorCrudo = std::min(mejorCrudo, TiempoProceso([&] { leidas = Crudo(db, Remito(kLineas)); }));
    }
    if (filas != kArticulos * kMedidas || filasCuarto != kArticulos * kMedidas || leidas != kLineas) {
        std::fprintf(stderr, "conversion: %d and %d rows for %d, %d lines read\n", filas, filasCuarto,
                     kArticulos * kMedidas, leidas);
        sqlite3_close(db);
        return 1;
    }
    std::printf("time conversion %.4f\n", mejorNuestro);
    std::printf("time conversion_base %.4f\n", mejorCrudo);
    std::printf("time conversion_cuarto %.4f\n", mejorCuarto);
    std::printf("ratio conversion %.2f\n", mejorNuestro / mejorCrudo);
    // Time per line of the whole voucher over that of a quarter of it: 1 when linear.
    std::printf("ratio conversion_por_linea %.2f\n", (mejorNuestro / kLineas) / (mejorCuarto / kCuarto));
    sqlite3_close(db);
    return 0;
}
