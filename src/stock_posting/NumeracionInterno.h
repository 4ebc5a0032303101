#pragma once

// Small helpers shared by the numbering and entry look-ups.

#include "ErrorSistema.h"

#include <QString>
#include <QVariant>
#include <initializer_list>

namespace numeracion {

// The highest number of a voucher identity: its 8 digits. A range or a series past it is used up.
constexpr double kUltimoNumero = 99999999;

// The value as a quoted SQL text literal (apostrophes doubled).
QString Txt(const QString& valor);
// A field's value read as a number: null or non-numeric text reads 0.
double Numero(const QVariant& valor);
// Whether a field holds a value that is not null.
inline bool TieneValor(const QVariant& valor) {
    return !valor.isNull();
}
// The whole number written with at least `digitos` digits ("0000", "00000000").
QString Ceros(double valor, int digitos);
// A number written plainly, without leading zeros or decimals when it is whole.
QString Decimal(double valor);
// The number part (characters 5 to 12) of a voucher identity, as a number.
double NumeroDeIdentidad(const QVariant& identidad);
// Two days compared (times ignored): the system's date texts and the stored ISO text alike;
// -1, 0 or 1.
int ComparaFechas(const QString& a, const QString& b);
// Tells the user that every range of the type is used up.
void AvisaTalonariosUtilizados(const QString& TC);
// " RAISERROR('<mensaje>', 16, 1)": what a check of a saving batch refuses it with.
QString Raiserror(const QString& mensaje);
// A check inside a saving batch, before the rows that use a number: when `tabla` already holds
// rows of `condicion`, another station stored the number and the batch is refused with
// `mensaje`. The locking hints hold the rows read until the transaction ends, so that two
// stations checking at once are served in turn.
QString ControlNumeroTomado(const QString& tabla, const QString& condicion, const QString& mensaje);
// Runs the statements under the central error handler with the routine's name.
bool Pasos(const QString& rutina, std::initializer_list<Paso> pasos);

} // namespace numeracion
