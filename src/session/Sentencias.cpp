#include "Sentencias.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"

namespace {

[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { ListaCampos().clear(); });

// An empty list would give a statement without columns: refused before it is built.
void ExigePares(const ParesCampos& pares) {
    if (pares.empty())
        throw ErrorSistema(9, QStringLiteral("Subscript out of range"), QStringLiteral("ListaCampos"));
}

// The pairs' column names or literals joined by "," onto `texto`.
void Une(QString& texto, const ParesCampos& pares, QString ParCampo::*miembro) {
    for (size_t i = 0; i < pares.size(); ++i) {
        if (i > 0)
            texto += QLatin1Char(',');
        texto += pares[i].*miembro;
    }
}

QString Columnas(const ParesCampos& pares) {
    QString r;
    Une(r, pares, &ParCampo::campo);
    return r;
}

QString Literales(const ParesCampos& pares) {
    QString r;
    Une(r, pares, &ParCampo::valor);
    return r;
}

} // namespace

ParesCampos& ListaCampos() {
    static ParesCampos lista;
    return lista;
}

QString LiteralCampo(QString& valor, const QString& marcador) {
    if (valor.contains(QLatin1Char('\'')))
        valor.remove(QLatin1Char('\''));
    if (valor.contains(QChar(u'\0')))
        valor.remove(QChar(u'\0'));
    return valor.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("Null")
               : AD().FormateaValorSQL(valor, marcador);
}

void AgregaCampo(const QString& campo, QString& valor, const QString& marcador, bool primero) {
    auto& lista = ListaCampos();
    QString literal = LiteralCampo(valor, marcador);
    if (primero)
        lista.clear();
    lista.push_back({campo, std::move(literal)});
}

void ArmaSentencia(ParesCampos& pares, QStringList& sentencias, const QString& tabla, bool actualiza,
                   QString& condicion, bool conservaPares) {
    ExigePares(pares);
    QString sentencia;
    if (actualiza) {
        QStringList asignaciones;
        for (const auto& par : pares)
            asignaciones << par.campo + QStringLiteral(" = ") + par.valor;
        if (!condicion.contains(QLatin1String("WHERE"), Qt::CaseInsensitive))
            condicion = QStringLiteral(" WHERE ") + condicion;
        sentencia = QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") +
                    asignaciones.join(QLatin1Char(',')) + QStringLiteral(" ") + condicion;
    } else {
        qsizetype largo = tabla.size() + 24;
        for (const auto& par : pares)
            largo += par.campo.size() + par.valor.size() + 2;
        sentencia.reserve(largo);
        sentencia += QLatin1StringView("INSERT INTO ");
        sentencia += tabla;
        sentencia += QLatin1StringView(" (");
        Une(sentencia, pares, &ParCampo::campo);
        sentencia += QLatin1StringView(") VALUES (");
        Une(sentencia, pares, &ParCampo::valor);
        sentencia += QLatin1Char(')');
    }
    sentencias << sentencia << QString();
    if (!conservaPares)
        pares.clear();
}

void ArmaValues(QString& sentencia, ParesCampos& pares, bool borra) {
    ExigePares(pares);
    sentencia += QStringLiteral("(") + Columnas(pares) + QStringLiteral(") VALUES (") + Literales(pares) +
                 QStringLiteral(")");
    if (borra)
        pares.clear();
}
