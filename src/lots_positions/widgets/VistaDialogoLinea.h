#pragma once

#include "CajaTexto.h"
#include "Etiqueta.h"
#include "Grilla.h"

#include <QDialog>
#include <functional>

class ModeloGrilla;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolBar;
class QVBoxLayout;

// What the view of a line dialog shows of its form and what it tells it.
struct FormularioLinea {
    QString titulo;
    Grilla& grilla;
    CajaTexto& editor;
    Etiqueta& etiqueta;
    Boton& aceptar;
    Boton& cancelar;
    QString& foco;                               // "MSFlexGrid1", "TxtEdit", "CmdAceptar" or "CmdCancelar"
    std::function<void(qint16)> teclaGrilla;     // the grid's KeyPress
    std::function<void(qint16)> teclaEditor;     // the editor's KeyDown
    std::function<void(qint16&)> caracterEditor; // the editor's KeyPress
    std::function<void(int, int)> mueveCelda;    // a click or an arrow key in the grid
    std::function<void()> clicAceptar, clicCancelar;
};

// The view of a line dialog (positions, position choice): the article's label, an optional
// toolbar, the grid (row 0 shown by the header) with the cell editor over its current cell, and
// Aceptar and Cancelar. It shows the models and hands every key and click to the form; the form
// hides itself through `cierra()`. The form must outlive the view.
class VistaDialogoLinea : public QDialog {
    Q_OBJECT
public:
    explicit VistaDialogoLinea(FormularioLinea form, QWidget* padre = nullptr);
    ~VistaDialogoLinea() override;

    QTableView* Tabla() const { return tabla_; }
    QLineEdit* Editor() const { return editor_; }
    QPushButton* BotonAceptar() const { return aceptar_; }
    // Ends the modal show (the form's hide).
    void Cierra();
    // The width in twips of so many letters "X" in the dialog's font.
    int AnchoLetras(int letras) const;

    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Puts a toolbar above the grid (the view of a dialog that has one).
    void PoneBarra(QToolBar* barra);

private:
    void AplicaFormato();
    void SigueCelda();
    void SigueEditor();
    void SigueFoco();
    void ColocaEditor();
    bool TeclaGrilla(class QKeyEvent* tecla);
    bool TeclaEditor(class QKeyEvent* tecla);

    FormularioLinea form_;
    QVBoxLayout* capa_ = nullptr;
    QLabel* etiqueta_ = nullptr;
    ModeloGrilla* modelo_ = nullptr;
    QTableView* tabla_ = nullptr;
    QLineEdit* editor_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    bool cerrando_ = false;
    bool siguiendo_ = false;
    ModeloControl::Suscripcion editorModelo_;
};
