#include "BuscaArticulo.h"

#include "AccesoDatos.h"
#include "EtiquetaBalanza.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Recorte.h"
#include "Regional.h"
#include "Registros.h"
#include "ReportaError.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace {

constexpr int kAnchoArticulo = 25;

bool Igual(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool EstaEn(const QString& programa, const QStringList& lista) {
    return lista.contains(QFileInfo(RecortaBlancos(programa)).completeBaseName(), Qt::CaseInsensitive);
}

QString Literal(const QString& valor) {
    return AD().FormateaValorSQL(valor, QStringLiteral("'"));
}

QString Relleno(const QString& codigo) {
    return UT().RellenaCodigo(codigo, kAnchoArticulo);
}

// Runs one statement of the lookup into `rs`; on a row, the base unit it gives.
bool Consulta(const QString& sql, Registros& rs, bool soloLectura, QString& udBase) {
    if (soloLectura)
        AD().ObtieneRecordset(sql, rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura, -1, true);
    else
        AD().ObtieneRecordset(sql, rs, nullptr, TipoCursor::Dinamico, TipoBloqueo::Optimista, -1, true);
    if (rs.Eof())
        return false;
    udBase = UT().ValorCampo(rs.Fields(QStringLiteral("UdBase"))).toString();
    return true;
}

QString IdArticulo(const Registros& rs) {
    return UT().ValorCampo(rs.Fields(QStringLiteral("IdArticulo"))).toString();
}

} // namespace

const QStringList& ProgramasMaestroArticulos() {
    static const QStringList lista = {QStringLiteral("Articulos"), QStringLiteral("ArticulosCompras")};
    return lista;
}

const QStringList& ProgramasFacturacion() {
    static const QStringList lista = {QStringLiteral("Ventas"), QStringLiteral("VentasMostrador"),
                                      QStringLiteral("PuntoDeVenta"), QStringLiteral("Facturacion")};
    return lista;
}

QString SqlBuscaArticulo(int consulta, const QString& codigo) {
    QString sql;
    switch (consulta) {
    case 1:
        sql = QStringLiteral("SELECT *,IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE codigobarra =  ");
        break;
    case 2:
    case 9:
        sql = QStringLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = ");
        break;
    case 3:
        sql = QStringLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE codigobarra =  ");
        break;
    case 4:
        sql = QStringLiteral("SELECT *,IDUNIDAD AS UDBASE , ISNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM "
                             "V_MA_ARTICULOS WHERE CODIGOBARRADUN = ");
        break;
    case 5:
    case 6:
    case 7:
    case 8: {
        const QString n = QString::number(consulta - 4);
        sql = QStringLiteral("SELECT *,IDUNIDAD AS UDBASE , ISNULL(UMCB%1,IDUNIDAD) AS IDUNIDAD FROM "
                             "V_MA_ARTICULOS WHERE CODIGOBARRA%1 = ")
                  .arg(n);
        break;
    }
    default:
        throw ErrorSistema(5, QStringLiteral("Consulta de artículo inexistente: %1").arg(consulta),
                           QStringLiteral("BuscaArticulo"));
    }
    return sql + Literal(codigo);
}

QString SqlArticuloPorLista(const QString& codigo, const QString& idLista) {
    return QStringLiteral("SELECT IDARTICULO,IDARTICULOPROVEEDOR,idunidad as UdBase FROM V_MA_PRECIOS WHERE "
                          "IDARTICULOPROVEEDOR = ") +
           Literal(codigo) + QStringLiteral(" and IDLISTA = ") +
           Literal(UT().RellenaCodigo(RecortaBlancos(idLista), 4)) + QStringLiteral(" AND TIPOLISTA = 'C'");
}

QString SqlArticuloProveedor(const QString& codigo, const QString& cuentaProveedor) {
    return QStringLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE CodigoArtProveedor = ") +
           Literal(codigo) + QStringLiteral(" and CuentaProveedor = ") +
           Literal(RecortaBlancos(cuentaProveedor));
}

bool BuscaArticulo(QString& Codigo, Registros& Rs, bool SoloLectura, bool& PorCodigoBarra,
                   QString& Descripcion, const QString& CuentaProveedor, QString& UdBase,
                   const QString& IdLista, double& Cantidad, Moneda& Importe, QString& PrefijoLote,
                   const QString& TC, qint16& AvisoUnidadNegocio) {
    return BuscaArticulo(Codigo, Rs, SoloLectura, PorCodigoBarra, Descripcion, CuentaProveedor, UdBase,
                         IdLista, Cantidad, Importe, PrefijoLote, TC, AvisoUnidadNegocio, NombreEjecutable());
}

