// The voucher lookup window on screen (offscreen), on the demo vouchers: the driver shows the
// real window through the Qt port, and the test plays the user with keys and clicks.

#include "VistaFrmConsComprobantes.h"
#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"
#include "IconosConsulta.h"
#include "InteraccionQt.h"
#include "ModeloListaVista.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

class VistaConsultaComprobantes : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        RegistraVistaFrmConsComprobantes();
        EstableceInteraccion(&puerto);
    }
    void TearDown() override {
        EstableceInteraccion(&guion);
        ConBaseDemo::TearDown();
    }

    struct Eleccion {
        QString numero, complemento = "-", proveedor = "-";
    };
    // Runs the driver; once the window is up and its list filled, `usuario` plays the user.
    Eleccion Consulta(const QString& tc, const std::function<void(VistaFrmConsComprobantes&)>& usuario) {
        bool jugado = false;
        QTimer espera;
        espera.setInterval(5);
        QObject::connect(&espera, &QTimer::timeout, [&] {
            auto* vista = qobject_cast<VistaFrmConsComprobantes*>(QApplication::activeModalWidget());
            if (jugado || !vista || !vista->Iniciada())
                return;
            jugado = true;
            espera.stop();
            vista->activateWindow();
            QApplication::processEvents();
            usuario(*vista);
            // A user who left the window open: the test closes it.
            if (vista->isVisible())
                vista->Cancelar()->click();
        });
        espera.start();
        Eleccion r;
        ClsCmnCptesServicios().ConsultaComprobante(tc, r.numero, {}, &r.complemento, &r.proveedor);
        EXPECT_TRUE(jugado);
        return r;
    }
    static QString Celda(const VistaFrmConsComprobantes& v, int fila, int columna) {
        return v.Modelo()->index(fila, columna).data().toString();
    }
    static QPoint CentroFila(const VistaFrmConsComprobantes& v, int fila, int columna = 1) {
        return v.Lista()->visualRect(v.Modelo()->index(fila, columna)).center();
    }
    // A double click as the mouse makes it: a click, then the second press.
    static void DobleClic(const VistaFrmConsComprobantes& v, int fila) {
        QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, fila));
        QTest::mouseDClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, fila));
    }
    static void ClicEncabezado(const VistaFrmConsComprobantes& v, int seccion) {
        QHeaderView* h = v.Lista()->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(seccion) + 5, h->height() / 2));
    }

    InteraccionQt puerto;
};

TEST_F(VistaConsultaComprobantes, BuscaOrdenaYAceptaConEnter) {
    const Eleccion r = Consulta("RM", [](VistaFrmConsComprobantes& v) {
        EXPECT_EQ(v.windowTitle(), "Consulta de Comprobantes");
        ASSERT_EQ(v.Modelo()->rowCount(), 3);
        ASSERT_EQ(v.Modelo()->columnCount(), 6);
        EXPECT_EQ(v.Modelo()->headerData(0, Qt::Horizontal).toString(), "FECHA");
        // "FECHA" is 20 letters wide, "ID" 5.
        EXPECT_GT(v.Lista()->columnWidth(0), 3 * v.Lista()->columnWidth(2));
        EXPECT_EQ(v.Nombre()->toolTip(), "Ingrese parte del nombre buscado");

        // Entering a box selects its cue text; typing replaces it; Enter moves on to the
        // number box and then to Buscar, which Enter presses too.
        QTest::mouseClick(v.Numero(), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(v.Numero()->selectedText(), "Buscar por Numero...");
        QTest::mouseClick(v.Nombre(), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(v.Nombre()->selectedText(), "Buscar por nombre...");
        QTest::keyClicks(v.Nombre(), "pepe");
        EXPECT_EQ(v.Form().TxtNombre.Text(), "pepe");
        QTest::keyClick(v.Nombre(), Qt::Key_Return);
        EXPECT_TRUE(v.Numero()->hasFocus());
        EXPECT_EQ(v.Modelo()->rowCount(), 3); // Enter in a box searches nothing
        QTest::keyClick(v.Numero(), Qt::Key_Return);
        EXPECT_TRUE(v.Buscar()->hasFocus());
        QTest::keyClick(v.Buscar(), Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_EQ(v.Modelo()->rowCount(), 2);
        EXPECT_EQ(Celda(v, 0, 3), "Almacén Don Pepe");

        // Sorting by the number column reverses the list's order (ascending at first), then
        // puts it back.
        ClicEncabezado(v, 1);
        EXPECT_EQ(Celda(v, 0, 1), "009900000003R");
        EXPECT_EQ(v.Lista()->horizontalHeader()->sortIndicatorSection(), 1);
        EXPECT_EQ(v.Lista()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        ClicEncabezado(v, 1);
        EXPECT_EQ(Celda(v, 0, 1), "009900000001R");
        EXPECT_EQ(v.Lista()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

        // The second row, chosen with a click, accepted with Enter.
        QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, 1));
        EXPECT_EQ(v.Form().ListView1.SelectedItem()->SubItems(1), "009900000003R");
        QTest::keyClick(v.Lista(), Qt::Key_Return);
        EXPECT_FALSE(v.isVisible());
    });
    EXPECT_EQ(r.numero, "009900000003R");
    EXPECT_EQ(r.complemento, "");

    // Enter on a focused Aceptar accepts the selected row.
    QString elegida;
    const Eleccion otra = Consulta("RM", [&elegida](VistaFrmConsComprobantes& v) {
        QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, 1));
        elegida = v.Form().ListView1.SelectedItem()->SubItems(1);
        v.Aceptar()->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(v.Aceptar()->hasFocus());
        QTest::keyClick(v.Aceptar(), Qt::Key_Enter);
        EXPECT_FALSE(v.isVisible());
    });
    EXPECT_FALSE(elegida.isEmpty());
    EXPECT_EQ(otra.numero, elegida);
}

TEST_F(VistaConsultaComprobantes, OrdenesDeCompraTildadasYDobleClic) {
    Eleccion r = Consulta("OC", [](VistaFrmConsComprobantes& v) {
        ASSERT_EQ(v.Modelo()->rowCount(), 2);
        EXPECT_EQ(v.Modelo()->headerData(5, Qt::Horizontal).toString(), "Inf. Recepción");
        // Both rows ticked with the space bar.
        for (int fila : {0, 1}) {
            QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, fila));
            QTest::keyClick(v.Lista(), Qt::Key_Space);
        }
        EXPECT_EQ(v.Modelo()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
        EXPECT_TRUE(v.Form().ListView1.ListItems(2).Checked());
        DobleClic(v, 1);
    });
    EXPECT_EQ(r.numero, "009900000002R,009900000001R");
    EXPECT_EQ(r.complemento, "0");

    // Nothing ticked: a double click takes the row clicked.
    r = Consulta("OC", [](VistaFrmConsComprobantes& v) { DobleClic(v, 1); });
    EXPECT_EQ(r.numero, "009900000001R");
}

