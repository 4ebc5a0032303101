#include "TandasSql.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "ErroresSqlServer.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Recorte.h"
#include "ReportaError.h"

#include <optional>
#include <vector>

namespace {

std::function<void()>& AntesDeConfirmar() {
    static std::function<void()> accion;
    return accion;
}
[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { AntesDeConfirmar() = nullptr; });

const QString kCR = QStringLiteral("\r");

// Runs one statement with its failure ignored: what counts is the connection's error list.
// The exception is returned for a failure that left the list empty.
std::optional<ErrorSistema> EjecutaSinError(const QString& sql) {
    try {
        AD().EjecutaSQL(sql);
    } catch (const ErrorSistema& e) {
        return e;
    } catch (const std::exception& e) {
        return ErrorSistema(-1, QString::fromLocal8Bit(e.what()));
    }
    return std::nullopt;
}

// The refusal of the last call: from the error list, or from the raised error when the list is
// empty. Clears the list.
struct Rechazo {
    bool hay = false;
    long numero = 0;
    QString lineas;
    QString primeraDescripcion;
    QStringList palabras; // a number another station stored first, told in words
};

// What the user is told when another station stored the same voucher number first.
const QString kNumeroTomado = QStringLiteral("El número del comprobante ya fue tomado por otro puesto: no se "
                                             "grabó nada. Vuelva a grabar y se tomará el siguiente número.");

Rechazo LeeRechazo(const std::optional<ErrorSistema>& lanzado) {
    Rechazo r;
    Errores& errores = AD().LeeConexion().Errors();
    const int cuenta = errores.Count();
    if (cuenta > 0) {
        r.hay = true;
        r.numero = errores.Item(0).NativeError;
        r.primeraDescripcion = errores.Item(0).Description;
        // The server closes every refused statement's errors with one entry of its own.
        const int ultima = cuenta == 1 ? 0 : cuenta - 2;
        std::vector<ErrorBD> lista;
        for (int i = 0; i < cuenta; ++i) {
            const ErrorBD& e = errores.Item(i);
            if (i <= ultima)
                r.lineas += LineaErrorBD(e.NativeError, e.Description);
            lista.push_back(e);
        }
        // The words look at every entry: two checks refused leave no trailing entry after them.
        r.palabras = PalabrasDeRechazo(lista, kNumeroTomado).palabras;
        errores.Clear();
    } else if (lanzado) {
        r.hay = true;
        r.numero = lanzado->Numero();
        r.primeraDescripcion = lanzado->Descripcion();
        r.lineas = LineaErrorBD(lanzado->Numero(), lanzado->Descripcion());
    }
    return r;
}

} // namespace

QString LineaErrorBD(long numero, const QString& descripcion) {
    return QString::number(numero) + QStringLiteral(" : ") + descripcion + QStringLiteral("\r\n");
}

// A duplicate key of the register of used numbers or of the stock movements (the server names
// their tables, the embedded database the views'), or a check of the saving batch that says so.
bool EsNumeroTomado(long numero, const QString& descripcion) {
    if (numero == sqlserver::kErrorUsuario)
        return descripcion.contains(QLatin1StringView(kTomadoPorOtro));
    return sqlserver::EsClaveDuplicada(numero) &&
           (descripcion.contains(QLatin1StringView("CTROL_CPTE"), Qt::CaseInsensitive) ||
            descripcion.contains(QLatin1StringView("MV_STOCK"), Qt::CaseInsensitive));
}

PalabrasRechazo PalabrasDeRechazo(const std::vector<ErrorBD>& errores, const QString& clave) {
    PalabrasRechazo r;
    QStringList sinArreglo;
    for (const ErrorBD& e : errores) {
        if (EsNumeroTomado(e.NativeError, e.Description)) {
            // A check of the batch says it in its own words; a key refused the row.
            const QString dicho = e.NativeError == sqlserver::kErrorUsuario ? e.Description : clave;
            if (!r.palabras.contains(dicho))
                r.palabras << dicho;
        } else if (e.NativeError == sqlserver::kErrorUsuario &&
                   e.Description.contains(QLatin1StringView(kTablasDistintas)) &&
                   !sinArreglo.contains(e.Description)) {
            sinArreglo << e.Description;
        }
    }
    r.tomado = !r.palabras.isEmpty() && sinArreglo.isEmpty();
    // Saving again would take another number and be refused the same way: only what must be
    // mended is told.
    if (!sinArreglo.isEmpty())
        r.palabras = sinArreglo;
    return r;
}

