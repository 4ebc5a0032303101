// The positions-and-lots dialog on the demo database. Deposit 10 holds rice 1030 (base unit UN,
// a CJ is 12 UN): lot L1030A at M1E01N1P01 (60) and M1E01N1P03 (36), lot L1030B at M1E01N1P01 (24)
// and M1E01N1P02 (30), an exhausted L1030C, 26 without lot at M1E02N1P02, and 18 without position.

#include "FrmLoteyPosicion.h"
#include "AccesoDatos.h"
#include "AccesoPruebasLinea.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "ClsCmnCptesLotes.h"
#include "Globales.h"
#include "Regional.h"
#include "Teclas.h"
#include "Utilidades.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using Entrada = FrmLoteyPosicion::Entrada;
using Modo = FrmLoteyPosicion::Modo;

// Article `articulo` in deposit 10 in UN, by positions (and lots) as `modo` says.
Entrada Pedido(const QString& articulo, double cantidad, Modo modo = Modo::Posicion) {
    Entrada e;
    e.modo = modo;
    e.Articulo = articulo;
    e.Deposito = QStringLiteral("10");
    e.IUNIDAD = QStringLiteral("UN");
    e.Cantidad1 = cantidad;
    return e;
}

class LoteyPosicion : public ConBaseDemo {
protected:
    // The dialog as the driver leaves it loaded, for the line's quantity in `unidad`.
    void Abre(bool lotes, double cantidad, const QString& unidad = QStringLiteral("UN"),
              const QString& posicionesAnt = {}, const QString& lotesAnt = {}) {
        Entrada e = Pedido(QStringLiteral("1030"), cantidad, FrmLoteyPosicion::ModoDe(true, lotes));
        e.IUNIDAD = unidad;
        e.ArticuloDescripcion = QStringLiteral("ARROZ LARGO FINO clásico");
        e.PosicionesAnteriores = posicionesAnt;
        e.LotesAnteriores = lotesAnt;
        f.CargaDatos(e);
    }
    // The line's quantity as it stands (accept may change it).
    double& Cantidad1() { return Prueba(f).Devuelto().Cantidad1; }
    QStringList Columna(int c) const {
        QStringList r;
        for (int fila = 1; fila < f.MSFlexGrid1.Rows(); ++fila)
            r << f.MSFlexGrid1.TextMatrix(fila, c);
        return r;
    }
    // Types `texto` into the quantity cell of `fila` and ends the edit with `tecla`.
    void Escribe(int fila, const QString& texto, qint16 tecla = tecla::Enter) {
        f.MueveCelda(fila, 4);
        f.MSFlexGrid1_KeyPress(qint16(texto.at(0).unicode()));
        f.TxtEdit.setText(texto);
        f.TxtEdit_KeyDown(tecla, 0);
    }
    void PonCantidades(const QStringList& cantidades) {
        for (int i = 0; i < cantidades.size(); ++i)
            f.MSFlexGrid1.setTextMatrix(i + 1, 4, cantidades[i]);
    }

    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    FrmLoteyPosicion f;
};

