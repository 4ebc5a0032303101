#include "NumeracionInterno.h"

#include "AccesoDatos.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Regional.h"
#include "TraductorSql.h"

#include <QCoreApplication>
#include <cmath>

namespace numeracion {

QString Txt(const QString& valor) {
    return AD().FormateaValorSQL(valor, QStringLiteral("'"));
}

double Numero(const QVariant& valor) {
    if (valor.isNull())
        return 0;
    bool ok = false;
    const double d = valor.toDouble(&ok);
    return ok ? d : ValNumero(valor.toString());
}

QString Ceros(double valor, int digitos) {
    return QStringLiteral("%1").arg(static_cast<qint64>(std::llround(valor)), digitos, 10, QLatin1Char('0'));
}

QString Decimal(double valor) {
    if (std::nearbyint(valor) == valor && std::fabs(valor) < 1e15)
        return QString::number(static_cast<qint64>(valor));
    return QString::number(valor, 'g', 15);
}

double NumeroDeIdentidad(const QVariant& identidad) {
    return ValNumero(identidad.toString().mid(4, 8));
}

int ComparaFechas(const QString& a, const QString& b) {
    // Expiry counts whole days: the date part of the ISO text.
    const auto dia = [](const QString& t) {
        const QString limpio = t.trimmed();
        return FechaLiteralAIso(limpio).value_or(limpio).left(10);
    };
    const int c = QString::compare(dia(a), dia(b), Qt::CaseInsensitive);
    return (c > 0) - (c < 0);
}

void AvisaTalonariosUtilizados(const QString& TC) {
    interaccion().MsgBox(QStringLiteral("Todos los talonarios del comprobante ") + TC +
                             QStringLiteral(" se encuentran utilizados, debe dar de alta un nuevo "
                                            "talonario para el comprobante ") +
                             TC,
                         Estilo::SoloAceptar, QCoreApplication::applicationName());
}

QString Raiserror(const QString& mensaje) {
    // The server reads the message as a format, where "%%" is one "%".
    return QStringLiteral(" RAISERROR(") + Txt(QString(mensaje).replace(u'%', QStringLiteral("%%"))) +
           QStringLiteral(", 16, 1)");
}

QString ControlNumeroTomado(const QString& tabla, const QString& condicion, const QString& mensaje) {
    return QStringLiteral("IF EXISTS(SELECT * FROM ") + tabla +
           QStringLiteral(" WITH (UPDLOCK, HOLDLOCK) WHERE ") + condicion + u')' + Raiserror(mensaje);
}

bool Pasos(const QString& rutina, std::initializer_list<Paso> pasos) {
    return EjecutaPasos(pasos, [&rutina](const ErrorSistema& e) { return AD().GestionaError(e, rutina); });
}

} // namespace numeracion
