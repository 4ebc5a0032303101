#pragma once

#include <QString>

// The suite's programs whose conversion of an origin voucher follows rules of their own, by
// executable name (without extension, compared without regard to case).
namespace ProgramasConversion {
// The delivery-only sales program: the equivalent quantity copies the quantity, the applied
// quantity of a delivery note for an invoice comes from the applications, and a repeated article
// of the header's delivery run is kept.
inline const QString SoloRemitos = QStringLiteral("Remitos");
// The program that loads each article once: a repeated article is skipped and the quantities
// are the pending ones.
inline const QString ArticuloUnico = QStringLiteral("RemitosPorArticulo");
// The order-to-invoice sales variant: an order's article with a zero VAT rate keeps it.
inline const QString PedidoAFactura = QStringLiteral("PedidosAFacturar");
} // namespace ProgramasConversion

// The name the conversion compares with those: the running program's, unless tests set another
// (an empty name goes back to the running program's).
QString ProgramaConversion();
void EstableceProgramaConversion(const QString& nombre);
