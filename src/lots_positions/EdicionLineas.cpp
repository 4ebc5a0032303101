#include "EdicionLineas.h"

#include "AccesoDatos.h"
#include "Globales.h"
#include "Teclas.h"
#include "Utilidades.h"

namespace {

// Errors of the grid skipped by the navigation: an invalid call, and a fixed column made current
// where the dialog allows it.
constexpr long kLlamadaInvalida = 5;

} // namespace

EdicionLineas::EdicionLineas(Grilla& grilla, CajaTexto& editor, FocoFormulario& foco, Reglas reglas)
    : grilla_(grilla), editor_(editor), foco_(foco), reglas_(std::move(reglas)) {}

bool EdicionLineas::Editable(int col) const {
    if (col < grilla_.FixedCols())
        return false;
    return !reglas_.editable || reglas_.editable(col);
}

int EdicionLineas::ReportaError(const ErrorSistema& e) const {
    if (e.Numero() == kLlamadaInvalida ||
        (reglas_.saltaColumnaFija && e.Numero() == ErrorGrilla::ColumnaInvalida))
        return Respuesta::Ignorar;
    if (reglas_.reportaError)
        return reglas_.reportaError(e);
    return AD().GestionaError(e, QStringLiteral("EditKeyCode"));
}

// ---- Events ----

void EdicionLineas::MSFlexGrid1_KeyPress(qint16& KeyAscii) {
    MsflexGridEdt(grilla_, editor_, KeyAscii);
}

void EdicionLineas::TxtEdit_KeyDown(qint16& KeyCode, int Shift) {
    const bool termina = ayuda_.FiltraTecla(KeyCode) || KeyCode == tecla::Escape ||
                         KeyCode == tecla::Arriba || KeyCode == tecla::Abajo;
    if (!termina)
        return;
    if (KeyCode != tecla::Escape && reglas_.campoValida && reglas_.campoValida(editor_))
        return;
    EditKeyCode(grilla_, editor_, KeyCode, Shift);
}

void EdicionLineas::MSFlexGrid1_GotFocus() {
    if (editor_.Visible())
        foco_.SetFocus(editor_.Name());
}

void EdicionLineas::TxtEdit_KeyPress(qint16& KeyAscii) {
    ayuda_.FiltraCaracter(editor_, KeyAscii);
    if (KeyAscii == qint16('|') || KeyAscii == qint16(0xFF))
        KeyAscii = 0;
}

QString EdicionLineas::TextoCelda(const QString& texto) {
    QString t = texto;
    t.remove(QLatin1Char('|'));
    t.remove(QChar(0x00FF));
    return t;
}

void EdicionLineas::EjecutaPaso(const Paso& paso) const {
    EjecutaPasos({paso}, [this](const ErrorSistema& e) { return ReportaError(e); });
}

void EdicionLineas::Editor_FocoTomado() {
    foco_.FocoMovido(editor_.Name());
}

// ---- Editing ----

void EdicionLineas::Text_Propiedades(CajaTexto& Texto, long Col) {
    const bool cantidad = EsCantidad(int(Col));
    Texto.setDataField(cantidad ? QStringLiteral("Cantidad") : QString());
    Texto.setMaxLength(cantidad ? 0 : 25);
    Texto.setTag(QString());
}

void EdicionLineas::MsflexGridEdt(Grilla& MsFlexGrid, CajaTexto& Edt, qint16& KeyAscii) {
    if (reglas_.propiedadesPrimero)
        Text_Propiedades(Edt, MsFlexGrid.Col());
    if (!Editable(MsFlexGrid.Col()) || MsFlexGrid.Row() < MsFlexGrid.FixedRows())
        return;
    if (!reglas_.propiedadesPrimero)
        Text_Propiedades(Edt, MsFlexGrid.Col());
    EdicionGrilla::AbreEditor(MsFlexGrid, Edt, KeyAscii);
    EdicionGrilla::Desplaza(MsFlexGrid);
    foco_.SetFocus(Edt.Name());
}

void EdicionLineas::Compromete() {
    EdicionGrilla::Compromete(grilla_, editor_, TextoCelda(editor_.Text()));
}

bool EdicionLineas::TerminaEdicion() {
    if (!editor_.Visible())
        return true;
    if (reglas_.campoValida && reglas_.campoValida(editor_)) {
        // Refused: the user goes on typing where the text is (a button may have taken the focus).
        foco_.SetFocus(editor_.Name());
        return false;
    }
    const bool conFoco = foco_.Actual() == editor_.Name();
    Compromete();
    if (conFoco)
        foco_.SetFocus(grilla_.Name());
    return true;
}

