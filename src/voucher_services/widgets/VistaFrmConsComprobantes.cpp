#include "VistaFrmConsComprobantes.h"

#include "AspectoVentana.h"
#include "Enlaces.h"
#include "Grilla.h"
#include "IconosConsulta.h"
#include "InteraccionQt.h"
#include "ModeloListaVista.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// How long the fill runs between two turns of the event loop.
constexpr int MsEntreTurnos = 30;

bool EsEnter(const QEvent* evento) {
    if (evento->type() != QEvent::KeyPress)
        return false;
    const int tecla = static_cast<const QKeyEvent*>(evento)->key();
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

int Mayusculas(const QEvent* evento) {
    const Qt::KeyboardModifiers m = static_cast<const QKeyEvent*>(evento)->modifiers();
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

} // namespace

VistaFrmConsComprobantes::VistaFrmConsComprobantes(FrmConsComprobantes& form, QWidget* padre)
    : QDialog(padre), form_(form), modelo_(new ModeloListaVista(form.ListView1, this)),
      lista_(new QTableView(this)), nombre_(new QLineEdit(this)), numero_(new QLineEdit(this)),
      buscar_(new QPushButton(this)), aceptar_(new QPushButton(this)), cancelar_(new QPushButton(this)) {
    setWindowTitle(form_.Caption);
    setModal(true);
    for (int i = 1; i <= form_.ImageList1.Count(); ++i)
        form_.ImageList1.setImagen(i, IconoConsulta(form_.ImageList1.Tag(i)));
    ArmaControles();
    ConectaLista();
    form_.anchoLetras = [this](int letras) {
        return lista_->fontMetrics().horizontalAdvance(QString(letras, u'X')) * 1440 / lista_->logicalDpiX();
    };
    form_.cedeTurno = [this] { CedeTurno(); };
    form_.alDescargar = [this] {
        cerrando_ = true;
        QDialog::done(form_.NroComprobante.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
    };
    AplicaAspecto(form_, *this);
    // The form's client area of 9090 x 5220 twips.
    resize(TwipsAPixeles(9090, logicalDpiX()), TwipsAPixeles(5220, logicalDpiY()));
    SigueModelo(true);
}

VistaFrmConsComprobantes::~VistaFrmConsComprobantes() {
    form_.anchoLetras = [](int letras) { return letras * 135; };
    form_.cedeTurno = nullptr;
    form_.alDescargar = nullptr;
}

void VistaFrmConsComprobantes::ArmaControles() {
    nombre_->setObjectName(form_.TxtNombre.Name());
    numero_->setObjectName(form_.TxtNumero.Name());
    nombre_->setToolTip(QStringLiteral("Ingrese parte del nombre buscado"));
    numero_->setToolTip(QStringLiteral("Ingrese parte del numero buscado"));
    EnlazaCaja(form_.TxtNombre, nombre_);
    EnlazaCaja(form_.TxtNumero, numero_);
    EnlazaBoton(form_.CmdBuscar, buscar_);
    EnlazaBoton(form_.CmdAceptar, aceptar_);
    EnlazaBoton(form_.CmdCancelar, cancelar_);
    // No button is the dialog's default (Enter in the boxes and the list has its own meaning);
    // Enter on a focused button presses it, as the space bar does.
    for (QPushButton* b : {buscar_, aceptar_, cancelar_}) {
        b->setAutoDefault(false);
        b->installEventFilter(this);
    }
    nombre_->installEventFilter(this);
    numero_->installEventFilter(this);
    connect(buscar_, &QPushButton::clicked, this, [this] { form_.CmdBuscar_Click(); });
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });

    auto* busqueda = new QHBoxLayout;
    busqueda->addWidget(nombre_, 3615);
    busqueda->addWidget(numero_, 3495);
    busqueda->addWidget(buscar_, 1575);
    auto* botones = new QHBoxLayout;
    botones->addStretch(2198);
    botones->addWidget(aceptar_, 2055);
    botones->addStretch(585);
    botones->addWidget(cancelar_, 2055);
    botones->addStretch(2198);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(busqueda);
    capa->addWidget(lista_, 1);
    capa->addLayout(botones);
    setTabOrder(nombre_, numero_);
    setTabOrder(numero_, buscar_);
    setTabOrder(buscar_, lista_);
    setTabOrder(lista_, aceptar_);
    setTabOrder(aceptar_, cancelar_);
}

void VistaFrmConsComprobantes::ConectaLista() {
    lista_->setModel(modelo_);
    lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista_->setSelectionMode(QAbstractItemView::SingleSelection);
    lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista_->setShowGrid(false);
    lista_->setWordWrap(false);
    lista_->setIconSize(QSize(16, 16));
    lista_->verticalHeader()->hide();
    lista_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lista_->verticalHeader()->setDefaultSectionSize(lista_->fontMetrics().height() + 6);
    lista_->horizontalHeader()->setHighlightSections(false);
    lista_->horizontalHeader()->setSectionsClickable(true);
    lista_->installEventFilter(this);
    connect(lista_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int seccion) {
        form_.ListView1_ColumnClick(seccion + 1);
        modelo_->Sincroniza();
    });
    connect(lista_, &QTableView::doubleClicked, this, [this](const QModelIndex& indice) {
        if (indice.isValid())
            form_.ListView1_DblClick();
    });
    connect(modelo_, &ModeloListaVista::sincronizado, this, &VistaFrmConsComprobantes::SigueModelo);
    connect(lista_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                ListaVista& l = form_.ListView1;
                if (!actual.isValid() || actual.row() >= l.Count())
                    return;
                ElementoLista* e = &l.ListItems(actual.row() + 1);
                seleccion_ = e;
                if (l.SelectedItem() != e)
                    l.setSelectedItem(e);
            });
}

