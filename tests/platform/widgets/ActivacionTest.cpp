// A modal box closes and the window it belongs to takes the keyboard again, even where something
// else was active meanwhile and no window manager hands the activation back.

#include "InteraccionQt.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Activacion, AfterAMessageBoxItsWindowIsActiveAgain) {
    QMainWindow ventana;
    ventana.show();
    QWidget otra;
    otra.show();
    InteraccionQt puerto;
    puerto.setPadre(&ventana);
    // While the box is open another window takes the activation, as a stray click would.
    QTimer::singleShot(0, [&] {
        otra.activateWindow();
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* caja = qobject_cast<QMessageBox*>(w); caja && caja->isVisible())
                caja->defaultButton()->click();
    });
    EXPECT_EQ(puerto.MsgBox(QStringLiteral("Aviso"), Estilo::SoloAceptar, QStringLiteral("Atención")),
              Respuesta::Aceptar);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &ventana);
}

} // namespace
