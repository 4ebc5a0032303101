// A template of 10,000 lines saved and loaded back through the editor window, headless, on a
// copy of the demo database, against raw SQLite on a second copy in the same run:
//   save: the window's header validation and save (Datosvalidos, ActualizarDatos: the batch
//         replaces the stored template) against the same deletes and inserts through prepared
//         sqlite3 statements in one transaction;
//   load: in the reset window, the name typed and validated (CampoValida on NOMBRE loads the
//         template, each article validated as if typed, the stock shown) against raw sqlite3
//         doing the same reads: the header, the deposit's minimum, maximum and balances of the
//         template's articles, and each line with its article's prepared point query (the
//         validation runs one per line), the columns the line takes kept as texts.
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
#include <QHash>
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

// The save raw: the same deletes and inserts in one transaction, through prepared statements.
void GrabaCruda(sqlite3* crudo, const std::vector<QByteArray>& articulos) {
    Ejecuta(crudo, "BEGIN IMMEDIATE");
    Ejecuta(crudo, "DELETE FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1");
    Ejecuta(crudo, "DELETE FROM V_CPTES_MODELO_DET WHERE IdVardelio = 1");
    sqlite3_stmt* cab = Prepara(crudo, "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,DETALLE,TCDefault,"
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
}

// The template's lines, and the distinct articles with their minimum, maximum and balances.
struct LineasLeidas {
    struct Linea {
        QByteArray articulo;
        QString unidad;
        double cantidad;
    };
    std::vector<Linea> lineas;
    QHash<QByteArray, std::pair<double, double>> minimoMaximo;
    QHash<QByteArray, double> saldos; // article and unit
};

// The header by name, then the lines with the point queries of each distinct article.
LineasLeidas LeeLineasCrudas(sqlite3* crudo) {
    sqlite3_stmt* cab = Prepara(crudo, "SELECT * FROM V_CPTES_MODELO_CAB WHERE nombre = ?");
    Texto(cab, 1, kNombre.toUtf8());
    if (sqlite3_step(cab) != SQLITE_ROW)
        Falla(QStringLiteral("no se halla el modelo"));
    const int id = sqlite3_column_int(cab, 0);
    const QByteArray deposito = BytesColumna(cab, 4);
    sqlite3_finalize(cab);
    LineasLeidas r;
    auto& leidas = r.lineas;
    auto& minimoMaximo = r.minimoMaximo;
    auto& saldos = r.saldos;
    sqlite3_stmt* det = Prepara(crudo, "SELECT IdArticulo, IdUnidad, Cantidad FROM V_CPTES_MODELO_DET "
                                       "WHERE IdVardelio = ? ORDER BY Linea");
    sqlite3_bind_int(det, 1, id);
    sqlite3_stmt* mm = Prepara(crudo, "SELECT Minimo, Maximo FROM V_TA_DEPOSITO_MM WHERE idarticulo = ?1 AND "
                                      "iddeposito = ?2");
    sqlite3_stmt* saldo = Prepara(
        crudo,
        "SELECT EQUIVALENCIA, STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = ?1 AND IDDEPOSITO = ?2");
    for (sqlite3_stmt* st : {mm, saldo})
        Texto(st, 2, deposito);
    while (sqlite3_step(det) == SQLITE_ROW) {
        leidas.push_back({BytesColumna(det, 0), TextoColumna(det, 1), sqlite3_column_double(det, 2)});
        const QByteArray& codigo = leidas.back().articulo;
        if (minimoMaximo.contains(codigo))
            continue;
        Texto(mm, 1, codigo);
        minimoMaximo.insert(codigo, sqlite3_step(mm) == SQLITE_ROW ? std::pair{sqlite3_column_double(mm, 0),
                                                                               sqlite3_column_double(mm, 1)}
                                                                   : std::pair{0.0, 0.0});
        sqlite3_reset(mm);
        Texto(saldo, 1, codigo);
        while (sqlite3_step(saldo) == SQLITE_ROW)
            saldos.insert(codigo + '|' + BytesColumna(saldo, 0), sqlite3_column_double(saldo, 1));
        sqlite3_reset(saldo);
    }
    for (sqlite3_stmt* st : {det, mm, saldo})
        sqlite3_finalize(st);
    return r;
}

// The load raw: the header by name; the lines read, with the deposit's minimum, maximum and
// balances of each distinct article (point queries, into hashes); then for each line its
// article's point query (prepared once, as the line validation runs one per line) with the
// columns the line takes read as text, the type's description read once per type, and the
// line's cells kept.
void LeeCruda(sqlite3* crudo, std::vector<std::vector<QString>>& lineasCrudas) {
    const auto texto = TextoColumna;
    const LineasLeidas leido = LeeLineasCrudas(crudo);
    const auto& saldos = leido.saldos;
    const auto& minimoMaximo = leido.minimoMaximo;
    sqlite3_stmt* art =
        Prepara(crudo, "SELECT *,IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
    sqlite3_stmt* tipo = Prepara(crudo, "SELECT Descripcion FROM V_TA_TipoArticulo WHERE IdTipo = ?");
    std::vector<int> campos;
    for (const char* nombre :
         {"IdArticulo", "SUSPENDIDO", "Descripcion", "Presentacion", "IdTipo", "IdUnidad", "UDBASE", "Costo",
          "UD_STOCK", "Impuestos", "Exento", "UsaSerie", "UsaLote", "Perecedero", "UsaTalle",
          "InsumosPorPorcentaje", "CodigoArtProveedor", "PuntoMaximo", "PuntoPedido"}) {
        int c = sqlite3_column_count(art) - 1;
        while (c >= 0 && qstricmp(sqlite3_column_name(art, c), nombre) != 0)
            --c;
        campos.push_back(c);
    }
    QHash<QString, QString> tipos;
    lineasCrudas.clear();
    for (const LineasLeidas::Linea& l : leido.lineas) {
        std::vector<QString> linea;
        linea.reserve(campos.size() + 6);
        Texto(art, 1, l.articulo);
        if (sqlite3_step(art) != SQLITE_ROW)
            Falla(QStringLiteral("artículo inexistente"));
        for (const int c : campos)
            linea.push_back(texto(art, c));
        const QString& idTipo = linea[4];
        auto t = tipos.constFind(idTipo);
        if (t == tipos.cend()) {
            Texto(tipo, 1, idTipo.toUtf8());
            t = tipos.insert(idTipo, sqlite3_step(tipo) == SQLITE_ROW ? texto(tipo, 0) : QString());
            sqlite3_reset(tipo);
        }
        linea.push_back(*t);
        linea.push_back(l.unidad);
        linea.push_back(QString::number(l.cantidad));
        linea.push_back(QString::number(saldos.value(l.articulo + '|' + l.unidad.toUtf8())));
        const auto limites = minimoMaximo.value(l.articulo);
        linea.push_back(QString::number(limites.first));
        linea.push_back(QString::number(limites.second));
        sqlite3_reset(art);
        lineasCrudas.push_back(std::move(linea));
    }
    sqlite3_finalize(tipo);
    sqlite3_finalize(art);
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
    const auto grabaCruda = [&] { GrabaCruda(crudo, articulos); };
    std::vector<std::vector<QString>> lineasCrudas;
    const auto cargaCruda = [&] { LeeCruda(crudo, lineasCrudas); };

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

    double grabaV = 1e30, grabaC = 1e30, cargaV = 1e30, cargaC = 1e30;
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
    }
    if (lineasCrudas.size() != size_t{kLineas})
        Falla(QStringLiteral("la lectura cruda dio %1 líneas").arg(lineasCrudas.size()));
    for (int i = 0; i < kLineas; ++i)
        if (f.MSFlexGrid2.TextMatrix(i + 1, col::CodigoArticulo) != lineasCrudas[size_t(i)][0].trimmed() ||
            f.MSFlexGrid2.TextMatrix(i + 1, col::Descripcion) != lineasCrudas[size_t(i)][2].trimmed())
            Falla(QStringLiteral("la ventana y la lectura cruda difieren en la línea %1").arg(i + 1));
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
    std::printf("bytes_por_linea plantilla_cargada %.0f\n", porLinea);
    std::printf("time plantilla_validar_articulos %.6f\n", validaV);
    std::printf("bytes_por_linea plantilla_sin_validar %.0f\n", porLineaSinValidar);
    sqlite3_close(crudo);
    sqlite3_close(ventana);
    return 0;
}
