#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "ConversionInterno.h"
#include "Globales.h"
#include "Grilla.h"
#include "Numeracion.h"
#include "ProgramasConversion.h"
#include "Regional.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

namespace {

QString Numero(double valor) {
    return Regional::TextoNumero(valor);
}

// Writes the cell of the current article row (and keeps what it writes, when asked).
struct Fila {
    Conversion& c;
    int f;
    CeldasArticulo::Escritas* escritas = nullptr;
    explicit Fila(Conversion& conv) : c(conv), f(conv.FilaArticulo()) {}
    void Pon(int columna, const QString& texto) const {
        c.articulos->setTextMatrix(f, columna, texto);
        if (escritas)
            escritas->emplace_back(columna, texto);
    }
    QString Lee(int columna) const { return c.articulos->TextMatrix(f, columna); }
    QString L(const char* campo) const { return CampoConv::Recortado(c.linea, campo); }
    QString A(const char* campo) const { return CampoConv::Recortado(c.rsArticulo, campo); }
};

// An order line kept in kilograms and sold in another unit goes in kilograms.
bool ReglaKilos(const Fila& r) {
    return Igual(r.L("TC"), QStringLiteral("NP")) && Igual(r.L("IdUnidadBase"), gUnidadMedidaKG.trimmed()) &&
           !Igual(r.L("IdUnidad"), gUnidadMedidaKG.trimmed());
}

void Cantidad(Conversion& c, const Fila& r, bool kilos) {
    const CamposDe& l = c.linea;
    if (c.devolucion) {
        c.aplicado = c.aplicado * -1.0;
        PasoConversion(
            [&] { r.Pon(col::Cantidad, Numero(CampoConv::Numero(l, "Cantidad") * -1 - c.aplicado)); });
        return;
    }
    PasoConversion([&] {
        if (c.EsPrograma(ProgramasConversion::ArticuloUnico))
            r.Pon(col::Cantidad, Numero(c.pendiente));
        else if (kilos)
            r.Pon(col::Cantidad, r.L("CANT_KG"));
        else
            r.Pon(col::Cantidad, Numero(CampoConv::Numero(l, "Cantidad") - c.aplicado));
    });
    PasoConversion([&] {
        // A negative remainder is cleared, except on a delivery note of a negative line with
        // nothing applied.
        if (UT().TextoAMoneda(r.Lee(col::Cantidad)) < Moneda() &&
            !(CampoConv::NumeroSinNulo(l, "Cantidad") < 0 && Igual(c.TC, QStringLiteral("RM")) &&
              c.aplicado == 0))
            r.Pon(col::Cantidad, QStringLiteral("0"));
    });
}

void PrecioUnitario(Conversion& c, const Fila& r) {
    const CamposDe& l = c.linea;
    if (c.ConvertirMoneda) {
        r.Pon(col::Importe, Numero(CampoConv::NumeroSinNulo(l, "Importe") * c.Cotizacion()));
        return;
    }
    const QVariant importe = l.Fields("Importe");
    const QVariant sinIva = l.Fields("Importe_S_IVA");
    if (Igual(CampoConv::Recortado(c.encabezado, "CondicionIva"), QStringLiteral("1")) && !importe.isNull() &&
        !sinIva.isNull() && UT().TextoADoble(importe) > UT().TextoADoble(sinIva) && !c.preciosFinales)
        r.Pon(col::Importe, r.L("Importe_S_IVA"));
    else
        r.Pon(col::Importe, r.L("Importe"));
}

// The price of a letter-B voucher, for a line that is not exempt.
void PrecioLetraB(Conversion& c, const Fila& r) {
    const CamposDe& l = c.linea;
    const QVariant exento = l.Fields("Exento");
    if (exento.isNull() || CampoConv::Verdadero(exento))
        return;
    // The company's condition and the header's stay for the call: so does the letter.
    if (!c.letraComprobante)
        c.letraComprobante =
            ObtieneLetra(c.Config(QStringLiteral("CONDIVA")), CampoConv::Texto(c.encabezado, "CondicionIva"));
    if (*c.letraComprobante != QLatin1String("B"))
        return;
    if (c.ConvertirMoneda) {
        r.Pon(col::PrecioConIva, Numero(CampoConv::NumeroSinNulo(l, "Importe") * c.Cotizacion()));
    } else if (c.preciosFinales) {
        const QVariant importe = l.Fields("Importe");
        const QVariant impuestos = l.Fields("Impuestos");
        r.Pon(col::PrecioConIva, importe.isNull() || impuestos.isNull()
                                     ? QString()
                                     : Numero(UT().TextoADoble(importe) - UT().TextoADoble(impuestos)));
    } else {
        r.Pon(col::PrecioConIva, r.L("Importe"));
    }
}

QString Bandera(bool v) {
    return v ? QStringLiteral("-1") : QStringLiteral("0");
}

// Flag of a field that may be empty (empty: "0"), that may be null (null: "0"), or plain.
QString BanderaA(const FilaLeida& rs, const QString& campo) {
    if (CampoConv::Texto(rs, campo).isEmpty())
        return QStringLiteral("0");
    return Bandera(CampoConv::Verdadero(rs.Fields(campo)));
}

QString BanderaC(const FilaLeida& rs, const QString& campo) {
    return Bandera(CampoConv::Verdadero(rs.Fields(campo)));
}

QString DescripcionTipo(Conversion& c) {
    const QString tipo = CampoConv::Texto(c.rsArticulo, "IdTipo");
    const auto i = c.tiposArticulo.constFind(tipo);
    if (i != c.tiposArticulo.constEnd())
        return i.value();
    QString descripcion = UT().ValorATexto(AD().ObtieneValorTabla(
        QStringLiteral("V_TA_TipoArticulo"), tipo, QStringLiteral("Descripcion"), QStringLiteral("IdTipo")));
    c.tiposArticulo.insert(tipo, descripcion);
    return descripcion;
}

// A step of the conversion that counts in `completos` when it runs to its end.
template <class F> void PasoContado(int& completos, F&& paso) {
    PasoConversion([&] {
        paso();
        ++completos;
    });
}

// The cells of `escribe` (its steps counted) for the line's article: worked out and kept at its
// first line, written again at the later ones. What a step left undone is not kept.
template <class F>
void CeldasDelArticulo(Conversion& c, const Fila& r,
                       std::optional<CeldasArticulo::Escritas> CeldasArticulo::*lista, int pasos,
                       F&& escribe) {
    CeldasArticulo* guardadas = c.articuloLinea ? &c.celdasArticulo[c.articuloLinea] : nullptr;
    if (guardadas && guardadas->*lista) {
        for (const auto& [columna, texto] : *(guardadas->*lista))
            r.Pon(columna, texto);
        return;
    }
    CeldasArticulo::Escritas escritas;
    Fila anota = r;
    anota.escritas = &escritas;
    int completos = 0;
    escribe(anota, completos);
    if (guardadas && completos == pasos)
        guardadas->*lista = std::move(escritas);
}

void ColumnasArticuloEncontrado(Conversion& c, const Fila& r) {
    CeldasDelArticulo(c, r, &CeldasArticulo::identidad, 4, [&c](const Fila& a, int& completos) {
        const FilaLeida& rs = c.rsArticulo;
        PasoContado(completos, [&] { a.Pon(col::DescripcionTipoArticulo, DescripcionTipo(c)); });
        PasoContado(completos, [&] { a.Pon(col::Presentacion, a.A("Presentacion")); });
        PasoContado(completos, [&] { a.Pon(col::EsExento, BanderaC(rs, QStringLiteral("Exento"))); });
        PasoContado(completos, [&] { a.Pon(col::PideSerie, BanderaA(rs, QStringLiteral("UsaSerie"))); });
    });
}

// The VAT rate of the article; a zero rate takes the configured one, except on an order loaded
// by the order-to-invoice program.
void TasaIva(Conversion& c, const Fila& r) {
    r.Pon(col::Iva, CampoConv::Texto(c.rsArticulo, "TasaIVA"));
    if (UT().TextoADoble(r.Lee(col::Iva)) != 0)
        return;
    if (!(Igual(c.TC, QStringLiteral("NP")) && c.EsPrograma(ProgramasConversion::PedidoAFactura)))
        r.Pon(col::Iva, Numero(c.pivaDefecto));
}

// The article's flags, codes, account and VAT rate (its steps counted).
void AtributosDelArticulo(Conversion& c, const Fila& r, int& completos) {
    const FilaLeida& a = c.rsArticulo;
    PasoContado(completos, [&] {
        r.Pon(col::PideLote, BanderaA(a, QStringLiteral("UsaLote")));
        if (gAsignacionAutomaticaDeLoteING || gAsignacionAutomaticaDeLoteINGOP)
            r.Pon(col::PideLote, QStringLiteral("-1"));
    });
    PasoContado(completos, [&] { r.Pon(col::EsPerecedero, BanderaA(a, QStringLiteral("Perecedero"))); });
    r.Pon(col::Coeficiente, QStringLiteral("1"));
    r.Pon(col::TipoCoeficiente, QStringLiteral("*"));
    PasoContado(completos, [&] {
        const QVariant talle = a.Fields("UsaTalle");
        r.Pon(col::PideTalle, talle.isNull() ? QStringLiteral("0") : Bandera(CampoConv::Verdadero(talle)));
        const QVariant equivalencia = a.Fields("PIDEEQUIVALENCIA");
        r.Pon(col::PideEquivalencia,
              equivalencia.isNull() ? QStringLiteral("0") : Bandera(CampoConv::Verdadero(equivalencia)));
        r.Pon(col::EsPesable, BanderaC(a, QStringLiteral("pesable")));
    });
    PasoContado(completos, [&] {
        r.Pon(col::Presentacion, r.A("Presentacion"));
        r.Pon(col::CodigoBarra, r.A("codigobarra"));
    });
    PasoContado(completos, [&] { r.Pon(col::DescripcionTipoArticulo, DescripcionTipo(c)); });
    PasoContado(completos, [&] {
        r.Pon(col::CuentaContable, r.A("CuentaContable"));
        r.Pon(col::CodProveedor, r.A("CodigoArtProveedor"));
    });
    PasoContado(completos, [&] { TasaIva(c, r); });
}

void AtributosArticulo(Conversion& c, const Fila& r) {
    CeldasDelArticulo(c, r, &CeldasArticulo::atributos, 7,
                      [&c](const Fila& a, int& completos) { AtributosDelArticulo(c, a, completos); });
    PasoConversion([&] { r.Pon(col::ImporteSinIvaOrigen, r.L("Importe_S_IVA")); });
}

// The line's unit equivalence, base unit and presentation.
void UnidadesLinea(Conversion& c, const Fila& r) {
    const CamposDe& l = c.linea;
    PasoConversion([&] {
        const QString fuente = c.esCompra ? QStringLiteral("Equiv_UDBase") : QStringLiteral("CantidadUd");
        const QVariant base = l.Fields("IdUnidadBase");
        const QVariant unidad = l.Fields("IdUnidad");
        if (l.Fields(fuente).isNull())
            r.Pon(col::Coeficiente, QStringLiteral("1"));
        else if (!base.isNull() && !unidad.isNull() && !Igual(base.toString(), unidad.toString()))
            r.Pon(col::Coeficiente, CampoConv::Recortado(l, fuente));
    });
    PasoConversion([&] {
        if (!l.Fields("IdUnidadBase").isNull())
            r.Pon(col::UnidadBase, r.L("IdUnidadBase"));
        else
            r.Pon(col::UnidadBase, r.Lee(col::Unidad));
    });
    PasoConversion([&] {
        if (!l.Fields("Presentacion").isNull())
            r.Pon(col::Presentacion, r.L("Presentacion"));
    });
}

// Cost and amounts of the line: false when they were converted by the exchange rate.
bool CostosLinea(Conversion& c, const Fila& r) {
    const CamposDe& l = c.linea;
    if (c.ConvertirMoneda) {
        PasoConversion([&] {
            const double cot = c.Cotizacion();
            r.Pon(col::Costo, Numero(CampoConv::NumeroSinNulo(l, "Costo") * cot));
            r.Pon(col::PrecioSinIva, Numero(CampoConv::NumeroSinNulo(l, "Importe_S_IVA") * cot));
            r.Pon(col::Impuestos, Numero(CampoConv::NumeroSinNulo(l, "Impuestos") * cot));
            r.Pon(col::Itc, Numero(UT().TextoAMoneda(CampoConv::Texto(l, "iTC")).ADoble() * cot));
            r.Pon(col::Total, Numero(CampoConv::NumeroSinNulo(l, "Total") * cot));
        });
        return false;
    }
    PasoConversion([&] {
        if (c.esCompra)
            r.Pon(col::Costo,
                  UT().ValorATexto(AD().ObtieneValorTabla(
                      QStringLiteral("V_MA_ARTICULOS"), CampoConv::Texto(l, "IdArticulo"),
                      QStringLiteral("Costo"), QStringLiteral("IdArticulo"), 8, {}, true, false)));
        else
            r.Pon(col::Costo, r.L("Costo"));
        r.Pon(col::PrecioSinIva, r.L("Importe_S_IVA"));
        r.Pon(col::Impuestos, r.L("Impuestos"));
        r.Pon(col::Itc, r.L("iTC"));
        r.Pon(col::Total, r.L("Total"));
    });
    return true;
}

} // namespace

