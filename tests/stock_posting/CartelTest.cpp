// The progress banner, headless: its texts, cancel state, animation and life, and what the stock
// posting shows on it.

#include "BasePosteo.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

class Cartel : public ConPosteo {
protected:
    void TearDown() override {
        LiberaDllDisplay();
        ConPosteo::TearDown();
    }
};

TEST_F(Cartel, TextosCancelacionYCierre) {
    Dll_Display& d = DllDisplay();
    d.CartelInicio("Procesando...", true);
    Lbf_CtrlDisplay* f = d.Formulario();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Caption(), "Procesando...");
    EXPECT_TRUE(f->Visible());
    EXPECT_TRUE(f->CmdDisplayCancelar.Visible());
    EXPECT_EQ(f->CmdDisplayCancelar.Caption(), "&Cancelar");
    bool cancelado = true;
    d.CartelMostrar(cancelado, QString("uno"), QVariant(), 42);
    EXPECT_FALSE(cancelado);
    EXPECT_EQ(f->LblCtrol[0].Caption(), "uno");
    EXPECT_EQ(f->LblCtrol[1].Caption(), ""); // a null shows empty
    EXPECT_EQ(f->LblCtrol[2].Caption(), "42");
    d.CartelMostrar(cancelado); // no line given: the lines stay
    EXPECT_EQ(f->LblCtrol[0].Caption(), "uno");
    f->CmdDisplayCancelar_Click();
    for (int i = 0; i < 2; ++i) {
        d.CartelMostrar(cancelado, QString("dos"));
        EXPECT_TRUE(cancelado);
    }
    // A second start keeps the one form, cancelled, with the new caption.
    d.CartelInicio("Otra vez", false);
    EXPECT_EQ(d.Formulario(), f);
    EXPECT_EQ(f->Caption(), "Otra vez");
    EXPECT_FALSE(f->CmdDisplayCancelar.Visible());
    d.CartelCerrar();
    EXPECT_EQ(d.Formulario(), nullptr);
    d.CartelInicio("Nuevo", true);
    d.CartelMostrar(cancelado);
    EXPECT_FALSE(cancelado);
    EXPECT_EQ(d.Formulario()->LblCtrol[0].Caption(), "");
    d.CartelCerrar();
    d.CartelCerrar(); // without a banner: nothing happens
    EXPECT_EQ(d.Formulario(), nullptr);
}

TEST_F(Cartel, AnimacionDeDoceCuadrosEnElTemporizador) {
    Lbf_CtrlDisplay f;
    EXPECT_EQ(f.Image1(), 1);
    EXPECT_TRUE(f.TimerActivo());
    std::vector<int> cuadros;
    for (int i = 0; i < 14; ++i) {
        f.Timer1_Timer();
        cuadros.push_back(f.Image1());
    }
    EXPECT_EQ(cuadros, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}));
    // The real timer turns it while the caller yields.
    const int antes = f.Image1();
    QElapsedTimer reloj;
    reloj.start();
    while (f.Image1() == antes && reloj.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_NE(f.Image1(), antes);
    f.setSiempreVisible(true);
    EXPECT_TRUE(f.SiempreVisible());
}

TEST_F(Cartel, ElPosteoMuestraCadaRenglonYCierra) {
    auto g = GrillaArticulos({Linea("1001", "1", {{1, "Tornillo"}}), Linea("1002", "2", {{1, "Tuerca"}})});
    std::vector<QStringList> vistos;
    bool abierto = false;
    Llamada ll;
    ll.MuestraCartel = true;
    // The banner is created by the first call; its lines are read at every repaint.
    Lbf_CtrlDisplay::RegistraVista([&](Lbf_CtrlDisplay& f) -> std::unique_ptr<QObject> {
        abierto = true;
        f.alCambiar = [&vistos, &f] {
            QStringList l{f.Caption(), f.LblCtrol[0].Caption(), f.LblCtrol[1].Caption(),
                          f.LblCtrol[2].Caption()};
            if (vistos.empty() || vistos.back() != l)
                vistos.push_back(l);
        };
        return std::make_unique<QObject>();
    });
    Postea(*g, ll);
    Lbf_CtrlDisplay::RegistraVista({});
    EXPECT_TRUE(abierto);
    ASSERT_GE(vistos.size(), 3u);
    EXPECT_EQ(vistos[0][0], "Grabando Stock....");
    EXPECT_EQ(vistos.back(),
              (QStringList{"Grabando Stock....", "Grabando Stock...", "1002  Tuerca", "2 de 2"}));
    EXPECT_EQ(DllDisplay().Formulario(), nullptr);
}

TEST_F(Cartel, TieneSPNLConLosTextosTalCual) {
    EXPECT_TRUE(cls->TieneSPNL("  OP", "000100000003X"));
    EXPECT_FALSE(cls->TieneSPNL("  OP", "000100000004X"));
    EXPECT_FALSE(cls->TieneSPNL("OP", "000100000003X")); // unfilled: not as stored
    EXPECT_FALSE(cls->TieneSPNL("  OP", "0001'00000003X"));
}

} // namespace
