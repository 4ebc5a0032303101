#pragma once

#include "Etiqueta.h"
#include "Interaccion.h"
#include "ListaVista.h"
#include "VentanaSuite.h"

#include <QString>
#include <functional>

class Grilla;

// The statement of the account's charges that still have a balance (a Null balance counts),
// with `Cliente` as given, and that of its pending balance (account trimmed).
QString SentenciaCargosReales(const QString& Cliente);
QString SentenciaImporteCargosReales(const QString& Cuenta);

// The real-charges dialog, headless: the account's charges with a balance, each with a check
// box; a right click on a ticked charge offers "Aplicar", which lowers its amount to apply
// through an input box (never above the amount shown). Aceptar, and Escape too, leave the
// ticked charges in gCargosSeleccionados and unload the dialog; closing it does not.
// ClsCmnCptesServicios::ControlDeCargosReales sets Cliente and Matricula, loads and shows it.
class FrmCtrlCargosReales : public Formulario, public VentanaSuite {
public:
    FrmCtrlCargosReales();
    FrmCtrlCargosReales(const FrmCtrlCargosReales&) = delete;
    FrmCtrlCargosReales& operator=(const FrmCtrlCargosReales&) = delete;

    QString NombreFormulario() const override { return QStringLiteral("FrmCtrlCargosReales"); }
    QString TipoVentana() const override { return QStringLiteral("FrmCtrlCargosReales"); }

    // Public variables: the account whose charges are listed, and a registration the dialog
    // keeps without reading it.
    QString Cliente;
    QString Matricula;

    // Controls, in tab order, with their places in twips.
    struct Medidas {
        int Left = 0;
        int Top = 0;
        int Width = 0;
        int Height = 0;
        friend bool operator==(const Medidas&, const Medidas&) = default;
    };
    const QString Caption = QStringLiteral("Control de cargos Reales");
    static constexpr int AnchoInicial = 9615; // client area
    static constexpr int AltoInicial = 4620;
    Etiqueta Label1;
    Medidas MedidasLabel1;
    Boton CmdAceptar{QStringLiteral("&Aceptar")};
    Medidas MedidasCmdAceptar;
    ListaVista ListView1;
    Medidas MedidasListView1;
    Etiqueta LblMensaje;
    Medidas MedidasLblMensaje;
    bool Visible = false;

    // Public operations.
    void CargarDatos();
    void InicializaGrid();
    // Paints the row of the grid in that colour (fixed columns too), keeping the current column;
    // the current row is left at `Fila`. Traps nothing.
    void PintarFila(Grilla& MSFlexGrid1, qint32 Fila, qint32 Color);
    void CambiaImporte();

    // Events.
    void CmdAceptar_Click();
    // Escape (27) accepts, whatever the shift state; the key goes on to the control.
    void Form_KeyDown(int& keyCode, int shift);
    void Form_Load();
    // The window's outer size in twips; a size below the margins leaves what cannot be placed.
    void Form_Resize(int ancho, int alto);
    void Form_Unload();
    // In-place edits of a row's text are refused: both answer true (cancel).
    static bool ListView1_BeforeLabelEdit() { return true; }
    static bool ListView1_AfterLabelEdit() { return true; }
    // `boton` 1 left, 2 right; the view selects the row under the mouse first.
    void ListView1_MouseDown(int boton, int shift, double x, double y);

    // What the view provides: the width in twips of a number of letters "X" in the form's
    // font, as the view's registration measures it in `MideLetras` (135 twips a letter, a
    // letter of the system's default font, while no view is registered); the end of the modal
    // show. The columns are laid out on load, before the view is made.
    inline static std::function<int(int)> MideLetras;
    std::function<int(int)> anchoLetras = [](int letras) {
        return MideLetras ? MideLetras(letras) : letras * 135;
    };
    std::function<void()> alDescargar;

private:
    // The designed state, as a fresh load finds it.
    void Disena();
    void AgregaCargo(const class Registros& rs);
};
