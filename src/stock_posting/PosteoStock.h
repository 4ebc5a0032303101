#pragma once

// The working state of one stock posting (ClsCmnCptesPosteo::ActualizaStock) and the steps that read
// it: the movement row, the production-input discharge. Internal to stock_posting.

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Moneda.h"
#include "Sentencias.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

class ClsCmnCptesPosteo;
class Grilla;

// The caller's arguments as the posting prepared them. The references are the caller's own
// variables: what the posting writes into them, the caller sees.
struct ArgumentosPosteo {
    Grilla& grid;
    QString TC;
    QString SucNroLetra;
    QString IdComplemento;
    QString Fecha;
    QString& IdDeposito;
    QString& IdDepositoDestino;
    QString& IdMotivoStock;
    QString& TcOrigen;
    QString& ComprobanteOrigen;
    bool EsTransferencia = false;
    QString Cuenta;
    bool GeneraSentenciaSQL = false;
    QString& SqlTemp;
    QString IdTecnico;
    QString& LoteFijo;
    QString Aduana;
    QString LoteOrigen;
    qint16 SignoRemota = 0;
    bool MuestraCartel = false;
    QString IdVendedor;
    QString ArtMoneda;
    Moneda ArtCotizacion;
};

// What one posting keeps between its rows.
struct EstadoPosteo {
    // Members of the voucher class read by the rows.
    double piva = 0;
    qint16 lenDesc = 100;

    // Settings, read once.
    bool cargaInsumos = false;
    bool confirmaUDEquiv = false;

    bool compras = false;   // the type's SISTEMA is COMPRAS
    bool esOP = false;      // a production order
    bool tieneSPNL = false; // an SPNL movement derives from it
    // "ELDELGRID" given: each line gives its own value.
    bool marcaTcOrigen = false;
    bool marcaComprobanteOrigen = false;
    bool marcaDeposito = false;
    bool marcaMotivo = false;

    qint16 signo = -1;
    int pasadas = 1;
    int pasada = 1;
    // The destination pass of a transfer: its rows take in the lots and quantities the origin's
    // rows took out, so its lines are read as the origin's.
    bool espejo = false;
    float secuencia = 0;
    qint32 fila = 0;
    qint32 j = 0;
    qint32 elementos = 0; // element count of the row

    // The current element.
    QString nroLote{};
    QString nroSerie{};
    double cantidad = 0;
    bool cantidadPropia = false; // the element brings its own quantity (a lot of several entries)

    bool comodato = false;
    QString cuentaValor{};    // the account as the last row resolved it
    QString depositoOrigen{}; // the deposit of the last pass-1 row
    QString despControlado{}; // the dispatch of the element's lot
    QString despOrigen{};
    qint16 tipoMov = 0;
    // The voucher of the discharged components ("PE"), drawn by the first line with components;
    // both discharges of a transfer go into it.
    QString idDescarga{};
    bool enDescarga = false;    // the discharge is being posted
    float secuenciaInicial = 0; // the voucher's rows are numbered past it
    QString loteAutomatico{};   // the automatic lot as the rows write it; empty when none

    // Per-line mode: what the grid row being posted holds (its statements are in
    // Posteo::tandaFila), and what the rows stored so far held. A check that no other voucher
    // holds a number goes with the first row that stores it.
    bool filaPropia = false; // rows of the voucher
    bool filaLote = false;   // a row with the automatic lot
    bool filaDescarga = false;
    bool filaAsiento = false; // the voucher's entry
    bool guardoPropias = false;
    bool guardoLote = false;
    bool guardoDescarga = false;
    bool guardoAsiento = false;
    // The depth of the caller's transaction when the posting started (0: none); inside one the
    // rows go to savepoints of it, never in transactions of their own.
    int nivelLlamador = 0;
};

// One discharge row: the produced article itself (percentage lines) or a component, with its
// lot when it comes from the component's lots.
struct ComponenteDescarga {
    bool producido = false;
    QString codigo;      // as the article lookup gave it, or "*"
    QString limpio;      // the component's code as V_MA_INSUMOS holds it, cleaned
    QString textoLibre;  // the text of a "*text" component
    QString unidad;      // the component's unit, cleaned
    double cantidad = 0; // the quantity of this row
    bool conLote = false;
    QString lote;
};

