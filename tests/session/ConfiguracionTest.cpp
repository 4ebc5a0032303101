#include "Configuracion.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Interaccion.h"
#include "Registros.h"

#include <QFile>

namespace {

class Configuracion : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Maquina().setCarpetaAlternativa(Carpeta()); // the error log of the reports
    }

    // The stored row of a key, read without the configuration store: Grupo, Clave, Valor,
    // PoliticaNegocio, ValorAux; empty when there is none.
    static QVariantList Fila(AccesoDatos& ad, const QString& clave) {
        Registros rs;
        ad.ObtieneRecordset("SELECT Grupo, Clave, Valor, PoliticaNegocio, ValorAux FROM TA_CONFIGURACION "
                            "WHERE Clave = " +
                                ad.FormateaValorSQL(clave, "'"),
                            rs);
        QVariantList r;
        if (!rs.Eof())
            for (int i = 0; i < 5; ++i)
                r << rs.Fields(i);
        return r;
    }
    static int Cuenta(AccesoDatos& ad) {
        Registros rs;
        ad.ObtieneRecordset("SELECT COUNT(*) FROM TA_CONFIGURACION", rs);
        return rs.Fields(0).toInt();
    }
};

TEST_F(Configuracion, LeeValorYAuxiliarPorClave) {
    AD().EjecutaSQL("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) "
                    "VALUES ('G', 'MIVALOR', ' abc ', 0, 'aux')");
    QString aux = "previo";
    EXPECT_EQ(Cfg("MiValor", aux), " abc "); // the value as stored, blanks included
    EXPECT_EQ(aux, "aux");
    EXPECT_EQ(Cfg("  mivalor  "), " abc "); // the key is trimmed, case does not count
    EXPECT_EQ(Cfg("PERIODO"), "2025");
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Configuracion, ClaveFaltanteLeeUnBlanco) {
    QString aux = "previo";
    EXPECT_EQ(Cfg("NO_EXISTE", aux), " ");
    EXPECT_EQ(aux, "");
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Configuracion, ThemeFaltanteOVacioLeeUno) {
    EXPECT_EQ(Cfg("THEME"), "1");
    AD().EjecutaSQL("UPDATE TA_CONFIGURACION SET Valor = '2' WHERE Clave = 'THEME'");
    EXPECT_EQ(Cfg("theme"), "2");
    for (const QString valor : {"''", "'   '", "NULL"}) {
        AD().EjecutaSQL("UPDATE TA_CONFIGURACION SET Valor = " + valor + " WHERE Clave = 'THEME'");
        EXPECT_EQ(Cfg("Theme"), "1") << valor.toStdString();
    }
    AD().EjecutaSQL("DELETE FROM TA_CONFIGURACION WHERE Clave = 'THEME'");
    EXPECT_EQ(Cfg("THEME"), "1");
    // The rule looks at the key as given: with blanks around it the missing row reads " ".
    EXPECT_EQ(Cfg(" THEME"), " ");
    // Another key with an empty value keeps it.
    AD().EjecutaSQL("UPDATE TA_CONFIGURACION SET Valor = '' WHERE Clave = 'PERIODO'");
    EXPECT_EQ(Cfg("PERIODO"), "");
}

TEST_F(Configuracion, SinConexionNoTocaLaBase) {
    AD().LeeConexion().Close();
    QString aux = "previo";
    EXPECT_EQ(Cfg("PERIODO", aux), "");
    EXPECT_EQ(aux, "previo");
    EXPECT_EQ(Cfg("THEME"), "");
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Configuracion, NombreDeLaTabla) {
    gTablaConfiguracion = "   ";
    EXPECT_EQ(Cfg("PERIODO"), "2025");
    EXPECT_EQ(gTablaConfiguracion, "TA_CONFIGURACION");
    gTablaConfiguracion = "ta_configuracion";
    EXPECT_EQ(Cfg("PERIODO"), "2025");
    EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
}

TEST_F(Configuracion, ClavesDeFechaEnMayusculas) {
    AD().EjecutaSQL("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor) VALUES ('G', '[FECHA HASTA]', 'hasta "
                    "fin de año')");
    EXPECT_EQ(Cfg("[Fecha Hasta]"), "hasta fin de año");
    EXPECT_EQ(Cfg("[fecha desde]"), " ");
}

