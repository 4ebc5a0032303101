#pragma once

#include "CajaTexto.h"
#include "Grilla.h"

#include <QtGlobal>

// The floating cell editor of a grid, as the forms see it: a text box (hidden while nothing is
// edited) laid over the grid's current cell, filled when the user starts typing and written back
// into the cell when the edit ends. Which cells open it and what the keys do stay with each form;
// these are the steps every such form takes alike.
namespace EdicionGrilla {

// The scroll rule: when the current cell's bottom lies below the grid, the grid scrolls one row.
// A grid not laid out yet has no height to compare with and does not scroll.
void Desplaza(Grilla& g);

// Fills the editor for the key typed in the grid and shows it: a printable key (above 32, or a
// negative code) starts a new value with that character and the caret after it; any other key
// (Enter, space, Backspace) edits the cell's present text with the caret at its end.
void AbreEditor(Grilla& g, CajaTexto& editor, qint16 KeyAscii);

// When the editor is shown: the current cell takes its text (as given) and the editor is hidden.
// False when it was hidden (nothing to write).
bool Compromete(Grilla& g, CajaTexto& editor);
bool Compromete(Grilla& g, CajaTexto& editor, const QString& texto);

} // namespace EdicionGrilla

// The events of a grid with a floating cell editor, which a view sends to its form (headless,
// so that a form can take them without QtWidgets). KeyDown codes and KeyPress characters are
// the system's (Teclas.h); a handler may change them, 0 meaning the key is dropped.
class EventosEdicionGrilla {
public:
    virtual ~EventosEdicionGrilla() = default;
    // A key pressed in the grid; true when the form took it and the grid must not act on it.
    virtual bool Grilla_KeyDown(qint16& /*KeyCode*/, int /*Shift*/) { return false; }
    // A character typed in the grid (it usually opens the editor).
    virtual void Grilla_KeyPress(qint16& KeyAscii) = 0;
    virtual void Grilla_Click() {}
    virtual void Grilla_DblClick() {}
    // A key pressed in the editor. Enter, Escape, Up and Down never reach the box itself.
    virtual void Editor_KeyDown(qint16& KeyCode, int Shift) = 0;
    // A character typed in the editor, before it reaches the box.
    virtual void Editor_KeyPress(qint16& /*KeyAscii*/) {}
    // The user changed the editor's text (the box already holds it).
    virtual void Editor_Change() {}
    // The user put the focus into the shown editor.
    virtual void Editor_FocoTomado() {}
};
