#include "ValidacionLineas.h"

#include "AccesoDatos.h"
#include "BuscaArticulo.h"
#include "ColumnasArticulos.h"
#include "Formatos.h"
#include "Globales.h"
#include "LineasMarcadas.h"
#include "PanelStock.h"
#include "Regional.h"
#include "Registros.h"
#include "Stock.h"
#include "TextoCampo.h"
#include "Utilidades.h"

#include <functional>

ValidacionLineas::ValidacionLineas(Grilla& lineas, PanelStock& stock) : lineas_(lineas), stock_(stock) {}

void ValidacionLineas::RecuerdaTipos(bool recuerda) {
    if (recuerda)
        tipos_.emplace();
    else
        tipos_.reset();
}

bool ValidacionLineas::CantidadValida(const QString& texto) {
    if (texto.trimmed().isEmpty())
        return true;
    try {
        return Regional::LeeMoneda(texto).has_value();
    } catch (const ErrorSistema&) {
        return false; // beyond any amount
    }
}

QString ValidacionLineas::CantidadSinSigno(const QString& texto) {
    // A template's lines carry no sign (the voucher type gives it), and a load shows the
    // absolute value: a negative quantity is taken as that.
    std::optional<double> numero;
    try {
        numero = Regional::LeeDoble(texto);
    } catch (const ErrorSistema&) {
    }
    if (!numero || !(*numero < 0))
        return texto;
    return Regional::TextoNumero(-*numero);
}

QString ValidacionLineas::DescripcionTipo(const QString& idTipo) {
    if (tipos_) {
        const auto visto = tipos_->constFind(idTipo);
        if (visto != tipos_->cend())
            return *visto;
    }
    QString descripcion =
        UT().ValorATexto(AD().ObtieneValorTabla(QStringLiteral("V_TA_TipoArticulo"), idTipo,
                                                QStringLiteral("Descripcion"), QStringLiteral("IdTipo"), 8,
                                                QString(), true, false))
            .trimmed();
    if (tipos_)
        tipos_->insert(idTipo, descripcion);
    return descripcion;
}

bool ValidacionLineas::CierraArticulo(const Validacion& v) {
    // What every accepted article code and every cleared one end with.
    return PasosValidacion({
        Si(v,
           [&] {
               if (stock_.MuestraStock())
                   stock_.ObtieneStockMinimoMaximo(lineas_);
           }),
        Si(v, [&] { MuestraMarca(); }),
        Si(v, [&] { LineasMarcadas::ArticuloHallado(lineas_, lineas_.Row()); }),
    });
}

void ValidacionLineas::PoneCelda(int columna, const QString& texto) {
    lineas_.setTextMatrix(lineas_.Row(), columna, texto);
}

QString ValidacionLineas::Celda(int columna) const {
    return lineas_.TextMatrix(lineas_.Row(), columna);
}

