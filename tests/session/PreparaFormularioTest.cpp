// Form set-up: the skin chosen by the INI key, the icon and toolbar style, and the session status
// bar with its cash desk on the demo database.

#include "PreparaFormulario.h"
#include "AccesoDatos.h"
#include "BarraEstado.h"
#include "BaseDemo.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Registros.h"
#include "VentanaSuite.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// A window with a skin control and the toolbars named in `barras`.
class VentanaPrueba : public VentanaSuite {
public:
    explicit VentanaPrueba(QString tipo = "FrmVardelio",
                           QStringList barras = {"UtilVox1", "TBarRep1", "Util0011"})
        : tipo_(std::move(tipo)), barras_(std::move(barras)) {}
    QString TipoVentana() const override { return tipo_; }
    MarcoSkin* SkinFramework1() override { return &skin; }
    bool AsignaStyleBar(const QString& control, double valor) override {
        llamadas << control + "=" + QString::number(valor);
        return barras_.contains(control);
    }
    MarcoSkin skin;
    QStringList llamadas;

private:
    QString tipo_;
    QStringList barras_;
};

class SinSkin : public VentanaSuite {
public:
    QString TipoVentana() const override { return "FrmDespacho"; }
};

QString HojaFuente(const QString& relativa) {
    QFile f(CarpetaFuentes() + "/src/session/skins/" + relativa);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("(falta " + relativa + ")");
}

class Skin : public ConArchivosDemo {
protected:
    void SetUp() override {
        ConArchivosDemo::SetUp();
        Maquina().setNombreUsuario("ana");
        AD().AsignaBaseDatos("Empresa");
    }
    void EscribeIni(const QByteArray& texto) {
        QFile f(Carpeta() + "/cn000pr.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(texto);
    }
    // The skin and scheme loaded for a value of the key "Styles".
    QString HojaDeEstilo(const QByteArray& valor) {
        EscribeIni("[ANA_EMPRESAStyles]\r\nStyles=" + valor + "\r\n");
        VentanaPrueba v;
        CargaSkin(v);
        return v.skin.Skin() + (v.skin.Esquema().isEmpty() ? "" : " | " + v.skin.Esquema());
    }
};

TEST_F(Skin, SinClaveEsElEstilo4ConSuEsquema) {
    VentanaPrueba v;
    v.skin.setApplyOptions(4);
    CargaSkin(v);
    EXPECT_EQ(v.skin.Skin(), ":/Styles/iTunes");
    EXPECT_EQ(v.skin.Esquema(), "Normal.qss");
    EXPECT_EQ(v.skin.HojaEstilo(), HojaFuente("Styles/iTunes/Normal.qss"));
    EXPECT_TRUE(v.skin.Aplicado());
    EXPECT_EQ(v.skin.ApplyOptions(), 5);
}

TEST_F(Skin, CadaEstiloSuHoja) {
    EXPECT_EQ(HojaDeEstilo("1"), ":/Styles/Vista.qss");
    EXPECT_EQ(HojaDeEstilo("2"), ":/Styles/WinXP.Luna.qss");
    EXPECT_EQ(HojaDeEstilo(" 3 ; Royale"), ":/Styles/WinXP.Royale.qss");
    EXPECT_EQ(HojaDeEstilo("4"), ":/Styles/iTunes | Normal.qss");
    EXPECT_EQ(HojaDeEstilo("0"), ":/Styles/Office2007.qss");
    EXPECT_EQ(HojaDeEstilo("7"), ":/Styles/Office2007.qss");
    EXPECT_EQ(HojaDeEstilo("Vista"), ":/Styles/Office2007.qss"); // no leading number: 0
    EXPECT_EQ(HojaDeEstilo("2.5"), ":/Styles/WinXP.Luna.qss");   // halves to the even one
    EXPECT_EQ(HojaDeEstilo("3.5"), ":/Styles/iTunes | Normal.qss");
    // Beyond 16 bits the default skin, instead of an error that would end the window's load.
    EXPECT_EQ(HojaDeEstilo("99999"), ":/Styles/Office2007.qss");

    // The section belongs to this user and this database.
    EscribeIni("[ANA_OTRAStyles]\r\nStyles=1\r\n[JUAN_EMPRESAStyles]\r\nStyles=2\r\n");
    VentanaPrueba v;
    CargaSkin(v);
    EXPECT_EQ(v.skin.Skin(), ":/Styles/iTunes");
}

TEST_F(Skin, LasCincoHojasSeDistinguenYSeEmbarcanEnteras) {
    QStringList hojas;
    for (int estilo = 1; estilo <= 5; ++estilo) {
        const ArchivoSkin a = SkinDeEstilo(estilo);
        MarcoSkin skin;
        skin.LoadSkin(CarpetaSkins() + a.skin, a.esquema);
        const QString fuente = HojaFuente(a.esquema.isEmpty() ? a.skin : a.skin + "/" + a.esquema);
        EXPECT_EQ(skin.HojaEstilo(), fuente) << estilo;
        EXPECT_FALSE(hojas.contains(skin.HojaEstilo())) << estilo;
        hojas << skin.HojaEstilo();
    }
}

TEST_F(Skin, VentanaSinControlDeSkinEsUnErrorDelLlamador) {
    SinSkin v;
    try {
        CargaSkin(v);
        FAIL() << "no error";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 438);
    }
    MarcoSkin skin;
    EXPECT_THROW(skin.LoadSkin(":/Styles/NoExiste.qss", ""), ErrorSistema);
    EXPECT_FALSE(skin.Aplicado());
}

