#include "Regional.h"

#include "ErrorSistema.h"
#include "Moneda.h"
#include "NumeroDecimal.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <system_error>
#include <vector>

namespace {

struct Ajustes {
    QChar decimal;
    QChar miles;
    int decimalesMoneda;
};

std::optional<Ajustes> fijados;
std::optional<Ajustes> delEntorno;

QString TextoLocal(const char* texto, bool utf8) {
    if (!texto) {
        return {};
    }
    return utf8 ? QString::fromUtf8(texto) : QString::fromLatin1(texto);
}

Ajustes LeeEntorno() {
    locale_t loc = newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, "", locale_t(nullptr));
    if (!loc) {
        loc = newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, "C", locale_t(nullptr));
    }
    Ajustes a{QLatin1Char('.'), QChar(), 2};
    if (loc) {
        const bool utf8 = QByteArray(nl_langinfo_l(CODESET, loc)).toUpper().replace("-", "") == "UTF8";
        const QString dec = TextoLocal(nl_langinfo_l(RADIXCHAR, loc), utf8);
        const QString mil = TextoLocal(nl_langinfo_l(THOUSEP, loc), utf8);
        if (!dec.isEmpty()) {
            a.decimal = dec.at(0);
        }
        if (!mil.isEmpty()) {
            a.miles = mil.at(0);
        }
        const char* frac = nl_langinfo_l(FRAC_DIGITS, loc);
        // CHAR_MAX (and, where char is signed, a negative value) means "not given".
        if (frac && static_cast<unsigned char>(*frac) < CHAR_MAX) {
            a.decimalesMoneda = static_cast<unsigned char>(*frac);
        }
        freelocale(loc);
    }
    // Amounts are always grouped somehow; a locale without a thousands separator takes the
    // one that cannot be mistaken for its decimal point.
    if (a.miles.isNull() || a.miles == a.decimal) {
        a.miles = a.decimal == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    }
    return a;
}

const Ajustes& Actuales() {
    if (fijados) {
        return *fijados;
    }
    if (!delEntorno) {
        delEntorno = LeeEntorno();
    }
    return *delEntorno;
}

