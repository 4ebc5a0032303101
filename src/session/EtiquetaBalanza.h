#pragma once

#include "Moneda.h"

#include <QString>
#include <QStringList>
#include <optional>

// A weighing-scale label read against the active label mask (setting TIPOEAN) and the
// decimals of its quantity or amount (setting DECIMALESEAN). Pure: no session value, no
// database.
struct EtiquetaBalanza {
    // -1 when the label was typed with a leading "-", else 1.
    int signo = 1;
    // False when no known mask equals the active one: the label decodes nothing and the
    // code is looked up as it was typed.
    bool decodificada = false;
    // The article code read from the label (digits as they stand, except for mask
    // "CCCCCCQQQQQ", which drops leading zeros).
    QString codigo;
    // What the label carries: a quantity (P and Q masks, or the sign for the T masks) and,
    // for the T masks, an amount.
    std::optional<double> cantidad;
    std::optional<Moneda> importe;
};

// The masks the lookup knows, in the order they are compared with TIPOEAN.
const QStringList& MascarasEAN();

// True when the text has the shape of a scale label: 13 characters beginning "2"; 14
// beginning "-2"; 12 (trimmed) beginning "0"; 13 (trimmed) beginning "-0" or "0"; and numeric.
bool EsEtiquetaBalanza(const QString& texto);

// The divisor of the Q and T digits for a DECIMALESEAN value read as a number: 1, 10, 100,
// 1000 or 10000 for 0 to 4 decimals (an empty setting reads as 0); nothing for any other value.
std::optional<int> DivisorEAN(const QString& decimalesEAN);

// Reads a scale label: nothing when `texto` does not have a label's shape, or when the code or
// the digits that the mask reads as a number are beyond a currency amount's range. The decoding
// window is the 11 characters after the leading "2" or "0" of a 13-character label, or the
// first 11 of a 12-character one; the check digit at the end is never read. P digits are
// thousandths; Q and T digits are divided by DivisorEAN(`decimalesEAN`); an amount is
// rounded to four decimals. A Q or T mask with a DECIMALESEAN that has no divisor raises
// ErrorSistema 5 rather than read a quantity or amount at the wrong scale.
std::optional<EtiquetaBalanza> LeeEtiquetaBalanza(const QString& texto, const QString& tipoEAN,
                                                  const QString& decimalesEAN);
