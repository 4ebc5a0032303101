#pragma once

#include "Moneda.h"
#include "Registros.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <utility>

// What the editor reads of the stock tables, through AD(): deposits, balances, minima and
// maxima, reorder points, the articles of a deposit's balances or of a file's code, and the
// applications of a transfer. The statements are written as the suite writes them; every code
// reaches them as a quoted literal, filled as the caller gives it. Errors reach the caller.
class AlmacenStock {
public:
    // Balances by article and unit, and minima and maxima by article, keyed as ClaveTexto
    // compares codes (a balance's key: article, "|", unit).
    using Saldos = QHash<QString, double>;
    using MinimosMaximos = QHash<QString, std::pair<Moneda, Moneda>>;
    static QString ClaveSaldo(const QString& articulo, const QString& unidad);
    // Codes as IN lists of at most 500 quoted literals, each written "(...)".
    static QStringList ListasIn(const QStringList& codigos);

    // ---- The articles of a list, read together (added to the map given) ----
    // Their balances in `deposito`.
    static void LeeSaldos(const QString& deposito, const QString& lista, Saldos& saldos);
    // Their balances summed over all deposits.
    static void LeeSaldosTotales(const QString& lista, Saldos& saldos);
    // Their minimum and maximum in `deposito`.
    static void LeeMinimosMaximos(const QString& deposito, const QString& lista, MinimosMaximos& mm);

    // ---- One article in one deposit (both filled to their widths) ----
    static QString SentenciaStockMinimoMaximo(const QString& articulo, const QString& deposito);
    static QString CondicionPuntoPedido(const QString& articulo, const QString& deposito);
    // False when the deposit keeps no minimum or maximum for it.
    static bool MinimoMaximo(const QString& articulo, const QString& deposito, Moneda& minimo,
                             Moneda& maximo);
    static void PuntoPedido(const QString& articulo, const QString& deposito, Moneda& stock, Moneda& punto);

    // ---- Cargar: the positive balances of a deposit (filled to 4), forward only ----
    static void AbreSaldosPositivos(const QString& deposito, Registros& rs);
    // The master rows of their articles, as the balances store the codes, and one article's by
    // its code filled to 25.
    static void AbreArticulosConSaldo(const QString& deposito, Registros& rs);
    static void AbreArticuloDeSaldo(const QString& relleno, Registros& rs);

    // Importar: the master row of an article (the code as a file gives it), forward only.
    static void AbreArticulo(const QString& codigo, Registros& rs);

    // The look-up of the deposits.
    static QString SentenciaConsultaDepositos();
    // A transfer `numero` applied to a trip voucher (both types filled to 4, as stored).
    static bool TransferenciaAplicada(const QString& numero);
};
