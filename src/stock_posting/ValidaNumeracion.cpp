// A voucher number checked against its range, and the range moved forward once it is saved.

#include "AccesoDatos.h"
#include "Formatos.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Numeracion.h"
#include "NumeracionInterno.h"
#include "Regional.h"
#include "Registros.h"
#include "Reloj.h"
#include "Utilidades.h"

#include <algorithm>

using namespace numeracion;

namespace {

const QString kLetras = QStringLiteral("A,B,C,E,R,X,M");

bool Verdadero(const QVariant& campo, bool modo) {
    return TextoABooleano(UT().ValorCampo(campo).toString(), modo);
}

// A range that accepts any number: both bounds 0 and its numbering open to change.
bool SinLimites(const Registros& rs, const QString& L) {
    const QVariant desde = rs.Fields(L + QStringLiteral("_NRO_DESDE"));
    const QVariant hasta = rs.Fields(L + QStringLiteral("_NRO_HASTA"));
    return !desde.isNull() && !hasta.isNull() && Numero(desde) == 0 && Numero(hasta) == 0 &&
           Verdadero(rs.Fields(QStringLiteral("Modificanumeracion")), true);
}

// Finds the range of the number among the type's ranges of the branch (the last that holds it);
// true when the walk stopped at an externally numbered range.
bool BuscaRangoDelNumero(const QString& tipo, const QString& sucursal, double numero, const QString& L) {
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("Select * from v_ta_cpte  with(nolock)  where codigo = ") +
                              Txt(tipo) + QStringLiteral(" and ") + L + QStringLiteral("_SUC_DEFAULT = ") +
                              Decimal(ValNumero(sucursal)),
                          rs);
    bool externo = false;
    for (; !rs.Eof(); rs.MoveNext()) {
        externo = Verdadero(rs.Fields(QStringLiteral("Externo")), false);
        if (SinLimites(rs, L) || externo)
            break;
        const QVariant desde = rs.Fields(L + QStringLiteral("_NRO_DESDE"));
        const QVariant hasta = rs.Fields(L + QStringLiteral("_NRO_HASTA"));
        if (!desde.isNull() && !hasta.isNull() && Numero(desde) <= numero && numero <= Numero(hasta))
            gTalonario = static_cast<qint16>(Numero(rs.Fields(QStringLiteral("Talonario"))));
    }
    AD().CierraRecordset(rs);
    return externo;
}

QString LineaDeLimite(double numero, const char* parametro, const QVariant& limite) {
    return QStringLiteral("\rEl Número de comprobante (") + Decimal(numero) +
           QStringLiteral(") no respeta el parametro ") + QLatin1String(parametro) +
           QStringLiteral(" del comprobante (") + Decimal(Numero(limite)) +
           QStringLiteral(") , Nro de Control: ") + QString::number(gTalonario);
}

// Expiry and bounds of the range row; the result so far.
bool CompruebaRango(const QString& TC, const Registros& rs, const QString& L, double numero,
                    const QString& fechaReferencia, QString& mensaje) {
    bool valido = numero > 0;
    const QString vence = UT().ValorCampo(rs.Fields(QStringLiteral("Vence") + L)).toString().trimmed();
    if (!fechaReferencia.isEmpty() && !vence.isEmpty() && ComparaFechas(vence, fechaReferencia) < 0) {
        mensaje = QStringLiteral("El rango de numeracion del comprobante ") + TC +
                  QStringLiteral(" Control nro: ") + QString::number(gTalonario) +
                  QStringLiteral(
                      " se encuenta vencida...! Debe dar de alta un nuevo talonario para el comprobante ") +
                  TC;
        valido = false;
    }
    const QVariant desde = rs.Fields(L + QStringLiteral("_NRO_DESDE"));
    if (valido && numero < Numero(desde)) {
        mensaje += LineaDeLimite(numero, "NRO DESDE", desde);
        valido = false;
    }
    const QVariant hasta = rs.Fields(L + QStringLiteral("_NRO_HASTA"));
    if (valido && numero > Numero(hasta)) {
        mensaje += LineaDeLimite(numero, "NRO HASTA", hasta);
        valido = false;
    }
    return valido;
}

} // namespace