// A row that a transfer's discharge took out of the origin: the destination takes in the same.
struct FilaDescargada {
    qint32 fila = 0; // the grid line
    bool porcentaje = false;
    ComponenteDescarga componente;
};

struct Posteo : ArgumentosPosteo, EstadoPosteo {
    Posteo(const ArgumentosPosteo& argumentos, double& nroAsiento)
        : ArgumentosPosteo(argumentos), NroAsientoActual(nroAsiento) {}
    // The voucher class's entry number, which the entries of the posting draw and advance.
    double& NroAsientoActual;
    std::vector<FilaDescargada> descargadas; // the origin rows of a transfer's discharge
    // Per-line mode: the statements of the grid row being posted, stored as one transaction when
    // the row ends (GrabaFilaPosteo).
    QString tandaFila;
};

// What a step of the posting may change, as it was before the step: put back when the step
// fails, so that Retry runs it again from where it started and Ignore goes on as if it had not
// run. Lists that only grow are kept by their length.
class Instantanea {
public:
    explicit Instantanea(const Posteo& p);
    void Restaura(Posteo& p) const;

private:
    static constexpr std::array<int, 5> kCeldas = {8, 9, 61, 74, 76}; // what a row writes back
    EstadoPosteo estado_;
    std::array<QString, 6> argumentos_;
    QString caja_;
    double nroAsiento_;
    qsizetype largoSql_;
    qsizetype largoFila_;
    size_t descargadas_;
    qint32 fila_;
    std::array<QString, kCeldas.size()> celdas_{};
};

// The posting was left through its error exit, or through the error exit of a routine it called.
struct Abandono {};
// A value of the voucher that cannot be posted (a complement that is no number, a lot longer
// than its column, a quantity beyond 32 bits): told to the user, the posting ends.
struct DatoRechazado {
    QString mensaje;
};
// Per-line mode: the database refused a row's transaction (rolled back, or back to its savepoint
// inside the caller's): the posting ends on its failure exit. `errores` are the database's, `sql`
// what was sent; `terminada`: the database ended the caller's transaction itself, so nothing of
// it stayed; `cerrada`: the caller's transaction had ended before the row (the caller committed
// or rolled it back while the posting yielded), and `guardadas` tells whether the rows stored
// before it are in the database (the caller committed them), when that could be read.
struct Rechazo {
    std::vector<ErrorBD> errores;
    QString sql;
    bool terminada = false;
    bool cerrada = false;
    std::optional<bool> guardadas;
};

// The posting's error exit: the banner closed, then the central handler's answer.
int RespuestaPosteo(const ErrorSistema& e);

// Runs one step of the posting under its error exit. A failed step leaves nothing behind: Retry
// runs the same step again, Ignore goes on after it, any other answer leaves the posting, as does
// an answer that left the error exit of a routine the step called (a setting, a look-up, the
// numbering): the posting never goes on without what that routine did not give. A step that runs
// a statement at once runs it last, so that no failure after it can repeat it.
template <class F> void Protegido(Posteo& p, F&& paso) {
    const Instantanea antes(p);
    const quint64 abandonos = Abandonos();
    const bool sigue = EjecutaPaso(paso, [&](const ErrorSistema& e) {
        antes.Restaura(p);
        return RespuestaPosteo(e);
    });
    if (!sigue || Abandonos() != abandonos)
        throw Abandono{};
}

// The pairs of the movement row of the current element, in the table's column order. Writes back
// into the grid row (74, 9, 76, 8), into the motive and origin arguments, into gCaja and into the
// posting state. Errors reach the caller.
void ArmaFilaMovimiento(Posteo& p, ParesCampos& pares);

// The SQL forms of a movement row's values: a text literal (the word NULL is the null value), a
// number, and a column of the article's master row (trimmed, empty when null).
QString TextoFila(const QString& v);
QString NumeroFila(const QVariant& v);
QString DatoArticulo(const QString& articulo, const char* columna);
// A row's Secuencia as the rows write it.
QString TextoSecuencia(float s);

