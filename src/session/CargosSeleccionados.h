#pragma once

#include "Moneda.h"

#include <QtGlobal>
#include <vector>

// One charge the user chose in the real-charges dialog, and the amount to apply of it.
struct CargoSeleccionado {
    qint64 IdCargo = 0;
    Moneda ImporteAAplicar;
    friend bool operator==(const CargoSeleccionado&, const CargoSeleccionado&) = default;
};

// The real-charges dialog's answer, for the caller of ClsCmnCptesServicios::ControlDeCargosReales: the
// ticked charges in list order and, last, one empty element (so the last index is the number
// of charges). Empty until the first answer; the session reset empties it.
extern std::vector<CargoSeleccionado> gCargosSeleccionados;
