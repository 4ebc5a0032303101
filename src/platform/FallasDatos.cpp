#include "FallasDatos.h"

#include "FuncionesSqlite.h"

namespace ad {

const QString kTextoSentenciaTerminada = QStringLiteral("The statement has been terminated.");

void Falla(long numero, const QString& descripcion) {
    throw Fallas{{{numero, descripcion}}};
}

Fallas FallasSqlite(int codigo, const QString& mensaje) {
    long numero = codigo;
    const int primario = codigo & 0xff;
    auto dice = [&mensaje](const char* texto) {
        return mensaje.contains(QLatin1StringView(texto), Qt::CaseInsensitive);
    };
    if (primario == 19) { // SQLITE_CONSTRAINT
        if (mensaje == QLatin1StringView(kTextoTruncado))
            numero = sqlserver::kDatosTruncados;
        else if (codigo == 2067) // a unique index (the schema declares no UNIQUE constraints)
            numero = sqlserver::kFilaDuplicada;
        else if (codigo == 1555 || dice("UNIQUE constraint") || dice("PRIMARY KEY"))
            numero = kClaveDuplicada;
        else if (codigo == 787 || codigo == 275 || codigo == 1811 || dice("FOREIGN KEY") ||
                 dice("CHECK constraint"))
            numero = kConflictoRestriccion;
        else if (codigo == 1299 || dice("NOT NULL"))
            numero = sqlserver::kNuloNoAdmitido;
    } else if (primario == 5 || primario == 6) { // SQLITE_BUSY, SQLITE_LOCKED
        numero = sqlserver::kEsperaBloqueoAgotada;
    } else if (primario == 1) { // SQLITE_ERROR
        if (dice("no such table"))
            numero = sqlserver::kTablaInexistente;
        else if (dice("no such column"))
            numero = sqlserver::kColumnaInexistente;
        else if (dice("syntax error") || dice("incomplete input") || dice("unrecognized token"))
            numero = sqlserver::kErrorSintaxis;
    }
    Fallas f;
    f.lista.push_back({numero, mensaje});
    f.lista.push_back({kSentenciaTerminada, kTextoSentenciaTerminada});
    return f;
}

QString LimpiaMensajeDriver(QString mensaje) {
    // "[vendor][driver][server]message", possibly several joined by blanks.
    QString r;
    qsizetype i = 0;
    while (i < mensaje.size()) {
        if (mensaje[i] == u'[') {
            const qsizetype fin = mensaje.indexOf(u']', i);
            if (fin > 0) {
                i = fin + 1;
                continue;
            }
        }
        r += mensaje[i++];
    }
    r = r.simplified();
    // The SQLite driver ends its messages with " (code)".
    if (r.endsWith(u')')) {
        const qsizetype abre = r.lastIndexOf(QStringLiteral(" ("));
        bool numero = abre > 0;
        for (qsizetype k = abre + 2; numero && k < r.size() - 1; ++k)
            numero = r[k].isDigit();
        if (numero && abre + 2 < r.size() - 1)
            r.truncate(abre);
    }
    return r;
}

void RegistraYLanza(Errores& errores, const Fallas& f) {
    for (const ErrorBD& e : f.lista)
        errores.Agrega(e.NativeError, e.Description);
    const ErrorBD primero =
        f.lista.empty() ? ErrorBD{-1, QStringLiteral("Error de la base de datos.")} : f.lista.front();
    throw ErrorSistema(primero.NativeError, primero.Description, QStringLiteral("AccesoDatos"));
}

} // namespace ad
