#pragma once

// The voucher lookup window on screen (offscreen) and the moment it shows its first screen: its
// list holds as many rows as it can show and the window has taken the turn of its event loop that
// shows them.

#include "FrmConsComprobantes.h"
#include "ModeloListaVista.h"
#include "TiempoProceso.h"
#include "VistaFrmConsComprobantes.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

struct PrimeraPantalla {
    double segundos = 0; // processor time of this thread until then; 0 when it never showed one
    int filas = 0;       // the rows the list held then
    double todas = 0;    // until the window is loaded (every row read, or closed at its first screen)
};

// When the first screen's turn comes: the window takes its turns by the wall clock (one each 30 ms),
// so how many rows it holds then depends on the machine's load; taken as soon as the rows are in,
// neither the moment nor the rows do.
enum class TurnoPrimeraPantalla { DeLaVentana, AlLlegarLasFilas };

// Loads the window of `form` (its type set) in `vista`; with `cierra`, the user closes it at its
// first screen, otherwise it reads every row.
inline PrimeraPantalla MuestraConsultaCptes(FrmConsComprobantes& form, VistaFrmConsComprobantes& vista,
                                            bool cierra, TurnoPrimeraPantalla turno) {
    vista.show();
    QApplication::processEvents();
    const int visibles = std::max(1, vista.Lista()->viewport()->height() /
                                         vista.Lista()->verticalHeader()->defaultSectionSize());
    PrimeraPantalla p;
    double inicio = 0;
    const auto cede = form.cedeTurno;
    form.cedeTurno = [&] {
        cede();
        if (p.segundos != 0 || form.ListView1.Count() < visibles)
            return;
        if (turno == TurnoPrimeraPantalla::AlLlegarLasFilas && vista.Modelo()->rowCount() < visibles)
            QApplication::processEvents();
        if (vista.Modelo()->rowCount() < visibles)
            return;
        p.segundos = TiempoHilo() - inicio;
        p.filas = form.ListView1.Count();
        if (cierra)
            form.CmdCancelar_Click();
    };
    inicio = TiempoHilo();
    vista.Inicia();
    p.todas = TiempoHilo() - inicio;
    form.cedeTurno = cede;
    return p;
}
