#include "TraductorSql.h"
#include "BaseEmbebida.h"
#include "SqliteMemoria.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString T(const QString& sql) {
    return TraduceSqlServerASqlite(sql);
}

// ---------------------------------------------------------------------------------------------------------
// Construct by construct, on the texts the system builds.

TEST(TraduceSqlServerASqlite, QuitaLasSugerenciasDeTablaConSusBlancos) {
    EXPECT_EQ(T("SELECT VALOR, valoraux FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'CFG'"),
              "SELECT VALOR, valoraux FROM TA_CONFIGURACION  WHERE CLAVE = 'CFG'");
    EXPECT_EQ(T("SELECT * FROM VT_TA_CPTE  with(nolock) WHERE SISTEMA = 'STOCK' ORDER BY DESCRIPCION"),
              "SELECT * FROM VT_TA_CPTE WHERE SISTEMA = 'STOCK' ORDER BY DESCRIPCION");
    EXPECT_EQ(T(" FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave "),
              " FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave ");
    EXPECT_EQ(T("SELECT * FROM MA_CUENTAS  with(nolock)   WHERE CODIGO LIKE '%11%'"),
              "SELECT * FROM MA_CUENTAS   WHERE CODIGO LIKE '%11%'");
    EXPECT_EQ(T("SELECT * FROM T WITH (NOLOCK) WHERE A = 1"), "SELECT * FROM T WHERE A = 1");
    EXPECT_EQ(T("select * from t With ( NoLock ) where a = 1"), "select * from t where a = 1");
    EXPECT_EQ(T("SELECT * FROM T (nolock) WHERE A = 1"), "SELECT * FROM T WHERE A = 1");
    EXPECT_EQ(T("SELECT * FROM T(NOLOCK)WHERE A = 1"), "SELECT * FROM T WHERE A = 1");
    EXPECT_EQ(T("SELECT * FROM [Mi Tabla] with(nolock)"), "SELECT * FROM [Mi Tabla]");
    EXPECT_EQ(T("SELECT * FROM (SELECT * FROM T with(nolock)) X"), "SELECT * FROM (SELECT * FROM T) X");
    EXPECT_EQ(T("SELECT * FROM T WITH (UPDLOCK, HOLDLOCK) WHERE A = 1"), "SELECT * FROM T WHERE A = 1");
    EXPECT_EQ(T("SELECT * FROM T with(rowlock,updlock)"), "SELECT * FROM T");
    // Not hints: a column list, a literal, a bracketed name.
    const QString intacta = "SELECT 'x with(nolock)' AS [y with(nolock)] FROM T WHERE A IN (nolock)";
    EXPECT_EQ(T(intacta), intacta);
}

TEST(TraduceSqlServerASqlite, TopPasaAUnLimitAlFinalDeSuConsulta) {
    EXPECT_EQ(T("select  top 1 * from AUX_ERR  with(nolock) "), "select  * from AUX_ERR LIMIT 1");
    EXPECT_EQ(T("SELECT TOP 1 * FROM V_CPTES_MODELO_CAB with(nolock) "),
              "SELECT * FROM V_CPTES_MODELO_CAB LIMIT 1");
    EXPECT_EQ(
        T("SELECT top 100 IDARTICULO,DESCRIPCION FROM V_MA_ARTICULOS  with(nolock)  where SUSPENDIDO = 0 AND "
          "IdArticulo LIKE 'A%' "),
        "SELECT IDARTICULO,DESCRIPCION FROM V_MA_ARTICULOS  where SUSPENDIDO = 0 AND IdArticulo LIKE 'A%' "
        "LIMIT 100");
    EXPECT_EQ(T("SELECT top 50 * FROM VT_CLIENTES  with(nolock) "), "SELECT * FROM VT_CLIENTES LIMIT 50");
    EXPECT_EQ(T("SELECT TOP 3 ID FROM T ORDER BY ID DESC;"), "SELECT ID FROM T ORDER BY ID DESC LIMIT 3;");
    EXPECT_EQ(T("SELECT DISTINCT TOP 5 TC FROM T"), "SELECT DISTINCT TC FROM T LIMIT 5");
    EXPECT_EQ(T("SELECT * FROM T WHERE ID IN (SELECT TOP (2) ID FROM U ORDER BY ID) ORDER BY ID"),
              "SELECT * FROM T WHERE ID IN (SELECT ID FROM U ORDER BY ID LIMIT 2) ORDER BY ID");
    EXPECT_EQ(T("SELECT top FROM T"), "SELECT top FROM T");
}

TEST(TraduceSqlServerASqlite, FuncionesDelServidor) {
    EXPECT_EQ(T("SELECT *,IDUNIDAD AS UDBASE , ISNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE "
                "CODIGOBARRADUN = '779'"),
              "SELECT *,IDUNIDAD AS UDBASE , IFNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE "
              "CODIGOBARRADUN = '779'");
    EXPECT_EQ(T("isnull(MA_POSICIONES.idunidad,0) as idunidad,isnull(MA_POSICIONES.CAPACIDAD,0)as capacidad"),
              "IFNULL(MA_POSICIONES.idunidad,0) as idunidad,IFNULL(MA_POSICIONES.CAPACIDAD,0)as capacidad");
    EXPECT_EQ(T("SELECT (ISNULL(SALDO,0)) AS SALDO FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO='   1'"),
              "SELECT (IFNULL(SALDO,0)) AS SALDO FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO='   1'");
    EXPECT_EQ(T("SELECT ISNULL (A, B) FROM T WHERE C IS NULL"),
              "SELECT IFNULL (A, B) FROM T WHERE C IS NULL");
    EXPECT_EQ(T("select  getDate() as fecha"), "select  DATETIME('now','localtime') as fecha");
    EXPECT_EQ(T("SELECT GETDATE ( )"), "SELECT DATETIME('now','localtime')");
    EXPECT_EQ(
        T("SELECT LEFT(IDCOMPROBANTE, 4), RIGHT(IDCOMPROBANTE,1), LEN(TC) FROM T LEFT OUTER JOIN U ON T.A = "
          "U.A LEFT JOIN (SELECT 1 AS A) V ON 1=1"),
        "SELECT IZQUIERDA(IDCOMPROBANTE, 4), DERECHA(IDCOMPROBANTE,1), LEN(TC) FROM T LEFT OUTER JOIN U ON "
        "T.A = U.A LEFT JOIN (SELECT 1 AS A) V ON 1=1");
}

TEST(TraduceSqlServerASqlite, SubstringYRecortesComparanConLaColacion) {
    EXPECT_EQ(
        T("SELECT MAX(NroLote) AS Maximo From v_mv_stock WHERE (SUBSTRING(NroLote, 1, 1) = ' ') "),
        "SELECT MAX(NroLote) AS Maximo From v_mv_stock WHERE (SUBSTR(NroLote, 1, 1) = ' ' COLLATE TEXTO) ");
    EXPECT_EQ(
        T("SELECT MAX(idcomprobante) AS ULTIMO From V_MV_STOCK WHERE TC = 'FC  ' AND "
          "SUBSTRING(IDCOMPROBANTE,1,4)= '0001' AND SUBSTRING(IDCOMPROBANTE,13,1) = 'A'"),
        "SELECT MAX(idcomprobante) AS ULTIMO From V_MV_STOCK WHERE TC = 'FC  ' AND "
        "SUBSTR(IDCOMPROBANTE,1,4)= '0001' COLLATE TEXTO AND SUBSTR(IDCOMPROBANTE,13,1) = 'A' COLLATE TEXTO");
    EXPECT_EQ(T(" select * from stk_despachos where ltrim(rtrim(NroLote)) = 'L-001 '"),
              " select * from stk_despachos where ltrim(rtrim(NroLote)) = 'L-001 ' COLLATE TEXTO");
    EXPECT_EQ(T("SELECT * FROM MA_CUENTAS  with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1101'"),
              "SELECT * FROM MA_CUENTAS  WHERE LTRIM(RTRIM(CODIGO)) ='1101' COLLATE TEXTO");
    EXPECT_EQ(T("SELECT * FROM MA_CUENTAS WHERE LTRIM(CODIGO)='1101'AND Nivel = 2"),
              "SELECT * FROM MA_CUENTAS WHERE LTRIM(CODIGO)='1101' COLLATE TEXTO AND Nivel = 2");
}

