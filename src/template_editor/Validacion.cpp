#include "Validacion.h"

#include "RutinaFormulario.h"

Paso Si(const Validacion& v, Paso paso) {
    return [&v, paso = std::move(paso)] {
        if (!v.decidido)
            paso();
    };
}

bool PasosValidacion(const std::vector<Paso>& pasos) {
    return EjecutaFormulario(QStringLiteral("CAMPO_VALIDA"), pasos);
}
