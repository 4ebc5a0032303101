// The banner released while it shows, as the program's shutdown releases it: its window goes
// with the views' pace given back, and nothing of it runs once it is going.

#include "Cartel.h"
#include "Enlaces.h"
#include "VistaCartel.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(CartelLiberado, SuVentanaSeVaSinActualizarseYLasDemasVistasSiguenAlInstante) {
    RegistraVistaCartel();
    DllDisplay().CartelInicio(QStringLiteral("Grabando Stock...."), false);
    QWidget* w = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (dynamic_cast<VistaCartel*>(t))
            w = t;
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    // Shown, the banner holds the pace: a new title and line wait for the next turn.
    Lbf_CtrlDisplay& form = *DllDisplay().Formulario();
    form.setCaption(QStringLiteral("Otro título"));
    form.LblCtrol[0].setCaption(QStringLiteral("1 de 3"));
    ASSERT_EQ(w->windowTitle(), "Grabando Stock....");

    // What reaches the window while it goes: its waiting update would retitle and repaint it.
    struct Mirada : QObject {
        int eventos = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::WindowTitleChange || e->type() == QEvent::Paint)
                ++eventos;
            return false;
        }
    } mirada;
    w->installEventFilter(&mirada);
    LiberaDllDisplay();
    Lbf_CtrlDisplay::RegistraVista({});
    EXPECT_EQ(mirada.eventos, 0);

    // Another window's view follows its model at once again.
    Etiqueta modelo;
    QLabel etiqueta;
    EnlazaEtiqueta(modelo, &etiqueta);
    modelo.setCaption(QStringLiteral("al instante"));
    EXPECT_EQ(etiqueta.text(), "al instante");
}

} // namespace
