#include "VistaCtrlCargosReales.h"

#include "AspectoVentana.h"
#include "Enlaces.h"
#include "Grilla.h"
#include "InteraccionQt.h"
#include "ModeloListaVista.h"
#include "Teclas.h"
#include "VistaBarraHerramientas.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace {

// The form places its controls for an outer size; the client area is that size less the
// borders and caption the form counts in its margins.
constexpr int kBordesAncho = 240;
constexpr int kBordesAlto = 390;

} // namespace

VistaCtrlCargosReales::VistaCtrlCargosReales(FrmCtrlCargosReales& form, QWidget* padre)
    : QDialog(padre), form_(form), modelo_(new ModeloListaVista(form.ListView1, this)),
      titulo_(new QLabel(this)), aceptar_(new QPushButton(this)), lista_(new QTreeView(this)),
      mensaje_(new QLabel(this)) {
    setObjectName(form_.NombreFormulario());
    setWindowTitle(form_.Caption);
    setModal(true);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    titulo_->setObjectName(QStringLiteral("Label1"));
    titulo_->setAlignment(Qt::AlignCenter);
    titulo_->setAutoFillBackground(true);
    titulo_->setBackgroundRole(QPalette::ToolTipBase);
    titulo_->setForegroundRole(QPalette::ToolTipText);
    QFont letra(QStringLiteral("Times New Roman"));
    letra.setPointSizeF(8.25);
    letra.setBold(true);
    letra.setItalic(true);
    titulo_->setFont(letra);
    EnlazaEtiqueta(form_.Label1, titulo_);

    aceptar_->setObjectName(QStringLiteral("CmdAceptar"));
    aceptar_->setAutoDefault(false);
    EnlazaBoton(form_.CmdAceptar, aceptar_);
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });

    lista_->setObjectName(QStringLiteral("ListView1"));
    lista_->setModel(modelo_);
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista_->setAllColumnsShowFocus(true);
    lista_->header()->setStretchLastSection(false);
    lista_->viewport()->installEventFilter(this);
    connect(lista_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                if (actual.isValid() && actual.row() < form_.ListView1.Count())
                    form_.ListView1.setSelectedItem(&form_.ListView1.ListItems(actual.row() + 1));
            });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] {
        AplicaAnchos();
        SigueSeleccion();
    });

    mensaje_->setObjectName(QStringLiteral("LblMensaje"));
    EnlazaEtiqueta(form_.LblMensaje, mensaje_);

    form_.alDescargar = [this] {
        descargado_ = true;
        QDialog::done(QDialog::Accepted);
    };
    AplicaAspecto(form_, *this);
    AplicaAnchos();
    SigueSeleccion();
    // The form sees every key before its controls.
    qApp->installEventFilter(this);
    resize(TwipsAPixeles(FrmCtrlCargosReales::AnchoInicial, logicalDpiX()),
           TwipsAPixeles(FrmCtrlCargosReales::AltoInicial, logicalDpiY()));
    Ubica();
}

VistaCtrlCargosReales::~VistaCtrlCargosReales() {
    qApp->removeEventFilter(this);
    form_.alDescargar = nullptr;
}

void VistaCtrlCargosReales::AplicaAnchos() {
    for (int c = 0; c < form_.ListView1.CuentaEncabezados(); ++c)
        lista_->setColumnWidth(c, TwipsAPixeles(form_.ListView1.Encabezado(c + 1).Width, logicalDpiX()));
}

void VistaCtrlCargosReales::SigueSeleccion() {
    const int fila = form_.ListView1.Indice(form_.ListView1.SelectedItem());
    if (fila > 0)
        lista_->setCurrentIndex(modelo_->index(fila - 1, 0));
}

void VistaCtrlCargosReales::Ubica() {
    const double dx = logicalDpiX();
    const double dy = logicalDpiY();
    const auto coloca = [dx, dy](QWidget* w, const FrmCtrlCargosReales::Medidas& m) {
        w->setGeometry(TwipsAPixeles(m.Left, dx), TwipsAPixeles(m.Top, dy), TwipsAPixeles(m.Width, dx),
                       TwipsAPixeles(m.Height, dy));
    };
    coloca(titulo_, form_.MedidasLabel1);
    coloca(aceptar_, form_.MedidasCmdAceptar);
    coloca(lista_, form_.MedidasListView1);
    coloca(mensaje_, form_.MedidasLblMensaje);
}

void VistaCtrlCargosReales::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    form_.Form_Resize(PixelesATwips(width(), logicalDpiX()) + kBordesAncho,
                      PixelesATwips(height(), logicalDpiY()) + kBordesAlto);
    Ubica();
}

bool VistaCtrlCargosReales::eventFilter(QObject* objeto, QEvent* evento) {
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w || descargado_ || (w != this && !isAncestorOf(w)))
        return QDialog::eventFilter(objeto, evento);
    if (evento->type() == QEvent::KeyPress) {
        auto* pulsada = static_cast<QKeyEvent*>(evento);
        int codigo = CodigoTecla(pulsada->key());
        if (codigo != 0) {
            form_.Form_KeyDown(codigo, int(pulsada->modifiers() >> 25));
            // Escape is the form's (it accepts); the dialog must not take it for a close.
            if (descargado_ || codigo == tecla::Escape)
                return true;
        }
    } else if (evento->type() == QEvent::MouseButtonPress && objeto == lista_->viewport()) {
        auto* raton = static_cast<QMouseEvent*>(evento);
        if (raton->button() == Qt::RightButton) {
            const QModelIndex indice = lista_->indexAt(raton->position().toPoint());
            if (indice.isValid())
                lista_->setCurrentIndex(indice);
            form_.ListView1_MouseDown(2, int(raton->modifiers() >> 25), raton->position().x(),
                                      raton->position().y());
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void VistaCtrlCargosReales::reject() {
    // Escape has been the form's (it accepts); what is left is the window's close: the form
    // unloads without accepting.
    if (!descargado_)
        form_.Form_Unload();
}

void RegistraVistaCtrlCargosReales() {
    // The letters in the font the dialog shows, at the screen's resolution.
    FrmCtrlCargosReales::MideLetras = [](int letras) {
        const QScreen* pantalla = QGuiApplication::primaryScreen();
        const double dpi = pantalla ? pantalla->logicalDotsPerInchX() : 96.0;
        return qRound(QFontMetricsF(QApplication::font("QDialog")).horizontalAdvance(QString(letras, u'X')) *
                      1440 / dpi);
    };
    InteraccionQt::RegistraVista(QStringLiteral("FrmCtrlCargosReales"), [](Formulario& f, QWidget* padre) {
        auto& form = dynamic_cast<FrmCtrlCargosReales&>(f);
        VistaCtrlCargosReales vista(form, padre);
        vista.exec();
    });
}
