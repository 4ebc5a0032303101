#include "ErrorSistema.h"

#include <atomic>

// Errors raised by the standard library or Qt inside a step are reported like the system's own,
// so that no step can leave the runner by surprise.
ErrorSistema ComoErrorSistema(const std::exception& e) {
    return ErrorSistema(-1, QString::fromLocal8Bit(e.what()), QString());
}

namespace {

std::atomic<quint64> abandonos{0};

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

int AnotaRespuesta(int respuesta) {
    if (respuesta != Respuesta::Reintentar && respuesta != Respuesta::Ignorar)
        abandonos.fetch_add(1, std::memory_order_relaxed);
    return respuesta;
}

quint64 Abandonos() {
    return abandonos.load(std::memory_order_relaxed);
}
