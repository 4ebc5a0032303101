// Cargar and Importar clicked in the real window offscreen, with the program's own Qt dialogs
// answered as a user would: the questions, the file dialog and the completion message, while
// the window's other commands stay disabled and its status bar shows the progress.

#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "InteraccionQt.h"
#include "VistaDemo.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class CargarImportarVista : public ConVistaDemo<ConBaseDemo> {
protected:
    void SetUp() override {
        ConVistaDemo::SetUp();
        if (HasFatalFailure())
            return;
        puerto.setPadre(vista.get());
        EstableceInteraccion(&puerto);
        // The user answers every modal dialog that shows: Yes or OK on a box, the file on the
        // file dialog; what the window shows then is noted.
        QObject::connect(&usuario, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible())
                return;
            if (auto* caja = qobject_cast<QMessageBox*>(w)) {
                textos << caja->text();
                titulos << caja->windowTitle();
                botonesHabilitados << (vista->Control("CmdEspecial")->isEnabled() ||
                                       vista->Control("CmdCargar")->isEnabled());
                tablaHabilitada << vista->Tabla()->isEnabled();
                if (conTeclas) { // Enter: the first button, Yes or OK
                    QTest::keyClick(caja, Qt::Key_Return);
                    return;
                }
                QAbstractButton* b = caja->button(QMessageBox::Yes);
                (b ? b : caja->button(QMessageBox::Ok))->click();
            } else if (auto* d = qobject_cast<QFileDialog*>(w)) {
                // The user picks the file from the list once the folder is read.
                if (esperas++ == 0)
                    d->setDirectory(QFileInfo(archivo).absolutePath());
                auto* lista = d->findChild<QTreeView*>(QStringLiteral("treeView"));
                QStringList nombres;
                if (lista)
                    for (int i = 0; i < lista->model()->rowCount(lista->rootIndex()); ++i)
                        nombres << lista->model()->index(i, 0, lista->rootIndex()).data().toString();
                if (!nombres.contains(QStringLiteral("LINEAS.TXT")) && esperas++ < 100)
                    return;
                textos << d->windowTitle() + " " + d->nameFilters().join(";");
                listados << nombres;
                // Its name typed, then Enter.
                auto* nombre = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (!nombre)
                    return;
                nombre->setText(QFileInfo(archivo).fileName());
                QTest::keyClick(nombre, Qt::Key_Return);
            }
        });
        usuario.start(20);
        // The status bar as it is the moment a box shows: what the user sees under it.
        qApp->installEventFilter(&alMostrar);
    }
    void TearDown() override {
        qApp->removeEventFilter(&alMostrar);
        usuario.stop();
        EstableceInteraccion(&guion);
        ConVistaDemo::TearDown();
    }
    void Clic(const char* boton) {
        auto* b = qobject_cast<QPushButton*>(vista->Control(boton));
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << boton;
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }

    // Notes the status bar when a message box shows.
    class AlMostrar : public QObject {
    public:
        explicit AlMostrar(CargarImportarVista& t) : t_(t) {}
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show && qobject_cast<QMessageBox*>(o)) {
                QString barra;
                for (auto* l : t_.vista->statusBar()->findChildren<QLabel*>())
                    barra += l->text() + "|";
                t_.estados << barra;
            }
            return false;
        }

    private:
        CargarImportarVista& t_;
    };

    InteraccionQt puerto;
    QTimer usuario;
    AlMostrar alMostrar{*this};
    QString archivo;
    // The user's next key on whatever has the keyboard: the voucher type it would change, and
    // the line the cursor is on after it.
    std::pair<QString, int> Abajo() {
        QWidget* foco = QApplication::focusWidget();
        EXPECT_EQ(foco, vista->Tabla());
        if (foco)
            QTest::keyClick(foco, Qt::Key_Down);
        QApplication::processEvents();
        return {form->FNTC(), form->MSFlexGrid2.Row()};
    }

    QStringList textos;
    QStringList titulos;
    QStringList estados;
    QList<bool> botonesHabilitados;
    QList<bool> tablaHabilitada;
    QStringList listados;
    int esperas = 0;
    bool conTeclas = false;
};

