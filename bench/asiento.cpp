// The accounting entry of a stock voucher of 10,000 lines (10,000 distinct articles over 200 stock
// accounts) built by GeneraAsientoStock and stored through the data-access layer in one framed
// batch, against raw SQLite doing the same work: the lines loaded into a temporary table, the
// sums per account in one grouped query, the motive line and the account lines inserted with a
// prepared statement, in one transaction. Both sides start from the lines in memory and end
// with the entry stored; each side is timed in turns (processor time of this thread), the best
// time counts. Both must store the same number of lines and the same total, or the program fails.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "ClsCmnCptes.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Grilla.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <utility>
#include <vector>

namespace {

constexpr int kLineas = 10000;
constexpr int kCuentas = 200;
const int kVueltas = VueltasBench(5);

QByteArray Articulo(int n) {
    return ("ASI-" + QByteArray::number(n).rightJustified(5, '0')).leftJustified(25, ' ');
}
QByteArray Cuenta(int n) {
    return "1.1.6." + QByteArray::number(n % kCuentas).rightJustified(3, '0');
}

// The voucher's articles with their stock accounts, and the settings the entry reads.
void Llena(sqlite3* db) {
    Ejecuta(db, "BEGIN; UPDATE TA_CONFIGURACION SET Valor = 'SI' WHERE Clave = 'ASIENTOSXSTOCK'");
    sqlite3_stmt* art = Prepara(db, "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, Costo, "
                                    "cuentacontableC) VALUES (?, 'Articulo', '  UN', 1, ?)");
    for (int n = 0; n < kLineas; ++n) {
        Texto(art, 1, Articulo(n));
        Texto(art, 2, Cuenta(n));
        InsertaFila(db, art);
    }
    sqlite3_finalize(art);
    Ejecuta(db, "COMMIT");
}

struct Linea {
    QByteArray articulo;
    double cantidad;
    double costo;
};

struct Guardado {
    int lineas = 0;
    double total = 0;
};

// The account lines of a stored entry (type and number): how many and their sum.
Guardado TotalGuardado(sqlite3* db, const std::pair<QByteArray, QByteArray>& comprobante) {
    sqlite3_stmt* st =
        Prepara(db, "SELECT COUNT(*), SUM(Importe) FROM MV_ASIENTOS WHERE TC = ? AND NUMERO = ? "
                    "AND Secuencia > 1");
    Texto(st, 1, comprobante.first);
    Texto(st, 2, comprobante.second);
    Guardado g;
    if (sqlite3_step(st) == SQLITE_ROW) {
        g.lineas = sqlite3_column_int(st, 0);
        g.total = sqlite3_column_double(st, 1);
    }
    sqlite3_finalize(st);
    return g;
}

// The raw side: lines into a temporary table, one grouped query, the rows inserted.
void Crudo(sqlite3* db, const std::vector<Linea>& lineas, const QByteArray& nro) {
    Ejecuta(db, "BEGIN IMMEDIATE; DELETE FROM temp.LINEAS");
    sqlite3_stmt* carga =
        Prepara(db, "INSERT INTO temp.LINEAS (IDARTICULO, CANTIDAD, COSTO) VALUES (?, ?, ?)");
    for (const Linea& l : lineas) {
        Texto(carga, 1, l.articulo);
        sqlite3_bind_double(carga, 2, l.cantidad);
        sqlite3_bind_double(carga, 3, l.costo);
        InsertaFila(db, carga);
    }
    sqlite3_finalize(carga);
    sqlite3_stmt* suma = Prepara(db, "SELECT a.cuentacontableC, SUM(l.CANTIDAD * l.COSTO) FROM temp.LINEAS l "
                                     "JOIN V_MA_ARTICULOS a ON a.IDARTICULO = l.IDARTICULO "
                                     "WHERE a.cuentacontableC IS NOT NULL GROUP BY a.cuentacontableC");
    sqlite3_stmt* fila =
        Prepara(db, "INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Mes_Operativo, [Numero Asiento], "
                    "Fecha, FechaSubDiario, Detalle, TC, SUCURSAL, NUMERO, LETRA, PERIODO, Tipo_Reg, "
                    "[DEBE-HABER], Importe, Moneda, Cotizacion, CABCuenta) VALUES (?, ?, 3, 1, "
                    "'2025-03-20 00:00:00', '2025-03-20 00:00:00', 'Ajuste', 'CRUD', '0001', ?, "
                    "'X', 2025, 'STK', ?, ?, '   1', 1, '5.1.3.01')");
    int secuencia = 1;
    double total = 0;
    while (sqlite3_step(suma) == SQLITE_ROW) {
        const double importe = sqlite3_column_double(suma, 1);
        total += importe;
        sqlite3_bind_text(fila, 1, reinterpret_cast<const char*>(sqlite3_column_text(suma, 0)), -1,
                          SQLITE_TRANSIENT);
        sqlite3_bind_int(fila, 2, ++secuencia);
        Texto(fila, 3, nro);
        Texto(fila, 4, "H");
        sqlite3_bind_double(fila, 5, importe);
        InsertaFila(db, fila);
    }
    sqlite3_finalize(suma);
    Texto(fila, 1, "5.1.3.01");
    sqlite3_bind_int(fila, 2, 1);
    Texto(fila, 3, nro);
    Texto(fila, 4, "D");
    sqlite3_bind_double(fila, 5, total);
    InsertaFila(db, fila);
    sqlite3_finalize(fila);
    Ejecuta(db, "COMMIT");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString scripts = ScriptsBench(dir);
    const QString ruta = dir.filePath(QStringLiteral("asiento.db"));
    sqlite3* db = nullptr;
    try {
        BaseEmbebida::CreaDemo(ruta, scripts);
    } catch (const ErrorSistema& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Descripcion()));
        return 1;
    }
    db = AbreCrudo(ruta);
    sqlite3_busy_timeout(db, 5000);
    Llena(db);
    Ejecuta(db, "CREATE TEMP TABLE LINEAS (IDARTICULO VARCHAR(25) COLLATE TEXTO, CANTIDAD REAL, COSTO REAL)");

    AccesoDatos& ad = AD();
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    gPeriodo = 2025;
    ClsCmnCptes clase;

    std::vector<Linea> lineas;
    Grilla grilla(kLineas + 1, 101, 1, 1);
    for (int i = 0; i < kLineas; ++i) {
        const Linea l{Articulo(i), double(1 + i % 7), 10.0 + (i % 13) * 0.25};
        lineas.push_back(l);
        grilla.setTextMatrix(i + 1, 0, QString::fromLatin1(l.articulo).trimmed());
        grilla.setTextMatrix(i + 1, 7, QString::number(l.cantidad));
        grilla.setTextMatrix(i + 1, 38, QString::number(l.costo));
    }

    int vuelta = 0;
    double mejorNuestro = 1e30;
    double mejorCrudo = 1e30;
    QByteArray ultimoNuestro;
    QByteArray ultimoCrudo;
    for (int v = 0; v < kVueltas; ++v) {
        ++vuelta;
        mejorNuestro = std::min(mejorNuestro, TiempoProceso([&] {
                                    QString motivo = QStringLiteral("1");
                                    QString tc = QStringLiteral("AJP");
                                    QString suc = QStringLiteral("0001");
                                    QString nro = QString::number(vuelta).rightJustified(8, QLatin1Char('0'));
                                    QString letra = QStringLiteral("X");
                                    bool debito = false;
                                    qint16 secuencia = 1;
                                    const QString texto = clase.GeneraAsientoStock(
                                        grilla, motivo, tc, suc, nro, letra, QStringLiteral("20/03/2025"),
                                        debito, 0, 0, secuencia);
                                    AD().EjecutaSQL(QStringLiteral("BEGIN TRANSACTION ") + texto +
                                                    QStringLiteral("\r\nCOMMIT TRANSACTION"));
                                    ultimoNuestro = nro.toLatin1();
                                }));
        ultimoCrudo = QByteArray::number(vuelta).rightJustified(8, '0');
        mejorCrudo = std::min(mejorCrudo, TiempoProceso([&] { Crudo(db, lineas, ultimoCrudo); }));
    }
    const Guardado nuestro = TotalGuardado(db, {" AJP", ultimoNuestro});
    const Guardado crudo = TotalGuardado(db, {"CRUD", ultimoCrudo});
    if (nuestro.lineas != kCuentas || crudo.lineas != kCuentas ||
        std::abs(nuestro.total - crudo.total) > 1e-6 || crudo.total <= 0) {
        std::fprintf(stderr, "asiento: entries differ (%d lines %.4f, %d lines %.4f)\n", nuestro.lineas,
                     nuestro.total, crudo.lineas, crudo.total);
        return 1;
    }
    std::printf("time asiento %.4f\n", mejorNuestro);
    std::printf("time asiento_base %.4f\n", mejorCrudo);
    std::printf("ratio asiento %.2f\n", mejorNuestro / mejorCrudo);
    sqlite3_close(db);
    return 0;
}
