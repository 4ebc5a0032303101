#pragma once

// Helpers and SQL texts of the stock, unit and line-limit queries (internal to the voucher
// libraries, not part of their public interface; the tests assert the texts).

#include "ErrorSistema.h"

#include <QString>
#include <initializer_list>

namespace stock_interno {

// Runs a routine's statements with the central error handler: Retry runs the failing one again,
// Ignore goes on with the next, any other answer leaves (false).
bool Protegido(const QString& rutina, std::initializer_list<Paso> pasos);

// A text as a quoted SQL literal, its apostrophes doubled.
QString Literal(const QString& texto);

// "Ignorar" (any case): the dimension does not restrict the balance.
bool EsIgnorar(const QString& valor);

// The balance by unit: one deposit, every deposit (blank deposit), or the unit count of a
// weighed article when `usaUdKg`.
QString SqlControlStock(const QString& deposito, const QString& articulo, const QString& unidad,
                        bool usaUdKg);
QString SqlUnidadArticulo(const QString& articulo);
// The equivalence row from unit `desde` to unit `hacia`.
QString SqlEquivalencia(const QString& articulo, const QString& desde, const QString& hacia);
QString SqlBanderasArticulo(const QString& articulo);
// The sum of STK_SERIES_Y_LOTES for every dimension that is neither "Ignorar" nor blank.
QString SqlStockSeriesLotes(const QString& articulo, const QString& deposito, const QString& lote,
                            const QString& serie, const QString& posicion, bool usaSerie, bool usaLote);
QString SqlStockLote(const QString& articulo, const QString& deposito, const QString& lote);
QString SqlLineasComprobante(const QString& TC, const QString& letra);

} // namespace stock_interno

namespace stock_interno {
// The lots with stock of an article in a deposit (an SQL literal, put in as it stands).
QString SqlLotesConStock(const QString& articulo, const QString& deposito);
QString SqlInsumos(const QString& articulo);
} // namespace stock_interno
