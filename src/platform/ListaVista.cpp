#include "ListaVista.h"

#include "ErrorSistema.h"

#include <algorithm>

namespace {

[[noreturn]] void FueraDeLimites() {
    throw ErrorSistema(ErrorLista::IndiceFueraDeLimites, "Index out of bounds", "ListaVista");
}

[[noreturn]] void ValorInvalido() {
    throw ErrorSistema(ErrorLista::ValorPropiedadInvalido, "Invalid property value", "ListaVista");
}

} // namespace

// ---- ElementoLista ----

void ElementoLista::setText(const QString& t) {
    texto_ = t;
    lista_->CambioOrden();
}

void ElementoLista::setKey(const QString& k) {
    const QString nueva = k.toLower();
    if (nueva == clave_.toLower())
        return;
    if (!nueva.isEmpty() && lista_->claves_.contains(nueva))
        throw ErrorSistema(ErrorLista::ClaveRepetida, "Key is not unique in collection", "ListaVista");
    if (!clave_.isEmpty())
        lista_->claves_.remove(clave_.toLower());
    if (!nueva.isEmpty())
        lista_->claves_.insert(nueva, this);
    clave_ = k;
    lista_->Cambio();
}

QString ElementoLista::SubItems(int i) const {
    if (i < 1 || i >= lista_->CuentaEncabezados())
        ValorInvalido();
    return std::size_t(i) <= subItems_.size() ? subItems_[std::size_t(i) - 1] : QString();
}

void ElementoLista::setSubItems(int i, const QString& t) {
    if (i < 1 || i >= lista_->CuentaEncabezados())
        ValorInvalido();
    if (subItems_.size() < std::size_t(i))
        subItems_.resize(std::size_t(i));
    subItems_[std::size_t(i) - 1] = t;
    lista_->CambioOrden();
}

QString ElementoLista::TextoColumna(int k) const {
    if (k <= 0)
        return texto_;
    return std::size_t(k) <= subItems_.size() ? subItems_[std::size_t(k) - 1] : QString();
}

void ElementoLista::setChecked(bool m) {
    marcado_ = m;
    lista_->Cambio();
}

void ElementoLista::setSelected(bool s) {
    if (s) {
        lista_->setSelectedItem(this);
        return;
    }
    seleccionado_ = false;
    if (lista_->seleccionado_ == this)
        lista_->seleccionado_ = nullptr;
    lista_->Cambio();
}

void ElementoLista::setIcon(int i) {
    icono_ = i;
    lista_->Cambio();
}

void ElementoLista::setSmallIcon(int i) {
    iconoChico_ = i;
    lista_->Cambio();
}

// ---- ListaImagenes ----

const QString& ListaImagenes::Tag(int indice) const {
    if (indice < 1 || indice > Count())
        FueraDeLimites();
    return imagenes_[std::size_t(indice) - 1].tag;
}

const QIcon& ListaImagenes::Imagen(int indice) const {
    if (indice < 1 || indice > Count())
        FueraDeLimites();
    return imagenes_[std::size_t(indice) - 1].icono;
}

void ListaImagenes::setImagen(int indice, const QIcon& icono) {
    if (indice < 1 || indice > Count())
        FueraDeLimites();
    imagenes_[std::size_t(indice) - 1].icono = icono;
}

// ---- ListaVista ----

void ListaVista::Cambio() {
    if (alCambiar)
        alCambiar();
}

void ListaVista::CambioOrden() {
    if (sorted_)
        desordenada_ = true;
    Cambio();
}

void ListaVista::Ordena() const {
    if (!desordenada_)
        return;
    desordenada_ = false;
    ++estructura_;
    const int k = sortKey_;
    const bool descendente = sortOrder_ == Descendente;
    std::stable_sort(elementos_.begin(), elementos_.end(), [&](const auto& a, const auto& b) {
        const int r = QString::compare(a->TextoColumna(k), b->TextoColumna(k), Qt::CaseInsensitive);
        return descendente ? r > 0 : r < 0;
    });
}

ElementoLista& ListaVista::Add(const QString& texto, int icono, int iconoChico) {
    elementos_.push_back(std::unique_ptr<ElementoLista>(new ElementoLista(*this)));
    ElementoLista& e = *elementos_.back();
    e.texto_ = texto;
    e.icono_ = icono;
    e.iconoChico_ = iconoChico;
    CambioOrden();
    return e;
}

quint32 ListaVista::Estructura() const {
    Ordena();
    return estructura_;
}

void ListaVista::Clear() {
    seleccionado_ = nullptr;
    claves_.clear();
    elementos_.clear();
    desordenada_ = false;
    ++estructura_;
    Cambio();
}

ElementoLista& ListaVista::ListItems(int indice) {
    if (indice < 1 || indice > Count())
        FueraDeLimites();
    Ordena();
    return *elementos_[std::size_t(indice) - 1];
}

const ElementoLista& ListaVista::ListItems(int indice) const {
    if (indice < 1 || indice > Count())
        FueraDeLimites();
    Ordena();
    return *elementos_[std::size_t(indice) - 1];
}

std::vector<ElementoLista*> ListaVista::Elementos() const {
    Ordena();
    std::vector<ElementoLista*> v;
    v.reserve(elementos_.size());
    for (const auto& e : elementos_)
        v.push_back(e.get());
    return v;
}

int ListaVista::Indice(const ElementoLista* e) const {
    Ordena();
    for (std::size_t i = 0; i < elementos_.size(); ++i)
        if (elementos_[i].get() == e)
            return int(i) + 1;
    return 0;
}

ElementoLista* ListaVista::BuscaClave(const QString& clave) const {
    return claves_.value(clave.toLower(), nullptr);
}

void ListaVista::LimpiaEncabezados() {
    encabezados_.clear();
    Cambio();
}

void ListaVista::AgregaEncabezado(const QString& texto, int anchoTwips) {
    encabezados_.push_back({texto, anchoTwips});
    Cambio();
}

const EncabezadoColumna& ListaVista::Encabezado(int indice) const {
    if (indice < 1 || indice > CuentaEncabezados())
        FueraDeLimites();
    return encabezados_[std::size_t(indice) - 1];
}

void ListaVista::setSelectedItem(ElementoLista* e) {
    if (e && e->lista_ != this)
        ValorInvalido();
    if (!multiSelect_)
        for (auto& x : elementos_)
            x->seleccionado_ = false;
    seleccionado_ = e;
    if (e)
        e->seleccionado_ = true;
    Cambio();
}

void ListaVista::setMultiSelect(bool m) {
    multiSelect_ = m;
    if (!m) // one selected row at most
        for (auto& x : elementos_)
            x->seleccionado_ = x.get() == seleccionado_;
    Cambio();
}

void ListaVista::setCheckboxes(bool c) {
    checkboxes_ = c;
    Cambio();
}

void ListaVista::setSortKey(int k) {
    if (k < 0)
        ValorInvalido();
    sortKey_ = k;
    CambioOrden();
}

void ListaVista::setSortOrder(int o) {
    if (o != Ascendente && o != Descendente)
        ValorInvalido();
    sortOrder_ = o;
    CambioOrden();
}

void ListaVista::setSorted(bool s) {
    sorted_ = s;
    CambioOrden();
}

void ListaVista::setImagenes(const ListaImagenes* i) {
    imagenes_ = i;
    Cambio();
}
