// The control models of the editor window: toolbar, drop-down list, focus order and the form
// helper.

#include "AyudaFormularios.h"
#include "BarraHerramientas.h"
#include "CajaTexto.h"
#include "ErrorSistema.h"
#include "ListaCombo.h"

#include <QStringList>
#include <array>
#include <gtest/gtest.h>

namespace {

TEST(Barra, InterruptoresGobiernanSusBotones) {
    BarraHerramientas b;
    // At rest: outside editing.
    EXPECT_TRUE(b.BotonHabilitado("nuevo"));
    EXPECT_TRUE(b.BotonHabilitado("PLANILLA"));
    EXPECT_FALSE(b.BotonHabilitado("GRABAR"));
    EXPECT_FALSE(b.BotonHabilitado("CANCELAR"));
    EXPECT_FALSE(b.BotonHabilitado("BORRAR"));
    EXPECT_FALSE(b.BotonHabilitado("CONSULTAR"));
    EXPECT_TRUE(b.BotonHabilitado("REPORTE"));
    EXPECT_TRUE(b.BotonHabilitado("CERRAR"));
    struct Caso {
        void (BarraHerramientas::*set)(bool);
        QStringList botones;
    };
    const Caso casos[] = {
        {&BarraHerramientas::setHabilitaFueraEdicion1, {"NUEVO"}},
        {&BarraHerramientas::setHabilitaFueraEdicion2, {"PLANILLA"}},
        {&BarraHerramientas::setHabilitaEnEdicion1, {"GRABAR"}},
        {&BarraHerramientas::setHabilitaEnEdicion2, {"CANCELAR"}},
        {&BarraHerramientas::setHabilitaEnEdicionSinEgreso, {"BORRAR"}},
        {&BarraHerramientas::setHabilitaConsultar, {"CONSULTAR"}},
        {&BarraHerramientas::setHabilitaSiempre, {"REPORTE", "CERRAR"}},
    };
    for (const Caso& c : casos) {
        BarraHerramientas barra;
        for (bool valor : {true, false}) {
            (barra.*c.set)(valor);
            for (const auto& boton : barra.Botones()) {
                if (c.botones.contains(boton.palabra)) {
                    EXPECT_EQ(boton.habilitado, valor) << boton.palabra.toStdString();
                }
            }
        }
    }
    ASSERT_EQ(b.Botones().size(), 8u);
    QStringList palabras;
    for (const auto& boton : b.Botones())
        palabras << boton.palabra;
    EXPECT_EQ(palabras, QStringList({"NUEVO", "BORRAR", "GRABAR", "PLANILLA", "CONSULTAR", "REPORTE",
                                     "CERRAR", "CANCELAR"}));
}

TEST(Barra, TeclasPulsanSoloBotonesHabilitados) {
    BarraHerramientas b;
    QStringList pulsados;
    b.Click = [&](const QString& p) { pulsados << p; };
    const std::pair<qint16, const char*> teclas[] = {{113, "GRABAR"},   {114, "NUEVO"},   {116, "CONSULTAR"},
                                                     {117, "PLANILLA"}, {118, "REPORTE"}, {119, "BORRAR"},
                                                     {123, "CERRAR"},   {27, "CANCELAR"}};
    b.setHabilitaEnEdicion1(true);
    b.setHabilitaEnEdicion2(true);
    b.setHabilitaEnEdicionSinEgreso(true);
    b.setHabilitaConsultar(true);
    for (const auto& [tecla, palabra] : teclas) {
        qint16 codigo = tecla;
        b.ProcesaTecla(codigo);
        EXPECT_EQ(codigo, 0) << palabra;
        EXPECT_EQ(pulsados.last(), palabra);
    }
    // Disabled buttons and keys of no button pass unchanged.
    pulsados.clear();
    b.setHabilitaEnEdicion1(false);
    for (qint16 tecla : std::initializer_list<qint16>{113, 13, 65, 112}) {
        qint16 codigo = tecla;
        b.ProcesaTecla(codigo);
        EXPECT_EQ(codigo, tecla);
    }
    b.setEnabled(false);
    qint16 f3 = 114;
    b.ProcesaTecla(f3);
    EXPECT_EQ(f3, 114);
    EXPECT_FALSE(b.Presiona("NUEVO"));
    EXPECT_TRUE(pulsados.isEmpty());
}

TEST(Barra, ElClickPuedeCambiarLaBarra) {
    BarraHerramientas b;
    QStringList pulsados;
    b.Click = [&](const QString& p) {
        pulsados << p;
        b.setHabilitaFueraEdicion1(false);
    };
    EXPECT_TRUE(b.Presiona("Nuevo"));
    EXPECT_EQ(pulsados, QStringList{"NUEVO"});
    EXPECT_FALSE(b.Presiona("NUEVO"));
}

TEST(Lista, SeleccionYClick) {
    ListaCombo l;
    int clicks = 0;
    l.Click = [&] { ++clicks; };
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.Text(), "");
    try {
        l.setListIndex(0);
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 380);
    }
    EXPECT_EQ(clicks, 0);
    l.AddItem("  TR - Transferencia");
    l.AddItem("  IR - Informe");
    l.setListIndex(1);
    EXPECT_EQ(l.Text(), "  IR - Informe");
    l.setListIndex(1); // the same index raises it again
    EXPECT_EQ(clicks, 2);
    l.AddItem(" AJN - Ajuste", 0);
    EXPECT_EQ(l.ListIndex(), 2); // the selection follows its item
    l.RemoveItem(2);
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_THROW(l.AddItem("x", 9), ErrorSistema);
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
    EXPECT_EQ(l.List(0), "");
    EXPECT_EQ(clicks, 2);
}

