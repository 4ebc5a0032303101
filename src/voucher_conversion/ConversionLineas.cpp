#include "AccesoDatos.h"
#include "BuscaArticulo.h"
#include "ClsCmnCptes.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "ConversionInterno.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "ProgramasConversion.h"
#include "Utilidades.h"

#include <QCoreApplication>

namespace {

// Whether the field holds that number (a null never does).
bool Vale(const CamposDe& rs, const char* campo, double valor) {
    const QVariant v = rs.Fields(campo);
    return !v.isNull() && UT().TextoADoble(v) == valor;
}

QString CodigoLinea(const Conversion& c) {
    return CampoConv::Recortado(c.linea, "IdArticulo");
}

void AgregaFila(const Conversion& c) {
    c.articulos->setRows(c.articulos->Rows() + 1);
}

// The sheet test: an order that needs more printed sheets than one is told, and its customer and
// voucher are kept in the class.
void LimiteHojas(Conversion& c) {
    const bool factura =
        Igual(c.CpteDestino, QStringLiteral("FC")) || Igual(c.CpteDestino, QStringLiteral("FP"));
    // The lines are counted (which reads them all) only when the count can tell.
    const bool cuenta =
        Igual(c.TC, QStringLiteral("NP")) && factura && c.cantLineas != 9999 && c.cantLineas != 0;
    const qint32 n = cuenta ? c.rsLineas.RecordCount() : 0;
    if (cuenta && n > c.cantLineas) {
        c.clase->NPP_Cliente = UT().ValorATexto(c.cabecera.Fields(QStringLiteral("Cuenta")));
        c.clase->NPP_IDCpte = UT().ValorATexto(c.cabecera.Fields(QStringLiteral("IdComprobante")));
        const qint32 hojas = n / c.cantLineas + (n % c.cantLineas > 0 ? 1 : 0);
        interaccion().MsgBox(QStringLiteral("Recuerde que para facturar este pedido completo necesita ") +
                                 QString::number(hojas) +
                                 QStringLiteral(" Hojas (El sistema tiene configurado ") +
                                 QString::number(c.cantLineas) + QStringLiteral(" por hoja)"),
                             Estilo::SoloAceptar | Estilo::Informacion, QStringLiteral("Aviso al operador"));
    } else {
        c.clase->NPP_Cliente.clear();
        c.clase->NPP_IDCpte.clear();
    }
}

// Pending and applied quantities of a sales line delivered in parts, with the delivery run's
// pending quantity when the header belongs to one (IdReparto -1).
void PendienteEntregaParcial(Conversion& c, double cantidad, bool reparto) {
    if (!reparto) {
        c.aplicado = CantidadAplicaciones(c);
        return;
    }
    c.pendiente = PendienteReparto(c, c.entregado);
    if (Igual(c.TC, QStringLiteral("RM")) && cantidad < 0 && c.pendiente == 0) {
        c.aplicado = 0;
        c.pendiente = cantidad;
    } else if (c.EsPrograma(ProgramasConversion::ArticuloUnico)) {
        c.aplicado = c.entregado;
    } else {
        if (c.pendiente > cantidad)
            c.pendiente = cantidad;
        c.aplicado = cantidad - c.pendiente;
    }
}

// Pending and applied quantities of any other sales line, by the header's IdReparto.
void PendienteVenta(Conversion& c) {
    const CamposDe& l = c.linea;
    const CamposDe& h = c.encabezado;
    const double cantidad = CampoConv::Numero(l, "Cantidad");
    const QVariant preparada = l.Fields("Cantidadpreparada");
    if (Vale(h, "IdReparto", -1) && !c.descargaStockRemitos) {
        double descarte = 0;
        c.pendiente = PendienteReparto(c, descarte);
        c.aplicado = cantidad - c.pendiente;
    } else if (Vale(h, "IdReparto", -1) && Igual(c.TC, QStringLiteral("PR"))) {
        c.pendiente = cantidad;
        if (!preparada.isNull()) {
            const double p = CampoConv::Numero(l, "Cantidadpreparada");
            c.pendiente = std::min(cantidad - p, cantidad);
            c.aplicado = p;
        }
    } else if (Vale(h, "IdReparto", 0)) {
        c.pendiente = cantidad;
        if (!preparada.isNull()) {
            const double p = CampoConv::Numero(l, "Cantidadpreparada");
            const double aFacturar =
                UT().TextoAMoneda(UT().ValorCampo(l.Fields("CANTIDADAFACTURAR"))).ADoble();
            if (aFacturar > 0) {
                c.aplicado = cantidad - aFacturar;
                c.pendiente = cantidad - p;
            } else {
                c.pendiente = std::min(cantidad - p, cantidad);
                c.aplicado = p;
            }
        }
    }
}

// The applied and pending quantities of the line (one rule group, the first that holds).
void CalculaPendiente(Conversion& c) {
    if (c.Compras)
        return;
    const QString tipo = c.TC.trimmed();
    const CamposDe& l = c.linea;
    if (c.entregaParcialRemito && !c.descargaStockRemitos &&
        (Igual(tipo, QStringLiteral("RM")) || Igual(tipo, QStringLiteral("NP")))) {
        const bool reparto = Vale(c.encabezado, "IdReparto", -1);
        PendienteEntregaParcial(c, reparto ? CampoConv::Numero(l, "Cantidad") : 0, reparto);
    } else if (Igual(tipo, QStringLiteral("FP")) || Igual(tipo, QStringLiteral("FC"))) {
        const double cantidad = CampoConv::Numero(l, "Cantidad");
        c.pendiente = cantidad;
        if (Vale(c.encabezado, "IdReparto", -1)) {
            double descarte = 0;
            c.pendiente = std::min(PendienteReparto(c, descarte), cantidad);
            c.aplicado = cantidad - c.pendiente;
        }
    } else {
        PendienteVenta(c);
    }
}

// Each article once per delivery run: false when the line's article is already loaded (its row
// is taken back).
bool PrimeraVezEnReparto(Conversion& c) {
    if (c.EsPrograma(ProgramasConversion::SoloRemitos) || !Vale(c.encabezado, "IdReparto", -1))
        return true;
    const QString codigo = CodigoLinea(c);
    if (c.articulosDelReparto.Contiene(codigo)) {
        // The line's row goes, unless the caller's grid held it before the call.
        if (c.FilaArticulo() >= c.filasPrevias)
            c.articulos->setRows(c.articulos->Rows() - 1);
        return false;
    }
    c.articulosDelReparto.Agrega(codigo);
    return true;
}

// The line's article; false when it belongs to another business unit (the line is dropped).
bool ArticuloDeLaLinea(Conversion& c) {
    c.estadoArticulo = 1;
    BuscaArticuloLinea(c, UT().RellenaCodigo(CodigoLinea(c), 25));
    if (c.encontrado && !Igual(c.CpteDestino, QStringLiteral("FP")) &&
        !Igual(c.CpteDestino, QStringLiteral("NCFP")) && c.estadoArticulo == 2) {
        if (c.lineasTomadas != 0)
            --c.lineasTomadas;
        return false;
    }
    return true;
}

// Prepares the row of the line and works out its quantities; false when the line is dropped.
bool PreparaLinea(Conversion& c) {
    bool sigue = true;
    PasoConversion([&] {
        c.pideDeposito = Igual(c.Config(QStringLiteral("PideDepositoEnCptes")), QStringLiteral("SI"));
    });
    PasoConversion([&] { sigue = PrimeraVezEnReparto(c); });
    if (!sigue)
        return false;
    PasoConversion([&] {
        if (!c.articulos->TextMatrix(c.FilaArticulo(), col::CodigoArticulo).trimmed().isEmpty())
            AgregaFila(c);
    });
    c.aplicado = 0;
    c.pendiente = 0;
    PasoConversion([&] { CalculaPendiente(c); });
    if (c.EsPrograma(ProgramasConversion::SoloRemitos) && Igual(c.TC, QStringLiteral("RM")) &&
        Igual(c.CpteDestino, QStringLiteral("FC")))
        PasoConversion([&] { c.aplicado = CantidadAplicaciones(c); });
    PasoConversion([&] { sigue = ArticuloDeLaLinea(c); });
    return sigue;
}

// One line of the loop: false when the loop stops at the line limit.
bool TomaLinea(Conversion& c) {
    bool salta = false;
    PasoConversion([&] { salta = Vale(c.linea, "Recepcion", -999) && !c.clase->NPP_Cliente.isEmpty(); });
    if (salta)
        return true;
    if (c.estadoArticulo == 2)
        c.primeraFila = true;
    if (c.primeraFila) {
        c.primeraFila = false;
    } else {
        PasoConversion([&] {
            salta = c.EsPrograma(ProgramasConversion::ArticuloUnico) &&
                    c.codigosGrilla.Existe(*c.articulos, CampoConv::Texto(c.linea, "IdArticulo"));
        });
        if (salta)
            return true;
        AgregaFila(c);
    }
    ++c.lineasTomadas;
    if (c.lineasTomadas > c.cantLineas && c.cantLineas > 0)
        return false;
    if (PreparaLinea(c)) {
        LlenaFilaIdentidad(c);
        LlenaFilaAtributos(c);
    }
    return true;
}

} // namespace

