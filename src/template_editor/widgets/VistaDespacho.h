#pragma once

#include "FrmDespacho.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The dispatch dialog on screen: its fields, labels and buttons bound to FrmDespacho's models;
// keys and clicks go to its handlers. Closing the window from its frame runs neither button.
class VistaDespacho : public QDialog {
    Q_OBJECT
public:
    explicit VistaDespacho(FrmDespacho& form, QWidget* padre = nullptr);
    ~VistaDespacho() override;

    QLineEdit* Campo(int indice) const { return campos_[static_cast<size_t>(indice)]; }
    QPushButton* Aceptar() const { return aceptar_; }
    QPushButton* Cancelar() const { return cancelar_; }
    QPushButton* Consultar() const { return consultar_; }
    QLabel* Descripcion() const { return desc_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void SigueFoco();

    FrmDespacho& form_;
    std::array<QLineEdit*, 3> campos_{};
    std::array<QLabel*, 5> etiquetas_{};
    QLabel* desc_;
    QPushButton* aceptar_;
    QPushButton* cancelar_;
    QPushButton* consultar_;
};

// Makes interaccion().MuestraModal(FrmDespacho) show this dialog with InteraccionQt.
void RegistraVistaDespacho();
