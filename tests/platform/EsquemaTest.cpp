// Loads db/esquema.sql, db/demo.sql and db/estadisticas.sql into in-memory SQLite databases and
// checks what the program relies on: the collation on every text column, the keys, the indexes
// of the article and stock look-ups, and the demo rows.

#include "FuncionesSqlite.h"
#include "Utilidades.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// Readable QString values in assertion messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

QString CarpetaDb() {
    const QByteArray dir = qgetenv("MODELOS_DB_DIR");
    if (!dir.isEmpty())
        return QString::fromLocal8Bit(dir);
    // Beside the sources of this test when the environment does not say.
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../db"));
}

struct CierraDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, CierraDb>;

// Runs a script the way the loader does: one statement per ";" at the end of a line. Each piece
// must be exactly one complete statement.
void EjecutaGuion(sqlite3* db, const QString& archivo) {
    QFile f(CarpetaDb() + "/" + archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << archivo.toStdString();
    const QStringList lineas = QString::fromUtf8(f.readAll()).split('\n');
    QString sentencia;
    int numero = 0;
    for (const QString& linea : lineas) {
        ++numero;
        sentencia += linea + '\n';
        if (!linea.trimmed().endsWith(';'))
            continue;
        const QByteArray sql = sentencia.toUtf8();
        sqlite3_stmt* st = nullptr;
        const char* resto = nullptr;
        int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, &resto);
        ASSERT_EQ(rc, SQLITE_OK) << archivo.toStdString() << " line " << numero << ": " << sqlite3_errmsg(db)
                                 << "\n"
                                 << sql.constData();
        ASSERT_NE(st, nullptr) << archivo.toStdString() << " line " << numero << ": no statement";
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
        ASSERT_EQ(rc, SQLITE_DONE) << archivo.toStdString() << " line " << numero << ": "
                                   << sqlite3_errmsg(db);
        ASSERT_TRUE(QString::fromUtf8(resto).trimmed().isEmpty())
            << archivo.toStdString() << " line " << numero << ": more than one statement";
        sentencia.clear();
    }
    ASSERT_TRUE(sentencia.trimmed().isEmpty()) << archivo.toStdString() << ": text after the last ';'";
}

Db AbreDb(std::initializer_list<const char*> guiones) {
    sqlite3* crudo = nullptr;
    EXPECT_EQ(sqlite3_open(":memory:", &crudo), SQLITE_OK);
    Db db(crudo);
    RegistraFuncionesSqlite(crudo);
    for (const char* g : guiones) {
        EjecutaGuion(crudo, g);
        if (::testing::Test::HasFatalFailure())
            break;
    }
    return db;
}

// All rows of a query as texts (NULL as "<null>").
std::vector<std::vector<QString>> Filas(sqlite3* db, const QString& sql) {
    std::vector<std::vector<QString>> filas;
    sqlite3_stmt* st = nullptr;
    const QByteArray texto = sql.toUtf8();
    if (sqlite3_prepare_v2(db, texto.constData(), -1, &st, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << "\n" << texto.constData();
        return filas;
    }
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<QString> fila;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* v = sqlite3_column_text(st, i);
            fila.push_back(v ? QString::fromUtf8(reinterpret_cast<const char*>(v)) : "<null>");
        }
        filas.push_back(std::move(fila));
    }
    sqlite3_finalize(st);
    return filas;
}

QString Valor(sqlite3* db, const QString& sql) {
    const auto filas = Filas(db, sql);
    return filas.empty() || filas[0].empty() ? QStringLiteral("<none>") : filas[0][0];
}