bool BuscaArticuloConversion(const Conversion& c, const QString& codigo, Registros& rs, qint16& modo) {
    QString buscado = codigo;
    bool porBarra = false;
    QString descripcion, udBase, prefijoLote;
    double cantidad = 0;
    Moneda importe;
    return BuscaArticulo(buscado, rs, true, porBarra, descripcion, {}, udBase, {}, cantidad, importe,
                         prefijoLote, {}, modo, c.programa);
}

bool ArticulosDelReparto::Contiene(const QString& codigo) const {
    return !codigo.contains(u',') && piezas_.contains(codigo.toCaseFolded());
}

void ArticulosDelReparto::Agrega(const QString& codigo) {
    piezas_.insert(QString()); // the comma that goes before the code
    for (const QStringView pieza : QStringView(codigo).split(u','))
        piezas_.insert(pieza.trimmed().toString().toCaseFolded());
}

bool CodigosDeGrilla::Existe(const Grilla& grilla, const QString& codigo) {
    const auto filas = static_cast<std::size_t>(grilla.Rows());
    std::size_t estables = std::min(porFila_.size(), filas);
    if (estables > 0)
        --estables; // the row that was last at the previous look-up may have been written since
    while (porFila_.size() > estables) {
        const auto i = cuenta_.find(porFila_.back());
        if (--i.value() == 0)
            cuenta_.erase(i);
        porFila_.pop_back();
    }
    while (porFila_.size() < filas) {
        porFila_.push_back(grilla.TextMatrix(static_cast<int>(porFila_.size()), col::CodigoArticulo)
                               .trimmed()
                               .toCaseFolded());
        ++cuenta_[porFila_.back()];
    }
    return cuenta_.contains(codigo.trimmed().toCaseFolded());
}