TEST_F(Configuracion, UnaFallaSeReportaYLaRespuestaDecide) {
    gTablaConfiguracion = "NO_EXISTE";
    // Abort (the box's first button) gives "".
    EXPECT_EQ(Cfg("PERIODO"), "");
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].estilo, 18);
    EXPECT_TRUE(guion.Registros()[0].titulo.endsWith(" - Cfg Aviso al operador!!! - 2 "))
        << guion.Registros()[0].titulo.toStdString();
    EXPECT_TRUE(guion.Registros()[0].texto.startsWith("Ha ocurrido el Siguiente Error (208) "));

    // Retry reads the setting again (the failure still there, then its cause removed), never
    // going on as if it were empty.
    {
        struct Repara : InteraccionGuionada {
            int vistos = 0;
            int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
                InteraccionGuionada::MsgBox(texto, estilo, titulo);
                if (++vistos == 2)
                    AD().EjecutaSQL(
                        "CREATE TABLE NO_EXISTE (Grupo TEXT, Clave TEXT, Valor TEXT, PoliticaNegocio "
                        "INTEGER, ValorAux TEXT)\rINSERT INTO NO_EXISTE VALUES ('G', 'PERIODO', "
                        "'2031', 0, 'aux')");
                return Respuesta::Reintentar;
            }
        } operador;
        EstableceInteraccion(&operador);
        QString aux = "previo";
        EXPECT_EQ(Cfg("PERIODO", aux), "2031");
        EXPECT_EQ(aux, "aux");
        EXPECT_EQ(operador.vistos, 2);
        EstableceInteraccion(&guion);
        AD().EjecutaSQL("DROP TABLE NO_EXISTE");
    }

    // Ignore goes on with the next statements: the read of the unopened set fails as well.
    guion.Limpia();
    guion.AgregaRespuesta(5);
    guion.AgregaRespuesta(5);
    EXPECT_EQ(Cfg("PERIODO"), "");
    EXPECT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(guion.RespuestasPendientes(), 0);

    // Every report left its line in the error log.
    QFile log(Carpeta() + "/CVERR.LOG");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll().count("Rutina: - Cfg Mensaje Ha ocurrido el Siguiente Error"), 5);
}

TEST_F(Configuracion, EstadisticasEnSuPropiaBase) {
    QString aux = "x";
    EXPECT_EQ(CfgCV("TimeOut", aux), "60");
    EXPECT_EQ(aux, "");
    EXPECT_EQ(Cfg("TimeOut"), " "); // not a setting of the main database

    GrabaCfgCV("NuevaCV", "7", "", false, "BaseDeDatos", true);
    EXPECT_EQ(CfgCV("NUEVACV"), "7");
    EXPECT_EQ(Cfg("NUEVACV"), " ");
    GrabaDfg("SoloPrincipal", "8", "", false, "G", true);
    EXPECT_EQ(CfgCV("SoloPrincipal"), " ");
    EXPECT_TRUE(guion.Registros().empty());

    // The statistics read does not test the connection: the failure is reported.
    gBaseEstadisticas().LeeConexion().Close();
    EXPECT_EQ(CfgCV("TimeOut"), "");
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.endsWith(" - CfgCV Aviso al operador!!! - 2 "));
    EXPECT_TRUE(guion.Registros()[0].texto.startsWith("Ha ocurrido el Siguiente Error (3709) "));
    // Its write fails silently.
    GrabaCfgCV("TimeOut", "30", "", false, "BaseDeDatos", true);
    EXPECT_EQ(guion.Registros().size(), 1u);
}

