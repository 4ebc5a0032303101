// The editor's window during a long Importar, offscreen: it follows the form at the views' pace,
// not at every change, shows what the form holds whenever the keyboard goes back to the user, and
// goes, when it is destroyed meanwhile, without running what it had waiting.

#include "BaseDemo.h"
#include "Enlaces.h"
#include "FrmVardelio.h"
#include "InteraccionQt.h"
#include "VistaDemo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

    // What the window shows of the form's status bars, stock line, lines and cell editor other
    // than what the form holds, one item a line; empty when it shows the form as it is.
    std::string LoQueDifiere() const {
        QStringList r;
        const auto compara = [&r](const QString& que, const QString& visto, const QString& modelo) {
            if (visto != modelo)
                r << que + ": \"" + visto + "\" en vez de \"" + modelo + "\"";
        };
        const auto paneles = [&](QStatusBar* barra, BarraEstado& b, const QString& nombre) {
            const QList<QLabel*> l = barra->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
            for (int i = 1; i <= b.Count(); ++i)
                compara(nombre + QString::number(i), i <= l.size() ? l[i - 1]->text() : "-",
                        b.Panels(i).Text());
        };
        paneles(vista->statusBar(), form->sbStatusBar, "sbStatusBar ");
        paneles(vista->findChild<QStatusBar*>("StatusBar1"), form->StatusBar1, "StatusBar1 ");
        for (size_t i = 0; i < form->lblStockInfo.size(); ++i) {
            const QString nombre = QString("lblStockInfo(%1)").arg(i);
            compara(nombre, vista->findChild<QLabel*>(nombre)->text(), form->lblStockInfo[i].Caption());
        }
        const QTableView* t = vista->Tabla();
        const Grilla& g = form->MSFlexGrid2;
        compara("filas", QString::number(t->model()->rowCount()), QString::number(g.Rows()));
        compara("celda", QString("%1,%2").arg(t->currentIndex().row()).arg(t->currentIndex().column()),
                QString("%1,%2").arg(g.Row()).arg(g.Col()));
        const auto* editor = t->viewport()->findChild<QLineEdit*>("txtEdit2");
        compara("txtEdit2", editor->isVisible() ? editor->text() : "oculto",
                form->txtEdit2.Visible() ? form->txtEdit2.Text() : "oculto");
        return r.join('\n').toStdString();
    }

    QString archivo;
};

// The program's own boxes, answered with their first button by the user, who first looks at
// the window under each (`mira`); the file is the test's.
class Usuario : public InteraccionQt, public QObject {
public:
    Usuario(QWidget* ventana, QString archivo, std::function<void()> mira)
        : archivo_(std::move(archivo)), mira_(std::move(mira)) {
        setPadre(ventana);
        EstableceInteraccion(this);
        qApp->installEventFilter(this);
    }
    ~Usuario() override { qApp->removeEventFilter(this); }
    Usuario(const Usuario&) = delete;
    Usuario& operator=(const Usuario&) = delete;
    QString AbreArchivo(const QString&, const QString&, const QString&) override { return archivo_; }
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* caja = qobject_cast<QMessageBox*>(o);
        if (e->type() != QEvent::Show || !caja)
            return false;
        cajas << caja->text();
        mira_();
        QMetaObject::invokeMethod(
            caja,
            [caja] {
                QAbstractButton* b = caja->button(QMessageBox::Yes);
                (b ? b : caja->button(QMessageBox::Ok))->click();
            },
            Qt::QueuedConnection);
        return false;
    }

    QStringList cajas;

private:
    QString archivo_;
    std::function<void()> mira_;
};

// While the lines come in, the window follows the form once per turn of the event loop at most,
// whatever the machine's speed: the table's current cell and the cell editor, which the form
// moves, opens and closes on every line, are updated no more often than the window yields (a
// yield reaches the event loop at most every 40 ms and never more than once a line), plus once
// when the completion message opens and once when the command ends. Followed at every change
// they would move three times and show or hide twice a line, far past that bound.
// When the message shows and when the command returns, the window shows what the form holds:
// the last line's count, the lines, the current cell.
TEST_F(RitmoVistas, ImportarSigueAlFormularioUnaVezPorTurnoYTerminaAlDia) {
    constexpr int kLineas = 2000;
    Prepara(kLineas);
    if (HasFatalFailure())
        return;
    std::vector<std::string> diferencias;
    QStringList mensajes;
    const QLabel* mensaje = vista->statusBar()->findChild<QLabel*>("MENSAJE");
    ASSERT_NE(mensaje, nullptr);
    Usuario usuario(vista.get(), archivo, [&] {
        diferencias.push_back(LoQueDifiere());
        mensajes << mensaje->text();
    });

    // The turns the window gives the event loop while the command runs: a probe posted at each
    // yield, when none is waiting, is delivered by the turn.
    bool enCurso = false;
    int turnos = 0;
    bool sondaEnCola = false;
    QObject sonda;
    const auto cede = form->cedeTurno;
    form->cedeTurno = [&, cede] {
        if (!sondaEnCola) {
            sondaEnCola = true;
            QCoreApplication::postEvent(&sonda, new QEvent(QEvent::User));
        }
        cede();
    };
    const auto proceso = form->alCambiarProceso;
    form->alCambiarProceso = [&, proceso](bool enProceso) {
        enCurso = enCurso || enProceso;
        proceso(enProceso);
        enCurso = enProceso;
    };
    int celdas = 0;
    int editor = 0;
    const QObject* cajaEditor = vista->Tabla()->viewport()->findChild<QLineEdit*>("txtEdit2");
    ASSERT_NE(cajaEditor, nullptr);
    QObject::connect(vista->Tabla()->selectionModel(), &QItemSelectionModel::currentChanged, &sonda, [&] {
        if (enCurso)
            ++celdas;
    });
    const MiraEventos mira([&](QObject* o, QEvent* e) {
        if (o == &sonda && e->type() == QEvent::User) {
            sondaEnCola = false;
            if (enCurso)
                ++turnos;
        } else if (o == cajaEditor && enCurso && (e->type() == QEvent::Show || e->type() == QEvent::Hide)) {
            ++editor;
        }
    });

    QTest::mouseClick(vista->Control("CmdEspecial"), Qt::LeftButton);
    const std::string alVolver = LoQueDifiere();

    ASSERT_EQ(usuario.cajas.size(), 2) << usuario.cajas.join('\n').toStdString();
    EXPECT_EQ(usuario.cajas[1], "Proceso Completado!");
    EXPECT_EQ(form->MSFlexGrid2.Rows(), kLineas + 2);
    EXPECT_GT(turnos, 0);
    EXPECT_LE(celdas, turnos + 2) << "turnos " << turnos;
    EXPECT_LE(editor, turnos + 2) << "turnos " << turnos;
    // Under the completion message, the last line's count and the lines as the form holds them.
    ASSERT_EQ(diferencias.size(), 2);
    EXPECT_EQ(mensajes[1].toStdString(), QString("Importando línea %1 de %1").arg(kLineas).toStdString());
    EXPECT_EQ(diferencias[1], "");
    EXPECT_EQ(alVolver, "");
}

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
