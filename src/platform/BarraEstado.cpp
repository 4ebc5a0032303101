#include "BarraEstado.h"

#include "ErrorSistema.h"

#include <utility>

void PanelEstado::setText(const QString& t) {
    texto_ = t;
    barra_->Cambio(this);
}

void PanelEstado::setToolTipText(const QString& t) {
    ayuda_ = t;
    barra_->Cambio(this);
}

int PanelEstado::Index() const {
    for (int i = 0; i < barra_->Count(); ++i)
        if (barra_->paneles_[std::size_t(i)].get() == this)
            return i + 1;
    return 0;
}

void BarraEstado::Cambio(const PanelEstado* p) {
    if (alCambiar)
        alCambiar(p ? p->Index() : 0);
}

int BarraEstado::Buscar(const QString& clave) const {
    for (std::size_t i = 0; i < paneles_.size(); ++i)
        if (paneles_[i]->clave_.compare(clave, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

PanelEstado& BarraEstado::Add(const QString& clave, const QString& texto) {
    if (!clave.isEmpty() && Buscar(clave) >= 0)
        throw ErrorSistema(ErrorBarra::ClaveRepetida, "Key is not unique in collection", "BarraEstado");
    paneles_.push_back(std::unique_ptr<PanelEstado>(new PanelEstado(*this, clave)));
    paneles_.back()->texto_ = texto;
    Cambio(nullptr);
    return *paneles_.back();
}

PanelEstado& BarraEstado::Panels(int indice) {
    return const_cast<PanelEstado&>(std::as_const(*this).Panels(indice));
}

const PanelEstado& BarraEstado::Panels(int indice) const {
    if (indice < 1 || indice > Count())
        throw ErrorSistema(ErrorBarra::IndiceFueraDeLimites, "Index out of bounds", "BarraEstado");
    return *paneles_[std::size_t(indice) - 1];
}

PanelEstado& BarraEstado::Panels(const QString& clave) {
    return const_cast<PanelEstado&>(std::as_const(*this).Panels(clave));
}

const PanelEstado& BarraEstado::Panels(const QString& clave) const {
    const int i = clave.isEmpty() ? -1 : Buscar(clave);
    if (i < 0)
        throw ErrorSistema(ErrorBarra::ElementoNoEncontrado, "Element not found", "BarraEstado");
    return *paneles_[std::size_t(i)];
}