TEST_F(Configuracion, GrabaUnaClaveNueva) {
    const int antes = Cuenta(AD());
    GrabaDfg("  Mi_Clave ", "  valor  ", "  aux  ", true, "GRUPO", true);
    EXPECT_EQ(Cuenta(AD()), antes + 1);
    EXPECT_EQ(Fila(AD(), "MI_CLAVE"), (QVariantList{"GRUPO", "MI_CLAVE", "valor", 1, "aux"}));

    GrabaDfg("SinRecorte", "  valor  ", "", false, "G", false);
    EXPECT_EQ(Fila(AD(), "SINRECORTE"), (QVariantList{"G", "SINRECORTE", "  valor  ", 0, ""}));
    EXPECT_EQ(Cfg("sinrecorte"), "  valor  ");

    GrabaDfg("Ancho", 0, "", false, "DATOS", true);
    EXPECT_EQ(Cfg("ANCHO"), "0");
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Configuracion, GrabaSobreLaClaveExistente) {
    GrabaDfg("CFG_X", "1", "primero", false, "G1", true);
    const int antes = Cuenta(AD());
    // An empty auxiliary value leaves the stored one.
    GrabaDfg("cfg_x", "2", "", true, "G2", true);
    EXPECT_EQ(Fila(AD(), "CFG_X"), (QVariantList{"G2", "CFG_X", "2", 1, "primero"}));
    GrabaDfg("CFG_X", "3", " segundo ", false, "G3", true);
    EXPECT_EQ(Fila(AD(), "CFG_X"), (QVariantList{"G3", "CFG_X", "3", 0, "segundo"}));
    // Blanks around the key still find the row: never a second row for one key.
    GrabaDfg("  Cfg_X  ", "4", "", false, "G4", true);
    EXPECT_EQ(Cuenta(AD()), antes);
    EXPECT_EQ(Cfg("CFG_X"), "4");
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Configuracion, ClaveConApostrofeYValorLargoIntactos) {
    const int antes = Cuenta(AD());
    gUsuarioLogeado = "O'Brien";
    const QString clave = "CFG_GridArt_STK_" + gUsuarioLogeado;
    GrabaDfg(clave, "1500|2000|900", "", false, "DATOS", true);
    EXPECT_EQ(Cuenta(AD()), antes + 1);
    EXPECT_EQ(Fila(AD(), clave).value(1), "CFG_GRIDART_STK_O'BRIEN");
    EXPECT_EQ(Cfg(clave), "1500|2000|900");
    GrabaDfg(clave, "1|2", "", false, "DATOS", true);
    EXPECT_EQ(Cfg(clave), "1|2");
    EXPECT_EQ(Cuenta(AD()), antes + 1);

    // A key made to end the literal reads as the missing key it is.
    EXPECT_EQ(Cfg("X' OR '1'='1"), " ");

    QString largo;
    for (int i = 0; i < 10000; ++i)
        largo += QChar(u"aá'\r\nñ|Z"[i % 8]);
    largo[0] = 'A';
    largo[9999] = 'Z';
    GrabaDfg("LARGO", largo, "", false, "G", true);
    EXPECT_EQ(Cfg("LARGO"), largo);
    GrabaCfgCV("LARGO", largo, largo, false, "G", true);
    QString aux;
    EXPECT_EQ(CfgCV("LARGO", aux), largo);
    EXPECT_EQ(aux, largo);
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Configuracion, UnaEscrituraFallidaEsSilenciosaYNoCambiaNada) {
    const int antes = Cuenta(AD());
    gTablaConfiguracion = "NO_EXISTE";
    GrabaDfg("NUEVA", "1", "", false, "G", true);
    gTablaConfiguracion = "TA_CONFIGURACION";
    EXPECT_EQ(Cuenta(AD()), antes);

    // A refused row (the key column takes no null) is not written either.
    GrabaDfg("CFG_Y", "1", "", false, "G", true);
    AD().EjecutaSQL("CREATE TRIGGER rechaza BEFORE UPDATE ON TA_CONFIGURACION "
                    "BEGIN SELECT RAISE(ABORT, 'rechazado'); END");
    GrabaDfg("CFG_Y", "2", "otro", false, "G2", true);
    EXPECT_EQ(Fila(AD(), "CFG_Y"), (QVariantList{"G", "CFG_Y", "1", 0, ""}));
    EXPECT_EQ(Cuenta(AD()), antes + 1);

    AD().LeeConexion().Close();
    GrabaDfg("NUEVA", "1", "", false, "G", true);
    EXPECT_TRUE(guion.Registros().empty());
}

} // namespace
