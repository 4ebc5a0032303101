#pragma once

#include "DialogoLinea.h"

#include <QDialog>
#include <functional>
#include <span>
#include <vector>

class EditorFlotante;
class QAction;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolBar;
class QVBoxLayout;

// The view of a line dialog: the dialog's toolbar when it has one, the article's label, the grid
// (row 0 shown by the header) with the floating cell editor, and Aceptar and Cancelar. Escape
// outside the editor and the window's close button are Cancelar; the dialog closes when the form
// hides itself. The focus follows the form's, and the form is told where the user puts it. The
// form must outlive the view.
class VistaDialogoLinea : public QDialog {
    Q_OBJECT
public:
    explicit VistaDialogoLinea(DialogoLinea& form, QWidget* padre = nullptr);
    ~VistaDialogoLinea() override;

    QTableView* Tabla() const { return tabla_; }
    QLineEdit* Editor() const;
    QPushButton* BotonAceptar() const { return aceptar_; }
    // The toolbar (nullptr without one) and its button by index from 1.
    QToolBar* Barra() const { return barra_; }
    QAction* Boton(int indice) const { return botones_.at(size_t(indice - 1)); }

    void reject() override;

protected:
    // Puts the dialog's toolbar above the rest: one button per entry, with its tool tip; a
    // click runs `clic` with the button's index from 1.
    void PoneBarra(std::span<const ::Boton> botones, const std::function<void(int)>& clic);
    void showEvent(QShowEvent* evento) override;

private:
    void ArmaBotones();
    void SigueFoco(const QString& nombre);
    QWidget* Control(const QString& nombre) const;

    DialogoLinea& form_;
    QVBoxLayout* capa_ = nullptr;
    QToolBar* barra_ = nullptr;
    std::vector<QAction*> botones_;
    QTableView* tabla_ = nullptr;
    EditorFlotante* editorFlotante_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    std::function<void(const QString&, const QString&)> focoPrevio_;
    bool cerrando_ = false;
    bool sincronizando_ = false;
};

// The dialogs' text widths in the application font; idempotent. The registrations call it.
void MideDialogosLinea();
