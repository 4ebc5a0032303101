#pragma once

#include "AlmacenModelos.h"
#include "AyudaFormularios.h"
#include "BarraEstado.h"
#include "BarraHerramientas.h"
#include "CajaTexto.h"
#include "ClsCmnCptes.h"
#include "DialogoArchivo.h"
#include "ErrorSistema.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "ListaCombo.h"
#include "LlenadoMasivo.h"
#include "ModeloLeido.h"
#include "Moneda.h"
#include "PanelStock.h"
#include "Registros.h"
#include "Utilidades.h"
#include "Validacion.h"
#include "ValidacionLineas.h"
#include "VentanaSuite.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

// The session-wide form helper, created on first use and released by TerminaSistema.
AyudaFormularios& AF();

// The editor of stock-voucher templates: the program's main window, headless. Public are its
// controls (plain models) and the handlers and procedures the system names; the Qt view
// (widgets/VistaVardelio) shows the models and forwards the user's events. The window
// coordinates: a concern of its own is a class it holds (the line validation ValidacionLineas,
// the stock panel PanelStock, the bulk commands LlenadoMasivo), and the SQL is in stores
// (AlmacenModelos, AnclajeMenu, AlmacenStock). The window's state is private; tests reach it
// through AccesoPruebasVardelio.
class FrmVardelio : public VentanaSuite, public FormularioAyudado {
public:
    FrmVardelio();
    ~FrmVardelio() override;
    FrmVardelio(const FrmVardelio&) = delete;
    FrmVardelio& operator=(const FrmVardelio&) = delete;

    // ---- Window ----
    QString TipoVentana() const override { return QStringLiteral("FrmVardelio"); }
    QString NombreFormulario() const override { return QStringLiteral("FrmVardelio"); }
    MarcoSkin* SkinFramework1() override { return &SkinFramework1_; }
    bool AsignaStyleBar(const QString& control, double valor) override;
    FocoFormulario& Foco() override { return Foco_; }
    std::vector<CajaTexto*> ArregloCampos(const QString& nombre) override;

