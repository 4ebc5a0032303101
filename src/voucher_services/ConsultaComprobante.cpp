#include "ClsCmnCptesServicios.h"
#include "FrmConsComprobantes.h"
#include "Interaccion.h"

#include <memory>

void ClsCmnCptesServicios::ConsultaComprobante(const QString& TC, QString& Respuesta, const QVariant& filtro,
                                               QString* IdComplemento, QString* Proveedor) const {
    std::unique_ptr<FrmConsComprobantes> ventana;
    EjecutaProtegido(QStringLiteral("ConsultaComprobante"),
                     {
                         [&] {
                             if (!ventana)
                                 ventana = std::make_unique<FrmConsComprobantes>();
                             ventana->TC = TC;
                         },
                         [&] { ventana->filtro = filtro.isNull() ? QString() : filtro.toString(); },
                         [&] { ventana->NroComprobante = QString(); },
                         [&] {
                             ventana->Visible = true;
                             interaccion().MuestraModal(*ventana);
                         },
                         [&] { Respuesta = ventana->NroComprobante; },
                         [&] {
                             if (IdComplemento)
                                 *IdComplemento = ventana->IdComplemento;
                         },
                         [&] {
                             if (Proveedor)
                                 *Proveedor = ventana->Proveedor;
                         },
                         [&] { ventana.reset(); },
                     });
}
