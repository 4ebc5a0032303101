#include "Depositos.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Registros.h"
#include "Utilidades.h"

#include <QStringList>

namespace {

QString Literal(const QString& valor) {
    return AD().FormateaValorSQL(valor, QStringLiteral("'"));
}

QString Texto(const Registros& rs, const char* campo) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(QString::fromLatin1(campo))));
}

bool Igual(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// A flag field as the system reads it: a number is true unless 0; a word, true or false.
bool Bandera(const QString& valor) {
    const QString v = valor.trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
        v.compare(QLatin1String("Verdadero"), Qt::CaseInsensitive) == 0)
        return true;
    return UT().TextoADoble(v) != 0;
}

} // namespace

QString SentenciaUnidadNegocio(const QString& unidad) {
    return QStringLiteral("Select * from v_ta_unidadnegocio  with(nolock)  where codigo = ") +
           Literal(UT().RellenaCodigo(unidad, 4)) +
           QStringLiteral(" and (not depositosasociados is null or depositosasociados <> '')");
}

// The unit is filled as every stored code is, so that a setting written without its blanks
// still finds the unit's deposits.
QString SentenciaDepositosUnidad(const QString& unidad) {
    return QStringLiteral("Select * from @admin_v_ta_deposito  with(nolock)  where UNIDADNEGOCIO = ") +
           Literal(UT().RellenaCodigo(unidad, 4)) + QStringLiteral(" ORDER BY IDDEPOSITO");
}

QString ObtieneDepositosUsuario(const QString& Usuario, bool DepositoDiferencias, QString& MotivoDiferencias,
                                bool& ModificaDiferencias) {
    const QString centro = Cfg(QStringLiteral("DEPOSITO_CENTRODISTRIBUCION")).trimmed();
    const QString defecto = Cfg(QStringLiteral("DepositoDefault")).trimmed();
    const QString depositoUsuario = UT().ValorATexto(AD().ObtieneValorTabla(
        QStringLiteral("TA_USUARIOS"), Usuario, QStringLiteral("IDDEPOSITO"), QStringLiteral("NOMBRE"), 8));
    QString unidad = UT().ValorATexto(AD().ObtieneValorTabla(
        QStringLiteral("TA_USUARIOS"), Usuario, QStringLiteral("UNEGOCIO"), QStringLiteral("NOMBRE"), 8));
    if (unidad.trimmed().isEmpty())
        unidad = Cfg(QStringLiteral("UNEGOCIO"));

    QString resultado;
    Registros rs;
    AD().ObtieneRecordset(SentenciaUnidadNegocio(unidad), rs);
    if (!rs.Eof()) {
        resultado = DepositoDiferencias ? Texto(rs, "IDDEPOSITODIF") : Texto(rs, "DEPOSITOSASOCIADOS");
        MotivoDiferencias = Texto(rs, "MOTIVOPARADIFERENCIAS");
        const QString modifica = Texto(rs, "MODIFICADIFERENCIAS");
        ModificaDiferencias = modifica.isEmpty() ? true : !Bandera(modifica);
        AD().CierraRecordset(rs);
    } else {
        AD().ObtieneRecordset(SentenciaDepositosUnidad(unidad), rs);
        QStringList depositos;
        while (!rs.Eof()) {
            depositos << Texto(rs, "IdDeposito");
            rs.MoveNext();
        }
        AD().CierraRecordset(rs);
        // Codes are compared trimmed: the stored ones carry their leading blanks. The
        // distribution centre wins wherever it stands among the unit's deposits.
        bool conCentro = false;
        for (const QString& d : depositos)
            conCentro = conCentro || (!centro.isEmpty() && Igual(d, centro));
        bool conDefecto = false;
        for (const QString& d : depositos) {
            resultado = d;
            if (conCentro && Igual(d, centro)) {
                resultado = centro;
                break;
            }
            if (!conCentro && !depositoUsuario.trimmed().isEmpty() && Igual(d, depositoUsuario)) {
                resultado = depositoUsuario;
                break;
            }
            if (Igual(d, defecto))
                conDefecto = true;
        }
        if (!Igual(resultado, centro) && !defecto.isEmpty() && !Igual(defecto, resultado) && conDefecto)
            resultado = defecto;
    }
    return resultado.isEmpty() ? depositoUsuario : resultado;
}
