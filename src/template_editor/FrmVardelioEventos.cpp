// Events of the header fields, and the focus events of the fields, the lines grid and its cell
// editor.

#include "FrmVardelio.h"
#include "Globales.h"

namespace {

constexpr int kBlanco = 16777215;
constexpr int kNegro = 0;
constexpr int kBotonDerecho = 2;

const QString kGrilla = QStringLiteral("MSFlexGrid2");
const QString kEditor = QStringLiteral("txtEdit2");

// The index of a header field's focus name "TxtFields(n)"; -1 for any other control.
int IndiceFoco(const QString& nombre) {
    static const QString prefijo = QStringLiteral("TxtFields(");
    if (!nombre.startsWith(prefijo, Qt::CaseInsensitive) || !nombre.endsWith(QLatin1Char(')')))
        return -1;
    bool ok = false;
    const int i = nombre.mid(prefijo.size(), nombre.size() - prefijo.size() - 1).toInt(&ok);
    return ok && i >= 0 && i < 5 ? i : -1;
}

} // namespace

void FrmVardelio::TxtFields_GotFocus(int Index) {
    CajaTexto& campo = TxtFields[Index];
    UtilVox1.setHabilitaConsultar(!campo.Tag().isEmpty());
    ControlActivo = &campo;
    MarcaValidacion[Index] = true;
    campo.setBackColor(gColorFondo);
    campo.setForeColor(gColorLetra);
}

void FrmVardelio::TxtFields_LostFocus(int Index) {
    TxtFields[Index].setBackColor(kBlanco);
    TxtFields[Index].setForeColor(kNegro);
}

void FrmVardelio::TxtFields_KeyDown(int Index, qint16& KeyCode, int) {
    if (!AF().FiltraTecla(KeyCode))
        return;
    // Validated now (CampoValida clears the field's mark): the leave that follows does not
    // validate again, unless the user would not open the name typed there.
    CampoValida(TxtFields[Index]);
    if (!ErrorValidacion)
        AF().SiguienteControl(*this, KeyCode);
}

void FrmVardelio::TxtFields_KeyPress(int Index, qint16& KeyAscii) {
    AF().FiltraCaracter(TxtFields[Index], KeyAscii);
}

void FrmVardelio::TxtFields_Change(int Index) {
    MarcaValidacion[Index] = true;
}

void FrmVardelio::TxtFields_MouseDown(int Index, int Button, int, float, float) {
    // First of all, so that the look-up acts on the clicked field even when another control has
    // the focus.
    ControlActivo = &TxtFields[Index];
    if (Button == kBotonDerecho)
        CmdConsultar();
}

void FrmVardelio::TxtFields_Validate(int Index, bool& Cancel) {
    Cancel = false; // the focus always moves on
    if (MarcaValidacion[Index])
        CampoValida(TxtFields[Index]);
}

bool FrmVardelio::FocoEnLineas() const {
    return Foco_.Actual() == kGrilla || Foco_.Actual() == kEditor;
}

void FrmVardelio::FocoEdicion(const QString& anterior, const QString& nuevo) {
    bool cancela = false;
    const int sale = IndiceFoco(anterior);
    if (sale >= 0) {
        TxtFields_Validate(sale, cancela);
        // The validation kept the focus in its field (the user would not lose the window's
        // changes): the move did not happen.
        if (Foco_.Actual() != nuevo)
            return;
        TxtFields_LostFocus(sale);
    } else if (anterior == kEditor) {
        txtEdit2_Validate(cancela);
        txtEdit2_LostFocus();
        // Left for anything but its grid: the edit ends here, before the grid's current cell can
        // be moved under it.
        if (nuevo != kGrilla)
            ComprometeEditor();
    }
    const int entra = IndiceFoco(nuevo);
    if (entra >= 0)
        TxtFields_GotFocus(entra);
    else if (nuevo == kGrilla)
        MSFlexGrid2_GotFocus();
    else if (nuevo == kEditor)
        txtEdit2_GotFocus();
}
