#pragma once

#include "FrmLoteyPosicion.h"
#include "FrmPosicionConsulta.h"
#include "VistaDialogoLinea.h"

#include <array>

class QAction;

// The positions-and-lots dialog on screen: the line dialog's view with its three-button toolbar.
class VistaLoteyPosicion : public VistaDialogoLinea {
    Q_OBJECT
public:
    explicit VistaLoteyPosicion(FrmLoteyPosicion& form, QWidget* padre = nullptr);
    ~VistaLoteyPosicion() override;

    QAction* Boton(int indice) const { return botones_.at(size_t(indice - 1)); }

private:
    FrmLoteyPosicion& form_;
    std::array<QAction*, 3> botones_{};
};

// The position choice dialog on screen.
class VistaPosicionConsulta : public VistaDialogoLinea {
    Q_OBJECT
public:
    explicit VistaPosicionConsulta(FrmPosicionConsulta& form, QWidget* padre = nullptr);
    ~VistaPosicionConsulta() override;

private:
    FrmPosicionConsulta& form_;
};

// Makes interaccion().MuestraModal show both dialogs with InteraccionQt. Idempotent; the program
// calls it once at start.
void RegistraVistasPosiciones();
