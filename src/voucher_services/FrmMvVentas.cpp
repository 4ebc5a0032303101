#include "FrmMvVentas.h"

void FrmMvVentas::AgregoRegargo(const QVariant& cualquierimporte) {
    (void)cualquierimporte;
}

void FrmMvVentas::AnulacionCompleta(const QString& TC, const QVariant& Sucursal, const QVariant& Numero,
                                    const QVariant& letra) {
    (void)TC;
    (void)Sucursal;
    (void)Numero;
    (void)letra;
}

void FrmMvVentas::MSComm1_OnComm() {
    [[maybe_unused]] const int evento = MSComm1.CommEvent;
}
