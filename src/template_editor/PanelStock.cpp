#include "PanelStock.h"

#include "AlmacenModelos.h"
#include "ColumnasArticulos.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Regional.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

namespace {

constexpr int kBlanco = 16777215;

bool MismaUnidad(const QString& a, const QString& b) {
    return UT().RellenaCodigo(a, 4).compare(UT().RellenaCodigo(b, 4), Qt::CaseInsensitive) == 0;
}

} // namespace

PanelStock::PanelStock(Grilla& lineas, std::array<Etiqueta, 4>& etiquetas, std::function<QString()> tipo,
                       std::function<QString()> depositoOrigen)
    : lineas_(lineas), etiquetas_(etiquetas), tipo_(std::move(tipo)),
      depositoOrigen_(std::move(depositoOrigen)) {}

bool PanelStock::MuestraStock() const {
    return mostrarStock_.trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

void PanelStock::setColorNivelStock(int nivel, const QString& valor) {
    colores_.at(size_t(nivel)) = valor.isEmpty() ? QVariant(0) : QVariant(valor);
}

// ---- The read of a template ----

void PanelStock::LeeDelModelo(qint16 id) {
    delModelo_.emplace();
    const QString deposito = UT().RellenaCodigo(depositoOrigen_(), 4);
    // Only the shown stock reads the minimum and maximum of its lines.
    const bool conMinimoMaximo = MuestraStock();
    if (deposito.trimmed().isEmpty())
        return; // every line asks as typed
    if (gUsaStockUdKg && !conMinimoMaximo)
        return; // nothing of it would be read
    try {
        LeeBloques(deposito, conMinimoMaximo, AlmacenModelos::ArticulosDe(id));
    } catch (const ErrorSistema&) {
        *delModelo_ = StockDelModelo{}; // not read: every line asks as typed, and reports what fails
    }
}

void PanelStock::LeeBloques(const QString& deposito, bool conMinimoMaximo, const QStringList& codigos) {
    StockDelModelo& m = *delModelo_;
    for (const QString& codigo : codigos)
        m.articulos.insert(ClaveTexto(codigo));
    for (const QString& lista : AlmacenStock::ListasIn(codigos)) {
        if (conMinimoMaximo)
            AlmacenStock::LeeMinimosMaximos(deposito, lista, m.minimoMaximo);
        if (!gUsaStockUdKg)
            AlmacenStock::LeeSaldos(deposito, lista, m.stock);
    }
    m.conStock = !gUsaStockUdKg;
    m.deposito = ClaveTexto(deposito);
}

bool PanelStock::SaldoDelModelo(const QString& deposito, const QString& articulo, const QString& unidad,
                                double& saldo) const {
    if (!delModelo_ || !delModelo_->conStock || articulo.trimmed().isEmpty() ||
        ClaveTexto(UT().RellenaCodigo(deposito, 4)) != delModelo_->deposito)
        return false;
    const QString relleno = UT().RellenaCodigo(articulo, 25);
    if (!delModelo_->articulos.contains(ClaveTexto(relleno)))
        return false;
    // No balance in the deposit reads as none, as the query's empty result does.
    saldo = delModelo_->stock.value(AlmacenStock::ClaveSaldo(relleno, UT().RellenaCodigo(unidad, 4)), 0.0);
    return true;
}

bool PanelStock::MinimoMaximoDelModelo(const QString& articulo, const QString& deposito, Moneda& minimo,
                                       Moneda& maximo) const {
    if (!delModelo_ || delModelo_->deposito.isEmpty() || ClaveTexto(deposito) != delModelo_->deposito)
        return false;
    const QString clave = ClaveTexto(articulo);
    if (!delModelo_->articulos.contains(clave))
        return false;
    const auto visto = delModelo_->minimoMaximo.constFind(clave);
    if (visto != delModelo_->minimoMaximo.cend()) {
        minimo = visto->first;
        maximo = visto->second;
    }
    return true;
}

// ---- Levels and the panel ----

int PanelStock::NivelStock(Moneda stock, Moneda umbral) {
    const Moneda cero;
    if (umbral == cero && stock > cero)
        return 1;
    if (umbral > cero && stock > umbral)
        return 2;
    if (umbral > cero && stock < umbral)
        return 3;
    return 4;
}

int PanelStock::ColorNivel(int nivel) const {
    if (nivel < 1 || nivel > 4)
        return kBlanco;
    // A setting that is not a colour number counts as no colour.
    bool ok = false;
    const qlonglong color = colores_.at(size_t(nivel)).toString().trimmed().toLongLong(&ok);
    if (!ok || color <= 0 || color > kBlanco)
        return kBlanco;
    return int(color);
}

void PanelStock::ObtieneStockMinimoMaximo(Grilla& MsFlexGrid) {
    const int columna = MsFlexGrid.Col();
    const int fila = MsFlexGrid.Row();
    const auto celda = [&](int c) { return MsFlexGrid.TextMatrix(fila, c); };
    const auto pone = [&](int c, const QString& t) { MsFlexGrid.setTextMatrix(fila, c, t); };

    const QString articulo = UT().RellenaCodigo(celda(col::CodigoArticulo), 25);
    QString deposito = UT().RellenaCodigo(celda(col::Deposito), 4);
    if (deposito.trimmed().isEmpty())
        deposito = UT().RellenaCodigo(depositoOrigen_(), 4);
    if (deposito.trimmed().isEmpty())
        deposito = QStringLiteral("   1");

    if (!articulo.trimmed().isEmpty()) {
        const Moneda stock = Moneda::DeEntero(UT().TextoAMoneda(celda(col::StockDisponible)).AEntero());
        Moneda minimo;
        Moneda maximo;
        if (!MinimoMaximoDelModelo(articulo, deposito, minimo, maximo))
            AlmacenStock::MinimoMaximo(articulo, deposito, minimo, maximo);

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

void PanelStock::MuestraInfoStock() {
    Grilla& g = lineas_;
    const int fila = g.Row();
    const auto celda = [&](int c) { return g.TextMatrix(fila, c); };

    etiquetas_[0].setCaption(celda(col::Presentacion));
    etiquetas_[1].setCaption(celda(col::DescripcionTipoArticulo));
    etiquetas_[2].setCaption(QStringLiteral(" Stock:  ") + celda(col::StockDisponible) + QStringLiteral(" "));
    etiquetas_[3].setCaption(QString());

    const Moneda maximo = UT().TextoAMoneda(celda(col::PuntoMaximo));
    const Moneda minimo = UT().TextoAMoneda(celda(col::PuntoPedido));
    const Moneda stock = UT().TextoAMoneda(celda(col::StockDisponible));
    const Moneda cero;
    const QString unidadBase = celda(col::UnidadBase).trimmed();

    if (!unidadBase.isEmpty() && unidadBase.compare(celda(col::Unidad).trimmed(), Qt::CaseInsensitive) != 0 &&
        UT().TextoAMoneda(celda(col::Coeficiente)) > cero)
        etiquetas_[3].setCaption(QStringLiteral("(Equiv. ") + celda(col::CantidadUnidadBase).trimmed() +
                                 QStringLiteral(" ") + unidadBase + QStringLiteral(")"));
    if (minimo + maximo > cero)
        etiquetas_[3].setCaption(etiquetas_[3].Caption().trimmed() +
                                 QStringLiteral(" Stock Minimo/Maximo = ") + minimo.Texto() +
                                 QStringLiteral("/") + maximo.Texto());
    if (maximo > cero && stock > maximo) {
        etiquetas_[3].setCaption(etiquetas_[3].Caption().trimmed() + QStringLiteral(" Supera el Maximo = ") +
                                 maximo.Texto());
        return;
    }
    // The entry types add stock: they warn when the line would take the stock past the maximum.
    const QString tc = tipo_();
    if (tc.compare(QLatin1String("AJP"), Qt::CaseInsensitive) == 0 ||
        tc.compare(QLatin1String("IR"), Qt::CaseInsensitive) == 0) {
        if (maximo > cero && stock + UT().TextoAMoneda(celda(col::CantidadUnidadBase)) > maximo)
            etiquetas_[3].setCaption(etiquetas_[3].Caption().trimmed() +
                                     QStringLiteral(" Supera el Maximo = ") + maximo.Texto() +
                                     QStringLiteral(" (") + unidadBase + QStringLiteral(")"));
    }
}

void PanelStock::ObtienePuntoPedido(Grilla& MsFlexGrid) {
    const int fila = MsFlexGrid.Row();
    if (MsFlexGrid.TextMatrix(fila, col::CodigoArticulo).trimmed().isEmpty())
        return;
    const QString articulo = UT().RellenaCodigo(MsFlexGrid.TextMatrix(fila, col::CodigoArticulo), 25);
    const QString deposito = UT().RellenaCodigo(MsFlexGrid.TextMatrix(fila, col::Deposito), 4);
    Moneda stock;
    Moneda punto;
    AlmacenStock::PuntoPedido(articulo, deposito, stock, punto);
    MsFlexGrid.setCellBackColor(ColorNivel(NivelStock(stock, punto)));
    MsFlexGrid.setCol(col::CodigoArticulo);
}
