#include "EdicionVardelio.h"

#include "Teclas.h"
#include "VistaBarraHerramientas.h"
#include "VistaVardelio.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <optional>

namespace {

QColor ColorBgr(int bgr) {
    if (bgr < 0)
        return {};
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

EdicionVardelio::EdicionVardelio(FrmVardelio& form, VistaVardelio& vista) : QObject(&vista), form_(form) {
    tabla_ = vista.Tabla();
    // Tab leaves the grid, as it leaves the suite's.
    tabla_->setTabKeyNavigation(false);
    tabla_->installEventFilter(this);
    tabla_->viewport()->installEventFilter(this);

    editor_ = new QLineEdit(tabla_->viewport());
    editor_->setObjectName(QStringLiteral("txtEdit2"));
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    // In the window's order the editor stands right after its grid: Tab from an open edit goes
    // where Tab from the grid goes, not back to the top of the window.
    QWidget::setTabOrder(tabla_, editor_);
    connect(editor_, &QLineEdit::textEdited, this, [this](const QString& texto) {
        form_.txtEdit2.setText(texto);
        form_.txtEdit2.setSelStart(editor_->cursorPosition());
        form_.txtEdit2.setSelLength(0);
        form_.txtEdit2_Change();
    });
    editorModelo_ = form_.txtEdit2.Observa([this] { MuestraEditor(); });
    MuestraEditor();

    for (int i = 0; i < int(campos_.size()); ++i) {
        campos_[i] = qobject_cast<QLineEdit*>(vista.Control(QStringLiteral("TxtFields(%1)").arg(i)));
        if (!campos_[i])
            continue;
        campos_[i]->installEventFilter(this);
        connect(campos_[i], &QLineEdit::textEdited, this, [this, i] { form_.TxtFields_Change(i); });
    }

    // The editor floats over its cell wherever the cell goes.
    const auto coloca = [this] { ColocaEditor(); };
    connect(tabla_->horizontalScrollBar(), &QScrollBar::valueChanged, this, coloca);
    connect(tabla_->verticalScrollBar(), &QScrollBar::valueChanged, this, coloca);
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this, coloca);
    connect(tabla_->horizontalHeader(), &QHeaderView::geometriesChanged, this, coloca);

    // The view tells the form where the user put the focus; the cell editor is not in the
    // window's tab order, so it is told here.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nuevo) {
        if (nuevo && nuevo == editor_ && form_.txtEdit2.Visible())
            form_.Foco().FocoMovido(QStringLiteral("txtEdit2"));
    });
}

EdicionVardelio::~EdicionVardelio() {
    editorModelo_.Termina();
    disconnect(qApp, nullptr, this, nullptr);
}

