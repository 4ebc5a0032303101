#pragma once

#include "Registros.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>

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

// Runs one step of the conversion: a failing step is reported through the form error routine;
// Retry runs it again, Ignore goes on after it, any other answer throws AbandonaConversion.
void PasoConversion(const std::function<void()>& paso);

// The fields of one row of a record set, kept after the set moves on or closes.
class FilaLeida {
public:
    FilaLeida() = default;
    explicit FilaLeida(const Registros& rs);
    // The field of that name (case ignored; of two, the later); a missing one raises 3265.
    QVariant Fields(const QString& nombre) const;

private:
    QHash<QString, int> indices_; // by case-folded name
    QVariantList valores_;
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

template <class R> QString Texto(const R& rs, const QString& campo) {
    return TextoDe(rs.Fields(campo));
}
template <class R> QString Recortado(const R& rs, const QString& campo) {
    return TextoDe(rs.Fields(campo)).trimmed();
}
template <class R> double Numero(const R& rs, const QString& campo) {
    return NumeroDe(rs.Fields(campo));
}
template <class R> double NumeroSinNulo(const R& rs, const QString& campo) {
    return NumeroSinNuloDe(rs.Fields(campo));
}
} // namespace CampoConv

// The articles loaded so far in a delivery run, found as a comma-separated list of their codes
// would find them: every piece between commas counts on its own, trimmed and case aside, and the
// list starts with an empty piece. So an empty code is always found and one holding a comma
// never is.
class ArticulosDelReparto {
public:
    bool Contiene(const QString& codigo) const;
    void Agrega(const QString& codigo);

private:
    QSet<QString> piezas_{QString()}; // case-folded
};

// An article as the conversion's look-up found it.
struct ArticuloLeido {
    bool encontrado = false;
    qint16 estado = 0; // the business-unit mode the look-up gave back
    FilaLeida fila;
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

    // The article lines' loop.
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
    // The articles looked up in the call, by code: a voucher that repeats an article reads it once.
    QHash<QString, std::shared_ptr<const ArticuloLeido>> articulosLeidos;
    QString descripAbrev; // the found article's abbreviated description and provenance
    QString procedencia;

    // What the call reads of tables that it does not change, kept for the call: settings, type
    // descriptions, the measures flag and price lists of articles, the applications of the
    // origin by article.
    QHash<QString, QString> configuracion;
    QHash<QString, QString> tiposArticulo;
    QHash<QString, bool> conMedidas;
    QHash<QString, bool> listasConIva;
    QHash<QString, double> aplicaciones;
    bool aplicacionesLeidas = false;
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
// one empty row; a set without records leaves the grid as it is.
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
