// Each user path on two copies of the demo database grown to a site's size: S (20,000 articles
// with their balances in 5 deposits, 200,000 stock movements over those deposits with lots, 2,000
// templates of 20 lines, 20,000 vouchers with 100,000 lines and their applications, 50,000 entry
// rows, 5,000 cost-centre entries and 20,000 sessions in the access log) and 10S (ten times each),
// grown by SQL in one transaction, codes stored filled as the program fills them, and checked with
// PRAGMA integrity_check. The objects every path works on are the same in both files (the demo's,
// and a template, a delivery note and its applications added before the copies are made), so each
// path does the same work on both: the time on 10S over the time on S is what the rest of the
// database costs it (1 when nothing). Every run starts a new session on its file, as the program
// starts (the start-up itself is one of the paths). Each path runs five times on each file, in
// turns (MODELOS_BENCH_VUELTAS), and the median of the processor time of this thread counts; what
// each run gives (rows loaded, stored, found) must be the same on both files, or the program fails.
// The paths: start-up to the window, a template of 50 lines opened and saved, 100 article look-ups
// by code and by bar code, the article search's first screen and all its rows, Cargar, importing
// 5,000 lines, a voucher of 50 lines numbered and posted with its entry, a delivery note of 50 lines
// converted, the voucher lookup window's first screen.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BuscaArticulo.h"
#include "BusquedaArticulos.h"
#include "ClsCmnCptes.h"
#include "ColumnasArticulos.h"
#include "FrmConsComprobantes.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "LectorIni.h"
#include "Numeracion.h"
#include "PrimeraPantallaCptes.h"
#include "SqliteCrudo.h"
#include "TandasSql.h"
#include "TiempoProceso.h"
#include "TraductorSql.h"
#include "ValoresConfiguracion.h"
#include "VistaFrmConsComprobantes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

[[noreturn]] void Falla(const QString& que) {
    std::fprintf(stderr, "escala: %s\n", qPrintable(que));
    std::exit(1);
}

const QString kPlantilla = QStringLiteral("ESCALA 50");
const QString kRemito = QStringLiteral("005000000001R");
constexpr int kLineasImportadas = 5000;

// A statement of the growth with its tokens replaced: {N} the rows less one (the series runs
// from 0), {ARTICULOS} the articles grown, {DEPOSITOS} the grown deposits, {ART:expr} the code of
// the grown article number expr (filled as the program fills codes of digits: right-aligned in 25).
QString Sentencia(const QString& plantilla, int filas, int k) {
    QString sql =
        QStringLiteral("WITH RECURSIVE serie(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM serie WHERE "
                       "n < {N}) ") +
        plantilla;
    sql.replace(QStringLiteral("{N}"), QString::number(filas - 1));
    sql.replace(QStringLiteral("{ARTICULOS}"), QString::number(20000 * k));
    sql.replace(
        QStringLiteral("{DEPOSITOS}"),
        QStringLiteral("(SELECT IdDeposito FROM V_TA_Deposito WHERE IdDeposito IN ('  11', '  12', '  13', "
                       "'  14', '  15')) d"));
    for (qsizetype i = sql.indexOf(QStringLiteral("{ART:")); i >= 0;
         i = sql.indexOf(QStringLiteral("{ART:"))) {
        const qsizetype fin = sql.indexOf(u'}', i);
        const QString expr = sql.mid(i + 5, fin - i - 5);
        sql.replace(i, fin - i + 1,
                    QStringLiteral("printf('%25d', 200001 + (") + expr + QStringLiteral(") % ") +
                        QString::number(20000 * k) + u')');
    }
    return sql;
}