void BuscaArticuloLinea(Conversion& c, const QString& codigo) {
    auto i = c.articulosLeidos.constFind(codigo);
    if (i == c.articulosLeidos.constEnd()) {
        auto leido = std::make_shared<ArticuloLeido>();
        Registros rs;
        qint16 modo = 1;
        leido->encontrado = BuscaArticuloConversion(c, codigo, rs, modo);
        leido->estado = modo;
        if (leido->encontrado)
            leido->fila = FilaLeida(rs, c.indiceArticulos);
        AD().CierraRecordset(rs);
        i = c.articulosLeidos.insert(codigo, leido);
    }
    c.encontrado = i.value()->encontrado;
    c.estadoArticulo = i.value()->estado;
    c.rsArticulo = i.value()->fila;
    c.articuloLinea = i.value().get();
}

double CantidadAplicaciones(Conversion& c) {
    if (!c.aplicacionesLeidas) {
        // Every application of the origin at once; the first row of each article counts.
        Registros rs;
        AD().ObtieneRecordset(
            QStringLiteral("SELECT IDARTICULO, CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE "
                           "(TCO_ORIGEN = '  RM' or TCO_ORIGEN = '  NP') AND IDCOMPROBANTEORIGEN = '") +
                Cita(c.SucNroLetra.trimmed()) + QStringLiteral("'"),
            rs);
        while (!rs.Eof()) {
            const QString clave = ClaveTexto(UT().ValorATexto(rs.Fields(QStringLiteral("IDARTICULO"))));
            if (!c.aplicaciones.contains(clave))
                c.aplicaciones.insert(
                    clave, UT().TextoAMoneda(UT().ValorCampo(rs.Fields(QStringLiteral("CantidadAplicada"))))
                               .ADoble());
            rs.MoveNext();
        }
        AD().CierraRecordset(rs);
        c.aplicacionesLeidas = true;
    }
    // A line nothing was applied to has no row. Lines of one article ask under one code.
    const QString codigo = CodigoLinea(c);
    auto porCodigo = c.aplicadoPorCodigo.constFind(codigo);
    if (porCodigo == c.aplicadoPorCodigo.constEnd())
        porCodigo = c.aplicadoPorCodigo.insert(
            codigo, c.aplicaciones.value(ClaveTexto(UT().RellenaCodigo(codigo, 25)), 0));
    const double aplicado = porCodigo.value();
    QCoreApplication::processEvents();
    return aplicado;
}

