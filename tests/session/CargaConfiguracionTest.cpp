#include "CargaConfiguracion.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Regional.h"
#include "ValoresConfiguracion.h"

#include <QVariant>
#include <gtest/gtest.h>

namespace {

constexpr qint32 kCian = 0xFFFF00;
constexpr qint32 kBlanco = 16777215;

class CargaConfiguracionPrueba : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        regional_.emplace(QLatin1Char(','), QLatin1Char('.'), 2);
    }
    void TearDown() override {
        regional_.reset();
        ConBaseDemo::TearDown();
    }

    // Writes the setting as stored text (a null QVariant stores NULL); replaces any row.
    static void Fija(const QString& clave, const QVariant& valor) {
        Quita(clave);
        AD().EjecutaSQL(
            "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES "
            "('GENERAL', " +
            AD().FormateaValorSQL(clave.toUpper(), "'") + ", " + AD().FormateaValorSQL(valor, "'") +
            ", 0, '')");
    }
    static void Quita(const QString& clave) {
        AD().EjecutaSQL("DELETE FROM TA_CONFIGURACION WHERE Clave = " + AD().FormateaValorSQL(clave, "'"));
    }
    void Configura(const QString& programa = "modelos") { CargaConfiguracion(Carpeta() + "/", programa); }

    // Every value set to what no rule can give from an empty table, so that each must be written.
    static void Ensucia() {
        for (bool* b : {&gMostrarStockenConsultas,
                        &gExigeClaveConsultaLikeArticulos,
                        &gUsaConsultaLike,
                        &gConfidencialidad,
                        &gUsaMultilesMonedas,
                        &gUsaFacturaProforma,
                        &gUsaCCosto,
                        &gUsaStockUdKg,
                        &gRazonSocialPorUneg,
                        &gValidaCodigoBarra,
                        &gVModificaCPrecio,
                        &gCModificaCPrecio,
                        &gMaderera,
                        &gPideClaveStockNeg,
                        &gPideClaveMarkUpBase,
                        &gPideClaveLimiteCredito,
                        &gBloqueoActivo,
                        &gUtilizarFechaDia,
                        &gAsignacionAutomaticaDeLoteING,
                        &gAsignacionAutomaticaDeLoteINGOP})
            *b = true;
        gModuloOrdenDeTrabajo = false;
        for (QString* t : {&gTituloClientes, &gTituloProveedores, &gCantidadDecimales, &gUnidadMedidaM3,
                           &gUnidadMedidaBL, &gUnidadMedidaKG, &gMadTiras, &gMadP2, &gMadML, &gMadM2,
                           &gMadHojas, &gMadMLP2, &gMadM2P2, &gMadMLM2, &gCuentaCtroDist, &gTopDefault})
            *t = "sucio";
        gPeriodo = 77;
        gCondIvaEmpresa = 77;
        gMaxDto = gMaxDtoProforma = Moneda::DeEntero(77);
        gColorLetra = 77;
    }

private:
    std::optional<Regional::Fijo> regional_;
};

