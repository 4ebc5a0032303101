// The numbering range a new voucher draws from.

#include "AccesoDatos.h"
#include "Formatos.h"
#include "Globales.h"
#include "Numeracion.h"
#include "NumeracionInterno.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"

using namespace numeracion;

namespace {

bool EsUno(const QString& TC, std::initializer_list<const char*> codigos) {
    for (const char* c : codigos)
        if (TC.trimmed().compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

struct Eleccion {
    QString& sucursal;
    QString& numero;
    QString& letra;
    bool& modifica;
    QString& hasta;
    bool agotado = false;
};

// The user's default branch and letter (TA_Usuarios sucot and letot), for the types that use them.
void TomaDefectosDelUsuario(const QString& TC, Eleccion& e) {
    if (!EsUno(TC, {"OT", "FC", "NC", "ND"}) || !e.sucursal.trimmed().isEmpty())
        return;
    Registros rs;
    if (!AD().ExisteRegistro(QStringLiteral("TA_Usuarios"), gUsuarioLogeado.trimmed(),
                             QStringLiteral("Nombre"), &rs))
        return;
    const QString sucot = UT().ValorCampo(rs.Fields(QStringLiteral("sucot"))).toString();
    if (!sucot.isEmpty() && sucot != QLatin1String("0000")) {
        e.sucursal = QLatin1Char('*') + sucot;
        const QString letot = UT().ValorCampo(rs.Fields(QStringLiteral("letot"))).toString();
        if (!letot.trimmed().isEmpty())
            e.letra = letot;
    }
    AD().CierraRecordset(rs);
}

// A leading "*" of the letter or the branch filters the ranges; the branch filter wins.
QString Filtro(QString& sucursal, QString& letra) {
    QString filtro;
    if (letra.trimmed().size() > 1 && letra.trimmed().startsWith(QLatin1Char('*'))) {
        letra = letra.trimmed().mid(1);
        filtro = QStringLiteral(" AND (LETRAs LIKE(") + Txt(QLatin1Char('%') + letra + QLatin1Char('%')) +
                 QStringLiteral(")) ");
    }
    if (sucursal.trimmed().size() > 1 && sucursal.trimmed().startsWith(QLatin1Char('*'))) {
        sucursal = sucursal.trimmed().mid(1);
        filtro = QStringLiteral(" AND A_SUC_DEFAULT = ") + Txt(sucursal);
    }
    return filtro;
}

struct Consulta {
    QString tipo;
    QString filtro;
    QString unidadNegocio;
};

// The ranges to choose from, in TALONARIO order: the business unit's and those of every unit,
// else every range of the type.
void AbreRangos(const Consulta& c, Registros& rs) {
    const QString tipo = Txt(UT().RellenaCodigo(c.tipo.trimmed(), 4));
    const QString& filtro = c.filtro;
    const QString& unidadNegocio = c.unidadNegocio;
    const QString codigo = gTalonarioFCE ? QStringLiteral("'FCE'") : tipo;
    if (unidadNegocio.trimmed().isEmpty()) {
        AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE   WHERE CODIGO = ") + codigo + filtro +
                                  QStringLiteral(" ORDER BY TALONARIO"),
                              rs);
        return;
    }
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE  CODIGO = ") + codigo +
                              QStringLiteral(" AND (UNEGOCIO = ") +
                              Txt(UT().RellenaCodigo(unidadNegocio, 4)) +
                              QStringLiteral(" OR (UNEGOCIO = '' OR UNEGOCIO is null) ) ") + filtro +
                              QStringLiteral("  ORDER BY TALONARIO"),
                          rs);
    if (rs.Eof())
        AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE  WHERE CODIGO = ") + tipo +
                                  QStringLiteral(" ORDER BY TALONARIO"),
                              rs);
}

