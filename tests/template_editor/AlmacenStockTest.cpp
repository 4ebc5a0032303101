// The stock store alone, without the window, on a copy of the demo database: the articles of a
// template read in IN lists of 500, whose balances and minima come out as one read of all of
// them would give them.

#include "AlmacenStock.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Registros.h"
#include "TextoCampo.h"
#include "Utilidades.h"

#include <gtest/gtest.h>

namespace {

class AlmacenStockTest : public ConBaseDemo {
protected:
    // 1,201 articles: balances in deposits 1 (some also in boxes) and 2, minima for a third.
    void SetUp() override {
        ConBaseDemo::SetUp();
        if (HasFatalFailure())
            return;
        AD().EjecutaSQL(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1200) "
            "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) "
            "SELECT printf('%25d', 20000 + i), '  UN', '   1', '', i FROM n UNION ALL "
            "SELECT printf('%25d', 20000 + i), '  CJ', '   1', '', i / 2 FROM n WHERE i % 2 = 0 UNION ALL "
            "SELECT printf('%25d', 20000 + i), '  UN', '   2', '', 1 FROM n"));
        AD().EjecutaSQL(
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 3 FROM n WHERE i < 1197) "
                           "INSERT INTO V_TA_DEPOSITO_MM (idarticulo, iddeposito, Minimo, Maximo) "
                           "SELECT printf('%25d', 20000 + i), '   1', i, i + 10 FROM n"));
        for (int i = 0; i <= 1200; ++i)
            codigos << UT().RellenaCodigo(QString::number(20000 + i), 25);
    }
    // The same read without IN lists: every synthetic article's rows.
    static AlmacenStock::Saldos Esperados(const QString& donde, const QString& stock) {
        Registros rs;
        AD().ObtieneRecordset(
            QStringLiteral("SELECT IDARTICULO, EQUIVALENCIA, ") + stock +
                QStringLiteral(" AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO BETWEEN "
                               "printf('%25d', 20000) AND printf('%25d', 21200)") +
                donde,
            rs);
        AlmacenStock::Saldos saldos;
        for (; !rs.Eof(); rs.MoveNext())
            saldos.insert(
                AlmacenStock::ClaveSaldo(TextoCampo(rs, "IDARTICULO"), TextoCampo(rs, "EQUIVALENCIA")),
                UT().TextoADoble(rs.Fields(QStringLiteral("STOCK"))));
        return saldos;
    }

    QStringList codigos;
};

TEST_F(AlmacenStockTest, CadaListaDeQuinientosLeeLoQueUnaSolaLecturaLeeria) {
    const QStringList listas = AlmacenStock::ListasIn(codigos + QStringList{QStringLiteral("O'K")});
    ASSERT_EQ(listas.size(), 3);
    for (const QString& lista : listas)
        EXPECT_TRUE(lista.startsWith(u'(') && lista.endsWith(u')')) << lista.left(40).toStdString();
    EXPECT_EQ(listas[0].count(u','), 499);
    EXPECT_EQ(listas[1].count(u','), 499);
    EXPECT_TRUE(listas[2].endsWith(QStringLiteral(",'O''K')"))); // no code ends a literal

    AlmacenStock::Saldos deposito;
    AlmacenStock::Saldos totales;
    AlmacenStock::MinimosMaximos mm;
    for (const QString& lista : listas) {
        AlmacenStock::LeeSaldos(QStringLiteral("   1"), lista, deposito);
        AlmacenStock::LeeSaldosTotales(lista, totales);
        AlmacenStock::LeeMinimosMaximos(QStringLiteral("   1"), lista, mm);
    }
    EXPECT_EQ(deposito, Esperados(QStringLiteral(" AND IDDEPOSITO = '   1'"), QStringLiteral("STOCK")));
    EXPECT_EQ(deposito.size(), 1201 + 601);
    EXPECT_EQ(totales,
              Esperados(QStringLiteral(" GROUP BY IDARTICULO, EQUIVALENCIA"), QStringLiteral("SUM(STOCK)")));
    EXPECT_EQ(totales.value(AlmacenStock::ClaveSaldo(codigos[1200], QStringLiteral("  UN"))), 1201.0);
    ASSERT_EQ(mm.size(), 400);
    const auto ultimo = mm.value(ClaveTexto(codigos[1197]));
    EXPECT_EQ(ultimo.first.Texto(), "1197");
    EXPECT_EQ(ultimo.second.Texto(), "1207");
}

} // namespace
