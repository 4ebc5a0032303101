#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

// Look-ups of the accounting entries: whether a voucher already has an entry, the registration
// type of a voucher type and the next free entry number. They only read the database.

// True when MV_ASIENTOS holds rows of the voucher (and of `cuenta` when it is not empty); then
// `referencia` is the first row's month in two digits, " - " and its entry number in six. Type
// "OC" never has an entry (no query). `sinBloqueo` reads with(nolock). Traps nothing.
bool ExisteAsiento(const QString& TC, const QString& sucursal, const QString& numero, const QString& letra,
                   QString& referencia, const QString& cuenta, bool sinBloqueo);

// The subdiary of the voucher type (MA_SUBDIARIOSCOMPROBANTES), checked against MA_SUBDIARIOS;
// four blanks when the type has none or the code is unknown; "" when left through an error.
QString ObtieneTipoRegCont(const QString& TC);

// The next entry number of a month, period and registration type: above every number of the
// entries table and, when that one is already a cost-centre entry number, above those too.
// 0 when left through an error (a number past 32 bits is one).
qint32 ObtieneNroAsiento(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg);

// A check for the entry's batch, before its lines: refuses the batch, in words, when another
// voucher already stored entry `numero` of the month, registration type and period. `enTanda`:
// the words of a batch, where nothing was stored; else those of a per-row entry, whose caller
// tells what was.
QString ControlAsientoTomado(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg,
                             qint32 numero, bool enTanda);

// What the entries are used for: a voucher's number checked against them, or an entry stored by
// a batch or line by line (whose later lines add to the lines stored).
enum class UsoAsientos { Numeracion, Tanda, PorLinea };

// Where an administration database holds its own MV_ASIENTOS, which the entry's number is drawn
// from, and the session's has none to store the entry in: the words that say so (an entry's
// number must come from the table it is stored in). Where the login may not read one of the
// administration's entry tables, or lacks a right on its MV_ASIENTOS that storing the entry uses
// (INSERT, and UPDATE line by line): the words that name the right, the table and the base.
// Nothing otherwise. Asked before the first row, it sends nothing that could end a transaction.
std::optional<QString> AsientosSinTabla(UsoAsientos uso);

// The checks for the entry's batch, after its lines, where the number was drawn from another
// database's table than the one the entry is stored in: each refuses the batch, in words that
// name both databases, when the number's MV_ASIENTOS does not see the entry of `comprobante` (a
// condition on TC, SUCURSAL, NUMERO and LETRA) just stored, or when the session's
// MV_ASIENTOSCCOSTO holds the number that the administration's does not. Empty where the two
// databases' tables are one name (the embedded file, a site without administration database, an
// administration database without them). `enTanda` as for ControlAsientoTomado.
QString ControlAsientoEnSuTabla(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg,
                                qint32 numero, const QString& comprobante, bool enTanda);