int Ejecuta(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The form in which the program fills a code before it queries it.
QString Rellena(const QString& codigo, int ancho) {
    return Utilidades().RellenaCodigo(codigo, ancho);
}

class Esquema : public ::testing::Test {
protected:
    void SetUp() override {
        db = AbreDb({"esquema.sql"});
        ASSERT_FALSE(HasFatalFailure());
    }
    sqlite3* d() { return db.get(); }
    Db db;
};

TEST_F(Esquema, EveryTextColumnUsesTheCollation) {
    const auto tablas = Filas(d(), "SELECT name FROM sqlite_master WHERE type = 'table' "
                                   "AND name NOT LIKE 'sqlite%'");
    ASSERT_GT(tablas.size(), 40u);
    for (const auto& t : tablas) {
        const QByteArray tabla = t[0].toUtf8();
        for (const auto& fila : Filas(d(), QString("PRAGMA table_info([%1])").arg(t[0]))) {
            const QString tipo = fila[2].toUpper();
            if (!tipo.contains("CHAR") && !tipo.contains("TEXT"))
                continue;
            const QByteArray col = fila[1].toUtf8();
            const char* colacion = nullptr;
            ASSERT_EQ(sqlite3_table_column_metadata(d(), nullptr, tabla.constData(), col.constData(), nullptr,
                                                    &colacion, nullptr, nullptr, nullptr),
                      SQLITE_OK);
            EXPECT_STREQ(colacion, "TEXTO") << tabla.constData() << "." << col.constData();
        }
    }
}

TEST_F(Esquema, TemplateKeyRefusesADuplicateAndLinesFollowTheirHeader) {
    ASSERT_EQ(Ejecuta(d(), "PRAGMA foreign_keys = ON"), SQLITE_OK);
    ASSERT_EQ(Ejecuta(d(), "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre) VALUES (1,'A')"), SQLITE_OK);
    EXPECT_EQ(Ejecuta(d(), "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre) VALUES (1,'B')"),
              SQLITE_CONSTRAINT);
    EXPECT_EQ(sqlite3_extended_errcode(d()), SQLITE_CONSTRAINT_PRIMARYKEY);
    // Two templates may share nothing but may repeat an article in their lines.
    ASSERT_EQ(Ejecuta(d(), "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) "
                           "VALUES (1,'X',3,'  UN')"),
              SQLITE_OK);
    ASSERT_EQ(Ejecuta(d(), "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) "
                           "VALUES (1,'B',1,'  UN')"),
              SQLITE_OK);
    ASSERT_EQ(Ejecuta(d(), "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) "
                           "VALUES (1,'X',2.5,'  UN')"),
              SQLITE_OK);
    // Read back in the order saved, through the template's index.
    const auto lineas =
        Filas(d(), "select IdArticulo, Cantidad from v_cptes_modelo_det where idvardelio = 1");
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_EQ(lineas[0][0], "X");
    EXPECT_EQ(lineas[1][0], "B");
    EXPECT_EQ(lineas[2][1], "2.5");
    // A line of a template that does not exist is refused; deleting a header takes its lines.
    EXPECT_EQ(Ejecuta(d(), "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo) VALUES (7,'X')"),
              SQLITE_CONSTRAINT);
    EXPECT_EQ(sqlite3_extended_errcode(d()), SQLITE_CONSTRAINT_FOREIGNKEY);
    ASSERT_EQ(Ejecuta(d(), "DELETE FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1"), SQLITE_OK);
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM V_CPTES_MODELO_DET"), "0");
    // The save's batch order (both deletes, then header and lines) works with the keys on.
    ASSERT_EQ(Ejecuta(d(),
                      "BEGIN; DELETE FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2;"
                      "DELETE FROM V_CPTES_MODELO_DET WHERE IdVardelio = 2;"
                      "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,AnclarAlMenu) VALUES (2,'M','1');"
                      "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad) VALUES (2,'Y',1);"
                      "COMMIT;"),
              SQLITE_OK);
    EXPECT_EQ(Valor(d(), "SELECT AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2"), "1");
    EXPECT_EQ(Valor(d(), "SELECT MAX(IDVARDELIO) FROM V_CPTES_MODELO_CAB"), "2");
}

TEST_F(Esquema, PaddedCodesCompareIgnoringTrailingBlanksAndCase) {
    ASSERT_EQ(Ejecuta(d(), "INSERT INTO V_TA_Deposito (IdDeposito, Descripcion) VALUES ('   1', 'Central');"
                           "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor) VALUES ('G', "
                           "'MOSTRARSTOCKENCONSULTAS', 'SI');"
                           "INSERT INTO TA_MENU (CLAVE, NOMBRE) VALUES ('D8021', 'Año Niño');"),
              SQLITE_OK);
    const QString art = Rellena("torn-6x40", 25);
    ASSERT_EQ(art.size(), 25);
    const QByteArray ins = QString("INSERT INTO V_MA_ARTICULOS (IDARTICULO) VALUES ('%1')").arg(art).toUtf8();
    ASSERT_EQ(Ejecuta(d(), ins.constData()), SQLITE_OK);

    EXPECT_EQ(Valor(d(), "SELECT Descripcion FROM V_TA_Deposito WHERE IdDeposito = '   1   '"), "Central");
    EXPECT_EQ(Valor(d(), "SELECT Descripcion FROM V_TA_Deposito WHERE IdDeposito = '1'"), "<none>")
        << "leading blanks must count";
    EXPECT_EQ(Valor(d(), "SELECT Valor FROM TA_CONFIGURACION WHERE CLAVE = 'MostrarStockenConsultas'"), "SI");
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM V_MA_ARTICULOS WHERE IDARTICULO = 'TORN-6X40'"), "1");
    EXPECT_EQ(Valor(d(), "SELECT NOMBRE FROM TA_MENU WHERE NOMBRE = 'AÑO NIÑO  '"), "Año Niño");
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = 'Ano Nino'"), "0")
        << "accents and ñ stay distinct from plain letters";
    // A primary key on a text column follows the collation too.
    EXPECT_EQ(Ejecuta(d(), "INSERT INTO V_TA_Deposito (IdDeposito) VALUES ('   1 ')"), SQLITE_CONSTRAINT);
    EXPECT_EQ(Ejecuta(d(), "INSERT INTO V_TA_Deposito (IdDeposito) VALUES ('1')"), SQLITE_OK);
}

// Every branch of the article lookup and the stock queries is a point lookup on an index.
TEST_F(Esquema, ArticleAndStockLookupsUseAnIndex) {
    const char* consultas[] = {
        "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = 'x'",
        "SELECT *,IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE codigobarra =  'x'",
        "SELECT *,IDUNIDAD AS UDBASE , IFNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE "
        "CODIGOBARRADUN = 'x'",
        "SELECT * FROM V_MA_ARTICULOS WHERE CODIGOBARRA1 = 'x'",
        "SELECT * FROM V_MA_ARTICULOS WHERE CODIGOBARRA2 = 'x'",
        "SELECT * FROM V_MA_ARTICULOS WHERE CODIGOBARRA3 = 'x'",
        "SELECT * FROM V_MA_ARTICULOS WHERE CODIGOBARRA4 = 'x'",
        "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE CodigoArtProveedor = 'x' and CuentaProveedor "
        "= 'P'",
        "SELECT IDARTICULO,IDARTICULOPROVEEDOR,idunidad as UdBase FROM V_MA_PRECIOS WHERE "
        "IDARTICULOPROVEEDOR = 'x' and IDLISTA = '   1' AND TIPOLISTA = 'C'",
        "SELECT STOCK AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = 'x' AND EQUIVALENCIA = '  UN' "
        "AND IDDEPOSITO = '   1'",
        "SELECT SUM(STOCK) AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = 'x' AND EQUIVALENCIA = '  "
        "UN'",
        "SELECT * FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = '   1' AND stock >0",
        "SELECT CantidadUd AS STOCK FROM STK_STOCK_UDKG WHERE IDARTICULO = 'x' AND IDDEPOSITO = '   1'",
        "SELECT SUM(CANTIDAD) FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = 'x' AND IdDeposito = '   1' "
        "AND NroLote = 'L'",
        "SELECT SUM(CANTIDAD) FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = 'x' AND NroSerie = 'S'",
        "SELECT SUM(CANTIDAD) FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = 'x' AND IdPosicion = 'P'",
        "SELECT * FROM S_TA_EQUIV WHERE IdArticulo = 'x' AND IDUNIDAD = '  CJ' AND IDUNIDAD_EQUIV = '  UN'",
        "SELECT * FROM V_TA_DEPOSITO_MM where idarticulo = 'x' and iddeposito = '   1'",
        "SELECT * FROM V_CPTES_MODELO_CAB WHERE Nombre = 'x'",
        "select * from v_cptes_modelo_det where idvardelio = 3",
        "SELECT * FROM TA_MENU WHERE TITULO = 'D8021' AND NOMBRE = 'x'",
        "SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'x'",
    };
    for (const char* sql : consultas) {
        const auto plan = Filas(d(), QString("EXPLAIN QUERY PLAN ") + sql);
        ASSERT_FALSE(plan.empty()) << sql;
        for (const auto& paso : plan)
            EXPECT_FALSE(paso.back().startsWith("SCAN")) << sql << "\n  plan: " << paso.back().toStdString();
    }
}

// The look-ups by key of the voucher logic, as the data layer hands them to SQLite: each reads
// only its key's rows, through an index on every column it compares.
TEST_F(Esquema, KeyLookupsSeekOnEveryColumnTheyCompare) {
    const std::pair<const char*, const char*> consultas[] = {
        {"SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE (TCO_ORIGEN = '  RM' or "
         "TCO_ORIGEN = '  NP') AND IDCOMPROBANTEORIGEN = ?",
         "(IDCOMPROBANTEORIGEN=? AND TCO_ORIGEN=?)"},
        {"SELECT [NUMERO ASIENTO] AS [NRO_ASIENTO] FROM MV_ASIENTOSCCOSTO WHERE MES_OPERATIVO = 3 AND "
         "TIPO_REG = 'STK' AND PERIODO = 2025 AND [NUMERO ASIENTO] = 18",
         "(MES_OPERATIVO=? AND TIPO_REG=? AND PERIODO=? AND NUMERO ASIENTO=?)"},
        {"SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM MV_ASIENTOSCCOSTO WHERE MES_OPERATIVO = 3 AND "
         "TIPO_REG = 'STK' AND PERIODO = 2025",
         "(MES_OPERATIVO=? AND TIPO_REG=? AND PERIODO=?)"},
        {"SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM MV_ASIENTOS WHERE MES_OPERATIVO = 3 AND "
         "TIPO_REG = 'STK' AND PERIODO = 2025",
         "(Mes_Operativo=? AND Tipo_Reg=? AND PERIODO=?)"},
        {"SELECT * FROM MV_ASIENTOS WHERE MES_OPERATIVO = 3 AND TIPO_REG = 'STK' AND PERIODO = 2025 AND "
         "[NUMERO ASIENTO] = 4 AND NOT (TC = '  IR' AND SUCURSAL = '0001' AND NUMERO = '00000001' AND "
         "LETRA = 'X')",
         "(Mes_Operativo=? AND Tipo_Reg=? AND PERIODO=? AND Numero Asiento=?)"},
        {"SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS WHERE TC = 'CBFP' AND SUCURSAL= '0001' AND LETRA = "
         "'X'",
         "(TC=? AND SUCURSAL=? AND LETRA=?)"},
        {"SELECT * FROM V_MV_STOCK WHERE NroLote = ? AND NOT (TC = '  IR' AND IdComprobante = ?)",
         "(NroLote=?)"},
        {"SELECT MAX(NroLote) AS Maximo From v_mv_stock WHERE (SUBSTR(NroLote, 1, 1) = ' ' COLLATE TEXTO)",
         "(<expr>=?)"},
        {"SELECT * FROM V_MV_CPTETAREAS WHERE TC = '  RM' AND IDCOMPROBANTE = ? AND IdComplemento = 0 ORDER "
         "BY ID",
         "(TC=? AND IDCOMPROBANTE=? AND IdComplemento=?)"},
        {"SELECT * FROM C_MV_CPTETAREAS WHERE TC = '  OC' AND IDCOMPROBANTE = ? AND CUENTA = 'P001' ORDER BY "
         "ID",
         "(TC=? AND IDCOMPROBANTE=?)"},
        {"SELECT * FROM V_MV_CPTE_Observ WHERE TC = '  RM' AND IDCOMPROBANTE = ? AND IdComplemento = 0 AND "
         "TIPO_OBS = ? ORDER BY ID",
         "(TC=? AND IDCOMPROBANTE=? AND IdComplemento=?)"},
        {"SELECT * FROM C_MV_CPTE_Observ WHERE TC = '  OC' AND IDCOMPROBANTE = ? AND CUENTA = 'P001' AND "
         "TIPO_OBS = ? ORDER BY ID",
         "(TC=? AND IDCOMPROBANTE=?)"},
        {"SELECT * From MV_VIAJES WHERE TC = '  VJ' AND IDCOMPROBANTE = ?", "(TC=? AND IDCOMPROBANTE=?)"},
        {"select * from stk_despachos where ltrim(rtrim(NroLote)) = ? COLLATE TEXTO", "(<expr>=?)"},
        {"SELECT * FROM TA_USUARIOS WHERE LTRIM(RTRIM(NOMBRE)) ='DEMO' COLLATE TEXTO", "(<expr>=?)"},
        {"SELECT Descripcion FROM V_ta_TipoArticulo WHERE Tipo = ?", "(Tipo=?)"},
        {"SELECT MAX(Id) AS Id FROM Control_Acceso  WHERE Maquina = ? AND Usuario = ? AND Formulario = ? AND "
         "Ingreso = ? AND Egreso IS NULL",
         "(Maquina=? AND Usuario=? AND Formulario=? AND Ingreso=?)"},
        {"select cuentacontableC from v_ma_articulos where idarticulo IN ('a', 'b') and not cuentacontableC "
         "is null group by cuentacontableC",
         "(IDARTICULO=?)"},
    };
    for (const auto& [sql, columnas] : consultas) {
        const auto plan = Filas(d(), QString("EXPLAIN QUERY PLAN ") + sql);
        ASSERT_FALSE(plan.empty()) << sql;
        const QString busca = plan.front().back();
        EXPECT_TRUE(busca.startsWith("SEARCH") && busca.contains(" INDEX ") && busca.endsWith(columnas))
            << sql << "\n  plan: " << busca.toStdString();
    }
}

class Demo : public ::testing::Test {
protected:
    void SetUp() override {
        db = AbreDb({"esquema.sql", "demo.sql"});
        ASSERT_FALSE(HasFatalFailure());
    }
    sqlite3* d() { return db.get(); }
    // The article a query of the article lookup finds, with the last column (the unit of the
    // code that matched, when the query adds one).
    std::pair<QString, QString> Busca(const QString& sql) {
        const auto filas = Filas(d(), sql);
        if (filas.empty())
            return {"<none>", ""};
        return {filas[0][0].trimmed(), filas[0].back()};
    }
    Db db;
};

TEST_F(Demo, StockVoucherTypesAndTheirDirection) {
    const auto tipos = Filas(d(), "SELECT Codigo, Descripcion FROM VT_TA_CPTE WHERE SISTEMA = 'STOCK' "
                                  "ORDER BY DESCRIPCION");
    ASSERT_EQ(tipos.size(), 6u);
    EXPECT_EQ(tipos[0][0], " AJN");
    EXPECT_EQ(tipos[0][1], "Ajuste negativo de stock");
    const std::map<QString, QString> direccion = {{"IR", "E"},  {"SI", "E"}, {"AJP", "E"},
                                                  {"AJN", "S"}, {"TR", "S"}, {"VS", "S"}};
    for (const auto& [tc, es] : direccion) {
        const QString codigo = Rellena(tc, 4);
        EXPECT_EQ(Valor(d(), "SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = '" + codigo + "'"), "STOCK")
            << tc.toStdString();
        EXPECT_EQ(Valor(d(), "SELECT ES FROM V_TA_CPTE WHERE CODIGO='" + codigo + "'"), es)
            << tc.toStdString();
    }
    // The sign rule also meets the other systems' spelling and a tax-book sign.
    EXPECT_EQ(Valor(d(), "SELECT Signo FROM V_TA_CPTE WHERE CODIGO = '  NC'"), "-1");
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM V_TA_CPTE WHERE SISTEMA = 'compras'"), "2");
    // Numbering ranges of the stock types hand out X numbers from 1.
    EXPECT_EQ(
        Valor(d(),
              "SELECT Letras || X_ULTIMO_NRO || '/' || X_NRO_HASTA FROM V_TA_CPTE WHERE CODIGO = '  TR'"),
        "X0/99999999");
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM TA_Comprobantes"),
              Valor(d(), "SELECT COUNT(*) FROM V_TA_CPTE"));
}

