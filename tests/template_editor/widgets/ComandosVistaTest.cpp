// The toolbar's commands through the real window offscreen on the demo database: its buttons and
// their keys save a template, anchor it, list it in a spreadsheet, delete it and close.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "VistaBarraHerramientas.h"
#include "VistaDemo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

namespace {

class ComandosVista : public ConVistaDemo<ConBaseDemo> {
protected:
    void SetUp() override {
        ConVistaDemo::SetUp();
        if (HasFatalFailure())
            return;
        tmpdir_.Pon(Carpeta());
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

    // The toolbar's button of that word, clicked with the mouse as a user does.
    void Boton(const char* palabra) {
        QAction* accion = vista->Barra()->Accion(QString::fromLatin1(palabra));
        ASSERT_NE(accion, nullptr) << palabra;
        auto* boton = qobject_cast<QToolButton*>(vista->Barra()->widgetForAction(accion));
        ASSERT_NE(boton, nullptr) << palabra;
        ASSERT_TRUE(boton->isVisible()) << palabra;
        ASSERT_TRUE(boton->isEnabled()) << palabra << " is not enabled";
        QTest::mouseClick(boton, Qt::LeftButton);
        QApplication::processEvents();
    }
    // A key pressed wherever the focus is, as on a real keyboard.
    void TeclaAlFoco(Qt::Key tecla) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, tecla);
        QApplication::processEvents();
    }
    // Text typed into the focused field, then Enter.
    void EscribeYEnter(const QString& texto) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClicks(w, texto);
        QTest::keyClick(w, Qt::Key_Return);
        QApplication::processEvents();
    }
    // A message the user can see, left by a previous command.
    void PoneMensaje() {
        form->LblMensaje.setCaption(QStringLiteral("aviso anterior"));
        QApplication::processEvents();
    }
    bool MensajeVisible() const {
        auto* etiqueta = vista->findChild<QLabel*>(QStringLiteral("LblMensaje"));
        return etiqueta && etiqueta->isVisible() && !etiqueta->text().isEmpty();
    }

private:
    VariableEntorno tmpdir_{"TMPDIR"};
};

