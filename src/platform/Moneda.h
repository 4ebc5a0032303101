#pragma once

#include <QString>
#include <compare>
#include <cstdint>

// The suite's currency: fixed point with four decimals, a signed 64-bit count of
// ten-thousandths. Results that leave the range raise ErrorSistema 6 ("Desbordamiento");
// a division by zero raises ErrorSistema 11.
class Moneda {
public:
    static constexpr std::int64_t Escala = 10000;

    constexpr Moneda() = default;
    // From the raw count of ten-thousandths.
    static constexpr Moneda DeCrudo(std::int64_t diezmilesimos) {
        Moneda m;
        m.valor_ = diezmilesimos;
        return m;
    }
    static Moneda DeEntero(std::int64_t entero);
    // Rounded to four decimals, halves to the even digit (as the suite's conversion to
    // currency does); NaN, infinities and out-of-range values raise.
    static Moneda DeDoble(double valor);

    constexpr std::int64_t Crudo() const { return valor_; }
    constexpr bool EsCero() const { return valor_ == 0; }
    double ADoble() const { return static_cast<double>(valor_) / Escala; }
    // Nearest whole number, halves to the even one.
    std::int64_t AEntero() const;
    // Rounded to 0..4 decimals, halves to the even digit.
    Moneda Redondea(int decimales) const;

    // Plain text in the regional format: regional decimal separator, no grouping, no
    // trailing zeros ("1234,5", "-0,25", "0").
    QString Texto() const;
    // Fixed number of decimals (rounded half to even; more than four are padded with
    // zeros), grouped by the regional thousands separator when `miles` is true; no decimal
    // separator when `decimales` is 0. Negative decimals count as 0.
    QString Formato(int decimales, bool miles) const;

    Moneda operator-() const;
    Moneda& operator+=(Moneda otra);
    Moneda& operator-=(Moneda otra);
    Moneda& operator*=(Moneda otra); // product rounded to four decimals, half to even
    Moneda& operator/=(Moneda otra); // quotient rounded to four decimals, half to even

    friend Moneda operator+(Moneda a, Moneda b) { return a += b; }
    friend Moneda operator-(Moneda a, Moneda b) { return a -= b; }
    friend Moneda operator*(Moneda a, Moneda b) { return a *= b; }
    friend Moneda operator/(Moneda a, Moneda b) { return a /= b; }
    friend constexpr auto operator<=>(Moneda a, Moneda b) = default;
    friend constexpr bool operator==(Moneda a, Moneda b) = default;

private:
    std::int64_t valor_ = 0;
};