TEST_F(Demo, UserDepositsAndCashDesk) {
    // The connection's user is "demo"; the table stores "DEMO".
    EXPECT_EQ(Valor(d(), "Select UNegocio || '|' || IDDEPOSITO from ta_usuarios where Nombre = 'demo'"),
              "   1|   1");
    // No associated deposits: the deposit walk of the user's business unit runs.
    EXPECT_EQ(Valor(d(), "Select COUNT(*) from v_ta_unidadnegocio where codigo = '   1' and "
                         "(not depositosasociados is null or depositosasociados <> '')"),
              "0");
    const auto depositos =
        Filas(d(), "Select IdDeposito, Empresa from V_TA_Deposito where UNIDADNEGOCIO = '   1' "
                   "ORDER BY IDDEPOSITO");
    ASSERT_EQ(depositos.size(), 4u);
    EXPECT_EQ(depositos[0][0], "   1");
    EXPECT_EQ(depositos[3][0], "   4");
    EXPECT_FALSE(depositos[3][1].trimmed().isEmpty()) << "deposit 4 belongs to a remote company";
    EXPECT_EQ(Valor(d(), "SELECT Descripcion FROM V_TA_Cajas WHERE IdCajas = '   1'"), "Caja 1");
    EXPECT_EQ(Valor(d(), "SELECT Valor FROM TA_CONFIGURACION WHERE CLAVE = 'DepositoDefault'"), "1");
    // The access log finds the editor's task for the user (user followed by one blank).
    EXPECT_EQ(
        Valor(d(),
              "SELECT TA_MENU.Nombre FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave "
              " WHERE (TA_TAREAS.USUARIO = 'demo ') AND (TA_MENU.Proceso LIKE '%modelos-stock%')"),
        "Modelos de comprobantes de stock");
}