TEST_F(LoteyPosicion, BalanceRowsInLotOrderThenTheDepositRowAndTheProposal) {
    Abre(true, 100);
    EXPECT_EQ(f.Caption, QStringLiteral("Posiciones y Lotes (Deposito: 10)"));
    EXPECT_EQ(f.lblArticulo.Caption(), QStringLiteral("Arroz Largo Fino Clásico"));
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(0, 1), QStringLiteral("LOTE"));
    // Rows without lot first, then by lot, entry order and position; the exhausted lot is not
    // offered; the balance without position comes last, without unit.
    EXPECT_EQ(Columna(0), (QStringList{"M1E02N1P02", "M1E01N1P01", "M1E01N1P03", "M1E01N1P01", "M1E01N1P02",
                                       "DEPOSITO 10"}));
    EXPECT_EQ(Columna(1), (QStringList{"", "L1030A", "L1030A", "L1030B", "L1030B", ""}));
    EXPECT_EQ(Columna(2), (QStringList{"UN", "UN", "UN", "UN", "UN", ""}));
    EXPECT_EQ(Columna(3), (QStringList{"26", "60", "36", "24", "30", "18"}));
    EXPECT_EQ(f.FilaDeposito(), 6);
    // 100 taken from the top: 26, 60 and the 14 still missing.
    EXPECT_EQ(Columna(4), (QStringList{"26", "60", "14", "0", "0", "0"}));
    EXPECT_EQ(f.MSFlexGrid1.Row(), 6);
    EXPECT_EQ(f.MSFlexGrid1.Col(), 4);
    EXPECT_GT(f.MSFlexGrid1.ColWidth(0), 0);

    f.CmdAceptar_Click();
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|M1E02N1P02*26|M1E01N1P01*60|M1E01N1P03*14|"));
    EXPECT_EQ(f.Devuelto().Lotes, QStringLiteral("||L1030A|L1030A|"));

    // The statements as the dialog writes them, deposit and article filled to their widths.
    EXPECT_EQ(
        FrmLoteyPosicion::SqlSaldos(true, "  10", "1030"),
        "SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.nrolote,AC_SALDOSLAYOUT.idunidadbase, "
        "isnull(AC_SALDOSLAYOUT.saldo,0) as disponible FROM AC_SALDOSLAYOUT, ma_posiciones WHERE  "
        "ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
        "ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO='  10' and "
        "ac_saldoslayout.idarticulo='1030' and ac_saldoslayout.saldo > 0 order by "
        "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion  ");
    EXPECT_TRUE(FrmLoteyPosicion::SqlSaldos(false, "  10", "1030")
                    .startsWith("SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.idunidadbase, isnull("));
    EXPECT_EQ(FrmLoteyPosicion::SqlSaldoDeposito("  10", "1030"),
              "SELECT (ISNULL(SALDO,0)) AS SALDO FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO='  10' AND "
              "IDARTICULO='1030' and idposicion is null");
    // A code with an apostrophe cannot end its literal.
    EXPECT_TRUE(FrmLoteyPosicion::SqlSaldoDeposito("  10", "O'X").contains("IDARTICULO='O''X'"));
}

TEST_F(LoteyPosicion, PositionsModeHidesTheLotAndNeverWritesLotes) {
    Abre(false, 100);
    Prueba(f).Devuelto().Lotes = QStringLiteral("|antes|");
    EXPECT_EQ(f.Caption, QStringLiteral("Posiciones (Deposito: 10)"));
    EXPECT_TRUE(f.MSFlexGrid1.TextMatrix(0, 1).isEmpty());
    EXPECT_EQ(f.MSFlexGrid1.ColWidth(1), 0);
    EXPECT_EQ(Columna(1), QStringList(6, QString()));
    // The position query still comes in lot order; its quantities start empty.
    EXPECT_EQ(Columna(0), (QStringList{"M1E02N1P02", "M1E01N1P01", "M1E01N1P03", "M1E01N1P01", "M1E01N1P02",
                                       "DEPOSITO 10"}));
    EXPECT_EQ(Columna(4), (QStringList{"26", "60", "14", "", "", "0"}));
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|M1E02N1P02*26|M1E01N1P01*60|M1E01N1P03*14|"));
    EXPECT_EQ(f.Devuelto().Lotes, QStringLiteral("|antes|"));
}

TEST_F(LoteyPosicion, TheDepositRowIsShownAndCheckedInTheLinesUnit) {
    Abre(true, 2, QStringLiteral("CJ"));
    // 18 UN without position are 1,5 boxes, like 60 UN are 5 and 26 UN are 2,1666...
    EXPECT_EQ(Columna(3).last(), QStringLiteral("1,5"));
    EXPECT_EQ(Columna(3)[1], QStringLiteral("5"));
    EXPECT_NEAR(UT().TextoADoble(Columna(3)[0]), 26.0 / 12, 1e-9);
    // Two boxes do not fit in the deposit row; one and a half do.
    Escribe(6, QStringLiteral("2"));
    EXPECT_TRUE(f.CampoInvalido());
    EXPECT_TRUE(f.TxtEdit.Visible());
    EXPECT_EQ(guion.Mensajes(), QStringList{"No hay disponible para esa posicion"});
    f.TxtEdit.setText(QStringLiteral("1,5"));
    f.TxtEdit_KeyDown(tecla::Enter, 0);
    EXPECT_FALSE(f.CampoInvalido());
    EXPECT_FALSE(f.TxtEdit.Visible());
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(6, 4), QStringLiteral("1,5"));
    // Enter on the last row's quantity hands the focus to Aceptar.
    EXPECT_EQ(f.Foco().Actual(), QStringLiteral("CmdAceptar"));
}

