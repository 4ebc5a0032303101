// The editor's article search over 100,000 articles: SubConsultaLike on "STK_MA_ARTICULOS" as
// F5 in an article cell runs it, with the window's model filled as the dialog fills it (the
// first screen before it shows, then the rest in blocks). Measured: processor time until the
// model holds its first screen, and until it holds every row; with TopConsArt 0 (1000 rows)
// and with a limit of 100,000. Baseline: the same statement, as the data layer hands it to
// SQLite, prepared and stepped raw in the same run, every column of every row read as text.
// The first screen is a fraction of a millisecond: it is measured over many short rounds of
// its own (both sides stop there, as a user who finds the article at once), the whole read
// over a few long ones.
#include "AccesoDatos.h"
#include "AuxInicio.h"
#include "BaseEmbebida.h"
#include "BusquedaArticulos.h"
#include "ConsultaLike.h"
#include "DefinicionesConsulta.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Interaccion.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "ValoresConfiguracion.h"
#include "VentanaConsulta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int Articulos = 100000;

void CreaBase(const QString& ruta, const QString& scripts) {
    QFile esquema(QDir(scripts).filePath(QStringLiteral("esquema.sql")));
    if (!esquema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "consulta: no se halla db/esquema.sql\n");
        std::exit(1);
    }
    const QString articulos =
        QStringLiteral("WITH RECURSIVE serie(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM serie WHERE n < %1) "
                       "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo, SUSPENDIDO, "
                       "PRECIO, PuntoPedido) "
                       "SELECT printf('%25d', 100000 + n), 'Artículo ' || n, '  UN', '   1', 0, n % 700, n % "
                       "50 FROM serie;"
                       "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES "
                       "('CONSULTAS', 'USACONSULTALIKE', 'SI', 0, ''), ('CONSULTAS', "
                       "'CONSULTAARTICULOCONIMAGEN', 'NO', 0, ''), "
                       "('CONSULTAS', 'TOPCONSART', '0', 0, '');"
                       "ANALYZE;")
            .arg(Articulos - 1);
    BaseEmbebida::Crea(ruta, {QString::fromUtf8(esquema.readAll()), articulos});
}

struct Tiempos {
    double primera = 1e9;
    double todas = 1e9;
    int filas = 0;
};

// The search as the editor runs it.
Tiempos Busqueda(InteraccionGuionada& guion, bool todas) {
    const TiemposBusqueda b = BuscaArticulos(guion, QStringLiteral("Artículo"), todas);
    return {b.primera, b.todas, b.filas};
}

// The same statement raw: prepared, stepped, every column read as text; with `todas` false it
// stops at the first screen.
Tiempos Crudo(sqlite3* db, const QByteArray& sql, bool todas) {
    Tiempos t;
    const double inicio = TiempoHilo();
    sqlite3_stmt* st = Prepara(db, sql.constData());
    std::size_t bytes = 0;
    int filas = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            sqlite3_column_text(st, c);
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        }
        if (++filas == VentanaConsulta::PrimeraPantalla) {
            t.primera = TiempoHilo() - inicio;
            if (!todas)
                break;
        }
    }
    sqlite3_finalize(st);
    t.todas = TiempoHilo() - inicio;
    t.filas = filas;
    if (bytes == 0)
        Falla("filas vacías", db);
    return t;
}

void Compara(const char* nombre, sqlite3* db, InteraccionGuionada& guion, int vueltas) {
    Tiempos propio;
    Tiempos base;
    for (int i = 0; i < vueltas * 40; ++i) {
        const Tiempos p = Busqueda(guion, false);
        const Tiempos b = Crudo(db, AD().TraduceSQL(VC().SentenciaMostrada()).toUtf8(), false);
        propio.primera = std::min(propio.primera, p.primera);
        base.primera = std::min(base.primera, b.primera);
    }
    for (int i = 0; i < vueltas; ++i) {
        const Tiempos p = Busqueda(guion, true);
        const Tiempos b = Crudo(db, AD().TraduceSQL(VC().SentenciaMostrada()).toUtf8(), true);
        if (p.filas != b.filas) {
            std::fprintf(stderr, "consulta: %d filas en la ventana, %d en la base\n", p.filas, b.filas);
            std::exit(1);
        }
        propio = {propio.primera, std::min(propio.todas, p.todas), p.filas};
        base = {base.primera, std::min(base.todas, b.todas), b.filas};
    }
    std::printf("time base_primera_pantalla_%s_%d %.6f\n", nombre, base.filas, base.primera);
    std::printf("time consulta_primera_pantalla_%s_%d %.6f\n", nombre, propio.filas, propio.primera);
    std::printf("time base_todas_%s_%d %.6f\n", nombre, base.filas, base.todas);
    std::printf("time consulta_todas_%s_%d %.6f\n", nombre, propio.filas, propio.todas);
    std::printf("ratio consulta_primera_pantalla_%s %.2f\n", nombre, propio.primera / base.primera);
    std::printf("ratio consulta_todas_%s %.2f\n", nombre, propio.todas / base.todas);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir carpeta;
    const QString scripts = ScriptsBench(carpeta);
    const QString ruta = carpeta.filePath(QStringLiteral("articulos.db"));
    CreaBase(ruta, scripts);

    AD().AsignaServidor(QStringLiteral("sqlite"));
    AD().AsignaBaseDatos(ruta);
    AD().Conecta();
    Aux().CarpetaPrograma(carpeta.path() + u'/');
    VC().setArchivoConsultas(carpeta.filePath(QStringLiteral("consultas.cvn")));
    CreaConsultasDefault();
    gMostrarStockenConsultas = true;
    InteraccionGuionada guion;
    EstableceInteraccion(&guion);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        Falla("open", db);
    RegistraFuncionesSqlite(db);

    const int vueltas = VueltasBench(5);
    Compara("top1000", db, guion, vueltas);
    AD().EjecutaSQL(
        QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = '100000' WHERE Clave = 'TOPCONSART'"));
    Compara("top100000", db, guion, std::max(1, vueltas / 2));
    sqlite3_close(db);
    EstableceInteraccion(nullptr);
    return 0;
}