TEST_F(Demo, ArticleFoundByEachKindOfCode) {
    const QString base =
        "SELECT *,IDUNIDAD AS UDBASE , IFNULL(%1,IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE %2 = '%3'";
    auto porCodigo = [&](const QString& col, const QString& unidad, const QString& codigo) {
        return Busca(base.arg(unidad, col, Rellena(codigo, 25)));
    };
    using P = std::pair<QString, QString>;
    EXPECT_EQ(porCodigo("IDARTICULO", "NULL", "torn-6x40"), P("TORN-6X40", "  UN"));
    EXPECT_EQ(porCodigo("codigobarra", "NULL", "7790000000010"), P("TORN-6X40", "  UN"));
    EXPECT_EQ(porCodigo("CODIGOBARRADUN", "UD_TTE", "17790000000017"), P("TORN-6X40", "  CJ"));
    EXPECT_EQ(porCodigo("CODIGOBARRA1", "UMCB1", "7790000000027"), P("TORN-6X40", "  PQ"));
    EXPECT_EQ(porCodigo("CODIGOBARRA2", "UMCB2", "7790000000034"), P("TORN-6X40", "  UN"));
    EXPECT_EQ(porCodigo("CODIGOBARRA3", "UMCB3", "7790000000041"), P("TORN-6X40", "  BL"));
    EXPECT_EQ(porCodigo("CODIGOBARRA4", "UMCB4", "7790000000058"), P("TORN-6X40", " DOC"));
    // A generated article (every third has a case code, every fifth a pack code, every tenth a
    // second code of its own unit).
    EXPECT_EQ(porCodigo("IDARTICULO", "NULL", "1030"), P("1030", "  UN"));
    EXPECT_EQ(porCodigo("codigobarra", "NULL", "7791234000302"), P("1030", "  UN"));
    EXPECT_EQ(porCodigo("CODIGOBARRADUN", "UD_TTE", "17791234000309"), P("1030", "  CJ"));
    EXPECT_EQ(porCodigo("CODIGOBARRA1", "UMCB1", "7792234000309"), P("1030", "  PQ"));
    EXPECT_EQ(porCodigo("CODIGOBARRA2", "UMCB2", "7793234000306"), P("1030", "  UN"));
    EXPECT_EQ(Busca(base.arg("NULL", "IDARTICULO", "1030")), P("<none>", ""))
        << "an unfilled code finds nothing";
    // Supplier codes, through the purchase list and through the article's own columns.
    EXPECT_EQ(Valor(d(), "SELECT IDARTICULO FROM V_MA_PRECIOS WHERE IDARTICULOPROVEEDOR = '" +
                             Rellena("501030", 25) + "' and IDLISTA = '   1' AND TIPOLISTA = 'C'")
                  .trimmed(),
              "1030");
    EXPECT_EQ(Valor(d(), "SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE CodigoArtProveedor = '" +
                             Rellena("bi-640.40", 25) + "' and CuentaProveedor = 'P002'")
                  .trimmed(),
              "TORN-6X40");
    // Every unit a code carries has its equivalence with the base unit.
    const QString sinEquivalencia =
        "SELECT COUNT(*) FROM (SELECT IDARTICULO AS art, IDUNIDAD AS base, UD_TTE AS u FROM V_MA_ARTICULOS "
        "UNION ALL SELECT IDARTICULO, IDUNIDAD, UMCB1 FROM V_MA_ARTICULOS UNION ALL SELECT IDARTICULO, "
        "IDUNIDAD, UMCB2 "
        "FROM V_MA_ARTICULOS UNION ALL SELECT IDARTICULO, IDUNIDAD, UMCB3 FROM V_MA_ARTICULOS UNION ALL "
        "SELECT "
        "IDARTICULO, IDUNIDAD, UMCB4 FROM V_MA_ARTICULOS UNION ALL SELECT IDARTICULO, IDUNIDAD, UD_STOCK "
        "FROM "
        "V_MA_ARTICULOS) x WHERE x.u IS NOT NULL AND x.u <> x.base AND NOT EXISTS (SELECT 1 FROM S_TA_EQUIV "
        "e WHERE "
        "e.IdArticulo = x.art AND ((e.IDUNIDAD = x.u AND e.IDUNIDAD_EQUIV = x.base) OR (e.IDUNIDAD = x.base "
        "AND "
        "e.IDUNIDAD_EQUIV = x.u)))";
    EXPECT_EQ(Valor(d(), sinEquivalencia), "0");
    EXPECT_EQ(Valor(d(), "SELECT Coeficiente FROM S_TA_EQUIV WHERE IdArticulo = '" + Rellena("1030", 25) +
                             "' AND IDUNIDAD = '  CJ' AND IDUNIDAD_EQUIV = '  UN'"),
              "12.0");
    EXPECT_GE(Valor(d(), "SELECT COUNT(*) FROM V_MA_ARTICULOS").toInt(), 300);
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM V_MA_ARTICULOS WHERE SUSPENDIDO = 1"), "3");
}

