#include "ErrorSistema.h"

// Errors raised by the standard library or Qt inside a step are reported like the system's own,
// so that no step can leave the runner by surprise.
ErrorSistema ComoErrorSistema(const std::exception& e) {
    return ErrorSistema(-1, QString::fromLocal8Bit(e.what()), QString());
}

namespace {

template <typename It> bool Ejecuta(It inicio, It fin, const Reportador& reportador) {
    for (It it = inicio; it != fin; ++it)
        if (!EjecutaPaso(*it, reportador))
            return false;
    return true;
}

} // namespace

bool EjecutaPasos(std::initializer_list<Paso> pasos, const Reportador& reportador) {
    return Ejecuta(pasos.begin(), pasos.end(), reportador);
}

bool EjecutaPasos(const std::vector<Paso>& pasos, const Reportador& reportador) {
    return Ejecuta(pasos.begin(), pasos.end(), reportador);
}
