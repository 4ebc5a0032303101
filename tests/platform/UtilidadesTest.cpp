#include "Utilidades.h"
#include "Comun.h"
#include "Regional.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

const QString Chr0 = QString(QChar(0));
const QString Chr255 = QString(QChar(0xFF));
const QString Chr10 = QStringLiteral("\n");

class UtilidadesTest : public ConGuion {
protected:
    Utilidades ut;
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.')};
};

QString Blancos(int n) {
    return QString(n, QLatin1Char(' '));
}

} // namespace

TEST_F(UtilidadesTest, RellenaCodigoCortos) {
    EXPECT_EQ(ut.RellenaCodigo("1", 4), "   1");
    EXPECT_EQ(ut.RellenaCodigo("TR", 4), "  TR");
    EXPECT_EQ(ut.RellenaCodigo(" FC  ", 4), "  FC");
    EXPECT_EQ(ut.RellenaCodigo("   1", 4), "   1");
    EXPECT_EQ(ut.RellenaCodigo("", 4), "    ");
    EXPECT_EQ(ut.RellenaCodigo("ABCD", 4), "ABCD");
    EXPECT_EQ(ut.RellenaCodigo("NCCP1", 4), "NCCP1"); // never cut
    EXPECT_EQ(ut.RellenaCodigo("FC"), "  FC");        // no width: the voucher type's
    EXPECT_EQ(ut.RellenaCodigo("7", 1), "7");
    EXPECT_EQ(ut.RellenaCodigo(" X ", 0), "X");
}

TEST_F(UtilidadesTest, RellenaCodigoLargos) {
    EXPECT_EQ(ut.RellenaCodigo("123", 15), Blancos(12) + "123");
    EXPECT_EQ(ut.RellenaCodigo("A-01-02", 15), "A-01-02" + Blancos(8));
    EXPECT_EQ(ut.RellenaCodigo("00123", 25), Blancos(20) + "00123");
    EXPECT_EQ(ut.RellenaCodigo(" 123 ", 25), Blancos(22) + "123");
    EXPECT_EQ(ut.RellenaCodigo("ART1", 25), "ART1" + Blancos(21));
    EXPECT_EQ(ut.RellenaCodigo("12 34", 25), "12 34" + Blancos(20)); // a blank is not a digit
    EXPECT_EQ(ut.RellenaCodigo("-5", 25), "-5" + Blancos(23));
    // Already padded either way: the stored form comes back.
    EXPECT_EQ(ut.RellenaCodigo("ART1" + Blancos(21), 25), "ART1" + Blancos(21));
    EXPECT_EQ(ut.RellenaCodigo(Blancos(22) + "123", 25), Blancos(22) + "123");
    const QString justo = QString(25, QLatin1Char('Z'));
    const QString largo = QString(30, QLatin1Char('9'));
    EXPECT_EQ(ut.RellenaCodigo(justo, 25), justo);
    EXPECT_EQ(ut.RellenaCodigo(largo, 25), largo);
    EXPECT_EQ(ut.RellenaCodigo("", 25), Blancos(25));
}

TEST_F(UtilidadesTest, TextoAMonedaYADoble) {
    EXPECT_EQ(ut.TextoAMoneda("1.234,56"), Moneda::DeCrudo(12345600));
    EXPECT_EQ(ut.TextoAMoneda(" -12,5 "), Moneda::DeCrudo(-125000));
    EXPECT_EQ(ut.TextoAMoneda(""), Moneda());
    EXPECT_EQ(ut.TextoAMoneda("abc"), Moneda());
    EXPECT_EQ(ut.TextoAMoneda("12.5"), Moneda()); // not a regional number
    EXPECT_EQ(ut.TextoAMoneda(QVariant()), Moneda());
    EXPECT_EQ(ut.TextoAMoneda(QVariant(QMetaType::fromType<double>())), Moneda());
    EXPECT_EQ(ut.TextoAMoneda(QVariant(12.34565)), Moneda::DeCrudo(123456));
    EXPECT_EQ(ut.TextoAMoneda(QVariant(qlonglong(5))), Moneda::DeCrudo(50000));
    EXPECT_EQ(ut.TextoAMoneda(QVariant(true)), Moneda::DeCrudo(-10000));
    EXPECT_EQ(ut.TextoAMoneda("0,00005"), Moneda());
    EXPECT_THROW(ut.TextoAMoneda("1E16"), ErrorSistema);
    EXPECT_THROW(ut.TextoAMoneda(QVariant(1e300)), ErrorSistema);

    EXPECT_DOUBLE_EQ(ut.TextoADoble("1.234,56"), 1234.56);
    EXPECT_DOUBLE_EQ(ut.TextoADoble("0,00005"), 0.00005);
    EXPECT_EQ(ut.TextoADoble(""), 0.0);
    EXPECT_EQ(ut.TextoADoble("x"), 0.0);
    EXPECT_EQ(ut.TextoADoble(QVariant(7)), 7.0);
    EXPECT_EQ(ut.TextoADoble(QVariant(QMetaType::fromType<QString>())), 0.0);
}

