// Editing the lines grid: the floating cell editor, the keys of the grid and of the editor,
// and the totals of the lines.

#include "ColumnasArticulos.h"
#include "EdicionGrilla.h"
#include "Formatos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "LineasMarcadas.h"
#include "Regional.h"
#include "RutinaFormulario.h"
#include "Stock.h"
#include "Teclas.h"
#include "Utilidades.h"

#include <functional>
#include <utility>

namespace {

constexpr int kBlanco = 16777215;
constexpr int kNegro = 0;

const QString kGrilla = QStringLiteral("MSFlexGrid2");
const QString kEditor = QStringLiteral("txtEdit2");

using EdicionGrilla::Desplaza;

} // namespace

// ---- Opening, accepting and moving ----

void FrmVardelio::MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Texto, qint16& KeyAscii) {
    bool abre = true;
    EjecutaPasos(
        {
            [&] {
                if (MsFlexGrid.Name().compare(QLatin1String("msflexgrid2"), Qt::CaseInsensitive) != 0)
                    return;
                const int c = MsFlexGrid.Col();
                // Computed columns, a quantity without its article, and the article's own
                // columns of an issue note are not typed into.
                const bool calculada = c == col::Descripcion || c == col::PorcentajeDescuento ||
                                       c == col::Importe || c == col::Total || c == col::Impuestos;
                const bool sinArticulo =
                    c == col::Cantidad &&
                    MsFlexGrid.TextMatrix(MsFlexGrid.Row(), col::CodigoArticulo).trimmed().isEmpty();
                const bool deEgreso =
                    (c == col::CodigoArticulo || c == col::Unidad || c == col::Deposito) && pEsParteEgreso;
                if (calculada || sinArticulo || deEgreso)
                    abre = false;
            },
        },
        SiempreSiguiente);
    if (!abre)
        return;
    EjecutaPasos({
                     [&] {
                         MarcaEditor = true;
                         EditorVaciadoPorBusqueda = false;
                         GuardaLineaEditada();
                         EdicionGrilla::AbreEditor(MsFlexGrid, Texto, KeyAscii);
                     },
                     [&] { ObjCmnCptes().TextPropiedades(Texto, MsFlexGrid.Col()); },
                     [&] { PoneStockLinea(); },
                     [&] { stock_.MuestraInfoStock(); },
                     [&] { Desplaza(MsFlexGrid); },
                     [&] { Foco_.SetFocus(kEditor); },
                 },
                 SiempreSiguiente);
}

void FrmVardelio::PoneStockLinea() {
    Grilla& g = MSFlexGrid2;
    const double stock =
        ValidacionLineas::StockLinea(g, std::bind_front(&LlenadoMasivo::SaldoImportado, std::cref(llenado_)));
    g.setTextMatrix(g.Row(), col::StockDisponible, Regional::TextoNumero(stock));
}

void FrmVardelio::MuestraPanelLinea() {
    Grilla& g = MSFlexGrid2;
    // A line Cargar took carries its article but neither its stock nor its presentation and
    // type, which typing gives a line: the panel shows them once the cursor is on it. As when
    // the line's editor opens, a step that fails is passed over.
    const bool completa = g.TextMatrix(g.Row(), col::CodigoArticulo).trimmed().isEmpty() ||
                          !g.TextMatrix(g.Row(), col::StockDisponible).isEmpty();
    if (!completa)
        EjecutaPasos({[&] { PoneStockLinea(); }, [&] { lineas_.PonePresentacionYTipo(); }}, SiempreSiguiente);
    stock_.MuestraInfoStock();
}

