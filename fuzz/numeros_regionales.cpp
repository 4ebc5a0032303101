// Regional numbers. The first byte picks the separators; the rest is read as a typed number
// (reading, currency reading and the leading-number reading agree, and the only error is the
// documented overflow, 6). When the input holds eight more bytes, they are a double that the
// formatters write and that must read back: the plain text to its 15 significant digits, the
// fixed format to its decimals.
#include "Comun.h"
#include "ErrorSistema.h"
#include "Regional.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

struct Separadores {
    char16_t decimal;
    char16_t miles;
};
constexpr Separadores kSeparadores[] = {{u',', u'.'}, {u'.', u','}, {u',', u' '}, {u'.', u'\''}};

template <typename F> auto SinDesborde(F f, const char* que) -> std::optional<decltype(f())> {
    try {
        return f();
    } catch (const ErrorSistema& e) {
        if (e.Numero() != 6)
            Falla(que, QString::number(e.Numero()) + u' ' + e.Descripcion());
        return std::nullopt;
    }
}

void Relee(const QString& texto, double esperado, double tolerancia, const char* que) {
    const auto leido = SinDesborde([&] { return Regional::LeeDoble(texto); }, que);
    if (!leido || !*leido)
        Falla(que, texto);
    if (!(std::fabs(**leido - esperado) <= tolerancia))
        Falla(que, texto + QStringLiteral(" -> ") + QString::number(**leido, 'g', 17) +
                       QStringLiteral(" / ") + QString::number(esperado, 'g', 17));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo == 0)
        return 0;
    const Separadores s = kSeparadores[datos[0] % std::size(kSeparadores)];
    const Regional::Fijo fijo(QChar(s.decimal), QChar(s.miles), 2);

    const QString texto = TextoUtf8(datos + 1, largo - 1);
    const auto doble =
        SinDesborde([&] { return Regional::LeeDoble(texto); }, "LeeDoble da un error que no es 6");
    const bool esNumero = Regional::EsNumero(texto);
    if (doble && doble->has_value() != esNumero)
        Falla("EsNumero no coincide con LeeDoble", texto);
    if (!doble && esNumero)
        Falla("EsNumero acepta un número que desborda", texto);
    const auto moneda =
        SinDesborde([&] { return Regional::LeeMoneda(texto); }, "LeeMoneda da un error que no es 6");
    if (moneda && moneda->has_value() && !(doble && doble->has_value()))
        Falla("LeeMoneda lee lo que LeeDoble no", texto);
    if (doble && doble->has_value() && !std::isfinite(**doble))
        Falla("LeeDoble da un valor no finito", texto);
    SinDesborde([&] { return ValNumero(texto); }, "ValNumero da un error que no es 6");

    if (largo < 10)
        return 0;
    double v;
    std::memcpy(&v, datos + 1, sizeof v);
    if (!std::isfinite(v))
        return 0;
    // Plain text: 15 significant digits.
    // (Below the normal range a double's last digit weighs more than the 15 digits' rounding.)
    constexpr double minimo = std::numeric_limits<double>::denorm_min();
    Relee(Regional::TextoNumero(v), v, std::fabs(v) * 1e-14 + 2 * minimo, "TextoNumero no se relee");
    // Fixed decimals, grouped or not.
    const int decimales = datos[9] % 8;
    const bool miles = datos[9] & 0x80;
    const double paso = std::pow(10.0, -decimales);
    Relee(Regional::FormatoNumero(v, decimales, miles), v, paso * 0.5000001 + std::fabs(v) * 1e-14,
          "FormatoNumero no se relee");
    return 0;
}
