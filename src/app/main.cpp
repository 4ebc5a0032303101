#include "Inicio.h"
#include "InteraccionQt.h"
#include "VistaCargaLotesySeries.h"
#include "VistaCartel.h"
#include "VistaDespacho.h"
#include "VistaFrmConsComprobantes.h"
#include "VistaVardelio.h"
#include "VistaVentanaConsulta.h"
#include "VistasPosiciones.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstalaTraduccionesEs(app);
    // Offscreen nobody can answer a box: the scripted port keeps the texts and answers with
    // each box's default button, so that a headless run never waits.
    InteraccionQt puerto;
    RegistraVistaVentanaConsulta();
    RegistraVistaDespacho();
    RegistraVistaFrmConsComprobantes();
    RegistraVistasPosiciones();
    RegistraVistaCargaLotesySeries();
    RegistraVistaCartel();
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        EstableceInteraccion(&puerto);

    FrmVardelio form;
    form.TextWidth = VistaVardelio::MedidaTexto();
    try {
        form.Form_Load();
    } catch (const FinPrograma& fin) {
        return fin.codigo;
    }
    VistaVardelio vista(form);
    puerto.setPadre(&vista);
    vista.show();
    vista.activateWindow(); // also where no window manager activates it
    return app.exec();
}
