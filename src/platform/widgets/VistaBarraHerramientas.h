#pragma once

#include "BarraHerramientas.h"

#include <QHash>
#include <QToolBar>

class QAction;

// The system's key code (Windows virtual-key numbers: Enter 13, Escape 27, arrows 37..40, F1 112,
// letters and digits as their upper-case ASCII) of a Qt key; 0 for a key the system has no code
// for, and for Tab: it moves the focus in the window's order and no control's key events see it.
qint16 CodigoTecla(int teclaQt);

// Shows a toolbar model: one action per button (desktop theme icon, or the style's when the
// theme lacks it; caption under the icon, tool tip), enabled as the model says (a disabled
// caption greyed, still readable); a click presses the model's button. The model must outlive
// the view.
class VistaBarraHerramientas : public QToolBar {
public:
    explicit VistaBarraHerramientas(BarraHerramientas& barra, QWidget* padre = nullptr);
    ~VistaBarraHerramientas() override;

    QAction* Accion(const QString& palabra) const { return acciones_.value(palabra); }

private:
    void Actualiza();
    void CaptionsGrises();

    BarraHerramientas& barra_;
    QHash<QString, QAction*> acciones_;
    bool pendiente_ = false;
};
