#include "VistaVardelio.h"

VistaVardelio::VistaVardelio(FrmVardelio& form, QWidget* padre) : QMainWindow(padre), form_(form) {
    setWindowTitle(form_.Caption());
    resize(1000, 700);
}
