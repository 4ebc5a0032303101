// Opening the outgoing lot and serial dialog on an article with 10,000 serial numbers in stock
// (among 100,000 stock rows of other articles), against the raw query that reads those rows:
//   lotes_apertura: the dialog's load (the stock rows read into the grid, what other lines took,
//                   the proposal, the column widths), headless;
//   posiciones_5000: the position choice for an article in a deposit of 5,000 free places, half of
//                   them holding a balance of it (among 20,000 balances of other articles), headless;
//                   the baseline does the same reads raw: the family levels, the article's row, the
//                   reservation searches (none qualifies), the free places as candidates, and the
//                   article's balances in the deposit, each kept when its place is a candidate;
// the baseline of lotes_apertura is the dialog's statement sent to sqlite3 as text, every column
// of every row read. And
//   lotes_ventana:  the same load and the dialog shown with its table over the grid, on the display
//                   DISPLAY names (offscreen without one), scrolled to its last row, against the
//                   load alone (lotes_logica), both by the wall clock.
// Each side is timed several times, in turns; the best time counts (processor time, the window's
// by the wall clock). Both must see the same number of rows, or the program fails.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "FrmCargaLotesySeries.h"
#include "FrmPosicionConsulta.h"
#include "Globales.h"
#include "Medidas.h"
#include "PosicionesArticulo.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "VentanaReal.h"
#include "VistaCargaLotesySeries.h"

#include <QApplication>
#include <QDir>
#include <QSet>
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
constexpr int kLugares = 5000;
constexpr int kSaldosOtros = 20000;
const QByteArray kArticuloLugar = QByteArray("LUGAR-BENCH").leftJustified(25, ' ');
const QByteArray kDepositoLugar = "   3";

QByteArray Lugar(int i) {
    return ("P" + QByteArray::number(100000 + i)).leftJustified(15, ' ');
}

// Deposit 3: the free places, the article's balances on every second one, other articles'
// balances scattered over them; the article's row and its family levels (two of two digits).
void LlenaLugares(sqlite3* db) {
    Ejecuta(db, "BEGIN");
    Ejecuta(db, "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor) VALUES ('ART', 'FLIA_NIVEL1', '2'), "
                "('ART', 'FLIA_NIVEL2', '2')");
    sqlite3_stmt* art =
        Prepara(db, "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo, "
                    "IdRubro, IdFamilia) VALUES (?, 'Lugar', '  UN', '   1', '   1', '0101')");
    Texto(art, 1, kArticuloLugar);
    InsertaFila(db, art);
    sqlite3_finalize(art);
    sqlite3_stmt* lugar =
        Prepara(db, "INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, "
                    "OrdenIngreso, TITULO, IdUnidad, Capacidad) VALUES (?, ?, 'Lugar', ?, 0, "
                    "'  UN', 100)");
    sqlite3_stmt* saldo =
        Prepara(db, "INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, "
                    "IdUnidadBase, Saldo) VALUES (?, ?, ?, NULL, '  UN', ?)");
    for (int i = 0; i < kLugares; ++i) {
        Texto(lugar, 1, kDepositoLugar);
        Texto(lugar, 2, Lugar(i));
        sqlite3_bind_int(lugar, 3, kLugares - i);
        InsertaFila(db, lugar);
        if (i % 2 == 0) {
            Texto(saldo, 1, kDepositoLugar);
            Texto(saldo, 2, Lugar(i));
            Texto(saldo, 3, kArticuloLugar);
            sqlite3_bind_double(saldo, 4, 1 + i % 50);
            InsertaFila(db, saldo);
        }
    }
    for (int i = 0; i < kSaldosOtros; ++i) {
        Texto(saldo, 1, kDepositoLugar);
        Texto(saldo, 2, Lugar((i * 7919) % kLugares));
        Texto(saldo, 3, QByteArray::number(i % 3000).rightJustified(25, ' '));
        sqlite3_bind_double(saldo, 4, 1 + i % 9);
        InsertaFila(db, saldo);
    }
    sqlite3_finalize(lugar);
    sqlite3_finalize(saldo);
    Ejecuta(db, "COMMIT");
}

// Every column of every row of a statement, as text, each row handed to `fila`; the rows.
int Lee(sqlite3* db, const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& fila = {}) {
    sqlite3_stmt* st = Prepara(db, sql.constData());
    int filas = 0;
    const int columnas = sqlite3_column_count(st);
    std::vector<QByteArray> valores(static_cast<size_t>(columnas));
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columnas; ++c) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            valores[size_t(c)] = t ? QByteArray(t, sqlite3_column_bytes(st, c)) : QByteArray();
        }
        if (fila)
            fila(st);
        ++filas;
    }
    sqlite3_finalize(st);
    return filas;
}

