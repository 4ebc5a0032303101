#pragma once

#include "ErrorSistema.h"
#include "Registros.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>

// Storage of stock-voucher templates: a header row in V_CPTES_MODELO_CAB and its lines in
// V_CPTES_MODELO_DET under the template's 16-bit identifier, through AD(). The statements are
// written as the suite writes them; a save or a delete is one batch in one transaction. The
// window (FrmVardelio) decides what to store; this class only writes and reads it.
class AlmacenModelos {
public:
    // A template's header row as the window fills it: codes as typed (they are filled to their
    // widths here), the name already cleaned.
    struct Cabecera {
        QString nombre;
        QString detalle;
        QString tipo;
        QString depositoOrigen;
        QString depositoDestino;
        QString motivo;
        int anclar = 0;
    };

    static const QString& TablaCabecera();
    static const QString& TablaLineas();

    // The name as it is looked up, stored and anchored: trimmed, without apostrophes or ";".
    static QString NombreModelo(const QString& texto);

    // The identifier of the template stored under `nombre`, with `rs` on its header row; 0 when
    // there is none.
    static qint16 IdDeNombre(const QString& nombre, Registros& rs);
    // The identifier a new template takes: one more than the highest in use.
    static qint16 NuevoId();
    // A stored value as a 16-bit identifier (the suite's other programs read it so); beyond
    // that range raises 6 "Desbordamiento".
    static qint16 Entero16(const QVariant& valor);

    // ---- The batch of a save or a delete, statement by statement ----
    // Starts the batch anew with the deletes of template `id`'s header and lines.
    void Borra(qint16 id);
    // The header's insert under `id`; the lines added after it go under the same identifier.
    void AgregaCabecera(qint16 id, const Cabecera& cabecera);
    // A line's insert (a code of blanks only is no article: nothing is added).
    void AgregaLinea(const QString& articulo, const QString& cantidad, const QString& unidad);
    const QStringList& Sentencias() const { return sentencias_; }
    // Runs the statements as one batch in one transaction: a refusal stores nothing, is shown
    // and recorded, and gives false. `tanda` gets the batch text that was sent (empty: none).
    bool Ejecuta(QString& tanda);

    // ---- Reading ----
    // The first row of `tabla`, on which the window keeps its header record set.
    static void AbrePrimeraFila(const QString& tabla, Registros& rs);
    // The look-up of the stored templates' names, and the whole table of `tabla` for the
    // spreadsheet.
    static QString SentenciaConsulta();
    static QString SentenciaPlanilla(const QString& tabla);
    // The voucher types a template may take (the stock ones), and the type list's item of one.
    static QString SentenciaTipos();
    static QString ItemTipo(const QString& codigo, const QString& descripcion);
    // The lines of template `id`, forward only, in their stored order.
    static void AbreLineas(qint16 id, Registros& rs);
    // The distinct article codes of template `id`, as stored.
    static QStringList ArticulosDe(qint16 id);
    // The voucher type row of a code (filled to 4), forward only.
    static void AbreTipo(const QString& codigo, Registros& rs);
    // A stored quantity as the grid shows it: its absolute value in the regional format.
    static QString CantidadCargada(const QVariant& campo);
    // The stored anchoring flag as the check box's value (1 or 0).
    static int Anclado(const QVariant& campo);

    // ---- What another station may have changed ----
    // A template as its rows are stored: none, or its identifier and, when `conFilas`, a digest
    // of its header's stored values and of its lines' (in any order, so that a server that
    // returns them in another order changes nothing). Without `conFilas` only the identifier
    // counts.
    struct Huella {
        bool existe = false;
        qint16 id = 0;
        bool conFilas = false;
        quint64 cabecera = 0;
        quint64 lineas = 0; // the lines' digests added up
        qint64 cuenta = 0;
        // Of a template the window read: the read reached its last line (one left half-way holds
        // part of the template, which a save would replace with that part).
        bool leidaEntera = true;
    };
    // Whether `guardada` is still what `vista` saw.
    static bool MismaHuella(const Huella& vista, const Huella& guardada);
    // The digests of the header row `rs` stands on and of one line's stored values.
    static quint64 HuellaCabecera(const Registros& rs);
    // A digest followed by one more value: each step depends on all before it, so a sequence's
    // digest tells its order too (a value read twice gives the same, whatever its type).
    static quint64 SigueHuella(quint64 huella, const QVariant& valor);
    static quint64 HuellaLinea(const QVariant& articulo, const QVariant& cantidad, const QVariant& unidad);
    // The statements that read a template's header by name and its lines, holding what they read
    // against other stations until the transaction ends (the server's locks; the embedded file
    // is held whole since the transaction began).
    static QString SentenciaCabeceraGuardada(const QString& nombre);
    static QString SentenciaLineasGuardadas(qint16 id);
    // Inside the save's transaction: the template stored under `nombre` now (of several, the one
    // of identifier `preferido`), its header's digest; then, when `conFilas`, its lines' (each a
    // statement of its own, so that Retry reads again only the one that failed).
    static Huella LeeCabeceraGuardada(const QString& nombre, qint16 preferido, bool conFilas);
    static void LeeLineasGuardadas(Huella& h);
    // The save's own transaction around its batch, when it checks what is stored first.
    static void IniciaTransaccion();
    static void ConfirmaTransaccion();
    // Rolls back whatever is open, its failure ignored (nothing of it is kept either way).
    static void RevierteTransaccion();
    // The error row of a batch whose commit was refused, as the batch runner writes it.
    static void RegistraRechazo(const QString& tanda, const ErrorSistema& error);

private:
    QStringList sentencias_;
    QString idLiteral_;
};
