// The lot and serial dialog and its drivers on the demo database: both modes, every accept rule
// and message, the proposal, and the lists the drivers bring back.

#include "FrmCargaLotesySeries.h"
#include "AccesoDatos.h"
#include "AccesoPruebasLinea.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "ClsCmnCptesLotes.h"
#include "ColumnasArticulos.h"
#include "Globales.h"
#include "ListaPipe.h"
#include "Teclas.h"
#include "Utilidades.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString Y = QString(ListaPipe::MarcaFin);
const QString kArticulo = QStringLiteral("LOTE-PRUEBA");
using Entrada = FrmCargaLotesySeries::Entrada;
using Modo = FrmCargaLotesySeries::Modo;

class LotesYSeries : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        if (HasFatalFailure())
            return;
        AD().EjecutaSQL(QStringLiteral("DELETE FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '%1'")
                            .arg(kArticulo.leftJustified(25)));
    }
    // A stock row of the test article in deposit 1.
    static void Stock(const QString& lote, const QString& serie, double cantidad,
                      const QString& deposito = "   1") {
        const auto literal = [](const QString& t) {
            return t.isNull() ? QStringLiteral("NULL") : "'" + t + "'";
        };
        AD().EjecutaSQL(
            QStringLiteral("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, "
                           "CANTIDAD) VALUES ('%1', '%2', %3, %4, %5)")
                .arg(kArticulo.leftJustified(25), deposito, literal(lote), literal(serie))
                .arg(cantidad));
    }
    // An outgoing dialog of the test article for `cantidad`, loaded, with the lists of `e`.
    static void Salida(FrmCargaLotesySeries& f, double cantidad, Entrada e = {}, bool lote = true,
                       bool serie = false) {
        f.TextWidth = MedidaPrueba;
        e.Cantidad = cantidad;
        e.Articulo = kArticulo;
        e.modo = Modo::De(true, serie, lote, false);
        e.Deposito = QStringLiteral("   1");
        f.CargaDatos(e);
    }
    // An incoming dialog (lots unless told) for `cantidad`, loaded, with the earlier lists of `e`.
    static void Ingreso(FrmCargaLotesySeries& f, double cantidad, Entrada e = {},
                        Modo::Codigos codigos = Modo::Lote) {
        e.Cantidad = cantidad;
        e.modo = Modo(Modo::Ingreso, codigos);
        f.CargaDatos(e);
    }
    // Opens the editor on a cell with `texto` typed, the edit left open.
    static void Teclea(FrmCargaLotesySeries& f, int fila, int col, const QString& texto) {
        f.Edicion().MueveCelda(fila, col);
        qint16 c = qint16(texto.at(0).unicode());
        f.MSFlexGrid1_KeyPress(c);
        f.TxtEdit.setText(texto);
    }
    static void F2(FrmCargaLotesySeries& f) {
        qint16 f2 = 113;
        f.Form_KeyDown(f2, 0);
    }
    static QStringList Columna(const Grilla& g, int col) {
        QStringList c;
        for (int f = 1; f < g.Rows(); ++f)
            c << g.TextMatrix(f, col);
        return c;
    }
};

TEST_F(LotesYSeries, OutgoingProposalTakesTheLowestLotsFirstAfterOtherLines) {
    Stock("LB", QString(), 10);
    Stock("LA", QString(), 5);
    Stock("LC", QString(), 7);
    Stock("LZ", QString(), 0); // no stock: not listed
    FrmCargaLotesySeries f;
    Entrada e;
    e.LotesExistentes = "|lc" + Y + "|LA" + Y + "|";
    e.SeriesExistentes = QStringLiteral("|2|1|");
    Salida(f, 12, e);
    EXPECT_EQ(f.Caption, "Números de Lote (Deposito:    1)");
    EXPECT_EQ(f.MSFlexGrid1.Cols(), 4);
    EXPECT_EQ(f.MSFlexGrid1.FixedCols(), 2);
    EXPECT_EQ(Columna(f.MSFlexGrid1, 0), (QStringList{"LA", "LB", "LC", ""}));
    // Other lines took 1 of LA and 2 of LC (any case); the proposal fills from the top.
    EXPECT_EQ(Columna(f.MSFlexGrid1, 2), (QStringList{"4", "10", "5", ""}));
    EXPECT_EQ(Columna(f.MSFlexGrid1, 3), (QStringList{"4", "8", "0", "0"}));
    EXPECT_TRUE(f.ValidaCantidadCantidadPedida());
    EXPECT_EQ(f.MSFlexGrid1.Row(), 1);
    EXPECT_EQ(f.MSFlexGrid1.Col(), 3);
    // Every column as wide as its longest text, titles included.
    EXPECT_EQ(f.MSFlexGrid1.ColWidth(2), 11 * kAnchoX); // "CANT. STOCK"
    EXPECT_EQ(f.MSFlexGrid1.ColWidth(0), 4 * kAnchoX);  // "LOTE"

    f.CmdAceptar_Click();
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(f.Devuelto().Lotes, "|LA" + Y + "|LB" + Y + "|LC" + Y + "|" + Y + "|");
    EXPECT_EQ(f.Devuelto().Series, "|4|8|0|0|");
    // What accept wrote reads back into the same grid (the earlier lists of a line).
    FrmCargaLotesySeries otra;
    Entrada anteriores;
    anteriores.Lotes = f.Devuelto().Lotes;
    anteriores.Series = "|1|" + QStringLiteral("|11|");
    Salida(otra, 12, anteriores);
    EXPECT_EQ(Columna(otra.MSFlexGrid1, 3), (QStringList{"1", "0", "11", "0"}));
}

