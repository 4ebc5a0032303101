#pragma once

#include "AlmacenStock.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "Moneda.h"

#include <QSet>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>

// What the read of a template found of its articles in its deposit (PanelStock).
struct StockDelModelo {
    QString deposito;        // the key of the deposit read
    QSet<QString> articulos; // the keys of the template's articles
    bool conStock = false;   // the balances were read (not by weighed unit count)
    AlmacenStock::Saldos stock;
    AlmacenStock::MinimosMaximos minimoMaximo; // read only when the lines show the stock
};

// The stock panel of the editor's current line (its four labels) and the stock-level colour of
// a line's cell, with the settings that steer them. While a stored template is read, the
// balances, minima and maxima of all its articles are read once for all its lines; a line they
// do not cover asks the database as typing does. Errors reach the caller.
class PanelStock {
public:
    // `tipo` gives the template's voucher type, `depositoOrigen` the header's origin deposit
    // as typed.
    PanelStock(Grilla& lineas, std::array<Etiqueta, 4>& etiquetas, std::function<QString()> tipo,
               std::function<QString()> depositoOrigen);

    // The settings MostrarStockenConsultas and Stk_Nivel1..4 (an empty one: no colour).
    void setMostrarStock(const QString& valor) { mostrarStock_ = valor; }
    bool MuestraStock() const;
    void setColorNivelStock(int nivel, const QString& valor);

    // The deposit's minimum and maximum of the grid's current line written into it, its stock
    // level coloured on its code cell, its quantity in the base unit, then the panel.
    void ObtieneStockMinimoMaximo(Grilla& MsFlexGrid);
    // The panel of the lines grid's current line.
    void MuestraInfoStock();
    // The level against the reorder point coloured on the current cell of a filled line.
    void ObtienePuntoPedido(Grilla& MsFlexGrid);
    // Level 1..4 of a stock against a threshold (minimum or reorder point), and its cell colour
    // (BGR) from the settings; a level without colour is white.
    static int NivelStock(Moneda stock, Moneda umbral);
    int ColorNivel(int nivel) const;

    // ---- While template `id` is read ----
    void LeeDelModelo(qint16 id);
    void OlvidaModelo() { delModelo_.reset(); }
    bool LeyendoModelo() const { return delModelo_.has_value(); }
    // The balance of the line as the template's read gave it; false when it does not cover it.
    bool SaldoDelModelo(const QString& deposito, const QString& articulo, const QString& unidad,
                        double& saldo) const;

private:
    friend class AccesoPruebasVardelio;

    bool MinimoMaximoDelModelo(const QString& articulo, const QString& deposito, Moneda& minimo,
                               Moneda& maximo) const;
    void LeeBloques(const QString& deposito, bool conMinimoMaximo, const QStringList& codigos);

    Grilla& lineas_;
    std::array<Etiqueta, 4>& etiquetas_;
    std::function<QString()> tipo_;
    std::function<QString()> depositoOrigen_;
    QString mostrarStock_;
    std::array<QVariant, 5> colores_; // 1..4 used
    std::optional<StockDelModelo> delModelo_;
};
