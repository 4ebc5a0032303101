#include "VistaCargaLotesySeries.h"

#include "InteraccionQt.h"
#include "VistaBarraHerramientas.h"

#include <QApplication>
#include <QKeyEvent>

VistaCargaLotesySeries::VistaCargaLotesySeries(FrmCargaLotesySeries& form, QWidget* padre)
    : VistaDialogoLinea(form, padre), form_(form) {
    PoneBarra(form_.Toolbar1, [this](int indice) { form_.Toolbar1_ButtonClick(indice); });
    qApp->installEventFilter(this);
}

VistaCargaLotesySeries::~VistaCargaLotesySeries() {
    qApp->removeEventFilter(this);
}

bool VistaCargaLotesySeries::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    QWidget* foco = focusWidget();
    // Only the first delivery, to this dialog's focused widget: the form previews every key.
    if (!w || w->window() != this || w != (foco ? foco : this))
        return QDialog::eventFilter(objeto, evento);
    qint16 codigo = CodigoTecla(static_cast<QKeyEvent*>(evento)->key());
    if (codigo == 0)
        return QDialog::eventFilter(objeto, evento);
    const qint16 tecla = codigo;
    form_.Form_KeyDown(codigo, int(static_cast<QKeyEvent*>(evento)->modifiers() >> 25));
    return codigo == 0 || tecla == 113;
}

void RegistraVistaCargaLotesySeries() {
    MideDialogosLinea();
    InteraccionQt::RegistraVista(QStringLiteral("FrmCargaLotesySeries"), [](Formulario& f, QWidget* padre) {
        VistaCargaLotesySeries vista(dynamic_cast<FrmCargaLotesySeries&>(f), padre);
        vista.exec();
    });
}