// Whether the current range serves the voucher; when it does, its values are taken.
bool TomaSiSirve(const QString& TC, Registros& rs, const QString& fechaReferencia, Eleccion& e) {
    const QVariant letras = rs.Fields(QStringLiteral("Letras"));
    if (!letras.isNull() && !letras.toString().contains(e.letra.trimmed(), Qt::CaseInsensitive) &&
        !EsUno(TC, {"OT"})) {
        e.letra = letras.toString().left(1);
        if (e.letra.trimmed().isEmpty())
            e.letra = QStringLiteral("X");
    }
    const QString L = e.letra.trimmed();
    const QVariant ultimo = rs.Fields(L + QStringLiteral("_ULTIMO_NRO"));
    const QVariant tope = rs.Fields(L + QStringLiteral("_NRO_HASTA"));
    // A next number past the identity's 8 digits is used up too, whatever the range's bound.
    if (ultimo.isNull() || tope.isNull() || !(Numero(ultimo) < Numero(tope)) ||
        Numero(ultimo) > kUltimoNumero) {
        e.agotado = true;
        return false;
    }
    const QString vence = UT().ValorCampo(rs.Fields(QStringLiteral("Vence") + L)).toString().trimmed();
    if (!fechaReferencia.isEmpty() && !vence.isEmpty() && ComparaFechas(fechaReferencia, vence) > 0)
        return false;
    const QVariant sucursalRango = rs.Fields(L + QStringLiteral("_SUC_DEFAULT"));
    if (EsUno(TC, {"FC", "OT", "PR"}) && !e.sucursal.trimmed().isEmpty() &&
        (sucursalRango.isNull() || Numero(sucursalRango) != ValNumero(e.sucursal)))
        return false;
    e.sucursal = Ceros(Numero(sucursalRango), 4);
    e.numero = Numero(ultimo) == 0 ? QStringLiteral("00000001") : Ceros(Numero(ultimo), 8);
    e.hasta = Ceros(Numero(tope), 8);
    gTalonario = static_cast<qint16>(Numero(rs.Fields(QStringLiteral("Talonario"))));
    e.modifica =
        TextoABooleano(UT().ValorCampo(rs.Fields(QStringLiteral("Modificanumeracion"))).toString(), true);
    e.agotado = false;
    return true;
}

} // namespace

void Obtener_Nro_Comprobante_Contable(const QString& TC, QString& sucursal, QString& numero, QString& letra,
                                      bool& modificaNumeracion, const QString& fechaReferencia,
                                      const QString& unidadNegocio, QString& hasta) {
    Registros rs;
    QString filtro;
    Eleccion eleccion{sucursal, numero, letra, modificaNumeracion, hasta};
    bool hayRangos = false;
    Pasos(QStringLiteral("Obtener_Nro_Comprobante_Contable"),
          {
              [&] { TomaDefectosDelUsuario(TC, eleccion); },
              [&] {
                  if (letra.trimmed().isEmpty())
                      letra = QStringLiteral("X");
                  filtro = Filtro(sucursal, letra);
              },
              [&] {
                  AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE  WHERE CODIGO = ") +
                                            Txt(UT().RellenaCodigo(TC.trimmed(), 4)) + QStringLiteral(" ") +
                                            filtro,
                                        rs);
                  if (rs.Eof())
                      filtro.clear();
              },
              [&] {
                  AbreRangos({TC, filtro, unidadNegocio}, rs);
                  hayRangos = !rs.Eof();
                  if (!hayRangos) {
                      sucursal = QStringLiteral("1");
                      numero = QStringLiteral("1");
                      letra = QStringLiteral("X");
                  }
              },
              [&] {
                  for (; hayRangos && !rs.Eof(); rs.MoveNext())
                      if (TomaSiSirve(TC, rs, fechaReferencia, eleccion))
                          break;
              },
              [&] {
                  if (!hayRangos)
                      return;
                  letra = letra.trimmed();
                  if (eleccion.agotado)
                      AvisaTalonariosUtilizados(TC);
              },
              [&] { AD().CierraRecordset(rs); },
          });
}
