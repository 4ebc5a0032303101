#include "Grilla.h"
#include "Ayudas.h"
#include "ErrorSistema.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Runs `f` and returns the number of the ErrorSistema it raised (0 when none).
// A grid whose cell (r, c) holds "r,c".
void Llena(Grilla& g) {
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c)
            g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

// The same painting loop the voucher services run over a row.
void PintaFila(Grilla& g, int fila, int color) {
    const int col = g.Col();
    for (int c = 0; c < g.Cols(); ++c) {
        g.setCol(c);
        g.setRow(fila);
        g.setCellBackColor(color);
    }
    g.setCol(col);
}

TEST(Grilla, ValoresDeDiseno) {
    Grilla g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.ColWidth(0), Grilla::AnchoColumnaPorDefecto);
    EXPECT_EQ(g.ColAlignment(1), Alineacion::General);
    EXPECT_TRUE(g.Redraw());
    EXPECT_EQ(g.TextMatrix(1, 1), "");
}

TEST(Grilla, CrecerConservaYAchicarDescartaCeldas) {
    Grilla g(5, 4, 1, 0);
    Llena(g);
    g.setRow(4);
    g.setCol(3);
    g.setCellBackColor(65535);

    g.setRows(3);
    g.setCols(2);
    EXPECT_EQ(g.Row(), 2); // the current cell follows the grid in
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.TextMatrix(2, 1), "2,1");
    EXPECT_EQ(NumeroDeError([&] { g.TextMatrix(3, 0); }), ErrorGrilla::SubindiceFueraDeRango);
    EXPECT_EQ(NumeroDeError([&] { g.TextMatrix(0, 2); }), ErrorGrilla::SubindiceFueraDeRango);

    g.setRows(5);
    g.setCols(4);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            const QString esperado = r < 3 && c < 2 ? QStringLiteral("%1,%2").arg(r).arg(c) : QString();
            EXPECT_EQ(g.TextMatrix(r, c), esperado) << r << "," << c;
        }
    EXPECT_EQ(g.ColorFondo(4, 3), 0); // the dropped cell comes back without its colour
    EXPECT_EQ(g.ColWidth(3), Grilla::AnchoColumnaPorDefecto);
}

TEST(Grilla, FilasYColumnasFijas) {
    Grilla g(4, 3, 1, 1);
    EXPECT_EQ(NumeroDeError([&] { g.setFixedRows(5); }), ErrorGrilla::ValorPropiedadInvalido);
    EXPECT_EQ(NumeroDeError([&] { g.setFixedCols(-1); }), ErrorGrilla::ValorPropiedadInvalido);
    g.setFixedRows(2);
    EXPECT_EQ(g.TopRow(), 2); // scrolling starts below the fixed rows
    g.setRows(1);
    EXPECT_EQ(g.FixedRows(), 1);
    g.setRows(0);
    EXPECT_EQ(g.FixedRows(), 0);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(NumeroDeError([&] { g.setRows(-1); }), ErrorGrilla::ValorPropiedadInvalido);
    g.setCols(0);
    EXPECT_EQ(g.FixedCols(), 0);
}

TEST(Grilla, ClearVaciaTitulosYColoresPeroNoElFormato) {
    Grilla g(3, 3, 1, 0);
    Llena(g);
    g.setColWidth(1, 0);
    g.setColAlignment(0, Alineacion::IzquierdaCentro);
    g.setRow(2);
    g.setCol(2);
    g.setCellBackColor(12648447);
    g.setCellForeColor(0xFFFFFF);

    g.Clear();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(g.TextMatrix(r, c), "");
    EXPECT_EQ(g.CellBackColor(), 0);
    EXPECT_EQ(g.CellForeColor(), 0);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.ColWidth(1), 0);
    EXPECT_EQ(g.ColAlignment(0), Alineacion::IzquierdaCentro);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
}