// A form of three boxes and a list, for the helper.
class FormPrueba : public FormularioAyudado {
public:
    FormPrueba() {
        const char* campos[] = {"NOMBRE", "DepositoOrigen", "DETALLE"};
        for (int i = 0; i < 3; ++i)
            cajas[i].setDataField(campos[i]);
        std::vector<FocoFormulario::Parada> orden;
        orden.push_back({"Lista", [] { return true; }});
        for (int i = 0; i < 3; ++i)
            orden.push_back({QString("Caja(%1)").arg(i), [this, i] { return cajas[i].Enabled(); }});
        foco.DefineOrden(orden);
        foco.alMoverFoco = [this](const QString& a, const QString& n) { movidas << a + ">" + n; };
    }
    QString NombreFormulario() const override { return "FormPrueba"; }
    FocoFormulario& Foco() override { return foco; }
    std::vector<CajaTexto*> ArregloCampos(const QString& nombre) override {
        if (nombre.compare("cajas", Qt::CaseInsensitive) != 0)
            return {};
        return {&cajas[0], &cajas[1], &cajas[2]};
    }
    std::array<CajaTexto, 3> cajas;
    FocoFormulario foco;
    QStringList movidas;
};

TEST(Ayuda, LeeCampoSinDistinguirMayusculas) {
    FormPrueba f;
    AyudaFormularios a;
    EXPECT_EQ(a.LeeCampo("Nombre", f.cajas), 0);
    EXPECT_EQ(a.LeeCampo("depositoorigen", f.cajas), 1);
    EXPECT_EQ(a.LeeCampo("detalle", f.cajas), 2);
    EXPECT_EQ(a.LeeCampo("IdMotivoStock", f.cajas), -1);
}

TEST(Ayuda, SiguienteControlSaltaLosDeshabilitadosYDaLaVuelta) {
    FormPrueba f;
    AyudaFormularios a;
    f.foco.SetFocus("Lista");
    f.cajas[0].setEnabled(false);
    a.SiguienteControl(f, 13);
    EXPECT_EQ(f.foco.Actual(), "Caja(1)");
    a.SiguienteControl(f);
    a.SiguienteControl(f);
    EXPECT_EQ(f.foco.Actual(), "Lista");
    EXPECT_EQ(f.movidas, QStringList({">Lista", "Lista>Caja(1)", "Caja(1)>Caja(2)", "Caja(2)>Lista"}));
    // SetFocus on a control that cannot take it raises 5, as the system does.
    try {
        f.foco.SetFocus("Caja(0)");
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 5);
    }
    EXPECT_EQ(f.foco.Actual(), "Lista");
}

TEST(Ayuda, PreparaCamposVaciaLasCajas) {
    FormPrueba f;
    AyudaFormularios a;
    for (auto& c : f.cajas) {
        c.setText("algo");
        c.setEnabled(false);
    }
    a.PreparaCampos(f, "CAJAS");
    for (auto& c : f.cajas) {
        EXPECT_EQ(c.Text(), "");
        EXPECT_TRUE(c.Enabled());
    }
}

TEST(Ayuda, TeclasYCaracteres) {
    AyudaFormularios a;
    CajaTexto caja;
    qint16 enter = 13;
    EXPECT_TRUE(a.FiltraTecla(enter));
    EXPECT_EQ(enter, 13);
    qint16 tab = 9;
    EXPECT_FALSE(a.FiltraTecla(tab));
    struct Caso {
        qint16 entra, sale;
    };
    for (const Caso c :
         {Caso{'a', 'a'}, Caso{8, 8}, Caso{39, 0}, Caso{13, 0}, Caso{1, 0}, Caso{0xF1, 0xF1}}) {
        qint16 k = c.entra;
        a.FiltraCaracter(caja, k);
        EXPECT_EQ(k, c.sale) << c.entra;
    }
    EXPECT_EQ(a.SeparadorDecimal().size(), 1);
}

} // namespace
