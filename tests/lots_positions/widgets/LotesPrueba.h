#pragma once

#include "AccesoDatos.h"
#include "FrmCargaLotesySeries.h"
#include "Globales.h"

// The outgoing lot dialog of the widget tests: `articulo` with lots LA (5) and LB (10) in
// deposit 1, stored on the demo database, for 8 (proposed as 5 of LA and 3 of LB).
inline FrmCargaLotesySeries::Entrada SalidaDeDosLotes(const QString& articulo) {
    AD().EjecutaSQL(
        QStringLiteral("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, CANTIDAD) "
                       "VALUES ('%1', '   1', 'LA', 5), ('%1', '   1', 'LB', 10)")
            .arg(articulo.leftJustified(25)));
    using Modo = FrmCargaLotesySeries::Modo;
    FrmCargaLotesySeries::Entrada e;
    e.Cantidad = 8;
    e.Articulo = articulo;
    e.modo = Modo(Modo::Egreso, Modo::Lote);
    e.Deposito = QStringLiteral("   1");
    return e;
}
