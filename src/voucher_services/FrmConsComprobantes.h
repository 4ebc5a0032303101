#pragma once

#include "CajaTexto.h"
#include "ConsultaCptes.h"
#include "Etiqueta.h"
#include "Interaccion.h"
#include "ListaVista.h"
#include "VentanaSuite.h"

#include <QString>
#include <functional>

// The voucher lookup window, headless: the user picks a voucher of the type `TC` (several, by
// ticking them, for purchase orders). ClsCmnCptesServicios::ConsultaComprobante sets the public
// variables, loads and shows it, and reads the answer back.
class FrmConsComprobantes : public Formulario, public VentanaSuite {
public:
    FrmConsComprobantes();
    FrmConsComprobantes(const FrmConsComprobantes&) = delete;
    FrmConsComprobantes& operator=(const FrmConsComprobantes&) = delete;

    QString NombreFormulario() const override { return QStringLiteral("FrmConsComprobantes"); }
    QString TipoVentana() const override { return QStringLiteral("FrmConsComprobantes"); }
    // The modal show loads the window (Form_Load).
    void Inicia() override { Form_Load(); }

    // Public variables, in the window's order.
    QString filtro;
    QString TC;
    QString NroComprobante;
    QString IdComplemento;
    QString Proveedor;

    // Controls.
    const QString Caption = QStringLiteral("Consulta de Comprobantes");
    Boton CmdBuscar{QStringLiteral("&Buscar")};
    CajaTexto TxtNumero{QStringLiteral("TxtNumero")};
    CajaTexto TxtNombre{QStringLiteral("TxtNombre")};
    Boton CmdCancelar{QStringLiteral("&Cancelar")};
    Boton CmdAceptar{QStringLiteral("&Aceptar")};
    ListaVista ListView1;
    ListaImagenes ImageList1;
    // The control that has the focus, by name ("TxtNombre", "TxtNumero", "CmdBuscar", ...).
    QString Foco;
    bool Visible = false;

    // Public operations.
    // Fills the list for `TC` (a pseudo type is mapped; a repeated search maps the type first
    // asked again), the search boxes and `filtro`, yielding to the event loop after each row.
    void ConsultaCptes();
    qint16 ObtieneIndiceImagen(const QString& tag) const;
    void Encolumnar();

    // Events.
    void Form_Load();
    void Form_Unload();
    void CmdBuscar_Click();
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void ListView1_DblClick();
    void ListView1_KeyDown(int keyCode, int shift);
    // `columna`: the clicked header's 1-based position.
    void ListView1_ColumnClick(int columna);
    // In-place edits of a row's text are refused: both answer true (cancel).
    static bool ListView1_BeforeLabelEdit() { return true; }
    static bool ListView1_AfterLabelEdit() { return true; }
    void TxtNombre_GotFocus();
    void TxtNumero_GotFocus();
    void TxtNombre_KeyPress(int& keyAscii);
    void TxtNumero_KeyPress(int& keyAscii);

    // True while the list fills (the window's commands then wait for it to end).
    bool Llenando() const { return llenando_; }

    // What the view provides: the width in twips of a number of letters "X" in the window's
    // font; the yield to the event loop; the end of the modal show.
    std::function<int(int)> anchoLetras = [](int letras) { return letras * 135; };
    std::function<void()> cedeTurno;
    std::function<void()> alDescargar;

private:
    void Llena(const QString& sql, const TipoConsulta& tipo);
    bool AgregaFila(const ArmadorFilasConsulta& armador, const Registros& rs);

    QString pedido_;
    bool pedidoTomado_ = false;
    bool llenando_ = false;
    bool detener_ = false;
};
