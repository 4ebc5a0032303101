// The editor's window during Importar, offscreen: it goes, when it is destroyed meanwhile,
// without running what it had waiting.

#include "BaseDemo.h"
#include "Enlaces.h"
#include "FrmVardelio.h"
#include "VistaDemo.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `f` for every event the application delivers.
class MiraEventos : public QObject {
public:
    explicit MiraEventos(std::function<void(QObject*, QEvent*)> f) : f_(std::move(f)) {
        qApp->installEventFilter(this);
    }
    ~MiraEventos() override { qApp->removeEventFilter(this); }
    MiraEventos(const MiraEventos&) = delete;
    MiraEventos& operator=(const MiraEventos&) = delete;
    bool eventFilter(QObject* o, QEvent* e) override {
        f_(o, e);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> f_;
};

class RitmoVistas : public ConVistaDemo<ConBaseDemo> {
protected:
    void TearDown() override {
        EstableceInteraccion(&guion);
        ConVistaDemo::TearDown();
    }

    // A file of `lineas` lines of known articles in the demo's layout, and a new template.
    void Prepara(int lineas) {
        archivo = Carpeta() + "/LINEAS.TXT";
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int n = 1; n <= lineas; ++n)
            f.write(n % 2 ? "1001,2\r\n" : "1002,3\r\n");
        f.close();
        form->UtilVox1_click("NUEVO");
        form->TxtFields[0].setText("AL RITMO");
        form->DetalleOn(true);
        QApplication::processEvents();
    }

    QString archivo;
};

// The window destroyed while the command runs and an update of it waits for the pace (here,
// while the completion message is asked): nothing of it runs on the window going, and the
// views of the program follow their models at once again.
TEST_F(RitmoVistas, LaVentanaDestruidaDuranteElComandoNoCorreLoQueTeniaEnEspera) {
    Prepara(200);
    if (HasFatalFailure())
        return;
    class Guion : public InteraccionGuionada {
    public:
        std::function<void(const QString&)> alPreguntar;
        int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
            if (alPreguntar)
                alPreguntar(texto);
            return InteraccionGuionada::MsgBox(texto, estilo, titulo);
        }
    } g;
    g.AgregaArchivo(archivo);
    EstableceInteraccion(&g);
    int eventos = -1;
    g.alPreguntar = [&](const QString& texto) {
        if (texto != "Proceso Completado!")
            return;
        ASSERT_TRUE(form->EnProceso());
        // Waiting now, as the status bar's last count may: the message's label, which repaints
        // at once when its update runs.
        form->LblMensaje.setCaption("Grabando...");
        QSet<const QObject*> suyos;
        for (const QObject* o : vista->findChildren<QObject*>())
            suyos.insert(o);
        suyos.insert(vista.get());
        eventos = 0;
        const MiraEventos mira([&](QObject* o, QEvent* e) {
            if (suyos.contains(o) && (e->type() == QEvent::Paint || e->type() == QEvent::FocusIn))
                ++eventos;
        });
        vista.reset();
    };
    form->CmdEspecial_Click();
    EXPECT_EQ(eventos, 0);
    EXPECT_EQ(form->MSFlexGrid2.Rows(), 202);

    Etiqueta modelo;
    QLabel etiqueta;
    modelo.setCaption("antes");
    EnlazaEtiqueta(modelo, &etiqueta);
    modelo.setCaption("al instante");
    EXPECT_EQ(etiqueta.text(), "al instante");
}

} // namespace
