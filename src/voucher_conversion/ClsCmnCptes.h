#pragma once

#include "ClsCmnCptesPosteo.h"

#include <QString>
#include <QtGlobal>

class Grilla;
class Registros;

// The shared voucher class whole: each voucher form holds its own instance. Its layers are
// ClsCmnCptesServicios (voucher_services), ClsCmnCptesLotes (lots_positions) and
// ClsCmnCptesPosteo (stock_posting); this one adds the conversion of an origin voucher.
class ClsCmnCptes : public ClsCmnCptesPosteo {
public:
    // ---- Conversion of an origin voucher (bodies in Conversion.cpp) ----
    // Loads the origin voucher `TC` `SucNroLetra` (complement `IdComplemento`, a number; empty
    // reads as 0) into the tasks, articles and other-concepts grids, converted for the
    // destination type `CpteDestino`: only what is still pending, in the destination's prices and
    // units. Each grid is appended to from its last row and ends with an empty row; a grid with
    // nothing to add is left as it is. `Compras` reads the purchases views and selects the origin
    // by `Proveedor`. `IdRepartoRM` -98 on entry loads a return; on exit it holds the origin's
    // IdReparto (not for a purchases origin). `LetraDestino` "" becomes "A" for FC and for FP from
    // an order. `LrcsCpte`, when given, receives the origin header, open on its row. Errors go to
    // the form error routine as "AsignarDatosPresupuesto": Retry, Ignore (next step) or leave.
    // `Inicializar` is not read.
    void AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                 Grilla& MSFlexGrid1, Grilla& MSFlexGrid2, Grilla& MSFlexGrid3,
                                 bool Inicializar = false, class Registros* LrcsCpte = nullptr,
                                 bool Compras = false, const QString& Proveedor = {},
                                 qint16* IdRepartoRM = nullptr, bool ConvertirMoneda = false,
                                 const QString& WhrTareas = {}, const QString& CpteDestino = {},
                                 QString* LetraDestino = nullptr);
    // The quantity of the article still to deliver on the voucher: ordered (the first row of
    // VT_V_MV_CPTEINSUMOS_CONS2) less delivered (VT_V_MV_Stock_Cons), never below 0; the
    // delivered quantity goes to `Aplicado`. Traps nothing.
    double CantRepartoPend(const QString& TC, const QString& SucNroLetra, const QString& IdArticulo,
                           double& Aplicado);
    // ---- end of conversion ----
};
