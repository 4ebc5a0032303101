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
    // Each cell is a step of its own: Ignore after a failing cell goes on with the next one.
    const auto pon = [&](int columna, const std::function<QString()>& valor) {
        PasoConversion([&] { g.setTextMatrix(f, columna, valor()); });
    };
    const auto recortado = [&](const char* campo) { return CampoConv::Recortado(rs, QLatin1String(campo)); };
    const auto importe = [&](const char* campo) { return ImporteConvertido(c, rs, QLatin1String(campo)); };
    const auto numero = [&](const char* campo) {
        return Regional::TextoNumero(ValNumero(CampoConv::Texto(rs, QLatin1String(campo))));
    };
    const auto texto = [&](const char* campo) { return CampoConv::Texto(rs, QLatin1String(campo)); };
    pon(colTarea::Codigo, [&] { return recortado("IDTAREA"); });
    pon(colTarea::CodigoOriginal, [&] { return recortado("IDTAREA"); });
    pon(colTarea::Descripcion, [&] { return recortado("Descripcion"); });
    pon(colTarea::Cantidad, [&] {
        qint32 horas = 0;
        qint32 minutos = 0;
        return FormateaHoras(recortado("Horas"), horas, minutos, false);
    });
    pon(colTarea::ValorHora, [&] { return importe("ValorHora"); });
    pon(colTarea::ImporteSinIva, [&] { return importe("valorHora_S_Iva"); });
    pon(colTarea::Total, [&] { return importe("Total"); });
    if (c.Compras)
        return;
    pon(colTarea::ObservacionAdicional, [&] { return recortado("descripcionadicional"); });
    pon(colTarea::FechaInicio, [&] { return recortado("FechaEstInicio"); });
    pon(colTarea::FechaFin, [&] { return recortado("FechaEstFin"); });
    pon(colTarea::IdTecnico, [&] { return recortado("IdTecnico"); });
    pon(colTarea::FechaRealInicio, [&] { return recortado("FechaREALInicio"); });
    pon(colTarea::FechaRealFin, [&] { return recortado("FechaREALFin"); });
    pon(colTarea::Prioridad, [&] { return numero("Prioridad"); });
    pon(colTarea::Usuario, [&] { return numero("Usuario"); });
    pon(colTarea::FechaPresentacion, [&] { return texto("FHPRESENTACION"); });
    pon(colTarea::FechaEmision, [&] { return texto("FHEMISION"); });
    pon(colTarea::NroExpediente, [&] { return texto("NROEXP"); });
    pon(colTarea::FechaEntrega, [&] { return texto("FhEntrega"); });
}

} // namespace

void LlenaTareas(Conversion& c) {
    LlenaBloque(c, c.rsTareas, *c.tareas, [&] { EscribeTarea(c); });
}
