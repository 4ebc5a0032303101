#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <vector>

struct ErrorBD;

// Runs the non-blank statements as one transaction in one round trip on AD():
// "BEGIN TRANSACTION " CR CR, then CR and each statement, then CR; `tanda` gets that text.
// When the database refuses it (or its COMMIT): ROLLBACK TRANSACTION, `hayError` True,
// `numeroError` the first native error, `mensajes` one line "number : description" CR LF per
// error (all but the server's trailing entry), a row in AUX_ERR with those lines and, with
// `mostrar`, `mensajes` in the box "Aviso al Operador!". A number another station took
// (EsNumeroTomado) makes `mensajes` the words alone, one line each. `ignoraDuplicados` (2627,
// 2601) and `ignoraReferencias` (547) make such a refusal quiet: no box, `mensajes` the first
// description. After a success `numeroError` is 0 and `mensajes` keeps its value. With no
// statement nothing is sent.
void GActualizarDatoScript(const QStringList& sentencias, bool& hayError, qint32& numeroError,
                           bool ignoraDuplicados, bool ignoraReferencias, QString& tanda, QString& mensajes,
                           bool mostrar);

// One error as a refused batch tells it and AUX_ERR keeps it: "number : description" CR LF.
QString LineaErrorBD(long numero, const QString& descripcion);

// Whether a refusal says that another station stored the same number first: a duplicate key of
// the register of used numbers or of the stock movements, or a check of the saving batch
// (RAISERROR, 50000) whose words hold kTomadoPorOtro. The batch runner then shows the words
// alone: a check's own, TextoNumeroTomado() for a key.
bool EsNumeroTomado(long numero, const QString& descripcion);
// What a refusal's errors say in words: each number another station took (a check's own words,
// `clave` for a key), `tomado`; but when a check of the batch found that a number is drawn from
// another table than the one its rows are stored in (its words hold kTablasDistintas), which
// saving again cannot mend, those words alone, and `tomado` false. Empty when no error is either
// (any other check's refusal keeps its line).
struct PalabrasRechazo {
    QStringList palabras;
    bool tomado = false;
};
PalabrasRechazo PalabrasDeRechazo(const std::vector<ErrorBD>& errores, const QString& clave);
// The words of every check that refuses a number another station took ("El número de asiento 26
// ya fue tomado por otro comprobante...").
inline constexpr const char* kTomadoPorOtro = "ya fue tomado por otro";
// The words of every check that refuses a batch whose number comes from another table than the
// one its rows are stored in.
inline constexpr const char* kTablasDistintas = "que no es la misma tabla";
// "El número del comprobante ya fue tomado por otro puesto: no se grabó nada. Vuelva a grabar y se
// tomará el siguiente número."
QString TextoNumeroTomado();

// Tests: runs after the batch is sent and before its COMMIT, to inject a failure there (a
// dropped connection, a file that can no longer be written). An empty function removes it.
void EstableceAntesDeConfirmar(std::function<void()> accion);
