// The editor window's start-up, reset, enabling, voucher-type list and shutdown.

#include "Acceso.h"
#include "AccesoDatos.h"
#include "Configuracion.h"
#include "Depositos.h"
#include "Formatos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Inicio.h"
#include "NivelesLayout.h"
#include "PreparaFormulario.h"
#include "Registros.h"
#include "RutinaFormulario.h"
#include "Teclas.h"
#include "TextoCampo.h"
#include "Transacciones.h"
#include "Utilidades.h"

#include <QGuiApplication>

QString FrmVardelio::Titulo() {
    return QStringLiteral("Modelos de Comprobantes de Stock");
}

void FrmVardelio::Form_Load(const QString& lineaComando) {
    // The program's title is the window's: every message that bears the program's title (the
    // start-up's among them) shows it, never the executable's name.
    QGuiApplication::setApplicationDisplayName(Titulo());
    // Start-up ends the program by itself when there is no connection (FinPrograma).
    QString cadenaConexion;
    InicializaSistema(false, lineaComando, cadenaConexion, 3);

    // Any other failure of a start-up step is reported; Retry runs it again, Ignore goes on, and
    // Abort ends the program after closing the session.
    const bool completo = EjecutaPasos(
        {
            [&] { CargaSkin(*this); },
            [&] { MuestraBarraEstado(sbStatusBar, QString()); },
            [&] { setCaption(Titulo()); },
            [&] { UT().PreparaFormulario(*this, false); },
            [&] { ConfiguraFormulario(*this); },
            [&] { InicializaLayout(); },
            [&] { TablaModelo = QStringLiteral("V_CPTES_MODELO_CAB"); },
            [&] {
                ObjCmnCptes().InicializaGrids(nullptr, &MSFlexGrid2, nullptr, nullptr, &txtEdit2, nullptr,
                                              TextWidth, CmbLista.Text().left(4), nullptr);
            },
            [&] { RecuperaAnchoColumnas(); },
            [&] { Inicializa(); },
            [&] { UT().AplicaFormato(*this, QString()); },
            [&] { stock_.setMostrarStock(Cfg(QStringLiteral("MostrarStockenConsultas"))); },
            [&] {
                for (int n = 1; n <= 4; ++n)
                    stock_.setColorNivelStock(n, Cfg(QStringLiteral("Stk_Nivel%1").arg(n)));
            },
            [&] { AsignaDepositoDefault(); },
            [&] {
                lineas_.setTipoEnDescripcion(Cfg(QStringLiteral("UsaTipoArtEnDescripcionDeArt"))
                                                 .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0);
            },
            [&] {
                gTipoEAN = Cfg(QStringLiteral("TIPOEAN")).trimmed();
                gDecimalesEAN = Cfg(QStringLiteral("DECIMALESEAN")).trimmed();
            },
        },
        [](const ErrorSistema& e) { return UT().RegistraErrorFormulario(e, QStringLiteral("Form_Load")); });
    if (!completo) {
        Form_Unload();
        throw FinPrograma{1};
    }
}

void FrmVardelio::Inicializa() {
    Registros rs;
    EjecutaFormulario(QStringLiteral("Inicializa"),
                      {
                          [&] {
                              modo_ = Modo::Ninguno;
                              ValidandoGrabacion = false;
                              leido_.Olvida();
                          },
                          [&] { AbrirRecordset(TablaModelo); },
                          [&] { CmbLista.Clear(); },
                          [&] { MSFlexGrid2.setEnabled(false); },
                          [&] { ChkAnclar.setValue(0); },
                          [&] { AF().PreparaCampos(*this, QStringLiteral("txtfields")); },
                          // Emptied by the reset: the field being left is not validated on the way out.
                          [&] { MarcaValidacion.fill(false); },
                          [&] {
                              AD().ObtieneRecordset(AlmacenModelos::SentenciaTipos(), rs, &AD().LeeConexion(),
                                                    0, 1, -1);
                              // Read whole when opened: a fetch that fails is the opening's, which
                              // Retry runs again, never a type left out of the list.
                              rs.RecordCount();
                          },
                          [&] {
                              // Its opening ignored: no type to list.
                              while (rs.State() == 1 && !rs.Eof()) {
                                  CmbLista.AddItem(AlmacenModelos::ItemTipo(TextoCampo(rs, "Codigo"),
                                                                            TextoCampo(rs, "Descripcion")));
                                  rs.MoveNext();
                              }
                          },
                          [&] { AD().CierraRecordset(rs); },
                          [&] {
                              if (IndiceCmbLista < 0)
                                  IndiceCmbLista = 0;
                              CmbLista.setListIndex(IndiceCmbLista);
                          },
                          [&] {
                              lblDescMotivo.setCaption(QStringLiteral("..."));
                              LblDescDeposito.setCaption(QStringLiteral("..."));
                          },
                          [&] { Foco_.SetFocus(QStringLiteral("CmbLista")); },
                          [&] { DetalleOn(false); },
                          [&] { InicializaGrids(); },
                          [&] { IndiceCmbLista = qint16(CmbLista.ListIndex()); },
                          [&] { ObjCmnCptes().MuestraDetalle(QString(), StatusBar1, 1); },
                          [&] { DepositoOrigenAnterior.clear(); },
                          [&] { OcultaControl(picStatus); },
                          [&] { AsignaDepositoDefault(); },
                          // What the user does from here on are changes of a new template.
                          [&] { leido_.TomaContenido(); },
                      });
}

