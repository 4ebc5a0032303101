#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>
#include <vector>

class Grilla;

// Small program-wide text, number, date and time helpers of the voucher code. None keeps state
// and none traps errors: an error reaches the caller.

// A yes/no text, upper-cased but not trimmed. `modo` true: "FALSE", "FALSO", "0", "NO" and "N"
// are false, every other text (the empty one too) true. `modo` false: "TRUE", "VERDADERO",
// "1", "SI" and "S" are true, every other text false.
bool TextoABooleano(const QString& texto, bool modo = false);

// The suite's date and time masks: "dd/mm/yy hh:mm", "dd/mm/yy", "hh:mm" (mm is the month,
// or the minutes after an hour or before seconds).
QString FormatoFechaHora();
QString FormatoFecha();
QString FormatoHora();
// A moment written with such a mask: d, dd day; m, mm month or minutes; yy, yyyy year; h, hh
// hour (0-23); n, nn minutes; s, ss seconds; any other character as it stands.
QString AplicaMascaraFecha(const QDateTime& momento, const QString& mascara);

// An amount as text in the regional format with `decimales` decimals, rounded half to even,
// grouped by thousands when `miles`. `decimales`: -3 gives the value's text unchanged; -1 the
// number of gCantidadDecimales; 0 the regional currency decimals; -2 none. The value is read
// as currency first (non-numeric text reads 0).
QString FmtMoneda(const QVariant& valor, int decimales, bool miles);

// Minutes of a time. Reading "h:m": hours before the first ":" and minutes after it, each the
// leading number (with "."), so "1:30" and "1.5" both give 90. `estricto` reads `hora` that
// way. Otherwise a `hora` that is a time or a date-time gives its hour and minute; an empty
// `hora` gives `horas` x 60 + `minutos` (0 when both are 0 or less); any other is read "h:m".
double HorasAMinutos(const QString& hora, const QString& horas, const QString& minutos, bool estricto);

// Minutes as hours text. The separator is the setting SeparadorHora, ":" when it is blank or
// when `dosPuntos`. With a separator other than ".": the minutes (rounded to whole) are split
// into `horas` and `restantes` and written "#####00" separator "#####00" (125 -> "02:05").
// With ".": decimal hours "#####.00" with a "." (150 -> "2.50"); `horas` and `restantes` are
// not written. A value that is not a number raises ErrorSistema 13.
QString FormateaHoras(const QVariant& minutos, qint32& horas, qint32& restantes, bool dosPuntos);

// Empties the cells of row `fila` from column `primeraColumna` to the last.
void LimpiaFilaGrilla(Grilla& grilla, qint32 fila, qint32 primeraColumna);

// One element of the totals table: a key and its running total, as texts.
struct ElementoTotal {
    QString Clave;
    QString Total;
};
// The totals table that the totals display fills; element 0 included.
extern std::vector<ElementoTotal> gTablaTotales;
// Index of the first element whose key (end and fill markers removed, trimmed) equals the
// trimmed text without regard to case; -1 when there is none.
qint32 BuscaEnTabla(const QString& texto);

// The value's text without the characters 0, 255 and line feed, trimmed.
QString LimpiaCampo(const QVariant& valor);

// Hides the control (any control model with setVisible).
template <class Control> void OcultaControl(Control& control) {
    control.setVisible(false);
}

// A date or date-time text as the suite writes it ("dd/mm/yyyy", "dd/mm/yy", with or without
// "hh:mm[:ss]"; two-digit years 30-99 in the 1900s) or as the embedded database stores it
// (ISO "yyyy-mm-dd hh:mm:ss"); nothing when it is none.
std::optional<QDateTime> LeeFechaTexto(const QString& texto);
