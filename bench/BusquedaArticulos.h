#pragma once

// The editor's article search as F5 in an article cell runs it, the window's part played without
// a display, timed in the processor time of this thread.

#include "ConsultaLike.h"
#include "Interaccion.h"
#include "TiempoProceso.h"
#include "VentanaConsulta.h"

#include <QString>

struct TiemposBusqueda {
    double primera = 1e9; // until the window shows its first screen
    double todas = 1e9;   // until it holds every row (with `todas`)
    int filas = 0;
};

// SubConsultaLike on "STK_MA_ARTICULOS" for `texto`; with `todas`, every row is read before the
// user closes the window.
inline TiemposBusqueda BuscaArticulos(InteraccionGuionada& guion, const QString& texto, bool todas) {
    TiemposBusqueda t;
    double inicio = 0;
    guion.alMostrar = [&](Formulario& f) {
        auto& v = dynamic_cast<VentanaConsulta&>(f);
        t.primera = TiempoHilo() - inicio;
        while (todas && !v.Completa())
            v.LeeFilas(500);
        t.todas = TiempoHilo() - inicio;
        t.filas = v.FilasDatos();
        v.Cancelar();
    };
    QString tabla = QStringLiteral("STK_MA_ARTICULOS");
    QString buscado = texto;
    QString resultado;
    inicio = TiempoHilo();
    SubConsultaLike(tabla, buscado, resultado);
    guion.alMostrar = nullptr;
    return t;
}
