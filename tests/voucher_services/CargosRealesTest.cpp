// The real charges of an account on the demo database: their pending balance, and the dialog
// driven as the user would (tick, lower an amount through the shared menu and the input box,
// accept with Aceptar or Escape, close), with what it leaves for the caller.

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "CargosSeleccionados.h"
#include "ClsCmnCptesServicios.h"
#include "ConClaseCptes.h"
#include "FrmCtrlCargosReales.h"
#include "FrmMenus.h"
#include "Globales.h"
#include "Grilla.h"
#include "Utilidades.h"

#include <gtest/gtest.h>
#include <memory>

#define EXPECT_TEXTO(a, b) EXPECT_EQ(QString(a).toStdString(), QString(b).toStdString())

namespace {

Moneda Pesos(double p) {
    return Moneda::DeDoble(p);
}

class CargosReales : public ConClaseCptes {
protected:
    // Shows the dialog for the account; `usuario` plays the user's part on it.
    void Muestra(const QString& cliente, const std::function<void(FrmCtrlCargosReales&)>& usuario) {
        guion.alMostrar = [&](Formulario& f) {
            auto& d = dynamic_cast<FrmCtrlCargosReales&>(f);
            EXPECT_TRUE(d.Visible);
            usuario(d);
        };
        clase->ControlDeCargosReales(dialogo, cliente, "AB123CD");
    }
    static ElementoLista& Cargo(FrmCtrlCargosReales& d, const QString& clave) {
        ElementoLista* e = d.ListView1.BuscaClave(clave);
        if (!e)
            throw ErrorSistema(0, "sin cargo " + clave);
        return *e;
    }
    // A right click on the charge, answering the menu and the input box.
    void Aplica(FrmCtrlCargosReales& d, const QString& clave, std::optional<QString> opcion,
                std::optional<QString> importe = std::nullopt) {
        d.ListView1.setSelectedItem(&Cargo(d, clave));
        guion.AgregaOpcionMenu(std::move(opcion));
        if (importe)
            guion.AgregaTexto(std::move(importe));
        d.ListView1_MouseDown(2, 0, 10, 10);
    }
    int Cuantos(const char* tipo) const {
        int n = 0;
        for (const auto& r : guion.Registros())
            n += r.tipo == QLatin1String(tipo) ? 1 : 0;
        return n;
    }
    FrmCtrlCargosReales dialogo;
};

TEST_F(CargosReales, PendingBalanceOfAnAccount) {
    EXPECT_TEXTO(SentenciaImporteCargosReales(" C0001 "),
                 "SELECT SUM (SALDO) AS IMPORTE FROM V_MV_CargosAplicados WHERE CUENTA = 'C0001'");
    EXPECT_TEXTO(SentenciaCargosReales(" C0001"),
                 "SELECT * FROM V_MV_CARGOSAPLICADOS  with(nolock)  WHERE CUENTA "
                 "= ' C0001' AND ((SALDO <> 0) OR (SALDO IS NULL))");
    EXPECT_EQ(clase->ImporteCargosReales(" C0001 "), Pesos(330)); // a NULL balance adds nothing
    EXPECT_EQ(clase->ImporteCargosReales("c0002"), Pesos(60));
    EXPECT_EQ(clase->ImporteCargosReales("SIN CARGOS"), Moneda());
    EXPECT_EQ(clase->ImporteCargosReales("O'Brien"), Moneda());
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    // A failing query goes to the central handler; leaving returns 0.
    AD().EjecutaSQL("DROP TABLE V_MV_CARGOSAPLICADOS");
    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_EQ(clase->ImporteCargosReales("C0001"), Moneda());
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TEXTO(guion.Registros()[0].titulo, "ImporteCargosReales@ - Aviso al operador!!!");
}

TEST_F(CargosReales, ListsTheChargesWithABalance) {
    Muestra("C0001", [](FrmCtrlCargosReales& d) {
        EXPECT_TEXTO(d.Label1.Caption(), "C0001 Almacén Don Pepe");
        ASSERT_EQ(d.ListView1.CuentaEncabezados(), 5);
        const QStringList titulos{"Fecha", "Matricula", "Concepto", "Importe Pendiente", "Observaciones"};
        const int letras[] = {14, 10, 25, 15, 30};
        for (int i = 1; i <= 5; ++i) {
            EXPECT_TEXTO(d.ListView1.Encabezado(i).Text, titulos[i - 1]);
            EXPECT_EQ(d.ListView1.Encabezado(i).Width, letras[i - 1] * 135);
        }
        EXPECT_TRUE(d.ListView1.Checkboxes());
        // The settled charge (balance 0) is left out; a NULL balance shows the amount.
        ASSERT_EQ(d.ListView1.Count(), 3);
        EXPECT_EQ(d.ListView1.BuscaClave("D3"), nullptr);
        ElementoLista& primero = d.ListView1.ListItems(1);
        EXPECT_TEXTO(primero.Key(), "D1");
        EXPECT_TEXTO(primero.Text(), "02/05/2025");
        EXPECT_TEXTO(primero.SubItems(1), "AB123CD");
        EXPECT_TEXTO(primero.SubItems(2), "Cuota social");
        EXPECT_EQ(primero.SubItems(3).size(), 15);
        EXPECT_EQ(UT().TextoAMoneda(primero.SubItems(3)), Pesos(80));
        EXPECT_TEXTO(primero.SubItems(4), "Mayo");
        EXPECT_FALSE(primero.Checked());
        EXPECT_EQ(UT().TextoAMoneda(Cargo(d, "D2").SubItems(3)), Pesos(45.5));
        EXPECT_TEXTO(Cargo(d, "D4").Text(), ""); // a charge without a date
        EXPECT_TEXTO(Cargo(d, "D4").SubItems(2), "Reparación de chapa");
        d.CmdAceptar_Click();
        EXPECT_FALSE(d.Visible);
    });
    // Nothing ticked: one empty element.
    ASSERT_EQ(gCargosSeleccionados.size(), 1u);
    EXPECT_EQ(gCargosSeleccionados[0], CargoSeleccionado{});
    // The account is used as given: with a blank in front it has no charges.
    Muestra(" C0001", [](FrmCtrlCargosReales& d) { EXPECT_EQ(d.ListView1.Count(), 0); });
}

TEST_F(CargosReales, LowerTickAndAccept) {
    Muestra("C0001", [&](FrmCtrlCargosReales& d) {
        Cargo(d, "D1").setChecked(true);
        Cargo(d, "D2").setChecked(true);
        // Lowered through "Aplicar" of the shared menu.
        Aplica(d, "D1", "MNU_EmergenteXXVIICambiaImporte", "50");
        EXPECT_EQ(UT().TextoAMoneda(Cargo(d, "D1").SubItems(3)), Pesos(50));
        const auto& entrada = guion.Registros().back();
        EXPECT_TEXTO(entrada.tipo, "InputBox");
        EXPECT_TRUE(entrada.texto.startsWith("Ingrese el Nuevo Importe debe ser Menor o Igual a "));
        EXPECT_EQ(UT().TextoAMoneda(entrada.texto.mid(50)), Pesos(80));
        EXPECT_TEXTO(entrada.titulo, "Control de Cargos Reales");
        // Above the amount: refused with the message, the amount stays.
        Aplica(d, "D2", "MNU_EmergenteXXVIICambiaImporte", "90");
        EXPECT_EQ(guion.Mensajes(), QStringList{"El Importe debe ser menor o igual al Importe original"});
        EXPECT_TEXTO(guion.Registros().back().titulo, "Cambio de Importe");
        EXPECT_EQ(guion.Registros().back().estilo, Estilo::SoloAceptar | Estilo::Critico);
        EXPECT_EQ(UT().TextoAMoneda(Cargo(d, "D2").SubItems(3)), Pesos(45.5));
        // Equal is taken; cancelled, empty, zero, negative or no number keep the amount.
        Aplica(d, "D2", "MNU_EmergenteXXVIICambiaImporte", UT().AjustaTexto(Pesos(45.5).Texto(), 15));
        for (const std::optional<QString>& r :
             {std::optional<QString>(), std::optional<QString>(""), std::optional<QString>("0"),
              std::optional<QString>("-5"), std::optional<QString>("abc")})
            Aplica(d, "D1", "MNU_EmergenteXXVIICambiaImporte", r);
        EXPECT_EQ(UT().TextoAMoneda(Cargo(d, "D1").SubItems(3)), Pesos(50));
        // "Cancelar", or a menu closed without a choice after an earlier "Aplicar": no box.
        const int cajas = Cuantos("InputBox");
        Aplica(d, "D1", "MNU_EmergenteXXVIICancelar");
        EXPECT_TEXTO(Menus().PRespuesta, "");
        Aplica(d, "D1", "MNU_EmergenteXXVIICambiaImporte", std::optional<QString>()); // sets the word
        Aplica(d, "D1", std::nullopt);
        EXPECT_EQ(Cuantos("InputBox"), cajas + 1);
        // An unticked charge, or the left button, shows no menu.
        const int menus = Cuantos("PopupMenu");
        Aplica(d, "D4", "MNU_EmergenteXXVIICambiaImporte", "1");
        d.ListView1.setSelectedItem(&Cargo(d, "D1"));
        d.ListView1_MouseDown(1, 0, 0, 0);
        EXPECT_EQ(Cuantos("PopupMenu"), menus);
        EXPECT_EQ(UT().TextoAMoneda(Cargo(d, "D4").SubItems(3)), Pesos(250));
        d.CmdAceptar_Click();
    });
    const std::vector<CargoSeleccionado> esperado{{1, Pesos(50)}, {2, Pesos(45.5)}, {}};
    EXPECT_EQ(gCargosSeleccionados, esperado);
    // A second show and accept replaces the first answer; Escape accepts like Aceptar.
    Muestra("C0001", [](FrmCtrlCargosReales& d) {
        EXPECT_EQ(UT().TextoAMoneda(Cargo(d, "D1").SubItems(3)), Pesos(80)); // a fresh list
        Cargo(d, "D4").setChecked(true);
        int escape = 27;
        d.Form_KeyDown(escape, 1);
        EXPECT_EQ(escape, 27);
        EXPECT_FALSE(d.Visible);
        EXPECT_EQ(d.ListView1.Count(), 0);
    });
    const std::vector<CargoSeleccionado> segundo{{4, Pesos(250)}, {}};
    EXPECT_EQ(gCargosSeleccionados, segundo);
    // Closing the window does not accept: the caller finds the empty answer, not the last one.
    Muestra("C0001", [](FrmCtrlCargosReales& d) {
        Cargo(d, "D1").setChecked(true);
        int otra = 13;
        d.Form_KeyDown(otra, 0);
        EXPECT_TRUE(d.Visible);
        d.Form_Unload();
    });
    ASSERT_EQ(gCargosSeleccionados.size(), 1u);
    EXPECT_EQ(gCargosSeleccionados[0], CargoSeleccionado{});
}

TEST_F(CargosReales, DuplicateUndatedAndLargeIdentifiers) {
    // A view that lists a charge twice, charges without an id and ids beyond 16 bits.
    AD().EjecutaSQL("DROP TABLE V_MV_CARGOSAPLICADOS");
    AD().EjecutaSQL("CREATE TABLE V_MV_CARGOSAPLICADOS (id INTEGER, CUENTA VARCHAR(20) COLLATE TEXTO, "
                    "Fecha VARCHAR(19), Matricula VARCHAR(20), Concepto VARCHAR(100), Observaciones TEXT, "
                    "Importe REAL, SALDO REAL)");
    AD().EjecutaSQL(
        "INSERT INTO V_MV_CARGOSAPLICADOS VALUES (70000, 'C9', NULL, 'M', 'Uno', NULL, 10, 10), "
        "(70000, 'C9', '2025-01-01 00:00:00', 'M', 'Uno otra vez', NULL, 10, 10), "
        "(3000000000, 'C9', '2025-01-02 10:30:00', 'M', 'Dos', NULL, 5, 5), "
        "(NULL, 'C9', NULL, 'M', 'Sin id', NULL, 1, 1), (NULL, 'C9', NULL, 'M', 'Sin id 2', NULL, 2, 2)");
    Muestra("C9", [](FrmCtrlCargosReales& d) {
        EXPECT_TEXTO(d.Label1.Caption(), "C9 ");
        ASSERT_EQ(d.ListView1.Count(), 3);
        EXPECT_TEXTO(Cargo(d, "D70000").SubItems(2), "Uno");
        EXPECT_TEXTO(Cargo(d, "D3000000000").Text(), "02/01/2025 10:30:00");
        EXPECT_TEXTO(Cargo(d, "D").SubItems(2), "Sin id");
        for (ElementoLista* e : d.ListView1.Elementos())
            e->setChecked(true);
        d.CmdAceptar_Click();
    });
    const std::vector<CargoSeleccionado> esperado{
        {70000, Pesos(10)}, {3000000000LL, Pesos(5)}, {0, Pesos(1)}, {}};
    EXPECT_EQ(gCargosSeleccionados, esperado);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(CargosReales, AFailingAcceptWritesNothingAndKeepsTheDialog) {
    Muestra("C0001", [&](FrmCtrlCargosReales& d) {
        Cargo(d, "D1").setChecked(true);
        Cargo(d, "D1").setKey("D9e999"); // an id that no integer holds
        guion.AgregaRespuesta(Respuesta::Abortar);
        d.CmdAceptar_Click();
        EXPECT_TRUE(d.Visible);
        ASSERT_EQ(guion.Mensajes().size(), 1);
        EXPECT_EQ(gCargosSeleccionados, std::vector<CargoSeleccionado>(1));
        // Ignore skips the charge and accepts the rest.
        Cargo(d, "D2").setChecked(true);
        guion.AgregaRespuesta(Respuesta::Ignorar);
        d.CmdAceptar_Click();
        EXPECT_FALSE(d.Visible);
    });
    const std::vector<CargoSeleccionado> esperado{{2, Pesos(45.5)}, {}};
    EXPECT_EQ(gCargosSeleccionados, esperado);
}

TEST_F(CargosReales, ResizeAndRowPainting) {
    FrmCtrlCargosReales d;
    d.Form_Resize(9855, 5010);
    EXPECT_EQ(d.MedidasListView1, (FrmCtrlCargosReales::Medidas{0, 240, 9615, 3910}));
    EXPECT_EQ(d.MedidasCmdAceptar.Top, 4320);
    EXPECT_EQ(d.MedidasLabel1.Width, 9615);
    EXPECT_EQ(d.MedidasLblMensaje, (FrmCtrlCargosReales::Medidas{120, 4320, 6495, 255}));
    // Smaller than the margins: what cannot be placed keeps its place, the rest follows.
    d.Form_Resize(200, 5000);
    EXPECT_EQ(d.MedidasListView1.Width, 9615);
    EXPECT_EQ(d.MedidasListView1.Height, 3900);
    d.Form_Resize(3000, 300);
    EXPECT_EQ(d.MedidasListView1, (FrmCtrlCargosReales::Medidas{0, 240, 2760, 3900}));
    EXPECT_EQ(d.MedidasCmdAceptar.Top, 4310);
    EXPECT_EQ(d.MedidasLabel1.Width, 2760);
    EXPECT_TRUE(FrmCtrlCargosReales::ListView1_BeforeLabelEdit());
    EXPECT_TRUE(FrmCtrlCargosReales::ListView1_AfterLabelEdit());

    Grilla g;
    g.setCols(4);
    g.setRows(3);
    g.setCol(2);
    d.PintarFila(g, 1, 255);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 1);
    for (int c = 0; c < 4; ++c) {
        g.setCol(c);
        EXPECT_EQ(g.CellBackColor(), 255) << c;
    }
}

} // namespace
