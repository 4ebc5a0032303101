#include "LineasMarcadas.h"

#include "ColumnasArticulos.h"
#include "ValidacionLineas.h"

namespace LineasMarcadas {

namespace {

// A file's line tells it in its unit; a stored line, which keeps its unit, in its error code.
bool ArticuloInexistente(const Grilla& g, int fila) {
    return g.TextMatrix(fila, col::Unidad).trimmed().compare(Inexistente(), Qt::CaseInsensitive) == 0 ||
           g.TextMatrix(fila, col::CodError) == Inexistente();
}

bool CantidadNoNumero(const Grilla& g, int fila) {
    return !ValidacionLineas::CantidadValida(g.TextMatrix(fila, col::Cantidad));
}

const QString kCorrija = QStringLiteral(" Corríjala o bórrela antes de grabar.");

} // namespace

const QString& Inexistente() {
    static const QString texto = QStringLiteral("Inexistente");
    return texto;
}

void Marca(Grilla& g, int fila) {
    const int filaActual = g.Row();
    const int colActual = g.Col();
    g.setRow(fila);
    g.setCol(col::Descripcion);
    g.setCellBackColor(ColorMarca);
    g.setRow(filaActual);
    g.setCol(colActual);
}

void MarcaArticuloInexistente(Grilla& g, int fila) {
    g.setTextMatrix(fila, col::CodError, Inexistente());
    Marca(g, fila);
}

void ArticuloHallado(Grilla& g, int fila) {
    if (fila >= g.FixedRows() && fila < g.Rows() && !g.TextMatrix(fila, col::CodError).isEmpty())
        g.setTextMatrix(fila, col::CodError, QString());
    DesmarcaSiCorrecta(g, fila);
}

void DesmarcaSiCorrecta(Grilla& g, int fila) {
    if (fila < g.FixedRows() || fila >= g.Rows() || g.ColorFondo(fila, col::Descripcion) != ColorMarca)
        return;
    // An emptied line has nothing left to correct.
    const bool vacia = g.TextMatrix(fila, col::CodigoArticulo).trimmed().isEmpty();
    if (!vacia && (ArticuloInexistente(g, fila) || CantidadNoNumero(g, fila)))
        return;
    const int filaActual = g.Row();
    const int colActual = g.Col();
    g.setRow(fila);
    g.setCol(col::Descripcion);
    g.setCellBackColor(0);
    g.setRow(filaActual);
    g.setCol(colActual);
}

std::optional<LineaPendiente> PrimeraPendiente(const Grilla& g) {
    for (int fila = g.FixedRows(); fila < g.Rows(); ++fila) {
        const QString codigo = g.TextMatrix(fila, col::CodigoArticulo).trimmed();
        if (codigo.isEmpty())
            continue; // not a line: the save skips it
        const QString linea = QStringLiteral("La línea %1 (%2)").arg(fila).arg(codigo);
        if (ArticuloInexistente(g, fila))
            return LineaPendiente{fila, col::CodigoArticulo,
                                  linea + QStringLiteral(" tiene un artículo inexistente.") + kCorrija};
        if (CantidadNoNumero(g, fila))
            return LineaPendiente{fila, col::Cantidad,
                                  linea + QStringLiteral(" tiene una cantidad que no es un número (\"") +
                                      g.TextMatrix(fila, col::Cantidad).trimmed() + QStringLiteral("\").") +
                                      kCorrija};
    }
    return std::nullopt;
}

void Aviso::Agrega(const QString& donde, const QString& motivo) {
    ++total_;
    if (listadas_.size() < MaximoListado)
        listadas_ << donde + QStringLiteral(": ") + motivo;
}

QString Aviso::Texto(const QString& encabezado) const {
    QString texto = encabezado;
    for (const QString& l : listadas_)
        texto += QStringLiteral("\r\n") + l;
    if (total_ > listadas_.size())
        texto += QStringLiteral("\r\n... y %1 más.").arg(total_ - listadas_.size());
    return texto;
}

} // namespace LineasMarcadas