bool ValidaNumeracion(const QString& TC, const QString& sucursal, const QString& numero, QString& letra,
                      QString& mensaje, const QString& fechaReferencia) {
    const double n = ValNumero(numero);
    const QString L = letra.trimmed();
    // Exactly one of the letters: anything else would name columns that do not exist.
    if (!L.isEmpty() &&
        (L.size() != 1 || !kLetras.split(QLatin1Char(',')).contains(L, Qt::CaseInsensitive))) {
        mensaje = QStringLiteral(" La letra Informada no es Valida, la misma debe ser ") + kLetras;
        return false;
    }
    if (L.isEmpty())
        letra = QStringLiteral("X");
    const QString columna = letra.trimmed();
    const QString tipo = UT().RellenaCodigo(TC, 4);
    const QString externo = AD().ObtieneValorTabla(QStringLiteral("V_TA_CPTE"), tipo,
                                                   QStringLiteral("EXTERNO"), QStringLiteral("CODIGO"))
                                .toString();
    if (!externo.isEmpty() && TextoABooleano(externo, true)) {
        mensaje.clear();
        return true;
    }
    const bool paradaExterna = BuscaRangoDelNumero(tipo, sucursal, n, columna);
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO = ") +
                              Txt(tipo) + QStringLiteral(" and Talonario = ") + QString::number(gTalonario),
                          rs);
    if (rs.Eof()) {
        mensaje = QStringLiteral("Debe configurar la numeracióN de Comprobantes");
        return false;
    }
    const bool valido = SinLimites(rs, columna) || paradaExterna ||
                        CompruebaRango(TC, rs, columna, n, fechaReferencia, mensaje);
    AD().CierraRecordset(rs);
    mensaje += QStringLiteral("\r\rVerifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo");
    if (valido)
        mensaje.clear();
    return valido;
}