TEST_F(Demo, ScaleLabelDecodesToTheWeighedArticle) {
    ASSERT_EQ(Valor(d(), "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'TIPOEAN'"), "0CCCCCPPPPP");
    ASSERT_EQ(Valor(d(), "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'DECIMALESEAN'"), "2");
    const QString etiqueta = "2050001012500";
    // A valid EAN-13, read from its second character: window positions 2-6 the article,
    // 7-11 the weight in grams.
    int suma = 0;
    for (int i = 0; i < 12; ++i)
        suma += etiqueta[i].digitValue() * (i % 2 ? 3 : 1);
    EXPECT_EQ((10 - suma % 10) % 10, etiqueta[12].digitValue());
    const QString ventana = etiqueta.mid(1, 11);
    const QString articulo = ventana.mid(1, 5);
    const double kilos = ventana.mid(6, 5).toDouble() / 1000;
    EXPECT_EQ(articulo, "50001");
    EXPECT_DOUBLE_EQ(kilos, 1.25);
    const auto fila = Filas(d(), "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = '" +
                                     Rellena(articulo, 25) + "'");
    ASSERT_EQ(fila.size(), 1u);
    EXPECT_EQ(Valor(d(), "SELECT pesable || IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = '" +
                             Rellena(articulo, 25) + "'"),
              "1  KG");
    // The label itself is no stored bar code, so bar-code mode falls through to the decoding.
    EXPECT_EQ(
        Valor(d(), "SELECT COUNT(*) FROM V_MA_ARTICULOS WHERE codigobarra = '" + Rellena(etiqueta, 25) + "'"),
        "0");
}

