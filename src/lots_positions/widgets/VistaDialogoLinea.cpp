#include "VistaDialogoLinea.h"

#include "EditorFlotante.h"
#include "Enlaces.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

VistaDialogoLinea::VistaDialogoLinea(FormularioLinea form, QWidget* padre)
    : QDialog(padre), form_(std::move(form)), capa_(new QVBoxLayout(this)), tabla_(new QTableView(this)),
      aceptar_(new QPushButton(this)), cancelar_(new QPushButton(this)) {
    setWindowTitle(form_.titulo);
    setModal(true);
    auto* etiqueta = new QLabel(this);
    EnlazaEtiqueta(form_.etiqueta, etiqueta);
    capa_->addWidget(etiqueta);

    tabla_->setObjectName(form_.grilla.Name());
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->verticalHeader()->hide();
    tabla_->setWordWrap(false);
    enlace_ = new EnlaceTablaGrilla(form_.grilla, tabla_, form_.mueveCelda);
    editorFlotante_ = new EditorFlotante(tabla_, form_.grilla, form_.editor, form_.edicion);
    // After the floating editor's: Escape in the grid is the dialog's, not a key for the cell.
    tabla_->installEventFilter(this);
    capa_->addWidget(tabla_, 1);

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    EnlazaBoton(form_.aceptar, aceptar_);
    EnlazaBoton(form_.cancelar, cancelar_);
    aceptar_->setObjectName(QStringLiteral("CmdAceptar"));
    cancelar_->setObjectName(QStringLiteral("CmdCancelar"));
    aceptar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    capa_->addLayout(botones);
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.clicAceptar(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.clicCancelar(); });

    // The form moves the focus (the editor opened, Enter on the last row); the view follows.
    form_.foco.alMoverFoco = [this](const QString&, const QString&) { SigueFoco(); };
    resize(640, 360);
}

VistaDialogoLinea::~VistaDialogoLinea() {
    form_.foco.alMoverFoco = nullptr;
}

QLineEdit* VistaDialogoLinea::Editor() const {
    return editorFlotante_->Editor();
}

void VistaDialogoLinea::PoneBarra(QToolBar* barra) {
    capa_->insertWidget(1, barra);
}

int VistaDialogoLinea::AnchoTexto(const QString& texto) const {
    return PixelesATwips(QFontMetrics(font()).horizontalAdvance(texto) + 8, logicalDpiX());
}

void VistaDialogoLinea::SigueFoco() {
    const QString& foco = form_.foco.Actual();
    QWidget* w = tabla_;
    if (foco == form_.editor.Name())
        w = Editor();
    else if (foco == QLatin1String("CmdAceptar"))
        w = aceptar_;
    else if (foco == QLatin1String("CmdCancelar"))
        w = cancelar_;
    if (w->isVisible() && !w->hasFocus())
        w->setFocus(Qt::OtherFocusReason);
}

bool VistaDialogoLinea::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == tabla_ && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (objeto == tabla_ && evento->type() == QEvent::FocusIn)
        form_.foco.FocoMovido(form_.grilla.Name());
    return QDialog::eventFilter(objeto, evento);
}

void VistaDialogoLinea::Cierra() {
    cerrando_ = true;
    QDialog::done(QDialog::Accepted);
}

void VistaDialogoLinea::reject() {
    if (!cerrando_)
        form_.clicCancelar();
}