TEST_F(LotesYSeries, EarlierEntriesWithoutStockAndTheSingleRow) {
    Stock("LA", QString(), 3);
    FrmCargaLotesySeries f;
    Entrada e;
    e.Lotes = "|LA" + Y + "|VIEJO" + Y + "|" + Y + "|";
    e.Series = QStringLiteral("|2|5|0|");
    Salida(f, 7, e);
    // The lot no longer in stock comes after the stock rows, then the empty row.
    EXPECT_EQ(Columna(f.MSFlexGrid1, 0), (QStringList{"LA", "VIEJO", ""}));
    EXPECT_EQ(Columna(f.MSFlexGrid1, 2), (QStringList{"3", "0", ""}));
    EXPECT_EQ(Columna(f.MSFlexGrid1, 3), (QStringList{"2", "5", "0"}));

    // One stock row alone (no earlier list): it gets the whole quantity, beyond its stock.
    AD().EjecutaSQL(QStringLiteral("DELETE FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '%1'")
                        .arg(kArticulo.leftJustified(25)));
    FrmCargaLotesySeries vacia;
    Salida(vacia, 4);
    EXPECT_EQ(vacia.MSFlexGrid1.Rows(), 1); // no stock, no earlier list: titles only
    Prueba(vacia).Devuelto().Lotes = QStringLiteral("|previo|");
    Prueba(vacia).Devuelto().Series = QStringLiteral("|1|");
    Prueba(vacia).Entrada().MostrarForm = false;
    vacia.CmdAceptar_Click();
    EXPECT_EQ(guion.Mensajes(), QStringList{"El Stock es Menor a la cantidad solicitada "});
    EXPECT_EQ(guion.Registros().back().titulo, "Aviso al Operador!!!");
    EXPECT_EQ(vacia.Devuelto().Lotes, "|previo|"); // nothing written
}

TEST_F(LotesYSeries, AcceptAsksWhenTheSumDiffersAndRoundingDifferencesPass) {
    Stock("LA", QString(), 5);
    Stock("LB", QString(), 10);
    const QString supera =
        QStringLiteral("La suma de las cantidades Informadas, supera a la solicitada en el "
                       "Formulario de Carga de Datos\r\n¿Desea Ajustar la Cantidad Solicitada en "
                       "el Formulario?");
    const QString menor =
        QStringLiteral("La suma de las cantidades Informadas, Es Menor a la solicitada en el "
                       "Formulario de Carga de Datos\r\n¿Desea Ajustar la Cantidad Solicitada en "
                       "el Formulario?");
    {
        FrmCargaLotesySeries f;
        Entrada mostrada;
        mostrada.MostrarForm = true;
        Salida(f, 8, mostrada);
        f.MSFlexGrid1.setTextMatrix(2, 3, QStringLiteral("6")); // 5 + 6 = 11 > 8
        guion.AgregaRespuesta(Respuesta::No);
        f.Visible = true;
        f.CmdAceptar_Click();
        EXPECT_EQ(guion.Mensajes(), (QStringList{supera, "Debe Ajustar la suma de las cantidades a :8"}));
        EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo | Estilo::Pregunta);
        EXPECT_EQ(guion.Registros()[1].estilo, Estilo::Critico);
        EXPECT_EQ(guion.Registros()[1].titulo, "Aviso al Operador");
        EXPECT_TRUE(f.Visible);
        EXPECT_TRUE(f.Devuelto().Lotes.isEmpty());
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::Si);
        f.CmdAceptar_Click();
        EXPECT_EQ(guion.Mensajes(), QStringList{supera});
        EXPECT_DOUBLE_EQ(f.Devuelto().Cantidad, 11);
        EXPECT_FALSE(f.Visible);
        EXPECT_EQ(f.Devuelto().Series, "|5|6|0|");
    }
    guion.Limpia();
    {
        FrmCargaLotesySeries f;
        Entrada mostrada;
        mostrada.MostrarForm = true;
        Salida(f, 8, mostrada);
        f.MSFlexGrid1.setTextMatrix(2, 3, QStringLiteral("1"));
        guion.AgregaRespuesta(Respuesta::Si);
        f.CmdAceptar_Click();
        EXPECT_EQ(guion.Mensajes(), QStringList{menor});
        EXPECT_DOUBLE_EQ(f.Devuelto().Cantidad, 6);
    }
    guion.Limpia();
    {
        // A quantity that differs from the sum below the fourth decimal is the same quantity.
        FrmCargaLotesySeries f;
        Salida(f, 0.1 + 0.2);
        f.MSFlexGrid1.setTextMatrix(1, 3, QStringLiteral("0.3"));
        f.MSFlexGrid1.setTextMatrix(2, 3, QStringLiteral("0"));
        EXPECT_NE(f.SumaFilas(-1), f.Devuelto().Cantidad);
        EXPECT_TRUE(f.ValidaCantidadCantidadPedida());
        f.CmdAceptar_Click();
        EXPECT_TRUE(guion.Mensajes().isEmpty());
        EXPECT_FALSE(f.Devuelto().Lotes.isEmpty());
    }
}

