// The shared pop-up menus: the table's menus, entries, captions and words, the clicks (fixed
// words, nothing stored, menu arrays, check marks, hiding) and the pop-up call through the
// scripted port.

#include "FrmMenus.h"
#include "Ayudas.h"
#include "Comun.h"
#include "Globales.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

#define EXPECT_TEXTO(a, b) EXPECT_EQ(QString(a).toStdString(), QString(b).toStdString())

namespace {

class MenusCompartidos : public ConGuion {
protected:
    void TearDown() override {
        ReiniciaSesion();
        ConGuion::TearDown();
    }
    // "Name:Caption" of the entries of a menu or submenu.
    static QStringList Entradas(const OpcionMenu& menu) {
        QStringList r;
        for (const OpcionMenu& o : menu.SubMenus)
            r << o.Name + u':' + o.Caption;
        return r;
    }
    // The word an entry stores, starting from a marker ("=" when it stores nothing).
    static QString Palabra(FrmMenus& f, const QString& nombre, int indice = -1) {
        f.PRespuesta = QStringLiteral("=");
        f.Click(nombre, indice);
        return f.PRespuesta;
    }
    FrmMenus form;
};

TEST_F(MenusCompartidos, TheTableHoldsEveryMenuInTheFormsOrder) {
    EXPECT_TEXTO(form.PRespuesta, "");
    EXPECT_FALSE(form.Visible);
    ASSERT_EQ(form.Menus().size(), 37u);
    EXPECT_TEXTO(form.Menus().front().Name, "mnu_Emergente");
    EXPECT_TEXTO(form.Menus().back().Name, "MNU_EMERGENTE_COMANDA_RESERVAS");
    int submenus = 0;
    int entradas = 0;
    const std::function<void(const OpcionMenu&)> cuenta = [&](const OpcionMenu& m) {
        for (const OpcionMenu& o : m.SubMenus) {
            submenus += o.EsSubmenu() ? 1 : 0;
            entradas += o.EsSubmenu() || o.EsSeparador() ? 0 : 1;
            cuenta(o);
        }
    };
    for (const OpcionMenu& m : form.Menus())
        cuenta(m);
    EXPECT_EQ(submenus, 6);
    EXPECT_EQ(entradas, 152);

    // The menu this program pops up.
    const OpcionMenu* aplicar = form.Control("mnu_emergenteXXVIII");
    ASSERT_NE(aplicar, nullptr);
    EXPECT_TEXTO(aplicar->Caption, "EmergenteXXVIII");
    EXPECT_EQ(Entradas(*aplicar), QStringList({"MNU_EmergenteXXVIICambiaImporte:Aplicar", ":-",
                                               "MNU_EmergenteXXVIICancelar:Cancelar"}));
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteXXVIICambiaImporte"), "CambiarImporte");
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteXXVIICancelar"), "");
    // A submenu keeps its entries, with the captions as designed (blanks and accents kept).
    EXPECT_EQ(Entradas(*form.Control("Vistas")),
              QStringList({"MNU_View_Icono:Icono", "MNU_View_Icono_Pequeno:Iconos Pequeños",
                           "MNU_View_Lista:Lista", "MNU_View_Reporte:Reporte"}));
    EXPECT_TEXTO(form.Control("mnu_emergenteXXXIII_CambiarEstado")->Caption, " Cambiar Estado");
    EXPECT_TEXTO(form.Control("MNU_CobranzasGlobalesConsultaCancelacionCuotas")->Caption,
                 "Consulta Cancelación ");
    EXPECT_EQ(form.Control("NoExiste"), nullptr);
}

TEST_F(MenusCompartidos, WordsNothingStoredAndHiding) {
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteXXX_NoInformado"), "cambiar");
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteXXX_Cancelar"), "=");
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteXXVI_Cancelar"), "Cancelar");
    EXPECT_TEXTO(Palabra(form, "mnu_emergenteXXXII_Cancelar"), "NP_Cancelar");
    EXPECT_TEXTO(Palabra(form, "MNU_View_Icono_Pequeno"), "IconosPequeños");
    EXPECT_TEXTO(Palabra(form, "MENU_EMERGENTE_CONSULTA_CTACTE"), "MENU_EMERGENTE_CONSULTA_CTACTE");
    for (const char* sinClic :
         {"MNU_EmergenteXXXIAsiento", "MNU_EmergenteXXXIRechazar", "MNU_EmergenteXXXICancelar",
          "MNU_EMERGENTE_COBRANZAS_GLOBALES_Cancelar", "EmergenteXVIiI_Cancelar"})
        EXPECT_TEXTO(Palabra(form, sinClic), "=") << sinClic;
    // Different menus share words; the caller knows which one it popped up.
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteVIAnulBActual"), "AnularActual");
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteVIIDescartarEsta"), "AnularActual");
    EXPECT_TEXTO(Palabra(form, "Mnu_emergenteXXXIII_Cargar"), "CargarTareasDiarias");
    EXPECT_TEXTO(Palabra(form, "EmergenteXII_CargarTareaDiaria"), "CargarTareasDiarias");

    // The entries of the first three menus hide the form, whatever they store.
    const struct {
        const char* entrada;
        const char* palabra;
        bool oculta;
    } kOcultan[] = {{"MNU_EmergenteII_Cancelar", "=", true},
                    {"MNU_Emergente_Cancelar", "", true},
                    {"MNU_EmergenteIII_Cancelar", "", true},
                    {"MNU_EmergenteIV_Editar", "EditarSolicitud", false}};
    for (const auto& c : kOcultan) {
        form.Visible = true;
        EXPECT_TEXTO(Palabra(form, c.entrada), c.palabra);
        EXPECT_EQ(form.Visible, !c.oculta) << c.entrada;
    }
    EXPECT_EQ(NumeroDeError([&] { form.Click("NoExiste"); }), 340);
}

TEST_F(MenusCompartidos, CheckMarksArraysAndTheHiddenEntry) {
    OpcionMenu* aprobar = form.Control("MNU_EmergenteVIAprobar");
    EXPECT_TRUE(aprobar->Checked);
    EXPECT_TRUE(form.Control("MNU_EmergenteVII_Contratar")->Checked);
    EXPECT_FALSE(form.Control("MNU_CitarEvaluar")->Checked);
    aprobar->Checked = false;
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteVIAprobar"), "Aprobar");
    EXPECT_TRUE(form.Control("MNU_EmergenteVIAprobar")->Checked);
    EXPECT_FALSE(form.Control("MNU_Emergente_XV_VerAsiento")->Visible);
    EXPECT_TRUE(form.Control("MNU_Emergente_XV_VerDetalle")->Visible);

    // Elements the caller adds: a technician stores its trimmed caption, the others their tag.
    OpcionMenu& tecnico = form.AgregaElemento("MNU_EmergenteIII_Tecnicos", 1);
    tecnico.Caption = QStringLiteral("  Juan Pérez ");
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteIII_Tecnicos", 1), "Juan Pérez");
    EXPECT_TEXTO(Palabra(form, "MNU_EmergenteIII_Tecnicos", 0), "(Tecnico)");
    form.AgregaElemento("Mnu_Campo", 1).Tag = QStringLiteral("IDARTICULO");
    form.AgregaElemento("Mnu_Campo", 2);
    EXPECT_TEXTO(Palabra(form, "Mnu_Campo", 1), "IDARTICULO");
    EXPECT_TEXTO(Palabra(form, "Mnu_Campo", 2), ""); // an empty tag stores the empty text
    EXPECT_EQ(Entradas(*form.Control("Mnu_Campos")).size(), 3);
    EXPECT_EQ(form.Control("Mnu_Campo", 2)->Index, 2);
    EXPECT_EQ(NumeroDeError([&] { form.AgregaElemento("Mnu_Campo", 1); }), 360);
    EXPECT_EQ(NumeroDeError([&] { form.AgregaElemento("MNU_EmergenteIV_Editar", 1); }), 360);
    // A separator or a submenu stores nothing.
    OpcionMenu separador = form.Control("MNU_EmergenteXXVIII")->SubMenus[1];
    form.PRespuesta = QStringLiteral("=");
    form.Click(separador);
    form.Click(*form.Control("Vistas"));
    EXPECT_TEXTO(form.PRespuesta, "=");
}

TEST_F(MenusCompartidos, PopUpThroughThePortKeepsTheLastWord) {
    FrmMenus& f = Menus();
    EXPECT_EQ(&f, &Menus());
    guion.AgregaOpcionMenu(QStringLiteral("MNU_EmergenteXXVIICambiaImporte"));
    EXPECT_TRUE(f.PopupMenu("MNU_EmergenteXXVIII"));
    EXPECT_TEXTO(f.PRespuesta, "CambiarImporte");
    // Closed without a choice, or an entry of another menu: nothing chosen, the word stays.
    guion.AgregaOpcionMenu(std::nullopt);
    EXPECT_FALSE(f.PopupMenu("MNU_EmergenteXXVIII"));
    guion.AgregaOpcionMenu(QStringLiteral("MNU_EmergenteIV_Editar"));
    EXPECT_FALSE(f.PopupMenu("MNU_EmergenteXXVIII"));
    EXPECT_FALSE(f.PopupMenu("MNU_EmergenteXXVIII")); // nothing scripted
    EXPECT_TEXTO(f.PRespuesta, "CambiarImporte");
    // Into a submenu and an element of a menu array; a hidden entry cannot be chosen.
    guion.AgregaOpcionMenu(QStringLiteral("mnu_view_lista"));
    EXPECT_TRUE(f.PopupMenu("MNU_EmergenteXV"));
    EXPECT_TEXTO(f.PRespuesta, "Lista");
    f.AgregaElemento("MNU_Operador", 1).Tag = QStringLiteral(">=");
    guion.AgregaOpcionMenu(QStringLiteral("MNU_Operador(1)"));
    EXPECT_TRUE(f.PopupMenu("MNU_EmergenteXIII"));
    EXPECT_TEXTO(f.PRespuesta, ">=");
    guion.AgregaOpcionMenu(QStringLiteral("MNU_Emergente_XV_VerAsiento"));
    EXPECT_FALSE(f.PopupMenu("MNU_Emergente_XV"));
    EXPECT_EQ(NumeroDeError([&] { f.PopupMenu("MNU_NoExiste"); }), 340);
    ASSERT_FALSE(guion.Registros().empty());
    EXPECT_TEXTO(guion.Registros().front().tipo, "PopupMenu");
    EXPECT_TEXTO(guion.Registros().front().texto, "MNU_EmergenteXXVIII");
    EXPECT_TEXTO(guion.Registros().front().respuesta, "MNU_EmergenteXXVIICambiaImporte");
    // The session's reset gives a freshly loaded form.
    ReiniciaSesion();
    EXPECT_TEXTO(Menus().PRespuesta, "");
}

} // namespace
