// The current line of a voucher grid in the status bar.

#include "BarraEstado.h"
#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "ErrorSistema.h"
#include "Grilla.h"
#include "Regional.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace {

class DetalleBarra : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        c = std::make_unique<ClsCmnCptesServicios>();
        for (int i = 0; i < 5; ++i)
            barra.Add();
        articulos.setCols(ColumnasGrillaArticulos);
        articulos.setRows(4);
    }

    QStringList Textos() const {
        QStringList r;
        for (int i = 1; i <= barra.Count(); ++i)
            r << barra.Panels(i).Text();
        return r;
    }

    // An article line on row `fila`, made current.
    void Linea(int fila, const QString& codigo, const QString& descripcion, const QString& stock) {
        articulos.setTextMatrix(fila, col::CodigoArticulo, codigo);
        articulos.setTextMatrix(fila, col::Descripcion, descripcion);
        articulos.setTextMatrix(fila, col::StockDisponible, stock);
        articulos.setRow(fila);
    }

    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    std::unique_ptr<ClsCmnCptesServicios> c;
    BarraEstado barra;
    Grilla articulos;
};

TEST_F(DetalleBarra, TextGoesToPanelFourUnlessAnotherIsNamed) {
    c->MuestraDetalle(QStringLiteral("Listo"), barra);
    c->MuestraDetalle(QStringLiteral("Servidor"), barra, 2);
    EXPECT_EQ(Textos(), QStringList({"", "Servidor", "", "Listo", ""}));

    try {
        c->MuestraDetalle(QStringLiteral("x"), barra, 6);
        FAIL() << "a panel beyond the bar was written";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), ErrorBarra::IndiceFueraDeLimites);
    }
}

TEST_F(DetalleBarra, TaskAndConceptOfTheCurrentRow) {
    Grilla tareas(3, ColumnasGrillaTareas, 1, 0);
    tareas.setTextMatrix(1, colTarea::Codigo, QStringLiteral("T1"));
    tareas.setTextMatrix(2, colTarea::Codigo, QStringLiteral("  T02 "));
    tareas.setTextMatrix(2, colTarea::Descripcion, QStringLiteral(" Instalación\t "));
    tareas.setRow(2);
    c->MuestraDetalleTareas(tareas, barra);
    // Only blanks are trimmed.
    EXPECT_EQ(barra.Panels(4).Text(), "T02 - Instalación\t");

    Grilla otros(3, ColumnasGrillaOtrosConceptos, 1, 0);
    otros.setTextMatrix(1, colOtroConcepto::Detalle, QStringLiteral("  Flete  "));
    otros.setRow(1);
    c->MuestraDetalleOtrosConceptos(otros, barra);
    EXPECT_EQ(barra.Panels(4).Text(), "Flete");

    // A bar without panel 4 raises to the caller.
    BarraEstado corta;
    corta.Add();
    EXPECT_THROW(c->MuestraDetalleTareas(tareas, corta), ErrorSistema);
    EXPECT_THROW(c->MuestraDetalleOtrosConceptos(otros, corta), ErrorSistema);
}

TEST_F(DetalleBarra, ArticleAndItsStockInThePanelKeyedStock) {
    BarraEstado b;
    b.Add(QStringLiteral("Mensaje"));
    b.Add(QStringLiteral("STOCK"));
    b.Add();
    b.Add();
    Linea(2, QStringLiteral(" 1001 "), QStringLiteral("Tornillo 6 mm "), QStringLiteral("1.234,5"));
    c->MuestraDetalleArticulos(articulos, b);
    EXPECT_EQ(b.Panels(4).Text(), "1001 - Tornillo 6 mm");
    // The regional text of the number, without grouping.
    EXPECT_EQ(b.Panels(QStringLiteral("Stock")).Text(), "Stock: 1234,5");
    EXPECT_EQ(b.Panels(1).Text(), "");

    Linea(3, QStringLiteral("1002"), QStringLiteral("Tuerca"), QString());
    c->MuestraDetalleArticulos(articulos, b, 3);
    EXPECT_EQ(b.Panels(3).Text(), "1002 - Tuerca");
    EXPECT_EQ(b.Panels(2).Text(), "Stock: 0");

    Linea(1, QStringLiteral("1003"), QString(), QStringLiteral("-2,50"));
    c->MuestraDetalleArticulos(articulos, b, 1);
    EXPECT_EQ(b.Panels(1).Text(), "1003 - ");
    EXPECT_EQ(b.Panels(2).Text(), "Stock: -2,5");
}

TEST_F(DetalleBarra, WithoutAStockPanelOnlyTheArticleIsShown) {
    Linea(1, QStringLiteral("1001"), QStringLiteral("Tornillo"), QStringLiteral("7"));
    c->MuestraDetalleArticulos(articulos, barra);
    EXPECT_EQ(Textos(), QStringList({"", "", "", "1001 - Tornillo", ""}));
}

TEST_F(DetalleBarra, ArticleDetailSkipsWhatFails) {
    // No panel 4: the stock is still shown.
    BarraEstado b;
    b.Add();
    b.Add(QStringLiteral("Stock"));
    Linea(1, QStringLiteral("1001"), QStringLiteral("Tornillo"), QStringLiteral("3"));
    EXPECT_NO_THROW(c->MuestraDetalleArticulos(articulos, b));
    EXPECT_EQ(b.Panels(2).Text(), "Stock: 3");

    // A grid without the stock column: the article is shown, the stock panel left alone.
    Grilla corta(2, 5, 1, 0);
    corta.setTextMatrix(1, 0, QStringLiteral("1002"));
    corta.setTextMatrix(1, 1, QStringLiteral("Tuerca"));
    corta.setRow(1);
    EXPECT_NO_THROW(c->MuestraDetalleArticulos(corta, barra));
    EXPECT_EQ(barra.Panels(4).Text(), "1002 - Tuerca");
    EXPECT_NO_THROW(c->MuestraDetalleArticulos(corta, b));
    EXPECT_EQ(b.Panels(2).Text(), "Stock: 3");
    // Nothing was asked of the user.
    EXPECT_TRUE(guion.Registros().empty());
}

} // namespace
