#include "InteraccionQt.h"
#include "VistaVardelio.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstalaTraduccionesEs(app);
    InteraccionQt puerto;
    EstableceInteraccion(&puerto);

    FrmVardelio form;
    VistaVardelio vista(form);
    puerto.EstablecePadre(&vista);
    vista.show();
    return app.exec();
}
