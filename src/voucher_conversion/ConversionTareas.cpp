#include "ColumnasTareas.h"
#include "ConversionInterno.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Regional.h"
#include "Utilidades.h"

namespace {

void EscribeTarea(Conversion& c) {
    Grilla& g = *c.tareas;
    const int f = g.Rows() - 1;
    const Registros& rs = c.rsTareas;
    const QString codigo = CampoConv::Recortado(rs, QStringLiteral("IDTAREA"));
    g.setTextMatrix(f, colTarea::Codigo, codigo);
    g.setTextMatrix(f, colTarea::CodigoOriginal, codigo);
    g.setTextMatrix(f, colTarea::Descripcion, CampoConv::Recortado(rs, QStringLiteral("Descripcion")));
    qint32 horas = 0;
    qint32 minutos = 0;
    g.setTextMatrix(f, colTarea::Cantidad,
                    FormateaHoras(CampoConv::Recortado(rs, QStringLiteral("Horas")), horas, minutos, false));
    g.setTextMatrix(f, colTarea::ValorHora, ImporteConvertido(c, rs, QStringLiteral("ValorHora")));
    g.setTextMatrix(f, colTarea::ImporteSinIva, ImporteConvertido(c, rs, QStringLiteral("valorHora_S_Iva")));
    g.setTextMatrix(f, colTarea::Total, ImporteConvertido(c, rs, QStringLiteral("Total")));
    if (c.Compras)
        return;
    g.setTextMatrix(f, colTarea::ObservacionAdicional,
                    CampoConv::Recortado(rs, QStringLiteral("descripcionadicional")));
    g.setTextMatrix(f, colTarea::FechaInicio, CampoConv::Recortado(rs, QStringLiteral("FechaEstInicio")));
    g.setTextMatrix(f, colTarea::FechaFin, CampoConv::Recortado(rs, QStringLiteral("FechaEstFin")));
    g.setTextMatrix(f, colTarea::IdTecnico, CampoConv::Recortado(rs, QStringLiteral("IdTecnico")));
    g.setTextMatrix(f, colTarea::FechaRealInicio,
                    CampoConv::Recortado(rs, QStringLiteral("FechaREALInicio")));
    g.setTextMatrix(f, colTarea::FechaRealFin, CampoConv::Recortado(rs, QStringLiteral("FechaREALFin")));
    g.setTextMatrix(f, colTarea::Prioridad,
                    Regional::TextoNumero(ValNumero(CampoConv::Texto(rs, QStringLiteral("Prioridad")))));
    g.setTextMatrix(f, colTarea::Usuario,
                    Regional::TextoNumero(ValNumero(CampoConv::Texto(rs, QStringLiteral("Usuario")))));
    g.setTextMatrix(f, colTarea::FechaPresentacion, CampoConv::Texto(rs, QStringLiteral("FHPRESENTACION")));
    g.setTextMatrix(f, colTarea::FechaEmision, CampoConv::Texto(rs, QStringLiteral("FHEMISION")));
    g.setTextMatrix(f, colTarea::NroExpediente, CampoConv::Texto(rs, QStringLiteral("NROEXP")));
    g.setTextMatrix(f, colTarea::FechaEntrega, CampoConv::Texto(rs, QStringLiteral("FhEntrega")));
}

} // namespace

void LlenaTareas(Conversion& c) {
    LlenaBloque(c, c.rsTareas, *c.tareas, [&] { EscribeTarea(c); });
}
