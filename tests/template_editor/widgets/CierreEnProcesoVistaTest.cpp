// A close request while Cargar or Importar fills the lines of the real window (its close button
// or the system's close keys, and CERRAR's key): the work goes on to its end, told as always,
// and then the window closes.

#include "BaseDemo.h"
#include "VistaDemo.h"

#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

class CierreEnProcesoVista : public ConVistaDemo<ConBaseDemo> {
protected:
    // The header of a new template typed, the keyboard on its lines.
    void Plantilla() {
        CabeceraNueva("CIERRE");
        ASSERT_EQ(QApplication::focusWidget(), vista->Tabla());
    }
    // While the command runs, the close is asked for once; the window still shows then. The
    // program's end is noted (the view would quit the event loop).
    void PideCierreEnProceso(const std::function<void()>& pedido) {
        form->alTerminar = [this](int codigo) { fin = codigo; };
        QObject::connect(&mirada, &QTimer::timeout, [this, pedido] {
            if (!form->EnProceso() || pedida)
                return;
            pedida = true;
            pedido();
            abiertaTrasPedido = vista->isVisible() && !form->Descargado();
            seguia = form->EnProceso();
        });
        mirada.start(1);
    }
    // Alt and the button's letter: the button presses itself a moment later.
    void Boton(char letra) {
        Tecla(Qt::Key(letra), Qt::AltModifier);
        for (int i = 0; i < 100 && !pedida; ++i)
            QTest::qWait(10);
    }

    QTimer mirada;
    bool pedida = false;
    bool abiertaTrasPedido = false;
    bool seguia = false;
    std::optional<int> fin;
};

TEST_F(CierreEnProcesoVista, ElBotonDeCierreDuranteImportarCierraAlTerminar) {
    constexpr int kLineas = 400;
    const QString archivo = Carpeta() + "/LINEAS.TXT";
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int n = 0; n < kLineas; ++n)
        f.write(n % 2 ? "1001,2\r\n" : "1002,3\r\n");
    f.close();
    Plantilla();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaArchivo(archivo);
    PideCierreEnProceso([this] { vista->close(); });
    Boton('I');
    ASSERT_TRUE(pedida);
    EXPECT_TRUE(abiertaTrasPedido);
    EXPECT_TRUE(seguia);
    // The whole file went in and its end was told; then the window closed.
    EXPECT_EQ(form->MSFlexGrid2.Rows(), kLineas + 2);
    EXPECT_TRUE(guion.Mensajes().contains("Proceso Completado!"));
    EXPECT_TRUE(form->Descargado());
    EXPECT_EQ(fin, 0);
}

TEST_F(CierreEnProcesoVista, LaTeclaDeCerrarDuranteCargarCierraAlTerminar) {
    Plantilla();
    guion.AgregaRespuesta(Respuesta::Si);
    PideCierreEnProceso([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12); });
    Boton('C');
    ASSERT_TRUE(pedida);
    EXPECT_TRUE(abiertaTrasPedido);
    EXPECT_TRUE(seguia);
    EXPECT_GT(form->MSFlexGrid2.Rows(), 50);
    EXPECT_TRUE(guion.Mensajes().contains("Proceso Completado!"));
    EXPECT_TRUE(form->Descargado());
    EXPECT_EQ(fin, 0);
}

} // namespace
