#include "ModeloGrilla.h"

#include <QBrush>
#include <QColor>

namespace {

// Digits with point or comma separators and an optional sign: what the grid's general
// alignment puts on the right.
bool PareceNumero(const QString& texto) {
    const QString t = texto.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    bool digito = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit())
            digito = true;
        else if (c != u'.' && c != u',')
            return false;
    }
    return digito;
}

} // namespace

ModeloGrilla::ModeloGrilla(Grilla& grilla, QObject* padre)
    : QAbstractTableModel(padre), grilla_(grilla), filas_(grilla.Rows()), cols_(grilla.Cols()) {
    grilla_.AgregaObservador(this);
}

ModeloGrilla::~ModeloGrilla() {
    grilla_.QuitaObservador(this);
}

void ModeloGrilla::Sincroniza() {
    filas_ = grilla_.Rows();
    cols_ = grilla_.Cols();
}

bool ModeloGrilla::ColumnaOculta(int col) const {
    return col >= 0 && col < cols_ && col < grilla_.Cols() && grilla_.ColumnaOculta(col);
}

int ModeloGrilla::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : filas_;
}

int ModeloGrilla::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : cols_;
}

QColor ModeloGrilla::ColorDesdeBgr(int bgr) {
    if (bgr == 0)
        return {};
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

Qt::Alignment ModeloGrilla::AlineacionQt(int alineacion, const QString& texto) {
    if (alineacion == Alineacion::General)
        return (PareceNumero(texto) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    Qt::Alignment h = Qt::AlignLeft;
    if (alineacion >= Alineacion::DerechaArriba)
        h = Qt::AlignRight;
    else if (alineacion >= Alineacion::CentroArriba)
        h = Qt::AlignHCenter;
    static constexpr Qt::AlignmentFlag verticales[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h | verticales[std::max(0, alineacion) % 3];
}

QVariant ModeloGrilla::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.model() != this)
        return {};
    const int f = indice.row(), c = indice.column();
    // While Redraw is off the grid may already be smaller than what the views were told.
    if (f >= filas_ || c >= cols_ || f >= grilla_.Rows() || c >= grilla_.Cols())
        return {};
    switch (rol) {
    case Qt::DisplayRole:
        return grilla_.TextMatrix(f, c);
    case Qt::BackgroundRole: {
        const QColor color = ColorDesdeBgr(grilla_.ColorFondo(f, c));
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor color = ColorDesdeBgr(grilla_.ColorLetra(f, c));
        return color.isValid() ? QVariant(QBrush(color)) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(AlineacionQt(grilla_.ColAlignment(c), grilla_.TextMatrix(f, c)));
    case RolFija:
        return f < grilla_.FixedRows() || c < grilla_.FixedCols();
    default:
        return {};
    }
}

QVariant ModeloGrilla::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && seccion >= 0 && seccion < cols_ && seccion < grilla_.Cols()) {
        switch (rol) {
        case Qt::DisplayRole:
            if (grilla_.FixedRows() > 0 && grilla_.Rows() > 0)
                return grilla_.TextMatrix(0, seccion);
            return {};
        case RolOculta:
            return grilla_.ColumnaOculta(seccion);
        case RolAncho:
            return grilla_.ColWidth(seccion);
        default:
            break;
        }
    }
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloGrilla::flags(const QModelIndex& indice) const {
    if (!indice.isValid())
        return Qt::NoItemFlags;
    return grilla_.Enabled() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ModeloGrilla::AntesDeInsertarFilas(int primera, int ultima) {
    beginInsertRows({}, primera, ultima);
}

void ModeloGrilla::FilasInsertadas() {
    Sincroniza();
    endInsertRows();
}

void ModeloGrilla::AntesDeQuitarFilas(int primera, int ultima) {
    beginRemoveRows({}, primera, ultima);
}

void ModeloGrilla::FilasQuitadas() {
    Sincroniza();
    endRemoveRows();
}

void ModeloGrilla::AntesDeInsertarColumnas(int primera, int ultima) {
    beginInsertColumns({}, primera, ultima);
}

void ModeloGrilla::ColumnasInsertadas() {
    Sincroniza();
    endInsertColumns();
}

void ModeloGrilla::AntesDeQuitarColumnas(int primera, int ultima) {
    beginRemoveColumns({}, primera, ultima);
}

void ModeloGrilla::ColumnasQuitadas() {
    Sincroniza();
    endRemoveColumns();
}

void ModeloGrilla::AntesDeReiniciar() {
    beginResetModel();
}

void ModeloGrilla::Reiniciado() {
    Sincroniza();
    endResetModel();
}

void ModeloGrilla::CeldasCambiadas(int fila1, int col1, int fila2, int col2) {
    fila2 = std::min(fila2, filas_ - 1);
    col2 = std::min(col2, cols_ - 1);
    if (fila1 < 0 || col1 < 0 || fila1 > fila2 || col1 > col2)
        return;
    emit dataChanged(index(fila1, col1), index(fila2, col2));
    if (fila1 == 0 && grilla_.FixedRows() > 0)
        emit headerDataChanged(Qt::Horizontal, col1, col2);
}

void ModeloGrilla::FormatoCambiado(int col1, int col2) {
    const int c1 = col1 < 0 ? 0 : col1;
    const int c2 = col1 < 0 ? cols_ - 1 : std::min(col2, cols_ - 1);
    if (c1 <= c2)
        emit headerDataChanged(Qt::Horizontal, c1, c2);
    emit formatoCambiado(col1, col2);
}

void ModeloGrilla::EstadoCambiado() {
    emit estadoCambiado();
}
