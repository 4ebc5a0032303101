#include "VistaVardelio.h"

#include "AspectoVentana.h"
#include "EdicionVardelio.h"
#include "EditorFlotante.h"
#include "Enlaces.h"
#include "MedidaFuente.h"
#include "ReportaError.h"
#include "Teclas.h"
#include "VistaBarraHerramientas.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

namespace {

// The last guard where the window's events reach the form: a failure that a handler let through
// is told and logged, and the window goes on, for no exception may cross Qt's event loop.
template <class F> void Resguarda(const QString& rutina, F&& accion) {
    try {
        try {
            accion();
        } catch (const ErrorSistema& e) {
            ReportaError(e, Estilo::SoloAceptar | Estilo::Critico, rutina);
        } catch (const std::exception& e) {
            ReportaError(ComoErrorSistema(e), Estilo::SoloAceptar | Estilo::Critico, rutina);
        }
    } catch (...) {
        // The report itself failed: nothing is left to tell it with.
    }
}

} // namespace

VistaVardelio::VistaVardelio(FrmVardelio& form, QWidget* padre) : QMainWindow(padre), form_(form) {
    setObjectName(QStringLiteral("FrmVardelio"));
    setWindowTitle(form_.Caption());

    barra_ = new VistaBarraHerramientas(form_.UtilVox1, this);
    addToolBar(Qt::TopToolBarArea, barra_);

    auto* centro = new QWidget(this);
    auto* capa = new QVBoxLayout(centro);
    capa->setContentsMargins(6, 6, 6, 0);
    ArmaEncabezado(centro);
    capa->addWidget(encabezado_);

    label2_ = new QLabel(centro);
    capa->addWidget(label2_);

    tabla_ = new QTableView(centro);
    tabla_->setObjectName(QStringLiteral("MSFlexGrid2"));
    PreparaTablaGrilla(tabla_);
    label2_->setBuddy(tabla_);
    capa->addWidget(tabla_, 1);

    ArmaPie(centro, capa);

    // The form's focus order is the window's tab order.
    QWidget* anterior = nullptr;
    for (const FocoFormulario::Parada& p : form_.Foco().Orden()) {
        QWidget* w = Control(p.nombre);
        if (!w)
            continue;
        if (anterior)
            setTabOrder(anterior, w);
        anterior = w;
    }

    // The form measures texts in this window's font, in twips.
    form_.TextWidth = MedidaTexto();

    ConectaModelos();
    new EdicionVardelio(form_, *this); // the cell editor and the editing events
    AplicaAspecto(form_, *this);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nuevo) {
        const QString nombre = NombreDe(nuevo);
        if (!nombre.isEmpty() && !sincronizando_)
            form_.Foco().FocoMovido(nombre);
    });
    resize(1000, 700);
}

std::function<int(const QString&)> VistaVardelio::MedidaTexto() {
    return MedidaFuenteAplicacion();
}

VistaVardelio::~VistaVardelio() {
    // The children go after this body: nothing of theirs may reach the form any more.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    for (QObject* hijo : findChildren<QObject*>())
        hijo->disconnect(this);
    DesconectaModelos();
}

void VistaVardelio::ArmaPie(QWidget* centro, QVBoxLayout* capa) {
    auto* lineaStock = new QHBoxLayout;
    for (size_t i = 0; i < stockInfo_.size(); ++i) {
        stockInfo_[i] = new QLabel(centro);
        stockInfo_[i]->setObjectName(QStringLiteral("lblStockInfo(%1)").arg(i));
        stockInfo_[i]->setFrameShape(QFrame::StyledPanel);
        lineaStock->addWidget(stockInfo_[i], i == 3 ? 2 : 1);
    }
    lblMensaje_ = new QLabel(centro);
    lblMensaje_->setObjectName(QStringLiteral("LblMensaje"));
    QFont negrita = lblMensaje_->font();
    negrita.setBold(true);
    lblMensaje_->setFont(negrita);
    lineaStock->addWidget(lblMensaje_, 2);
    picStatus_ = new QLabel(centro);
    picStatus_->setObjectName(QStringLiteral("picStatus"));
    lineaStock->addWidget(picStatus_);
    capa->addLayout(lineaStock);

    statusBar1_ = new QStatusBar(centro);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1_->setSizeGripEnabled(false);
    for (int i = 1; i <= form_.StatusBar1.Count(); ++i) {
        auto* l = new QLabel(statusBar1_);
        statusBar1_->addWidget(l, 1);
        panelesDetalle_.push_back(l);
    }
    capa->addWidget(statusBar1_);
    setCentralWidget(centro);

    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 1; i <= form_.sbStatusBar.Count(); ++i) {
        auto* l = new QLabel(statusBar());
        l->setObjectName(form_.sbStatusBar.Panels(i).Key());
        statusBar()->addWidget(l, i == 1 ? 3 : 1);
        panelesSesion_.push_back(l);
    }
}

