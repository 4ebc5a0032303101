#include "FrmCtrlCargosReales.h"

#include "AccesoDatos.h"
#include "CargosSeleccionados.h"
#include "ClsCmnCptesServicios.h"
#include "ErrorSistema.h"
#include "Formatos.h"
#include "FrmMenus.h"
#include "Globales.h"
#include "PreparaFormulario.h"
#include "Regional.h"
#include "Registros.h"
#include "Teclas.h"
#include "Utilidades.h"

#include <cmath>
#include <limits>

namespace {

const QString kTitulo = QStringLiteral("Control de Cargos Reales");

Reportador Reporta(const char* rutina) {
    return [rutina](const ErrorSistema& e) {
        return UT().RegistraErrorFormulario(e, QString::fromUtf8(rutina));
    };
}

// The amount as the list shows it: the session's money decimals, no grouping, in 15 places.
QString ImporteMostrado(const QVariant& importe) {
    return UT().AjustaTexto(FmtMoneda(importe, -1, false), 15);
}

// The charge's date as text; a charge without one shows an empty date.
QString TextoFecha(const QVariant& fecha) {
    if (fecha.isNull())
        return {};
    if (fecha.typeId() == QMetaType::QDateTime || fecha.typeId() == QMetaType::QDate)
        return UT().ValorATexto(fecha);
    QString texto = fecha.toString().trimmed();
    if (const auto momento = LeeFechaTexto(texto))
        return UT().ValorATexto(*momento);
    return texto;
}

// The charge's id of a list key ("D" and the id): its leading number, to the nearest whole
// number (halves to the even one).
qint64 IdDeClave(const QString& clave) {
    const double valor = RedondeoBanquero(ValNumero(clave.mid(1)));
    if (!(std::fabs(valor) < 9.2e18))
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("CmdAceptar_Click"));
    return static_cast<qint64>(valor);
}

// A place that cannot be negative: a window smaller than the margins leaves it as it was.
void AsignaMedida(int& medida, int valor) {
    if (valor < 0)
        throw ErrorSistema(380, QStringLiteral("Invalid property value"), QStringLiteral("Form_Resize"));
    medida = valor;
}

} // namespace

FrmCtrlCargosReales::FrmCtrlCargosReales() {
    Disena();
}

void FrmCtrlCargosReales::Disena() {
    Cliente.clear();
    Matricula.clear();
    Label1.setCaption(kTitulo);
    MedidasLabel1 = {0, 0, 9615, 255};
    MedidasCmdAceptar = {6720, 4320, 2895, 255};
    ListView1.Clear();
    ListView1.LimpiaEncabezados();
    ListView1.setCheckboxes(true);
    MedidasListView1 = {0, 240, 9615, 3975};
    LblMensaje.setCaption(QStringLiteral(
        "Puede modifcar el Importe a Aplicar, seleccionandolo con el boton derecho del mouse..."));
    MedidasLblMensaje = {120, 4320, 6495, 255};
}

void FrmCtrlCargosReales::Form_Load() {
    UT().PreparaFormulario(*this, false);
    ConfiguraFormulario(*this);
    InicializaGrid();
    CargarDatos();
}

void FrmCtrlCargosReales::InicializaGrid() {
    static const struct {
        const char* texto;
        int letras;
    } kColumnas[] = {
        {"Fecha", 14}, {"Matricula", 10}, {"Concepto", 25}, {"Importe Pendiente", 15}, {"Observaciones", 30}};
    std::vector<Paso> pasos{[&] { ListView1.Clear(); }};
    for (const auto& c : kColumnas)
        pasos.emplace_back(
            [&] { ListView1.AgregaEncabezado(QString::fromUtf8(c.texto), anchoLetras(c.letras)); });
    EjecutaPasos(pasos, Reporta("InicializaGrid"));
}

void FrmCtrlCargosReales::CargarDatos() {
    Registros rs;
    bool seguir = EjecutaPasos(
        {[&] {
             Label1.setCaption(Cliente + QLatin1Char(' ') +
                               AD().ObtieneValorTabla(QStringLiteral("ma_cuentas"), Cliente,
                                                      QStringLiteral("Descripcion"), QStringLiteral("Codigo"),
                                                      8, QString(), true, false)
                                   .toString());
         },
         [&] { AD().ObtieneRecordset(SentenciaCargosReales(Cliente), rs); }},
        Reporta("CargarDatos"));
    while (seguir && rs.State() == 1 && !rs.Eof()) {
        seguir = EjecutaPasos({[&] { AgregaCargo(rs); }}, Reporta("CargarDatos"));
        // A row the cursor cannot leave ends the list (going on would read it forever).
        if (seguir)
            seguir = EjecutaPasos({[&] { rs.MoveNext(); }}, [](const ErrorSistema& e) {
                const int r = UT().RegistraErrorFormulario(e, QStringLiteral("CargarDatos"));
                return r == Respuesta::Reintentar ? r : Respuesta::Abortar;
            });
    }
}