void FrmVardelio::EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Texto, qint16& KeyCode, int) {
    const int columna = MsFlexGrid.Col();
    // The grid takes the focus back; its GotFocus writes the editor's text into the edited cell
    // before the current cell moves.
    const Paso vuelveAGrilla = [&] {
        if (Foco_.Actual() != kGrilla)
            Foco_.SetFocus(kGrilla);
        else
            MSFlexGrid2_GotFocus();
    };
    std::vector<Paso> pasos;
    switch (KeyCode) {
    case tecla::Enter:
        pasos = {vuelveAGrilla, [&] {
                     if (columna == col::Cantidad || columna == col::Total) {
                         NuevaFila(MsFlexGrid);
                     } else if (columna == col::CodigoArticulo) {
                         MueveCelda(MsFlexGrid.Row(), col::Cantidad);
                         if (ChkCodigoBarra.Value() != 0)
                             NuevaFila(MsFlexGrid);
                     } else {
                         MueveCelda(MsFlexGrid.Row(), columna + 1);
                     }
                 }};
        break;
    case tecla::Escape:
        pasos = {[&] { DevuelveLineaEditada(); }, [&] { Texto.setVisible(false); },
                 [&] { Foco_.SetFocus(kGrilla); }};
        break;
    case tecla::Arriba:
        pasos = {vuelveAGrilla, [&] {
                     if (MsFlexGrid.Row() > MsFlexGrid.FixedRows())
                         MueveCelda(MsFlexGrid.Row() - 1, MsFlexGrid.Col());
                 }};
        break;
    case tecla::Abajo:
        pasos = {vuelveAGrilla, [&] {
                     if (MsFlexGrid.Row() < MsFlexGrid.Rows() - 1)
                         MueveCelda(MsFlexGrid.Row() + 1, col::CodigoArticulo);
                 }};
        break;
    default:
        break;
    }
    pasos.push_back([&] { Desplaza(MsFlexGrid); });
    pasos.push_back([&] { stock_.MuestraInfoStock(); });
    EjecutaPasos(pasos,
                 [](const ErrorSistema& e) { return ErrorFormulario(e, QStringLiteral("EditKeyCode")); });
}

void FrmVardelio::NuevaFila(Grilla& MsFlexGrid) {
    if (MsFlexGrid.Row() < MsFlexGrid.Rows() - 1) {
        MueveCelda(MsFlexGrid.Row() + 1, col::CodigoArticulo);
        return;
    }
    MsFlexGrid.setRows(MsFlexGrid.Rows() + 1);
    MueveCelda(MsFlexGrid.Rows() - 1, col::CodigoArticulo);
}

void FrmVardelio::MueveCelda(int fila, int col) {
    Grilla& g = MSFlexGrid2;
    if (fila == g.Row() && col == g.Col())
        return;
    MSFlexGrid2_LeaveCell();
    g.setRow(fila);
    g.setCol(col);
    MSFlexGrid2_EnterCell();
}

void FrmVardelio::GuardaLineaEditada() {
    Grilla& g = MSFlexGrid2;
    lineaEditada_.fila = g.Row();
    lineaEditada_.celdas.clear();
    lineaEditada_.celdas.reserve(g.Cols());
    for (int c = 0; c < g.Cols(); ++c)
        lineaEditada_.celdas << g.TextMatrix(g.Row(), c);
}

void FrmVardelio::DevuelveLineaEditada() {
    Grilla& g = MSFlexGrid2;
    const int fila = lineaEditada_.fila;
    lineaEditada_.fila = -1;
    if (!txtEdit2.Visible() || fila != g.Row() || lineaEditada_.celdas.size() != g.Cols())
        return;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.TextMatrix(fila, c) != lineaEditada_.celdas[c])
            g.setTextMatrix(fila, c, lineaEditada_.celdas[c]);
}

void FrmVardelio::DescartaEdicion() {
    DevuelveLineaEditada();
    txtEdit2.setVisible(false);
    stock_.MuestraInfoStock();
}

