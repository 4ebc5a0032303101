#include "AccesoDatos.h"
#include "Configuracion.h"
#include "ConversionInterno.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Numeracion.h"
#include "Utilidades.h"

namespace {

// Runs one correction on its own; a refusal is shown by its first error and the work goes on.
void Ejecuta(const QString& sql) {
    try {
        AD().EjecutaSQL(sql);
    } catch (const ErrorSistema&) {
        // The connection's error list holds what the database said.
    }
    const Errores& errores = AD().LeeConexion().Errors();
    if (errores.Count() > 0)
        interaccion().MsgBox(errores.Item(0).Description, Estilo::SoloAceptar, {});
}

// The line's taxes from the article when the line has none.
void CorrigeImpuestos(const Conversion& c, const Registros& linea, const QString& tabla, const QString& id) {
    Registros articulo;
    qint16 modo = 0;
    if (!BuscaArticuloConversion(
            c, UT().RellenaCodigo(CampoConv::Recortado(linea, QStringLiteral("IdArticulo")), 25), articulo,
            modo))
        return;
    const QVariant deLinea = linea.Fields(QStringLiteral("Impuestos"));
    const QVariant delArticulo = articulo.Fields(QStringLiteral("Impuestos"));
    if (deLinea.isNull() || delArticulo.isNull() || UT().TextoADoble(deLinea) != 0 ||
        UT().TextoADoble(delArticulo) <= 0)
        return;
    Ejecuta(QStringLiteral("update ") + tabla + QStringLiteral(" set impuestos = ") +
            AD().FormateaValorSQL(delArticulo, QStringLiteral("@")) + QStringLiteral(" where id = ") + id);
}

// The amount and total with VAT of a taxed line of an A-letter customer stored without it.
void CorrigeImportes(Conversion& c, const Registros& linea, const QString& tabla, const QString& id) {
    const QVariant exento = linea.Fields(QStringLiteral("Exento"));
    if (exento.isNull() || CampoConv::Verdadero(exento))
        return;
    if (ObtieneLetra(c.Config(QStringLiteral("CONDIVA")),
                     CampoConv::Texto(c.cabecera, QStringLiteral("CondicionIva"))) != QLatin1String("A"))
        return;
    const QVariant sinIva = linea.Fields(QStringLiteral("Importe_S_IVA"));
    const QVariant importe = linea.Fields(QStringLiteral("Importe"));
    if (sinIva.isNull() || importe.isNull() || UT().TextoADoble(sinIva) != UT().TextoADoble(importe))
        return;
    const double base = CampoConv::NumeroSinNulo(linea, QStringLiteral("Importe_S_IVA"));
    const double nuevo = base * (CampoConv::NumeroSinNulo(linea, QStringLiteral("AlicIVA")) / 100 + 1);
    const double total = CampoConv::NumeroSinNulo(linea, QStringLiteral("Cantidad")) * nuevo;
    Ejecuta(QStringLiteral("update ") + tabla + QStringLiteral(" set IMPORTE = ") +
            AD().FormateaValorSQL(nuevo, QStringLiteral("@")) + QStringLiteral(", TOTAL = ") +
            AD().FormateaValorSQL(total, QStringLiteral("@")) + QStringLiteral(" where id = ") + id);
}

} // namespace

void RecalculaPedido(Conversion& c) {
    // The corrections go to the lines' own view, the one the order was read from.
    const QString tabla = c.prefijo.toLower() + QStringLiteral("mv_cpteinsumos");
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM ") + c.prefijo + QStringLiteral("MV_CPTE  ") +
                              c.condicion + QStringLiteral(" ORDER BY ID "),
                          c.cabecera);
    if (c.cabecera.Eof())
        throw ErrorSistema(3021, QStringLiteral("No hay ningún registro actual."), RutinaConversion);
    c.cabecera.MoveFirst();
    Registros lineas;
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM ") + c.prefijo + QStringLiteral("MV_CPTEINSUMOS  ") +
                              c.condicion,
                          lineas, nullptr, TipoCursor::Estatico);
    while (!lineas.Eof()) {
        const QString id = AD().FormateaValorSQL(lineas.Fields(QStringLiteral("id")), QStringLiteral("@"));
        PasoConversion([&] { CorrigeImpuestos(c, lineas, tabla, id); });
        if (c.preciosFinales)
            PasoConversion([&] { CorrigeImportes(c, lineas, tabla, id); });
        lineas.MoveNext();
    }
}