TEST_F(LotesYSeries, QuantityCellsRefuseNegativeFractionalAndBeyondStock) {
    Stock("LA", QString(), 5);
    Stock("LB", QString(), 10);
    FrmCargaLotesySeries f;
    Salida(f, 8);
    Grilla& g = f.MSFlexGrid1;
    const auto escribe = [&](const QString& texto) {
        qint16 c = qint16(texto.at(0).unicode());
        f.MSFlexGrid1_KeyPress(c);
        f.TxtEdit.setText(texto);
        qint16 enter = tecla::Enter;
        f.TxtEdit_KeyDown(enter, 0);
    };
    // The stock column never opens the editor.
    g.setCol(2);
    qint16 siete = '7';
    f.MSFlexGrid1_KeyPress(siete);
    EXPECT_FALSE(f.TxtEdit.Visible());
    g.setCol(3);
    for (const char* malo : {"-1", "2.5", "6"}) {
        escribe(QString::fromLatin1(malo));
        EXPECT_TRUE(f.CampoInvalido()) << malo;
        EXPECT_TRUE(f.TxtEdit.Visible()) << malo;
        EXPECT_EQ(g.Row(), 1) << malo;
        qint16 escape = tecla::Escape;
        f.TxtEdit_KeyDown(escape, 0);
    }
    EXPECT_EQ(guion.Mensajes(), (QStringList{"La Cantidad no puede ser Menor a Cero",
                                             "No Puede Informase Cantidades que no Sean Enteras",
                                             "La Cantidad supera a la cantidad disponible en Stock"}));
    for (const auto& r : guion.Registros()) {
        EXPECT_EQ(r.estilo, Estilo::Critico);
        EXPECT_EQ(r.titulo, "Aviso al Operador");
    }
    EXPECT_EQ(g.TextMatrix(1, 3), "5");
    // Accepted: written, next row, back to column 3.
    escribe(QStringLiteral("2"));
    EXPECT_FALSE(f.CampoInvalido());
    EXPECT_EQ(g.TextMatrix(1, 3), "2");
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(Prueba(f).IdDeposito(), "   1");
    // Fill command 1 copies the current cell's quantity below it.
    f.Toolbar1_ButtonClick(1);
    EXPECT_EQ(Columna(g, 3), (QStringList{"2", "3", "3"}));
    f.Toolbar1_ButtonClick(2);
    EXPECT_EQ(Columna(g, 3), (QStringList{"2", "3", ""}));
    // F2 accepts: 5 is short of 8, asked; No keeps the dialog.
    guion.Limpia();
    Prueba(f).Entrada().MostrarForm = true;
    guion.AgregaRespuesta(Respuesta::No);
    qint16 f2 = 113;
    f.Form_KeyDown(f2, 0);
    EXPECT_EQ(guion.Mensajes().size(), 2);
    // With serial numbers the row never advances on Enter; Down moves it.
    FrmCargaLotesySeries s;
    Salida(s, 1, {}, false, true);
    s.MSFlexGrid1.setCol(3);
    qint16 uno = '1';
    s.MSFlexGrid1_KeyPress(uno);
    qint16 enter = tecla::Enter;
    s.TxtEdit_KeyDown(enter, 0);
    EXPECT_EQ(s.MSFlexGrid1.Row(), 1);
    s.MSFlexGrid1_KeyPress(uno);
    qint16 abajo = tecla::Abajo;
    s.TxtEdit_KeyDown(abajo, 0);
    EXPECT_EQ(s.MSFlexGrid1.Row(), s.MSFlexGrid1.Rows() > 2 ? 2 : 1);
}

