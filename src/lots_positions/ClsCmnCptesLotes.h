#pragma once

#include "ClsCmnCptesServicios.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

class Grilla;

// The shared voucher class with what this library adds: the lot, serial, size and position lists
// of a voucher line and the line dialogs' drivers.
class ClsCmnCptesLotes : public ClsCmnCptesServicios {
public:
    // ---- Pipe lists of a voucher line (ListaPipe.h; bodies in ListaPipe.cpp) ----
    // Pure functions of their texts; none fails. An array they fill holds the entries, trimmed,
    // and one empty slot at the end, so its last index is the number of entries.

    // The distinct non-blank closed entries (any case), in order of first appearance, each after
    // one blank: "|A|b|a|" gives " A b". Text after the last "|" is no entry.
    static QString StrSerieLote(const QString& Serie_Lote);
    // Splits the list; a last entry without its closing "|" is taken, and a text without any "|"
    // is one entry. Blank entries stay as empty slots.
    static void DescomponeSerieLote(const QString& Serie_Lote, QStringList& arreglo);
    // Splits "position*quantity" entries at their first "*" into positions and quantities (an
    // entry without "*" has an empty quantity; a list without "|" gives none), and the lots list
    // as DescomponeSerieLote does.
    static void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                               QStringList& ArrPosiciones, QStringList& ArrCantidades,
                                               QStringList& ArrLote);
    // The entries of the serials list, or of the lots list when there are no serials; with
    // `SinConsolidar` false only the distinct non-blank ones (any case).
    static qint32 Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes,
                                      bool SinConsolidar);
    // Removes the end markers from both lists (in the caller's variables) and gives the lot of the
    // first quantity above zero; "" when there is none.
    static QString ExtraeSerieLoteConValor(QString& Serie, QString& Lote);
    // Entry `QuePosicion` (from 1), untrimmed; "" out of range. Text after the last "|" is no
    // entry, except in a text without "|", which is entry 1. Reading every entry of a list in
    // turn costs one pass over it.
    static QString ExtraeSerieLote(const QString& Serie_Lote, qint32 QuePosicion);
    // The number of entries DescomponeSerieLote finds; 0 for "".
    static qint32 Cantidad_Series_Lotes(const QString& Pipes);
    // The list with the end marker before every closing "|"; its first character is taken to be
    // the opening "|". "" gives "|".
    static QString InsertaCHR255(const QString& iPipe);

    // ---- Line dialog drivers (bodies in DialogosLinea.cpp) ----
    // Each asks the user through a fresh dialog and brings its lists back. Errors go to the
    // central error handler as "PideSerieLote" (retry, next step or leave with the outputs as far
    // as they were set).

    // The lots or serial numbers a line brings in: with `Cantidad` 0 both results are empty and
    // no dialog is shown; otherwise the dialog is loaded with the earlier lists and shown.
    static void PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt,
                              const QString& LoteAnt, QString& SerieNvo, QString& LoteNvo, bool Serie,
                              bool Lote, bool Talle);
    // The lots and serial numbers a line takes out of the deposit's stock, less what the other
    // rows of `Grilla` of the article took. An empty `Deposito` becomes the default deposit (in
    // the caller's variable too); with `Cantidad` 0 nothing more happens. With `MostrarForm`
    // false the dialog's proposal is accepted without showing it. `Cantidad` may come back
    // adjusted to what the user chose.
    static void PideSerieLote_Salidas(Grilla& Grilla, const QString& Articulo, const QString& Descripcion,
                                      double& Cantidad, const QString& SeriesLoteAnt,
                                      const QString& CantidadANT, QString& SeriesLoteNvo,
                                      QString& CantidadesNvo, bool Lote, bool Serie, bool Talle,
                                      QString& Deposito, bool MostrarForm);
    // The lists (columns 21 and 22) of every row of the articles grid whose code (column 0)
    // equals `Articulo` (any case), joined into one list each.
    static void CuentaLotesEnGrilla(Grilla& Grilla, const QString& Articulo, QString& LotesEnGrid,
                                    QString& CantidadesEnGrid);
    // ---- end of line dialog drivers ----

    // The number (from 1) of the first closed entry equal to the value (trimmed, any case); the
    // number of entries plus 1 when none is; 0 for a text without "|".
    static qint32 Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote);
    // ---- end of pipe lists ----

    // ---- Positions of a voucher line (body in PidePosicionLote.cpp) ----
    // Asks the user to spread `Cantidad` (in `IdUnidad`) of the article over the positions, and
    // with `Lote` the lots, of the deposit, showing the earlier distribution when one is given.
    // `PosicionNVO` gets the "position*quantity" list and `LoteNvo` the parallel lots; a quantity
    // of 0 gives two empty lists and no dialog. Errors go to the central error handler as
    // "PideSerieLote".
    void PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double Cantidad,
                          const QString& Deposito, const QString& PosicionAnt, const QString& LoteAnt,
                          QString& PosicionNVO, QString& LoteNvo, bool Posicion, bool Lote) const;
};
