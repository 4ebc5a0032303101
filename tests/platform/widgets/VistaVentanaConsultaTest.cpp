// The search window's dialog, offscreen: it shows the window's rows and hands the person's
// choice (Enter on a row, Escape) back to the logic.

#include "VistaVentanaConsulta.h"
#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Enlaces.h"
#include "InteraccionQt.h"
#include "VentanaConsulta.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class VistaConsulta : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        BaseEmbebida::Crea(
            dir_.filePath("prueba.db"),
            {"CREATE TABLE T (CODIGO VARCHAR(4) COLLATE TEXTO, NOMBRE VARCHAR(20) COLLATE TEXTO)",
             "INSERT INTO T VALUES ('1', 'Uno')", "INSERT INTO T VALUES ('2', 'Dos')",
             "INSERT INTO T VALUES ('3', 'Tres')"});
        ad_.AsignaServidor("sqlite");
        ad_.AsignaBaseDatos(dir_.filePath("prueba.db"));
        ad_.Conecta();
        ventana_.setProveedorDatos([this] { return &ad_; });
        ventana_.setCampoClave("CODIGO");
        RegistraVistaVentanaConsulta();
        EstableceInteraccion(&puerto_);
    }
    void TearDown() override { EstableceInteraccion(nullptr); }

    // Runs `accion` on the dialog once it is shown modally.
    void AlAbrir(const std::function<void(VistaVentanaConsulta&)>& accion) {
        QTimer::singleShot(0, [this, accion] {
            auto* vista = qobject_cast<VistaVentanaConsulta*>(QApplication::activeModalWidget());
            if (!vista) {
                ADD_FAILURE() << "no se abrió la ventana de consulta";
                return;
            }
            abierta_ = true;
            accion(*vista);
        });
    }

    // Rows 4 to `hasta` after the first three ("Nombre 4", ...; codes of at most four digits).
    void AgregaFilas(int hasta) {
        ad_.EjecutaSQL(QString("INSERT INTO T WITH RECURSIVE s(n) AS (SELECT 4 UNION ALL SELECT n + 1 FROM s "
                               "WHERE n < %1) SELECT n % 10000, 'Nombre ' || n FROM s")
                           .arg(hasta));
    }

    QTemporaryDir dir_;
    AccesoDatos ad_;
    VentanaConsulta ventana_;
    InteraccionQt puerto_;
    bool abierta_ = false;
};