TEST_F(LotesYSeries, IncomingRowsCopyDownAndTheAsteriskFormat) {
    FrmCargaLotesySeries f;
    Ingreso(f, 3);
    Grilla& g = f.MSFlexGrid1;
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(f.Caption, "Números de Lote (Deposito: )");
    EXPECT_EQ(g.Col(), 1);
    // Row 3 typed first keeps its own value; row 1 typed and Enter fills the blank rows.
    g.setRow(3);
    qint16 c = 'P';
    f.MSFlexGrid1_KeyPress(c);
    f.TxtEdit.setText(QStringLiteral("PROPIO"));
    qint16 enter = tecla::Enter;
    f.TxtEdit_KeyDown(enter, 0);
    EXPECT_EQ(g.Row(), 3); // last row: stays
    g.setRow(1);
    c = 'L';
    f.MSFlexGrid1_KeyPress(c);
    f.TxtEdit.setText(QStringLiteral("L|7")); // a "|" would split the line's list
    f.TxtEdit_KeyDown(enter, 0);
    EXPECT_EQ(Columna(g, 1), (QStringList{"L7", "L7", "PROPIO"}));
    EXPECT_EQ(g.Row(), 2);
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Lotes, "|L7|L7|PROPIO|");
    EXPECT_EQ(f.Devuelto().Series, "");

    // Serials with the asterisk format ("si", any case): an entry without "*" blocks accept.
    ConBaseDemo::AjustaConfiguracion(QStringLiteral("ART_FormatoSerieAsterisco"), QStringLiteral("si"));
    FrmCargaLotesySeries s;
    s.Form_Load();
    EXPECT_TRUE(s.FormatoSerieAsterisco());
    Entrada series;
    series.SeriesAnteriores = QStringLiteral("||123*2||");
    series.LotesAnteriores = QStringLiteral("9*1|cola");
    Ingreso(s, 2.5, series, Modo::Serie); // 3.5 rows to the even neighbour: 4 in all
    EXPECT_EQ(s.MSFlexGrid1.Rows(), 4);
    EXPECT_EQ(s.MSFlexGrid1.TextMatrix(0, 1), "Número de Serie");
    EXPECT_EQ(Columna(s.MSFlexGrid1, 1), (QStringList{"123*2", "", "9*1"}));
    s.MSFlexGrid1.setTextMatrix(1, 1, QStringLiteral("123"));
    s.Visible = true;
    s.CmdAceptar_Click();
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"Segun configuracion del sistema, debe informar NRODESERIE * CANTIDAD "
                          "\r\nVerifique la configuracion del sistema - Stock / Otros"});
    EXPECT_EQ(guion.Registros().back().estilo, Estilo::SoloAceptar);
    EXPECT_TRUE(s.Visible);
    // The copy of row 1 into the blank row stays.
    EXPECT_EQ(Columna(s.MSFlexGrid1, 1), (QStringList{"123", "123", "9*1"}));
    s.MSFlexGrid1.setTextMatrix(1, 1, QStringLiteral("123*2"));
    s.MSFlexGrid1.setTextMatrix(2, 1, QString());
    s.CmdAceptar_Click();
    EXPECT_FALSE(s.Visible);
    EXPECT_EQ(s.Devuelto().Series, "|123*2|123*2|9*1|");
    EXPECT_EQ(s.Devuelto().Lotes, "");
}