TEST_F(CargaConfiguracionPrueba, TablaVaciaDaLosValoresPorDefecto) {
    AD().EjecutaSQL("DELETE FROM TA_CONFIGURACION");
    Ensucia();
    Configura();
    for (bool b : {gMostrarStockenConsultas,
                   gExigeClaveConsultaLikeArticulos,
                   gUsaConsultaLike,
                   gConfidencialidad,
                   gUsaMultilesMonedas,
                   gUsaFacturaProforma,
                   gUsaCCosto,
                   gUsaStockUdKg,
                   gRazonSocialPorUneg,
                   gValidaCodigoBarra,
                   gVModificaCPrecio,
                   gCModificaCPrecio,
                   gMaderera,
                   gPideClaveStockNeg,
                   gPideClaveMarkUpBase,
                   gPideClaveLimiteCredito,
                   gBloqueoActivo,
                   gUtilizarFechaDia,
                   gAsignacionAutomaticaDeLoteING,
                   gAsignacionAutomaticaDeLoteINGOP})
        EXPECT_FALSE(b);
    EXPECT_TRUE(gModuloOrdenDeTrabajo);
    for (const QString& t :
         {gTituloClientes, gTituloProveedores, gUnidadMedidaM3, gUnidadMedidaBL, gUnidadMedidaKG, gMadTiras,
          gMadP2, gMadML, gMadM2, gMadHojas, gMadMLP2, gMadM2P2, gMadMLM2, gCuentaCtroDist})
        EXPECT_EQ(t, "");
    EXPECT_EQ(gCantidadDecimales, " ");
    EXPECT_EQ(gTopDefault, "1000");
    EXPECT_EQ(gCondIvaEmpresa, 1);
    EXPECT_EQ(gPeriodo, 0);
    EXPECT_EQ(gMaxDto, Moneda());
    EXPECT_EQ(gMaxDtoProforma, Moneda());
    EXPECT_EQ(gColorFondo, kCian);
    EXPECT_EQ(gColorLetra, 0);
    EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
    EXPECT_EQ(gArchivoTareas, Carpeta() + "/CVDOCTareas.cvn");
    EXPECT_EQ(gUnidadNegocio, "   1");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(CargaConfiguracionPrueba, ConfiguracionDeLaDemo) {
    Configura();
    EXPECT_TRUE(gMostrarStockenConsultas);
    EXPECT_TRUE(gUsaConsultaLike);
    EXPECT_FALSE(gExigeClaveConsultaLikeArticulos);
    EXPECT_EQ(gTituloClientes, "Clientes");
    EXPECT_EQ(gCantidadDecimales, "2");
    EXPECT_EQ(gUnidadMedidaKG, "KG");
    EXPECT_EQ(gUnidadMedidaM3, "M3");
    EXPECT_EQ(gPeriodo, 2025);
    EXPECT_EQ(gColorFondo, 12648447);
    EXPECT_FALSE(gModuloOrdenDeTrabajo);
    EXPECT_FALSE(gMaderera);
    EXPECT_EQ(gCondIvaEmpresa, 1);
    EXPECT_EQ(gUnidadNegocio, "   1");
}

TEST_F(CargaConfiguracionPrueba, PruebaSiSinRecortarYConRecorte) {
    Fija("UsaConsultaLike", " SI");
    Fija("EXIGECLAVECONSULTALIKEARTICULOS", "si");
    Fija("SS_CONFIDENCIALIDAD", "SI ");
    Fija("MostrarStockenConsultas", "Si");
    Fija("USACCOSTO", "NO");
    Fija("VALIDACODIGOBARRA", " si ");
    Fija("RazonSocialPorUneg", " Si ");
    Fija("UTILIZARFECHADIA", QVariant());
    Configura();
    EXPECT_FALSE(gUsaConsultaLike);
    EXPECT_TRUE(gExigeClaveConsultaLikeArticulos);
    EXPECT_FALSE(gConfidencialidad);
    EXPECT_TRUE(gMostrarStockenConsultas);
    EXPECT_FALSE(gUsaCCosto);
    EXPECT_TRUE(gValidaCodigoBarra);
    EXPECT_TRUE(gRazonSocialPorUneg);
    EXPECT_FALSE(gUtilizarFechaDia);
    Fija("VALIDACODIGOBARRA", "S");
    Fija("RazonSocialPorUneg", "  ");
    Configura();
    EXPECT_FALSE(gValidaCodigoBarra);
    EXPECT_FALSE(gRazonSocialPorUneg);
}

TEST_F(CargaConfiguracionPrueba, ReglaDelNoYOrdenDeTrabajo) {
    Fija("MADERERA", "no");
    Fija("V_ModificaCPrecio", "N");
    Fija("C_ModificaCPrecio", "");
    Fija("PideClave_StockNeg", "   ");
    Fija("PideClave_MarkUpBase", QVariant());
    Fija("PideClave_LimiteCredito", " x ");
    Fija("ModuloOrdenDeTrabajo", " no ");
    Ensucia();
    Configura();
    EXPECT_FALSE(gMaderera);
    EXPECT_TRUE(gVModificaCPrecio);
    EXPECT_FALSE(gCModificaCPrecio);
    EXPECT_FALSE(gPideClaveStockNeg);
    EXPECT_FALSE(gPideClaveMarkUpBase);
    EXPECT_TRUE(gPideClaveLimiteCredito);
    EXPECT_FALSE(gModuloOrdenDeTrabajo);
    Fija("MADERERA", "N");
    Fija("ModuloOrdenDeTrabajo", "N");
    Configura();
    EXPECT_TRUE(gMaderera);
    EXPECT_TRUE(gModuloOrdenDeTrabajo);
}

TEST_F(CargaConfiguracionPrueba, TextosRecortadosOTalCual) {
    Fija("TituloClientes", "  Socios  ");
    Fija("UNIDADDEMEDIDA_KG", " KG ");
    Fija("MAD_ML_M2", " X ");
    Fija("CantidadDecimales", " 3 ");
    Fija("Top_Default", " 50 ");
    Configura();
    EXPECT_EQ(gTituloClientes, "Socios");
    EXPECT_EQ(gUnidadMedidaKG, "KG");
    EXPECT_EQ(gMadMLM2, "X");
    EXPECT_EQ(gCantidadDecimales, " 3 ");
    EXPECT_EQ(gTopDefault, " 50 ");
    Fija("Top_Default", "   ");
    Configura();
    EXPECT_EQ(gTopDefault, "1000");
}

TEST_F(CargaConfiguracionPrueba, ColoresConSuValorPorDefecto) {
    Fija("CFondo", "0");
    Fija("CLetra", "0");
    Configura();
    EXPECT_EQ(gColorFondo, kCian);
    EXPECT_EQ(gColorLetra, 0);
    Fija("CFondo", "255");
    Fija("CLetra", "12,5"); // regional decimal comma; halves to even
    Configura();
    EXPECT_EQ(gColorFondo, 255);
    EXPECT_EQ(gColorLetra, 12);
    Fija("CFondo", "rojo");
    Fija("CLetra", "13,5");
    Configura();
    EXPECT_EQ(gColorFondo, kCian);
    EXPECT_EQ(gColorLetra, 14);
}

TEST_F(CargaConfiguracionPrueba, UnValorFueraDeRangoSeSaltaSinAviso) {
    Fija("CFondo", "99999999999");
    Fija("PERIODO", "40000");
    gPeriodo = 7;
    ASSERT_EQ(gColorFondo, kBlanco);
    Configura();
    // Both keep what they had; the keys after them are still read.
    EXPECT_EQ(gColorFondo, kBlanco);
    EXPECT_EQ(gPeriodo, 7);
    EXPECT_EQ(gTopDefault, "1000");
    EXPECT_EQ(gCondIvaEmpresa, 1);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(CargaConfiguracionPrueba, EnterosRedondeadosAlPar) {
    Fija("PERIODO", "2024.5");
    Fija("CONDIVAEMPRESA", "2.5");
    Configura();
    EXPECT_EQ(gPeriodo, 2024);
    EXPECT_EQ(gCondIvaEmpresa, 2);
    // The leading number, with "." whatever the regional settings.
    Fija("PERIODO", "2025.5 meses");
    Fija("CONDIVAEMPRESA", "3.5");
    Configura();
    EXPECT_EQ(gPeriodo, 2026);
    EXPECT_EQ(gCondIvaEmpresa, 4);
    Fija("PERIODO", "2025,9");
    Configura();
    EXPECT_EQ(gPeriodo, 2025);
}

TEST_F(CargaConfiguracionPrueba, CondicionDeIvaConSusRespaldos) {
    Fija("CONDIVAEMPRESA", "0");
    Fija("CONDIVA", "3");
    Configura();
    EXPECT_EQ(gCondIvaEmpresa, 3);
    Fija("CONDIVA", "0");
    Configura();
    EXPECT_EQ(gCondIvaEmpresa, 1);
    Quita("CONDIVAEMPRESA");
    Fija("CONDIVA", "0.4");
    Configura();
    EXPECT_EQ(gCondIvaEmpresa, 1);
}

TEST_F(CargaConfiguracionPrueba, DescuentosComoMoneda) {
    Fija("MaxDto", " 12,345 ");
    Fija("MaxDtoProforma", "1,23455");
    Configura();
    EXPECT_EQ(gMaxDto, Moneda::DeCrudo(123450));
    EXPECT_EQ(gMaxDtoProforma, Moneda::DeCrudo(12346));
    Fija("MaxDto", "abc");
    Configura();
    EXPECT_EQ(gMaxDto, Moneda());
}

TEST_F(CargaConfiguracionPrueba, FilaDelUsuario) {
    AD().EjecutaSQL("UPDATE TA_USUARIOS SET UNegocio = '   2', verproforma = 1 WHERE Nombre = 'DEMO'");
    Fija("UsaFacturaProforma", "SI");
    Configura();
    EXPECT_EQ(gUnidadNegocio, "   2");
    EXPECT_TRUE(gUsaFacturaProforma);
    // The user's column only takes away what the setting gave.
    AD().EjecutaSQL("UPDATE TA_USUARIOS SET verproforma = 0 WHERE Nombre = 'DEMO'");
    Configura();
    EXPECT_FALSE(gUsaFacturaProforma);
    AD().EjecutaSQL("UPDATE TA_USUARIOS SET verproforma = 1 WHERE Nombre = 'DEMO'");
    Fija("UsaFacturaProforma", "NO");
    Configura();
    EXPECT_FALSE(gUsaFacturaProforma);
}

TEST_F(CargaConfiguracionPrueba, UnidadDeNegocioVaciaONula) {
    AD().EjecutaSQL("UPDATE TA_USUARIOS SET UNegocio = NULL WHERE Nombre = 'DEMO'");
    gUnidadNegocio.clear();
    Configura();
    EXPECT_EQ(gUnidadNegocio, "   1");
    AD().EjecutaSQL("UPDATE TA_USUARIOS SET UNegocio = '' WHERE Nombre = 'DEMO'");
    gUnidadNegocio = "  77";
    Configura();
    EXPECT_EQ(gUnidadNegocio, "   1");
}

TEST_F(CargaConfiguracionPrueba, UsuarioSinFilaConservaLaProforma) {
    gUsuarioLogeado = "NADIE";
    gUnidadNegocio.clear();
    Fija("UsaFacturaProforma", "SI");
    Configura();
    EXPECT_EQ(gUnidadNegocio, "   1");
    EXPECT_TRUE(gUsaFacturaProforma);
}

TEST_F(CargaConfiguracionPrueba, ProformaNulaDelUsuarioSeSalta) {
    AD().EjecutaSQL("UPDATE TA_USUARIOS SET verproforma = NULL, UNegocio = '   2' WHERE Nombre = 'DEMO'");
    Fija("UsaFacturaProforma", "SI");
    Configura();
    EXPECT_TRUE(gUsaFacturaProforma);
    EXPECT_EQ(gUnidadNegocio, "   2");
    EXPECT_EQ(gTopDefault, "1000");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(CargaConfiguracionPrueba, NombreDeUsuarioConApostrofo) {
    AD().EjecutaSQL("INSERT INTO TA_USUARIOS (Nombre, UNegocio, verproforma) VALUES ('O''Neill', '   2', 0)");
    gUsuarioLogeado = "O'Neill";
    Configura();
    EXPECT_EQ(gUnidadNegocio, "   2");
}

TEST_F(CargaConfiguracionPrueba, SinTablaDeUsuariosSigueConLaConfiguracion) {
    AD().EjecutaSQL("DROP TABLE TA_USUARIOS");
    gUnidadNegocio.clear();
    Configura();
    EXPECT_EQ(gUnidadNegocio, "   1");
    EXPECT_EQ(gUnidadMedidaKG, "KG");
    EXPECT_EQ(gTopDefault, "1000");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(CargaConfiguracionPrueba, DecimalesDeVentasSoloEnProgramasDeVentas) {
    EXPECT_TRUE(EsProgramaDeVentas("Ventas"));
    EXPECT_TRUE(EsProgramaDeVentas("PUNTODEVENTA.EXE"));
    EXPECT_FALSE(EsProgramaDeVentas("modelos"));
    EXPECT_FALSE(EsProgramaDeVentas(""));
    EXPECT_EQ(ProgramasDeVentas().size(), 9);

    Fija("CantidadDecimalesVentas", "3");
    Configura("modelos");
    EXPECT_EQ(gCantidadDecimales, "2");
    Configura("ventas");
    EXPECT_EQ(gCantidadDecimales, "3");
    Fija("CantidadDecimalesVentas", "0");
    Configura("ventas");
    EXPECT_EQ(gCantidadDecimales, "2");
}

TEST_F(CargaConfiguracionPrueba, ValoresDeEtiquetasDeBalanza) {
    EXPECT_EQ(gTipoEAN, "");
    Fija("DECIMALESEAN", " 3 ");
    LeeValoresEAN();
    EXPECT_EQ(gTipoEAN, "0CCCCCPPPPP");
    EXPECT_EQ(gDecimalesEAN, "3");
}

TEST_F(CargaConfiguracionPrueba, ReiniciarLaSesionDevuelveLosValoresIniciales) {
    Configura();
    ASSERT_TRUE(gMostrarStockenConsultas);
    ReiniciaSesion();
    EXPECT_FALSE(gMostrarStockenConsultas);
    EXPECT_EQ(gPeriodo, 0);
    EXPECT_EQ(gTituloClientes, "");
    EXPECT_EQ(gUnidadNegocio, "   1");
    EXPECT_EQ(gArchivoTareas, "");
}

class CargaConfiguracionSinBase : public ConGuion {
protected:
    void TearDown() override {
        ReiniciaSesion();
        ConGuion::TearDown();
    }
};

TEST_F(CargaConfiguracionSinBase, SinConexionQuedanLosValoresPorDefectoSinAviso) {
    gUnidadNegocio.clear();
    CargaConfiguracion("/programa/", "modelos");
    EXPECT_EQ(gUnidadNegocio, "   1");
    EXPECT_TRUE(gModuloOrdenDeTrabajo);
    EXPECT_EQ(gColorFondo, kCian);
    EXPECT_EQ(gTopDefault, "1000");
    EXPECT_EQ(gArchivoTareas, "/programa/CVDOCTareas.cvn");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

} // namespace
