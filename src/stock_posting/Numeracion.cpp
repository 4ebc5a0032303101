// The next number of a voucher, checked against the vouchers already stored.

#include "Numeracion.h"

#include "AccesoDatos.h"
#include "Asientos.h"
#include "Configuracion.h"
#include "Globales.h"
#include "NumeracionInterno.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QStringList>

using namespace numeracion;

qint16 gTalonario = 0;
bool gTalonarioFCE = false;

namespace {

const bool kRegistrado = RegistraReinicioSesion([] {
    gTalonario = 0;
    gTalonarioFCE = false;
});

bool EsTipo(const QString& TC, const char* codigo) {
    return TC.trimmed().compare(QLatin1String(codigo), Qt::CaseInsensitive) == 0;
}

// The voucher being numbered, as the checks against the stored vouchers see it. Stored types
// are filled to 4, so the type is filled before it is compared.
struct Serie {
    QString tipo;
    QString& sucursal;
    QString& numero;
    QString& letra;

    QString Identidad() const { return sucursal + numero + letra; }
    QString MismaSerie() const {
        return QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE,1,4)= ") + Txt(sucursal) +
               QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE,13,1) = ") + Txt(letra);
    }
};

// The first field of the first row of a query, or nothing.
QVariant PrimerValor(const QString& sql, bool& hayFila) {
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    hayFila = !rs.Eof();
    QVariant valor = hayFila ? rs.Fields(0) : QVariant();
    AD().CierraRecordset(rs);
    return valor;
}

bool HayFila(const QString& sql) {
    bool hay = false;
    PrimerValor(sql, hay);
    return hay;
}

QVariant Maximo(const QString& sql) {
    bool hay = false;
    return PrimerValor(sql, hay);
}

// A stored identity of the series at or above the number moves the number past it.
void PasaElMayorGuardado(const Serie& s, const QString& tabla) {
    if (!HayFila(QStringLiteral("SELECT * From ") + tabla + QStringLiteral("  with(nolock)  WHERE TC = ") +
                 Txt(s.tipo) + QStringLiteral(" AND IDCOMPROBANTE = ") + Txt(s.Identidad())))
        return;
    const QVariant ultimo = Maximo(QStringLiteral("SELECT MAX(idcomprobante) AS ULTIMO From ") + tabla +
                                   QStringLiteral(" WHERE TC = ") + Txt(s.tipo) + s.MismaSerie());
    if (!ultimo.isNull() && NumeroDeIdentidad(ultimo) >= ValNumero(s.numero))
        s.numero = Ceros(NumeroDeIdentidad(ultimo) + 1, 8);
}

QString SiguienteONumeroUno(const QVariant& ultimo) {
    return ultimo.isNull() ? QStringLiteral("00000001") : Ceros(Numero(ultimo) + 1, 8);
}

// The number is taken by an accounting voucher: past the entries' highest number (and, for
// CBFP, past the vouchers view's when that one is higher).
void PasaLosAsientos(const Serie& s) {
    s.numero = SiguienteONumeroUno(
        Maximo(QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS with(nolock) WHERE TC = ") +
               Txt(s.tipo) + QStringLiteral(" AND SUCURSAL= ") + Txt(s.sucursal) +
               QStringLiteral(" AND LETRA = ") + Txt(s.letra)));
    if (!EsTipo(s.tipo, "CBFP"))
        return;
    const QVariant ultimo =
        Maximo(QStringLiteral("SELECT MAX(idcomprobante) AS ULTIMO From V_MV_CPTE WHERE TC = ") +
               Txt(s.tipo) + s.MismaSerie());
    if (!ultimo.isNull() && NumeroDeIdentidad(ultimo) > ValNumero(s.numero))
        s.numero = Ceros(NumeroDeIdentidad(ultimo) + 1, 8);
}

void PasaLasOrdenesDeCompra(const Serie& s) {
    if (!HayFila(QStringLiteral("SELECT * From C_MV_CPTE  with(nolock)  WHERE TC = ") + Txt(s.tipo) +
                 QStringLiteral(" AND IDCOMPROBANTE = ") + Txt(s.Identidad())))
        return;
    s.numero = SiguienteONumeroUno(
        Maximo(QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From C_MV_CPTE  with(nolock) WHERE TC = ") +
               Txt(s.tipo) + QStringLiteral(" AND SUCURSAL = ") + Txt(s.sucursal) +
               QStringLiteral(" AND NUMERO < '99999999' AND LETRA = ") + Txt(s.letra) + QStringLiteral(" ")));
}

// Vouchers of the types that keep their number whether or not an entry exists.
const QStringList kConservanNumero = {"OPG",  "PG", "FC", "NC", "ND", "NP", "GF",  "PR",  "RM", "TK",
                                      "TKFC", "FP", "VJ", "IR", "VS", "SI", "AJP", "AJN", "TRP"};

