#pragma once

#include "CajaTexto.h"
#include "Etiqueta.h"
#include "ListaCombo.h"

#include <functional>

class QCheckBox;
class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

// The bindings of a view's widgets to the form's control models: the widget shows the model at
// once and after every change, and the user's changes go back to the model. Each binding is a
// child of its widget, so it ends with the widget; when the model goes first, the binding stops
// and touches nothing. Every view binds its widgets through these.

// A label (or a picture box shown as one): caption, visibility, enabling, tool tip, colours.
// `extra`, when given, runs after each update (e.g. to repaint at once).
void EnlazaEtiqueta(ControlSimple& modelo, QLabel* w, std::function<void()> extra = nullptr);
// A frame: visibility and enabling.
void EnlazaMarco(ControlSimple& modelo, QWidget* w);
void EnlazaBoton(Boton& modelo, QPushButton* w);
// The user's ticks set Value (1 ticked, 2 greyed, 0 unticked).
void EnlazaCasilla(CasillaVerificacion& modelo, QCheckBox* w);
// Text, length limit, enabling, visibility and colours; what the user types sets the text and
// the caret. `alEditar` runs after the model took the user's text.
void EnlazaCaja(CajaTexto& modelo, QLineEdit* w, std::function<void()> alEditar = nullptr);
// Items, selection, enabling, visibility, tool tip; the user's selection sets ListIndex (a
// selection the model refuses puts the shown one back).
void EnlazaLista(ListaCombo& modelo, QComboBox* w);
// The form moved the focus: the widget takes it (when it has not already) with `sincronizando`
// set meanwhile, so that the view's own focus handler does not send the move back to the form.
void DaFocoDelFormulario(QWidget* w, bool& sincronizando);

// The system's BGR colour; an invalid colour (the control's default) for a negative value.
QColor ColorBgr(int bgr);

// While a long work runs on the window's thread and yields to the event loop now and then (from
// DifiereVistas(true) to its DifiereVistas(false), nested: a form's bulk command, the posting's
// banner on screen), the views follow their models at a steady pace: SigueModelo runs a view's
// update once, at the first turn of the event loop at least RitmoVistasMs after the updates
// last ran, however often the model changed meanwhile; the end runs every update still waiting.
// Otherwise it runs the update at once. So a loop that changes a control on every line, and
// yields on every line, paints its windows a few dozen times a second, not once per line.
// `pendiente` is the view's own flag (a member of `vista`), set while its update waits; the
// update of a view that went meanwhile is dropped. The bindings above, the grid's table and
// cell editor and the toolbar follow this way.
constexpr int RitmoVistasMs = 30;
void DifiereVistas(bool difiere);
void SigueModelo(QObject* vista, bool& pendiente, std::function<void()> actualiza);
// Runs every update still waiting, now: a dialog that opens during the work shows over views
// that are up to date.
void VistasAlDia();

// Drops the waiting updates of `ventana` and of everything under it, now that it goes: none
// runs on a window half destroyed.
void DescartaEsperas(const QObject* ventana);

// One window's share of DifiereVistas: on while the window says so, never counted twice, and
// given back when the window goes, once the window's own waiting updates are dropped (given back
// first, they would run on the window being destroyed, and one that turned the share on again
// would hold every view of the program deferred for good). A member of the window.
class VistasDiferidas {
public:
    explicit VistasDiferidas(const QObject* ventana) : ventana_(ventana) {}
    VistasDiferidas(const VistasDiferidas&) = delete;
    VistasDiferidas& operator=(const VistasDiferidas&) = delete;
    ~VistasDiferidas() {
        DescartaEsperas(ventana_);
        Pon(false);
    }
    void Pon(bool difiere) {
        if (difiere != activo_) {
            activo_ = difiere;
            DifiereVistas(difiere);
        }
    }

private:
    const QObject* ventana_;
    bool activo_ = false;
};
