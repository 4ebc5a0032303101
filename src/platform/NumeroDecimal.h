#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

// A number read from text, kept exact in decimal: (-1)^negativo × digitos × 10^exponente.
// Internal to the number reading and formatting of Regional and Moneda.
struct NumeroDecimal {
    bool negativo = false;
    std::string digitos; // ASCII digits, no leading zeros ("" for zero)
    std::int64_t exponente = 0;

    // The whole text as a number with the given separators (see Regional::LeeDoble).
    static std::optional<NumeroDecimal> Lee(const QString& texto, QChar decimal, QChar miles);
    // Raise ErrorSistema 6 when the value is beyond the result's range.
    double ADoble() const;
    // The value times 10^4, rounded half to even.
    std::int64_t ADiezmilesimos() const;
};

namespace NumeroTexto {
// Joins sign, integer digits and decimal digits with the regional separators.
QString Compone(bool negativo, const std::string& enteros, const std::string& decimales, bool miles);
[[noreturn]] void Desborde();
} // namespace NumeroTexto