TEST(TraduceSqlServerASqlite, PrefijosUnicodeEsquemaYAdministracion) {
    EXPECT_EQ(T(" WHERE     (dbo.V_MV_Stock.TC = N'RM') AND (dbo.V_MV_Stock.IDVIAJE = N'TTE') AND "
                "(dbo.V_MV_Stock.Revisado = 0) AND (dbo.MV_APLICACION.TC = N'FC' OR dbo.MV_APLICACION.TC = "
                "N'TKFC' OR "
                "dbo.MV_APLICACION.TC = N'TK') "),
              " WHERE     (V_MV_Stock.TC = 'RM') AND (V_MV_Stock.IDVIAJE = 'TTE') AND (V_MV_Stock.Revisado = "
              "0) AND "
              "(MV_APLICACION.TC = 'FC' OR MV_APLICACION.TC = 'TKFC' OR MV_APLICACION.TC = 'TK') ");
    EXPECT_EQ(T(" FROM         dbo.V_MV_Stock LEFT OUTER JOIN"), " FROM         V_MV_Stock LEFT OUTER JOIN");
    EXPECT_EQ(T("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('  1','CAJA 1')"),
              "INSERT INTO V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('  1','CAJA 1')");
    EXPECT_EQ(T("Select * from @admin_v_ta_deposito  with(nolock)  where UNIDADNEGOCIO = '   1'"),
              "Select * from v_ta_deposito  where UNIDADNEGOCIO = '   1'");
    EXPECT_EQ(T("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS WITH(NOLOCK) WHERE "
                "MES_OPERATIVO = 5"),
              "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM MV_ASIENTOS WHERE MES_OPERATIVO = 5");
    // A column whose name ends in N before a literal keeps its N.
    EXPECT_EQ(T("SELECT * FROM T WHERE ORIGEN='RN' AND N'x' = NOMBRE_N"),
              "SELECT * FROM T WHERE ORIGEN='RN' AND 'x' = NOMBRE_N");
    const QString intacta = "SELECT '@ADMIN_X', [@ADMIN_Y], \"dbo.Z\", @@TRANCOUNT FROM T";
    EXPECT_EQ(T(intacta), intacta);
}

// On SQL Server the administration database's name is always one delimited name, whatever the
// connection data hold; each table goes to the database that has it.
TEST(ResuelveAdminSqlServer, LaBaseEsUnSoloNombreYCadaTablaLaDeQuienLaTiene) {
    const QString sql = "SELECT * FROM @ADMIN_V_TA_Deposito D, @admin_MV_ASIENTOS A WHERE D.X = '@ADMIN_Y'";
    for (const auto& [dato, nombre] : {std::pair{" [Gestión Admin] ", "[Gestión Admin]"},
                                       {"[Admin", "[[Admin]"},
                                       {"[a]]b]", "[a]]]]b]"},
                                       {"[x].dbo.T; DROP --", "[[x]].dbo.T; DROP --]"},
                                       {"[[x]]", "[[x]]]"}})
        EXPECT_EQ(ResuelveAdminSqlServer(sql, NombreBaseAdministracion(dato)),
                  QString("SELECT * FROM %1.dbo.V_TA_Deposito D, %1.dbo.MV_ASIENTOS A WHERE D.X = '@ADMIN_Y'")
                      .arg(nombre));
    const auto soloDepositos = [](const QString& tabla) { return tabla.toUpper() == "V_TA_DEPOSITO"; };
    EXPECT_EQ(ResuelveAdminSqlServer(sql, "ADM", soloDepositos),
              "SELECT * FROM [ADM].dbo.V_TA_Deposito D, MV_ASIENTOS A WHERE D.X = '@ADMIN_Y'");
}

TEST(TraduceSqlServerASqlite, DeleteSinFromRecibeFrom) {
    EXPECT_EQ(
        T("DELETE V_MV_CTROL_CPTE WHERE TC = 'FC  ' AND SUCURSAL = '0001' AND NUMERO = '00000012' AND LETRA "
          "= 'A'"),
        "DELETE FROM V_MV_CTROL_CPTE WHERE TC = 'FC  ' AND SUCURSAL = '0001' AND NUMERO = '00000012' AND "
        "LETRA = 'A'");
    EXPECT_EQ(T("DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 3"),
              "DELETE FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 3");
    EXPECT_EQ(T(" delete ta_menu where clave = 'D8021'"), " delete FROM ta_menu where clave = 'D8021'");
    EXPECT_EQ(T("DELETE @ADMIN_X WHERE A = 1"), "DELETE FROM X WHERE A = 1");
    for (const QString intacta :
         {"DELETE FROM T WHERE A = 1", "CREATE TABLE H (P INTEGER REFERENCES T(ID) ON DELETE CASCADE)",
          "CREATE TRIGGER G AFTER DELETE ON T BEGIN SELECT 1; END"})
        EXPECT_EQ(T(intacta), intacta);
}

TEST(TraduceSqlServerASqlite, MasEntreColumnasYTextosPasaAUnaFuncion) {
    EXPECT_EQ(
        T("SELECT  Nombre, Domicilio, Cliente + Codigo + Sucursal AS Id From ma_destinatarios "),
        "SELECT  Nombre, Domicilio, CONCATENA_O_SUMA(Cliente,Codigo,Sucursal) AS Id From ma_destinatarios ");
    EXPECT_EQ(
        T("SELECT  Nombre, Domicilio, Cliente + Codigo + Sucursal AS Id From ma_destinatarios WHERE Nombre "
          "LIKE "
          "'%pe%'  "),
        "SELECT  Nombre, Domicilio, CONCATENA_O_SUMA(Cliente,Codigo,Sucursal) AS Id From ma_destinatarios "
        "WHERE Nombre LIKE '%pe%'  ");
    EXPECT_EQ(T("SELECT N'N' + dbo.T.Codigo+[Su cursal] FROM T"),
              "SELECT CONCATENA_O_SUMA('N',T.Codigo,[Su cursal]) FROM T");
    EXPECT_EQ(
        T("SELECT * FROM ma_destinatarios WHERE Cliente + Codigo = '00012001 '"),
        "SELECT * FROM ma_destinatarios WHERE CONCATENA_O_SUMA(Cliente,Codigo) = '00012001 ' COLLATE TEXTO");
    // Numeric literals, function calls and tighter operators keep SQLite's "+".
    for (const QString intacta :
         {"UPDATE MV_ASIENTOS SET IMPORTE = IMPORTE + 12.5 WHERE TC = 'FC'", "UPDATE T SET A = A + -3",
          "SELECT A * B + C FROM T", "SELECT X - A + B FROM T", "SELECT A + B * C FROM T",
          "SELECT F(A) + B FROM T", "SELECT A + F(B) FROM T", "SELECT A + B || C FROM T"})
        EXPECT_EQ(T(intacta), intacta);
}