void FrmVardelio::DetalleOn(bool activo) {
    for (CajaTexto& caja : TxtFields)
        caja.setEnabled(true);
    UtilVox1.setHabilitaFueraEdicion2(!activo);
    UtilVox1.setHabilitaEnEdicion2(activo);
    UtilVox1.setHabilitaEnEdicionSinEgreso(activo && !pEsParteEgreso);
    UtilVox1.setHabilitaEnEdicion1(activo);
    MSFlexGrid2.setEnabled(activo);
    UtilVox1.setHabilitaFueraEdicion1(!activo);
    TxtFields[0].setEnabled(true);
    UtilVox1.setHabilitaSiempre(true);
    CmdCargar.setEnabled(activo);
    CmdEspecial.setEnabled(activo);
    LblDescDeposito.setVisible(true);
    Label5[3].setVisible(true);
    CmbLista.setEnabled(true);
    FrmEnc0.setEnabled(true);
    if (activo) {
        MSFlexGrid2.setRow(1);
        MSFlexGrid2.setCol(0);
        // The stock panel follows the current line, not the last one a load filled.
        stock_.MuestraInfoStock();
    }
}

void FrmVardelio::AsignaDepositoDefault() {
    QString motivo;
    bool modifica = false;
    const QString deposito = ObtieneDepositosUsuario(gUsuarioLogeado, false, motivo, modifica).trimmed();
    if (deposito.isEmpty())
        return;
    const qint16 indice = IndiceCampo(QStringLiteral("DepositoOrigen"));
    if (indice >= 0)
        TxtFields[indice].setText(deposito);
}

qint16 FrmVardelio::IndiceCampo(const QString& campo) {
    return AF().LeeCampo(campo, TxtFields);
}

QString FrmVardelio::TextoDelCampo(const QString& dataField) {
    const qint16 indice = IndiceCampo(dataField);
    return indice >= 0 ? TxtFields[size_t(indice)].Text() : QString();
}

QString FrmVardelio::FNTC() const {
    return CmbLista.List(CmbLista.ListIndex()).left(4).trimmed();
}

void FrmVardelio::Form_KeyDown(qint16& KeyCode, int) {
    // A bulk command turns the toolbar off while it runs: CERRAR's key closes once it ends.
    const BarraHerramientas::BotonBarra* cerrar = UtilVox1.Boton(QStringLiteral("CERRAR"));
    if (EnProceso() && KeyCode != 0 && cerrar && cerrar->habilitado && KeyCode == cerrar->tecla) {
        KeyCode = 0;
        PideCierre();
        return;
    }
    UtilVox1.ProcesaTecla(KeyCode);
}

void FrmVardelio::PideCierre() {
    if (EnProceso())
        cierrePendiente_ = true;
    else
        Form_Unload();
}

void FrmVardelio::Form_Unload(int& Cancel) {
    Cancel = 0; // never cancelled
    if (descargado_)
        return;
    descargado_ = true;
    EjecutaPasos({
                     [] { ConfirmaTransacciones(); },
                     [&] { UT().CierraFormulario(*this, QString()); },
                     [&] { AD().CierraRecordset(RegistroModelo); },
                     [] { TerminaSistema(); },
                     [&] { visible_ = false; },
                 },
                 SiempreSiguiente);
    if (alTerminar)
        alTerminar(0);
}

void FrmVardelio::CmbLista_Change() {
    IndiceCmbLista = qint16(CmbLista.ListIndex());
}

void FrmVardelio::CmbLista_Click() {
    const QString tc = UT().RellenaCodigo(CmbLista.Text().left(4), 4);
    const qint16 signo = ObjCmnCptes().ObtieneSignoComprobante(tc, false);
    IndiceCmbLista = qint16(CmbLista.ListIndex());
    LblES.setCaption(signo == -1 ? QStringLiteral("[S]") : QStringLiteral("[E]"));
    LblES.Refresh();
}

void FrmVardelio::CmbLista_GotFocus() {
    UtilVox1.setHabilitaConsultar(false);
}

void FrmVardelio::CmbLista_KeyDown(qint16& KeyCode, int) {
    // Only the arrows reach the list (Backspace, Clear and Delete among the keys it never
    // sees); Enter moves on.
    if (KeyCode == tecla::Enter)
        AF().SiguienteControl(*this, tecla::Enter);
    else if (KeyCode < tecla::Izquierda || KeyCode > tecla::Abajo)
        KeyCode = 0;
}

void FrmVardelio::CmbLista_KeyPress(qint16& KeyAscii) {
    if (KeyAscii == tecla::Retroceso)
        KeyAscii = 0;
}

void FrmVardelio::LblMensaje_Change() {
    LblMensaje.setVisible(!LblMensaje.Caption().isEmpty());
}

void FrmVardelio::FocoCambiado(const QString& anterior, const QString& nuevo) {
    FocoEdicion(anterior, nuevo);
    if (nuevo == QLatin1String("CmbLista") && Foco_.Actual() == nuevo)
        CmbLista_GotFocus();
}
