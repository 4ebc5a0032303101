// Units and equivalences on the demo database, and the fixed-unit quantities of a grid line.
//
// Demo equivalences used: 1030 one CJ = 12 UN, one PQ = 6 UN; 1007 one PQ = 3 UN and a CJ whose
// coefficient is 0; 50001 one KG = 1000 GR; TORN-6X40 one BL = 1000 UN, one CJ = 100 UN.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Moneda.h"
#include "Regional.h"
#include "Stock.h"
#include "StockInterno.h"
#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

namespace {

class Unidades : public ConBaseDemo {
protected:
    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
};

TEST_F(Unidades, BaseUnitOfAnArticle) {
    EXPECT_EQ(ObtieneUnidadArticulo("1030"), "UN");
    EXPECT_EQ(ObtieneUnidadArticulo("torn-6x40"), "UN");
    EXPECT_EQ(ObtieneUnidadArticulo("                    50001"), "KG");
    EXPECT_EQ(stock_interno::SqlUnidadArticulo("1030"),
              "SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = '                     1030'");
    // No handler of its own: a missing article reaches the caller.
    EXPECT_THROW(ObtieneUnidadArticulo("NO-EXISTE"), ErrorSistema);
}

TEST_F(Unidades, EquivalenceInBothDirections) {
    EXPECT_EQ(stock_interno::SqlEquivalencia("1030", "UN", "CJ"),
              "SELECT * FROM  S_TA_EQUIV  with(nolock)  WHERE IdArticulo = '                     1030' AND "
              "IDUNIDAD = '  UN' AND IDUNIDAD_EQUIV = '  CJ'");
    QString operador;
    QString origen = QStringLiteral("UN");
    double coeficiente = -1;
    bool sinUnidad = true;
    EXPECT_TRUE(IdArticuloTieneEquivalencias("1030", "CJ", operador, origen, coeficiente, sinUnidad));
    EXPECT_EQ(operador, "*"); // the row runs from CJ to UN
    EXPECT_EQ(coeficiente, 12);
    EXPECT_FALSE(sinUnidad);

    origen = QStringLiteral("cj");
    EXPECT_TRUE(IdArticuloTieneEquivalencias("1030", "un", operador, origen, coeficiente, sinUnidad));
    EXPECT_EQ(operador, "/");
    EXPECT_EQ(coeficiente, 12);

    // An empty source unit is the article's base unit, written back.
    origen.clear();
    EXPECT_TRUE(IdArticuloTieneEquivalencias("1030", "PQ", operador, origen, coeficiente, sinUnidad));
    EXPECT_EQ(origen, "UN");
    EXPECT_EQ(coeficiente, 6);

    // Nothing found: False, coefficient 0, the operator as it was.
    operador = QStringLiteral("?");
    origen = QStringLiteral("UN");
    EXPECT_FALSE(IdArticuloTieneEquivalencias("1030", "KG", operador, origen, coeficiente, sinUnidad));
    EXPECT_EQ(operador, "?");
    EXPECT_EQ(coeficiente, 0);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Unidades, AnArticleWithoutBaseUnitHasNoEquivalence) {
    AD().EjecutaSQL(
        "UPDATE V_MA_ARTICULOS SET IDUNIDAD = NULL WHERE IDARTICULO = '                     1030'");
    QString operador;
    QString origen;
    double coeficiente = 5;
    bool sinUnidad = false;
    EXPECT_FALSE(IdArticuloTieneEquivalencias("1030", "CJ", operador, origen, coeficiente, sinUnidad));
    EXPECT_TRUE(sinUnidad);
    EXPECT_EQ(coeficiente, 0);
    EXPECT_TRUE(origen.isEmpty());
}

TEST_F(Unidades, AZeroOrNullCoefficientIsNoEquivalence) {
    QString operador;
    QString origen = QStringLiteral("UN");
    double coeficiente = -1;
    bool sinUnidad = false;
    EXPECT_FALSE(IdArticuloTieneEquivalencias("1007", "CJ", operador, origen, coeficiente, sinUnidad));
    EXPECT_EQ(coeficiente, 0);
    EXPECT_EQ(ConvierteCantidad("1007", "UN", 5, "CJ"), 0);
    EXPECT_EQ(ConvierteCantidad("1007", "CJ", 5, "UN"), 0);
    EXPECT_EQ(ConvierteCantidadInversa("1007", "UN", 5, "CJ"), 5);
    EXPECT_EQ(ConvierteCantidadInversa("1007", "CJ", 5, "UN"), 5);
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // A null coefficient is reported; going on, the row does not count.
    AD().EjecutaSQL("INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES "
                    "('                     1007', '  BL', '  UN', NULL)");
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_FALSE(IdArticuloTieneEquivalencias("1007", "BL", operador, origen, coeficiente, sinUnidad));
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.startsWith(QStringLiteral("IdArticuloTieneEquivalencias")));
    EXPECT_TRUE(guion.Registros()[0].texto.contains(QStringLiteral("(94)")));
}