TEST_F(ComandosVista, SaveAnchorListDeleteAndCloseFromButtonsAndKeys) {
    // F3: a new template.
    Tecla(Qt::Key_F3);
    EXPECT_TRUE(Prueba(*form).EsNuevo());
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
    EXPECT_TRUE(Prueba(*form).EsModificacion());
    EXPECT_TRUE(anclar->isChecked());
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(guion.Mensajes(), QStringList{"¿Realmente desea abandonar la carga de datos?"});
    EXPECT_FALSE(Prueba(*form).EsModificacion());

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

// Without a window manager the window may not be the active one after a message box closes, yet
// the keys typed over it still arrive at its focused control: they still reach the toolbar.
TEST_F(ComandosVista, KeysOfAWindowThatIsNotTheActiveOneStillReachTheToolbar) {
    Nombre()->setFocus();
    QApplication::processEvents();
    QWidget otra;
    otra.show();
    QApplication::setActiveWindow(&otra);
    QApplication::processEvents();
    ASSERT_NE(QApplication::activeWindow(), vista.get());
    ASSERT_EQ(vista->focusWidget(), Nombre());

    PoneMensaje();
    QTest::keyClick(Nombre(), Qt::Key_F3);
    QApplication::processEvents();
    EXPECT_TRUE(Prueba(*form).EsNuevo());
    EXPECT_FALSE(MensajeVisible());
    // Letters still go into the field.
    QTest::keyClicks(Nombre(), QStringLiteral("AB"));
    EXPECT_EQ(Nombre()->text(), QStringLiteral("AB"));
}

// Each of the eight commands from its toolbar button and from its key, on the focused control of
// the real window: the name and the header typed, the questions answered by the script.
TEST_F(ComandosVista, EveryCommandFromItsButtonAndFromItsKey) {
    QTemporaryDir programas;
    ASSERT_TRUE(programas.isValid());
    const VariableEntorno carpeta("MODELOS_PROGRAMAS");
    carpeta.Pon(programas.path());
    const QString reporte = programas.filePath(QStringLiteral("reportestock"));
    {
        // The stock report's stand-in: one line per start, its session argument.
        QFile f(reporte);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.log\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const auto arranques = [&reporte](int esperados) {
        QFile log(reporte + QStringLiteral(".log"));
        QStringList lineas;
        for (QDeadlineTimer fin(15000); !fin.hasExpired(); QThread::msleep(20)) {
            if (log.open(QIODevice::ReadOnly)) {
                lineas = QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
                log.close();
            }
            if (lineas.size() >= esperados)
                break;
        }
        return lineas;
    };
    const QString sesion = QStringLiteral(" ; @server=sqlite; @dbname=") + RutaBase() +
                           QStringLiteral("; @usuario=DEMO; @Password=; @ParametroAdicional=; kolm@ ; "
                                          "@UsuarioLogeado = DEMO; @Caja=1;");
    const QString preguntaAbandonar = QStringLiteral("¿Realmente desea abandonar la carga de datos?");
    const QString preguntaBaja = QStringLiteral("Confirma la baja de este registro?");

    // NUEVO: the button, then F3; each leaves a new template with the focus on its name.
    PoneMensaje();
    Boton("NUEVO");
    EXPECT_TRUE(Prueba(*form).EsNuevo());
    EXPECT_EQ(QApplication::focusWidget(), Nombre());
    EXPECT_FALSE(MensajeVisible());
    Prueba(*form).ModoActual() = AccesoPruebasVardelio::Modo::Ninguno;
    PoneMensaje();
    TeclaAlFoco(Qt::Key_F3);
    EXPECT_TRUE(Prueba(*form).EsNuevo());
    EXPECT_EQ(QApplication::focusWidget(), Nombre());
    EXPECT_FALSE(MensajeVisible());

    // PLANILLA (outside editing): the button, then F6; each writes a workbook and says where.
    PoneMensaje();
    Boton("PLANILLA");
    TeclaAlFoco(Qt::Key_F6);
    ASSERT_EQ(guion.Registros().size(), 2u) << guion.Mensajes().join(u'\n').toStdString();
    for (const auto& aviso : guion.Registros()) {
        EXPECT_EQ(aviso.titulo, QStringLiteral("Reporte ") + form->Caption());
        const QString ruta = QDir::fromNativeSeparators(aviso.texto.section(QStringLiteral("\r\n"), 1));
        EXPECT_TRUE(QFileInfo(ruta).isFile()) << ruta.toStdString();
    }
    EXPECT_NE(guion.Registros()[0].texto, guion.Registros()[1].texto);
    EXPECT_FALSE(MensajeVisible());

    // REPORTE: the button, then F7; each starts the stock report with the session.
    guion.Limpia();
    Boton("REPORTE");
    TeclaAlFoco(Qt::Key_F7);
    EXPECT_EQ(arranques(2), QStringList({sesion, sesion}));
    EXPECT_TRUE(guion.Registros().empty()) << guion.Mensajes().join(u'\n').toStdString();

    // The name typed and Enter, then Enter down the header (motive 2, the user's deposit).
    Nombre()->setFocus();
    QApplication::processEvents();
    EscribeYEnter(QStringLiteral("POR BOTONES"));
    ASSERT_TRUE(Prueba(*form).EsNuevo());
    ASSERT_TRUE(guion.Registros().empty()) << guion.Mensajes().join(u'\n').toStdString();
    EscribeYEnter(QStringLiteral("2"));
    EXPECT_EQ(form->lblDescMotivo.Caption(), QStringLiteral("Rotura y merma"));
    form->MSFlexGrid2.setTextMatrix(1, 0, QStringLiteral("1001"));
    form->MSFlexGrid2.setTextMatrix(1, 5, QStringLiteral("UN"));
    form->MSFlexGrid2.setTextMatrix(1, 7, QStringLiteral("3"));
    Nombre()->setFocus();
    QApplication::processEvents();

    // CONSULTAR: the name field has a look-up table, so its button and F5 run the command.
    EXPECT_TRUE(form->UtilVox1.HabilitaConsultar());
    PoneMensaje();
    Boton("CONSULTAR");
    EXPECT_FALSE(MensajeVisible());
    PoneMensaje();
    TeclaAlFoco(Qt::Key_F5);
    EXPECT_FALSE(MensajeVisible());

    // CANCELAR: the button answered No keeps the template; Escape answered No too.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::No);
    Boton("CANCELAR");
    guion.AgregaRespuesta(Respuesta::No);
    TeclaAlFoco(Qt::Key_Escape);
    EXPECT_EQ(guion.Mensajes(), QStringList({preguntaAbandonar, preguntaAbandonar}));
    EXPECT_EQ(Nombre()->text(), QStringLiteral("POR BOTONES"));
    EXPECT_TRUE(Prueba(*form).EsNuevo());

    // GRABAR: F2 declined keeps the message; the button accepted stores and resets the window.
    guion.Limpia();
    PoneMensaje();
    guion.AgregaRespuesta(Respuesta::No);
    TeclaAlFoco(Qt::Key_F2);
    EXPECT_TRUE(MensajeVisible());
    EXPECT_EQ(Valor("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'POR BOTONES'"), "0");
    guion.AgregaRespuesta(Respuesta::Si);
    Boton("GRABAR");
    ASSERT_EQ(guion.Mensajes().size(), 2) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_TRUE(guion.Mensajes()[1].startsWith(QStringLiteral("Total de Items:1\r\nTotal Cantidades: 3")));
    EXPECT_EQ(Valor("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'POR BOTONES'"), "1");
    EXPECT_EQ(Nombre()->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), Nombre());

    // Found again by its name typed: BORRAR's button answered No, then F8 answered Yes twice.
    EscribeYEnter(QStringLiteral("por botones"));
    ASSERT_TRUE(Prueba(*form).EsModificacion()) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_EQ(Nombre()->text(), QStringLiteral("POR BOTONES"));
    Nombre()->setFocus();
    QApplication::processEvents();
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::No);
    Boton("BORRAR");
    EXPECT_EQ(Valor("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'POR BOTONES'"), "1");
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    TeclaAlFoco(Qt::Key_F8);
    EXPECT_EQ(guion.Mensajes(), QStringList({preguntaBaja, preguntaBaja,
                                             QStringLiteral("¿Realmente desea anular este comprobante?")}));
    EXPECT_EQ(Valor("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'POR BOTONES'"), "0");

    // CERRAR's button ends the program without asking (F12 in the test above).
    std::optional<int> fin;
    form->alTerminar = [&](int codigo) { fin = codigo; };
    guion.Limpia();
    Boton("CERRAR");
    EXPECT_TRUE(fin.has_value());
    EXPECT_TRUE(form->Descargado());
    EXPECT_TRUE(guion.Registros().empty());
}

} // namespace