// Articles with their balances in five new deposits, lots, and stock movements over them.
QStringList CrecimientoStock(int k) {
    return {
        QStringLiteral(
            "INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UNIDADNEGOCIO, Empresa) VALUES ('  11', "
            "'Sucursal 11', '   1', ''), ('  12', 'Sucursal 12', '   1', ''), ('  13', 'Sucursal 13', "
            "'   1', ''), ('  14', 'Sucursal 14', '   1', ''), ('  15', 'Sucursal 15', '   1', '')"),
        Sentencia(QStringLiteral(
                      "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, IdTipo, "
                      "IdRubro, codigobarra, Costo, PRECIO, TasaIVA, SUSPENDIDO, PIDEMEDIDAS, PROCEDENCIA, "
                      "cuentacontableC, CuentaContable) SELECT {ART:n}, CASE WHEN n % 10 = 0 THEN 'Bulón de "
                      "sucursal ' ELSE 'Pieza de sucursal ' END || n, 'Pieza', '  UN', '   1', '   1', "
                      "printf('%25s', '778' || printf('%010d', n)), n % 300 + 0.5, n % 700 + 1, 21, 0, 'NO', "
                      "'NACIONAL', '1.1.5.01', '4.1.1.01' FROM serie"),
                  20000 * k, k),
        Sentencia(QStringLiteral(
                      "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, "
                      "STOCK) SELECT {ART:n}, '  UN', d.IdDeposito, 'Pieza', n % 500 + 1 FROM serie, "
                      "{DEPOSITOS}"),
                  20000 * k, k),
        Sentencia(QStringLiteral(
                      "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, CANTIDAD) SELECT "
                      "{ART:10 * n}, d.IdDeposito, printf('%-25s', 'LS' || (10 * n)), 5 FROM serie, "
                      "{DEPOSITOS}"),
                  2000 * k, k),
        Sentencia(
            QStringLiteral(
                "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, Fecha, IdDeposito, "
                "IdArticulo, Descripcion, NroLote, IdUnidad, Cantidad, CantidadUD, IdUnidadBase, "
                "IdMotivoStock, Costo) SELECT CASE (n / 20) % 4 WHEN 0 THEN '  IR' WHEN 1 THEN ' AJP' "
                "WHEN 2 THEN '  VS' ELSE '  TR' END, printf('0020%08dX', n / 20), 0, n % 20 + 1, "
                "printf('2025-%02d-%02d 00:00:00', 1 + (n / 20) % 12, 1 + (n / 20) % 28), printf('%4d', "
                "11 + (n / 20) % 5), {ART:n * 7}, 'Pieza', CASE WHEN n % 5 = 0 THEN printf('%-25s', 'LS' "
                "|| (10 * (n % {ARTICULOS} / 10))) END, '  UN', 1 + n % 9, 1 + n % 9, '  UN', '   1', 1 "
                "FROM serie"),
            200000 * k, k),
    };
}

// Templates of 20 lines, vouchers of 5 lines (delivery notes and orders), the orders' applied
// quantities and the notes' applications.
QStringList CrecimientoComprobantes(int k) {
    return {
        Sentencia(
            QStringLiteral(
                "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre, DETALLE, TCDefault, DepositoOrigen, "
                "DepositoDestino, IdMotivoStock, AnclarAlMenu) SELECT 1000 + n, 'MODELO ' || n, "
                "'Modelo de la sucursal', '  TR', '  11', '  12', '   3', 0 FROM serie"),
            2000 * k, k),
        Sentencia(
            QStringLiteral(
                "INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) SELECT 1000 "
                "+ n / 20, {ART:n * 13}, 1 + n % 7, '  UN' FROM serie"),
            40000 * k, k),
        Sentencia(
            QStringLiteral(
                "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, "
                "Nombre, FECHA, Importe, ANULADA, APROBADO, FINALIZADA, IdReparto, Cotizacion, "
                "CondicionIva) SELECT CASE WHEN n % 2 = 0 THEN '  RM' ELSE '  NP' END, printf('0030%08d', "
                "n) || CASE WHEN n % 2 = 0 THEN 'R' ELSE 'X' END, 0, '0030', printf('%08d', n), CASE "
                "WHEN n % 2 = 0 THEN 'R' ELSE 'X' END, printf('C%04d', n % 900), 'Cliente ' || (n % "
                "900), printf('2025-%02d-%02d 00:00:00', 1 + n % 12, 1 + n % 28), (n % 5000) * 1.25, 0, "
                "1, 0, 0, 1, '1' FROM serie"),
            20000 * k, k),
        Sentencia(QStringLiteral(
                      "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, Secuencia, "
                      "IdArticulo, Descripcion, IdUnidad, IdUnidadBase, Cantidad, CantidadUd, Importe, "
                      "Importe_S_IVA, Impuestos, Total, TotalFinal, Exento, AlicIVA, PorcDto, IdLista, "
                      "IdDeposito, Costo) SELECT CASE WHEN (n / 5) % 2 = 0 THEN '  RM' ELSE '  NP' END, "
                      "printf('0030%08d', n / 5) || CASE WHEN (n / 5) % 2 = 0 THEN 'R' ELSE 'X' END, 0, "
                      "printf('C%04d', (n / 5) % 900), n % 5 + 1, {ART:n * 11}, 'Pieza', '  UN', '  UN', 1 + "
                      "n % 4, 1 + n % 4, 10, 10, 0, 10 * (1 + n % 4), 12.1 * (1 + n % 4), 0, 21, 0, '   1', "
                      "'  11', 5 FROM serie"),
                  100000 * k, k),
        QStringLiteral("INSERT INTO VT_V_MV_INSUMOS_APLICACION (TCO_ORIGEN, IDCOMPROBANTEORIGEN, IDARTICULO, "
                       "CantidadAplicada) SELECT TC, IDCOMPROBANTE, IdArticulo, 1 FROM V_MV_CPTEINSUMOS "
                       "WHERE TC = '  NP' "
                       "AND SUBSTR(IDCOMPROBANTE, 1, 4) = '0030'"),
        Sentencia(
            QStringLiteral(
                "INSERT INTO MV_APLICACION (TC, IDCOMPROBANTE, TCO_ORIGEN, IDComprobante_Origen) SELECT "
                "'  RM', printf('0030%08dR', 2 * n), '  NP', printf('0030%08dX', 2 * n + 1) FROM serie"),
            10000 * k, k),
    };
}