TEST_F(LoteyPosicion, TypedQuantitiesAreCheckedAgainstTheRowsBalance) {
    Abre(true, 10);
    Escribe(2, QStringLiteral("61"));
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, QStringLiteral("No hay disponible para esa posicion"));
    EXPECT_EQ(guion.Registros()[0].titulo, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::Critico);
    EXPECT_TRUE(f.TxtEdit.Visible());
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("0"));
    // Every further key that ends the edit checks again; Escape drops it.
    f.TxtEdit_KeyDown(tecla::Abajo, 0);
    EXPECT_EQ(guion.Mensajes().size(), 2);
    EXPECT_EQ(f.MSFlexGrid1.Row(), 2);
    f.TxtEdit_KeyDown(tecla::Escape, 0);
    EXPECT_FALSE(f.TxtEdit.Visible());
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("0"));

    Escribe(2, QStringLiteral("-1"));
    EXPECT_EQ(guion.Mensajes().last(), QStringLiteral("La Cantidad no puede ser Menor a Cero"));
    f.TxtEdit_KeyDown(tecla::Escape, 0);
    // A text that is no number is reported and never reaches the cell, whatever the answer.
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Escribe(2, QStringLiteral("6x"));
    EXPECT_TRUE(guion.Registros().back().titulo.contains(QStringLiteral("CampoValida")));
    EXPECT_TRUE(f.CampoInvalido());
    f.TxtEdit_KeyDown(tecla::Escape, 0);
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("0"));

    // The whole balance is accepted, and Enter goes down the quantity column.
    Escribe(2, QStringLiteral("60"));
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("60"));
    EXPECT_EQ(f.MSFlexGrid1.Row(), 3);
    EXPECT_EQ(f.MSFlexGrid1.Col(), 4);
    // A key pressed in another column opens nothing.
    f.MueveCelda(3, 3);
    f.MSFlexGrid1_KeyPress(qint16('5'));
    EXPECT_FALSE(f.TxtEdit.Visible());
    // Enter or space first edit the cell's own text; a printable key replaces it.
    f.MueveCelda(2, 4);
    f.MSFlexGrid1_KeyPress(qint16(13));
    EXPECT_EQ(f.TxtEdit.Text(), QStringLiteral("60"));
    EXPECT_EQ(f.TxtEdit.SelStart(), 2);
    f.TxtEdit_KeyDown(tecla::Escape, 0);
    f.MSFlexGrid1_KeyPress(qint16('7'));
    EXPECT_EQ(f.TxtEdit.Text(), QStringLiteral("7"));
    EXPECT_EQ(f.TxtEdit.DataField(), QStringLiteral("Cantidad"));
    EXPECT_EQ(f.TxtEdit.MaxLength(), 0);
}

TEST_F(LoteyPosicion, TheTotalAgainstTheRequestedQuantity) {
    Abre(true, 12);
    PonCantidades({"13", "0", "0", "0", "0", "0"});
    // Above: No asks to adjust the total and writes nothing.
    guion.AgregaRespuesta(Respuesta::No);
    f.CmdAceptar_Click();
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(guion.Registros()[0].texto,
              QStringLiteral(
                  "La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga "
                  "de Datos\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?"));
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo + Estilo::Pregunta);
    EXPECT_EQ(guion.Registros()[0].titulo, QStringLiteral("Aviso al Operador!!!"));
    EXPECT_EQ(guion.Registros()[1].texto, QStringLiteral("Debe Ajustar la suma de las cantidades a :12"));
    EXPECT_TRUE(f.Devuelto().Posiciones.isEmpty());
    EXPECT_EQ(f.Devuelto().Cantidad1, 12);
    // Yes takes the total as the line's quantity.
    f.Visible = true;
    guion.AgregaRespuesta(Respuesta::Si);
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Cantidad1, 13);
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|M1E02N1P02*13|"));
    EXPECT_FALSE(f.Visible);

    // Below, without MostrarForm: refused with its message.
    guion.Limpia();
    Prueba(f).Devuelto().Posiciones.clear();
    Cantidad1() = 20;
    f.CmdAceptar_Click();
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"La suma de cantidades informadas es Menor a la cantidad solicitada "});
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::Informacion);
    EXPECT_TRUE(f.Devuelto().Posiciones.isEmpty());
    // With MostrarForm the shorter total may be taken.
    Prueba(f).Entrada().MostrarForm = true;
    guion.AgregaRespuesta(Respuesta::Si);
    f.CmdAceptar_Click();
    EXPECT_TRUE(
        guion.Mensajes().last().startsWith("La suma de las cantidades Informadas, Es Menor a la solicitada"));
    EXPECT_EQ(f.Devuelto().Cantidad1, 13);

    // A total that differs from the request only by binary rounding is the request.
    guion.Limpia();
    Cantidad1() = 0.3;
    PonCantidades({"0,1", "0,2", "", "0", "0", "0"});
    f.CmdAceptar_Click();
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|M1E02N1P02*0,1|M1E01N1P01*0,2|"));
}

