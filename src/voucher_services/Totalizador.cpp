// The item-totals grid of a voucher form: one summary row per visible tab, with the breakdown
// of the articles by rubro, article type or code.

#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "ColumnasTotales.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Pestanas.h"
#include "Recorte.h"
#include "Regional.h"
#include "Utilidades.h"

#include <cstdlib>

namespace {

constexpr int TabTareas = 0;
constexpr int TabArticulos = 1;
constexpr int TabOtrosConceptos = 2;

// Column 0 holds the code of a line in every voucher grid.
bool LineaLlena(const Grilla& g, int fila) {
    return !RecortaBlancos(g.TextMatrix(fila, 0)).isEmpty();
}

// Whole minutes as hours and minutes, the minutes carried into the hours ("2:15", "0:05").
QString TextoHoras(qint64 minutos) {
    const qint64 a = std::llabs(minutos);
    return (minutos < 0 ? QStringLiteral("-") : QString()) + QString::number(a / 60) + QLatin1Char(':') +
           QString::number(a % 60).rightJustified(2, QLatin1Char('0'));
}

// Where the names of a breakdown's groups are looked up.
struct Desglose {
    int columnaClave = col::CodigoArticulo;
    QString tabla;
    QString columnaTabla;
};

Desglose EligeDesglose(bool porRubro, bool porTipo) {
    if (porRubro)
        return {col::RubroArticulo, QStringLiteral("V_ta_Rubros"), QStringLiteral("IdRubro")};
    if (porTipo)
        return {col::TipoArticulo, QStringLiteral("V_ta_TipoArticulo"), QStringLiteral("Tipo")};
    // By article code: the codes are shown without names.
    return {};
}

// The name of the group. Grid cells and keys are trimmed, while the tables store their codes
// filled to 4 like every short code: the filled code is tried first, then the code as it is.
QString NombreGrupo(const Desglose& d, const QString& clave) {
    const auto busca = [&](const QString& codigo) {
        return UT().ValorATexto(AD().ObtieneValorTabla(d.tabla, codigo, QStringLiteral("Descripcion"),
                                                       d.columnaTabla, 8, QString(), true, false));
    };
    const QString relleno = UT().RellenaCodigo(clave, 4);
    QString nombre = busca(relleno);
    if (nombre.isEmpty() && relleno != clave)
        nombre = busca(clave);
    return nombre;
}

} // namespace