TEST(Grilla, AnchoCeroOcultaPeroConservaLosDatos) {
    Grilla g(2, 101, 1, 0);
    g.setTextMatrix(1, 21, "|L1|L2|");
    g.setColWidth(21, 0);
    EXPECT_TRUE(g.ColumnaOculta(21));
    EXPECT_EQ(g.TextMatrix(1, 21), "|L1|L2|");
    g.setTextMatrix(1, 21, "|L3|");
    EXPECT_EQ(g.TextMatrix(1, 21), "|L3|");
    g.setColWidth(21, 1500);
    EXPECT_EQ(g.ColWidth(21), 1500);
    EXPECT_FALSE(g.ColumnaOculta(21));
    g.setColWidth(21, -1);
    EXPECT_EQ(g.ColWidth(21), Grilla::AnchoColumnaPorDefecto);
    EXPECT_EQ(NumeroDeError([&] { g.setColWidth(21, -2); }), ErrorGrilla::ValorPropiedadInvalido);
    EXPECT_EQ(NumeroDeError([&] { g.setColWidth(101, 0); }), ErrorGrilla::SubindiceFueraDeRango);
    EXPECT_EQ(NumeroDeError([&] { g.setColAlignment(0, 10); }), ErrorGrilla::ValorPropiedadInvalido);
}

TEST(Grilla, TextArrayNumeraLasCeldasPorFilas) {
    Grilla g(3, 4, 1, 0);
    g.setTextArray(2, "Lista"); // a title: row 0, column 2
    EXPECT_EQ(g.TextMatrix(0, 2), "Lista");
    g.setTextArray(2 * 4 + 3, "x");
    EXPECT_EQ(g.TextMatrix(2, 3), "x");
    EXPECT_EQ(g.TextArray(11), "x");
    EXPECT_EQ(NumeroDeError([&] { g.TextArray(12); }), ErrorGrilla::SubindiceFueraDeRango);
    EXPECT_EQ(NumeroDeError([&] { g.setTextArray(-1, ""); }), ErrorGrilla::SubindiceFueraDeRango);
}

TEST(Grilla, ColoresDeLaCeldaActualEnBgr) {
    Grilla g(3, 5, 1, 1);
    g.setRow(1);
    g.setCol(2);
    g.setCellBackColor(65535);
    g.setCellForeColor(0xFFFFFF);
    EXPECT_EQ(g.CellBackColor(), 65535);
    EXPECT_EQ(g.ColorFondo(1, 2), 65535);
    EXPECT_EQ(g.ColorFondo(1, 3), 0); // only the current cell is painted
    EXPECT_EQ(g.ColorLetra(1, 2), 0xFFFFFF);
    g.setCellBackColor(0); // back to the grid's colour; the letter keeps its own
    EXPECT_EQ(g.CellBackColor(), 0);
    EXPECT_EQ(g.CellForeColor(), 0xFFFFFF);

    PintaFila(g, 2, 16711680);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g.ColorFondo(2, c), 16711680) << c; // fixed column 0 included
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.ColorFondo(1, 0), 0);
}

TEST(Grilla, CeldaActualFueraDeRango) {
    Grilla g(3, 4, 1, 2);
    EXPECT_EQ(NumeroDeError([&] { g.setRow(3); }), ErrorGrilla::FilaInvalida);
    EXPECT_EQ(NumeroDeError([&] { g.setRow(-1); }), ErrorGrilla::FilaInvalida);
    EXPECT_EQ(NumeroDeError([&] { g.setCol(4); }), ErrorGrilla::ColumnaInvalida);
    EXPECT_EQ(NumeroDeError([&] { g.TextMatrix(-1, 0); }), ErrorGrilla::SubindiceFueraDeRango);
    g.setCol(0); // a fixed column may be made current by default
    EXPECT_EQ(g.Col(), 0);
    g.setCol(3);
    g.setRechazaColumnaFija(true);
    EXPECT_EQ(NumeroDeError([&] { g.setCol(1); }), ErrorGrilla::ColumnaInvalida);
    EXPECT_EQ(g.Col(), 3);
    g.setRow(0); // fixed rows are never refused
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(NumeroDeError([&] { g.ColWidth(-1); }), ErrorGrilla::SubindiceFueraDeRango);
    Grilla vacia(0, 0, 0, 0);
    EXPECT_EQ(NumeroDeError([&] { vacia.Text(); }), ErrorGrilla::SubindiceFueraDeRango);
    EXPECT_EQ(NumeroDeError([&] { vacia.setCellBackColor(1); }), ErrorGrilla::SubindiceFueraDeRango);
}

