// The current line of a voucher grid shown in the form's status bar.

#include "BarraEstado.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "Globales.h"
#include "Grilla.h"
#include "Recorte.h"
#include "Regional.h"
#include "Utilidades.h"

namespace {

QString CodigoYDescripcion(const Grilla& g, int colCodigo, int colDescripcion) {
    const int fila = g.Row();
    return RecortaBlancos(g.TextMatrix(fila, colCodigo)) + QStringLiteral(" - ") +
           RecortaBlancos(g.TextMatrix(fila, colDescripcion));
}

} // namespace

void ClsCmnCptesServicios::MuestraDetalle(const QString& Detalle, BarraEstado& StatB, qint32 Columna) {
    StatB.Panels(Columna).setText(Detalle);
}

void ClsCmnCptesServicios::MuestraDetalleTareas(const Grilla& MSFlexGrid1, BarraEstado& StatB) {
    MuestraDetalle(CodigoYDescripcion(MSFlexGrid1, colTarea::Codigo, colTarea::Descripcion), StatB);
}

void ClsCmnCptesServicios::MuestraDetalleOtrosConceptos(const Grilla& MSFlexGrid3, BarraEstado& StatB) {
    MuestraDetalle(RecortaBlancos(MSFlexGrid3.TextMatrix(MSFlexGrid3.Row(), colOtroConcepto::Detalle)),
                   StatB);
}

void ClsCmnCptesServicios::MuestraDetalleArticulos(const Grilla& MSFlexGrid2, BarraEstado& StatB,
                                                   qint32 Columna) {
    // A detail is never worth an error: every failing step is skipped.
    QString texto;
    EjecutaPasos({[&] { texto = CodigoYDescripcion(MSFlexGrid2, col::CodigoArticulo, col::Descripcion); },
                  [&] { MuestraDetalle(texto, StatB, Columna); },
                  [&] {
                      for (int i = 1; i <= StatB.Count(); ++i) {
                          if (StatB.Panels(i).Key().compare(QLatin1String("Stock"), Qt::CaseInsensitive) != 0)
                              continue;
                          EjecutaPasos({[&] {
                                           const double stock = UT().TextoADoble(MSFlexGrid2.TextMatrix(
                                               MSFlexGrid2.Row(), col::StockDisponible));
                                           StatB.Panels(i).setText(QStringLiteral("Stock: ") +
                                                                   Regional::TextoNumero(stock));
                                       }},
                                       SiempreSiguiente);
                          break;
                      }
                  }},
                 SiempreSiguiente);
}
