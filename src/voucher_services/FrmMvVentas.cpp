#include "FrmMvVentas.h"

void FrmMvVentas::AgregoRegargo(const QVariant& cualquierimporte) {
    (void)cualquierimporte;
}

// NOLINTBEGIN(bugprone-easily-swappable-parameters): the suite's own signature
void FrmMvVentas::AnulacionCompleta(const QString& TC, const QVariant& Sucursal, const QVariant& Numero,
                                    const QVariant& letra) {
    // NOLINTEND(bugprone-easily-swappable-parameters)
    (void)TC;
    (void)Sucursal;
    (void)Numero;
    (void)letra;
}

void FrmMvVentas::MSComm1_OnComm() {
    [[maybe_unused]] const int evento = MSComm1.CommEvent;
}