TEST(Grilla, TextEsLaCeldaActual) {
    Grilla g(3, 3, 1, 0);
    g.setRow(2);
    g.setCol(1);
    g.setText("12");
    EXPECT_EQ(g.TextMatrix(2, 1), "12");
    EXPECT_EQ(g.Text(), "12");
}

// A row keeps only the cells that hold text: written in any order, emptied, rewritten.
TEST(Grilla, CeldasEscritasEnCualquierOrdenYVaciadas) {
    Grilla g(2, 101, 1, 0);
    for (int c : {75, 0, 40, 7, 100, 5})
        g.setTextMatrix(1, c, QStringLiteral("c%1").arg(c));
    g.setTextMatrix(1, 40, QString());
    g.setTextMatrix(1, 7, QStringLiteral("otra"));
    g.setTextMatrix(1, 41, QString()); // emptying an empty cell
    for (int c = 0; c < 101; ++c) {
        const QString esperado = c == 7                                      ? QStringLiteral("otra")
                                 : (c == 0 || c == 5 || c == 75 || c == 100) ? QStringLiteral("c%1").arg(c)
                                                                             : QString();
        EXPECT_EQ(g.TextMatrix(1, c), esperado) << c;
    }
    // A row of many cells in a grid wider than a row's index reaches.
    Grilla ancha(2, 300, 1, 0);
    for (int c = 299; c >= 0; c -= 7)
        ancha.setTextMatrix(1, c, QString::number(c));
    ancha.setTextMatrix(1, 292, QString());
    for (int c = 0; c < 300; ++c)
        EXPECT_EQ(ancha.TextMatrix(1, c), (299 - c) % 7 == 0 && c != 292 ? QString::number(c) : QString())
            << c;
    g.AddItem("a\t\t\tb"); // empty parts stay empty
    EXPECT_EQ(g.TextMatrix(2, 0), "a");
    EXPECT_EQ(g.TextMatrix(2, 1), "");
    EXPECT_EQ(g.TextMatrix(2, 3), "b");
}

TEST(Grilla, AddItemInsertaEnLaFilaYCorreLasDeAbajo) {
    Grilla g(4, 3, 1, 0);
    Llena(g);
    g.setRow(2);
    g.setCol(0);
    g.setCellBackColor(65535);
    g.setRow(3);
    g.setCellBackColor(255);
    g.setRow(2);

    g.AddItem("", 2);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.Row(), 2); // now on the new empty row
    EXPECT_EQ(g.TextMatrix(2, 0), "");
    EXPECT_EQ(g.TextMatrix(3, 0), "2,0");
    EXPECT_EQ(g.TextMatrix(4, 2), "3,2");
    EXPECT_EQ(g.ColorFondo(2, 0), 0);
    EXPECT_EQ(g.ColorFondo(3, 0), 65535); // colours move with their rows
    EXPECT_EQ(g.ColorFondo(4, 0), 255);

    g.AddItem("a\tb\tc\td"); // at the end; texts beyond the last column are dropped
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(g.TextMatrix(5, 0), "a");
    EXPECT_EQ(g.TextMatrix(5, 2), "c");
    EXPECT_EQ(NumeroDeError([&] { g.AddItem("", 7); }), ErrorGrilla::SubindiceFueraDeRango);
}

TEST(Grilla, RemoveItemQuitaLaFilaYSusColores) {
    Grilla g(4, 2, 1, 0);
    Llena(g);
    g.setCol(1);
    for (int r = 1; r < 4; ++r) {
        g.setRow(r);
        g.setCellBackColor(r);
    }
    g.RemoveItem(2);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(2, 1), "3,1");
    EXPECT_EQ(g.ColorFondo(1, 1), 1);
    EXPECT_EQ(g.ColorFondo(2, 1), 3);
    EXPECT_EQ(g.Row(), 2); // the current row stays inside the grid

    g.RemoveItem(2);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(NumeroDeError([&] { g.RemoveItem(1); }), ErrorGrilla::UltimaFilaNoFija);
    EXPECT_EQ(NumeroDeError([&] { g.RemoveItem(2); }), ErrorGrilla::SubindiceFueraDeRango);
    EXPECT_EQ(g.TextMatrix(1, 0), "1,0");
}

