// Layout of the tasks, other-concepts and item-totals grids by InicializaGrids.

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "CajaTexto.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "ColumnasTotales.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>

namespace {

// The tests' font (MedidaPrueba): X is 120 twips wide, every other character 60.
int Medida(const QString& texto) {
    return MedidaPrueba(texto);
}
constexpr int X = kAnchoX;

const QStringList TitulosTareas = {"Código",
                                   "Descripción",
                                   "Cantidad",
                                   "Importe",
                                   "Total",
                                   "AuxEsExento",
                                   "ImporteSinIVA",
                                   "AuxObservAdic",
                                   "AuxFechaInicio",
                                   "AuxFechaFin",
                                   "AuxIdTecnico",
                                   "CodigoOriginal",
                                   "AuxFechaREALInicio",
                                   "AuxFechaREALFin",
                                   "AuxCuentaContable",
                                   "Prioridad",
                                   "Usuario",
                                   "AuxFhPresentacion",
                                   "AuxFhEmision",
                                   "AuxNroExp",
                                   "AuxFhEntrega",
                                   "",
                                   "",
                                   "AuxTasaIVA"};
const QStringList TitulosOtrosConceptos = {"Detalle", "Importe S/Iva", "Importe", "Cuenta", "", "", ""};
const QStringList TitulosTotales = {"Descripcion", "Cantidad ITEM'S", "Cantidad"};

QStringList Titulos(const Grilla& g) {
    QStringList r;
    for (int c = 0; c < g.Cols(); ++c)
        r << g.TextMatrix(0, c);
    return r;
}

std::map<int, int> Anchos(const Grilla& g) {
    std::map<int, int> r;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.ColWidth(c) != 0)
            r[c] = g.ColWidth(c);
    return r;
}

// A grid that held a voucher before, with a narrow control and its own widths in the
// working columns that the layout leaves alone.
void Usada(Grilla& g, int cols) {
    g.setCols(cols);
    g.setRows(7);
    g.setWidth(900);
    for (int c = 0; c < cols; ++c) {
        g.setColWidth(c, 555);
        g.setTextMatrix(3, c, QStringLiteral("viejo"));
    }
}

class LayoutOtrasGrillas : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Usada(tareas, ColumnasGrillaTareas);
        Usada(articulos, ColumnasGrillaArticulos);
        Usada(otros, ColumnasGrillaOtrosConceptos);
        Usada(totales, 4);
        txtEdit3.setText(QStringLiteral("concepto anterior"));
    }

    void Dispone(const QString& tc) {
        ClsCmnCptesServicios c;
        c.InicializaGrids(&tareas, &articulos, &otros, &txtEdit, &txtEdit2, &txtEdit3, Medida, tc, &totales);
    }

    Grilla tareas, articulos, otros, totales;
    CajaTexto txtEdit{QStringLiteral("TxtEdit")};
    CajaTexto txtEdit2{QStringLiteral("txtEdit2")};
    CajaTexto txtEdit3{QStringLiteral("TxtEdit3")};
};

TEST_F(LayoutOtrasGrillas, TasksGridMatchesItsTable) {
    Dispone(QStringLiteral("FC"));

    EXPECT_EQ(tareas.Rows(), 2);
    EXPECT_EQ(tareas.Cols(), ColumnasGrillaTareas);
    EXPECT_EQ(Titulos(tareas), TitulosTareas);
    EXPECT_EQ(tareas.TextMatrix(1, colTarea::Codigo), "");
    // The working columns keep the widths they had; no width is cut to the narrow control.
    const std::map<int, int> anchos = {{colTarea::Codigo, 7 * X},   {colTarea::Descripcion, 37 * X},
                                       {colTarea::Cantidad, 7 * X}, {colTarea::ValorHora, 11 * X},
                                       {colTarea::Total, 11 * X},   {colTarea::Trabajo21, 555},
                                       {colTarea::Trabajo22, 555}};
    EXPECT_EQ(Anchos(tareas), anchos);
    EXPECT_EQ(tareas.ColAlignment(colTarea::Descripcion), Alineacion::IzquierdaCentro);
    EXPECT_EQ(tareas.ColAlignment(colTarea::Codigo), Alineacion::General);
    EXPECT_FALSE(txtEdit.Visible());
}

TEST_F(LayoutOtrasGrillas, OtherConceptsAndTotalsGridsMatchTheirTables) {
    Dispone(QStringLiteral("FC"));

    EXPECT_EQ(otros.Rows(), 2);
    EXPECT_EQ(otros.Cols(), ColumnasGrillaOtrosConceptos);
    EXPECT_EQ(Titulos(otros), TitulosOtrosConceptos);
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::Detalle), "");
    const std::map<int, int> anchosOtros = {{colOtroConcepto::Detalle, 20 * X},
                                            {colOtroConcepto::ImporteSinIva, 8 * X},
                                            {colOtroConcepto::Importe, 8 * X},
                                            {colOtroConcepto::Trabajo6, 555}};
    EXPECT_EQ(Anchos(otros), anchosOtros);
    EXPECT_EQ(otros.ColAlignment(colOtroConcepto::Detalle), Alineacion::IzquierdaCentro);
    // Its editor is emptied, not hidden.
    EXPECT_EQ(txtEdit3.Text(), "");
    EXPECT_TRUE(txtEdit3.Visible());

    EXPECT_EQ(totales.Rows(), FilasGrillaTotales);
    EXPECT_EQ(totales.Cols(), ColumnasGrillaTotales);
    EXPECT_EQ(Titulos(totales), TitulosTotales);
    for (int f = 1; f < totales.Rows(); ++f)
        for (int c = 0; c < totales.Cols(); ++c)
            EXPECT_EQ(totales.TextMatrix(f, c), "") << f << "," << c;
    const std::map<int, int> anchosTotales = {
        {colTotal::Descripcion, 50 * X}, {colTotal::Lineas, 15 * X}, {colTotal::Cantidad, 10 * X}};
    EXPECT_EQ(Anchos(totales), anchosTotales);
    EXPECT_EQ(totales.ColAlignment(colTotal::Descripcion), Alineacion::IzquierdaCentro);

    // The articles grid between them is laid out as before, capped to its control.
    EXPECT_EQ(articulos.Cols(), ColumnasGrillaArticulos);
    EXPECT_EQ(articulos.ColWidth(col::CodigoArticulo), 15 * X);
    EXPECT_EQ(articulos.ColWidth(col::Descripcion), 900 - 400);
    EXPECT_FALSE(txtEdit2.Visible());
}

