// The binding of a grid's floating cell editor to the column it is placed on.

#include "CajaTexto.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "Recorte.h"

#include <QLatin1String>
#include <initializer_list>

namespace {

struct Enlace {
    int columna;
    const char* campo;
    const char* tag; // the look-up's table (and filter)
    int largoMaximo; // 0: no limit
};

// Tasks grid editor.
constexpr Enlace kTareas[] = {
    {colTarea::Codigo, "IdTarea", "v_ta_tareas", 4},
    {colTarea::Descripcion, "Descripcion", "", 0},
    {colTarea::Cantidad, "HorasEstimadas", "", 0},
    {colTarea::ValorHora, "ValorHora", "", 0},
    {colTarea::Total, "Total", "", 0},
};

// Articles grid editors.
constexpr Enlace kArticulos[] = {
    {col::CodigoArticulo, "IdArticulo", "v_ma_articulos", 35},
    {col::Descripcion, "Descripcion", "", 50},
    {col::ListaPrecio, "IdListaPrecioArticulo", "V_MA_PRECIOS", 4},
    {col::Espesor, "Espesor", "", 0},
    {col::Ancho, "Ancho", "", 0},
    {col::Unidad, "IdUnidad", "V_TA_UNIDAD", 4},
    {col::Deposito, "IdDepositoArt", "V_TA_DEPOSITO", 4},
    {col::Cantidad, "Cantidad", "", 0},
    {col::Largo, "Largo", "", 0},
    {col::UnidadEquivalente, "IdUnidadEquiv", "V_TA_UNIDAD", 4},
    {col::CantidadEquivalente, "CantidadEquiv", "", 0},
    {col::PorcentajeDescuento, "PorcDtoArticulo", "", 0},
    {col::UnidadPrecio, "Ud_Pr", "V_TA_UNIDAD", 4},
    {col::ImporteUnidad, "Importe_Ud", "", 0},
    {col::Importe, "ArtImporte", "", 0},
    {col::Total, "Total", "", 0},
    {col::Impuestos, "Impuestos", "", 0},
    {col::Itc, "ITC", "", 0},
};

// Other-concepts grid editor: the concept is chosen among the postable accounts.
constexpr Enlace kOtrosConceptos[] = {
    {colOtroConcepto::Detalle, "OCDescripcion", "MA_CUENTAS/SOLOIMPUTABLES", 200},
    {colOtroConcepto::ImporteSinIva, "OCImporteSinIva", "", 0},
    {colOtroConcepto::Importe, "OCImporte", "", 0},
};

template <size_t N> const Enlace* Busca(const Enlace (&tabla)[N], qint32 columna) {
    for (const Enlace& e : tabla)
        if (e.columna == columna)
            return &e;
    return nullptr;
}

bool EsUnoDe(const QString& nombre, std::initializer_list<const char*> nombres) {
    for (const char* n : nombres)
        if (nombre.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void ClsCmnCptesServicios::TextPropiedades(CajaTexto& Texto, qint32 Columna) {
    Texto.setDataField(QString());
    Texto.setMaxLength(0);
    Texto.setTag(QString());

    // The editor is told apart by its name, so one method serves every voucher form.
    const QString nombre = RecortaBlancos(Texto.Name());
    const Enlace* e = nullptr;
    if (EsUnoDe(nombre, {"TxtEdit"}))
        e = Busca(kTareas, Columna);
    else if (EsUnoDe(nombre, {"TxtEdit2", "TXTAUX1", "TXTAUX2", "TXTAUX3"}))
        e = Busca(kArticulos, Columna);
    else if (EsUnoDe(nombre, {"TxtEdit3"}))
        e = Busca(kOtrosConceptos, Columna);
    if (!e)
        return;

    Texto.setDataField(QLatin1String(e->campo));
    if (*e->tag)
        Texto.setTag(QLatin1String(e->tag));
    if (e->largoMaximo)
        Texto.setMaxLength(e->largoMaximo);
}
