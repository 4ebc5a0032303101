#pragma once

#include "VentanaConsulta.h"

#include <QDialog>

class ModeloGrilla;
class QTableView;

// The search window on screen: a modal dialog over the result table of a VentanaConsulta.
// Enter, a double click or Aceptar choose the current row; Escape, Cancelar or closing the
// window choose nothing.
class VistaVentanaConsulta : public QDialog {
    Q_OBJECT
public:
    explicit VistaVentanaConsulta(VentanaConsulta& ventana, QWidget* padre = nullptr);
    ~VistaVentanaConsulta() override;

    QTableView* Tabla() const { return tabla_; }

    void accept() override;
    void reject() override;

private:
    void AplicaAnchos();
    void SigueFilaActual();

    VentanaConsulta& ventana_;
    ModeloGrilla* modelo_;
    QTableView* tabla_;
    bool cerrando_ = false;
};

// Makes interaccion().MuestraModal(VentanaConsulta) show this dialog with InteraccionQt.
// Idempotent; the program calls it once at start.
void RegistraVistaVentanaConsulta();
