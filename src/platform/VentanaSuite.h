#pragma once

#include <QString>
#include <functional>

class VentanaSuite;

// The window-skin control of the suite's main windows: loads a skin (a Qt style sheet) and
// applies it to its window, whose view then shows it.
class MarcoSkin {
public:
    // Loads the skin at `ruta` (a file or a ":/" resource). With a scheme the skin is a
    // folder and the scheme names its sheet inside it. A skin that cannot be read raises
    // ErrorSistema 53.
    void LoadSkin(const QString& ruta, const QString& esquema);
    // Skins the window: from now on its view shows HojaEstilo().
    void ApplyWindow(VentanaSuite& ventana);
    int ApplyOptions() const { return opciones_; }
    void setApplyOptions(int opciones);

    const QString& Skin() const { return ruta_; }
    const QString& Esquema() const { return esquema_; }
    // The style sheet loaded, and whether it was applied to the window.
    const QString& HojaEstilo() const { return hoja_; }
    bool Aplicado() const { return aplicado_; }

    // Told after a change, for the view.
    std::function<void()> alCambiar;

private:
    void Avisa() const;

    QString ruta_;
    QString esquema_;
    QString hoja_;
    bool aplicado_ = false;
    int opciones_ = 0;
};

// What the suite's set-up procedures reach of a window besides its own controls: its type
// name, its icon, its skin control and the style of its toolbars. A window's form class
// derives from it; its view shows the icon and the skin (see AplicaAspecto in widgets/).
class VentanaSuite {
public:
    virtual ~VentanaSuite() = default;

    // The window's type (its form class's name, e.g. "FrmVardelio").
    virtual QString TipoVentana() const = 0;

    // The window's icon: the path of its image (a file or a ":/" resource), empty for none.
    const QString& Icon() const { return icono_; }
    void setIcon(const QString& ruta);

    // The window's skin control; nullptr for a window without one.
    virtual MarcoSkin* SkinFramework1() { return nullptr; }
    // Sets the property StyleBar of the window's toolbar control of that name; false when
    // the window has no such control.
    virtual bool AsignaStyleBar(const QString& control, double valor) {
        (void)control;
        (void)valor;
        return false;
    }

    // Told after the icon changes, for the view.
    std::function<void()> alCambiarIcono;

private:
    QString icono_;
};