TEST_F(LotesYSeries, DriversSetReadAndJoinTheGridsLists) {
    Stock("LA", QString(), 5);
    Stock("LB", QString(), 10);
    // The voucher's articles grid: two rows of the article (one in another case), one of another.
    Grilla articulos(5, 101, 1, 0);
    articulos.setTextMatrix(1, col::CodigoArticulo, kArticulo);
    articulos.setTextMatrix(1, col::ListaLotes, "|LA" + Y + "|");
    articulos.setTextMatrix(1, col::ListaCantidades, QStringLiteral("|2|"));
    articulos.setTextMatrix(2, col::CodigoArticulo, QStringLiteral("OTRO"));
    articulos.setTextMatrix(2, col::ListaLotes, "|LB" + Y + "|");
    articulos.setTextMatrix(2, col::ListaCantidades, QStringLiteral("|9|"));
    articulos.setTextMatrix(3, col::CodigoArticulo, kArticulo.toLower());
    articulos.setTextMatrix(4, col::CodigoArticulo, kArticulo);
    articulos.setTextMatrix(4, col::ListaLotes, "|LB" + Y + "|");
    articulos.setTextMatrix(4, col::ListaCantidades, QStringLiteral("|4|"));
    QString lotes, cantidades;
    ClsCmnCptesLotes::CuentaLotesEnGrilla(articulos, kArticulo, lotes, cantidades);
    EXPECT_EQ(lotes, "|LA" + Y + "|LB" + Y + "|");
    EXPECT_EQ(cantidades, "|2|4|");

    // Silent pick: the proposal over what the other rows left (LA 3, LB 6), accepted unchanged.
    double cantidad = 7;
    QString deposito;
    QString nuevosLotes = QStringLiteral("sin tocar"), nuevasCantidades;
    ClsCmnCptesLotes::PideSerieLote_Salidas(articulos, kArticulo, QStringLiteral("Prueba"), cantidad,
                                            QString(), QString(), nuevosLotes, nuevasCantidades, true, false,
                                            false, deposito, false);
    EXPECT_EQ(deposito, "1"); // the default deposit, in the caller's variable
    EXPECT_TRUE(guion.Registros().empty());
    EXPECT_EQ(nuevosLotes, "|LA" + Y + "|LB" + Y + "|" + Y + "|");
    EXPECT_EQ(nuevasCantidades, "|3|4|0|");
    EXPECT_DOUBLE_EQ(cantidad, 7);
    // Round trip through the lists: each entry's lot and quantity.
    EXPECT_EQ(ClsCmnCptesLotes::Cantidad_Series_Lotes(nuevosLotes), 3);
    EXPECT_EQ(ClsCmnCptesLotes::ExtraeSerieLote(nuevasCantidades, 2), "4");

    // Quantity 0: nothing is asked and nothing is touched.
    cantidad = 0;
    ClsCmnCptesLotes::PideSerieLote_Salidas(articulos, kArticulo, QString(), cantidad, QString(), QString(),
                                            nuevosLotes, nuevasCantidades, true, false, false, deposito,
                                            true);
    EXPECT_EQ(nuevasCantidades, "|3|4|0|");

    // Shown: the user's part is played on the dialog as the driver set it.
    cantidad = 2;
    guion.alMostrar = [&](Formulario& form) {
        auto& f = dynamic_cast<FrmCargaLotesySeries&>(form);
        EXPECT_EQ(f.lblArticulo.Caption(), kArticulo + " - Prueba");
        EXPECT_EQ(Prueba(f).Entrada().Deposito, "   1");
        EXPECT_TRUE(Prueba(f).Entrada().MostrarForm);
        f.MSFlexGrid1.setTextMatrix(1, 3, QStringLiteral("1"));
        f.MSFlexGrid1.setTextMatrix(2, 3, QStringLiteral("2"));
        guion.AgregaRespuesta(Respuesta::Si);
        f.CmdAceptar_Click();
    };
    ClsCmnCptesLotes::PideSerieLote_Salidas(articulos, kArticulo, QStringLiteral("Prueba"), cantidad,
                                            QString(), QString(), nuevosLotes, nuevasCantidades, true, false,
                                            false, deposito, true);
    EXPECT_DOUBLE_EQ(cantidad, 3);
    EXPECT_EQ(nuevasCantidades, "|1|2|0|");

    // Incoming: quantity 0 empties both; cancel returns the dialog's lists as the driver left them.
    QString serieNvo = QStringLiteral("x"), loteNvo = QStringLiteral("y");
    ClsCmnCptesLotes::PideSerieLote(kArticulo, 0, QString(), QString(), serieNvo, loteNvo, true, false,
                                    false);
    EXPECT_TRUE(serieNvo.isEmpty() && loteNvo.isEmpty());
    guion.alMostrar = [&](Formulario& form) {
        auto& f = dynamic_cast<FrmCargaLotesySeries&>(form);
        EXPECT_EQ(f.lblArticulo.Caption(), kArticulo);
        EXPECT_EQ(f.MSFlexGrid1.Rows(), 3);
        f.MSFlexGrid1.setTextMatrix(1, 1, QStringLiteral("S1"));
        f.CmdCancelar_Click();
    };
    ClsCmnCptesLotes::PideSerieLote(kArticulo, 2, QStringLiteral("|A|B|"), QString(), serieNvo, loteNvo, true,
                                    false, false);
    EXPECT_EQ(serieNvo, "");
    EXPECT_EQ(loteNvo, "");
    guion.alMostrar = [&](Formulario& form) { dynamic_cast<FrmCargaLotesySeries&>(form).CmdAceptar_Click(); };
    ClsCmnCptesLotes::PideSerieLote(kArticulo, 2, QStringLiteral("|A|B|"), QString(), serieNvo, loteNvo, true,
                                    false, false);
    EXPECT_EQ(serieNvo, "|A|B|");
    EXPECT_EQ(loteNvo, "");
}