TEST(TraduceSqlServerASqlite, LiteralesDeFechaPasanAIsoComoValorDeUnaColumnaDeFecha) {
    // Assignments and comparisons, on either side, with qualified and bracketed names.
    EXPECT_EQ(T("UPDATE CONTROL_ACCESO  SET EGRESO = '05/01/24 14:30' WHERE EGRESO IS NULL AND  ID = 7"),
              "UPDATE CONTROL_ACCESO  SET EGRESO = '2024-01-05 14:30:00' WHERE EGRESO IS NULL AND  ID = 7");
    EXPECT_EQ(T(" and fecha >= '05/01/2024' "), " and fecha >= '2024-01-05 00:00:00' ");
    EXPECT_EQ(T(" UPDATE c_mv_cpte set FechaRecepcion='5/1/2024' where TC='OC  '"),
              " UPDATE c_mv_cpte set FechaRecepcion='2024-01-05 00:00:00' where TC='OC  '");
    EXPECT_EQ(
        T("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 43, FechaHora_Modificacion = '05/01/24 14:30', DESCRIPCION = "
          "'05/01/24' WHERE CODIGO = '  TR'"),
        "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 43, FechaHora_Modificacion = '2024-01-05 14:30:00', "
        "DESCRIPCION = '05/01/24' WHERE CODIGO = '  TR'");
    EXPECT_EQ(
        T("SELECT * FROM dbo.V_MV_Stock S WHERE '05/01/2024' <= dbo.V_MV_Stock.FECHA AND S.[Fecha Alta] "
          "<> N'06/01/2024' AND S.[Obs]='06/01/2024'"),
        "SELECT * FROM V_MV_Stock S WHERE '2024-01-05 00:00:00' <= V_MV_Stock.FECHA AND S.[Fecha Alta] "
        "<> '2024-01-06 00:00:00' AND S.[Obs]='06/01/2024'");
    EXPECT_EQ(T("SELECT TC FROM V_MV_STOCK GROUP BY TC HAVING MAX(V_MV_STOCK.Fecha) >= '01/01/24' AND "
                "MIN(IdArticulo) > '01/01/24'"),
              "SELECT TC FROM V_MV_STOCK GROUP BY TC HAVING MAX(V_MV_STOCK.Fecha) >= '2024-01-01 00:00:00' "
              "COLLATE TEXTO AND MIN(IdArticulo) > '01/01/24' COLLATE TEXTO");
    // BETWEEN and IN, negated too.
    EXPECT_EQ(
        T("SELECT ID FROM T WHERE FECHA BETWEEN '01/01/24' AND '31/01/24 23:59' AND Ingreso NOT IN "
          "('02/01/24', N'03/01/24') AND VenceA NOT BETWEEN '1/1/2024' AND '2/1/2024' AND NroLote IN "
          "('02/01/24') AND NroLote BETWEEN '01/01/24' AND '31/01/24'"),
        "SELECT ID FROM T WHERE FECHA BETWEEN '2024-01-01 00:00:00' AND '2024-01-31 23:59:00' AND Ingreso "
        "NOT IN ('2024-01-02 00:00:00', '2024-01-03 00:00:00') AND VenceA NOT BETWEEN '2024-01-01 "
        "00:00:00' AND '2024-01-02 00:00:00' AND NroLote IN ('02/01/24') AND NroLote BETWEEN '01/01/24' "
        "AND '31/01/24'");
    // INSERT pairs values with its columns by position: several rows, nested commas, INSERT ... SELECT.
    EXPECT_EQ(
        T("INSERT INTO V_MV_STOCK(TC,Fecha,Descripcion,[FechaHora_Grabacion],NroLote) VALUES ('FC  "
          "','01/02/03','01/02/03',N'01/02/03 10:00',ISNULL(NULL,'01/02/03')),('FC  ','1/2/24','1/2/24',"
          "'1/2/24 9:05','1/2/24')"),
        "INSERT INTO V_MV_STOCK(TC,Fecha,Descripcion,[FechaHora_Grabacion],NroLote) VALUES ('FC  "
        "','2003-02-01 00:00:00','01/02/03','2003-02-01 10:00:00',IFNULL(NULL,'01/02/03')),('FC  "
        "','2024-02-01 00:00:00','1/2/24','2024-02-01 09:05:00','1/2/24')");
    EXPECT_EQ(
        T("INSERT INTO AUX_ERR (Proceso, Fecha) SELECT '01/02/03', '01/02/03' WHERE NOT EXISTS (SELECT * "
          "FROM AUX_ERR WHERE Proceso = '01/02/03') UNION ALL SELECT 'x', '1/2/24' AS f"),
        "INSERT INTO AUX_ERR (Proceso, Fecha) SELECT '01/02/03', '2003-02-01 00:00:00' WHERE NOT EXISTS "
        "(SELECT * FROM AUX_ERR WHERE Proceso = '01/02/03') UNION ALL SELECT 'x', '2024-02-01 00:00:00' AS "
        "f");
    EXPECT_EQ(T("INSERT INTO V_MV_CPTEACCIONES (FECHAHORA) VALUES (N'31/12/99 23:59')"),
              "INSERT INTO V_MV_CPTEACCIONES (FECHAHORA) VALUES ('1999-12-31 23:59:00')");
    // Markers of a template convert their bound value in the same places.
    EXPECT_EQ(T("INSERT INTO T (Nombre, Fecha, Egreso) VALUES (?,?, ?)"),
              "INSERT INTO T (Nombre, Fecha, Egreso) VALUES (?,FECHA_ISO(?), FECHA_ISO(?))");
    // Statements of a script start over.
    EXPECT_EQ(
        T("INSERT INTO T (Fecha, Nombre) VALUES ('1/2/24', '1/2/24'); INSERT INTO T (Nombre, Fecha) "
          "VALUES ('1/2/24', '1/2/24')"),
        "INSERT INTO T (Fecha, Nombre) VALUES ('2024-02-01 00:00:00', '1/2/24'); INSERT INTO T (Nombre, "
        "Fecha) VALUES ('1/2/24', '2024-02-01 00:00:00')");
}

TEST(TraduceSqlServerASqlite, TextosConFormaDeFechaFueraDeColumnasDeFechaNoCambian) {
    for (const char* intacta : {
             // A template's name, a setting's value, a lot: texts that only look like dates.
             "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, Nombre) VALUES (1, '01/02/03')",
             "UPDATE TA_CONFIGURACION SET Valor = '31/12/2025' WHERE Clave = '31/12/2025' OR Valor IN "
             "('31/12/2025') OR ValorAux BETWEEN '01/01/25' AND '31/12/25'",
             "SELECT * FROM T WHERE '01/02/03' = NroLote OR NroLote = '01/02/03' OR Fecha = Hora OR '1/2/24' "
             "= "
             "Nombre",
             // Nothing says which column a value is for.
             "INSERT INTO T VALUES ('01/02/03')",
             "INSERT INTO T (Fecha, Nombre) SELECT Fecha, '01/02/03' FROM U",
             "SELECT '01/02/03' AS Fecha, Nombre FROM T WHERE Fecha IN (SELECT '01/02/03')",
             "SELECT * FROM T WHERE Fecha = '01/02/03' || 'x' OR Fecha = 'x' || '01/02/03'",
             "SELECT * FROM T WHERE Fecha = UPPER('01/02/03')",
             // Only a literal that is wholly a valid date changes.
             "SELECT * FROM T WHERE FECHA = 'Remito 05/01/24' AND FECHA = '31/02/2024' AND FECHA = '1/2/3' "
             "AND "
             "FECHA = '05/01/24 24:00' AND FECHA = 'it''s 05/01/24' AND FECHA = '2024-01-05'",
         })
        EXPECT_EQ(T(intacta), intacta);
}

TEST(EsColumnaFecha, NombresDeLasColumnasDeFecha) {
    for (const char16_t* fecha :
         {u"Fecha", u"FECHA", u"fecharecepcion", u"FechaHora_Modificacion", u"FECHAHORA", u"FechaREALFin",
          u"FECHAENVIADO", u"FHEMISION", u"FhEntrega", u"Ingreso", u"EGRESO", u"VenceA", u"vencex",
          u"Vencimiento", u"VENCIMIENTOLOTE"})
        EXPECT_TRUE(EsColumnaFecha(fecha)) << QString::fromUtf16(fecha).toStdString();
    for (const char16_t* otra : {u"Valor", u"Nombre", u"OrdenIngreso", u"IngresoBruto", u"Vence", u"VenceAB",
                                 u"Vence1", u"Horas", u"NroLote", u"", u"FECH", u"F"})
        EXPECT_FALSE(EsColumnaFecha(otra)) << QString::fromUtf16(otra).toStdString();
}

TEST(TraduceSqlServerASqlite, NoTocaLiteralesNiComentarios) {
    const QString intacta =
        "SELECT 'select top 1 isnull(a,b) from dbo.t with(nolock) where x = N''y'' + z' AS "
        "[dbo.x with(nolock)], \"@ADMIN_y\" FROM t -- delete t with(nolock) top 1";
    EXPECT_EQ(T(intacta), intacta);
    const QString normal = "INSERT INTO V_MV_STOCK(TC,IdComprobante,CANTIDAD) VALUES ('FC  ','0001',-1.5e3)";
    EXPECT_EQ(T(normal), normal);
    EXPECT_EQ(T(""), "");
    // An unterminated literal is copied to the end as it stands.
    EXPECT_EQ(T("SELECT 'abc with(nolock)"), "SELECT 'abc with(nolock)");
}