bool EsDigito(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::string SinCerosIniciales(const std::string& s) {
    const auto p = s.find_first_not_of('0');
    return p == std::string::npos ? std::string() : s.substr(p);
}

double RedondeaMitadPar(double y) {
    const double f = std::floor(y);
    const double resto = y - f;
    if (resto > 0.5) {
        return f + 1;
    }
    if (resto < 0.5) {
        return f;
    }
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

} // namespace

namespace Regional {

QChar SeparadorDecimal() {
    return Actuales().decimal;
}
QChar SeparadorMiles() {
    return Actuales().miles;
}
int DecimalesMoneda() {
    return Actuales().decimalesMoneda;
}

void Establece(QChar decimal, QChar miles, int decimalesMoneda) {
    fijados = Ajustes{decimal, miles, decimalesMoneda};
}

void Restablece() {
    fijados.reset();
    delEntorno.reset();
}

Fijo::Fijo(QChar decimal, QChar miles, int decimalesMoneda)
    : habiaFijados_(fijados.has_value()), decimal_(SeparadorDecimal()), miles_(SeparadorMiles()),
      decimalesMoneda_(DecimalesMoneda()) {
    Establece(decimal, miles, decimalesMoneda);
}

Fijo::~Fijo() {
    if (habiaFijados_) {
        Establece(decimal_, miles_, decimalesMoneda_);
    } else {
        Restablece();
    }
}

namespace {

constexpr double kPotenciasDiez[] = {1,   1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                     1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};

// The plain form most numbers take: an optional minus, digits, and the decimal separator followed
// by digits; at most 15 digits in all and `maxDecimales` after the separator. Its digits as one
// whole number and the count of decimals; anything else is left to NumeroDecimal::Lee, which
// reads this form to the same value.
bool LeeSimple(const QString& t, int maxDecimales, bool& negativo, std::uint64_t& entero, int& decimales) {
    const qsizetype n = t.size();
    negativo = n > 0 && t[0] == QLatin1Char('-');
    const char16_t separador = SeparadorDecimal().unicode();
    entero = 0;
    decimales = 0;
    int cifras = 0;
    bool enDecimales = false;
    for (qsizetype i = negativo ? 1 : 0; i < n; ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (++cifras > 15 || (enDecimales && ++decimales > maxDecimales))
                return false;
            entero = entero * 10 + (c - u'0');
        } else if (c == separador && !enDecimales && cifras > 0 && i + 1 < n) {
            enDecimales = true;
        } else {
            return false;
        }
    }
    return cifras > 0;
}

} // namespace

std::optional<double> LeeDoble(const QString& texto) {
    // Numbers are read by the thousand in a conversion: the plain form without its detour. A
    // whole number of at most 15 digits over a power of ten that a double holds exactly is
    // rounded once, as the full reading rounds it.
    bool negativo = false;
    std::uint64_t entero = 0;
    int decimales = 0;
    if (LeeSimple(texto, 15, negativo, entero, decimales)) {
        if (entero == 0)
            return 0.0;
        const double v = static_cast<double>(entero) / kPotenciasDiez[decimales];
        return negativo ? -v : v;
    }
    const auto n = NumeroDecimal::Lee(texto, SeparadorDecimal(), SeparadorMiles());
    if (!n) {
        return std::nullopt;
    }
    return n->ADoble();
}

bool EsNumero(const QString& texto) {
    try {
        return LeeDoble(texto).has_value();
    } catch (const ErrorSistema&) {
        return false;
    }
}

std::optional<Moneda> LeeMoneda(const QString& texto) {
    bool negativo = false;
    std::uint64_t entero = 0;
    int decimales = 0;
    if (LeeSimple(texto, 4, negativo, entero, decimales) &&
        entero / static_cast<std::uint64_t>(kPotenciasDiez[decimales]) < 100'000'000'000'000ULL) {
        const auto crudo =
            static_cast<std::int64_t>(entero * static_cast<std::uint64_t>(kPotenciasDiez[4 - decimales]));
        return Moneda::DeCrudo(negativo ? -crudo : crudo);
    }
    const auto n = NumeroDecimal::Lee(texto, SeparadorDecimal(), SeparadorMiles());
    if (!n) {
        return std::nullopt;
    }
    return Moneda::DeCrudo(n->ADiezmilesimos());
}

namespace {

QString EscribeNumero(double valor, int cifras);

} // namespace

QString TextoNumero(double valor, int cifras) {
    if (!std::isfinite(valor)) {
        return QString::number(valor);
    }
    if (valor == 0) {
        return QStringLiteral("0");
    }
    cifras = std::clamp(cifras, 1, 17);
    // Amounts and quantities repeat from line to line of a voucher: the texts of the last ones
    // are kept, by value, digits and decimal separator.
    struct Escrito {
        std::uint64_t bits = 0;
        int cifras = 0;
        char16_t separador = 0;
        QString texto;
    };
    thread_local std::array<Escrito, 64> escritos;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &valor, sizeof bits);
    const char16_t separador = SeparadorDecimal().unicode();
    Escrito& e = escritos[((bits * 0x9E3779B97F4A7C15ULL) >> 58) & 63];
    if (e.bits != bits || e.cifras != cifras || e.separador != separador || e.texto.isNull())
        e = {bits, cifras, separador, EscribeNumero(valor, cifras)};
    return e.texto;
}

namespace {

QString EscribeNumero(double valor, int cifras) {
    // A whole number that the digits asked for hold is its own text.
    if (std::fabs(valor) < std::min(1e15, kPotenciasDiez[cifras]) && valor == std::trunc(valor)) {
        char digitos[24];
        const auto fin = std::to_chars(digitos, digitos + sizeof digitos, static_cast<std::int64_t>(valor));
        return QLatin1String(digitos, fin.ptr);
    }
    // The nearest double to a number of at most four decimals (most amounts and quantities) has
    // that number as its 15 significant digits: its text is the amount's.
    if (cifras == 15 && std::fabs(valor) < 1e11) {
        const double diezmilesimos = std::nearbyint(valor * 1e4);
        if (diezmilesimos / 1e4 == valor)
            return Moneda::DeCrudo(static_cast<std::int64_t>(diezmilesimos)).Texto();
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::scientific, cifras - 1);
    // Next to the largest double, the rounded digits would name a number beyond it: all the digits
    // are written instead, so that the text always reads back.
    double leido = 0;
    if (std::fabs(valor) > 1e308 && std::from_chars(buf, r.ptr, leido).ec == std::errc::result_out_of_range)
        r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::scientific, 16);
    // The digits of the mantissa (the first is never 0) and the exponent, without a copy: numbers
    // are written by the thousand in a conversion.
    const bool negativo = buf[0] == '-';
    const char* p = buf + (negativo ? 1 : 0);
    char mantisa[24];
    int digitos = 0;
    for (; p < r.ptr && *p != 'e'; ++p)
        if (*p != '.')
            mantisa[digitos++] = *p;
    int exponente = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponente);
    while (digitos > 1 && mantisa[digitos - 1] == '0')
        --digitos;
    // Digits before the decimal point.
    const int antes = exponente + 1;
    // At most 17 digits, and the zeros of an exponent within the range of a double.
    std::vector<char16_t> t;
    t.reserve(static_cast<size_t>(digitos) + static_cast<size_t>(std::abs(antes)) + 3);
    if (negativo)
        t.push_back(u'-');
    const auto digito = [&](int i) { t.push_back(static_cast<char16_t>(mantisa[i])); };
    if (antes <= 0) {
        t.push_back(u'0');
        t.push_back(SeparadorDecimal().unicode());
        t.insert(t.end(), static_cast<size_t>(-antes), u'0');
        for (int i = 0; i < digitos; ++i)
            digito(i);
    } else if (antes >= digitos) {
        for (int i = 0; i < digitos; ++i)
            digito(i);
        t.insert(t.end(), static_cast<size_t>(antes - digitos), u'0');
    } else {
        for (int i = 0; i < antes; ++i)
            digito(i);
        t.push_back(SeparadorDecimal().unicode());
        for (int i = antes; i < digitos; ++i)
            digito(i);
    }
    return QString(reinterpret_cast<const QChar*>(t.data()), static_cast<qsizetype>(t.size()));
}

} // namespace

