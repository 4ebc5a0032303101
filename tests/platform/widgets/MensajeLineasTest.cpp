// A message box shown to a person breaks its lines where the suite's texts do, also at a lone
// carriage return; a text too long for the screen scrolls in a box that fits it.

#include "InteraccionQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
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

// A refused batch lists two lines per statement: thousands of lines.
QString MuchasLineas(int cuenta) {
    QString texto;
    for (int i = 1; i <= cuenta; ++i)
        texto += QStringLiteral("1222 : database is locked (sentencia %1)\r\n").arg(i);
    return texto;
}

// The box fits `pantalla`, its OK button lies inside it and shows, and its scrolling area holds
// every line.
void VerificaCaja(QMessageBox& caja, const QRect& pantalla, const QString& texto) {
    EXPECT_LE(caja.width(), pantalla.width());
    EXPECT_LE(caja.height(), pantalla.height());
    QAbstractButton* aceptar = caja.button(QMessageBox::Ok);
    ASSERT_NE(aceptar, nullptr);
    EXPECT_TRUE(aceptar->isVisible());
    EXPECT_TRUE(caja.rect().contains(QRect(aceptar->mapTo(&caja, QPoint(0, 0)), aceptar->size())));
    auto* area = caja.findChild<QPlainTextEdit*>();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->isVisible());
    EXPECT_EQ(area->toPlainText(), texto);
    EXPECT_EQ(caja.text(), texto);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
}

TEST(MensajeLineas, ThousandsOfLinesScrollInABoxThatFitsTheScreen) {
    const QString texto = MuchasLineas(8000);
    QString mostrado = texto;
    mostrado.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QRect pantalla : {QRect(0, 0, 640, 480), QRect(0, 0, 1920, 1080)}) {
        QMessageBox caja(QMessageBox::Critical, QStringLiteral("Aviso al Operador!"), mostrado,
                         QMessageBox::Ok);
        AcomodaTextoLargo(caja, pantalla);
        caja.show();
        QApplication::processEvents();
        VerificaCaja(caja, pantalla, mostrado);
    }

    // Through the port, on the screen the box opens on; OK answers.
    const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* caja = qobject_cast<QMessageBox*>(w); caja && caja->isVisible()) {
                VerificaCaja(*caja, pantalla, mostrado);
                caja->button(QMessageBox::Ok)->click();
            }
    });
    InteraccionQt puerto;
    EXPECT_EQ(
        puerto.MsgBox(texto, Estilo::SoloAceptar | Estilo::Critico, QStringLiteral("Aviso al Operador!")),
        Respuesta::Aceptar);

    // A few lines stay in the box's own label.
    QMessageBox corta(QMessageBox::Critical, QStringLiteral("Aviso al Operador!"), QStringLiteral("uno\ndos"),
                      QMessageBox::Ok);
    AcomodaTextoLargo(corta, pantalla);
    EXPECT_EQ(corta.findChild<QPlainTextEdit*>(), nullptr);
}

} // namespace
