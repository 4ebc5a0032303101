// The stock movement row: one row of V_MV_STOCK for the current pass, line and element.

#include "PosteoStock.h"

#include "AccesoDatos.h"
#include "CuentasDespachos.h"
#include "ErrorSistema.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Regional.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

namespace {

bool EsNull(const QString& v) {
    return v.trimmed().compare(kNull, Qt::CaseInsensitive) == 0;
}

QString Rellena(const QString& codigo, int ancho) {
    return UT().RellenaCodigo(codigo, ancho);
}

QString SinApostrofes(const QString& v) {
    return UT().QuitaCaracter(v, QStringLiteral("'"));
}

// What the row reads of its grid line.
struct Linea {
    Grilla& g;
    int fila;
    QString Celda(int col) const { return g.TextMatrix(fila, col); }
    QString Recortada(int col) const { return Celda(col).trimmed(); }
    Moneda Mon(int col) const { return UT().TextoAMoneda(Celda(col)); }
    void Escribe(int col, const QString& v) const { g.setTextMatrix(fila, col, v); }
};

QString NulaODeposito(const QString& v) {
    return v.trimmed().isEmpty() ? QStringLiteral("null") : Rellena(v, 4);
}

void Depositos(Posteo& p, ParesCampos& pares) {
    QString deposito;
    if (p.pasada == 1 && p.SignoRemota == 1 && !p.marcaDeposito) {
        deposito = p.IdDeposito;
    } else if (p.pasada == 1) {
        deposito = DepositoDeLinea(p);
        p.depositoOrigen = deposito;
    } else {
        deposito = p.IdDepositoDestino;
    }
    Agrega(pares, "IdDeposito", deposito);
    if (p.EsTransferencia)
        Agrega(pares, "IDDEPOSITO_DESTINO",
               NulaODeposito(p.pasada == 1 ? p.IdDepositoDestino : p.depositoOrigen));
}

// A lot or serial as typed: the word NULL is a code like any other, and nothing is cut (the
// posting refuses a code longer than its column before it gets here).
QString LoteOSerie(const QString& elemento) {
    if (elemento.trimmed().isEmpty())
        return kNull;
    return AD().FormateaValorSQL(elemento, QStringLiteral("'"));
}

QString PrimeroNoVacio(std::initializer_list<QString> valores) {
    for (const QString& v : valores)
        if (!v.trimmed().isEmpty())
            return v;
    return {};
}

void LoteYAduana(Posteo& p, const Linea& l, ParesCampos& pares) {
    Agrega(pares, "NroLote", LoteOSerie(p.nroLote));
    // A lot-less element takes no dispatch of an earlier element.
    p.despControlado.clear();
    p.despOrigen.clear();
    if (!p.nroLote.trimmed().isEmpty())
        BuscaDespacho(p.nroLote, p.despControlado, p.despOrigen);
    QString controlado = l.Recortada(87);
    if (controlado.isEmpty())
        controlado = SinApostrofes(PrimeroNoVacio({l.Recortada(37), p.Aduana.trimmed()}));
    if (controlado.isEmpty())
        controlado = p.despControlado;
    Agrega(pares, "ControladoPor", AD().FormateaValorSQL(controlado, QStringLiteral("'")));
    const QString origen = PrimeroNoVacio({l.Recortada(36), p.LoteOrigen.trimmed(), p.despOrigen.trimmed()});
    Agrega(pares, "IdOrigen", origen.isEmpty() ? kNull : TextoFila(Rellena(origen, 4)));
    Agrega(pares, "NroSerie", LoteOSerie(p.nroSerie));
    const QString unidad = l.Recortada(5);
    Agrega(pares, "IdUnidad", unidad.isEmpty() ? kNull : TextoFila(Rellena(unidad, 4)));
}

bool Nombrado(const Posteo& p) {
    return !p.nroSerie.trimmed().isEmpty() || !p.nroLote.trimmed().isEmpty();
}

double Cantidad(Posteo& p, const Linea& l) {
    double q = l.Mon(7).ADoble();
    const bool lote = !p.nroLote.trimmed().isEmpty();
    const bool serie = !p.nroSerie.trimmed().isEmpty();
    if (LeidoComoEntrada(p)) {
        if (TextoABooleano(l.Celda(61), true) || (serie && !lote) || p.cantidadPropia)
            q = p.cantidad;
        else if ((serie || lote) && p.elementos > 1)
            q = 1;
    } else if (p.cantidad > 0 || lote || serie) {
        const bool otraUnidad = UT().TextoADoble(l.Celda(8)) != 1 && !MismaUnidad(l.Celda(5), l.Celda(41));
        if (!otraUnidad) {
            q = p.cantidad;
            l.Escribe(74, Regional::TextoNumero(p.cantidad, 15));
        }
    }
    CedeTurnoPosteo();
    q *= p.signo;
    CedeTurnoPosteo();
    return q;
}

void UnidadBase(const Posteo& p, const Linea& l, double q, ParesCampos& pares) {
    const Moneda signo = Moneda::DeEntero(p.signo);
    const bool nombrado = Nombrado(p);
    QVariant ud;
    QString unidad;
    if (TextoABooleano(l.Celda(76), true)) {
        if (l.Recortada(41).isEmpty())
            return;
        ud = QVariant::fromValue(l.Mon(74) * signo);
        unidad = l.Recortada(41);
    } else if (p.confirmaUDEquiv) {
        ud = QVariant::fromValue(l.Mon(10) * signo);
        unidad = l.Recortada(9);
    } else if (!l.Recortada(41).isEmpty()) {
        unidad = l.Recortada(41);
        if (nombrado)
            ud = q;
        else if (LeidoComoEntrada(p) && q != 0 && l.Mon(74).EsCero())
            ud = q * p.signo;
        else
            ud = QVariant::fromValue(l.Mon(74) * signo);
    } else {
        unidad = l.Recortada(5);
        if (nombrado)
            ud = q;
        else
            ud = QVariant::fromValue(l.Mon(7) * signo);
    }
    Agrega(pares, "CantidadUD", NumeroFila(ud));
    Agrega(pares, "IdUnidadBase", TextoFila(Rellena(unidad, 4)));
}

void Cantidades(Posteo& p, const Linea& l, ParesCampos& pares) {
    const double q = Cantidad(p, l);
    Agrega(pares, "Cantidad", NumeroFila(q));
    p.cantidad = 0;
    l.Escribe(9, Rellena(l.Recortada(9), 4));
    if (l.Celda(76).isEmpty())
        l.Escribe(76, QStringLiteral("0"));
    UnidadBase(p, l, q, pares);
}

void CuentaYMotivo(Posteo& p, const Linea& l, ParesCampos& pares) {
    QString cuenta = p.Cuenta.trimmed();
    if (cuenta.compare(QLatin1String("PorDefault"), Qt::CaseInsensitive) == 0) {
        cuenta = DatoArticulo(l.Recortada(0), "CUENTAPROVEEDOR");
        if (cuenta.isEmpty())
            cuenta = kNull;
    }
    if (!EsNull(cuenta))
        Agrega(pares, "CuentaProveedor", AD().FormateaValorSQL(cuenta, QStringLiteral("'")));
    p.cuentaValor = cuenta;
    if (p.marcaMotivo)
        p.IdMotivoStock = TextoFila(Rellena(l.Celda(86), 4));
    p.IdMotivoStock = SinApostrofes(p.IdMotivoStock);
    Agrega(pares, "IdMotivoStock", TextoFila(Rellena(p.IdMotivoStock.trimmed(), 4)));
}

void Importes(const Linea& l, ParesCampos& pares) {
    const auto mon = [](Moneda m) { return NumeroFila(QVariant::fromValue(m)); };
    Agrega(pares, "PrecioVenta", mon(l.Mon(14)));
    Agrega(pares, "Importe_S_Iva", mon(l.Mon(17)));
    Moneda costo = l.Mon(38);
    if (costo.EsCero())
        costo = UT().TextoAMoneda(DatoArticulo(l.Recortada(0), "Costo"));
    Agrega(pares, "Costo", mon(costo));
    Agrega(pares, "Impuestos", mon(l.Mon(40) + l.Mon(93)));
    Agrega(pares, "DtoItem", mon(l.Mon(11)));
}

void Origen(Posteo& p, const Linea& l, ParesCampos& pares) {
    if (p.marcaTcOrigen)
        p.TcOrigen = l.Celda(34).left(4).trimmed();
    p.TcOrigen = SinApostrofes(p.TcOrigen);
    Agrega(pares, "Tc_Origen", TextoFila(p.TcOrigen));
    if (p.marcaComprobanteOrigen)
        p.ComprobanteOrigen = TextoFila(l.Celda(34).mid(4, 13).trimmed());
    Agrega(pares, "IdComprobante_Origen", p.ComprobanteOrigen);
}

void Impuestos(const Posteo& p, const Linea& l, ParesCampos& pares) {
    const auto mon = [](Moneda m) { return NumeroFila(QVariant::fromValue(m)); };
    Agrega(pares, "Id_Origen", mon(l.Mon(35)));
    const bool exento = l.Mon(16).AEntero() == -1;
    Agrega(pares, "IVARI", l.Mon(33).EsCero() && !exento ? NumeroFila(p.piva) : mon(l.Mon(33)));
    Agrega(pares, "IVARNI", mon(l.Mon(45)));
    if (!EsNull(p.IdTecnico))
        Agrega(pares, "IdTecnico", TextoFila(Rellena(p.IdTecnico, 4)));
}

// A package count: the cell rounded half to even, times the sign, within 32 bits.
QString Bultos(const Posteo& p, const Linea& l, int col) {
    const double v = RedondeoBanquero(UT().TextoADoble(l.Celda(col))) * p.signo;
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        throw ErrorSistema(6, QStringLiteral("Overflow"), QStringLiteral("ActualizaStock"));
    return QString::number(static_cast<qint32>(v));
}

void Resto(Posteo& p, const Linea& l, ParesCampos& pares) {
    if (l.Celda(8).isEmpty())
        l.Escribe(8, QStringLiteral("1"));
    Agrega(pares, "EQUIV_UDBASE", NumeroFila(l.Celda(8)));
    Agrega(pares, "IDINSERT", NumeroFila(l.Celda(80)));
    Agrega(pares, "IDCOMPULSA", NumeroFila(l.Celda(81)));
    Agrega(pares, "Oferta", NumeroFila(l.Celda(85)));
    Agrega(pares, "IdVendedor", AD().FormateaValorSQL(p.IdVendedor, QStringLiteral("'")));
    Agrega(pares, "Importe_Ud", NumeroFila(l.Celda(13)));
    Agrega(pares, "Ud_Pr", TextoFila(Rellena(l.Celda(12), 4)));
    Agrega(pares, "UNEGOCIO", TextoFila(Rellena(gUnidadNegocio.trimmed(), 4)));
    Agrega(pares, "ARTMONEDA", TextoFila(Rellena(p.ArtMoneda, 4)));
    Agrega(pares, "ARTCOTIZACION", NumeroFila(QVariant::fromValue(p.ArtCotizacion)));
    Agrega(pares, "EnComodato", NumeroFila(l.Celda(88)));
    if (!p.comodato && UT().TextoADoble(l.Celda(88)) == 1)
        p.comodato = true;
    Agrega(pares, "CANT_BL", Bultos(p, l, 63));
    Agrega(pares, "CANT_KG", Bultos(p, l, 64));
    Agrega(pares, "CANT_M3", Bultos(p, l, 62));
}

} // namespace

