#pragma once

#include "AyudaFormularios.h"
#include "CajaTexto.h"
#include "ClsCmnCptes.h"
#include "EdicionLineas.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "VentanaSuite.h"

#include <QString>
#include <functional>

class Registros;

// The position choice dialog, headless: the candidate positions of the article in the deposit
// that hold a balance of it, with capacity and free room in the line's unit; a position is
// accepted only when its capacity is 0 (no limit) or its free room covers `Cantidad1`. The
// caller sets the public variables, calls CargaDatos, shows it and reads `iPosicionDevuelta`.
//
// Grid columns: 0 position, 1 description, 2 entry order, 3 unit, 4 capacity, 5 free room.
class FrmPosicionConsulta : public Formulario, public VentanaSuite {
public:
    FrmPosicionConsulta();
    FrmPosicionConsulta(const FrmPosicionConsulta&) = delete;
    FrmPosicionConsulta& operator=(const FrmPosicionConsulta&) = delete;

    QString NombreFormulario() const override { return QStringLiteral("FrmPosicionConsulta"); }
    QString TipoVentana() const override { return QStringLiteral("FrmPosicionConsulta"); }

    // Public variables, in the form's order.
    QString Deposito;
    QString IUNIDAD;
    double Cantidad1 = 0;
    QString IdDeposito;
    QString Articulo;
    QString ArticuloDescripcion;
    QString iPosicionDevuelta;

    // Controls.
    QString Caption = QStringLiteral("Posiciones");
    Grilla MSFlexGrid1;
    CajaTexto TxtEdit{QStringLiteral("TxtEdit")};
    Boton CmdAceptar{QStringLiteral("&Aceptar")};
    Boton CmdCancelar{QStringLiteral("&Cancelar")};
    Etiqueta lblArticulo;
    // The control that has the focus: "MSFlexGrid1", "TxtEdit", "CmdAceptar" or "CmdCancelar".
    FocoFormulario Foco;
    bool Visible = false;

    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void Form_Load();

    // Cell editing: only the entry order and the capacity open the editor, and what is typed is
    // kept on the first row only.
    void MSFlexGrid1_KeyPress(qint16 KeyAscii) { edicion_.MSFlexGrid1_KeyPress(KeyAscii); }
    void MSFlexGrid1_LeaveCell() { edicion_.MSFlexGrid1_LeaveCell(); }
    void MSFlexGrid1_GotFocus() { edicion_.MSFlexGrid1_GotFocus(); }
    void TxtEdit_KeyDown(qint16 KeyCode, int Shift) { edicion_.TxtEdit_KeyDown(KeyCode, Shift); }
    void TxtEdit_KeyPress(qint16& KeyAscii) { edicion_.TxtEdit_KeyPress(KeyAscii); }
    void MueveCelda(int fila, int col) { edicion_.MueveCelda(fila, col); }
    // The grid's cell editing, the events target of the view.
    EdicionLineas& Edicion() { return edicion_; }

    // The statement of the article's balances in the deposit, at every position; deposit and
    // article already filled to their widths.
    static QString SqlSaldos(const QString& deposito, const QString& articulo);

    // What the view provides: the form's TextWidth (twips of a text in its font); the end of the
    // modal show.
    MedidaTexto TextWidth = [](const QString& texto) { return int(texto.size()) * 135; };
    std::function<void()> alOcultar;

private:
    void Enter();
    bool TerminaEdicion(CajaTexto& Texto);
    void EscribeSaldo(const Registros& rs, int fila);
    void Oculta();

    bool cargado_ = false;
    EdicionLineas edicion_;
};
