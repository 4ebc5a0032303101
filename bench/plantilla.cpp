// A template of 10,000 lines saved and loaded back through the editor window, headless, on a
// copy of the demo database, against raw SQLite on a second copy in the same run:
//   save: the window's header validation and save (Datosvalidos, ActualizarDatos: the batch
//         replaces the stored template) against the same deletes and inserts through prepared
//         sqlite3 statements in one transaction;
//   load: in the reset window, the name typed and validated (CampoValida on NOMBRE loads the
//         template, each article validated as if typed) against a sqlite3_step loop reading the
//         same lines' columns, and (ratio plantilla_cargar_vs_lookups) against that read plus
//         each line's prepared article point query, the one look-up the validation cannot skip.
// Each side is timed in turns with the other (MODELOS_BENCH_VUELTAS turns, 5 by default); the best
// processor time of the thread counts. Also printed: the heap the loaded template holds per line,
// and how much of the load's time and memory is the validation of each line's article.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseEmbebida.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "LectorIni.h"
#include "Medidas.h"
#include "Regional.h"
#include "Registros.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "Utilidades.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kLineas = 10000;
const int kVueltas = qEnvironmentVariableIsSet("MODELOS_BENCH_VUELTAS")
                         ? std::max(1, qEnvironmentVariableIntValue("MODELOS_BENCH_VUELTAS"))
                         : 5;
const QString kNombre = QStringLiteral("REPOSICION LOCAL CENTRO"); // template 1 of the demo

[[noreturn]] void Falla(const QString& que) {
    std::fprintf(stderr, "plantilla: %s\n", qPrintable(que));
    std::exit(1);
}

// Articles of the demo that are active and kept without lots: 1001 to 1090.
QString Articulo(int i) {
    return QString::number(1001 + i % 90);
}
double Cantidad(int i) {
    return (i % 97) + 0.25;
}

// The 10,000 lines as the user typed them: code, unit and quantity.
void LlenaLineas(Grilla& g) {
    g.setRows(kLineas + 1);
    for (int i = 0; i < kLineas; ++i) {
        g.setTextMatrix(i + 1, col::CodigoArticulo, Articulo(i));
        g.setTextMatrix(i + 1, col::Unidad, QStringLiteral("UN"));
        g.setTextMatrix(i + 1, col::Cantidad, Regional::TextoNumero(Cantidad(i)));
    }
}

} // namespace

