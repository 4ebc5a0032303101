#pragma once

#include <QAbstractTableModel>

class ListaVista;

// A ListaVista for Qt's item views: one row per element in list order, one column per header,
// the check box of column 0 while the list has check boxes (the user's ticks go to the
// element). It follows the list's changes; the list must outlive it.
class ModeloListaVista : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloListaVista(ListaVista& lista, QObject* padre = nullptr);
    ~ModeloListaVista() override;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

    // Emitted after the list changed, once the model shows the change.
    Q_SIGNAL void listaCambiada();

private:
    void Sigue();

    ListaVista& lista_;
    int filas_ = 0;
    int columnas_ = 0;
};