void EdicionVardelio::MuestraEditor() {
    const CajaTexto& c = form_.txtEdit2;
    if (editor_->text() != c.Text()) {
        editor_->setText(c.Text());
        editor_->setCursorPosition(qBound(0, c.SelStart(), int(c.Text().size())));
    }
    editor_->setMaxLength(c.MaxLength() > 0 ? c.MaxLength() : 32767);
    QPalette p = tabla_->palette();
    if (const QColor fondo = ColorBgr(c.BackColor()); fondo.isValid())
        p.setColor(QPalette::Base, fondo);
    if (const QColor letra = ColorBgr(c.ForeColor()); letra.isValid())
        p.setColor(QPalette::Text, letra);
    editor_->setPalette(p);
    if (c.Visible() == editor_->isVisible())
        return;
    if (c.Visible()) {
        ColocaEditor();
        editor_->setCursorPosition(qBound(0, c.SelStart(), int(c.Text().size())));
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

void EdicionVardelio::ColocaEditor() {
    const Grilla& g = form_.MSFlexGrid2;
    QAbstractItemModel* modelo = tabla_->model();
    if (!modelo || g.Row() >= modelo->rowCount() || g.Col() >= modelo->columnCount())
        return;
    const QModelIndex indice = modelo->index(g.Row(), g.Col());
    if (editor_->isVisible() || form_.txtEdit2.Visible())
        tabla_->scrollTo(indice);
    editor_->setGeometry(tabla_->visualRect(indice));
}

bool EdicionVardelio::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (objeto == tabla_)
            return TeclaGrilla(tecla);
        if (objeto == editor_)
            return TeclaEditor(tecla);
        for (int i = 0; i < int(campos_.size()); ++i)
            if (objeto == campos_[i])
                return TeclaCampo(i, tecla);
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (objeto == tabla_->viewport()) {
            form_.MSFlexGrid2_DblClick();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (objeto == tabla_->viewport() && static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
            form_.MSFlexGrid2_Click();
        break;
    case QEvent::MouseButtonPress:
        for (int i = 0; i < int(campos_.size()); ++i)
            if (objeto == campos_[i]) {
                const Qt::MouseButton b = static_cast<QMouseEvent*>(evento)->button();
                form_.TxtFields_MouseDown(i, b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 1);
            }
        break;
    case QEvent::ContextMenu:
        // The right button opens the field's look-up instead.
        for (QLineEdit* campo : campos_)
            if (objeto == campo)
                return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(objeto, evento);
}

bool EdicionVardelio::TeclaGrilla(QKeyEvent* tecla) {
    qint16 codigo = CodigoTecla(tecla->key());
    if (codigo != 0)
        form_.MSFlexGrid2_KeyDown(codigo);
    switch (tecla->key()) {
    case Qt::Key_Delete:
    case Qt::Key_End:
    case Qt::Key_Insert:
        return true;
    default:
        break;
    }
    std::optional<qint16> caracter = CaracterTecla(tecla);
    if (!caracter)
        return false; // arrows and the rest move the grid's current cell
    form_.MSFlexGrid2_KeyPress(*caracter);
    return true;
}

bool EdicionVardelio::TeclaEditor(QKeyEvent* tecla) {
    qint16 codigo = CodigoTecla(tecla->key());
    if (codigo == tecla::Enter || codigo == tecla::Escape || codigo == tecla::Arriba ||
        codigo == tecla::Abajo) {
        form_.txtEdit2_KeyDown(codigo);
        return true;
    }
    if (codigo != 0)
        form_.txtEdit2_KeyDown(codigo);
    std::optional<qint16> caracter = CaracterTecla(tecla);
    if (!caracter || *caracter < 32)
        return false;
    const qint16 tecleado = *caracter;
    form_.txtEdit2_KeyPress(*caracter);
    if (*caracter == 0)
        return true;
    if (*caracter != tecleado) {
        Inserta(editor_, form_.txtEdit2, QChar(char16_t(quint16(*caracter))));
        form_.txtEdit2_Change();
        return true;
    }
    return false;
}

bool EdicionVardelio::TeclaCampo(int indice, QKeyEvent* tecla) {
    qint16 codigo = CodigoTecla(tecla->key());
    if (codigo != 0) {
        form_.TxtFields_KeyDown(indice, codigo);
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)
            return true;
    }
    std::optional<qint16> caracter = CaracterTecla(tecla);
    if (!caracter || *caracter < 32)
        return false;
    const qint16 tecleado = *caracter;
    form_.TxtFields_KeyPress(indice, *caracter);
    if (*caracter == 0)
        return true;
    if (*caracter != tecleado) {
        Inserta(campos_[indice], form_.TxtFields[indice], QChar(char16_t(quint16(*caracter))));
        form_.TxtFields_Change(indice);
        return true;
    }
    return false;
}

void EdicionVardelio::Inserta(QLineEdit* w, CajaTexto& caja, QChar c) {
    w->insert(QString(c));
    caja.setText(w->text());
    caja.setSelStart(w->cursorPosition());
    caja.setSelLength(0);
}
