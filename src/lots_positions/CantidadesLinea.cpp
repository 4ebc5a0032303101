#include "CantidadesLinea.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"
#include "Regional.h"
#include "Stock.h"

#include <algorithm>
#include <vector>

double EnUnidadLinea(const QString& articulo, const QString& origen, double cantidad,
                     const QString& destino) {
    QString desde = origen;
    if (desde.trimmed().isEmpty()) {
        try {
            desde = ObtieneUnidadArticulo(articulo);
        } catch (const ErrorSistema&) {
            return cantidad; // no article, no equivalence
        }
    }
    // The inverse conversion takes a quantity in its last unit and gives it in its second.
    return ConvierteCantidadInversa(articulo, destino, cantidad, desde);
}

QString LiteralSql(const QString& texto) {
    return AD().FormateaValorSQL(QVariant(texto), QStringLiteral("'"));
}

double Redondea4(double valor) {
    return RedondeoBanquero(valor, 4);
}

void AjustaAnchoColumnas(Grilla& grilla, const std::function<int(int)>& anchoLetras) {
    std::vector<qsizetype> largos(size_t(grilla.Cols()), 0);
    for (int f = 0; f < grilla.Rows(); ++f)
        for (int c = 0; c < grilla.Cols(); ++c)
            largos[size_t(c)] = std::max(largos[size_t(c)], grilla.TextMatrix(f, c).size());
    for (int c = 0; c < grilla.Cols(); ++c)
        if (largos[size_t(c)] > 0)
            grilla.setColWidth(c, anchoLetras(int(largos[size_t(c)])));
}
