#pragma once

#include "ModeloControl.h"

#include <QString>
#include <QStringList>
#include <functional>

// The system's drop-down list (a combo box of style "list"): its items, the selected index
// (-1 = none) and the text of the selected item. Selecting an index raises Click, as the
// control does; an index outside the list raises ErrorSistema 380.
class ListaCombo : public ModeloControl {
public:
    ListaCombo() = default;
    explicit ListaCombo(QString nombre) : nombre_(std::move(nombre)) {}

    const QString& Name() const { return nombre_; }

    // Appends an item, or inserts it at `indice` (beyond the list raises 5).
    void AddItem(const QString& item, int indice = -1);
    void RemoveItem(int indice);
    // Empties the list; the selection becomes -1 (without Click).
    void Clear();
    int ListCount() const { return int(items_.size()); }
    // Item `indice`; out of range gives "" (as the control does).
    QString List(int indice) const;
    const QStringList& Items() const { return items_; }

    int ListIndex() const { return indice_; }
    // -1 clears the selection; any other index outside the list raises 380. A change of the
    // selection (also to the same index) raises Click.
    void setListIndex(int indice);
    // The selected item's text ("" when none).
    QString Text() const { return List(indice_); }

    bool Enabled() const { return habilitada_; }
    void setEnabled(bool h);
    bool Visible() const { return visible_; }
    void setVisible(bool v);
    const QString& FontName() const { return fuente_; }
    void setFontName(const QString& f);
    const QString& ToolTipText() const { return ayuda_; }
    void setToolTipText(const QString& t);

    // The Click event (the selection was set, by code or by the user).
    std::function<void()> Click;

private:
    QString nombre_;
    QStringList items_;
    int indice_ = -1;
    bool habilitada_ = true;
    bool visible_ = true;
    QString fuente_;
    QString ayuda_;
};
