// The lot and serial dialog on screen, offscreen, through its drivers: keys typed into the grid
// reach the floating editor and the form, the fill buttons, F2 and Cancelar.

#include "VistaCargaLotesySeries.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ClsCmnCptesLotes.h"
#include "Globales.h"
#include "InteraccionQt.h"
#include "ListaPipe.h"
#include "LotesPrueba.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

class VistaLotes : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        if (HasFatalFailure())
            return;
        RegistraVistaCargaLotesySeries();
        EstableceInteraccion(&puerto_);
    }

    // Runs `accion` on the dialog once it is shown modally (the load yields to the event loop
    // before it, so the dialog is waited for); gives up after a few seconds.
    void AlAbrir(const std::function<void(VistaCargaLotesySeries&)>& accion) {
        auto* reloj = new QTimer(qApp);
        auto intentos = std::make_shared<int>(0);
        QObject::connect(reloj, &QTimer::timeout, reloj, [this, accion, reloj, intentos] {
            auto* vista = qobject_cast<VistaCargaLotesySeries*>(QApplication::activeModalWidget());
            if (!vista) {
                if (++*intentos > 500) {
                    reloj->deleteLater();
                    ADD_FAILURE() << "no se abrió el diálogo";
                }
                return;
            }
            reloj->stop();
            reloj->deleteLater();
            abierto_ = true;
            EXPECT_TRUE(QTest::qWaitForWindowActive(vista, 2000));
            QApplication::processEvents();
            accion(*vista);
            // Whatever the test left open is closed, so that the driver returns.
            if (vista->isVisible())
                vista->done(QDialog::Rejected);
        });
        reloj->start(10);
    }
    static void Escribe(const QString& texto) {
        for (const QChar c : texto) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QApplication::processEvents();
        }
    }
    static void Tecla(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    }

    InteraccionQt puerto_;
    bool abierto_ = false;
};

TEST_F(VistaLotes, LotsTypedIntoTheGridFillCommandsAndF2) {
    QString series = QStringLiteral("x"), lotes = QStringLiteral("y");
    AlAbrir([](VistaCargaLotesySeries& vista) {
        QTableView* tabla = vista.Tabla();
        auto* editor = tabla->findChild<QLineEdit*>(QStringLiteral("TxtEdit"));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(vista.windowTitle(), "Números de Lote (Deposito: )");
        EXPECT_TRUE(tabla->hasFocus());
        // A typed character opens the editor over the current cell with that character.
        Escribe(QStringLiteral("L"));
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->text(), "L");
        EXPECT_EQ(editor->geometry(), tabla->visualRect(tabla->currentIndex()));
        Escribe(QStringLiteral("7|"));
        EXPECT_EQ(editor->text(), "L7"); // "|" would split the line's list
        Tecla(Qt::Key_Return);           // row 1: written, copied into the blank rows, next row
        EXPECT_FALSE(editor->isVisible());
        const QAbstractItemModel* m = tabla->model();
        EXPECT_EQ(m->index(4, 1).data().toString(), "L7");
        EXPECT_EQ(tabla->currentIndex().row(), 2);
        // Escape drops an edit.
        Escribe(QStringLiteral("ZZ"));
        Tecla(Qt::Key_Escape);
        EXPECT_EQ(m->index(2, 1).data().toString(), "L7");
        EXPECT_TRUE(vista.isVisible());
        // Row 3 typed, then the fill buttons from row 3: clear below, copy below.
        Tecla(Qt::Key_Down);
        Escribe(QStringLiteral("M8"));
        Tecla(Qt::Key_Up);
        EXPECT_EQ(m->index(3, 1).data().toString(), "M8");
        Tecla(Qt::Key_Down);
        vista.Barra()->actions().at(1)->trigger();
        EXPECT_EQ(m->index(4, 1).data().toString(), "");
        vista.Barra()->actions().at(0)->trigger();
        EXPECT_EQ(m->index(4, 1).data().toString(), "M8");
        Tecla(Qt::Key_F2);
        EXPECT_FALSE(vista.isVisible());
    });
    ClsCmnCptesLotes::PideSerieLote(QStringLiteral("1001"), 4, QString(), QString(), series, lotes, false,
                                    true, false);
    EXPECT_TRUE(abierto_);
    EXPECT_EQ(lotes, "|L7|L7|M8|M8|");
    EXPECT_EQ(series, "");
}