void VerificaContraGuardados(const Serie& s) {
    if (EsTipo(s.tipo, "VJ")) {
        PasaElMayorGuardado(s, QStringLiteral("MV_VIAJES"));
        return;
    }
    if (UT().EstaEnLista(s.tipo, {"AJP", "AJN", "VS", "IR"})) {
        PasaElMayorGuardado(s, QStringLiteral("V_MV_STOCK"));
        return;
    }
    // The entries it is checked against are not where their numbers come from: no number.
    if (!EsTipo(s.tipo, "OC"))
        if (const auto sinTabla = AsientosSinTabla(UsoAsientos::Numeracion)) {
            s.numero.clear();
            interaccion().MsgBox(*sinTabla, Estilo::SoloAceptar | Estilo::Critico,
                                 QCoreApplication::applicationName());
            return;
        }
    QString referencia;
    if (ExisteAsiento(s.tipo, s.sucursal, s.numero, s.letra, referencia, QString(), true)) {
        PasaLosAsientos(s);
        return;
    }
    if (UT().EstaEnLista(s.tipo, kConservanNumero))
        return;
    if (EsTipo(s.tipo, "OC")) {
        PasaLasOrdenesDeCompra(s);
    } else {
        // Frees the register's row of this number, so that the range update can register it again;
        // only while no voucher of the number is stored, decided by the statement itself, so that
        // a number another station has just saved stays registered and refuses this save.
        QString noGuardado;
        for (const char* tabla : {"V_MV_STOCK", "V_MV_CPTE", "C_MV_CPTE"})
            noGuardado += QStringLiteral(" AND NOT EXISTS(SELECT * FROM ") + QLatin1String(tabla) +
                          QStringLiteral(" WHERE TC = ") + Txt(s.tipo) +
                          QStringLiteral(" AND IDCOMPROBANTE = ") + Txt(s.Identidad()) + QLatin1Char(')');
        AD().EjecutaSQL(QStringLiteral("DELETE V_MV_CTROL_CPTE WHERE TC = ") + Txt(s.tipo) +
                        QStringLiteral(" AND SUCURSAL = ") + Txt(s.sucursal) +
                        QStringLiteral(" AND NUMERO = ") + Txt(s.numero) + QStringLiteral(" AND LETRA = ") +
                        Txt(s.letra) + noGuardado);
    }
}

} // namespace

QString ObtieneTcNumeracion(const QString& TC) {
    const QString alias = Cfg(QStringLiteral("NUM_") + TC.trimmed()).trimmed();
    return alias.isEmpty() ? TC : alias;
}

void Obtener_Nro_Comprobante(const QString& TC, QString& sucursal, QString& numero, QString& letra,
                             bool& modificaNumeracion, bool verifica, const QString& /*noLeido*/,
                             const QString& unidadNegocio, bool noAplicaAlias) {
    if (TC.isEmpty())
        return;
    Serie serie{UT().RellenaCodigo(TC, 4), sucursal, numero, letra};
    QString tipoNumeracion;
    Pasos(QStringLiteral("Obtener_Nro_Comprobante"),
          {
              [&] {
                  tipoNumeracion = noAplicaAlias ? TC : ObtieneTcNumeracion(TC);
                  QString hasta;
                  // A range that hands out no number (used up) leaves it empty: no identity.
                  numero.clear();
                  Obtener_Nro_Comprobante_Contable(tipoNumeracion, sucursal, numero, letra,
                                                   modificaNumeracion, QString(), unidadNegocio, hasta);
                  // Identities are always 13 characters, also when no range was found.
                  sucursal = Ceros(ValNumero(sucursal), 4);
                  if (!numero.isEmpty())
                      numero = Ceros(ValNumero(numero), 8);
              },
              [&] {
                  if (verifica && !numero.isEmpty())
                      VerificaContraGuardados(serie);
              },
              [&] {
                  if (!numero.isEmpty() && ValNumero(numero) > kUltimoNumero) {
                      AvisaTalonariosUtilizados(tipoNumeracion);
                      numero.clear();
                  }
              },
          });
}

QString AsignarNumeroComprobante(const QString& TC, QString sucursal, QString letra) {
    QString numero;
    QString identidad;
    bool modifica = false;
    Obtener_Nro_Comprobante(TC, sucursal, numero, letra, modifica, true, QString(), gUnidadNegocio, false);
    if (numero.isEmpty())
        return identidad;
    const QString tipo = UT().RellenaCodigo(TC, 4);
    Pasos(
        QStringLiteral("AsignarNumeroComprobante"),
        {
            [&] {
                sucursal = Ceros(ValNumero(sucursal), 4);
                numero = Ceros(ValNumero(numero), 8);
                if (!HayFila(
                        QStringLiteral("SELECT TC,IDCOMPROBANTE From V_MV_STOCK  with(nolock) WHERE TC = ") +
                        Txt(tipo) + QStringLiteral(" AND IDCOMPROBANTE = ") + Txt(sucursal + numero + letra)))
                    return;
                const QVariant ultimo = Maximo(
                    QStringLiteral(
                        "SELECT MAX(IDCOMPROBANTE) AS ULTIMO From V_MV_STOCK  with(nolock) WHERE TC = ") +
                    Txt(tipo) + QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE, 1, 4)= ") + Txt(sucursal) +
                    QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE, 13, 1)= ") + Txt(letra));
                numero =
                    ultimo.isNull() ? QStringLiteral("00000001") : Ceros(NumeroDeIdentidad(ultimo) + 1, 8);
            },
            [&] {
                if (ValNumero(numero) > kUltimoNumero)
                    AvisaTalonariosUtilizados(ObtieneTcNumeracion(TC));
                else
                    identidad = sucursal + numero + letra;
            },
        });
    return identidad;
}

QString ObtieneLetra(const QString& condicionEmpresa, const QString& condicionCliente) {
    if (ValNumero(condicionEmpresa) != 1)
        return QStringLiteral("C");
    return ValNumero(condicionCliente) > 2 ? QStringLiteral("B") : QStringLiteral("A");
}