bool ValidacionLineas::ValidaArticulo(Validacion& v, const Ventana& ventana) {
    Grilla& g = lineas_;
    if (v.valor.isEmpty()) {
        // The code cell goes too (the edit writes it empty anyway), so that the stock step
        // below finds no article and refills nothing of the cleared line.
        if (!PasosValidacion({[&] { LimpiaFilaGrilla(g, g.Row(), col::Descripcion); },
                              [&] { PoneCelda(col::CodigoArticulo, QString()); }}))
            return false;
        return CierraArticulo(v);
    }
    QString codigo = v.valor;
    // Passing with Enter through the code of a line already filled changes nothing of it:
    // the unit (with its cost) and the quantity the user gave it stay.
    const bool mismoCodigo = !Celda(col::Unidad).trimmed().isEmpty() &&
                             v.valor.compare(Celda(col::CodigoArticulo).trimmed(), Qt::CaseInsensitive) == 0;
    Registros rs;
    bool encontrado = false;
    bool porCodigoBarra = false; // the bar-code box only steers the text import
    QString descripcion;
    QString udBase;
    QString prefijoLote;
    double cantidad = 0;
    Moneda importe;
    qint16 aviso = 0;
    const bool sigue = PasosValidacion({
        Si(v,
           [&] {
               encontrado = BuscaArticulo(codigo, rs, true, porCodigoBarra, descripcion, QString(), udBase,
                                          QString(), cantidad, importe, prefijoLote, QString(), aviso);
           }),
        Si(v,
           [&] {
               if (!encontrado) {
                   LimpiaFilaGrilla(g, g.Row(), col::Descripcion);
                   // A stored line whose article was deleted since stays as read, marked: the
                   // save stops on it.
                   if (stock_.LeyendoModelo())
                       LineasMarcadas::MarcaArticuloInexistente(g, g.Row());
                   v.Rechaza(QStringLiteral("El Código Informado no es Correcto"));
               }
           }),
        Si(v,
           [&] {
               PoneCelda(col::CodigoArticulo, TextoCampoRecortado(rs, "IdArticulo"));
               // Shown as the cell shows it: the stored code carries its fill blanks.
               v.texto.setText(codigo.trimmed());
           }),
        Si(v,
           [&] {
               if (TextoBandera(rs, "SUSPENDIDO") == QLatin1String("-1"))
                   v.Rechaza(QStringLiteral("El Artículo fue dado de baja!!!"));
           }),
        Si(v, [&] { EspecialPDV(cantidad); }),
        Si(v,
           [&] {
               if (!importe.EsCero())
                   PoneCelda(col::Importe, FmtMoneda(importe.Texto(), -1, false));
           }),
        // While the save validates, the line keeps what it has.
        Si(v, [&] { PoneDatosArticulo(rs, ventana); }),
        Si(v, [&] { PoneUnidadesArticulo(rs, udBase, mismoCodigo, ventana); }),
        Si(v, [&] { PoneCantidadYDeposito(ventana); }),
        Si(v, [&] { PonePuntosArticulo(rs, ventana); }),
        Si(v, [&] { PoneStock(); }),
        // While a template is read with the stock shown, the closing step paints the panel with
        // the line's final figures anyway.
        Si(v,
           [&] {
               if (!stock_.LeyendoModelo() || !stock_.MuestraStock())
                   stock_.MuestraInfoStock();
           }),
    });
    if (!sigue)
        return false;
    return CierraArticulo(v);
}

double ValidacionLineas::StockLinea(const Grilla& g, const SaldoLeido& leido) {
    double stock = 0;
    const QString deposito = g.TextMatrix(g.Row(), col::Deposito);
    const QString articulo = g.TextMatrix(g.Row(), col::CodigoArticulo);
    const QString unidad = g.TextMatrix(g.Row(), col::Unidad).trimmed();
    if (!leido(deposito, articulo, unidad, stock))
        ControlStock(deposito, articulo, unidad, stock);
    return stock;
}

void ValidacionLineas::PoneStock() {
    const double stock = StockLinea(lineas_, std::bind_front(&PanelStock::SaldoDelModelo, std::cref(stock_)));
    PoneCelda(col::StockDisponible, FmtMoneda(stock, -1, false));
}

void ValidacionLineas::PonePresentacionYTipo() {
    Registros rs;
    if (!AD().ExisteRegistro(QStringLiteral("V_MA_ARTICULOS"),
                             UT().RellenaCodigo(Celda(col::CodigoArticulo).trimmed(), 25),
                             QStringLiteral("IDARTICULO"), &rs))
        return;
    PonePresentacionYTipo(rs);
    AD().CierraRecordset(rs);
}

void ValidacionLineas::PonePresentacionYTipo(const Registros& rs) {
    PoneCelda(col::Presentacion, TextoCampoRecortado(rs, "Presentacion"));
    PoneCelda(col::DescripcionTipoArticulo, DescripcionTipo(UT().RellenaCodigo(TextoCampo(rs, "IdTipo"), 4)));
}

void ValidacionLineas::PoneDatosArticulo(const Registros& rs, const Ventana& ventana) {
    if (ventana.grabando)
        return;
    PoneCelda(col::Descripcion, TextoCampoRecortado(rs, "Descripcion"));
    PonePresentacionYTipo(rs);
    if (tipoEnDescripcion_)
        PoneCelda(col::Descripcion, (Celda(col::Descripcion).trimmed() + QStringLiteral(" (") +
                                     Celda(col::DescripcionTipoArticulo).trimmed() + QStringLiteral(") ") +
                                     Celda(col::Presentacion).trimmed())
                                        .trimmed());
}

