#include "AccesoDatos.h"
#include "ColumnasOtrosConceptos.h"
#include "ConversionInterno.h"
#include "CuentasDespachos.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "ProgramasConversion.h"
#include "Regional.h"
#include "Utilidades.h"

namespace {

// The account a concept's detail begins with: by its code, else by its optional code. Gives
// the account's code, or nothing when there is none or it is a title account.
QString CuentaDelDetalle(const QString& detalle) {
    const qsizetype p = detalle.indexOf(QLatin1Char(' '));
    if (p < 1)
        return {};
    // The code goes with the blank that ends it, as the account tables compare it.
    QString codigo = detalle.left(p + 1);
    Registros rs;
    bool porCodigoOpcional = false;
    if (!BuscaCuenta(codigo, rs, true, porCodigoOpcional) || rs.Fields(QStringLiteral("Titulo")).isNull() ||
        CampoConv::Verdadero(rs.Fields(QStringLiteral("Titulo"))))
        return {};
    return UT().ValorATexto(rs.Fields(QStringLiteral("Codigo"))).trimmed();
}

void EscribeConcepto(const Conversion& c) {
    Grilla& g = *c.otros;
    const int f = g.Rows() - 1;
    // The delivery-only program leaves the cattle-trip concepts of a delivery note out.
    bool fuera = false;
    PasoConversion([&] {
        fuera = c.EsPrograma(ProgramasConversion::SoloRemitos) && Igual(c.TC, QStringLiteral("RM")) &&
                Igual(CampoConv::Recortado(c.rsOtros, QStringLiteral("NroViaje")), QStringLiteral("TROPA"));
    });
    if (fuera)
        return;
    // Each cell is a step of its own: Ignore after a failing cell goes on with the next one.
    PasoConversion([&] {
        g.setTextMatrix(f, colOtroConcepto::Detalle,
                        CampoConv::Recortado(c.rsOtros, QStringLiteral("Observacion")));
    });
    PasoConversion([&] {
        g.setTextMatrix(f, colOtroConcepto::Importe,
                        ImporteConvertido(c, c.rsOtros, QStringLiteral("Importe")));
    });
    PasoConversion([&] {
        g.setTextMatrix(f, colOtroConcepto::ImporteSinIva,
                        ImporteConvertido(c, c.rsOtros, QStringLiteral("Importe_S_IVA")));
    });
    PasoConversion([&] {
        const QString cuenta = CuentaDelDetalle(g.TextMatrix(f, colOtroConcepto::Detalle).trimmed());
        if (!cuenta.isEmpty())
            g.setTextMatrix(f, colOtroConcepto::Cuenta, cuenta);
    });
}

} // namespace

void LlenaOtrosConceptos(Conversion& c) {
    LlenaBloque(c, c.rsOtros, *c.otros, [&] { EscribeConcepto(c); });
}