TEST_F(LayoutOtrasGrillas, HiddenAmountsWidenTheDescriptions) {
    // OP: code, the description with both amounts' room, and the quantity.
    Dispone(QStringLiteral("OP"));
    const std::map<int, int> tareasOp = {{colTarea::Codigo, 7 * X},
                                         {colTarea::Descripcion, (37 + 11 + 11) * X},
                                         {colTarea::Cantidad, 7 * X},
                                         {colTarea::Trabajo21, 555},
                                         {colTarea::Trabajo22, 555}};
    EXPECT_EQ(Anchos(tareas), tareasOp);
    EXPECT_EQ(tareas.TextMatrix(0, colTarea::ValorHora), "Importe");
    const std::map<int, int> otrosOp = {{colOtroConcepto::Detalle, (20 + 8 + 8) * X},
                                        {colOtroConcepto::Trabajo6, 555}};
    EXPECT_EQ(Anchos(otros), otrosOp);
    EXPECT_EQ(totales.ColWidth(colTotal::Descripcion), 50 * X);
}

TEST_F(LayoutOtrasGrillas, WorkOrderHidesTheHoursOnlyWithItsAmounts) {
    Dispone(QStringLiteral("OT"));
    EXPECT_EQ(tareas.ColWidth(colTarea::Descripcion), 37 * X);
    EXPECT_EQ(tareas.ColWidth(colTarea::Cantidad), 7 * X);
    EXPECT_EQ(tareas.ColWidth(colTarea::ValorHora), 11 * X);

    AjustaConfiguracion(QStringLiteral("NoMostrarImportesEnOT"), QStringLiteral("SI"));
    Dispone(QStringLiteral("ot"));
    EXPECT_EQ(tareas.ColWidth(colTarea::Descripcion), (37 + 11 + 11 + 7) * X);
    EXPECT_EQ(tareas.ColWidth(colTarea::Cantidad), 0);
    EXPECT_EQ(tareas.ColWidth(colTarea::ValorHora), 0);
    EXPECT_EQ(tareas.ColWidth(colTarea::Total), 0);
    EXPECT_EQ(otros.ColWidth(colOtroConcepto::Detalle), (20 + 8 + 8) * X);

    // "OT" followed by blanks hides no amounts, so neither rule applies.
    Dispone(QStringLiteral("OT  "));
    EXPECT_EQ(tareas.ColWidth(colTarea::Descripcion), 37 * X);
    EXPECT_EQ(tareas.ColWidth(colTarea::Cantidad), 7 * X);
    EXPECT_EQ(otros.ColWidth(colOtroConcepto::ImporteSinIva), 8 * X);
}

TEST_F(LayoutOtrasGrillas, AbsentGridsAreSkippedWithTheirEditors) {
    ClsCmnCptesServicios c;
    c.InicializaGrids(nullptr, nullptr, &otros, nullptr, nullptr, &txtEdit3, Medida, QStringLiteral("FC"));
    EXPECT_EQ(Titulos(otros), TitulosOtrosConceptos);
    EXPECT_EQ(tareas.TextMatrix(3, 0), "viejo");
    EXPECT_EQ(totales.Cols(), 4);
    EXPECT_TRUE(txtEdit.Visible());

    c.InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, Medida, QStringLiteral("FC"),
                      &totales);
    EXPECT_EQ(Titulos(totales), TitulosTotales);
}

TEST_F(LayoutOtrasGrillas, GridWithoutItsEditorStopsTheLayout) {
    ClsCmnCptesServicios c;
    try {
        c.InicializaGrids(&tareas, &articulos, nullptr, nullptr, &txtEdit2, nullptr, Medida,
                          QStringLiteral("FC"));
        FAIL() << "a tasks grid without its editor was laid out";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 91);
    }
    // Nothing after the failing step was done: the articles grid is as it was.
    EXPECT_EQ(articulos.TextMatrix(3, 0), "viejo");

    EXPECT_THROW(c.InicializaGrids(nullptr, &articulos, &otros, nullptr, &txtEdit2, nullptr, Medida,
                                   QStringLiteral("FC"), &totales),
                 ErrorSistema);
    // The articles grid comes before the other concepts; the totals grid after them.
    EXPECT_EQ(articulos.Rows(), 2);
    EXPECT_EQ(articulos.Cols(), ColumnasGrillaArticulos);
    EXPECT_EQ(otros.TextMatrix(3, 0), "viejo");
    EXPECT_EQ(totales.Cols(), 4);
}

} // namespace
