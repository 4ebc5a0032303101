// The editor's look-ups through the real windows offscreen on the demo database: F5 and the right
// click open the search dialog, typing narrows its rows, Enter chooses and the field validates
// what was chosen.

#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "FrmVardelio.h"
#include "VistaDemo.h"
#include "VistaDespacho.h"
#include "VistaVentanaConsulta.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class ConsultasVista : public ConVistaDemo<ConArchivosDemo> {};

TEST_F(ConsultasVista, F5EnElNombreTecleaYEnterCargaElModelo) {
    EnLaBusqueda([](VistaVentanaConsulta& d) {
        EXPECT_EQ(d.Tabla()->model()->rowCount(), 3); // the title row and the two demo templates
        QTest::keyClicks(d.Tabla(), "repos");         // typed on the list, it goes to the search box
        EXPECT_EQ(d.Buscador()->text(), "repos");
        ASSERT_EQ(d.Tabla()->model()->rowCount(), 2);
        EXPECT_EQ(d.Tabla()->model()->index(1, 0).data().toString(), "REPOSICION LOCAL CENTRO");
        QTest::keyClick(d.Buscador(), Qt::Key_Return);
    });
    Campo(0)->setFocus();
    QApplication::processEvents();
    QTest::keyClick(Campo(0), Qt::Key_F5);
    EXPECT_EQ(busquedas, 1);
    EXPECT_EQ(Campo(0)->text(), "REPOSICION LOCAL CENTRO");
    EXPECT_TRUE(Prueba(*form).EsModificacion());
    EXPECT_EQ(Campo(4)->text(), QStringLiteral("Envío semanal al local"));
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(ConsultasVista, ClicDerechoEnElDepositoEligeConLasFlechasYEscapeNoCambiaNada) {
    form->TxtFields[0].setText("PLANTILLA VISTA");
    form->CampoValida(form->TxtFields[0]);
    QApplication::processEvents();
    ASSERT_TRUE(Campo(2)->isEnabled());
    const QString antes = Campo(2)->text();

    EnLaBusqueda([](VistaVentanaConsulta& d) { QTest::keyClick(d.Tabla(), Qt::Key_Escape); });
    QTest::mouseClick(Campo(2), Qt::RightButton);
    EXPECT_EQ(busquedas, 1);
    EXPECT_EQ(Campo(2)->text(), antes);

    EnLaBusqueda([](VistaVentanaConsulta& d) {
        QTest::keyClicks(d.Buscador(), QStringLiteral("dep"));
        // Depósito Central, Depósito de terceros, Depósito Mayorista, Depósito Norte.
        ASSERT_EQ(d.Tabla()->model()->rowCount(), 5);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(d.Buscador(), Qt::Key_Down);
        EXPECT_EQ(d.Tabla()->currentIndex().row(), 4);
        QTest::keyClick(d.Buscador(), Qt::Key_Return);
    });
    QTest::mouseClick(Campo(2), Qt::RightButton);
    EXPECT_EQ(busquedas, 2);
    EXPECT_EQ(Campo(2)->text(), "2");
    EXPECT_EQ(form->LblDescDeposito.Caption(), QStringLiteral("Depósito Norte"));
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

// Every title and cell of the first screen fits its column, and the window's title reads.
void MuestraEnteros(VistaVentanaConsulta& d, const QString& titulo) {
    EXPECT_EQ(d.windowTitle(), titulo);
    const QAbstractItemModel* m = d.Tabla()->model();
    const QFontMetrics letras = d.Tabla()->fontMetrics();
    ASSERT_GT(m->rowCount(), 2);
    for (int c = 0; c < m->columnCount(); ++c) {
        const QString encabezado = m->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(d.Tabla()->columnWidth(c), letras.horizontalAdvance(encabezado))
            << encabezado.toStdString();
        for (int f = 1; f < m->rowCount(); ++f) {
            const QString texto = m->index(f, c).data().toString();
            EXPECT_GE(d.Tabla()->columnWidth(c), letras.horizontalAdvance(texto)) << texto.toStdString();
        }
    }
}

TEST_F(ConsultasVista, LasBusquedasSeTitulanPorSuDefinicionOSuTablaYNoCortanNada) {
    form->UtilVox1_click("NUEVO");
    form->TxtFields[0].setText("PLANTILLA VISTA");
    form->CampoValida(form->TxtFields[0]);
    QApplication::processEvents();
    // The deposits: the default definitions' title of the table without its prefix.
    EnLaBusqueda([](VistaVentanaConsulta& d) {
        MuestraEnteros(d, "DEPOSITO");
        QTest::keyClick(d.Tabla(), Qt::Key_Escape);
    });
    QTest::mouseClick(Campo(2), Qt::RightButton);
    // The template names have no definition: the table's name.
    EnLaBusqueda([](VistaVentanaConsulta& d) {
        EXPECT_EQ(d.windowTitle(), "V_CPTES_MODELO_CAB");
        QTest::keyClick(d.Tabla(), Qt::Key_Escape);
    });
    QTest::mouseClick(Campo(0), Qt::RightButton);
    // The articles, searched in their stock view, by their definition.
    EnLaBusqueda([](VistaVentanaConsulta& d) {
        MuestraEnteros(d, "ARTICULOS");
        QTest::keyClick(d.Tabla(), Qt::Key_Escape);
    });
    form->Foco().SetFocus("MSFlexGrid2");
    QApplication::processEvents();
    QTest::keyClicks(vista->Tabla(), "Yerba");
    ASSERT_NE(vista->focusWidget(), nullptr);
    QTest::keyClick(vista->focusWidget(), Qt::Key_F5);
    EXPECT_EQ(busquedas, 3);
}

TEST_F(ConsultasVista, F5EnUnaCeldaElegidaSinAbrirlaBuscaYEnterLlenaLaLinea) {
    form->UtilVox1_click("NUEVO");
    form->TxtFields[0].setText("PLANTILLA CELDA");
    form->CampoValida(form->TxtFields[0]);
    // Into the grid as a user gets there: Enter through the header, the last field without a
    // search.
    Campo(1)->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(Campo(1), "1");
    for (int i = 0; i < 4 && !vista->Tabla()->hasFocus(); ++i)
        QTest::keyClick(vista->focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(vista->Tabla()->hasFocus());
    // The first article offered, chosen with Enter.
    QString elegido;
    EnLaBusqueda([&elegido](VistaVentanaConsulta& d) {
        EXPECT_EQ(d.windowTitle(), "ARTICULOS");
        elegido = d.Tabla()->model()->index(1, 0).data().toString().trimmed();
        QTest::keyClick(d.Tabla(), Qt::Key_Return);
    });
    QTest::keyClick(vista->Tabla(), Qt::Key_F5);
    EXPECT_EQ(busquedas, 1);
    ASSERT_FALSE(elegido.isEmpty());
    EXPECT_EQ(form->MSFlexGrid2.TextMatrix(1, 1), elegido);
    EXPECT_FALSE(form->MSFlexGrid2.TextMatrix(1, 0).isEmpty());
    EXPECT_FALSE(form->txtEdit2.Visible());
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(ConsultasVista, ElBotonDespachoAbreElDialogoYF2AceptaLoTecleado) {
    int abiertos = 0;
    guion.alMostrar = [&](Formulario& f) {
        auto& despacho = dynamic_cast<FrmDespacho&>(f);
        VistaDespacho dialogo(despacho, vista.get());
        QTimer::singleShot(0, &dialogo, [&] {
            ++abiertos;
            EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Información del Despacho"));
            EXPECT_EQ(despacho.Foco().Actual(), "TxtFields(1)");     // the dispatch number first
            QTest::keyClicks(dialogo.Campo(1), "25001IC04'000001A"); // the apostrophe is dropped
            QTest::keyClick(dialogo.Campo(1), Qt::Key_Return);
            EXPECT_EQ(despacho.Foco().Actual(), "TxtFields(0)"); // Enter went on to the origin
            QTest::keyClicks(dialogo.Campo(0), "USA");
            QTest::keyClick(dialogo.Campo(0), Qt::Key_Return);
            EXPECT_EQ(dialogo.Descripcion()->text(), "Estados Unidos");
            QTest::keyClick(dialogo.Campo(2), Qt::Key_F2); // customs office missing: it stays
            EXPECT_TRUE(dialogo.isVisible());
            QTest::keyClicks(dialogo.Campo(2), "Aduana de Campana");
            QTest::keyClick(dialogo.Campo(2), Qt::Key_F2);
        });
        dialogo.exec();
    };
    vista->findChild<QPushButton*>(QStringLiteral("CmdDespacho"))->click();
    EXPECT_EQ(abiertos, 1);
    EXPECT_EQ(guion.Mensajes(), QStringList{"Debe completar todos los campos"});
    EXPECT_EQ(Prueba(*form).DatosDespacho(),
              (std::array<QString, 3>{"25001IC04000001A", "USA", "Aduana de Campana"}));
}

} // namespace
