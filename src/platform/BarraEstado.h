#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class BarraEstado;

// Errors of the panels collection, with the control's numbers.
namespace ErrorBarra {
constexpr long IndiceFueraDeLimites = 35600; // "Index out of bounds"
constexpr long ElementoNoEncontrado = 35601; // "Element not found"
constexpr long ClaveRepetida = 35602;        // "Key is not unique in collection"
} // namespace ErrorBarra

class PanelEstado {
public:
    const QString& Key() const { return clave_; }
    const QString& Text() const { return texto_; }
    void setText(const QString& t);
    const QString& ToolTipText() const { return ayuda_; }
    void setToolTipText(const QString& t);
    int Index() const; // 1-based

private:
    friend class BarraEstado;
    PanelEstado(BarraEstado& barra, QString clave) : barra_(&barra), clave_(std::move(clave)) {}
    BarraEstado* barra_;
    QString clave_;
    QString texto_;
    QString ayuda_;
};

// The system's status bar: panels reached by 1-based index or by key (keys ignore case).
class BarraEstado {
public:
    BarraEstado() = default;
    BarraEstado(const BarraEstado&) = delete;
    BarraEstado& operator=(const BarraEstado&) = delete;

    // Panels.Add: appends a panel; a key already used (ignoring case) raises 35602.
    PanelEstado& Add(const QString& clave = {}, const QString& texto = {});
    int Count() const { return int(paneles_.size()); }
    // Panels(i): out of range raises 35600. Panels(key): an unknown key raises 35601.
    PanelEstado& Panels(int indice);
    const PanelEstado& Panels(int indice) const;
    PanelEstado& Panels(const QString& clave);
    const PanelEstado& Panels(const QString& clave) const;
    PanelEstado& Panels(const char* clave) { return Panels(QString::fromUtf8(clave)); }

    // Called after every change with the changed panel's 1-based index (0: panels added).
    std::function<void(int)> alCambiar;

private:
    friend class PanelEstado;
    void Cambio(const PanelEstado* p);
    int Buscar(const QString& clave) const; // 0-based, -1 when none

    std::vector<std::unique_ptr<PanelEstado>> paneles_;
};
