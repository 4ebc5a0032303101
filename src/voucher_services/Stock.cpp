#include "Stock.h"

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Grilla.h"
#include "Importacion.h"
#include "Regional.h"
#include "Registros.h"
#include "StockInterno.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QHash>
#include <optional>

using namespace stock_interno;

struct MemoriaEquivalencias::Datos {
    QHash<QString, QString> unidades;                     // by article
    QHash<QString, std::optional<QVariant>> coeficientes; // by article and units; nothing: no row
    // The answers of IdArticuloTieneEquivalencias that ran without an error, by article, unit
    // given and destination: a long load converts the same article's units on every line.
    struct Respuesta {
        bool resultado = false;
        QString operador;
        QString origen;
        double coeficiente = 0;
        bool sinUnidad = false;
    };
    struct Pregunta {
        QString articulo, origen, destino;
        friend bool operator==(const Pregunta&, const Pregunta&) = default;
        friend size_t qHash(const Pregunta& p, size_t semilla) {
            return qHashMulti(semilla, p.articulo, p.origen, p.destino);
        }
    };
    QHash<Pregunta, Respuesta> respuestas;
};

namespace {

MemoriaEquivalencias::Datos* gMemoria = nullptr;

// The coefficient of the first equivalence row from one unit to the other; nothing when there
// is none.
std::optional<QVariant> Coeficiente(const QString& articulo, const QString& desde, const QString& hacia) {
    QString clave;
    if (gMemoria) {
        clave = articulo + QChar(0x1F) + desde + QChar(0x1F) + hacia;
        const auto i = gMemoria->coeficientes.constFind(clave);
        if (i != gMemoria->coeficientes.constEnd())
            return i.value();
    }
    Registros rs;
    AD().ObtieneRecordset(SqlEquivalencia(articulo, desde, hacia), rs);
    std::optional<QVariant> valor;
    if (!rs.Eof())
        valor = rs.Fields(QStringLiteral("Coeficiente"));
    if (gMemoria)
        gMemoria->coeficientes.insert(clave, valor);
    return valor;
}

// Unit codes are filled to 4 before every query, so blanks around them never tell two units apart.
bool MismaUnidad(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// A numeric field the routine needs a value of: a null is the system's "invalid use of Null".
double CampoDoble(const QVariant& campo, const QString& rutina) {
    if (campo.isNull())
        throw ErrorSistema(94, QStringLiteral("Uso no válido de Null"), rutina);
    return UT().TextoADoble(campo);
}

} // namespace

void ControlStock(const QString& deposito, const QString& articulo, const QString& unidad, double& saldo) {
    if (articulo.trimmed().isEmpty())
        return;
    QString sql;
    Registros rs;
    Protegido(QStringLiteral("ControlStock"),
              {[&] { sql = SqlControlStock(deposito, articulo, unidad, gUsaStockUdKg); },
               [&] { AD().ObtieneRecordset(sql, rs); },
               [&] {
                   saldo =
                       rs.Eof() ? 0.0 : UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("Stock"))));
               }});
}

MemoriaEquivalencias::MemoriaEquivalencias() : anterior_(gMemoria) {
    gMemoria = new Datos;
}

MemoriaEquivalencias::~MemoriaEquivalencias() {
    delete gMemoria;
    gMemoria = anterior_;
}

QString ObtieneUnidadArticulo(const QString& articulo) {
    if (gMemoria) {
        const auto i = gMemoria->unidades.constFind(articulo);
        if (i != gMemoria->unidades.constEnd())
            return i.value();
    }
    Registros rs;
    AD().ObtieneRecordset(SqlUnidadArticulo(articulo), rs);
    QString unidad = UT().ValorATexto(UT().ValorCampo(rs.Fields(QStringLiteral("IdUnidad")))).trimmed();
    if (gMemoria)
        gMemoria->unidades.insert(articulo, unidad);
    return unidad;
}

bool IdArticuloTieneEquivalencias(const QString& articulo, const QString& destino, QString& operador,
                                  QString& origen, double& coeficiente, bool& sinUnidad) {
    const QString rutina = QStringLiteral("IdArticuloTieneEquivalencias");
    const MemoriaEquivalencias::Datos::Pregunta clave{articulo, origen, destino};
    if (gMemoria) {
        const auto i = gMemoria->respuestas.constFind(clave);
        if (i != gMemoria->respuestas.constEnd()) {
            if (!i->operador.isEmpty())
                operador = i->operador;
            origen = i->origen;
            coeficiente = i->coeficiente;
            sinUnidad = i->sinUnidad;
            return i->resultado;
        }
    }
    bool resultado = false;
    bool terminado = false;
    QString unidad;
    std::optional<QVariant> fila;
    int limpios = 0; // steps that ran to their end: every one, when no error was reported
    const auto limpio = [&limpios](const Paso& paso) {
        return Paso([&limpios, paso] {
            paso();
            ++limpios;
        });
    };
    const auto lee = [&](const char* op) {
        if (terminado || !fila)
            return;
        coeficiente = CampoDoble(*fila, rutina);
        if (coeficiente != 0) {
            operador = QLatin1String(op);
            resultado = true;
            terminado = true;
        }
    };
    Protegido(rutina, {limpio([&] {
                           coeficiente = 0;
                           sinUnidad = false;
                       }),
                       limpio([&] {
                           unidad = origen.trimmed().isEmpty() ? ObtieneUnidadArticulo(articulo) : origen;
                       }),
                       limpio([&] {
                           sinUnidad = unidad.trimmed().isEmpty();
                           terminado = sinUnidad;
                       }),
                       limpio([&] {
                           if (!terminado)
                               origen = unidad;
                       }),
                       limpio([&] {
                           if (!terminado)
                               fila = Coeficiente(articulo, origen, destino);
                       }),
                       limpio([&] { lee("/"); }), limpio([&] {
                           if (!terminado)
                               fila = Coeficiente(articulo, destino, origen);
                       }),
                       limpio([&] { lee("*"); })});
    if (!resultado)
        coeficiente = 0;
    if (gMemoria && limpios == 8)
        gMemoria->respuestas.insert(
            clave, {resultado, resultado ? operador : QString(), origen, coeficiente, sinUnidad});
    return resultado;
}

