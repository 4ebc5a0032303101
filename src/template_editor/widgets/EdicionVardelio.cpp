#include "EdicionVardelio.h"

#include "EditorFlotante.h"
#include "Teclas.h"
#include "VistaBarraHerramientas.h"
#include "VistaVardelio.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

EdicionVardelio::EdicionVardelio(FrmVardelio& form, VistaVardelio& vista) : QObject(&vista), form_(form) {
    editor_ = new EditorFlotante(vista.Tabla(), form_.MSFlexGrid2, form_.txtEdit2, *this);

    for (int i = 0; i < int(campos_.size()); ++i) {
        campos_[i] = qobject_cast<QLineEdit*>(vista.Control(QStringLiteral("TxtFields(%1)").arg(i)));
        if (!campos_[i])
            continue;
        campos_[i]->installEventFilter(this);
        connect(campos_[i], &QLineEdit::textEdited, this, [this, i] { form_.TxtFields_Change(i); });
    }
}

EdicionVardelio::~EdicionVardelio() {
    delete editor_.data();
}

QLineEdit* EdicionVardelio::Editor() const {
    return editor_->Editor();
}

bool EdicionVardelio::eventFilter(QObject* objeto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress:
        for (int i = 0; i < int(campos_.size()); ++i)
            if (objeto == campos_[i])
                return TeclaCampo(i, static_cast<QKeyEvent*>(evento));
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

bool EdicionVardelio::Grilla_KeyDown(qint16& KeyCode, int) {
    const qint16 tecla = KeyCode;
    form_.MSFlexGrid2_KeyDown(KeyCode);
    // Delete, End and Insert are the form's (remove, leave, insert a line), not the table's.
    return tecla == tecla::Suprimir || tecla == tecla::Fin || tecla == tecla::Insertar;
}

void EdicionVardelio::Grilla_KeyPress(qint16& KeyAscii) {
    form_.MSFlexGrid2_KeyPress(KeyAscii);
}

void EdicionVardelio::Grilla_Click() {
    if (form_.FocoEnLineas())
        form_.MSFlexGrid2_Click();
}

void EdicionVardelio::Grilla_DblClick() {
    if (form_.FocoEnLineas())
        form_.MSFlexGrid2_DblClick();
}

void EdicionVardelio::Editor_KeyDown(qint16& KeyCode, int) {
    form_.txtEdit2_KeyDown(KeyCode);
}

void EdicionVardelio::Editor_KeyPress(qint16& KeyAscii) {
    form_.txtEdit2_KeyPress(KeyAscii);
}

void EdicionVardelio::Editor_Change() {
    form_.txtEdit2_Change();
}

void EdicionVardelio::Editor_FocoTomado() {
    form_.Foco().FocoMovido(form_.txtEdit2.Name());
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
        InsertaCaracter(campos_[indice], form_.TxtFields[indice], QChar(char16_t(quint16(*caracter))));
        form_.TxtFields_Change(indice);
        return true;
    }
    return false;
}
