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
#include <QStringList>
#include <array>
#include <functional>

// The positions-and-lots dialog, headless: the user spreads the quantity of one voucher line
// over the warehouse positions (and lots) of a deposit that hold a balance of the article, plus
// the deposit's balance without position. ClsCmnCptes::PidePosicionLote sets the public
// variables, calls CargaDatos, shows it and reads `Posiciones` and `Lotes` back.
//
// Grid columns: 0 position ("DEPOSITO " + deposit on the deposit row), 1 lot, 2 unit,
// 3 available balance in the line's unit, 4 the quantity chosen (the only editable column).
class FrmLoteyPosicion : public Formulario, public VentanaSuite {
public:
    FrmLoteyPosicion();
    FrmLoteyPosicion(const FrmLoteyPosicion&) = delete;
    FrmLoteyPosicion& operator=(const FrmLoteyPosicion&) = delete;

    QString NombreFormulario() const override { return QStringLiteral("FrmLoteyPosicion"); }
    QString TipoVentana() const override { return QStringLiteral("FrmLoteyPosicion"); }

    // Public variables, in the form's order.
    QString Deposito;
    QString IUNIDAD;
    bool MostrarForm = false;
    bool EsConsultaDePosicionLote = false;
    bool EsPosicion = false;
    bool EsSerie = false;
    bool EsLote = false;
    bool EsPosicionYLote = false;
    double Cantidad1 = 0;
    QString IdDeposito;
    QString Articulo;
    QString ArticuloDescripcion;
    QString PosicionesAnteriores;
    QString LotesAnteriores;
    QString Posiciones;
    QString Lotes;

    // Controls.
    QString Caption = QStringLiteral("Posiciones");
    Grilla MSFlexGrid1;
    CajaTexto TxtEdit{QStringLiteral("TxtEdit")};
    // The toolbar's three buttons (index 1 to 3): copy down, zeros below, propose again.
    std::array<Boton, 3> Toolbar1;
    Boton CmdAceptar{QStringLiteral("&Aceptar")};
    Boton CmdCancelar{QStringLiteral("&Cancelar")};
    Etiqueta lblArticulo{QStringLiteral("Artículo-Descripción")};
    // The control that has the focus: "MSFlexGrid1", "TxtEdit", "CmdAceptar" or "CmdCancelar".
    FocoFormulario Foco;
    bool Visible = false;

    // Public operations.
    void CmdAceptar_Click();
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void CompletaTodoIgual();
    void Text_Propiedades(CajaTexto& Texto, int Col) { edicion_.Text_Propiedades(Texto, Col); }
    void EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Edt, qint16 KeyCode, int Shift) {
        edicion_.EditKeyCode(MsFlexGrid, Edt, KeyCode, Shift);
    }
    void MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Edt, qint16 KeyAscii) {
        edicion_.MsflexGridEdt(MsFlexGrid, Edt, KeyAscii);
    }
    void CampoValida(CajaTexto& Texto);
    double SumaFilas(int MenosCual);
    bool ValidaCantidadCantidadPedida();

    // Events.
    void CmdCancelar_Click();
    void Form_Load();
    void DistribuyeCantidad();
    void MSFlexGrid1_LeaveCell() { edicion_.MSFlexGrid1_LeaveCell(); }
    void MSFlexGrid1_GotFocus() { edicion_.MSFlexGrid1_GotFocus(); }
    void MSFlexGrid1_KeyPress(qint16 KeyAscii) { edicion_.MSFlexGrid1_KeyPress(KeyAscii); }
    void Toolbar1_ButtonClick(int indice);
    void TxtEdit_KeyDown(qint16 KeyCode, int Shift) { edicion_.TxtEdit_KeyDown(KeyCode, Shift); }
    void TxtEdit_KeyPress(qint16& KeyAscii) { edicion_.TxtEdit_KeyPress(KeyAscii); }
    // Moves the current cell as a click or an arrow key of the grid does (committing an edit).
    void MueveCelda(int fila, int col) { edicion_.MueveCelda(fila, col); }
    // The grid's cell editing, the events target of the view.
    EdicionLineas& Edicion() { return edicion_; }

    // The statements of the balances per position (and lot) and of the balance without position;
    // deposit and article already filled to their widths.
    static QString SqlSaldos(bool conLotes, const QString& dep, const QString& art);
    static QString SqlSaldoDeposito(const QString& dep, const QString& art);

    bool CampoInvalido() const { return campoInvalido_; }
    // The deposit row (0: none).
    int FilaDeposito() const { return filaDeposito_; }

    // What the view provides: the form's TextWidth (twips of a text in its font); the end of the
    // modal show.
    MedidaTexto TextWidth = [](const QString& texto) { return int(texto.size()) * 135; };
    std::function<void()> alOcultar;

private:
    void AgregaFila(const QString& posicion, const QString& lote, double disponible, const QString& cantidad);
    void AgregaFilaDeposito(const QString& dep, const QString& art);
    void RestauraAnteriores();
    void Oculta();
    void Enter();
    QString Lista(int columna) const;
    bool EsFilaDeposito(int fila) const { return filaDeposito_ > 0 && fila == filaDeposito_; }

    bool campoInvalido_ = false;
    bool cargado_ = false;
    int filaDeposito_ = 0;
    EdicionLineas edicion_;
};