TEST_F(Demo, StockBalancesAgreeWithLotsSerialsAndPositions) {
    EXPECT_GT(
        Valor(d(), "SELECT COUNT(*) FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = '   1' AND stock >0").toInt(),
        250);
    // Orphans: balances of unknown articles, deposits or units.
    EXPECT_EQ(
        Valor(d(),
              "SELECT COUNT(*) FROM STK_SALDOS_UNIDADES s WHERE NOT EXISTS (SELECT 1 FROM V_MA_ARTICULOS a "
              "WHERE a.IDARTICULO = s.IDARTICULO) OR NOT EXISTS (SELECT 1 FROM V_TA_Deposito d WHERE "
              "d.IdDeposito = s.IDDEPOSITO) OR NOT EXISTS (SELECT 1 FROM V_TA_Unidad u WHERE u.IdUnidad = "
              "s.EQUIVALENCIA)"),
        "0");
    // Balances kept in another unit than the base one (skipped by the deposit load) exist.
    EXPECT_GT(Valor(d(), "SELECT COUNT(*) FROM STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON a.IDARTICULO = "
                         "s.IDARTICULO WHERE s.EQUIVALENCIA <> a.IDUNIDAD")
                  .toInt(),
              0);
    // Lots and serial numbers add up to the base-unit balance of their article and deposit.
    EXPECT_EQ(
        Valor(d(),
              "SELECT COUNT(*) FROM STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON a.IDARTICULO = "
              "s.IDARTICULO AND a.IDUNIDAD = s.EQUIVALENCIA WHERE (a.USALOTE = 1 OR a.USASERIE = 1) AND "
              "abs(s.STOCK - IFNULL((SELECT SUM(CANTIDAD) FROM STK_SERIES_Y_LOTES l WHERE l.IDARTICULO = "
              "s.IDARTICULO AND l.IdDeposito = s.IDDEPOSITO), 0)) > 0.0001"),
        "0");
    EXPECT_EQ(Valor(d(),
                    "SELECT COUNT(*) FROM STK_SERIES_Y_LOTES l JOIN V_MA_ARTICULOS a ON a.IDARTICULO = "
                    "l.IDARTICULO WHERE (a.USALOTE = 1 AND (l.NroLote IS NULL OR l.NroSerie IS NOT NULL)) OR "
                    "(a.USASERIE = 1 AND (l.NroSerie IS NULL OR l.NroLote IS NOT NULL OR l.CANTIDAD <> 1))"),
              "0");
    EXPECT_GT(Valor(d(), "SELECT COUNT(*) FROM STK_SERIES_Y_LOTES WHERE NroSerie IS NOT NULL").toInt(), 10);
    // Lot stock by the lot query of the stock services.
    EXPECT_EQ(Valor(d(), " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = '" +
                             Rellena("1015", 25) + "' AND IdDeposito = '   1'  AND NroLote = '" +
                             Rellena("L1015A", 25) + "' "),
              "57.0");
    // Positions: the layout is 2 + 3 + 2 + 3 characters; balances stand on known places, but for
    // the stock of a deposit kept without position (a null position, never a lot).
    EXPECT_EQ(
        Valor(d(), "SELECT COUNT(*) FROM MA_POSICIONES WHERE TITULO = 0 AND length(trim(IdPosicion)) <> 10"),
        "0");
    EXPECT_EQ(
        Valor(
            d(),
            "SELECT COUNT(*) FROM AC_SALDOSLAYOUT s WHERE s.IdPosicion IS NOT NULL AND NOT EXISTS (SELECT 1 "
            "FROM MA_POSICIONES p WHERE p.IdDeposito = s.IdDeposito AND p.IdPosicion = s.IdPosicion AND "
            "p.TITULO = 0)"),
        "0");
    EXPECT_GT(Valor(d(), "SELECT COUNT(*) FROM AC_SALDOSLAYOUT WHERE IdPosicion IS NULL").toInt(), 0);
    EXPECT_EQ(
        Valor(d(), "SELECT COUNT(*) FROM AC_SALDOSLAYOUT WHERE IdPosicion IS NULL AND NroLote IS NOT NULL"),
        "0");
    EXPECT_GT(Valor(d(), "SELECT COUNT(*) FROM AC_SALDOSLAYOUT").toInt(), 0);
    EXPECT_EQ(Valor(d(), "select COUNT(*) from V_TA_DEPOSITO_MM where iddeposito = '   1' and Minimo > 0"),
              "50");
    EXPECT_EQ(Valor(d(), "select ControladoPor from stk_despachos where trim(NroLote) = 'L1060A'"),
              "Aduana de Buenos Aires");
}

