#pragma once

#include "Moneda.h"

#include <QChar>
#include <QString>
#include <optional>

// The regional number settings, from one place: decimal and thousands separators from the
// environment's LC_NUMERIC, currency decimals from its LC_MONETARY. Tests pin them.
// Numbers typed by users or read from files are parsed and formatted here, never through
// QLocale.
namespace Regional {

QChar SeparadorDecimal();
QChar SeparadorMiles();
// Number of decimals of currency amounts (2 when the environment gives none).
int DecimalesMoneda();

// Pins the settings (tests); Restablece goes back to the environment's.
void Establece(QChar decimal, QChar miles, int decimalesMoneda = 2);
void Restablece();

// Pins the settings for the length of a scope, then puts back what was there before.
class Fijo {
public:
    Fijo(QChar decimal, QChar miles, int decimalesMoneda = 2);
    ~Fijo();
    Fijo(const Fijo&) = delete;
    Fijo& operator=(const Fijo&) = delete;

private:
    bool habiaFijados_;
    QChar decimal_;
    QChar miles_;
    int decimalesMoneda_;
};

// The whole text (blanks around it ignored) read as a number in the regional format: an
// optional sign, digits with optional thousands separators between groups of three, an
// optional decimal part, an optional exponent ("1,5E3"). Nothing when it is not such a
// number. A number beyond the range of the result raises ErrorSistema 6.
std::optional<double> LeeDoble(const QString& texto);
// Whether LeeDoble reads the text; a number beyond a double's range counts as none.
bool EsNumero(const QString& texto);
// As LeeDoble, exact in decimal, rounded to four decimals half to even.
std::optional<Moneda> LeeMoneda(const QString& texto);

// Plain text of a number: regional decimal separator, no grouping, no exponent, at most
// `cifras` significant digits (15 for a double, 7 for a single), no trailing zeros.
QString TextoNumero(double valor, int cifras = 15);
// A fixed number of decimals, grouped by the regional thousands separator when `miles`.
QString FormatoNumero(double valor, int decimales, bool miles);

} // namespace Regional

// The leading number of a text, always with "." as decimal point: blanks, tabs and line
// feeds are skipped anywhere, then an optional sign, digits, an optional "." and digits, an
// optional exponent (E or D); reading stops at the first other character; 0 when the text
// does not begin with a number. A number beyond the range of a double raises ErrorSistema 6.
double ValNumero(const QString& texto);

// `valor` rounded to `decimales` (0..15) decimals, halves to the even digit, as the suite's
// conversions to whole numbers and currency round.
double RedondeoBanquero(double valor, int decimales = 0);
