#pragma once

#include "Interaccion.h"
#include "Teclas.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <span>
#include <vector>

class CajaTexto;
class Registros;

// The focus of a form: its focusable controls by name ("TxtFields(0)", "CmbLista", ...) in tab
// order, each with whether it can take the focus now (enabled and visible), and the control
// that has it. Moving the focus tells `alMoverFoco` (the form runs LostFocus/GotFocus; the
// view moves its widget focus).
class FocoFormulario {
public:
    struct Parada {
        QString nombre;
        std::function<bool()> disponible;
    };

    void DefineOrden(std::vector<Parada> orden) { orden_ = std::move(orden); }
    const std::vector<Parada>& Orden() const { return orden_; }

    // The control with the focus ("" none).
    const QString& Actual() const { return actual_; }
    // SetFocus: a control that cannot take the focus now raises ErrorSistema 5, as the system
    // does; a name outside the tab order is accepted (a control not in the cycle).
    void SetFocus(const QString& nombre);
    // The view reports where the user put the focus (no error: the widget took it).
    void FocoMovido(const QString& nombre);
    // Moves to the next control that can take the focus, after the current one, wrapping
    // round; false when none can.
    bool Siguiente();

    std::function<void(const QString& anterior, const QString& nuevo)> alMoverFoco;

private:
    void Mueve(const QString& nombre);
    std::vector<Parada> orden_;
    QString actual_;
};

// What the form helper needs of a form: its focus and its arrays of field boxes by name.
class FormularioAyudado : public Formulario {
public:
    virtual FocoFormulario& Foco() = 0;
    // The boxes of the control array of that name (case ignored); empty when there is none.
    virtual std::vector<CajaTexto*> ArregloCampos(const QString& nombre) = 0;
};

// The suite's form helper: the keyboard conventions and the field-to-box binding of the
// suite's editing forms. One session-wide instance (AF() in the template editor).
class AyudaFormularios {
public:
    // True for a key that confirms a field: Enter (13). Other keys come back unchanged.
    void FiltraTecla(qint16& KeyCode, bool& confirma) const;
    bool FiltraTecla(qint16& KeyCode) const {
        bool c = false;
        FiltraTecla(KeyCode, c);
        return c;
    }
    // Moves the focus to the next control of the form, as Tab would. The key code is not
    // changed (the callers pass Enter).
    void SiguienteControl(FormularioAyudado& formulario, qint16 KeyCode = tecla::Enter) const;
    // The typed character for the box: control characters other than backspace (8) are
    // dropped (0), apostrophes are dropped (the suite strips them from stored values anyway),
    // and a character beyond the box's MaxLength is left to the view. Letters keep their case.
    void FiltraCaracter(const CajaTexto& caja, qint16& KeyAscii) const;
    // The decimal separator of the regional settings, as one character.
    void SeparadorDecimal(QString& separador) const;
    QString SeparadorDecimal() const {
        QString s;
        SeparadorDecimal(s);
        return s;
    }
    // The index in the array of the box whose DataField is `campo` (case ignored); -1 when no
    // box is bound to it.
    void LeeCampo(const QString& campo, std::span<CajaTexto> arreglo, qint16& indice) const;
    qint16 LeeCampo(const QString& campo, std::span<CajaTexto> arreglo) const {
        qint16 i = -1;
        LeeCampo(campo, arreglo, i);
        return i;
    }
    // Fills each box of the array from the field of its DataField in the recordset's current
    // row (null as ""); a box without a DataField or whose field the set lacks is left as is.
    void CargaCampos(std::span<CajaTexto> arreglo, Registros& rs) const;
    // Set-up of the form's field array `arreglo`: every box emptied, enabled and shown.
    void PreparaCampos(FormularioAyudado& formulario, const QString& arreglo) const;
};