QString TextoSecuencia(float s) {
    return QString::number(static_cast<double>(s), 'g', 9);
}

QString TextoFila(const QString& v) {
    return EsNull(v) ? kNull : AD().FormateaValorSQL(v, QStringLiteral("'"));
}

QString NumeroFila(const QVariant& v) {
    return AD().FormateaValorSQL(v, QStringLiteral("@"));
}

QString DepositoDeLinea(const Posteo& p) {
    const QString propio = p.grid.TextMatrix(p.fila, 6).trimmed();
    if (!propio.isEmpty())
        return AD().FormateaValorSQL(Rellena(propio, 4), QStringLiteral("'"));
    // The voucher's deposit is a literal already, unless each line was to give its own.
    return p.marcaDeposito ? AD().FormateaValorSQL(Rellena(p.IdDeposito.trimmed(), 4), QStringLiteral("'"))
                           : p.IdDeposito;
}

bool Es(const QString& valor, const char* texto) {
    return valor.trimmed().compare(QLatin1String(texto), Qt::CaseInsensitive) == 0;
}

QString RellenaRecortado(const QString& codigo, int ancho) {
    return UT().RellenaCodigo(codigo.trimmed(), ancho);
}

void Agrega(ParesCampos& pares, const char* campo, QString valor) {
    pares.push_back({QString::fromLatin1(campo), std::move(valor)});
}