namespace {

// The first value of each article of the statement's rows (a null quantity reads 0); rows
// without an article match no line.
QHash<QString, double> CantidadesPorArticulo(const QString& sql) {
    QHash<QString, double> cantidades;
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    while (!rs.Eof()) {
        const QVariant articulo = rs.Fields(QStringLiteral("IDARTICULO"));
        const QString clave = ClaveTexto(UT().ValorATexto(articulo));
        if (!articulo.isNull() && !cantidades.contains(clave)) {
            const QVariant cantidad = rs.Fields(QStringLiteral("Cantidad"));
            cantidades.insert(clave, cantidad.isNull() ? 0 : UT().TextoADoble(cantidad));
        }
        rs.MoveNext();
    }
    AD().CierraRecordset(rs);
    return cantidades;
}

} // namespace

void CantidadesDelReparto::Lee(const QString& TC, const QString& SucNroLetra) {
    // Every article of the voucher at once: what its lines order and what left the deposit.
    const QString condicion = CondicionReparto(TC, SucNroLetra);
    pedido_ = CantidadesPorArticulo(
        QStringLiteral("SELECT IDARTICULO, Cantidad FROM VT_V_MV_CPTEINSUMOS_CONS2  with(nolock)  WHERE ") +
        condicion);
    entregado_ = CantidadesPorArticulo(
        QStringLiteral("SELECT IDARTICULO, SUM(CANTIDAD) AS CANTIDAD FROM VT_V_MV_Stock_Cons WHERE ") +
        condicion + QStringLiteral(" GROUP BY IDARTICULO"));
    leidas_ = true;
}

double CantidadesDelReparto::Pendiente(const QString& IdArticulo, double& entregado) const {
    const QString clave = ClaveTexto(UT().RellenaCodigo(IdArticulo.trimmed(), 25));
    double pedido = pedido_.value(clave, 0);
    entregado = entregado_.value(clave, 0);
    if (pedido < entregado)
        pedido = entregado;
    return pedido - entregado;
}

double PendienteReparto(Conversion& c, double& entregado) {
    if (!c.reparto.Leidas())
        c.reparto.Lee(c.TC, c.SucNroLetra);
    return c.reparto.Pendiente(CampoConv::Texto(c.linea, "IdArticulo"), entregado);
}

void LlenaArticulos(Conversion& c) {
    c.lineasTomadas = 0;
    c.filasPrevias = c.articulos->Rows();
    bool vacio = true;
    PasoConversion([&] { vacio = c.rsLineas.Eof(); });
    if (vacio)
        return;
    c.primeraFila = true;
    PasoConversion([&] { LimiteHojas(c); });
    bool fin = false;
    while (!fin) {
        bool sigue = true;
        PasoConversion([&] { sigue = TomaLinea(c); });
        if (!sigue)
            break;
        PasoConversion([&] { c.rsLineas.MoveNext(); });
        PasoConversion([&] { fin = c.rsLineas.Eof(); });
    }
    AgregaFila(c);
}
