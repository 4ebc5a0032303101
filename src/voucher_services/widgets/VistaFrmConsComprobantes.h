#pragma once

#include "FrmConsComprobantes.h"

#include <QDialog>
#include <QElapsedTimer>

class ModeloListaVista;
class QLineEdit;
class QPushButton;
class QTableView;

// The voucher lookup window on screen: the two search boxes and Buscar above the list,
// Aceptar and Cancelar below. The list shows the form's ListView1; header clicks, Enter, a
// double click, the boxes' Enter and focus go to the form's handlers. The window loads the form
// once it is shown (Inicia), and while the list fills the form's yields let the window repaint
// and take clicks a few dozen times a second.
class VistaFrmConsComprobantes : public QDialog {
    Q_OBJECT
public:
    explicit VistaFrmConsComprobantes(FrmConsComprobantes& form, QWidget* padre = nullptr);
    ~VistaFrmConsComprobantes() override;
    VistaFrmConsComprobantes(const VistaFrmConsComprobantes&) = delete;
    VistaFrmConsComprobantes& operator=(const VistaFrmConsComprobantes&) = delete;

    FrmConsComprobantes& Form() { return form_; }
    QTableView* Lista() const { return lista_; }
    ModeloListaVista* Modelo() const { return modelo_; }
    QLineEdit* Nombre() const { return nombre_; }
    QLineEdit* Numero() const { return numero_; }
    QPushButton* Buscar() const { return buscar_; }
    QPushButton* Aceptar() const { return aceptar_; }
    QPushButton* Cancelar() const { return cancelar_; }
    // True once the form's load has ended.
    bool Iniciada() const { return iniciada_; }

    // Runs the form's load (the first search) with the window on screen.
    void Inicia();

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void ArmaControles();
    void ConectaLista();
    void CedeTurno();
    void SigueModelo(bool encabezados);
    void SigueFoco();
    bool TeclaEnCaja(QLineEdit* caja, QEvent* evento);

    FrmConsComprobantes& form_;
    ModeloListaVista* modelo_;
    QTableView* lista_;
    QLineEdit* nombre_;
    QLineEdit* numero_;
    QPushButton* buscar_;
    QPushButton* aceptar_;
    QPushButton* cancelar_;
    QElapsedTimer turno_;
    const ElementoLista* seleccion_ = nullptr;
    bool cerrando_ = false;
    bool iniciada_ = false;
};

// Makes interaccion().MuestraModal(FrmConsComprobantes) show this window with InteraccionQt.
void RegistraVistaFrmConsComprobantes();
