// A form's pop-up menu shown by the Qt port, offscreen: entries, separators, submenus, check
// marks, hidden and disabled entries as the form set them; the chosen entry comes back, and
// nothing when the menu is closed.

#include "InteraccionQt.h"
#include "MenuEmergente.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

OpcionMenu Opcion(const char* nombre, const char* caption) {
    OpcionMenu o;
    o.Name = QString::fromUtf8(nombre);
    o.Caption = QString::fromUtf8(caption);
    return o;
}

// Runs `accion` on the menu once it pops up.
void AlAparecer(const std::function<void(QMenu&)>& accion, int intentos = 1000) {
    QTimer::singleShot(10, [accion, intentos] {
        if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            accion(*m);
        else if (intentos > 0)
            AlAparecer(accion, intentos - 1);
        else
            ADD_FAILURE() << "no apareció el menú";
    });
}

class MenuQt : public ::testing::Test {
protected:
    void SetUp() override {
        menu = Opcion("MNU_Prueba", "Prueba");
        OpcionMenu marcada = Opcion("MNU_Marcada", "&Aprobar");
        marcada.Checked = true;
        OpcionMenu sub = Opcion("MNU_Sub", "Vistas");
        sub.SubMenus = {Opcion("MNU_Lista", "Lista")};
        OpcionMenu oculta = Opcion("MNU_Oculta", "Oculta");
        oculta.Visible = false;
        OpcionMenu apagada = Opcion("MNU_Apagada", "Apagada");
        apagada.Enabled = false;
        menu.SubMenus = {marcada, Opcion("", "-"), sub, oculta, apagada, Opcion("MNU_Cancelar", "Cancelar")};
    }
    OpcionMenu menu;
    InteraccionQt puerto;
};

TEST_F(MenuQt, ShowsTheEntriesAsTheFormSetThemAndReturnsTheChoice) {
    QWidget ventana;
    ventana.show();
    puerto.setPadre(&ventana);
    AlAparecer([](QMenu& m) {
        EXPECT_EQ(m.objectName(), "MNU_Prueba");
        const QList<QAction*> a = m.actions();
        ASSERT_EQ(a.size(), 6);
        EXPECT_EQ(a[0]->text(), "&Aprobar");
        EXPECT_TRUE(a[0]->isChecked());
        EXPECT_TRUE(a[1]->isSeparator());
        ASSERT_NE(a[2]->menu(), nullptr);
        EXPECT_EQ(a[2]->menu()->actions().size(), 1);
        EXPECT_FALSE(a[3]->isVisible());
        EXPECT_FALSE(a[4]->isEnabled());
        m.setActiveAction(a[5]);
        QTest::keyClick(&m, Qt::Key_Return);
    });
    const OpcionMenu* elegida = puerto.PopupMenu(menu);
    ASSERT_NE(elegida, nullptr);
    EXPECT_EQ(elegida, &menu.SubMenus[5]);

    AlAparecer([](QMenu& m) { QTest::keyClick(&m, Qt::Key_Escape); });
    EXPECT_EQ(puerto.PopupMenu(menu), nullptr);
}

} // namespace
