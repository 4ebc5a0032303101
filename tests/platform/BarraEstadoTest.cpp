#include "BarraEstado.h"
#include "Ayudas.h"
#include "ErrorSistema.h"
#include "Pestanas.h"

#include <gtest/gtest.h>

namespace {

class BarraEstadoTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* clave : {"MENSAJE", "SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
            barra.Add(clave);
    }
    BarraEstado barra;
};

TEST_F(BarraEstadoTest, PanelesPorClaveYPorIndice) {
    EXPECT_EQ(barra.Count(), 6);
    barra.Panels("SERVER").setText("Srv: central");
    barra.Panels("server").setToolTipText("Srv: central"); // keys ignore case
    const PanelEstado& p = barra.Panels(2);
    EXPECT_EQ(p.Key(), "SERVER");
    EXPECT_EQ(p.Text(), "Srv: central");
    EXPECT_EQ(p.ToolTipText(), "Srv: central");
    EXPECT_EQ(p.Index(), 2);
    barra.Panels(1).setText("listo");
    EXPECT_EQ(barra.Panels("MENSAJE").Text(), "listo");
    EXPECT_EQ(barra.Panels(QString("Version")).Index(), 6);
}

TEST_F(BarraEstadoTest, PanelesInexistentes) {
    EXPECT_EQ(NumeroDeError([&] { barra.Panels(0); }), ErrorBarra::IndiceFueraDeLimites);
    EXPECT_EQ(NumeroDeError([&] { barra.Panels(7); }), ErrorBarra::IndiceFueraDeLimites);
    EXPECT_EQ(NumeroDeError([&] { barra.Panels("Stock"); }), ErrorBarra::ElementoNoEncontrado);
    EXPECT_EQ(NumeroDeError([&] { barra.Panels(""); }), ErrorBarra::ElementoNoEncontrado);
    EXPECT_EQ(NumeroDeError([&] { barra.Add("caja"); }), ErrorBarra::ClaveRepetida);
    EXPECT_EQ(barra.Count(), 6);
}

TEST(BarraEstado, PanelesSinClaveYAvisos) {
    BarraEstado barra;
    std::vector<int> avisos;
    barra.alCambiar = [&](int i) { avisos.push_back(i); };
    barra.Add();
    barra.Add();
    barra.Add("stock");
    barra.Add("", "cuarto");
    EXPECT_EQ(barra.Panels(4).Text(), "cuarto");
    barra.Panels(4).setText("Tornillo - 1/4");
    EXPECT_EQ(avisos, (std::vector<int>{0, 0, 0, 0, 4}));
    // The scan that looks for the panel keyed Stock, whatever its case.
    int hallado = 0;
    for (int i = 1; i <= barra.Count() && !hallado; ++i)
        if (barra.Panels(i).Key().compare("Stock", Qt::CaseInsensitive) == 0)
            hallado = i;
    EXPECT_EQ(hallado, 3);
}

TEST(Pestanas, VisibilidadYTitulos) {
    Pestanas tab;
    EXPECT_EQ(tab.Tabs(), 3);
    EXPECT_EQ(tab.TabCaption(1), "Tab 1");
    EXPECT_TRUE(tab.TabVisible(2));
    tab.setTabCaption(1, "Artículos");
    tab.setTabVisible(0, false);
    EXPECT_EQ(tab.TabCaption(1), "Artículos");
    EXPECT_FALSE(tab.TabVisible(0));
    EXPECT_EQ(NumeroDeError([&] { tab.TabVisible(3); }), 381);
    EXPECT_EQ(NumeroDeError([&] { tab.setTabCaption(-1, ""); }), 381);
    tab.setTab(2);
    tab.setTabs(2); // fewer tabs: the current one stays inside
    EXPECT_EQ(tab.Tab(), 1);
    EXPECT_EQ(tab.TabCaption(1), "Artículos");
    tab.setTabs(4);
    EXPECT_EQ(tab.TabCaption(3), "Tab 3");
    EXPECT_FALSE(tab.TabVisible(0));
}

} // namespace
