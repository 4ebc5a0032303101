// The position choice dialog on the demo database. For rice 1030 in deposit 10 the candidates
// are M1E01N1P03 (reserved for the article, 50 UN, holds 36), M1E01N1P01 (its family, 10 CJ = 120 UN,
// holds two lots), M1E01N1P02 (type 1, no limit), M1E02N1P01 (rubro 2, empty) and M1E02N1P02 (rubro
// 2, 20 UN, holds 26).

#include "FrmPosicionConsulta.h"
#include "AccesoDatos.h"
#include "AccesoPruebasLinea.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "Regional.h"
#include "Teclas.h"
#include "Utilidades.h"

#include <gtest/gtest.h>

namespace {

using Entrada = FrmPosicionConsulta::Entrada;

// Article `articulo` in deposit `deposito`, in `unidad`.
Entrada Pedido(const QString& articulo, const QString& deposito = QStringLiteral("10"),
               const QString& unidad = QStringLiteral("UN")) {
    Entrada e;
    e.Deposito = deposito;
    e.IUNIDAD = unidad;
    e.Articulo = articulo;
    return e;
}

class PosicionConsulta : public ConBaseDemo {
protected:
    void Abre(const QString& articulo, double cantidad, const QString& unidad = QStringLiteral("UN")) {
        Entrada e = Pedido(articulo, QStringLiteral("10"), unidad);
        e.Cantidad1 = cantidad;
        e.ArticuloDescripcion = QStringLiteral("ARROZ largo");
        f.CargaDatos(e);
    }
    QStringList Fila(int fila) const {
        QStringList r;
        for (int c = 0; c < f.MSFlexGrid1.Cols(); ++c)
            r << f.MSFlexGrid1.TextMatrix(fila, c);
        return r;
    }
    // Accepts row `fila`; the position returned.
    QString Acepta(int fila, double cantidad) {
        Prueba(f).Devuelto().iPosicionDevuelta = QStringLiteral("antes");
        Prueba(f).Entrada().Cantidad1 = cantidad;
        f.MueveCelda(fila, 0);
        f.CmdAceptar_Click();
        return f.Devuelto().iPosicionDevuelta;
    }

    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    FrmPosicionConsulta f;
};

TEST_F(PosicionConsulta, CandidatesWithABalanceInTheirOrderWithCapacityAndFreeRoom) {
    Abre("1030", 5);
    EXPECT_EQ(f.Caption, QStringLiteral("Posiciones (Deposito: 10)"));
    EXPECT_EQ(f.lblArticulo.Caption(), QStringLiteral("Arroz Largo"));
    EXPECT_EQ(Fila(0),
              (QStringList{"POSICION", "DESCRIPCION", "ORDEN INGRESO", "UNIDAD", "CAPACIDAD", "DISPONIBLE"}));
    // Candidate order, not the query's; the empty place of the rubro leaves no row.
    ASSERT_EQ(f.MSFlexGrid1.Rows(), 5);
    EXPECT_EQ(Fila(1), (QStringList{"M1E01N1P03", "Arroz 1030", "3", "UN", "50", "14"}));
    // Ten boxes are 120 units.
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 0), QStringLiteral("M1E01N1P01"));
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("120"));
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(3, 0), QStringLiteral("M1E01N1P02"));
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(3, 4), QStringLiteral("0"));
    // More than its capacity: the free room is negative.
    EXPECT_EQ(Fila(4), (QStringList{"M1E02N1P02", "Rubro almacén, arriba", "5", "UN", "20", "-6"}));
    EXPECT_EQ(f.MSFlexGrid1.Row(), 4);

    // In boxes: 50 UN are 4,1666... CJ, the family's place 10 CJ.
    FrmPosicionConsulta cajas;
    cajas.CargaDatos(Pedido(QStringLiteral("1030"), QStringLiteral("10"), QStringLiteral("CJ")));
    EXPECT_NEAR(UT().TextoADoble(cajas.MSFlexGrid1.TextMatrix(1, 4)), 50.0 / 12, 1e-9);
    EXPECT_EQ(cajas.MSFlexGrid1.TextMatrix(1, 5), QStringLiteral("1,16666666666667"));
    EXPECT_EQ(cajas.MSFlexGrid1.TextMatrix(2, 4), QStringLiteral("10"));

    // One statement for the article's balances, whatever the number of candidates.
    EXPECT_TRUE(
        FrmPosicionConsulta::SqlSaldos("  10", "O'X")
            .endsWith("ac_saldoslayout.IDDEPOSITO='  10' and ac_saldoslayout.IDarticulo='O''X' order by "
                      "ma_posiciones.ordeningreso,ac_saldoslayout.idposicion "));
}

