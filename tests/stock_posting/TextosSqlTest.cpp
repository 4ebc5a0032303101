// The SQL texts of the numbering as they reach the embedded database: the texts the system
// writes, passed through the dialect translation and nothing else.

#include "Asientos.h"
#include "BaseNumeracion.h"
#include "Numeracion.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QStringList gTraza;

int Traza(unsigned, void*, void* p, void*) {
    char* texto = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(p));
    if (texto != nullptr)
        gTraza << QString::fromUtf8(texto);
    sqlite3_free(texto);
    return 0;
}
int InstalaTraza(sqlite3* db, const char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &Traza, nullptr);
    return SQLITE_OK;
}

class Textos : public ConNumeracion {
protected:
    void SetUp() override {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&InstalaTraza));
        ConNumeracion::SetUp();
        gTraza.clear();
    }
    void TearDown() override {
        ConNumeracion::TearDown();
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&InstalaTraza));
    }
    // Whether the text, as the translation leaves it, reached the database.
    static bool Llego(const QString& sql) {
        const QString traducido = AD().TraduceSQL(sql);
        return gTraza.contains(traducido);
    }
    static std::string Visto() { return gTraza.join("\n").toStdString(); }
};

TEST_F(Textos, EleccionDelRango) {
    QString suc, nro, letra = "*X", hasta;
    bool modifica = false;
    Obtener_Nro_Comprobante_Contable("PR", suc, nro, letra, modifica, "", "2", hasta);
    EXPECT_TRUE(Llego("SELECT * FROM V_TA_CPTE  WHERE CODIGO = '  PR'  AND (LETRAs LIKE('%X%')) "))
        << Visto();
    EXPECT_TRUE(
        Llego("SELECT * FROM V_TA_CPTE WHERE  CODIGO = '  PR' AND (UNEGOCIO = '   2' OR (UNEGOCIO = '' OR "
              "UNEGOCIO is null) )  AND (LETRAs LIKE('%X%'))   ORDER BY TALONARIO"))
        << Visto();
    // Another unit: no range of its own, so every range of the type.
    suc.clear();
    Obtener_Nro_Comprobante_Contable("PR", suc, nro, letra, modifica, "", "   1", hasta);
    EXPECT_TRUE(Llego("SELECT * FROM V_TA_CPTE  WHERE CODIGO = '  PR' ORDER BY TALONARIO")) << Visto();
    // No unit; the user's branch as filter.
    gTraza.clear();
    gUsuarioLogeado = "VENDEDOR2";
    suc.clear();
    letra.clear();
    Obtener_Nro_Comprobante_Contable("OT", suc, nro, letra, modifica, "", "", hasta);
    EXPECT_TRUE(Llego(
        "SELECT * FROM V_TA_CPTE   WHERE CODIGO = '  OT' AND A_SUC_DEFAULT = '0002' ORDER BY TALONARIO"))
        << Visto();
    // The FCE ranges in place of the type's.
    gTalonarioFCE = true;
    suc.clear();
    Obtener_Nro_Comprobante_Contable("TK", suc, nro, letra, modifica, "", "   1", hasta);
    gTalonarioFCE = false;
    EXPECT_TRUE(
        Llego("SELECT * FROM V_TA_CPTE WHERE  CODIGO = 'FCE' AND (UNEGOCIO = '   1' OR (UNEGOCIO = '' OR "
              "UNEGOCIO is null) )   ORDER BY TALONARIO"))
        << Visto();
    EXPECT_TRUE(Llego("SELECT * FROM V_TA_CPTE  WHERE CODIGO = '  TK' ORDER BY TALONARIO")) << Visto();
}

