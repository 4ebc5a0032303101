#include "AccesoDatos.h"
#include "Globales.h"
#include "StockInterno.h"
#include "Utilidades.h"

#include <QVariant>

namespace stock_interno {

namespace {

// A dimension that restricts the balance: neither "Ignorar" nor blank.
bool Restringe(const QString& valor) {
    return !EsIgnorar(valor) && !valor.trimmed().isEmpty();
}

QString Codigo(const QString& codigo, int ancho) {
    return Literal(UT().RellenaCodigo(codigo, ancho));
}

} // namespace

bool Protegido(const QString& rutina, std::initializer_list<Paso> pasos) {
    return EjecutaPasos(pasos, [&rutina](const ErrorSistema& e) { return AD().GestionaError(e, rutina); });
}

QString Literal(const QString& texto) {
    return AD().FormateaValorSQL(QVariant(texto), QStringLiteral("'"));
}

bool EsIgnorar(const QString& valor) {
    return valor.compare(QLatin1String("Ignorar"), Qt::CaseInsensitive) == 0;
}

QString SqlControlStock(const QString& deposito, const QString& articulo, const QString& unidad,
                        bool usaUdKg) {
    if (usaUdKg)
        return "SELECT CantidadUd AS STOCK FROM STK_STOCK_UDKG with(nolock) WHERE IDARTICULO = " +
               Codigo(articulo, 25) + " AND IDDEPOSITO = " + Codigo(deposito, 4);
    if (!deposito.trimmed().isEmpty())
        return "SELECT STOCK AS STOCK FROM STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO = " +
               Codigo(articulo, 25) + " AND EQUIVALENCIA = " + Codigo(unidad, 4) +
               " AND IDDEPOSITO = " + Codigo(deposito, 4);
    return "SELECT SUM(STOCK) AS STOCK  FROM STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO = " +
           Codigo(articulo, 25) + " AND EQUIVALENCIA = " + Codigo(unidad, 4) + " ";
}

QString SqlUnidadArticulo(const QString& articulo) {
    return "SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = " + Codigo(articulo, 25);
}

QString SqlEquivalencia(const QString& articulo, const QString& desde, const QString& hacia) {
    return "SELECT * FROM  S_TA_EQUIV  with(nolock)  WHERE IdArticulo = " + Codigo(articulo, 25) +
           " AND IDUNIDAD = " + Codigo(desde, 4) + " AND IDUNIDAD_EQUIV = " + Codigo(hacia, 4);
}

QString SqlBanderasArticulo(const QString& articulo) {
    return "SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = " + Codigo(articulo, 25) + " ";
}

QString SqlStockSeriesLotes(const QString& articulo, const QString& deposito, const QString& lote,
                            const QString& serie, const QString& posicion, bool usaSerie, bool usaLote) {
    QString sql = " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = " +
                  Codigo(articulo, 25);
    if (Restringe(deposito))
        sql += " AND IdDeposito = " + Codigo(deposito, 4) + " ";
    if (Restringe(lote))
        sql += " AND NroLote = " + Codigo(lote, 25) + " ";
    if (Restringe(serie))
        sql += " AND NroSerie = " + Codigo(serie, 25) + " ";
    if (Restringe(posicion))
        sql += " AND IdPosicion = " + Codigo(posicion, 15) + " ";
    // An article kept by one kind only never counts rows of the other kind.
    if (usaSerie && !usaLote)
        sql += QLatin1String(" AND NroLote is NULL ");
    if (usaLote && !usaSerie)
        sql += QLatin1String(" AND NroSerie is NULL ");
    return sql;
}

QString SqlStockLote(const QString& articulo, const QString& deposito, const QString& lote) {
    QString sql = " SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = " +
                  Codigo(articulo, 25) + " AND IdDeposito = " + Codigo(deposito, 4) + " ";
    if (lote.trimmed().isEmpty())
        sql += QLatin1String(" AND (NroLote = '' OR NROLOTE IS NULL)");
    else
        sql += " AND NroLote = " + Codigo(lote, 25) + " ";
    return sql;
}

QString SqlLineasComprobante(const QString& TC, const QString& letra) {
    // Type and letter go in as the caller holds them.
    return "SELECT CANTLINEAS FROM TA_CONFIG_IMP_CPTE WHERE TC=" + Literal(TC) +
           " AND LETRA=" + Literal(letra) + " ORDER BY ID";
}

} // namespace stock_interno