// Every code of the demo is stored the way the program fills codes before it queries them.
TEST_F(Demo, CodesAreStoredFilledToTheirWidth) {
    const std::vector<std::tuple<const char*, const char*, int>> codigos = {
        {"V_MA_ARTICULOS", "IDARTICULO", 25},
        {"V_MA_ARTICULOS", "codigobarra", 25},
        {"V_MA_ARTICULOS", "CODIGOBARRADUN", 25},
        {"V_MA_ARTICULOS", "CODIGOBARRA1", 25},
        {"V_MA_ARTICULOS", "CODIGOBARRA2", 25},
        {"V_MA_ARTICULOS", "CODIGOBARRA3", 25},
        {"V_MA_ARTICULOS", "CODIGOBARRA4", 25},
        {"V_MA_ARTICULOS", "CodigoArtProveedor", 25},
        {"V_MA_ARTICULOS", "IDUNIDAD", 4},
        {"V_MA_ARTICULOS", "UD_STOCK", 4},
        {"V_MA_ARTICULOS", "UD_TTE", 4},
        {"V_MA_ARTICULOS", "UMCB1", 4},
        {"V_MA_ARTICULOS", "UMCB3", 4},
        {"V_MA_ARTICULOS", "UMCB4", 4},
        {"V_MA_ARTICULOS", "IdTipo", 4},
        {"V_MA_ARTICULOS", "IdRubro", 4},
        {"V_MA_PRECIOS", "IDARTICULO", 25},
        {"V_MA_PRECIOS", "IDARTICULOPROVEEDOR", 25},
        {"V_MA_PRECIOS", "IDLISTA", 4},
        {"V_MA_PRECIOS", "idunidad", 4},
        {"S_TA_EQUIV", "IdArticulo", 25},
        {"S_TA_EQUIV", "IDUNIDAD", 4},
        {"S_TA_EQUIV", "IDUNIDAD_EQUIV", 4},
        {"V_MA_INSUMOS", "IdArticuloInsumo", 25},
        {"STK_SALDOS_UNIDADES", "IDARTICULO", 25},
        {"STK_SALDOS_UNIDADES", "EQUIVALENCIA", 4},
        {"STK_SALDOS_UNIDADES", "IDDEPOSITO", 4},
        {"STK_SERIES_Y_LOTES", "IDARTICULO", 25},
        {"STK_SERIES_Y_LOTES", "IdDeposito", 4},
        {"STK_SERIES_Y_LOTES", "NroLote", 25},
        {"STK_SERIES_Y_LOTES", "NroSerie", 25},
        {"STK_SERIES_Y_LOTES", "IdPosicion", 15},
        {"MA_POSICIONES", "IdPosicion", 15},
        {"AC_SALDOSLAYOUT", "IdPosicion", 15},
        {"STK_STOCK_UDKG", "IDARTICULO", 25},
        {"V_TA_DEPOSITO_MM", "idarticulo", 25},
        {"stk_despachos", "NroLote", 25},
        {"stk_despachos", "IdOrigen", 4},
        {"V_TA_CPTE", "CODIGO", 4},
        {"TA_CONFIG_IMP_CPTE", "TC", 4},
        {"V_TA_Deposito", "IdDeposito", 4},
        {"V_TA_Deposito", "UNIDADNEGOCIO", 4},
        {"V_TA_MotivoStock", "IdMotivoStock", 4},
        {"V_TA_Unidad", "IdUnidad", 4},
        {"V_TA_Origen", "IdOrigen", 4},
        {"V_TA_UnidadNegocio", "codigo", 4},
        {"V_TA_Cajas", "IdCajas", 4},
        {"TA_USUARIOS", "UNegocio", 4},
        {"TA_USUARIOS", "IDDEPOSITO", 4},
        {"V_CPTES_MODELO_CAB", "TCDefault", 4},
        {"V_CPTES_MODELO_CAB", "DepositoOrigen", 4},
        {"V_CPTES_MODELO_CAB", "DepositoDestino", 4},
        {"V_CPTES_MODELO_CAB", "IdMotivoStock", 4},
        {"V_CPTES_MODELO_DET", "IdArticulo", 25},
        {"V_CPTES_MODELO_DET", "IdUnidad", 4},
        {"MA_SUBDIARIOSCOMPROBANTES", "TC", 4},
    };
    for (const auto& [tabla, columna, ancho] : codigos) {
        const auto filas = Filas(d(), QString("SELECT DISTINCT %1 FROM %2 WHERE %1 IS NOT NULL AND %1 <> ''")
                                          .arg(QLatin1String(columna), QLatin1String(tabla)));
        EXPECT_FALSE(filas.empty()) << tabla << "." << columna << " has no demo value";
        for (const auto& f : filas)
            EXPECT_EQ(f[0], Rellena(f[0], ancho))
                << tabla << "." << columna << " [" << f[0].toStdString() << "]";
    }
}

