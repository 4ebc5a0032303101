// The production-input discharge of a posting on the demo database: the components of produced
// articles as rows of a "PE" voucher numbered in the same batch.
//
// Demo: HAMBURGUESA takes 2 of 1015 per unit (lots L1015A 57 and L1015B 58 in deposit 1, 37 and
// 38 in deposit 2) and 0.1 of a free-text seasoning; MEZCLA-CAFE is 60 % 1030 (L1030A 35) and 40 %
// 1045 (L1045A 12, in litres); PAN-PROPIO is of the house's own production. The tests give the
// discharge voucher PE a range that hands out 5 next.

#include "BasePosteo.h"

namespace {

QString Texto(const QMap<QString, QVariant>& f, const char* col) {
    return f[QString::fromLatin1(col).toUpper()].toString();
}

class Descarga : public ConPosteo {
protected:
    void SetUp() override {
        ConPosteo::SetUp();
        AbreRangoDescarga();
    }
};

TEST_F(Descarga, ComponentesPorUnidadYPorcentajeRepartidosEnSusLotes) {
    auto g = GrillaArticulos(
        {Linea("HAMBURGUESA", "30"), Linea("PAN-PROPIO", "5"), Linea("MEZCLA-CAFE", "10", {{68, "1"}})});
    Llamada ll;
    ll.TC = "VS";
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(Descargas("000100000005X"),
              (QStringList{"1 1015 L1015A -57", "1 1015 L1015B -3", "1 *  -3", "1 MEZCLA-CAFE  -10",
                           "1 1030 L1030A -6", "1 1045 L1045A -4"}));
    const auto filas = Filas("PE", "000100000005X");
    ASSERT_EQ(filas.size(), 6u);
    EXPECT_EQ(Texto(filas[2], "Descripcion"), "Condimentos varios");
    EXPECT_EQ(Texto(filas[0], "Tc_Origen"), "  VS");
    EXPECT_EQ(Texto(filas[0], "IdComprobante_Origen"), ll.SucNroLetra);
    EXPECT_EQ(Texto(filas[0], "ControladoPor"), "HAMBURGUESA");
    EXPECT_EQ(Texto(filas[5], "IdUnidad"), "  LT");
    EXPECT_EQ(Texto(filas[3], "IdUnidadBase"), "  UN"); // the produced row's unit as text
    for (size_t i = 0; i < filas.size(); ++i)
        EXPECT_EQ(filas[i]["SECUENCIA"].toDouble(), double(i + 1));
    // The number was taken and the range moved in the same batch.
    EXPECT_EQ(ProximoPE(), "6");

    // Short of lot stock: what the lots lack goes out without a lot.
    auto corta = GrillaArticulos({Linea("HAMBURGUESA", "60")});
    Llamada otra;
    otra.TC = "VS";
    otra.SucNroLetra = "000100000051X";
    PosteaYGuarda(*corta, otra);
    EXPECT_EQ(Descargas("000100000006X"),
              (QStringList{"1 1015 L1015A -57", "1 1015 L1015B -58", "1 1015  -5", "1 *  -6"}));
    EXPECT_EQ(ProximoPE(), "7");
}

TEST_F(Descarga, SinDescargaParaTiposYAjustesExcluidos) {
    const auto sinDescarga = [&](Llamada ll) {
        auto g = GrillaArticulos({Linea("HAMBURGUESA", "1", {{28, "-1"}})});
        Postea(*g, ll);
        EXPECT_FALSE(ll.HayError);
        EXPECT_FALSE(ll.SqlTemp.contains("'  PE'")) << ll.TC.toStdString();
    };
    for (const char* tc : {"AJP", "AJN", "OP", "SPL"}) {
        Llamada ll;
        ll.TC = tc;
        ll.SucNroLetra = "000100000004X";
        sinDescarga(ll);
    }
    guion.Limpia(); // the unknown type SPL was told to the user
    for (const char* clave : {"DESCARGAINSUMOSPRODUCCION", "CARGAINSUMOSPRODUCCION"}) {
        AjustaConfiguracion(clave, "si");
        Llamada ll;
        ll.TC = "VS";
        sinDescarga(ll);
        AjustaConfiguracion(clave, "NO");
    }
    // A grid of produced articles of the house only: no number drawn, nothing appended.
    auto g = GrillaArticulos({Linea("PAN-PROPIO", "3")});
    Llamada ll;
    ll.TC = "VS";
    Postea(*g, ll);
    EXPECT_FALSE(ll.SqlTemp.contains("  PE"));
}

// The discharge's number is registered like any other; without a number (its range used up) the
// posting ends, told to the user, with nothing to store: never a voucher 0.
TEST_F(Descarga, SuNumeroSeRegistraYSinNumeroNoHayNadaQueGuardar) {
    auto g = GrillaArticulos({Linea("HAMBURGUESA", "1")});
    Llamada ll;
    ll.TC = "VS";
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(Valor("SELECT SUCURSAL || NUMERO || LETRA FROM V_MV_CTROL_CPTE WHERE TC = '  PE'"),
              "000100000005X");

    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 99999999 WHERE CODIGO = '  PE'");
    Llamada otra;
    otra.TC = "VS";
    otra.SucNroLetra = "000100000051X";
    Postea(*g, otra);
    EXPECT_TRUE(otra.HayError);
    EXPECT_FALSE(otra.SqlTemp.contains("'  PE'")) << otra.SqlTemp.toStdString();
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"Todos los talonarios del comprobante PE se encuentran utilizados, "
                          "debe dar de alta un nuevo talonario para el comprobante PE"});
}

