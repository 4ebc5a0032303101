// Both position dialogs offscreen on the demo database, driven with the keyboard and the mouse
// as a user would (rice 1030 in deposit 10; see the headless tests for its balances).

#include "VistasPosiciones.h"
#include "AccesoPruebasLinea.h"
#include "BaseDemo.h"
#include "Regional.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class VistasPosiciones : public ConBaseDemo {
protected:
    static void Espera() { QApplication::processEvents(); }
    // Rice 1030 in deposit 10 for `cantidad` UN, by positions (and lots), loaded.
    static void Abre(FrmLoteyPosicion& form, bool lotes, double cantidad) {
        FrmLoteyPosicion::Entrada e;
        e.modo = FrmLoteyPosicion::ModoDe(true, lotes);
        e.Cantidad1 = cantidad;
        e.IUNIDAD = QStringLiteral("UN");
        e.Articulo = QStringLiteral("1030");
        e.Deposito = QStringLiteral("10");
        form.CargaDatos(e);
    }
    static void Abre(FrmPosicionConsulta& form, double cantidad) {
        FrmPosicionConsulta::Entrada e;
        e.Deposito = QStringLiteral("10");
        e.IUNIDAD = QStringLiteral("UN");
        e.Cantidad1 = cantidad;
        e.Articulo = QStringLiteral("1030");
        form.CargaDatos(e);
    }
    static void Clic(VistaDialogoLinea& vista, int fila, int col) {
        QTest::mouseClick(vista.Tabla()->viewport(), Qt::LeftButton, {},
                          vista.Tabla()->visualRect(vista.Tabla()->model()->index(fila, col)).center());
    }
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
};

TEST_F(VistasPosiciones, PositionsAndLotsTypedWithTheKeyboard) {
    FrmLoteyPosicion form;
    Abre(form, true, 100);
    VistaLoteyPosicion vista(form);
    vista.show();
    Espera();
    EXPECT_EQ(vista.windowTitle(), QStringLiteral("Posiciones y Lotes (Deposito: 10)"));
    EXPECT_EQ(vista.Boton(3)->toolTip(), QStringLiteral("Proponer Automaticamente"));
    QTableView* tabla = vista.Tabla();
    EXPECT_EQ(tabla->currentIndex().row(), 6);
    EXPECT_EQ(tabla->currentIndex().column(), 4);

    // Up to the second place of lot L1030B (30 available), 45 typed and refused.
    QTest::keyClick(tabla, Qt::Key_Up);
    EXPECT_EQ(form.MSFlexGrid1.Row(), 5);
    // The first key opens the editor over the cell; the rest is typed into it.
    QTest::keyClick(tabla, Qt::Key_4);
    QTest::keyClicks(vista.Editor(), QStringLiteral("5"));
    ASSERT_TRUE(vista.Editor()->isVisible());
    EXPECT_EQ(vista.Editor()->text(), QStringLiteral("45"));
    QTest::keyClick(vista.Editor(), Qt::Key_Return);
    EXPECT_EQ(guion.Mensajes(), QStringList{"No hay disponible para esa posicion"});
    EXPECT_TRUE(vista.Editor()->isVisible());
    // Corrected to 3: it reaches the cell and Enter goes down.
    QTest::keyClick(vista.Editor(), Qt::Key_Backspace);
    QTest::keyClick(vista.Editor(), Qt::Key_Backspace);
    QTest::keyClicks(vista.Editor(), QStringLiteral("3"));
    QTest::keyClick(vista.Editor(), Qt::Key_Return);
    EXPECT_FALSE(vista.Editor()->isVisible());
    EXPECT_EQ(form.MSFlexGrid1.TextMatrix(5, 4), QStringLiteral("3"));
    EXPECT_EQ(form.MSFlexGrid1.Row(), 6);
    EXPECT_EQ(tabla->model()->index(5, 4).data().toString(), QStringLiteral("3"));

    // 103 for 100: the user takes the larger total.
    guion.AgregaRespuesta(Respuesta::Si);
    QTest::mouseClick(vista.BotonAceptar(), Qt::LeftButton);
    Espera();
    EXPECT_FALSE(vista.isVisible());
    EXPECT_EQ(form.Devuelto().Cantidad1, 103);
    EXPECT_EQ(form.Devuelto().Posiciones,
              QStringLiteral("|M1E02N1P02*26|M1E01N1P01*60|M1E01N1P03*14|M1E01N1P02*3|"));
    EXPECT_EQ(form.Devuelto().Lotes, QStringLiteral("||L1030A|L1030A|L1030B|"));
}

