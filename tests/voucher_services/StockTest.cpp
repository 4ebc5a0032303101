// Stock balances on the demo database: by unit and deposit, by lot, serial number and position
// with every "Ignorar" combination, one lot, and a balance in an equivalent unit.
//
// Demo balances used (base unit UN unless noted):
//   1015 (lots): deposit 1 115, deposit 2 75; L1015A 57 at A1E02N1P02 and 37 in deposit 2,
//                L1015B 58 at A1E02N1P03 and 38 in deposit 2.
//   1021 (serial numbers): SN1021-101..103 in deposit 1, SN1021-201..202 in deposit 2.
//   1030: 70 and 30 in deposits 1 and 2, and 2 boxes (CJ, 12 units) apart in deposit 1.
//   TORN-6X40 (neither): 400 at A2E02N2P03 with a null lot, 300 at A2E02N2P02 with an empty one.
//   50001 (KG): 35.75 in deposit 1 and 8.2 in deposit 3; weighed units 12 and 3.

#include "Stock.h"
#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "ConClaseCptes.h"
#include "Globales.h"
#include "Regional.h"
#include "StockInterno.h"
#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

namespace {

using namespace stock_interno;

const QString I = QStringLiteral("Ignorar");

class Stock : public ConClaseCptes {
protected:
    double Saldo(const QString& articulo, const QString& deposito, const QString& lote, const QString& serie,
                 const QString& posicion, const QString& unidad = QStringLiteral("Ignorar")) {
        return clase->ObtieneStock(articulo, deposito, lote, serie, posicion, unidad);
    }

    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
};

TEST_F(Stock, QueryTexts) {
    EXPECT_EQ(SqlControlStock("1", "1015", "UN", false),
              "SELECT STOCK AS STOCK FROM STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO = "
              "'                     1015' AND EQUIVALENCIA = '  UN' AND IDDEPOSITO = '   1'");
    EXPECT_EQ(SqlControlStock(" ", "TORN-6X40", "UN", false),
              "SELECT SUM(STOCK) AS STOCK  FROM STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO = "
              "'TORN-6X40                ' AND EQUIVALENCIA = '  UN' ");
    EXPECT_EQ(SqlControlStock("", "50001", "KG", true),
              "SELECT CantidadUd AS STOCK FROM STK_STOCK_UDKG with(nolock) WHERE IDARTICULO = "
              "'                    50001' AND IDDEPOSITO = '    '");
    EXPECT_EQ(
        SqlStockSeriesLotes("1015", "1", "L1015A", I, "", false, true),
        " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = "
        "'                     1015' AND IdDeposito = '   1'  AND NroLote = 'L1015A                   ' "
        " AND NroSerie is NULL ");
    EXPECT_EQ(SqlStockSeriesLotes("1021", I, I, "SN1021-101", "A1", true, false),
              " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = "
              "'                     1021' AND NroSerie = 'SN1021-101               '  AND IdPosicion = "
              "'A1             '  AND NroLote is NULL ");
    EXPECT_EQ(SqlStockSeriesLotes("7", "", "", "", "", true, true),
              " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = "
              "'                        7'");
    EXPECT_EQ(SqlStockLote("1015", "2", ""),
              " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = "
              "'                     1015' AND IdDeposito = '   2'  AND (NroLote = '' OR NROLOTE IS NULL)");
    EXPECT_EQ(
        SqlStockLote("1015", "2", "L1015B"),
        " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = "
        "'                     1015' AND IdDeposito = '   2'  AND NroLote = 'L1015B                   ' ");
    EXPECT_EQ(SqlBanderasArticulo("1015"),
              "SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = '                     1015' ");
    // A typed code cannot end its literal.
    EXPECT_EQ(SqlControlStock("1", "O'X", "UN", false),
              "SELECT STOCK AS STOCK FROM STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO = 'O''X" +
                  QString(22, ' ') + "' AND EQUIVALENCIA = '  UN' AND IDDEPOSITO = '   1'");
}

TEST_F(Stock, ControlStockByDepositAllDepositsAndWeighedUnits) {
    double saldo = -1;
    ControlStock("1", "1030", "UN", saldo);
    EXPECT_EQ(saldo, 70);
    ControlStock("   1", "                     1030", "cj", saldo);
    EXPECT_EQ(saldo, 2);
    ControlStock("", "1030", "UN", saldo);
    EXPECT_EQ(saldo, 100);
    ControlStock("3", "1030", "UN", saldo); // no row
    EXPECT_EQ(saldo, 0);
    saldo = -1;
    ControlStock(" ", "1030", "KG", saldo); // a sum over no rows
    EXPECT_EQ(saldo, 0);
    ControlStock("", "50001", "KG", saldo);
    EXPECT_DOUBLE_EQ(saldo, 43.95);

    saldo = 7.5;
    ControlStock("1", "   ", "UN", saldo);
    EXPECT_EQ(saldo, 7.5);

    gUsaStockUdKg = true;
    ControlStock("1", "50001", "KG", saldo);
    EXPECT_EQ(saldo, 12);
    ControlStock("3", "50001", "", saldo);
    EXPECT_EQ(saldo, 3);
    ControlStock("", "50001", "KG", saldo); // the blank deposit has no row
    EXPECT_EQ(saldo, 0);
    ControlStock("1", "O'X", "UN", saldo);
    EXPECT_EQ(saldo, 0);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Stock, ByUnitTakesTheDefaultDepositAndTheBaseUnit) {
    EXPECT_EQ(clase->ObtieneStock("1015"), 115);
    QString deposito = I;
    QString unidad = QStringLiteral("ignorar");
    EXPECT_EQ(clase->ObtieneStock("1015", deposito, I, I, I, unidad), 115);
    EXPECT_EQ(deposito, "   1");
    EXPECT_EQ(unidad, "  UN");

    EXPECT_EQ(Saldo("1015", "2", I, I, I), 75);
    EXPECT_EQ(Saldo("1015", "", I, I, I), 190); // blank deposit: every deposit
    EXPECT_EQ(Saldo("1030", "1", I, I, I, "CJ"), 2);
    // Lot and serial number both "Ignorar" ask by unit: the position plays no part.
    EXPECT_EQ(Saldo("1015", "1", I, I, "A1E02N1P02"), 115);
    gUsaStockUdKg = true;
    EXPECT_EQ(clase->ObtieneStock("50001"), 12);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Stock, ByLotSerialAndPositionWithEachIgnorarCombination) {
    // Lots.
    EXPECT_EQ(Saldo("1015", "1", "L1015A", I, I), 57);
    EXPECT_EQ(Saldo("1015", I, "L1015A", I, I), 94);
    EXPECT_EQ(Saldo("1015", "", "l1015b", "", I), 96);
    EXPECT_EQ(Saldo("1015", I, I, "", I), 190); // an empty serial number chooses this branch
    EXPECT_EQ(Saldo("1015", I, "", I, I), 190);
    EXPECT_EQ(Saldo("1015", "1", "", "", "A1E02N1P03"), 58);
    EXPECT_EQ(Saldo("1015", I, "", "", "A1E02N1P03"), 58);
    EXPECT_EQ(Saldo("1015", "1", "L1015A", "", "A1E02N1P03"), 0);
    EXPECT_EQ(Saldo("1015", "2", "", "", "A1E02N1P03"), 0); // a sum over no rows
    EXPECT_EQ(Saldo("1015", "3", "L1015A", I, I), 0);
    // Serial numbers.
    EXPECT_EQ(Saldo("1021", "1", I, "SN1021-102", I), 1);
    EXPECT_EQ(Saldo("1021", I, I, "SN1021-201", I), 1);
    EXPECT_EQ(Saldo("1021", "2", I, "SN1021-101", I), 0);
    EXPECT_EQ(Saldo("1021", I, "", "", I), 5);
    EXPECT_EQ(Saldo("1021", "2", "", I, ""), 2);
    // Positions of an article kept by neither.
    EXPECT_EQ(Saldo("TORN-6X40", I, "", "", "A2E02N2P03"), 400);
    EXPECT_EQ(Saldo("torn-6x40", "1", "", I, "a2e02n2p02"), 300);
    EXPECT_EQ(Saldo("TORN-6X40", "2", "", "", I), 0);
    // The unit plays no part here.
    EXPECT_EQ(Saldo("1015", "1", "L1015A", "", I, "CJ"), 57);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Stock, TrackingFlagsKeepRowsOfTheOtherKindOut) {
    AD().EjecutaSQL("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, "
                    "CANTIDAD) VALUES ('                     1015', '   1', 'L1015A                   ', "
                    "'X-1                      ', NULL, 5)");
    AD().EjecutaSQL("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, "
                    "CANTIDAD) VALUES ('                     1021', '   1', 'LX                       ', "
                    "'SN1021-101               ', NULL, 1)");
    AD().EjecutaSQL("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, "
                    "CANTIDAD) VALUES ('TORN-6X40                ', '   1', 'LT1                      ', "
                    "NULL, NULL, 10)");
    AD().EjecutaSQL(
        "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, "
        "CANTIDAD) VALUES ('TORN-6X40                ', '   1', NULL, 'ST1                      ', "
        "NULL, 1)");
    // Lots only: the row with a serial number is not counted; serial numbers only: the row with a
    // lot is not counted.
    EXPECT_EQ(Saldo("1015", "1", "L1015A", "", I), 57);
    EXPECT_EQ(Saldo("1021", "1", "", "", I), 3);
    EXPECT_EQ(Saldo("1021", "1", "", "SN1021-101", I), 1);
    // Neither: every row.
    EXPECT_EQ(Saldo("TORN-6X40", "1", "", "", I), 711);
    // Both: every row.
    AD().EjecutaSQL("UPDATE V_MA_ARTICULOS SET USASERIE = 1 WHERE IDARTICULO = '                     1015'");
    EXPECT_EQ(Saldo("1015", "1", "L1015A", "", I), 62);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Stock, OneLot) {
    EXPECT_EQ(clase->ObtieneStockLOTE("1015", "1", "L1015B"), 58);
    EXPECT_EQ(clase->ObtieneStockLOTE("1015", "2", "  l1015b  "), 38);
    EXPECT_EQ(clase->ObtieneStockLOTE("1015", "3", "L1015B"), 0);
    EXPECT_EQ(clase->ObtieneStockLOTE("1015", "1", ""), 0);
    // Null and empty lot numbers are both "no lot".
    EXPECT_EQ(clase->ObtieneStockLOTE("TORN-6X40", "1", ""), 700);
    EXPECT_EQ(clase->ObtieneStockLOTE("1021", "1", " "), 3);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Stock, BalanceInAnEquivalentUnit) {
    double base = -1;
    double equivalente = -1;
    clase->ObtieneStockxEquiv("1", "1030", "UN", "CJ", base, equivalente);
    EXPECT_EQ(base, 70);
    EXPECT_DOUBLE_EQ(equivalente, 5.8333);
    clase->ObtieneStockxEquiv("1", "1030", "UN", "", base, equivalente);
    EXPECT_EQ(base, 70);
    EXPECT_EQ(equivalente, 0);
    clase->ObtieneStockxEquiv("1", "1030", "UN", "KG", base, equivalente); // no equivalence
    EXPECT_EQ(equivalente, 0);
    clase->ObtieneStockxEquiv("1", "  ", "UN", "CJ", base, equivalente);
    EXPECT_EQ(base, 0);
    EXPECT_EQ(equivalente, 0);
}

TEST_F(Stock, ErrorsGoToTheCentralHandlerUnderTheRoutineName) {
    // A missing article has no flags to read: Ignore goes on with both flags off.
    guion.AgregaRespuesta(Respuesta::Ignorar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_EQ(Saldo("NO-EXISTE", "1", "L1", "", I), 0);
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_TRUE(guion.Registros()[0].titulo.startsWith(QStringLiteral("ObtieneStock ")));

    // The lot query reports under the general name; Retry runs the statement again.
    guion.Limpia();
    AD().EjecutaSQL("ALTER TABLE STK_SERIES_Y_LOTES RENAME TO STK_SYL_APARTE");
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_EQ(clase->ObtieneStockLOTE("1015", "1", "L1015A"), 0);
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_TRUE(guion.Registros()[1].titulo.startsWith(QStringLiteral("ObtieneStock ")));

    guion.Limpia();
    AD().EjecutaSQL("ALTER TABLE STK_SALDOS_UNIDADES RENAME TO STK_SALDOS_APARTE");
    double saldo = 4.25;
    guion.AgregaRespuesta(Respuesta::Abortar);
    ControlStock("1", "1030", "UN", saldo);
    EXPECT_EQ(saldo, 4.25); // left: the caller's value stays
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.startsWith(QStringLiteral("ControlStock ")));
}

} // namespace
