#pragma once

#include <QString>

// The statements of the vouchers made from a voucher (its derived vouchers in V_MV_CPTE).

// A voucher's complement as the number the statements compare: trimmed, an empty one reads 0;
// a text that is no whole number raises ErrorSistema 13 and never reaches the statement.
QString ComplementoNumerico(const QString& complemento);

// The derived vouchers of TC (trimmed, filled to 4) and SucNroLetra (trimmed) with that
// complement; the cancelled ones only when `conAnulados`.
QString SentenciaCptesRelacionados(const QString& TC, const QString& SucNroLetra, const QString& Complemento,
                                   bool conAnulados);
// The live derived vouchers of any complement.
QString SentenciaCptesAsociados(const QString& TC, const QString& SucNroLetra);
