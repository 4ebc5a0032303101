#pragma once

#include "DialogoLinea.h"

#include <concepts>

// A line dialog's private state, for the tests that must read what a driver gave the dialog or
// change it between two events. Nothing of the program uses it.
template <class Dialogo> class AccesoPruebasLinea {
public:
    explicit AccesoPruebasLinea(Dialogo& f) : f_(f) {}

    typename Dialogo::Entrada& Entrada() { return f_.entrada_; }
    typename Dialogo::Resultado& Devuelto() { return f_.resultado_; }
    // The lot and serial dialog's deposit as its CampoValida wrote it.
    const QString& IdDeposito() const { return f_.idDeposito_; }

private:
    Dialogo& f_;
};

// Shorter to write in a test: Prueba(f).Entrada().Cantidad1 = 20.
template <class Dialogo>
requires std::derived_from<Dialogo, DialogoLinea> AccesoPruebasLinea<Dialogo> Prueba(Dialogo& f) {
    return AccesoPruebasLinea<Dialogo>(f);
}