void VistaVardelio::ArmaEncabezado(QWidget* centro) {
    encabezado_ = new QFrame(centro);
    encabezado_->setObjectName(QStringLiteral("FrmEnc(0)"));
    encabezado_->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(encabezado_);

    lblComprobante_ = new QLabel(encabezado_);
    combo_ = new QComboBox(encabezado_);
    combo_->setObjectName(QStringLiteral("CmbLista"));
    combo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lblComprobante_->setBuddy(combo_);
    lblES_ = new QLabel(encabezado_);
    lblES_->setObjectName(QStringLiteral("LblES"));
    QFont negrita = lblES_->font();
    negrita.setBold(true);
    lblES_->setFont(negrita);

    for (size_t i = 0; i < campos_.size(); ++i) {
        campos_[i] = new QLineEdit(encabezado_);
        campos_[i]->setObjectName(QStringLiteral("TxtFields(%1)").arg(i));
    }
    lblTitulo_ = new QLabel(encabezado_);
    for (size_t i = 0; i < label5_.size(); ++i) {
        label5_[i] = new QLabel(encabezado_);
        label5_[i]->setObjectName(QStringLiteral("Label5(%1)").arg(i));
    }
    lblDescMotivo_ = new QLabel(encabezado_);
    lblDescDeposito_ = new QLabel(encabezado_);
    label1_ = new QLabel(encabezado_);
    chkAnclar_ = new QCheckBox(encabezado_);
    chkAnclar_->setObjectName(QStringLiteral("ChkAnclar"));
    chkCodigoBarra_ = new QCheckBox(encabezado_);
    chkCodigoBarra_->setObjectName(QStringLiteral("ChkCodigoBarra"));
    cmdCargar_ = new QPushButton(encabezado_);
    cmdCargar_->setObjectName(QStringLiteral("CmdCargar"));
    cmdEspecial_ = new QPushButton(encabezado_);
    cmdEspecial_->setObjectName(QStringLiteral("CmdEspecial"));
    cmdDespacho_ = new QPushButton(encabezado_);
    cmdDespacho_->setObjectName(QStringLiteral("CmdDespacho"));

    const int anchoCodigo = fontMetrics().horizontalAdvance(QStringLiteral("XXXXXXX"));
    for (int i = 1; i <= 3; ++i)
        campos_[i]->setMaximumWidth(anchoCodigo + 16);

    g->addWidget(lblComprobante_, 0, 0);
    auto* filaTipo = new QHBoxLayout;
    filaTipo->addWidget(combo_);
    filaTipo->addWidget(lblES_);
    filaTipo->addStretch(1);
    g->addLayout(filaTipo, 0, 1, 1, 3);
    g->addWidget(lblTitulo_, 1, 0);
    g->addWidget(campos_[0], 1, 1, 1, 3);
    g->addWidget(label5_[0], 2, 0);
    g->addWidget(campos_[1], 2, 1);
    g->addWidget(lblDescMotivo_, 2, 2, 1, 2);
    g->addWidget(label5_[2], 3, 0);
    g->addWidget(campos_[2], 3, 1);
    g->addWidget(lblDescDeposito_, 3, 2, 1, 2);
    g->addWidget(label5_[3], 4, 0);
    g->addWidget(campos_[3], 4, 1);
    g->addWidget(label1_, 5, 0);
    g->addWidget(campos_[4], 5, 1, 1, 3);
    g->setColumnStretch(2, 1);
    g->setColumnStretch(3, 1);
    label5_[1]->hide();

    auto* derecha = new QVBoxLayout;
    derecha->addWidget(chkAnclar_);
    derecha->addWidget(chkCodigoBarra_);
    derecha->addStretch(1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdCargar_);
    botones->addWidget(cmdEspecial_);
    botones->addWidget(cmdDespacho_);
    derecha->addLayout(botones);
    g->addLayout(derecha, 0, 4, 6, 1);
}

