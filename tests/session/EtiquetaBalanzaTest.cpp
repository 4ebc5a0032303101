#include "EtiquetaBalanza.h"
#include "ErrorSistema.h"
#include "Regional.h"

#include <gtest/gtest.h>
#include <random>

namespace {

class Etiqueta : public ::testing::Test {
protected:
    Regional::Fijo regional{QChar(','), QChar('.')};

    // A 13-digit label: "2", the 11-character window, a check digit that is never read.
    static QString Trece(const QString& ventana) { return "2" + ventana + "9"; }

    static EtiquetaBalanza Lee(const QString& texto, const QString& mascara, const QString& decimales = "2") {
        const auto e = LeeEtiquetaBalanza(texto, mascara, decimales);
        EXPECT_TRUE(e.has_value()) << texto.toStdString();
        return e.value_or(EtiquetaBalanza{});
    }
};

struct Caso {
    const char* mascara;
    const char* ventana;
    const char* codigo;
    std::optional<double> cantidad;
    std::optional<std::int64_t> importeCrudo; // ten-thousandths
};

// One example label per mask, read with DECIMALESEAN 2 (P digits are always thousandths).
const Caso kCasos[] = {
    {"0CCCCCTTTTT", "01234500150", "12345", 1.0, 15000},
    {"CCCCCTTTTTT", "12345001234", "12345", 1.0, 123400},
    {"CCCC0TTTTTT", "12340001234", "1234", 1.0, 123400},
    {"CCCCCCTTTTT", "12345601234", "123456", 1.0, 123400},
    {"CCCCC0PPPPP", "12345001234", "12345", 1.234, std::nullopt},
    {"CCCCC0QQQQQ", "12345001234", "12345", 12.34, std::nullopt},
    {"CCCCCCPPPPP", "12345601234", "123456", 1.234, std::nullopt},
    {"CCCCCTTTTT", "01234501234", "12345", 1.0, 123400},
    {"CCCCTTTTT", "00123401234", "1234", 1.0, 123400},
    {"CCCCCCQQQQQ", "00123401500", "1234", 15.0, std::nullopt},
    {"00CCCCPPPPP", "00123402500", "1234", 2.5, std::nullopt},
    {"00CCCCQQQQQ", "00123402500", "1234", 25.0, std::nullopt},
    {"0CCCCCPPPPP", "05000101234", "50001", 1.234, std::nullopt},
    {"0CCCCCQQQQQ", "05000101234", "50001", 12.34, std::nullopt},
    {"CCCCCPPPPPP", "05000101234", "50001", 1.234, std::nullopt},
};

TEST_F(Etiqueta, CadaMascaraConSuEjemplo) {
    ASSERT_EQ(MascarasEAN().size(), std::size(kCasos));
    for (const Caso& c : kCasos) {
        SCOPED_TRACE(c.mascara);
        EXPECT_EQ(MascarasEAN().indexOf(c.mascara), &c - kCasos);
        const EtiquetaBalanza e = Lee(Trece(c.ventana), c.mascara);
        EXPECT_TRUE(e.decodificada);
        EXPECT_EQ(e.signo, 1);
        EXPECT_EQ(e.codigo, c.codigo);
        ASSERT_EQ(e.cantidad.has_value(), c.cantidad.has_value());
        if (c.cantidad) {
            EXPECT_DOUBLE_EQ(*e.cantidad, *c.cantidad);
        }
        ASSERT_EQ(e.importe.has_value(), c.importeCrudo.has_value());
        if (c.importeCrudo) {
            EXPECT_EQ(e.importe->Crudo(), *c.importeCrudo);
        }
    }
}

TEST_F(Etiqueta, ElEjemploDelImporteYSuNegativo) {
    EtiquetaBalanza e = Lee("2012345001507", "0CCCCCTTTTT");
    EXPECT_EQ(e.codigo, "12345");
    EXPECT_EQ(e.importe, Moneda::DeCrudo(15000));
    EXPECT_EQ(e.cantidad, 1.0);

    e = Lee("-2012345001507", "0CCCCCTTTTT");
    EXPECT_EQ(e.signo, -1);
    EXPECT_EQ(e.codigo, "12345");
    EXPECT_EQ(e.importe, Moneda::DeCrudo(-15000));
    EXPECT_EQ(e.cantidad, -1.0);
}

TEST_F(Etiqueta, SignoDelImporteSegunLaMascara) {
    // With a "0" in front and "CCCCCTTTTTT" the amount takes the sign; the others keep it
    // positive and carry the sign in the quantity.
    const QString negativa = "-2123456012349";
    EXPECT_EQ(Lee(negativa, "CCCCCTTTTTT").importe, Moneda::DeCrudo(-123400));
    EXPECT_EQ(Lee(negativa, "CCCC0TTTTTT").importe, Moneda::DeCrudo(-60123400));
    for (const char* sinSigno : {"CCCCCCTTTTT", "CCCCCTTTTT", "CCCCTTTTT"}) {
        SCOPED_TRACE(sinSigno);
        const EtiquetaBalanza e = Lee(negativa, sinSigno);
        EXPECT_GT(e.importe.value_or(Moneda()), Moneda());
        EXPECT_EQ(e.cantidad, -1.0);
    }
    EXPECT_DOUBLE_EQ(Lee(negativa, "CCCCCCPPPPP").cantidad.value_or(0), -1.234);
    EXPECT_DOUBLE_EQ(Lee(negativa, "CCCCCCQQQQQ").cantidad.value_or(0), -12.34);
}

TEST_F(Etiqueta, VentanaSegunLargoYSigno) {
    // 12 digits beginning "0": read from the first character; the 12th is never read.
    EtiquetaBalanza e = Lee("012345001234", "CCCCCTTTTTT");
    EXPECT_EQ(e.signo, 1);
    EXPECT_EQ(e.codigo, "01234");
    EXPECT_EQ(e.importe, Moneda::DeCrudo(50012300)); // window 6-11 on a 12-character label
    e = Lee("012345001239", "CCCCCTTTTTT");
    EXPECT_EQ(e.importe, Moneda::DeCrudo(50012300));

    // 13 digits beginning "0": read from the second.
    e = Lee("0123450012347", "CCCCCTTTTTT");
    EXPECT_EQ(e.codigo, "12345");
    EXPECT_EQ(e.importe, Moneda::DeCrudo(123400));

    // "-0" and 11 digits: a negative 12-character label.
    e = Lee("-012345001234", "CCCCCTTTTTT");
    EXPECT_EQ(e.signo, -1);
    EXPECT_EQ(e.codigo, "01234");
    EXPECT_EQ(e.importe, Moneda::DeCrudo(-50012300));

    // Blanks after a label do not move the window.
    e = Lee("012345001234  ", "CCCCCTTTTTT");
    EXPECT_EQ(e.codigo, "01234");
}

TEST_F(Etiqueta, FormaDeEtiqueta) {
    for (const char* si : {"2012345001507", "-2012345001507", "012345001234", "-012345001234",
                           "0123450012347", "012345001234 "}) {
        EXPECT_TRUE(EsEtiquetaBalanza(si)) << si;
    }
    for (const char* no : {"201234500150", "20123450015077", "3012345001507", "1012345001507",
                           "-3012345001507", "-20123450015077", "01234500123", "201234500150A",
                           "0 12345001234", "2E99999999999", "", "      "}) {
        EXPECT_FALSE(EsEtiquetaBalanza(no)) << no;
        EXPECT_FALSE(LeeEtiquetaBalanza(no, "0CCCCCTTTTT", "2").has_value()) << no;
    }
}

TEST_F(Etiqueta, MascaraDesconocidaOVacia) {
    for (const char* mascara : {"", "CCCCCCCCCCC", "0CCCCCTTTTT "}) {
        SCOPED_TRACE(mascara);
        const EtiquetaBalanza e = Lee("-2012345001507", mascara);
        EXPECT_FALSE(e.decodificada);
        EXPECT_EQ(e.signo, -1);
        EXPECT_TRUE(e.codigo.isEmpty());
        EXPECT_FALSE(e.cantidad.has_value());
        EXPECT_FALSE(e.importe.has_value());
    }
    // The setting is compared without regard to case.
    EXPECT_EQ(Lee("2012345001507", "0cccccttttt").codigo, "12345");
}

TEST_F(Etiqueta, DecimalesDelAjuste) {
    EXPECT_EQ(DivisorEAN(""), 1);
    EXPECT_EQ(DivisorEAN(" "), 1);
    EXPECT_EQ(DivisorEAN("0"), 1);
    EXPECT_EQ(DivisorEAN("1"), 10);
    EXPECT_EQ(DivisorEAN("2"), 100);
    EXPECT_EQ(DivisorEAN("3"), 1000);
    EXPECT_EQ(DivisorEAN("4"), 10000);
    EXPECT_EQ(DivisorEAN("5"), std::nullopt);
    EXPECT_EQ(DivisorEAN("-1"), std::nullopt);
    EXPECT_EQ(DivisorEAN("1,5"), std::nullopt);

    const QString etiqueta = Trece("12345601234");
    EXPECT_DOUBLE_EQ(Lee(etiqueta, "CCCCCCQQQQQ", "0").cantidad.value_or(0), 1234);
    EXPECT_DOUBLE_EQ(Lee(etiqueta, "CCCCCCQQQQQ", "4").cantidad.value_or(0), 0.1234);
    EXPECT_EQ(Lee(etiqueta, "CCCCCCTTTTT", "3").importe, Moneda::DeCrudo(12340));
    // P digits are thousandths whatever the setting says.
    EXPECT_DOUBLE_EQ(Lee(etiqueta, "CCCCCCPPPPP", "4").cantidad.value_or(0), 1.234);
    EXPECT_DOUBLE_EQ(Lee(etiqueta, "CCCCCCPPPPP", "9").cantidad.value_or(0), 1.234);

    // A quantity or amount at an unknown scale is an error, never a wrong number.
    try {
        LeeEtiquetaBalanza(etiqueta, "CCCCCCQQQQQ", "5");
        FAIL() << "no error";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 5);
        EXPECT_TRUE(e.Descripcion().contains("DECIMALESEAN"));
    }
    EXPECT_THROW(LeeEtiquetaBalanza(etiqueta, "CCCCCCTTTTT", "7"), ErrorSistema);
}