TEST_F(PosicionConsulta, APositionIsAcceptedOnlyWhereTheQuantityFits) {
    Abre("1030", 0);
    // No limit: any quantity.
    EXPECT_EQ(Acepta(3, 100000), QStringLiteral("M1E01N1P02"));
    // 14 free: 14 fits, 14,5 does not, and the dialog stays with its message.
    EXPECT_EQ(Acepta(1, 14), QStringLiteral("M1E01N1P03"));
    f.Visible = true;
    EXPECT_EQ(Acepta(1, 14.5), QStringLiteral("antes"));
    EXPECT_TRUE(f.Visible);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto,
              QStringLiteral("No puede asignarle a esa posicion\r\nAhi puede asignar solamente 14 UN"));
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::Exclamacion);
    EXPECT_EQ(guion.Registros()[0].titulo, QString()); // the default title
    // Over its capacity, no quantity above zero fits.
    EXPECT_EQ(Acepta(4, 1), QStringLiteral("antes"));
    EXPECT_TRUE(guion.Mensajes().last().endsWith("solamente -6 UN"));
    // Cancel after a refusal returns nothing.
    f.CmdCancelar_Click();
    EXPECT_TRUE(f.Devuelto().iPosicionDevuelta.isEmpty());
    EXPECT_FALSE(f.Visible);
}

TEST_F(PosicionConsulta, WithNoDataRowAcceptReturnsNothing) {
    // 1015 has a place for its type in deposit 10, but no balance there: the header only.
    Abre("1015", 1);
    EXPECT_EQ(f.MSFlexGrid1.Rows(), 1);
    Prueba(f).Devuelto().iPosicionDevuelta = QStringLiteral("antes");
    f.CmdAceptar_Click();
    EXPECT_TRUE(f.Devuelto().iPosicionDevuelta.isEmpty());
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    // An unknown article has no candidates at all.
    FrmPosicionConsulta g;
    Entrada e = Pedido(QStringLiteral("NO-EXISTE"));
    e.IUNIDAD.clear();
    g.CargaDatos(e);
    EXPECT_EQ(g.MSFlexGrid1.Rows(), 1);
}

TEST_F(PosicionConsulta, ManyCandidatesWithoutBalanceBeforeTheListedOnes) {
    // Forty free places in deposit 4, only the last ones with a balance: every row finds room.
    for (int i = 1; i <= 40; ++i)
        AD().EjecutaSQL(
            QStringLiteral("INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, "
                           "OrdenIngreso, TITULO, IdUnidad, Capacidad) VALUES ('   4', 'T%1', 'Lugar', %2, "
                           "0, '  UN', 0)")
                .arg(i, 2, 10, QLatin1Char('0'))
                .arg(i));
    AD().EjecutaSQL(
        "INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) "
        "VALUES ('   4', 'T40', printf('%25d', 1030), NULL, '  UN', 5), "
        "('   4', 'T39', printf('%25d', 1030), NULL, '  UN', 7)");
    FrmPosicionConsulta g;
    g.CargaDatos(Pedido(QStringLiteral("1030"), QStringLiteral("4")));
    ASSERT_EQ(g.MSFlexGrid1.Rows(), 3);
    EXPECT_EQ(g.MSFlexGrid1.TextMatrix(1, 0), QStringLiteral("T39"));
    EXPECT_EQ(g.MSFlexGrid1.TextMatrix(2, 0), QStringLiteral("T40"));
    EXPECT_EQ(g.MSFlexGrid1.TextMatrix(2, 5), QStringLiteral("-5"));
}