void FrmCtrlCargosReales::AgregaCargo(const Registros& rs) {
    const QString clave =
        QStringLiteral("D") + UT().ValorCampo(rs.Fields(QStringLiteral("id"))).toString().trimmed();
    // A charge the view lists twice is shown once, so it cannot be ticked twice.
    if (ListView1.BuscaClave(clave))
        return;
    const QString fecha = TextoFecha(rs.Fields(QStringLiteral("Fecha")));
    const QVariant saldo = rs.Fields(QStringLiteral("Saldo"));
    const QVariant importe = UT().ValorCampo(saldo.isNull() ? rs.Fields(QStringLiteral("Importe")) : saldo);
    const QString texto = UT().TextoAMoneda(importe).Texto();
    ElementoLista& item = ListView1.Add(fecha);
    item.setKey(clave);
    item.setSubItems(1, UT().ValorCampo(rs.Fields(QStringLiteral("Matricula"))).toString().trimmed());
    item.setSubItems(2, UT().ValorCampo(rs.Fields(QStringLiteral("Concepto"))).toString().trimmed());
    item.setSubItems(3, ImporteMostrado(texto));
    item.setSubItems(4, UT().ValorCampo(rs.Fields(QStringLiteral("Observaciones"))).toString().trimmed());
}

void FrmCtrlCargosReales::ListView1_MouseDown(int boton, int shift, double x, double y) {
    (void)shift;
    (void)x;
    (void)y;
    bool elegida = false;
    EjecutaPasos({[&] {
                      const ElementoLista* item = ListView1.SelectedItem();
                      if (item && boton == 2 && item->Checked())
                          elegida = Menus().PopupMenu(QStringLiteral("MNU_EmergenteXXVIII"));
                  },
                  [&] {
                      // Only a choice made in this pop-up counts, not the word an earlier one left.
                      if (elegida && Menus().PRespuesta.compare(QLatin1String("CambiarImporte"),
                                                                Qt::CaseInsensitive) == 0)
                          CambiaImporte();
                  }},
                 Reporta("Listview1_MouseDown"));
}

void FrmCtrlCargosReales::CambiaImporte() {
    ElementoLista* item = ListView1.SelectedItem();
    if (!item)
        return;
    const QString actual = item->SubItems(3).trimmed();
    QString nuevo =
        interaccion()
            .InputBox(QStringLiteral("Ingrese el Nuevo Importe debe ser Menor o Igual a ") + actual, kTitulo,
                      actual)
            .value_or(QString());
    if (UT().TextoAMoneda(nuevo) > UT().TextoAMoneda(actual)) {
        interaccion().MsgBox(QStringLiteral("El Importe debe ser menor o igual al Importe original"),
                             Estilo::SoloAceptar | Estilo::Critico, QStringLiteral("Cambio de Importe"));
        nuevo = actual;
    }
    if (UT().TextoAMoneda(nuevo) > Moneda())
        item->setSubItems(3, ImporteMostrado(nuevo));
}

void FrmCtrlCargosReales::CmdAceptar_Click() {
    // The answer is built apart and written whole: a charge that fails and is skipped is left
    // out, and leaving the routine writes nothing.
    std::vector<CargoSeleccionado> respuesta;
    std::vector<Paso> pasos;
    for (const ElementoLista* item : ListView1.Elementos())
        if (item->Checked())
            pasos.emplace_back([&respuesta, item] {
                respuesta.push_back({IdDeClave(item->Key()), UT().TextoAMoneda(item->SubItems(3))});
            });
    if (!EjecutaPasos(pasos, Reporta("CmdAceptar_Click")))
        return;
    respuesta.push_back({});
    gCargosSeleccionados = std::move(respuesta);
    Form_Unload();
}

void FrmCtrlCargosReales::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    if (keyCode == tecla::Escape)
        CmdAceptar_Click();
}

void FrmCtrlCargosReales::Form_Resize(int ancho, int alto) {
    EjecutaPasos({[&] { AsignaMedida(MedidasListView1.Width, ancho - 240); },
                  [&] { AsignaMedida(MedidasListView1.Height, alto - 1100); },
                  [&] {
                      AsignaMedida(MedidasCmdAceptar.Top,
                                   alto - MedidasCmdAceptar.Height - MedidasLabel1.Height - 180);
                  },
                  [&] { AsignaMedida(MedidasLabel1.Width, MedidasListView1.Width); }},
                 SiempreSiguiente);
}

void FrmCtrlCargosReales::Form_Unload() {
    Visible = false;
    // The next use finds the dialog as a fresh load does.
    Disena();
    if (alDescargar)
        alDescargar();
}

void FrmCtrlCargosReales::PintarFila(Grilla& MSFlexGrid1, qint32 Fila, qint32 Color) {
    ClsCmnCptesServicios::PintarFila(Fila, MSFlexGrid1, Color);
}
