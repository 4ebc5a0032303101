#include "ClsCmnCptesLotes.h"
#include "FrmLoteyPosicion.h"
#include "Interaccion.h"

#include <memory>

void ClsCmnCptesLotes::PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double Cantidad,
                                        const QString& Deposito, const QString& PosicionAnt,
                                        const QString& LoteAnt, QString& PosicionNVO, QString& LoteNvo,
                                        bool Posicion, bool Lote) const {
    if (Cantidad == 0) {
        PosicionNVO.clear();
        LoteNvo.clear();
        return;
    }
    // A fresh dialog per call: nothing of an earlier line survives.
    auto f = std::make_unique<FrmLoteyPosicion>();
    FrmLoteyPosicion::Entrada e;
    EjecutaProtegido(QStringLiteral("PideSerieLote"), {
                                                          [&] {
                                                              e.Cantidad1 = Cantidad;
                                                              e.modo =
                                                                  FrmLoteyPosicion::ModoDe(Posicion, Lote);
                                                              e.IUNIDAD = IdUnidad;
                                                              e.Articulo = Articulo;
                                                              e.Deposito = Deposito;
                                                              e.PosicionesAnteriores = PosicionAnt;
                                                              e.LotesAnteriores = LoteAnt;
                                                          },
                                                          [&] { f->CargaDatos(e); },
                                                          [&] { f->lblArticulo.setCaption(Articulo); },
                                                          [&] { f->Muestra(); },
                                                          [&] { PosicionNVO = f->Devuelto().Posiciones; },
                                                          [&] { LoteNvo = f->Devuelto().Lotes; },
                                                      });
}