    // The window's caption, which is also the application's display name (the program's title
    // of its messages).
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& c);
    // The window is shown (false once Form_Unload hid it).
    bool Visible() const { return visible_; }
    // The program ends (Form_Unload's last step), with its exit status; the view quits the event
    // loop. Headless nothing more happens.
    std::function<void(int codigo)> alTerminar;
    bool Descargado() const { return descargado_; }

    // The window's TextWidth in twips (the grid layout sizes columns with it). The view
    // installs one from its font; headless, a fixed 8-point average.
    MedidaTexto TextWidth;

    // ---- Controls ----
    // Header fields: 0 NOMBRE, 1 IdMotivoStock, 2 DepositoOrigen, 3 DepositoDestino, 4 DETALLE.
    std::array<CajaTexto, 5> TxtFields;
    ListaCombo CmbLista{QStringLiteral("CmbLista")};
    Etiqueta LblES{QStringLiteral("[E]")};
    Etiqueta lblTitulo{QStringLiteral("Nombre")};
    std::array<Etiqueta, 4> Label5; // 0 "Motivo Stock:", 2 "Deposito:", 3 "Deposito Destino:"; 1 unused
    Etiqueta lblDescMotivo{QStringLiteral("...")};
    Etiqueta LblDescDeposito{QStringLiteral("...")};
    Etiqueta Label1{QStringLiteral("Observaciones:")};
    Etiqueta Label2{QStringLiteral("&Artículos")};
    Etiqueta LblComprobante{QStringLiteral("Comprobante a generar")};
    Marco FrmEnc0;
    CasillaVerificacion ChkAnclar{QStringLiteral("Anclar al Menu")};
    CasillaVerificacion ChkCodigoBarra{QStringLiteral("Modalidad Codigo de Barra")};
    Grilla MSFlexGrid2;
    CajaTexto txtEdit2{QStringLiteral("txtEdit2")};
    Boton CmdCargar{QStringLiteral("&Cargar")};
    Boton CmdEspecial{QStringLiteral("&Importar")};
    Boton CmdDespacho{QStringLiteral("Despacho")};
    BarraHerramientas UtilVox1;
    BarraEstado StatusBar1;  // panel 1: detail of the current line
    BarraEstado sbStatusBar; // session panels MENSAJE, SERVER, USUARIO, BASEDEDATOS, CAJA, VERSION
    Marco picStatus;
    std::array<Etiqueta, 4> lblStockInfo; // "...", "...", "0", "..."
    Etiqueta LblMensaje;
    MarcoSkin SkinFramework1_;
    FocoFormulario Foco_;

    // ---- Public variables (no code of this program sets them) ----
    bool pEsTransferencia = false;
    bool pSoloMovimientos = false;
    bool pSoloAjustes = false;
    bool pEsParteEgreso = false;
    bool gPermiteModificar = false;

    // The window's shared voucher class, created on first use.
    ClsCmnCptes& ObjCmnCptes();

    // ---- Start-up, state and shutdown ----
    // Runs before the window is shown. Start-up comes first: without a connection it ends the
    // program (FinPrograma reaches main()).
    // `lineaComando` empty: the program's own command line.
    void Form_Load(const QString& lineaComando = {});
    void Inicializa();
    void DetalleOn(bool activo);
    void AsignaDepositoDefault();
    // The voucher type of the template: the selected item's first 4 characters, trimmed.
    QString FNTC() const;
    // The toolbar's keys; CERRAR's while a bulk command runs is a close request.
    void Form_KeyDown(qint16& KeyCode, int Shift = 0);
    // A close request (the window's close button, the system's close keys, CERRAR's key): the
    // window unloads now, or when the bulk command that runs ends.
    void PideCierre();
    // Commits what is open, closes the session and ends the program (FinPrograma(0)).
    void Form_Unload(int& Cancel);
    void Form_Unload() {
        int c = 0;
        Form_Unload(c);
    }
    void CmbLista_Change();
    void CmbLista_Click();
    void CmbLista_GotFocus();
    void CmbLista_KeyDown(qint16& KeyCode, int Shift = 0);
    void CmbLista_KeyPress(qint16& KeyAscii);
    void LblMensaje_Change();
    // The index of the header field bound to that column (case ignored); -1 none.
    qint16 IndiceCampo(const QString& campo);
    // The focus moved from one control to another (names as in Foco()): runs their LostFocus
    // and GotFocus events.
    void FocoCambiado(const QString& anterior, const QString& nuevo);

    // ---- Lines grid set-up and column widths ----
    void InicializaGrids();
    void GuardaAnchoColumnas();
    void RecuperaAnchoColumnas();

    // ---- Template storage and header validation ----
    // Opens RegistroModelo on the first row of the table (body in FrmVardelioRecordset.cpp,
    // written with the reset that calls it).
    void AbrirRecordset(const QString& lTablaActiva);
    // Saves the template (mode new or changed) or deletes it (mode deleted, after its own
    // question) as one batch in one transaction, then anchors it in the menu. ErrorValidacion is
    // set when it was not stored; it is never cleared here. (FrmVardelioAlmacen.cpp)
    void ActualizarDatos();
    // Loads the template whose header row RegistroModelo stands on: header fields, anchor box,
    // voucher type and every line, each article validated as if typed. Leaves RegistroModelo on
    // the lines.
    void AsignarDatos();
    // CampoValida on each header field in order; false at the first refusal.
    bool Datosvalidos();

    // The single validator of the header fields and of the cell editor, chosen by the control's
    // DataField; the outcome is ErrorValidacion (false: accepted), a refusal is shown in
    // "Aviso al operador...". A NOMBRE is cleaned (AlmacenModelos::NombreModelo) and written back
    // into the box before it is looked up: an existing one loads that template (not while
    // ValidandoGrabacion), any other starts a new one. The line fields' branches are
    // ValidacionLineas'. (FrmVardelioValidacion.cpp)
    void CampoValida(CajaTexto& Texto);

    // ---- Toolbar commands ----
    // The toolbar's Click: runs the command of the word (any case) - NUEVO, BORRAR, GRABAR,
    // PLANILLA, CONSULTAR, REPORTE, CERRAR, CANCELAR, each its own private method; any other
    // word only empties LblMensaje. (FrmVardelioComandos.cpp)
    void UtilVox1_click(const QString& palabra);

    // Lines-grid editing (FrmVardelioEdicion.cpp). The cell editor txtEdit2 floats over the
    // current cell of MSFlexGrid2 while it is Visible; the view places it there.
    void MsflexKey(Grilla& MsFlexGrid, qint16& KeyCode);
    void MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Texto, qint16& KeyAscii);
    void EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Texto, qint16& KeyCode, int Shift = 0);
    void NuevaFila(Grilla& MsFlexGrid);
    Moneda ObtieneImporte();
    void ObtieneTotales(Moneda& Items, Moneda& TotCantidades);
    // Makes (fila, col) the current cell of the lines grid with its LeaveCell and EnterCell, as
    // the grid control does when its Row or Col changes; the view calls it when the user moves.
    void MueveCelda(int fila, int col);
    // The lines grid or its cell editor holds the focus: a click on the grid is a move there, not
    // one whose focus a header field kept (the name box after its question answered No).
    bool FocoEnLineas() const;
    // Writes the open editor's text into the current cell and hides it, after validating what no
    // key validated: a refused text is not written, the line comes back whole as Escape gives it.
    void ComprometeEditor();
    // Ends an open cell edit as Enter would validate it, without moving: false when the typed
    // text is refused (the refusal is shown and the editor stays open).
    bool TerminaEdicion();
    void MSFlexGrid2_Click();
    void MSFlexGrid2_DblClick();
    void MSFlexGrid2_KeyPress(qint16& KeyAscii);
    void MSFlexGrid2_KeyDown(qint16& KeyCode, int Shift = 0);
    void MSFlexGrid2_EnterCell();
    void MSFlexGrid2_LeaveCell();
    void MSFlexGrid2_GotFocus();
    // CONSULTAR (F5) is enabled while the current cell's column has a look-up.
    void HabilitaConsultaDeCelda();
    void txtEdit2_GotFocus();
    void txtEdit2_LostFocus();
    // Enter, Up and Down validate the cell and move on; Escape discards the edit unvalidated.
    void txtEdit2_KeyDown(qint16& KeyCode, int Shift = 0);
    void txtEdit2_KeyPress(qint16& KeyAscii);
    // The user changed the editor's text (the view tells it).
    void txtEdit2_Change();
    // The editor is left: what no key validated is validated, and a refused text gives the line
    // back whole, as Escape does. The leave itself is never held back.
    void txtEdit2_Validate(bool& Cancel);
    // True for a key the open cell editor keeps from the window's own key handling (Escape ends
    // the edit, not the template).
    bool EditorTomaTecla(qint16 KeyCode) const;

    // ---- Lines in bulk: a deposit's stock and text files (FrmVardelioImporta.cpp) ----
    // Cargar: after its question, the lines become every positive balance of the origin
    // deposit (LlenadoMasivo::LlenaConSaldos).
    void CmdCargar_Click();
    // Importar: after its question and the file dialog, each line of a text file in the site's
    // layout is added after the filled lines as if typed (LlenadoMasivo::LlenaConArchivo). Both
    // commands end with the keyboard on the lines grid.
    void CmdEspecial_Click();
    // Runs after each line of a bulk command, so that the window repaints and shows its
    // progress (the view sets it; headless nothing happens).
    std::function<void()> cedeTurno;
    // A bulk command runs: the window's other commands are disabled meanwhile. The hook tells
    // the view when it starts (true) and ends.
    bool EnProceso() const { return llenado_.EnProceso(); }
    std::function<void(bool)> alCambiarProceso;

    // Header field events (FrmVardelioEventos.cpp), by the field's index in TxtFields.
    void TxtFields_GotFocus(int Index);
    void TxtFields_LostFocus(int Index);
    void TxtFields_KeyDown(int Index, qint16& KeyCode, int Shift = 0);
    void TxtFields_KeyPress(int Index, qint16& KeyAscii);
    // The user changed the field's text (the view tells it): leaving it validates again.
    void TxtFields_Change(int Index);
    // Button 2 (right) opens the field's look-up.
    void TxtFields_MouseDown(int Index, int Button, int Shift = 0, float X = 0, float Y = 0);
    void TxtFields_Validate(int Index, bool& Cancel);
    // Validate, LostFocus and GotFocus of the header fields, the grid and the cell editor when
    // the focus moves (called by FocoCambiado). The editor's focus name is "txtEdit2".
    void FocoEdicion(const QString& anterior, const QString& nuevo);
    // ---- Look-ups (FrmVardelioConsultas.cpp) ----
    // Whether a transfer voucher is applied: true for a given text; else a row of MV_APLICACION
    // for the number of the header fields "sucursal", "numero" and "letra" (the editor has
    // none of them, and no flow of it calls this).
    bool BuscaAplicacionTransferencia(const QString& texto);
    // The Despacho button: the dispatch dialog opened on the window's three dispatch texts,
    // which take back what it returns. Neither saved nor reset: they last the window's life.
    void CmdDespacho_Click();

