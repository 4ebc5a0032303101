#include "Reloj.h"

#include "Globales.h"

namespace {
std::function<QDateTime()>& RelojActual() {
    static std::function<QDateTime()> reloj;
    return reloj;
}
[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { RelojActual() = nullptr; });
} // namespace

QDateTime Ahora() {
    const auto& reloj = RelojActual();
    return reloj ? reloj() : QDateTime::currentDateTime();
}

void EstableceReloj(std::function<QDateTime()> reloj) {
    RelojActual() = std::move(reloj);
}
