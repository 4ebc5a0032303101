#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "ConversionInterno.h"
#include "Formatos.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Grilla.h"
#include "ProgramasConversion.h"
#include "Regional.h"
#include "Stock.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <cmath>

namespace {

constexpr int Blanco = 0xFFFFFF;

// A cell's text as the utilities' TextoAMoneda and TextoADoble read a text (a number in the
// regional form; anything else reads 0), without wrapping it in a variant first.
Moneda Cur(const QString& texto) {
    return Regional::LeeMoneda(texto).value_or(Moneda());
}

double Dbl(const QString& texto) {
    return Regional::LeeDoble(texto).value_or(0.0);
}

QString Numero(double valor) {
    return Regional::TextoNumero(valor);
}

// The cells of one row of the articles grid.
struct Celdas {
    Grilla& g;
    int f;
    QString operator()(int columna) const { return g.TextMatrix(f, columna); }
    void Pon(int columna, const QString& texto) const { g.setTextMatrix(f, columna, texto); }
};

QString L(const Conversion& c, const char* campo) {
    return CampoConv::Recortado(c.linea, campo);
}

// A quotient of two of the line's fields as money text; a zero quantity keeps the unit price.
void PrecioFinalPorCantidad(const Conversion& c, const Celdas& r, const char* campo) {
    const double cantidad = CampoConv::NumeroSinNulo(c.linea, "Cantidad");
    if (cantidad == 0)
        return;
    r.Pon(col::Importe,
          FmtMoneda(Numero(CampoConv::NumeroSinNulo(c.linea, campo) / cantidad).trimmed(), -1, false));
}

// Whether the line's price list includes VAT.
void ListaConIva(Conversion& c, const Celdas& r) {
    const QString articulo = CampoConv::Texto(c.linea, "IdArticulo");
    const QString lista = UT().RellenaCodigo(L(c, "IdLista"), 4);
    const QString clave = articulo + QChar(0x1F) + lista;
    auto i = c.listasConIva.constFind(clave);
    if (i == c.listasConIva.constEnd()) {
        Registros rs;
        AD().ObtieneRecordset(
            QStringLiteral("SELECT CONIVA FROM  VT_MA_PRECIOS_ARTICULOS WHERE IDARTICULO = '") +
                Cita(articulo) + QStringLiteral("' AND IDLISTA = '") + Cita(lista) +
                QStringLiteral("' AND TIPOLISTA = 'V'"),
            rs);
        i = c.listasConIva.insert(clave,
                                  !rs.Bof() && CampoConv::Verdadero(rs.Fields(QStringLiteral("CONIVA"))));
    }
    r.Pon(col::ListaConIva, i.value() ? QStringLiteral("-1") : QStringLiteral("0"));
}

// The list price with VAT and the final-price rule.
void PreciosFinales(Conversion& c, const Celdas& r) {
    const CamposDe& l = c.linea;
    const bool conLista = !l.Fields("IdLista").isNull();
    if (conLista)
        PasoConversion([&] { ListaConIva(c, r); });
    PasoConversion([&] {
        if (conLista) {
            if (Igual(c.CpteDestino.trimmed(), QStringLiteral("NC")) &&
                Igual(c.TC.trimmed(), QStringLiteral("FC")))
                return;
            const QVariant sinIva = l.Fields("Importe_S_IVA");
            const QVariant importe = l.Fields("Importe");
            const QVariant final = l.Fields("TotalFinal");
            const QVariant total = l.Fields("Total");
            if (c.preciosFinales && !sinIva.isNull() && !importe.isNull() &&
                UT().TextoADoble(sinIva) == UT().TextoADoble(importe) && !final.isNull() && !total.isNull() &&
                std::abs(UT().TextoADoble(final)) > std::abs(UT().TextoADoble(total))) {
                r.Pon(col::Total, L(c, "TotalFinal"));
                PrecioFinalPorCantidad(c, r, "TotalFinal");
            }
        } else if (c.preciosFinales) {
            r.Pon(col::Total, L(c, "TotalFinal"));
            const QVariant total = l.Fields("Total");
            if (!total.isNull() && UT().TextoADoble(total) > 0) {
                if (CampoConv::NumeroSinNulo(l, "PorcDto") <= 0)
                    PrecioFinalPorCantidad(c, r, "Total");
            } else {
                PrecioFinalPorCantidad(c, r, "TotalFinal");
            }
        }
    });
}

void LotesYOrigen(Conversion& c, const Celdas& r) {
    PasoConversion([&] {
        r.Pon(col::ListaLotes, L(c, "Nro_Lote"));
        if (r(col::EsPerecedero) == QLatin1String("-1") && c.esCompra &&
            r(col::ListaLotes).trimmed().isEmpty()) {
            // A perishable purchase without its lot: the lot the origin moved in stock.
            // The type as the posting stores it, filled to 4.
            const QString condicion =
                QStringLiteral(" TC = '") + Cita(UT().RellenaCodigo(c.TC.trimmed(), 4)) +
                QStringLiteral("' AND IDCOMPROBANTE = '") + Cita(c.SucNroLetra) + QStringLiteral("'");
            r.Pon(col::ListaLotes,
                  UT().ValorATexto(AD().ObtieneValorTabla(
                      QStringLiteral("V_MV_STOCK"), UT().RellenaCodigo(r(col::CodigoArticulo).trimmed(), 25),
                      QStringLiteral("NROLOTE"), QStringLiteral("idarticulo"), 8, condicion, false, false)));
        }
    });
    PasoConversion([&] {
        r.Pon(col::ListaSeries, L(c, "Nro_Serie"));
        r.Pon(col::LoteAduana, L(c, "ControladoPor"));
        r.Pon(col::LoteOrigen, L(c, "IdOrigen"));
    });
}

// The row total with the per-unit taxes of the whole quantity: the products in double
// precision, only the sum rounded to currency.
QString TotalConImpuestos(const Celdas& r) {
    const double q = Dbl(r(col::Cantidad));
    return Moneda::DeDoble(Cur(r(col::Total)).ADoble() + Cur(r(col::Impuestos)).ADoble() * q +
                           Cur(r(col::Itc)).ADoble() * q)
        .Texto();
}

void TotalesEIva(Conversion& c, const Celdas& r) {
    const CamposDe& l = c.linea;
    PasoConversion([&] {
        r.Pon(col::EsExento,
              CampoConv::Verdadero(l.Fields("Exento")) ? QStringLiteral("-1") : QStringLiteral("0"));
    });
    if (!c.esCompra) {
        PasoConversion([&] {
            if (Cur(L(c, "AlicIVA")) > Moneda())
                r.Pon(col::Iva, L(c, "AlicIVA"));
        });
        PasoConversion([&] {
            r.Pon(col::TotalLinea, c.preciosFinales ? Cur(r(col::Total)).Texto() : TotalConImpuestos(r));
        });
        return;
    }
    PasoConversion([&] {
        if (!l.Fields("Precio_Lista").isNull())
            r.Pon(col::PrecioListaOrigen,
                  c.ConvertirMoneda ? Numero(CampoConv::NumeroSinNulo(l, "Precio_Lista") * c.Cotizacion())
                                    : CampoConv::Texto(l, "Precio_Lista"));
    });
    PasoConversion([&] { r.Pon(col::TotalLinea, TotalConImpuestos(r)); });
    PasoConversion([&] { r.Pon(col::CodigoArtProveedor, CampoConv::Texto(l, "CodigoArtProveedor")); });
}

void Pinta(const Celdas& r, int columna) {
    r.g.setCol(columna);
    r.g.setRow(r.f);
    r.g.setCellForeColor(Blanco);
}

// The article's PIDEMEDIDAS in the master, trimmed. The line's article found under its own code
// is that row of the master already read: it is taken from there.
QString MedidasDelMaestro(const Conversion& c, const QString& articulo) {
    const QString campo = QStringLiteral("PIDEMEDIDAS");
    if (c.encontrado && c.rsArticulo.Tiene(campo) && c.rsArticulo.Tiene(QStringLiteral("IDARTICULO")) &&
        ClaveTexto(CampoConv::Texto(c.rsArticulo, "IDARTICULO")) == ClaveTexto(articulo))
        return UT().ValorATexto(c.rsArticulo.Fields(campo)).trimmed();
    return UT()
        .ValorATexto(AD().ObtieneValorTabla(QStringLiteral("V_MA_ARTICULOS"), articulo, campo,
                                            QStringLiteral("IDARTICULO"), 8, {}, true, false))
        .trimmed();
}

// The measures of the timber trade.
void Medidas(Conversion& c, const Celdas& r) {
    bool conMedidas = false;
    PasoConversion([&] {
        const QString articulo = CampoConv::Texto(c.linea, "IdArticulo");
        const auto i = c.conMedidas.constFind(articulo);
        if (i != c.conMedidas.constEnd()) {
            conMedidas = i.value();
        } else {
            QString pide = MedidasDelMaestro(c, articulo);
            if (pide.isEmpty())
                pide = QStringLiteral("FALSO");
            conMedidas = TextoABooleano(pide, true);
            c.conMedidas.insert(articulo, conMedidas);
        }
        r.Pon(col::PideMedidas, conMedidas ? QStringLiteral("1") : QStringLiteral("0"));
    });
    PasoConversion([&] {
        if (conMedidas) {
            r.Pon(col::Espesor, L(c, "Espesor"));
            r.Pon(col::Ancho, L(c, "Ancho"));
            r.Pon(col::UnidadOriginal, L(c, "IdUnidad"));
            if (Igual(r(col::Unidad), gMadTiras))
                r.Pon(col::Largo, L(c, "Equiv_UDBase"));
            else
                Pinta(r, col::Largo);
        } else {
            Pinta(r, col::Espesor);
            Pinta(r, col::Ancho);
            Pinta(r, col::Largo);
        }
    });
    PasoConversion([&] {
        r.Pon(col::UnidadPrecio, L(c, "Ud_Pr"));
        r.Pon(col::ImporteUnidad,
              c.ConvertirMoneda
                  ? Numero(CampoConv::NumeroSinNulo(c.linea, "Importe_Ud") * c.Cotizacion()).trimmed()
                  : L(c, "Importe_Ud"));
    });
}

QString ClaveFusion(const Grilla& g, int f) {
    static constexpr int columnas[] = {col::CodigoArticulo, col::Unidad, col::Espesor, col::Ancho,
                                       col::ImporteUnidad};
    QString clave;
    clave.reserve(64);
    for (const int columna : columnas) {
        clave += QStringView(g.TextMatrix(f, columna)).trimmed();
        clave += QChar(0x1F);
    }
    // Case folded; letters of the ASCII range without the Unicode tables.
    for (QChar& letra : clave) {
        const char16_t u = letra.unicode();
        if (u >= 0x80)
            return std::move(clave).toCaseFolded();
        if (u >= u'A' && u <= u'Z')
            letra = QChar(char16_t(u + (u'a' - u'A')));
    }
    return clave;
}

// A quantity-weighted average of a column of the two rows (products and sums in currency).
double Promedio(const Celdas& i, const Celdas& n, int columna, Moneda qi, Moneda qn) {
    return ((Cur(i(columna)) * qi + Cur(n(columna)) * qn).ADoble()) / (qi + qn).ADoble();
}

// Folds the new last row into the first earlier row of the same article, unit, measures and
// unit amount, and removes it. Rows are found through the call's index of keys, so that a
// voucher of many lines costs one look-up per line. Returns the row that now holds the line.
int AcumulaFilaRepetida(Conversion& c) {
    Grilla& g = *c.articulos;
    const int n = g.Rows() - 1;
    if (!c.indiceArmado) {
        for (int f = 1; f < n; ++f) {
            const QString k = ClaveFusion(g, f);
            if (!c.filasPorClave.contains(k)) // the lowest row of a key absorbs
                c.filasPorClave.insert(k, f);
        }
        c.indiceArmado = true;
    }
    const QString clave = ClaveFusion(g, n);
    const auto hallada = c.filasPorClave.constFind(clave);
    if (hallada == c.filasPorClave.constEnd() || hallada.value() >= n) {
        if (hallada == c.filasPorClave.constEnd())
            c.filasPorClave.insert(clave, n);
        return n;
    }
    const Celdas ni{g, n};
    if (ni(col::CodigoArticulo).trimmed() == QLatin1String("*"))
        return n;
    const Celdas fi{g, hallada.value()};
    const Moneda qi = Cur(fi(col::Cantidad));
    const Moneda qn = Cur(ni(col::Cantidad));
    // Opposite quantities have no average: the rows stay apart.
    if ((qi + qn).EsCero())
        return n;
    const double dqi = Dbl(fi(col::Cantidad));
    const double dqn = Dbl(ni(col::Cantidad));
    const double largo = Dbl(Numero(Dbl(fi(col::Largo)) * dqi + Dbl(ni(col::Largo)) * dqn)) / (dqi + dqn);
    fi.Pon(col::Largo, Numero(largo));
    fi.Pon(col::LargoAnterior, Cur(fi(col::Largo)).Texto());
    fi.Pon(col::CantidadEquivalente,
           (Cur(ni(col::CantidadEquivalente)) + Cur(fi(col::CantidadEquivalente))).Texto());
    const Moneda precio = Moneda::DeDoble(Promedio(fi, ni, col::Importe, qi, qn));
    const Moneda total = Cur(ni(col::Total)) + Cur(fi(col::Total));
    fi.Pon(col::Cantidad, (qn + qi).Texto());
    fi.Pon(col::Importe, precio.Texto());
    fi.Pon(col::Total, total.Texto());
    for (const int columna : {col::Costo, col::Impuestos, col::Itc})
        fi.Pon(columna, Numero(Promedio(fi, ni, columna, qi, qn)));
    fi.Pon(col::TotalLinea, (Cur(ni(col::TotalLinea)) + Cur(fi(col::TotalLinea))).Texto());
    fi.Pon(col::PrecioSinIva, precio.Texto());
    g.setRows(n);
    return fi.f;
}

// The package, kilogram and cubic-metre quantities of the line, the proforma and exempt-by-law
// marks, and the derived quantities of the row that holds the line.
void CompletaFilaArticulo(Conversion& c, int fila, bool fusionada) {
    const Celdas r{*c.articulos, fila};
    const CamposDe& l = c.linea;
    PasoConversion([&] {
        const bool kilos =
            Igual(L(c, "TC"), QStringLiteral("NP")) && Igual(L(c, "IdUnidadBase"), gUnidadMedidaKG.trimmed());
        const QString bultos =
            CampoConv::Texto(l, kilos ? QStringLiteral("Equiv_UDBase") : QStringLiteral("Cant_BL"));
        const QString kg = CampoConv::Texto(l, "CANT_KG");
        const QString m3 = CampoConv::Texto(l, "CANT_M3");
        if (fusionada) {
            r.Pon(col::CantidadBultos, (Cur(r(col::CantidadBultos)) + Cur(bultos)).Texto());
            r.Pon(col::CantidadKg, (Cur(r(col::CantidadKg)) + Cur(kg)).Texto());
            r.Pon(col::CantidadM3, (Cur(r(col::CantidadM3)) + Cur(m3)).Texto());
        } else {
            r.Pon(col::CantidadBultos, bultos);
            r.Pon(col::CantidadKg, kg);
            r.Pon(col::CantidadM3, m3);
        }
    });
    PasoConversion([&] {
        if (Igual(c.CpteDestino, QStringLiteral("FP")) || Igual(c.CpteDestino, QStringLiteral("NCFP"))) {
            const QString d = c.descripAbrev;
            if (Igual(d, QStringLiteral("PROFORMA")))
                r.Pon(col::EsExento, QStringLiteral("1"));
            else if (d.size() > 8 && Igual(d.left(8), QStringLiteral("PROFORMA")))
                r.Pon(col::Iva, d.mid(8));
        }
        if (Igual(CampoConv::Recortado(c.encabezado, "CondicionIva"), QStringLiteral("3")) &&
            Igual(c.procedencia, QStringLiteral("EXENTO LEY")))
            r.Pon(col::EsExento, QStringLiteral("1"));
    });
    PasoConversion([&] {
        c.articulos->setRow(fila);
        RecalculaCantidadesGrilla(*c.articulos);
    });
}

} // namespace

void CompletaFila(Conversion& c, bool desdeLotes) {
    const Celdas r{*c.articulos, c.FilaArticulo()};
    if (!desdeLotes && !c.esCompra)
        PreciosFinales(c, r);
    if (!Igual(c.TC.trimmed(), QStringLiteral("NP")))
        LotesYOrigen(c, r);
    TotalesEIva(c, r);
    PasoConversion([&] {
        r.Pon(col::RestoPorAplicar,
              c.EsPrograma(ProgramasConversion::ArticuloUnico)
                  ? Numero(c.pendiente).trimmed()
                  : Numero(CampoConv::NumeroSinNulo(c.linea, "Cantidad") - c.aplicado).trimmed());
        r.Pon(col::SucNroLetraOrigen, c.SucNroLetra.trimmed());
    });
    int fila = r.f;
    if (!c.esCompra && gMaderera) {
        Medidas(c, r);
        PasoConversion([&] { fila = AcumulaFilaRepetida(c); });
    }
    CompletaFilaArticulo(c, fila, fila != r.f);
}