QString FormatoNumero(double valor, int decimales, bool miles) {
    if (!std::isfinite(valor)) {
        return QString::number(valor);
    }
    decimales = std::clamp(decimales, 0, 30);
    std::string s(400, '\0');
    const auto r = std::to_chars(s.data(), s.data() + s.size(), valor, std::chars_format::fixed, decimales);
    s.resize(static_cast<size_t>(r.ptr - s.data()));
    const bool negativo = s.front() == '-';
    if (negativo) {
        s.erase(0, 1);
    }
    const auto punto = s.find('.');
    const std::string enteros = s.substr(0, punto);
    const std::string fraccion = punto == std::string::npos ? std::string() : s.substr(punto + 1);
    return NumeroTexto::Compone(negativo, enteros, fraccion, miles);
}

} // namespace Regional

namespace NumeroTexto {

QString Compone(bool negativo, const std::string& enteros, const std::string& decimales, bool miles) {
    // A literal assigned to the string here trips GCC 12's bogus -Wrestrict at -O3.
    std::string e = SinCerosIniciales(enteros);
    if (e.empty()) {
        e.push_back('0');
    }
    const bool cero = e == "0" && decimales.find_first_not_of('0') == std::string::npos;
    QString t;
    if (negativo && !cero) {
        t += QLatin1Char('-');
    }
    const QChar sep = Regional::SeparadorMiles();
    for (size_t i = 0; i < e.size(); ++i) {
        if (miles && i > 0 && (e.size() - i) % 3 == 0) {
            t += sep;
        }
        t += QLatin1Char(e[i]);
    }
    if (!decimales.empty()) {
        t += Regional::SeparadorDecimal();
        t += QString::fromLatin1(decimales.data(), static_cast<qsizetype>(decimales.size()));
    }
    return t;
}

void Desborde() {
    throw ErrorSistema(6, QStringLiteral("Desbordamiento"));
}

} // namespace NumeroTexto

// Long on purpose: a one-pass reader of a regional number (sign, groups, decimals).
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
std::optional<NumeroDecimal> NumeroDecimal::Lee(const QString& texto, QChar decimal, QChar miles) {
    const QString t = texto.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    NumeroDecimal r;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        r.negativo = t[i] == QLatin1Char('-');
        ++i;
    }
    const bool agrupa = !miles.isNull() && miles != decimal;
    std::string digitos;
    int grupo = 0;
    bool hayGrupos = false;
    while (i < n) {
        if (EsDigito(t[i])) {
            digitos += static_cast<char>(t[i].unicode());
            ++grupo;
            ++i;
        } else if (agrupa && t[i] == miles) {
            // Groups of three after a first group of one to three digits.
            if (grupo == 0 || (hayGrupos ? grupo != 3 : grupo > 3)) {
                return std::nullopt;
            }
            hayGrupos = true;
            grupo = 0;
            ++i;
        } else {
            break;
        }
    }
    if (hayGrupos && grupo != 3) {
        return std::nullopt;
    }
    std::int64_t decimalesLeidos = 0;
    if (i < n && t[i] == decimal) {
        ++i;
        while (i < n && EsDigito(t[i])) {
            digitos += static_cast<char>(t[i].unicode());
            ++decimalesLeidos;
            ++i;
        }
    }
    if (digitos.empty()) {
        return std::nullopt;
    }
    std::int64_t exponente = 0;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        bool negativoExp = false;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
            negativoExp = t[i] == QLatin1Char('-');
            ++i;
        }
        if (i >= n || !EsDigito(t[i])) {
            return std::nullopt;
        }
        while (i < n && EsDigito(t[i])) {
            exponente = std::min<std::int64_t>(exponente * 10 + (t[i].unicode() - '0'), 1'000'000);
            ++i;
        }
        if (negativoExp) {
            exponente = -exponente;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    // Trailing zeros move into the exponent, leading ones go.
    r.digitos = SinCerosIniciales(digitos);
    r.exponente = exponente - decimalesLeidos;
    while (!r.digitos.empty() && r.digitos.back() == '0') {
        r.digitos.pop_back();
        ++r.exponente;
    }
    return r;
}

