#include "Formatos.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "CajaTexto.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"
#include "Regional.h"
#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

namespace {

class Formatos : public ::testing::Test {
protected:
    void TearDown() override { ReiniciaSesion(); }
    // Spanish-style settings: "," decimal, "." thousands, 2 currency decimals.
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
};

TEST_F(Formatos, TextoABooleanoSinRecortarEnSusDosModos) {
    EXPECT_TRUE(TextoABooleano("si", true));
    EXPECT_TRUE(TextoABooleano("si", false));
    // A leading blank is not trimmed: " NO" is not a false word.
    EXPECT_FALSE(TextoABooleano("no", true));
    EXPECT_TRUE(TextoABooleano(" NO", true));
    EXPECT_FALSE(TextoABooleano(" SI", false));
    for (const char* falso : {"FALSE", "falso", "0", "No", "n"})
        EXPECT_FALSE(TextoABooleano(falso, true)) << falso;
    for (const char* cierto : {"true", "Verdadero", "1", "SI", "s"})
        EXPECT_TRUE(TextoABooleano(cierto, false)) << cierto;
    // Outside the lists: the mode decides; the empty text too.
    EXPECT_TRUE(TextoABooleano("quizás", true));
    EXPECT_FALSE(TextoABooleano("quizás"));
    EXPECT_TRUE(TextoABooleano("", true));
    EXPECT_FALSE(TextoABooleano(""));
    EXPECT_FALSE(TextoABooleano("-1"));
}

TEST_F(Formatos, MascarasDeFechaYHora) {
    EXPECT_EQ(FormatoFechaHora(), "dd/mm/yy hh:mm");
    EXPECT_EQ(FormatoFecha(), "dd/mm/yy");
    EXPECT_EQ(FormatoHora(), "hh:mm");
    const QDateTime momento(QDate(2024, 3, 7), QTime(9, 5, 4));
    EXPECT_EQ(AplicaMascaraFecha(momento, FormatoFechaHora()), "07/03/24 09:05");
    EXPECT_EQ(AplicaMascaraFecha(momento, FormatoFecha()), "07/03/24");
    EXPECT_EQ(AplicaMascaraFecha(momento, FormatoHora()), "09:05");
    // "mm" is the month unless it follows an hour or precedes seconds.
    EXPECT_EQ(AplicaMascaraFecha(momento, "dd/mm/yyyy hh:mm:ss"), "07/03/2024 09:05:04");
    EXPECT_EQ(AplicaMascaraFecha(momento, "mm:ss"), "05:04");
    EXPECT_EQ(AplicaMascaraFecha(QDateTime(QDate(2009, 12, 31), QTime(23, 59)), "d/m/yy h:nn"),
              "31/12/09 23:59");
}

TEST_F(Formatos, FmtMonedaConSeparadoresRegionales) {
    EXPECT_EQ(FmtMoneda("1234,5", 2, true), "1.234,50");
    EXPECT_EQ(FmtMoneda("1234,5", 2, false), "1234,50");
    // 0: the regional currency decimals.
    EXPECT_EQ(FmtMoneda("1234,5", 0, true), "1.234,50");
    {
        Regional::Fijo tres(QLatin1Char(','), QLatin1Char('.'), 3);
        EXPECT_EQ(FmtMoneda("1234,5", 0, true), "1.234,500");
    }
    {
        Regional::Fijo ninguno(QLatin1Char(','), QLatin1Char('.'), 0);
        EXPECT_EQ(FmtMoneda("1234,5", 0, true), "1.234");
    }
    // -2: no decimals, rounded half to even, no trailing separator.
    EXPECT_EQ(FmtMoneda("1234,5", -2, true), "1.234");
    EXPECT_EQ(FmtMoneda("1235,5", -2, true), "1.236");
    EXPECT_EQ(FmtMoneda("1234,5", -2, false), "1234");
    EXPECT_EQ(FmtMoneda("0,125", 2, false), "0,12");
    EXPECT_EQ(FmtMoneda("0,135", 2, false), "0,14");
    // -3: the text as it came.
    EXPECT_EQ(FmtMoneda(" 12,3x ", -3, true), " 12,3x ");
    // Not a number reads 0; an amount that rounds to 0 carries no sign.
    EXPECT_EQ(FmtMoneda("abc", 2, true), "0,00");
    EXPECT_EQ(FmtMoneda("-0,004", 2, true), "0,00");
    EXPECT_EQ(FmtMoneda("-1234567,891", 2, true), "-1.234.567,89");
    EXPECT_EQ(FmtMoneda(1234.5, 1, true), "1.234,5");
    EXPECT_EQ(FmtMoneda("1,5", 6, false), "1,500000");
}

TEST_F(Formatos, FmtMonedaConDecimalesDeLaConfiguracion) {
    gCantidadDecimales = "3";
    EXPECT_EQ(FmtMoneda("2,71828", -1, false), "2,718");
    // A missing setting reads one blank: the regional decimals.
    gCantidadDecimales = " ";
    EXPECT_EQ(FmtMoneda("2,71828", -1, false), "2,72");
    gCantidadDecimales = "-2";
    EXPECT_EQ(FmtMoneda("2,5", -1, false), "2");
    gCantidadDecimales = "99";
    EXPECT_THROW(FmtMoneda("2,5", -1, false), ErrorSistema);
}

TEST_F(Formatos, FmtMonedaConPuntoDecimal) {
    Regional::Fijo ingles(QLatin1Char('.'), QLatin1Char(','), 2);
    EXPECT_EQ(FmtMoneda("1234.5", 2, true), "1,234.50");
    EXPECT_EQ(FmtMoneda("1234.5", -2, true), "1,234");
}

TEST_F(Formatos, HorasAMinutosEstricto) {
    EXPECT_EQ(HorasAMinutos("1:30", "", "", true), 90);
    EXPECT_EQ(HorasAMinutos("1.5", "", "", true), 90);
    EXPECT_EQ(HorasAMinutos("2", "9", "9", true), 120);
    EXPECT_EQ(HorasAMinutos(":45", "", "", true), 45);
    EXPECT_EQ(HorasAMinutos("", "2", "15", true), 0);
    EXPECT_EQ(HorasAMinutos("abc", "", "", true), 0);
    // Only the first ":" splits; the minutes part is its leading number.
    EXPECT_EQ(HorasAMinutos("10:15:30", "", "", true), 615);
    EXPECT_EQ(HorasAMinutos("07/03/2024 10:15", "", "", true), 435);
}

TEST_F(Formatos, HorasAMinutosNoEstricto) {
    EXPECT_EQ(HorasAMinutos("", "2", "15", false), 135);
    EXPECT_EQ(HorasAMinutos("  ", "0", "0", false), 0);
    EXPECT_EQ(HorasAMinutos("", "-1", "0", false), 0);
    // Only both at 0 or below give 0.
    EXPECT_EQ(HorasAMinutos("", "-1", "90", false), 30);
    EXPECT_EQ(HorasAMinutos("", "0", "30", false), 30);
    // A time or a date-time gives its hour and minute; a date alone is midnight.
    EXPECT_EQ(HorasAMinutos("1:30", "9", "9", false), 90);
    EXPECT_EQ(HorasAMinutos("23:59:59", "", "", false), 1439);
    EXPECT_EQ(HorasAMinutos("07/03/2024 10:15", "", "", false), 615);
    EXPECT_EQ(HorasAMinutos("07/03/2024", "", "", false), 0);
    // Not a time: read as "h:m".
    EXPECT_EQ(HorasAMinutos("25:10", "", "", false), 1510);
    EXPECT_EQ(HorasAMinutos("1.5", "", "", false), 90);
}

TEST_F(Formatos, FormateaHorasConDosPuntos) {
    // Without a connection the setting reads empty: ":".
    qint32 horas = -7, restantes = -7;
    EXPECT_EQ(FormateaHoras(125, horas, restantes, false), "02:05");
    EXPECT_EQ(horas, 2);
    EXPECT_EQ(restantes, 5);
    EXPECT_EQ(FormateaHoras(59, horas, restantes, false), "00:59");
    EXPECT_EQ(horas, 0);
    EXPECT_EQ(restantes, 59);
    EXPECT_EQ(FormateaHoras(0, horas, restantes, true), "00:00");
    EXPECT_EQ(FormateaHoras(6000, horas, restantes, false), "100:00");
    EXPECT_EQ(horas, 100);
    // Whole minutes first, halves to even.
    EXPECT_EQ(FormateaHoras(90.5, horas, restantes, false), "01:30");
    EXPECT_EQ(FormateaHoras(91.5, horas, restantes, false), "01:32");
    EXPECT_EQ(FormateaHoras(QStringLiteral("125"), horas, restantes, false), "02:05");
    // A negative time carries one sign.
    EXPECT_EQ(FormateaHoras(-125, horas, restantes, false), "-02:05");
    EXPECT_EQ(horas, -2);
    EXPECT_EQ(restantes, -5);
}

TEST_F(Formatos, FormateaHorasRechazaLoQueNoEsNumero) {
    qint32 horas = 0, restantes = 0;
    try {
        FormateaHoras(QStringLiteral("abc"), horas, restantes, false);
        FAIL() << "sin error";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 13);
    }
    EXPECT_THROW(FormateaHoras(QVariant(), horas, restantes, false), ErrorSistema);
    EXPECT_THROW(FormateaHoras(1e12, horas, restantes, false), ErrorSistema);
}

