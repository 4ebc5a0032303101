#include "FrmVardelio.h"

#include "Inicio.h"

void FrmVardelio::Form_Load() {
    QString cadenaConexion;
    InicializaSistema(false, QString(), cadenaConexion, 3);
}
