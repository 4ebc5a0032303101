// The editor's real window offscreen on the demo database: what it shows is what the form's
// models hold, and what the user types reaches them.

#include "BaseDemo.h"
#include "FrmVardelio.h"
#include "ModeloGrilla.h"
#include "VistaBarraHerramientas.h"
#include "VistaDemo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Ventana : public ConVistaDemo<ConBaseDemo> {
protected:
    template <class W> W* Control(const char* nombre) {
        W* w = qobject_cast<W*>(vista->Control(QString::fromLatin1(nombre)));
        EXPECT_NE(w, nullptr) << nombre;
        return w;
    }
};

TEST_F(Ventana, MuestraLosModelosDelFormulario) {
    EXPECT_EQ(vista->windowTitle(), form->Caption());
    auto* combo = Control<QComboBox>("CmbLista");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), form->CmbLista.ListCount());
    EXPECT_EQ(combo->currentText(), " AJN - Ajuste negativo de stock");
    EXPECT_EQ(vista->findChild<QLabel*>("LblES")->text(), "[S]");
    EXPECT_EQ(Control<QLineEdit>("TxtFields(2)")->text(), "1");
    EXPECT_EQ(Control<QLineEdit>("TxtFields(0)")->maxLength(), 50);
    EXPECT_EQ(Control<QCheckBox>("ChkAnclar")->text(), "Anclar al Menu");
    EXPECT_FALSE(vista->Tabla()->isEnabled());
    EXPECT_EQ(vista->findChild<QLabel*>("USUARIO")->text(), "Uid: DEMO");
    // Toolbar buttons as the switches say.
    EXPECT_TRUE(vista->Barra()->Accion("NUEVO")->isEnabled());
    EXPECT_FALSE(vista->Barra()->Accion("GRABAR")->isEnabled());
    form->DetalleOn(true);
    EXPECT_TRUE(vista->Barra()->Accion("GRABAR")->isEnabled());
    EXPECT_TRUE(vista->Tabla()->isEnabled());
    // The message label shows only with a text.
    EXPECT_FALSE(vista->findChild<QLabel*>("LblMensaje")->isVisibleTo(vista.get()));
    form->LblMensaje.setCaption("ACTUALIZANDO DATOS... ESPERE POR FAVOR...");
    EXPECT_TRUE(vista->findChild<QLabel*>("LblMensaje")->isVisibleTo(vista.get()));
}

TEST_F(Ventana, LoQueSeEscribeLlegaAlCampo) {
    auto* nombre = Control<QLineEdit>("TxtFields(0)");
    ASSERT_NE(nombre, nullptr);
    nombre->setFocus();
    QTest::keyClicks(nombre, "Reposicion semanal");
    EXPECT_EQ(form->TxtFields[0].Text(), "Reposicion semanal");
    EXPECT_EQ(form->Foco().Actual(), "TxtFields(0)");
    // And a text the form writes shows in the box.
    form->TxtFields[4].setText("Observado");
    EXPECT_EQ(Control<QLineEdit>("TxtFields(4)")->text(), "Observado");
}

TEST_F(Ventana, LaGrillaMuestraLasCeldasDelModelo) {
    Grilla& g = form->MSFlexGrid2;
    form->DetalleOn(true);
    g.setTextMatrix(1, 0, "A1");
    g.setTextMatrix(1, 7, "5");
    QTableView* t = vista->Tabla();
    EXPECT_EQ(t->model()->data(t->model()->index(1, 0)).toString(), "A1");
    EXPECT_EQ(t->model()->data(t->model()->index(1, 7)).toString(), "5");
    EXPECT_TRUE(t->isRowHidden(0)); // the title row shows in the header
    EXPECT_EQ(t->model()->headerData(0, Qt::Horizontal).toString(), g.TextMatrix(0, 0));
    // Widths follow the model; width 0 hides.
    g.setColWidth(1, 3000);
    EXPECT_EQ(t->columnWidth(1), TwipsAPixeles(3000, t->logicalDpiX()));
    g.setColWidth(5, 0);
    EXPECT_TRUE(t->isColumnHidden(5));
    // Many rows stay cheap: the view is virtual over the model.
    g.setRows(50001);
    g.setTextMatrix(50000, 0, "Z9");
    EXPECT_EQ(t->model()->rowCount(), 50001);
    EXPECT_EQ(t->model()->data(t->model()->index(50000, 0)).toString(), "Z9");
    // The current cell follows the model.
    g.setRow(1);
    g.setCol(7);
    EXPECT_EQ(t->currentIndex().row(), 1);
    EXPECT_EQ(t->currentIndex().column(), 7);
}

TEST_F(Ventana, TeclasDeLaListaYDeLaBarra) {
    auto* combo = Control<QComboBox>("CmbLista");
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QApplication::processEvents();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(form->CmbLista.ListIndex(), 1);
    EXPECT_EQ(form->LblES.Caption(), "[E]"); // AJP
    QTest::keyClick(combo, Qt::Key_X);       // letters change nothing
    QTest::keyClick(combo, Qt::Key_Delete);
    EXPECT_EQ(form->CmbLista.ListIndex(), 1);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(form->Foco().Actual(), "TxtFields(0)");
    EXPECT_TRUE(Control<QLineEdit>("TxtFields(0)")->hasFocus());

    QStringList pulsados;
    form->UtilVox1.Click = [&](const QString& p) { pulsados << p; };
    QTest::keyClick(Control<QLineEdit>("TxtFields(0)"), Qt::Key_F3);
    QTest::keyClick(Control<QLineEdit>("TxtFields(0)"), Qt::Key_F2); // off outside editing
    vista->Barra()->Accion("PLANILLA")->trigger();
    EXPECT_EQ(pulsados, QStringList({"NUEVO", "PLANILLA"}));
}

} // namespace
