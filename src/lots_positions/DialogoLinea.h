#pragma once

#include "AyudaFormularios.h"
#include "CajaTexto.h"
#include "EdicionLineas.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "VentanaSuite.h"

#include <QString>
#include <functional>

// What the three line dialogs (lots and serial numbers, positions and lots, position choice)
// share: their controls, the cell editing of their grid, the focus and the life cycle of one
// use. A caller loads a fresh dialog with its input (each dialog's CargaDatos: the window's
// Form_Load once, then the data), shows it modally or accepts it at once (Muestra) and reads its
// result once accept or cancel has hidden it. Cancel only hides: the result keeps what the input
// made it. Each dialog gives its editing rules, its validation, its Enter rule and its accept.
class DialogoLinea : public FormularioAyudado, public VentanaSuite {
public:
    DialogoLinea(const DialogoLinea&) = delete;
    DialogoLinea& operator=(const DialogoLinea&) = delete;

    QString NombreFormulario() const override { return nombre_; }
    QString TipoVentana() const override { return nombre_; }
    // The focus order: "MSFlexGrid1", "CmdAceptar", "CmdCancelar"; "TxtEdit" while a cell is
    // edited. The grid taking the focus while a cell is edited hands it back to the editor
    // (MSFlexGrid1_GotFocus).
    FocoFormulario& Foco() override { return foco_; }
    std::vector<CajaTexto*> ArregloCampos(const QString&) override { return {}; }

    // ---- Controls ----
    QString Caption;
    Grilla MSFlexGrid1;
    CajaTexto TxtEdit{QStringLiteral("TxtEdit")};
    Boton CmdAceptar;
    Boton CmdCancelar{QStringLiteral("&Cancelar")};
    Etiqueta lblArticulo;
    bool Visible = false;
    // The form's TextWidth (twips of a text in its font): MedidaPorDefecto when created.
    MedidaTexto TextWidth;
    // The dialogs' font measure, set once by the views' registration (nothing headless: then
    // 120 twips a character).
    static MedidaTexto& MedidaPorDefecto();
    // The view closes when the form hides itself (accept or cancel).
    std::function<void()> alOcultar;

    // ---- Life cycle ----
    // The window's set-up, once: the suite's form set-up, ConfiguraFormulario, then the
    // dialog's own; a failing step is skipped.
    void Form_Load();
    // Shown modally until accept or cancel hides it; or, unseen, accepted at once as loaded.
    void Muestra(bool mostrar = true);
    // Validates, writes the result and hides; a refusal keeps the dialog open.
    virtual void CmdAceptar_Click() = 0;
    // Hides the dialog; the result keeps what it held (unless the dialog says otherwise).
    virtual void CmdCancelar_Click();

    // ---- Cell editing, by the dialog's rules ----
    void MSFlexGrid1_KeyPress(qint16 KeyAscii) { edicion_.MSFlexGrid1_KeyPress(KeyAscii); }
    void MSFlexGrid1_LeaveCell() { edicion_.MSFlexGrid1_LeaveCell(); }
    void MSFlexGrid1_GotFocus() { edicion_.MSFlexGrid1_GotFocus(); }
    void TxtEdit_KeyDown(qint16 KeyCode, int Shift) { edicion_.TxtEdit_KeyDown(KeyCode, Shift); }
    void TxtEdit_KeyPress(qint16& KeyAscii) { edicion_.TxtEdit_KeyPress(KeyAscii); }
    void Text_Propiedades(CajaTexto& Texto, long Col) { edicion_.Text_Propiedades(Texto, Col); }
    void EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Edt, qint16 KeyCode, int Shift) {
        edicion_.EditKeyCode(MsFlexGrid, Edt, KeyCode, Shift);
    }
    void MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Edt, qint16 KeyAscii) {
        edicion_.MsflexGridEdt(MsFlexGrid, Edt, KeyAscii);
    }
    // Validates the edited cell by the dialog's rules; a refusal sets CampoInvalido.
    virtual void CampoValida(CajaTexto& Texto) = 0;
    // Moves the current cell as a click or an arrow key of the grid does: an open edit is
    // validated as Enter does and written first; refused, the cell does not move.
    void MueveCelda(int fila, int col) { edicion_.MueveCelda(fila, col); }
    // The grid's cell editing, the events target of the view's floating editor.
    EdicionLineas& Edicion() { return edicion_; }
    // The refusal of the last CampoValida.
    bool CampoInvalido() const { return campoInvalido_; }

protected:
    // `reglas` without `enter` and `campoValida`: those are the dialog's Enter and CampoValida.
    DialogoLinea(const QString& nombre, const QString& caption, const QString& aceptar,
                 EdicionLineas::Reglas reglas);

    // The dialog's own part of Form_Load.
    virtual void PreparaVentana() {}
    // CargaDatos: the window's Form_Load once, then the data's steps, each skipped when it fails.
    void LlenaDialogo(const std::vector<Paso>& pasos);
    // Enter once an edit is written: the dialog's moves.
    virtual void Enter() = 0;
    // Accept's last step and cancel's only one: the modal show ends.
    void Oculta();
    // Twips of a text, and of `letras` "X", in the form's font.
    int AnchoTexto(const QString& texto) const;
    int Ancho(int letras) const;
    // Every column with any text as wide as its longest one.
    void AjustaAnchoColumnas();

    bool campoInvalido_ = false;

private:
    QString nombre_;
    FocoFormulario foco_;
    EdicionLineas edicion_;
    bool preparada_ = false;
};
