#include "Pestanas.h"

#include "ErrorSistema.h"

Pestanas::Pestanas(int tabs) {
    setTabs(tabs);
}

void Pestanas::Comprueba(int i) const {
    if (i < 0 || i >= Tabs())
        throw ErrorSistema(381, "Subscript out of range", "Pestanas");
}

void Pestanas::Cambio() {
    if (alCambiar)
        alCambiar();
}

void Pestanas::setTabs(int n) {
    if (n < 1)
        throw ErrorSistema(380, "Invalid property value", "Pestanas");
    const int antes = Tabs();
    tabs_.resize(std::size_t(n));
    for (int i = antes; i < n; ++i)
        tabs_[std::size_t(i)].titulo = QStringLiteral("Tab %1").arg(i);
    if (actual_ >= n)
        actual_ = n - 1;
    Cambio();
}

bool Pestanas::TabVisible(int i) const {
    Comprueba(i);
    return tabs_[std::size_t(i)].visible;
}

void Pestanas::setTabVisible(int i, bool v) {
    Comprueba(i);
    tabs_[std::size_t(i)].visible = v;
    Cambio();
}

const QString& Pestanas::TabCaption(int i) const {
    Comprueba(i);
    return tabs_[std::size_t(i)].titulo;
}

void Pestanas::setTabCaption(int i, const QString& c) {
    Comprueba(i);
    tabs_[std::size_t(i)].titulo = c;
    Cambio();
}

void Pestanas::setTab(int i) {
    Comprueba(i);
    actual_ = i;
    Cambio();
}