void FrmVardelio::ComprometeEditor() {
    if (!txtEdit2.Visible())
        return;
    if (std::exchange(EditorVaciadoPorBusqueda, false)) {
        DescartaEdicion();
        return;
    }
    // A cell left by a key the editor does not take: what no key validated is validated now.
    bool cancela = false;
    txtEdit2_Validate(cancela);
    if (!txtEdit2.Visible())
        return; // refused: the line came back whole
    lineaEditada_.fila = -1;
    // A quantity that is no number never reaches the cell, whichever way the editor is left;
    // a negative one reaches it as its absolute value.
    const bool cantidad =
        txtEdit2.DataField().trimmed().compare(QLatin1String("CANTIDAD"), Qt::CaseInsensitive) == 0;
    if (!cantidad)
        EdicionGrilla::Compromete(MSFlexGrid2, txtEdit2);
    else if (ValidacionLineas::CantidadValida(txtEdit2.Text()))
        EdicionGrilla::Compromete(MSFlexGrid2, txtEdit2, ValidacionLineas::CantidadSinSigno(txtEdit2.Text()));
    txtEdit2.setVisible(false);
}

bool FrmVardelio::TerminaEdicion() {
    if (!txtEdit2.Visible())
        return true;
    if (MarcaEditor) {
        CampoValida(txtEdit2);
        if (ErrorValidacion)
            return false;
        MarcaEditor = false;
    }
    const bool conFoco = Foco_.Actual() == kEditor;
    ComprometeEditor();
    if (conFoco)
        Foco_.SetFocus(kGrilla);
    return true;
}

// ---- Keys of the grid itself ----

void FrmVardelio::MsflexKey(Grilla& MsFlexGrid, qint16& KeyCode) {
    EjecutaFormulario(QStringLiteral("MsflexKey"),
                      {
                          [&] {
                              if (KeyCode == tecla::Suprimir && MsFlexGrid.Rows() >= 2) {
                                  // The first line is emptied, never removed.
                                  if (MsFlexGrid.Row() > 1)
                                      MsFlexGrid.RemoveItem(MsFlexGrid.Row());
                                  else if (MsFlexGrid.Row() == 1)
                                      LimpiaFilaGrilla(MsFlexGrid, 1, 0);
                                  LineasMarcadas::DesmarcaSiCorrecta(MsFlexGrid, MsFlexGrid.Row());
                              } else if (KeyCode == tecla::Fin) {
                                  AF().SiguienteControl(*this, 9);
                              } else if (KeyCode == tecla::Insertar) {
                                  MsFlexGrid.AddItem(QString(), MsFlexGrid.Row());
                              }
                          },
                          [&] { stock_.MuestraInfoStock(); },
                      });
}

// ---- Totals ----

Moneda FrmVardelio::ObtieneImporte() {
    Moneda total;
    for (int fila = 1; fila < MSFlexGrid2.Rows(); ++fila)
        total += UT().TextoAMoneda(MSFlexGrid2.TextMatrix(fila, col::Total));
    return total;
}

void FrmVardelio::ObtieneTotales(Moneda& Items, Moneda& TotCantidades) {
    Items = Moneda();
    TotCantidades = Moneda();
    for (int fila = 1; fila < MSFlexGrid2.Rows(); ++fila) {
        const Moneda cantidad = UT().TextoAMoneda(MSFlexGrid2.TextMatrix(fila, col::Cantidad));
        TotCantidades += cantidad;
        if (!cantidad.EsCero())
            Items += Moneda::DeEntero(1);
    }
}

// ---- Events of the grid ----

void FrmVardelio::MSFlexGrid2_Click() {
    ControlActivo = &txtEdit2;
    ObjCmnCptes().TextPropiedades(txtEdit2, MSFlexGrid2.Col());
}

void FrmVardelio::MSFlexGrid2_DblClick() {
    qint16 espacio = 32;
    MsflexGridEdt(MSFlexGrid2, txtEdit2, espacio);
}

void FrmVardelio::MSFlexGrid2_KeyPress(qint16& KeyAscii) {
    MsflexGridEdt(MSFlexGrid2, txtEdit2, KeyAscii);
}

