#pragma once

#include "ListaVista.h"

#include <QAbstractTableModel>
#include <QStringList>

// Shows a ListaVista to any Qt view: one model row per list row, one column per header (one
// when there is none); the first column carries the row's small icon and, when the list has
// check boxes, its tick. The list's changes are taken together at the next turn of the event
// loop (or at Sincroniza), so that a list filled row by row costs the view one update per turn:
// rows added at the end are inserted, a cleared or re-sorted list resets the model. The list
// must outlive the model.
class ModeloListaVista : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloListaVista(ListaVista& lista, QObject* padre = nullptr);
    ~ModeloListaVista() override;
    ModeloListaVista(const ModeloListaVista&) = delete;
    ModeloListaVista& operator=(const ModeloListaVista&) = delete;

    // Brings the model up to the list now.
    void Sincroniza();

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol = Qt::EditRole) override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

signals:
    // After every synchronisation; `encabezados` when the headers changed.
    void sincronizado(bool encabezados);

private:
    void Cambio();
    const ElementoLista* Elemento(int fila) const;

    ListaVista& lista_;
    int filas_ = 0;
    QStringList encabezados_;
    std::vector<int> anchos_;
    quint32 estructura_ = 0;
    bool checkboxes_ = false;
    bool pendiente_ = false;
};