TEST(TraduceSqlServerASqlite, NadaEntraNiSaleDeUnComentario) {
    EXPECT_EQ(T("SELECT TOP 1 ID FROM T -- note"), "SELECT ID FROM T LIMIT 1 -- note");
    EXPECT_EQ(T("SELECT TOP 1 ID FROM T /* it's */  "), "SELECT ID FROM T LIMIT 1 /* it's */  ");
    EXPECT_EQ(T("SELECT TOP 1 ID FROM T ; -- note"), "SELECT ID FROM T LIMIT 1 ; -- note");
    EXPECT_EQ(T("SELECT TOP 1 ID FROM T -- top 2\n;"), "SELECT ID FROM T LIMIT 1 -- top 2\n;");
    EXPECT_EQ(T("SELECT * FROM T -- note\r\n with(nolock) WHERE A = 1"),
              "SELECT * FROM T -- note\r\n  WHERE A = 1");
    EXPECT_EQ(T("SELECT * FROM T /* c */with(nolock)WHERE A = 1"), "SELECT * FROM T /* c */ WHERE A = 1");
    EXPECT_EQ(T("SELECT * FROM T -- c\n(nolock) WHERE A = 1"), "SELECT * FROM T -- c\n WHERE A = 1");
    EXPECT_EQ(T("SELECT A FROM T WHERE B IN (SELECT TOP 1 B FROM U -- last\n) -- end"),
              "SELECT A FROM T WHERE B IN (SELECT B FROM U -- last\n LIMIT 1) -- end");
}

TEST(FechaLiteralAIso, FormasAdmitidas) {
    EXPECT_EQ(FechaLiteralAIso(u"05/01/24 14:30:15"), "2024-01-05 14:30:15");
    EXPECT_EQ(FechaLiteralAIso(u"5/1/24 9:05"), "2024-01-05 09:05:00");
    EXPECT_EQ(FechaLiteralAIso(u"29/02/2024"), "2024-02-29 00:00:00");
    EXPECT_EQ(FechaLiteralAIso(u"01/01/49"), "2049-01-01 00:00:00");
    EXPECT_EQ(FechaLiteralAIso(u"01/01/50"), "1950-01-01 00:00:00");
    for (const char16_t* mala :
         {u"29/02/2023", u"05/13/2024", u"00/01/2024", u"05/01/24 24:00", u"05/01/24 14:60", u"05/01/24 14:3",
          u"05/01/2024x", u"5/1/202", u"05-01-2024", u"2024-01-05", u" 05/01/2024", u"05/01/2024 ", u"1/2/3",
          u"", u"05/01/24 14:30:61"})
        EXPECT_FALSE(FechaLiteralAIso(mala).has_value()) << QString::fromUtf16(mala).toStdString();
}

// ---------------------------------------------------------------------------------------------------------
// Statements the data-access layer recognises itself.

TEST(DivideTanda, SeparaEnSaltosDeLineaFueraDeLosLiterales) {
    const QString tanda = "BEGIN TRANSACTION \r\r\r\n\rDELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 3\r"
                          "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 3\r"
                          "INSERT INTO T VALUES ('a\rb', 'it''s\nok')\r";
    EXPECT_EQ(DivideTanda(tanda),
              (QStringList{"BEGIN TRANSACTION ", "DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 3",
                           "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 3",
                           "INSERT INTO T VALUES ('a\rb', 'it''s\nok')"}));
    EXPECT_EQ(DivideTanda("INSERT INTO X VALUES (1)\r\n UPDATE Y SET A = 1\nSELECT 2"),
              (QStringList{"INSERT INTO X VALUES (1)", " UPDATE Y SET A = 1", "SELECT 2"}));
    EXPECT_EQ(DivideTanda(""), QStringList{});
    EXPECT_EQ(DivideTanda("  \r\n \t \n"), QStringList{});
    EXPECT_EQ(DivideTanda("SELECT 'a\rb"), QStringList{"SELECT 'a\rb"});
}

TEST(DivideTanda, LosComentariosNoAbrenLiteralesNiSeCortan) {
    EXPECT_EQ(DivideTanda("UPDATE T SET A = 1 -- it's\rUPDATE T SET B = 'x'\r-- only a comment\r"),
              (QStringList{"UPDATE T SET A = 1 -- it's", "UPDATE T SET B = 'x'"}));
    EXPECT_EQ(DivideTanda("SELECT 1 /* one\r it's\n */ + 1\r\n  /* none */  \rSELECT '--', '/*'\rSELECT 3"),
              (QStringList{"SELECT 1 /* one\r it's\n */ + 1", "SELECT '--', '/*'", "SELECT 3"}));
    EXPECT_EQ(DivideTanda("SELECT 1 /* open to the end\rSELECT 2"),
              QStringList{"SELECT 1 /* open to the end\rSELECT 2"});
}

// Block comments nest as the server nests them; a delimited name is one token, as a literal is.
TEST(DivideTanda, LosComentariosSeAnidanComoEnElServidor) {
    EXPECT_EQ(DivideTanda("/* a /* b */\rDELETE FROM T -- */\rSELECT 1"), QStringList{"SELECT 1"});
    EXPECT_EQ(
        DivideTanda("SELECT 1 /* a /* b */ */\rSELECT 2 /*/ c */\rSELECT [x\r/*]\rSELECT \"it's\""),
        (QStringList{"SELECT 1 /* a /* b */ */", "SELECT 2 /*/ c */", "SELECT [x\r/*]", "SELECT \"it's\""}));
}

TEST(ComentariosEnSqlite, SoloLoQueSqliteLeeriaDeOtraManera) {
    for (const char* igual : {"SELECT 1", "SELECT 1 /* a */ + 2 /*/ b */ -- /* c",
                              "SELECT '/*', [/*], \"/*\"", "SELECT 1 /**/ /* **/", "SELECT 1 -- /* a\r+ 2"})
        EXPECT_EQ(ComentariosEnSqlite(igual), Comentarios::Igual) << igual;
    for (const char* anidado : {"SELECT 1 /* /* */ */", "SELECT 1 /*/* */ */", "SELECT 1 /* a /*/ */ */"})
        EXPECT_EQ(ComentariosEnSqlite(anidado), Comentarios::Anidado) << anidado;
    for (const char* abierto : {"SELECT 1 /* a", "SELECT 1 /* /* */", "SELECT 1 /* a */ /* b /* c */ */ /*"})
        EXPECT_EQ(ComentariosEnSqlite(abierto), Comentarios::Abierto) << abierto;
}

TEST(SeparaSiExiste, SeparaConsultaYSentencia) {
    auto s = SeparaSiExiste("if exists(select * from c_mv_cpte  with(nolock)  where TC='OC  ' and "
                            "IDCOMPROBANTE='000100000012A' and fecharecepcion is null)  UPDATE c_mv_cpte set "
                            "FechaRecepcion='05/01/2024' where TC='OC  ' and IDCOMPROBANTE='000100000012A'");
    ASSERT_TRUE(s.has_value());
    EXPECT_FALSE(s->negado);
    EXPECT_EQ(s->consulta,
              "select * from c_mv_cpte  with(nolock)  where TC='OC  ' and IDCOMPROBANTE='000100000012A' "
              "and fecharecepcion is null");
    EXPECT_EQ(s->sentencia, "UPDATE c_mv_cpte set FechaRecepcion='05/01/2024' where TC='OC  ' and "
                            "IDCOMPROBANTE='000100000012A'");

    s = SeparaSiExiste(
        "if not exists(select * from ta_menu where clave = 'D8021') INSERT INTO TA_MENU "
        "(MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO)  VALUES('KOLM','D80','D8021' ,'Pedidos "
        "(copia)','Stock','',1)");
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->negado);
    EXPECT_EQ(s->consulta, "select * from ta_menu where clave = 'D8021'");
    EXPECT_EQ(s->sentencia, "INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO)  "
                            "VALUES('KOLM','D80','D8021' ,'Pedidos (copia)','Stock','',1)");

    s = SeparaSiExiste(" IF  NOT   EXISTS ( SELECT 1 FROM T WHERE A = ')' AND (B = 1) ) DELETE T ");
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->negado);
    EXPECT_EQ(s->consulta, "SELECT 1 FROM T WHERE A = ')' AND (B = 1)");
    EXPECT_EQ(s->sentencia, "DELETE T");

    s = SeparaSiExiste("if exists(select 1 from T /* ) it's */ where A = 1 -- )'\n) DELETE T");
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->consulta, "select 1 from T /* ) it's */ where A = 1 -- )'");
    EXPECT_EQ(s->sentencia, "DELETE T");

    for (const QString otra : {"SELECT * FROM T", "if exists select 1", "if exists(select 1",
                               "ifexists(select 1) x", "IF NOTEXISTS(select 1) x", "exists(select 1) x", ""})
        EXPECT_FALSE(SeparaSiExiste(otra).has_value()) << otra.toStdString();
}