// Long on purpose: the system's totals walk over the three grids, step by step as the system does it.
// NOLINTNEXTLINE(readability-function-size,readability-function-cognitive-complexity)
void ClsCmnCptesServicios::TotalizadorControl(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3,
                                              Grilla& MSFlexGrid4, const Pestanas& SSTab1,
                                              bool AbiertoPorRubro, bool AbiertoPorTipo) {
    const QString rutina = QStringLiteral("TotalizadorControl");
    Grilla& g = MSFlexGrid4;
    const auto pasos = [&](std::initializer_list<Paso> p) { return EjecutaProtegido(rutina, p); };

    // Each row goes into the last row, which is then followed by a new empty one.
    const auto agregaFila = [&](const QString& descripcion, const QString& lineas, const QString& cantidad,
                                int color) {
        return pasos({[&] { g.setTextMatrix(g.Rows() - 1, colTotal::Descripcion, descripcion); },
                      [&] { g.setTextMatrix(g.Rows() - 1, colTotal::Lineas, lineas); },
                      [&] { g.setTextMatrix(g.Rows() - 1, colTotal::Cantidad, cantidad); },
                      [&] { PintarFila(g.Rows() - 1, g, color); }, [&] { g.setRows(g.Rows() + 1); }});
    };

    // Row 1 is emptied too, so that the grid ends with an empty row even when no tab shows.
    if (!pasos({[&] { g.setRows(2); }, [&] { LimpiaFilaGrilla(g, 1, 0); }}))
        return;

    // A tab whose visibility cannot be read counts as hidden.
    bool visible = false;
    if (!pasos({[&] { visible = SSTab1.TabVisible(TabTareas); }}))
        return;
    if (visible) {
        // The time of the tasks: whole minutes of each line, summed and shown as hours and
        // minutes.
        qint32 lineas = 0;
        qint64 minutos = 0;
        for (int fila = 1; MSFlexGrid1 && fila < MSFlexGrid1->Rows(); ++fila) {
            bool llena = false;
            qint32 horas = 0;
            qint32 resto = 0;
            const bool sigue =
                pasos({[&] { llena = LineaLlena(*MSFlexGrid1, fila); },
                       [&] {
                           if (llena)
                               FormateaHoras(HorasAMinutos(MSFlexGrid1->TextMatrix(fila, colTarea::Cantidad),
                                                           QString(), QString(), true),
                                             horas, resto, true);
                       },
                       [&] {
                           if (!llena)
                               return;
                           minutos += qint64(horas) * 60 + resto;
                           ++lineas;
                       }});
            if (!sigue)
                return;
        }
        QString titulo;
        if (!pasos({[&] { titulo = SSTab1.TabCaption(TabTareas); }}))
            return;
        if (!agregaFila(titulo, QString::number(lineas), TextoHoras(minutos), ColorTotales::Resumen))
            return;
    }

    visible = false;
    if (!pasos({[&] { visible = SSTab1.TabVisible(TabArticulos); }}))
        return;
    if (visible) {
        gTablaTotales.assign(1, ElementoTotal{});
        const Desglose desglose = EligeDesglose(AbiertoPorRubro, AbiertoPorTipo);
        qint32 lineas = 0;
        double total = 0;
        for (int fila = 1; MSFlexGrid2 && fila < MSFlexGrid2->Rows(); ++fila) {
            QString clave;
            bool llena = false;
            double cantidad = 0;
            const bool sigue =
                pasos({[&] { clave = RecortaBlancos(MSFlexGrid2->TextMatrix(fila, desglose.columnaClave)); },
                       [&] { llena = LineaLlena(*MSFlexGrid2, fila); },
                       [&] {
                           if (llena)
                               cantidad = UT().TextoADoble(MSFlexGrid2->TextMatrix(fila, col::Cantidad));
                       },
                       [&] {
                           if (!llena)
                               return;
                           // A line without a key goes to element 0.
                           const qint32 i = BuscaEnTabla(clave);
                           if (i < 0) {
                               gTablaTotales.push_back({clave, Regional::TextoNumero(cantidad)});
                           } else {
                               ElementoTotal& e = gTablaTotales[size_t(i)];
                               e.Total = Regional::TextoNumero(cantidad + UT().TextoADoble(e.Total));
                           }
                       },
                       [&] {
                           if (!llena)
                               return;
                           total += cantidad;
                           ++lineas;
                       }});
            if (!sigue)
                return;
        }
        QString titulo;
        if (!pasos({[&] { titulo = SSTab1.TabCaption(TabArticulos); }}))
            return;
        if (!agregaFila(titulo, QString::number(lineas), Regional::TextoNumero(total), ColorTotales::Resumen))
            return;

        if (lineas > 0) {
            // One row per key in the order first met, element 0 (lines without a key) first.
            for (size_t i = 0; i < gTablaTotales.size(); ++i) {
                const ElementoTotal e = gTablaTotales[i];
                QString descripcion = e.Clave;
                if (!desglose.tabla.isEmpty()) {
                    const bool sigue = pasos({[&] {
                        const QString clave = RecortaBlancos(
                            UT().QuitaCaracter(e.Clave, QString(QChar(0xFF)), QString(QChar(0))));
                        descripcion = e.Clave + QLatin1Char('-') + NombreGrupo(desglose, clave);
                    }});
                    if (!sigue)
                        return;
                }
                if (!agregaFila(descripcion, QString(), e.Total, ColorTotales::Grupo))
                    return;
            }
        }
    }

    visible = false;
    if (!pasos({[&] { visible = SSTab1.TabVisible(TabOtrosConceptos); }}))
        return;
    if (visible) {
        qint32 lineas = 0;
        for (int fila = 1; MSFlexGrid3 && fila < MSFlexGrid3->Rows(); ++fila)
            if (!pasos({[&] { lineas += LineaLlena(*MSFlexGrid3, fila) ? 1 : 0; }}))
                return;
        QString titulo;
        if (!pasos({[&] { titulo = SSTab1.TabCaption(TabOtrosConceptos); }}))
            return;
        if (!agregaFila(titulo, QString::number(lineas), QString(), ColorTotales::Resumen))
            return;
    }

    pasos({[&] { PintarFila(g.Rows() - 1, g, ColorTotales::Cierre); }});
}
