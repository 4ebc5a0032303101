// The toolbar's commands through the real window offscreen on the demo database: its buttons and
// their keys save a template, anchor it, list it in a spreadsheet, delete it and close.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "VistaBarraHerramientas.h"
#include "VistaDemo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

class ComandosVista : public ConVistaDemo<ConBaseDemo> {
protected:
    void SetUp() override {
        ConVistaDemo::SetUp();
        if (HasFatalFailure())
            return;
        antesTmp_ = qgetenv("TMPDIR");
        qputenv("TMPDIR", Carpeta().toLocal8Bit());
    }
    void TearDown() override {
        qputenv("TMPDIR", antesTmp_);
        ConVistaDemo::TearDown();
    }

    QLineEdit* Nombre() { return qobject_cast<QLineEdit*>(vista->Control(QStringLiteral("TxtFields(0)"))); }
    // A key pressed on the window's focused field.
    void Tecla(Qt::Key tecla) {
        Nombre()->setFocus();
        QApplication::processEvents();
        QTest::keyClick(Nombre(), tecla);
    }
    void Accion(const char* palabra) { vista->Barra()->Accion(QString::fromLatin1(palabra))->trigger(); }
    // The name accepted as leaving its field does.
    void AceptaNombre(const QString& nombre) {
        form->TxtFields[0].setText(nombre);
        form->CampoValida(form->TxtFields[0]);
    }
    static QString Valor(const QString& sql) {
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        return rs.Eof() ? QStringLiteral("(ninguna)") : rs.Fields(0).toString();
    }

private:
    QByteArray antesTmp_;
};

TEST_F(ComandosVista, SaveAnchorListDeleteAndCloseFromButtonsAndKeys) {
    // F3: a new template.
    Tecla(Qt::Key_F3);
    EXPECT_TRUE(form->EsNuevo);
    AceptaNombre(QStringLiteral("DESDE LA VENTANA"));
    form->TxtFields[1].setText(QStringLiteral("2"));
    form->MSFlexGrid2.setTextMatrix(1, 0, QStringLiteral("1001"));
    form->MSFlexGrid2.setTextMatrix(1, 5, QStringLiteral("UN"));
    form->MSFlexGrid2.setTextMatrix(1, 7, QStringLiteral("4"));
    auto* anclar = vista->findChild<QCheckBox*>(QStringLiteral("ChkAnclar"));
    ASSERT_NE(anclar, nullptr);
    anclar->click();
    EXPECT_EQ(form->ChkAnclar.Value(), 1);

    // F2: saved after its question, anchored in the menu.
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F2);
    ASSERT_EQ(guion.Mensajes().size(), 1) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_EQ(Valor("SELECT AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE nombre = 'DESDE LA VENTANA'"), "1");
    EXPECT_EQ(Valor("SELECT PROCESO FROM TA_MENU WHERE TITULO = 'D8021' AND NOMBRE = 'DESDE LA VENTANA'"),
              "shell:V_MV_STOCK @PARAMETROADICIONAL= MODELO_DESDE LA VENTANA");
    EXPECT_EQ(Nombre()->text(), QString());

    // The Planilla button lists it.
    guion.Limpia();
    Accion("PLANILLA");
    ASSERT_EQ(guion.Registros().size(), 1u);
    const QString ruta =
        QDir::fromNativeSeparators(guion.Registros()[0].texto.section(QStringLiteral("\r\n"), 1));
    EXPECT_TRUE(QFileInfo(ruta).isFile()) << ruta.toStdString();

    // Found again by name, the box shows the stored flag; Escape abandons it when confirmed.
    AceptaNombre(QStringLiteral("desde la ventana"));
    EXPECT_TRUE(form->EsModificacion);
    EXPECT_TRUE(anclar->isChecked());
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(guion.Mensajes(), QStringList{"¿Realmente desea abandonar la carga de datos?"});
    EXPECT_FALSE(form->EsModificacion);

    // The Borrar button deletes it after both questions, and its menu entry with it.
    AceptaNombre(QStringLiteral("DESDE LA VENTANA"));
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    Accion("BORRAR");
    EXPECT_EQ(guion.Mensajes().size(), 2);
    EXPECT_EQ(Valor("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'DESDE LA VENTANA'"), "0");
    EXPECT_EQ(Valor("SELECT count(*) FROM TA_MENU WHERE NOMBRE = 'DESDE LA VENTANA'"), "0");

    // F12 closes without asking.
    std::optional<int> fin;
    form->alTerminar = [&](int codigo) { fin = codigo; };
    guion.Limpia();
    Tecla(Qt::Key_F12);
    EXPECT_TRUE(fin.has_value());
    EXPECT_TRUE(form->Descargado());
    EXPECT_TRUE(guion.Registros().empty());
}

} // namespace