TEST_F(VistasPosiciones, TheToolbarAndEscape) {
    FrmLoteyPosicion form;
    Abre(form, false, 30);
    Prueba(form).Devuelto().Posiciones = QStringLiteral("|antes*1|");
    VistaLoteyPosicion vista(form);
    vista.show();
    Espera();
    // Zeros below the first row, then proposed again.
    Clic(vista, 1, 4);
    EXPECT_EQ(form.MSFlexGrid1.Row(), 1);
    vista.Boton(2)->trigger();
    EXPECT_EQ(form.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("0"));
    vista.Boton(3)->trigger();
    EXPECT_EQ(form.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("4"));
    // Escape in the editor drops the edit; Escape in the grid cancels the dialog.
    QTest::keyClick(vista.Tabla(), Qt::Key_9);
    QTest::keyClick(vista.Editor(), Qt::Key_Escape);
    EXPECT_FALSE(vista.Editor()->isVisible());
    EXPECT_TRUE(vista.isVisible());
    QTest::keyClick(vista.Tabla(), Qt::Key_Escape);
    Espera();
    EXPECT_FALSE(vista.isVisible());
    EXPECT_EQ(form.Devuelto().Posiciones, QStringLiteral("|antes*1|"));
}

TEST_F(VistasPosiciones, ThePositionChoiceWithTheKeyboard) {
    FrmPosicionConsulta form;
    Abre(form, 20);
    VistaPosicionConsulta vista(form);
    vista.show();
    Espera();
    EXPECT_EQ(vista.windowTitle(), QStringLiteral("Posiciones (Deposito: 10)"));
    QTableView* tabla = vista.Tabla();
    EXPECT_EQ(tabla->currentIndex().row(), 4);
    // Up to the article's own place: only 14 fit there.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(tabla, Qt::Key_Up);
    EXPECT_EQ(form.MSFlexGrid1.Row(), 1);
    QTest::mouseClick(vista.BotonAceptar(), Qt::LeftButton);
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"No puede asignarle a esa posicion\r\nAhi puede asignar solamente 14 UN"});
    EXPECT_TRUE(vista.isVisible());
    // Its capacity typed over on the first row, then down to the family's place and accepted.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(tabla, Qt::Key_Right);
    QTest::keyClick(tabla, Qt::Key_8);
    QTest::keyClicks(vista.Editor(), QStringLiteral("0"));
    QTest::keyClick(vista.Editor(), Qt::Key_Return);
    EXPECT_EQ(form.MSFlexGrid1.TextMatrix(1, 4), QStringLiteral("80"));
    EXPECT_EQ(form.MSFlexGrid1.Col(), 5);
    QTest::keyClick(tabla, Qt::Key_Down);
    EXPECT_EQ(form.MSFlexGrid1.Row(), 2);
    QTest::mouseClick(vista.BotonAceptar(), Qt::LeftButton);
    Espera();
    EXPECT_FALSE(vista.isVisible());
    EXPECT_EQ(form.Devuelto().iPosicionDevuelta, QStringLiteral("M1E01N1P01"));
}

TEST_F(VistasPosiciones, AceptarTakesWhatIsBeingTyped) {
    FrmPosicionConsulta form;
    Abre(form, 20);
    VistaPosicionConsulta vista(form);
    vista.show();
    Espera();
    // The article's own place, its capacity typed as 0 (no limit) and Aceptar clicked at once.
    Clic(vista, 1, 4);
    QTest::keyClick(vista.Tabla(), Qt::Key_0);
    ASSERT_TRUE(vista.Editor()->isVisible());
    QTest::mouseClick(vista.BotonAceptar(), Qt::LeftButton);
    Espera();
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_FALSE(vista.isVisible());
    EXPECT_EQ(form.Devuelto().iPosicionDevuelta, QStringLiteral("M1E01N1P03"));

    // In the positions dialog, a quantity beyond the balance typed and Aceptar clicked: refused.
    FrmLoteyPosicion lotes;
    Abre(lotes, false, 30);
    VistaLoteyPosicion otra(lotes);
    otra.show();
    Espera();
    Clic(otra, 1, 4);
    QTest::keyClicks(otra.Tabla(), QStringLiteral("9"));
    QTest::keyClicks(otra.Editor(), QStringLiteral("9"));
    QTest::mouseClick(otra.BotonAceptar(), Qt::LeftButton);
    Espera();
    EXPECT_EQ(guion.Mensajes(), QStringList{"No hay disponible para esa posicion"});
    EXPECT_TRUE(otra.isVisible());
    EXPECT_TRUE(lotes.Devuelto().Posiciones.isEmpty());
}

} // namespace
