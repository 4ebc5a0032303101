#include "VistasPosiciones.h"

#include "InteraccionQt.h"

#include <QAction>
#include <QStyle>
#include <QToolBar>

namespace {

// What both dialogs show and where the view sends the user's keys and clicks.
template <class Form> FormularioLinea Controles(Form& form) {
    return FormularioLinea{
        form.Caption,
        form.MSFlexGrid1,
        form.TxtEdit,
        form.Edicion(),
        form.lblArticulo,
        form.CmdAceptar,
        form.CmdCancelar,
        form.Foco,
        [&form](int fila, int col) { form.MueveCelda(fila, col); },
        [&form] { form.CmdAceptar_Click(); },
        [&form] { form.CmdCancelar_Click(); },
    };
}

} // namespace

VistaLoteyPosicion::VistaLoteyPosicion(FrmLoteyPosicion& form, QWidget* padre)
    : VistaDialogoLinea(Controles(form), padre), form_(form) {
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("Toolbar1"));
    const std::array<QStyle::StandardPixmap, 3> iconos = {QStyle::SP_ArrowDown, QStyle::SP_DialogResetButton,
                                                          QStyle::SP_BrowserReload};
    for (int i = 0; i < 3; ++i) {
        botones_[size_t(i)] = barra->addAction(style()->standardIcon(iconos[size_t(i)]),
                                               form_.Toolbar1[size_t(i)].ToolTipText());
        connect(botones_[size_t(i)], &QAction::triggered, this,
                [this, i] { form_.Toolbar1_ButtonClick(i + 1); });
    }
    PoneBarra(barra);
    form_.alOcultar = [this] { Cierra(); };
}

VistaLoteyPosicion::~VistaLoteyPosicion() {
    form_.alOcultar = nullptr;
}

VistaPosicionConsulta::VistaPosicionConsulta(FrmPosicionConsulta& form, QWidget* padre)
    : VistaDialogoLinea(Controles(form), padre), form_(form) {
    form_.alOcultar = [this] { Cierra(); };
}

VistaPosicionConsulta::~VistaPosicionConsulta() {
    form_.alOcultar = nullptr;
}

void RegistraVistasPosiciones() {
    InteraccionQt::RegistraVista(QStringLiteral("FrmLoteyPosicion"), [](Formulario& f, QWidget* padre) {
        auto& form = dynamic_cast<FrmLoteyPosicion&>(f);
        VistaLoteyPosicion vista(form, padre);
        form.TextWidth = [&vista](const QString& texto) { return vista.AnchoTexto(texto); };
        vista.exec();
    });
    InteraccionQt::RegistraVista(QStringLiteral("FrmPosicionConsulta"), [](Formulario& f, QWidget* padre) {
        auto& form = dynamic_cast<FrmPosicionConsulta&>(f);
        VistaPosicionConsulta vista(form, padre);
        form.TextWidth = [&vista](const QString& texto) { return vista.AnchoTexto(texto); };
        vista.exec();
    });
}
