#pragma once

// The stock posting on the demo database: a voucher's articles grid built line by line, the
// posting's 25 arguments with a voucher form's usual values, and the checks every posting test
// ends with.
//
// Demo: 1015 and 1060 are kept by lots (L1015A/B, L1060A/B in deposits 1 and 2; the lots of
// 1060 came through customs, "Aduana de Buenos Aires", origin CHN), 1021 by serial numbers;
// REMERA-ALG by size, colour and sex; TORN-6X40 comes in boxes of 100 (CJ). Purchase order
// 0100-00000007 X is not received yet. Production order 3 has seven rows (the last with the
// automatic lot 41) and an SPNL movement; order 4 has none. Every article books on 1.1.5.01.

#include "BaseNumeracion.h"

#include "Cartel.h"
#include "ClsCmnCptesPosteo.h"
#include "Grilla.h"
#include "Moneda.h"
#include "Regional.h"
#include "Reloj.h"
#include "TandasSql.h"
#include "TraductorSql.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QMap>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

// One line of the articles grid: its cells by column. Flags 19, 20 and 61 read "0" unless given
// (a blank flag counts as set).
struct LineaGrilla {
    std::map<int, QString> celdas;
};

inline LineaGrilla Linea(const QString& articulo, const QString& cantidad,
                         const std::map<int, QString>& otras = {}) {
    LineaGrilla l;
    l.celdas = {{0, articulo}, {1, "Artículo " + articulo},
                {5, "UN"},     {7, cantidad},
                {8, "1"},      {19, "0"},
                {20, "0"},     {41, "UN"},
                {61, "0"},     {38, "10"}};
    for (const auto& [col, v] : otras)
        l.celdas[col] = v;
    return l;
}

inline std::unique_ptr<Grilla> GrillaArticulos(const std::vector<LineaGrilla>& lineas) {
    auto g = std::make_unique<Grilla>(static_cast<int>(lineas.size()) + 1, 101, 1, 1);
    g->setName(QStringLiteral("MSFlexGrid2"));
    for (size_t i = 0; i < lineas.size(); ++i)
        for (const auto& [col, v] : lineas[i].celdas)
            g->setTextMatrix(static_cast<int>(i) + 1, col, v);
    return g;
}

// The stock each article and deposit must move: a line of `total` units out of deposit 1 and
// into deposit 2 for a transfer, else in or out of deposit 1 by the sign.
using StockEsperado = std::map<std::pair<QString, QString>, double>;
inline void SumaEsperada(StockEsperado& esperado, const QString& articulo, double total, int signo,
                         bool transferencia) {
    if (transferencia) {
        esperado[{articulo, "1"}] -= total;
        esperado[{articulo, "2"}] += total;
    } else {
        esperado[{articulo, "1"}] += signo * total;
    }
}

// The posting's arguments as a voucher form passes them.
struct Llamada {
    QString TC = QStringLiteral("IR");
    QString SucNroLetra = QStringLiteral("000100000050X");
    QString IdComplemento = QStringLiteral("0");
    QString Fecha = QStringLiteral("20/03/2025");
    QString IdDeposito = QStringLiteral("1");
    QString IdDepositoDestino;
    QString IdMotivoStock = QStringLiteral("1");
    QString TcOrigen;
    QString ComprobanteOrigen;
    bool EsTransferencia = false;
    QString Cuenta = QStringLiteral("PorDefault");
    bool GeneraSentenciaSQL = true;
    QString SqlTemp;
    bool HayError = false;
    QString IdTecnico = QStringLiteral("NULL");
    QString LoteFijo;
    QString Aduana;
    QString LoteOrigen;
    qint16 SignoRemota = 0;
    bool MuestraCartel = false;
    QString IdVendedor = QStringLiteral("V01");
    float SecuenciaFija = 0;
    QString ArtMoneda = QStringLiteral("1");
    Moneda ArtCotizacion = Moneda::DeEntero(1);
};

class ConPosteo : public ConNumeracion {
protected:
    void SetUp() override {
        ConNumeracion::SetUp();
        AjustaConfiguracion(QStringLiteral("ASIENTOSXSTOCK"), QStringLiteral("SI"));
        gPeriodo = 2025;
        EstableceReloj([] { return QDateTime(QDate(2025, 3, 20), QTime(10, 0)); });
        cls = std::make_unique<ClsCmnCptesPosteo>();
    }
    void TearDown() override {
        cls.reset();
        EstableceReloj({});
        ConNumeracion::TearDown();
    }