// Long on purpose: the system's lookups in their order.
// NOLINTNEXTLINE(readability-function-size,readability-function-cognitive-complexity)
bool BuscaArticulo(QString& Codigo, Registros& Rs, bool SoloLectura, bool& PorCodigoBarra,
                   QString& Descripcion, const QString& CuentaProveedor, QString& UdBase,
                   const QString& IdLista, double& Cantidad, Moneda& Importe, QString& PrefijoLote,
                   const QString& TC, qint16& AvisoUnidadNegocio, const QString& programa) {
    if (!TieneTexto(Codigo))
        return false;

    UdBase.clear();
    if (Codigo.size() <= 3)
        PorCodigoBarra = false;
    const bool maestroArticulos = EstaEn(programa, ProgramasMaestroArticulos());

    // Quantity prefix "n*".
    const qsizetype asterisco = Codigo.indexOf(QLatin1Char('*'));
    if (asterisco >= 0 && Codigo.size() >= 3 && !maestroArticulos) {
        Cantidad = UT().TextoAMoneda(Codigo.left(asterisco)).ADoble();
        if (Cantidad != 0)
            Codigo = RecortaBlancos(Codigo.mid(asterisco + 1));
    }

    // Lot prefix "nnA" (or "A") of automatic lot assignment.
    if (gAsignacionAutomaticaDeLoteING || gAsignacionAutomaticaDeLoteINGOP) {
        const qsizetype p = Codigo.indexOf(QLatin1Char('A'), 0, Qt::CaseInsensitive);
        if (Codigo.size() >= 3 && p >= 0 && !maestroArticulos) {
            const QString antes = Codigo.left(p);
            const QString despues = Codigo.mid(p + 1);
            if (Regional::EsNumero(antes) && Regional::EsNumero(despues)) {
                PrefijoLote = RecortaBlancos(antes);
                Codigo = RecortaBlancos(despues);
            } else if (p == 0 && Regional::EsNumero(despues)) {
                PrefijoLote.clear();
                Codigo = RecortaBlancos(despues);
            }
        }
    }

    int signo = 1;
    bool encontrado = false;
    if (PorCodigoBarra)
        encontrado = Consulta(SqlBuscaArticulo(1, Relleno(Codigo)), Rs, SoloLectura, UdBase);

    if (!encontrado) {
        if (const auto etiqueta = LeeEtiquetaBalanza(Codigo, gTipoEAN, gDecimalesEAN)) {
            signo = etiqueta->signo;
            if (etiqueta->decodificada)
                Codigo = etiqueta->codigo;
            if (etiqueta->cantidad)
                Cantidad = *etiqueta->cantidad;
            if (etiqueta->importe)
                Importe = *etiqueta->importe;
        }

        const QString relleno = Relleno(Codigo);
        for (const int consulta : {PorCodigoBarra ? 1 : 2, 3, 4, 5, 6, 7, 8, 9}) {
            if (Consulta(SqlBuscaArticulo(consulta, relleno), Rs, SoloLectura, UdBase)) {
                encontrado = true;
                break;
            }
        }
    }
    if (encontrado) {
        Codigo = IdArticulo(Rs);
    } else if (TieneTexto(CuentaProveedor)) {
        // Supplier codes: through the purchase price list, else the article's own supplier code.
        bool porLista = false;
        if (TieneTexto(IdLista) &&
            Consulta(SqlArticuloPorLista(Relleno(Codigo), IdLista), Rs, SoloLectura, UdBase)) {
            Codigo = IdArticulo(Rs);
            porLista = true;
        }
        const QString sql =
            porLista
                ? QStringLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE idarticulo = ") +
                      Literal(Relleno(Codigo))
                : SqlArticuloProveedor(Relleno(Codigo), CuentaProveedor);
        encontrado = Consulta(sql, Rs, SoloLectura, UdBase);
        // Codes with a point may be stored unfilled.
        if (!encontrado && Codigo.contains(QLatin1Char('.')))
            encontrado = Consulta(SqlArticuloProveedor(RecortaBlancos(Codigo), CuentaProveedor), Rs,
                                  SoloLectura, UdBase);
        if (encontrado)
            Codigo = IdArticulo(Rs);
    }

    if (Rs.State() == 1 && !Rs.Eof())
        Descripcion = UT().ValorCampo(Rs.Fields(QStringLiteral("Descripcion"))).toString();

    if (encontrado && gRazonSocialPorUneg && EstaEn(programa, ProgramasFacturacion())) {
        const QString tc = RecortaBlancos(TC);
        const bool tipoLibre = Igual(tc, QStringLiteral("FP")) || Igual(tc, QStringLiteral("NCFP")) ||
                               Igual(tc, QStringLiteral("NP"));
        const QString idTipo = UT().ValorCampo(Rs.Fields(QStringLiteral("IdTipo"))).toString();
        if (!tipoLibre && !Igual(RecortaBlancos(idTipo), RecortaBlancos(gUnidadNegocio))) {
            if (AvisoUnidadNegocio == 0) {
                interaccion().MsgBox(
                    QStringLiteral(
                        "Este articulo pertenece a una unidad de negocio distinta a la seleccionada"),
                    Estilo::SoloAceptar, QGuiApplication::applicationDisplayName());
                encontrado = false;
            } else if (AvisoUnidadNegocio == 1) {
                AvisoUnidadNegocio = 2;
            }
        }
    }

    // Articles not kept in kilograms take one unit per label (or per typed quantity).
    if (Igual(gTipoEAN, QStringLiteral("0CCCCCQQQQQ")) &&
        !Igual(RecortaBlancos(UdBase), RecortaBlancos(gUnidadMedidaKG)))
        Cantidad = signo;

    return encontrado;
}
