#pragma once

#include "Moneda.h"

#include <QString>
#include <vector>

class Grilla;

// The stock module: balances by unit and the units and equivalences of articles.
//
// Codes are filled to their width (article 25, unit and deposit 4) before they enter SQL.
// Arguments that the system passes by reference and writes back are non-const references here;
// each such function also takes its texts by const reference, so an expression can be passed
// (its written-back value is then dropped, as for an expression passed by reference).

// The word that, passed as a deposit, lot, serial number, position or unit to the stock queries,
// leaves that dimension out of the balance.
inline const QString TextoIgnorar = QStringLiteral("Ignorar");

// ---- Balances ----

// The balance of the article in the unit and deposit (all deposits when the deposit is blank),
// or its unit count in STK_STOCK_UDKG when the USA_STK_STOCK_UDKG flag is on. A blank article
// returns at once and leaves `saldo` as the caller had it; so does a failure the user leaves.
// Errors go to the central handler as "ControlStock".
void ControlStock(const QString& deposito, const QString& articulo, const QString& unidad, double& saldo);

// ---- Units and equivalences ----

// The article's base unit (IDUNIDAD of V_MA_ARTICULOS), trimmed. Raises when the article does
// not exist.
QString ObtieneUnidadArticulo(const QString& articulo);

// Looks up the equivalence between `origen` (the article's base unit when empty, written back)
// and `destino`: a row from `origen` to `destino` gives `operador` "/", a row the other way "*",
// both with its coefficient. A coefficient of 0 is no equivalence. `sinUnidad` is set when the
// article has no unit to start from. `operador` is left alone when nothing is found. Errors go to
// the central handler as "IdArticuloTieneEquivalencias".
bool IdArticuloTieneEquivalencias(const QString& articulo, const QString& destino, QString& operador,
                                  QString& origen, double& coeficiente, bool& sinUnidad);

// While an instance lives, the article base units and equivalence coefficients read from the
// database are kept, so that a long load (a voucher conversion) asks once per article and pair
// of units. Only for work during which the article master and S_TA_EQUIV do not change.
class MemoriaEquivalencias {
public:
    MemoriaEquivalencias();
    ~MemoriaEquivalencias();
    MemoriaEquivalencias(const MemoriaEquivalencias&) = delete;
    MemoriaEquivalencias& operator=(const MemoriaEquivalencias&) = delete;
    struct Datos;

private:
    Datos* anterior_;
};

// The quantity in `origen` (the base unit when empty, written back) expressed in `destino`,
// rounded to 4 decimals half to even; 0 when there is no equivalence. Units equal without regard
// to case and blanks give the quantity back unchanged.
double ConvierteCantidad(const QString& articulo, QString& origen, double cantidad, const QString& destino);
double ConvierteCantidad(const QString& articulo, const QString& origen, double cantidad,
                         const QString& destino);

// Undoes ConvierteCantidad(articulo, unidadA, ..., unidadB): a quantity in `unidadB` expressed
// in `unidadA`, unrounded; unchanged when there is no equivalence.
double ConvierteCantidadInversa(const QString& articulo, QString& unidadA, double cantidad,
                                const QString& unidadB);
double ConvierteCantidadInversa(const QString& articulo, const QString& unidadA, double cantidad,
                                const QString& unidadB);

// An amount per unit moved to the other unit of an equivalence: "*" multiplies, "/" divides (the
// opposite of the quantity), any other operator gives 0. A zero amount or coefficient comes back
// unchanged.
Moneda ConvierteImporte(Moneda importe, const QString& operador, double coeficiente);

// Refreshes the cubic-metre, package and kilogram quantities (columns CantidadM3, CantidadBultos,
// CantidadKg) of the articles grid's current row from its article, unit and quantity. The
// package column is kept when the line asks for its equivalence (PideEquivalencia "-1").
void RecalculaCantidadesGrilla(Grilla& grilla);

// ---- Lots with stock and production inputs ----

// One element of the lists the stock posting reads: a lot or component article (25 characters)
// and a unit (4 characters), left-aligned, filled with blanks and cut to their width, and a
// quantity. An element added but never filled holds fill characters (U+0000) in both texts.
struct ItemCantidad {
    QString Codigo = QString(25, QChar(0));
    QString Unidad = QString(4, QChar(0));
    double Cantidad = 0;
    void AsignaCodigo(const QString& codigo);
    void AsignaUnidad(const QString& unidad);
};
using ListaItems = std::vector<ItemCantidad>;

// Spreads `pedido` over the article's lots with stock in the deposit, lowest lot number first:
// whole lots while they fit, then the part still needed of the next one. Every lot taken whole
// is followed by an unfilled element; when the lots fall short, one more element with a blank
// code carries what is missing. `deposito` is an SQL literal ('   1'), NULL, or the marker
// "ELDELGRID", which returns false at once and leaves the list alone. True when the article has
// a lot with stock there. Quantities are compared at four decimals. Errors go to the central
// handler as "ArticuloTieneLotes".
bool ArticuloTieneLotes(const QString& articulo, const QString& deposito, ListaItems& lista, double pedido);

// The components of the article (V_MA_INSUMOS) with their unit and quantity per unit, the list
// ending with one unfilled element; with `soloPrueba` the list keeps its one unfilled element.
// True when the article has components. Errors go to the central handler as
// "IdArticuloTieneInsumos".
bool IdArticuloTieneInsumos(const QString& articulo, ListaItems& lista, bool soloPrueba);

// ---- Text import ----

// The site's import layout (setting ImportaMov, read through Cfg): the layout text, its fields
// ("CDC", "CC" or "C") and its separator (FormatoImportacionDe in Importacion.h).
void ObtieneFormatoImportacion(QString& Formato, QString& Campos, QString& Separador);