TEST_F(VistaConsultaComprobantes, CancelarOEscapeNoEligenNada) {
    Eleccion r = Consulta("FCC", [](VistaFrmConsComprobantes& v) {
        QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, 0));
        ASSERT_NE(v.Form().ListView1.SelectedItem(), nullptr);
        QTest::mouseClick(v.Cancelar(), Qt::LeftButton);
        EXPECT_FALSE(v.isVisible());
        EXPECT_EQ(v.Form().ListView1.Count(), 0);
    });
    EXPECT_EQ(r.numero + r.complemento + r.proveedor, "");
    r = Consulta("FCC", [](VistaFrmConsComprobantes& v) {
        QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, 0));
        QTest::keyClick(v.Lista(), Qt::Key_Escape);
    });
    EXPECT_EQ(r.numero + r.complemento + r.proveedor, "");
    // With a row chosen, Aceptar gives the purchase voucher and its supplier.
    r = Consulta("FCC", [](VistaFrmConsComprobantes& v) {
        QTest::mouseClick(v.Lista()->viewport(), Qt::LeftButton, {}, CentroFila(v, 0));
        QTest::mouseClick(v.Aceptar(), Qt::LeftButton);
    });
    EXPECT_EQ(r.numero, "009900000002R");
    EXPECT_EQ(r.proveedor, "P002");
    EXPECT_EQ(r.complemento, "");
}

TEST_F(VistaConsultaComprobantes, ImagenesPropiasYGenerico) {
    // Eleven different pictures, one per tag; an unknown tag gets the generic one.
    const QStringList& tags = EtiquetasImagenesConsulta();
    ASSERT_EQ(tags.size(), 11);
    std::vector<QImage> imagenes;
    for (const QString& tag : tags) {
        const QImage imagen = IconoConsulta(tag).pixmap(16, 16).toImage();
        ASSERT_EQ(imagen.size(), QSize(16, 16)) << tag.toStdString();
        for (size_t i = 0; i < imagenes.size(); ++i)
            EXPECT_NE(imagen, imagenes[i])
                << tag.toStdString() << " = " << tags.at(qsizetype(i)).toStdString();
        imagenes.push_back(imagen);
    }
    EXPECT_EQ(IconoConsulta("NCC").pixmap(16, 16).toImage(), imagenes[7]);
    EXPECT_EQ(IconoConsulta(" oc ").pixmap(16, 16).toImage(), imagenes[9]);

    // In the window: an "NCC" row shows the generic picture, every row the picture of its image.
    const auto imagenFila = [](VistaFrmConsComprobantes& v, int fila) {
        return v.Modelo()->index(fila, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
    };
    Consulta("NCC", [&](VistaFrmConsComprobantes& v) {
        ASSERT_GE(v.Modelo()->rowCount(), 1);
        EXPECT_EQ(imagenFila(v, 0), imagenes[7]);
    });
    Consulta("RM", [&](VistaFrmConsComprobantes& v) {
        ASSERT_EQ(v.Modelo()->rowCount(), 3);
        for (int fila = 0; fila < 3; ++fila) {
            const int imagen = v.Form().ListView1.ListItems(fila + 1).SmallIcon();
            ASSERT_GE(imagen, 1);
            EXPECT_EQ(imagenFila(v, fila), imagenes[size_t(imagen) - 1]);
        }
    });
}

} // namespace
