// The window's header recordset, reopened by every reset.

#include "AccesoDatos.h"
#include "FrmVardelio.h"
#include "Globales.h"

void FrmVardelio::AbrirRecordset(const QString& lTablaActiva) {
    EjecutaFormulario(QStringLiteral("Abrir Recordser"),
                      {
                          [&] {
                              AD().ObtieneRecordset(QStringLiteral("SELECT TOP 1 * FROM ") + lTablaActiva +
                                                        QStringLiteral(" with(nolock) "),
                                                    RegistroModelo, &AD().LeeConexion(), TipoCursor::Dinamico,
                                                    TipoBloqueo::Optimista, -1);
                          },
                      });
}
