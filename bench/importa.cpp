// Importar: a file of 30,000 lines in each of the six layouts imported into the editor's lines,
// headless, on a copy of the demo database with 90,000 more articles, against a baseline in the
// same run that reads the same file, decodes it, splits its lines and fields and looks each
// article up with one prepared statement (every column the line shows read as text, and its
// suspension checked). Layout C holds weighing-scale labels, whose article the baseline reads
// from the label's digits.
// Turns alternate, the form's import then the baseline (MODELOS_BENCH_VUELTAS, 3 by default);
// the best processor time of the thread of each side counts. Also printed: the heap the imported
// grid holds per line.
// Then files of 2,000, 20,000 and 50,000 lines of the usual layout ("Codigo,Cantidad", comma,
// CR LF) imported through the editor's real window, on the display DISPLAY names (offscreen
// without one), against the same file imported by the form without a window, both by the wall
// clock, in turns (importa_N_ventana_vs_logica; importa_ventana_20000_menos_2000 is what 18,000
// more lines cost in the window).

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Importacion.h"
#include "Interaccion.h"
#include "LectorIni.h"
#include "Medidas.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "VentanaEditor.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <map>

namespace {

constexpr int kLineas = 30000;

// Numeric articles 10000..99999 (the scale labels of the demo's mask carry five digits).
int Articulo(int i) {
    const int a = 10000 + int((qint64(i) * 7919) % 90000);
    return a == 50001 ? 50002 : a;
}

QByteArray Archivo(int layout, int lineas, bool crLf = false) {
    QByteArray r;
    r.reserve(qsizetype{lineas} * 40);
    for (int i = 0; i < lineas; ++i) {
        const QByteArray codigo = QByteArray::number(Articulo(i));
        const QByteArray cantidad = QByteArray::number(1 + i % 40) + (i % 3 == 0 ? ",5" : "");
        switch (layout) {
        case 0:
            r += codigo +
                 "\tArt\xed"
                 "culo importado\t" +
                 cantidad;
            break;
        case 1:
            r += codigo +
                 ",Art\xed"
                 "culo importado," +
                 QByteArray::number(1 + i % 40);
            break;
        case 2:
            r += codigo + '\t' + cantidad;
            break;
        case 3:
            r += codigo + ',' + QByteArray::number(1 + i % 40);
            break;
        case 4:
            r += codigo + '+' + cantidad;
            break;
        default: // "2", "0", the article, the weight in grams, a check digit (never read)
            r += "20" + codigo + QByteArray::number(10000 + i % 9000).right(5) + '7';
            break;
        }
        r += crLf || i % 2 ? "\r\n" : "\r";
    }
    return r;
}

// The baseline: the file read and decoded, its lines split by the layout and each article looked up
// and checked for its suspension. The lines found are counted.
int LeeCrudo(const QString& archivo, const FormatoImportacion& formato, sqlite3_stmt* busca, int suspendido) {
    QFile a(archivo);
    if (!a.open(QIODevice::ReadOnly))
        std::exit(1);
    QStringDecoder dec("Windows-1252");
    const QString todo = dec.decode(a.readAll());
    std::vector<std::array<QString, 4>> lineas;
    int halladas = 0;
    for (const QString& linea : todo.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QStringList campos =
            formato.separador.isEmpty() ? QStringList{linea} : linea.split(formato.separador);
        if (linea.isEmpty() || (!formato.separador.isEmpty() && campos.size() < 2))
            continue;
        QString codigo = campos[0].trimmed();
        if (formato.separador.isEmpty())
            codigo = codigo.mid(2, 5);
        const QByteArray clave = QString(QStringLiteral("%1")).arg(codigo, 25).toUtf8();
        sqlite3_bind_text(busca, 1, clave.constData(), int(clave.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(busca) == SQLITE_ROW && sqlite3_column_int(busca, suspendido) == 0) {
            std::array<QString, 4> l;
            l[0] = codigo;
            for (int c = 1; c < 4; ++c)
                l[size_t(c)] = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(busca, c)),
                                                 sqlite3_column_bytes(busca, c));
            lineas.push_back(std::move(l));
            ++halladas;
        }
        sqlite3_reset(busca);
    }
    return halladas;
}

void EscribeArchivo(const QString& ruta, const QByteArray& contenido) {
    QFile a(ruta);
    if (!a.open(QIODevice::WriteOnly) || a.write(contenido) < 0)
        std::exit(1);
}