TEST_F(Formatos, LimpiaFilaGrillaDesdeUnaColumna) {
    Grilla g(3, 5, 1, 0);
    for (int f = 0; f < 3; ++f)
        for (int c = 0; c < 5; ++c)
            g.setTextMatrix(f, c, QString("%1.%2").arg(f).arg(c));
    LimpiaFilaGrilla(g, 1, 2);
    EXPECT_EQ(g.TextMatrix(1, 0), "1.0");
    EXPECT_EQ(g.TextMatrix(1, 1), "1.1");
    for (int c = 2; c < 5; ++c) {
        EXPECT_EQ(g.TextMatrix(1, c), "");
        EXPECT_EQ(g.TextMatrix(0, c), QString("0.%1").arg(c));
        EXPECT_EQ(g.TextMatrix(2, c), QString("2.%1").arg(c));
    }
    LimpiaFilaGrilla(g, 2, 5);
    LimpiaFilaGrilla(g, 2, 9);
    EXPECT_EQ(g.TextMatrix(2, 4), "2.4");
    LimpiaFilaGrilla(g, 2, 0);
    EXPECT_EQ(g.TextMatrix(2, 0), "");
    // The row is not checked: the grid's own error reaches the caller.
    EXPECT_THROW(LimpiaFilaGrilla(g, 3, 0), ErrorSistema);
}

