#include "Cartel.h"

#include "Acceso.h"

#include <QCoreApplication>

namespace {

std::function<std::unique_ptr<QObject>(Lbf_CtrlDisplay&)>& Fabrica() {
    static std::function<std::unique_ptr<QObject>(Lbf_CtrlDisplay&)> fabrica;
    return fabrica;
}

std::unique_ptr<Dll_Display>& Instancia() {
    static std::unique_ptr<Dll_Display> instancia;
    return instancia;
}

} // namespace

Lbf_CtrlDisplay::Lbf_CtrlDisplay() {
    CmdDisplayCancelar.setCaption(CaptionCancelar);
    timer_.setInterval(IntervaloMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Timer1_Timer(); });
    if (QCoreApplication::instance())
        timer_.start();
}

Lbf_CtrlDisplay::~Lbf_CtrlDisplay() {
    timer_.stop();
    vista_.reset();
}

void Lbf_CtrlDisplay::RegistraVista(std::function<std::unique_ptr<QObject>(Lbf_CtrlDisplay&)> fabrica) {
    Fabrica() = std::move(fabrica);
}

void Lbf_CtrlDisplay::Avisa() const {
    if (alCambiar)
        alCambiar();
}

void Lbf_CtrlDisplay::setCaption(const QString& c) {
    caption_ = c;
    Avisa();
}

void Lbf_CtrlDisplay::Show() {
    if (!vista_ && Fabrica())
        vista_ = Fabrica()(*this);
    visible_ = true;
    Avisa();
}

void Lbf_CtrlDisplay::Hide() {
    visible_ = false;
    Avisa();
}

void Lbf_CtrlDisplay::setSiempreVisible(bool v) {
    siempreVisible_ = v;
    Avisa();
}

void Lbf_CtrlDisplay::Refresh() {
    Avisa();
}

void Lbf_CtrlDisplay::CmdDisplayCancelar_Click() {
    CmdDisplayCancelar.setCaption(CaptionAbortado);
}

void Lbf_CtrlDisplay::Timer1_Timer() {
    ++contador_;
    imagen_ = contador_;
    if (contador_ == Cuadros)
        contador_ = 0;
    if (alCambiarCuadro)
        alCambiarCuadro();
}

Lbf_CtrlDisplay& Dll_Display::Form() {
    if (!form_)
        form_ = std::make_unique<Lbf_CtrlDisplay>();
    return *form_;
}

QString Dll_Display::NuloATexto(const QVariant& valor) {
    if (valor.isNull() || !valor.canConvert<QString>())
        return {};
    return valor.toString();
}

void Dll_Display::CartelInicio(const QString& Titulo, bool PermiteCancelar) {
    Lbf_CtrlDisplay& f = Form();
    f.setCaption(Titulo);
    f.CmdDisplayCancelar.setVisible(PermiteCancelar);
    f.Show();
}

void Dll_Display::CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1,
                                const std::optional<QVariant>& l2, const std::optional<QVariant>& l3) {
    Lbf_CtrlDisplay& f = Form();
    const std::array<const std::optional<QVariant>*, 3> lineas{&L1, &l2, &l3};
    for (size_t i = 0; i < lineas.size(); ++i)
        if (*lineas[i])
            f.LblCtrol[i].setCaption(NuloATexto(**lineas[i]));
    f.Refresh();
    Cancelado = f.CmdDisplayCancelar.Caption() == Lbf_CtrlDisplay::CaptionAbortado;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void Dll_Display::CartelCerrar() {
    if (form_)
        form_->Hide();
    form_.reset();
}

void Dll_Display::setSiempre_Visible(bool vNewValue) {
    Form().setSiempreVisible(vNewValue);
}

Dll_Display& DllDisplay() {
    auto& i = Instancia();
    if (!i) {
        i = std::make_unique<Dll_Display>();
        RegistraLiberacion(ObjetoGlobal::DllDisplay, [] { LiberaDllDisplay(); });
    }
    return *i;
}

bool ExisteDllDisplay() {
    return Instancia() != nullptr;
}

void LiberaDllDisplay() {
    Instancia().reset();
}
