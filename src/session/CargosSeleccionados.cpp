#include "CargosSeleccionados.h"

#include "Globales.h"

std::vector<CargoSeleccionado> gCargosSeleccionados;

namespace {
[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { gCargosSeleccionados.clear(); });
} // namespace