TEST_F(PosicionConsulta, BalancesScatteredAmongManyEmptyCandidatesKeepTheirOrder) {
    // 5,000 free places in deposit 4; a scattered third of them, the first and the last included,
    // hold a balance. The grid keeps exactly those, in the places' order, each with its own row.
    constexpr int kLugares = 5000;
    QStringList lugares, saldos;
    QList<int> conSaldo;
    quint32 semilla = 12345;
    for (int i = 1; i <= kLugares; ++i) {
        lugares << QStringLiteral("('   4', 'G%1', 'Lugar', %2, 0, '  UN', 0)")
                       .arg(i, 4, 10, QLatin1Char('0'))
                       .arg(i);
        semilla = semilla * 1103515245u + 12345u;
        if (i == 1 || i == kLugares || (semilla >> 16) % 3 == 0) {
            conSaldo << i;
            saldos << QStringLiteral("('   4', 'G%1', printf('%25d', 1030), NULL, '  UN', %2)")
                          .arg(i, 4, 10, QLatin1Char('0'))
                          .arg(i);
        }
    }
    AD().EjecutaSQL("INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, OrdenIngreso, TITULO, "
                    "IdUnidad, Capacidad) VALUES " +
                    lugares.join(','));
    AD().EjecutaSQL("INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, "
                    "Saldo) VALUES " +
                    saldos.join(','));
    f.CargaDatos(Pedido(QStringLiteral("1030"), QStringLiteral("4")));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    ASSERT_EQ(f.MSFlexGrid1.Rows(), conSaldo.size() + 1);
    for (int fila = 1; fila < f.MSFlexGrid1.Rows(); ++fila) {
        const int i = conSaldo[fila - 1];
        EXPECT_EQ(Fila(fila).mid(0, 3), (QStringList{QStringLiteral("G%1").arg(i, 4, 10, QLatin1Char('0')),
                                                     "Lugar", QString::number(i)}))
            << fila;
        EXPECT_EQ(f.MSFlexGrid1.TextMatrix(fila, 5), QString::number(-i)) << fila;
    }
    EXPECT_EQ(f.MSFlexGrid1.Row(), f.MSFlexGrid1.Rows() - 1);
}

TEST_F(PosicionConsulta, AFailedLoadIsReportedNotShownAsAnEmptyGrid) {
    // The balance statement fails (a column it reads is gone); the candidates are still found.
    AD().EjecutaSQL(QStringLiteral("ALTER TABLE MA_POSICIONES RENAME COLUMN Descripcion TO Detalle"));
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Abre("1030", 5);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].titulo, QStringLiteral("Aviso al Operador - VerificaAnteriores"));
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    // No empty candidate rows are left behind.
    EXPECT_EQ(f.MSFlexGrid1.Rows(), 1);
}

TEST_F(PosicionConsulta, AcceptTakesTheCapacityBeingTyped) {
    Abre("1030", 20);
    // 20 do not fit in the article's own place (14 free), unless its capacity is typed as 0.
    f.MueveCelda(1, 4);
    f.MSFlexGrid1_KeyPress(qint16('0'));
    ASSERT_TRUE(f.TxtEdit.Visible());
    f.CmdAceptar_Click();
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(1, 4), QStringLiteral("0"));
    EXPECT_FALSE(f.TxtEdit.Visible());
    EXPECT_EQ(f.Devuelto().iPosicionDevuelta, QStringLiteral("M1E01N1P03"));
}

TEST_F(PosicionConsulta, EditingKeepsTextOnTheFirstRowOnly) {
    Abre("1030", 1);
    // The unit opens nothing; the entry order does.
    f.MueveCelda(1, 3);
    f.MSFlexGrid1_KeyPress(qint16('9'));
    EXPECT_FALSE(f.TxtEdit.Visible());
    f.MueveCelda(1, 4);
    f.MSFlexGrid1_KeyPress(qint16('9'));
    EXPECT_TRUE(f.TxtEdit.Visible());
    EXPECT_EQ(f.TxtEdit.MaxLength(), 25);
    f.TxtEdit.setText(QStringLiteral(" 99 "));
    f.TxtEdit_KeyDown(tecla::Enter, 0);
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(1, 4), QStringLiteral("99"));
    EXPECT_EQ(f.MSFlexGrid1.Col(), 5);
    // Row 2 does not keep what is typed.
    f.MueveCelda(2, 2);
    f.MSFlexGrid1_KeyPress(qint16('7'));
    f.TxtEdit_KeyDown(tecla::Enter, 0);
    EXPECT_EQ(f.MSFlexGrid1.TextMatrix(2, 2), QStringLiteral("1"));
    EXPECT_EQ(f.MSFlexGrid1.Col(), 3);
}

} // namespace
