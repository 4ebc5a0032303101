#pragma once

// The editor's real window in the benchmarks (VentanaReal.h).

#include "FrmVardelio.h"
#include "VentanaReal.h"
#include "VistaVardelio.h"

#include <algorithm>

// `f` run by the wall clock while the form's window shows; the window goes when it ends.
inline double EnVentana(FrmVardelio& form, const std::function<void()>& f) {
    VistaVardelio vista(form);
    Expone(vista);
    return TiempoReloj(f);
}

// A bulk command of the form timed in turns by the wall clock, by the form alone and through its
// window: `prepara` runs before each run, `comprueba` after it (it ends the program when the run
// did not do the whole work). Prints both times and their ratio under `nombre` and returns the
// window's time.
inline double ComparaConVentana(FrmVardelio& form, const char* nombre, int vueltas,
                                const std::function<void()>& prepara, const std::function<void()>& orden,
                                const std::function<void(const char* lado)>& comprueba) {
    double logica = 1e9;
    double ventana = 1e9;
    for (int v = 0; v < vueltas; ++v) {
        prepara();
        logica = std::min(logica, TiempoReloj(orden));
        comprueba("sin ventana");
        prepara();
        ventana = std::min(ventana, EnVentana(form, orden));
        comprueba("en la ventana");
    }
    std::printf("time %s_logica %.6f\n", nombre, logica);
    std::printf("time %s_ventana %.6f\n", nombre, ventana);
    std::printf("ratio %s_ventana_vs_logica %.3f\n", nombre, ventana / logica);
    std::fflush(stdout);
    return ventana;
}