TEST_F(Descarga, TransferenciaDescargaEnElOrigenYCargaEnElDestino) {
    auto g = GrillaArticulos({Linea("HAMBURGUESA", "2")});
    Llamada ll;
    ll.TC = "TR";
    ll.EsTransferencia = true;
    ll.IdDepositoDestino = "2";
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(Descargas("000100000005X"),
              (QStringList{"1 1015 L1015A -4", "1 *  -0.2", "2 1015 L1015A 4", "2 *  0.2"}));
    EXPECT_EQ(ProximoPE(), "6");
}

TEST_F(Descarga, TransferenciaLlevaAlDestinoLosLotesQueSalieron) {
    // Deposit 2 has no more of L1015A: it must still receive the L1015A that left deposit 1.
    Ejecuta(
        "UPDATE STK_SERIES_Y_LOTES SET CANTIDAD = 0 WHERE IDDEPOSITO = '   2' AND NroLote LIKE 'L1015A%'");
    auto g = GrillaArticulos({Linea("HAMBURGUESA", "30"), Linea("MEZCLA-CAFE", "5", {{68, "1"}})});
    Llamada ll;
    ll.TC = "TR";
    ll.EsTransferencia = true;
    ll.IdDepositoDestino = "2";
    PosteaYGuarda(*g, ll);
    const QStringList origen = {"1 1015 L1015A -57", "1 1015 L1015B -3", "1 *  -3",
                                "1 MEZCLA-CAFE  -5", "1 1030 L1030A -3", "1 1045 L1045A -2"};
    QStringList destino;
    for (QString fila : origen)
        destino << fila.replace(0, 1, "2").replace(" -", " ");
    EXPECT_EQ(Descargas("000100000005X"), origen + destino);
    const auto filas = Filas("PE", "000100000005X");
    for (size_t i = 0; i < filas.size(); ++i)
        EXPECT_EQ(filas[i]["SECUENCIA"].toDouble(), double(i + 1));
    EXPECT_EQ(ProximoPE(), "6");
}

TEST_F(Descarga, TandaRevertidaNoDejaMovimientosNiNumeroUsado) {
    auto g = GrillaArticulos({Linea("HAMBURGUESA", "1")});
    Llamada ll;
    ll.TC = "VS";
    Postea(*g, ll);
    ASSERT_FALSE(ll.HayError);
    AD().EjecutaSQL("BEGIN TRANSACTION" + ll.SqlTemp);
    AD().EjecutaSQL("ROLLBACK TRANSACTION");
    EXPECT_TRUE(Filas("PE", "000100000005X").empty());
    EXPECT_EQ(ProximoPE(), "5");
    // Per line: the rows at once, the range's statements still for the caller's batch.
    Llamada porRenglon;
    porRenglon.TC = "VS";
    porRenglon.GeneraSentenciaSQL = false;
    Postea(*g, porRenglon);
    EXPECT_FALSE(porRenglon.HayError);
    EXPECT_EQ(Descargas("000100000005X"), (QStringList{"1 1015 L1015A -2", "1 *  -0.1"}));
    EXPECT_EQ(ProximoPE(), "5");
    EXPECT_TRUE(porRenglon.SqlTemp.contains("V_TA_CPTE"));
    EXPECT_FALSE(porRenglon.SqlTemp.contains("INSERT INTO V_MV_STOCK"));
}

} // namespace
