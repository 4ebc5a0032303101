#include "Globales.h"
#include "InfoMaquina.h"
#include "Inicio.h"
#include "LectorIni.h"
#include "Utilidades.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LineaComando : public ::testing::Test {
protected:
    void TearDown() override { ReiniciaSesion(); }
};

TEST_F(LineaComando, ClavesSinDistinguirMayusculasYConBlancos) {
    EXPECT_EQ(LeeClave("@caja = 7 ;", "@Caja", "1"), "7");
    EXPECT_EQ(LeeClave("@SERVER=SRV01;@dbname=PROD;", "@Server"), "SRV01");
    EXPECT_EQ(LeeClave("@SERVER=SRV01;@dbname=PROD;", "@DbName"), "PROD");
}

TEST_F(LineaComando, ClaveAusenteDaSuValorPorDefecto) {
    EXPECT_EQ(LeeClave("@Server=S;@DbName=D;", "@Caja", "1"), "1");
    EXPECT_EQ(LeeClave("@Server=S;@DbName=D;", "@Menu"), "");
    EXPECT_EQ(LeeClave("", "@ParametroAdicional"), "");
    // Present but empty is not absent.
    EXPECT_EQ(LeeClave("@Caja=;@Server=S;", "@Caja", "1"), "");
}

TEST_F(LineaComando, UltimoValorSinPuntoYComaLlegaHastaElFinal) {
    EXPECT_EQ(LeeClave("@Server=S; @Caja=7", "@Caja", "1"), "7");
    EXPECT_EQ(LeeClave("@Server=S; @ParametroAdicional= MODELO_12", "@ParametroAdicional"), "MODELO_12");
    // A template parameter longer than the key is read whole, not cut to 19 characters.
    EXPECT_EQ(LeeClave("@Caja=1;@ParametroAdicional=MODELO_TRASPASO_DEPOSITO_CENTRAL", "@ParametroAdicional"),
              "MODELO_TRASPASO_DEPOSITO_CENTRAL");
}

TEST_F(LineaComando, UnaClaveSoloCoincideConLaClaveEnteraDeUnItem) {
    const QString linea = "@UsuarioLogeado=JUAN; @Usuario=sa;";
    EXPECT_EQ(LeeClave(linea, "@Usuario"), "sa");
    EXPECT_EQ(LeeClave(linea, "@UsuarioLogeado"), "JUAN");
    EXPECT_EQ(LeeClave("@UsuarioLogeado=JUAN;", "@Usuario"), "");
    // A key inside another item's value does not count.
    EXPECT_EQ(LeeClave("@ParametroAdicional=x@Caja=5;", "@Caja", "1"), "1");
}

TEST_F(LineaComando, ElValorPierdeTodoSignoIgual) {
    EXPECT_EQ(LeeClave("@Password= a=b==c ;@Caja=2;", "@Password"), "abc");
    EXPECT_EQ(LeeClave("@Password==;", "@Password"), "");
}

TEST_F(LineaComando, LineaDelLanzadorDelSistema) {
    const QString linea = " ; @server=S; @dbname=D; @usuario=U; @Password=P; @ParametroAdicional=12; kolm@ "
                          "; @UsuarioLogeado = L; @Caja=1;";
    EXPECT_EQ(LeeClave(linea, "@Server"), "S");
    EXPECT_EQ(LeeClave(linea, "@DbName"), "D");
    EXPECT_EQ(LeeClave(linea, "@Usuario"), "U");
    EXPECT_EQ(LeeClave(linea, "@Password"), "P");
    EXPECT_EQ(LeeClave(linea, "@ParametroAdicional"), "12");
    EXPECT_EQ(LeeClave(linea, "@UsuarioLogeado"), "L");
    EXPECT_EQ(LeeClave(linea, "@Caja", "1"), "1");
    EXPECT_EQ(LeeClave(linea, "@Menu"), "");
}

TEST_F(LineaComando, NombreDelServidor) {
    EXPECT_EQ(ObtieneServidor("SRV01:1433"), "SRV01");
    EXPECT_EQ(ObtieneServidor("host/INST"), "INST");
    EXPECT_EQ(ObtieneServidor("host/INST:1433"), "INST");
    EXPECT_EQ(ObtieneServidor("SRV01"), "SRV01");
    EXPECT_EQ(ObtieneServidor("a/b/c:1:2"), "b/c");
    EXPECT_EQ(ObtieneServidor(""), "");
}

TEST_F(LineaComando, SeccionIniEnMayusculasYCortadaA50) {
    Maquina().setNombreMaquina("puesto-3");
    Maquina().setNombreUsuario("juan");
    EXPECT_EQ(SeccionIni(), "PUESTO-3|JUAN");

    Maquina().setNombreMaquina(QString(40, u'm'));
    Maquina().setNombreUsuario(QString(19, u'u'));
    const QString seccion = SeccionIni();
    EXPECT_EQ(seccion.size(), 50);
    EXPECT_EQ(seccion, QString(40, u'M') + u'|' + QString(9, u'U'));
}

TEST_F(LineaComando, SesionPorDefectoDesdeElIni) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Ini().setCarpeta(dir.path());
    Maquina().setNombreMaquina("pc1");
    Maquina().setNombreUsuario("ana");

    // Without a file: the built-in user and password words survive their round trip.
    const QString porDefecto = SesionDesdeIni();
    EXPECT_TRUE(porDefecto.startsWith("@server=; @dbname= ; @usuario= ")) << porDefecto.toStdString();
    EXPECT_TRUE(porDefecto.endsWith("; @ParametroAdicional=; @Caja=1;kolm@"));
    EXPECT_FALSE(LeeClave(porDefecto, "@Usuario").isEmpty());

    QFile ini(dir.filePath("cn000pr.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[PC1|ANABaseDeDatos]\r\nServidor=SRV|01\r\nDbName=GESTION\r\nUsuario=" +
              UT().CodificaTexto("ven|tas").toUtf8() +
              "\r\nUserPassWord=" + UT().CodificaTexto("clave").toUtf8() + "\r\n");
    ini.close();
    EXPECT_EQ(SesionDesdeIni(), "@server=SRV01; @dbname= GESTION; @usuario= ventas; @Password= clave; "
                                "@ParametroAdicional=; @Caja=1;kolm@");
}

} // namespace
