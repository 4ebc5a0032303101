// The line branches of CampoValida: article code, line deposit, unit and quantity of the
// current row of the lines grid, with the quantity in the article's base unit.

#include "AccesoDatos.h"
#include "BuscaArticulo.h"
#include "ColumnasArticulos.h"
#include "Formatos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "Stock.h"
#include "Utilidades.h"

#include <functional>

namespace {

bool Es(const QString& campo, const char* nombre) {
    return campo.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

QString CampoTexto(const Registros& rs, const char* campo) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(QLatin1String(campo)))).trimmed();
}

// A flag field: "-1" when it holds a true value, "0" when it is null, empty or false.
QString Bandera(const Registros& rs, const char* campo) {
    const QVariant v = rs.Fields(QLatin1String(campo));
    const QString texto = v.isNull() ? QString() : v.toString().trimmed();
    if (texto.isEmpty())
        return QStringLiteral("0");
    bool numero = false;
    const double n = texto.toDouble(&numero);
    const bool verdadero = numero ? n != 0 : TextoABooleano(texto.toUpper(), false);
    return verdadero ? QStringLiteral("-1") : QStringLiteral("0");
}

// Runs the steps of a branch until one refuses (`fin`); run-time errors as CAMPO_VALIDA.
class Rama {
public:
    bool fin = false;
    Paso Si(std::function<void()> paso) {
        return [this, paso] {
            if (!fin)
                paso();
        };
    }
};

} // namespace

bool FrmVardelio::CantidadValida(const QString& texto) {
    if (texto.trimmed().isEmpty())
        return true;
    try {
        return Regional::LeeMoneda(texto).has_value();
    } catch (const ErrorSistema&) {
        return false; // beyond any amount
    }
}

