#pragma once

#include "ErrorSistema.h"

#include <QString>
#include <initializer_list>
#include <vector>

// The error routine of the editor's procedures: an error 5 goes on with the next step silently;
// any other is reported through RegistraErrorFormulario with `rutina`: Retry runs the step
// again, Ignore goes on, any other answer leaves. EjecutaFormulario is false when the procedure
// was left.
int ErrorFormulario(const ErrorSistema& error, const QString& rutina);
bool EjecutaFormulario(const QString& rutina, std::initializer_list<Paso> pasos);
bool EjecutaFormulario(const QString& rutina, const std::vector<Paso>& pasos);
