#include "Regional.h"
#include "Ayudas.h"
#include "ErrorSistema.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

std::int64_t Crudo(const QString& texto) {
    const auto m = Regional::LeeMoneda(texto);
    EXPECT_TRUE(m.has_value()) << texto.toStdString();
    return m ? m->Crudo() : -1;
}

} // namespace

TEST(Regional, ComaDecimalPuntoDeMiles) {
    Regional::Fijo r(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(Crudo("1.234,56"), 12345600);
    EXPECT_EQ(Crudo("-1.234,56"), -12345600);
    EXPECT_EQ(Crudo("1.234.567,8"), 12345678000);
    EXPECT_EQ(Crudo("  12,5  "), 125000);
    EXPECT_EQ(Crudo("1234,56"), 12345600);
    EXPECT_EQ(Crudo("12,"), 120000);
    EXPECT_EQ(Crudo(",5"), 5000);
    EXPECT_EQ(Crudo("+7"), 70000);
    EXPECT_EQ(Crudo("1,5E3"), 15000000);
    EXPECT_EQ(Crudo("1.000"), 10000000);
    // A point that is not a valid grouping is no number: never silently 1.5 -> 15.
    for (const char* malo : {"12.34", "1.5", "1.23,4", "1..234", "1.234.", ".123", "1,2,3", "abc", "", " ",
                             "-", "12a", "1 234", "1,5E", "--1"}) {
        EXPECT_FALSE(Regional::LeeMoneda(malo).has_value()) << malo;
        EXPECT_FALSE(Regional::LeeDoble(malo).has_value()) << malo;
    }
    EXPECT_DOUBLE_EQ(*Regional::LeeDoble("1.234,56"), 1234.56);
    EXPECT_DOUBLE_EQ(*Regional::LeeDoble("-0,125"), -0.125);
}

TEST(Regional, PuntoDecimalComaDeMiles) {
    Regional::Fijo r(QLatin1Char('.'), QLatin1Char(','));
    EXPECT_EQ(Crudo("1,234.56"), 12345600);
    EXPECT_EQ(Crudo("-1,234.56"), -12345600);
    EXPECT_EQ(Crudo("12.5"), 125000);
    EXPECT_FALSE(Regional::LeeMoneda("1.234,56").has_value());
    EXPECT_FALSE(Regional::LeeMoneda("12,34").has_value());
}

TEST(Regional, MonedaRedondeaLaQuintaCifraAlPar) {
    Regional::Fijo r(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(Crudo("0,00005"), 0);
    EXPECT_EQ(Crudo("0,00015"), 2);
    EXPECT_EQ(Crudo("0,00025"), 2);
    EXPECT_EQ(Crudo("0,000050001"), 1);
    EXPECT_EQ(Crudo("-0,00015"), -2);
    EXPECT_EQ(Crudo("-0,00005"), 0);
    EXPECT_EQ(Crudo("2,00005"), 20000);
    EXPECT_EQ(Crudo("0,00004999999999"), 0);
    EXPECT_EQ(Crudo("1,23455E0"), 12346);
}

TEST(Regional, MonedaFueraDeRangoDesborda) {
    Regional::Fijo r(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(Crudo("922.337.203.685.477,5807"), INT64_MAX);
    EXPECT_EQ(Crudo("-922337203685477,5808"), INT64_MIN);
    EXPECT_EQ(NumeroDeError([] { Regional::LeeMoneda("922337203685477,5808"); }), 6);
    EXPECT_EQ(NumeroDeError([] { Regional::LeeMoneda("922337203685477,58075"); }), 6);
    EXPECT_EQ(NumeroDeError([] { Regional::LeeMoneda("1E20"); }), 6);
    EXPECT_EQ(NumeroDeError([] { Regional::LeeMoneda("99999999999999999999999"); }), 6);
    EXPECT_EQ(Crudo("1E-30"), 0);
    EXPECT_EQ(Crudo("00000000000000000000001"), 10000);
    EXPECT_EQ(NumeroDeError([] { Regional::LeeDoble("1E400"); }), 6);
    EXPECT_EQ(*Regional::LeeDoble("1E-400"), 0.0);
}

TEST(Regional, TextoDeUnNumero) {
    Regional::Fijo r(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(Regional::TextoNumero(1234.5), "1234,5");
    EXPECT_EQ(Regional::TextoNumero(0.1 + 0.2), "0,3");
    EXPECT_EQ(Regional::TextoNumero(-2.5), "-2,5");
    EXPECT_EQ(Regional::TextoNumero(1e-5), "0,00001");
    EXPECT_EQ(Regional::TextoNumero(1e20), "100000000000000000000");
    EXPECT_EQ(Regional::TextoNumero(0.0), "0");
    EXPECT_EQ(Regional::TextoNumero(-0.0), "0");
    EXPECT_EQ(Regional::TextoNumero(12.3f, 7), "12,3");
    EXPECT_EQ(Regional::TextoNumero(2.0 / 3.0), "0,666666666666667");
    // The same numbers again, right after, under the other separator and fewer digits.
    {
        Regional::Fijo punto(QLatin1Char('.'), QLatin1Char(','));
        EXPECT_EQ(Regional::TextoNumero(1234.5), "1234.5");
        EXPECT_EQ(Regional::TextoNumero(2.0 / 3.0), "0.666666666666667");
    }
    EXPECT_EQ(Regional::TextoNumero(1234.5), "1234,5");
    EXPECT_EQ(Regional::TextoNumero(2.0 / 3.0, 7), "0,6666667");
    // What is written reads back as the same number.
    for (double v : {1234.5, 0.1 + 0.2, -2.5, 1e-5, 123456789.125}) {
        EXPECT_DOUBLE_EQ(*Regional::LeeDoble(Regional::TextoNumero(v)), v);
    }
    EXPECT_EQ(Regional::FormatoNumero(1234567.891, 2, true), "1.234.567,89");
    EXPECT_EQ(Regional::FormatoNumero(150.0 / 60.0, 2, false), "2,50");
    EXPECT_EQ(Regional::FormatoNumero(-0.001, 2, false), "0,00");
    EXPECT_EQ(Regional::FormatoNumero(-999.5, 0, true), "-1.000");
    EXPECT_EQ(Regional::FormatoNumero(123, 0, true), "123");
}

TEST(Regional, AjustesDelEntornoYFijados) {
    const QByteArray antes = qgetenv("LC_ALL");
    qputenv("LC_ALL", "C");
    Regional::Restablece();
    EXPECT_EQ(Regional::SeparadorDecimal(), QLatin1Char('.'));
    // C has no thousands separator: the one that cannot be taken for the decimal point.
    EXPECT_EQ(Regional::SeparadorMiles(), QLatin1Char(','));
    EXPECT_EQ(Regional::DecimalesMoneda(), 2);
    {
        Regional::Fijo r(QLatin1Char(','), QLatin1Char('.'), 3);
        EXPECT_EQ(Regional::SeparadorDecimal(), QLatin1Char(','));
        EXPECT_EQ(Regional::SeparadorMiles(), QLatin1Char('.'));
        EXPECT_EQ(Regional::DecimalesMoneda(), 3);
    }
    EXPECT_EQ(Regional::SeparadorDecimal(), QLatin1Char('.'));
    if (antes.isNull()) {
        qunsetenv("LC_ALL");
    } else {
        qputenv("LC_ALL", antes);
    }
    Regional::Restablece();
}

TEST(ValNumero, LeeElNumeroDelPrincipio) {
    Regional::Fijo r(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(ValNumero("  12abc"), 12);
    EXPECT_EQ(ValNumero("1 2 3"), 123);
    EXPECT_EQ(ValNumero("\t7\n5"), 75);
    EXPECT_EQ(ValNumero("-1.5e2x"), -150);
    EXPECT_EQ(ValNumero("1d2"), 100);
    EXPECT_EQ(ValNumero("1,5"), 1); // always "." as the point, whatever the regional one
    EXPECT_EQ(ValNumero("1.2.3"), 1.2);
    EXPECT_EQ(ValNumero(".5"), 0.5);
    EXPECT_EQ(ValNumero("+3"), 3);
    EXPECT_EQ(ValNumero("1e"), 1);
    EXPECT_EQ(ValNumero("2e+"), 2);
    EXPECT_EQ(ValNumero("- 4"), -4);
    EXPECT_EQ(ValNumero("4.2"), 4.2);
    for (const char* cero : {"", "   ", "abc", "-", ".", "+-5", "e5", "x1"}) {
        EXPECT_EQ(ValNumero(cero), 0) << cero;
    }
    EXPECT_EQ(ValNumero("1e-400"), 0);
    EXPECT_EQ(NumeroDeError([] { ValNumero("1e400"); }), 6);
}

TEST(RedondeoBanquero, MitadesAlPar) {
    EXPECT_EQ(RedondeoBanquero(2.5), 2);
    EXPECT_EQ(RedondeoBanquero(3.5), 4);
    EXPECT_EQ(RedondeoBanquero(-2.5), -2);
    EXPECT_EQ(RedondeoBanquero(-3.5), -4);
    EXPECT_EQ(RedondeoBanquero(2.4999), 2);
    EXPECT_EQ(RedondeoBanquero(2.5001), 3);
    EXPECT_EQ(RedondeoBanquero(1234.5, 0), 1234);
    EXPECT_EQ(RedondeoBanquero(1235.5, 0), 1236);
    EXPECT_DOUBLE_EQ(RedondeoBanquero(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(RedondeoBanquero(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(RedondeoBanquero(0.00005, 4), 0.0);
    EXPECT_DOUBLE_EQ(RedondeoBanquero(0.00025, 4), 0.0002);
    EXPECT_DOUBLE_EQ(RedondeoBanquero(-1.23456, 4), -1.2346);
    EXPECT_EQ(RedondeoBanquero(1e300, 2), 1e300);
}

// Whatever the separators, every number the formatter writes reads back, never as an overflow,
// as the number written (to its digits or decimals).
TEST(Regional, TodoNumeroEscritoSeLeeDeVuelta) {
    std::mt19937_64 azar(20);
    std::vector<double> valores = {std::numeric_limits<double>::max(),
                                   std::numeric_limits<double>::lowest(),
                                   std::numeric_limits<double>::min(),
                                   std::numeric_limits<double>::denorm_min(),
                                   9.999999999999999e22,
                                   0.5,
                                   -0.0};
    for (int i = 0; i < 800; ++i) {
        const double v = std::bit_cast<double>(azar());
        if (std::isfinite(v))
            valores.push_back(v);
        // Amounts and quantities as users type them.
        valores.push_back(std::ldexp(static_cast<double>(azar() % 2000000) - 1000000.0, -int(azar() % 20)));
    }
    const std::pair<QChar, QChar> separadores[] = {
        {u',', u'.'}, {u'.', u','}, {u',', u' '}, {u'.', u'\''}, {u',', QChar(0x00A0)}};
    for (const auto& [decimal, miles] : separadores) {
        Regional::Fijo r(decimal, miles);
        for (double v : valores) {
            for (int cifras : {15, 7}) {
                const QString texto = Regional::TextoNumero(v, cifras);
                std::optional<double> leido;
                ASSERT_NO_THROW(leido = Regional::LeeDoble(texto)) << texto.toStdString();
                ASSERT_TRUE(leido.has_value()) << texto.toStdString();
                if (std::fabs(v) >= std::numeric_limits<double>::min()) {
                    EXPECT_LE(std::fabs(*leido - v), std::fabs(v) * (cifras == 15 ? 1e-14 : 1e-6))
                        << texto.toStdString();
                }
            }
            for (int decimales : {0, 2, 6}) {
                const QString texto = Regional::FormatoNumero(v, decimales, true);
                std::optional<double> leido;
                ASSERT_NO_THROW(leido = Regional::LeeDoble(texto)) << texto.toStdString();
                ASSERT_TRUE(leido.has_value()) << texto.toStdString();
                EXPECT_LE(std::fabs(*leido - v),
                          0.5000001 * std::pow(10.0, -decimales) + std::fabs(v) * 1e-15)
                    << texto.toStdString();
            }
        }
    }
}
