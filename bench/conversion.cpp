// The conversion of delivery notes into the grids of an invoice, on a database that already
// holds 40,000 lines of other vouchers, along four paths:
// - conversion: a timber note of 9,999 lines (60 boards in three measures each, so that most
//   lines fold into an earlier row);
// - conversion_reparto: a note of a delivery run (IdReparto -1), each article once with its
//   pending quantity;
// - conversion_por_articulo: the program that loads each article once ("RemitosPorArticulo"),
//   which skips an article the grid already holds;
// - conversion_pintada: a timber note of the 60 articles without measures, priced by the unit
//   in steps of a cent every four lines: a quarter of the lines give a row of their own, painted,
//   and the other lines fold into it (so that the grid holds thousands of painted rows while
//   rows are removed).
// Each against raw SQLite doing the reads the program makes, in the same run: the header, the
// lines in order with every column, one article look-up per distinct article with the look-ups
// of its unit equivalences that the quantities in packages, cubic metres and kilograms ask (no
// unit is configured here: one pair of units, both ways) and one type look-up per distinct type,
// and what the path reads once for the voucher (the applications, or the ordered and delivered
// quantities). Each side is timed in turns (processor time of this
// thread), the best time counts. A note of a quarter of the lines (2,499) is converted too: its
// time per line against the whole note's is the `crecimiento` of the path (1 when linear). The
// grids must hold the rows expected, or the program fails.

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
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <utility>
#include <vector>