TEST_F(LoteyPosicion, AcceptTakesTheQuantityBeingTyped) {
    Abre(true, 100);
    f.Visible = true;
    // 30 typed where 24 are available and accepted without Enter: refused, nothing written.
    f.MueveCelda(4, 4);
    f.MSFlexGrid1_KeyPress(qint16('3'));
    f.TxtEdit.setText(QStringLiteral("30"));
    f.CmdAceptar_Click();
    EXPECT_EQ(guion.Mensajes(), QStringList{"No hay disponible para esa posicion"});
    EXPECT_TRUE(f.Visible);
    EXPECT_TRUE(f.TxtEdit.Visible());
    EXPECT_TRUE(f.Devuelto().Posiciones.isEmpty());
    // 5 is taken: 105 for 100, asked and adjusted.
    f.TxtEdit.setText(QStringLiteral("5"));
    guion.AgregaRespuesta(Respuesta::Si);
    f.CmdAceptar_Click();
    EXPECT_FALSE(f.Visible);
    EXPECT_EQ(f.Devuelto().Cantidad1, 105);
    EXPECT_EQ(f.Devuelto().Posiciones,
              QStringLiteral("|M1E02N1P02*26|M1E01N1P01*60|M1E01N1P03*14|M1E01N1P01*5|"));
}

TEST_F(LoteyPosicion, WriterRulesOfBothLists) {
    Abre(true, 9);
    // "0" and empty rows give no entry; a typed 0,0 does; the deposit row has no position nor lot.
    PonCantidades({"0", "", "0,0", "5", "0", "4"});
    Cantidad1() = 9;
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|M1E01N1P03*0,0|M1E01N1P01*5|*4|"));
    EXPECT_EQ(f.Devuelto().Lotes, QStringLiteral("|L1030A|L1030B||"));
    // Nothing chosen: the single "|", for a line of quantity 0.
    PonCantidades({"0", "0", "0", "0", "0", "0"});
    Cantidad1() = 0;
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|"));
    EXPECT_EQ(f.Devuelto().Lotes, QStringLiteral("|"));
    // Cancel keeps what the results held.
    PonCantidades({"1", "0", "0", "0", "0", "0"});
    f.CmdCancelar_Click();
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|"));
}