TEST_F(Formatos, BuscaEnTablaPorClaveLimpia) {
    EXPECT_EQ(BuscaEnTabla("abc"), -1);
    gTablaTotales = {
        {"", ""}, {QString("ABC") + QChar(0xFF) + QChar(0xFF), "3"}, {"  xyz ", "1"}, {"abc", "9"}};
    EXPECT_EQ(BuscaEnTabla("abc"), 1);
    EXPECT_EQ(BuscaEnTabla(" XYZ"), 2);
    EXPECT_EQ(BuscaEnTabla(""), 0);
    EXPECT_EQ(BuscaEnTabla("   "), 0);
    EXPECT_EQ(BuscaEnTabla("ab"), -1);
    ReiniciaSesion();
    EXPECT_TRUE(gTablaTotales.empty());
}

TEST_F(Formatos, LimpiaCampoQuitaMarcasYSaltos) {
    const QString sucio = QString("  A") + QChar(0) + "B" + QChar(0xFF) + "\nC  ";
    EXPECT_EQ(LimpiaCampo(sucio), "ABC");
    EXPECT_EQ(LimpiaCampo(QVariant()), "");
    EXPECT_EQ(LimpiaCampo(12.5), "12,5");
    // Only blanks are trimmed.
    EXPECT_EQ(LimpiaCampo(" \tA "), "\tA");
}

TEST_F(Formatos, OcultaControlLoOculta) {
    CajaTexto caja("picStatus");
    ASSERT_TRUE(caja.Visible());
    OcultaControl(caja);
    EXPECT_FALSE(caja.Visible());
}

class FormatosConBase : public ConBaseDemo {
protected:
    static void FijaSeparador(const QString& valor) {
        AD().EjecutaSQL("UPDATE TA_CONFIGURACION SET Valor = " + AD().FormateaValorSQL(valor, "'") +
                        " WHERE Clave = 'SEPARADORHORA'");
    }
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
};

TEST_F(FormatosConBase, FormateaHorasConElSeparadorConfigurado) {
    qint32 horas = -7, restantes = -7;
    EXPECT_EQ(FormateaHoras(150, horas, restantes, false), "02:30");
    FijaSeparador("h");
    EXPECT_EQ(FormateaHoras(150, horas, restantes, false), "02h30");
    EXPECT_EQ(FormateaHoras(150, horas, restantes, true), "02:30");
    FijaSeparador("   ");
    EXPECT_EQ(FormateaHoras(150, horas, restantes, false), "02:30");
    ASSERT_EQ(horas, 2);
    ASSERT_EQ(restantes, 30);
}

TEST_F(FormatosConBase, FormateaHorasConPuntoDaHorasDecimales) {
    FijaSeparador(".");
    qint32 horas = -7, restantes = -7;
    // "." whatever the regional decimal separator; the out values are not written.
    EXPECT_EQ(FormateaHoras(150, horas, restantes, false), "2.50");
    EXPECT_EQ(horas, -7);
    EXPECT_EQ(restantes, -7);
    EXPECT_EQ(FormateaHoras(30, horas, restantes, false), ".50");
    EXPECT_EQ(FormateaHoras(0, horas, restantes, false), ".00");
    EXPECT_EQ(FormateaHoras(601, horas, restantes, false), "10.02");
    EXPECT_EQ(FormateaHoras(-90, horas, restantes, false), "-1.50");
    // The colon flag wins over the setting.
    EXPECT_EQ(FormateaHoras(150, horas, restantes, true), "02:30");
    EXPECT_EQ(horas, 2);
}

} // namespace
