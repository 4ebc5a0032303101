#include "Inicio.h"
#include "AccesoDatos.h"
#include "AuxInicio.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Registros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A statement run on a file of its own connection, outside the session.
void EjecutaEn(const QString& ruta, const QString& sql) {
    AccesoDatos ad;
    ad.AsignaServidor("sqlite");
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    ad.EjecutaSQL(sql);
}

// Valor and Grupo of the statistics setting TimeOut, read on a connection of its own; empty
// when the row is missing.
QStringList FilaTimeOut(const QString& rutaEstadisticas) {
    AccesoDatos ad;
    ad.AsignaServidor("sqlite");
    ad.AsignaBaseDatos(rutaEstadisticas);
    ad.Conecta();
    Registros rs;
    ad.ObtieneRecordset("SELECT Valor, Grupo FROM TA_CONFIGURACION WHERE CLAVE = 'TimeOut'", rs);
    if (rs.Eof())
        return {};
    return {rs.Fields("Valor").toString(), rs.Fields("Grupo").toString()};
}

using Inicio = ConArchivosDemo;

TEST_F(Inicio, LaSesionDemoConectaYFijaLosValoresDeSesion) {
    EjecutaEn(RutaEstadisticas(), "UPDATE TA_CONFIGURACION SET Valor = '120' WHERE CLAVE = 'TIMEOUT'");
    QString cadena;
    InicializaSistema(
        false,
        "@Server=sqlite;@DbName=" + RutaBase() +
            ";@Usuario=DEMO;@UsuarioLogeado=JUAN;@Caja= 3 ;@Menu=STK;@ParametroAdicional=MODELO_5",
        cadena, 3);

    ASSERT_TRUE(AD().EstaConectado());
    EXPECT_EQ(AD().LeeServidor(), "sqlite");
    EXPECT_EQ(AD().LeeBaseDatos(), RutaBase());
    // The connection's user replaces the one the command line gave.
    EXPECT_EQ(gUsuarioLogeado, AD().LeeUsuario());
    EXPECT_EQ(gUsuarioLogeado, "DEMO");
    EXPECT_EQ(gCaja, "3");
    EXPECT_EQ(gMenu, "STK");
    EXPECT_EQ(gParametroAdicional, "MODELO_5");
    EXPECT_TRUE(cadena.isEmpty());

    EXPECT_TRUE(gBaseEstadisticas().EstaConectado());
    EXPECT_EQ(gTimeOut, 120);
    EXPECT_EQ(AD().LeeConexion().CommandTimeout(), 120);
    EXPECT_EQ(AD().LeeConexion().IsolationLevel(), 256);
    EXPECT_EQ(AD().LeeConexion().DefaultDatabase(), RutaBase());
    EXPECT_EQ(gBaseEstadisticas().LeeConexion().DefaultDatabase(), "CV_ESTADISTICAS");
    EXPECT_TRUE(Aux().CarpetaPrograma().endsWith('/'));
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('\n').toStdString();
}

TEST_F(Inicio, SinConexionTerminaElProgramaDiciendoPorQue) {
    QFile::remove(RutaBase());
    QString cadena;
    EXPECT_THROW(InicializaSistema(false, LineaSesion(), cadena, 3), FinPrograma);
    EXPECT_FALSE(AD().EstaConectado());
    EXPECT_FALSE(QFileInfo::exists(RutaBase())) << "a missing database is never created";
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].contains(RutaBase()));
}

// Only a password that stands as the password is hidden: the letters of a path stay.
TEST_F(Inicio, SinConexionOcultaLaClaveSoloDondeEstaComoClave) {
    const QString ruta = Carpeta() + "/no-existe.db";
    QString cadena;
    EXPECT_THROW(
        InicializaSistema(false, "@Server=sqlite;@DbName=" + ruta + ";@Usuario=;@Password=x;", cadena, 3),
        FinPrograma);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].contains(QDir::toNativeSeparators(ruta)))
        << guion.Mensajes()[0].toStdString();
    EXPECT_FALSE(guion.Mensajes()[0].contains("****"));

    EXPECT_EQ(OcultaClaves("DRIVER={FreeTDS};SERVER=x;UID=sa;PWD=x;"),
              "DRIVER={FreeTDS};SERVER=x;UID=sa;PWD=****;");
    EXPECT_EQ(OcultaClaves("Data Source=PROD;User Id=U;Password = Clave 9;"),
              "Data Source=PROD;User Id=U;Password = ****;");
    EXPECT_EQ(OcultaClaves("@usuario=x; @Password=x; @Caja=1;"), "@usuario=x; @Password=****; @Caja=1;");
    EXPECT_EQ(OcultaClaves("pwd={a;b}}c};SERVER=pwd"), "pwd=****;SERVER=pwd");
    EXPECT_EQ(OcultaClaves("No existe la base de datos \"/tmp/no-existe-pwd.db\"."),
              "No existe la base de datos \"/tmp/no-existe-pwd.db\".");
}