// Numeric texts beyond an amount's range are values the lookup cannot read: nothing, never an
// overflow.
TEST_F(Etiqueta, LoQueDesbordaNoSeLee) {
    for (const char* decimales : {"2E990", "9E18", "-9E99"})
        EXPECT_EQ(DivisorEAN(decimales), std::nullopt) << decimales;
    EXPECT_EQ(DivisorEAN("4E0"), 10000);
    // The whole label is a number a double holds, but the digits the mask reads are not an amount.
    ASSERT_TRUE(EsEtiquetaBalanza("212345009E251"));
    for (const char* mascara : {"CCCCC0QQQQQ", "CCCCCCTTTTT", "0CCCCCPPPPP"})
        EXPECT_EQ(LeeEtiquetaBalanza("212345009E251", mascara, "2"), std::nullopt) << mascara;
    EXPECT_THROW(LeeEtiquetaBalanza(Trece("12345601234"), "CCCCCCQQQQQ", "2E990"), ErrorSistema);

    // Any text of a label's length made of digits, exponents, signs and separators, with every mask:
    // read or not, never an overflow.
    std::mt19937 azar(20);
    const QString letras = QStringLiteral("0123456789000000000EEE-+,. ");
    for (int i = 0; i < 4000; ++i) {
        QString texto = i % 3 == 0   ? QStringLiteral("2")
                        : i % 3 == 1 ? QStringLiteral("-2")
                                     : QStringLiteral("0");
        while (texto.size() < 12 + i % 3)
            texto += letras[int(azar() % letras.size())];
        for (const QString& mascara : MascarasEAN())
            EXPECT_NO_THROW(LeeEtiquetaBalanza(texto, mascara, "2")) << texto.toStdString();
    }
}

} // namespace
