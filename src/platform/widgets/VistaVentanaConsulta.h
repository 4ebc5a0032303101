#pragma once

#include "VentanaConsulta.h"

#include <QDialog>

class ModeloConsulta;
class QLineEdit;
class QTableView;
class QTimer;

// The search window on screen: a modal dialog over the rows of a VentanaConsulta, which keep
// coming in while it is open (a block per turn of the event loop). Typing in the search box
// narrows the rows; Up and Down move in the list. Enter, a double click or Aceptar choose the
// current row; Escape, Cancelar or closing the window choose nothing.
class VistaVentanaConsulta : public QDialog {
    Q_OBJECT
public:
    // Rows read per turn of the event loop: a few milliseconds' work.
    static constexpr int FilasPorTurno = 500;

    explicit VistaVentanaConsulta(VentanaConsulta& ventana, QWidget* padre = nullptr);
    ~VistaVentanaConsulta() override;

    QTableView* Tabla() const { return tabla_; }
    QLineEdit* Buscador() const { return buscador_; }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void AplicaAnchos();
    void SigueFilaActual();
    void LeeBloque();

    VentanaConsulta& ventana_;
    ModeloConsulta* modelo_;
    QLineEdit* buscador_;
    QTableView* tabla_;
    QTimer* lector_;
    bool cerrando_ = false;
};

// Makes interaccion().MuestraModal(VentanaConsulta) show this dialog with InteraccionQt.
// Idempotent; the program calls it once at start.
void RegistraVistaVentanaConsulta();
