#include "EditorFlotante.h"

#include "Enlaces.h"
#include "ErrorSistema.h"
#include "ModeloGrilla.h"
#include "Teclas.h"
#include "VistaBarraHerramientas.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>

std::optional<qint16> CaracterTecla(const QKeyEvent* tecla) {
    const QString texto = tecla->text();
    if (texto.size() != 1)
        return std::nullopt;
    const char16_t u = texto.at(0).unicode();
    if (u == 9 || u == 127 || (u < 32 && u != 8 && u != 13 && u != 27))
        return std::nullopt;
    return qint16(u);
}

void InsertaCaracter(QLineEdit* w, CajaTexto& caja, QChar c) {
    w->insert(QString(c));
    caja.setText(w->text());
    caja.setSelStart(w->cursorPosition());
    caja.setSelLength(0);
}

// ---- The table over the grid ----

void PreparaTablaGrilla(QTableView* tabla) {
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla->setSelectionBehavior(QAbstractItemView::SelectItems);
    tabla->setWordWrap(false);
    tabla->verticalHeader()->hide();
    tabla->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabla->verticalHeader()->setDefaultSectionSize(tabla->fontMetrics().height() + 6);
    tabla->horizontalHeader()->setHighlightSections(false);
    tabla->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

EnlaceTablaGrilla::EnlaceTablaGrilla(Grilla& grilla, QTableView* tabla,
                                     std::function<void(int, int)> alMoverCelda)
    : QObject(tabla), grilla_(grilla), tabla_(tabla), modelo_(new ModeloGrilla(grilla, this)),
      alMoverCelda_(std::move(alMoverCelda)) {
    // Rows the grid removes move the view's current index by themselves (to the row after a
    // removed one): that is no move of the user's, and the view shows the grid's cell after it.
    // Connected before the table's own handlers, which move the index.
    connect(modelo_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { ++cambiandoFilas_; });
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this, [this] {
        --cambiandoFilas_;
        SigueCeldaActual();
    });
    tabla_->setModel(modelo_);
    connect(modelo_, &ModeloGrilla::formatoCambiado, this, [this] { AplicaFormato(); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] { AplicaFormato(); });
    connect(modelo_, &QAbstractItemModel::columnsInserted, this, [this] { AplicaFormato(); });
    connect(modelo_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int primera) {
        if (primera < grilla_.FixedRows())
            AplicaFormato();
        SigueCeldaActual();
    });
    connect(modelo_, &ModeloGrilla::estadoCambiado, this, [this] { SigueCeldaActual(); });
    connect(tabla_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual) {
                if (sincronizando_ || cambiandoFilas_ > 0 || !actual.isValid() ||
                    actual.row() >= grilla_.Rows() || actual.column() >= grilla_.Cols() || !alMoverCelda_)
                    return;
                sincronizando_ = true;
                try {
                    alMoverCelda_(actual.row(), actual.column());
                } catch (const ErrorSistema&) {
                    // Refused by the grid (a fixed column): it keeps its cell.
                }
                sincronizando_ = false;
                // Refused, or moved elsewhere by the form: the view shows the grid's cell.
                SigueCeldaActual();
            });
    AplicaFormato();
}

void EnlaceTablaGrilla::AplicaFormato() {
    for (int c = 0; c < modelo_->columnCount() && c < grilla_.Cols(); ++c) {
        const bool oculta = grilla_.ColumnaOculta(c);
        tabla_->setColumnHidden(c, oculta);
        if (!oculta)
            tabla_->setColumnWidth(c, TwipsAPixeles(grilla_.ColWidth(c), tabla_->logicalDpiX()));
    }
    // The fixed title row is shown by the header.
    for (int f = 0; f < grilla_.FixedRows() && f < modelo_->rowCount(); ++f)
        tabla_->setRowHidden(f, true);
    tabla_->setEnabled(Habilitada());
    SigueCeldaActual();
}

void EnlaceTablaGrilla::AplicaHabilitada() {
    tabla_->setEnabled(Habilitada());
}

void EnlaceTablaGrilla::SigueCeldaActual() {
    // Scrolling to each line a long command fills would cost the table more than the line.
    SigueModelo(this, celdaPendiente_, [this] { AplicaCeldaActual(); });
}

void EnlaceTablaGrilla::AplicaCeldaActual() {
    tabla_->setEnabled(Habilitada());
    if (sincronizando_ || cambiandoFilas_ > 0 || grilla_.Row() >= modelo_->rowCount() ||
        grilla_.Col() >= modelo_->columnCount())
        return;
    const QModelIndex indice = modelo_->index(grilla_.Row(), grilla_.Col());
    if (tabla_->currentIndex() == indice)
        return;
    sincronizando_ = true;
    tabla_->setCurrentIndex(indice);
    sincronizando_ = false;
}

// ---- The floating editor ----