TEST_F(LoteyPosicion, TheEarlierDistributionIsRestoredNotProposed) {
    // Case ignored; an entry for a place without balance disappears; the empty position is
    // the deposit row; a later entry for the same row wins.
    Abre(true, 15, QStringLiteral("UN"), QStringLiteral("|m1e01n1p01*5|M1E01N1P02*7|*3|GONE*4|M1E01N1P02*8|"),
         QStringLiteral("|l1030a|L1030B||L9|L1030B|"));
    EXPECT_EQ(Columna(4), (QStringList{"0", "5", "0", "0", "8", "3"}));
    EXPECT_TRUE(Prueba(f).Entrada().EsConsultaDePosicionLote());
    Cantidad1() = 16;
    f.CmdAceptar_Click();
    EXPECT_EQ(f.Devuelto().Posiciones, QStringLiteral("|M1E01N1P01*5|M1E01N1P02*8|*3|"));
    EXPECT_EQ(f.Devuelto().Lotes, QStringLiteral("|L1030A|L1030B||"));

    // Without the lot of an entry the rest of the list is not placed.
    FrmLoteyPosicion g;
    Entrada conLotes = Pedido(QStringLiteral("1030"), 0, Modo::PosicionYLote);
    conLotes.PosicionesAnteriores = QStringLiteral("|M1E01N1P03*1|M1E01N1P02*2|M1E02N1P02*3|");
    conLotes.LotesAnteriores = QStringLiteral("|L1030A|");
    g.CargaDatos(conLotes);
    EXPECT_EQ(g.MSFlexGrid1.TextMatrix(3, 4), QStringLiteral("1"));
    EXPECT_EQ(g.MSFlexGrid1.TextMatrix(5, 4), QStringLiteral("0"));
    EXPECT_EQ(g.MSFlexGrid1.TextMatrix(1, 4), QStringLiteral("0"));

    // Positions mode matches by position alone: the first row of that place takes it.
    FrmLoteyPosicion p;
    Entrada posiciones = Pedido(QStringLiteral("1030"), 0);
    posiciones.PosicionesAnteriores = QStringLiteral("|M1E01N1P01*4|");
    p.CargaDatos(posiciones);
    EXPECT_EQ(p.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("4"));
    EXPECT_EQ(p.MSFlexGrid1.TextMatrix(4, 4), QString());
}

TEST_F(LoteyPosicion, TheProposalFillsFromTheTopAndTheToolbar) {
    // Article 1045 in deposit 10: 10 at one place and 5 at another, no deposit row.
    AD().EjecutaSQL(
        "INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) "
        "VALUES ('  10', 'M1E01N1P01', printf('%25d', 1045), NULL, '  UN', 10), "
        "('  10', 'M1E01N1P02', printf('%25d', 1045), NULL, '  UN', 5)");
    const auto propone = [&](double cantidad) {
        FrmLoteyPosicion d;
        d.CargaDatos(Pedido(QStringLiteral("1045"), cantidad));
        QStringList r;
        for (int fila = 1; fila < d.MSFlexGrid1.Rows(); ++fila)
            r << d.MSFlexGrid1.TextMatrix(fila, 4);
        if (cantidad == 20) {
            d.CmdAceptar_Click();
            EXPECT_TRUE(d.Devuelto().Posiciones.isEmpty());
        }
        return r;
    };
    EXPECT_EQ(propone(12), (QStringList{"10", "2"}));
    EXPECT_EQ(propone(20), (QStringList{"10", "5"}));
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"La suma de cantidades informadas es Menor a la cantidad solicitada "});
    // A single row takes the whole quantity, whatever its balance.
    AD().EjecutaSQL("DELETE FROM AC_SALDOSLAYOUT WHERE IdArticulo = printf('%25d', 1045) AND "
                    "IdPosicion = 'M1E01N1P02'");
    EXPECT_EQ(propone(50), QStringList{"50"});

    // The toolbar: copy down and zeros below act only in the quantity column; proposing again
    // discards the edits.
    Abre(true, 100);
    f.MueveCelda(2, 3);
    f.Toolbar1_ButtonClick(2);
    EXPECT_EQ(Columna(4), (QStringList{"26", "60", "14", "0", "0", "0"}));
    f.MueveCelda(2, 4);
    f.Toolbar1_ButtonClick(1);
    EXPECT_EQ(Columna(4), (QStringList{"26", "60", "60", "60", "60", "60"}));
    f.MueveCelda(3, 4);
    f.Toolbar1_ButtonClick(2);
    EXPECT_EQ(Columna(4), (QStringList{"26", "60", "60", "0", "0", "0"}));
    f.Toolbar1_ButtonClick(3);
    EXPECT_EQ(Columna(4), (QStringList{"26", "60", "14", "0", "0", "0"}));
    EXPECT_EQ(f.MSFlexGrid1.Row(), 6);
    EXPECT_EQ(f.MSFlexGrid1.Col(), 4);
}