void LlenaFilaIdentidad(Conversion& c) {
    const Fila r(c);
    bool kilos = false;
    PasoConversion([&] {
        kilos = ReglaKilos(r);
        r.Pon(col::CodigoArticulo, r.L("IdArticulo"));
        r.Pon(col::Descripcion, r.L("Descripcion"));
        r.Pon(col::Unidad, kilos ? r.L("IdUnidadBase") : r.L("IdUnidad"));
        r.Pon(col::UnidadOriginal, r.L("IdUnidad"));
        r.Pon(col::SecuenciaOrigen, r.L("Secuencia"));
    });
    Cantidad(c, r, kilos);
    PasoConversion([&] {
        r.Pon(col::UnidadEquivalente, r.L("IdUnidadBase"));
        if (c.EsPrograma(ProgramasConversion::ArticuloUnico))
            r.Pon(col::CantidadEquivalente, Numero(c.pendiente));
        else if (c.EsPrograma(ProgramasConversion::SoloRemitos))
            r.Pon(col::CantidadEquivalente, r.Lee(col::Cantidad));
        else
            r.Pon(col::CantidadEquivalente, r.L("CantidadUd"));
    });
    PasoConversion([&] { PrecioUnitario(c, r); });
    PasoConversion([&] { PrecioLetraB(c, r); });
    if (!c.esCompra)
        PasoConversion([&] {
            r.Pon(col::PorcentajeDescuento, r.L("PorcDto"));
            r.Pon(col::ListaPrecio, r.L("IdLista"));
            r.Pon(col::EnComodato, CampoConv::Texto(c.encabezado, "EnComodato") == QLatin1String("1")
                                       ? QStringLiteral("1")
                                       : QStringLiteral("0"));
            if (c.pideDeposito)
                r.Pon(col::Deposito, r.L("IdDeposito"));
        });
    if (c.encontrado)
        ColumnasArticuloEncontrado(c, r);
}

void LlenaFilaAtributos(Conversion& c) {
    const Fila r(c);
    c.descripAbrev.clear();
    c.procedencia.clear();
    if (c.encontrado) {
        AtributosArticulo(c, r);
        // The row's finishing still needs these two of the article.
        PasoConversion([&] {
            c.descripAbrev = r.A("Descripabrev");
            c.procedencia = r.A("procedencia");
        });
    }
    UnidadesLinea(c, r);
    const bool precios = CostosLinea(c, r);
    CompletaFila(c, !precios);
}
