#include "RutinasSql.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"

#include <optional>

namespace {

const QString kConNolock = QStringLiteral("  with(nolock)  WHERE ");

// The type code as a number, as the system compares it (8 and "8" alike); nothing when it
// cannot be compared with a number.
std::optional<double> CodigoTipo(const QVariant& tipo) {
    if (!tipo.isValid() || tipo.isNull())
        return std::nullopt;
    if (tipo.typeId() == QMetaType::QString) {
        const QString texto = tipo.toString().trimmed();
        if (!Regional::EsNumero(texto))
            return std::nullopt;
        return Regional::LeeDoble(texto);
    }
    bool ok = false;
    const double v = tipo.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QString Duplica(const QString& texto) {
    QString r = texto;
    return r.replace(u'\'', QStringLiteral("''"));
}

// A Boolean as the system reads any value: numbers (0 false), "True"/"False", numeric texts.
std::optional<bool> LeeBooleano(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return false;
    if (valor.typeId() == QMetaType::Bool)
        return valor.toBool();
    if (valor.typeId() == QMetaType::QString) {
        const QString t = valor.toString().trimmed();
        if (t.compare(QLatin1StringView("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1StringView("false"), Qt::CaseInsensitive) == 0)
            return false;
        if (!Regional::EsNumero(t))
            return std::nullopt;
        return *Regional::LeeDoble(t) != 0.0;
    }
    bool ok = false;
    const double v = valor.toDouble(&ok);
    return ok ? std::optional<bool>(v != 0.0) : std::nullopt;
}

} // namespace

QString SentenciaAbreRecordset(const QString& tabla, const QString& valor, const QString& columna,
                               const QVariant& tipo, const QString& condicion) {
    const QString inicio = QStringLiteral("SELECT * FROM ") + tabla;
    if (!condicion.isEmpty()) {
        const bool conWhere = condicion.contains(QLatin1StringView(" WHERE "), Qt::CaseInsensitive);
        return inicio + QStringLiteral(" with(nolock)  ") +
               (conWhere ? QStringLiteral(" ") : QStringLiteral(" WHERE ")) + condicion;
    }
    const std::optional<double> codigo = CodigoTipo(tipo);
    if (!codigo)
        throw ErrorSistema(13, QStringLiteral("No coinciden los tipos"), QStringLiteral("AbreRecordset"));
    if (*codigo == 8)
        return inicio + kConNolock + QStringLiteral("LTRIM(RTRIM(") + columna + QStringLiteral(")) ='") +
               Duplica(valor) + u'\'';
    // A number key: the number its text reads as (empty 0), never the text itself.
    if (*codigo == 7)
        return inicio + kConNolock + columna + QStringLiteral(" = ") +
               AD().FormateaValorSQL(QString(valor).remove(u' '), QStringLiteral("@")) + u' ';
    if (*codigo == 3 || *codigo == 4 || *codigo == 5)
        return inicio + kConNolock + columna + QStringLiteral(" = ") +
               AD().FormateaValorSQL(ValNumero(valor), QStringLiteral("@"));
    return inicio + kConNolock + columna + QStringLiteral(" = ") + valor;
}

bool AbreRecordset(const QString& tabla, const QString& valor, const QString& columna, Registros* rs,
                   const QVariant& tipo, const QString& condicion, bool soloLectura) {
    bool hallado = false;
    QString sql;
    Registros propio;
    Registros& destino = rs ? *rs : propio;
    const auto reporta = [](const ErrorSistema& e) {
        return interaccion().MsgBox(e.Descripcion(), Estilo::AbortarReintentarIgnorar | Estilo::Critico,
                                    QStringLiteral("Aviso al Operador"));
    };
    EjecutaPasos({
                     [&] { sql = SentenciaAbreRecordset(tabla, valor, columna, tipo, condicion); },
                     [&] { sql = AD().TraduceSQL(sql); },
                     [&] {
                         if (destino.State() != 0)
                             destino.Close();
                     },
                     [&] {
                         if (!rs || soloLectura)
                             destino.Open(sql, AD().LeeConexion(), TipoCursor::SoloAvance,
                                          TipoBloqueo::SoloLectura);
                         else
                             destino.Open(sql, AD().LeeConexion());
                     },
                     [&] { hallado = !destino.Bof(); },
                     [&] {
                         if (!rs)
                             destino.Close();
                     },
                 },
                 reporta);
    return hallado;
}

QString ArmaWhere(const QString& columna, const QString& operador, const QStringList& lista,
                  const QString& conector, const QString& comilla, const QVariant& agregaNulo,
                  bool saltaBlancos) {
    const std::optional<bool> nulo = LeeBooleano(agregaNulo);
    if (lista.isEmpty() || !nulo)
        return QStringLiteral("1=1");
    const bool duplica = comilla == QLatin1StringView("'");
    const auto comparacion = [&](const QString& elemento) {
        return columna + operador + comilla + (duplica ? Duplica(elemento) : elemento) + comilla;
    };
    QString resultado = comparacion(lista.at(0));
    for (qsizetype i = 1; i < lista.size(); ++i) {
        if (saltaBlancos && QString(lista.at(i)).remove(u' ').isEmpty())
            continue;
        resultado += conector + comparacion(lista.at(i));
    }
    if (*nulo)
        resultado += conector + columna + QStringLiteral(" is null ");
    return resultado;
}

QString AdaptaSQLMotor(const QString& sql) {
    return AdaptaSQLMotor(sql, AD().LeeCadenaConexion());
}

QString AdaptaSQLMotor(const QString& sql, const QString& cadenaConexion) {
    if (!cadenaConexion.contains(QLatin1StringView("oracle"), Qt::CaseInsensitive))
        return sql;
    if (UT().CuentaPalabras(sql) <= 1)
        return sql.compare(QLatin1StringView("LEN"), Qt::CaseInsensitive) == 0 ? QStringLiteral("LENGTH")
                                                                               : sql;
    if (!sql.contains(QLatin1StringView("top "), Qt::CaseInsensitive))
        return sql;
    const qsizetype p = sql.indexOf(QLatin1StringView("top"), 0, Qt::CaseInsensitive);
    const qsizetype asterisco = sql.indexOf(u'*', p + 3);
    if (asterisco < 0)
        throw ErrorSistema(5, QStringLiteral("Llamada a procedimiento o argumento no válido"),
                           QStringLiteral("AdaptaSQLMotor"));
    const QString n = sql.mid(p + 3, asterisco - p - 3);
    return sql.left(p) + QStringLiteral(" * ") + sql.mid(asterisco + 1) +
           QStringLiteral(" WHERE ROWNUM <= ") + n;
}

qint16 BuscaEnArray(const QStringList& lista, const QString& texto, qint16 inicio) {
    if (inicio < 0)
        throw ErrorSistema(9, QStringLiteral("El subíndice está fuera del intervalo"),
                           QStringLiteral("BuscaEnArray"));
    for (qsizetype i = inicio; i < lista.size(); ++i)
        if (lista.at(i).compare(texto, Qt::CaseInsensitive) == 0)
            return static_cast<qint16>(i);
    return -1;
}
