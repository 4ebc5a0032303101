// Entry look-ups of the accounting entry of a stock voucher.

#include "Asientos.h"

#include "AccesoDatos.h"
#include "ErroresSqlServer.h"
#include "Globales.h"
#include "NumeracionInterno.h"
#include "Regional.h"
#include "Registros.h"
#include "TandasSql.h"
#include "Utilidades.h"

#include <limits>

using namespace numeracion;

bool ExisteAsiento(const QString& TC, const QString& sucursal, const QString& numero, const QString& letra,
                   QString& referencia, const QString& cuenta, bool sinBloqueo) {
    if (TC.trimmed().compare(QLatin1String("OC"), Qt::CaseInsensitive) == 0)
        return false;
    const QString condicionCuenta =
        cuenta.isEmpty() ? QString() : QStringLiteral(" AND CUENTA = ") + Txt(cuenta);
    const QString sql = QLatin1String(sinBloqueo ? "SELECT * FROM MV_ASIENTOS  with(nolock)  WHERE TC = "
                                                 : "SELECT * FROM MV_ASIENTOS WHERE TC = ") +
                        Txt(UT().RellenaCodigo(TC, 4)) + QStringLiteral(" AND SUCURSAL = ") + Txt(sucursal) +
                        QStringLiteral(" AND NUMERO = ") + Txt(numero) + QStringLiteral(" AND LETRA = ") +
                        Txt(letra) + condicionCuenta;
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    if (rs.Eof())
        return false;
    referencia = Ceros(Numero(rs.Fields(QStringLiteral("Mes_Operativo"))), 2) + QStringLiteral(" - ") +
                 Ceros(Numero(rs.Fields(QStringLiteral("numero asiento"))), 6);
    AD().CierraRecordset(rs);
    return true;
}

QString ObtieneTipoRegCont(const QString& TC) {
    QString tipo;
    Registros rs;
    Registros subdiarios; // its own set: a Retry of its query still reads the voucher type's row
    QVariant subdiario;
    bool sigue = true;
    Pasos(QStringLiteral("ObtieneTipoRegCont$"),
          {
              [&] {
                  AD().ObtieneRecordset(
                      QStringLiteral("SELECT * FROM MA_SUBDIARIOSCOMPROBANTES  with(nolock)  WHERE TC = ") +
                          Txt(UT().RellenaCodigo(TC.trimmed())),
                      rs);
              },
              [&] {
                  sigue = !rs.Eof();
                  if (!sigue)
                      tipo = QStringLiteral("    ");
              },
              [&] {
                  if (!sigue)
                      return;
                  subdiario = rs.Fields(QStringLiteral("Subdiario"));
                  if (subdiario.isNull())
                      throw ErrorSistema(94, QStringLiteral("Uso no válido de Null"),
                                         QStringLiteral("ObtieneTipoRegCont"));
                  AD().ObtieneRecordset(
                      QStringLiteral("SELECT * FROM MA_SUBDIARIOS  with(nolock)  WHERE CODIGO = ") +
                          Txt(subdiario.toString()),
                      subdiarios);
              },
              [&] {
                  if (sigue)
                      tipo = subdiarios.Eof() ? QStringLiteral("    ") : subdiario.toString();
              },
              [&] {
                  AD().CierraRecordset(subdiarios);
                  AD().CierraRecordset(rs);
              },
          });
    return tipo;
}

namespace {

// The highest entry number of a query, or nothing.
QVariant MaximoAsiento(const QString& sql) {
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    QVariant maximo;
    if (!rs.Eof())
        maximo = rs.Fields(QStringLiteral("Nro_Asiento"));
    AD().CierraRecordset(rs);
    return maximo;
}

// The condition of the entries of a month, registration type and period, after its WHERE.
QString CondicionMes(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg) {
    const QString textoPeriodo = Decimal(ValNumero(periodo.toString()));
    const QString textoTipo = tipoReg.toString().trimmed();
    const QString condicion =
        textoTipo.isEmpty() ? QStringLiteral(" AND (TIPO_REG = ") + Txt(QChar(0xFF) + QStringLiteral("RS")) +
                                  QStringLiteral(" OR TIPO_REG = '') AND PERIODO = ") + textoPeriodo
                            : QStringLiteral(" AND TIPO_REG = ") + Txt(textoTipo) +
                                  QStringLiteral(" AND PERIODO = ") + textoPeriodo;
    return QStringLiteral("MES_OPERATIVO = ") + mes.toString() + condicion;
}

// The number after a stored maximum; past 32 bits it is an error, never a wrapped number.
qint32 Siguiente(const QVariant& maximo) {
    const double n = Numero(maximo);
    if (n >= std::numeric_limits<qint32>::max())
        throw ErrorSistema(6,
                           QStringLiteral("Desbordamiento: el número de asiento pasaría de ") +
                               QString::number(std::numeric_limits<qint32>::max()),
                           QStringLiteral("ObtieneNroAsiento"));
    return static_cast<qint32>(n) + 1;
}

} // namespace

