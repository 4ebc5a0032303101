// The stock panel of the current line and the stock-level colour of its cell.

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "TextoCampo.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

namespace {

constexpr int kBlanco = 16777215;

QString Literal(const QString& texto) {
    return AD().FormateaValorSQL(texto, QStringLiteral("'"));
}

bool MismaUnidad(const QString& a, const QString& b) {
    return UT().RellenaCodigo(a, 4).compare(UT().RellenaCodigo(b, 4), Qt::CaseInsensitive) == 0;
}

} // namespace

// The template's article codes as stored, each once, in IN lists of at most 500.
QStringList FrmVardelio::ArticulosDeLaCarga(qint16 id) {
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT IdArticulo FROM V_CPTES_MODELO_DET with(nolock) WHERE IdVardelio = %1")
            .arg(id),
        rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
    QSet<QString> vistos;
    QStringList listas;
    QString lista;
    int enLista = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString codigo = TextoCampo(rs, "IdArticulo");
        if (vistos.contains(codigo))
            continue;
        vistos.insert(codigo);
        stockCargado_->articulos.insert(ClaveTexto(codigo));
        lista += (enLista == 0 ? QStringLiteral("(") : QStringLiteral(",")) + Literal(codigo);
        if (++enLista == 500) {
            listas.append(lista + QLatin1Char(')'));
            lista.clear();
            enLista = 0;
        }
    }
    AD().CierraRecordset(rs);
    if (enLista > 0)
        listas.append(lista + QLatin1Char(')'));
    return listas;
}

void FrmVardelio::LeeStockDeLaCarga(qint16 id) {
    StockDeLaCarga& c = *stockCargado_;
    const qint16 origen = IndiceCampo(QStringLiteral("DepositoOrigen"));
    const QString deposito = origen >= 0 ? UT().RellenaCodigo(TxtFields[origen].Text(), 4) : QString();
    // Only the shown stock reads the minimum and maximum of its lines.
    const bool conMinimoMaximo = MuestraStock();
    if (deposito.trimmed().isEmpty())
        return; // every line asks as typed
    if (gUsaStockUdKg && !conMinimoMaximo)
        return; // nothing of it would be read
    Registros rs;
    try {
        for (const QString& lista : ArticulosDeLaCarga(id)) {
            const QString donde = QStringLiteral(" with(nolock) WHERE IDDEPOSITO = ") + Literal(deposito) +
                                  QStringLiteral(" AND IDARTICULO IN ") + lista;
            if (conMinimoMaximo) {
                AD().ObtieneRecordset(
                    QStringLiteral("SELECT IDARTICULO, MINIMO, MAXIMO FROM @ADMIN_V_TA_DEPOSITO_MM") + donde,
                    rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
                for (; !rs.Eof(); rs.MoveNext())
                    c.minimoMaximo.insert(ClaveTexto(TextoCampo(rs, "IDARTICULO")),
                                          {UT().TextoAMoneda(rs.Fields(QStringLiteral("Minimo"))),
                                           UT().TextoAMoneda(rs.Fields(QStringLiteral("Maximo")))});
            }
            if (gUsaStockUdKg)
                continue;
            AD().ObtieneRecordset(
                QStringLiteral("SELECT IDARTICULO, EQUIVALENCIA, STOCK FROM STK_SALDOS_UNIDADES") + donde, rs,
                nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
            for (; !rs.Eof(); rs.MoveNext())
                c.stock.insert(ClaveTexto(TextoCampo(rs, "IDARTICULO")) + QLatin1Char('|') +
                                   ClaveTexto(TextoCampo(rs, "EQUIVALENCIA")),
                               UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("STOCK")))));
        }
        c.conStock = !gUsaStockUdKg;
        c.deposito = ClaveTexto(deposito);
    } catch (const ErrorSistema&) {
        c = StockDeLaCarga{}; // not read: every line asks as typed, and reports what fails
    }
    AD().CierraRecordset(rs);
}

bool FrmVardelio::StockCargado(const QString& deposito, const QString& articulo, const QString& unidad,
                               double& saldo) const {
    if (!stockCargado_ || !stockCargado_->conStock || articulo.trimmed().isEmpty() ||
        ClaveTexto(UT().RellenaCodigo(deposito, 4)) != stockCargado_->deposito)
        return false;
    const QString clave = ClaveTexto(UT().RellenaCodigo(articulo, 25));
    if (!stockCargado_->articulos.contains(clave))
        return false;
    // No balance in the deposit reads as none, as the query's empty result does.
    saldo =
        stockCargado_->stock.value(clave + QLatin1Char('|') + ClaveTexto(UT().RellenaCodigo(unidad, 4)), 0.0);
    return true;
}