    void Postea(Grilla& g, Llamada& ll) const {
        cls->ActualizaStock(g, ll.TC, ll.SucNroLetra, ll.IdComplemento, ll.Fecha, ll.IdDeposito,
                            ll.IdDepositoDestino, ll.IdMotivoStock, ll.TcOrigen, ll.ComprobanteOrigen,
                            ll.EsTransferencia, ll.Cuenta, ll.GeneraSentenciaSQL, ll.SqlTemp, ll.HayError,
                            ll.IdTecnico, ll.LoteFijo, ll.Aduana, ll.LoteOrigen, ll.SignoRemota,
                            ll.MuestraCartel, ll.IdVendedor, ll.SecuenciaFija, ll.ArtMoneda,
                            ll.ArtCotizacion);
    }
    // Posts in batch mode and runs the batch in one transaction, as a voucher form saves.
    void PosteaYGuarda(Grilla& g, Llamada& ll) const {
        Postea(g, ll);
        ASSERT_FALSE(ll.HayError);
        bool hayError = false;
        qint32 numero = 0;
        QString tanda, mensajes;
        GActualizarDatoScript(DivideTanda(ll.SqlTemp), hayError, numero, false, false, tanda, mensajes,
                              false);
        ASSERT_FALSE(hayError) << mensajes.toStdString();
    }

public:
    // The voucher's movement rows in Secuencia order, each as its columns by name.
    static std::vector<QMap<QString, QVariant>> Filas(const QString& tc, const QString& id) {
        std::vector<QMap<QString, QVariant>> filas;
        Registros rs;
        AD().ObtieneRecordset("SELECT * FROM V_MV_STOCK WHERE TC = '" + UT().RellenaCodigo(tc, 4) +
                                  "' AND IdComprobante = '" + id + "' ORDER BY Secuencia",
                              rs);
        for (; !rs.Eof(); rs.MoveNext()) {
            QMap<QString, QVariant> f;
            for (int i = 0; i < rs.FieldCount(); ++i)
                f.insert(rs.FieldName(i).toUpper(), rs.Fields(i));
            filas.push_back(f);
        }
        AD().CierraRecordset(rs);
        return filas;
    }

protected:
    // Invariants of a stored posting: the movements of every article and deposit add up to the
    // voucher's signed quantities in base units, and the voucher's entry balances.
    static void VerificaInvariantes(const QString& tc, const QString& id,
                                    const std::map<std::pair<QString, QString>, double>& esperado) {
        std::map<std::pair<QString, QString>, double> sumas;
        for (const auto& f : Filas(tc, id))
            sumas[{f["IDARTICULO"].toString().trimmed(), f["IDDEPOSITO"].toString().trimmed()}] +=
                f["CANTIDADUD"].toDouble();
        for (auto& [k, v] : sumas)
            v = RedondeoBanquero(v, 4);
        std::map<std::pair<QString, QString>, double> limpio;
        for (const auto& [k, v] : esperado)
            if (v != 0)
                limpio[k] = RedondeoBanquero(v, 4);
        std::erase_if(sumas, [](const auto& kv) { return kv.second == 0; });
        EXPECT_EQ(sumas, limpio) << tc.toStdString() << " " << id.toStdString();
        VerificaAsiento(tc, id);
    }
    // The voucher's entry balances.
    static void VerificaAsiento(const QString& tc, const QString& id) {
        Registros rs;
        AD().ObtieneRecordset("SELECT [DEBE-HABER], Importe FROM MV_ASIENTOS WHERE TC = '" +
                                  UT().RellenaCodigo(tc, 4) + "' AND SUCURSAL = '" + id.left(4) +
                                  "' AND NUMERO = '" + id.mid(4, 8) + "'",
                              rs);
        Moneda debe, haber;
        for (; !rs.Eof(); rs.MoveNext())
            (rs.Fields(0).toString() == "D" ? debe : haber) += Moneda::DeDoble(rs.Fields(1).toDouble());
        AD().CierraRecordset(rs);
        EXPECT_EQ(debe, haber) << "asiento de " << tc.toStdString() << " " << id.toStdString();
    }

    // A range for the discharge voucher PE that hands out 5 next.
    static void AbreRangoDescarga() {
        Ejecuta(
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, Letras, UNEGOCIO, "
            "Modificanumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES "
            "('  PE', 1, 'Descarga de insumos', 'PRODUCCION', 'S', 'X', '', 'SI', 1, 5, 1, 99999999, '')");
    }
    // The next number of the PE range.
    static QString ProximoPE() { return Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"); }
    // The rows of discharge voucher `id`, one text each: deposit, article, lot, quantity.
    static QStringList Descargas(const QString& id) {
        QStringList r;
        for (const auto& f : Filas("PE", id))
            r << QString("%1 %2 %3 %4")
                     .arg(f["IDDEPOSITO"].toString().trimmed(), f["IDARTICULO"].toString().trimmed(),
                          f["NROLOTE"].toString().trimmed())
                     .arg(f["CANTIDAD"].toDouble());
        return r;
    }

    // The column names of the first INSERT of a batch.
    static QStringList ColumnasPrimeraFila(const QString& tanda) {
        for (const QString& s : DivideTanda(tanda))
            if (s.startsWith(QLatin1String("INSERT INTO V_MV_STOCK("))) {
                const qsizetype desde = s.indexOf('(') + 1;
                return s.mid(desde, s.indexOf(')') - desde).split(',');
            }
        return {};
    }

    std::unique_ptr<ClsCmnCptesPosteo> cls;
};