TEST_F(VistaConsulta, MuestraLasFilasYEnterEligeLaFilaActual) {
    AlAbrir([](VistaVentanaConsulta& vista) {
        EXPECT_EQ(vista.windowTitle(), "T");
        QTableView* tabla = vista.Tabla();
        EXPECT_TRUE(tabla->isRowHidden(0)); // the column names are in the header
        EXPECT_EQ(tabla->model()->headerData(1, Qt::Horizontal).toString(), "NOMBRE");
        EXPECT_EQ(tabla->model()->index(2, 1).data().toString(), "Dos");
        // No widths file: each column fits its title and its cells.
        for (int c = 0; c < 2; ++c) {
            const QString titulo = tabla->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_GT(tabla->columnWidth(c),
                      tabla->horizontalHeader()->fontMetrics().horizontalAdvance(titulo));
        }
        tabla->setCurrentIndex(tabla->model()->index(3, 1));
        QTest::keyClick(tabla, Qt::Key_Return);
    });
    ventana_.MuestraConsulta("select CODIGO, NOMBRE from T order by CODIGO");
    EXPECT_TRUE(abierta_);
    EXPECT_EQ(ventana_.ValorElegido().toString(), "3");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(VistaConsulta, EscapeNoEligeNada) {
    AlAbrir([](VistaVentanaConsulta& vista) {
        vista.Tabla()->setCurrentIndex(vista.Tabla()->model()->index(2, 0));
        QTest::keyClick(&vista, Qt::Key_Escape);
    });
    ventana_.MuestraConsulta("select CODIGO, NOMBRE from T order by CODIGO");
    EXPECT_TRUE(abierta_);
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(VistaConsulta, LasFilasSiguenLlegandoConLaVentanaAbiertaYTeclearEstrecha) {
    AgregaFilas(9999);
    AlAbrir([this](VistaVentanaConsulta& vista) {
        QAbstractItemModel* modelo = vista.Tabla()->model();
        // Open with the first screen, the rest still coming.
        EXPECT_EQ(modelo->rowCount(), 1 + VentanaConsulta::PrimeraPantalla);
        EXPECT_FALSE(ventana_.Completa());
        QApplication::processEvents();
        EXPECT_LT(modelo->rowCount(), 10000); // one block per turn of the event loop
        // Typing while rows come in narrows what is there and what comes.
        QTest::keyClicks(vista.Buscador(), "9999");
        for (int vueltas = 0; !ventana_.Completa() && vueltas < 1000; ++vueltas)
            QApplication::processEvents();
        EXPECT_TRUE(ventana_.Completa());
        EXPECT_EQ(ventana_.FilasDatos(), 9999);
        ASSERT_EQ(modelo->rowCount(), 2);
        EXPECT_EQ(modelo->index(1, 1).data().toString(), "Nombre 9999");
        EXPECT_EQ(vista.Tabla()->currentIndex().row(), 1);
        QTest::keyClick(vista.Buscador(), Qt::Key_Return);
    });
    ventana_.MuestraConsulta("select CODIGO, NOMBRE from T order by rowid");
    EXPECT_TRUE(abierta_);
    EXPECT_EQ(ventana_.ValorElegido().toString(), "9999");
}

// Block after block comes in at every turn of the event loop; the table hears of them at the
// views' pace, not at every block, and in the end of every row.
TEST_F(VistaConsulta, LasFilasQueLleganSeMuestranAlRitmoDeLasVistas) {
    AgregaFilas(20000);
    AlAbrir([this](VistaVentanaConsulta& vista) {
        QAbstractItemModel* modelo = vista.Tabla()->model();
        int avisos = 0;
        QObject::connect(modelo, &QAbstractItemModel::rowsInserted, [&avisos] { ++avisos; });
        QElapsedTimer reloj;
        reloj.start();
        int turnos = 0;
        for (; !ventana_.Completa() && turnos < 1000; ++turnos)
            QApplication::processEvents();
        const qint64 ms = reloj.elapsed();
        EXPECT_TRUE(ventana_.Completa());
        EXPECT_GT(turnos, 20);
        EXPECT_LE(avisos, ms / RitmoVistasMs + 2) << turnos << " turnos, " << ms << " ms";
        EXPECT_EQ(modelo->rowCount(), 1 + 20000);
        EXPECT_EQ(modelo->index(20000, 1).data().toString(), "Nombre 20000");
        QTest::keyClick(&vista, Qt::Key_Escape);
    });
    ventana_.MuestraConsulta("select CODIGO, NOMBRE from T order by rowid");
    EXPECT_TRUE(abierta_);
}

TEST_F(VistaConsulta, DobleClicEligeLaFilaPulsada) {
    AlAbrir([](VistaVentanaConsulta& vista) {
        QTableView* tabla = vista.Tabla();
        const QRect celda = tabla->visualRect(tabla->model()->index(2, 0));
        QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {}, celda.center());
        QTest::mouseDClick(tabla->viewport(), Qt::LeftButton, {}, celda.center());
        // A double click that does not close leaves the dialog open: close it for the test.
        if (QApplication::activeModalWidget() == &vista)
            vista.reject();
    });
    ventana_.MuestraConsulta("select CODIGO, NOMBRE from T order by CODIGO");
    EXPECT_EQ(ventana_.ValorElegido().toString(), "2");
}

} // namespace