TEST_F(CargarImportarVista, CargarEImportarConLosDialogosDelPrograma) {
    form->UtilVox1_click("NUEVO");
    form->TxtFields[0].setText("DESDE LA VISTA");
    form->DetalleOn(true);
    form->TxtFields[form->IndiceCampo("DepositoOrigen")].setText("3");
    QApplication::processEvents();

    Clic("CmdCargar");
    ASSERT_EQ(textos.size(), 2) << textos.join('\n').toStdString();
    EXPECT_EQ(textos[0], "Este proceso carga todo el stock disponible del Deposito 3 -Confirma");
    EXPECT_EQ(textos[1], "Proceso Completado!");
    // Titled by the program's title, the window's.
    EXPECT_EQ(titulos[1], vista->windowTitle());
    EXPECT_EQ(titulos[1], "Modelos de Comprobantes de Stock");
    // While the completion shows the command still runs: the buttons are disabled and the
    // status bar tells how far it went, the last article from the moment the box shows.
    EXPECT_FALSE(botonesHabilitados[1]);
    EXPECT_FALSE(tablaHabilitada[1]);
    const QRegularExpressionMatch avance =
        QRegularExpression(R"(Cargando stock: (\d+) de (\d+)\|)").match(estados.value(1));
    ASSERT_TRUE(avance.hasMatch()) << estados.value(1).toStdString();
    EXPECT_EQ(avance.captured(1), avance.captured(2));
    const int cargadas = form->MSFlexGrid2.Rows() - 2;
    EXPECT_GT(cargadas, 50);
    EXPECT_EQ(vista->Tabla()->model()->rowCount(), form->MSFlexGrid2.Rows());
    EXPECT_TRUE(vista->Control("CmdCargar")->isEnabled());
    EXPECT_TRUE(vista->Tabla()->isEnabled());
    // The keyboard is on the lines: Down goes to the second line, the voucher type stays.
    const QString tipo = form->FNTC();
    EXPECT_EQ(Abajo(), std::make_pair(tipo, 2));

    // The file named in capitals, as Windows programs write it.
    archivo = Carpeta() + "/LINEAS.TXT";
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1001,2\r\nNOEXISTE,1\r\n'1002',3\r\n"); // the demo's layout: code, quantity, comma
    f.close();
    QFile otro(Carpeta() + "/notas.doc");
    ASSERT_TRUE(otro.open(QIODevice::WriteOnly));
    otro.close();
    textos.clear();
    estados.clear();
    botonesHabilitados.clear();
    tablaHabilitada.clear();
    Clic("CmdEspecial");
    ASSERT_GE(textos.size(), 3) << textos.join('\n').toStdString();
    EXPECT_EQ(textos[0], "Este proceso toma el contenido del archivo de texto seleccionado para ingresarlo a "
                         "la grilla\nCodigo,Cantidad             (Sep: ,) coma");
    EXPECT_EQ(textos[1], "Buscar Archivos Archivos de Texto (*.Txt)");
    // The filter takes the name in capitals and leaves other files out.
    EXPECT_EQ(listados, QStringList({"LINEAS.TXT"}));
    EXPECT_EQ(textos[2], "Proceso Completado!");
    EXPECT_FALSE(botonesHabilitados[1]);
    EXPECT_FALSE(tablaHabilitada[1]);
    // The loaded lines stay; the file's go after them, the unknown article marked.
    const Grilla& g = form->MSFlexGrid2;
    ASSERT_EQ(g.Rows(), cargadas + 2 + 3);
    EXPECT_EQ(g.TextMatrix(cargadas + 1, col::CodigoArticulo), "1001");
    EXPECT_EQ(g.TextMatrix(cargadas + 1, col::Cantidad), "2");
    EXPECT_EQ(g.TextMatrix(cargadas + 2, col::Unidad), "Inexistente");
    EXPECT_EQ(g.ColorFondo(cargadas + 2, col::Descripcion), 16776960);
    EXPECT_EQ(g.TextMatrix(cargadas + 3, col::CodigoArticulo), "1002");
    EXPECT_EQ(vista->Tabla()->model()->rowCount(), g.Rows());
    EXPECT_TRUE(vista->Tabla()->isEnabled());
    // Told which file line was marked, and back on the lines: Down stays on the grid.
    ASSERT_EQ(textos.size(), 4);
    EXPECT_TRUE(textos[3].endsWith("Línea 2 (NOEXISTE): el artículo no existe; quedó marcada"));
    EXPECT_EQ(Abajo().first, tipo);
    EXPECT_EQ(form->MSFlexGrid2.Row(), g.Rows() - 1);
}

} // namespace

