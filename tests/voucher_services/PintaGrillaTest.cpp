// Painting rows and columns of a voucher grid, and the duplicate-line checks.

#include "ClsCmnCptesServicios.h"
#include "Comun.h"
#include "ErrorSistema.h"
#include "Grilla.h"
#include "Regional.h"

#include <QVariant>
#include <gtest/gtest.h>

namespace {

constexpr int Amarillo = 65535;

class PintaGrilla : public ConGuion {
protected:
    // A grid of 6 rows and 5 columns with a text in every cell, current cell (2, 3).
    PintaGrilla() : g(6, 5, 1, 1) {
        for (int f = 0; f < g.Rows(); ++f)
            for (int c = 0; c < g.Cols(); ++c)
                g.setTextMatrix(f, c, QString("%1,%2").arg(f).arg(c));
        g.setRow(2);
        g.setCol(3);
    }
    void TextosIntactos() const {
        for (int f = 0; f < g.Rows(); ++f)
            for (int c = 0; c < g.Cols(); ++c)
                EXPECT_EQ(g.TextMatrix(f, c), QString("%1,%2").arg(f).arg(c)) << f << "," << c;
    }
    int Pintadas() const {
        int n = 0;
        for (int f = 0; f < g.Rows(); ++f)
            for (int c = 0; c < g.Cols(); ++c)
                n += g.ColorFondo(f, c) != 0;
        return n;
    }

    Grilla g;
    ClsCmnCptesServicios clase;
};

TEST_F(PintaGrilla, RowIsPaintedWholeKeepingTextsAndColumn) {
    clase.PintarFila(4, g);
    for (int c = 0; c < g.Cols(); ++c)
        EXPECT_EQ(g.ColorFondo(4, c), Amarillo) << c; // the fixed column too
    EXPECT_EQ(Pintadas(), g.Cols());
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 4);
    TextosIntactos();

    clase.PintarFila(1, g, 0xFF0000);
    EXPECT_EQ(g.ColorFondo(1, 0), 0xFF0000);
    EXPECT_EQ(g.ColorFondo(4, 0), Amarillo);
}

TEST_F(PintaGrilla, RowOutsideTheGridReachesTheCaller) {
    EXPECT_THROW(clase.PintarFila(6, g), ErrorSistema);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(PintaGrilla, ColumnOverItsRangeKeepsTheCurrentRow) {
    clase.PintarColuma(2, g);
    for (int f = 0; f < g.Rows(); ++f)
        EXPECT_EQ(g.ColorFondo(f, 2), Amarillo) << f; // the title row too
    EXPECT_EQ(Pintadas(), g.Rows());
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
    TextosIntactos();
}

TEST_F(PintaGrilla, ColumnRangesPaintOnlyTheirRows) {
    clase.PintarColuma(1, g, 3, 4, 255);
    EXPECT_EQ(g.ColorFondo(3, 1), 255);
    EXPECT_EQ(g.ColorFondo(4, 1), 255);
    EXPECT_EQ(Pintadas(), 2);

    g.setCol(4);
    clase.PintarColuma(0, g, 3, 2);
    EXPECT_EQ(Pintadas(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 4); // no row painted: the column was never set

    // Rows beyond the grid are skipped without a word; those inside are painted.
    clase.PintarColuma(3, g, 4, 9);
    EXPECT_EQ(g.ColorFondo(4, 3), Amarillo);
    EXPECT_EQ(g.ColorFondo(5, 3), Amarillo);
    EXPECT_EQ(Pintadas(), 4);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

class Duplicados : public ConGuion {
protected:
    Duplicados() : g(5, 3, 1, 0) {
        g.setTextMatrix(0, 0, QStringLiteral("Código"));
        g.setTextMatrix(1, 0, QStringLiteral("  ABC  "));
        g.setTextMatrix(2, 0, QStringLiteral("1030"));
        g.setTextMatrix(3, 0, QStringLiteral("abc"));
        g.setTextMatrix(4, 0, QString());
    }
    Grilla g;
    ClsCmnCptesServicios clase;
};

TEST_F(Duplicados, ExisteEnGridSearchesTheTitleRowToo) {
    EXPECT_TRUE(clase.ExisteEnGrid(g, QStringLiteral("código")));
    EXPECT_TRUE(clase.ExisteEnGrid(g, QStringLiteral(" 1030 ")));
    EXPECT_TRUE(clase.ExisteEnGrid(g, QStringLiteral("Abc")));
    EXPECT_FALSE(clase.ExisteEnGrid(g, QStringLiteral("1031")));
    EXPECT_FALSE(clase.ExisteEnGrid(g, QStringLiteral("codigo"))); // accents count
}

TEST_F(Duplicados, RepeatedLinesSkipTheTitleAndTheIgnoredRow) {
    qint32 fila = -1;
    EXPECT_TRUE(clase.ArticuloRepetido(g, QStringLiteral("abc"), -1, &fila));
    EXPECT_EQ(fila, 1);
    EXPECT_TRUE(clase.ArticuloRepetido(g, QStringLiteral("ABC"), 1, &fila));
    EXPECT_EQ(fila, 3);

    fila = 77;
    EXPECT_FALSE(clase.TareaRepetida(g, QStringLiteral("1030"), 2, &fila));
    EXPECT_EQ(fila, 77); // untouched when nothing is found
    EXPECT_FALSE(clase.OtrosConceptosRepetidos(g, QStringLiteral("Código"), -1, &fila));
    EXPECT_EQ(fila, 77);
    EXPECT_TRUE(clase.OtrosConceptosRepetidos(g, QStringLiteral("1030")));
}

TEST_F(Duplicados, ABlankCodeMatchesABlankLine) {
    // A blank code matches a blank line: callers check a code before they look for it.
    qint32 fila = -1;
    EXPECT_TRUE(clase.ArticuloRepetido(g, QStringLiteral("   "), -1, &fila));
    EXPECT_EQ(fila, 4);
}

class Fraccion : public ConGuion {
protected:
    ClsCmnCptesServicios clase;
};

TEST_F(Fraccion, WholeNumbersAndTextsAreNoFractions) {
    const Regional::Fijo regional(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_FALSE(clase.NumeroEsFraccion(3));
    EXPECT_FALSE(clase.NumeroEsFraccion(QStringLiteral("3")));
    EXPECT_TRUE(clase.NumeroEsFraccion(2.5));
    EXPECT_TRUE(clase.NumeroEsFraccion(-0.25));
    EXPECT_TRUE(clase.NumeroEsFraccion(QStringLiteral("2,5"))); // the regional decimal separator
    EXPECT_FALSE(clase.NumeroEsFraccion(QStringLiteral("texto")));
    EXPECT_FALSE(clase.NumeroEsFraccion(QVariant()));
}

TEST_F(Fraccion, LargeValuesAreTestedWithoutOverflow) {
    const Regional::Fijo regional(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_FALSE(clase.NumeroEsFraccion(40000));
    EXPECT_TRUE(clase.NumeroEsFraccion(40000.5));
    EXPECT_TRUE(clase.NumeroEsFraccion(-32768.75));
    EXPECT_FALSE(clase.NumeroEsFraccion(qint64(5000000000)));
    EXPECT_TRUE(clase.NumeroEsFraccion(5000000000.5));
    EXPECT_FALSE(clase.NumeroEsFraccion(1e18));
}

} // namespace
