// Grid painting and the duplicate-line checks of the shared voucher class.

#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Utilidades.h"

#include <cmath>

namespace {

// Column 0 holds the code of a line in every voucher grid (task, article or other concept).
constexpr int ColumnaCodigo = col::CodigoArticulo;

bool MismoCodigo(const QString& celda, const QString& codigo) {
    return celda.trimmed().compare(codigo.trimmed(), Qt::CaseInsensitive) == 0;
}

// The first line from row 1 on, other than `filaIgnorar`, whose code is `codigo`.
bool BuscaRepetido(const Grilla& grilla, const QString& codigo, qint32 filaIgnorar, qint32* filaEncontrada) {
    for (int fila = 1; fila < grilla.Rows(); ++fila) {
        if (fila == filaIgnorar)
            continue;
        if (MismoCodigo(grilla.TextMatrix(fila, ColumnaCodigo), codigo)) {
            if (filaEncontrada)
                *filaEncontrada = fila;
            return true;
        }
    }
    return false;
}

} // namespace

void ClsCmnCptesServicios::PintarFila(qint32 Fila, Grilla& MsFlexGrid, qint32 Color) {
    const int columna = MsFlexGrid.Col();
    for (int c = 0; c < MsFlexGrid.Cols(); ++c) {
        MsFlexGrid.setCol(c);
        MsFlexGrid.setRow(Fila);
        MsFlexGrid.setCellBackColor(Color);
    }
    MsFlexGrid.setCol(columna);
}

void ClsCmnCptesServicios::PintarColuma(qint32 Columna, Grilla& MsFlexGrid, qint32 FilaDesde,
                                        qint32 FilaHasta, qint32 Color) {
    // Every statement that fails is skipped: painting is never worth an error.
    int fila = 0;
    int primera = 0;
    int ultima = -1;
    EjecutaPasos({[&] { fila = MsFlexGrid.Row(); }, [&] { primera = FilaDesde == -1 ? 0 : FilaDesde; },
                  [&] { ultima = FilaHasta == -1 ? MsFlexGrid.Rows() - 1 : FilaHasta; }},
                 SiempreSiguiente);
    for (int r = primera; r <= ultima; ++r) {
        EjecutaPasos({[&] { MsFlexGrid.setCol(Columna); }, [&] { MsFlexGrid.setRow(r); },
                      [&] { MsFlexGrid.setCellBackColor(Color); }},
                     SiempreSiguiente);
    }
    EjecutaPasos({[&] { MsFlexGrid.setRow(fila); }}, SiempreSiguiente);
}

bool ClsCmnCptesServicios::ExisteEnGrid(const Grilla& MsFlexGrid, const QString& idArt) const {
    // The title row is searched too.
    for (int fila = 0; fila < MsFlexGrid.Rows(); ++fila) {
        if (MismoCodigo(MsFlexGrid.TextMatrix(fila, ColumnaCodigo), idArt))
            return true;
    }
    return false;
}

bool ClsCmnCptesServicios::TareaRepetida(const Grilla& MSFlexGrid1, const QString& Tarea, qint32 FilaIgnorar,
                                         qint32* FilaEncontrada) const {
    return BuscaRepetido(MSFlexGrid1, Tarea, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptesServicios::ArticuloRepetido(const Grilla& MSFlexGrid2, const QString& Articulo,
                                            qint32 FilaIgnorar, qint32* FilaEncontrada) const {
    return BuscaRepetido(MSFlexGrid2, Articulo, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptesServicios::OtrosConceptosRepetidos(const Grilla& MSFlexGrid3, const QString& OtroConcepto,
                                                   qint32 FilaIgnorar, qint32* FilaEncontrada) const {
    return BuscaRepetido(MSFlexGrid3, OtroConcepto, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptesServicios::NumeroEsFraccion(const QVariant& Numero) const {
    // Compared with its nearest whole number in floating point: no value is too large to test.
    const double v = UT().TextoADoble(UT().ValorATexto(Numero));
    return v != std::nearbyint(v);
}
