#pragma once

#include "AyudaFormularios.h"
#include "CajaTexto.h"
#include "EdicionGrilla.h"
#include "Etiqueta.h"
#include "Grilla.h"

#include <QDialog>
#include <functional>

class EditorFlotante;
class EnlaceTablaGrilla;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolBar;
class QVBoxLayout;

// What the view of a line dialog shows of its form and where it sends the user's events.
struct FormularioLinea {
    QString titulo;
    Grilla& grilla;
    CajaTexto& editor;
    EventosEdicionGrilla& edicion;
    Etiqueta& etiqueta;
    Boton& aceptar;
    Boton& cancelar;
    FocoFormulario& foco;                     // "MSFlexGrid1", "TxtEdit", "CmdAceptar", "CmdCancelar"
    std::function<void(int, int)> mueveCelda; // a click or an arrow key in the grid
    std::function<void()> clicAceptar, clicCancelar;
};

// The view of a line dialog (positions, position choice): the article's label, an optional
// toolbar, the grid (row 0 shown by the header) with the floating cell editor, and Aceptar and
// Cancelar. Escape outside the editor and the window's close button are Cancelar. The form
// hides itself through Cierra(). The form must outlive the view.
class VistaDialogoLinea : public QDialog {
    Q_OBJECT
public:
    explicit VistaDialogoLinea(FormularioLinea form, QWidget* padre = nullptr);
    ~VistaDialogoLinea() override;

    QTableView* Tabla() const { return tabla_; }
    QLineEdit* Editor() const;
    QPushButton* BotonAceptar() const { return aceptar_; }
    // Ends the modal show (the form's hide).
    void Cierra();
    // The form's TextWidth: twips of a text in the dialog's font.
    int AnchoTexto(const QString& texto) const;

    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Puts a toolbar above the grid (the view of a dialog that has one).
    void PoneBarra(QToolBar* barra);

private:
    void SigueFoco();

    FormularioLinea form_;
    QVBoxLayout* capa_ = nullptr;
    QTableView* tabla_ = nullptr;
    EnlaceTablaGrilla* enlace_ = nullptr;
    EditorFlotante* editorFlotante_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    bool cerrando_ = false;
};
