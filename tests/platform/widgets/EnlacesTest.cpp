// The bindings of widgets to control models: several views of one model follow it, the user's
// changes reach the model, and a binding ends by itself whichever side goes first.

#include "Enlaces.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(Enlaces, VariasVistasSiguenAlModeloYLoQueHaceElUsuarioLlegaAEl) {
    CajaTexto caja;
    int avisosPropios = 0;
    caja.alCambiar = [&] { ++avisosPropios; };
    QLineEdit a;
    QLineEdit b;
    EnlazaCaja(caja, &a);
    EnlazaCaja(caja, &b);
    caja.setText(QStringLiteral("uno"));
    caja.setMaxLength(4);
    EXPECT_EQ(a.text(), "uno");
    EXPECT_EQ(b.text(), "uno");
    EXPECT_EQ(b.maxLength(), 4);
    EXPECT_EQ(avisosPropios, 2); // the form's own hook is told as well
    QTest::keyClicks(&a, QStringLiteral("s"));
    EXPECT_EQ(caja.Text(), "unos");
    EXPECT_EQ(b.text(), "unos");
    EXPECT_EQ(caja.SelStart(), 4);

    CasillaVerificacion casilla(QStringLiteral("Anclar"));
    QCheckBox w;
    EnlazaCasilla(casilla, &w);
    EXPECT_EQ(w.text(), "Anclar");
    w.click();
    EXPECT_EQ(casilla.Value(), 1);
    casilla.setEnabled(false);
    EXPECT_FALSE(w.isEnabled());

    ListaCombo lista;
    lista.AddItem(QStringLiteral("A"));
    lista.AddItem(QStringLiteral("B"));
    QComboBox combo;
    EnlazaLista(lista, &combo);
    EXPECT_EQ(combo.count(), 2);
    combo.setCurrentIndex(1);
    EXPECT_EQ(lista.ListIndex(), 1);
    lista.setListIndex(0);
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST(Enlaces, ElEnlaceTerminaConLaVistaOConElModelo) {
    // The widget goes first: the model goes on without it.
    Etiqueta etiqueta;
    auto vista = std::make_unique<QLabel>();
    QLabel otra;
    EnlazaEtiqueta(etiqueta, vista.get());
    EnlazaEtiqueta(etiqueta, &otra);
    vista.reset();
    etiqueta.setCaption(QStringLiteral("sigue"));
    EXPECT_EQ(otra.text(), "sigue");

    // The model goes first: the widget's changes touch nothing (ASan would tell).
    auto caja = std::make_unique<CajaTexto>();
    QLineEdit w;
    EnlazaCaja(*caja, &w);
    auto casilla = std::make_unique<CasillaVerificacion>();
    QCheckBox c;
    EnlazaCasilla(*casilla, &c);
    caja.reset();
    casilla.reset();
    QTest::keyClicks(&w, QStringLiteral("x"));
    c.click();
    EXPECT_EQ(w.text(), "x");

    // A subscription ended by hand is told no more.
    Boton boton;
    int avisos = 0;
    ModeloControl::Suscripcion s = boton.Observa([&] { ++avisos; });
    boton.setCaption(QStringLiteral("1"));
    s.Termina();
    boton.setCaption(QStringLiteral("2"));
    EXPECT_EQ(avisos, 1);
    EXPECT_FALSE(s.Vigente());
}

} // namespace