namespace {

constexpr int kLineas = 9999;
constexpr int kCuarto = 2499;
constexpr int kOtrasLineas = 40000;
const int kVueltas = VueltasBench(5);

// One path: its notes' branch, the articles its lines name and how the program reads them.
struct Camino {
    const char* nombre;
    const char* crecimiento; // the name of its growth ratio
    const char* prefijo;     // of its articles' codes: "BEN-" boards with measures, "ART-" without
    const char* sucursal;
    int idReparto;
    const char* programa;
    bool maderera;
    // The article of line i of a note of n lines, and its unit amount.
    int (*articulo)(int i, int n);
    double (*importeUd)(int i);
    // The article rows the conversion of a note of n lines leaves, and its distinct articles.
    int (*filas)(int n);
    int (*distintos)(int n);
    // What the path reads once for the voucher besides the lines and articles.
    std::vector<const char*> unaVez;
};

QByteArray CodigoArticulo(const char* prefijo, int n) {
    return (prefijo + QByteArray::number(n).rightJustified(5, '0')).leftJustified(25, ' ');
}
QByteArray Remito(const char* sucursal, int lineas) {
    return sucursal + QByteArray::number(lineas).rightJustified(8, '0') + "R";
}

const std::vector<Camino>& Caminos() {
    static const std::vector<Camino> caminos{
        {"conversion",
         "crecimiento_conversion",
         "BEN-",
         "0020",
         0,
         "Modelos",
         true,
         [](int i, int) { return i % 60; },
         [](int) { return 12.5; },
         [](int) { return 180; },
         [](int) { return 60; },
         {"SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE (TCO_ORIGEN = '  RM' or "
          "TCO_ORIGEN = '  NP') AND IDCOMPROBANTEORIGEN = ?"}},
        {"conversion_reparto",
         "crecimiento_reparto",
         "ART-",
         "0021",
         -1,
         "Modelos",
         false,
         [](int i, int n) { return i % (n * 3 / 4); },
         [](int) { return 12.5; },
         [](int n) { return n * 3 / 4; },
         [](int n) { return n * 3 / 4; },
         {"SELECT IDARTICULO, Cantidad FROM VT_V_MV_CPTEINSUMOS_CONS2 WHERE (TC = '  RM') AND IDCOMPROBANTE "
          "= ?",
          "SELECT IDARTICULO, SUM(CANTIDAD) AS CANTIDAD FROM VT_V_MV_Stock_Cons WHERE (TC = '  RM') AND "
          "IDCOMPROBANTE = ? GROUP BY IDARTICULO"}},
        {"conversion_por_articulo",
         "crecimiento_por_articulo",
         "ART-",
         "0022",
         0,
         "RemitosPorArticulo",
         false,
         [](int i, int n) { return i % (n * 3 / 4); },
         [](int) { return 12.5; },
         [](int n) { return n * 3 / 4; },
         [](int n) { return n * 3 / 4; },
         {"SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE (TCO_ORIGEN = '  RM' or "
          "TCO_ORIGEN = '  NP') AND IDCOMPROBANTEORIGEN = ?"}},
        {"conversion_pintada",
         "crecimiento_pintada",
         "ART-",
         "0023",
         0,
         "Modelos",
         true,
         [](int i, int) { return i / 4 % 60; },
         [](int i) {
             const int escalon = i / 4; // a cent more every four lines
             return 12.5 + 0.01 * escalon;
         },
         [](int n) { return (n + 3) / 4; },
         [](int) { return 60; },
         {"SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE (TCO_ORIGEN = '  RM' or "
          "TCO_ORIGEN = '  NP') AND IDCOMPROBANTEORIGEN = ?"}},
    };
    return caminos;
}

void LlenaArticulos(sqlite3* db) {
    sqlite3_stmt* art = Prepara(
        db, "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, IdTipo, Costo, "
            "TasaIVA, PIDEMEDIDAS, PROCEDENCIA, CuentaContable) VALUES (?, 'Tabla', 'Tabla', '  TI', "
            "'   1', 5, 21, ?, 'NACIONAL', '4.1.1.01')");
    for (int n = 0; n < 60; ++n) {
        Texto(art, 1, CodigoArticulo("BEN-", n));
        Texto(art, 2, "SI");
        InsertaFila(db, art);
    }
    for (int n = 0; n < kLineas; ++n) {
        Texto(art, 1, CodigoArticulo("ART-", n));
        Texto(art, 2, "NO");
        InsertaFila(db, art);
    }
    sqlite3_finalize(art);
}

sqlite3_stmt* PreparaLinea(sqlite3* db) {
    return Prepara(
        db,
        "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, Secuencia, IdArticulo, Descripcion, "
        "IdUnidad, IdUnidadBase, Cantidad, CantidadUd, Cant_BL, CANT_KG, CANT_M3, Equiv_UDBase, Importe, "
        "Importe_S_IVA, Impuestos, iTC, Total, TotalFinal, Exento, AlicIVA, PorcDto, IdDeposito, Costo, "
        "Espesor, Ancho, Ud_Pr, Importe_Ud) VALUES (?, ?, 0, ?, ?, 'Tabla', '  TI', '  TI', ?, ?, 0, 0, "
        "0, ?, 10, 10, 0.5, 0, ?, ?, 0, 21, 0, '   1', 5, ?, 4, '  M2', ?)");
}

void InsertaLinea(sqlite3* db, sqlite3_stmt* lin, const QByteArray& tc, const QByteArray& id, int i,
                  const QByteArray& articulo, double importeUd = 12.5) {
    const double cantidad = 1 + i % 4;
    Texto(lin, 1, tc);
    Texto(lin, 2, id);
    sqlite3_bind_int(lin, 3, i + 1);
    Texto(lin, 4, articulo);
    sqlite3_bind_double(lin, 5, cantidad);
    sqlite3_bind_double(lin, 6, cantidad);
    sqlite3_bind_double(lin, 7, 2 + (i % 5) * 0.5);
    sqlite3_bind_double(lin, 8, cantidad * 10);
    sqlite3_bind_double(lin, 9, cantidad * 12.1);
    sqlite3_bind_int(lin, 10, 1 + (i / 60) % 3);
    sqlite3_bind_double(lin, 11, importeUd);
    InsertaFila(db, lin);
}

// The notes of every path, a delivered unit of every third article of the delivery runs, and
// 400 orders of 100 lines that the conversions must not have to read.
void Llena(sqlite3* db) {
    Ejecuta(db, "BEGIN");
    LlenaArticulos(db);
    sqlite3_stmt* cab =
        Prepara(db, "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IdReparto, "
                    "Cotizacion, CondicionIva) VALUES ('  RM', ?, 0, 'C0001', ?, 1, '1')");
    sqlite3_stmt* mov =
        Prepara(db, "INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, IdArticulo, Cantidad, "
                    "Tc_Origen, IdComprobante_Origen) VALUES ('  RM', ?, ?, ?, 1, '  RM', ?)");
    sqlite3_stmt* lin = PreparaLinea(db);
    for (const Camino& c : Caminos()) {
        for (const int lineas : {kLineas, kCuarto}) {
            const QByteArray id = Remito(c.sucursal, lineas);
            Texto(cab, 1, id);
            sqlite3_bind_int(cab, 2, c.idReparto);
            InsertaFila(db, cab);
            for (int i = 0; i < lineas; ++i)
                InsertaLinea(db, lin, "  RM", id, i, CodigoArticulo(c.prefijo, c.articulo(i, lineas)),
                             c.importeUd(i));
            for (int a = 0; c.idReparto == -1 && a < c.filas(lineas); a += 3) {
                Texto(mov, 1, "0024" + id.mid(4));
                sqlite3_bind_int(mov, 2, a + 1);
                Texto(mov, 3, CodigoArticulo(c.prefijo, a));
                Texto(mov, 4, id);
                InsertaFila(db, mov);
            }
        }
    }
    for (int i = 0; i < kOtrasLineas; ++i)
        InsertaLinea(db, lin, "  NP", "0030" + QByteArray::number(i / 100).rightJustified(8, '0') + "X", i,
                     CodigoArticulo("ART-", i % kLineas));
    sqlite3_finalize(cab);
    sqlite3_finalize(mov);
    sqlite3_finalize(lin);
    Ejecuta(db, "COMMIT");
}

// Steps a statement to its end, reading every column of every row; the rows read.
int LeeTodo(sqlite3_stmt* st, QByteArray& suma) {
    int filas = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            if (const unsigned char* t = sqlite3_column_text(st, c))
                suma += reinterpret_cast<const char*>(t);
        suma.clear();
        ++filas;
    }
    sqlite3_reset(st);
    return filas;
}

