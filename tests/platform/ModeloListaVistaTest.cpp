// The list model over a list filled row by row: rows added at the end arrive as insertions,
// a cleared or re-sorted list as a reset, ticks go back to the list; Qt's model tester checks
// every step.

#include "ModeloListaVista.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

void Agrega(ListaVista& l, int desde, int hasta) {
    for (int i = desde; i < hasta; ++i) {
        ElementoLista& e = l.Add(QString(), 0, 1);
        e.setText(QString::number(i));
        e.setSubItems(1, QStringLiteral("n%1").arg(1000 - i, 4, 10, QLatin1Char('0')));
    }
}

TEST(ModeloListaVista, FilasAgregadasReiniciosYMarcas) {
    ListaVista lista;
    lista.AgregaEncabezado("A", 100);
    lista.AgregaEncabezado("B", 200);
    ModeloListaVista modelo(lista);
    QAbstractItemModelTester tester(&modelo, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy insertadas(&modelo, &QAbstractItemModel::rowsInserted);
    QSignalSpy reinicios(&modelo, &QAbstractItemModel::modelReset);

    // Many changes, one update per turn of the event loop.
    for (int tanda = 0; tanda < 5; ++tanda) {
        Agrega(lista, tanda * 200, (tanda + 1) * 200);
        EXPECT_EQ(modelo.rowCount(), tanda * 200);
        QCoreApplication::processEvents();
        EXPECT_EQ(modelo.rowCount(), (tanda + 1) * 200);
    }
    EXPECT_EQ(insertadas.count(), 5);
    EXPECT_EQ(reinicios.count(), 0);
    EXPECT_EQ(modelo.columnCount(), 2);
    EXPECT_EQ(modelo.headerData(1, Qt::Horizontal).toString(), "B");
    EXPECT_EQ(modelo.index(999, 1).data().toString(), "n0001");

    // Sorting reorders every row: a reset, the rows in the list's new order.
    lista.setSortKey(1);
    lista.setSorted(true);
    modelo.Sincroniza();
    EXPECT_EQ(reinicios.count(), 1);
    EXPECT_EQ(modelo.index(0, 0).data().toString(), "999");

    // Check boxes: the first column takes ticks and hands them to the list.
    lista.setCheckboxes(true);
    modelo.Sincroniza();
    EXPECT_TRUE(modelo.flags(modelo.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(modelo.setData(modelo.index(3, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(lista.ListItems(4).Checked());
    EXPECT_FALSE(modelo.setData(modelo.index(3, 1), Qt::Checked, Qt::CheckStateRole));

    // A new search: cleared and refilled with more rows before the next turn is still a reset,
    // never rows appended to the old ones; a row gone before the update shows nothing.
    lista.Clear();
    EXPECT_FALSE(modelo.index(0, 0).data().isValid());
    Agrega(lista, 0, 1500);
    QCoreApplication::processEvents();
    EXPECT_EQ(modelo.rowCount(), 1500);
    EXPECT_GE(reinicios.count(), 3);
    EXPECT_EQ(insertadas.count(), 5);
}

} // namespace
