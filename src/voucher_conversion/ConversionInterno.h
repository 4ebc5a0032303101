#pragma once

#include "ErrorSistema.h"
#include "Registros.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class ClsCmnCptes;
class Grilla;

// The routine name under which the conversion reports its errors.
inline const QString RutinaConversion = QStringLiteral("AsignarDatosPresupuesto");

// Codes and types compare without regard to case.
inline bool Igual(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A quoted literal's content: apostrophes doubled.
inline QString Cita(QString texto) {
    return texto.replace(QLatin1Char('\''), QStringLiteral("''"));
}

// Leaves the conversion: the user answered an error report with neither Retry nor Ignore.
struct AbandonaConversion {};

// The report of a failing step: the form error routine under the conversion's name.
int ReportaPasoConversion(const ErrorSistema& e);

// Runs one step of the conversion: a failing step is reported through the form error routine;
// Retry runs it again, Ignore goes on after it, any other answer throws AbandonaConversion. The
// step is called as it is (a line runs some fifty of them).
template <class F> void PasoConversion(F&& paso) {
    if (!EjecutaPaso<ErroresReportados::DelSistema>(paso, ReportaPasoConversion))
        throw AbandonaConversion{};
}

// The positions of a record set's fields by name, as the set finds them (case ignored; of two of
// one name, the later): a name asked again costs one look-up of its text, not a fold of it.
class IndiceCampos {
public:
    explicit IndiceCampos(const Registros& rs);
    // Whether the set's fields are those of this index, name by name.
    bool De(const Registros& rs) const;
    // A missing name raises 3265. `literal` is a string literal: it is known again by its address.
    int Indice(const QString& nombre) const;
    int Indice(const char* literal) const;
    bool Tiene(const QString& nombre) const;

private:
    QStringList nombres_;
    QHash<QString, int> porNombre_;       // case-folded
    mutable QHash<QString, int> pedidos_; // as asked
    mutable std::unordered_map<const char*, int> literales_;
    // The literals asked last, by their address: a line asks some thirty, each a few times.
    mutable std::array<std::pair<const char*, int>, 64> recientes_{};
};

// The fields of one row of a record set, kept after the set moves on or closes.
class FilaLeida {
public:
    FilaLeida() = default;
    // `indice`: the index of rows read before, kept when this set's fields are the same (rows of
    // one table share it) and replaced otherwise.
    FilaLeida(const Registros& rs, std::shared_ptr<const IndiceCampos>& indice);
    explicit FilaLeida(const Registros& rs);
    bool Tiene(const QString& nombre) const { return indice_ && indice_->Tiene(nombre); }
    // The field of that name (case ignored; of two, the later); a missing one raises 3265.
    QVariant Fields(const QString& nombre) const;
    QVariant Fields(const char* literal) const;

private:
    std::shared_ptr<const IndiceCampos> indice_; // shared by the copies of the row
    QVariantList valores_;
};

// The current record of a record set that the conversion reads many times, its fields found
// through an index of the set's names made at the first read (Reinicia: the set was opened again).
class CamposDe {
public:
    explicit CamposDe(const Registros& rs) : rs_(rs) {}
    CamposDe(const CamposDe&) = delete;
    CamposDe& operator=(const CamposDe&) = delete;
    QVariant Fields(const QString& nombre) const;
    QVariant Fields(const char* literal) const;
    void Reinicia() { indice_.reset(); }

private:
    const Registros& rs_;
    mutable std::unique_ptr<const IndiceCampos> indice_;
};

// Values of a record's field as the conversion reads them.
namespace CampoConv {
// The null-safe value as text (numbers in their plain regional form), untrimmed.
QString TextoDe(const QVariant& valor);
// The value as a number: a null raises 94, a text that is no number 13.
double NumeroDe(const QVariant& valor);
// The null-safe value as a number: a null reads 0.
double NumeroSinNuloDe(const QVariant& valor);
// Whether the value is true: a non-zero number or a yes text.
bool Verdadero(const QVariant& valor);

// `campo`: a QString, or a string literal for the sets that know one by its address.
template <class R, class N> QString Texto(const R& rs, const N& campo) {
    return TextoDe(rs.Fields(campo));
}
template <class R, class N> QString Recortado(const R& rs, const N& campo) {
    return TextoDe(rs.Fields(campo)).trimmed();
}
template <class R, class N> double Numero(const R& rs, const N& campo) {
    return NumeroDe(rs.Fields(campo));
}
template <class R, class N> double NumeroSinNulo(const R& rs, const N& campo) {
    return NumeroSinNuloDe(rs.Fields(campo));
}
} // namespace CampoConv

// The articles loaded so far in a delivery run, found as a comma-separated list of their codes
// would find them: every piece between commas counts on its own, trimmed and case aside. The list
// is empty until the first code, and from then on starts with an empty piece: so the first line
// of a run is never found, an empty code is found after it, and a code holding a comma never is.
class ArticulosDelReparto {
public:
    bool Contiene(const QString& codigo) const;
    void Agrega(const QString& codigo);

private:
    QSet<QString> piezas_; // case-folded
};

// The codes of column 0 of a grid, as ClsCmnCptesServicios::ExisteEnGrid finds them (every row, the
// title included; trimmed, case aside), kept between look-ups of one conversion. A look-up reads
// again only the rows from the one that was last at the previous look-up on: the conversion
// changes a grid only at its end (adds rows, writes the last ones, removes the last one).
class CodigosDeGrilla {
public:
    bool Existe(const Grilla& grilla, const QString& codigo);

private:
    std::vector<QString> porFila_;
    QHash<QString, int> cuenta_;
};

// The ordered and delivered quantities of the articles of a delivery run's voucher, read once
// for the voucher: what ClsCmnCptes::CantRepartoPend gives article by article.
class CantidadesDelReparto {
public:
    void Lee(const QString& TC, const QString& SucNroLetra);
    bool Leidas() const { return leidas_; }
    // The article's pending quantity; its delivered quantity goes to `entregado`.
    double Pendiente(const QString& IdArticulo, double& entregado) const;

private:
    QHash<QString, double> pedido_;
    QHash<QString, double> entregado_;
    bool leidas_ = false;
};

// An article as the conversion's look-up found it.
struct ArticuloLeido {
    bool encontrado = false;
    qint16 estado = 0; // the business-unit mode the look-up gave back
    FilaLeida fila;
};

// The cells of a row that come from its article alone (and the call's settings), in the order
// they are written: worked out at the article's first line, written again at its later ones.
struct CeldasArticulo {
    using Escritas = std::vector<std::pair<int, QString>>;
    std::optional<Escritas> identidad; // what the found article adds to the row's identity
    std::optional<Escritas> atributos; // its flags, codes, accounts and VAT rate
};

// The state of one conversion call: its parameters, the settings it read, the origin's record
// sets, and the values of the article line being loaded.
struct Conversion {
    // Parameters of the call.
    QString TC, SucNroLetra, Proveedor, WhrTareas, CpteDestino;
    bool Compras = false;
    bool ConvertirMoneda = false;
    Grilla* tareas = nullptr;
    Grilla* articulos = nullptr;
    Grilla* otros = nullptr;
    ClsCmnCptes* clase = nullptr;
    double pivaDefecto = 0; // the class's default VAT rate
    QString programa;       // the running program's name

    // Settings and values of the call.
    bool preciosFinales = false;
    bool descargaStockRemitos = false;
    bool devolucion = false;
    bool entregaParcialRemito = true;
    qint32 cantLineas = 9999;
    QString prefijo = QStringLiteral("V_");
    QString complemento = QStringLiteral("0"); // the complement as a number's text
    QString condicion;
    bool esCompra = false;
    Registros cabecera, rsTareas, rsLineas, rsOtros;
    // The current line and the header, as the row's steps read them.
    CamposDe linea{rsLineas};
    CamposDe encabezado{cabecera};

    // The article lines' loop.
    int filasPrevias = 0; // rows of the articles grid before the call: never removed
    bool primeraFila = false;
    qint32 lineasTomadas = 0;
    ArticulosDelReparto articulosDelReparto;
    qint16 estadoArticulo = 0;

    // The current article line.
    bool pideDeposito = false;
    double aplicado = 0;
    double pendiente = 0;
    double entregado = 0;
    bool encontrado = false;
    FilaLeida rsArticulo; // the line's article (its master row)
    const ArticuloLeido* articuloLinea = nullptr;
    QHash<const ArticuloLeido*, CeldasArticulo> celdasArticulo;
    // The articles looked up in the call, by code: a voucher that repeats an article reads it once.
    QHash<QString, std::shared_ptr<const ArticuloLeido>> articulosLeidos;
    std::shared_ptr<const IndiceCampos> indiceArticulos; // the field index the article rows share
    QString descripAbrev; // the found article's abbreviated description and provenance
    QString procedencia;

    // What the call reads of tables that it does not change, kept for the call: settings, type
    // descriptions, the measures flag and price lists of articles, the applications of the
    // origin by article.
    QHash<QString, QString> configuracion;
    QHash<QString, QString> tiposArticulo;
    QHash<QString, bool> conMedidas;
    QHash<QString, bool> listasConIva;
    std::optional<QString> letraComprobante;  // of the company's VAT condition and the customer's
    QHash<QString, double> aplicaciones;      // by the database's key of the code
    QHash<QString, double> aplicadoPorCodigo; // by the line's code as read
    bool aplicacionesLeidas = false;
    // The origin's ordered and delivered quantities by article, for the pending quantities of a
    // delivery run: read at the first line that asks.
    CantidadesDelReparto reparto;
    // The codes of the articles grid, for the program that loads each article once.
    CodigosDeGrilla codigosGrilla;
    // A setting of the configuration, read once in the call.
    QString Config(const QString& clave);

    // Rows of the articles grid by merge key (article, unit, thickness, width, unit amount),
    // the lowest row of each key; built at the first merge of the call.
    QHash<QString, int> filasPorClave;
    bool indiceArmado = false;

    // Whether the running program is the one of that name.
    bool EsPrograma(const QString& nombre) const;
    // The header's exchange rate (null reads 0).
    double Cotizacion() const;
    // The articles grid's last row.
    int FilaArticulo() const;
};

// An amount of the set's current record as money text, converted by the header's exchange rate
// when the call asks.
QString ImporteConvertido(const Conversion& c, const Registros& rs, const QString& campo);

// Appends one row of the grid per record of the set, the first into the grid's last row, then
// one empty row; a set without records leaves the grid as it is. `escribe` writes the record's
// cells, each through its own step.
void LlenaBloque(Conversion& c, Registros& rs, Grilla& grilla, const std::function<void()>& escribe);

// The grid blocks, in the order the conversion fills them.
void LlenaTareas(Conversion& c);
void LlenaArticulos(Conversion& c);
void LlenaOtrosConceptos(Conversion& c);
// The row of one article line: identity, quantities and price; then the article's attributes,
// accounts and costs. The article of the line has been looked up.
void LlenaFilaIdentidad(Conversion& c);
void LlenaFilaAtributos(Conversion& c);
// What the row still needs after its costs (list price, totals, lots and origin), and its
// finishing. `desdeLotes`: the price rules are skipped (amounts converted by the exchange rate).
void CompletaFila(Conversion& c, bool desdeLotes);
// The recompute of the amounts of an open order of branch "9999", before it is read.
void RecalculaPedido(Conversion& c);
// The article of the code (filled to 25) as the conversion looks it up, open on `rs`; `modo`
// is the business-unit mode of the look-up (0 tells and fails, 1 becomes 2).
bool BuscaArticuloConversion(const Conversion& c, const QString& codigo, Registros& rs, qint16& modo);
// The same for the line's article in business-unit mode 1, read once per code in the call.
void BuscaArticuloLinea(Conversion& c, const QString& codigo);
// The quantity applied of the line's article, from the applications (0 when there is none); the
// origin's applications are read at the first line that asks.
double CantidadAplicaciones(Conversion& c);
// The condition of a delivery run's quantities: the voucher type filled to 4 and the identifier.
QString CondicionReparto(const QString& TC, const QString& SucNroLetra);
// What CantRepartoPend gives for the line's article (and its delivered quantity in `entregado`),
// from the origin's quantities read once in the call.
double PendienteReparto(Conversion& c, double& entregado);