double NumeroDecimal::ADoble() const {
    if (digitos.empty()) {
        return 0;
    }
    const std::string s = (negativo ? "-" : "") + digitos + "e" + std::to_string(exponente);
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small reads as zero; too large overflows.
        if (static_cast<std::int64_t>(digitos.size()) + exponente > 0) {
            NumeroTexto::Desborde();
        }
        return 0;
    }
    return v;
}

std::int64_t NumeroDecimal::ADiezmilesimos() const {
    if (digitos.empty()) {
        return 0;
    }
    const std::int64_t escala = exponente + 4;
    // Digits that stay in the integer count; the rest decide the rounding.
    const std::int64_t largo = static_cast<std::int64_t>(digitos.size()) + escala;
    if (largo > 19) {
        NumeroTexto::Desborde();
    }
    unsigned __int128 m = 0;
    const std::int64_t tomados =
        std::clamp<std::int64_t>(largo, 0, static_cast<std::int64_t>(digitos.size()));
    for (std::int64_t k = 0; k < tomados; ++k) {
        m = m * 10 + static_cast<unsigned>(digitos[static_cast<size_t>(k)] - '0');
    }
    for (std::int64_t k = static_cast<std::int64_t>(digitos.size()); k < largo; ++k) {
        m *= 10;
    }
    if (tomados < static_cast<std::int64_t>(digitos.size()) && largo >= 0) {
        const char primero = digitos[static_cast<size_t>(tomados)];
        const bool masAlla = tomados + 1 < static_cast<std::int64_t>(digitos.size()); // digits end non-zero
        if (primero > '5' || (primero == '5' && (masAlla || m % 2 == 1))) {
            ++m;
        }
    }
    const unsigned __int128 limite = static_cast<unsigned __int128>(INT64_MAX) + (negativo ? 1 : 0);
    if (m > limite) {
        NumeroTexto::Desborde();
    }
    return negativo ? static_cast<std::int64_t>(-static_cast<__int128>(m)) : static_cast<std::int64_t>(m);
}

double ValNumero(const QString& texto) {
    std::string s;
    bool punto = false, enMantisa = true, hayDigito = false;
    std::string exponente;
    for (QChar c : texto) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            continue;
        }
        if (enMantisa) {
            if (s.empty() && (c == QLatin1Char('+') || c == QLatin1Char('-'))) {
                s += static_cast<char>(c.unicode());
            } else if (EsDigito(c)) {
                hayDigito = true;
                s += static_cast<char>(c.unicode());
            } else if (c == QLatin1Char('.') && !punto) {
                punto = true;
                s += '.';
            } else if (hayDigito && QStringLiteral("eEdD").contains(c)) {
                enMantisa = false;
                exponente.assign(1, 'e');
            } else {
                break;
            }
        } else {
            if ((exponente == "e" && (c == QLatin1Char('+') || c == QLatin1Char('-'))) || EsDigito(c)) {
                exponente += static_cast<char>(c.unicode());
            } else {
                break;
            }
        }
    }
    if (!hayDigito) {
        return 0;
    }
    // An exponent without digits is not part of the number.
    if (!exponente.empty() && EsDigito(QLatin1Char(exponente.back()))) {
        s += exponente;
    }
    // Read exactly, so that overflow and underflow are told apart.
    return NumeroDecimal::Lee(QString::fromStdString(s), QLatin1Char('.'), QChar())->ADoble();
}

double RedondeoBanquero(double valor, int decimales) {
    if (!std::isfinite(valor)) {
        return valor;
    }
    decimales = std::clamp(decimales, 0, 15);
    const double p = std::pow(10.0, decimales);
    const double y = valor * p;
    if (std::fabs(y) >= 4503599627370496.0) { // 2^52: no fraction left at this scale
        return valor;
    }
    return RedondeaMitadPar(y) / p;
}