TEST(MensajeRaiserror, LeeElMensajeComoLoDiceElServidor) {
    EXPECT_EQ(MensajeRaiserror("RAISERROR('El lote 42 ya fue asignado', 16, 1)"),
              "El lote 42 ya fue asignado");
    EXPECT_EQ(MensajeRaiserror(" raiserror ( N'Don''t: 100%% ' ,16,1 ) ; "), "Don't: 100% ");
    for (const QString otra : {"RAISERROR 'x', 16, 1", "RAISERROR('x', 16, 1", "RAISERROR('x) 16, 1",
                               "RAISERROR('x', 16, 1) DELETE T", "RAISERROR(@m, 16, 1)", "SELECT 'x'", ""})
        EXPECT_FALSE(MensajeRaiserror(otra).has_value()) << otra.toStdString();
}

TEST(EsSentenciaTransaccion, ReconoceLasFormasDelServidor) {
    EXPECT_EQ(EsSentenciaTransaccion("BEGIN TRANSACTION "), Transaccion::Inicia);
    EXPECT_EQ(EsSentenciaTransaccion("begin tran"), Transaccion::Inicia);
    EXPECT_EQ(EsSentenciaTransaccion("BEGIN TRANSACTION \r\r\r\n"), Transaccion::Inicia);
    EXPECT_EQ(EsSentenciaTransaccion("COMMIT TRANSACTION"), Transaccion::Confirma);
    EXPECT_EQ(EsSentenciaTransaccion("commit"), Transaccion::Confirma);
    EXPECT_EQ(EsSentenciaTransaccion("Commit Tran;"), Transaccion::Confirma);
    EXPECT_EQ(EsSentenciaTransaccion("ROLLBACK TRANSACTION"), Transaccion::Revierte);
    EXPECT_EQ(EsSentenciaTransaccion("  rollback  "), Transaccion::Revierte);
    EXPECT_EQ(EsSentenciaTransaccion("COMMIT WORK"), Transaccion::Confirma);
    EXPECT_EQ(EsSentenciaTransaccion("rollback work;"), Transaccion::Revierte);
    for (const QString otra : {"BEGIN", "BEGIN TRANSACTIONS", "BEGIN TRY", "COMMITTED", "SELECT 1", "",
                               "/* ROLLBACK */ SELECT 1", "-- COMMIT", "UPDATE T SET A = 'COMMIT'"})
        EXPECT_EQ(EsSentenciaTransaccion(otra), Transaccion::Ninguna) << otra.toStdString();
}

// A savepoint's name as the server reads it; a variable or a number is none the layer can keep.
TEST(EsSentenciaTransaccion, PuntosDeGuardadoConSuNombre) {
    QString nombre;
    EXPECT_EQ(EsSentenciaTransaccion(" save tran FilaPosteo ; ", &nombre), Transaccion::Guarda);
    EXPECT_EQ(nombre, "FilaPosteo");
    EXPECT_EQ(EsSentenciaTransaccion("ROLLBACK TRANSACTION [a]]b c]", &nombre),
              Transaccion::RevierteAGuardado);
    EXPECT_EQ(nombre, "a]b c");
    EXPECT_EQ(EsSentenciaTransaccion("ROLLBACK TRANSACTION ;"), Transaccion::Revierte);
}

// Comments anywhere (a block comment nests, as on the server), delimited names and the
// transaction's own name read as the server reads them; a name keeps its case and its length,
// which the data layer checks.
TEST(EsSentenciaTransaccion, ComentariosYNombresComoLosLeeElServidor) {
    const QString largo(40, u'n');
    struct Caso {
        QString sql;
        Transaccion tipo;
        QString nombre;
    };
    for (const Caso& c : std::initializer_list<Caso>{
             {"ROLLBACK TRANSACTION fila -- y un comentario", Transaccion::RevierteAGuardado, "fila"},
             {"/* c */ ROLLBACK TRANSACTION fila", Transaccion::RevierteAGuardado, "fila"},
             {"rollback/* a /* anidado */ b */tran\n[fila  ] ;-- fin", Transaccion::RevierteAGuardado,
              "fila"},
             {"SAVE TRANSACTION a -- comentario", Transaccion::Guarda, "a"},
             {"SAVE TRAN \"Fi\"\"La\"", Transaccion::Guarda, "Fi\"La"},
             {"SAVE TRAN " + largo, Transaccion::Guarda, largo},
             {"-- arriba\nBEGIN TRAN Alta WITH MARK N'la ''marca'''", Transaccion::Inicia, "Alta"},
             {"BEGIN TRANSACTION [x y]", Transaccion::Inicia, "x y"},
             {"COMMIT TRAN Alta", Transaccion::Confirma, "Alta"},
             {"COMMIT TRANSACTION @t", Transaccion::Confirma, ""},
             {"ROLLBACK /* todo */", Transaccion::Revierte, ""}}) {
        QString nombre = "previo";
        EXPECT_EQ(EsSentenciaTransaccion(c.sql, &nombre), c.tipo) << c.sql.toStdString();
        EXPECT_EQ(nombre, c.nombre) << c.sql.toStdString();
    }
}

// What begins as a transaction statement and cannot be read whole is told apart, with where the
// reading stopped, so that it is never run as some other statement.
TEST(EsSentenciaTransaccion, LoQueNoSeLeeEnteroEsIlegible) {
    for (const auto& [sql, cerca] : std::initializer_list<std::pair<QString, QString>>{
             {"ROLLBACK TRANSACTION fila x", "x"},
             {"SAVE TRANSACTION", "TRANSACTION"},
             {"SAVE TRAN @p", "@p"},
             {"ROLLBACK TRAN @p", "@p"},
             {"ROLLBACK TRAN 1a", "1a"},
             {"SAVE TRANSACTION [a", "["},
             {"SAVE TRAN []", "["},
             {"SAVE a", "a"},
             {"SAVE WORK", "WORK"},
             {"ROLLBACK TRAN a; DELETE T", "DELETE"},
             {"ROLLBACK TRANSACTION; DELETE T", "DELETE"},
             {"ROLLBACK TRANSACTION fila /* sin cerrar", "fila"},
             {"COMMIT WITH (DELAYED_DURABILITY = ON)", "WITH"},
             {"BEGIN TRAN INSERT INTO T VALUES (1)", "INSERT"},
             {"BEGIN TRAN t WITH MARK 'sin cerrar", "'"},
             {"BEGIN DISTRIBUTED TRANSACTION", "TRANSACTION"},
             {"COMMIT x", "x"}}) {
        QString leida;
        QString nombre = "previo";
        EXPECT_EQ(EsSentenciaTransaccion(sql, &nombre, &leida), Transaccion::Ilegible) << sql.toStdString();
        EXPECT_EQ(leida, cerca) << sql.toStdString();
        EXPECT_EQ(nombre, "previo") << sql.toStdString();
    }
}

