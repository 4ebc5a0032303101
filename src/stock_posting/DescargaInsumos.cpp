// The production-input discharge of a stock posting: the components of the produced articles the
// voucher moves, as rows of a "PE" voucher of their own, spread over the components' lots.

#include "ClsCmnCptesPosteo.h"
#include "PosteoStock.h"

#include "AccesoDatos.h"
#include "BuscaArticulo.h"
#include "Configuracion.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Numeracion.h"
#include "Registros.h"
#include "Stock.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QSet>

namespace {

const QString kTipo = QStringLiteral("PE");

using Componente = ComponenteDescarga;

class Descarga {
public:
    Descarga(Posteo& p, bool porcentaje) : p_(p), porcentaje_(porcentaje) {}
    void Fila(const Componente& c);

private:
    QString Celda(int col) const { return p_.grid.TextMatrix(p_.fila, col); }
    QString Deposito() const;
    void Unidades(const Componente& c, double signada, ParesCampos& pares) const;
    void Cuenta(const Componente& c, ParesCampos& pares);

    Posteo& p_;
    bool porcentaje_;
};

QString Descarga::Deposito() const {
    if (p_.pasada == 3)
        return RellenaRecortado(p_.IdDepositoDestino, 4);
    return DepositoDeLinea(p_);
}

void Descarga::Unidades(const Componente& c, double signada, ParesCampos& pares) const {
    const QString lineal = Celda(5).trimmed();
    if (c.producido) {
        const Moneda signo = Moneda::DeEntero(p_.signo);
        if (TextoABooleano(Celda(76).trimmed(), true)) {
            Agrega(pares, "CantidadUD",
                   NumeroFila(QVariant::fromValue(UT().TextoAMoneda(Celda(74)) * signo)));
            Agrega(pares, "IdUnidadBase", TextoFila(RellenaRecortado(Celda(41), 4)));
        } else if (p_.confirmaUDEquiv) {
            Agrega(pares, "CantidadUD",
                   NumeroFila(QVariant::fromValue(UT().TextoAMoneda(Celda(10)) * signo)));
            Agrega(pares, "IdUnidadBase", TextoFila(RellenaRecortado(Celda(9), 4)));
        } else {
            Agrega(pares, "CantidadUd", NumeroFila(signada));
            Agrega(pares, "IdUnidadBase", TextoFila(RellenaRecortado(Celda(41), 4)));
        }
        Agrega(pares, "equiv_udbase", NumeroFila(0.0));
        return;
    }
    double enLinea = signada;
    double coeficiente = 0;
    if (!MismaUnidad(c.unidad, lineal)) {
        QString operador;
        QString origen = c.unidad.trimmed();
        double coef = 0;
        bool sinUnidad = false;
        if (IdArticuloTieneEquivalencias(RellenaRecortado(c.codigo, 25), lineal, operador, origen, coef,
                                         sinUnidad)) {
            enLinea = operador == QLatin1String("*") ? signada / coef : signada * coef;
            coeficiente = coef;
        }
    }
    Agrega(pares, "CantidadUd", NumeroFila(enLinea));
    Agrega(pares, "IdUnidadBase", TextoFila(RellenaRecortado(lineal, 4)));
    Agrega(pares, "equiv_udbase", NumeroFila(coeficiente));
}

void Descarga::Cuenta(const Componente& c, ParesCampos& pares) {
    QString cuenta = p_.Cuenta.trimmed();
    if (Es(cuenta, "PorDefault")) {
        cuenta = DatoArticulo(porcentaje_ ? Celda(0).trimmed() : c.limpio, "CUENTAPROVEEDOR");
        if (cuenta.isEmpty())
            cuenta = kNull;
    }
    p_.cuentaValor = cuenta;
    if (!Es(cuenta, "NULL"))
        Agrega(pares, "CuentaProveedor", AD().FormateaValorSQL(cuenta, QStringLiteral("'")));
}

void Descarga::Fila(const Componente& c) {
    p_.secuencia += 1;
    const double signada = c.cantidad * p_.signo;
    ParesCampos& pares = ListaCampos();
    pares.clear();
    Agrega(pares, "TC", TextoFila(RellenaRecortado(kTipo, 4)));
    Agrega(pares, "IdComprobante", TextoFila(p_.idDescarga));
    if (!p_.compras)
        Agrega(pares, "IdComplemento", p_.IdComplemento); // read as a number by the posting
    Agrega(pares, "Secuencia", TextoSecuencia(p_.secuencia));
    Agrega(pares, "Fecha", AD().FormateaValorSQL(p_.Fecha, QStringLiteral("'")));
    Agrega(pares, "IdDeposito", Deposito());
    Agrega(
        pares, "IdArticulo",
        AD().FormateaValorSQL(RellenaRecortado(c.producido ? Celda(0) : c.codigo, 25), QStringLiteral("'")));
    QString descripcion = c.producido ? Celda(1).trimmed()
                          : c.codigo == QLatin1String("*")
                              ? c.textoLibre
                              : DatoArticulo(c.limpio, "DESCRIPCION").remove('\'');
    Agrega(pares, "Descripcion", AD().FormateaValorSQL(descripcion, QStringLiteral("'")));
    if (c.conLote)
        Agrega(pares, "NroLote",
               c.lote.trimmed().isEmpty()
                   ? kNull
                   : AD().FormateaValorSQL(RellenaRecortado(c.lote, 25), QStringLiteral("'")));
    if (c.producido)
        Agrega(pares, "IdUnidad", TextoFila(RellenaRecortado(Celda(5), 4)));
    else
        Agrega(pares, "IdUnidad", c.unidad.isEmpty() ? kNull : TextoFila(RellenaRecortado(c.unidad, 4)));
    Unidades(c, signada, pares);
    Agrega(pares, "Cantidad", NumeroFila(signada));
    if (!gCaja.trimmed().isEmpty()) {
        gCaja.remove(QLatin1Char('\''));
        Agrega(pares, "IdCaja", TextoFila(RellenaRecortado(gCaja, 4)));
    }
    Cuenta(c, pares);
    // The line's own motive when the voucher gives one per line; the word NULL is a null.
    QString motivo = p_.marcaMotivo ? Celda(86) : QString(p_.IdMotivoStock).remove(QLatin1Char('\''));
    Agrega(pares, "IdMotivoStock", Es(motivo, "NULL") ? kNull : TextoFila(RellenaRecortado(motivo, 4)));
    Agrega(pares, "PrecioVenta", QStringLiteral("0"));
    Agrega(pares, "Importe_S_iva", QStringLiteral("0"));
    const Moneda costo =
        c.producido ? UT().TextoAMoneda(Celda(38)) : UT().TextoAMoneda(DatoArticulo(c.limpio, "Costo"));
    Agrega(pares, "Costo", NumeroFila(QVariant::fromValue(costo)));
    Agrega(pares, "Tc_Origen", TextoFila(RellenaRecortado(p_.TC, 4)));
    Agrega(pares, "IdComprobante_Origen", AD().FormateaValorSQL(p_.SucNroLetra, QStringLiteral("'")));
    Agrega(pares, "ControladoPor", AD().FormateaValorSQL(Celda(0).trimmed(), QStringLiteral("'")));
    Agrega(pares, "Unegocio", TextoFila(gUnidadNegocio));
    Agrega(pares, "ARTMONEDA", TextoFila(RellenaRecortado(p_.ArtMoneda, 4)));
    Agrega(pares, "ARTCOTIZACION", NumeroFila(QVariant::fromValue(p_.ArtCotizacion)));
    QString sentencia = QStringLiteral("INSERT INTO V_MV_STOCK");
    ArmaValues(sentencia, pares, true);
    p_.filaDescarga = !p_.GeneraSentenciaSQL;
    EmiteSentenciaPosteo(p_, sentencia);
}

bool Excluida(const Posteo& p) {
    return Es(p.TC, "SPL") || Es(p.TC, "AJP") || Es(p.TC, "AJN") ||
           CfgEsSi(QStringLiteral("DescargaInsumosProduccion")) || Es(p.TC, "OP") || p.cargaInsumos;
}

// The rows of a component of the line: its code found among the articles (or a "*text" one),
// then one row per lot it takes from, or one row without lot. None when the article is unknown.
std::vector<Componente> FilasDeComponente(const Posteo& p, const ItemCantidad& item, double producida,
                                          bool porcentaje) {
    Componente c;
    c.limpio = LimpiaCampo(item.Codigo);
    if (c.limpio.isEmpty())
        return {};
    c.codigo = c.limpio;
    if (c.limpio.size() > 1 && c.limpio.startsWith(QLatin1Char('*'))) {
        c.codigo = QStringLiteral("*");
        c.textoLibre = c.limpio.mid(1);
    }
    c.unidad = LimpiaCampo(item.Unidad);
    c.cantidad = producida * item.Cantidad / (porcentaje ? 100 : 1);
    if (c.codigo != QLatin1String("*")) {
        Registros rs;
        bool porCodigoBarra = false;
        QString descripcion, udBase, prefijo;
        double cantidad = 0;
        Moneda importe;
        qint16 aviso = 2;
        if (!BuscaArticulo(c.codigo, rs, true, porCodigoBarra, descripcion, QString(), udBase, QString(),
                           cantidad, importe, prefijo, QString(), aviso))
            return {};
    }
    ListaItems lotes;
    if (!ArticuloTieneLotes(c.codigo, p.IdDeposito, lotes, c.cantidad))
        return {c};
    c.conLote = true;
    std::vector<Componente> filas;
    for (const ItemCantidad& lote : lotes) {
        if (lote.Cantidad == 0)
            continue;
        Componente fila = c;
        fila.lote = LimpiaCampo(UT().ValorATexto(lote.Codigo));
        fila.cantidad = UT().TextoADoble(UT().ValorATexto(lote.Cantidad));
        filas.push_back(std::move(fila));
    }
    return filas;
}

// What a line discharges: its produced quantity and its components.
struct LineaDescarga {
    bool descarga = false;
    bool porcentaje = false;
    double producida = 0;
    ListaItems componentes;
};

LineaDescarga LeeLinea(Posteo& p, bool& numerado, QSet<QString>& sinComponentes) {
    const Grilla& g = p.grid;
    LineaDescarga l;
    if (UT().TextoAMoneda(g.TextMatrix(p.fila, 7)).EsCero() || g.TextMatrix(p.fila, 0).isEmpty())
        return l;
    const QString articulo = g.TextMatrix(p.fila, 0).trimmed();
    l.producida = UT().TextoAMoneda(g.TextMatrix(p.fila, 7)).ADoble();
    const QString c68 = g.TextMatrix(p.fila, 68);
    l.porcentaje = !c68.isEmpty() && TextoABooleano(c68.trimmed(), true);
    if (l.porcentaje && UT().TextoAMoneda(g.TextMatrix(p.fila, 74)) > Moneda())
        l.producida = UT().TextoAMoneda(g.TextMatrix(p.fila, 74)).ADoble();
    // An article met before without components (or of the house's production) is not asked again.
    const QString clave = articulo.toCaseFolded();
    if (sinComponentes.contains(clave))
        return l;
    if (!IdArticuloTieneInsumos(articulo, l.componentes, false) ||
        Es(DatoArticulo(articulo, "PROCEDENCIA"), "PRODUCCION")) {
        sinComponentes.insert(clave);
        return l;
    }
    if (p.idDescarga.isEmpty()) {
        p.idDescarga = AsignarNumeroComprobante(kTipo, QStringLiteral("0001"), QStringLiteral("X"));
        if (p.idDescarga.isEmpty())
            throw SinNumeroDescarga{};
        numerado = true;
        // Its rows go in only while no other station stored that number (per-line mode: with the
        // first of them).
        if (p.GeneraSentenciaSQL)
            EmiteSentenciaPosteo(p, ControlIdentidadPosteo(p, true));
    }
    l.descarga = true;
    return l;
}

// One discharge row, a step of its own. The rows a transfer takes out of the origin are kept, so
// that the destination takes in the same lots and quantities.
void FilaProtegida(Posteo& p, bool porcentaje, const Componente& c) {
    Protegido(p, [&] {
        Descarga(p, porcentaje).Fila(c);
        if (p.EsTransferencia && p.pasada != 3)
            p.descargadas.push_back({p.fila, porcentaje, c});
    });
}

// The lines of the grid: each line, each component and each row a step of its own.
void DescargaLineas(Posteo& p, bool& numerado) {
    QSet<QString> sinComponentes;
    for (p.fila = 1; p.fila < p.grid.Rows(); ++p.fila) {
        LineaDescarga l;
        Protegido(p, [&] { l = LeeLinea(p, numerado, sinComponentes); });
        if (!l.descarga)
            continue;
        if (l.porcentaje) {
            Componente propio;
            propio.producido = true;
            propio.cantidad = l.producida;
            FilaProtegida(p, true, propio);
        }
        for (const ItemCantidad& item : l.componentes) {
            std::vector<Componente> filas;
            Protegido(p, [&] { filas = FilasDeComponente(p, item, l.producida, l.porcentaje); });
            for (const Componente& c : filas)
                FilaProtegida(p, l.porcentaje, c);
        }
        TerminaFila(p);
    }
}

// The destination run of a transfer: what the origin run took out, row by row.
void DescargaDestino(Posteo& p) {
    for (size_t i = 0; i < p.descargadas.size(); ++i) {
        const FilaDescargada d = p.descargadas[i];
        p.fila = d.fila;
        FilaProtegida(p, d.porcentaje, d.componente);
        if (i + 1 == p.descargadas.size() || p.descargadas[i + 1].fila != d.fila)
            TerminaFila(p);
    }
}

} // namespace

void DescargaInsumos(Posteo& p) {
    bool excluida = true;
    Protegido(p, [&] { excluida = Excluida(p); });
    if (excluida)
        return;
    p.enDescarga = true;
    if (p.pasada != 3)
        p.secuencia = 0;
    bool numerado = false;
    if (p.pasada == 3)
        DescargaDestino(p);
    else
        DescargaLineas(p, numerado);
    // The range of the discharge voucher moves with the batch that stores its rows.
    if (numerado && p.secuencia > 0 && !p.idDescarga.trimmed().isEmpty()) {
        Protegido(p, [&] {
            QString sql;
            QString letra = p.idDescarga.mid(12, 1);
            // Registered like any other number, so that a second station that drew it is refused.
            ActualizaNumeracion(kTipo, QStringLiteral("STOCK"), p.idDescarga.left(4),
                                QString::number(p.idDescarga.mid(4, 8).toLongLong() + 1), letra, true, sql,
                                true, false);
            p.SqlTemp += QLatin1Char('\r') + sql;
        });
    }
}
