#include "CantidadesLinea.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"
#include "Regional.h"
#include "Stock.h"
#include "Utilidades.h"

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

double LeeCantidadEscrita(const QString& texto) {
    const std::optional<double> valor = Regional::LeeDoble(texto);
    if (!valor)
        throw ErrorSistema(13, QStringLiteral("Type mismatch"), QStringLiteral("CampoValida"));
    return *valor;
}

double NumeroCelda(const Grilla& g, int fila, int col) {
    return UT().TextoADoble(g.TextMatrix(fila, col));
}
