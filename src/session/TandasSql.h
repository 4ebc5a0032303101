#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

// Runs the non-blank statements as one transaction in one round trip on AD():
// "BEGIN TRANSACTION " CR CR, then CR and each statement, then CR; `tanda` gets that text.
// When the database refuses it (or its COMMIT): ROLLBACK TRANSACTION, `hayError` True,
// `numeroError` the first native error, `mensajes` one line "number : description" CR LF per
// error (all but the server's trailing entry), a row in AUX_ERR and, with `mostrar`, the lines
// in the box "Aviso al Operador!". `ignoraDuplicados` (2627, 2601) and `ignoraReferencias` (547)
// make such a refusal quiet: no box, `mensajes` the first description. After a success
// `numeroError` is 0 and `mensajes` keeps its value. With no statement nothing is sent.
void GActualizarDatoScript(const QStringList& sentencias, bool& hayError, qint32& numeroError,
                           bool ignoraDuplicados, bool ignoraReferencias, QString& tanda, QString& mensajes,
                           bool mostrar);

// Whether a refusal is a duplicate key of the register of used numbers or of the stock movements:
// another station stored the same voucher number first.
bool EsNumeroTomado(long numero, const QString& descripcion);

// Tests: runs after the batch is sent and before its COMMIT, to inject a failure there (a
// dropped connection, a file that can no longer be written). An empty function removes it.
void EstableceAntesDeConfirmar(std::function<void()> accion);