TEST_F(Demo, SettingsTheEditorReadsAreThere) {
    const char* claves[] = {"MostrarStockenConsultas",
                            "Stk_Nivel1",
                            "Stk_Nivel2",
                            "Stk_Nivel3",
                            "Stk_Nivel4",
                            "UsaTipoArtEnDescripcionDeArt",
                            "TIPOEAN",
                            "DECIMALESEAN",
                            "PideDepositoEnCptes",
                            "ImportaMov",
                            "NombreArticulos",
                            "ConfirmaUDEquiv",
                            "V_ListaPreciosPorItemArticulos",
                            "V_DescuentoPorArticulos",
                            "ComprasDescuentoPorArticulo",
                            "TransporteCombustibles",
                            "NoMostrarImportesEnOT",
                            "PIVA",
                            "PIVARec",
                            "AsientosXStock",
                            "LenDescripcion",
                            "USA_STK_STOCK_UDKG",
                            "UNIDADDEMEDIDA_KG",
                            "UNIDADDEMEDIDA_BL",
                            "UNIDADDEMEDIDA_M3",
                            "DepositoDefault",
                            "MADERERA",
                            "PERIODO",
                            "CFondo",
                            "CLetra",
                            "LAYOUT_NIVEL1",
                            "TIT_LAYOUT_NIVEL_4",
                            "UsaConsultaLIKE",
                            "TopConsArt"};
    for (const char* clave : claves)
        EXPECT_NE(
            Valor(d(),
                  QString("SELECT VALOR, valoraux FROM ta_configuracion  WHERE CLAVE = '%1'").arg(clave)),
            "<none>")
            << clave;
    const QString importa = Valor(d(), "SELECT Valor FROM TA_CONFIGURACION WHERE CLAVE = 'ImportaMov'");
    EXPECT_EQ(importa, "Codigo,Cantidad" + QString(13, ' ') + "(Sep: ,) coma");
}

TEST_F(Demo, StoredTemplatesAndTheirMenuEntry) {
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM V_CPTES_MODELO_CAB WHERE Nombre = 'reposicion local centro'"),
              "1");
    const auto lineas =
        Filas(d(), "select IdArticulo, IdUnidad from v_cptes_modelo_det where idvardelio = 1");
    ASSERT_EQ(lineas.size(), 4u);
    EXPECT_EQ(lineas[0][0].trimmed(), "1007") << "lines come back in the order saved";
    // Every line's article exists and its unit is the base one or has an equivalence.
    EXPECT_EQ(
        Valor(d(),
              "SELECT COUNT(*) FROM V_CPTES_MODELO_DET l LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = "
              "l.IdArticulo WHERE a.IDARTICULO IS NULL OR (l.IdUnidad <> a.IDUNIDAD AND NOT EXISTS (SELECT 1 "
              "FROM S_TA_EQUIV e WHERE e.IdArticulo = l.IdArticulo AND ((e.IDUNIDAD = l.IdUnidad AND "
              "e.IDUNIDAD_EQUIV = a.IDUNIDAD) OR (e.IDUNIDAD = a.IDUNIDAD AND e.IDUNIDAD_EQUIV = "
              "l.IdUnidad))))"),
        "0");
    // Template 1 is anchored: its menu entry under D8021 and the user's right to it.
    const auto hijos = Filas(d(), "SELECT * FROM TA_MENU WHERE   titulo ='D8021' ORDER BY CLAVE");
    ASSERT_EQ(hijos.size(), 1u);
    EXPECT_EQ(
        Valor(d(),
              "SELECT PROCESO FROM TA_MENU WHERE TITULO = 'D8021' AND NOMBRE = 'REPOSICION LOCAL CENTRO'"),
        "shell:V_MV_STOCK @PARAMETROADICIONAL= MODELO_REPOSICION LOCAL CENTRO");
    EXPECT_EQ(Valor(d(), "SELECT COUNT(*) FROM TA_TAREAS WHERE USUARIO = 'demo' AND SISTEMA = 'CN000PR' AND "
                         "TAREA = 'D802101'"),
              "1");
    EXPECT_EQ(Valor(d(), "SELECT AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1"), "1");
    EXPECT_EQ(Valor(d(), "SELECT AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2"), "0");
}

TEST(Estadisticas, HoldsTheSessionTimeOut) {
    Db db = AbreDb({"estadisticas.sql"});
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    EXPECT_EQ(Valor(db.get(), "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'TimeOut'"), "60");
    EXPECT_EQ(Valor(db.get(), "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"), "1");
}

} // namespace
