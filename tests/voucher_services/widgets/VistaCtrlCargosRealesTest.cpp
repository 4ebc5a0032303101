// The real-charges dialog on screen, offscreen, on the demo database: ticking a charge,
// lowering it through the shared context menu and the input box, Escape and Aceptar accept,
// closing the window does not.

#include "VistaCtrlCargosReales.h"
#include "BaseDemo.h"
#include "CargosSeleccionados.h"
#include "ClsCmnCptesServicios.h"
#include "Globales.h"
#include "InteraccionQt.h"
#include "Utilidades.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `accion` once `busca` finds its widget (polled from the event loop, so that it runs
// inside the modal loop that shows it).
template <class W>
void Cuando(std::function<W*()> busca, std::function<void(W&)> accion, int intentos = 1000) {
    QTimer::singleShot(10, [busca, accion, intentos] {
        if (W* w = busca())
            accion(*w);
        else if (intentos > 0)
            Cuando<W>(busca, accion, intentos - 1);
        else
            ADD_FAILURE() << "no apareció la ventana esperada";
    });
}

template <class W> W* Modal() {
    return qobject_cast<W*>(QApplication::activeModalWidget());
}

QMenu* Emergente() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

class VistaCargos : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        RegistraVistaCtrlCargosReales();
        EstableceInteraccion(&puerto);
    }
    void Muestra(const std::function<void(VistaCtrlCargosReales&)>& usuario) {
        bool visto = false;
        Cuando<VistaCtrlCargosReales>(&Modal<VistaCtrlCargosReales>, [&](VistaCtrlCargosReales& v) {
            visto = true;
            usuario(v);
        });
        ClsCmnCptesServicios clase;
        clase.ControlDeCargosReales(dialogo, "C0001");
        EXPECT_TRUE(visto);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    static QString Celda(const QTreeView* lista, int fila, int columna) {
        return lista->model()->index(fila, columna).data().toString();
    }
    InteraccionQt puerto;
    FrmCtrlCargosReales dialogo;
};

TEST_F(VistaCargos, TickLowerThroughTheContextMenuAndEscapeAccepts) {
    QStringList opciones;
    QString pregunta;
    Muestra([&](VistaCtrlCargosReales& vista) {
        QTreeView* lista = vista.Lista();
        QAbstractItemModel* modelo = lista->model();
        EXPECT_EQ(vista.windowTitle(), "Control de cargos Reales");
        EXPECT_EQ(vista.Titulo()->text(), "C0001 Almacén Don Pepe");
        ASSERT_EQ(modelo->rowCount(), 3);
        EXPECT_EQ(modelo->headerData(3, Qt::Horizontal).toString(), "Importe Pendiente");
        EXPECT_EQ(Celda(lista, 0, 0), "02/05/2025");
        EXPECT_EQ(modelo->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

        // A right click on an unticked charge shows no menu.
        const QPoint primera = lista->visualRect(modelo->index(0, 1)).center();
        QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, primera);
        EXPECT_EQ(Emergente(), nullptr);

        ASSERT_TRUE(modelo->setData(modelo->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        EXPECT_TRUE(dialogo.ListView1.ListItems(1).Checked());
        Cuando<QMenu>(&Emergente, [&](QMenu& menu) {
            for (QAction* a : menu.actions())
                opciones << (a->isSeparator() ? QStringLiteral("-") : a->text());
            menu.setActiveAction(menu.actions().first());
            QTest::keyClick(&menu, Qt::Key_Return);
        });
        Cuando<QInputDialog>(&Modal<QInputDialog>, [&](QInputDialog& caja) {
            pregunta = caja.labelText();
            caja.setTextValue("50");
            caja.accept();
        });
        QTest::mouseClick(lista->viewport(), Qt::RightButton, {}, primera);
        EXPECT_EQ(UT().TextoAMoneda(Celda(lista, 0, 3)), Moneda::DeEntero(50));
        EXPECT_EQ(lista->currentIndex().row(), 0);
        QTest::keyClick(lista, Qt::Key_Escape);
    });
    EXPECT_EQ(opciones, QStringList({"Aplicar", "-", "Cancelar"}));
    EXPECT_TRUE(pregunta.startsWith("Ingrese el Nuevo Importe debe ser Menor o Igual a "));
    const std::vector<CargoSeleccionado> esperado{{1, Moneda::DeEntero(50)}, {}};
    EXPECT_EQ(gCargosSeleccionados, esperado);
}

TEST_F(VistaCargos, AceptarAcceptsAndTheCloseBoxDoesNot) {
    Muestra([&](VistaCtrlCargosReales& vista) {
        QAbstractItemModel* modelo = vista.Lista()->model();
        modelo->setData(modelo->index(2, 0), Qt::Checked, Qt::CheckStateRole);
        // Resizing lays the list and the button out again.
        vista.resize(vista.width() + 100, vista.height() + 60);
        EXPECT_EQ(vista.Lista()->width(), vista.width());
        EXPECT_GT(vista.Aceptar()->y(), vista.Lista()->geometry().bottom());
        QTest::mouseClick(vista.Aceptar(), Qt::LeftButton);
    });
    const std::vector<CargoSeleccionado> esperado{{4, Moneda::DeEntero(250)}, {}};
    EXPECT_EQ(gCargosSeleccionados, esperado);

    Muestra([&](VistaCtrlCargosReales& vista) {
        QAbstractItemModel* modelo = vista.Lista()->model();
        modelo->setData(modelo->index(0, 0), Qt::Checked, Qt::CheckStateRole);
        vista.close();
    });
    EXPECT_EQ(gCargosSeleccionados, std::vector<CargoSeleccionado>(1));
}

TEST_F(VistaCargos, TheColumnsAreAsWideAsTheirLettersInTheDialogsFont) {
    Muestra([&](VistaCtrlCargosReales& vista) {
        const QFontMetricsF medida(vista.font());
        const int letras[] = {14, 10, 25, 15, 30};
        for (int i = 1; i <= 5; ++i) {
            const int twips =
                qRound(medida.horizontalAdvance(QString(letras[i - 1], u'X')) * 1440 / vista.logicalDpiX());
            EXPECT_EQ(dialogo.ListView1.Encabezado(i).Width, twips) << i;
            EXPECT_NEAR(vista.Lista()->columnWidth(i - 1), twips * vista.logicalDpiX() / 1440.0, 1) << i;
        }
        vista.close();
    });
}

} // namespace
