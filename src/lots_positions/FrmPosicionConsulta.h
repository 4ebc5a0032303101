#pragma once

#include "CajaTexto.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "VentanaSuite.h"

#include <QString>
#include <functional>

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
    QString Foco = QStringLiteral("MSFlexGrid1");
    bool Visible = false;

    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void Form_Load();

    // Cell editing: only the entry order and the capacity open the editor, and what is typed is
    // kept on the first row only.
    void MSFlexGrid1_KeyPress(qint16 KeyAscii);
    void MSFlexGrid1_LeaveCell();
    void MSFlexGrid1_GotFocus();
    void TxtEdit_KeyDown(qint16 KeyCode, int Shift);
    void TxtEdit_KeyPress(qint16& KeyAscii);
    void MueveCelda(int fila, int col);

    // The statement of the balances of the candidates; `condicion` is their OR of positions.
    static QString SqlSaldos(const QString& deposito, const QString& condicion, const QString& articulo);

    // What the view provides: the width in twips of a number of letters "X" in the form's font;
    // the end of the modal show.
    std::function<int(int)> anchoLetras = [](int letras) { return letras * 135; };
    std::function<void()> alOcultar;

private:
    void EditKeyCode(qint16 KeyCode);
    void ComprometeEditor();
    void AFoco(const QString& control);
    void Oculta();

    bool cargado_ = false;
};
