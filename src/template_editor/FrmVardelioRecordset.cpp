// The window's header recordset, reopened by every reset.

#include "AlmacenModelos.h"
#include "FrmVardelio.h"
#include "RutinaFormulario.h"

void FrmVardelio::AbrirRecordset(const QString& lTablaActiva) {
    EjecutaFormulario(QStringLiteral("Abrir Recordser"),
                      {[&] { AlmacenModelos::AbrePrimeraFila(lTablaActiva, RegistroModelo); }});
}
