#pragma once

#include "ModeloControl.h"

#include <QString>
#include <functional>

// The small controls of the system's forms as the logic sees them: what they show and whether
// they can be used. Colours are the system's BGR integers (red in the low byte); -1 = the
// control's default colour. Every change is told (ModeloControl), for the views.
class ControlSimple : public ModeloControl {
public:
    ControlSimple() = default;
    explicit ControlSimple(QString caption) : caption_(std::move(caption)) {}

    const QString& Caption() const { return caption_; }
    void setCaption(const QString& c) { Asigna(caption_, c); }
    bool Visible() const { return visible_; }
    void setVisible(bool v) { Asigna(visible_, v); }
    bool Enabled() const { return habilitado_; }
    void setEnabled(bool h) { Asigna(habilitado_, h); }
    const QString& ToolTipText() const { return ayuda_; }
    void setToolTipText(const QString& t) { Asigna(ayuda_, t); }
    int ForeColor() const { return colorLetra_; }
    void setForeColor(int bgr) { Asigna(colorLetra_, bgr); }
    int BackColor() const { return colorFondo_; }
    void setBackColor(int bgr) { Asigna(colorFondo_, bgr); }

    // Asks the view to repaint now (the system's Refresh).
    void Refresh() { Avisa(); }

private:
    QString caption_;
    bool visible_ = true;
    bool habilitado_ = true;
    QString ayuda_;
    int colorLetra_ = -1;
    int colorFondo_ = -1;
};

// A label. `alCambiarCaption` is its Change event (the caption changed).
class Etiqueta : public ControlSimple {
public:
    using ControlSimple::ControlSimple;
    void setCaption(const QString& c) {
        const bool cambia = c != Caption();
        ControlSimple::setCaption(c);
        if (cambia && alCambiarCaption)
            alCambiarCaption();
    }
    std::function<void()> alCambiarCaption;
};

// A command button.
class Boton : public ControlSimple {
public:
    using ControlSimple::ControlSimple;
};

// A check box: Value 0 unticked, 1 ticked, 2 greyed.
class CasillaVerificacion : public ControlSimple {
public:
    using ControlSimple::ControlSimple;
    int Value() const { return valor_; }
    void setValue(int v) { Asigna(valor_, v); }

private:
    int valor_ = 0;
};

// A frame or a picture box: a container that can be shown, hidden and disabled.
class Marco : public ControlSimple {
public:
    using ControlSimple::ControlSimple;
};