// Entries of two lines over the year's months and two registration types, cost-centre entries
// of the year before, and past sessions in the access log.
QStringList CrecimientoAsientos(int k) {
    return {
        Sentencia(
            QStringLiteral(
                "INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Mes_Operativo, [Numero Asiento], Fecha, "
                "FechaSubDiario, Detalle, TC, SUCURSAL, NUMERO, LETRA, PERIODO, Tipo_Reg, [DEBE-HABER], "
                "USUARIO_LOGEADO, Importe, Moneda, Cotizacion, CABImporte, CABCuenta, CABNombre, "
                "Unegocio) SELECT CASE WHEN n % 2 = 0 THEN '5.1.3.01' ELSE '1.1.5.01' END, n % 2 + 1, "
                "1 + (n / 2) % 12, 100 + n / 48, printf('2025-%02d-10 00:00:00', 1 + (n / 2) % 12), "
                "printf('2025-%02d-10 00:00:00', 1 + (n / 2) % 12), 'Ajuste', ' AJP', '0040', "
                "printf('%08d', n / 2), 'X', 2025, CASE WHEN (n / 2) % 24 < 12 THEN 'STK' ELSE 'VTA' "
                "END, CASE WHEN n % 2 = 0 THEN 'D' ELSE 'H' END, 'DEMO', 100, '   1', 1, 100, "
                "'5.1.3.01', '1', '   1' FROM serie"),
            50000 * k, k),
        Sentencia(QStringLiteral(
                      "INSERT INTO MV_ASIENTOSCCOSTO (MES_OPERATIVO, TIPO_REG, PERIODO, [NUMERO ASIENTO]) "
                      "SELECT 1 + n % 12, CASE WHEN n % 2 = 0 THEN 'STK' ELSE 'VTA' END, 2024, 1 + n FROM "
                      "serie"),
                  5000 * k, k),
        Sentencia(QStringLiteral(
                      "INSERT INTO Control_Acceso (Maquina, Usuario, Formulario, Tarea, Ingreso, Egreso, "
                      "NombreUsuario) SELECT 'PUESTO' || (n % 50), 'DEMO', 'CN000PR', 'MODELOS', "
                      "printf('2024-%02d-%02d %02d:%02d:00', 1 + n % 12, 1 + n % 28, n % 24, n % 60), "
                      "printf('2024-%02d-%02d 23:59:00', 1 + n % 12, 1 + n % 28), 'demo' FROM serie"),
                  20000 * k, k),
    };
}

