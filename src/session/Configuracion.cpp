#include "Configuracion.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Recorte.h"
#include "Registros.h"
#include "ReportaError.h"
#include "Utilidades.h"

QString gTablaConfiguracion;

namespace {

[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { gTablaConfiguracion.clear(); });

// The key's text quoted as a literal, so that a key holding an apostrophe cannot end it.
QString LiteralClave(const AccesoDatos& ad, const QString& clave) {
    return ad.FormateaValorSQL(clave, QStringLiteral("'"));
}

QString LeeConfiguracion(AccesoDatos& ad, const QString& clave, QString& valorAux, const QString& rutina) {
    QString resultado;
    QString sql;
    Registros rs;
    const bool completo = EjecutaPasos(
        {
            [&] {
                if (!TieneTexto(gTablaConfiguracion))
                    gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
            },
            [&] {
                const QString recortada = RecortaBlancos(clave);
                sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + gTablaConfiguracion +
                      QStringLiteral(" with(nolock)  WHERE CLAVE = ") + LiteralClave(ad, recortada);
                if (recortada.compare(QLatin1String("[FECHA HASTA]"), Qt::CaseInsensitive) == 0 ||
                    recortada.compare(QLatin1String("[FECHA DESDE]"), Qt::CaseInsensitive) == 0)
                    sql = sql.toUpper();
            },
            [&] { ad.ObtieneRecordset(sql, rs); },
            [&] {
                if (rs.Eof()) {
                    resultado = QStringLiteral(" ");
                    valorAux.clear();
                } else {
                    resultado = UT().ValorATexto(UT().ValorCampo(rs.Fields(QStringLiteral("Valor"))));
                    valorAux = UT().ValorATexto(UT().ValorCampo(rs.Fields(QStringLiteral("ValorAux"))));
                }
            },
            [&] { ad.CierraRecordset(rs); },
            [&] {
                if (clave.compare(QLatin1String("THEME"), Qt::CaseInsensitive) == 0 && !TieneTexto(resultado))
                    resultado = QStringLiteral("1");
            },
        },
        // Retry reads the setting again; going on as if it were empty would change what the caller does.
        [&](const ErrorSistema& e) {
            return ReportaError(e, Estilo::AbortarReintentarIgnorar | Estilo::Critico, rutina);
        });
    if (!completo) {
        try {
            ad.CierraRecordset(rs);
        } catch (const std::exception&) {
        }
        return {};
    }
    return resultado;
}

void GrabaConfiguracion(AccesoDatos& ad, const QString& clave, const QVariant& valor, const QString& valorAux,
                        bool politicaNegocio, const QString& grupo, bool recortaValor) {
    QString sql;
    Registros rs;
    EjecutaPasos(
        {
            [&] {
                // Looked up as it is stored, so that blanks around the key never add a second row.
                sql = QStringLiteral("SELECT * FROM ") + gTablaConfiguracion +
                      QStringLiteral(" with(nolock)  WHERE CLAVE = ") +
                      LiteralClave(ad, RecortaBlancos(clave));
            },
            [&] {
                ad.ObtieneRecordset(sql, rs, &ad.LeeConexion(), TipoCursor::Dinamico, TipoBloqueo::Optimista);
            },
            [&] {
                if (rs.Eof())
                    rs.AddNew();
                else
                    rs.MoveFirst();
            },
            [&] { rs.AsignaCampo(QStringLiteral("Grupo"), UT().ValorCampo(grupo)); },
            [&] {
                rs.AsignaCampo(QStringLiteral("Clave"), UT().ValorCampo(RecortaBlancos(clave).toUpper()));
            },
            [&] {
                if (valor.isNull())
                    rs.AsignaCampo(QStringLiteral("Valor"), QVariant());
                else if (recortaValor)
                    rs.AsignaCampo(QStringLiteral("Valor"), RecortaBlancos(UT().ValorATexto(valor)));
                else
                    rs.AsignaCampo(QStringLiteral("Valor"), UT().ValorATexto(valor));
            },
            [&] { rs.AsignaCampo(QStringLiteral("PoliticaNegocio"), UT().ValorCampo(politicaNegocio)); },
            [&] {
                if (!valorAux.isEmpty())
                    rs.AsignaCampo(QStringLiteral("ValorAux"), UT().ValorCampo(RecortaBlancos(valorAux)));
            },
            [&] { rs.Update(); },
            [&] { ad.CierraRecordset(rs); },
        },
        SiempreSiguiente);
}

} // namespace

QString Cfg(const QString& clave, QString& valorAux) {
    if (!AD().EstaConectado())
        return {};
    return LeeConfiguracion(AD(), clave, valorAux, QStringLiteral("Cfg"));
}

QString Cfg(const QString& clave) {
    QString valorAux;
    return Cfg(clave, valorAux);
}

bool CfgEsSi(const QString& clave) {
    return Cfg(clave).trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

QString CfgCV(const QString& clave, QString& valorAux) {
    return LeeConfiguracion(gBaseEstadisticas(), clave, valorAux, QStringLiteral("CfgCV"));
}

QString CfgCV(const QString& clave) {
    QString valorAux;
    return CfgCV(clave, valorAux);
}

void GrabaDfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
              const QString& grupo, bool recortaValor) {
    GrabaConfiguracion(AD(), clave, valor, valorAux, politicaNegocio, grupo, recortaValor);
}

void GrabaCfgCV(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
                const QString& grupo, bool recortaValor) {
    GrabaConfiguracion(gBaseEstadisticas(), clave, valor, valorAux, politicaNegocio, grupo, recortaValor);
}
