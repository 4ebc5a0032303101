#pragma once

#include "FrmCtrlCargosReales.h"

#include <QDialog>

class ModeloListaVista;
class QLabel;
class QPushButton;
class QTreeView;

// The real-charges dialog on screen: the charges in a list with check boxes, the account in
// the title band, Aceptar and the hint below. The form sees every key first (Escape accepts),
// a right click selects the charge under the mouse and goes to the form, which may pop up the
// shared menu; closing the window unloads the form without accepting.
class VistaCtrlCargosReales : public QDialog {
    Q_OBJECT
public:
    explicit VistaCtrlCargosReales(FrmCtrlCargosReales& form, QWidget* padre = nullptr);
    ~VistaCtrlCargosReales() override;

    QTreeView* Lista() const { return lista_; }
    QPushButton* Aceptar() const { return aceptar_; }
    QLabel* Titulo() const { return titulo_; }

    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Ubica();
    void AplicaAnchos();
    void SigueSeleccion();

    FrmCtrlCargosReales& form_;
    ModeloListaVista* modelo_;
    QLabel* titulo_;
    QPushButton* aceptar_;
    QTreeView* lista_;
    QLabel* mensaje_;
    bool descargado_ = false;
};

// Makes interaccion().MuestraModal(FrmCtrlCargosReales) show this dialog with InteraccionQt, and
// the form measure its columns' letters in the dialog's font. Idempotent; a program that shows the dialog
// calls it once at start.
void RegistraVistaCtrlCargosReales();