bool MismaUnidad(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString DatoArticulo(const QString& articulo, const char* columna) {
    return UT()
        .ValorATexto(UT().ValorCampo(
            AD().ObtieneValorTabla(QStringLiteral("V_MA_ARTICULOS"), Rellena(articulo, 25),
                                   QString::fromLatin1(columna), QStringLiteral("IDARTICULO"))))
        .trimmed();
}

void CedeTurnoPosteo() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void ArmaFilaMovimiento(Posteo& p, ParesCampos& pares) {
    const Linea l{p.grid, p.fila};
    pares.clear();
    Agrega(pares, "TC", TextoFila(Rellena(p.TC, 4)));
    Agrega(pares, "IdComprobante", AD().FormateaValorSQL(p.SucNroLetra, QStringLiteral("'")));
    if (!p.compras)
        Agrega(pares, "IdComplemento", p.IdComplemento); // read as a number by the posting
    Agrega(pares, "Secuencia", TextoSecuencia(p.secuencia));
    Agrega(pares, "Fecha", AD().FormateaValorSQL(p.Fecha, QStringLiteral("'")));
    if (!gCaja.trimmed().isEmpty()) {
        gCaja = SinApostrofes(gCaja);
        Agrega(pares, "IdCaja", TextoFila(Rellena(gCaja, 4)));
    }
    Depositos(p, pares);
    Agrega(pares, "IdPosicion", AD().FormateaValorSQL(SinApostrofes(l.Recortada(4)), QStringLiteral("'")));
    // The article as typed: a code is no null, whatever its letters.
    Agrega(pares, "IdArticulo", AD().FormateaValorSQL(Rellena(l.Recortada(0), 25), QStringLiteral("'")));
    QString descripcion = l.Recortada(1);
    if (descripcion.size() > p.lenDesc)
        descripcion.truncate(p.lenDesc);
    Agrega(pares, "Descripcion", AD().FormateaValorSQL(SinApostrofes(descripcion), QStringLiteral("'")));
    CedeTurnoPosteo();
    LoteYAduana(p, l, pares);
    Cantidades(p, l, pares);
    CuentaYMotivo(p, l, pares);
    Importes(l, pares);
    Origen(p, l, pares);
    Impuestos(p, l, pares);
    Resto(p, l, pares);
}