TEST(EsConsultaTrancount, ConAliasOSinEl) {
    for (const QString si :
         {"SELECT @@TRANCOUNT", "select   @@trancount  ", "SELECT @@TRANCOUNT AS N",
          "SELECT @@TRANCOUNT Nivel;", "SELECT @@TRANCOUNT AS [Nivel]", "SELECT @@TRANCOUNT 'n'"})
        EXPECT_TRUE(EsConsultaTrancount(si)) << si.toStdString();
    for (const QString no : {"SELECT @@TRANCOUNT + 1", "SELECT @@TRANCOUNTS", "SELECT @@TRANCOUNT AS",
                             "SELECT @@TRANCOUNT FROM T", "SELECT 1", ""})
        EXPECT_FALSE(EsConsultaTrancount(no)) << no.toStdString();
}

// ---------------------------------------------------------------------------------------------------------
// Translated statements run on the embedded database and give the server's rows.

class TraduccionEjecutada : public ::testing::Test {
protected:
    void SetUp() override {
        const char* esquema[] = {
            "CREATE TABLE AUX_ERR (ID INTEGER PRIMARY KEY, Proceso TEXT COLLATE TEXTO)",
            "CREATE TABLE V_MV_Stock (TC TEXT COLLATE TEXTO, IDCOMPROBANTE TEXT COLLATE TEXTO, IDVIAJE TEXT "
            "COLLATE "
            "TEXTO, Revisado INTEGER, FECHA TEXT COLLATE TEXTO, NroLote TEXT COLLATE TEXTO)",
            "CREATE TABLE MV_APLICACION (TC TEXT COLLATE TEXTO, IDCOMPROBANTE TEXT COLLATE TEXTO)",
            "CREATE TABLE V_MA_ARTICULOS (IDARTICULO TEXT COLLATE TEXTO, IDUNIDAD TEXT COLLATE TEXTO, UD_TTE "
            "TEXT "
            "COLLATE TEXTO, CODIGOBARRADUN TEXT COLLATE TEXTO)",
            "CREATE TABLE MA_DESTINATARIOS (Nombre TEXT COLLATE TEXTO, Domicilio TEXT COLLATE TEXTO, Cliente "
            "TEXT "
            "COLLATE TEXTO, Codigo TEXT COLLATE TEXTO, Sucursal TEXT COLLATE TEXTO, Orden INTEGER, Extra "
            "INTEGER)",
            "CREATE TABLE CONTROL_ACCESO (ID INTEGER PRIMARY KEY, INGRESO TEXT COLLATE TEXTO, EGRESO TEXT "
            "COLLATE "
            "TEXTO)",
            "CREATE TABLE V_TA_Cajas (IDCAJAS TEXT COLLATE TEXTO, DESCRIPCION TEXT COLLATE TEXTO)",
            "CREATE TABLE TA_MENU (CLAVE TEXT COLLATE TEXTO, NOMBRE TEXT COLLATE TEXTO)",
            "CREATE TABLE stk_despachos (NroLote TEXT COLLATE TEXTO, Despacho TEXT COLLATE TEXTO)",
        };
        for (const char* s : esquema)
            ASSERT_EQ(bd.Ejecuta(s), "") << s;
    }
    // Translates and runs a statement; its error text or empty.
    QString Ejecuta(const QString& sql) { return bd.Ejecuta(TraduceSqlServerASqlite(sql)); }
    QStringList Filas(const QString& sql) { return bd.Filas(TraduceSqlServerASqlite(sql)); }
    SqliteMemoria bd;
};

TEST_F(TraduccionEjecutada, TopConSugerenciaYOrden) {
    for (int i = 1; i <= 4; ++i)
        ASSERT_EQ(Ejecuta(QString("INSERT INTO AUX_ERR (ID, Proceso) VALUES (%1, 'P%1')").arg(i)), "");
    EXPECT_EQ(Filas("select  top 1 * from AUX_ERR  with(nolock) "), QStringList{"1|P1"});
    EXPECT_EQ(Filas("SELECT TOP 2 ID FROM AUX_ERR WITH (NOLOCK) ORDER BY ID DESC"), (QStringList{"4", "3"}));
    EXPECT_EQ(
        Filas("SELECT ID FROM AUX_ERR (nolock) WHERE ID IN (SELECT TOP (2) ID FROM AUX_ERR ORDER BY ID DESC) "
              "ORDER BY ID"),
        (QStringList{"3", "4"}));
}

// Each query gives the same rows with a comment put between any two of its words.
TEST_F(TraduccionEjecutada, UnComentarioEntreDosPalabrasCualesquieraNoCambiaLasFilas) {
    for (int i = 1; i <= 4; ++i)
        ASSERT_EQ(Ejecuta(QString("INSERT INTO AUX_ERR (ID, Proceso) VALUES (%1, 'P%1')").arg(i)), "");
    const QString consultas[] = {
        "select top 1 * from AUX_ERR with(nolock) where ID > 1 order by ID",
        "SELECT TOP 2 ID FROM AUX_ERR WITH (NOLOCK) ORDER BY ID DESC",
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one query written over two lines.
        "SELECT ID FROM AUX_ERR (nolock) WHERE ID IN (SELECT TOP (2) ID FROM AUX_ERR ORDER BY ID DESC) ORDER "
        "BY ID",
        "SELECT ISNULL(Proceso, 'x') + '-' + Proceso FROM dbo.AUX_ERR WHERE ID = 2",
        "SELECT DISTINCT TOP 3 ID FROM AUX_ERR ORDER BY ID ;",
    };
    const QString comentarios[] = {" -- it's (nolock) top 1\n", " /* it's\n top 9 */ ", "/**/"};
    int probadas = 0;
    for (const QString& consulta : consultas) {
        const QStringList esperadas = Filas(consulta);
        ASSERT_FALSE(esperadas.isEmpty()) << consulta.toStdString();
        ASSERT_FALSE(esperadas.first().startsWith("ERROR")) << esperadas.first().toStdString();
        for (qsizetype k = 0; k <= consulta.size(); ++k) {
            if (k < consulta.size() && consulta[k] != u' ')
                continue;
            for (const QString& comentario : comentarios) {
                const QString con = QString(consulta).insert(k, comentario);
                EXPECT_EQ(Filas(con), esperadas) << con.toStdString() << "\n -> " << T(con).toStdString();
                ++probadas;
            }
        }
    }
    EXPECT_GT(probadas, 150);
}

TEST_F(TraduccionEjecutada, ConsultaDeTransporteConEsquemaYUnicode) {
    ASSERT_EQ(Ejecuta("INSERT INTO V_MV_Stock (TC,IDCOMPROBANTE,IDVIAJE,Revisado,FECHA) VALUES "
                      "('RM  ','000100000001A','TTE',0,'01/02/2024')"),
              "");
    ASSERT_EQ(Ejecuta("INSERT INTO V_MV_Stock (TC,IDCOMPROBANTE,IDVIAJE,Revisado,FECHA) VALUES "
                      "('RM  ','000100000002A','TTE',1,'02/02/2024')"),
              "");
    ASSERT_EQ(Ejecuta("INSERT INTO MV_APLICACION VALUES ('fc', '000100000001A')"), "");
    const QString sql =
        "SELECT     dbo.V_MV_Stock.TC, dbo.V_MV_Stock.IDCOMPROBANTE, dbo.V_MV_Stock.FECHA FROM         "
        "dbo.V_MV_Stock "
        "LEFT OUTER JOIN dbo.MV_APLICACION ON dbo.V_MV_Stock.IDCOMPROBANTE = dbo.MV_APLICACION.IDCOMPROBANTE"
        " WHERE     (dbo.V_MV_Stock.TC = N'rm') AND (dbo.V_MV_Stock.IDVIAJE = N'TTE') AND "
        "(dbo.V_MV_Stock.Revisado = 0) AND (dbo.MV_APLICACION.TC = N'FC' OR dbo.MV_APLICACION.TC = N'TKFC' "
        "OR "
        "dbo.MV_APLICACION.TC = N'TK') "
        " GROUP BY dbo.V_MV_Stock.TC,dbo.V_MV_Stock.IDCOMPROBANTE,dbo.V_MV_Stock.FECHA ORDER BY "
        "dbo.V_MV_Stock.FECHA "
        "DESC";
    EXPECT_EQ(Filas(sql), QStringList{"RM  |000100000001A|2024-02-01 00:00:00"});
}