TEST(Grilla, GeometriaDeLaCeldaYDesplazamiento) {
    Grilla g(20, 4, 1, 0);
    g.setColWidth(0, 1500);
    g.setColWidth(1, 0);
    g.setColWidth(2, 600);
    g.setHeight(5 * Grilla::AltoFila); // title row and four data rows in sight
    g.setRow(3);
    g.setCol(3);
    EXPECT_EQ(g.CellLeft(), 2100);
    EXPECT_EQ(g.CellWidth(), Grilla::AnchoColumnaPorDefecto);
    EXPECT_EQ(g.CellTop(), 3 * Grilla::AltoFila);
    EXPECT_EQ(g.CellHeight(), Grilla::AltoFila);

    // The editor's scroll rule: a cell whose bottom lies below the grid scrolls it by one.
    g.setRow(5);
    EXPECT_LT(g.Height(), g.CellTop() + g.CellHeight());
    g.setTopRow(g.TopRow() + 1);
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(g.CellTop(), 4 * Grilla::AltoFila);
    EXPECT_GE(g.Height(), g.CellTop() + g.CellHeight());

    g.setTopRow(100); // no further than the last page
    EXPECT_EQ(g.TopRow(), 16);
    g.setTopRow(0); // never into the fixed rows
    EXPECT_EQ(g.TopRow(), 1);
    g.setRow(0);
    EXPECT_EQ(g.CellTop(), 0);
    g.setTopRow(10);
    g.setRows(3); // shrinking brings TopRow back
    EXPECT_EQ(g.TopRow(), 1);
}

TEST(Grilla, PropiedadesDelControl) {
    Grilla g;
    g.setName("MSFlexGrid2");
    g.setWidth(11000);
    g.setLeft(120);
    g.setTop(2400);
    g.setEnabled(false);
    EXPECT_EQ(g.Name(), "MSFlexGrid2");
    EXPECT_EQ(g.Width() - 400, 10600);
    EXPECT_EQ(g.Left(), 120);
    EXPECT_EQ(g.Top(), 2400);
    EXPECT_FALSE(g.Enabled());
}

TEST(Grilla, TwipsYPixeles) {
    EXPECT_EQ(TwipsAPixeles(15), 1);
    EXPECT_EQ(TwipsAPixeles(1440), 96);
    EXPECT_EQ(TwipsAPixeles(0), 0);
    EXPECT_EQ(PixelesATwips(64), 960);
    EXPECT_EQ(PixelesATwips(96, 120.0), 1152);
    EXPECT_EQ(TwipsAPixeles(1440, 120.0), 120);
}

