#pragma once

#include "FrmCargaLotesySeries.h"
#include "VistaDialogoLinea.h"

// The lot and serial dialog on screen: the line dialog's view with the two fill buttons. Every
// key of the dialog goes first to the form's Form_KeyDown (F2 accepts).
class VistaCargaLotesySeries : public VistaDialogoLinea {
    Q_OBJECT
public:
    explicit VistaCargaLotesySeries(FrmCargaLotesySeries& form, QWidget* padre = nullptr);
    ~VistaCargaLotesySeries() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    FrmCargaLotesySeries& form_;
};

// Makes interaccion().MuestraModal(FrmCargaLotesySeries) show this dialog with InteraccionQt, and
// gives the dialogs the application font's text widths. Idempotent; the program calls it once.
void RegistraVistaCargaLotesySeries();