TEST_F(Unidades, ALongLoadKeepsTheAnswersAndStillReportsEveryFailure) {
    struct Caso {
        const char* articulo;
        const char* origen;
        const char* destino;
    };
    const Caso casos[] = {{"1030", "UN", "CJ"}, {"1030", "CJ", "UN"}, {"1030", "", "PQ"},
                          {"1007", "UN", "PQ"}, {"1007", "UN", "CJ"}, {"50001", "GR", "KG"},
                          {"1030", "UN", "KG"}};
    std::vector<double> sinMemoria;
    for (const Caso& c : casos)
        sinMemoria.push_back(ConvierteCantidad(c.articulo, c.origen, 7.5, c.destino));
    {
        const MemoriaEquivalencias memoria;
        for (int vuelta = 0; vuelta < 3; ++vuelta)
            for (size_t i = 0; i < std::size(casos); ++i) {
                QString origen = casos[i].origen;
                EXPECT_EQ(ConvierteCantidad(casos[i].articulo, origen, 7.5, casos[i].destino), sinMemoria[i])
                    << casos[i].articulo << " " << casos[i].origen << " " << casos[i].destino;
                if (QString(casos[i].origen).isEmpty() && QString(casos[i].articulo) == "1030") {
                    EXPECT_EQ(origen, QStringLiteral("UN")); // the base unit is written back
                }
            }
        EXPECT_TRUE(guion.Mensajes().isEmpty());

        // A null coefficient is told every time, not only the first.
        AD().EjecutaSQL("INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES "
                        "('                     1007', '  BL', '  UN', NULL)");
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            guion.AgregaRespuesta(Respuesta::Ignorar);
            EXPECT_EQ(ConvierteCantidad("1007", "UN", 5, "BL"), 0);
        }
        EXPECT_EQ(guion.Mensajes().size(), 2);
    }
}

TEST_F(Unidades, ConversionsBothWays) {
    EXPECT_EQ(ConvierteCantidad("1030", "UN", 24, "CJ"), 2);
    EXPECT_EQ(ConvierteCantidad("1030", "CJ", 2, "UN"), 24);
    EXPECT_EQ(ConvierteCantidadInversa("1030", "UN", 2, "CJ"), 24);
    EXPECT_EQ(ConvierteCantidadInversa("1030", "CJ", 24, "UN"), 2);
    EXPECT_EQ(ConvierteCantidad("1007", "UN", 1, "PQ"), 0.3333);
    EXPECT_DOUBLE_EQ(ConvierteCantidadInversa("1007", "PQ", 1, "UN"), 1.0 / 3); // unrounded
    EXPECT_EQ(ConvierteCantidad("TORN-6X40", "UN", 2500, "BL"), 2.5);
    EXPECT_EQ(ConvierteCantidad("1030", "UN", 0, "CJ"), 0);
    EXPECT_EQ(ConvierteCantidadInversa("1030", "UN", 0, "CJ"), 0);
}

TEST_F(Unidades, RoundedToFourDecimalsHalfToEven) {
    EXPECT_EQ(ConvierteCantidad("50001", "GR", 1.25, "KG"), 0.0012);
    EXPECT_EQ(ConvierteCantidad("50001", "GR", 3.75, "KG"), 0.0038);
    EXPECT_EQ(ConvierteCantidad("50001", "GR", -1.25, "KG"), -0.0012);
    EXPECT_EQ(ConvierteCantidad("50001", "GR", 1.26, "KG"), 0.0013);
}

