#pragma once

#include "EdicionGrilla.h"
#include "ModeloControl.h"

#include <QObject>
#include <functional>
#include <optional>

class ModeloGrilla;
class QKeyEvent;
class QLineEdit;
class QTableView;

// The character a key types, as the system's KeyPress gets it (Backspace, Enter and Escape
// included); nothing for keys that type none.
std::optional<qint16> CaracterTecla(const QKeyEvent* tecla);
// Writes an accepted character into the widget and its box, as the user would have typed it.
void InsertaCaracter(QLineEdit* w, CajaTexto& caja, QChar c);

// A table set up as the grids show: no Qt editing (the floating editor edits), one cell selected,
// no word wrap, no row header, rows of fixed height (a grid of many thousand rows is laid out
// without measuring each), columns the user can widen.
void PreparaTablaGrilla(QTableView* tabla);

// Shows a grid in a table view: the view follows the grid's rows, column widths, hidden columns,
// fixed rows (row 0 is shown by the header), Enabled and current cell. A cell the user moves to
// is handed to `alMoverCelda(fila, col)`, where the form runs its LeaveCell and EnterCell; the
// view then shows the grid's cell, so that a move the form refused (an edit it would not take)
// or the grid did (an ErrorSistema: a fixed column) leaves the current cell where it was.
// A child of the view; the grid must outlive it.
class EnlaceTablaGrilla : public QObject {
    Q_OBJECT
public:
    EnlaceTablaGrilla(Grilla& grilla, QTableView* tabla, std::function<void(int fila, int col)> alMoverCelda);

    ModeloGrilla* Modelo() const { return modelo_; }
    // Widths, hidden columns and title rows again from the grid.
    void AplicaFormato();
    // The view's current cell to the grid's (at the views' pace while a long work runs:
    // DifiereVistas).
    void SigueCeldaActual();
    // While it answers true the table takes no clicks, whatever the grid's Enabled (a form's
    // long command runs).
    void setOcupada(std::function<bool()> ocupada) { ocupada_ = std::move(ocupada); }
    // The table enabled again by the grid's Enabled and the busy rule, once the rule's answer changed.
    void AplicaHabilitada();

private:
    bool Habilitada() const { return grilla_.Enabled() && !(ocupada_ && ocupada_()); }
    void AplicaCeldaActual();
    Grilla& grilla_;
    QTableView* tabla_;
    std::function<bool()> ocupada_;
    ModeloGrilla* modelo_;
    std::function<void(int, int)> alMoverCelda_;
    bool sincronizando_ = false;
    int cambiandoFilas_ = 0; // rows are being removed
    bool celdaPendiente_ = false;
};

// The floating cell editor of a grid's view: a frameless line edit laid over the table's current
// cell while the form's editor box is Visible, showing the box's text, caret, length limit and
// colours (at the views' pace while a long work runs: DifiereVistas). The keys, clicks and text
// changes of the table and of the editor go to `eventos` (the form). Tab leaves the grid, as in
// the suite. A child of the table; the form (its grid, box and events) must outlive it.
class EditorFlotante : public QObject {
    Q_OBJECT
public:
    EditorFlotante(QTableView* tabla, Grilla& grilla, CajaTexto& editor, EventosEdicionGrilla& eventos);
    ~EditorFlotante() override;

    QLineEdit* Editor() const { return editor_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Muestra();
    void Aplica();
    void Coloca();
    bool TeclaGrilla(QKeyEvent* tecla);
    bool TeclaEditor(QKeyEvent* tecla);

    QTableView* tabla_;
    Grilla& grilla_;
    CajaTexto& caja_;
    EventosEdicionGrilla& eventos_;
    QLineEdit* editor_ = nullptr;
    bool pendiente_ = false;
    ModeloControl::Suscripcion suscripcion_;
};