void FrmVardelio::MSFlexGrid2_KeyDown(qint16& KeyCode, int) {
    MsflexKey(MSFlexGrid2, KeyCode);
    ControlActivo = &txtEdit2;
    ObjCmnCptes().TextPropiedades(txtEdit2, MSFlexGrid2.Col());
}

void FrmVardelio::MSFlexGrid2_EnterCell() {
    MuestraPanelLinea();
    ControlActivo = &txtEdit2;
    if (!txtEdit2.Visible())
        txtEdit2.setText(QString());
    ObjCmnCptes().TextPropiedades(txtEdit2, MSFlexGrid2.Col());
    HabilitaConsultaDeCelda();
}

void FrmVardelio::HabilitaConsultaDeCelda() {
    // F5 on a selected cell looks its column up as on an open one, whatever field came before.
    UtilVox1.setHabilitaConsultar(!txtEdit2.Tag().isEmpty());
}

void FrmVardelio::MSFlexGrid2_LeaveCell() {
    stock_.MuestraInfoStock();
    ComprometeEditor();
}

void FrmVardelio::MSFlexGrid2_GotFocus() {
    ControlActivo = &txtEdit2;
    ObjCmnCptes().TextPropiedades(txtEdit2, MSFlexGrid2.Col());
    ComprometeEditor();
    HabilitaConsultaDeCelda();
}

// ---- Events of the cell editor ----

void FrmVardelio::txtEdit2_GotFocus() {
    ControlActivo = &txtEdit2;
    ObjCmnCptes().TextPropiedades(txtEdit2, MSFlexGrid2.Col());
    HabilitaConsultaDeCelda();
    txtEdit2.setBackColor(gColorFondo);
    txtEdit2.setForeColor(gColorLetra);
}

void FrmVardelio::txtEdit2_LostFocus() {
    txtEdit2.setBackColor(kBlanco);
    txtEdit2.setForeColor(kNegro);
}

void FrmVardelio::txtEdit2_KeyDown(qint16& KeyCode, int) {
    // Escape drops the edit: there is nothing to validate.
    if (KeyCode == tecla::Escape) {
        EditKeyCode(MSFlexGrid2, txtEdit2, KeyCode, 0);
        return;
    }
    if (!AF().FiltraTecla(KeyCode) && KeyCode != tecla::Arriba && KeyCode != tecla::Abajo)
        return;
    CampoValida(txtEdit2);
    if (ErrorValidacion)
        return;
    MarcaEditor = false;
    EditKeyCode(MSFlexGrid2, txtEdit2, KeyCode, 0);
}

void FrmVardelio::txtEdit2_KeyPress(qint16& KeyAscii) {
    if (MSFlexGrid2.Col() <= 0)
        return;
    if (KeyAscii != qint16(',') && KeyAscii != qint16('.'))
        return;
    const QString separador = AF().SeparadorDecimal();
    if (separador.isEmpty())
        return;
    KeyAscii = qint16(separador.at(0).unicode());
    if (txtEdit2.Text().trimmed().contains(separador))
        KeyAscii = 0;
}

bool FrmVardelio::EditorTomaTecla(qint16 KeyCode) const {
    return KeyCode == tecla::Escape && txtEdit2.Visible() && Foco_.Actual() == kEditor;
}

void FrmVardelio::txtEdit2_Change() {
    MarcaEditor = true;
    EditorVaciadoPorBusqueda = false;
}

void FrmVardelio::txtEdit2_Validate(bool& Cancel) {
    Cancel = false; // the leave is never held back
    if (!txtEdit2.Visible() || !MarcaEditor)
        return;
    CampoValida(txtEdit2);
    if (!ErrorValidacion) {
        MarcaEditor = false;
        return;
    }
    // Refused and left all the same: nothing of it stays in the grid; the line comes back whole,
    // as Escape gives it.
    DescartaEdicion();
}