TEST_F(TraduccionEjecutada, IsNullLeftRightLenYSubstring) {
    ASSERT_EQ(Ejecuta("INSERT INTO V_MA_ARTICULOS VALUES ('A1', 'UN', NULL, '779')"), "");
    ASSERT_EQ(Ejecuta("INSERT INTO V_MA_ARTICULOS VALUES ('A2', 'UN', 'KG', '780')"), "");
    EXPECT_EQ(
        Filas("SELECT *,IDUNIDAD AS UDBASE , ISNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE "
              "CODIGOBARRADUN = '779'"),
        QStringList{"A1|UN|NULL|779|UN|UN"});
    EXPECT_EQ(Filas("SELECT isnull(UD_TTE,0)as ud FROM V_MA_ARTICULOS  with(nolock)  ORDER BY IDARTICULO"),
              (QStringList{"0", "KG"}));
    ASSERT_EQ(
        Ejecuta("INSERT INTO V_MV_Stock (TC,IDCOMPROBANTE,NroLote) VALUES ('FC  ','000100000012A',' 17')"),
        "");
    ASSERT_EQ(
        Ejecuta("INSERT INTO V_MV_Stock (TC,IDCOMPROBANTE,NroLote) VALUES ('FC  ','000200000013B','L9')"),
        "");
    EXPECT_EQ(Filas("SELECT MAX(idcomprobante) AS ULTIMO From V_MV_STOCK  with(nolock) WHERE TC = 'fc' AND "
                    "SUBSTRING(IDCOMPROBANTE, 1, 4)= '0001' AND SUBSTRING(IDCOMPROBANTE, 13, 1)= 'a'"),
              QStringList{"000100000012A"});
    EXPECT_EQ(Filas("SELECT MAX(NroLote) AS Maximo From v_mv_stock WHERE (SUBSTRING(NroLote, 1, 1) = ' ') "),
              QStringList{" 17"});
    EXPECT_EQ(
        Filas("SELECT LEFT(IDCOMPROBANTE, 4), RIGHT(IDCOMPROBANTE,1), LEN(TC) FROM V_MV_Stock ORDER BY 1"),
        (QStringList{"0001|A|2", "0002|B|2"}));
}

TEST_F(TraduccionEjecutada, RecortesComparanSinMayusculasNiBlancosFinales) {
    ASSERT_EQ(Ejecuta("INSERT INTO stk_despachos VALUES (' L-001  ', 'D1')"), "");
    EXPECT_EQ(Filas(" select Despacho from stk_despachos where ltrim(rtrim(NroLote)) = 'l-001 '"),
              QStringList{"D1"});
    EXPECT_EQ(Filas(" select Despacho from stk_despachos where ltrim(rtrim(NroLote)) = 'l-0011'"),
              QStringList{});
    // No blank between the literal and the next word, as the server allows.
    EXPECT_EQ(
        Filas("select Despacho from stk_despachos where ltrim(rtrim(NroLote))='l-001'AND Despacho='D1'"),
        QStringList{"D1"});
}

TEST_F(TraduccionEjecutada, GetDateDaLaFechaYHoraLocal) {
    const QStringList f = Filas("select  getDate() as fecha");
    ASSERT_EQ(f.size(), 1);
    const QDateTime leida = QDateTime::fromString(f.first(), "yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(leida.isValid()) << f.first().toStdString();
    EXPECT_LE(qAbs(leida.secsTo(QDateTime::currentDateTime())), 60);
}

TEST_F(TraduccionEjecutada, DeleteSinFromYPrefijoDeAdministracion) {
    ASSERT_EQ(Ejecuta("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('  1','CAJA 1')"), "");
    ASSERT_EQ(Ejecuta("INSERT INTO @ADMIN_V_TA_CAJAS (IDCAJAS,DESCRIPCION) VALUES('  2','CAJA 2')"), "");
    EXPECT_EQ(Filas("Select DESCRIPCION from @admin_v_ta_cajas  with(nolock)  where IDCAJAS = '  1 '"),
              QStringList{"CAJA 1"});
    ASSERT_EQ(Ejecuta("DELETE V_TA_CAJAS WHERE IDCAJAS = '  2'"), "");
    EXPECT_EQ(Filas("SELECT IDCAJAS FROM V_TA_Cajas"), QStringList{"  1"});
}

TEST_F(TraduccionEjecutada, MasUneLosCodigosDelDestinatario) {
    ASSERT_EQ(
        Ejecuta("INSERT INTO MA_DESTINATARIOS VALUES ('Pérez', 'Calle 1', '00012', '001', '0003', 2, 5)"),
        "");
    EXPECT_EQ(
        Filas(
            "SELECT  Nombre, Domicilio, Cliente + Codigo + Sucursal AS Id From ma_destinatarios WHERE Nombre "
            "LIKE '%PÉ%'  "),
        QStringList{"Pérez|Calle 1|000120010003"});
    EXPECT_EQ(Filas("SELECT Nombre FROM ma_destinatarios WHERE Cliente + Codigo = '00012001 '"),
              QStringList{"Pérez"});
    // Numeric columns still add up.
    EXPECT_EQ(Filas("SELECT Orden + Extra, Orden + 1 FROM MA_DESTINATARIOS"), QStringList{"7|3"});
}

TEST_F(TraduccionEjecutada, FechasSeGuardanYComparanEnOrden) {
    ASSERT_EQ(Ejecuta("INSERT INTO CONTROL_ACCESO (ID, INGRESO) VALUES (1, '31/12/23 23:50')"), "");
    ASSERT_EQ(Ejecuta("INSERT INTO CONTROL_ACCESO (ID, INGRESO) VALUES (2, '01/01/24 08:00')"), "");
    ASSERT_EQ(Ejecuta("INSERT INTO CONTROL_ACCESO (ID, INGRESO) VALUES (3, '15/06/99 10:00')"), "");
    EXPECT_EQ(Filas("SELECT ID FROM CONTROL_ACCESO ORDER BY INGRESO"), (QStringList{"3", "1", "2"}));
    EXPECT_EQ(Filas("SELECT ID FROM CONTROL_ACCESO WHERE INGRESO >= '01/01/2024' "), QStringList{"2"});
    ASSERT_EQ(
        Ejecuta("UPDATE CONTROL_ACCESO  SET EGRESO = '05/01/24 14:30' WHERE EGRESO IS NULL AND  ID = 2"), "");
    EXPECT_EQ(Filas("SELECT EGRESO FROM CONTROL_ACCESO WHERE ID = 2"), QStringList{"2024-01-05 14:30:00"});
}

TEST_F(TraduccionEjecutada, TandaConSiNoExisteYTransaccion) {
    const QString anclaje = "if not exists(select * from ta_menu where clave = 'D8021') INSERT INTO TA_MENU "
                            "(CLAVE,NOMBRE)  VALUES('D8021' ,'Modelos')";
    const QString tanda = "BEGIN TRANSACTION \r\r\r\n\r" + anclaje + "\r" + anclaje + "\r" +
                          "DELETE TA_MENU WHERE CLAVE = 'X'\r" + "COMMIT TRANSACTION";
    int transacciones = 0;
    for (const QString& sentencia : DivideTanda(tanda)) {
        switch (EsSentenciaTransaccion(sentencia)) {
        case Transaccion::Inicia:
            ASSERT_EQ(bd.Ejecuta("BEGIN"), "");
            ++transacciones;
            continue;
        case Transaccion::Confirma:
            ASSERT_EQ(bd.Ejecuta("COMMIT"), "");
            --transacciones;
            continue;
        default:
            break;
        }
        if (auto si = SeparaSiExiste(sentencia)) {
            const bool hay = !Filas(si->consulta).isEmpty();
            if (hay != si->negado) {
                ASSERT_EQ(Ejecuta(si->sentencia), "");
            }
        } else {
            ASSERT_EQ(Ejecuta(sentencia), "");
        }
    }
    EXPECT_EQ(transacciones, 0);
    EXPECT_EQ(bd.Filas("SELECT CLAVE, NOMBRE FROM TA_MENU"), QStringList{"D8021|Modelos"});
}

// ---------------------------------------------------------------------------------------------------------
// On the embedded database's own tables.

class TraduccionSobreElEsquema : public ::testing::Test {
protected:
    void SetUp() override {
        QFile esquema(BaseEmbebida::CarpetaScripts() + "/esquema.sql");
        ASSERT_TRUE(esquema.open(QIODevice::ReadOnly)) << esquema.fileName().toStdString();
        ASSERT_EQ(bd.Ejecuta(QString::fromUtf8(esquema.readAll())), "");
    }
    QString Ejecuta(const QString& sql) { return bd.Ejecuta(TraduceSqlServerASqlite(sql)); }
    QStringList Filas(const QString& sql) { return bd.Filas(TraduceSqlServerASqlite(sql)); }
    SqliteMemoria bd;
};

TEST_F(TraduccionSobreElEsquema, NombresYValoresConFormaDeFechaSeGuardanIntactos) {
    ASSERT_EQ(Ejecuta("INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,DETALLE,TCDefault) VALUES "
                      "(1,'01/02/03','31/12/2025','  TR')"),
              "");
    EXPECT_EQ(
        Filas("SELECT nombre, DETALLE FROM V_CPTES_MODELO_CAB  with(nolock)  WHERE nombre = '01/02/03'"),
        QStringList{"01/02/03|31/12/2025"});
    // A setting whose key speaks of a date and whose value is one, as text.
    ASSERT_EQ(
        Ejecuta("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor) VALUES ('STOCK', 'FECHA DE CIERRE', "
                "'30/06/2025')"),
        "");
    ASSERT_EQ(Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '31/12/2025', ValorAux = '01/02/03' WHERE Clave = "
                      "'FECHA DE CIERRE'"),
              "");
    EXPECT_EQ(
        Filas("SELECT VALOR, valoraux FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'fecha de cierre'"),
        QStringList{"31/12/2025|01/02/03"});
    // A lot named like a date, beside the movement's own date.
    ASSERT_EQ(Ejecuta("INSERT INTO V_MV_STOCK(TC,IdComprobante,Fecha,NroLote) VALUES "
                      "('  IR','000100000001X','01/02/03','01/02/03')"),
              "");
    EXPECT_EQ(
        Filas("SELECT Fecha, NroLote FROM V_MV_STOCK WHERE NroLote = '01/02/03' AND Fecha = '01/02/03'"),
        QStringList{"2003-02-01 00:00:00|01/02/03"});
    ASSERT_EQ(Ejecuta("INSERT INTO AUX_ERR (Proceso,Fecha,Error,Descripcion) VALUES "
                      "('01/02/03','01/02/03 10:00',2627,'31/12/2025')"),
              "");
    EXPECT_EQ(Filas("SELECT Proceso, Fecha, Descripcion FROM AUX_ERR"),
              QStringList{"01/02/03|2003-02-01 10:00:00|31/12/2025"});
}

