#pragma once

#include "FrmVardelio.h"

#include <QObject>
#include <array>

class QKeyEvent;
class QLineEdit;
class QTableView;
class VistaVardelio;

// The editing part of the editor's window: the floating cell editor laid over the current cell
// of the lines grid (shown while the form's txtEdit2 is Visible), and the keys, clicks and text
// changes of the grid, the cell editor and the header fields handed to the form's event
// handlers. The window's own key handling (the toolbar's keys) runs before these. Created by
// the window, which must outlive it together with the form.
class EdicionVardelio : public QObject {
    Q_OBJECT
public:
    EdicionVardelio(FrmVardelio& form, VistaVardelio& vista);
    ~EdicionVardelio() override;

    QLineEdit* Editor() const { return editor_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void MuestraEditor();
    void ColocaEditor();
    bool TeclaGrilla(QKeyEvent* tecla);
    bool TeclaEditor(QKeyEvent* tecla);
    bool TeclaCampo(int indice, QKeyEvent* tecla);
    // Writes an accepted character into the widget and the model, as the user would have typed it.
    void Inserta(QLineEdit* w, CajaTexto& caja, QChar c);

    FrmVardelio& form_;
    QTableView* tabla_ = nullptr;
    QLineEdit* editor_ = nullptr;
    std::array<QLineEdit*, 5> campos_{};
    ModeloControl::Suscripcion editorModelo_;
};