double ConvierteCantidad(const QString& articulo, QString& origen, double cantidad, const QString& destino) {
    if (cantidad == 0)
        return 0;
    if (MismaUnidad(origen, destino))
        return cantidad;
    QString operador;
    double coeficiente = 0;
    bool sinUnidad = false;
    if (!IdArticuloTieneEquivalencias(articulo, destino, operador, origen, coeficiente, sinUnidad))
        return 0;
    double valor = 0;
    if (operador == QLatin1String("*"))
        valor = cantidad / coeficiente;
    else if (operador == QLatin1String("/"))
        valor = coeficiente * cantidad;
    return Moneda::DeDoble(valor).ADoble();
}

double ConvierteCantidad(const QString& articulo, const QString& origen, double cantidad,
                         const QString& destino) {
    QString copia = origen;
    return ConvierteCantidad(articulo, copia, cantidad, destino);
}

double ConvierteCantidadInversa(const QString& articulo, QString& unidadA, double cantidad,
                                const QString& unidadB) {
    if (cantidad == 0)
        return 0;
    if (MismaUnidad(unidadA, unidadB))
        return cantidad;
    QString operador;
    double coeficiente = 0;
    bool sinUnidad = false;
    if (!IdArticuloTieneEquivalencias(articulo, unidadB, operador, unidadA, coeficiente, sinUnidad))
        return cantidad;
    if (operador == QLatin1String("*"))
        return coeficiente * cantidad;
    if (operador == QLatin1String("/"))
        return cantidad / coeficiente;
    return 0;
}

double ConvierteCantidadInversa(const QString& articulo, const QString& unidadA, double cantidad,
                                const QString& unidadB) {
    QString copia = unidadA;
    return ConvierteCantidadInversa(articulo, copia, cantidad, unidadB);
}

Moneda ConvierteImporte(Moneda importe, const QString& operador, double coeficiente) {
    if (coeficiente == 0 || importe.EsCero())
        return importe;
    if (operador == QLatin1String("*"))
        return Moneda::DeDoble(importe.ADoble() * coeficiente);
    if (operador == QLatin1String("/"))
        return Moneda::DeDoble(importe.ADoble() / coeficiente);
    return {};
}

void RecalculaCantidadesGrilla(Grilla& grilla) {
    const int fila = grilla.Row();
    const auto celda = [&](int col) { return grilla.TextMatrix(fila, col); };
    const auto escribe = [&](int col, const QString& texto) { grilla.setTextMatrix(fila, col, texto); };
    const QString articulo = celda(col::CodigoArticulo);
    const QString unidad = celda(col::Unidad).trimmed();
    const QString unidadEquiv = celda(col::UnidadEquivalente);
    const double cantidad = UT().TextoAMoneda(celda(col::Cantidad)).ADoble();
    const auto convertida = [&](const QString& hacia) {
        return Regional::TextoNumero(ConvierteCantidad(articulo, unidad, cantidad, hacia));
    };

    // Packages: a line that asks for its equivalence keeps what was entered.
    if (celda(col::PideEquivalencia) != QLatin1String("-1")) {
        if (MismaUnidad(unidadEquiv, gUnidadMedidaBL))
            escribe(col::CantidadBultos, celda(col::CantidadEquivalente));
        else
            escribe(col::CantidadBultos, convertida(gUnidadMedidaBL));
    }
    // Cubic metres and kilograms: the line's own quantity when it is already in that unit.
    const auto fija = [&](int destino, const QString& codigo) {
        if (MismaUnidad(unidadEquiv, codigo)) {
            escribe(destino, MismaUnidad(unidadEquiv, celda(col::Unidad)) ? celda(col::Cantidad)
                                                                          : celda(col::CantidadEquivalente));
        } else {
            escribe(destino, convertida(codigo));
        }
    };
    fija(col::CantidadM3, gUnidadMedidaM3);
    fija(col::CantidadKg, gUnidadMedidaKG);
}

void ObtieneFormatoImportacion(QString& Formato, QString& Campos, QString& Separador) {
    const FormatoImportacion f = FormatoImportacionDe(Cfg(QStringLiteral("ImportaMov")));
    Formato = f.texto;
    Campos = f.campos;
    Separador = f.separador;
}
