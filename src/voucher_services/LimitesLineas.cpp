// The line limit of a printed voucher and the counts of a voucher's lines.

#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Registros.h"
#include "StockInterno.h"
#include "Utilidades.h"

#include <algorithm>
#include <limits>

using stock_interno::SqlLineasComprobante;

namespace {

// Column 0 holds the code of a line in every voucher grid (task, article or other concept).
constexpr int ColumnaCodigo = col::CodigoArticulo;

// A line counts when its column 0, trimmed, holds something; row 0 holds the titles.
bool LineaLlena(const Grilla& grilla, int fila) {
    return !grilla.TextMatrix(fila, ColumnaCodigo).trimmed().isEmpty();
}

qint16 EnteroCorto(qint64 valor) {
    if (valor < std::numeric_limits<qint16>::min() || valor > std::numeric_limits<qint16>::max())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"));
    return static_cast<qint16>(valor);
}

} // namespace

bool ClsCmnCptesServicios::ValidaCantidadLineasCpte(const QString& TC, const QString& letra,
                                                    Grilla* MSFlexGrid1, Grilla* MSFlexGrid2,
                                                    Grilla* MSFlexGrid3, qint16* CantLineas,
                                                    qint16* CantLineasUsadas, qint32 Agragarle,
                                                    qint16 LineasAnteriores) {
    qint16 limite = CantLineas ? *CantLineas : qint16{0};
    const auto devuelveLimite = [&] {
        if (CantLineas)
            *CantLineas = limite;
    };
    if (esElectronica) {
        limite = 0;
        devuelveLimite();
        return true;
    }

    const QString rutina = QStringLiteral("ValidaCantidadLineasCpte");
    bool resultado = false;
    Registros rs;
    // The caller that already asked passes -1 and its limit back, saving the query.
    if (LineasAnteriores != -1) {
        const bool sigue = EjecutaProtegido(
            rutina, {[&] { AD().ObtieneRecordset(SqlLineasComprobante(TC, letra), rs); },
                     [&] {
                         limite = rs.Eof() ? qint16(0)
                                           : EnteroCorto(UT().TextoAMoneda(UT().ValorCampo(rs.Fields(
                                                                               QStringLiteral("CantLineas"))))
                                                             .AEntero());
                         devuelveLimite();
                     },
                     [&] { AD().CierraRecordset(rs); }});
        if (!sigue)
            return resultado;
    }
    if (limite == 0) {
        devuelveLimite();
        return true;
    }

    // Counted in 32 bits: a grid may hold more lines than a 16-bit count.
    qint32 usadas = 0;
    for (Grilla* grilla : {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3}) {
        if (!grilla)
            continue;
        for (int fila = 1; fila < grilla->Rows(); ++fila) {
            if (LineaLlena(*grilla, fila))
                ++usadas;
        }
    }
    if (CantLineasUsadas)
        *CantLineasUsadas = static_cast<qint16>(std::min<qint32>(usadas, std::numeric_limits<qint16>::max()));
    return qint64(limite) >= qint64(usadas) + qint64(Agragarle);
}

qint32 ClsCmnCptesServicios::CuentaItems(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3,
                                         qint32* CantTareas, qint32* CantArticulos,
                                         qint32* CantOtrosConceptos, double* TotUnidades) {
    qint32 tareas = 0;
    qint32 articulos = 0;
    qint32 otros = 0;
    double total = 0;
    // The out values are written as they change, so that a method left halfway shows what it had.
    const auto publica = [&] {
        if (CantTareas)
            *CantTareas = tareas;
        if (CantArticulos)
            *CantArticulos = articulos;
        if (CantOtrosConceptos)
            *CantOtrosConceptos = otros;
        if (TotUnidades)
            *TotUnidades = total;
    };
    publica();
    const QString rutina = QStringLiteral("CuentaItems&");

    const auto cuenta = [&](Grilla* grilla, qint32& contador) {
        if (!grilla)
            return;
        for (int fila = 1; fila < grilla->Rows(); ++fila) {
            if (LineaLlena(*grilla, fila))
                ++contador;
        }
        publica();
    };
    cuenta(MSFlexGrid1, tareas);
    if (MSFlexGrid2) {
        for (int fila = 1; fila < MSFlexGrid2->Rows(); ++fila) {
            if (!LineaLlena(*MSFlexGrid2, fila))
                continue;
            ++articulos;
            // Summed in currency: four decimals, so that totals read the same everywhere.
            const bool sigue =
                EjecutaProtegido(rutina, {[&] {
                                     const Moneda cantidad = UT().TextoAMoneda(UT().QuitaCaracter(
                                         MSFlexGrid2->TextMatrix(fila, col::Cantidad), QStringLiteral(" ")));
                                     total = (Moneda::DeDoble(total) + cantidad).ADoble();
                                 }});
            publica();
            if (!sigue)
                return 0;
        }
    }
    cuenta(MSFlexGrid3, otros);
    publica();
    return tareas + articulos + otros;
}