// The objects every path works on, the same in both files: the stock entries on, a template of 50
// lines, a delivery note of 50 lines with applications of 20 of them.
void PreparaBase(sqlite3* db) {
    Ejecuta(db, "BEGIN");
    Ejecuta(db, "UPDATE TA_CONFIGURACION SET Valor = 'SI' WHERE Clave = 'ASIENTOSXSTOCK'");
    Ejecuta(
        db,
        "CREATE TEMP TABLE LINEAS AS SELECT IDARTICULO, IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO >= "
        "printf('%25d', 1101) AND IDARTICULO <= printf('%25d', 1299) AND USALOTE = 0 AND USASERIE = 0 AND "
        "SUSPENDIDO = 0 ORDER BY IDARTICULO LIMIT 50");
    Ejecuta(
        db,
        "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre, DETALLE, TCDefault, DepositoOrigen, "
        "DepositoDestino, IdMotivoStock, AnclarAlMenu) VALUES (3, 'ESCALA 50', 'Cincuenta líneas', '  TR', "
        "'   1', '   3', '   3', 0)");
    Ejecuta(
        db,
        "INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) SELECT 3, IDARTICULO, "
        "2, IDUNIDAD FROM LINEAS ORDER BY IDARTICULO");
    Ejecuta(
        db,
        "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, Nombre, "
        "FECHA, Importe, IdReparto, Cotizacion, CondicionIva) VALUES ('  RM', '005000000001R', 0, '0050', "
        "'00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-05-10 00:00:00', 5000, 0, 1, '1')");
    Ejecuta(db,
            "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, Secuencia, IdArticulo, "
            "Descripcion, IdUnidad, IdUnidadBase, Cantidad, CantidadUd, Importe, Importe_S_IVA, Impuestos, "
            "Total, TotalFinal, Exento, AlicIVA, PorcDto, IdLista, IdDeposito, Costo) SELECT '  RM', "
            "'005000000001R', 0, 'C0001', rowid, IDARTICULO, 'Artículo', IDUNIDAD, IDUNIDAD, 1 + rowid % 4, "
            "1 + rowid % 4, 10, 10, 0, 10 * (1 + rowid % 4), 12.1 * (1 + rowid % 4), 0, 21, 0, '   1', '   "
            "1', 5 FROM LINEAS ORDER BY IDARTICULO");
    Ejecuta(
        db,
        "INSERT INTO VT_V_MV_INSUMOS_APLICACION (TCO_ORIGEN, IDCOMPROBANTEORIGEN, IDARTICULO, "
        "CantidadAplicada) SELECT '  RM', '005000000001R', IDARTICULO, 1 FROM LINEAS WHERE rowid % 5 < 2");
    Ejecuta(db, "COMMIT");
}

void Crece(const QString& ruta, int k) {
    sqlite3* db = AbreCrudo(ruta);
    // A cache that holds the grown indexes: rows go in by the million in key order of no index.
    Ejecuta(db, "PRAGMA cache_size = -2000000");
    Ejecuta(db, "BEGIN");
    for (const auto& parte : {CrecimientoStock(k), CrecimientoComprobantes(k), CrecimientoAsientos(k)})
        for (const QString& sql : parte)
            Ejecuta(db, sql.toUtf8().constData());
    Ejecuta(db, "COMMIT");
    sqlite3_stmt* st = Prepara(db, "PRAGMA integrity_check");
    const QString resultado = sqlite3_step(st) == SQLITE_ROW ? TextoColumna(st, 0) : QString();
    sqlite3_finalize(st);
    sqlite3_close(db);
    if (resultado != QLatin1String("ok"))
        Falla(QStringLiteral("integrity_check de %1: %2").arg(ruta, resultado));
}

// One run of a path: its processor time, and what it gave (the same on both files).
struct Corrida {
    double segundos = 0;
    QString dio;
};

// A file, the folder of the program's own files and the scripted user of its runs.
struct Base {
    QString ruta;
    QString carpeta;
    InteraccionGuionada* guion;
};

// A new session, as when the program starts again: nothing connected, no setting read.
void NuevaSesion(const Base& b) {
    ReiniciaSesion();
    Ini().setCarpeta(b.carpeta);
    b.guion->Limpia();
}

// The first field of a query's first row, as text.
QString Valor(const QString& sql) {
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    QString v = rs.Eof() ? QString() : rs.Fields(0).toString();
    rs.Close();
    return v;
}

// The editor window started on the file, untimed.
std::unique_ptr<FrmVardelio> Ventana(const Base& b) {
    NuevaSesion(b);
    auto f = std::make_unique<FrmVardelio>();
    f->Form_Load(SesionDemo(b.ruta));
    b.guion->Limpia();
    return f;
}

