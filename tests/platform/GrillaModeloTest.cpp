#include "Grilla.h"
#include "ModeloGrilla.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QColor>
#include <QSignalSpy>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Collects what the model tester reports, so that a broken contract fails the test.
class Quejas {
public:
    Quejas() {
        recibidas().clear();
        anterior_ = qInstallMessageHandler(
            [](QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
                if (tipo != QtDebugMsg &&
                    QByteArray(contexto.category ? contexto.category : "") == "qt.modeltest")
                    recibidas() << texto;
            });
    }
    ~Quejas() { qInstallMessageHandler(anterior_); }
    static QStringList& recibidas() {
        static QStringList q;
        return q;
    }

private:
    QtMessageHandler anterior_;
};

class ModeloGrillaTest : public ::testing::Test {
protected:
    Quejas quejas;
    Grilla grilla{3, 4, 1, 1};
    ModeloGrilla modelo{grilla};
    QAbstractItemModelTester probador{&modelo, QAbstractItemModelTester::FailureReportingMode::Warning};

    void TearDown() override {
        EXPECT_TRUE(Quejas::recibidas().isEmpty()) << Quejas::recibidas().join('\n').toStdString();
    }
};

TEST_F(ModeloGrillaTest, CumpleElContratoDeLosModelosAlCambiarLaGrilla) {
    grilla.setTextMatrix(0, 1, "Descripción");
    grilla.setTextMatrix(1, 1, "Tornillo");
    grilla.setRows(10);
    EXPECT_EQ(modelo.rowCount(), 10);
    grilla.setTextMatrix(9, 3, "7");
    grilla.AddItem("A\tB", 2);
    grilla.RemoveItem(5);
    grilla.setCols(6);
    EXPECT_EQ(modelo.columnCount(), 6);
    grilla.setCols(2);
    grilla.setRows(4);
    grilla.setFixedRows(2);
    grilla.setColWidth(1, 0);
    grilla.setRow(3);
    grilla.setCol(1);
    grilla.setCellBackColor(65535);
    grilla.Clear();
    grilla.Refresh();
    grilla.setRows(0);
    grilla.setRows(2);
    EXPECT_EQ(modelo.rowCount(), grilla.Rows());
    EXPECT_EQ(modelo.columnCount(), grilla.Cols());
}

