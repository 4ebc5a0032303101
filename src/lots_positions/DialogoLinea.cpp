#include "DialogoLinea.h"

#include "Globales.h"
#include "Interaccion.h"
#include "PreparaFormulario.h"
#include "Utilidades.h"

MedidaTexto& DialogoLinea::MedidaPorDefecto() {
    static MedidaTexto medida;
    return medida;
}

DialogoLinea::DialogoLinea(const QString& nombre, const QString& caption, const QString& aceptar,
                           EdicionLineas::Reglas reglas)
    : Caption(caption), CmdAceptar(aceptar), TextWidth(MedidaPorDefecto()), nombre_(nombre),
      edicion_(MSFlexGrid1, TxtEdit, foco_, std::move(reglas)) {
    MSFlexGrid1.setName(QStringLiteral("MSFlexGrid1"));
    TxtEdit.setVisible(false);
    auto& r = edicion_.reglas();
    r.enter = [this] { Enter(); };
    r.campoValida = [this](CajaTexto& t) {
        CampoValida(t);
        return campoInvalido_;
    };
    const auto siempre = [] { return true; };
    foco_.DefineOrden({{MSFlexGrid1.Name(), [this] { return MSFlexGrid1.Enabled(); }},
                       {QStringLiteral("CmdAceptar"), siempre},
                       {QStringLiteral("CmdCancelar"), siempre}});
    foco_.alMoverFoco = [this](const QString&, const QString& nuevo) {
        if (nuevo == MSFlexGrid1.Name())
            MSFlexGrid1_GotFocus();
    };
    foco_.FocoMovido(MSFlexGrid1.Name());
}

void DialogoLinea::Form_Load() {
    if (preparada_)
        return;
    preparada_ = true;
    EjecutaPasos({[&] { UT().PreparaFormulario(*this, false); }, [&] { ConfiguraFormulario(*this); },
                  [&] { PreparaVentana(); }},
                 SiempreSiguiente);
}

void DialogoLinea::LlenaDialogo(const std::vector<Paso>& pasos) {
    Form_Load();
    EjecutaPasos(pasos, SiempreSiguiente);
}

void DialogoLinea::Muestra(bool mostrar) {
    if (!mostrar) {
        CmdAceptar_Click();
        return;
    }
    Visible = true;
    interaccion().MuestraModal(*this);
}

void DialogoLinea::CmdCancelar_Click() {
    Oculta();
}

void DialogoLinea::Oculta() {
    Visible = false;
    if (alOcultar)
        alOcultar();
}

// Without a measure from the view, every letter is 120 twips.
int DialogoLinea::AnchoTexto(const QString& texto) const {
    return TextWidth ? TextWidth(texto) : int(texto.size()) * 120;
}

int DialogoLinea::Ancho(int letras) const {
    return AnchoTexto(QString(letras, QLatin1Char('X')));
}

void DialogoLinea::AjustaAnchoColumnas() {
    edicion_.AjustaAnchoColumnas([this](const QString& t) { return AnchoTexto(t); });
}