TEST_F(UtilidadesTest, ValorCampoYSuTexto) {
    const QVariant nulo(QMetaType::fromType<double>());
    ASSERT_TRUE(nulo.isNull());
    const QVariant v = ut.ValorCampo(nulo);
    EXPECT_FALSE(v.isNull());
    EXPECT_EQ(v.toString(), "");
    EXPECT_EQ(ut.TextoAMoneda(v), Moneda());
    EXPECT_EQ(ut.ValorCampo(QVariant()).toString(), "");
    EXPECT_EQ(ut.ValorCampo(QVariant(2.5)), QVariant(2.5)); // numbers keep their value
    EXPECT_EQ(ut.ValorCampo(QVariant(QStringLiteral(" A "))), QVariant(QStringLiteral(" A ")));

    EXPECT_EQ(ut.ValorATexto(QVariant(1234.5)), "1234,5");
    EXPECT_EQ(ut.ValorATexto(QVariant(12.3f)), "12,3");
    EXPECT_EQ(ut.ValorATexto(QVariant(42)), "42");
    EXPECT_EQ(ut.ValorATexto(nulo), "");
    EXPECT_EQ(ut.ValorATexto(QVariant(QDate(2024, 3, 9))), "09/03/2024");
    EXPECT_EQ(ut.ValorATexto(QVariant(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)))), "09/03/2024 14:05:07");
    EXPECT_EQ(ut.ValorATexto(QVariant(QStringLiteral("L-1"))), "L-1");
    // A number written by ValorATexto reads back through TextoAMoneda.
    EXPECT_EQ(ut.TextoAMoneda(ut.ValorATexto(QVariant(1234.5))), Moneda::DeCrudo(12345000));
}

TEST_F(UtilidadesTest, QuitaCaracter) {
    EXPECT_EQ(ut.QuitaCaracter("a|b||c", "|"), "abc");
    EXPECT_EQ(ut.QuitaCaracter("@Caja= =1", "="), "@Caja 1");
    EXPECT_EQ(ut.QuitaCaracter("D'Angelo", "'"), "DAngelo");
    EXPECT_EQ(ut.QuitaCaracter("L001" + Chr255, Chr255), "L001");
    EXPECT_EQ(ut.QuitaCaracter("1,5", ",", "."), "1.5");
    // The fill and end markers are removed together, never swapped for each other.
    EXPECT_EQ(ut.QuitaCaracter("V_MA_ARTICULOS" + Chr0 + Chr0 + Chr255, Chr0, Chr255), "V_MA_ARTICULOS");
    EXPECT_EQ(ut.QuitaCaracter(Chr255 + "CLAVE" + Chr0, Chr255, Chr0), "CLAVE");
    EXPECT_EQ(ut.QuitaCaracter("A" + Chr0 + "B" + Chr255 + "C" + Chr10 + "D", Chr0, Chr255, Chr10), "ABCD");
    EXPECT_EQ(ut.QuitaCaracter("sin cambios", Chr255, Chr0), "sin cambios");
    EXPECT_EQ(ut.QuitaCaracter("abc", ""), "abc");
}

TEST_F(UtilidadesTest, TextosVarios) {
    EXPECT_EQ(ut.ReemplazaTexto("2,50", ",", "."), "2.50");
    EXPECT_EQ(ut.ReemplazaTexto("|A|B|", "|", ",T."), ",T.A,T.B,T.");
    EXPECT_EQ(ut.ReemplazaTexto("aAa", "a", "x"), "xAx");
    EXPECT_EQ(ut.ReemplazaTexto("abc", "", "x"), "abc");

    EXPECT_EQ(ut.CuentaPalabras(""), 0);
    EXPECT_EQ(ut.CuentaPalabras("   "), 0);
    EXPECT_EQ(ut.CuentaPalabras("LEN"), 1);
    EXPECT_EQ(ut.CuentaPalabras(" select top 10 *  from T "), 6);
    EXPECT_EQ(ut.CuentaPalabras("a\tb\r\nc"), 3);

    const QString largo(300, QLatin1Char('x'));
    EXPECT_EQ(ut.CortaTexto(largo, 250), largo.left(250));
    EXPECT_EQ(ut.CortaTexto("corto", 250), "corto");
    EXPECT_EQ(ut.CortaTexto("abc", 0), "");
    EXPECT_EQ(ut.CortaTexto("abc", -1), "");

    EXPECT_EQ(ut.NormalizaRuta("/opt/cn"), "/opt/cn/");
    EXPECT_EQ(ut.NormalizaRuta("/opt/cn/"), "/opt/cn/");
    EXPECT_EQ(ut.NormalizaRuta("/opt/cn//"), "/opt/cn/");
    EXPECT_EQ(ut.NormalizaRuta("/opt/cn\\"), "/opt/cn/");
    EXPECT_EQ(ut.NormalizaRuta("/"), "/");
    EXPECT_EQ(ut.NormalizaRuta(""), "");

    EXPECT_TRUE(ut.EstaEnLista("  FC", {"FC", "TK"}));
    EXPECT_TRUE(ut.EstaEnLista("nccp", {"NCC", "NCCP"}));
    EXPECT_FALSE(ut.EstaEnLista("FCC", {"FC", "TK", "FKFC"}));
    EXPECT_FALSE(ut.EstaEnLista("", {"FC"}));

    EXPECT_EQ(ut.LimpiaCampoImportado("'OC'"), "OC");
    EXPECT_EQ(ut.LimpiaCampoImportado(" \"ART 1\"\r"), "ART 1");
    EXPECT_EQ(ut.LimpiaCampoImportado("D'Angelo"), "D'Angelo");
    EXPECT_EQ(ut.LimpiaCampoImportado("12,5\t" + Chr0), "12,5");
    EXPECT_EQ(ut.LimpiaCampoImportado("'"), "'");
    EXPECT_EQ(ut.LimpiaCampoImportado("NULL"), "NULL");
}