int Columna(sqlite3_stmt* st, const char* nombre) {
    int c = 0;
    while (c < sqlite3_column_count(st) && qstricmp(sqlite3_column_name(st, c), nombre) != 0)
        ++c;
    return c;
}

// The raw side's prepared statements, prepared once as a program keeps them.
struct Crudo {
    sqlite3* db;
    sqlite3_stmt* cabecera;
    sqlite3_stmt* lineas;
    sqlite3_stmt* articulo;
    sqlite3_stmt* equivalencia;
    sqlite3_stmt* tipo;
    std::vector<std::vector<sqlite3_stmt*>> unaVez;

    explicit Crudo(sqlite3* base)
        : db(base),
          cabecera(Prepara(db, "SELECT * FROM V_MV_CPTE WHERE TC = '  RM' AND IDCOMPROBANTE = ? AND "
                               "IdComplemento = 0 ORDER BY ID")),
          lineas(Prepara(db, "SELECT * FROM V_MV_CPTEINSUMOS WHERE TC = '  RM' AND IDCOMPROBANTE = ? AND "
                             "IdComplemento = 0 ORDER BY ID")),
          articulo(Prepara(db, "SELECT *, IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE IDARTICULO = ?")),
          equivalencia(Prepara(db, "SELECT * FROM S_TA_EQUIV WHERE IdArticulo = ? AND IDUNIDAD = ? AND "
                                   "IDUNIDAD_EQUIV = ?")),
          tipo(Prepara(db, "SELECT Descripcion FROM V_TA_TipoArticulo WHERE IdTipo = ?")) {
        for (const Camino& c : Caminos()) {
            unaVez.emplace_back();
            for (const char* sql : c.unaVez)
                unaVez.back().push_back(Prepara(db, sql));
        }
    }
    Crudo(const Crudo&) = delete;
    Crudo& operator=(const Crudo&) = delete;
    ~Crudo() {
        for (sqlite3_stmt* st : {cabecera, lineas, articulo, equivalencia, tipo})
            sqlite3_finalize(st);
        for (const auto& sts : unaVez)
            for (sqlite3_stmt* st : sts)
                sqlite3_finalize(st);
    }
};

// Looks an article up (its row, and its type's description once per type); the look-ups made.
void BuscaCrudo(Crudo& r, const QByteArray& codigo, QSet<QByteArray>& tipos, QByteArray& suma) {
    Texto(r.articulo, 1, codigo);
    if (sqlite3_step(r.articulo) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(r.articulo); ++c)
            if (const unsigned char* t = sqlite3_column_text(r.articulo, c))
                suma += reinterpret_cast<const char*>(t);
        const QByteArray tipo(
            reinterpret_cast<const char*>(sqlite3_column_text(r.articulo, Columna(r.articulo, "IdTipo"))));
        if (!tipos.contains(tipo)) {
            tipos.insert(tipo);
            Texto(r.tipo, 1, tipo);
            LeeTodo(r.tipo, suma);
        }
    }
    sqlite3_reset(r.articulo);
    // The line's unit to the unconfigured one, and back.
    for (const auto& [desde, hacia] : {std::pair{"  TI", "    "}, std::pair{"    ", "  TI"}}) {
        Texto(r.equivalencia, 1, codigo);
        Texto(r.equivalencia, 2, desde);
        Texto(r.equivalencia, 3, hacia);
        LeeTodo(r.equivalencia, suma);
    }
}