bool FrmVardelio::MinimoMaximoCargado(const QString& articulo, const QString& deposito, Moneda& minimo,
                                      Moneda& maximo) const {
    if (!stockCargado_ || stockCargado_->deposito.isEmpty() ||
        ClaveTexto(deposito) != stockCargado_->deposito)
        return false;
    const QString clave = ClaveTexto(articulo);
    if (!stockCargado_->articulos.contains(clave))
        return false;
    const auto visto = stockCargado_->minimoMaximo.constFind(clave);
    if (visto != stockCargado_->minimoMaximo.cend()) {
        minimo = visto->first;
        maximo = visto->second;
    }
    return true;
}

QString FrmVardelio::SentenciaStockMinimoMaximo(const QString& articulo, const QString& deposito) {
    return QStringLiteral("select * from @ADMIN_V_TA_DEPOSITO_MM  with(nolock) where idarticulo = ") +
           Literal(articulo) + QStringLiteral(" and iddeposito = ") + Literal(deposito);
}

QString FrmVardelio::CondicionPuntoPedido(const QString& articulo, const QString& deposito) {
    return QStringLiteral(" idarticulo = ") + Literal(articulo) + QStringLiteral(" and deposito = ") +
           Literal(deposito);
}

int FrmVardelio::NivelStock(Moneda stock, Moneda umbral) {
    const Moneda cero;
    if (umbral == cero && stock > cero)
        return 1;
    if (umbral > cero && stock > umbral)
        return 2;
    if (umbral > cero && stock < umbral)
        return 3;
    return 4;
}

int FrmVardelio::ColorNivel(int nivel) const {
    if (nivel < 1 || nivel > 4)
        return kBlanco;
    // A setting that is not a colour number counts as no colour.
    bool ok = false;
    const qlonglong color = ColorNivelStock[nivel].toString().trimmed().toLongLong(&ok);
    if (!ok || color <= 0 || color > kBlanco)
        return kBlanco;
    return int(color);
}

