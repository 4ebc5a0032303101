// The drivers of the line dialogs of ClsCmnCptes: what each sets on its dialog, in which order,
// and what it reads back.

#include "AccesoDatos.h"
#include "ClsCmnCptes.h"
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
void OtrasLineas(const Grilla& grilla, const QString& articulo, FrmCargaLotesySeries& f) {
    JuntaListas(grilla, articulo, f.LotesExistentes, f.SeriesExistentes, &f.Lotes, &f.Series);
}

} // namespace

void ClsCmnCptes::PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt,
                                const QString& LoteAnt, QString& SerieNvo, QString& LoteNvo, bool Serie,
                                bool Lote, bool Talle) {
    if (Cantidad == 0) {
        SerieNvo.clear();
        LoteNvo.clear();
        return;
    }
    FrmCargaLotesySeries f;
    EjecutaProtegido(QStringLiteral("PideSerieLote"), {
                                                          [&] { f.Form_Load(); },
                                                          [&] {
                                                              f.Cantidad = Cantidad;
                                                              f.EsSerie = Serie;
                                                              f.EsLote = Lote;
                                                              f.EsTalle = Talle;
                                                              f.Articulo = Articulo;
                                                              f.SeriesAnteriores = SerieAnt;
                                                              f.LotesAnteriores = LoteAnt;
                                                          },
                                                          [&] { f.CargaDatos(); },
                                                          [&] { f.lblArticulo.setCaption(Articulo); },
                                                          [&] {
                                                              f.Visible = true;
                                                              interaccion().MuestraModal(f);
                                                          },
                                                          [&] { SerieNvo = f.Series; },
                                                          [&] { LoteNvo = f.Lotes; },
                                                      });
}

void ClsCmnCptes::PideSerieLote_Salidas(Grilla& Grilla, const QString& Articulo, const QString& Descripcion,
                                        double& Cantidad, const QString& SeriesLoteAnt,
                                        const QString& CantidadANT, QString& SeriesLoteNvo,
                                        QString& CantidadesNvo, bool Lote, bool Serie, bool Talle,
                                        QString& Deposito, bool MostrarForm) {
    FrmCargaLotesySeries f;
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
    EjecutaProtegido(QStringLiteral("PideSerieLote"),
                     {
                         [&] { f.Form_Load(); },
                         [&] {
                             f.Cantidad = Cantidad;
                             f.Articulo = Articulo;
                             f.EsConsultaDeSerieLote = true;
                             f.EsLote = Lote;
                             f.EsSerie = Serie;
                             f.EsTalle = Talle;
                             f.Deposito = UT().RellenaCodigo(Deposito, 4);
                             f.Lotes = SeriesLoteAnt;
                             f.Series = CantidadANT;
                         },
                         [&] { OtrasLineas(Grilla, Articulo, f); },
                         [&] { f.CargaDatos(); },
                         [&] { f.lblArticulo.setCaption(Articulo + QStringLiteral(" - ") + Descripcion); },
                         [&] { f.MostrarForm = MostrarForm; },
                         [&] {
                             if (MostrarForm) {
                                 f.Visible = true;
                                 interaccion().MuestraModal(f);
                             } else {
                                 f.CmdAceptar_Click();
                             }
                         },
                         [&] { SeriesLoteNvo = f.Lotes; },
                         [&] { CantidadesNvo = f.Series; },
                         [&] { Cantidad = f.Cantidad; },
                     });
}

void ClsCmnCptes::CuentaLotesEnGrilla(Grilla& Grilla, const QString& Articulo, QString& LotesEnGrid,
                                      QString& CantidadesEnGrid) {
    JuntaListas(Grilla, Articulo, LotesEnGrid, CantidadesEnGrid);
}
