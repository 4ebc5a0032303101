// The line limit of a printed voucher and the counts of a voucher's three grids.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "Comun.h"
#include "Globales.h"
#include "Grilla.h"
#include "Regional.h"
#include "StockInterno.h"

#include <gtest/gtest.h>

namespace {

// Fills `n` lines of a grid (from row 1) with codes and quantities, leaving `blancas` more lines
// whose code is only blanks.
void Llena(Grilla& g, int n, int blancas = 0, const QString& cantidad = QStringLiteral("1")) {
    g.setRows(1 + n + blancas);
    for (int f = 1; f <= n; ++f) {
        g.setTextMatrix(f, col::CodigoArticulo, QString::number(1000 + f));
        if (g.Cols() > col::Cantidad)
            g.setTextMatrix(f, col::Cantidad, cantidad);
    }
    for (int f = n + 1; f <= n + blancas; ++f)
        g.setTextMatrix(f, col::CodigoArticulo, QStringLiteral("   "));
}

class Conteo : public ConGuion {
protected:
    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
    ClsCmnCptesServicios clase;
    Grilla tareas{1, 24, 1, 0};
    Grilla articulos{1, ColumnasGrillaArticulos, 1, 0};
    Grilla otros{1, 6, 1, 0};
};

TEST_F(Conteo, AbsentGridsCountNothing) {
    qint32 t = 9, a = 9, o = 9;
    double u = 9;
    EXPECT_EQ(clase.CuentaItems(nullptr, nullptr, nullptr, &t, &a, &o, &u), 0);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(o, 0);
    EXPECT_EQ(u, 0.0);
}

TEST_F(Conteo, FilledLinesAreCountedAndQuantitiesSummedInCurrency) {
    Llena(tareas, 2, 1);
    Llena(otros, 3);
    articulos.setRows(6);
    articulos.setTextMatrix(0, col::CodigoArticulo, QStringLiteral("Código")); // the title row
    articulos.setTextMatrix(0, col::Cantidad, QStringLiteral("500"));
    articulos.setTextMatrix(1, col::CodigoArticulo, QStringLiteral("1030"));
    articulos.setTextMatrix(1, col::Cantidad, QStringLiteral("1 234.5"));
    articulos.setTextMatrix(2, col::CodigoArticulo, QStringLiteral("1031"));
    articulos.setTextMatrix(2, col::Cantidad, QStringLiteral("1.00005")); // four decimals: 1
    articulos.setTextMatrix(3, col::CodigoArticulo, QStringLiteral("  "));
    articulos.setTextMatrix(3, col::Cantidad, QStringLiteral("40"));         // blank line: no quantity
    articulos.setTextMatrix(4, col::CodigoArticulo, QStringLiteral("1032")); // a code and nothing else
    articulos.setTextMatrix(5, col::CodigoArticulo, QStringLiteral("1033"));
    articulos.setTextMatrix(5, col::Cantidad, QStringLiteral("0.00015")); // 0.0002, half to even

    qint32 t = 0, a = 0, o = 0;
    double u = 0;
    EXPECT_EQ(clase.CuentaItems(&tareas, &articulos, &otros, &t, &a, &o, &u), 2 + 4 + 3);
    EXPECT_EQ(t, 2);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(o, 3);
    EXPECT_DOUBLE_EQ(u, 1235.5002);

    // Without the articles grid the other two are still counted.
    EXPECT_EQ(clase.CuentaItems(&tareas, nullptr, &otros, &t, &a, &o, &u), 5);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(u, 0.0);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Conteo, AQuantityBeyondCurrencyIsReportedAndIgnoredOrLeft) {
    Llena(articulos, 3, 0, QStringLiteral("2"));
    articulos.setTextMatrix(2, col::Cantidad, QStringLiteral("1e300"));
    qint32 a = 0;
    double u = 0;
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_EQ(clase.CuentaItems(nullptr, &articulos, nullptr, nullptr, &a, nullptr, &u), 3);
    EXPECT_EQ(u, 4.0);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.startsWith(QStringLiteral("CuentaItems&")));

    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_EQ(clase.CuentaItems(nullptr, &articulos, nullptr, nullptr, &a, nullptr, &u), 0);
    EXPECT_EQ(a, 2); // what it had counted when it left
    EXPECT_EQ(u, 2.0);
}

