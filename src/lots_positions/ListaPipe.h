#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// The list of lots, serial numbers, sizes or positions of one voucher line, as the articles grid
// keeps it: every entry closed by "|" after an opening "|" ("|e1|e2|e3|"); the empty list is "".
//
// An entry is stored as typed; readers take it without the blanks (spaces only) at its ends and
// compare entries without regard to case. Entry forms: a lot or serial number; "-" for a grid
// row that gave nothing; position "*" quantity (split at the first "*"); serial "*" quantity;
// lot, U+00FF, serial (split at the first U+00FF); any entry followed by the end marker U+00FF.
//
// The reading walk: the list without blanks at its ends and without one opening "|" (the body)
// is cut at each "|"; the walk stops when what is left is blank. Text after the last "|" is an
// unclosed entry, which some readers take and others ignore (ClsCmnCptesLotes's list methods say
// which). Every reader here works in one pass over the text.
namespace ListaPipe {

// The end marker of an entry, the suite's character of code 255.
inline constexpr QChar MarcaFin = QChar(0x00FF);

// What one reading walk finds: the closed entries, untrimmed, in order; the unclosed text after
// the last "|" (empty when the body ends with "|" or is empty); whether the body holds any "|".
// The views point into the text that was read.
struct Recorrido {
    std::vector<QStringView> cerradas;
    QStringView cola;
    bool tieneBarra = false;
};
Recorrido Recorre(QStringView lista);

// The entries as they are numbered from 1: the closed ones, untrimmed, or the whole body as
// entry 1 when it holds no "|". The views point into `lista`.
std::vector<QStringView> Numeradas(QStringView lista);

// The text without the spaces at its ends (tabs and line breaks are content).
QStringView SinBlancos(QStringView texto);

// The written form of the entries: "|" and each entry followed by "|"; no entries give "".
QString Escribe(const QStringList& entradas);

// Equality and hash of entries without regard to case, for sets of distinct entries.
bool MismaEntrada(QStringView a, QStringView b);
size_t HashEntrada(QStringView entrada);

} // namespace ListaPipe