void EdicionLineas::VuelveAGrilla() {
    // Written before the grid takes the focus, which would hand an open edit back to the editor.
    Compromete();
    if (foco_.Actual() != grilla_.Name())
        foco_.SetFocus(grilla_.Name());
}

void EdicionLineas::MueveCelda(int fila, int col) {
    if (fila == grilla_.Row() && col == grilla_.Col())
        return;
    if (!TerminaEdicion())
        return;
    MSFlexGrid1_LeaveCell();
    grilla_.setRow(fila);
    grilla_.setCol(col);
}

void EdicionLineas::EditKeyCode(Grilla& MsFlexGrid, CajaTexto& Edt, qint16& KeyCode, int) {
    std::vector<Paso> pasos;
    bool bajo = false;
    switch (KeyCode) {
    case tecla::Enter:
        pasos = {[&] { VuelveAGrilla(); },
                 [&] {
                     if (reglas_.enter)
                         reglas_.enter();
                 }};
        break;
    case tecla::Escape:
        pasos = {[&] { Edt.setVisible(false); }, [&] { VuelveAGrilla(); }};
        break;
    case tecla::Arriba:
        pasos = {[&] { VuelveAGrilla(); },
                 [&] {
                     if (MsFlexGrid.Row() > MsFlexGrid.FixedRows())
                         MsFlexGrid.setRow(MsFlexGrid.Row() - 1);
                 }};
        break;
    case tecla::Abajo:
        pasos = {[&] { VuelveAGrilla(); },
                 [&] {
                     if (MsFlexGrid.Row() < MsFlexGrid.Rows() - 1) {
                         MsFlexGrid.setRow(MsFlexGrid.Row() + 1);
                         bajo = true;
                     }
                 },
                 // A grid whose column 0 is fixed refuses this (skipped where the dialog says so).
                 [&] {
                     if (bajo)
                         MsFlexGrid.setCol(0);
                 }};
        break;
    default:
        break;
    }
    pasos.push_back([&] { EdicionGrilla::Desplaza(MsFlexGrid); });
    EjecutaPasos(pasos, [this](const ErrorSistema& e) { return ReportaError(e); });
}

// ---- Fill commands and columns ----

void EdicionLineas::LlenaHaciaAbajo() {
    const QString valor = grilla_.Text().trimmed();
    SinRedibujo sr(grilla_);
    for (int fila = grilla_.Row() + 1; fila < grilla_.Rows(); ++fila)
        grilla_.setTextMatrix(fila, grilla_.Col(), valor);
}

void EdicionLineas::BlanqueaHaciaAbajo(const QString& valor, int col) {
    const int c = col < 0 ? grilla_.Col() : col;
    SinRedibujo sr(grilla_);
    for (int fila = grilla_.Row() + 1; fila < grilla_.Rows(); ++fila)
        grilla_.setTextMatrix(fila, c, valor);
}

void EdicionLineas::CompletaTodoIgual(int col) {
    QString primero;
    EjecutaPasos({[&] { primero = grilla_.TextMatrix(1, col).trimmed(); }}, SiempreSiguiente);
    SinRedibujo sr(grilla_);
    for (int fila = grilla_.FixedRows(); fila < grilla_.Rows(); ++fila)
        EjecutaPasos({[&] {
                         if (grilla_.TextMatrix(fila, col).trimmed().isEmpty())
                             grilla_.setTextMatrix(fila, col, primero);
                     }},
                     SiempreSiguiente);
}

void EdicionLineas::AjustaAnchoColumnas(const MedidaTexto& medida) {
    if (!medida)
        return;
    // One walk over the cells; one measure per column.
    std::vector<qsizetype> largos(size_t(grilla_.Cols()), 0);
    for (int fila = 0; fila < grilla_.Rows(); ++fila)
        for (int col = 0; col < grilla_.Cols(); ++col)
            largos[size_t(col)] = qMax(largos[size_t(col)], grilla_.TextMatrix(fila, col).size());
    for (int col = 0; col < grilla_.Cols(); ++col)
        if (largos[size_t(col)] > 0)
            grilla_.setColWidth(col, medida(QString(largos[size_t(col)], QLatin1Char('X'))));
}

double EdicionLineas::SumaFilas(int col, int omitida) const {
    double suma = 0;
    for (int fila = grilla_.FixedRows(); fila < grilla_.Rows(); ++fila)
        if (fila != omitida)
            suma += UT().TextoADoble(grilla_.TextMatrix(fila, col));
    return suma;
}
