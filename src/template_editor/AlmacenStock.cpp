#include "AlmacenStock.h"

#include "AccesoDatos.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "TextoCampo.h"
#include "Utilidades.h"

namespace {

// An IN list holds at most this many codes.
constexpr int kPorLista = 500;

QString Literal(const QString& texto) {
    return AD().FormateaValorSQL(texto, QStringLiteral("'"));
}

void Abre(const QString& sql, Registros& rs) {
    AD().ObtieneRecordset(sql, rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
}

// The positive balances of a deposit, after their SELECT.
QString SaldosPositivos(const QString& deposito) {
    return QStringLiteral(" FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = ") + Literal(deposito) +
           QStringLiteral(" AND stock >0");
}

// The balances of a read, by article and unit.
void TomaSaldos(const QString& sql, AlmacenStock::Saldos& saldos) {
    Registros rs;
    Abre(sql, rs);
    for (; !rs.Eof(); rs.MoveNext())
        saldos.insert(AlmacenStock::ClaveSaldo(TextoCampo(rs, "IDARTICULO"), TextoCampo(rs, "EQUIVALENCIA")),
                      UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("STOCK")))));
    AD().CierraRecordset(rs);
}

} // namespace

QString AlmacenStock::ClaveSaldo(const QString& articulo, const QString& unidad) {
    return ClaveTexto(articulo) + QLatin1Char('|') + ClaveTexto(unidad);
}

QStringList AlmacenStock::ListasIn(const QStringList& codigos) {
    QStringList listas;
    QString lista;
    int enLista = 0;
    for (const QString& codigo : codigos) {
        lista += (enLista == 0 ? QStringLiteral("(") : QStringLiteral(",")) + Literal(codigo);
        if (++enLista == kPorLista) {
            listas.append(lista + QLatin1Char(')'));
            lista.clear();
            enLista = 0;
        }
    }
    if (enLista > 0)
        listas.append(lista + QLatin1Char(')'));
    return listas;
}

void AlmacenStock::LeeSaldos(const QString& deposito, const QString& lista, Saldos& saldos) {
    TomaSaldos(QStringLiteral("SELECT IDARTICULO, EQUIVALENCIA, STOCK FROM STK_SALDOS_UNIDADES with(nolock) "
                              "WHERE IDDEPOSITO = ") +
                   Literal(deposito) + QStringLiteral(" AND IDARTICULO IN ") + lista,
               saldos);
}

void AlmacenStock::LeeSaldosTotales(const QString& lista, Saldos& saldos) {
    TomaSaldos(QStringLiteral("SELECT IDARTICULO, EQUIVALENCIA, SUM(STOCK) AS STOCK FROM "
                              "STK_SALDOS_UNIDADES with(nolock) WHERE IDARTICULO IN ") +
                   lista + QStringLiteral(" GROUP BY IDARTICULO, EQUIVALENCIA"),
               saldos);
}

void AlmacenStock::LeeMinimosMaximos(const QString& deposito, const QString& lista, MinimosMaximos& mm) {
    Registros rs;
    Abre(QStringLiteral("SELECT IDARTICULO, MINIMO, MAXIMO FROM @ADMIN_V_TA_DEPOSITO_MM with(nolock) WHERE "
                        "IDDEPOSITO = ") +
             Literal(deposito) + QStringLiteral(" AND IDARTICULO IN ") + lista,
         rs);
    for (; !rs.Eof(); rs.MoveNext())
        mm.insert(ClaveTexto(TextoCampo(rs, "IDARTICULO")),
                  {UT().TextoAMoneda(rs.Fields(QStringLiteral("Minimo"))),
                   UT().TextoAMoneda(rs.Fields(QStringLiteral("Maximo")))});
    AD().CierraRecordset(rs);
}

QString AlmacenStock::SentenciaStockMinimoMaximo(const QString& articulo, const QString& deposito) {
    return QStringLiteral("select * from @ADMIN_V_TA_DEPOSITO_MM  with(nolock) where idarticulo = ") +
           Literal(articulo) + QStringLiteral(" and iddeposito = ") + Literal(deposito);
}

QString AlmacenStock::CondicionPuntoPedido(const QString& articulo, const QString& deposito) {
    return QStringLiteral(" idarticulo = ") + Literal(articulo) + QStringLiteral(" and deposito = ") +
           Literal(deposito);
}

bool AlmacenStock::MinimoMaximo(const QString& articulo, const QString& deposito, Moneda& minimo,
                                Moneda& maximo) {
    Registros rs;
    Abre(SentenciaStockMinimoMaximo(articulo, deposito), rs);
    const bool hay = !rs.Eof();
    if (hay) {
        minimo = UT().TextoAMoneda(rs.Fields(QStringLiteral("Minimo")));
        maximo = UT().TextoAMoneda(rs.Fields(QStringLiteral("Maximo")));
    }
    AD().CierraRecordset(rs);
    return hay;
}

void AlmacenStock::PuntoPedido(const QString& articulo, const QString& deposito, Moneda& stock,
                               Moneda& punto) {
    const QString condicion = CondicionPuntoPedido(articulo, deposito);
    const auto valor = [&](const char* campo) {
        return UT().TextoAMoneda(
            AD().ObtieneValorTabla(QStringLiteral("stk_ma_articulos"), articulo, QString::fromLatin1(campo),
                                   QStringLiteral("Idarticulo"), 8, condicion, true, false));
    };
    stock = valor("Stock");
    punto = valor("PuntoPedido");
}

void AlmacenStock::AbreArticulosConSaldo(const QString& deposito, Registros& rs) {
    Abre(QStringLiteral("SELECT * FROM V_MA_ARTICULOS with(nolock) WHERE IDARTICULO IN "
                        "(SELECT IDARTICULO FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = ") +
             Literal(deposito) + QStringLiteral(" AND stock >0)"),
         rs);
}

void AlmacenStock::AbreArticuloDeSaldo(const QString& relleno, Registros& rs) {
    Abre(QStringLiteral("SELECT * FROM V_MA_ARTICULOS with(nolock) WHERE IDARTICULO = ") + Literal(relleno),
         rs);
}

void AlmacenStock::AbreSaldosPositivos(const QString& deposito, Registros& rs) {
    Abre(QStringLiteral("SELECT *") + SaldosPositivos(deposito), rs);
}

void AlmacenStock::AbreArticulo(const QString& codigo, Registros& rs) {
    Abre(QStringLiteral("SELECT * FROM V_MA_ARTICULOS  with(nolock) WHERE IDARTICULO = ") +
             Literal(UT().RellenaCodigo(codigo.trimmed(), 25)),
         rs);
}

QString AlmacenStock::SentenciaConsultaDepositos() {
    return QStringLiteral("SELECT DESCRIPCION, IDDEPOSITO FROM @ADMIN_V_TA_DEPOSITO ORDER BY DESCRIPCION");
}

bool AlmacenStock::TransferenciaAplicada(const QString& numero) {
    // Both types are stored filled to 4, as every voucher type is: the bare codes find no row.
    const QString transferencia = UT().RellenaCodigo(QStringLiteral("TR"), 4);
    const QString viaje = UT().RellenaCodigo(QStringLiteral("VJ"), 4);
    return AD().ExisteRegistro(
        QStringLiteral("MV_APLICACION"), transferencia, QStringLiteral("TC"), nullptr, 8,
        QStringLiteral("TC=") + Literal(transferencia) + QStringLiteral(" AND IDCOMPROBANTE = ") +
            Literal(numero) + QStringLiteral(" AND TCO_ORIGEN = ") + Literal(viaje));
}
