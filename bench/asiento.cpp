// The accounting entry of a stock voucher of 10,000 lines (10,000 distinct articles over 200 stock
// accounts) built by GeneraAsientoStock and stored through the data-access layer in one framed
// batch, against raw SQLite doing the same work from the same line texts: the motive's account,
// the registration type and the existing-entry check read, each line's quantity and cost parsed
// and its article's stock account looked up with one prepared statement, the amounts summed per
// account in memory and the accounts ordered as the database orders them, then the motive line
// and the account lines inserted, every column the program writes, with one prepared statement
// in one transaction. Each side is timed in turns (processor time of this thread), the best time
// counts. Both entries must hold the same rows, column by column, or the program fails.

#include "AccesoDatos.h"
#include "ClsCmnCptesPosteo.h"
#include "Globales.h"
#include "Grilla.h"
#include "Medidas.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QHash>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kLineas = 10000;
constexpr int kCuentas = 200;
const int kVueltas = VueltasBench(5);
const QByteArray kFecha = "2025-03-20 00:00:00";

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

// A line as the grid holds it: the article's code as stored, quantity and cost as typed.
struct Linea {
    QByteArray articulo;
    QByteArray cantidad;
    QByteArray costo;
};

// One row of a single-row query with one text parameter, as text columns; empty without a row.
std::vector<QByteArray> Fila(sqlite3* db, const char* sql, const QByteArray& valor) {
    sqlite3_stmt* st = Prepara(db, sql);
    Texto(st, 1, valor);
    std::vector<QByteArray> fila;
    if (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            fila.push_back(BytesColumna(st, c));
    sqlite3_finalize(st);
    return fila;
}

// What the entry's lines share.
struct CabeceraCruda {
    QByteArray cuentaMotivo;
    QByteArray detalle;
    QByteArray tipoReg;
    QByteArray numero;
    int nroAsiento = 0;
};

// The motive's account, the registration type, the existing-entry check and the entry number
// (read once, then counted on, as the program's class keeps it).
bool LeeCabecera(sqlite3* db, CabeceraCruda& c, int& ultimoAsiento) {
    const std::vector<QByteArray> motivo =
        Fila(db, "SELECT CUENTACONTABLE, Descripcion FROM V_TA_MOTIVOSTOCK WHERE IDMOTIVOSTOCK = ?", "   1");
    const std::vector<QByteArray> tipo =
        Fila(db,
             "SELECT s.CODIGO FROM MA_SUBDIARIOSCOMPROBANTES c JOIN MA_SUBDIARIOS s ON s.CODIGO = "
             "c.Subdiario WHERE c.TC = ?",
             " AJP");
    if (motivo.size() != 2 || tipo.size() != 1)
        return false;
    sqlite3_stmt* existe =
        Prepara(db, "SELECT 1 FROM MV_ASIENTOS WHERE TC = ' AJP' AND SUCURSAL = '0001' AND NUMERO = ? "
                    "AND LETRA = 'X'");
    Texto(existe, 1, c.numero);
    const bool yaEsta = sqlite3_step(existe) == SQLITE_ROW;
    sqlite3_finalize(existe);
    if (yaEsta)
        return false;
    if (ultimoAsiento == 0) {
        const std::vector<QByteArray> maximo =
            Fila(db,
                 "SELECT IFNULL(MAX([Numero Asiento]), 0) FROM MV_ASIENTOS WHERE Mes_Operativo = 3 AND "
                 "Tipo_Reg = ? AND PERIODO = 2025",
                 tipo[0]);
        ultimoAsiento = maximo.at(0).toInt();
    }
    c = {motivo[0], motivo[1], tipo[0], c.numero, ++ultimoAsiento};
    return true;
}

struct Suma {
    QByteArray cuenta;
    double importe = 0;
};

// Each line's account looked up, the amounts summed per account, the accounts in order.
std::vector<Suma> SumasPorCuenta(sqlite3* db, const std::vector<Linea>& lineas) {
    sqlite3_stmt* cuenta =
        Prepara(db, "SELECT cuentacontableC FROM V_MA_ARTICULOS WHERE IDARTICULO = ? AND NOT "
                    "cuentacontableC IS NULL");
    QHash<QByteArray, qsizetype> posicion;
    std::vector<Suma> sumas;
    for (const Linea& l : lineas) {
        Texto(cuenta, 1, l.articulo);
        if (sqlite3_step(cuenta) == SQLITE_ROW) {
            const QByteArray c = BytesColumna(cuenta, 0);
            auto it = posicion.constFind(c);
            if (it == posicion.cend()) {
                it = posicion.insert(c, qsizetype(sumas.size()));
                sumas.push_back({c, 0});
            }
            sumas[size_t(*it)].importe += l.cantidad.toDouble() * l.costo.toDouble();
        }
        sqlite3_reset(cuenta);
    }
    sqlite3_finalize(cuenta);
    std::sort(sumas.begin(), sumas.end(), [](const Suma& a, const Suma& b) { return a.cuenta < b.cuenta; });
    return sumas;
}

// The raw side: the entry of the lines, stored in one transaction.
void Crudo(sqlite3* db, const std::vector<Linea>& lineas, const QByteArray& numero, int& ultimoAsiento) {
    CabeceraCruda c;
    c.numero = numero;
    if (!LeeCabecera(db, c, ultimoAsiento))
        Falla("cabecera", db);
    const std::vector<Suma> sumas = SumasPorCuenta(db, lineas);
    double total = 0;
    for (const Suma& s : sumas)
        total += s.importe;
    const QByteArray ahora = QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss").toLatin1();
    Ejecuta(db, "BEGIN IMMEDIATE");
    sqlite3_stmt* fila =
        Prepara(db, "INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Mes_Operativo, [Numero Asiento], Fecha, "
                    "FechaSubDiario, Detalle, TC, SUCURSAL, NUMERO, LETRA, PERIODO, Tipo_Reg, [DEBE-HABER], "
                    "FechaHora_Grabacion, USUARIO_LOGEADO, Importe, Moneda, Cotizacion, CABImporte, "
                    "CABCuenta, CABNombre, Unegocio, IdCajas) VALUES (?, ?, 3, ?, ?, ?, ?, ' AJP', '0001', "
                    "?, 'X', 2025, ?, ?, ?, 'DEMO', ?, '   1', 1, ?, ?, '1', '   1', '   1')");
    const auto inserta = [&](const QByteArray& cuenta, int secuencia, const char* lado, double importe) {
        Texto(fila, 1, cuenta);
        sqlite3_bind_int(fila, 2, secuencia);
        sqlite3_bind_int(fila, 3, c.nroAsiento);
        Texto(fila, 4, kFecha);
        Texto(fila, 5, kFecha);
        Texto(fila, 6, c.detalle);
        Texto(fila, 7, c.numero);
        Texto(fila, 8, c.tipoReg);
        Texto(fila, 9, lado);
        Texto(fila, 10, ahora);
        sqlite3_bind_double(fila, 11, importe);
        sqlite3_bind_double(fila, 12, total);
        Texto(fila, 13, c.cuentaMotivo);
        InsertaFila(db, fila);
    };
    // An adjustment up: the motive's account on the credit side, the stock accounts on the debit.
    inserta(c.cuentaMotivo, 1, "H", total);
    for (size_t j = 0; j < sumas.size(); ++j)
        inserta(sumas[j].cuenta, int(j) + 2, "D", sumas[j].importe);
    sqlite3_finalize(fila);
    Ejecuta(db, "COMMIT");
}

// The stored lines of an entry, every column but the ones that tell two entries apart.
QByteArrayList Guardado(sqlite3* db, const QByteArray& numero) {
    sqlite3_stmt* st = Prepara(
        db, "SELECT quote(Cuenta) || quote(Secuencia) || quote(Mes_Operativo) || quote(Fecha) || "
            "quote(FechaSubDiario) || quote(Detalle) || quote(TC) || quote(SUCURSAL) || quote(LETRA) || "
            "quote(PERIODO) || quote(Tipo_Reg) || quote([DEBE-HABER]) || quote(USUARIO_LOGEADO) || "
            "quote(Importe) || quote(Moneda) || quote(Cotizacion) || quote(CABImporte) || quote(CABCuenta) "
            "|| quote(CABNombre) || quote(Unegocio) || quote(IdCajas) || quote(TC_ORIGEN) || "
            "quote(CPTE_ORIGEN) FROM MV_ASIENTOS WHERE TC = ' AJP' AND NUMERO = ? ORDER BY Secuencia");
    Texto(st, 1, numero);
    QByteArrayList filas;
    while (sqlite3_step(st) == SQLITE_ROW)
        filas << BytesColumna(st, 0);
    sqlite3_finalize(st);
    return filas;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QString ruta;
    sqlite3* db = CreaBaseBench(dir, "asiento.db", ruta);
    Llena(db);

    AccesoDatos& ad = AD();
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    gPeriodo = 2025;
    gUsuarioLogeado = QStringLiteral("DEMO");
    ClsCmnCptesPosteo clase;

    std::vector<Linea> lineas;
    Grilla grilla(kLineas + 1, 101, 1, 1);
    for (int i = 0; i < kLineas; ++i) {
        const Linea l{Articulo(i), QByteArray::number(1 + i % 7), QByteArray::number(10.0 + (i % 13) * 0.25)};
        lineas.push_back(l);
        grilla.setTextMatrix(i + 1, 0, QString::fromLatin1(l.articulo).trimmed());
        grilla.setTextMatrix(i + 1, 7, QString::fromLatin1(l.cantidad));
        grilla.setTextMatrix(i + 1, 38, QString::fromLatin1(l.costo));
    }

    // Program's vouchers are numbered 1, 2, ...; the raw side's from 50,000 on.
    int vuelta = 0;
    int ultimoAsientoCrudo = 0;
    const auto numero = [](int n) { return QByteArray::number(n).rightJustified(8, '0'); };
    const Turnos turnos{kVueltas, TiempoProceso};
    const std::vector<double> mejores = turnos.Mejores({
        [&] {
            ++vuelta;
            QString motivo = QStringLiteral("1"), tc = QStringLiteral("AJP"), suc = QStringLiteral("0001");
            QString nro = QString::fromLatin1(numero(vuelta)), letra = QStringLiteral("X");
            bool debito = false;
            qint16 secuencia = 1;
            const QString texto = clase.GeneraAsientoStock(
                grilla, motivo, tc, suc, nro, letra, QStringLiteral("20/03/2025"), debito, 0, 0, secuencia);
            AD().EjecutaSQL(QStringLiteral("BEGIN TRANSACTION ") + texto +
                            QStringLiteral("\r\nCOMMIT TRANSACTION"));
        },
        [&] { Crudo(db, lineas, numero(50000 + vuelta), ultimoAsientoCrudo); },
    });
    const QByteArrayList nuestro = Guardado(db, numero(vuelta));
    const QByteArrayList crudo = Guardado(db, numero(50000 + vuelta));
    if (nuestro.size() != kCuentas + 1 || nuestro != crudo) {
        std::fprintf(stderr, "asiento: entries differ (%lld and %lld lines)\n%s\n%s\n",
                     static_cast<long long>(nuestro.size()), static_cast<long long>(crudo.size()),
                     nuestro.value(0).constData(), crudo.value(0).constData());
        return 1;
    }
    std::printf("time asiento_base %.4f\n", mejores[1]);
    Informa("asiento", mejores[0], mejores[1]);
    sqlite3_close(db);
    return 0;
}