// The drivers' flags make the dialog's mode: the caption names it, and a size line given as
// serial and lot works as a serial line, its entries coming back as serial numbers.
TEST_F(LotesYSeries, TheDriversFlagsMakeTheMode) {
    struct Caso {
        bool serie, lote, talle;
        QString titulo;
        QString series, lotes;
    };
    const QString dep = QStringLiteral(" (Deposito: )");
    const Caso casos[] = {
        {true, true, false, "Números de Lote y Serie" + dep, "|A|B|", ""},
        {true, false, false, "Números de Serie" + dep, "|A|B|", ""},
        {false, true, false, "Números de Lote" + dep, "", "|A|B|"},
        {true, true, true, "Talles, Colores, Sexo" + dep, "|A|B|", ""},
        {false, true, true, "Talles, Colores, Sexo" + dep, "", "|A|B|"},
        {false, false, false, "Numeros de Serie", "|-|-|", ""}, // no kind: nothing preloaded
    };
    for (const Caso& c : casos) {
        QString titulo;
        guion.alMostrar = [&](Formulario& form) {
            auto& f = dynamic_cast<FrmCargaLotesySeries&>(form);
            titulo = f.Caption;
            f.CmdAceptar_Click();
        };
        QString series, lotes;
        ClsCmnCptesLotes::PideSerieLote(kArticulo, 2, QStringLiteral("|A|B|"), QString(), series, lotes,
                                        c.serie, c.lote, c.talle);
        EXPECT_EQ(titulo, c.titulo);
        EXPECT_EQ(series, c.series) << c.titulo.toStdString();
        EXPECT_EQ(lotes, c.lotes) << c.titulo.toStdString();
    }

    // Outgoing sizes: the lot column holds them.
    Stock("T1", QString(), 3);
    Grilla articulos(2, 101, 1, 0);
    double cantidad = 2;
    QString deposito = QStringLiteral("1"), lotes, cantidades;
    guion.alMostrar = [&](Formulario& form) {
        auto& f = dynamic_cast<FrmCargaLotesySeries&>(form);
        EXPECT_EQ(f.Caption, "Talles, Colores, Sexo (Deposito:    1)");
        EXPECT_EQ(f.MSFlexGrid1.TextMatrix(0, 0), "TALLE-COLOR-SEXO");
        f.CmdAceptar_Click();
    };
    ClsCmnCptesLotes::PideSerieLote_Salidas(articulos, kArticulo, QString(), cantidad, QString(), QString(),
                                            lotes, cantidades, true, false, true, deposito, true);
    EXPECT_EQ(lotes, "|T1" + Y + "|" + Y + "|");
    EXPECT_EQ(cantidades, "|2|0|");
}

// The proposal over generated stock and other lines' takes (some beyond a lot's stock): never
// below 0 nor above what a row has left (the single row excepted), and the whole quantity when
// what is left covers it, else all of it.
TEST_F(LotesYSeries, ProposalInvariantsOverGeneratedStock) {
    QRandomGenerator azar(27);
    for (int vuelta = 0; vuelta < 60; ++vuelta) {
        AD().EjecutaSQL(QStringLiteral("DELETE FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '%1'")
                            .arg(kArticulo.leftJustified(25)));
        const int filas = 2 + int(azar.bounded(6));
        QStringList lotes, cantidades;
        double queda = 0;
        for (int i = 0; i < filas; ++i) {
            const int c = 1 + int(azar.bounded(9));
            const QString lote = QStringLiteral("L%1").arg(i, 2, 10, QLatin1Char('0'));
            Stock(lote, QString(), c);
            const int otros = vuelta % 2 ? int(azar.bounded(12)) : 0;
            if (otros > 0) {
                lotes << lote + Y;
                cantidades << QString::number(otros);
            }
            queda += qMax(0, c - otros);
        }
        const double pedido = 1 + azar.bounded(int(queda) + 5);
        FrmCargaLotesySeries f;
        Entrada e;
        e.LotesExistentes = ListaPipe::Escribe(lotes);
        e.SeriesExistentes = ListaPipe::Escribe(cantidades);
        Salida(f, pedido, e);
        const Grilla& g = f.MSFlexGrid1;
        ASSERT_EQ(g.Rows(), filas + 2);
        double tomado = 0;
        for (int r = 1; r < g.Rows(); ++r) {
            const double q = g.TextMatrix(r, 3).toDouble();
            const double s = g.TextMatrix(r, 2).toDouble();
            EXPECT_GE(q, 0) << vuelta << " fila " << r;
            EXPECT_LE(q, qMax(0.0, s) + 1e-9) << vuelta << " fila " << r;
            tomado += q;
        }
        EXPECT_DOUBLE_EQ(tomado, qMin(pedido, queda)) << vuelta;
        EXPECT_EQ(f.ValidaCantidadCantidadPedida(), pedido <= queda) << vuelta;
    }
}