namespace {

// What the range update found and builds.
struct Actualizacion {
    QString tipo; // filled to 4, after the numbering alias
    const QString& sucursal;
    double numero;
    QString& letra;
    QString& sql;
};

QString SentenciaRango(const Actualizacion& a, const char* talonario) {
    return QStringLiteral(" UPDATE V_TA_CPTE SET ") + a.letra.trimmed() + QStringLiteral("_ULTIMO_NRO = ") +
           Decimal(a.numero) + QStringLiteral(" WHERE CODIGO = ") + Txt(a.tipo) + QLatin1String(talonario) +
           QString::number(gTalonario);
}

void ActualizaDirecto(const Actualizacion& a, const QString& tabla) {
    AD().EjecutaSQL(
        QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") + a.letra.trimmed() +
        QStringLiteral("_ULTIMO_NRO = ") + Decimal(a.numero) + QStringLiteral(", FechaHora_Modificacion = ") +
        Txt(AplicaMascaraFecha(Ahora(), FormatoFechaHora())) + QStringLiteral(" WHERE CODIGO = ") +
        Txt(a.tipo) + QStringLiteral(" AND TALONARIO = ") + QString::number(gTalonario));
}

void Registra(const Actualizacion& a, const QVariant& sistema, bool registraSiempre) {
    if (UT().ValorCampo(sistema).toString().compare(QLatin1String("Contable"), Qt::CaseInsensitive) != 0 &&
        !registraSiempre && a.tipo.trimmed().compare(QLatin1String("OC"), Qt::CaseInsensitive) != 0)
        return;
    a.sql += QStringLiteral("\r\n INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES (") +
             Txt(a.tipo) + QLatin1Char(',') + Txt(Ceros(ValNumero(a.sucursal), 4)) + QLatin1Char(',') +
             Txt(Ceros(a.numero - 1, 8)) + QLatin1Char(',') + Txt(a.letra.trimmed()) +
             QStringLiteral(")\r\n");
}

// Whether the range row's branch is the voucher's.
bool MismaSucursal(const Registros& rs, const Actualizacion& a) {
    if (a.letra.trimmed().isEmpty())
        a.letra = QStringLiteral("X");
    return Numero(UT().ValorCampo(rs.Fields(a.letra.trimmed() + QStringLiteral("_SUC_DEFAULT")))) ==
           ValNumero(a.sucursal);
}

void ActualizaRango(const Registros& rs, const Actualizacion& a, bool devuelveSql, bool registraSiempre,
                    bool noActualiza) {
    if (!MismaSucursal(rs, a))
        return;
    // The range never moves backwards, nor writes its next number again.
    const QVariant ultimo = rs.Fields(a.letra.trimmed() + QStringLiteral("_ULTIMO_NRO"));
    const bool permitido = ultimo.isNull() || !(Numero(ultimo) + 1 > a.numero);
    if (devuelveSql) {
        if (permitido && !noActualiza)
            a.sql = SentenciaRango(a, " AND TALONARIO=");
        Registra(a, rs.Fields(QStringLiteral("Sistema")), registraSiempre);
    } else if (permitido) {
        ActualizaDirecto(a, QStringLiteral("V_TA_CPTE"));
    }
}

void ActualizaTipo(const Registros& rs, const Actualizacion& a, bool devuelveSql, bool registraSiempre) {
    if (!MismaSucursal(rs, a))
        return;
    if (devuelveSql) {
        a.sql = SentenciaRango(a, " AND TALONARIO =");
        Registra(a, rs.Fields(QStringLiteral("Sistema")), registraSiempre);
    } else {
        ActualizaDirecto(a, QStringLiteral("TA_Comprobantes"));
    }
}

void SinRangoConfigurado(const Actualizacion& a) {
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO = ") + Txt(a.tipo), rs);
    if (rs.Eof())
        interaccion().MsgBox(
            QStringLiteral(
                "Error en grabación del Comprobante, no se ha encontrado el comprobante configurado"),
            Estilo::SoloAceptar | Estilo::Critico, QStringLiteral("ATENCION"));
    else if (Verdadero(rs.Fields(QStringLiteral("Externo")), false))
        a.sql.clear();
    AD().CierraRecordset(rs);
}

// The number to record is the one after a voucher's own: a whole number from 1 to the one
// after the last identity. Anything else ("-5", "NaN", "1e308") would register or move the
// range to a number no voucher holds.
bool NumeroARegistrarValido(const QString& numero) {
    const QString n = numero.trimmed();
    if (n.isEmpty() || n.size() > 12 ||
        !std::all_of(n.cbegin(), n.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    const qint64 valor = n.toLongLong();
    return valor >= 1 && valor <= static_cast<qint64>(kUltimoNumero) + 1;
}

} // namespace

void ActualizaNumeracion(const QString& TC, const QString& sistema, const QString& sucursal,
                         const QString& numero, QString& letra, bool devuelveSql, QString& sql,
                         bool registraSiempre, bool noActualiza) {
    const QString tipoNumeracion = ObtieneTcNumeracion(TC);
    Actualizacion a{UT().RellenaCodigo(tipoNumeracion.trimmed(), 4), sucursal, ValNumero(numero), letra, sql};
    Registros rs;
    bool valido = false;
    bool enRangos = false;
    bool enTipos = false;
    Pasos(QStringLiteral("ActualizaNumeracion"),
          {
              [&] {
                  valido = NumeroARegistrarValido(numero);
                  if (!valido)
                      throw ErrorSistema(13,
                                         QStringLiteral("El número a registrar del comprobante ") +
                                             TC.trimmed() + QStringLiteral(" no es válido: ") + numero,
                                         QStringLiteral("ActualizaNumeracion"));
              },
              [&] {
                  if (!valido)
                      return;
                  QString mensaje;
                  ValidaNumeracion(tipoNumeracion, sucursal, numero, letra, mensaje, QString());
              },
              [&] {
                  if (!valido)
                      return;
                  AD().ObtieneRecordset(
                      QStringLiteral("SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO = ") + Txt(a.tipo) +
                          QStringLiteral(" AND TALONARIO =") + QString::number(gTalonario),
                      rs);
                  enRangos = !rs.Eof();
              },
              [&] {
                  if (enRangos)
                      ActualizaRango(rs, a, devuelveSql, registraSiempre, noActualiza);
              },
              [&] {
                  if (enRangos || !valido)
                      return;
                  AD().ObtieneRecordset(QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = ") +
                                            Txt(a.tipo) + QStringLiteral(" AND SISTEMA = ") +
                                            Txt(sistema.trimmed()) + QStringLiteral(" AND TALONARIO = ") +
                                            QString::number(gTalonario),
                                        rs);
                  enTipos = !rs.Eof();
              },
              [&] {
                  if (enTipos)
                      ActualizaTipo(rs, a, devuelveSql, registraSiempre);
                  else if (!enRangos && valido)
                      SinRangoConfigurado(a);
              },
              [&] { AD().CierraRecordset(rs); },
          });
}
