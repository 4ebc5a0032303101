// A message box shown to a person breaks its lines where the suite's texts do, also at a lone
// carriage return.

#include "InteraccionQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The text the box shows, read while it is open; then it is closed with its default button.
QString TextoMostrado(const QString& texto, int& respuesta) {
    QString mostrado;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* caja = qobject_cast<QMessageBox*>(w); caja && caja->isVisible()) {
                mostrado = caja->text();
                caja->defaultButton()->click();
            }
    });
    InteraccionQt puerto;
    respuesta = puerto.MsgBox(texto, Estilo::SoloAceptar | Estilo::Critico, QStringLiteral("Atención"));
    return mostrado;
}

TEST(MensajeLineas, ALoneCarriageReturnBreaksTheLine) {
    int respuesta = 0;
    EXPECT_EQ(
        TextoMostrado(QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"),
                      respuesta),
        QStringLiteral("Opcion no Implementada!\nComuniquese con su proveedor de sistemas"));
    EXPECT_EQ(respuesta, Respuesta::Aceptar);
    EXPECT_EQ(
        TextoMostrado(QStringLiteral("Total de Items:2\r\nTotal Cantidades: 7,5\r\n\r\nConfirma"), respuesta),
        QStringLiteral("Total de Items:2\nTotal Cantidades: 7,5\n\nConfirma"));
}

} // namespace
