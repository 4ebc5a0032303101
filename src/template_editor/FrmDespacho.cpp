#include "FrmDespacho.h"

#include "AccesoDatos.h"
#include "ConsultaTabla.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "PreparaFormulario.h"
#include "RutinaFormulario.h"
#include "Teclas.h"
#include "TextoCampo.h"
#include "Utilidades.h"

namespace {

constexpr int kBlanco = 16777215;
constexpr int kNegro = 0;

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

} // namespace

FrmDespacho::FrmDespacho() {
    struct Diseno {
        const char* dataField;
        int largo;
    };
    static constexpr Diseno campos[3] = {{"Origen", 4}, {"Despacho", 25}, {"Aduana", 50}};
    for (size_t i = 0; i < TxtFields.size(); ++i) {
        TxtFields[i].setName(QStringLiteral("TxtFields"));
        TxtFields[i].setDataField(QString::fromLatin1(campos[i].dataField));
        TxtFields[i].setMaxLength(campos[i].largo);
    }
    Label5[4].setCaption(QStringLiteral("Despacho Nº"));
    Label5[0].setCaption(QStringLiteral("Origen"));
    Label5[1].setCaption(QStringLiteral("Aduana"));
    Label5[2].setVisible(false);
    Label5[3].setVisible(false);
    auto disponible = [this](size_t i) {
        return [this, i] { return TxtFields[i].Enabled() && TxtFields[i].Visible(); };
    };
    Foco_.DefineOrden({
        {QStringLiteral("TxtFields(1)"), disponible(1)},
        {QStringLiteral("TxtFields(0)"), disponible(0)},
        {QStringLiteral("TxtFields(2)"), disponible(2)},
        {QStringLiteral("CmdAceptar"), [this] { return CmdAceptar.Enabled() && CmdAceptar.Visible(); }},
        {QStringLiteral("CmdCancelar"), [this] { return CmdCancelar.Enabled() && CmdCancelar.Visible(); }},
        {QStringLiteral("CmdConsultar"), [this] { return CmdConsultar.Enabled() && CmdConsultar.Visible(); }},
    });
    Foco_.alMoverFoco = [this](const QString& anterior, const QString& nuevo) {
        for (int i = 0; i < 3; ++i) {
            if (anterior == QStringLiteral("TxtFields(%1)").arg(i))
                TxtFields_LostFocus(i);
        }
        for (int i = 0; i < 3; ++i) {
            if (nuevo == QStringLiteral("TxtFields(%1)").arg(i))
                TxtFields_GotFocus(i);
        }
    };
}

std::vector<CajaTexto*> FrmDespacho::ArregloCampos(const QString& nombre) {
    std::vector<CajaTexto*> v;
    if (Es(nombre, "TxtFields"))
        for (CajaTexto& c : TxtFields)
            v.push_back(&c);
    return v;
}

CajaTexto& FrmDespacho::Campo(const char* dataField) {
    const qint16 i = AF().LeeCampo(QString::fromLatin1(dataField), TxtFields);
    if (i < 0)
        throw ErrorSistema(9, QStringLiteral("Subíndice fuera del intervalo"), QStringLiteral("FrmDespacho"));
    return TxtFields[static_cast<size_t>(i)];
}

void FrmDespacho::Form_Load() {
    EjecutaFormulario(QStringLiteral("Form_Load"),
                      {
                          [&] { UT().PreparaFormulario(*this, false); },
                          [&] { ConfiguraFormulario(*this); },
                          [&] { AsignarDatos(); },
                          [&] {
                              perecedero_ = Es(Aduana, "PERECEDERO");
                              CmdConsultar.setVisible(!perecedero_);
                              Label5[4].setCaption(perecedero_ ? QStringLiteral("Vencimiento")
                                                               : QStringLiteral("Despacho Nro."));
                              Label5[1].setVisible(!perecedero_);
                              Label5[1].setCaption(perecedero_ ? QString() : QStringLiteral("Aduana"));
                              Label5[0].setVisible(!perecedero_);
                              Label5[0].setCaption(perecedero_ ? QString() : QStringLiteral("Origen"));
                              for (size_t i : {size_t{0}, size_t{2}}) {
                                  TxtFields[i].setVisible(!perecedero_);
                                  if (perecedero_)
                                      TxtFields[i].setText(QString());
                              }
                              TxtFields[1].setTag(perecedero_ ? QStringLiteral("FECHA") : QString());
                              TxtFields[1].setMaxLength(perecedero_ ? 10 : 25);
                          },
                      });
}

