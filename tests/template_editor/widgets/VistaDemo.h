#pragma once

// The editor's real window offscreen over a form loaded from the demo database, as the program
// opens it, with the keys a user types on it.

#include "AccesoPruebasVardelio.h"
#include "FrmVardelio.h"
#include "VistaVardelio.h"
#include "VistaVentanaConsulta.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

template <class Base> class ConVistaDemo : public Base {
protected:
    void SetUp() override {
        Base::SetUp();
        if (this->HasFatalFailure())
            return;
        AbreVentana();
        this->guion.Limpia();
    }
    // The form loaded on the session and its window shown.
    void AbreVentana() {
        form = std::make_unique<FrmVardelio>();
        form->TextWidth = VistaVardelio::MedidaTexto();
        form->Form_Load(this->LineaSesion());
        vista = std::make_unique<VistaVardelio>(*form);
        vista->show();
        vista->activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override {
        vista.reset();
        form.reset();
        Base::TearDown();
    }

    // Header field i of the window (0 the name).
    QLineEdit* Campo(int i) const {
        return qobject_cast<QLineEdit*>(vista->Control(QStringLiteral("TxtFields(%1)").arg(i)));
    }
    // Keys go where the focus is, as on a real keyboard, one at a time: to the window's focused
    // control also when, without a window manager, the window is not the active one after a
    // dialog closed.
    QWidget* Foco() const {
        return QApplication::focusWidget() ? QApplication::focusWidget() : vista->focusWidget();
    }
    void Escribe(const QString& texto) {
        for (const QChar c : texto) {
            QWidget* w = Foco();
            ASSERT_NE(w, nullptr);
            if (c.unicode() < 128) {
                QTest::keyClick(w, c.toLatin1());
            } else { // an accented letter: Latin-1 keys are named by their upper case
                const auto tecla = Qt::Key(c.toUpper().unicode());
                QTest::sendKeyEvent(QTest::Press, w, tecla, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, w, tecla, QString(c), Qt::NoModifier);
            }
            QApplication::processEvents();
        }
    }
    void Tecla(Qt::Key k, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
        QWidget* w = Foco();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, k, modificadores);
        QApplication::processEvents();
    }
    // A click, and the events it brings.
    void Clic(QWidget* w, QPoint donde = {}) {
        QTest::mouseClick(w, Qt::LeftButton, {}, donde);
        QApplication::processEvents();
    }
    // A click on the lines grid's cell (f, c).
    void ClicEnCelda(int f, int c) {
        QTableView* t = vista->Tabla();
        Clic(t->viewport(), t->visualRect(t->model()->index(f, c)).center());
    }
    QString Celda(int f, int c) const { return form->MSFlexGrid2.TextMatrix(f, c); }
    // Every cell of the grid's row `f`.
    QStringList LineaDeLaGrilla(int f) const {
        QStringList celdas;
        for (int c = 0; c < form->MSFlexGrid2.Cols(); ++c)
            celdas << Celda(f, c);
        return celdas;
    }
    // A click into a header field and its text typed over what it holds.
    void EscribeEnCampo(int i, const QString& texto) {
        QTest::mouseClick(Campo(i), Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_EQ(Foco(), Campo(i));
        Tecla(Qt::Key_A, Qt::ControlModifier);
        Escribe(texto);
    }
    // The stored template typed into the name and opened with Enter; Enter through the header
    // to its first line.
    void Abre(const QString& nombre) {
        EscribeEnCampo(0, nombre);
        Tecla(Qt::Key_Return);
        ASSERT_TRUE(Prueba(*form).EsModificacion()) << nombre.toStdString();
        for (int i = 0; i < 4 && Foco() != vista->Tabla(); ++i)
            Tecla(Qt::Key_Return);
        ASSERT_EQ(Foco(), vista->Tabla());
    }
    // F2 where the focus is, its question answered Yes.
    void Graba() {
        this->guion.AgregaRespuesta(Respuesta::Si);
        Tecla(Qt::Key_F2);
    }
    // A new template's header typed from the voucher type, as a user types it: Tab, the name,
    // Enter, motive 1 and Enter past the user's deposit and the rest, onto the lines.
    void CabeceraNueva(const QString& nombre) {
        Tecla(Qt::Key_Tab);
        Escribe(nombre);
        Tecla(Qt::Key_Return);
        Escribe(QStringLiteral("1"));
        for (int i = 0; i < 4; ++i)
            Tecla(Qt::Key_Return);
    }
    // The search window opens on the shown window; `accion` plays the person's part in it.
    void EnLaBusqueda(std::function<void(VistaVentanaConsulta&)> accion) {
        this->guion.alMostrar = [this, accion = std::move(accion)](Formulario& f) {
            VistaVentanaConsulta dialogo(dynamic_cast<VentanaConsulta&>(f), vista.get());
            QTimer::singleShot(0, &dialogo, [&] {
                ++busquedas;
                accion(dialogo);
            });
            dialogo.exec();
            // As a window manager does when a dialog closes: its window is the active one again.
            vista->activateWindow();
        };
    }

    // The rows the search window lists, each its cells trimmed and joined by "|".
    static QStringList FilasDeLaBusqueda(const VistaVentanaConsulta& d) {
        QStringList filas;
        const QAbstractItemModel* m = d.Tabla()->model();
        for (int f = 1; f < m->rowCount(); ++f) {
            QStringList celdas;
            for (int c = 0; c < m->columnCount(); ++c)
                celdas << m->index(f, c).data().toString().trimmed();
            filas << celdas.join(u'|');
        }
        return filas;
    }

    std::unique_ptr<FrmVardelio> form;
    std::unique_ptr<VistaVardelio> vista;
    int busquedas = 0; // search windows opened
};