void ValidacionLineas::PoneUnidadesArticulo(const Registros& rs, const QString& udBase, bool mismoCodigo,
                                            const Ventana& ventana) {
    if (ventana.grabando)
        return;
    const QString idUnidad = TextoCampoRecortado(rs, "IdUnidad");
    if (udBase.trimmed().isEmpty()) {
        PoneCelda(col::UnidadBase, idUnidad);
    } else {
        PoneCelda(col::UnidadBase, udBase.trimmed());
        PoneCelda(col::UnidadOriginal, udBase.trimmed());
    }
    if (!mismoCodigo) {
        PoneCelda(col::Costo, TextoCampoRecortado(rs, "Costo"));
        const QVariant udStock = rs.Fields(QStringLiteral("UD_STOCK"));
        PoneCelda(col::Unidad, udStock.isNull() ? idUnidad : UT().ValorATexto(udStock).trimmed());
    }
    PoneCelda(col::Impuestos, TextoCampoRecortado(rs, "Impuestos"));
    PoneCelda(col::EsExento, TextoBandera(rs, "Exento"));
    PoneCelda(col::PideSerie, TextoBandera(rs, "UsaSerie"));
    PoneCelda(col::PideLote, TextoBandera(rs, "UsaLote"));
    PoneCelda(col::EsPerecedero, TextoBandera(rs, "Perecedero"));
    PoneCelda(col::PideTalle, TextoBandera(rs, "UsaTalle"));
    PoneCelda(col::InsumosPorPorcentaje, TextoBandera(rs, "InsumosPorPorcentaje"));
    PoneCelda(col::CodigoArtProveedor, TextoCampoRecortado(rs, "CodigoArtProveedor"));
}

void ValidacionLineas::PoneCantidadYDeposito(const Ventana& ventana) {
    if (ventana.grabando)
        return;
    if (Celda(col::Cantidad).trimmed().isEmpty())
        PoneCelda(col::Cantidad, QStringLiteral("1"));
    PoneCelda(col::CantidadUnidadBase, Celda(col::Cantidad));
    if (ventana.transferencia || Celda(col::Deposito).trimmed().isEmpty())
        PoneCelda(col::Deposito, ventana.depositoOrigen);
}

void ValidacionLineas::PonePuntosArticulo(const Registros& rs, const Ventana& ventana) {
    if (ventana.grabando)
        return;
    PoneCelda(col::PuntoMaximo, Regional::TextoNumero(UT().TextoADoble(
                                    UT().ValorCampo(rs.Fields(QStringLiteral("PuntoMaximo"))))));
    PoneCelda(col::PuntoPedido, Regional::TextoNumero(UT().TextoADoble(
                                    UT().ValorCampo(rs.Fields(QStringLiteral("PuntoPedido"))))));
    PoneCelda(col::CopiaDeposito, Celda(col::Deposito));
}

bool ValidacionLineas::ValidaDepositoLinea(Validacion& v) {
    bool existe = false;
    return PasosValidacion({
        Si(v,
           [&] {
               existe =
                   AD().ExisteRegistro(QStringLiteral("@ADMIN_V_TA_Deposito"), UT().RellenaCodigo(v.valor, 4),
                                       QStringLiteral("IdDeposito"), nullptr, 8, QString(), true);
           }),
        Si(v,
           [&] {
               if (!existe)
                   v.Rechaza(QStringLiteral("El Deposito Informado es Inexistente"));
           }),
        Si(v,
           [&] {
               double stock = 0;
               ControlStock(v.valor, Celda(col::CodigoArticulo), Celda(col::Unidad).trimmed(), stock);
               PoneCelda(col::StockDisponible, Regional::TextoNumero(stock));
           }),
    });
}