Corrida Arranque(const Base& b) {
    NuevaSesion(b);
    FrmVardelio f;
    Corrida c;
    c.segundos = TiempoProceso([&] { f.Form_Load(SesionDemo(b.ruta)); });
    c.dio = f.Caption() + QString::number(f.MSFlexGrid2.Cols());
    return c;
}

// The template's name typed and accepted in the reset window: it loads with its lines.
Corrida AbrePlantilla(const Base& b) {
    auto f = Ventana(b);
    Corrida c;
    c.segundos = TiempoProceso([&] {
        f->TxtFields[0].setText(kPlantilla);
        f->CampoValida(f->TxtFields[0]);
    });
    c.dio = QString::number(f->MSFlexGrid2.Rows());
    return c;
}

// The loaded template saved again as it stands.
Corrida GrabaPlantilla(const Base& b) {
    auto f = Ventana(b);
    f->TxtFields[0].setText(kPlantilla);
    f->CampoValida(f->TxtFields[0]);
    Prueba(*f).RegistroModelo().Close();
    Corrida c;
    c.segundos = TiempoProceso([&] {
        Prueba(*f).ValidandoGrabacion() = true;
        if (f->Datosvalidos())
            f->ActualizarDatos();
        Prueba(*f).ValidandoGrabacion() = false;
    });
    c.dio = Prueba(*f).ErrorValidacion()
                ? QStringLiteral("error")
                : Valor(QStringLiteral("SELECT COUNT(*) FROM V_CPTES_MODELO_DET d JOIN "
                                       "V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio "
                                       "WHERE c.nombre = 'ESCALA 50'"));
    return c;
}

// 100 look-ups of the demo's articles (1001 to 1101 but the suspended 1097), by code or by main
// bar code.
Corrida Busca(const Base& b, bool porBarra) {
    auto f = Ventana(b);
    std::vector<QString> codigos;
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT IDARTICULO, codigobarra FROM V_MA_ARTICULOS WHERE IDARTICULO >= "
                       "printf('%25d', 1001) AND IDARTICULO <= printf('%25d', 1101) AND SUSPENDIDO = "
                       "0 AND NOT codigobarra IS NULL ORDER BY IDARTICULO"),
        rs);
    for (; !rs.Eof(); rs.MoveNext())
        codigos.push_back(rs.Fields(porBarra ? 1 : 0).toString().trimmed());
    rs.Close();
    int halladas = 0;
    Corrida c;
    c.segundos = TiempoProceso([&] {
        for (const QString& codigo : codigos) {
            QString buscado = codigo, descripcion, udBase, prefijoLote;
            bool porCodigoBarra = false;
            double cantidad = 0;
            Moneda importe;
            qint16 aviso = 0;
            Registros hallado;
            halladas += BuscaArticulo(buscado, hallado, true, porCodigoBarra, descripcion, {}, udBase, {},
                                      cantidad, importe, prefijoLote, {}, aviso);
        }
    });
    c.dio = QStringLiteral("%1 de %2").arg(halladas).arg(codigos.size());
    return c;
}

// The article search as F5 runs it: until its first screen, or until every row it brings.
Corrida Busqueda(const Base& b, bool todas) {
    auto f = Ventana(b);
    const TiemposBusqueda t = BuscaArticulos(*b.guion, QStringLiteral("Bulón"), todas);
    return {todas ? t.todas : t.primera, QString::number(t.filas)};
}

// Cargar: the whole stock of the demo's deposit 1 into the lines.
Corrida Cargar(const Base& b) {
    auto f = Ventana(b);
    f->TxtFields[f->IndiceCampo(QStringLiteral("DepositoOrigen"))].setText(QStringLiteral("1"));
    f->InicializaGrids();
    Corrida c;
    c.segundos = TiempoProceso([&] { f->CmdCargar_Click(); });
    c.dio = QString::number(f->MSFlexGrid2.Rows());
    return c;
}

// Importar: a file of 5,000 lines of the demo's articles into a new template.
Corrida Importar(const Base& b, const QString& archivo) {
    auto f = Ventana(b);
    f->UtilVox1_click(QStringLiteral("NUEVO"));
    f->TxtFields[0].setText(QStringLiteral("IMPORTADA"));
    f->DetalleOn(true);
    b.guion->AgregaRespuesta(Respuesta::Si);
    b.guion->AgregaArchivo(archivo);
    Corrida c;
    c.segundos = TiempoProceso([&] { f->CmdEspecial_Click(); });
    c.dio = QString::number(f->MSFlexGrid2.Rows());
    return c;
}

