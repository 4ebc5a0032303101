#include "RutinaFormulario.h"

#include "Globales.h"
#include "Utilidades.h"

int ErrorFormulario(const ErrorSistema& error, const QString& rutina) {
    if (error.Numero() == 5)
        return Respuesta::Ignorar;
    return UT().RegistraErrorFormulario(error, rutina);
}

bool EjecutaFormulario(const QString& rutina, std::initializer_list<Paso> pasos) {
    return EjecutaPasos(pasos, [&rutina](const ErrorSistema& e) { return ErrorFormulario(e, rutina); });
}

bool EjecutaFormulario(const QString& rutina, const std::vector<Paso>& pasos) {
    return EjecutaPasos(pasos, [&rutina](const ErrorSistema& e) { return ErrorFormulario(e, rutina); });
}
