#include "ModeloListaVista.h"

#include <QMetaObject>
#include <algorithm>

ModeloListaVista::ModeloListaVista(ListaVista& lista, QObject* padre)
    : QAbstractTableModel(padre), lista_(lista) {
    lista_.alCambiar = [this] { Cambio(); };
    Sincroniza();
}

ModeloListaVista::~ModeloListaVista() {
    lista_.alCambiar = nullptr;
}

void ModeloListaVista::Cambio() {
    if (pendiente_)
        return;
    pendiente_ = true;
    QMetaObject::invokeMethod(this, &ModeloListaVista::Sincroniza, Qt::QueuedConnection);
}

void ModeloListaVista::Sincroniza() {
    pendiente_ = false;
    const quint32 estructura = lista_.Estructura();
    QStringList encabezados;
    std::vector<int> anchos;
    for (int i = 1; i <= lista_.CuentaEncabezados(); ++i) {
        encabezados << lista_.Encabezado(i).Text;
        anchos.push_back(lista_.Encabezado(i).Width);
    }
    const bool cambianEncabezados = encabezados != encabezados_ || anchos != anchos_;
    const bool nuevasFilas = estructura != estructura_ || lista_.Count() < filas_ ||
                             encabezados.size() != encabezados_.size() || lista_.Checkboxes() != checkboxes_;
    if (nuevasFilas) {
        beginResetModel();
        estructura_ = estructura;
        filas_ = lista_.Count();
        encabezados_ = encabezados;
        anchos_ = anchos;
        checkboxes_ = lista_.Checkboxes();
        endResetModel();
    } else {
        if (cambianEncabezados) {
            encabezados_ = encabezados;
            anchos_ = anchos;
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        }
        if (lista_.Count() > filas_) {
            beginInsertRows({}, filas_, lista_.Count() - 1);
            filas_ = lista_.Count();
            endInsertRows();
        }
        // Texts, ticks and icons of rows already shown may have changed too: a range repaints
        // the visible rows only.
        if (filas_ > 0)
            emit dataChanged(index(0, 0), index(filas_ - 1, columnCount() - 1));
    }
    emit sincronizado(cambianEncabezados || nuevasFilas);
}

const ElementoLista* ModeloListaVista::Elemento(int fila) const {
    // Between a change of the list and the next synchronisation the view may ask for rows that
    // are gone.
    if (fila < 0 || fila >= std::min(filas_, lista_.Count()))
        return nullptr;
    return &lista_.ListItems(fila + 1);
}

int ModeloListaVista::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : filas_;
}

int ModeloListaVista::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : std::max<int>(1, int(encabezados_.size()));
}

QVariant ModeloListaVista::data(const QModelIndex& indice, int rol) const {
    const ElementoLista* e = Elemento(indice.row());
    if (!e)
        return {};
    switch (rol) {
    case Qt::DisplayRole:
        return e->TextoColumna(indice.column());
    case Qt::DecorationRole: {
        const ListaImagenes* imagenes = lista_.Imagenes();
        const int icono = e->SmallIcon();
        if (indice.column() == 0 && imagenes && icono >= 1 && icono <= imagenes->Count())
            return imagenes->Imagen(icono);
        return {};
    }
    case Qt::CheckStateRole:
        if (indice.column() == 0 && checkboxes_)
            return e->Checked() ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

bool ModeloListaVista::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (rol != Qt::CheckStateRole || indice.column() != 0 || !checkboxes_ || !Elemento(indice.row()))
        return false;
    lista_.ListItems(indice.row() + 1).setChecked(valor.toInt() == Qt::Checked);
    emit dataChanged(indice, indice, {Qt::CheckStateRole});
    return true;
}

QVariant ModeloListaVista::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 &&
        seccion < encabezados_.size())
        return encabezados_.at(seccion);
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloListaVista::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (checkboxes_ && indice.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}
