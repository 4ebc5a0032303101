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

QString Columnas(const ParesCampos& pares) {
    QStringList r;
    for (const auto& par : pares)
        r << par.campo;
    return r.join(QLatin1Char(','));
}

QString Literales(const ParesCampos& pares) {
    QStringList r;
    for (const auto& par : pares)
        r << par.valor;
    return r.join(QLatin1Char(','));
}

} // namespace

ParesCampos& ListaCampos() {
    static ParesCampos lista;
    return lista;
}

void AgregaCampo(const QString& campo, QString& valor, const QString& marcador, bool primero) {
    auto& lista = ListaCampos();
    valor.remove(QLatin1Char('\''));
    const QString literal = valor.toUpper() == QLatin1String("NULL") ? QStringLiteral("Null")
                                                                     : AD().FormateaValorSQL(valor, marcador);
    if (primero)
        lista.clear();
    lista.push_back({campo, literal});
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
        sentencia = QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" (") + Columnas(pares) +
                    QStringLiteral(") VALUES (") + Literales(pares) + QStringLiteral(")");
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