private:
    friend class AccesoPruebasVardelio;

    // What the window holds: nothing yet, a new template, a stored one being changed, or one
    // to delete. Set by the name's validation, NUEVO and BORRAR; the reset clears it.
    enum class Modo { Ninguno, Nuevo, Modificacion, Baja };
    Modo modo_ = Modo::Ninguno;

    QString TablaModelo;
    Registros RegistroModelo;
    bool ErrorValidacion = false;
    bool ValidandoGrabacion = false;
    qint16 IndiceCmbLista = 0;
    QString DepositoOrigenAnterior;
    // The header field or the cell editor the user works in (nullptr: none yet).
    CajaTexto* ControlActivo = nullptr;
    // The batch text the last ActualizarDatos sent, empty when it sent none (what AUX_ERR
    // records when it is refused).
    QString UltimaTanda;
    // The window's Tag: the Tag of the control CampoValida last looked at (the look-ups' table).
    QString Tag;
    // The line the cell editor opened on, as it stood then: Escape gives it back whole, also
    // what a refused code cleared of it (fila -1: none kept).
    struct LineaEditada {
        int fila = -1;
        QStringList celdas;
    } lineaEditada_;
    void GuardaLineaEditada();
    void DevuelveLineaEditada();
    // The edit dropped: the line given back, the editor hidden, the panel of the line shown.
    void DescartaEdicion();
    // Set when the editor opens or its text changes, cleared once a key validated the text:
    // leaving the editor validates only what no key has validated.
    bool MarcaEditor = false;
    // The open editor was emptied by an article search that chose nothing: the user cleared
    // nothing, so leaving it gives the line back instead of clearing it.
    bool EditorVaciadoPorBusqueda = false;
    // Per field: validate it when it is left (set on focus and on change, cleared once
    // CampoValida has looked at the field).
    std::array<bool, 5> MarcaValidacion{};

    // The window's caption, also the program's title of its messages.
    static QString Titulo();
    // The text of the header field bound to `dataField` (case ignored); empty when none.
    QString TextoDelCampo(const QString& dataField);
    // The configuration key of the user's column widths, and the text stored under it now.
    static QString ClaveAnchoColumnas();
    QString TextoAnchoColumnas() const;

    // ---- CampoValida's header branches (FrmVardelioValidacion.cpp) ----
    // Each is false when the user left it after a run-time error.
    using RamaValidacion = bool (*)(FrmVardelio&, Validacion&);
    bool ValidaNombre(Validacion& v);
    bool ValidaMotivo(Validacion& v);
    bool ValidaDepositoOrigen(Validacion& v);
    // A new origin deposit goes to every filled line (not with PideDepositoEnCptes).
    void CopiaDepositoALineas(const QString& deposito);
    // What the line branches take from the window.
    ValidacionLineas::Ventana VentanaLinea();
    // Before another stored template replaces what the window holds: true when nothing the
    // user did is lost, or the user answered Yes to the question that names it.
    bool PreguntaSiLee(const QString& nombre);

    // ---- Storage (FrmVardelioAlmacen.cpp) ----
    // The template's menu entry after a committed save or delete (a delete always removes it).
    void AnclaAlMenu();
    // The save's error routine, reported as "ACTUALIZAR DATOS": an answer other than Retry
    // leaves the template not stored (ErrorValidacion); with `ignorarSale`, a step nothing can go
    // on without, Ignore leaves as Abort does.
    int ReportaActualizar(const ErrorSistema& error, bool ignorarSale = false);
    // The header as the fields hold it.
    AlmacenModelos::Cabecera CabeceraModelo();
    // ActualizarDatos' batch: the save's deletes, header and lines, or the delete's statements
    // after its question. False when the save or delete was left.
    bool PreparaGrabacion(AlmacenModelos& tanda, qint16 idAnterior);
    bool PreparaBaja(AlmacenModelos& tanda, qint16 idAnterior);
    // A save over a template this window saw stored: in one transaction, what is stored under
    // the name is read and compared with what was seen, and the batch runs only when they match
    // and the batch's identifier is still the stored one. `guardada` gets what was found.
    enum class Escritura { Hecha, Fallida, Cambiada, OtroId };
    Escritura GrabaSiNadieCambio(AlmacenModelos& tanda, const QString& nombre,
                                 const AlmacenModelos::Huella& vista, qint16 idAnterior,
                                 AlmacenModelos::Huella& guardada);
    // Another station stored, changed or deleted the template since this window saw it: asked
    // whether to replace it all the same.
    static bool PreguntaSiReemplaza(const QString& nombre, const AlmacenModelos::Huella& vista,
                                    const AlmacenModelos::Huella& guardada);
    // AsignarDatos: the stored voucher type selected in the list, and the lines read, each
    // validated as if typed, with the stock and the article types read once for all of them.
    void SeleccionaTipoGuardado(const QVariant& codigoGuardado);
    // True when the read reached the last line.
    bool LeeLineas(qint16 id);

    // ---- Toolbar commands (FrmVardelioComandos.cpp) ----
    // One method each, found by UtilVox1_click by its word. Each runs its steps under the
    // window's error routine ("UtilVox1_click") and tells whether the message is emptied after
    // it.
    bool CmdNuevo();
    // The name typed over the window checked first (another stored template is read and shown),
    // then two questions, then the template deleted (ValidaYAlmacena).
    bool CmdBorrar();
    // The open edit written, the lines checked (a line an import marked stops it, named, with
    // the cursor on it), the totals asked about, then the template saved (ValidaYAlmacena).
    bool CmdGrabar();
    bool CmdPlanilla();
    // The look-up of the field the user works in (CONSULTAR, F5, right click), by its Tag: the
    // chosen code written trimmed and Enter simulated on the field, so that its validation runs.
    // (FrmVardelioConsultas.cpp)
    bool CmdConsultar();
    bool CmdReporte();
    bool CmdCerrar();
    bool CmdCancelar();
    static bool PasosComando(std::initializer_list<Paso> pasos);
    void FocoEnNombre();
    static bool Pregunta(const QString& texto, int estilo, const QString& titulo);
    // False, told, and the cursor on it, when a line cannot be stored as it stands.
    bool LineasGrabables();
    // What a save and a delete share: the header validated as for a save, the template stored
    // (new or changed, as the name's check leaves the mode) or deleted (`baja`), the window
    // reset when it was stored, the focus on the name.
    void ValidaYAlmacena(bool baja);

    // CmdConsultar's parts: the chosen value of the field's search (empty: nothing chosen), and
    // Enter on the field.
    QString ValorConsultado(CajaTexto& campo);
    void SimulaEnter(CajaTexto& campo);
    // The dispatch data of CmdDespacho_Click: number, origin, customs office.
    std::array<QString, 3> DatosDespacho;
    // Looks up articles leaving suspended ones out; nothing sets it.
    bool SoloArticulosActivos = false;

    // The current line's stock (column 31) as opening its editor computes it, and the panel of
    // the current line, with its stock first when the line has an article without it.
    void PoneStockLinea();
    void MuestraPanelLinea();
    // After a bulk command: the current cell on that row's code, the stock panel of it, the
    // focus on the grid; then the close asked for meanwhile.
    void VuelveALasLineas(int fila);
    bool cierrePendiente_ = false;
    // The import's file dialog, created at its first use and kept with the window.
    DialogoArchivo& Dialogo();
    std::unique_ptr<DialogoArchivo> dialogo_;

    QString caption_;
    bool visible_ = true;
    bool descargado_ = false;
    std::unique_ptr<ClsCmnCptes> cmnCptes_;

    // The window's parts, which work on the controls above.
    PanelStock stock_;
    ValidacionLineas lineas_;
    LlenadoMasivo llenado_;
    ModeloLeido leido_;
};
