#pragma once

#include "ErrorSistema.h"
#include "Interaccion.h"

#include <QDateTime>
#include <QString>

// The program's executable name without folder or extension (the process name of the error
// table and the access log).
QString NombreEjecutable();

// Shows the error with Abort, Retry and Ignore (or `botones`) and the stop icon, appends one
// line to CVERR.LOG and returns the answer (4 retry, 5 next statement, other leave, counted by
// AnotaRespuesta). An error number 0 gives 0 and shows nothing. Never raises: a log that cannot
// be written costs only the line.
int ReportaError(const ErrorSistema& error, int botones = Estilo::AbortarReintentarIgnorar | Estilo::Critico,
                 const QString& rutina = {});

// Writes one row into AUX_ERR on AD(): process (an empty one becomes the executable name,
// also in the caller's variable), date, error number, description cut to 250 characters, the
// SQL text whole, machine and database user. Never raises.
void RegistraErrorBD(const QString& sql, QString& proceso, qint32 numero, const QString& descripcion);

// The folder of CVERR.LOG: the variable "tmp" when "temp" is not empty, else the machine's
// fallback folder; always ending in one separator.
QString CarpetaRegistroErrores();

// One line of CVERR.LOG without its line end.
QString LineaRegistroErrores(const QDateTime& momento, const QString& rutina, const QString& mensaje,
                             int respuesta);

// Appends that line, at this moment, to CVERR.LOG. Never raises: a log that cannot be written
// costs only the line.
void AnotaRegistroErrores(const QString& rutina, const QString& mensaje, int respuesta);