void EscribeImportacion(const QString& archivo) {
    QFile a(archivo);
    if (!a.open(QIODevice::WriteOnly))
        Falla(QStringLiteral("no se escribe ") + archivo);
    QByteArray texto;
    for (int i = 0; i < kLineasImportadas; ++i)
        texto += QByteArray::number(1001 + (i * 37) % 90) + ',' + QByteArray::number(1 + i % 9) + "\r\n";
    a.write(texto);
}

// The articles grid of a voucher of 50 lines of the demo's articles.
std::unique_ptr<Grilla> GrillaPosteo() {
    auto g = std::make_unique<Grilla>(51, 101, 1, 1);
    g->setName(QStringLiteral("MSFlexGrid2"));
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT IdArticulo FROM V_CPTES_MODELO_DET WHERE IdVardelio = 3 ORDER BY "
                       "Linea"),
        rs);
    for (int i = 1; !rs.Eof() && i <= 50; rs.MoveNext(), ++i) {
        const QString codigo = rs.Fields(0).toString().trimmed();
        for (const auto& [col, texto] : {std::pair{0, codigo},
                                         {1, QStringLiteral("Artículo")},
                                         {5, QStringLiteral("UN")},
                                         {7, QString::number(1 + i % 7)},
                                         {8, QStringLiteral("1")},
                                         {19, QStringLiteral("0")},
                                         {20, QStringLiteral("0")},
                                         {38, QStringLiteral("10")},
                                         {41, QStringLiteral("UN")},
                                         {61, QStringLiteral("0")}})
            g->setTextMatrix(i, col, texto);
    }
    rs.Close();
    return g;
}

// A voucher of 50 lines numbered, posted with its entry in batch mode and saved with its range.
Corrida Postea(const Base& b) {
    auto f = Ventana(b);
    gPeriodo = 2025;
    ClsCmnCptes cls;
    auto g = GrillaPosteo();
    bool guardado = false;
    QString suc, nro, letra;
    Corrida c;
    c.segundos = TiempoProceso([&] {
        bool modifica = false;
        Obtener_Nro_Comprobante(QStringLiteral("IR"), suc, nro, letra, modifica, true, QString(),
                                gUnidadNegocio, false);
        QString deposito = QStringLiteral("1"), destino, motivo = QStringLiteral("1"), tcOrigen, cpteOrigen,
                sql, loteFijo;
        bool hayError = false;
        cls.ActualizaStock(*g, QStringLiteral("IR"), suc + nro + letra, QStringLiteral("0"),
                           QStringLiteral("20/03/2025"), deposito, destino, motivo, tcOrigen, cpteOrigen,
                           false, QStringLiteral("PorDefault"), true, sql, hayError, QStringLiteral("NULL"),
                           loteFijo, QString(), QString(), 0, false, QStringLiteral("V01"), 0,
                           QStringLiteral("1"), Moneda::DeEntero(1));
        QString rango;
        ActualizaNumeracion(QStringLiteral("IR"), QStringLiteral("STOCK"), suc,
                            QString::number(nro.toLongLong() + 1), letra, true, rango, false, false);
        qint32 numero = 0;
        QString tanda, mensajes;
        GActualizarDatoScript(DivideTanda(sql + QLatin1Char('\r') + rango), hayError, numero, false, false,
                              tanda, mensajes, true);
        guardado = !hayError;
    });
    const QString id = suc + nro + letra;
    c.dio = QStringLiteral("%1 %2 %3")
                .arg(guardado)
                .arg(Valor(QStringLiteral(
                               "SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  IR' AND IdComprobante = '") +
                           id + u'\''))
                .arg(Valor(QStringLiteral(
                               "SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL = '%1' AND "
                               "NUMERO = '%2' AND LETRA = '%3'")
                               .arg(suc, nro, letra)));
    return c;
}

// The delivery note of 50 lines into the grids of an invoice.
Corrida Convierte(const Base& b) {
    auto f = Ventana(b);
    ClsCmnCptes clase;
    Grilla tareas(2, 24, 1, 0);
    Grilla articulos(2, ColumnasGrillaArticulos, 1, 0);
    Grilla otros(2, 7, 1, 0);
    Corrida c;
    c.segundos = TiempoProceso([&] {
        clase.AsignarDatosComprobante(QStringLiteral("RM"), kRemito, QStringLiteral("0"), tareas, articulos,
                                      otros, false, nullptr, false, {}, nullptr, false, {},
                                      QStringLiteral("FC"), nullptr);
    });
    c.dio = QString::number(articulos.Rows());
    return c;
}

