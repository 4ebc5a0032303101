#pragma once

#include "AyudaFormularios.h"
#include "CajaTexto.h"
#include "ClsCmnCptes.h"
#include "EdicionLineas.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "VentanaSuite.h"

#include <QString>
#include <QStringList>
#include <functional>

// The lot and serial dialog of one voucher line, headless. Incoming (a line that brings units
// in): one grid row per unit, where the user types the lot or serial number of each. Outgoing
// (`EsConsultaDeSerieLote`): the article's stock in the deposit per lot and serial number, less
// what other lines of the voucher took, with a proposal of how the line's quantity is taken that
// the user may change. The drivers (ClsCmnCptes::PideSerieLote, PideSerieLote_Salidas) set the
// public variables, call CargaDatos, show it (or accept at once) and read Lotes, Series and
// Cantidad back. The grid is edited through the line dialogs' shared EdicionLineas.
class FrmCargaLotesySeries : public FormularioAyudado, public VentanaSuite {
public:
    FrmCargaLotesySeries();
    FrmCargaLotesySeries(const FrmCargaLotesySeries&) = delete;
    FrmCargaLotesySeries& operator=(const FrmCargaLotesySeries&) = delete;

    QString NombreFormulario() const override { return QStringLiteral("FrmCargaLotesySeries"); }
    QString TipoVentana() const override { return QStringLiteral("FrmCargaLotesySeries"); }
    FocoFormulario& Foco() override { return foco_; }
    std::vector<CajaTexto*> ArregloCampos(const QString&) override { return {}; }

    // ---- Public variables, in the form's order ----
    QString Deposito;
    bool MostrarForm = false;
    bool EsConsultaDeSerieLote = false; // outgoing mode
    bool EsSerie = false;
    bool EsLote = false;
    bool EsSerieYLote = false; // set by CargaDatos
    bool EsTalle = false;      // size-colour-sex codes in place of lots
    double Cantidad = 0;
    QString IdDeposito;
    QString Articulo;
    QString ArticuloDescripcion;
    QString SeriesAnteriores;
    QString LotesAnteriores;
    QString Series; // incoming: the serials; outgoing: the quantities
    QString Lotes;  // incoming: the lots; outgoing: the lot-and-serial entries
    QString SeriesExistentes;
    QString LotesExistentes;

    // ---- Controls ----
    QString Caption = QStringLiteral("Numeros de Serie");
    Grilla MSFlexGrid1;
    CajaTexto TxtEdit{QStringLiteral("TxtEdit")};
    // The two buttons of Toolbar1, by index from 1: their tool tips.
    static QStringList Toolbar1();
    Boton CmdAceptar{QStringLiteral("F2 &Aceptar")};
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

    // ---- Public methods ----
    void CmdAceptar_Click();
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void VerificaExistenciasEnGrilla();
    void CompletaTodoIgual();
    void Text_Propiedades(CajaTexto& Texto, long Col);
    void EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Edt, qint16& KeyCode, int Shift);
    void MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Edt, qint16& KeyAscii);
    void CompletaCantidades();
    void CampoValida(CajaTexto& Texto);
    double SumaFilas(long MenosCual);
    bool ValidaCantidadCantidadPedida();

    // ---- Events ----
    void Form_Load();
    void Form_KeyDown(qint16& KeyCode, int Shift);
    void CmdCancelar_Click();
    void Toolbar1_ButtonClick(int indice);
    void MSFlexGrid1_KeyPress(qint16& KeyAscii) { edicion_.MSFlexGrid1_KeyPress(KeyAscii); }
    void MSFlexGrid1_LeaveCell() { edicion_.MSFlexGrid1_LeaveCell(); }
    void MSFlexGrid1_GotFocus() { edicion_.MSFlexGrid1_GotFocus(); }
    void TxtEdit_KeyDown(qint16& KeyCode, int Shift) { edicion_.TxtEdit_KeyDown(KeyCode, Shift); }
    void TxtEdit_KeyPress(qint16& KeyAscii) { edicion_.TxtEdit_KeyPress(KeyAscii); }

    // The shared editing, for the view's floating editor and its cell moves.
    EdicionLineas& Edicion() { return edicion_; }
    // The refusal of the last CampoValida.
    bool CampoInvalido() const { return campoInvalido_; }
    bool FormatoSerieAsterisco() const { return formatoSerieAsterisco_; }

private:
    void DistribuyeCantidad();
    void AjustaAnchoColumnas();
    void AceptaSalida();
    void AceptaEntrada();
    void Oculta();
    void AnterioresSalida();
    void AnterioresEntrada();
    void EnterEnGrilla();
    int Ancho(int letras) const;
    int AnchoTexto(const QString& texto) const;
    // The key accept writes for a row: trimmed lot, the end marker, trimmed serial.
    QString ClaveFila(int fila) const;

    FocoFormulario foco_;
    EdicionLineas edicion_;
    bool formatoSerieAsterisco_ = false;
    bool campoInvalido_ = false;
};
