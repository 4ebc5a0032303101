// Cost of the grid at the size of the largest voucher: 100,000 lines of 101 columns filled, cut to
// 10 lines and grown back, with and without a view's model attached (redraw off, as while a
// voucher loads). Baseline: the same texts written into a bare vector of rows of 101 texts, cut
// and grown back with empty rows. The three must end holding the same texts. Sides are timed in
// turns (processor time of this thread), each starting from the same heap: its last result
// released outside its timing and the free heap given back. The best of several rounds counts.
#include "Grilla.h"
#include "Medidas.h"
#include "ModeloGrilla.h"
#include "TiempoProceso.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Filas = 100000;
constexpr int Cols = 101;
const QString Compartidos[] = {"-1", "0", "UN", "1", "|L1|L2|"};

using Celdas = std::vector<std::vector<QString>>;

void Base(Celdas& celdas) {
    celdas.assign(Filas, std::vector<QString>(Cols));
    for (int r = 1; r < Filas; ++r) {
        celdas[r][0] = QString::number(r);
        for (int c = 1; c < Cols; ++c)
            celdas[r][c] = Compartidos[(r + c) % 5];
    }
    celdas.resize(10);
    celdas.resize(Filas); // rows grown back hold no texts
}

struct ConModelo {
    std::unique_ptr<Grilla> grilla;
    std::unique_ptr<ModeloGrilla> modelo; // goes before the grid it shows

    void Suelta() {
        modelo.reset();
        grilla.reset();
    }
};

void Llena(ConModelo& g, bool conModelo) {
    g.grilla = std::make_unique<Grilla>(2, Cols, 1, 0);
    if (conModelo)
        g.modelo = std::make_unique<ModeloGrilla>(*g.grilla);
    Grilla& grilla = *g.grilla;
    grilla.setRedraw(false);
    grilla.setRows(Filas);
    for (int r = 1; r < Filas; ++r) {
        grilla.setTextMatrix(r, 0, QString::number(r));
        for (int c = 1; c < Cols; ++c)
            grilla.setTextMatrix(r, c, Compartidos[(r + c) % 5]);
    }
    grilla.setRows(10);
    grilla.setRows(Filas);
    grilla.setRedraw(true);
}

bool Iguales(const Grilla& g, const Celdas& celdas) {
    if (g.Rows() != int(celdas.size()))
        return false;
    for (int r = 1; r < Filas; ++r)
        for (int c = 0; c < Cols; ++c)
            if (g.TextMatrix(r, c) != (size_t(c) < celdas[r].size() ? celdas[r][c] : QString()))
                return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Celdas celdas;
    ConModelo sinModelo;
    ConModelo conModelo;
    double base = 1e9, grilla = 1e9, modelo = 1e9;
    // Each side starts with its last result released and the free heap given back to the system,
    // so that every side pays for the pages it fills.
    for (int v = 0; v < VueltasBench(5); ++v) {
        Celdas().swap(celdas);
        MemoriaEnUso();
        base = std::min(base, TiempoProceso([&] { Base(celdas); }));
        sinModelo.Suelta();
        MemoriaEnUso();
        grilla = std::min(grilla, TiempoProceso([&] { Llena(sinModelo, false); }));
        conModelo.Suelta();
        MemoriaEnUso();
        modelo = std::min(modelo, TiempoProceso([&] { Llena(conModelo, true); }));
    }
    if (!Iguales(*sinModelo.grilla, celdas) || !Iguales(*conModelo.grilla, celdas)) {
        std::fprintf(stderr, "grilla: the grids and the vector hold different texts\n");
        return 1;
    }
    std::printf("time grilla_base %.3f\n", base);
    Informa("grilla", grilla, base);
    Informa("grilla_con_modelo", modelo, base);
    return 0;
}
