#include "FrmConsComprobantes.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "PreparaFormulario.h"
#include "Registros.h"
#include "Utilidades.h"

#include <memory>
#include <optional>

namespace {

bool EsUno(const QString& tc, std::initializer_list<const char*> tipos) {
    for (const char* t : tipos)
        if (tc.compare(QLatin1StringView(t), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

struct Columna {
    const char* texto;
    int letras;
};

// The header sets, by type group.
std::vector<Columna> ColumnasDe(const QString& tc) {
    if (EsUno(tc, {"RM-T"}))
        return {{"ID", 5}, {"COMPROBANTE", 15}, {"COMPLEMENTO", 6}, {"FECHA", 20}, {"CUENTA", 13}};
    if (EsUno(tc, {"OT", "FC", "RM", "ND", "NC", "NCFP", "OP", "NP", "FP", "GF"}))
        return {{"FECHA", 20},  {"COMPROBANTE", 15}, {"ID", 5},
                {"NOMBRE", 21}, {"Referencia", 15},  {"IMPORTE", 10}};
    if (EsUno(tc, {"FCC", "NCC", "LNCC", "NCCP", "NDC", "LNDC", "RMC", "NCPE", "NDPR"}))
        return {{"FECHA", 13},  {"COMPROBANTE", 15}, {"PROVEEDOR", 15},
                {"NOMBRE", 21}, {"CONCEPTO", 21},    {"IMPORTE", 10}};
    if (EsUno(tc, {"PR"}))
        return {{"FECHA", 13}, {"COMPROBANTE", 15}, {"NOMBRE", 21},
                {"ID", 5},     {"Referencia", 21},  {"IMPORTE", 10}};
    if (EsUno(tc, {"T3"}))
        return {{"Nº Int.", 7}, {"FECHA", 13},    {"COMPROBANTE", 15},
                {"ID", 4},      {"FH Envio", 10}, {"FH Recep", 10}};
    if (EsUno(tc, {"OC"}))
        return {{"FECHA", 13},  {"PROVEEDOR", 13},   {"COMPROBANTE", 17},
                {"IMPORTE", 9}, {"COMENTARIOS", 15}, {"Inf. Recepción", 15}};
    return {{"FECHA", 13},  {"COMPROBANTE", 15}, {"CUENTA", 15},
            {"NOMBRE", 21}, {"CONCEPTO", 21},    {"IMPORTE", 10}};
}

// Error 380 (a sub-item beyond the headers) is skipped; any other goes to the central handler.
int ReportaConsulta(const ErrorSistema& e) {
    if (e.Numero() == ErrorLista::ValorPropiedadInvalido)
        return Respuesta::Ignorar;
    return AD().GestionaError(e);
}

// One statement under the error routine, as EjecutaPasos runs it: the fill runs a few per row.
template <class F> bool UnPaso(F&& paso) {
    return EjecutaPaso(std::forward<F>(paso), ReportaConsulta);
}

// Selects the box's text without its surrounding blanks, from the first character.
void SeleccionaTexto(CajaTexto& caja) {
    caja.setSelStart(0);
    caja.setSelLength(static_cast<int>(caja.Text().trimmed().size()));
}

} // namespace

FrmConsComprobantes::FrmConsComprobantes() {
    TxtNumero.setText(kGuiaNumero);
    TxtNombre.setText(kGuiaNombre);
    for (const QString& tag : EtiquetasImagenesConsulta())
        ImageList1.Add(tag);
    ListView1.setImagenes(&ImageList1);
}

qint16 FrmConsComprobantes::ObtieneIndiceImagen(const QString& tag) const {
    QStringList etiquetas;
    for (int i = 1; i <= ImageList1.Count(); ++i)
        etiquetas << ImageList1.Tag(i);
    return ::ObtieneIndiceImagen(tag, etiquetas);
}

void FrmConsComprobantes::Encolumnar() {
    std::vector<Columna> columnas;
    std::vector<Paso> pasos{[&] { ListView1.LimpiaEncabezados(); }, [&] { columnas = ColumnasDe(TC); }};
    for (size_t i = 0; i < 6; ++i)
        pasos.emplace_back([&, i] {
            if (i < columnas.size())
                ListView1.AgregaEncabezado(QString::fromUtf8(columnas[i].texto),
                                           anchoLetras(columnas[i].letras));
        });
    EjecutaPasos(pasos,
                 [](const ErrorSistema& e) { return AD().GestionaError(e, QStringLiteral("Encolumnar")); });
}

void FrmConsComprobantes::ConsultaCptes() {
    if (llenando_)
        return;
    if (!pedidoTomado_) {
        pedido_ = TC;
        pedidoTomado_ = true;
    }
    TipoConsulta tipo;
    QString sql;
    const bool seguir =
        EjecutaPasos({
                         [&] {
                             ListView1.Clear();
                             ListView1.setMultiSelect(false);
                             ListView1.setCheckboxes(false);
                         },
                         [&] {
                             tipo = MapeaTipoConsulta(pedido_);
                             TC = tipo.tc;
                         },
                         [&] {
                             if (EsUno(TC, {"OC"}))
                                 ListView1.setCheckboxes(true);
                         },
                         [&] { Encolumnar(); },
                         [&] {
                             UT().PreparaFormulario(*this, false);
                             ConfiguraFormulario(*this);
                         },
                         [&] { TC = tipo.Consultado(); },
                         [&] {
                             sql = SentenciaConsultaCptes(
                                 tipo, filtro, CondicionBusqueda(TxtNombre.Text(), TxtNumero.Text()),
                                 AjustesConsultaCptes::Lee(tipo));
                         },
                     },
                     ReportaConsulta);
    if (seguir)
        Llena(sql, tipo);
}

void FrmConsComprobantes::Llena(const QString& sql, const TipoConsulta& tipo) {
    llenando_ = true;
    detener_ = false;
    Registros rs;
    std::unique_ptr<ArmadorFilasConsulta> armador;
    bool seguir = EjecutaPasos({[&] { AD().ObtieneRecordset(sql, rs); },
                                [&] { armador = std::make_unique<ArmadorFilasConsulta>(tipo, rs); }},
                               ReportaConsulta);
    while (seguir && armador && rs.State() == 1 && !rs.Eof() && !detener_) {
        seguir = AgregaFila(*armador, rs);
        if (seguir)
            seguir = UnPaso([&] { rs.MoveNext(); });
        if (cedeTurno)
            cedeTurno();
    }
    AD().CierraRecordset(rs);
    llenando_ = false;
}

// Each statement of a row goes through the error routine on its own, so that Retry and Ignore
// act on the one that failed (380, a sub-item beyond the headers, is skipped silently).
bool FrmConsComprobantes::AgregaFila(const ArmadorFilasConsulta& armador, const Registros& rs) {
    std::optional<FilaConsulta> fila;
    if (!UnPaso([&] { fila = armador.Fila(rs); }))
        return false;
    if (!fila)
        return true;
    ElementoLista* item = nullptr;
    if (!UnPaso(
            [&] { item = &ListView1.Add(QString(), fila->soloIconoChico ? 0 : fila->imagen, fila->imagen); }))
        return false;
    if (!item)
        return true; // the row could not be added and the user went on
    if (!UnPaso([&] { item->setText(fila->texto); }))
        return false;
    for (qsizetype i = 0; i < fila->subItems.size(); ++i)
        if (!UnPaso([&] { item->setSubItems(static_cast<int>(i + 1), fila->subItems.at(i)); }))
            return false;
    return true;
}

void FrmConsComprobantes::Form_Load() {
    ConsultaCptes();
}

void FrmConsComprobantes::Form_Unload() {
    detener_ = true;
    ListView1.Clear();
    Visible = false;
    if (alDescargar)
        alDescargar();
}

void FrmConsComprobantes::CmdBuscar_Click() {
    ConsultaCptes();
}

void FrmConsComprobantes::CmdAceptar_Click() {
    ElementoLista* fila = ListView1.SelectedItem();
    if (!fila) {
        NroComprobante = QString();
    } else if (EsUno(TC, {"OT", "NP", "FC", "RM", "ND", "NC", "NCFP", "OP", "FP", "GF"})) {
        NroComprobante = fila->SubItems(1);
        IdComplemento = fila->SubItems(2);
    } else if (EsUno(TC, {"FCC", "NCC", "LNCC", "NCPE", "NDPR", "NCCP", "NDC", "LNDC", "RMC"})) {
        NroComprobante = fila->SubItems(1);
        Proveedor = fila->SubItems(2);
    } else if (EsUno(TC, {"PR"})) {
        NroComprobante = fila->SubItems(1);
        IdComplemento = QStringLiteral("0");
    } else if (EsUno(TC, {"T3"})) {
        NroComprobante = fila->Text();
        IdComplemento = QStringLiteral("0");
    } else if (EsUno(TC, {"OC"})) {
        QStringList marcados;
        for (const ElementoLista* e : ListView1.Elementos())
            if (e->Checked())
                marcados << e->SubItems(2);
        NroComprobante = marcados.isEmpty() ? fila->SubItems(2) : marcados.join(u',');
        IdComplemento = QStringLiteral("0");
    } else {
        NroComprobante = fila->SubItems(1);
    }
    Form_Unload();
}

void FrmConsComprobantes::CmdCancelar_Click() {
    Form_Unload();
}

void FrmConsComprobantes::ListView1_DblClick() {
    CmdAceptar_Click();
}

void FrmConsComprobantes::ListView1_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == 13)
        CmdAceptar_Click();
}

void FrmConsComprobantes::ListView1_ColumnClick(int columna) {
    ListView1.setSortOrder(ListView1.SortOrder() == ListaVista::Ascendente ? ListaVista::Descendente
                                                                           : ListaVista::Ascendente);
    ListView1.setSortKey(columna - 1);
    ListView1.setSorted(true);
}

void FrmConsComprobantes::TxtNombre_GotFocus() {
    Foco = QStringLiteral("TxtNombre");
    SeleccionaTexto(TxtNombre);
}

void FrmConsComprobantes::TxtNumero_GotFocus() {
    Foco = QStringLiteral("TxtNumero");
    SeleccionaTexto(TxtNumero);
}

void FrmConsComprobantes::TxtNombre_KeyPress(int& keyAscii) {
    if (keyAscii == 13)
        TxtNumero_GotFocus();
}

void FrmConsComprobantes::TxtNumero_KeyPress(int& keyAscii) {
    if (keyAscii == 13)
        Foco = QStringLiteral("CmdBuscar");
}
