// The voucher lookup window over 100,000 delivery notes ("RM"): the time until the list shows
// its first screen and until it holds every row, with the window on screen (offscreen) and its
// yields to the event loop. Baseline: the window's own statement as a raw sqlite3 query on the
// same file (prepared from its translated text, every column of every row read as text,
// finalized). Both sides in the thread's processor time; the best of a few turns.
#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "ConsultaCptes.h"
#include "FrmConsComprobantes.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "ModeloListaVista.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "TraductorSql.h"
#include "VistaFrmConsComprobantes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Comprobantes = 100000;

[[noreturn]] void Falla(const QString& que) {
    std::fprintf(stderr, "consulta_cptes: %s\n", qPrintable(que));
    std::exit(1);
}

void CreaBase(const QTemporaryDir& carpeta, const QString& ruta) {
    QFile esquema(QDir(ScriptsBench(carpeta)).filePath(QStringLiteral("esquema.sql")));
    if (!esquema.open(QIODevice::ReadOnly))
        Falla(QStringLiteral("no se halla db/esquema.sql"));
    // One in ten annulled, one in seven approved, one in three without a registration stamp.
    const QString remitos =
        QStringLiteral(
            "WITH RECURSIVE serie(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM serie WHERE n < %1) "
            "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, "
            "Nombre, "
            "FECHA, Importe, ANULADA, APROBADO, COMPLEMENTARIO, FINALIZADA, BLOQUEADA, OBSERVACIONES, "
            "FechaHora_Grabacion) "
            "SELECT '  RM', printf('0001%08dR', n), 0, '0001', printf('%08d', n), 'R', printf('C%04d', n % "
            "900), "
            "'Cliente número ' || (n % 900), printf('2025-%02d-%02d 00:00:00', 1 + n % 12, 1 + n % 28), "
            "(n % 5000) * 1.25, n % 10 = 0, n % 7 = 0, 0, 0, 0, 'Entrega ' || n, "
            "CASE WHEN n % 3 = 0 THEN NULL ELSE printf('2025-%02d-%02d 10:%02d:%02d', 1 + n % 12, 1 + n % "
            "28, "
            "n % 60, n % 59) END FROM serie;"
            "ANALYZE;")
            .arg(Comprobantes);
    try {
        BaseEmbebida::Crea(ruta, {QString::fromUtf8(esquema.readAll()), remitos});
    } catch (const ErrorSistema& e) {
        Falla(e.Descripcion());
    }
}

double Crudo(sqlite3* db, const QByteArray& sql) {
    const double inicio = TiempoHilo();
    sqlite3_stmt* st = Prepara(db, sql.constData());
    int filas = 0;
    std::size_t bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++filas;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            sqlite3_column_text(st, c);
            bytes += std::size_t(sqlite3_column_bytes(st, c));
        }
    }
    sqlite3_finalize(st);
    const double segundos = TiempoHilo() - inicio;
    if (filas != Comprobantes || bytes == 0)
        Falla(QStringLiteral("la consulta directa da %1 filas").arg(filas));
    return segundos;
}

struct Tiempos {
    double primeraPantalla = 0;
    double todas = 0;
};

// The window loads the "RM" lookup; the first screen is shown at the first yield after which
// its list has as many rows as it can show.
Tiempos Ventana() {
    FrmConsComprobantes form;
    form.TC = QStringLiteral("RM");
    VistaFrmConsComprobantes vista(form);
    vista.show();
    QApplication::processEvents();
    const int visibles = std::max(1, vista.Lista()->viewport()->height() /
                                         vista.Lista()->verticalHeader()->defaultSectionSize());
    Tiempos t;
    double inicio = 0;
    const auto cede = form.cedeTurno;
    form.cedeTurno = [&] {
        cede();
        if (t.primeraPantalla == 0 && vista.Modelo()->rowCount() >= visibles)
            t.primeraPantalla = TiempoHilo() - inicio;
    };
    inicio = TiempoHilo();
    vista.Inicia();
    t.todas = TiempoHilo() - inicio;
    if (vista.Modelo()->rowCount() != Comprobantes || t.primeraPantalla == 0)
        Falla(QStringLiteral("la ventana muestra %1 filas").arg(vista.Modelo()->rowCount()));
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        Falla(QStringLiteral("sin carpeta temporal"));
    const QString ruta = carpeta.filePath(QStringLiteral("remitos.db"));
    CreaBase(carpeta, ruta);

    AD().AsignaServidor(QStringLiteral("sqlite"));
    AD().AsignaBaseDatos(ruta);
    AD().Conecta();
    QString filtro;
    const TipoConsulta tipo = MapeaTipoConsulta(QStringLiteral("RM"));
    const QByteArray sql =
        TraduceSqlServerASqlite(SentenciaConsultaCptes(tipo, filtro,
                                                       CondicionBusqueda(kGuiaNombre, kGuiaNumero),
                                                       AjustesConsultaCptes::Lee(tipo)))
            .toUtf8();

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        Falla(QStringLiteral("no se abre ") + ruta);
    RegistraFuncionesSqlite(db);

    double base = 1e9;
    Tiempos ventana{1e9, 1e9};
    for (int vuelta = 0; vuelta < VueltasBench(3); ++vuelta) {
        base = std::min(base, Crudo(db, sql));
        const Tiempos t = Ventana();
        ventana.primeraPantalla = std::min(ventana.primeraPantalla, t.primeraPantalla);
        ventana.todas = std::min(ventana.todas, t.todas);
    }
    sqlite3_close(db);

    std::printf("time base_consulta_remitos_100000 %.3f\n", base);
    std::printf("time consulta_cptes_primera_pantalla %.3f\n", ventana.primeraPantalla);
    std::printf("time consulta_cptes_100000 %.3f\n", ventana.todas);
    std::printf("ratio consulta_cptes_primera_pantalla %.2f\n", ventana.primeraPantalla / base);
    std::printf("ratio consulta_cptes_100000 %.2f\n", ventana.todas / base);
    return 0;
}
