// The banner's window offscreen: translucent, its lines, the cancel button and the stacking.

#include "BaseDemo.h"

#include "Cartel.h"
#include "Enlaces.h"
#include "VistaCartel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QWidget* VentanaCartel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<VistaCartel*>(w))
            return w;
    return nullptr;
}

// While the banner shows, its lines follow at the views' pace.
void AlRitmo() {
    QTest::qWait(3 * RitmoVistasMs);
}

TEST(VistaCartel, MuestraLineasCancelaYSoloCambiaElApilado) {
    RegistraVistaCartel();
    Dll_Display d;
    d.CartelInicio("Grabando Stock....", true);
    QWidget* w = VentanaCartel();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Grabando Stock....");
    EXPECT_NEAR(w->windowOpacity(), 200 / 255.0, 0.01);
    bool cancelado = false;
    d.CartelMostrar(cancelado, QString("Grabando Stock..."), QString("1001  Tornillo"), QString("1 de 3"));
    AlRitmo();
    QStringList textos;
    for (QLabel* l : w->findChildren<QLabel*>())
        textos << l->text();
    EXPECT_EQ(textos, (QStringList{"Grabando Stock...", "1001  Tornillo", "1 de 3"}));
    EXPECT_TRUE(textos.size() == 3 && w->findChildren<QLabel*>()[0]->font().bold());
    auto* boton = w->findChild<QPushButton*>();
    ASSERT_NE(boton, nullptr);
    QTest::mouseClick(boton, Qt::LeftButton);
    d.CartelMostrar(cancelado);
    EXPECT_TRUE(cancelado);
    AlRitmo();
    EXPECT_EQ(boton->text(), "Abortado");
    const QRect lugar = w->geometry();
    d.setSiempre_Visible(true);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->geometry(), lugar);
    EXPECT_TRUE(w->isVisible());
    const QImage imagen = w->grab().toImage();
    EXPECT_FALSE(imagen.isNull());
    d.CartelCerrar();
    EXPECT_EQ(VentanaCartel(), nullptr);
    Lbf_CtrlDisplay::RegistraVista({});
}

// A tick of the animation's timer paints nothing at once. The posting refreshes the lines on
// every element and yields each time: the window paints at the views' pace, not at every
// refresh, and ends showing the last lines.
TEST(VistaCartel, LasLineasSePintanAlRitmoDeLasVistas) {
    struct Pinturas : QObject {
        int cuenta = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                ++cuenta;
            return false;
        }
    } pinturas;
    RegistraVistaCartel();
    Dll_Display d;
    d.CartelInicio("Grabando Stock....", false);
    QWidget* w = VentanaCartel();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    AlRitmo();
    w->installEventFilter(&pinturas);
    for (int i = 0; i < 5; ++i)
        d.Formulario()->Timer1_Timer();
    EXPECT_EQ(pinturas.cuenta, 0);
    constexpr int kElementos = 400;
    QElapsedTimer reloj;
    reloj.start();
    bool cancelado = false;
    for (int i = 1; i <= kElementos; ++i)
        d.CartelMostrar(cancelado, QString("Grabando Stock..."), QString("1001  Tornillo"),
                        QString("%1 de %2").arg(i).arg(kElementos));
    const qint64 ms = reloj.elapsed();
    EXPECT_LE(pinturas.cuenta, ms / RitmoVistasMs + 2) << ms << " ms";
    AlRitmo();
    EXPECT_GT(pinturas.cuenta, 0);
    EXPECT_EQ(w->findChildren<QLabel*>()[2]->text(), QString("%1 de %1").arg(kElementos));
    w->removeEventFilter(&pinturas);
    d.CartelCerrar();
    EXPECT_EQ(VentanaCartel(), nullptr);
    Lbf_CtrlDisplay::RegistraVista({});
}

} // namespace
