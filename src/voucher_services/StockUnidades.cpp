// Stock balances of the shared voucher class: by unit, by lot, serial number and position, and in
// an equivalent unit.

#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Registros.h"
#include "Stock.h"
#include "StockInterno.h"
#include "Utilidades.h"

using stock_interno::EsIgnorar;
using stock_interno::SqlBanderasArticulo;
using stock_interno::SqlStockLote;
using stock_interno::SqlStockSeriesLotes;

namespace {

// A flag field of the article (bit on SQL Server, integer here); null is off.
bool Bandera(const QVariant& campo) {
    return UT().TextoADoble(UT().ValorCampo(campo)) != 0;
}

} // namespace

void ClsCmnCptesServicios::ObtieneStockxEquiv(const QString& IdDeposito, const QString& IdArticulo,
                                              const QString& UdBase, const QString& udEquivBuscada,
                                              double& StockUdBase, double& StockEquiv) {
    double saldo = 0;
    ControlStock(IdDeposito, IdArticulo, UdBase, saldo);
    StockUdBase = saldo;
    StockEquiv = udEquivBuscada.trimmed().isEmpty()
                     ? 0.0
                     : ConvierteCantidad(IdArticulo, UdBase, saldo, udEquivBuscada);
}

double ClsCmnCptesServicios::ObtieneStockLOTE(const QString& IdArticulo, const QString& IdDeposito,
                                              const QString& NroLote) {
    double resultado = 0;
    QString sql;
    Registros rs;
    // Reported under the general name, as the suite's forms expect.
    EjecutaProtegido(
        QStringLiteral("ObtieneStock"),
        {[&] { sql = SqlStockLote(IdArticulo, IdDeposito, NroLote); },
         [&] { AD().ObtieneRecordset(sql, rs); },
         [&] { resultado = UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("SaldoStock")))); }});
    return resultado;
}

double ClsCmnCptesServicios::ObtieneStock(const QString& IdArticulo, const QString& IdDeposito,
                                          const QString& NroLote, const QString& NroSerie,
                                          const QString& IdPosicion, const QString& IdUnidad) {
    QString deposito = IdDeposito;
    QString unidad = IdUnidad;
    return ObtieneStock(IdArticulo, deposito, NroLote, NroSerie, IdPosicion, unidad);
}

double ClsCmnCptesServicios::ObtieneStock(const QString& IdArticulo, QString& IdDeposito,
                                          const QString& NroLote, const QString& NroSerie,
                                          const QString& IdPosicion, QString& IdUnidad) {
    const QString rutina = QStringLiteral("ObtieneStock");
    double resultado = 0;

    if (EsIgnorar(NroLote) && EsIgnorar(NroSerie)) {
        // By unit: the default deposit and the article's base unit stand in for "Ignorar".
        EjecutaProtegido(rutina,
                         {[&] {
                              if (EsIgnorar(IdDeposito))
                                  IdDeposito = UT().RellenaCodigo(Cfg(QStringLiteral("DepositoDefault")), 4);
                          },
                          [&] {
                              if (EsIgnorar(IdUnidad)) {
                                  const QVariant base = AD().ObtieneValorTabla(
                                      QStringLiteral("v_ma_articulos"), UT().RellenaCodigo(IdArticulo, 25),
                                      QStringLiteral("IdUnidad"), QStringLiteral("IdArticulo"), 8);
                                  IdUnidad = UT().RellenaCodigo(UT().ValorATexto(base), 4);
                              }
                          },
                          [&] {
                              double saldo = 0;
                              ControlStock(IdDeposito, IdArticulo, IdUnidad, saldo);
                              resultado = saldo;
                          }});
        return resultado;
    }

    // By lot, serial number and position.
    bool usaSerie = false;
    bool usaLote = false;
    QString sql;
    Registros rs;
    EjecutaProtegido(
        rutina,
        {[&] { AD().ObtieneRecordset(SqlBanderasArticulo(IdArticulo), rs); },
         [&] { usaSerie = Bandera(rs.Fields(QStringLiteral("UsaSerie"))); },
         [&] { usaLote = Bandera(rs.Fields(QStringLiteral("UsaLote"))); },
         [&] {
             sql = SqlStockSeriesLotes(IdArticulo, IdDeposito, NroLote, NroSerie, IdPosicion, usaSerie,
                                       usaLote);
         },
         [&] { AD().ObtieneRecordset(sql, rs); },
         [&] { resultado = UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("SaldoStock")))); }});
    return resultado;
}