TEST_F(TraduccionSobreElEsquema, FechasSeGuardanEnIsoYSeComparanYOrdenanComoFechas) {
    // The access log: entry written on insert, exit on update.
    for (const char* ingreso : {"31/12/23 23:50", "01/01/24 08:00", "15/06/99 10:00"})
        ASSERT_EQ(Ejecuta(QString("INSERT INTO Control_Acceso (Maquina,Usuario,Formulario,Tarea,Ingreso,"
                                  "NombreUsuario) VALUES ('PC1','DEMO','MODELOS','MENU','%1','demo')")
                              .arg(ingreso)),
                  "");
    EXPECT_EQ(Filas("SELECT Id FROM Control_Acceso ORDER BY Ingreso"), (QStringList{"3", "1", "2"}));
    ASSERT_EQ(
        Ejecuta("UPDATE CONTROL_ACCESO  SET EGRESO = '01/01/24 09:15' WHERE EGRESO IS NULL AND  ID = 2"), "");
    EXPECT_EQ(Filas("SELECT Id, Egreso FROM Control_Acceso WHERE Egreso > Ingreso"),
              QStringList{"2|2024-01-01 09:15:00"});

    // Movements dated by position in a multi-row insert; the voucher-date conditions.
    ASSERT_EQ(Ejecuta("INSERT INTO V_MV_STOCK(TC,IdComprobante,Fecha,Descripcion) VALUES "
                      "('  IR','000100000001X','05/01/2024','05/01/2024'),"
                      "('  IR','000100000002X','28/12/2023','a'),"
                      "('  IR','000100000003X','1/2/24 9:05','b')"),
              "");
    EXPECT_EQ(Filas("SELECT IdComprobante FROM V_MV_STOCK WHERE TC = '  IR' and fecha >= '01/01/2024' "
                    "ORDER BY Fecha DESC"),
              (QStringList{"000100000003X", "000100000001X"}));
    EXPECT_EQ(Filas("SELECT IdComprobante FROM V_MV_STOCK WHERE Fecha BETWEEN '28/12/23' AND '5/1/2024' "
                    "ORDER BY Fecha"),
              (QStringList{"000100000002X", "000100000001X"}));
    EXPECT_EQ(Filas("SELECT IdComprobante FROM V_MV_STOCK WHERE Fecha IN ('28/12/2023', '01/02/2024 09:05') "
                    "ORDER BY IdComprobante"),
              (QStringList{"000100000002X", "000100000003X"}));
    // As day-first texts "28/12/2023" would be the latest.
    EXPECT_EQ(Filas("SELECT MAX(Fecha) FROM V_MV_STOCK"), QStringList{"2024-02-01 09:05:00"});
    EXPECT_EQ(Filas("SELECT Descripcion FROM V_MV_STOCK WHERE IdComprobante = '000100000001X'"),
              QStringList{"05/01/2024"});

    // The numbering range's stamp and the purchase order's reception date.
    ASSERT_EQ(Ejecuta("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, VenceX) VALUES "
                      "('  TR', 1, '01/02/03', '31/12/2025')"),
              "");
    ASSERT_EQ(Ejecuta(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 43, FechaHora_Modificacion = '02/01/24 10:00' "
                      "WHERE CODIGO = '  TR' AND TALONARIO=1"),
              "");
    EXPECT_EQ(Filas("SELECT DESCRIPCION, VenceX, FechaHora_Modificacion FROM V_TA_CPTE"),
              QStringList{"01/02/03|2025-12-31 00:00:00|2024-01-02 10:00:00"});
    ASSERT_EQ(Ejecuta("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, NOMBRE) VALUES ('  OC', '000100000009X', "
                      "'5/1/2024')"),
              "");
    ASSERT_EQ(Ejecuta(" UPDATE c_mv_cpte set FechaRecepcion='5/1/2024' where TC='  OC' and "
                      "IDCOMPROBANTE='000100000009X' and fecharecepcion is null"),
              "");
    EXPECT_EQ(Filas("SELECT NOMBRE, FechaRecepcion FROM C_MV_CPTE"),
              QStringList{"5/1/2024|2024-01-05 00:00:00"});
}

TEST_F(TraduccionSobreElEsquema, CadaColumnaDeFechaDelEsquemaSeReconocePorSuNombre) {
    // The schema keeps dates as ISO text in VARCHAR(19), and only dates.
    const QStringList columnas =
        bd.Filas("SELECT t.name || '.' || c.name || ' ' || c.type FROM sqlite_schema AS t, "
                 "pragma_table_info(t.name) AS c WHERE t.type = 'table'");
    ASSERT_GT(columnas.size(), 100);
    int fechas = 0;
    for (const QString& columna : columnas) {
        const QString nombre = columna.section(' ', 0, 0).section('.', 1);
        const bool declaradaFecha = columna.section(' ', 1) == "VARCHAR(19)";
        EXPECT_EQ(EsColumnaFecha(nombre), declaradaFecha) << columna.toStdString();
        fechas += declaradaFecha ? 1 : 0;
    }
    EXPECT_GT(fechas, 30);
}

} // namespace