// Long on purpose: a benchmark, one measurement after the other.
// NOLINTNEXTLINE(readability-function-size)
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString scripts = BaseEmbebida::CarpetaScripts();
    if (!dir.isValid() || scripts.isEmpty())
        Falla(QStringLiteral("sin carpeta temporal o sin scripts de la base (MODELOS_DB_DIR)"));
    const QString rutaVentana = dir.filePath(QStringLiteral("modelos.db"));
    const QString rutaCruda = dir.filePath(QStringLiteral("cruda.db"));
    BaseEmbebida::CreaDemo(rutaVentana, scripts);
    QFile::copy(rutaVentana, rutaCruda);
    Ini().setCarpeta(dir.path());

    FrmVardelio f;
    f.Form_Load(SesionDemo(rutaVentana));

    // The window holds the template with its 10,000 lines, as the user left it before saving.
    const auto preparaVentana = [&] {
        f.Inicializa();
        f.TxtFields[0].setText(kNombre);
        f.CampoValida(f.TxtFields[0]);
        LlenaLineas(f.MSFlexGrid2);
    };
    const auto grabaVentana = [&] {
        Prueba(f).ValidandoGrabacion() = true;
        if (!f.Datosvalidos())
            Falla(QStringLiteral("el encabezado no es válido"));
        f.ActualizarDatos();
        Prueba(f).ValidandoGrabacion() = false;
        if (Prueba(f).ErrorValidacion())
            Falla(QStringLiteral("el modelo no se guardó"));
    };
    // The window reset (as after a save), then the name typed and accepted.
    const auto preparaCarga = [&] {
        f.Inicializa();
        Prueba(f).RegistroModelo().Close();
    };
    const auto cargaVentana = [&] {
        f.TxtFields[0].setText(kNombre);
        f.CampoValida(f.TxtFields[0]);
    };

    sqlite3* crudo = AbreCrudo(rutaCruda);
    Ejecuta(crudo, "PRAGMA foreign_keys = ON; PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;");
    std::vector<QByteArray> articulos;
    articulos.reserve(kLineas);
    for (int i = 0; i < kLineas; ++i)
        articulos.push_back(UT().RellenaCodigo(Articulo(i), 25).toUtf8());
    const auto grabaCruda = [&] {
        Ejecuta(crudo, "BEGIN IMMEDIATE");
        Ejecuta(crudo, "DELETE FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1");
        Ejecuta(crudo, "DELETE FROM V_CPTES_MODELO_DET WHERE IdVardelio = 1");
        sqlite3_stmt* cab =
            Prepara(crudo, "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,DETALLE,TCDefault,"
                           "DepositoOrigen,DepositoDestino,IdMotivoStock,AnclarAlMenu) VALUES "
                           "(?,?,?,?,?,?,?,?)");
        sqlite3_bind_int(cab, 1, 1);
        sqlite3_bind_text(cab, 2, "REPOSICION LOCAL CENTRO", -1, SQLITE_STATIC);
        sqlite3_bind_text(cab, 3, "Envío semanal al local", -1, SQLITE_STATIC);
        sqlite3_bind_text(cab, 4, "  TR", -1, SQLITE_STATIC);
        sqlite3_bind_text(cab, 5, "   1", -1, SQLITE_STATIC);
        sqlite3_bind_text(cab, 6, "   3", -1, SQLITE_STATIC);
        sqlite3_bind_text(cab, 7, "   3", -1, SQLITE_STATIC);
        sqlite3_bind_text(cab, 8, "1", -1, SQLITE_STATIC);
        InsertaFila(crudo, cab);
        sqlite3_finalize(cab);
        sqlite3_stmt* st =
            Prepara(crudo, "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) "
                           "VALUES (?,?,?,?)");
        for (int i = 0; i < kLineas; ++i) {
            sqlite3_bind_int(st, 1, 1);
            sqlite3_bind_text(st, 2, articulos[size_t(i)].constData(), int(articulos[size_t(i)].size()),
                              SQLITE_STATIC);
            sqlite3_bind_double(st, 3, Cantidad(i));
            sqlite3_bind_text(st, 4, "  UN", 4, SQLITE_STATIC);
            InsertaFila(crudo, st);
        }
        sqlite3_finalize(st);
        Ejecuta(crudo, "COMMIT");
    };
    double sumaCruda = 0;
    // The lines read raw; with `conArticulos`, the load's fair baseline: for each line also the
    // article's point query that the line validation must run, prepared once, every column read
    // as text.
    const auto leeCruda = [&](bool conArticulos) {
        sumaCruda = 0;
        sqlite3_stmt* st = Prepara(crudo, "select * from v_cptes_modelo_det where idvardelio = 1");
        sqlite3_stmt* art =
            conArticulos
                ? Prepara(crudo, "SELECT *,IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE IDARTICULO = ?")
                : nullptr;
        const auto texto = [](sqlite3_stmt* s, int c) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                     sqlite3_column_bytes(s, c));
        };
        std::vector<QString> lineas;
        int encontrados = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            // The same columns the window reads, as text it could show.
            lineas.push_back(texto(st, 2));
            lineas.push_back(texto(st, 4));
            sumaCruda += sqlite3_column_double(st, 3);
            if (!art)
                continue;
            sqlite3_bind_text(art, 1, reinterpret_cast<const char*>(sqlite3_column_text(st, 2)),
                              sqlite3_column_bytes(st, 2), SQLITE_TRANSIENT);
            if (sqlite3_step(art) == SQLITE_ROW) {
                ++encontrados;
                for (int c = 0; c < sqlite3_column_count(art); ++c)
                    lineas.push_back(texto(art, c));
            }
            sqlite3_reset(art);
        }
        sqlite3_finalize(art);
        sqlite3_finalize(st);
        if (lineas.size() < 2 * size_t{kLineas} || (conArticulos && encontrados != kLineas))
            Falla(QStringLiteral("lectura cruda incompleta"));
    };
    const auto cargaCruda = [&] { leeCruda(false); };
    const auto cargaConsultas = [&] { leeCruda(true); };

    // Both saves start from a checkpointed log, so that neither pays for the other's checkpoint.
    sqlite3* ventana = nullptr;
    if (sqlite3_open_v2(rutaVentana.toUtf8().constData(), &ventana, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        Falla(QStringLiteral("no se abre la base de la ventana"));
    const auto vuelca = [](sqlite3* db) {
        int marcos = 0;
        int copiados = 0;
        if (sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, &marcos, &copiados) !=
            SQLITE_OK)
            Falla(QString::fromUtf8(sqlite3_errmsg(db)));
    };

    double grabaV = 1e30, grabaC = 1e30, cargaV = 1e30, cargaC = 1e30, cargaL = 1e30;
    for (int v = 0; v < kVueltas; ++v) {
        preparaVentana();
        Prueba(f).RegistroModelo().Close();
        vuelca(ventana);
        vuelca(crudo);
        grabaV = std::min(grabaV, TiempoProceso(grabaVentana));
        grabaC = std::min(grabaC, TiempoProceso(grabaCruda));
        preparaCarga();
        cargaV = std::min(cargaV, TiempoProceso(cargaVentana));
        if (f.MSFlexGrid2.Rows() != kLineas + 1)
            Falla(QStringLiteral("la ventana cargó %1 líneas").arg(f.MSFlexGrid2.Rows() - 1));
        cargaC = std::min(cargaC, TiempoProceso(cargaCruda));
        cargaL = std::min(cargaL, TiempoProceso(cargaConsultas));
    }
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT count(*) FROM V_CPTES_MODELO_DET WHERE IdVardelio = 1"), rs);
    if (rs.Fields(0).toInt() != kLineas)
        Falla(QStringLiteral("la ventana guardó %1 líneas").arg(rs.Fields(0).toInt()));
    rs.Close();

    // What the window holds for the loaded lines: the heap in use with the template loaded, less
    // the heap with the window reset.
    preparaCarga();
    const size_t vacia = MemoriaEnUso();
    cargaVentana();
    Prueba(f).RegistroModelo().Close();
    const size_t cargada = MemoriaEnUso();
    const double porLinea = (double(cargada) - double(vacia)) / kLineas;

    // Where the load's time and memory go. The load validates each line's article as if typed;
    // that validation alone, over the same rows, and the heap of rows holding only the three
    // cells the storage writes (article, unit, quantity).
    double validaV = 1e30;
    for (int v = 0; v < kVueltas; ++v) {
        preparaCarga();
        Grilla& g = f.MSFlexGrid2;
        g.setRows(kLineas + 1);
        for (int i = 0; i < kLineas; ++i)
            g.setTextMatrix(i + 1, col::CodigoArticulo, Articulo(i));
        g.setRedraw(false); // as while a template loads
        validaV = std::min(validaV, TiempoProceso([&] {
                               for (int fila = 1; fila <= kLineas; ++fila) {
                                   g.setRow(fila);
                                   f.txtEdit2.setText(g.TextMatrix(fila, col::CodigoArticulo));
                                   Prueba(f).ControlActivo() = &f.txtEdit2;
                                   f.ObjCmnCptes().TextPropiedades(f.txtEdit2, col::CodigoArticulo);
                                   f.CampoValida(f.txtEdit2);
                               }
                           }));
        g.setRedraw(true);
    }
    preparaCarga();
    const size_t vacia2 = MemoriaEnUso();
    LlenaLineas(f.MSFlexGrid2);
    const double porLineaSinValidar = (double(MemoriaEnUso()) - double(vacia2)) / kLineas;

    std::printf("time plantilla_grabar_ventana %.6f\n", grabaV);
    std::printf("time plantilla_grabar_sqlite %.6f\n", grabaC);
    std::printf("ratio plantilla_grabar %.3f\n", grabaV / grabaC);
    std::printf("time plantilla_cargar_ventana %.6f\n", cargaV);
    std::printf("time plantilla_cargar_sqlite %.6f\n", cargaC);
    std::printf("ratio plantilla_cargar %.3f\n", cargaV / cargaC);
    std::printf("time plantilla_cargar_sqlite_consultas %.6f\n", cargaL);
    std::printf("ratio plantilla_cargar_vs_lookups %.3f\n", cargaV / cargaL);
    std::printf("bytes_por_linea plantilla_cargada %.0f\n", porLinea);
    std::printf("time plantilla_validar_articulos %.6f\n", validaV);
    std::printf("bytes_por_linea plantilla_sin_validar %.0f\n", porLineaSinValidar);
    sqlite3_close(crudo);
    sqlite3_close(ventana);
    return 0;
}