TEST_F(LotesYSeries, AcceptTakesWhatIsBeingTyped) {
    Stock("LA", QString(), 5);
    Stock("LB", QString(), 10);
    {
        // 4 typed over the proposed 3 and F2 without Enter: the 4 is taken (and asked about).
        FrmCargaLotesySeries f;
        Salida(f, 8);
        ASSERT_EQ(Columna(f.MSFlexGrid1, 3), (QStringList{"5", "3", "0"}));
        Teclea(f, 2, 3, QStringLiteral("4"));
        guion.AgregaRespuesta(Respuesta::Si);
        F2(f);
        EXPECT_EQ(guion.Mensajes().size(), 1);
        EXPECT_TRUE(guion.Mensajes().value(0).startsWith("La suma de las cantidades Informadas, supera"));
        EXPECT_EQ(f.Devuelto().Series, "|5|4|0|");
        EXPECT_DOUBLE_EQ(f.Devuelto().Cantidad, 9);
        EXPECT_FALSE(f.TxtEdit.Visible());
    }
    guion.Limpia();
    {
        // A refused text stops the accept with its message; the editor stays open on it.
        FrmCargaLotesySeries f;
        Salida(f, 8);
        f.Visible = true;
        Teclea(f, 2, 3, QStringLiteral("11"));
        f.CmdAceptar_Click();
        EXPECT_EQ(guion.Mensajes(), QStringList{"La Cantidad supera a la cantidad disponible en Stock"});
        EXPECT_TRUE(f.Visible);
        EXPECT_TRUE(f.TxtEdit.Visible());
        EXPECT_TRUE(f.Devuelto().Lotes.isEmpty());
        EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 3), "3");
    }
    guion.Limpia();
    {
        // Incoming: the lot typed on row 1 is the lot of every blank row.
        FrmCargaLotesySeries f;
        Ingreso(f, 3);
        Teclea(f, 1, 1, QStringLiteral("L7"));
        f.CmdAceptar_Click();
        EXPECT_EQ(f.Devuelto().Lotes, "|L7|L7|L7|");
        EXPECT_TRUE(guion.Mensajes().isEmpty());
    }
}

TEST_F(LotesYSeries, QuotedCodesAndQuantitiesThatAreNoNumber) {
    // A code with an apostrophe finds its stock, with no message.
    const QString sonda = QStringLiteral("SONDA'X");
    AD().EjecutaSQL(
        QStringLiteral("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, CANTIDAD) "
                       "VALUES ('%1', '   1', 'LS', 4)")
            .arg(sonda.leftJustified(25).replace("'", "''")));
    FrmCargaLotesySeries s;
    Entrada e;
    e.Cantidad = 2;
    e.Articulo = sonda;
    e.modo = Modo(Modo::Egreso, Modo::Lote);
    e.Deposito = QStringLiteral("   1");
    s.CargaDatos(e);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(Columna(s.MSFlexGrid1, 0), (QStringList{"LS", ""}));
    EXPECT_EQ(Columna(s.MSFlexGrid1, 2), (QStringList{"4", ""}));

    // "abc" is reported and never reaches the cell nor the lists, whatever the answer.
    Stock("LA", QString(), 5);
    FrmCargaLotesySeries f;
    Salida(f, 5);
    for (const int respuesta : {Respuesta::Ignorar, Respuesta::Abortar}) {
        guion.AgregaRespuesta(respuesta);
        Teclea(f, 1, 3, QStringLiteral("abc"));
        qint16 enter = tecla::Enter;
        f.TxtEdit_KeyDown(enter, 0);
        EXPECT_TRUE(f.CampoInvalido());
        EXPECT_TRUE(f.TxtEdit.Visible());
        EXPECT_EQ(f.MSFlexGrid1.TextMatrix(1, 3), "5");
        qint16 escape = tecla::Escape;
        f.TxtEdit_KeyDown(escape, 0);
    }
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_TRUE(guion.Registros()[0].titulo.contains("CampoValida"));
    // Nor by accept: the open edit is refused first.
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Teclea(f, 1, 3, QStringLiteral("abc"));
    F2(f);
    EXPECT_TRUE(f.Devuelto().Lotes.isEmpty());
    EXPECT_TRUE(f.Devuelto().Series.isEmpty());
    // A blank quantity is no quantity: written blank, listed as "-".
    f.TxtEdit.setText(QString());
    qint16 enter = tecla::Enter;
    f.TxtEdit_KeyDown(enter, 0);
    EXPECT_FALSE(f.CampoInvalido());
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(1, 3), "");
}

TEST_F(LotesYSeries, AReopenedLineOffersItsOwnTakeAgain) {
    Stock("LA", QString(), 5);
    Stock("LB", QString(), 10);
    // This line took all of LA; another line took 4 of LB.
    Grilla articulos(3, 101, 1, 0);
    articulos.setTextMatrix(1, col::CodigoArticulo, kArticulo);
    articulos.setTextMatrix(1, col::ListaLotes, "|LA" + Y + "|" + Y + "|");
    articulos.setTextMatrix(1, col::ListaCantidades, QStringLiteral("|5|0|"));
    articulos.setTextMatrix(2, col::CodigoArticulo, kArticulo);
    articulos.setTextMatrix(2, col::ListaLotes, "|LB" + Y + "|");
    articulos.setTextMatrix(2, col::ListaCantidades, QStringLiteral("|4|"));
    double cantidad = 5;
    QString deposito = QStringLiteral("1");
    QString lotes, cantidades;
    guion.alMostrar = [&](Formulario& form) {
        auto& f = dynamic_cast<FrmCargaLotesySeries&>(form);
        EXPECT_EQ(Columna(f.MSFlexGrid1, 2), (QStringList{"5", "6", ""}));
        EXPECT_EQ(Columna(f.MSFlexGrid1, 3), (QStringList{"5", "0", "0"}));
        // Its whole stock typed again is accepted.
        Teclea(f, 1, 3, QStringLiteral("5"));
        qint16 enter = tecla::Enter;
        f.TxtEdit_KeyDown(enter, 0);
        EXPECT_FALSE(f.CampoInvalido());
        f.CmdAceptar_Click();
    };
    ClsCmnCptesLotes::PideSerieLote_Salidas(
        articulos, kArticulo, QString(), cantidad, articulos.TextMatrix(1, col::ListaLotes),
        articulos.TextMatrix(1, col::ListaCantidades), lotes, cantidades, true, false, false, deposito, true);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(cantidades, "|5|0|0|");

    // The silent pick of a new line of the article counts both earlier lines.
    lotes.clear();
    cantidades.clear();
    cantidad = 6;
    ClsCmnCptesLotes::PideSerieLote_Salidas(articulos, kArticulo, QString(), cantidad, QString(), QString(),
                                            lotes, cantidades, true, false, false, deposito, false);
    EXPECT_EQ(cantidades, "|0|6|0|");
}

