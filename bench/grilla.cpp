// Cost of the grid model at the size of the largest voucher: 100,000 lines of 101 columns.
// Baseline: the same texts written into a bare vector of rows.
#include "Grilla.h"
#include "ModeloGrilla.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

namespace {

constexpr int Filas = 100000;
constexpr int Cols = 101;
const QString Compartidos[] = {"-1", "0", "UN", "1", "|L1|L2|"};

double Base() {
    QElapsedTimer t;
    t.start();
    std::vector<std::vector<QString>> celdas(Filas, std::vector<QString>(Cols));
    for (int r = 1; r < Filas; ++r) {
        celdas[r][0] = QString::number(r);
        for (int c = 1; c < Cols; ++c)
            celdas[r][c] = Compartidos[(r + c) % 5];
    }
    celdas.resize(10);
    celdas.resize(Filas, std::vector<QString>(Cols));
    return t.nsecsElapsed() / 1e9;
}

double ConGrilla(bool conModelo) {
    QElapsedTimer t;
    t.start();
    Grilla g(2, Cols, 1, 0);
    std::unique_ptr<ModeloGrilla> modelo;
    if (conModelo)
        modelo = std::make_unique<ModeloGrilla>(g);
    g.setRedraw(false);
    g.setRows(Filas);
    for (int r = 1; r < Filas; ++r) {
        g.setTextMatrix(r, 0, QString::number(r));
        for (int c = 1; c < Cols; ++c)
            g.setTextMatrix(r, c, Compartidos[(r + c) % 5]);
    }
    g.setRows(10);
    g.setRows(Filas);
    g.setRedraw(true);
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double base = Base();
    const double grilla = ConGrilla(false);
    const double modelo = ConGrilla(true);
    std::printf("time base_vector_filas %.3f\n", base);
    std::printf("time grilla_llenar_y_redimensionar %.3f\n", grilla);
    std::printf("time grilla_con_modelo_sin_redraw %.3f\n", modelo);
    std::printf("ratio grilla_vs_base %.2f\n", grilla / base);
    std::printf("ratio grilla_con_modelo_vs_base %.2f\n", modelo / base);
    return 0;
}
