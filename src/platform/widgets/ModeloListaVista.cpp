#include "ModeloListaVista.h"

#include "ListaVista.h"

ModeloListaVista::ModeloListaVista(ListaVista& lista, QObject* padre)
    : QAbstractTableModel(padre), lista_(lista), filas_(lista.Count()), columnas_(lista.CuentaEncabezados()) {
    lista_.alCambiar = [this] { Sigue(); };
}

ModeloListaVista::~ModeloListaVista() {
    lista_.alCambiar = nullptr;
}

void ModeloListaVista::Sigue() {
    // Rows or columns added or removed: the views start afresh; otherwise only texts and
    // marks changed, and the views keep their current row and scroll position.
    if (filas_ != lista_.Count() || columnas_ != lista_.CuentaEncabezados()) {
        beginResetModel();
        filas_ = lista_.Count();
        columnas_ = lista_.CuentaEncabezados();
        endResetModel();
    } else if (filas_ > 0 && columnas_ > 0) {
        emit dataChanged(index(0, 0), index(filas_ - 1, columnas_ - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columnas_ - 1);
    }
    emit listaCambiada();
}

int ModeloListaVista::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : filas_;
}

int ModeloListaVista::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : columnas_;
}

QVariant ModeloListaVista::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= filas_)
        return {};
    const ElementoLista& e = lista_.ListItems(indice.row() + 1);
    if (rol == Qt::DisplayRole)
        return e.TextoColumna(indice.column());
    if (rol == Qt::CheckStateRole && indice.column() == 0 && lista_.Checkboxes())
        return e.Checked() ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ModeloListaVista::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || rol != Qt::CheckStateRole || indice.column() != 0 || !lista_.Checkboxes())
        return false;
    lista_.ListItems(indice.row() + 1).setChecked(valor.toInt() == Qt::Checked);
    return true;
}

QVariant ModeloListaVista::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 && seccion < columnas_)
        return lista_.Encabezado(seccion + 1).Text;
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloListaVista::flags(const QModelIndex& indice) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(indice);
    if (indice.isValid() && indice.column() == 0 && lista_.Checkboxes())
        f |= Qt::ItemIsUserCheckable;
    return f;
}