TEST_F(Inicio, FormaOracle) {
    QString cadena;
    EXPECT_THROW(
        InicializaSistema(false, "@Server=#ORCL;@DbName=PROD;@Usuario=U;@Password=Clave9;", cadena, 3),
        FinPrograma);
    EXPECT_EQ(cadena, "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=U;Password=Clave9;");
    EXPECT_EQ(AD().LeeServidor(), "ORCL");
    EXPECT_EQ(AD().LeeBaseDatos(), "PROD");
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_FALSE(guion.Mensajes()[0].contains("Clave9"));

    // A connection string already given is kept; only the "#" goes.
    ReiniciaSesion();
    guion.Limpia();
    cadena = "DRIVER={Controlador Inexistente};SERVER=ORCL;";
    const QString dada = cadena;
    EXPECT_THROW(
        InicializaSistema(false, "@Server=#ORCL;@DbName=PROD;@Usuario=U;@Password=Clave9;", cadena, 3),
        FinPrograma);
    EXPECT_EQ(cadena, dada);
    EXPECT_EQ(AD().LeeServidor(), "ORCL");
}

TEST_F(Inicio, LeeFlatToolbarsDeLaSeccionDelPuesto) {
    Maquina().setNombreMaquina("pc1");
    Maquina().setNombreUsuario("ana");
    auto flat = [&](const QByteArray& linea) {
        QFile ini(Carpeta() + "/CN000pr.INI");
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[PC1|ANA]\r\n" + linea + "\r\n");
        ini.close();
        QString cadena;
        InicializaSistema(false, LineaSesion(), cadena, 3);
        return gFlatToolbars;
    };
    EXPECT_EQ(flat("Otra=0"), 1);
    EXPECT_EQ(flat("FlatToolbars=0"), 0);
    EXPECT_EQ(flat("FlatToolbars=plano"), 0);
    EXPECT_EQ(flat("FlatToolbars=2.5 px"), 2.5);
    EXPECT_EQ(gSeccionIni, "PC1|ANA");
}

TEST_F(Inicio, YaConectadoNoLeeLaLineaDeComando) {
    QString cadena;
    InicializaSistema(false, LineaSesion(), cadena, 3);
    ASSERT_TRUE(AD().EstaConectado());
    InicializaSistema(false, "@Server=otro;@DbName=otra;@Usuario=x;@Caja=9;", cadena, 3);
    EXPECT_EQ(AD().LeeServidor(), "sqlite");
    EXPECT_EQ(AD().LeeBaseDatos(), RutaBase());
    EXPECT_EQ(gCaja, "1");
}

// The command time-out from the statistics database's setting TimeOut.
using TiempoEspera = ConBaseDemo;

TEST_F(TiempoEspera, FaltanteBlancoOCeroDan360YGrabanCero) {
    for (const QString& valor : {QString(), QString("  "), QString("0")}) {
        SCOPED_TRACE(valor.toStdString());
        EjecutaEn(RutaEstadisticas(), "DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TIMEOUT'");
        if (!valor.isNull())
            EjecutaEn(RutaEstadisticas(), "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor) VALUES "
                                          "('BaseDeDatos', 'TIMEOUT', '" +
                                              valor + "')");
        gTimeOut = 1;
        ObtieneBaseEstadisticas();
        EXPECT_EQ(gTimeOut, 360);
        EXPECT_TRUE(gBaseEstadisticas().EstaConectado());
        EXPECT_EQ(FilaTimeOut(RutaEstadisticas()), QStringList({"0", "BaseDeDatos"}));
    }
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('\n').toStdString();
}

TEST_F(TiempoEspera, ValorGuardadoYRedondeo) {
    EjecutaEn(RutaEstadisticas(), "UPDATE TA_CONFIGURACION SET Valor = '120' WHERE CLAVE = 'TIMEOUT'");
    ObtieneBaseEstadisticas();
    EXPECT_EQ(gTimeOut, 120);
    EXPECT_EQ(FilaTimeOut(RutaEstadisticas()), QStringList({"120", "BaseDeDatos"}));

    // The leading number, rounded half to even.
    EjecutaEn(RutaEstadisticas(), "UPDATE TA_CONFIGURACION SET Valor = '90.5 seg' WHERE CLAVE = 'TIMEOUT'");
    ObtieneBaseEstadisticas();
    EXPECT_EQ(gTimeOut, 90);
}

TEST_F(TiempoEspera, BaseDeEstadisticasInalcanzableDa360) {
    gBaseEstadisticas().LeeConexion().Close();
    ASSERT_TRUE(QFile::remove(RutaEstadisticas()));
    gTimeOut = 1;
    ObtieneBaseEstadisticas();
    EXPECT_EQ(gTimeOut, 360);
    EXPECT_FALSE(gBaseEstadisticas().EstaConectado());
    EXPECT_FALSE(QFileInfo::exists(RutaEstadisticas()));
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('\n').toStdString();
}

TEST_F(TiempoEspera, ElFixtureConectaComoElInicio) {
    EXPECT_TRUE(AD().EstaConectado());
    EXPECT_TRUE(gBaseEstadisticas().EstaConectado());
    EXPECT_EQ(gUsuarioLogeado, "DEMO");
    EXPECT_EQ(gTimeOut, 60);
    EXPECT_EQ(AD().LeeConexion().CommandTimeout(), 60);
}

} // namespace