TEST_F(Conteo, ElectronicVouchersAndAGivenLimitNeedNoQuery) {
    Llena(articulos, 30);
    qint16 limite = 5;
    qint16 usadas = 7;
    clase.esElectronica = true;
    EXPECT_TRUE(
        clase.ValidaCantidadLineasCpte("  FC", "A", nullptr, &articulos, nullptr, &limite, &usadas, 0, -1));
    EXPECT_EQ(limite, 0);
    EXPECT_EQ(usadas, 7);

    clase.esElectronica = false;
    limite = 0;
    EXPECT_TRUE(
        clase.ValidaCantidadLineasCpte("  FC", "A", nullptr, &articulos, nullptr, &limite, &usadas, 0, -1));
    EXPECT_EQ(usadas, 7);

    limite = 29;
    EXPECT_FALSE(
        clase.ValidaCantidadLineasCpte("  FC", "A", nullptr, &articulos, nullptr, &limite, &usadas, 0, -1));
    EXPECT_EQ(limite, 29);
    EXPECT_EQ(usadas, 30);
    // Not connected: any query would have been reported.
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

class LimiteLineas : public ConBaseDemo {
protected:
    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
    Grilla tareas{1, 24, 1, 0};
    Grilla articulos{1, ColumnasGrillaArticulos, 1, 0};
    Grilla otros{1, 6, 1, 0};
};

TEST_F(LimiteLineas, TheQueryTakesTypeAndLetterAsGiven) {
    EXPECT_EQ(stock_interno::SqlLineasComprobante("FC", "A"),
              "SELECT CANTLINEAS FROM TA_CONFIG_IMP_CPTE WHERE TC='FC' AND LETRA='A' ORDER BY ID");
    EXPECT_EQ(stock_interno::SqlLineasComprobante("  FC", "O'"),
              "SELECT CANTLINEAS FROM TA_CONFIG_IMP_CPTE WHERE TC='  FC' AND LETRA='O''' ORDER BY ID");
}

TEST_F(LimiteLineas, AtUnderAndOverTheLimit) {
    // "  FC" letter A holds 20 lines; they may lie in any of the three grids.
    ClsCmnCptesServicios clase;
    Llena(tareas, 5, 2);
    Llena(articulos, 10, 3);
    Llena(otros, 5);
    qint16 limite = 0;
    qint16 usadas = 0;
    EXPECT_TRUE(clase.ValidaCantidadLineasCpte("  FC", "A", &tareas, &articulos, &otros, &limite, &usadas));
    EXPECT_EQ(limite, 20);
    EXPECT_EQ(usadas, 20);
    EXPECT_FALSE(
        clase.ValidaCantidadLineasCpte("  FC", "A", &tareas, &articulos, &otros, &limite, &usadas, 1));
    EXPECT_EQ(usadas, 20);

    Llena(otros, 4);
    EXPECT_TRUE(
        clase.ValidaCantidadLineasCpte("  FC", "a", &tareas, &articulos, &otros, &limite, &usadas, 1));
    EXPECT_EQ(usadas, 19);
    Llena(otros, 6);
    EXPECT_FALSE(clase.ValidaCantidadLineasCpte("  FC", "A", &tareas, &articulos, &otros, &limite, &usadas));
    EXPECT_EQ(usadas, 21);
    // The remito holds 30.
    EXPECT_TRUE(clase.ValidaCantidadLineasCpte("  RM", "R", &tareas, &articulos, &otros, &limite, &usadas));
    EXPECT_EQ(limite, 30);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(LimiteLineas, NoRowOrZeroMeansNoLimit) {
    ClsCmnCptesServicios clase;
    Llena(articulos, 50);
    qint16 limite = 12;
    qint16 usadas = -3;
    EXPECT_TRUE(clase.ValidaCantidadLineasCpte("  FC", "C", nullptr, &articulos, nullptr, &limite, &usadas));
    EXPECT_EQ(limite, 0);
    EXPECT_EQ(usadas, -3);
    // The type is not filled: "FC" is not the stored "  FC".
    EXPECT_TRUE(clase.ValidaCantidadLineasCpte("FC", "A", nullptr, &articulos, nullptr, &limite, &usadas));
    EXPECT_EQ(limite, 0);
    AD().EjecutaSQL("UPDATE TA_CONFIG_IMP_CPTE SET CANTLINEAS = 0 WHERE TC = '  FC' AND LETRA = 'B'");
    EXPECT_TRUE(clase.ValidaCantidadLineasCpte("  FC", "B", nullptr, &articulos, nullptr, &limite, &usadas));
    EXPECT_EQ(limite, 0);
    // An apostrophe in the letter cannot break the statement.
    EXPECT_TRUE(clase.ValidaCantidadLineasCpte("  FC", "'", nullptr, &articulos, nullptr, &limite, &usadas));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(LimiteLineas, TheFirstRowByIdGivesTheLimit) {
    AD().EjecutaSQL("INSERT INTO TA_CONFIG_IMP_CPTE (ID, TC, LETRA, CANTLINEAS) VALUES (0, '  FC', 'A', 3)");
    ClsCmnCptesServicios clase;
    Llena(articulos, 4);
    qint16 limite = 0;
    EXPECT_FALSE(clase.ValidaCantidadLineasCpte("  FC", "A", nullptr, &articulos, nullptr, &limite));
    EXPECT_EQ(limite, 3);
}

TEST_F(LimiteLineas, AFailedQueryIsReportedAndLeavesWithFalse) {
    AD().EjecutaSQL("DROP TABLE TA_CONFIG_IMP_CPTE");
    ClsCmnCptesServicios clase;
    Llena(articulos, 1);
    qint16 limite = 7;
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_FALSE(clase.ValidaCantidadLineasCpte("  FC", "A", nullptr, &articulos, nullptr, &limite));
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_TRUE(guion.Registros()[1].titulo.startsWith(QStringLiteral("ValidaCantidadLineasCpte")));
    EXPECT_EQ(limite, 7);
}

} // namespace
