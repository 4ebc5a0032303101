// The line dialogs' shared cell editing, headless: opening, writing back, the keys that end an
// edit, the fill commands and the column widths.

#include "EdicionLineas.h"
#include "Ayudas.h"
#include "Teclas.h"

#include <gtest/gtest.h>

namespace {

// A dialog's grid of 6 data rows and 4 columns (the first two fixed, column 3 a quantity),
// with its editor and its focus.
struct Dialogo {
    Grilla g{7, 4, 1, 2};
    CajaTexto txt{QStringLiteral("TxtEdit")};
    FocoFormulario foco;
    bool rechaza = false;
    int validaciones = 0;
    std::vector<long> reportados;
    EdicionLineas ed{g, txt, foco, {}};

    Dialogo() {
        g.setName(QStringLiteral("MSFlexGrid1"));
        g.setRechazaColumnaFija(true);
        txt.setVisible(false);
        foco.DefineOrden({{QStringLiteral("MSFlexGrid1"), [] { return true; }},
                          {QStringLiteral("CmdAceptar"), [] { return true; }}});
        foco.SetFocus(QStringLiteral("MSFlexGrid1"));
        // As the dialogs tell their editing.
        foco.alMoverFoco = [this](const QString&, const QString& nuevo) {
            if (nuevo == g.Name())
                ed.MSFlexGrid1_GotFocus();
        };
        for (int f = 1; f < 7; ++f)
            g.setTextMatrix(f, 3, QString::number(f * 10));
        g.setRow(1);
        g.setCol(3);
        auto& r = ed.reglas();
        r.esCantidad = [](int c) { return c == 3; };
        r.editable = [](int c) { return c == 3; };
        r.saltaColumnaFija = true;
        r.campoValida = [this](CajaTexto&) {
            ++validaciones;
            return rechaza;
        };
        r.reportaError = [this](const ErrorSistema& e) {
            reportados.push_back(e.Numero());
            return int(Respuesta::Ignorar);
        };
    }
    void Tipea(qint16 c) { ed.MSFlexGrid1_KeyPress(c); }
    void Tecla(qint16 k) { ed.TxtEdit_KeyDown(k, 0); }
};

TEST(EdicionLineas, ATypedCharacterStartsANewValueAndEnterOrSpaceEditTheOldOne) {
    Dialogo d;
    d.Tipea('7');
    EXPECT_TRUE(d.txt.Visible());
    EXPECT_EQ(d.txt.Text(), "7");
    EXPECT_EQ(d.txt.SelStart(), 1);
    EXPECT_EQ(d.txt.DataField(), "Cantidad");
    EXPECT_EQ(d.txt.MaxLength(), 0);
    EXPECT_EQ(d.foco.Actual(), "TxtEdit");
    d.Tecla(tecla::Escape); // dropped: the cell keeps its text
    EXPECT_FALSE(d.txt.Visible());
    EXPECT_EQ(d.g.Text(), "10");
    EXPECT_EQ(d.foco.Actual(), "MSFlexGrid1");

    for (qint16 k : {qint16(13), qint16(32), qint16(8)}) {
        d.Tipea(k);
        EXPECT_EQ(d.txt.Text(), "10");
        EXPECT_EQ(d.txt.SelStart(), 2);
        d.Tecla(tecla::Escape);
    }
    EXPECT_EQ(d.validaciones, 0); // Escape validates nothing it drops

    // A cell that does not open: nothing shown, properties as the rules order them.
    d.g.setCol(2);
    d.Tipea('5');
    EXPECT_FALSE(d.txt.Visible());
    EXPECT_EQ(d.txt.DataField(), "Cantidad"); // set last for column 3, not for 2
    d.ed.reglas().propiedadesPrimero = true;
    d.Tipea('5');
    EXPECT_EQ(d.txt.DataField(), "");
    EXPECT_EQ(d.txt.MaxLength(), 25);
}

TEST(EdicionLineas, ARefusedValueKeepsTheEditorAndEveryEndingKeyValidatesAgain) {
    Dialogo d;
    d.rechaza = true;
    d.Tipea('-');
    for (qint16 k : {tecla::Enter, tecla::Arriba, tecla::Abajo}) {
        d.Tecla(k);
        EXPECT_TRUE(d.txt.Visible());
        EXPECT_EQ(d.g.Row(), 1);
    }
    EXPECT_EQ(d.validaciones, 3);
    d.Tecla(tecla::Izquierda); // not a key that ends the edit
    EXPECT_EQ(d.validaciones, 3);
    d.rechaza = false;
    d.txt.setText(QStringLiteral("4"));
    d.Tecla(tecla::Abajo); // written into row 1, then row 2; column 0 is fixed: 30010 skipped
    EXPECT_EQ(d.g.TextMatrix(1, 3), "4");
    EXPECT_EQ(d.g.Row(), 2);
    EXPECT_EQ(d.g.Col(), 3);
    EXPECT_TRUE(d.reportados.empty());
    d.ed.reglas().saltaColumnaFija = false; // a dialog that reports it
    d.Tipea('1');
    d.Tecla(tecla::Abajo);
    EXPECT_EQ(d.reportados, std::vector<long>{ErrorGrilla::ColumnaInvalida});
}

TEST(EdicionLineas, UpAndDownStayWithinTheDataRowsAndEnterRunsTheDialogsRule) {
    Dialogo d;
    d.Tipea(13);
    d.Tecla(tecla::Arriba);
    EXPECT_EQ(d.g.Row(), 1);
    d.g.setRow(6);
    d.Tipea(13);
    d.Tecla(tecla::Abajo);
    EXPECT_EQ(d.g.Row(), 6);
    int enters = 0;
    d.ed.reglas().enter = [&] {
        ++enters;
        EXPECT_FALSE(d.txt.Visible()); // written before the rule moves anything
        EXPECT_EQ(d.g.TextMatrix(6, 3), "9");
    };
    d.Tipea('9');
    d.Tecla(tecla::Enter);
    EXPECT_EQ(enters, 1);
}

TEST(EdicionLineas, LeavingTheCellValidatesAndWritesTheEditAndTheGridScrollsForAHiddenCell) {
    Dialogo d;
    // Refused, the edit stays where it is; the grid clicked meanwhile hands the focus back.
    d.rechaza = true;
    d.Tipea('3');
    d.foco.SetFocus(QStringLiteral("MSFlexGrid1"));
    EXPECT_EQ(d.foco.Actual(), "TxtEdit");
    d.ed.MueveCelda(2, 3);
    EXPECT_EQ(d.validaciones, 1);
    EXPECT_TRUE(d.txt.Visible());
    EXPECT_EQ(d.g.Row(), 1);
    EXPECT_EQ(d.g.TextMatrix(1, 3), "10");
    d.rechaza = false;
    d.ed.MueveCelda(2, 3);
    EXPECT_EQ(d.g.TextMatrix(1, 3), "3");
    EXPECT_EQ(d.g.Row(), 2);
    EXPECT_FALSE(d.txt.Visible());
    EXPECT_EQ(d.foco.Actual(), "MSFlexGrid1");
    d.ed.MSFlexGrid1_GotFocus(); // hidden: nothing written
    EXPECT_EQ(d.g.TextMatrix(2, 3), "20");

    // Three data rows fit; opening on the third does not scroll, on the fourth it scrolls by one.
    d.g.setHeight(Grilla::AltoFila * 4);
    d.g.setRow(3);
    d.Tipea('1');
    EXPECT_EQ(d.g.TopRow(), 1);
    d.Tecla(tecla::Escape);
    d.g.setRow(4);
    d.Tipea('1');
    EXPECT_EQ(d.g.TopRow(), 2);
}

TEST(EdicionLineas, FillCommandsTouchOnlyTheRowsBelowAndTheFirstRowFillsBlanks) {
    Dialogo d;
    d.g.setRow(3);
    d.g.setTextMatrix(3, 3, QStringLiteral("  8 "));
    d.ed.LlenaHaciaAbajo();
    for (int f = 1; f <= 6; ++f)
        EXPECT_EQ(d.g.TextMatrix(f, 3), f < 3 ? QString::number(f * 10) : f == 3 ? "  8 " : "8") << f;
    d.g.setRow(4);
    d.ed.BlanqueaHaciaAbajo();
    EXPECT_EQ(d.g.TextMatrix(4, 3), "8");
    EXPECT_EQ(d.g.TextMatrix(5, 3), "");
    EXPECT_EQ(d.g.TextMatrix(6, 3), "");
    d.ed.BlanqueaHaciaAbajo(QStringLiteral("0"), 2);
    EXPECT_EQ(d.g.TextMatrix(6, 2), "0");
    EXPECT_DOUBLE_EQ(d.ed.SumaFilas(3), 10 + 20 + 8 + 8);
    EXPECT_DOUBLE_EQ(d.ed.SumaFilas(3, 1), 20 + 8 + 8);

    d.g.setTextMatrix(1, 1, QStringLiteral(" L1 "));
    d.g.setTextMatrix(4, 1, QStringLiteral("L4"));
    d.ed.CompletaTodoIgual(1);
    for (int f = 1; f <= 6; ++f)
        EXPECT_EQ(d.g.TextMatrix(f, 1), f == 1 ? " L1 " : f == 4 ? "L4" : "L1") << f;
}

TEST(EdicionLineas, ColumnsTakeTheWidthOfTheirLongestTextTitleIncluded) {
    Dialogo d;
    d.g.setColWidth(0, 0);
    d.g.setColWidth(2, 0);
    d.g.setTextMatrix(0, 2, QStringLiteral("CANT. STOCK"));
    d.g.setTextMatrix(0, 3, QStringLiteral("CANT. "));
    d.g.setTextMatrix(5, 1, QStringLiteral("serie"));
    d.ed.AjustaAnchoColumnas(MedidaPrueba);
    EXPECT_EQ(d.g.ColWidth(0), 0); // empty and hidden: stays hidden
    EXPECT_EQ(d.g.ColWidth(1), 5 * kAnchoX);
    EXPECT_EQ(d.g.ColWidth(2), 11 * kAnchoX);
    EXPECT_EQ(d.g.ColWidth(3), 6 * kAnchoX);
}

} // namespace
