#include "VistaDialogoLinea.h"

#include "Enlaces.h"
#include "ModeloGrilla.h"
#include "Teclas.h"
#include "VistaBarraHerramientas.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

VistaDialogoLinea::VistaDialogoLinea(FormularioLinea form, QWidget* padre)
    : QDialog(padre), form_(std::move(form)), capa_(new QVBoxLayout(this)), etiqueta_(new QLabel(this)),
      modelo_(new ModeloGrilla(form_.grilla, this)), tabla_(new QTableView(this)),
      aceptar_(new QPushButton(this)), cancelar_(new QPushButton(this)) {
    setWindowTitle(form_.titulo);
    setModal(true);
    EnlazaEtiqueta(form_.etiqueta, etiqueta_);
    capa_->addWidget(etiqueta_);

    tabla_->setObjectName(QStringLiteral("MSFlexGrid1"));
    tabla_->setModel(modelo_);
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectItems);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setTabKeyNavigation(false);
    tabla_->verticalHeader()->hide();
    tabla_->setWordWrap(false);
    tabla_->installEventFilter(this);
    capa_->addWidget(tabla_, 1);

    editor_ = new QLineEdit(tabla_->viewport());
    editor_->setObjectName(QStringLiteral("TxtEdit"));
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::textEdited, this, [this](const QString& texto) {
        form_.editor.setText(texto);
        form_.editor.setSelStart(editor_->cursorPosition());
    });
    editorModelo_ = form_.editor.Observa([this] { SigueEditor(); });

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
    connect(aceptar_, &QPushButton::clicked, this, [this] {
        form_.clicAceptar();
        SigueFoco();
    });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.clicCancelar(); });

    // The grid's current cell follows the user's clicks; the form moves it on every other road.
    connect(tabla_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual) {
                if (siguiendo_ || !actual.isValid() || actual.row() < 1)
                    return;
                if (actual.row() != form_.grilla.Row() || actual.column() != form_.grilla.Col())
                    form_.mueveCelda(actual.row(), actual.column());
                SigueCelda();
            });
    connect(modelo_, &ModeloGrilla::estadoCambiado, this, [this] { SigueCelda(); });
    connect(modelo_, &ModeloGrilla::formatoCambiado, this, [this] { AplicaFormato(); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] { AplicaFormato(); });
    connect(modelo_, &QAbstractItemModel::rowsInserted, this, [this] { tabla_->setRowHidden(0, true); });
    const auto coloca = [this] { ColocaEditor(); };
    connect(tabla_->verticalScrollBar(), &QScrollBar::valueChanged, this, coloca);
    connect(tabla_->horizontalScrollBar(), &QScrollBar::valueChanged, this, coloca);
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this, coloca);

    AplicaFormato();
    SigueCelda();
    SigueEditor();
    resize(640, 360);
}

VistaDialogoLinea::~VistaDialogoLinea() {
    editorModelo_.Termina();
}

void VistaDialogoLinea::PoneBarra(QToolBar* barra) {
    capa_->insertWidget(1, barra);
}

int VistaDialogoLinea::AnchoLetras(int letras) const {
    return PixelesATwips(QFontMetrics(font()).horizontalAdvance(QString(letras, QLatin1Char('X'))) + 8,
                         logicalDpiX());
}

void VistaDialogoLinea::AplicaFormato() {
    tabla_->setRowHidden(0, true);
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        tabla_->setColumnHidden(c, modelo_->ColumnaOculta(c));
        if (!modelo_->ColumnaOculta(c))
            tabla_->setColumnWidth(c, TwipsAPixeles(form_.grilla.ColWidth(c), logicalDpiX()));
    }
    ColocaEditor();
}

void VistaDialogoLinea::SigueCelda() {
    const Grilla& g = form_.grilla;
    if (g.Row() < 1 || g.Row() >= modelo_->rowCount() || g.Col() >= modelo_->columnCount())
        return;
    const QModelIndex indice = modelo_->index(g.Row(), g.Col());
    if (tabla_->currentIndex() != indice) {
        siguiendo_ = true;
        tabla_->setCurrentIndex(indice);
        siguiendo_ = false;
    }
    ColocaEditor();
}

void VistaDialogoLinea::SigueEditor() {
    const CajaTexto& c = form_.editor;
    if (editor_->text() != c.Text())
        editor_->setText(c.Text());
    editor_->setMaxLength(c.MaxLength() > 0 ? c.MaxLength() : 32767);
    editor_->setCursorPosition(qBound(0, c.SelStart(), int(c.Text().size())));
    if (c.Visible() == editor_->isVisible())
        return;
    if (c.Visible()) {
        ColocaEditor();
        editor_->show();
        editor_->raise();
    } else {
        if (editor_->hasFocus())
            tabla_->setFocus(Qt::OtherFocusReason);
        editor_->hide();
    }
    SigueFoco();
}

void VistaDialogoLinea::ColocaEditor() {
    const Grilla& g = form_.grilla;
    if (g.Row() >= modelo_->rowCount() || g.Col() >= modelo_->columnCount())
        return;
    const QModelIndex indice = modelo_->index(g.Row(), g.Col());
    if (form_.editor.Visible())
        tabla_->scrollTo(indice);
    editor_->setGeometry(tabla_->visualRect(indice));
}

void VistaDialogoLinea::SigueFoco() {
    QWidget* w = tabla_;
    if (form_.foco == QLatin1String("TxtEdit") && editor_->isVisible())
        w = editor_;
    else if (form_.foco == QLatin1String("CmdAceptar"))
        w = aceptar_;
    else if (form_.foco == QLatin1String("CmdCancelar"))
        w = cancelar_;
    if (isVisible() && !w->hasFocus())
        w->setFocus(Qt::OtherFocusReason);
}

bool VistaDialogoLinea::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (objeto == tabla_)
            return TeclaGrilla(tecla);
        if (objeto == editor_)
            return TeclaEditor(tecla);
    }
    if (evento->type() == QEvent::FocusIn && objeto == tabla_)
        form_.foco = QStringLiteral("MSFlexGrid1");
    return QDialog::eventFilter(objeto, evento);
}

bool VistaDialogoLinea::TeclaGrilla(QKeyEvent* tecla) {
    const std::optional<qint16> caracter = CaracterTecla(tecla);
    // Arrows and the rest move the grid's current cell; Escape is the dialog's Cancelar.
    if (!caracter || *caracter == tecla::Escape)
        return false;
    form_.teclaGrilla(*caracter);
    SigueEditor();
    SigueFoco();
    return true;
}

bool VistaDialogoLinea::TeclaEditor(QKeyEvent* tecla) {
    const qint16 codigo = CodigoTecla(tecla->key());
    if (codigo == tecla::Enter || codigo == tecla::Escape || codigo == tecla::Arriba ||
        codigo == tecla::Abajo) {
        form_.teclaEditor(codigo);
        SigueCelda();
        SigueFoco();
        return true;
    }
    std::optional<qint16> caracter = CaracterTecla(tecla);
    if (!caracter || *caracter == 8)
        return false; // the box edits as usual; its text goes to the model
    form_.caracterEditor(*caracter);
    if (*caracter != 0)
        editor_->insert(QString(QChar(char16_t(quint16(*caracter)))));
    form_.editor.setText(editor_->text());
    form_.editor.setSelStart(editor_->cursorPosition());
    return true;
}

void VistaDialogoLinea::Cierra() {
    cerrando_ = true;
    QDialog::done(QDialog::Accepted);
}

void VistaDialogoLinea::reject() {
    // Escape and the window's close button act as Cancelar.
    if (!cerrando_)
        form_.clicCancelar();
}