// Codes are stored filled to their width, and the field holds them trimmed: the origin is
// looked up filled first, then as typed.
void FrmDespacho::MuestraOrigen(const QString& origen) {
    const QString lleno = UT().RellenaCodigo(origen.trimmed(), 4);
    bool hay = AD().ExisteRegistro(QStringLiteral("v_ta_origen"), lleno, QStringLiteral("IdOrigen"), &rs_, 8);
    if (!hay && lleno != origen)
        hay = AD().ExisteRegistro(QStringLiteral("v_ta_origen"), origen, QStringLiteral("IdOrigen"), &rs_, 8);
    LblDesc.setCaption(hay ? TextoCampo(rs_, "Descripcion") : QString());
    AD().CierraRecordset(rs_);
}

void FrmDespacho::AsignarDatos() {
    Campo("Despacho").setText(Despacho.trimmed());
    Campo("Origen").setText(Origen.trimmed());
    Campo("Aduana").setText(Aduana.trimmed());
    MuestraOrigen(Origen);
}

void FrmDespacho::TomarDatos() {
    Despacho = Campo("Despacho").Text().trimmed();
    Origen = Campo("Origen").Text().trimmed();
    Aduana = Campo("Aduana").Text().trimmed();
}

void FrmDespacho::InicializaDatos() {
    Despacho.clear();
    Origen.clear();
    Aduana.clear();
}

void FrmDespacho::CampoValida(CajaTexto& Texto) {
    if (Es(Texto.DataField(), "Origen") && !Texto.Text().trimmed().isEmpty())
        MuestraOrigen(Texto.Text());
}

void FrmDespacho::Oculta() {
    if (alOcultar)
        alOcultar();
}

void FrmDespacho::CmdAceptar_Click() {
    EjecutaFormulario(QStringLiteral("CmdAceptar_Click"),
                      {
                          [&] { TomarDatos(); },
                          [&] { CampoValida(Campo("ORIGEN")); },
                          [&] {
                              const bool completo =
                                  perecedero_ ? !Despacho.isEmpty()
                                              : !Origen.isEmpty() && !Despacho.isEmpty() && !Aduana.isEmpty();
                              if (completo)
                                  Oculta();
                              else
                                  interaccion().MsgBox(
                                      perecedero_ ? QStringLiteral("Debe completar la fecha de vencimiento")
                                                  : QStringLiteral("Debe completar todos los campos"),
                                      Estilo::SoloAceptar | Estilo::Informacion, QStringLiteral("Atención"));
                          },
                      });
}

void FrmDespacho::CmdCancelar_Click() {
    InicializaDatos();
    Oculta();
}

void FrmDespacho::CmdConsultar_Click() {
    EjecutaFormulario(QStringLiteral("CmdConsultar_Click"),
                      {
                          [&] {
                              QString tabla = QStringLiteral("v_ta_origen");
                              QString descripcion;
                              QString clave;
                              QString auxiliar;
                              ConsultaTabla(tabla, descripcion, clave, auxiliar, true, QString());
                              Campo("origen").setText(clave.trimmed());
                          },
                          [&] {
                              qint16 tecla = tecla::Enter;
                              TxtFields_KeyDown(ultimoCampo_, tecla, 0);
                          },
                      });
}

void FrmDespacho::Form_KeyDown(qint16& KeyCode, int) {
    if (KeyCode == tecla::F2)
        CmdAceptar_Click();
    else if (KeyCode == tecla::F5)
        CmdConsultar_Click();
}

void FrmDespacho::TxtFields_GotFocus(int Index) {
    ultimoCampo_ = static_cast<qint16>(Index);
}

void FrmDespacho::TxtFields_LostFocus(int Index) {
    TxtFields[static_cast<size_t>(Index)].setBackColor(kBlanco);
    TxtFields[static_cast<size_t>(Index)].setForeColor(kNegro);
}

void FrmDespacho::TxtFields_KeyDown(int Index, qint16& KeyCode, int) {
    if (!AF().FiltraTecla(KeyCode))
        return;
    EjecutaFormulario(QStringLiteral("TxtFields_KeyDown"),
                      {
                          [&] { CampoValida(TxtFields[static_cast<size_t>(Index)]); },
                          [&] { AF().SiguienteControl(*this, KeyCode); },
                      });
}

void FrmDespacho::TxtFields_KeyPress(int Index, qint16& KeyAscii) {
    AF().FiltraCaracter(TxtFields[static_cast<size_t>(Index)], KeyAscii);
}
