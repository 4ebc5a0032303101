#include "AccesoDatos.h"
#include "Globales.h"
#include "Registros.h"
#include "Stock.h"
#include "StockInterno.h"
#include "Utilidades.h"

using namespace stock_interno;

namespace {

// A text in a fixed field: left-aligned, filled with blanks, cut to the width.
QString Fijo(const QString& texto, qsizetype ancho) {
    return texto.leftJustified(ancho, QLatin1Char(' '), true);
}

// Quantities compared as the voucher keeps them, at four decimals, so that a sum of lots that
// meets the request in decimal terms is not taken to miss it by a binary rounding.
bool Supera(double a, double b) {
    return Moneda::DeDoble(a) > Moneda::DeDoble(b);
}

QString Texto(const Registros& rs, const char* campo) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(QLatin1String(campo))));
}

double Numero(const Registros& rs, const char* campo) {
    return UT().TextoADoble(UT().ValorCampo(rs.Fields(QLatin1String(campo))));
}

} // namespace

void ItemCantidad::AsignaCodigo(const QString& codigo) {
    Codigo = Fijo(codigo, 25);
}

void ItemCantidad::AsignaUnidad(const QString& unidad) {
    Unidad = Fijo(unidad, 4);
}

namespace stock_interno {

QString SqlLotesConStock(const QString& articulo, const QString& deposito) {
    return "SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = " +
           Literal(UT().RellenaCodigo(articulo, 25)) +
           " AND CANTIDAD > 0  AND IDDEPOSITO = " + UT().RellenaCodigo(deposito, 4) +
           " and not nrolote is null ORDER BY NROLOTE";
}

QString SqlInsumos(const QString& articulo) {
    return "SELECT * FROM V_MA_INSUMOS  with(nolock)  WHERE IDARTICULO = " +
           Literal(UT().RellenaCodigo(articulo, 25));
}

} // namespace stock_interno

bool ArticuloTieneLotes(const QString& articulo, const QString& deposito, ListaItems& lista, double pedido) {
    if (deposito.compare(QLatin1String("ELDELGRID"), Qt::CaseInsensitive) == 0)
        return false;
    const QString rutina = QStringLiteral("ArticuloTieneLotes");
    bool resultado = false;
    double tomado = 0;
    Registros rs;
    const bool abierto =
        Protegido(rutina, {[&] { AD().ObtieneRecordset(SqlLotesConStock(articulo, deposito), rs); },
                           [&] {
                               lista.assign(1, ItemCantidad{});
                               resultado = !rs.Eof();
                           }});
    bool fin = !abierto;
    while (!fin && rs.State() == 1 && !rs.Eof()) {
        const bool seguir = Protegido(rutina, {[&] {
                                                   ItemCantidad& item = lista.back();
                                                   item.AsignaCodigo(Texto(rs, "NROLOTE"));
                                                   item.AsignaUnidad(QString());
                                                   const double q = Numero(rs, "CANTIDAD");
                                                   if (Supera(tomado + q, pedido)) {
                                                       // The lot that passes the request gives
                                                       // only what is still missing.
                                                       item.Cantidad = pedido - tomado;
                                                       tomado = pedido;
                                                       fin = true;
                                                       return;
                                                   }
                                                   item.Cantidad = q;
                                                   tomado += q;
                                                   lista.emplace_back();
                                               },
                                               [&] {
                                                   if (!fin)
                                                       rs.MoveNext();
                                               }});
        fin = fin || !seguir;
    }
    if (abierto && Supera(pedido, tomado)) {
        ItemCantidad falta;
        falta.AsignaCodigo(QString());
        falta.AsignaUnidad(QString());
        falta.Cantidad = pedido - tomado;
        lista.push_back(falta);
    }
    AD().CierraRecordset(rs);
    return resultado;
}

bool IdArticuloTieneInsumos(const QString& articulo, ListaItems& lista, bool soloPrueba) {
    const QString rutina = QStringLiteral("IdArticuloTieneInsumos");
    bool resultado = false;
    Registros rs;
    bool sigue = Protegido(rutina, {[&] { AD().ObtieneRecordset(SqlInsumos(articulo), rs); },
                                    [&] {
                                        lista.assign(1, ItemCantidad{});
                                        resultado = !rs.Eof();
                                    }});
    sigue = sigue && !soloPrueba;
    while (sigue && rs.State() == 1 && !rs.Eof()) {
        sigue = Protegido(rutina, {[&] {
                                       ItemCantidad& item = lista.back();
                                       item.AsignaCodigo(Texto(rs, "IdArticuloInsumo"));
                                       item.AsignaUnidad(Texto(rs, "IdUnidadInsumo"));
                                       item.Cantidad = Numero(rs, "Cantidad");
                                       lista.emplace_back();
                                   },
                                   [&] { rs.MoveNext(); }});
    }
    AD().CierraRecordset(rs);
    return resultado;
}
