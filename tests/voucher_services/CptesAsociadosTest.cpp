// The vouchers made from a voucher, on the demo database: whether any names it as its origin
// (by complement, live or with the cancelled ones) and what the live ones add up to, checked
// against a count in memory over many generated derived vouchers.

#include "CptesAsociados.h"
#include "AccesoDatos.h"
#include "Ayudas.h"
#include "ClsCmnCptesServicios.h"
#include "ConClaseCptes.h"
#include "Globales.h"
#include "Utilidades.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>
#include <memory>

#define EXPECT_TEXTO(a, b) EXPECT_EQ(QString(a).toStdString(), QString(b).toStdString())

namespace {

class CptesAsociados : public ConClaseCptes {
protected:
    // A voucher made from the origin; `importe` empty stores NULL.
    static void Derivado(const QString& tc, const QString& numero, const QString& tcOrigen,
                         const QString& origen, int complemento, bool anulada, const QString& importe) {
        AD().EjecutaSQL(
            QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, Importe, ANULADA, TCORIGEN, "
                           "COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES ('%1', '%2', %3, %4, "
                           "'%5', '%6', %7)")
                .arg(tc, numero, importe.isEmpty() ? QStringLiteral("NULL") : importe)
                .arg(anulada ? 1 : 0)
                .arg(tcOrigen, origen)
                .arg(complemento));
    }
};

TEST_F(CptesAsociados, StatementsAsWritten) {
    EXPECT_TEXTO(SentenciaCptesRelacionados("NP", " 009900000001R ", "0", false),
                 "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TCORIGEN = '  NP' AND COMPROBANTEORIGEN = "
                 "'009900000001R' AND COMPLEMENTOORIGEN = '0'  AND ANULADA = 0");
    EXPECT_TEXTO(SentenciaCptesRelacionados(" np ", "009900000001R", "2", true),
                 "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TCORIGEN = '  np' AND COMPROBANTEORIGEN = "
                 "'009900000001R' AND COMPLEMENTOORIGEN = '2' ");
    EXPECT_TEXTO(SentenciaCptesAsociados("FC", "0001'00000001A"),
                 "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TCORIGEN = '  FC' AND COMPROBANTEORIGEN = "
                 "'0001''00000001A' AND ANULADA = 0");
    // The complement is a number: empty reads 0, blanks around it do not count, and a text that
    // is none is refused before any statement is built.
    EXPECT_TRUE(SentenciaCptesRelacionados("NP", "1", "", false).contains("COMPLEMENTOORIGEN = '0' "));
    EXPECT_TRUE(SentenciaCptesRelacionados("NP", "1", " 1 ", false).contains("COMPLEMENTOORIGEN = '1' "));
    for (const char* malo : {"x", "1'", "0' OR '1'='1", "1.5", "1 2"})
        EXPECT_EQ(NumeroDeError([&] { SentenciaCptesRelacionados("NP", "1", malo, false); }), 13) << malo;
}

TEST_F(CptesAsociados, LiveCancelledAndComplements) {
    Derivado("  RM", "009900000101R", "  NP", "009900000001R", 0, false, "100");
    Derivado("  FC", "009900000101R", "  NP", "009900000001R", 1, false, "50.25");
    Derivado("  RM", "009900000102R", "  NP", "009900000001R", 0, true, "999");
    Derivado("  FC", "009900000102R", "  NP", "009900000001R", 2, false, "");
    // An origin whose only derived voucher is cancelled.
    Derivado("  RM", "009900000103R", "  NP", "009900000002R", 0, true, "70");

    EXPECT_TRUE(clase->EstaRelacionadoAOtroComprobante("NP", " 009900000001R ", "0", false));
    EXPECT_TRUE(clase->EstaRelacionadoAOtroComprobante("np", "009900000001R", " 1", false));
    EXPECT_TRUE(clase->EstaRelacionadoAOtroComprobante("NP", "009900000001R", "", false)); // reads 0
    EXPECT_FALSE(clase->EstaRelacionadoAOtroComprobante("NP", "009900000001R", "3", true));
    EXPECT_FALSE(clase->EstaRelacionadoAOtroComprobante("NP", "009900000002R"));
    EXPECT_TRUE(clase->EstaRelacionadoAOtroComprobante("NP", "009900000002R", "0", true));
    EXPECT_FALSE(clase->EstaRelacionadoAOtroComprobante("PR", "009900000001R", "0", true));
    EXPECT_FALSE(clase->EstaRelacionadoAOtroComprobante("NP", "0099'1", "0", true));
    EXPECT_EQ(NumeroDeError([&] { clase->EstaRelacionadoAOtroComprobante("NP", "009900000001R", "uno"); }),
              13);

    // Every complement counts, cancelled vouchers never, a NULL amount adds nothing.
    EXPECT_EQ(clase->ObtieneImporteCptesAsociados("NP", "009900000001R"), Moneda::DeCrudo(1502500));
    EXPECT_EQ(clase->ObtieneImporteCptesAsociados("NP", "009900000002R"), Moneda());
    EXPECT_EQ(clase->ObtieneImporteCptesAsociados("OT", "009900000001R"), Moneda());
}

TEST_F(CptesAsociados, AgreeWithACountInMemoryOverGeneratedVouchers) {
    QRandomGenerator azar(20251209);
    struct Clave {
        int origen, complemento;
        auto operator<=>(const Clave&) const = default;
    };
    std::map<Clave, int> vivos, todos;
    std::map<int, qint64> importes; // per origin, in ten-thousandths
    AD().EjecutaSQL("BEGIN TRANSACTION");
    for (int i = 0; i < 300; ++i) {
        const int origen = azar.bounded(6);
        const int complemento = azar.bounded(3);
        const bool anulada = azar.bounded(4) == 0;
        const qint64 centavos = azar.bounded(100000);
        Derivado("  RM", QStringLiteral("0099%1R").arg(1000 + i, 8, 10, QLatin1Char('0')), "  NP",
                 QStringLiteral("0077%1R").arg(origen, 8, 10, QLatin1Char('0')), complemento, anulada,
                 QString::number(double(centavos) / 100, 'f', 2));
        ++todos[{origen, complemento}];
        if (!anulada) {
            ++vivos[{origen, complemento}];
            importes[origen] += centavos * 100;
        }
    }
    AD().EjecutaSQL("COMMIT TRANSACTION");
    for (int origen = 0; origen < 7; ++origen) {
        const QString numero = QStringLiteral("0077%1R").arg(origen, 8, 10, QLatin1Char('0'));
        for (int complemento = 0; complemento < 4; ++complemento) {
            const QString c = QString::number(complemento);
            EXPECT_EQ(clase->EstaRelacionadoAOtroComprobante("NP", numero, c, false),
                      vivos.count({origen, complemento}) > 0)
                << origen << "/" << complemento;
            EXPECT_EQ(clase->EstaRelacionadoAOtroComprobante("NP", numero, c, true),
                      todos.count({origen, complemento}) > 0)
                << origen << "/" << complemento;
        }
        EXPECT_EQ(clase->ObtieneImporteCptesAsociados("NP", numero).Crudo(), importes[origen]) << origen;
    }
}

} // namespace