QWidget* VistaVardelio::Control(const QString& nombre) const {
    if (nombre == QLatin1String("MSFlexGrid2"))
        return tabla_;
    return findChild<QWidget*>(nombre);
}

QString VistaVardelio::NombreDe(const QWidget* w) const {
    for (const FocoFormulario::Parada& p : form_.Foco().Orden())
        if (Control(p.nombre) == w)
            return p.nombre;
    return {};
}

void VistaVardelio::MueveFoco(const QString& nombre) {
    DaFocoDelFormulario(Control(nombre), sincronizando_);
}

void VistaVardelio::ConectaModelos() {
    EnlazaEtiqueta(form_.LblES, lblES_);
    EnlazaEtiqueta(form_.lblTitulo, lblTitulo_);
    for (size_t i = 0; i < label5_.size(); ++i)
        EnlazaEtiqueta(form_.Label5[i], label5_[i]);
    label5_[1]->hide();
    EnlazaEtiqueta(form_.lblDescMotivo, lblDescMotivo_);
    EnlazaEtiqueta(form_.LblDescDeposito, lblDescDeposito_);
    EnlazaEtiqueta(form_.Label1, label1_);
    EnlazaEtiqueta(form_.Label2, label2_);
    EnlazaEtiqueta(form_.LblComprobante, lblComprobante_);
    for (size_t i = 0; i < stockInfo_.size(); ++i)
        EnlazaEtiqueta(form_.lblStockInfo[i], stockInfo_[i]);
    // The save paints its progress text at once (Refresh) and empties it before its batch runs:
    // what was painted stays on screen while the window does not repaint.
    EnlazaEtiqueta(form_.LblMensaje, lblMensaje_, [this] {
        if (lblMensaje_->isVisible())
            lblMensaje_->repaint();
    });
    EnlazaEtiqueta(form_.picStatus, picStatus_);
    EnlazaMarco(form_.FrmEnc0, encabezado_);
    EnlazaBoton(form_.CmdCargar, cmdCargar_);
    EnlazaBoton(form_.CmdEspecial, cmdEspecial_);
    EnlazaBoton(form_.CmdDespacho, cmdDespacho_);
    ConectaComandos();
    // While a bulk command runs the window repaints and shows its progress a few times a second.
    form_.cedeTurno = [reloj = std::make_shared<QElapsedTimer>()] {
        if (reloj->isValid() && reloj->elapsed() < 40)
            return;
        reloj->start();
        QCoreApplication::processEvents();
    };
    EnlazaCasilla(form_.ChkAnclar, chkAnclar_);
    EnlazaCasilla(form_.ChkCodigoBarra, chkCodigoBarra_);
    for (size_t i = 0; i < campos_.size(); ++i)
        EnlazaCaja(form_.TxtFields[i], campos_[i]);
    EnlazaLista(form_.CmbLista, combo_);

    EnlazaBarraEstado(form_.StatusBar1, panelesDetalle_, barrasPendientes_[0]);
    EnlazaBarraEstado(form_.sbStatusBar, panelesSesion_, barrasPendientes_[1]);

    // With the grid's LeaveCell and EnterCell: an open edit is written first.
    auto* enlace = new EnlaceTablaGrilla(form_.MSFlexGrid2, tabla_, [this](int fila, int col) {
        if (form_.FocoEnLineas())
            form_.MueveCelda(fila, col);
    });
    // The grid takes no clicks while a bulk command runs (the form disables the other commands).
    // Meanwhile the window shows what the command changes when it yields, not at every line:
    // the lines, the status bar's progress and the stock panel at the pace of the yields.
    enlace->setOcupada([this] { return form_.EnProceso(); });
    form_.alCambiarProceso = [this, enlace](bool enProceso) {
        enlace->AplicaHabilitada();
        difiere_.Pon(enProceso);
        // Disabled meanwhile, the command's button handed the keyboard to another widget: it
        // goes back to the control the form holds.
        if (!enProceso)
            MueveFoco(form_.Foco().Actual());
    };

    // The form moves the focus: the widget follows.
    focoPrevio_ = form_.Foco().alMoverFoco;
    form_.Foco().alMoverFoco = [this](const QString& anterior, const QString& nuevo) {
        if (focoPrevio_)
            focoPrevio_(anterior, nuevo);
        SigueModelo(this, focoPendiente_, [this] { MueveFoco(form_.Foco().Actual()); });
    };
    MueveFoco(form_.Foco().Actual());

    form_.alTerminar = [this](int codigo) {
        hide();
        QCoreApplication::exit(codigo);
    };
}

