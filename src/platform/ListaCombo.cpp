#include "ListaCombo.h"

#include "ErrorSistema.h"

void ListaCombo::AddItem(const QString& item, int indice) {
    if (indice < 0) {
        items_.append(item);
    } else {
        if (indice > items_.size())
            throw ErrorSistema(5, QStringLiteral("Llamada a procedimiento o argumento no válidos"),
                               QStringLiteral("AddItem"));
        items_.insert(indice, item);
        if (indice_ >= indice)
            ++indice_;
    }
    Avisa();
}

void ListaCombo::RemoveItem(int indice) {
    if (indice < 0 || indice >= items_.size())
        throw ErrorSistema(5, QStringLiteral("Llamada a procedimiento o argumento no válidos"),
                           QStringLiteral("RemoveItem"));
    items_.removeAt(indice);
    if (indice_ == indice)
        indice_ = -1;
    else if (indice_ > indice)
        --indice_;
    Avisa();
}

void ListaCombo::Clear() {
    items_.clear();
    indice_ = -1;
    Avisa();
}

QString ListaCombo::List(int indice) const {
    if (indice < 0 || indice >= items_.size())
        return {};
    return items_.at(indice);
}

void ListaCombo::setListIndex(int indice) {
    if (indice < -1 || indice >= items_.size())
        throw ErrorSistema(380, QStringLiteral("El valor de la propiedad no es válido"),
                           QStringLiteral("ListIndex"));
    indice_ = indice;
    Avisa();
    if (Click)
        Click();
}

void ListaCombo::setEnabled(bool h) {
    if (habilitada_ == h)
        return;
    habilitada_ = h;
    Avisa();
}

void ListaCombo::setVisible(bool v) {
    if (visible_ == v)
        return;
    visible_ = v;
    Avisa();
}

void ListaCombo::setFontName(const QString& f) {
    if (fuente_ == f)
        return;
    fuente_ = f;
    Avisa();
}

void ListaCombo::setToolTipText(const QString& t) {
    if (ayuda_ == t)
        return;
    ayuda_ = t;
    Avisa();
}