namespace {

// A long file imported from the keyboard: the button reached with End and Tab, pressed with
// Space, the boxes answered with Enter. The status bar's count moves while the lines come in
// and reaches the file's last line, which the import skips; the completion is told once.
TEST_F(CargarImportarVista, ElAvanceLlegaALaUltimaLineaYElFinSeDiceUnaVez) {
    constexpr int kLineas = 1234;
    archivo = Carpeta() + "/LINEAS.TXT";
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int n = 1; n < kLineas; ++n)
        f.write(n == 617 ? "NOEXISTE,1\r\n" : n % 2 ? "1001,2\r\n" : "1002,3\r\n");
    f.write("sin separador\r\n");
    f.close();
    form->UtilVox1_click("NUEVO");
    form->TxtFields[0].setText("POR TECLAS");
    form->DetalleOn(true);
    form->Foco().SetFocus("MSFlexGrid2");
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), vista->Tabla());

    // What the status bar shows while the lines come in.
    auto* mensaje = vista->statusBar()->findChild<QLabel*>("MENSAJE");
    ASSERT_NE(mensaje, nullptr);
    QStringList avances;
    QTimer mirada;
    QObject::connect(&mirada, &QTimer::timeout, [&] {
        if (mensaje->text().startsWith("Importando") &&
            (avances.isEmpty() || avances.last() != mensaje->text()))
            avances << mensaje->text();
    });
    mirada.start(5);
    conTeclas = true;
    const auto tecla = [](Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    };
    tecla(Qt::Key_End);
    tecla(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), vista->Control("CmdEspecial"));
    tecla(Qt::Key_Space);
    mirada.stop();

    ASSERT_EQ(textos.size(), 4) << textos.join('\n').toStdString();
    EXPECT_EQ(textos.count("Proceso Completado!"), 1);
    EXPECT_EQ(textos[2], "Proceso Completado!");
    const QString ultima = QString("Importando línea %1 de %1").arg(kLineas);
    // The status bar under the completion message, from the moment it shows.
    ASSERT_EQ(estados.size(), 3);
    EXPECT_TRUE(estados[1].contains(ultima)) << estados[1].toStdString();
    EXPECT_TRUE(textos[3].contains("Línea 617 (NOEXISTE): el artículo no existe; quedó marcada"));
    // Seen on its way: counts below the last, each past the one before.
    ASSERT_GE(avances.size(), 3) << avances.join('\n').toStdString();
    int antes = 0;
    for (const QString& a : avances) {
        const int n = a.section(' ', 2, 2).toInt();
        EXPECT_GT(n, antes) << a.toStdString();
        antes = n;
    }
    EXPECT_LT(avances.first().section(' ', 2, 2).toInt(), kLineas);
    // Every line of the file in the grid and in the table, the keyboard back on the lines.
    const Grilla& g = form->MSFlexGrid2;
    ASSERT_EQ(g.Rows(), kLineas + 1);
    EXPECT_EQ(g.TextMatrix(617, col::Unidad), "Inexistente");
    EXPECT_EQ(g.TextMatrix(kLineas - 1, col::CodigoArticulo), "1001");
    EXPECT_EQ(vista->Tabla()->model()->rowCount(), g.Rows());
    EXPECT_EQ(vista->Tabla()->currentIndex().row(), g.Rows() - 1);
    EXPECT_EQ(QApplication::focusWidget(), vista->Tabla());
}

} // namespace
