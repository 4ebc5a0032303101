#pragma once

#include "Grilla.h"

#include <QString>
#include <QVariant>

// The stub of the sales-voucher form: two grids, a serial-port control whose event does
// nothing, and two public methods with empty bodies. Nothing in this program creates or shows
// it; it keeps the class's public contract for the suite's programs that name it.
class FrmMvVentas {
public:
    const QString Caption = QStringLiteral("Form1");
    Grilla MSFlexGrid3;
    Grilla MSFlexGrid1;
    // The serial-port control at its initial settings; nothing opens the port.
    struct PuertoSerie {
        int CommEvent = 0; // the last communication event
        bool PortOpen = false;
    } MSComm1;

    // Both do nothing: their arguments are neither read nor changed.
    void AgregoRegargo(const QVariant& cualquierimporte);
    void AnulacionCompleta(const QString& TC, const QVariant& Sucursal, const QVariant& Numero,
                           const QVariant& letra);

    // The communication event of MSComm1: it reads the event and handles none.
    void MSComm1_OnComm();
};