TEST_F(Textos, ComprobacionesContraLoGuardado) {
    QString suc, nro, letra;
    bool modifica = false;
    Ejecuta("INSERT INTO V_MV_STOCK (TC, IdComprobante) VALUES (' AJP', '000100000001X')");
    Obtener_Nro_Comprobante("AJP", suc, nro, letra, modifica, true, "", "   1", false);
    EXPECT_EQ(nro, "00000002");
    EXPECT_TRUE(Llego(
        "SELECT * From V_MV_STOCK  with(nolock)  WHERE TC = ' AJP' AND IDCOMPROBANTE = '000100000001X'"))
        << Visto();
    EXPECT_TRUE(Llego("SELECT MAX(idcomprobante) AS ULTIMO From V_MV_STOCK WHERE TC = ' AJP' AND "
                      "SUBSTRING(IDCOMPROBANTE,1,4)= '0001' AND SUBSTRING(IDCOMPROBANTE,13,1) = 'X'"))
        << Visto();
    suc = "0001";
    letra = "B";
    Obtener_Nro_Comprobante("OT", suc, nro, letra, modifica, true, "", "   1", false);
    EXPECT_TRUE(
        Llego("SELECT * FROM MV_ASIENTOS  with(nolock)  WHERE TC = '  OT' AND SUCURSAL = '0001' AND NUMERO = "
              "'00000030' AND LETRA = 'B'"))
        << Visto();
    EXPECT_TRUE(
        Llego("DELETE V_MV_CTROL_CPTE WHERE TC = '  OT' AND SUCURSAL = '0001' AND NUMERO = '00000030' AND "
              "LETRA = 'B' AND NOT EXISTS(SELECT * FROM V_MV_STOCK WHERE TC = '  OT' AND IDCOMPROBANTE = "
              "'000100000030B') AND NOT EXISTS(SELECT * FROM V_MV_CPTE WHERE TC = '  OT' AND IDCOMPROBANTE = "
              "'000100000030B') AND NOT EXISTS(SELECT * FROM C_MV_CPTE WHERE TC = '  OT' AND IDCOMPROBANTE = "
              "'000100000030B')"))
        << Visto();
    suc.clear();
    letra.clear();
    Obtener_Nro_Comprobante("CBFP", suc, nro, letra, modifica, true, "", "   1", false);
    EXPECT_TRUE(
        Llego("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS with(nolock) WHERE TC = 'CBFP' AND SUCURSAL= "
              "'0001' AND LETRA = 'X'"))
        << Visto();
    EXPECT_TRUE(Llego("SELECT MAX(idcomprobante) AS ULTIMO From V_MV_CPTE WHERE TC = 'CBFP' AND "
                      "SUBSTRING(IDCOMPROBANTE,1,4)= '0001' AND SUBSTRING(IDCOMPROBANTE,13,1) = 'X'"))
        << Visto();
    Ejecuta("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000001X')");
    suc.clear();
    Obtener_Nro_Comprobante("OC", suc, nro, letra, modifica, true, "", "   1", false);
    EXPECT_TRUE(
        Llego("SELECT MAX(NUMERO) AS ULTIMO From C_MV_CPTE  with(nolock) WHERE TC = '  OC' AND SUCURSAL = "
              "'0001' AND NUMERO < '99999999' AND LETRA = 'X' "))
        << Visto();
    gTraza.clear();
    EXPECT_EQ(AsignarNumeroComprobante("AJP", "0001", "X"), "000100000002X");
    EXPECT_TRUE(
        Llego("SELECT TC,IDCOMPROBANTE From V_MV_STOCK  with(nolock) WHERE TC = ' AJP' AND IDCOMPROBANTE = "
              "'000100000002X'"))
        << Visto();
}

TEST_F(Textos, AsientosYValidacion) {
    QString ref;
    ExisteAsiento("AJP", "0001", "00000001", "X", ref, "1.1.5.01", false);
    EXPECT_TRUE(
        Llego("SELECT * FROM MV_ASIENTOS WHERE TC = ' AJP' AND SUCURSAL = '0001' AND NUMERO = '00000001' AND "
              "LETRA = 'X' AND CUENTA = '1.1.5.01'"))
        << Visto();
    ObtieneTipoRegCont("IR");
    EXPECT_TRUE(Llego("SELECT * FROM MA_SUBDIARIOSCOMPROBANTES  with(nolock)  WHERE TC = '  IR'")) << Visto();
    EXPECT_TRUE(Llego("SELECT * FROM MA_SUBDIARIOS  with(nolock)  WHERE CODIGO = 'STK'")) << Visto();
    ObtieneNroAsiento(3, "2025", "");
    EXPECT_TRUE(Llego(
        QStringLiteral("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS WITH(NOLOCK) "
                       "WHERE MES_OPERATIVO = 3 AND (TIPO_REG = '") +
        QChar(0xFF) + "RS' OR TIPO_REG = '') AND PERIODO = 2025"))
        << Visto();
    ObtieneNroAsiento(3, "2025", "STK");
    EXPECT_TRUE(
        Llego("SELECT [NUMERO ASIENTO] AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOSCCOSTO WITH(NOLOCK) WHERE "
              "MES_OPERATIVO = 3 AND TIPO_REG = 'STK' AND PERIODO = 2025 AND [NUMERO ASIENTO] = 18"))
        << Visto();
    QString mensaje, letra = "X";
    ValidaNumeracion("VJ", "0001", "5", letra, mensaje, "");
    EXPECT_TRUE(Llego("Select * from v_ta_cpte  with(nolock)  where codigo = '  VJ' and X_SUC_DEFAULT = 1"))
        << Visto();
    EXPECT_TRUE(Llego("SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO = '  VJ' and Talonario = 1"))
        << Visto();
    QString sql;
    ActualizaNumeracion("VJ", "VENTAS", "0001", "6", letra, true, sql, false, false);
    EXPECT_TRUE(Llego("SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO = '  VJ' AND TALONARIO =1"))
        << Visto();
    Ejecuta("DELETE FROM V_TA_CPTE WHERE CODIGO = '  VJ'");
    ActualizaNumeracion("VJ", " VENTAS ", "0001", "6", letra, true, sql, false, false);
    EXPECT_TRUE(
        Llego("SELECT * FROM TA_Comprobantes WHERE CODIGO = '  VJ' AND SISTEMA = 'VENTAS' AND TALONARIO = 1"))
        << Visto();
}

} // namespace