class Configura : public ::testing::Test {
protected:
    void TearDown() override { ReiniciaSesion(); }
};

TEST_F(Configura, IconoYEstiloDeLasTresBarras) {
    gFlatToolbars = 0;
    VentanaPrueba v;
    ConfiguraFormulario(v);
    EXPECT_EQ(v.Icon(), ":/iconos/modelos.png");
    EXPECT_TRUE(QFile::exists(v.Icon()));
    EXPECT_EQ(v.llamadas, QStringList({"UtilVox1=0", "TBarRep1=0", "Util0011=0"}));
}

TEST_F(Configura, BarrasQueFaltanSeSaltanSinAviso) {
    gFlatToolbars = 1;
    VentanaPrueba v("FrmDespacho", {"Util0011"});
    ConfiguraFormulario(v);
    EXPECT_EQ(v.Icon(), ":/iconos/modelos.png");
    EXPECT_EQ(v.llamadas, QStringList({"UtilVox1=1", "TBarRep1=1", "Util0011=1"}));
    SinSkin sin;
    ConfiguraFormulario(sin);
    EXPECT_EQ(sin.Icon(), ":/iconos/modelos.png");
}

TEST_F(Configura, VentanaMdiLlevaElIconoPeroNoTocaSusBarras) {
    VentanaPrueba v("FrmMdi");
    ConfiguraFormulario(v);
    EXPECT_EQ(v.Icon(), ":/iconos/modelos.png");
    EXPECT_TRUE(v.llamadas.isEmpty());
}

TEST(VersionDelPrograma, TresNumerosEnteros) {
    const QString antes = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion("2.7.13");
    EXPECT_EQ(VersionPrograma(), "2.7.13");
    QCoreApplication::setApplicationVersion("3.1");
    EXPECT_EQ(VersionPrograma(), "3.1.0");
    QCoreApplication::setApplicationVersion("");
    EXPECT_EQ(VersionPrograma(), "1.0.0");
    QCoreApplication::setApplicationVersion(antes);
}