QString FrmVardelio::CantidadSinSigno(const QString& texto) {
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

QString FrmVardelio::DescripcionTipo(const QString& idTipo) {
    if (tiposCargados_) {
        const auto visto = tiposCargados_->constFind(idTipo);
        if (visto != tiposCargados_->cend())
            return *visto;
    }
    const QString descripcion =
        UT().ValorATexto(AD().ObtieneValorTabla(QStringLiteral("V_TA_TipoArticulo"), idTipo,
                                                QStringLiteral("Descripcion"), QStringLiteral("IdTipo"), 8,
                                                QString(), true, false))
            .trimmed();
    if (tiposCargados_)
        tiposCargados_->insert(idTipo, descripcion);
    return descripcion;
}

bool FrmVardelio::CampoValidaLinea(CajaTexto& Texto, const QString& campo, const QString& valor,
                                   QString& mensaje) {
    Grilla& g = MSFlexGrid2;
    Rama rama;
    const auto celda = [&g](int c) { return g.TextMatrix(g.Row(), c); };
    const auto pone = [&g](int c, const QString& t) { g.setTextMatrix(g.Row(), c, t); };
    const auto falla = [&](const QString& texto) {
        ErrorValidacion = true;
        mensaje = texto;
        rama.fin = true;
    };
    const auto pasos = [](std::initializer_list<Paso> lista) {
        return EjecutaFormulario(QStringLiteral("CAMPO_VALIDA"), lista);
    };
    // What every accepted article code and every cleared one end with.
    const auto cierreArticulo = [&] {
        return pasos({
            rama.Si([&] {
                if (MostrarStock.trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0)
                    ObtieneStockMinimoMaximo(g);
            }),
            rama.Si([&] { MuestraMarca(); }),
        });
    };

    if (Es(campo, "IDARTICULO")) {
        if (valor.isEmpty()) {
            // The code cell goes too (the edit writes it empty anyway), so that the stock step
            // below finds no article and refills nothing of the cleared line.
            if (!pasos({[&] { LimpiaFilaGrilla(g, g.Row(), col::Descripcion); },
                        [&] { pone(col::CodigoArticulo, QString()); }}))
                return false;
            return cierreArticulo();
        }
        QString codigo = valor;
        // Passing with Enter through the code of a line already filled changes nothing of it:
        // the unit (with its cost) and the quantity the user gave it stay.
        const bool mismoCodigo =
            !celda(col::Unidad).trimmed().isEmpty() &&
            valor.compare(celda(col::CodigoArticulo).trimmed(), Qt::CaseInsensitive) == 0;
        Registros rs;
        bool encontrado = false;
        bool porCodigoBarra = false; // the bar-code box only steers the text import
        QString descripcion;
        QString udBase;
        QString prefijoLote;
        double cantidad = 0;
        Moneda importe;
        qint16 aviso = 0;
        const bool sigue = pasos({
            rama.Si([&] {
                encontrado = BuscaArticulo(codigo, rs, true, porCodigoBarra, descripcion, QString(), udBase,
                                           QString(), cantidad, importe, prefijoLote, QString(), aviso);
            }),
            rama.Si([&] {
                if (!encontrado) {
                    LimpiaFilaGrilla(g, g.Row(), col::Descripcion);
                    falla(QStringLiteral("El Código Informado no es Correcto"));
                }
            }),
            rama.Si([&] {
                pone(col::CodigoArticulo, CampoTexto(rs, "IdArticulo"));
                // Shown as the cell shows it: the stored code carries its fill blanks.
                Texto.setText(codigo.trimmed());
            }),
            rama.Si([&] {
                if (Bandera(rs, "SUSPENDIDO") == QLatin1String("-1"))
                    falla(QStringLiteral("El Artículo fue dado de baja!!!"));
            }),
            rama.Si([&] { EspecialPDV(cantidad); }),
            rama.Si([&] {
                if (!importe.EsCero())
                    pone(col::Importe, FmtMoneda(importe.Texto(), -1, false));
            }),
            // While the save validates, the line keeps what it has.
            rama.Si([&] {
                if (ValidandoGrabacion)
                    return;
                pone(col::Descripcion, CampoTexto(rs, "Descripcion"));
                pone(col::Presentacion, CampoTexto(rs, "Presentacion"));
                const QString idTipo = UT().RellenaCodigo(
                    UT().ValorATexto(UT().ValorCampo(rs.Fields(QStringLiteral("IdTipo")))), 4);
                pone(col::DescripcionTipoArticulo, DescripcionTipo(idTipo));
                if (TipoDesdeDescripcion)
                    pone(col::Descripcion, (celda(col::Descripcion).trimmed() + QStringLiteral(" (") +
                                            celda(col::DescripcionTipoArticulo).trimmed() +
                                            QStringLiteral(") ") + celda(col::Presentacion).trimmed())
                                               .trimmed());
            }),
            rama.Si([&] {
                if (ValidandoGrabacion)
                    return;
                const QString idUnidad = CampoTexto(rs, "IdUnidad");
                if (udBase.trimmed().isEmpty()) {
                    pone(col::UnidadBase, idUnidad);
                } else {
                    pone(col::UnidadBase, udBase.trimmed());
                    pone(col::UnidadOriginal, udBase.trimmed());
                }
                if (!mismoCodigo) {
                    pone(col::Costo, CampoTexto(rs, "Costo"));
                    const QVariant udStock = rs.Fields(QStringLiteral("UD_STOCK"));
                    pone(col::Unidad, udStock.isNull() ? idUnidad : UT().ValorATexto(udStock).trimmed());
                }
                pone(col::Impuestos, CampoTexto(rs, "Impuestos"));
                pone(col::EsExento, Bandera(rs, "Exento"));
                pone(col::PideSerie, Bandera(rs, "UsaSerie"));
                pone(col::PideLote, Bandera(rs, "UsaLote"));
                pone(col::EsPerecedero, Bandera(rs, "Perecedero"));
                pone(col::PideTalle, Bandera(rs, "UsaTalle"));
                pone(col::InsumosPorPorcentaje, Bandera(rs, "InsumosPorPorcentaje"));
                pone(col::CodigoArtProveedor, CampoTexto(rs, "CodigoArtProveedor"));
            }),
            rama.Si([&] {
                if (ValidandoGrabacion)
                    return;
                if (celda(col::Cantidad).trimmed().isEmpty())
                    pone(col::Cantidad, QStringLiteral("1"));
                pone(col::CantidadUnidadBase, celda(col::Cantidad));
                const qint16 origen = IndiceCampo(QStringLiteral("DepositoOrigen"));
                const QString deposito = origen >= 0 ? TxtFields[origen].Text() : QString();
                if (pEsTransferencia || celda(col::Deposito).trimmed().isEmpty())
                    pone(col::Deposito, deposito);
            }),
            rama.Si([&] {
                if (ValidandoGrabacion)
                    return;
                pone(col::PuntoMaximo, Regional::TextoNumero(UT().TextoADoble(
                                           UT().ValorCampo(rs.Fields(QStringLiteral("PuntoMaximo"))))));
                pone(col::PuntoPedido, Regional::TextoNumero(UT().TextoADoble(
                                           UT().ValorCampo(rs.Fields(QStringLiteral("PuntoPedido"))))));
                pone(col::CopiaDeposito, celda(col::Deposito));
            }),
            rama.Si([&] {
                double stock = 0;
                ControlStock(celda(col::Deposito), celda(col::CodigoArticulo), celda(col::Unidad).trimmed(),
                             stock);
                pone(col::StockDisponible, FmtMoneda(stock, -1, false));
            }),
            rama.Si([&] { MuestraInfoStock(); }),
        });
        if (!sigue)
            return false;
        return cierreArticulo();
    }

    if (Es(campo, "IdDepositoArt")) {
        bool existe = false;
        return pasos({
            rama.Si([&] {
                existe =
                    AD().ExisteRegistro(QStringLiteral("@ADMIN_V_TA_Deposito"), UT().RellenaCodigo(valor, 4),
                                        QStringLiteral("IdDeposito"), nullptr, 8, QString(), true);
            }),
            rama.Si([&] {
                if (!existe)
                    falla(QStringLiteral("El Deposito Informado es Inexistente"));
            }),
            rama.Si([&] {
                double stock = 0;
                ControlStock(valor, celda(col::CodigoArticulo), celda(col::Unidad).trimmed(), stock);
                pone(col::StockDisponible, Regional::TextoNumero(stock));
            }),
        });
    }

    if (Es(campo, "IDUNIDAD")) {
        bool existe = false;
        QString base;
        QString operador;
        double coeficiente = 0;
        bool equivalencia = false;
        bool esBase = false;
        return pasos({
            rama.Si([&] {
                existe = AD().ExisteRegistro(QStringLiteral("V_TA_UNIDAD"), UT().RellenaCodigo(valor, 4),
                                             QStringLiteral("IDUNIDAD"), nullptr, 8, QString(), true);
            }),
            rama.Si([&] {
                if (!existe)
                    falla(QStringLiteral("La Unidad informada no existe!!!"));
            }),
            rama.Si([&] {
                // A line without an article (or with one the master lacks) has no base unit.
                const QString articulo = celda(col::CodigoArticulo);
                if (articulo.trimmed().isEmpty())
                    return;
                try {
                    base = ObtieneUnidadArticulo(articulo).trimmed();
                } catch (const ErrorSistema& e) {
                    if (e.Numero() != 3021)
                        throw;
                }
            }),
            rama.Si([&] {
                if (base.isEmpty())
                    falla(QStringLiteral("El Articulo Informado no Tiene Informada una Unidad Base"));
            }),
            rama.Si([&] {
                esBase = valor.compare(base, Qt::CaseInsensitive) == 0; // nothing to convert
                if (esBase)
                    return;
                bool sinUnidad = false;
                equivalencia = IdArticuloTieneEquivalencias(celda(col::CodigoArticulo).trimmed(), valor,
                                                            operador, base, coeficiente, sinUnidad);
            }),
            rama.Si([&] {
                if (esBase || equivalencia)
                    return;
                pone(col::TipoCoeficiente, QStringLiteral("*"));
                pone(col::Coeficiente, QStringLiteral("0.00"));
                falla(QStringLiteral("La Unidad Informada no Tiene Equivalencias con la unidad Base"));
            }),
            rama.Si([&] {
                if (esBase)
                    return;
                pone(col::Coeficiente, Regional::TextoNumero(coeficiente));
                pone(col::TipoCoeficiente, operador);
                pone(col::Costo,
                     ConvierteImporte(UT().TextoAMoneda(celda(col::Costo)), operador, coeficiente).Texto());
            }),
            // The quantity in the base unit follows the new unit, not the one the cell held.
            rama.Si([&] { pone(col::Unidad, Texto.Text()); }),
            rama.Si([&] { MuestraMarca(); }),
        });
    }

    if (Es(campo, "CANTIDAD")) {
        return pasos({
            rama.Si([&] {
                // The quantity is stored as the number it reads as: text that is no number is
                // refused here rather than silently becoming 0 in the template.
                if (!CantidadValida(Texto.Text()))
                    falla(QStringLiteral("La Cantidad Informada no es un Número Válido"));
            }),
            rama.Si([&] {
                const QString cantidad = CantidadSinSigno(Texto.Text());
                if (cantidad != Texto.Text())
                    Texto.setText(cantidad);
                pone(col::Cantidad, cantidad);
            }),
            rama.Si([&] { MuestraMarca(); }),
        });
    }
    return true;
}

void FrmVardelio::EspecialPDV(double& CantidadEsp) {
    if (CantidadEsp != 0)
        MSFlexGrid2.setTextMatrix(MSFlexGrid2.Row(), col::Cantidad, Regional::TextoNumero(CantidadEsp));
}

void FrmVardelio::MuestraMarca() {
    Grilla& g = MSFlexGrid2;
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
