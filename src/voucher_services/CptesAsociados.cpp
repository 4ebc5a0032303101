// The vouchers made from a voucher: whether there are any, and what the live ones add up to.

#include "CptesAsociados.h"

#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Registros.h"
#include "Utilidades.h"

namespace {

QString InicioSentencia(const QString& TC, const QString& SucNroLetra) {
    return QStringLiteral("SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TCORIGEN = ") +
           AD().FormateaValorSQL(UT().RellenaCodigo(TC.trimmed(), 4), QStringLiteral("'")) +
           QStringLiteral(" AND COMPROBANTEORIGEN = ") +
           AD().FormateaValorSQL(SucNroLetra.trimmed(), QStringLiteral("'"));
}

} // namespace

QString ComplementoNumerico(const QString& complemento) {
    const QString c = complemento.trimmed();
    if (c.isEmpty())
        return QStringLiteral("0");
    bool ok = false;
    const qlonglong n = c.toLongLong(&ok);
    if (!ok)
        throw ErrorSistema(13,
                           QStringLiteral("El complemento del comprobante no es un número: \"%1\"").arg(c),
                           QStringLiteral("ComplementoNumerico"));
    return QString::number(n);
}

QString SentenciaCptesRelacionados(const QString& TC, const QString& SucNroLetra, const QString& Complemento,
                                   bool conAnulados) {
    QString sql = InicioSentencia(TC, SucNroLetra) + QStringLiteral(" AND COMPLEMENTOORIGEN = '") +
                  ComplementoNumerico(Complemento) + QStringLiteral("' ");
    if (!conAnulados)
        sql += QStringLiteral(" AND ANULADA = 0");
    return sql;
}

QString SentenciaCptesAsociados(const QString& TC, const QString& SucNroLetra) {
    return InicioSentencia(TC, SucNroLetra) + QStringLiteral(" AND ANULADA = 0");
}

bool ClsCmnCptesServicios::EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra,
                                                           const QString& Complemento,
                                                           bool TenerEnCuentaAnulados) {
    Registros rs;
    AD().ObtieneRecordset(SentenciaCptesRelacionados(TC, SucNroLetra, Complemento, TenerEnCuentaAnulados),
                          rs);
    return !rs.Bof();
}

Moneda ClsCmnCptesServicios::ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra) {
    Registros rs;
    AD().ObtieneRecordset(SentenciaCptesAsociados(TC, SucNroLetra), rs);
    Moneda total;
    for (; !rs.Eof(); rs.MoveNext())
        total += UT().TextoAMoneda(UT().ValorCampo(rs.Fields(QStringLiteral("Importe"))));
    return total;
}