// The voucher lookup window of delivery notes on screen (offscreen) until it shows its first
// screen, whatever the machine's load; the user then closes it.
Corrida ConsultaCptes(const Base& b) {
    auto f = Ventana(b);
    FrmConsComprobantes form;
    form.TC = QStringLiteral("RM");
    VistaFrmConsComprobantes vista(form);
    const PrimeraPantalla p = MuestraConsultaCptes(form, vista, true, TurnoPrimeraPantalla::AlLlegarLasFilas);
    Corrida c{p.segundos, QStringLiteral("mostrada")};
    if (c.segundos == 0)
        Falla(QStringLiteral("la consulta de remitos no llenó su primera pantalla"));
    return c;
}

struct Camino {
    const char* nombre;
    std::function<Corrida(const Base&)> corre;
};

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Each path in turns on both files; the medians and their ratio.
void Mide(const std::vector<Camino>& caminos, const Base& s, const Base& diez, int vueltas) {
    for (const Camino& camino : caminos) {
        std::vector<double> tiempos[2];
        QString dio[2];
        for (int v = 0; v < vueltas; ++v)
            for (int i = 0; i < 2; ++i) {
                const Corrida c = camino.corre(i == 0 ? s : diez);
                tiempos[i].push_back(c.segundos);
                if (v > 0 && c.dio != dio[i])
                    Falla(QStringLiteral("%1: dio %2 y luego %3").arg(camino.nombre, dio[i], c.dio));
                dio[i] = c.dio;
            }
        if (dio[0] != dio[1])
            Falla(QStringLiteral("%1: %2 en S y %3 en 10S").arg(camino.nombre, dio[0], dio[1]));
        const double enS = Mediana(tiempos[0]);
        const double en10S = Mediana(tiempos[1]);
        std::printf("time escala_%s_S %.6f\n", camino.nombre, enS);
        std::printf("time escala_%s_10S %.6f\n", camino.nombre, en10S);
        std::printf("ratio crecimiento_base_%s %.2f\n", camino.nombre, en10S / enS);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QString demo;
    sqlite3* db = CreaBaseBench(dir, "demo.db", demo);
    PreparaBase(db);
    sqlite3_close(db);
    InteraccionGuionada guion; // questions answered Yes, files chosen as scripted
    const Base s{dir.filePath(QStringLiteral("s.db")), dir.path(), &guion};
    const Base diez{dir.filePath(QStringLiteral("diez.db")), dir.path(), &guion};
    QElapsedTimer reloj;
    for (const auto& [base, factor] : {std::pair{s, 1}, std::pair{diez, 10}}) {
        if (!QFile::copy(demo, base.ruta))
            Falla(QStringLiteral("no se copia la base demo"));
        reloj.start();
        Crece(base.ruta, factor);
        std::printf("time escala_crecer_%s %.1f\n", factor == 1 ? "S" : "10S", reloj.elapsed() / 1000.0);
        std::fflush(stdout);
    }
    EstableceInteraccion(&guion);
    const QString archivo = dir.filePath(QStringLiteral("lineas.txt"));
    EscribeImportacion(archivo);
    const std::vector<Camino> caminos{
        {"arranque", Arranque},
        {"plantilla_abrir", AbrePlantilla},
        {"plantilla_grabar", GrabaPlantilla},
        {"busca_codigo", [](const Base& b) { return Busca(b, false); }},
        {"busca_barra", [](const Base& b) { return Busca(b, true); }},
        {"busqueda_primera_pantalla", [](const Base& b) { return Busqueda(b, false); }},
        {"busqueda_todas", [](const Base& b) { return Busqueda(b, true); }},
        {"cargar", Cargar},
        {"importar", [&archivo](const Base& b) { return Importar(b, archivo); }},
        {"posteo", Postea},
        {"conversion", Convierte},
        {"consulta_cptes", ConsultaCptes},
    };
    Mide(caminos, s, diez, VueltasBench(5));
    ReiniciaSesion();
    EstableceInteraccion(nullptr);
    return 0;
}