bool ValidacionLineas::ValidaUnidad(Validacion& v) {
    bool existe = false;
    QString base;
    QString operador;
    double coeficiente = 0;
    bool equivalencia = false;
    bool esBase = false;
    return PasosValidacion({
        Si(v,
           [&] {
               existe = AD().ExisteRegistro(QStringLiteral("V_TA_UNIDAD"), UT().RellenaCodigo(v.valor, 4),
                                            QStringLiteral("IDUNIDAD"), nullptr, 8, QString(), true);
           }),
        Si(v,
           [&] {
               if (!existe)
                   v.Rechaza(QStringLiteral("La Unidad informada no existe!!!"));
           }),
        Si(v, [&] { base = UnidadBaseLinea(); }),
        Si(v,
           [&] {
               if (base.isEmpty())
                   v.Rechaza(QStringLiteral("El Articulo Informado no Tiene Informada una Unidad Base"));
           }),
        Si(v,
           [&] {
               esBase = v.valor.compare(base, Qt::CaseInsensitive) == 0; // nothing to convert
               if (esBase)
                   return;
               bool sinUnidad = false;
               equivalencia = IdArticuloTieneEquivalencias(Celda(col::CodigoArticulo).trimmed(), v.valor,
                                                           operador, base, coeficiente, sinUnidad);
           }),
        Si(v,
           [&] {
               if (esBase || equivalencia)
                   return;
               PoneCelda(col::TipoCoeficiente, QStringLiteral("*"));
               PoneCelda(col::Coeficiente, QStringLiteral("0.00"));
               v.Rechaza(QStringLiteral("La Unidad Informada no Tiene Equivalencias con la unidad Base"));
           }),
        Si(v,
           [&] {
               if (esBase)
                   return;
               PoneCelda(col::Coeficiente, Regional::TextoNumero(coeficiente));
               PoneCelda(col::TipoCoeficiente, operador);
               PoneCelda(
                   col::Costo,
                   ConvierteImporte(UT().TextoAMoneda(Celda(col::Costo)), operador, coeficiente).Texto());
           }),
        // The quantity in the base unit follows the new unit, not the one the cell held.
        Si(v, [&] { PoneCelda(col::Unidad, v.texto.Text()); }),
        Si(v, [&] { MuestraMarca(); }),
    });
}

QString ValidacionLineas::UnidadBaseLinea() {
    // A line without an article (or with one the master lacks) has no base unit.
    const QString articulo = Celda(col::CodigoArticulo);
    if (articulo.trimmed().isEmpty())
        return QString();
    try {
        return ObtieneUnidadArticulo(articulo).trimmed();
    } catch (const ErrorSistema& e) {
        if (e.Numero() != 3021)
            throw;
    }
    return QString();
}

bool ValidacionLineas::ValidaCantidad(Validacion& v) {
    return PasosValidacion({
        Si(v,
           [&] {
               // The quantity is stored as the number it reads as: text that is no number is
               // refused here rather than silently becoming 0 in the template, and so is an
               // emptied one, which the count of the lines would leave out.
               if (v.valor.isEmpty() || !CantidadValida(v.texto.Text()))
                   v.Rechaza(QStringLiteral("La Cantidad Informada no es un Número Válido"));
           }),
        Si(v,
           [&] {
               const QString cantidad = CantidadSinSigno(v.texto.Text());
               if (cantidad != v.texto.Text())
                   v.texto.setText(cantidad);
               PoneCelda(col::Cantidad, cantidad);
           }),
        Si(v, [&] { MuestraMarca(); }),
        Si(v, [&] { LineasMarcadas::DesmarcaSiCorrecta(lineas_, lineas_.Row()); }),
    });
}

void ValidacionLineas::EspecialPDV(double& CantidadEsp) {
    if (CantidadEsp != 0)
        lineas_.setTextMatrix(lineas_.Row(), col::Cantidad, Regional::TextoNumero(CantidadEsp));
}

void ValidacionLineas::MuestraMarca() {
    Grilla& g = lineas_;
    const auto celda = [&g](int c) { return g.TextMatrix(g.Row(), c); };
    const auto pone = [&g](int c, const QString& t) { g.setTextMatrix(g.Row(), c, t); };
    bool convierte = false;
    Moneda coeficiente;
    EjecutaPasos({
                     [&] {
                         const QString base = celda(col::UnidadBase).trimmed();
                         convierte = !base.isEmpty() &&
                                     base.compare(celda(col::Unidad).trimmed(), Qt::CaseInsensitive) != 0;
                     },
                     [&] {
                         if (convierte)
                             coeficiente = UT().TextoAMoneda(celda(col::Coeficiente));
                     },
                     [&] {
                         if (!convierte || coeficiente <= Moneda()) {
                             pone(col::CantidadUnidadBase, celda(col::Cantidad));
                             return;
                         }
                         const double c = UT().TextoADoble(celda(col::Coeficiente));
                         const double q = UT().TextoADoble(celda(col::Cantidad));
                         const bool multiplica = celda(col::TipoCoeficiente).trimmed() == QLatin1String("*");
                         pone(col::CantidadUnidadBase, Regional::TextoNumero(multiplica ? c * q : q / c));
                     },
                 },
                 SiempreSiguiente);
}
