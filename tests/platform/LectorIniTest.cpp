#include "LectorIni.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LectorIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ini.setCarpeta(dir.path());
    }
    void Escribe(const QString& nombre, const QByteArray& bytes) {
        QFile f(dir.filePath(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
    LectorIni ini;
};

} // namespace

TEST_F(LectorIniTest, ArchivoWindows1252) {
    // Stored as the suite writes it: lower-case name, CRLF, ANSI bytes (0xC1 = Á, 0x80 = €).
    Escribe("cn000pr.ini", "; configuraci\xF3n\r\n"
                           "[PC01|JUAN]\r\n"
                           "FlatToolbars=0\r\n"
                           "\r\n"
                           "[pc01|juan\xC1"
                           "BaseDeDatos]\r\n"
                           "  Servidor =  SRV01\\INST  \r\n"
                           "DbName=Gesti\xF3n\r\n"
                           "Moneda=\x80\r\n"
                           "Vacio=\r\n"
                           "Ruta=C:\\Programas\\CN\\\r\n"
                           "Usuario=\"con comillas\"\r\n"
                           ";Comentada=1\r\n"
                           "[Otra]\r\n"
                           "DbName=Otra base\r\n");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", "PC01|JUAN", "FlatToolbars", "1"), "0");
    const QString seccion = QStringLiteral("PC01|JUANÁBaseDeDatos");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion, "servidor"), "SRV01\\INST");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion.toLower(), "DBNAME"), QStringLiteral("Gestión"));
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion, "Moneda"), QStringLiteral("€"));
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion, "Ruta"), "C:\\Programas\\CN\\");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion, "Usuario"), "con comillas");
    // A key present with no value reads empty, not as the default.
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion, "Vacio", "def"), "");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", seccion, "Comentada", "def"), "def");
    // Keys of another section are not taken.
    EXPECT_EQ(ini.LeeValor("cn000pr.ini", "PC01|JUAN", "DbName", "def"), "def");
    EXPECT_EQ(ini.LeeValor("cn000pr.ini", "Otra", "DbName"), "Otra base");
}

TEST_F(LectorIniTest, FaltaArchivoSeccionOClave) {
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", "S", "Styles", "4"), "4");
    Escribe("CN000PR.INI", "[S]\nStyles=2\n");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", "S", "Styles", "4"), "2");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", "S", "Otra", "4"), "4");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", "T", "Styles", "4"), "4");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", "T", "Styles"), "");
    EXPECT_EQ(ini.LeeValor("otro.ini", "S", "Styles", "4"), "4");
}

TEST_F(LectorIniTest, Utf8ConBomYSaltosLf) {
    Escribe("cn000pr.ini", "\xEF\xBB\xBF[Secci\xC3\xB3n]\nA\xC3\xB1o=2024 \xC3\xB1\n");
    EXPECT_EQ(ini.LeeValor("CN000pr.INI", QStringLiteral("SECCIÓN"), QStringLiteral("AÑO")),
              QStringLiteral("2024 ñ"));
}

TEST_F(LectorIniTest, CarpetaDelPrograma) {
    LectorIni porDefecto;
    EXPECT_EQ(porDefecto.Carpeta(), QCoreApplication::applicationDirPath());
    // A path with its folder is used as given, its name still matched without regard to case.
    Escribe("Datos.INI", "[s]\nk=v\n");
    EXPECT_EQ(porDefecto.LeeValor(dir.filePath("datos.ini"), "S", "K"), "v");
}
