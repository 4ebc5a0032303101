// The checks a posting's saving batch carries, that no other station stored a number the voucher
// was given (its identity, its discharge's, its automatic lot), and the transactions of per-line
// mode, one per grid row (a savepoint per row inside a transaction of the caller's), which carry
// them.

#include "PosteoStock.h"

#include "AccesoDatos.h"
#include "ErroresSqlServer.h"
#include "Globales.h"
#include "NumeracionInterno.h"
#include "Registros.h"
#include "ReportaError.h"
#include "TandasSql.h"

#include <optional>

namespace {

const QChar kCr = QLatin1Char('\r');

// The connection's error list, as the database left it.
std::vector<ErrorBD> ErroresDeConexion() {
    const Errores& lista = AD().LeeConexion().Errors();
    std::vector<ErrorBD> r;
    r.reserve(static_cast<size_t>(lista.Count()));
    for (int i = 0; i < lista.Count(); ++i)
        r.push_back(lista.Item(i));
    return r;
}

// Runs `texto`: what the database refused; a failure that reached no database goes into `lanzado`.
std::vector<ErrorBD> Ejecuta(const QString& texto, std::optional<ErrorSistema>& lanzado) {
    try {
        AD().EjecutaSQL(texto);
    } catch (const ErrorSistema& e) {
        lanzado = e;
    }
    return ErroresDeConexion();
}

// Undoes what a refused row left; false when the database refused that too.
bool Deshace(const QString& sql) {
    try {
        AD().EjecutaSQL(sql);
        return true;
    } catch (const ErrorSistema&) {
        return false;
    }
}

// The depth of the transaction after a refusal; -1 when the database does not tell.
int NivelTrasRechazo() {
    try {
        return NivelTransaccion();
    } catch (const ErrorSistema&) {
        return -1;
    }
}

// Stores a grid row's statements. Without a transaction of the caller's (`nivelLlamador` 0) in
// one of its own, committed, or rolled back on a refusal. Inside the caller's, after a savepoint
// that a refusal goes back to, so that the caller's work and the rows before stay in its
// transaction; unless the database ended that transaction itself (its depth fell): then nothing
// of it stayed; or unless the caller ended it while the posting yielded (the savepoint refused
// and the depth below the caller's): then nothing of the row ran. A refusal raises Rechazo; a
// failure that reached no database is raised as it came.
void EnviaFila(const QString& cuerpo, int nivelLlamador) {
    static const QString kPunto = QStringLiteral("FilaPosteo");
    static const QString kGuarda = QStringLiteral("SAVE TRANSACTION ") + kPunto;
    std::optional<ErrorSistema> lanzado;
    const auto bien = [&lanzado](const std::vector<ErrorBD>& e) { return e.empty() && !lanzado; };
    const bool propia = nivelLlamador == 0;
    std::vector<ErrorBD> errores;
    // A savepoint that was refused is not there to go back to: the name would take the row
    // before back with it.
    const bool guardado = propia || bien(errores = Ejecuta(kGuarda, lanzado));
    if (guardado)
        errores = Ejecuta(propia ? QStringLiteral("BEGIN TRANSACTION") + cuerpo : cuerpo, lanzado);
    if (propia && bien(errores))
        errores = Ejecuta(QStringLiteral("COMMIT TRANSACTION"), lanzado);
    if (bien(errores))
        return;
    bool terminada = false;
    bool cerrada = false;
    if (propia) {
        // Nothing of the row may stay open for whoever commits next; a failure means that the
        // database ended it already.
        Deshace(QStringLiteral("ROLLBACK TRANSACTION"));
    } else {
        const int nivel = NivelTrasRechazo();
        cerrada = !guardado && nivel >= 0 && nivel < nivelLlamador;
        terminada = !cerrada && nivel < nivelLlamador;
        if (!terminada && guardado)
            terminada = !Deshace(QStringLiteral("ROLLBACK TRANSACTION ") + kPunto);
    }
    AD().LeeConexion().Errors().Clear();
    if (errores.empty())
        throw ErrorSistema(*lanzado);
    throw Rechazo{std::move(errores), (propia ? QStringLiteral("BEGIN TRANSACTION") : kGuarda) + cuerpo,
                  terminada, cerrada, std::nullopt};
}

// The condition on the rows the posting stores under the voucher's identity (or the
// discharge's), past those it held already, as they are written (a purchase writes no
// complement).
QString CondicionIdentidad(const Posteo& p, bool descarga) {
    QString condicion = QStringLiteral("TC = ") +
                        AD().FormateaValorSQL(RellenaRecortado(descarga ? QStringLiteral("PE") : p.TC, 4),
                                              QStringLiteral("'")) +
                        QStringLiteral(" AND IdComprobante = ") +
                        AD().FormateaValorSQL(descarga ? p.idDescarga : p.SucNroLetra, QStringLiteral("'"));
    if (!p.compras)
        condicion += QStringLiteral(" AND IdComplemento = ") + p.IdComplemento;
    return condicion + QStringLiteral(" AND Secuencia > ") +
           TextoSecuencia(descarga ? 0 : p.secuenciaInicial);
}

// Whether the rows the posting stored before are in the database, the caller's transaction
// ended; empty when the database does not tell.
std::optional<bool> QuedaronGuardadas(const Posteo& p) {
    try {
        Registros rs;
        AD().ObtieneRecordset(QStringLiteral("SELECT COUNT(*) FROM V_MV_STOCK WHERE ") +
                                  CondicionIdentidad(p, !p.guardoPropias),
                              rs);
        const bool hay = !rs.Eof() && rs.Fields(0).toLongLong() > 0;
        AD().CierraRecordset(rs);
        return hay;
    } catch (const ErrorSistema&) {
        return std::nullopt;
    }
}

void LimpiaFila(Posteo& p) {
    p.tandaFila.clear();
    p.filaPropia = p.filaLote = p.filaDescarga = p.filaAsiento = false;
}

// What is stored of a per-line posting refused now; with `tomado`, a number another station
// took, which saving again draws anew when nothing was stored. `dentro`: the lines before stay
// inside the caller's transaction, which has not ended yet.
QString Parcial(const Posteo& p, bool tomado, bool dentro = false) {
    if (!p.guardoPropias && !p.guardoDescarga)
        return tomado ? QStringLiteral("No se grabó nada. Vuelva a grabar y se tomará el siguiente número.")
                      : QStringLiteral("No se grabó nada.");
    const QString n = QString::number(p.fila);
    QString lineas;
    QString resto;
    if (p.enDescarga) {
        lineas =
            QStringLiteral("las líneas del comprobante y, de la descarga de insumos, las anteriores a la "
                           "línea %1")
                .arg(n);
        resto = QStringLiteral("desde la línea %1 de la descarga no se grabó nada.").arg(n);
    } else if (p.pasada == 2) {
        lineas =
            QStringLiteral("las líneas de la primera pasada y, de la segunda, las anteriores a la línea %1")
                .arg(n);
        resto = QStringLiteral("desde la línea %1 de la segunda pasada no se grabó nada.").arg(n);
    } else {
        lineas = QStringLiteral("las líneas anteriores a la línea %1").arg(n);
        resto = QStringLiteral("desde la línea %1 no se grabó nada.").arg(n);
    }
    if (!dentro)
        return QStringLiteral("Quedaron grabadas ") + lineas + QStringLiteral("; ") + resto;
    lineas[0] = lineas[0].toUpper();
    return lineas +
           QStringLiteral(" quedaron dentro de la transacción en curso, cuyo final decide si se graban; ") +
           resto;
}

// The caller's transaction ended while the posting yielded: which lines its COMMIT kept, or
// that its ROLLBACK kept none.
QString Cerrada(const Posteo& p, const Rechazo& r) {
    if (!p.guardoPropias && !p.guardoDescarga)
        return QStringLiteral(
            "La transacción en curso terminó mientras se grababa el comprobante, antes de su "
            "primera línea. No se grabó nada.");
    if (!r.guardadas)
        return QStringLiteral(
            "La transacción en curso terminó mientras se grababa el comprobante y no se pudo "
            "leer qué quedó grabado de él: debe verificarse.");
    if (*r.guardadas)
        return QStringLiteral(
                   "La transacción en curso se confirmó mientras se grababa el comprobante: su COMMIT "
                   "guardó lo grabado hasta entonces. ") +
               Parcial(p, false);
    return QStringLiteral("La transacción en curso se deshizo mientras se grababa el comprobante: no quedó "
                          "grabado nada de este comprobante ni de lo demás grabado en ella.");
}

} // namespace