// The session status bar with its six panels.
class Barra : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        for (const char* clave : {"MENSAJE", "SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
            barra.Add(clave);
        version_ = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion("2.7.13");
    }
    void TearDown() override {
        QCoreApplication::setApplicationVersion(version_);
        ConBaseDemo::TearDown();
    }
    QStringList Textos() const {
        QStringList t;
        for (int i = 1; i <= barra.Count(); ++i)
            t << barra.Panels(i).Text();
        return t;
    }
    QStringList Cajas() {
        QStringList filas;
        Registros rs;
        AD().ObtieneRecordset("SELECT IdCajas, Descripcion FROM V_TA_Cajas ORDER BY IdCajas", rs);
        for (; !rs.Eof(); rs.MoveNext())
            filas << "[" + rs.Fields(0).toString() + "]" + rs.Fields(1).toString();
        return filas;
    }

    BarraEstado barra;
    QString version_;
};

TEST_F(Barra, PanelesConSusTextosYAyudas) {
    MuestraBarraEstado(barra, "Listo");
    const QString db = "Db: " + RutaBase();
    EXPECT_EQ(Textos(), QStringList({"Listo", "Srv: sqlite", "Uid: DEMO", db, "1 Caja 1", "V.2.7.13"}));
    EXPECT_EQ(barra.Panels("SERVER").ToolTipText(), "Srv: sqlite");
    EXPECT_EQ(barra.Panels("USUARIO").ToolTipText(), "Uid: DEMO");
    EXPECT_EQ(barra.Panels("BASEDEDATOS").ToolTipText(), db);
    EXPECT_EQ(barra.Panels("CAJA").ToolTipText(), "1 Caja 1");
    EXPECT_EQ(barra.Panels("MENSAJE").ToolTipText(), "");
    // The session's cash desk "1" is the stored "   1": nothing added.
    EXPECT_EQ(Cajas(), QStringList({"[   1]Caja 1"}));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Barra, LaSegundaLlamadaSoloCambiaElMensaje) {
    MuestraBarraEstado(barra, "Listo");
    const QStringList antes = Textos();
    gCaja = "3";
    AD().AsignaUsuario("OTRO");
    MuestraBarraEstado(barra, "Grabando...");
    QStringList esperado = antes;
    esperado[0] = "Grabando...";
    EXPECT_EQ(Textos(), esperado);
    EXPECT_EQ(Cajas().size(), 1);
}

TEST_F(Barra, CajaQueFaltaSeAgregaUnaVez) {
    gCaja = "3";
    MuestraBarraEstado(barra, "");
    EXPECT_EQ(barra.Panels("CAJA").Text(), "3 CAJA 3");
    EXPECT_EQ(Cajas(), QStringList({"[   1]Caja 1", "[   3]CAJA 3"}));

    BarraEstado otra;
    otra.Add("SERVER");
    otra.Add("CAJA");
    MuestraBarraEstado(otra, "");
    EXPECT_EQ(otra.Panels("CAJA").Text(), "3 CAJA 3");
    EXPECT_EQ(Cajas().size(), 2);
}

TEST_F(Barra, CajaVaciaEsLaUno) {
    gCaja = "";
    MuestraBarraEstado(barra, "x");
    EXPECT_EQ(gCaja, "1");
    EXPECT_EQ(barra.Panels("CAJA").Text(), "1 Caja 1");
    EXPECT_EQ(Cajas().size(), 1);
}

TEST_F(Barra, PanelesQueFaltanSeSaltanSinAviso) {
    BarraEstado corta;
    corta.Add("CAJA");
    corta.Add("VERSION");
    MuestraBarraEstado(corta, "Listo");
    EXPECT_EQ(corta.Panels("CAJA").Text(), "1 Caja 1");
    EXPECT_EQ(corta.Panels("VERSION").Text(), "V.2.7.13");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Barra, UnaCajaConApostrofoNoTerminaElLiteral) {
    gCaja = "9');";
    MuestraBarraEstado(barra, "");
    EXPECT_EQ(Cajas(), (QStringList{"[   1]Caja 1", "[9');]CAJA 9');"}));

    // Longer than a cash desk's code: refused as a too long text, never run as a statement.
    gCaja = "8'); DELETE FROM V_TA_Cajas; --";
    MuestraBarraEstado(barra, "");
    EXPECT_EQ(Cajas(), (QStringList{"[   1]Caja 1", "[9');]CAJA 9');"}));
}

} // namespace