void VistaVardelio::ConectaComandos() {
    connect(cmdDespacho_, &QPushButton::clicked, this, [this] {
        Resguarda(QStringLiteral("CmdDespacho_Click"), [this] { form_.CmdDespacho_Click(); });
    });
    connect(cmdCargar_, &QPushButton::clicked, this,
            [this] { Resguarda(QStringLiteral("CmdCargar_Click"), [this] { form_.CmdCargar_Click(); }); });
    connect(cmdEspecial_, &QPushButton::clicked, this, [this] {
        Resguarda(QStringLiteral("CmdEspecial_Click"), [this] { form_.CmdEspecial_Click(); });
    });
    // The toolbar's buttons and keys.
    clickPrevio_ = form_.UtilVox1.Click;
    form_.UtilVox1.Click = [this](const QString& palabra) {
        Resguarda(QStringLiteral("UtilVox1_click"), [&] {
            if (clickPrevio_)
                clickPrevio_(palabra);
        });
    };
}

void VistaVardelio::EnlazaBarraEstado(BarraEstado& b, std::vector<QLabel*>& paneles, bool& pendiente) {
    const auto muestra = [&b, &paneles] {
        for (int i = 1; i <= b.Count() && i <= int(paneles.size()); ++i) {
            paneles[i - 1]->setText(b.Panels(i).Text());
            paneles[i - 1]->setToolTip(b.Panels(i).ToolTipText());
        }
    };
    b.alCambiar = [this, muestra, &pendiente](int) { SigueModelo(this, pendiente, muestra); };
    muestra();
}

void VistaVardelio::DesconectaModelos() {
    // The widgets' bindings end with the widgets; what is left is this window's own hooks.
    form_.StatusBar1.alCambiar = nullptr;
    form_.sbStatusBar.alCambiar = nullptr;
    form_.Foco().alMoverFoco = focoPrevio_;
    form_.UtilVox1.Click = clickPrevio_;
    form_.alTerminar = nullptr;
    form_.cedeTurno = nullptr;
    form_.alCambiarProceso = nullptr;
    // The share of the views' pace goes with its member, which drops this window's waiting
    // updates first.
}

bool VistaVardelio::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(objeto, evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    // Only the first delivery: to this window's focused widget (the window itself when none has
    // the focus). Not the application's: with no window manager the keys typed over this window
    // arrive while no window is the active one.
    QWidget* foco = focusWidget();
    if (!w || w->window() != this || w != (foco ? foco : this))
        return QMainWindow::eventFilter(objeto, evento);
    auto* tecla = static_cast<QKeyEvent*>(evento);
    qint16 codigo = CodigoTecla(tecla->key());
    if (codigo == 0)
        return QMainWindow::eventFilter(objeto, evento);
    Resguarda(QStringLiteral("Form_KeyDown"), [&] {
        if (!form_.EditorTomaTecla(codigo))
            form_.Form_KeyDown(codigo, int(tecla->modifiers() >> 25));
    });
    if (codigo == 0)
        return true;
    if (w == combo_) {
        Resguarda(QStringLiteral("CmbLista_KeyDown"), [&] { form_.CmbLista_KeyDown(codigo, 0); });
        // Enter moved the focus already; only the arrows reach the list.
        return codigo == 0 || codigo == tecla::Enter;
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void VistaVardelio::closeEvent(QCloseEvent* evento) {
    // A bulk command is filling the lines: the window closes once it ends.
    Resguarda(QStringLiteral("Form_Unload"), [this] { form_.PideCierre(); });
    if (form_.Descargado())
        evento->accept();
    else
        evento->ignore();
}