// Yields to the event loop, so that the window and the banner stay alive.
void CedeTurnoPosteo();

// The word that stands for a null value in a row's texts and settings.
inline const QString kNull = QStringLiteral("NULL");

// The element is read as one that brings stock in (the sign +1 rules): not on a transfer's
// destination pass, which reads its lines as the origin's.
inline bool LeidoComoEntrada(const EstadoPosteo& p) {
    return p.signo == 1 && !p.espejo;
}

// The deposit of the current line's row: the line's own (column 6), always quoted as a text, or
// the voucher's deposit as the posting prepared it.
QString DepositoDeLinea(const Posteo& p);

// A setting or a cell equal to `texto`, blanks around it and case aside.
bool Es(const QString& valor, const char* texto);
// Two unit codes, blanks around them and case aside.
bool MismaUnidad(const QString& a, const QString& b);
// A code, trimmed, filled to `ancho`.
QString RellenaRecortado(const QString& codigo, int ancho);
// Appends a column and its value to a row's pairs.
void Agrega(ParesCampos& pares, const char* campo, QString valor);
// Appends a statement to the caller's batch, or in per-line mode to the statements of the grid
// row being posted.
void EmiteSentenciaPosteo(Posteo& p, const QString& sql);
// Per-line mode: stores the grid row's statements (Posteo::tandaFila) as one transaction, headed
// by the checks its first use of a number needs (the voucher's identity, the automatic lot, the
// discharge's identity): its movements and its entry are stored whole, or nothing of them. Inside
// a transaction of the caller's the row goes after a savepoint instead, and a refusal goes back
// to it, the caller's transaction kept. A refusal raises Rechazo; a failure that reached no
// database goes to the caller. The row's statements and marks are emptied when it is stored.
void GrabaFilaPosteo(Posteo& p);
// The checks of a saving batch that no other station stored the voucher's identity (or the
// discharge's) past the rows it holds already, or a row with the automatic lot; worded for the
// batch (nothing stored) or, in per-line mode, for the refusal's message to complete.
QString ControlIdentidadPosteo(const Posteo& p, bool descarga);
QString ControlLotePosteo(const Posteo& p);
// Per-line mode: the end of a grid row (or of a discharge line), its statements stored as a step
// of their own (GrabaFilaPosteo); Ignore leaves the row out.
void TerminaFila(Posteo& p);
// The connection's transaction depth, as the database tells it. Errors reach the caller.
int NivelTransaccion();
// What the user is told of a per-line posting refused: a number another station took in words
// alone, any other refusal in the database's; then what stays stored and from which line
// nothing was, or, where the database ended the caller's transaction, that nothing of it stayed,
// or, where the caller's transaction ended while the posting yielded, which lines its COMMIT kept.
// `dentro`: lines stored inside the caller's transaction are told as being there, their fate
// that transaction's.
QString MensajeRechazo(const Posteo& p, const Rechazo& r, bool dentro = false);
// The refusal's database lines and statements in the error table. Inside a transaction of the
// caller's, whose ROLLBACK would take that row back, also the voucher, the database's lines and
// what the user is told, its lines before inside that transaction, in the error log file.
void RegistraRechazo(const Posteo& p, const Rechazo& r);

// The accounting entry of grid row `fila` of the posting (0: every row), as GeneraAsientoStock
// makes it; a value that cannot be posted raises DatoRechazado. The motive and the voucher's
// parts go as copies, so that what the entry writes back into them stays there.
QString AsientoDelPosteo(ClsCmnCptesPosteo& cls, Posteo& p, qint32 fila);

// The production-input discharge of the posted lines, each line, component and row a step of its
// own: statements appended to the batch (or run at once in per-line mode). The destination run
// of a transfer (pass 3) takes in what the origin run took out.
void DescargaInsumos(Posteo& p);

// The discharge voucher got no number (its ranges are used up, which the user was told): the
// posting ends with nothing stored.
struct SinNumeroDescarga {};
