#include "ClsCmnCptes.h"
#include "FrmLoteyPosicion.h"
#include "Interaccion.h"

#include <memory>

void ClsCmnCptes::PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double Cantidad,
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
    EjecutaProtegido(QStringLiteral("PideSerieLote"),
                     {
                         [&] {
                             f->Cantidad1 = Cantidad;
                             f->EsConsultaDePosicionLote = !PosicionAnt.isEmpty() || !LoteAnt.isEmpty();
                             f->EsPosicion = Posicion;
                             f->EsLote = Lote;
                             f->IUNIDAD = IdUnidad;
                             f->Articulo = Articulo;
                             f->Deposito = Deposito;
                             f->PosicionesAnteriores = PosicionAnt;
                             f->LotesAnteriores = LoteAnt;
                         },
                         [&] { f->CargaDatos(); },
                         [&] { f->lblArticulo.setCaption(Articulo); },
                         [&] {
                             f->Visible = true;
                             interaccion().MuestraModal(*f);
                         },
                         [&] { PosicionNVO = f->Posiciones; },
                         [&] { LoteNvo = f->Lotes; },
                     });
}