TEST_F(UtilidadesTest, LimpiaListaParaLaBusquedaDeArticulos) {
    EXPECT_EQ(ut.LimpiaLista("|DESCRIPCION|IDARTICULO|"), "|DESCRIPCION|IDARTICULO|");
    EXPECT_EQ(ut.LimpiaLista(" DESCRIPCION | |IDARTICULO" + Chr0 + Chr0), "|DESCRIPCION|IDARTICULO|");
    EXPECT_EQ(ut.LimpiaLista("  " + Chr0), "");
    // The article search then drops the trailing "|", prefixes the table and drops the
    // leading ",": every column comes out qualified.
    for (const QString& campos :
         {QStringLiteral("|DESCRIPCION|IDARTICULO|"), QStringLiteral("DESCRIPCION|IDARTICULO")}) {
        QString l = ut.LimpiaLista(campos);
        l.chop(1);
        l = ut.ReemplazaTexto(l, "|", ",STK_MA_ARTICULOS.").trimmed().mid(1);
        EXPECT_EQ(l, "STK_MA_ARTICULOS.DESCRIPCION,STK_MA_ARTICULOS.IDARTICULO");
    }
}

TEST_F(UtilidadesTest, CodificaYDecodifica) {
    for (const QString& t :
         {QStringLiteral("sa"), QStringLiteral("Contraseña 1|2"), QString(), QStringLiteral(" ")}) {
        EXPECT_EQ(ut.DecodificaTexto(ut.CodificaTexto(t)), t);
    }
    EXPECT_NE(ut.CodificaTexto("sa"), "sa");
    // A value written by hand stays as written.
    EXPECT_EQ(ut.DecodificaTexto("sa"), "sa");
    EXPECT_EQ(ut.DecodificaTexto("mi clave"), "mi clave");
}

TEST_F(UtilidadesTest, AjustaTextoNoCortaLosImportes) {
    const QString t = ut.AjustaTexto("1234,50", 15);
    EXPECT_EQ(t, Blancos(8) + "1234,50");
    EXPECT_EQ(ut.TextoAMoneda(t), Moneda::DeCrudo(12345000));
    EXPECT_EQ(ut.AjustaTexto("12345678901234567", 15), "12345678901234567");
}

TEST_F(UtilidadesTest, ErrorDeFormulario) {
    guion.AgregaRespuesta(Respuesta::Reintentar);
    EXPECT_EQ(
        ut.RegistraErrorFormulario(ErrorSistema(13, " No coinciden los tipos ", "Modelos"), "Inicializa"),
        Respuesta::Reintentar);
    ASSERT_EQ(guion.Registros().size(), 1u);
    const auto& r = guion.Registros()[0];
    EXPECT_EQ(r.texto, "Ha ocurrido el Siguiente Error (13) No coinciden los tipos");
    EXPECT_EQ(r.estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    EXPECT_EQ(r.titulo, "Aviso al Operador - Inicializa");

    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_EQ(ut.RegistraErrorFormulario(ErrorSistema(5, "x"), "UtilVox1_click"), Respuesta::Ignorar);
    // Error 0 is no error: nothing shown.
    EXPECT_EQ(ut.RegistraErrorFormulario(ErrorSistema(0, ""), "R"), 0);
    EXPECT_EQ(guion.Registros().size(), 2u);
}

TEST_F(UtilidadesTest, CursorEsperaSinInterfaz) {
    EXPECT_FALSE(ut.CursorEnEspera());
    ut.CursorEspera(true);
    ut.CursorEspera(true);
    EXPECT_TRUE(ut.CursorEnEspera());
    ut.CursorEspera(false);
    EXPECT_FALSE(ut.CursorEnEspera());
}