QString ControlIdentidadPosteo(const Posteo& p, bool descarga) {
    const QString condicion = CondicionIdentidad(p, descarga);
    QString mensaje = TextoNumeroTomado();
    if (!p.GeneraSentenciaSQL)
        mensaje =
            descarga ? QStringLiteral("El número del comprobante de la descarga de insumos ya fue tomado por "
                                      "otro puesto.")
                     : QStringLiteral("El número del comprobante ya fue tomado por otro puesto.");
    return numeracion::ControlNumeroTomado(QStringLiteral("V_MV_STOCK"), condicion, mensaje);
}

QString ControlLotePosteo(const Posteo& p) {
    const QString lote = p.loteAutomatico.trimmed();
    return numeracion::ControlNumeroTomado(
        QStringLiteral("V_MV_STOCK"),
        QStringLiteral("NroLote = ") + AD().FormateaValorSQL(p.loteAutomatico, QStringLiteral("'")),
        p.GeneraSentenciaSQL
            ? QStringLiteral(
                  "El lote automático %1 ya fue tomado por otro comprobante: no se grabó nada. Vuelva a "
                  "grabar y se tomará el siguiente lote.")
                  .arg(lote)
            : QStringLiteral("El lote automático %1 ya fue tomado por otro comprobante.").arg(lote));
}

