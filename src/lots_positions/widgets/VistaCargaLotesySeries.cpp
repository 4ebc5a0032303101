#include "VistaCargaLotesySeries.h"

#include "AspectoVentana.h"
#include "EditorFlotante.h"
#include "Enlaces.h"
#include "InteraccionQt.h"
#include "MedidaFuente.h"
#include "VistaBarraHerramientas.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

VistaCargaLotesySeries::VistaCargaLotesySeries(FrmCargaLotesySeries& form, QWidget* padre)
    : QDialog(padre), form_(form) {
    setObjectName(QStringLiteral("FrmCargaLotesySeries"));
    setWindowTitle(form_.Caption);
    setModal(true);

    auto* capa = new QVBoxLayout(this);
    ArmaBarra(capa);
    lblArticulo_ = new QLabel(this);
    lblArticulo_->setObjectName(QStringLiteral("lblArticulo"));
    EnlazaEtiqueta(form_.lblArticulo, lblArticulo_);
    capa->addWidget(lblArticulo_);

    tabla_ = new QTableView(this);
    tabla_->setObjectName(QStringLiteral("MSFlexGrid1"));
    PreparaTablaGrilla(tabla_);
    capa->addWidget(tabla_, 1);
    new EnlaceTablaGrilla(form_.MSFlexGrid1, tabla_,
                          [this](int fila, int col) { form_.Edicion().MueveCelda(fila, col); });
    new EditorFlotante(tabla_, form_.MSFlexGrid1, form_.TxtEdit, form_.Edicion());

    ArmaBotones(capa);
    ConectaForm();
    qApp->installEventFilter(this);
    AplicaAspecto(form_, *this);

    int ancho = 0;
    for (int c = 0; c < form_.MSFlexGrid1.Cols(); ++c)
        if (!tabla_->isColumnHidden(c))
            ancho += tabla_->columnWidth(c);
    resize(qBound(320, ancho + 60, 900), 420);
}

void VistaCargaLotesySeries::ArmaBarra(QVBoxLayout* capa) {
    barra_ = new QToolBar(this);
    barra_->setObjectName(QStringLiteral("Toolbar1"));
    const QStringList ayudas = FrmCargaLotesySeries::Toolbar1();
    const QIcon iconos[] = {
        QIcon::fromTheme(QStringLiteral("go-down"), style()->standardIcon(QStyle::SP_ArrowDown)),
        QIcon::fromTheme(QStringLiteral("edit-clear"), style()->standardIcon(QStyle::SP_DialogResetButton))};
    for (int i = 0; i < int(ayudas.size()); ++i) {
        QAction* a = barra_->addAction(iconos[i], ayudas.at(i));
        a->setToolTip(ayudas.at(i));
        connect(a, &QAction::triggered, this, [this, i] { form_.Toolbar1_ButtonClick(i + 1); });
    }
    capa->addWidget(barra_);
}

void VistaCargaLotesySeries::ArmaBotones(QVBoxLayout* capa) {
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    aceptar_ = new QPushButton(this);
    aceptar_->setObjectName(QStringLiteral("CmdAceptar"));
    cancelar_ = new QPushButton(this);
    cancelar_->setObjectName(QStringLiteral("CmdCancelar"));
    // Enter belongs to the grid's editing, never to a default button.
    aceptar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    EnlazaBoton(form_.CmdAceptar, aceptar_);
    EnlazaBoton(form_.CmdCancelar, cancelar_);
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    capa->addLayout(botones);
    setTabOrder(tabla_, aceptar_);
    setTabOrder(aceptar_, cancelar_);
}

void VistaCargaLotesySeries::ConectaForm() {
    form_.alOcultar = [this] {
        cerrando_ = true;
        done(QDialog::Accepted);
    };
    // The form moves the focus: the widget follows; the user moves it: the form is told.
    focoPrevio_ = form_.Foco().alMoverFoco;
    form_.Foco().alMoverFoco = [this](const QString& anterior, const QString& nuevo) {
        if (focoPrevio_)
            focoPrevio_(anterior, nuevo);
        MueveFoco(nuevo);
    };
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nuevo) {
        if (sincronizando_ || !nuevo)
            return;
        for (const QString& nombre :
             {QStringLiteral("MSFlexGrid1"), QStringLiteral("CmdAceptar"), QStringLiteral("CmdCancelar")})
            if (Control(nombre) == nuevo)
                form_.Foco().FocoMovido(nombre);
    });
}

void VistaCargaLotesySeries::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The grid has the focus when the dialog opens, also where no window manager activates it.
    activateWindow();
    tabla_->setFocus(Qt::OtherFocusReason);
}

VistaCargaLotesySeries::~VistaCargaLotesySeries() {
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    form_.alOcultar = nullptr;
    form_.Foco().alMoverFoco = focoPrevio_;
}

QWidget* VistaCargaLotesySeries::Control(const QString& nombre) const {
    if (nombre == QLatin1String("MSFlexGrid1"))
        return tabla_;
    if (nombre == QLatin1String("CmdAceptar"))
        return aceptar_;
    if (nombre == QLatin1String("CmdCancelar"))
        return cancelar_;
    return findChild<QWidget*>(nombre);
}

void VistaCargaLotesySeries::MueveFoco(const QString& nombre) {
    DaFocoDelFormulario(Control(nombre), sincronizando_);
}

void VistaCargaLotesySeries::reject() {
    // Escape outside an edit, or the window closed: the dialog's Cancelar.
    if (!cerrando_)
        form_.CmdCancelar_Click();
    if (!cerrando_) {
        cerrando_ = true;
        QDialog::reject();
    }
}

bool VistaCargaLotesySeries::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    QWidget* foco = focusWidget();
    // Only the first delivery, to this dialog's focused widget: the form previews every key.
    if (!w || w->window() != this || w != (foco ? foco : this))
        return QDialog::eventFilter(objeto, evento);
    qint16 codigo = CodigoTecla(static_cast<QKeyEvent*>(evento)->key());
    if (codigo == 0)
        return QDialog::eventFilter(objeto, evento);
    const qint16 tecla = codigo;
    form_.Form_KeyDown(codigo, int(static_cast<QKeyEvent*>(evento)->modifiers() >> 25));
    return codigo == 0 || tecla == 113;
}

void RegistraVistaCargaLotesySeries() {
    FrmCargaLotesySeries::MedidaPorDefecto() = MedidaFuenteAplicacion();
    InteraccionQt::RegistraVista(QStringLiteral("FrmCargaLotesySeries"), [](Formulario& f, QWidget* padre) {
        VistaCargaLotesySeries vista(dynamic_cast<FrmCargaLotesySeries&>(f), padre);
        vista.exec();
    });
}
