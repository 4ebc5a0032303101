#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

// The suite's toolbar control of the editing windows: eight command buttons, each pressed by
// the user or by a key handed to ProcesaTecla, raising Click with the button's word. Seven
// switches enable the buttons in the window's states:
//
//   HabilitaFueraEdicion1      NUEVO
//   HabilitaFueraEdicion2      PLANILLA
//   HabilitaEnEdicion1         GRABAR
//   HabilitaEnEdicion2         CANCELAR
//   HabilitaEnEdicionSinEgreso BORRAR
//   HabilitaConsultar          CONSULTAR
//   HabilitaSiempre            REPORTE, CERRAR
//
// Keys (ProcesaTecla): F2 GRABAR, F3 NUEVO, F5 CONSULTAR, F6 PLANILLA, F7 REPORTE, F8 BORRAR,
// F12 CERRAR, Escape CANCELAR. A key that presses an enabled button is consumed (set to 0).
class BarraHerramientas {
public:
    struct BotonBarra {
        QString palabra;  // the command word raised by Click
        QString caption;  // short text under the icon
        QString ayuda;    // tool tip
        QString icono;    // desktop theme icon name
        qint16 tecla = 0; // key code that presses it (0 = none)
        bool habilitado = false;
        bool visible = true;
    };

    BarraHerramientas();
    BarraHerramientas(const BarraHerramientas&) = delete;
    BarraHerramientas& operator=(const BarraHerramientas&) = delete;

    const std::vector<BotonBarra>& Botones() const { return botones_; }
    // The button of that word (case ignored); nullptr when none.
    const BotonBarra* Boton(const QString& palabra) const;
    bool BotonHabilitado(const QString& palabra) const;

    // The user pressed the button: raises Click with its word when it is enabled and visible.
    // False when nothing was raised.
    bool Presiona(const QString& palabra);
    // A key that reached the window: presses the button it belongs to; a key that pressed one
    // comes back 0.
    void ProcesaTecla(qint16& KeyCode);

    bool HabilitaFueraEdicion1() const { return fueraEdicion1_; }
    void setHabilitaFueraEdicion1(bool h);
    bool HabilitaFueraEdicion2() const { return fueraEdicion2_; }
    void setHabilitaFueraEdicion2(bool h);
    bool HabilitaEnEdicion1() const { return enEdicion1_; }
    void setHabilitaEnEdicion1(bool h);
    bool HabilitaEnEdicion2() const { return enEdicion2_; }
    void setHabilitaEnEdicion2(bool h);
    bool HabilitaEnEdicionSinEgreso() const { return sinEgreso_; }
    void setHabilitaEnEdicionSinEgreso(bool h);
    bool HabilitaSiempre() const { return siempre_; }
    void setHabilitaSiempre(bool h);
    bool HabilitaConsultar() const { return consultar_; }
    void setHabilitaConsultar(bool h);

    // The bar's look: 0 raised buttons, any other value flat.
    double StyleBar() const { return estilo_; }
    void setStyleBar(double s);

    bool Enabled() const { return habilitada_; }
    void setEnabled(bool h);

    // The Click event: the word of the pressed button.
    std::function<void(const QString& palabra)> Click;
    // Told after every change of the buttons or the look, for the view.
    std::function<void()> alCambiar;

private:
    void Actualiza();

    std::vector<BotonBarra> botones_;
    bool fueraEdicion1_ = true;
    bool fueraEdicion2_ = true;
    bool enEdicion1_ = false;
    bool enEdicion2_ = false;
    bool sinEgreso_ = false;
    bool siempre_ = true;
    bool consultar_ = false;
    double estilo_ = 1;
    bool habilitada_ = true;
};
