#pragma once

// The working state of one stock posting (ClsCmnCptes::ActualizaStock) and the steps that read
// it: the movement row, the production-input discharge. Internal to stock_posting.

#include "Moneda.h"
#include "Sentencias.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>

class Grilla;

// The caller's arguments as the posting prepared them, and what one posting keeps between its
// rows. The references are the caller's own variables: what the posting writes into them, the
// caller sees.
struct Posteo {
    Grilla& grid;
    QString TC;
    QString SucNroLetra;
    QString IdComplemento;
    QString Fecha;
    QString& IdDeposito;
    QString& IdDepositoDestino;
    QString& IdMotivoStock;
    QString& TcOrigen;
    QString& ComprobanteOrigen;
    bool EsTransferencia = false;
    QString Cuenta;
    bool GeneraSentenciaSQL = false;
    QString& SqlTemp;
    QString IdTecnico;
    QString& LoteFijo;
    QString Aduana;
    QString LoteOrigen;
    qint16 SignoRemota = 0;
    bool MuestraCartel = false;
    QString IdVendedor;
    QString ArtMoneda;
    Moneda ArtCotizacion;

    // Members of the voucher class read by the rows.
    double piva = 0;
    qint16 lenDesc = 100;

    // Settings, read once.
    bool cargaInsumos = false;
    bool confirmaUDEquiv = false;

    bool compras = false;   // the type's SISTEMA is COMPRAS
    bool esOP = false;      // a production order
    bool tieneSPNL = false; // an SPNL movement derives from it
    // "ELDELGRID" given: each line gives its own value.
    bool marcaTcOrigen = false;
    bool marcaComprobanteOrigen = false;
    bool marcaDeposito = false;
    bool marcaMotivo = false;

    qint16 signo = -1;
    int pasadas = 1;
    int pasada = 1;
    float secuencia = 0;
    qint32 fila = 0;
    qint32 j = 0;
    qint32 elementos = 0; // element count of the row

    // The current element.
    QString nroLote{};
    QString nroSerie{};
    double cantidad = 0;
    bool cantidadPropia = false; // the element brings its own quantity (a lot of several entries)

    bool comodato = false;
    QString cuentaValor{};    // the account as the last row resolved it
    QString depositoOrigen{}; // the deposit of the last pass-1 row
    QString despControlado{}; // the dispatch of the element's lot
    QString despOrigen{};
    qint16 tipoMov = 0;
    // The voucher of the discharged components ("PE"), drawn by the first line with components;
    // both discharges of a transfer go into it.
    QString idDescarga{};
};

// The pairs of the movement row of the current element, in the table's column order. Writes back
// into the grid row (74, 9, 76, 8), into the motive and origin arguments, into gCaja and into the
// posting state. Errors reach the caller.
void ArmaFilaMovimiento(Posteo& p, ParesCampos& pares);

// The SQL forms of a movement row's values: a text literal (the word NULL is the null value), a
// number, and a column of the article's master row (trimmed, empty when null).
QString TextoFila(const QString& v);
QString NumeroFila(const QVariant& v);
QString DatoArticulo(const QString& articulo, const char* columna);

// Yields to the event loop, so that the window and the banner stay alive.
void CedeTurnoPosteo();

// The word that stands for a null value in a row's texts and settings.
inline const QString kNull = QStringLiteral("NULL");

// A setting or a cell equal to `texto`, blanks around it and case aside.
bool Es(const QString& valor, const char* texto);
// A code, trimmed, filled to `ancho`.
QString RellenaRecortado(const QString& codigo, int ancho);
// Appends a column and its value to a row's pairs.
void Agrega(ParesCampos& pares, const char* campo, QString valor);
// Runs a statement of the posting at once: false when the database refused it (its errors stay
// in the connection's list). A failure that reached no database goes to the caller.
bool EjecutaSentenciaPosteo(const QString& sql);

// The discharge voucher got no number (its ranges are used up, which the user was told): the
// posting ends with nothing stored.
struct SinNumeroDescarga {};

// The production-input discharge of the posted lines: statements appended to the batch (or run
// at once in per-line mode). False when a statement run at once was refused: the posting ends on
// its failure exit. Raises SinNumeroDescarga.
bool DescargaInsumos(Posteo& p);