TEST_F(ModeloGrillaTest, TextoColoresYAlineacion) {
    grilla.setCols(3);
    grilla.setTextMatrix(0, 1, "Cant.");
    grilla.setTextMatrix(1, 1, "1.234,50");
    grilla.setTextMatrix(1, 2, "UN");
    grilla.setColAlignment(2, Alineacion::DerechaAbajo);
    grilla.setRow(1);
    grilla.setCol(2);
    grilla.setCellBackColor(65535);    // yellow in BGR
    grilla.setCellForeColor(16711680); // blue in BGR

    const QModelIndex celda = modelo.index(1, 2);
    EXPECT_EQ(modelo.data(modelo.index(1, 1)).toString(), "1.234,50");
    EXPECT_EQ(modelo.data(celda, Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 0));
    EXPECT_EQ(modelo.data(celda, Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 255));
    EXPECT_FALSE(modelo.data(modelo.index(1, 1), Qt::BackgroundRole).isValid());
    EXPECT_EQ(modelo.data(celda, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignBottom));
    // General alignment: numbers right, texts left.
    EXPECT_EQ(modelo.data(modelo.index(1, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    grilla.setTextMatrix(1, 1, "Tornillo");
    EXPECT_EQ(modelo.data(modelo.index(1, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    grilla.setColAlignment(1, Alineacion::IzquierdaCentro);
    EXPECT_EQ(modelo.data(modelo.index(1, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));

    EXPECT_TRUE(modelo.data(modelo.index(0, 2), ModeloGrilla::RolFija).toBool());
    EXPECT_TRUE(modelo.data(modelo.index(2, 0), ModeloGrilla::RolFija).toBool());
    EXPECT_FALSE(modelo.data(modelo.index(2, 1), ModeloGrilla::RolFija).toBool());
    EXPECT_EQ(modelo.headerData(1, Qt::Horizontal).toString(), "Cant.");
}

TEST_F(ModeloGrillaTest, ColumnasOcultasYAnchos) {
    QSignalSpy formato(&modelo, &ModeloGrilla::formatoCambiado);
    QSignalSpy cabecera(&modelo, &QAbstractItemModel::headerDataChanged);
    grilla.setColWidth(2, 0);
    grilla.setColWidth(3, 1500);
    EXPECT_TRUE(modelo.ColumnaOculta(2));
    EXPECT_FALSE(modelo.ColumnaOculta(3));
    EXPECT_TRUE(modelo.headerData(2, Qt::Horizontal, ModeloGrilla::RolOculta).toBool());
    EXPECT_EQ(modelo.headerData(3, Qt::Horizontal, ModeloGrilla::RolAncho).toInt(), 1500);
    ASSERT_EQ(formato.count(), 2);
    EXPECT_EQ(formato.at(0).at(0).toInt(), 2);
    EXPECT_EQ(cabecera.count(), 2);
}

TEST_F(ModeloGrillaTest, CambiosDeCeldasYDeCeldaActualSeAvisan) {
    QSignalSpy datos(&modelo, &QAbstractItemModel::dataChanged);
    QSignalSpy estado(&modelo, &ModeloGrilla::estadoCambiado);
    grilla.setTextMatrix(2, 3, "x");
    ASSERT_EQ(datos.count(), 1);
    EXPECT_EQ(datos.at(0).at(0).toModelIndex(), modelo.index(2, 3));
    grilla.setRow(2);
    grilla.setCol(3);
    grilla.setCellBackColor(255);
    EXPECT_EQ(datos.count(), 2);
    EXPECT_EQ(estado.count(), 2);
}

TEST_F(ModeloGrillaTest, ConRedrawApagadoSeAvisaUnaSolaVez) {
    QSignalSpy datos(&modelo, &QAbstractItemModel::dataChanged);
    QSignalSpy reinicios(&modelo, &QAbstractItemModel::modelReset);
    QSignalSpy filas(&modelo, &QAbstractItemModel::rowsInserted);

    grilla.setRedraw(false);
    grilla.setTextMatrix(1, 1, "a");
    grilla.setTextMatrix(2, 3, "b");
    EXPECT_EQ(datos.count(), 0);
    grilla.setRedraw(true);
    ASSERT_EQ(datos.count(), 1); // one notice over the rectangle of what changed
    EXPECT_EQ(datos.at(0).at(0).toModelIndex(), modelo.index(1, 1));
    EXPECT_EQ(datos.at(0).at(1).toModelIndex(), modelo.index(2, 3));
    EXPECT_EQ(reinicios.count(), 0);

    grilla.setRedraw(false);
    grilla.setRows(1000);
    for (int r = 1; r < 1000; ++r)
        grilla.setTextMatrix(r, 0, QString::number(r));
    grilla.setRows(500);
    EXPECT_EQ(modelo.rowCount(), 3); // the views are told nothing yet
    EXPECT_EQ(modelo.data(modelo.index(2, 0)).toString(), "2");
    grilla.setRows(2);
    EXPECT_FALSE(modelo.data(modelo.index(2, 0)).isValid()); // gone, but not yet told
    grilla.setRows(500);
    grilla.setRedraw(true);
    EXPECT_EQ(reinicios.count(), 1);
    EXPECT_EQ(filas.count(), 0);
    EXPECT_EQ(modelo.rowCount(), 500);
    EXPECT_EQ(modelo.data(modelo.index(1, 0)).toString(), "1");
    EXPECT_EQ(modelo.data(modelo.index(2, 0)).toString(), "");
}

TEST(ModeloGrilla, ColorDesdeBgr) {
    EXPECT_FALSE(ModeloGrilla::ColorDesdeBgr(0).isValid());
    EXPECT_EQ(ModeloGrilla::ColorDesdeBgr(12648447), QColor(255, 255, 192));
    EXPECT_EQ(ModeloGrilla::ColorDesdeBgr(12640511), QColor(255, 224, 192));
    EXPECT_EQ(ModeloGrilla::ColorDesdeBgr(0xFFFF00), QColor(0, 255, 255));
}

} // namespace