EditorFlotante::EditorFlotante(QTableView* tabla, Grilla& grilla, CajaTexto& editor,
                               EventosEdicionGrilla& eventos)
    : QObject(tabla), tabla_(tabla), grilla_(grilla), caja_(editor), eventos_(eventos) {
    // Tab leaves the grid, as it leaves the suite's.
    tabla_->setTabKeyNavigation(false);
    tabla_->installEventFilter(this);
    tabla_->viewport()->installEventFilter(this);

    editor_ = new QLineEdit(tabla_->viewport());
    editor_->setObjectName(caja_.Name());
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    // In the window's order the editor stands right after its grid: Tab from an open edit goes
    // where Tab from the grid goes, not back to the top of the window.
    QWidget::setTabOrder(tabla_, editor_);
    connect(editor_, &QLineEdit::textEdited, this, [this](const QString& texto) {
        caja_.setText(texto);
        caja_.setSelStart(editor_->cursorPosition());
        caja_.setSelLength(0);
        eventos_.Editor_Change();
    });
    suscripcion_ = caja_.Observa([this] { Muestra(); });
    Muestra();

    // The editor floats over its cell wherever the cell goes.
    const auto coloca = [this] { Coloca(); };
    connect(tabla_->horizontalScrollBar(), &QScrollBar::valueChanged, this, coloca);
    connect(tabla_->verticalScrollBar(), &QScrollBar::valueChanged, this, coloca);
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this, coloca);
    connect(tabla_->horizontalHeader(), &QHeaderView::geometriesChanged, this, coloca);

    // The cell editor is in no window's tab order: the form is told here when it gets the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nuevo) {
        if (nuevo && nuevo == editor_ && caja_.Visible())
            eventos_.Editor_FocoTomado();
    });
}

EditorFlotante::~EditorFlotante() {
    suscripcion_.Termina();
    disconnect(qApp, nullptr, this, nullptr);
}

void EditorFlotante::Muestra() {
    // Importar opens and closes the box on every line it commits.
    SigueModelo(this, pendiente_, [this] { Aplica(); });
}

void EditorFlotante::Aplica() {
    if (editor_->text() != caja_.Text()) {
        editor_->setText(caja_.Text());
        editor_->setCursorPosition(qBound(0, caja_.SelStart(), int(caja_.Text().size())));
    }
    editor_->setMaxLength(caja_.MaxLength() > 0 ? caja_.MaxLength() : 32767);
    QPalette p = tabla_->palette();
    if (const QColor fondo = ColorBgr(caja_.BackColor()); fondo.isValid())
        p.setColor(QPalette::Base, fondo);
    if (const QColor letra = ColorBgr(caja_.ForeColor()); letra.isValid())
        p.setColor(QPalette::Text, letra);
    editor_->setPalette(p);
    if (caja_.Visible() == editor_->isVisible())
        return;
    if (caja_.Visible()) {
        Coloca();
        editor_->setCursorPosition(qBound(0, caja_.SelStart(), int(caja_.Text().size())));
        editor_->show();
        editor_->raise();
    } else {
        // The grid takes the focus before the editor goes, so that it does not wander off to
        // whatever control follows.
        if (editor_->hasFocus())
            tabla_->setFocus(Qt::OtherFocusReason);
        editor_->hide();
    }
}

void EditorFlotante::Coloca() {
    QAbstractItemModel* modelo = tabla_->model();
    if (!modelo || grilla_.Row() >= modelo->rowCount() || grilla_.Col() >= modelo->columnCount())
        return;
    const QModelIndex indice = modelo->index(grilla_.Row(), grilla_.Col());
    if (editor_->isVisible() || caja_.Visible())
        tabla_->scrollTo(indice);
    editor_->setGeometry(tabla_->visualRect(indice));
}

bool EditorFlotante::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress:
        if (objeto == tabla_)
            return TeclaGrilla(static_cast<QKeyEvent*>(evento));
        if (objeto == editor_)
            return TeclaEditor(static_cast<QKeyEvent*>(evento));
        break;
    case QEvent::MouseButtonDblClick:
        if (objeto == tabla_->viewport()) {
            eventos_.Grilla_DblClick();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (objeto == tabla_->viewport() && static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
            eventos_.Grilla_Click();
        break;
    default:
        break;
    }
    return QObject::eventFilter(objeto, evento);
}

bool EditorFlotante::TeclaGrilla(QKeyEvent* tecla) {
    qint16 codigo = CodigoTecla(tecla->key());
    const int shift = int(tecla->modifiers() >> 25);
    if (codigo != 0 && eventos_.Grilla_KeyDown(codigo, shift))
        return true;
    std::optional<qint16> caracter = CaracterTecla(tecla);
    if (!caracter)
        return false; // arrows and the rest move the grid's current cell
    eventos_.Grilla_KeyPress(*caracter);
    return true;
}

bool EditorFlotante::TeclaEditor(QKeyEvent* tecla) {
    qint16 codigo = CodigoTecla(tecla->key());
    const int shift = int(tecla->modifiers() >> 25);
    if (codigo == tecla::Enter || codigo == tecla::Escape || codigo == tecla::Arriba ||
        codigo == tecla::Abajo) {
        eventos_.Editor_KeyDown(codigo, shift);
        return true;
    }
    if (codigo != 0)
        eventos_.Editor_KeyDown(codigo, shift);
    std::optional<qint16> caracter = CaracterTecla(tecla);
    if (!caracter || *caracter < 32)
        return false;
    const qint16 tecleado = *caracter;
    eventos_.Editor_KeyPress(*caracter);
    if (*caracter == 0)
        return true;
    if (*caracter != tecleado) {
        InsertaCaracter(editor_, caja_, QChar(char16_t(quint16(*caracter))));
        eventos_.Editor_Change();
        return true;
    }
    return false;
}
