#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <optional>
#include <vector>

class Registros;

// The query side of the voucher lookup window: the asked type's mapping, the search and
// validity conditions, the choice of the statement and the list row of each record. Nothing
// here knows the window; FrmConsComprobantes runs it.

// The asked type after the pseudo types: "RM/PENDIENTES" -> "RM" pending, "RM/TRANSPORTE" ->
// "RM-T" transport, "FC/ANTICIPOS" -> "FC", ... (compared without regard to case). `tc` is
// what the column headers are laid out for; Consultado() the type queried ("RM" for "RM-T").
struct TipoConsulta {
    QString tc;
    bool pendiente = false;
    bool transporte = false;
    QString Consultado() const { return transporte ? QStringLiteral("RM") : tc; }
};
TipoConsulta MapeaTipoConsulta(const QString& pedido);

// The search condition of the two boxes: a box counts when it is neither empty nor its cue
// text; the number wins over the name. Texts enter trimmed, their apostrophes doubled and their
// LIKE wildcards escaped (TextoLike), so that a typed "%" or "_" matches itself.
QString CondicionBusqueda(const QString& nombre, const QString& numero);
inline const QString kGuiaNombre = QStringLiteral("Buscar por nombre...");
inline const QString kGuiaNumero = QStringLiteral("Buscar por Numero...");

// " and fecha >= '<date>' " with the server's date less `vigencia` days (the setting
// VigenciaPresupuestos, rounded); "" when that is 0 or less or no number.
QString CondicionVigencia(const QString& vigencia, const QDate& fechaServidor);

// The caller's condition without any "where" (any case), when its trimmed text holds one.
QString QuitaWhere(const QString& filtro);

// The settings the statements depend on. D is read only for pending quotes.
struct AjustesConsultaCptes {
    QString usaRemitoContado;
    QString entregaParcialRemito;
    QString npSinAprobar;
    QString condicionVigencia; // D
    static AjustesConsultaCptes Lee(const TipoConsulta& tipo);
};

// The statement for the type (after the mapping), the caller's condition `filtro` (cleaned of
// "where" for purchase orders, "FP" and transport, as the window keeps it) and the search
// condition `busqueda`. An empty condition never leaves a dangling " AND ".
QString SentenciaConsultaCptes(const TipoConsulta& tipo, QString& filtro, const QString& busqueda,
                               const AjustesConsultaCptes& ajustes);

// The tags of the lookup's eleven images, in their order.
const QStringList& EtiquetasImagenesConsulta();
// 1-based index of the first tag equal to `tag` (trimmed, case ignored) in `etiquetas`, else
// that of "Generico"; 0 when neither is there.
qint16 ObtieneIndiceImagen(const QString& tag, const QStringList& etiquetas = EtiquetasImagenesConsulta());

// One list row: its own text, sub-items 1.. in order, its image index (0: none chosen) and
// whether the index is the small icon only (transport and "T3" rows).
struct FilaConsulta {
    QString texto;
    QStringList subItems;
    qint16 imagen = 0;
    bool soloIconoChico = false;
};

// Turns the records of one statement into list rows. The columns of the result are looked up
// once: a column a layout needs and the statement lacks reads as empty on every row.
class ArmadorFilasConsulta {
public:
    // The supplier's name of a "NCPE"/"NDPR" row and the receipt voucher of an "OC" row are
    // looked up on AD().
    ArmadorFilasConsulta(const TipoConsulta& tipo, const Registros& rs);
    // The row of the set's current record; nothing when the record is skipped (a pending "NP"
    // order with no preparation date).
    std::optional<FilaConsulta> Fila(const Registros& rs) const;

private:
    QVariant Campo(const Registros& rs, int campo) const;
    QString Texto(const Registros& rs, int campo) const;
    bool Marca(const Registros& rs, int campo) const;
    FilaConsulta FilaGeneral(const Registros& rs) const;
    FilaConsulta FilaPorTipo(const Registros& rs) const;

    QString tc_;
    std::vector<int> indices_; // per field of the layouts, -1 when the result lacks it
    // What depends on the type alone, decided once per statement.
    int disposicion_ = 0;
    bool conComplemento_ = false;
    bool conObservaciones_ = false;
    bool pedidosPendientes_ = false;
    qint16 propia_ = 0;
    qint16 anulado_ = 0;
    qint16 aprobado_ = 0;
    qint16 garantia_ = 0;
};

// Runs the statement and gives every row (the tests and the benchmark; the window fills its
// list itself, yielding between rows).
std::vector<FilaConsulta> FilasConsulta(const QString& sql, const TipoConsulta& tipo);