TEST_F(LotesYSeries, ALotOtherLinesTookBeyondItsStockGetsNothing) {
    Stock("LA", QString(), 5);
    Stock("LB", QString(), 10);
    FrmCargaLotesySeries f;
    Entrada e;
    e.LotesExistentes = "|LA" + Y + "|";
    e.SeriesExistentes = QStringLiteral("|8|");
    Salida(f, 7, e);
    EXPECT_EQ(Columna(f.MSFlexGrid1, 2), (QStringList{"-3", "10", ""}));
    EXPECT_EQ(Columna(f.MSFlexGrid1, 3), (QStringList{"0", "7", "0"}));
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Series, "|0|7|0|");
}

// Over generated stock, other lines' takes (at times beyond a lot's stock) and earlier lots no
// longer in stock: no take below 0 or above what its lot has left, the lots give as much of the
// line's quantity as they hold, and the row without a lot takes the rest.
TEST_F(LotesYSeries, CompletaCantidadesTakesOnlyWhatEachLotHasLeft) {
    QRandomGenerator azar(50);
    for (int caso = 0; caso < 120; ++caso) {
        AD().EjecutaSQL(QStringLiteral("DELETE FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '%1'")
                            .arg(kArticulo.leftJustified(25)));
        Entrada e;
        QStringList tomados, cantidades;
        for (int i = 0, n = 1 + azar.bounded(5); i < n; ++i) {
            const QString lote = QStringLiteral("L%1").arg(i);
            Stock(lote, QString(), 1 + azar.bounded(10));
            if (azar.bounded(2) == 0) {
                tomados << lote + Y;
                cantidades << QString::number(azar.bounded(15));
            }
        }
        if (!tomados.isEmpty()) {
            e.LotesExistentes = ListaPipe::Escribe(tomados);
            e.SeriesExistentes = ListaPipe::Escribe(cantidades);
        }
        if (azar.bounded(4) == 0) {
            e.Lotes = "|VIEJO" + Y + "|";
            e.Series = QStringLiteral("|1|");
        }
        const double cantidad = 1 + azar.bounded(30);
        FrmCargaLotesySeries f;
        Salida(f, cantidad, e);
        Grilla& g = f.MSFlexGrid1;
        for (int fila = 1; fila < g.Rows(); ++fila)
            g.setTextMatrix(fila, 3, QStringLiteral("0"));
        f.CompletaCantidades();
        SCOPED_TRACE(QString("caso %1: stock %2, tomas %3 de %4")
                         .arg(caso)
                         .arg(Columna(g, 2).join(","), Columna(g, 3).join(","))
                         .arg(cantidad)
                         .toStdString());
        double deLotes = 0, disponible = 0, sinLote = 0;
        for (int fila = 1; fila < g.Rows(); ++fila) {
            const double toma = UT().TextoADoble(g.TextMatrix(fila, 3));
            EXPECT_GE(toma, 0);
            if (g.TextMatrix(fila, 0).isEmpty()) {
                sinLote += toma;
                continue;
            }
            const double queda = std::max(0.0, UT().TextoADoble(g.TextMatrix(fila, 2)));
            EXPECT_LE(toma, queda);
            deLotes += toma;
            disponible += queda;
        }
        EXPECT_EQ(deLotes, std::min(cantidad, disponible));
        EXPECT_EQ(deLotes + sinLote, cantidad);
    }
}

TEST_F(LotesYSeries, TheIncomingPreloadReadsTheListWithoutItsBlanks) {
    for (const QString& anteriores :
         {QStringLiteral(" |A|B| "), QStringLiteral("|A|B|"), QStringLiteral("A|B|")}) {
        FrmCargaLotesySeries f;
        Entrada e;
        e.LotesAnteriores = anteriores;
        Ingreso(f, 3, e);
        EXPECT_EQ(Columna(f.MSFlexGrid1, 1), (QStringList{"A", "B", ""})) << anteriores.toStdString();
    }
}

} // namespace