void FrmVardelio::ObtieneStockMinimoMaximo(Grilla& MsFlexGrid) {
    const int columna = MsFlexGrid.Col();
    const int fila = MsFlexGrid.Row();
    const auto celda = [&](int c) { return MsFlexGrid.TextMatrix(fila, c); };
    const auto pone = [&](int c, const QString& t) { MsFlexGrid.setTextMatrix(fila, c, t); };

    const QString articulo = UT().RellenaCodigo(celda(col::CodigoArticulo), 25);
    QString deposito = UT().RellenaCodigo(celda(col::Deposito), 4);
    if (deposito.trimmed().isEmpty()) {
        const qint16 indice = IndiceCampo(QStringLiteral("DepositoOrigen"));
        if (indice >= 0)
            deposito = UT().RellenaCodigo(TxtFields[indice].Text(), 4);
    }
    if (deposito.trimmed().isEmpty())
        deposito = QStringLiteral("   1");

    if (!articulo.trimmed().isEmpty()) {
        const Moneda stock = Moneda::DeEntero(UT().TextoAMoneda(celda(col::StockDisponible)).AEntero());
        Moneda minimo;
        Moneda maximo;
        if (!MinimoMaximoCargado(articulo, deposito, minimo, maximo)) {
            Registros rs;
            AD().ObtieneRecordset(SentenciaStockMinimoMaximo(articulo, deposito), rs, nullptr,
                                  TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
            if (!rs.Eof()) {
                minimo = UT().TextoAMoneda(rs.Fields(QStringLiteral("Minimo")));
                maximo = UT().TextoAMoneda(rs.Fields(QStringLiteral("Maximo")));
            }
            AD().CierraRecordset(rs);
        }

        const Moneda cero;
        if (maximo > cero)
            pone(col::PuntoMaximo, maximo.Texto());
        if (minimo > cero)
            pone(col::PuntoPedido, minimo.Texto());
        pone(col::StockDisponible, stock.Texto());

        pone(col::CantidadUnidadBase, UT().TextoAMoneda(celda(col::Cantidad)).Texto());
        if (!MismaUnidad(celda(col::Unidad), celda(col::UnidadBase))) {
            const QString operador = celda(col::TipoCoeficiente).trimmed();
            const double cantidad = UT().TextoADoble(celda(col::Cantidad));
            const double coeficiente = UT().TextoADoble(celda(col::Coeficiente));
            if (operador == QLatin1String("*"))
                pone(col::CantidadUnidadBase, Regional::TextoNumero(cantidad * coeficiente));
            else if (operador == QLatin1String("/") && coeficiente != 0) // no coefficient: unconverted
                pone(col::CantidadUnidadBase, Regional::TextoNumero(cantidad / coeficiente));
        }

        MsFlexGrid.setCellBackColor(ColorNivel(NivelStock(stock, minimo)));
        MsFlexGrid.setCol(col::CodigoArticulo);
    }
    MuestraInfoStock();
    MsFlexGrid.setCol(columna);
}

void FrmVardelio::MuestraInfoStock() {
    Grilla& g = MSFlexGrid2;
    const int fila = g.Row();
    const auto celda = [&](int c) { return g.TextMatrix(fila, c); };

    lblStockInfo[0].setCaption(celda(col::Presentacion));
    lblStockInfo[1].setCaption(celda(col::DescripcionTipoArticulo));
    lblStockInfo[2].setCaption(QStringLiteral(" Stock:  ") + celda(col::StockDisponible) +
                               QStringLiteral(" "));
    lblStockInfo[3].setCaption(QString());

    const Moneda maximo = UT().TextoAMoneda(celda(col::PuntoMaximo));
    const Moneda minimo = UT().TextoAMoneda(celda(col::PuntoPedido));
    const Moneda stock = UT().TextoAMoneda(celda(col::StockDisponible));
    const Moneda cero;
    const QString unidadBase = celda(col::UnidadBase).trimmed();

    if (!unidadBase.isEmpty() && unidadBase.compare(celda(col::Unidad).trimmed(), Qt::CaseInsensitive) != 0 &&
        UT().TextoAMoneda(celda(col::Coeficiente)) > cero)
        lblStockInfo[3].setCaption(QStringLiteral("(Equiv. ") + celda(col::CantidadUnidadBase).trimmed() +
                                   QStringLiteral(" ") + unidadBase + QStringLiteral(")"));
    if (minimo + maximo > cero)
        lblStockInfo[3].setCaption(lblStockInfo[3].Caption().trimmed() +
                                   QStringLiteral(" Stock Minimo/Maximo = ") + minimo.Texto() +
                                   QStringLiteral("/") + maximo.Texto());
    if (maximo > cero && stock > maximo) {
        lblStockInfo[3].setCaption(lblStockInfo[3].Caption().trimmed() +
                                   QStringLiteral(" Supera el Maximo = ") + maximo.Texto());
        return;
    }
    // The entry types add stock: they warn when the line would take the stock past the maximum.
    const QString tc = FNTC();
    if (tc.compare(QLatin1String("AJP"), Qt::CaseInsensitive) == 0 ||
        tc.compare(QLatin1String("IR"), Qt::CaseInsensitive) == 0) {
        if (maximo > cero && stock + UT().TextoAMoneda(celda(col::CantidadUnidadBase)) > maximo)
            lblStockInfo[3].setCaption(lblStockInfo[3].Caption().trimmed() +
                                       QStringLiteral(" Supera el Maximo = ") + maximo.Texto() +
                                       QStringLiteral(" (") + unidadBase + QStringLiteral(")"));
    }
}

void FrmVardelio::ObtienePuntoPedido(Grilla& MsFlexGrid) {
    const int fila = MsFlexGrid.Row();
    if (MsFlexGrid.TextMatrix(fila, col::CodigoArticulo).trimmed().isEmpty())
        return;
    const QString articulo = UT().RellenaCodigo(MsFlexGrid.TextMatrix(fila, col::CodigoArticulo), 25);
    const QString deposito = UT().RellenaCodigo(MsFlexGrid.TextMatrix(fila, col::Deposito), 4);
    const QString condicion = CondicionPuntoPedido(articulo, deposito);
    const Moneda stock = UT().TextoAMoneda(
        AD().ObtieneValorTabla(QStringLiteral("stk_ma_articulos"), articulo, QStringLiteral("Stock"),
                               QStringLiteral("Idarticulo"), 8, condicion, true, false));
    const Moneda punto = UT().TextoAMoneda(
        AD().ObtieneValorTabla(QStringLiteral("stk_ma_articulos"), articulo, QStringLiteral("PuntoPedido"),
                               QStringLiteral("Idarticulo"), 8, condicion, true, false));
    MsFlexGrid.setCellBackColor(ColorNivel(NivelStock(stock, punto)));
    MsFlexGrid.setCol(col::CodigoArticulo);
}
