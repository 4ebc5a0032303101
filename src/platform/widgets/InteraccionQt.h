#pragma once

#include "Interaccion.h"

#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>

class QApplication;

// The port shown to a person: Qt message boxes, input boxes and file dialogs, and the
// Qt view registered for each form name.
class InteraccionQt : public Interaccion {
public:
    // Runs the view of a form modally over `padre`.
    using Vista = std::function<void(Formulario&, QWidget* padre)>;

    static void RegistraVista(const QString& nombreFormulario, Vista vista);
    void setPadre(QWidget* padre) { padre_ = padre; }

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override;
    std::optional<QString> InputBox(const QString& texto, const QString& titulo,
                                    const QString& valorInicial) override;
    QString AbreArchivo(const QString& titulo, const QString& filtro, const QString& carpeta) override;
    void MuestraModal(Formulario& formulario) override;
    // A QMenu at the mouse (object name: the menu's control name).
    const OpcionMenu* PopupMenu(const OpcionMenu& menu) override;

private:
    QPointer<QWidget> padre_;
};

class QMessageBox;
class QRect;

// A box whose text would not fit `disponible` (the screen's free area) shows it in a scrolling
// area in place of its label: the box fits the screen and its buttons stay in reach. Its text,
// icon, caption and buttons stay as they are.
void AcomodaTextoLargo(QMessageBox& caja, const QRect& disponible);

// Loads Qt's Spanish texts for the standard buttons and dialogs.
void InstalaTraduccionesEs(QApplication& app);