// Random writes, emptied cells, painted cells, rows and columns added and removed, against a
// plain table of every cell: rows of few cells and of many (past a dozen) read back the same.
TEST(Grilla, OperacionesAlAzarComoUnaTablaDeCeldas) {
    QRandomGenerator azar(20251209);
    Grilla g(6, 30, 1, 0);
    std::vector<std::vector<QString>> textos(6, std::vector<QString>(30));
    std::vector<std::vector<int>> fondos(6, std::vector<int>(30, 0));
    const auto compara = [&](int paso) {
        ASSERT_EQ(g.Rows(), int(textos.size()));
        ASSERT_EQ(g.Cols(), int(textos.front().size()));
        for (int r = 0; r < g.Rows(); ++r)
            for (int c = 0; c < g.Cols(); ++c) {
                ASSERT_EQ(g.TextMatrix(r, c), textos[size_t(r)][size_t(c)]) << paso << ": " << r << "," << c;
                ASSERT_EQ(g.ColorFondo(r, c), fondos[size_t(r)][size_t(c)]) << paso << ": " << r << "," << c;
            }
    };
    for (int paso = 0; paso < 4000; ++paso) {
        const int filas = g.Rows(), cols = g.Cols();
        const int r = azar.bounded(filas), c = azar.bounded(cols), que = azar.bounded(100);
        if (que < 55) {
            const QString t = azar.bounded(4) == 0 ? QString() : QString::number(azar.bounded(1000));
            g.setTextMatrix(r, c, t);
            textos[size_t(r)][size_t(c)] = t;
        } else if (que < 75) {
            const int color = azar.bounded(3) * 255;
            if (azar.bounded(3) == 0) { // a whole row, as the voucher services paint one
                PintaFila(g, r, color);
                std::fill(fondos[size_t(r)].begin(), fondos[size_t(r)].end(), color);
            } else {
                g.setRow(r);
                g.setCol(c);
                g.setCellBackColor(color);
                fondos[size_t(r)][size_t(c)] = color;
            }
        } else if (que < 83 && filas > 2) {
            g.RemoveItem(std::max(1, r));
            textos.erase(textos.begin() + std::max(1, r));
            fondos.erase(fondos.begin() + std::max(1, r));
        } else if (que < 90) {
            QStringList partes;
            for (int k = 0; k < cols; ++k)
                partes << (azar.bounded(2) ? QString::number(k) : QString());
            g.AddItem(partes.join(u'\t'), r);
            textos.insert(textos.begin() + r, std::vector<QString>(partes.begin(), partes.end()));
            fondos.insert(fondos.begin() + r, std::vector<int>(size_t(cols), 0));
        } else if (que < 97) {
            const int n = std::max(2, filas + azar.bounded(5) - 2);
            g.setRows(n);
            textos.resize(size_t(n), std::vector<QString>(size_t(cols)));
            fondos.resize(size_t(n), std::vector<int>(size_t(cols), 0));
        } else {
            const int n = std::max(2, cols + azar.bounded(9) - 4);
            g.setCols(n);
            for (auto& fila : textos)
                fila.resize(size_t(n));
            for (auto& fila : fondos)
                fila.resize(size_t(n), 0);
        }
        if (paso % 50 == 0)
            compara(paso);
    }
    compara(4000);
}

// The articles grid of a voucher with 100,000 lines stays usable: filling, shrinking, growing,
// inserting and clearing keep every cell where it belongs.
TEST(Grilla, CienMilFilasDeCientoUnaColumnas) {
    constexpr int filas = 100000, cols = 101;
    Grilla g(2, cols, 1, 0);
    g.setRows(filas);
    const QString compartidos[] = {"-1", "0", "UN", "1", "|L1|L2|"};
    for (int r = 1; r < filas; ++r) {
        g.setTextMatrix(r, 0, QString::number(r));
        for (int c = 1; c < cols; ++c)
            g.setTextMatrix(r, c, compartidos[(r + c) % 5]);
    }
    EXPECT_EQ(g.TextMatrix(99999, 0), "99999");
    EXPECT_EQ(g.TextMatrix(99999, 100), compartidos[(99999 + 100) % 5]);
    EXPECT_EQ(g.TextArray(50000 * cols + 7), compartidos[(50000 + 7) % 5]);

    g.AddItem("nueva", 50000);
    EXPECT_EQ(g.TextMatrix(50000, 0), "nueva");
    EXPECT_EQ(g.TextMatrix(50001, 0), "50000");
    EXPECT_EQ(g.TextMatrix(100000, 0), "99999");
    g.RemoveItem(50000);
    EXPECT_EQ(g.TextMatrix(50000, 0), "50000");

    g.setRows(10);
    EXPECT_EQ(g.TextMatrix(9, 0), "9");
    g.setRows(filas);
    EXPECT_EQ(g.TextMatrix(9, 0), "9");
    EXPECT_EQ(g.TextMatrix(10, 0), "");
    EXPECT_EQ(g.TextMatrix(99999, 100), "");

    g.setCols(50);
    g.setCols(cols);
    EXPECT_EQ(g.TextMatrix(9, 49), compartidos[(9 + 49) % 5]);
    EXPECT_EQ(g.TextMatrix(9, 50), "");

    g.Clear();
    EXPECT_EQ(g.TextMatrix(9, 0), "");
    EXPECT_EQ(g.Rows(), filas);
}

} // namespace