QString TextoNumeroTomado() {
    return kNumeroTomado;
}

// Long on purpose: the batch's steps (send, commit, roll back, report), run in order by EjecutaPasos.
// NOLINTNEXTLINE(readability-function-size)
void GActualizarDatoScript(const QStringList& sentencias, bool& hayError, qint32& numeroError,
                           bool ignoraDuplicados, bool ignoraReferencias, QString& tanda, QString& mensajes,
                           bool mostrar) {
    // A template's batch holds thousands of statements: one buffer, no copies.
    qsizetype largo = 0;
    for (const QString& sentencia : sentencias)
        largo += 1 + sentencia.size();
    QString cuerpo;
    cuerpo.reserve(largo);
    for (const QString& sentencia : sentencias)
        if (TieneTexto(sentencia)) {
            cuerpo += kCR;
            cuerpo += sentencia;
        }
    hayError = false;
    if (cuerpo.isEmpty())
        return;

    QString texto;
    Rechazo rechazo;
    bool enviado = false;
    bool cerrado = false;

    // A refusal (of the batch or of its commit): rolled back, recorded and, unless quiet, shown.
    const auto revierte = [&] {
        hayError = true;
        mensajes = rechazo.lineas;
        if ((ignoraDuplicados && sqlserver::EsClaveDuplicada(rechazo.numero)) ||
            (ignoraReferencias && rechazo.numero == sqlserver::kConflictoRestriccion)) {
            mensajes = rechazo.primeraDescripcion;
            rechazo.lineas.clear();
        }
        EjecutaSinError(QStringLiteral("ROLLBACK TRANSACTION"));
        AD().LeeConexion().Errors().Clear();
        cerrado = true;
        QString proceso = NombreEjecutable();
        RegistraErrorBD(texto, proceso, static_cast<qint32>(rechazo.numero), rechazo.lineas);
        // A number taken is told in words alone; the database's lines stay in the error row.
        if (!rechazo.palabras.isEmpty() && TieneTexto(rechazo.lineas))
            mensajes = rechazo.palabras.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        if (TieneTexto(rechazo.lineas) && mostrar)
            interaccion().MsgBox(mensajes, Estilo::SoloAceptar | Estilo::Critico,
                                 QStringLiteral("Aviso al Operador!"));
    };

    const std::vector<Paso> pasos = {
        [&] {
            static const QString kInicio = QStringLiteral("BEGIN TRANSACTION ") + kCR + kCR;
            texto.reserve(kInicio.size() + cuerpo.size() + 1);
            texto += kInicio;
            texto += cuerpo;
            texto += kCR;
            tanda = texto;
        },
        [&] {
            AD().LeeConexion().Errors().Clear();
            enviado = true;
            rechazo = LeeRechazo(EjecutaSinError(texto));
        },
        [&] {
            if (rechazo.hay)
                revierte();
        },
        [&] {
            if (hayError)
                return;
            if (AntesDeConfirmar())
                AntesDeConfirmar()();
            rechazo = LeeRechazo(EjecutaSinError(QStringLiteral("COMMIT TRANSACTION")));
            if (rechazo.hay)
                revierte(); // a refused commit would otherwise be committed by whoever commits next
            else
                cerrado = true;
        },
        [&] { numeroError = static_cast<qint32>(rechazo.numero); },
    };

    const bool completo = EjecutaPasos(pasos, [](const ErrorSistema& e) {
        return ReportaError(e, Estilo::AbortarReintentarIgnorar | Estilo::Critico,
                            QStringLiteral("GActualizarDatoScript"));
    });
    if (!completo && enviado && !cerrado) {
        // Left halfway: the batch must not stay open for a later commit.
        hayError = true;
        EjecutaSinError(QStringLiteral("ROLLBACK TRANSACTION"));
        AD().LeeConexion().Errors().Clear();
    }
}

void EstableceAntesDeConfirmar(std::function<void()> accion) {
    AntesDeConfirmar() = std::move(accion);
}
