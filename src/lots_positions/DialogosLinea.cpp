// The drivers of the line dialogs of ClsCmnCptesLotes: what each sets on its dialog, in which order,
// and what it reads back.

#include "AccesoDatos.h"
#include "ClsCmnCptesLotes.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "FrmCargaLotesySeries.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "Utilidades.h"

namespace {

// The lists (columns 21 and 22) of the grid's rows of the article joined into one list each. The
// row whose two lists are `propiaLotes` and `propiaCantidades`, when given, is left out once: the
// line being edited, whose own earlier take is no other line's.
void JuntaListas(const Grilla& grilla, const QString& articulo, QString& lotes, QString& cantidades,
                 const QString* propiaLotes = nullptr, const QString* propiaCantidades = nullptr) {
    lotes.clear();
    cantidades.clear();
    const auto agrega = [](QString& acumulada, const QString& lista) {
        if (acumulada.isEmpty())
            acumulada = lista;
        else
            acumulada += QStringView(lista).mid(qMin<qsizetype>(1, lista.size()));
    };
    bool omitir = propiaLotes && propiaCantidades;
    for (int fila = 1; fila < grilla.Rows(); ++fila) {
        if (grilla.TextMatrix(fila, col::CodigoArticulo).compare(articulo, Qt::CaseInsensitive) != 0)
            continue;
        const QString filaLotes = grilla.TextMatrix(fila, col::ListaLotes);
        const QString filaCantidades = grilla.TextMatrix(fila, col::ListaCantidades);
        if (omitir && filaLotes == *propiaLotes && filaCantidades == *propiaCantidades) {
            omitir = false;
            continue;
        }
        agrega(lotes, filaLotes);
        agrega(cantidades, filaCantidades);
    }
}

// What the other lines of the article took: the grid's lists without the line's own, which the
// outgoing dialog holds as its earlier lists.
void OtrasLineas(const Grilla& grilla, const QString& articulo, FrmCargaLotesySeries::Entrada& e) {
    JuntaListas(grilla, articulo, e.LotesExistentes, e.SeriesExistentes, &e.Lotes, &e.Series);
}

} // namespace

void ClsCmnCptesLotes::PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt,
                                     const QString& LoteAnt, QString& SerieNvo, QString& LoteNvo, bool Serie,
                                     bool Lote, bool Talle) {
    if (Cantidad == 0) {
        SerieNvo.clear();
        LoteNvo.clear();
        return;
    }
    FrmCargaLotesySeries f;
    FrmCargaLotesySeries::Entrada e;
    EjecutaProtegido(QStringLiteral("PideSerieLote"),
                     {
                         [&] {
                             e.Cantidad = Cantidad;
                             e.modo = FrmCargaLotesySeries::Modo::De(false, Serie, Lote, Talle);
                             e.Articulo = Articulo;
                             e.SeriesAnteriores = SerieAnt;
                             e.LotesAnteriores = LoteAnt;
                         },
                         [&] { f.CargaDatos(e); },
                         [&] { f.lblArticulo.setCaption(Articulo); },
                         [&] { f.Muestra(); },
                         [&] { SerieNvo = f.Devuelto().Series; },
                         [&] { LoteNvo = f.Devuelto().Lotes; },
                     });
}

void ClsCmnCptesLotes::PideSerieLote_Salidas(Grilla& Grilla, const QString& Articulo,
                                             const QString& Descripcion, double& Cantidad,
                                             const QString& SeriesLoteAnt, const QString& CantidadANT,
                                             QString& SeriesLoteNvo, QString& CantidadesNvo, bool Lote,
                                             bool Serie, bool Talle, QString& Deposito, bool MostrarForm) {
    bool seguir = true;
    EjecutaProtegido(QStringLiteral("PideSerieLote"), {
                                                          [&] {
                                                              if (Deposito.isEmpty())
                                                                  Deposito =
                                                                      Cfg(QStringLiteral("DepositoDefault"));
                                                          },
                                                          [&] { seguir = Cantidad != 0; },
                                                      });
    if (!seguir)
        return;
    FrmCargaLotesySeries f;
    FrmCargaLotesySeries::Entrada e;
    EjecutaProtegido(QStringLiteral("PideSerieLote"),
                     {
                         [&] {
                             e.Cantidad = Cantidad;
                             e.Articulo = Articulo;
                             e.modo = FrmCargaLotesySeries::Modo::De(true, Serie, Lote, Talle);
                             e.Deposito = UT().RellenaCodigo(Deposito, 4);
                             e.Lotes = SeriesLoteAnt;
                             e.Series = CantidadANT;
                             e.MostrarForm = MostrarForm;
                         },
                         [&] { OtrasLineas(Grilla, Articulo, e); },
                         [&] { f.CargaDatos(e); },
                         [&] { f.lblArticulo.setCaption(Articulo + QStringLiteral(" - ") + Descripcion); },
                         [&] { f.Muestra(MostrarForm); },
                         [&] { SeriesLoteNvo = f.Devuelto().Lotes; },
                         [&] { CantidadesNvo = f.Devuelto().Series; },
                         [&] { Cantidad = f.Devuelto().Cantidad; },
                     });
}

void ClsCmnCptesLotes::CuentaLotesEnGrilla(Grilla& Grilla, const QString& Articulo, QString& LotesEnGrid,
                                           QString& CantidadesEnGrid) {
    JuntaListas(Grilla, Articulo, LotesEnGrid, CantidadesEnGrid);
}