void FijaFormato(const QString& texto) {
    AD().EjecutaSQL(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE Clave = 'IMPORTAMOV'"));
    AD().EjecutaSQL(QStringLiteral("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) "
                                   "VALUES ('STOCK', 'IMPORTAMOV', '%1', 0)")
                        .arg(texto));
}

// The import as the user starts it: the question answered Yes, the file chosen.
void Importa(FrmVardelio& f, InteraccionGuionada& guion, const QString& archivo) {
    f.InicializaGrids();
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaArchivo(archivo);
}

// Every line in, and the completion told once.
void CompruebaImportadas(const FrmVardelio& f, const InteraccionGuionada& guion, int lineas,
                         const char* lado) {
    if (f.MSFlexGrid2.Rows() != lineas + 2 ||
        guion.Mensajes().count(QStringLiteral("Proceso Completado!")) != 1) {
        std::fprintf(stderr, "importa %d %s: %d filas, %s\n", lineas, lado, f.MSFlexGrid2.Rows(),
                     qPrintable(guion.Mensajes().join(QLatin1Char('|')).left(300)));
        std::exit(1);
    }
}

// The import of the site's usual layout ("Codigo,Cantidad", comma, CR LF) through the real
// window against the same file imported without it, both by the wall clock, for files of
// growing size: the window adds little to the work, and nothing that grows faster than it.
void ImportaEnVentana(FrmVardelio& f, InteraccionGuionada& guion, const QTemporaryDir& dir, int vueltas) {
    FijaFormato(TextosFormatoImportacion()[3]);
    std::map<int, double> ventanas;
    for (const int lineas : {2000, 20000, 50000}) {
        const QString archivo = dir.filePath(QStringLiteral("ventana%1.txt").arg(lineas));
        EscribeArchivo(archivo, Archivo(3, lineas, true));
        const QByteArray nombre = "importa_" + QByteArray::number(lineas);
        ventanas[lineas] = ComparaConVentana(
            f, nombre.constData(), vueltas, [&] { Importa(f, guion, archivo); },
            [&] { f.CmdEspecial_Click(); },
            [&](const char* lado) { CompruebaImportadas(f, guion, lineas, lado); });
    }
    std::printf("time importa_ventana_20000_menos_2000 %.6f\n", ventanas[20000] - ventanas[2000]);
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
    Ejecuta(crudo, "WITH RECURSIVE n(i) AS (SELECT 10000 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
                   "INSERT OR IGNORE INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, Costo) "
                   "SELECT printf('%25d', i), 'Artículo ' || i, '  UN', i % 300 + 0.25 FROM n");

    InteraccionGuionada guion; // questions answered Yes, the completion acknowledged
    EstableceInteraccion(&guion);
    FrmVardelio f;
    f.Form_Load(SesionDemo(ruta));
    // A new template being edited, as the user imports into it.
    f.UtilVox1_click(QStringLiteral("NUEVO"));
    f.TxtFields[0].setText(QStringLiteral("IMPORTADA"));
    f.DetalleOn(true);

    sqlite3_stmt* busca = Prepara(crudo, "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
    // Each line's article is checked for its suspension, as typing checks it.
    int suspendido = -1;
    for (int c = 0; c < sqlite3_column_count(busca); ++c)
        if (QString::fromUtf8(sqlite3_column_name(busca, c))
                .compare(QStringLiteral("SUSPENDIDO"), Qt::CaseInsensitive) == 0)
            suspendido = c;
    if (suspendido < 0)
        return 1;
    const int vueltas = VueltasBench(3);
    double peor = 0;
    for (int layout = 0; layout < 6; ++layout) {
        const QString texto = TextosFormatoImportacion()[layout];
        const FormatoImportacion formato = FormatoImportacionDe(texto);
        const QString archivo = dir.filePath(QStringLiteral("lineas%1.txt").arg(layout));
        EscribeArchivo(archivo, Archivo(layout, kLineas));
        FijaFormato(texto);
        int halladas = 0;
        const auto base = [&] { halladas = LeeCrudo(archivo, formato, busca, suspendido); };
        double logica = 1e9;
        double cruda = 1e9;
        double porLinea = 0;
        for (int v = 0; v < vueltas; ++v) {
            Importa(f, guion, archivo);
            const size_t antes = MemoriaEnUso();
            logica = std::min(logica, TiempoProceso([&] { f.CmdEspecial_Click(); }));
            porLinea = (double(MemoriaEnUso()) - double(antes)) / kLineas;
            cruda = std::min(cruda, TiempoProceso(base));
        }
        if (f.MSFlexGrid2.Rows() != kLineas + 2 || halladas != kLineas) {
            std::fprintf(stderr, "importa %d: %d filas, %d halladas, %s\n", layout, f.MSFlexGrid2.Rows(),
                         halladas, qPrintable(guion.Mensajes().join(QLatin1Char('|')).left(300)));
            return 1;
        }
        const QString nombre = QStringLiteral("importa_%1")
                                   .arg(QStringList{"cdc_tab", "cdc_coma", "cc_tab", "cc_coma", "cc_mas",
                                                    "c_etiquetas"}[layout]);
        std::printf("time %s_logica %.6f\n", qPrintable(nombre), logica);
        std::printf("time %s_base %.6f\n", qPrintable(nombre), cruda);
        std::printf("ratio %s %.3f\n", qPrintable(nombre), logica / cruda);
        std::printf("memoria %s_bytes_por_linea %.0f\n", qPrintable(nombre), porLinea);
        std::fflush(stdout);
        peor = std::max(peor, logica / cruda);
    }
    std::printf("ratio importa %.3f\n", peor);
    ImportaEnVentana(f, guion, dir, vueltas);
    sqlite3_finalize(busca);
    sqlite3_close(crudo);
    EstableceInteraccion(nullptr);
    return 0;
}