// The position choice's reads, raw; the balances kept.
int PosicionesCrudas(sqlite3* db) {
    Lee(db, "SELECT Valor FROM TA_CONFIGURACION WHERE Clave IN ('FLIA_NIVEL1', 'FLIA_NIVEL2', 'FLIA_NIVEL3', "
            "'FLIA_NIVEL4', 'FLIA_NIVEL5', 'FLIA_NIVEL6')");
    Lee(db, "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = '" + kArticuloLugar + "'");
    const QString dep = QString::fromLatin1(kDepositoLugar);
    for (const char* condicion :
         {"ma_posiciones.IdArticulo = 'LUGAR-BENCH              '", "ma_posiciones.IdFamilia = '0101'",
          "ma_posiciones.IdFamilia = '01'", "ma_posiciones.IdTipo = '   1'", "ma_posiciones.IdRubro= '   1'"})
        Lee(db, SqlPosicionesReservadas(QString::fromLatin1(condicion), dep).toUtf8());
    QSet<QByteArray> candidatas;
    candidatas.reserve(kLugares);
    Lee(db, SqlPosicionesLibres(dep).toUtf8(), [&](sqlite3_stmt* st) {
        candidatas.insert(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))));
    });
    int guardadas = 0;
    const QByteArray saldos = FrmPosicionConsulta::SqlSaldos(dep, QString::fromLatin1(kArticuloLugar))
                                  .replace(QLatin1String("isnull("), QLatin1String("ifnull("))
                                  .toUtf8();
    Lee(db, saldos, [&](sqlite3_stmt* st) {
        if (candidatas.contains(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))))
            ++guardadas;
    });
    return guardadas;
}

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
    return Lee(db, "SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '" + kArticulo +
                       "' AND CANTIDAD > 0  AND IDDEPOSITO = '   1' ORDER BY NROLOTE, NROSERIE ");
}

void Abre(FrmCargaLotesySeries& f) {
    FrmCargaLotesySeries::Entrada e;
    e.Cantidad = 100;
    e.Articulo = QString::fromLatin1(kArticulo).trimmed();
    e.modo =
        FrmCargaLotesySeries::Modo(FrmCargaLotesySeries::Modo::Egreso, FrmCargaLotesySeries::Modo::Serie);
    e.Deposito = QStringLiteral("   1");
    f.CargaDatos(e);
}

// The dialog loaded and shown on the real display, scrolled to its last row, against the same
// load without a window, both by the wall clock.
void LotesEnVentana() {
    int filas[2] = {0, 0};
    const auto vista = Turnos{kVueltas, TiempoReloj}.Mejores({
        [&] {
            FrmCargaLotesySeries f;
            Abre(f);
            VistaCargaLotesySeries v(f);
            Expone(v);
            v.Tabla()->scrollToBottom();
            QApplication::processEvents();
            filas[0] = v.Tabla()->model()->rowCount() - 2;
        },
        [&] {
            FrmCargaLotesySeries f;
            Abre(f);
            filas[1] = f.MSFlexGrid1.Rows() - 2;
        },
    });
    if (filas[0] != kSeries || filas[1] != kSeries) {
        std::fprintf(stderr, "lotes_ventana: rows differ %d %d\n", filas[0], filas[1]);
        std::exit(1);
    }
    std::printf("time lotes_logica %.4f\n", vista[1]);
    std::printf("time lotes_ventana %.4f\n", vista[0]);
    std::printf("ratio lotes_ventana_vs_logica %.2f\n", vista[0] / vista[1]);
}

} // namespace

int main(int argc, char* argv[]) {
    EligePantalla();
    QApplication app(argc, argv);
    InformaPantalla();
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
    LlenaLugares(db);

    AccesoDatos& ad = AD();
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();

    const Turnos turnos{kVueltas, TiempoProceso};
    int filas[2] = {0, 0};
    const auto apertura = turnos.Mejores({
        [&] {
            FrmCargaLotesySeries f;
            Abre(f);
            filas[0] = f.MSFlexGrid1.Rows() - 2; // without the titles and the empty row
        },
        [&] { filas[1] = ConsultaCruda(db); },
    });
    if (filas[0] != kSeries || filas[1] != kSeries) {
        std::fprintf(stderr, "lotes_apertura: rows differ %d %d\n", filas[0], filas[1]);
        return 1;
    }
    Informa("lotes_apertura", apertura[0], apertura[1]);

    LotesEnVentana();

    const auto posiciones = turnos.Mejores({
        [&] {
            FrmPosicionConsulta f;
            FrmPosicionConsulta::Entrada e;
            e.Deposito = QString::fromLatin1(kDepositoLugar).trimmed();
            e.IUNIDAD = QStringLiteral("UN");
            e.Cantidad1 = 1;
            e.Articulo = QString::fromLatin1(kArticuloLugar).trimmed();
            f.CargaDatos(e);
            filas[0] = f.MSFlexGrid1.Rows() - 1;
        },
        [&] { filas[1] = PosicionesCrudas(db); },
    });
    if (filas[0] != kLugares / 2 || filas[1] != kLugares / 2) {
        std::fprintf(stderr, "posiciones_5000: rows differ %d %d\n", filas[0], filas[1]);
        return 1;
    }
    Informa("posiciones_5000", posiciones[0], posiciones[1]);
    sqlite3_close(db);
    ad.LeeConexion().Close();
    return 0;
}