TEST_F(LoteyPosicion, TheProposalPlacesWhatTheBalancesHoldOverManyCases) {
    // Generated balances: the proposal never exceeds a row (but a single one), keeps the order,
    // and places min(request, total) at four decimals.
    QRandomGenerator azar(7);
    for (int caso = 0; caso < 40; ++caso) {
        AD().EjecutaSQL("DELETE FROM AC_SALDOSLAYOUT WHERE IdArticulo = printf('%25d', 1060)");
        const int filas = 2 + caso % 4;
        double total = 0;
        QStringList posiciones = {"M1E01N1P01", "M1E01N1P02", "M1E01N1P03", "M1E02N1P01", "M1E02N1P02"};
        for (int i = 0; i < filas; ++i) {
            const double saldo = (1 + azar.bounded(4000)) / 100.0;
            total += saldo;
            AD().EjecutaSQL(
                "INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, "
                "Saldo) VALUES ('  10', '" +
                posiciones[i] + "', printf('%25d', 1060), NULL, '  UN', " + QString::number(saldo, 'f', 2) +
                ")");
        }
        const double pedido = azar.bounded(12000) / 100.0;
        FrmLoteyPosicion d;
        d.CargaDatos(Pedido(QStringLiteral("1060"), pedido));
        ASSERT_EQ(d.MSFlexGrid1.Rows(), filas + 1);
        double puesto = 0;
        bool lleno = true;
        for (int fila = 1; fila <= filas; ++fila) {
            const double q = UT().TextoADoble(d.MSFlexGrid1.TextMatrix(fila, 4));
            const double disponible = UT().TextoADoble(d.MSFlexGrid1.TextMatrix(fila, 3));
            EXPECT_LE(q, disponible + 1e-9);
            if (q > 0) {
                EXPECT_TRUE(lleno) << "a row filled below one left short";
            }
            lleno = std::abs(q - disponible) < 1e-9;
            puesto += q;
        }
        EXPECT_NEAR(puesto, std::min(pedido, total), 1e-4) << caso;
    }
}

TEST_F(LoteyPosicion, TheDriver) {
    ClsCmnCptesLotes cls;
    QString posiciones = QStringLiteral("x"), lotes = QStringLiteral("y");
    // Quantity 0: two empty lists and no dialog.
    cls.PidePosicionLote("1030", "UN", 0, "10", "", "", posiciones, lotes, true, true);
    EXPECT_TRUE(posiciones.isEmpty());
    EXPECT_TRUE(lotes.isEmpty());
    EXPECT_TRUE(guion.Registros().empty());

    // The dialog shown with the earlier lists; the user accepts what it restored.
    bool consulta = false;
    QString etiqueta;
    guion.alMostrar = [&](Formulario& formulario) {
        auto& d = dynamic_cast<FrmLoteyPosicion&>(formulario);
        consulta = Prueba(d).Entrada().EsConsultaDePosicionLote();
        etiqueta = d.lblArticulo.Caption();
        EXPECT_TRUE(d.Visible);
        d.CmdAceptar_Click();
    };
    cls.PidePosicionLote("1030", "UN", 5, "10", "|M1E01N1P03*5|", "|L1030A|", posiciones, lotes, true, true);
    EXPECT_TRUE(consulta);
    EXPECT_EQ(etiqueta, QStringLiteral("1030"));
    EXPECT_EQ(posiciones, QStringLiteral("|M1E01N1P03*5|"));
    EXPECT_EQ(lotes, QStringLiteral("|L1030A|"));
    // Without earlier lists it proposes; a negative quantity opens the dialog too.
    cls.PidePosicionLote("1030", "UN", 30, "10", "", "", posiciones, lotes, true, false);
    EXPECT_FALSE(consulta);
    EXPECT_EQ(posiciones, QStringLiteral("|M1E02N1P02*26|M1E01N1P01*4|"));
    EXPECT_TRUE(lotes.isEmpty());
    // Cancel: the dialog's results as the driver found them, empty.
    guion.alMostrar = [](Formulario& formulario) {
        dynamic_cast<FrmLoteyPosicion&>(formulario).CmdCancelar_Click();
    };
    cls.PidePosicionLote("1030", "UN", -3, "10", "|M1E01N1P03*5|", "", posiciones, lotes, true, false);
    EXPECT_TRUE(posiciones.isEmpty());
}

} // namespace
