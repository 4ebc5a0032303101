#include "Moneda.h"
#include "Ayudas.h"
#include "ErrorSistema.h"
#include "Regional.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

Moneda M(const char* texto) {
    return *Regional::LeeMoneda(QString::fromLatin1(texto));
}

class MonedaTest : public ::testing::Test {
protected:
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.')};
};

} // namespace

TEST_F(MonedaTest, DesdeUnDobleRedondeaComoLaConversionAMoneda) {
    EXPECT_EQ(Moneda::DeDoble(0.00005).Crudo(), 0); // exactly half: to the even 0
    EXPECT_EQ(Moneda::DeDoble(0.00025).Crudo(), 2);
    EXPECT_EQ(Moneda::DeDoble(-0.00005).Crudo(), 0);
    EXPECT_EQ(Moneda::DeDoble(1.23455).Crudo(), 12346);
    EXPECT_EQ(Moneda::DeDoble(1234.56).Crudo(), 12345600);
    EXPECT_EQ(Moneda::DeDoble(-7.0).Crudo(), -70000);
    EXPECT_DOUBLE_EQ(M("1234,5678").ADoble(), 1234.5678);
    EXPECT_EQ(NumeroDeError([] { Moneda::DeDoble(1e15); }), 6);
    EXPECT_EQ(NumeroDeError([] { Moneda::DeDoble(-1e15); }), 6);
    EXPECT_EQ(NumeroDeError([] { Moneda::DeDoble(std::numeric_limits<double>::quiet_NaN()); }), 6);
    EXPECT_EQ(NumeroDeError([] { Moneda::DeDoble(std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(Moneda::DeEntero(-3).Crudo(), -30000);
    EXPECT_EQ(NumeroDeError([] { Moneda::DeEntero(922337203685478); }), 6);
}

TEST_F(MonedaTest, AritmeticaExactaConRedondeoAlPar) {
    EXPECT_EQ(M("0,1") + M("0,2"), M("0,3"));
    EXPECT_EQ(M("10") - M("0,0001"), M("9,9999"));
    EXPECT_EQ(M("1,2345") * M("0,5"), M("0,6172")); // 0,61725 -> even
    EXPECT_EQ(M("1,2355") * M("0,5"), M("0,6178")); // 0,61775 -> even
    EXPECT_EQ(M("-1,2345") * M("0,5"), M("-0,6172"));
    EXPECT_EQ(M("1") / M("3"), M("0,3333"));
    EXPECT_EQ(M("2") / M("3"), M("0,6667"));
    EXPECT_EQ(M("-2") / M("3"), M("-0,6667"));
    EXPECT_EQ(M("0,0001") / M("2"), M("0")); // 0,00005 -> even
    EXPECT_EQ(M("0,0003") / M("2"), M("0,0002"));
    Moneda suma;
    for (int i = 0; i < 1000; ++i) {
        suma += M("0,1");
    }
    EXPECT_EQ(suma, M("100"));
    EXPECT_LT(M("-0,0001"), Moneda());
    EXPECT_GT(M("1.000"), M("999,9999"));
    EXPECT_TRUE(Moneda().EsCero());
}

TEST_F(MonedaTest, DesbordesYDivisionPorCero) {
    const Moneda maximo = Moneda::DeCrudo(INT64_MAX);
    const Moneda minimo = Moneda::DeCrudo(INT64_MIN);
    EXPECT_EQ(NumeroDeError([&] { (void)(maximo + M("0,0001")); }), 6);
    EXPECT_EQ(NumeroDeError([&] { (void)(minimo - M("0,0001")); }), 6);
    EXPECT_EQ(NumeroDeError([&] { (void)(-minimo); }), 6);
    EXPECT_EQ(NumeroDeError([&] { (void)(maximo * M("2")); }), 6);
    EXPECT_EQ(NumeroDeError([&] { (void)(M("1") / Moneda()); }), 11);
    EXPECT_EQ(NumeroDeError([&] { (void)maximo.Redondea(0); }), 6);
    EXPECT_EQ((maximo * M("1")), maximo);
}

TEST_F(MonedaTest, RedondeoAEnterosYDecimales) {
    EXPECT_EQ(M("2,5").AEntero(), 2);
    EXPECT_EQ(M("3,5").AEntero(), 4);
    EXPECT_EQ(M("-2,5").AEntero(), -2);
    EXPECT_EQ(M("-2,5001").AEntero(), -3);
    EXPECT_EQ(M("1234,565").Redondea(2), M("1234,56"));
    EXPECT_EQ(M("1234,575").Redondea(2), M("1234,58"));
    EXPECT_EQ(M("1235,5").Redondea(0), M("1236"));
    EXPECT_EQ(M("1,23456").Redondea(9), M("1,2346"));
}

TEST_F(MonedaTest, Textos) {
    EXPECT_EQ(M("1234,5").Texto(), "1234,5");
    EXPECT_EQ(M("-0,25").Texto(), "-0,25");
    EXPECT_EQ(Moneda().Texto(), "0");
    EXPECT_EQ(M("0,0001").Texto(), "0,0001");
    EXPECT_EQ(Moneda::DeCrudo(INT64_MIN).Texto(), "-922337203685477,5808");
    // The money mask with the regional separators.
    EXPECT_EQ(M("1234,5").Formato(2, true), "1.234,50");
    EXPECT_EQ(M("1234,5").Formato(0, true), "1.234");
    EXPECT_EQ(M("1235,5").Formato(0, true), "1.236");
    EXPECT_EQ(M("1234567,5").Formato(2, false), "1234567,50");
    EXPECT_EQ(M("-1234,5").Formato(2, true), "-1.234,50");
    EXPECT_EQ(M("-0,004").Formato(2, true), "0,00");
    EXPECT_EQ(M("12,5").Formato(6, false), "12,500000");
    EXPECT_EQ(M("999,995").Formato(2, true), "1.000,00");
    {
        Regional::Fijo ingles(QLatin1Char('.'), QLatin1Char(','));
        EXPECT_EQ(M("1,234.5").Formato(2, true), "1,234.50");
        EXPECT_EQ(M("1,234.5").Texto(), "1234.5");
    }
    // Every text written reads back as the same amount.
    for (std::int64_t crudo : {INT64_MAX, INT64_MIN, std::int64_t{-1}, std::int64_t{123456789}}) {
        const Moneda m = Moneda::DeCrudo(crudo);
        EXPECT_EQ(*Regional::LeeMoneda(m.Texto()), m);
        EXPECT_EQ(*Regional::LeeMoneda(m.Formato(4, true)), m);
    }
}
