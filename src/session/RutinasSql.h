#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>

class Registros;

// Opens the rows of `tabla` whose `columna` holds `valor` (or, with a non-empty `condicion`,
// the rows that meet it) on AD()'s connection and tells whether there was one. `tipo` says
// how the value enters the text: 8 quoted text compared with the column's blanks cut, 7 the
// number the value without blanks reads as (empty 0; no number, ErrorSistema 13), 3, 4 or 5
// its leading number, anything else the value as it stands;
// the number 8 and the text "8" are one code. Without `rs` the rows are only counted; with
// it, the set is left open on the first row: forward-only and read-only when `soloLectura`,
// else with the set's own cursor and lock types. A failing step asks the user (Abort, Retry,
// Ignore; "Aviso al Operador"): Retry runs it again, Ignore goes on, Abort leaves.
bool AbreRecordset(const QString& tabla, const QString& valor, const QString& columna,
                   Registros* rs = nullptr, const QVariant& tipo = {}, const QString& condicion = {},
                   bool soloLectura = false);

// The statement AbreRecordset runs, before the dialect translation. Raises ErrorSistema 13
// when there is no condition and the type code is missing or no whole number, or a type-7
// value is no number.
QString SentenciaAbreRecordset(const QString& tabla, const QString& valor, const QString& columna,
                               const QVariant& tipo, const QString& condicion);

// column + operator + quote + element + quote for element 0 and every further element
// (blank ones skipped when `saltaBlancos`), joined by `conector`, then, when `agregaNulo`
// reads as true, `conector` + column + " is null ". Within quotes "'" the elements' own
// apostrophes are doubled. "1=1" when the list is empty or `agregaNulo` is no Boolean.
QString ArmaWhere(const QString& columna, const QString& operador, const QStringList& lista,
                  const QString& conector, const QString& comilla, const QVariant& agregaNulo,
                  bool saltaBlancos);

// The SQL text as an Oracle connection needs it (LEN -> LENGTH, "top n *" -> a ROWNUM
// condition at the end); any other connection gets it unchanged. Raises ErrorSistema 5 when a
// text with "top " has no "*" after it.
QString AdaptaSQLMotor(const QString& sql);
// As above, for the connection text given.
QString AdaptaSQLMotor(const QString& sql, const QString& cadenaConexion);

// Index of the first element, from `inicio` on, equal to `texto` without regard to case; -1
// when none (or `inicio` lies beyond the list). A negative `inicio` raises ErrorSistema 9.
qint16 BuscaEnArray(const QStringList& lista, const QString& texto, qint16 inicio = 0);