void EmiteSentenciaPosteo(Posteo& p, const QString& sql) {
    QString& destino = p.GeneraSentenciaSQL ? p.SqlTemp : p.tandaFila;
    destino += kCr;
    destino += sql;
}

void GrabaFilaPosteo(Posteo& p) {
    if (p.tandaFila.trimmed().isEmpty())
        return;
    // Each check goes with the first row that stores its number: once stored, another station's
    // check finds it.
    QString controles;
    if (p.filaPropia && !p.guardoPropias)
        controles += kCr + ControlIdentidadPosteo(p, false);
    if (p.filaLote && !p.guardoLote)
        controles += kCr + ControlLotePosteo(p);
    if (p.filaDescarga && !p.guardoDescarga)
        controles += kCr + ControlIdentidadPosteo(p, true);
    try {
        EnviaFila(controles + p.tandaFila, p.nivelLlamador);
    } catch (Rechazo& r) {
        if (r.cerrada && (p.guardoPropias || p.guardoDescarga))
            r.guardadas = QuedaronGuardadas(p);
        throw;
    }
    p.guardoPropias = p.guardoPropias || p.filaPropia;
    p.guardoLote = p.guardoLote || p.filaLote;
    p.guardoDescarga = p.guardoDescarga || p.filaDescarga;
    p.guardoAsiento = p.guardoAsiento || p.filaAsiento;
    CedeTurnoPosteo();
}

void TerminaFila(Posteo& p) {
    if (p.GeneraSentenciaSQL)
        return;
    Protegido(p, [&] { GrabaFilaPosteo(p); });
    // Stored, or left out by Ignore.
    LimpiaFila(p);
}

int NivelTransaccion() {
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT @@TRANCOUNT"), rs);
    const int nivel = rs.Eof() ? 0 : rs.Fields(0).toInt();
    AD().CierraRecordset(rs);
    return nivel;
}

QString MensajeRechazo(const Posteo& p, const Rechazo& r, bool dentro) {
    // A check's refusal is told in its words alone (a number another station took in the key's
    // too); any other refusal in the database's words.
    const PalabrasRechazo palabras = PalabrasDeRechazo(
        r.errores, QStringLiteral("El número del comprobante ya fue tomado por otro puesto."));
    const QString causa = !palabras.palabras.isEmpty()
                              ? palabras.palabras.join(QLatin1Char(' '))
                              : (r.errores.empty() ? QString() : r.errores.front().Description);
    if (r.terminada)
        return causa + QStringLiteral("\r\nLa base de datos deshizo toda la transacción en curso: no quedó "
                                      "grabado nada de este comprobante ni de lo demás grabado en ella.");
    if (r.cerrada)
        return causa + QStringLiteral("\r\n") + Cerrada(p, r);
    return causa + QStringLiteral("\r\n") + Parcial(p, palabras.tomado, dentro);
}

void RegistraRechazo(const Posteo& p, const Rechazo& r) {
    QString lineas;
    // The server closes every refused statement's errors with one entry of its own.
    const size_t ultima = r.errores.size() <= 1 ? r.errores.size() : r.errores.size() - 1;
    for (size_t i = 0; i < ultima; ++i)
        lineas += LineaErrorBD(r.errores[i].NativeError, r.errores[i].Description);
    const qint32 numero = r.errores.empty() ? 0 : static_cast<qint32>(r.errores.front().NativeError);
    QString proceso;
    RegistraErrorBD(r.sql, proceso, numero, lineas);
    // The caller's ROLLBACK takes that row back with its transaction: the log file keeps it, in
    // words that stay true whatever that transaction's end.
    if (p.nivelLlamador > 0)
        AnotaRegistroErrores(QStringLiteral("- ActualizaStock"),
                             QStringLiteral("Ha ocurrido el Siguiente Error (%1) %2 Comprobante %3 %4: %5")
                                 .arg(numero)
                                 .arg(lineas.simplified(), p.TC.trimmed(), p.SucNroLetra,
                                      MensajeRechazo(p, r, true).simplified()),
                             0);
}
