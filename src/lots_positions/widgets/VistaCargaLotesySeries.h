#pragma once

#include "FrmCargaLotesySeries.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTableView;
class QToolBar;
class QVBoxLayout;

// The lot and serial dialog on screen: the article label, the two fill buttons, the grid with
// its floating cell editor (the line dialogs' shared editing) and the accept and cancel buttons.
// Every key of the dialog goes first to the form's Form_KeyDown (F2 accepts). The dialog closes
// when the form hides itself; closing it otherwise cancels. The form must outlive the view.
class VistaCargaLotesySeries : public QDialog {
    Q_OBJECT
public:
    explicit VistaCargaLotesySeries(FrmCargaLotesySeries& form, QWidget* padre = nullptr);
    ~VistaCargaLotesySeries() override;

    QTableView* Tabla() const { return tabla_; }
    QToolBar* Barra() const { return barra_; }

    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void ArmaBarra(QVBoxLayout* capa);
    void ArmaBotones(QVBoxLayout* capa);
    void ConectaForm();
    QWidget* Control(const QString& nombre) const;
    void MueveFoco(const QString& nombre);

    FrmCargaLotesySeries& form_;
    QLabel* lblArticulo_ = nullptr;
    QToolBar* barra_ = nullptr;
    QTableView* tabla_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    std::function<void(const QString&, const QString&)> focoPrevio_;
    bool cerrando_ = false;
    bool sincronizando_ = false;
};

// Makes interaccion().MuestraModal(FrmCargaLotesySeries) show this dialog with InteraccionQt, and
// gives the dialogs the application font's text widths. Idempotent; the program calls it once.
void RegistraVistaCargaLotesySeries();