TEST_F(Unidades, SameUnitsAndMissingEquivalences) {
    // Equal units (any case, any blanks) give the quantity without a look-up: the article need not
    // even exist.
    EXPECT_EQ(ConvierteCantidad("NO-EXISTE", "un", 7, "UN"), 7);
    EXPECT_EQ(ConvierteCantidad("NO-EXISTE", "  UN", 7, "UN"), 7);
    EXPECT_EQ(ConvierteCantidadInversa("NO-EXISTE", "Kg", 7, "kG"), 7);
    EXPECT_EQ(ConvierteCantidad("1030", "UN", 5, "KG"), 0);
    EXPECT_EQ(ConvierteCantidadInversa("1030", "UN", 5, "KG"), 5);

    // An empty source is the base unit, written back; the base unit to itself has no row.
    QString origen;
    EXPECT_EQ(ConvierteCantidad("1030", origen, 24, "CJ"), 2);
    EXPECT_EQ(origen, "UN");
    origen.clear();
    EXPECT_EQ(ConvierteCantidad("1030", origen, 5, "UN"), 0);
    EXPECT_EQ(origen, "UN");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Unidades, AmountsMoveOppositeToQuantities) {
    EXPECT_EQ(ConvierteImporte(Moneda::DeEntero(120), "*", 12), Moneda::DeEntero(1440));
    EXPECT_EQ(ConvierteImporte(Moneda::DeEntero(1440), "/", 12), Moneda::DeEntero(120));
    EXPECT_EQ(ConvierteImporte(Moneda::DeEntero(10), "/", 3), Moneda::DeCrudo(33333));
    EXPECT_EQ(ConvierteImporte(Moneda::DeEntero(10), "+", 3), Moneda());
    EXPECT_EQ(ConvierteImporte(Moneda::DeEntero(10), "*", 0), Moneda::DeEntero(10));
    EXPECT_EQ(ConvierteImporte(Moneda(), "/", 0), Moneda());
    EXPECT_EQ(ConvierteImporte(Moneda::DeCrudo(1), "*", 0.5), Moneda()); // 0.00005: half to even
}

class RecalculoGrilla : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        gUnidadMedidaBL = QStringLiteral("BL");
        gUnidadMedidaM3 = QStringLiteral("M3");
        gUnidadMedidaKG = QStringLiteral("KG");
        g.setRow(2);
    }
    void Linea(const QString& articulo, const QString& unidad, const QString& cantidad,
               const QString& unidadEquiv, const QString& cantidadEquiv, const QString& pideEquiv = "0") {
        g.setTextMatrix(2, col::CodigoArticulo, articulo);
        g.setTextMatrix(2, col::Unidad, unidad);
        g.setTextMatrix(2, col::Cantidad, cantidad);
        g.setTextMatrix(2, col::UnidadEquivalente, unidadEquiv);
        g.setTextMatrix(2, col::CantidadEquivalente, cantidadEquiv);
        g.setTextMatrix(2, col::PideEquivalencia, pideEquiv);
        for (int c : {col::CantidadM3, col::CantidadBultos, col::CantidadKg})
            g.setTextMatrix(2, c, QStringLiteral("x"));
    }
    QString M3() const { return g.TextMatrix(2, col::CantidadM3); }
    QString Bultos() const { return g.TextMatrix(2, col::CantidadBultos); }
    QString Kg() const { return g.TextMatrix(2, col::CantidadKg); }

    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    Grilla g{4, ColumnasGrillaArticulos, 1, 0};
};

TEST_F(RecalculoGrilla, ConvertsTheCurrentRowInRegionalFormat) {
    Linea("TORN-6X40", " UN ", "2500", "CJ", "25");
    RecalculaCantidadesGrilla(g);
    EXPECT_EQ(Bultos(), "2,5");
    EXPECT_EQ(M3(), "0");
    EXPECT_EQ(Kg(), "0");
    EXPECT_TRUE(g.TextMatrix(1, col::CantidadBultos).isEmpty()); // only the current row
    EXPECT_TRUE(g.TextMatrix(3, col::CantidadBultos).isEmpty());
}

TEST_F(RecalculoGrilla, ALineAlreadyInTheUnitCopiesItsCells) {
    // Kilograms entered as kilograms: the quantity; entered in another unit: the equivalent one.
    Linea("50001", "KG", "1,5", "kg", "1500");
    RecalculaCantidadesGrilla(g);
    EXPECT_EQ(Kg(), "1,5");
    EXPECT_EQ(Bultos(), "0");

    Linea("50001", "GR", "1500", "KG", "1,50");
    RecalculaCantidadesGrilla(g);
    EXPECT_EQ(Kg(), "1,50"); // copied as text

    Linea("TORN-6X40", "UN", "2000", "BL", "2,0");
    RecalculaCantidadesGrilla(g);
    EXPECT_EQ(Bultos(), "2,0");
}

TEST_F(RecalculoGrilla, ALineAskingItsEquivalenceKeepsItsPackages) {
    Linea("50001", "GR", "2500", "PQ", "3", "-1");
    RecalculaCantidadesGrilla(g);
    EXPECT_EQ(Bultos(), "x");
    EXPECT_EQ(Kg(), "2,5");
    EXPECT_EQ(M3(), "0");
}

} // namespace