// The header widths in the list's font, the sort indicator and the selected row, as the form
// left them.
void VistaFrmConsComprobantes::SigueModelo(bool encabezados) {
    const ListaVista& l = form_.ListView1;
    if (encabezados)
        for (int c = 0; c < l.CuentaEncabezados(); ++c)
            lista_->setColumnWidth(c, TwipsAPixeles(l.Encabezado(c + 1).Width, logicalDpiX()));
    QHeaderView* cabecera = lista_->horizontalHeader();
    cabecera->setSortIndicatorShown(l.Sorted());
    if (l.Sorted())
        cabecera->setSortIndicator(
            l.SortKey(), l.SortOrder() == ListaVista::Ascendente ? Qt::AscendingOrder : Qt::DescendingOrder);
    const ElementoLista* elegido = l.SelectedItem();
    const int fila = elegido ? l.Indice(elegido) - 1 : -1;
    if (elegido != seleccion_ || (fila >= 0 && lista_->currentIndex().row() != fila)) {
        seleccion_ = elegido;
        if (fila >= 0 && fila < modelo_->rowCount())
            lista_->setCurrentIndex(modelo_->index(fila, 0));
        else
            lista_->clearSelection();
    }
}

void VistaFrmConsComprobantes::SigueFoco() {
    if (form_.Foco == form_.TxtNumero.Name())
        numero_->setFocus(Qt::OtherFocusReason);
    else if (form_.Foco == form_.TxtNombre.Name())
        nombre_->setFocus(Qt::OtherFocusReason);
    else if (form_.Foco == QLatin1String("CmdBuscar"))
        buscar_->setFocus(Qt::OtherFocusReason);
}

void VistaFrmConsComprobantes::CedeTurno() {
    if (turno_.isValid() && turno_.elapsed() < MsEntreTurnos)
        return;
    QApplication::processEvents();
    turno_.start();
}

void VistaFrmConsComprobantes::Inicia() {
    turno_.start();
    form_.Inicia();
    modelo_->Sincroniza();
    iniciada_ = true;
}

bool VistaFrmConsComprobantes::TeclaEnCaja(QLineEdit* caja, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn) {
        if (caja == nombre_)
            form_.TxtNombre_GotFocus();
        else
            form_.TxtNumero_GotFocus();
        // After the box's own handling of the click or Tab that brought the focus.
        QTimer::singleShot(0, caja, [this, caja] {
            const CajaTexto& modelo = caja == nombre_ ? form_.TxtNombre : form_.TxtNumero;
            caja->setSelection(modelo.SelStart(), modelo.SelLength());
        });
        return false;
    }
    if (!EsEnter(evento))
        return false;
    int tecla = 13;
    if (caja == nombre_)
        form_.TxtNombre_KeyPress(tecla);
    else
        form_.TxtNumero_KeyPress(tecla);
    SigueFoco();
    return true;
}

bool VistaFrmConsComprobantes::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == nombre_ || objeto == numero_)
        return TeclaEnCaja(static_cast<QLineEdit*>(objeto), evento);
    if (EsEnter(evento) && (objeto == buscar_ || objeto == aceptar_ || objeto == cancelar_)) {
        auto* boton = static_cast<QPushButton*>(objeto);
        if (boton->isEnabled())
            boton->click();
        return true;
    }
    if (objeto == lista_ && EsEnter(evento)) {
        form_.ListView1_KeyDown(13, Mayusculas(evento));
        return true;
    }
    // The space bar ticks the current row, wherever its cell.
    if (objeto == lista_ && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space && form_.ListView1.Checkboxes()) {
        const int fila = lista_->currentIndex().row();
        if (fila >= 0 && fila < form_.ListView1.Count()) {
            ElementoLista& e = form_.ListView1.ListItems(fila + 1);
            e.setChecked(!e.Checked());
        }
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void VistaFrmConsComprobantes::accept() {
    if (!cerrando_)
        form_.CmdAceptar_Click();
}

void VistaFrmConsComprobantes::reject() {
    if (!cerrando_)
        form_.CmdCancelar_Click();
}

void RegistraVistaFrmConsComprobantes() {
    InteraccionQt::RegistraVista(QStringLiteral("FrmConsComprobantes"), [](Formulario& f, QWidget* padre) {
        VistaFrmConsComprobantes vista(dynamic_cast<FrmConsComprobantes&>(f), padre);
        QTimer::singleShot(0, &vista, &VistaFrmConsComprobantes::Inicia);
        vista.show();
        vista.activateWindow(); // also where no window manager activates it
        vista.exec();
    });
}
