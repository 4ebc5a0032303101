#pragma once

#include "AyudaFormularios.h"
#include "CajaTexto.h"
#include "Etiqueta.h"
#include "Registros.h"
#include "VentanaSuite.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>

// "Información del Despacho": the import data of a stock movement (dispatch number, origin of
// v_ta_origen, customs office), or, when the customs text is "PERECEDERO", only an expiry date.
// A caller sets Despacho, Origen and Aduana, runs Form_Load, shows it modally and reads the
// three texts back: the fields' trimmed texts after Aceptar, three empty texts after Cancelar.
// Headless; its view is widgets/VistaDespacho.
class FrmDespacho : public VentanaSuite, public FormularioAyudado {
public:
    FrmDespacho();

    QString TipoVentana() const override { return QStringLiteral("FrmDespacho"); }
    QString NombreFormulario() const override { return QStringLiteral("FrmDespacho"); }
    FocoFormulario& Foco() override { return Foco_; }
    std::vector<CajaTexto*> ArregloCampos(const QString& nombre) override;
    QString Caption() const { return QStringLiteral("Información del Despacho"); }

    // ---- Public variables ----
    QString Despacho; // or the expiry date in perishable mode
    QString Origen;
    QString Aduana; // "PERECEDERO" (any case) selects the perishable mode

    // ---- Controls ----
    // 0 Origen (4), 1 Despacho (25; the date, 10, in perishable mode), 2 Aduana (50).
    std::array<CajaTexto, 3> TxtFields;
    Etiqueta LblDesc{QStringLiteral("...")};
    std::array<Etiqueta, 5> Label5; // 4 "Despacho Nº", 0 "Origen", 1 "Aduana"
    Boton CmdAceptar{QStringLiteral("&Aceptar")};
    Boton CmdCancelar{QStringLiteral("&Cancelar")};
    Boton CmdConsultar{QStringLiteral("C&onsultar")};
    FocoFormulario Foco_;

    bool Perecedero() const { return perecedero_; }
    // Aceptar or Cancelar hid the dialog: the modal show returns.
    std::function<void()> alOcultar;

    // ---- Procedures ----
    // The field's check by its DataField: an origin shows its description (emptied when it is
    // not found; an empty origin leaves it). Never refuses a value.
    void CampoValida(CajaTexto& Texto);
    void AsignarDatos();
    void TomarDatos();
    void InicializaDatos();

    // ---- Events ----
    void Form_Load();
    // F2 Aceptar, F5 Consultar (also in perishable mode).
    void Form_KeyDown(qint16& KeyCode, int Shift = 0);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    // The origins' look-up; a look-up closed without a choice empties the origin.
    void CmdConsultar_Click();
    void TxtFields_GotFocus(int Index);
    void TxtFields_LostFocus(int Index);
    void TxtFields_KeyDown(int Index, qint16& KeyCode, int Shift = 0);
    void TxtFields_KeyPress(int Index, qint16& KeyAscii);

private:
    CajaTexto& Campo(const char* dataField);
    void MuestraOrigen(const QString& origen);
    void Oculta();

    bool perecedero_ = false;
    qint16 ultimoCampo_ = 1;
    Registros rs_;
};
