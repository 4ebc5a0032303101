#pragma once

#include "FrmLoteyPosicion.h"
#include "FrmPosicionConsulta.h"
#include "VistaDialogoLinea.h"

// The positions-and-lots dialog on screen: the line dialog's view with its three-button toolbar.
class VistaLoteyPosicion : public VistaDialogoLinea {
    Q_OBJECT
public:
    explicit VistaLoteyPosicion(FrmLoteyPosicion& form, QWidget* padre = nullptr);
};

// The position choice dialog on screen: the line dialog's view as it is.
class VistaPosicionConsulta : public VistaDialogoLinea {
    Q_OBJECT
public:
    explicit VistaPosicionConsulta(FrmPosicionConsulta& form, QWidget* padre = nullptr);
};

// Makes interaccion().MuestraModal show both dialogs with InteraccionQt, and gives the dialogs
// the application font's text widths. Idempotent; the program calls it once at start.
void RegistraVistasPosiciones();
