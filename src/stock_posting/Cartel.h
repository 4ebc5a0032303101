#pragma once

#include "Etiqueta.h"
#include "Interaccion.h"
#include "VentanaSuite.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>

// The progress banner of long postings, headless: a caption, three bold lines, an animation of
// twelve frames on a 100 ms timer and an optional cancel button. The cancel state is the
// button's caption ("Abortado" once pressed). Drawn at alpha 200 of 255 by its view.
class Lbf_CtrlDisplay : public VentanaSuite, public Formulario {
public:
    static constexpr int Cuadros = 12;
    static constexpr int Opacidad = 200; // of 255
    static constexpr int IntervaloMs = 100;
    inline static const QString CaptionCancelar = QStringLiteral("&Cancelar");
    inline static const QString CaptionAbortado = QStringLiteral("Abortado");

    // Loads the form: caption "Procesando Datos", the button's caption, picture 1, the timer on.
    Lbf_CtrlDisplay();
    ~Lbf_CtrlDisplay() override;
    Lbf_CtrlDisplay(const Lbf_CtrlDisplay&) = delete;
    Lbf_CtrlDisplay& operator=(const Lbf_CtrlDisplay&) = delete;

    QString TipoVentana() const override { return QStringLiteral("Lbf_CtrlDisplay"); }
    QString NombreFormulario() const override { return TipoVentana(); }

    std::array<Etiqueta, 3> LblCtrol;
    Boton CmdDisplayCancelar;
    // The frame shown by Image1, 1 to 12.
    int Image1() const { return imagen_; }

    const QString& Caption() const { return caption_; }
    void setCaption(const QString& c);
    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    bool SiempreVisible() const { return siempreVisible_; }
    void setSiempreVisible(bool v);
    // Repaint now.
    void Refresh();

    void CmdDisplayCancelar_Click();
    void Timer1_Timer();
    bool TimerActivo() const { return timer_.isActive(); }

    // Told of every change of the window (caption, shown, stacking, repaint).
    std::function<void()> alCambiar;
    // Told of each frame of the animation: only the animation changes.
    std::function<void()> alCambiarCuadro;

    // Builds the form's view the first time the form is shown; the view lives as long as the
    // form. None is registered without a display: the banner then shows nothing.
    static void RegistraVista(std::function<std::unique_ptr<QObject>(Lbf_CtrlDisplay&)> fabrica);

private:
    void Avisa() const;

    QString caption_ = QStringLiteral("Procesando Datos");
    bool visible_ = false;
    bool siempreVisible_ = false;
    int contador_ = 0;
    int imagen_ = 1;
    QTimer timer_;
    std::unique_ptr<QObject> vista_;
};

// The banner's driver, one per program (DllDisplay()). Any call creates the form when there is
// none; CartelCerrar releases it.
class Dll_Display {
public:
    // Shows the banner, modeless, with the caption and, when allowed, the cancel button.
    void CartelInicio(const QString& Titulo, bool PermiteCancelar);
    // Sets the lines given (a null value shows empty), repaints, tells whether cancel was
    // pressed and yields once to the event loop.
    void CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1 = std::nullopt,
                       const std::optional<QVariant>& l2 = std::nullopt,
                       const std::optional<QVariant>& l3 = std::nullopt);
    // Hides and releases the form; harmless without a banner.
    void CartelCerrar();
    // Keeps the banner above other windows; only its stacking changes.
    void setSiempre_Visible(bool vNewValue);

    // The form, nullptr when there is none (views and tests).
    Lbf_CtrlDisplay* Formulario() const { return form_.get(); }

private:
    Lbf_CtrlDisplay& Form();
    static QString NuloATexto(const QVariant& valor);

    std::unique_ptr<Lbf_CtrlDisplay> form_;
};

// The program's banner, created on first use and released at shutdown.
Dll_Display& DllDisplay();
bool ExisteDllDisplay();
void LiberaDllDisplay();
