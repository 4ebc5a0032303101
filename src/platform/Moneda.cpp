#include "Moneda.h"

#include "ErrorSistema.h"
#include "NumeroDecimal.h"
#include "Regional.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr std::int64_t Potencia10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) {
        p *= 10;
    }
    return p;
}

// numerador / divisor rounded to the nearest whole number, halves to the even one.
__int128 DivideMitadPar(__int128 numerador, __int128 divisor) {
    __int128 q = numerador / divisor;
    __int128 r = numerador % divisor;
    if (r != 0) {
        const bool negativo = (numerador < 0) != (divisor < 0);
        const __int128 absR = r < 0 ? -r : r;
        const __int128 absD = divisor < 0 ? -divisor : divisor;
        if (2 * absR > absD || (2 * absR == absD && q % 2 != 0)) {
            q += negativo ? -1 : 1;
        }
    }
    return q;
}

std::int64_t EnRango(__int128 v) {
    if (v > INT64_MAX || v < INT64_MIN) {
        NumeroTexto::Desborde();
    }
    return static_cast<std::int64_t>(v);
}

// Integer and four-digit fraction of the magnitude.
void Partes(std::int64_t valor, std::string& enteros, std::string& fraccion) {
    const unsigned __int128 m = valor < 0 ? static_cast<unsigned __int128>(-static_cast<__int128>(valor))
                                          : static_cast<unsigned __int128>(valor);
    enteros = std::to_string(static_cast<unsigned long long>(m / Moneda::Escala));
    fraccion = std::to_string(static_cast<unsigned long long>(m % Moneda::Escala));
    fraccion.insert(0, 4 - fraccion.size(), '0');
}

} // namespace

Moneda Moneda::DeEntero(std::int64_t entero) {
    return DeCrudo(EnRango(static_cast<__int128>(entero) * Escala));
}

Moneda Moneda::DeDoble(double valor) {
    if (!std::isfinite(valor)) {
        NumeroTexto::Desborde();
    }
    const double y = valor * Escala;
    if (y >= 9223372036854775808.0 || y < -9223372036854775808.0) {
        NumeroTexto::Desborde();
    }
    const double f = std::floor(y);
    const double resto = y - f;
    double r = f;
    if (resto > 0.5 || (resto == 0.5 && std::fmod(f, 2.0) != 0)) {
        r = f + 1;
    }
    if (r >= 9223372036854775808.0) {
        NumeroTexto::Desborde();
    }
    return DeCrudo(static_cast<std::int64_t>(r));
}

std::int64_t Moneda::AEntero() const {
    return static_cast<std::int64_t>(DivideMitadPar(valor_, Escala));
}

Moneda Moneda::Redondea(int decimales) const {
    const std::int64_t p = Potencia10(4 - std::clamp(decimales, 0, 4));
    return DeCrudo(EnRango(DivideMitadPar(valor_, p) * p));
}

QString Moneda::Texto() const {
    // Written by the thousand in a conversion: the characters go straight into one buffer.
    const bool negativo = valor_ < 0;
    const unsigned __int128 m = negativo ? static_cast<unsigned __int128>(-static_cast<__int128>(valor_))
                                         : static_cast<unsigned __int128>(valor_);
    char enteros[24];
    const auto fin =
        std::to_chars(enteros, enteros + sizeof enteros, static_cast<unsigned long long>(m / Escala));
    auto fraccion = static_cast<unsigned>(m % Escala);
    char decimales[4];
    int n = 4;
    for (int i = 3; i >= 0; --i, fraccion /= 10)
        decimales[i] = static_cast<char>('0' + fraccion % 10);
    while (n > 0 && decimales[n - 1] == '0')
        --n;
    char16_t texto[32];
    int largo = 0;
    if (negativo)
        texto[largo++] = u'-';
    for (const char* c = enteros; c < fin.ptr; ++c)
        texto[largo++] = static_cast<char16_t>(*c);
    if (n > 0) {
        texto[largo++] = Regional::SeparadorDecimal().unicode();
        for (int i = 0; i < n; ++i)
            texto[largo++] = static_cast<char16_t>(decimales[i]);
    }
    return QString(reinterpret_cast<const QChar*>(texto), largo);
}

QString Moneda::Formato(int decimales, bool miles) const {
    decimales = std::max(decimales, 0);
    std::string enteros, fraccion;
    Partes(Redondea(decimales).valor_, enteros, fraccion);
    fraccion.resize(static_cast<size_t>(decimales), '0');
    return NumeroTexto::Compone(valor_ < 0, enteros, fraccion, miles);
}

Moneda Moneda::operator-() const {
    return DeCrudo(EnRango(-static_cast<__int128>(valor_)));
}

Moneda& Moneda::operator+=(Moneda otra) {
    valor_ = EnRango(static_cast<__int128>(valor_) + otra.valor_);
    return *this;
}

Moneda& Moneda::operator-=(Moneda otra) {
    valor_ = EnRango(static_cast<__int128>(valor_) - otra.valor_);
    return *this;
}

Moneda& Moneda::operator*=(Moneda otra) {
    valor_ = EnRango(DivideMitadPar(static_cast<__int128>(valor_) * otra.valor_, Escala));
    return *this;
}

Moneda& Moneda::operator/=(Moneda otra) {
    if (otra.valor_ == 0) {
        throw ErrorSistema(11, QStringLiteral("División por cero"));
    }
    valor_ = EnRango(DivideMitadPar(static_cast<__int128>(valor_) * Escala, otra.valor_));
    return *this;
}