qint32 ObtieneNroAsiento(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg) {
    const QString desde = QStringLiteral(" WITH(NOLOCK) WHERE ") + CondicionMes(mes, periodo, tipoReg);
    const QString maximoCentros =
        QStringLiteral("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOSCCOSTO") + desde;
    qint32 numero = 0;
    QVariant ocupado;
    const bool completo = Pasos(
        QStringLiteral("ValidaTCRegistraciones"),
        {
            [&] {
                const QVariant maximo = MaximoAsiento(
                    QStringLiteral("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS") +
                    desde);
                numero = maximo.isNull() ? 1 : Siguiente(maximo);
            },
            [&] {
                if (numero == 0)
                    return;
                ocupado = MaximoAsiento(
                    QStringLiteral("SELECT [NUMERO ASIENTO] AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOSCCOSTO") +
                    desde + QStringLiteral(" AND [NUMERO ASIENTO] = ") + QString::number(numero));
            },
            [&] {
                if (ocupado.isNull())
                    return;
                if (const QVariant maximo = MaximoAsiento(maximoCentros); !maximo.isNull()) {
                    numero = 0;
                    numero = Siguiente(maximo);
                }
            },
        });
    return completo ? numero : 0;
}

QString ControlAsientoTomado(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg,
                             qint32 numero, bool enTanda) {
    const QString tomado = QStringLiteral("El número de asiento ") + QString::number(numero) +
                           QStringLiteral(" ya fue tomado por otro comprobante");
    return ControlNumeroTomado(QStringLiteral("MV_ASIENTOS"),
                               CondicionMes(mes, periodo, tipoReg) +
                                   QStringLiteral(" AND [NUMERO ASIENTO] = ") + QString::number(numero),
                               enTanda ? tomado +
                                             QStringLiteral(": no se grabó nada. Vuelva a grabar y se tomará "
                                                            "el siguiente número.")
                                       : tomado + u'.');
}

namespace {

// Whether the entries' number comes from another table than the one they are stored in: an
// administration database holding its own (the embedded file and a site without one read the
// session's).
bool NumeroDeOtraTabla(const char* tabla) {
    const QString nombre = QLatin1String(tabla);
    return AD().TraduceSQL(QStringLiteral("@ADMIN_") + nombre) != AD().TraduceSQL(nombre);
}

QString TextoDosTablas(const char* tabla, bool enTanda) {
    return QStringLiteral("Los asientos toman su número de %1 de la base de administración \"%2\" y se "
                          "graban con los de %1 de la base \"%3\", %4: deben ser una sola (un sinónimo o una "
                          "vista en \"%3\" de la tabla de \"%2\").")
               .arg(QLatin1String(tabla), AD().BaseAdministracion(), AD().LeeBaseDatos(),
                    QLatin1String(kTablasDistintas)) +
           (enTanda ? QStringLiteral(" No se grabó nada.") : QString());
}

} // namespace

std::optional<QString> AsientosSinTabla(UsoAsientos uso) {
    try {
        // An administration table the login may not read is refused here, before any number.
        NumeroDeOtraTabla("MV_ASIENTOSCCOSTO");
        const bool otraTabla = NumeroDeOtraTabla("MV_ASIENTOS");
        if (otraTabla && !AD().SesionTieneTabla(QStringLiteral("MV_ASIENTOS")))
            return TextoDosTablas("MV_ASIENTOS", true);
        // The entry's rows reach the administration's table through the session's view or synonym:
        // a right it lacks would refuse a row after others were stored.
        if (otraTabla && uso != UsoAsientos::Numeracion)
            AD().ExigeDerechosAdministracion(
                QStringLiteral("MV_ASIENTOS"),
                uso == UsoAsientos::PorLinea ? QStringList{QStringLiteral("INSERT"), QStringLiteral("UPDATE")}
                                             : QStringList{QStringLiteral("INSERT")});
    } catch (const ErrorSistema& e) {
        if (e.Numero() != sqlserver::kPermisoDenegado)
            throw;
        return e.Descripcion() + QStringLiteral(" No se grabó nada.");
    }
    return std::nullopt;
}

QString ControlAsientoEnSuTabla(const QVariant& mes, const QVariant& periodo, const QVariant& tipoReg,
                                qint32 numero, const QString& comprobante, bool enTanda) {
    const QString delNumero = CondicionMes(mes, periodo, tipoReg) +
                              QStringLiteral(" AND [NUMERO ASIENTO] = ") + QString::number(numero);
    QString controles;
    if (NumeroDeOtraTabla("MV_ASIENTOS"))
        controles += QStringLiteral("\r\nIF NOT EXISTS(SELECT * FROM @ADMIN_MV_ASIENTOS WHERE ") +
                     comprobante + QStringLiteral(" AND ") + delNumero + u')' +
                     Raiserror(TextoDosTablas("MV_ASIENTOS", enTanda));
    // The program writes no cost-centre entry: two such tables show where the session's holds
    // the number that the administration's, which it was drawn from, does not.
    if (NumeroDeOtraTabla("MV_ASIENTOSCCOSTO") && AD().SesionTieneTabla(QStringLiteral("MV_ASIENTOSCCOSTO")))
        controles += QStringLiteral("\r\nIF EXISTS(SELECT * FROM MV_ASIENTOSCCOSTO WHERE ") + delNumero +
                     QStringLiteral(") AND NOT EXISTS(SELECT * FROM @ADMIN_MV_ASIENTOSCCOSTO WHERE ") +
                     delNumero + u')' + Raiserror(TextoDosTablas("MV_ASIENTOSCCOSTO", enTanda));
    return controles;
}
