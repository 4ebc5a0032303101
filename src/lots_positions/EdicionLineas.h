#pragma once

#include "AyudaFormularios.h"
#include "ClsCmnCptesLotes.h"
#include "EdicionGrilla.h"

#include <functional>

// The cell editing that the line dialogs (lots and serial numbers, positions and lots, position
// choice) share: the floating editor `TxtEdit` over the grid `MSFlexGrid1`, opened by a key in
// an editable cell; validated by the dialog whichever way the edit is left (a key that ends it,
// a move of the current cell, a command, accept) and only then written into the cell; the
// navigation of those keys, the scroll rule, the toolbar's fill commands, the copy of the first
// row into blank ones and the column widths from the longest texts. What each dialog does
// differently is given in its Reglas. The object is also the events target of the dialog's view
// (EditorFlotante).
class EdicionLineas : public EventosEdicionGrilla {
public:
    struct Reglas {
        // Cells edited as quantities: DataField "Cantidad" and no length limit; the others are
        // text cells of at most 25 characters. None when not set.
        std::function<bool(int col)> esCantidad;
        // Cells that open the editor; every non-fixed one when not set.
        std::function<bool(int col)> editable;
        // The column's properties are set before the editable test (and so also for a cell that
        // does not open); otherwise only for a cell that opens.
        bool propiedadesPrimero = false;
        // Enter, once the grid has the focus back and the edit is written: moves the current
        // cell (the dialog's last-column rule). Nothing moves when not set.
        std::function<void()> enter;
        // Besides 5, EditKeyCode skips 30010 (a fixed column made current).
        bool saltaColumnaFija = false;
        // The dialog's CampoValida; true when it refused the value (its CampoInvalido): the key
        // that ended the edit then has no further effect.
        std::function<bool(CajaTexto& Texto)> campoValida;
        // Errors of EditKeyCode other than the skipped ones (answer as EjecutaPasos); the
        // central error handler of AD() with the routine "EditKeyCode" when not set.
        Reportador reportaError;
    };

    EdicionLineas(Grilla& grilla, CajaTexto& editor, FocoFormulario& foco, Reglas reglas);
    EdicionLineas(const EdicionLineas&) = delete;
    EdicionLineas& operator=(const EdicionLineas&) = delete;

    Reglas& reglas() { return reglas_; }

    // ---- Events of the grid and of the editor ----
    void MSFlexGrid1_KeyPress(qint16& KeyAscii);
    // Writes the edit (once validated: MueveCelda calls it).
    void MSFlexGrid1_LeaveCell() { Compromete(); }
    // The grid taken by the user while a cell is edited (a click on it, Tab) ends no edit: the
    // focus goes back to the editor, and whatever moves the cell validates the edit first.
    void MSFlexGrid1_GotFocus();
    // Enter, Escape, Up and Down end the edit: the dialog validates it (Escape drops the text
    // unvalidated, since nothing of it is kept), then EditKeyCode.
    void TxtEdit_KeyDown(qint16& KeyCode, int Shift);
    void TxtEdit_KeyPress(qint16& KeyAscii);

    // ---- The editing methods ----
    // DataField, MaxLength and Tag of the editor for the column.
    void Text_Propiedades(CajaTexto& Texto, long Col);
    // Opens the editor over the current cell for the key typed in the grid.
    void MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Edt, qint16& KeyAscii);
    // The navigation after an edit.
    void EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Edt, qint16& KeyCode, int Shift);
    // When the editor is shown: the current cell takes its text (TextoCelda) and it is hidden.
    void Compromete();
    // What a click on another cell, a command and accept do first: the open edit validated by
    // the dialog and written into its cell; false when the dialog refused it (the editor stays
    // open on the typed text, with the focus).
    bool TerminaEdicion();
    // Moves the current cell as the user's click does: the open edit is validated and written
    // first; refused, the cell does not move.
    void MueveCelda(int fila, int col);
    // The edit, validated by the key that ended it, written; the grid takes the focus back.
    void VuelveAGrilla();
    // Runs one statement under EditKeyCode's error rule (for the dialog's Enter rule, whose
    // moves are statements of their own).
    void EjecutaPaso(const Paso& paso) const;
    // A cell's text as the lists of a line can hold it: "|" separates their entries and U+00FF
    // ends one, so neither may come from what the user typed or pasted.
    static QString TextoCelda(const QString& texto);

    // ---- Fill commands and columns ----
    // The current cell's text, trimmed, into the same column of every row below it.
    void LlenaHaciaAbajo();
    // `valor` into column `col` (the current one when -1) of every row below the current one.
    void BlanqueaHaciaAbajo(const QString& valor = {}, int col = -1);
    // Row 1's text of the column, trimmed, into every data row whose text there is blank.
    // A failing step is skipped.
    void CompletaTodoIgual(int col);
    // Every column holding any text, its title included, as wide as its longest text in "X"
    // characters measured by `medida` (the form's TextWidth); an empty column keeps its width.
    void AjustaAnchoColumnas(const MedidaTexto& medida);
    // Sum of the column's numbers over the data rows, row `omitida` left out (-1: none).
    double SumaFilas(int col, int omitida = -1) const;

    // ---- EventosEdicionGrilla, for the view ----
    void Grilla_KeyPress(qint16& KeyAscii) override { MSFlexGrid1_KeyPress(KeyAscii); }
    void Editor_KeyDown(qint16& KeyCode, int Shift) override { TxtEdit_KeyDown(KeyCode, Shift); }
    void Editor_KeyPress(qint16& KeyAscii) override { TxtEdit_KeyPress(KeyAscii); }
    void Editor_FocoTomado() override;

private:
    bool EsCantidad(int col) const { return reglas_.esCantidad && reglas_.esCantidad(col); }
    bool Editable(int col) const;
    int ReportaError(const ErrorSistema& e) const;

    Grilla& grilla_;
    CajaTexto& editor_;
    FocoFormulario& foco_;
    Reglas reglas_;
    AyudaFormularios ayuda_;
};
