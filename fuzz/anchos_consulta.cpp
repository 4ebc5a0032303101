// The search window's widths file (CONSULTASLEN.CVN) over any bytes: the widths of each entity
// read, and writing an entity's widths back keeps every other line and leaves that entity once,
// last, with the new widths.
#include "ArchivosConsulta.h"
#include "AuxInicio.h"
#include "Comun.h"
#include "DefinicionesConsulta.h"
#include "Globales.h"

namespace {

// Entities as the program names them: no quote, comma or line break, not blank.
bool EsEntidadEscribible(const QString& e) {
    return !e.trimmed().isEmpty() && !e.contains(u'"') && !e.contains(u',') && !e.contains(u'\r') &&
           !e.contains(u'\n') && e == e.trimmed();
}

qsizetype Cuenta(const std::vector<LineaAnchos>& lineas, const QString& entidad) {
    qsizetype n = 0;
    for (const LineaAnchos& l : lineas)
        if (MismaEntidad(l.Entidad, entidad))
            ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static const QString carpeta = [] {
        const QString c = CarpetaTrabajo();
        Aux().CarpetaPrograma(c);
        return c;
    }();
    const QString ruta = carpeta + QStringLiteral("CONSULTASLEN.CVN");
    EscribeArchivo(ruta, Bytes(datos, largo));

    const std::vector<LineaAnchos> antes = LeeArchivoAnchos(ruta);
    for (size_t i = 0; i < antes.size() && i < 4; ++i)
        AnchosDeEntidad(ruta, antes[i].Entidad);

    // The entity of the first line (the stale line a rewrite must drop), else a usual one.
    QString entidad = antes.empty() ? QString() : antes.front().Entidad;
    if (!EsEntidadEscribible(entidad))
        entidad = QStringLiteral("V_MA_ARTICULOS");
    GrabaAnchosConsulta(entidad, QStringLiteral("1529.188|1575.081|"));

    const std::vector<LineaAnchos> despues = LeeArchivoAnchos(ruta);
    if (Cuenta(despues, entidad) != 1 || despues.empty() || !MismaEntidad(despues.back().Entidad, entidad))
        Falla("la entidad escrita no queda una sola vez y al final", entidad);
    if (despues.size() != antes.size() - static_cast<size_t>(Cuenta(antes, entidad)) + 1)
        Falla("la reescritura no conserva las demás líneas", entidad);
    const std::vector<int> anchos = AnchosDeEntidad(ruta, entidad);
    if (anchos != std::vector<int>{1529, 1575})
        Falla("los anchos leídos no son los escritos", entidad);
    return 0;
}
