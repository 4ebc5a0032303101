#pragma once

#include "EdicionGrilla.h"
#include "FrmVardelio.h"

#include <QObject>
#include <QPointer>
#include <array>

class EditorFlotante;
class QKeyEvent;
class QLineEdit;
class VistaVardelio;

// The editing part of the editor's window: the floating cell editor over the lines grid (the
// shared EditorFlotante, shown while the form's txtEdit2 is Visible) with its events handed to
// the form's handlers, and the keys, clicks and text changes of the header fields. The window's
// own key handling (the toolbar's keys) runs before these. Created by the window, which must
// outlive it together with the form.
class EdicionVardelio : public QObject, private EventosEdicionGrilla {
    Q_OBJECT
public:
    EdicionVardelio(FrmVardelio& form, VistaVardelio& vista);
    ~EdicionVardelio() override;

    QLineEdit* Editor() const;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool Grilla_KeyDown(qint16& KeyCode, int Shift) override;
    void Grilla_KeyPress(qint16& KeyAscii) override;
    void Grilla_Click() override;
    void Grilla_DblClick() override;
    void Editor_KeyDown(qint16& KeyCode, int Shift) override;
    void Editor_KeyPress(qint16& KeyAscii) override;
    void Editor_Change() override;
    void Editor_FocoTomado() override;
    bool TeclaCampo(int indice, QKeyEvent* tecla);

    FrmVardelio& form_;
    // A child of the table: it goes with the table or, when this goes first, with this.
    QPointer<EditorFlotante> editor_;
    std::array<QLineEdit*, 5> campos_{};
};