// The raw side of a path: what it reads once, the header, the lines in order with every column
// and, for each distinct article, its look-up. The distinct articles.
int LeeCrudo(Crudo& r, std::size_t camino, const QByteArray& remito) {
    QByteArray suma;
    for (sqlite3_stmt* st : r.unaVez[camino]) {
        Texto(st, 1, remito);
        LeeTodo(st, suma);
    }
    Texto(r.cabecera, 1, remito);
    LeeTodo(r.cabecera, suma);
    Texto(r.lineas, 1, remito);
    const int columnaArticulo = Columna(r.lineas, "IdArticulo");
    QSet<QByteArray> articulos;
    QSet<QByteArray> tipos;
    while (sqlite3_step(r.lineas) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(r.lineas); ++c)
            if (const unsigned char* t = sqlite3_column_text(r.lineas, c))
                suma += reinterpret_cast<const char*>(t);
        const QByteArray codigo(
            reinterpret_cast<const char*>(sqlite3_column_text(r.lineas, columnaArticulo)));
        if (!articulos.contains(codigo)) {
            articulos.insert(codigo);
            BuscaCrudo(r, codigo, tipos, suma);
        }
        suma.clear();
    }
    sqlite3_reset(r.lineas);
    return static_cast<int>(articulos.size());
}

// Our side: the note into three fresh grids; the article rows it leaves.
int Nuestro(ClsCmnCptes& clase, const Camino& c, int lineas) {
    gMaderera = c.maderera;
    EstableceProgramaConversion(QString::fromLatin1(c.programa));
    Grilla tareas(2, 24, 1, 0);
    Grilla articulos(2, ColumnasGrillaArticulos, 1, 0);
    Grilla otros(2, 7, 1, 0);
    clase.AsignarDatosComprobante(QStringLiteral("RM"), QString::fromLatin1(Remito(c.sucursal, lineas)),
                                  QStringLiteral("0"), tareas, articulos, otros, false, nullptr, false, {},
                                  nullptr, false, {}, QStringLiteral("FP"), nullptr);
    return articulos.Rows() - 2;
}

struct Tiempos {
    double nuestro = 1e30;
    double cuarto = 1e30;
    double crudo = 1e30;
};

// One path timed in turns; false when a side's result is not the one expected.
bool Mide(ClsCmnCptes& clase, Crudo& crudo, std::size_t i, Tiempos& t) {
    const Camino& c = Caminos()[i];
    int filas = 0;
    int filasCuarto = 0;
    int articulos = 0;
    for (int v = 0; v < kVueltas; ++v) {
        t.nuestro = std::min(t.nuestro, TiempoProceso([&] { filas = Nuestro(clase, c, kLineas); }));
        t.cuarto = std::min(t.cuarto, TiempoProceso([&] { filasCuarto = Nuestro(clase, c, kCuarto); }));
        t.crudo = std::min(
            t.crudo, TiempoProceso([&] { articulos = LeeCrudo(crudo, i, Remito(c.sucursal, kLineas)); }));
    }
    if (filas != c.filas(kLineas) || filasCuarto != c.filas(kCuarto) || articulos != c.distintos(kLineas)) {
        std::fprintf(stderr, "%s: %d and %d rows for %d and %d, %d articles read\n", c.nombre, filas,
                     filasCuarto, c.filas(kLineas), c.filas(kCuarto), articulos);
        return false;
    }
    return true;
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
    gMadTiras = QStringLiteral("TI");
    ClsCmnCptes clase;
    int resultado = 0;
    {
        Crudo crudo(db);
        // MODELOS_BENCH_CAMINO names the one path to measure (for a profiler run).
        const QByteArray solo = qgetenv("MODELOS_BENCH_CAMINO");
        for (std::size_t i = 0; i < Caminos().size(); ++i) {
            if (!solo.isEmpty() && solo != Caminos()[i].nombre)
                continue;
            Tiempos t;
            if (!Mide(clase, crudo, i, t)) {
                resultado = 1;
                continue;
            }
            const char* n = Caminos()[i].nombre;
            std::printf("time %s %.4f\n", n, t.nuestro);
            std::printf("time %s_base %.4f\n", n, t.crudo);
            std::printf("time %s_cuarto %.4f\n", n, t.cuarto);
            std::printf("ratio %s %.2f\n", n, t.nuestro / t.crudo);
            // Time per line of the whole note over that of a quarter of it: 1 when linear.
            std::printf("ratio %s %.2f\n", Caminos()[i].crecimiento,
                        (t.nuestro / kLineas) / (t.cuarto / kCuarto));
            std::fflush(stdout);
        }
    }
    sqlite3_close(db);
    return resultado;
}
