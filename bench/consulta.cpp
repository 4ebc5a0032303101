// The editor's article search over 100,000 articles: SubConsultaLike on "STK_MA_ARTICULOS" as
// F5 in an article cell runs it, with the window's model filled as the dialog fills it (the
// first screen before it shows, then the rest in blocks). Measured: processor time until the
// model holds its first screen, and until it holds every row; with TopConsArt 0 (1000 rows)
// and with a limit of 100,000. Baseline: the same statement, as the data layer hands it to
// SQLite, prepared and stepped raw in the same run, every column of every row read as text.
// The first screen is a fraction of a millisecond: it is measured over many short rounds of
// its own (both sides stop there, as a user who finds the article at once), the whole read
// over a few long ones. Then, by the wall clock, every row read through the search window on
// the display DISPLAY names (offscreen without one) against the same reading without it.
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
#include "VentanaReal.h"
#include "VistaVentanaConsulta.h"

#include <QApplication>
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

// The whole search of every article by the wall clock: through the search window on the display
// DISPLAY names (offscreen without one), which reads the rows past its first screen in blocks
// while it shows, against the same blocks read without a window. The rows read are counted.
double BuscaPorReloj(InteraccionGuionada& guion, bool enVentana, int& filas) {
    QElapsedTimer reloj;
    double segundos = 0;
    guion.alMostrar = [&](Formulario& f) {
        auto& v = dynamic_cast<VentanaConsulta&>(f);
        if (enVentana) {
            VistaVentanaConsulta vista(v);
            Expone(vista);
            while (!v.Completa())
                QApplication::processEvents();
            QApplication::processEvents();
        } else {
            while (!v.Completa())
                v.LeeFilas(VistaVentanaConsulta::FilasPorTurno);
        }
        segundos = double(reloj.nsecsElapsed()) / 1e9;
        filas = v.FilasDatos();
        v.Cancelar();
    };
    QString tabla = QStringLiteral("STK_MA_ARTICULOS");
    QString buscado = QStringLiteral("Artículo");
    QString resultado;
    reloj.start();
    SubConsultaLike(tabla, buscado, resultado);
    guion.alMostrar = nullptr;
    return segundos;
}

void ComparaVentana(InteraccionGuionada& guion, int vueltas) {
    double logica = 1e9;
    double ventana = 1e9;
    for (int i = 0; i < vueltas; ++i) {
        int filas[2] = {0, 0};
        logica = std::min(logica, BuscaPorReloj(guion, false, filas[0]));
        ventana = std::min(ventana, BuscaPorReloj(guion, true, filas[1]));
        if (filas[0] != Articulos || filas[1] != Articulos) {
            std::fprintf(stderr, "consulta: %d filas sin ventana, %d en la ventana\n", filas[0], filas[1]);
            std::exit(1);
        }
    }
    std::printf("time consulta_todas_top100000_logica %.6f\n", logica);
    std::printf("time consulta_todas_top100000_ventana %.6f\n", ventana);
    std::printf("ratio consulta_todas_top100000_ventana_vs_logica %.2f\n", ventana / logica);
}

} // namespace

int main(int argc, char** argv) {
    EligePantalla();
    QApplication app(argc, argv);
    InformaPantalla();
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
    ComparaVentana(guion, std::max(1, vueltas / 2));
    sqlite3_close(db);
    EstableceInteraccion(nullptr);
    return 0;
}
