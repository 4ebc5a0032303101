// The shipped skins on real widgets: each style sheet parses, reaches the window once the skin
// control applies it, and reaches the dialogs opened over it; the suite icon shows.

#include "AspectoVentana.h"
#include "Globales.h"
#include "PreparaFormulario.h"
#include "VentanaSuite.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTableWidget>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QStringList* gAvisos = nullptr;

void CapturaAvisos(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    // Qt says "Could not parse stylesheet of object ..." for a sheet it cannot read.
    if (gAvisos && tipo != QtDebugMsg && tipo != QtInfoMsg && texto.contains("parse", Qt::CaseInsensitive))
        *gAvisos << texto;
}

class Principal : public VentanaSuite {
public:
    QString TipoVentana() const override { return "FrmVardelio"; }
    MarcoSkin* SkinFramework1() override { return &skin; }
    MarcoSkin skin;
};

class Aspecto : public ::testing::Test {
protected:
    void SetUp() override {
        gAvisos = &avisos;
        anterior_ = qInstallMessageHandler(CapturaAvisos);
    }
    void TearDown() override {
        qInstallMessageHandler(anterior_);
        gAvisos = nullptr;
        ReiniciaSesion();
    }
    QStringList avisos;
    QtMessageHandler anterior_ = nullptr;
};

TEST_F(Aspecto, CadaSkinSeLeeYLlegaALaVentanaYASusDialogos) {
    for (int estilo = 1; estilo <= 5; ++estilo) {
        Principal ventana;
        QMainWindow vista;
        vista.addToolBar("Herramientas")->addAction("Grabar");
        auto* tabla = new QTableWidget(3, 2);
        vista.setCentralWidget(tabla);
        vista.statusBar()->showMessage("Listo");
        AplicaAspecto(ventana, vista);

        const ArchivoSkin archivo = SkinDeEstilo(estilo);
        ventana.skin.LoadSkin(CarpetaSkins() + archivo.skin, archivo.esquema);
        EXPECT_TRUE(vista.styleSheet().isEmpty()) << "loaded is not yet applied, style " << estilo;
        ventana.skin.ApplyWindow(ventana);
        EXPECT_EQ(vista.styleSheet(), ventana.skin.HojaEstilo()) << estilo;

        vista.show();
        QDialog dialogo(&vista);
        auto* boton = new QPushButton("Aceptar", &dialogo);
        auto* campo = new QLineEdit(&dialogo);
        campo->move(0, 40);
        dialogo.show();
        QApplication::processEvents();
        boton->ensurePolished();
        campo->ensurePolished();
        tabla->ensurePolished();
        // The dialog inherits the window's sheet: its button no longer has the platform's face.
        EXPECT_NE(boton->style()->metaObject()->className(), QApplication::style()->metaObject()->className())
            << estilo;
        dialogo.close();
        vista.close();
    }
    EXPECT_TRUE(avisos.isEmpty()) << avisos.join('\n').toStdString();

    // The same check does see a sheet Qt cannot read.
    QMainWindow rota;
    rota.setStyleSheet("QPushButton { color: ");
    auto* boton = new QPushButton("x", &rota);
    rota.show();
    boton->ensurePolished();
    QApplication::processEvents();
    EXPECT_FALSE(avisos.isEmpty());
}

TEST_F(Aspecto, IconoDeLaSuite) {
    Principal ventana;
    QMainWindow vista;
    AplicaAspecto(ventana, vista);
    EXPECT_TRUE(vista.windowIcon().isNull());
    ConfiguraFormulario(ventana);
    EXPECT_FALSE(vista.windowIcon().isNull());
    EXPECT_EQ(vista.windowIcon().pixmap(64, 64).size(), QSize(64, 64));
}

} // namespace
