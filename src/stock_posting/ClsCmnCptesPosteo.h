#pragma once

#include "ClsCmnCptesLotes.h"

#include "Moneda.h"

#include <QString>
#include <QtGlobal>

class Grilla;
struct Posteo;

// The shared voucher class with what this library adds: the stock posting of a voucher's article
// lines and its accounting entry, with the entry number the instance keeps.
class ClsCmnCptesPosteo : public ClsCmnCptesLotes {
public:
    // ---- Accounting entry of a stock voucher (body in GeneraAsientoStock.cpp) ----
    // The statements (each after CR LF) of the voucher's entry in MV_ASIENTOS: the motive's
    // account for the voucher's total against one line per stock account of the articles
    // (quantity x cost), for the whole grid (`SoloRegistro` 0: INSERTs) or for one row of it
    // (`SoloRegistro` n: an UPDATE adding to the line of the same account and side when the
    // entry already has one). `TipoMov`: 1 delivery note, 2 loan, 3 and 4 transfer, 5
    // purchase-order reception, 99 cost of goods of an invoice (written as a "CMV" voucher
    // with its own number, which comes back in `TC`, `suc`, `Nro` and `letra`), other: by type.
    // The motive, the sides (`EsDebito`) and `Secuencia` (next free sequence) come back too.
    // Empty when no entry is made. Executes nothing; errors reach the caller as ErrorSistema.
    QString GeneraAsientoStock(Grilla& grid, QString& eMotivoStock, QString& TC, QString& suc, QString& Nro,
                               QString& letra, const QString& Fecha, bool& EsDebito, qint16 TipoMov,
                               qint32 SoloRegistro, qint16& Secuencia);
    // The number of the current entry; 0 until the first entry draws one.
    double NroAsientoActual = 0;

    // ---- Stock posting of a voucher (bodies in ActualizaStock.cpp) ----
    // The next automatic lot: one above the highest lot of V_MV_STOCK that starts with a blank
    // (the numeric lots, stored right-aligned), "1" when there is none. Traps nothing.
    QString ObtieneLoteAutomatico();
    // Posts the article lines of `MSFlexGrid2` to V_MV_STOCK: one row per pass, line and lot,
    // serial or size entry of the line's lists (columns 21 and 22). With `GeneraSentenciaSQL`
    // every statement (the purchase order's reception date, the rows, the discharge and the
    // voucher's entry) is appended to `SqlTemp`, each after one CR, for the caller's
    // transaction; otherwise each row runs at once with its line's entry, and a refusal ends
    // the posting (what ran stays). Deposits, motive, origin and `LoteFijo` come back as SQL
    // literals or "NULL"; "ELDELGRID" takes each line's own. `HayError` is set when the
    // posting was refused or left; opens no transaction.
    void ActualizaStock(Grilla& MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                        const QString& IdComplemento, const QString& Fecha, QString& IdDeposito,
                        QString& IdDepositoDestino, QString& IdMotivoStock, QString& TcOrigen,
                        QString& ComprobanteOrigen, bool EsTransferencia, const QString& Cuenta,
                        bool GeneraSentenciaSQL, QString& SqlTemp, bool& HayError, const QString& IdTecnico,
                        QString& LoteFijo, const QString& Aduana, const QString& LoteOrigen,
                        qint16 SignoRemota, bool MuestraCartel, const QString& IdVendedor,
                        float SecuenciaFija, const QString& ArtMoneda, Moneda ArtCotizacion);
    // Whether an SPNL movement derives from the voucher (both texts go into the query as
    // passed). Traps nothing.
    bool TieneSPNL(const QString& Tcp, const QString& IdCptep);
    // ---- end of stock posting ----

private:
    // GeneraAsientoStock, with a value that cannot be posted raised as the posting's own refusal
    // (DatoRechazado), which the posting tells in its words.
    QString AsientoStock(Grilla& grid, QString& eMotivoStock, QString& TC, QString& suc, QString& Nro,
                         QString& letra, const QString& Fecha, bool& EsDebito, qint16 TipoMov,
                         qint32 SoloRegistro, qint16& Secuencia);
    friend QString AsientoDelPosteo(ClsCmnCptesPosteo& cls, Posteo& p, qint32 fila);
    // While a stock posting books its rows' entries one by one: each keeps the number the
    // posting drew at its first booked row (a row 1 booked later draws none of its own).
    bool asientoDelPosteo_ = false;
};
