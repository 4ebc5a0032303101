#include "VistasPosiciones.h"

#include "InteraccionQt.h"

VistaLoteyPosicion::VistaLoteyPosicion(FrmLoteyPosicion& form, QWidget* padre)
    : VistaDialogoLinea(form, padre) {
    PoneBarra(form.Toolbar1, [&form](int indice) { form.Toolbar1_ButtonClick(indice); });
}

VistaPosicionConsulta::VistaPosicionConsulta(FrmPosicionConsulta& form, QWidget* padre)
    : VistaDialogoLinea(form, padre) {}

void RegistraVistasPosiciones() {
    MideDialogosLinea();
    InteraccionQt::RegistraVista(QStringLiteral("FrmLoteyPosicion"), [](Formulario& f, QWidget* padre) {
        VistaLoteyPosicion vista(dynamic_cast<FrmLoteyPosicion&>(f), padre);
        vista.exec();
    });
    InteraccionQt::RegistraVista(QStringLiteral("FrmPosicionConsulta"), [](Formulario& f, QWidget* padre) {
        VistaPosicionConsulta vista(dynamic_cast<FrmPosicionConsulta&>(f), padre);
        vista.exec();
    });
}