TEST_F(VistaLotes, CancelReturnsTheOutgoingListsAsTheyWere) {
    const QString y = QString(ListaPipe::MarcaFin);
    const QString articulo = QStringLiteral("LOTE-VISTA");
    for (const char* lote : {"VA", "VB"})
        AD().EjecutaSQL(
            QStringLiteral("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, CANTIDAD) "
                           "VALUES ('%1', '   1', '%2', 4)")
                .arg(articulo.leftJustified(25), QLatin1String(lote)));
    Grilla articulos(2, 101, 1, 0);
    double cantidad = 1;
    QString deposito = QStringLiteral("1");
    QString lotes = QStringLiteral("|VA") + y + QStringLiteral("|"), cantidades = QStringLiteral("|1|");
    QString nuevosLotes = lotes, nuevasCantidades = cantidades;
    AlAbrir([](VistaCargaLotesySeries& vista) {
        QTableView* tabla = vista.Tabla();
        EXPECT_EQ(tabla->model()->rowCount(), 4); // titles, VA, VB, the empty row
        EXPECT_EQ(tabla->currentIndex().column(), 3);
        Escribe(QStringLiteral("3")); // within VA's stock of 4: no message
        Tecla(Qt::Key_Return);
        EXPECT_EQ(tabla->model()->index(1, 3).data().toString(), "3");
        auto* cancelar = vista.findChild<QPushButton*>(QStringLiteral("CmdCancelar"));
        ASSERT_NE(cancelar, nullptr);
        EXPECT_EQ(cancelar->text(), "&Cancelar");
        QTest::mouseClick(cancelar, Qt::LeftButton);
        EXPECT_FALSE(vista.isVisible());
    });
    ClsCmnCptesLotes::PideSerieLote_Salidas(articulos, articulo, QStringLiteral("Articulo"), cantidad, lotes,
                                            cantidades, nuevosLotes, nuevasCantidades, true, false, false,
                                            deposito, true);
    EXPECT_TRUE(abierto_);
    EXPECT_EQ(nuevosLotes, lotes);
    EXPECT_EQ(nuevasCantidades, cantidades);
    EXPECT_DOUBLE_EQ(cantidad, 1);
}

// The dialog itself over the scripted interaction: the keys reach the view, the questions the
// script.
class VistaLotesGuion : public ConBaseDemo {};

TEST_F(VistaLotesGuion, F2TakesTheQuantityBeingTyped) {
    FrmCargaLotesySeries f;
    f.CargaDatos(SalidaDeDosLotes(QStringLiteral("LOTE-F2")));
    VistaCargaLotesySeries vista(f);
    vista.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&vista, 2000));
    QTableView* tabla = vista.Tabla();
    EXPECT_EQ(tabla->model()->index(2, 3).data().toString(), "3");
    // Down to LB's proposed 3, 4 typed over it, F2 with the edit still open.
    QTest::keyClick(tabla, Qt::Key_Down);
    EXPECT_EQ(f.MSFlexGrid1.Row(), 2);
    QTest::keyClick(tabla, Qt::Key_4);
    auto* editor = tabla->findChild<QLineEdit*>(QStringLiteral("TxtEdit"));
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    guion.AgregaRespuesta(Respuesta::Si); // 9 for 8: the larger total is taken
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    QApplication::processEvents();
    EXPECT_FALSE(vista.isVisible());
    EXPECT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(f.Devuelto().Series, "|5|4|0|");
    EXPECT_DOUBLE_EQ(f.Devuelto().Cantidad, 9);
}

} // namespace
