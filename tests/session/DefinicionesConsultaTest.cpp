// The search-window definition files: consultas.cvn byte for byte, the defaults, the cattle-lot
// definitions, the CONSULTASLEN.CVN rewrite and the lookup by table, on files in a temporary folder.

#include "DefinicionesConsulta.h"
#include "ArchivosConsulta.h"
#include "AuxInicio.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "VentanaConsulta.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <random>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

constexpr int L = RegistroConsulta::Longitud;

QByteArray Lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Escribe(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The bytes of a field padded with blanks.
QByteArray Campo(const QByteArray& texto, int ancho) {
    return texto + QByteArray(ancho - texto.size(), ' ');
}

class Definiciones : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Aux().CarpetaPrograma(dir_.path() + u'/');
        VC().setArchivoConsultas(Ruta("consultas.cvn"));
    }
    void TearDown() override { ReiniciaSesion(); }
    QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }
    QStringList Archivos() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir_;
};

TEST_F(Definiciones, LosOnceRegistrosPorDefectoByteAByte) {
    CreaConsultasDefault();
    const QByteArray b = Lee(Ruta("consultas.cvn"));
    ASSERT_EQ(b.size(), 11 * L);
    // Record 1: each field padded with blanks to its width, then CR LF.
    EXPECT_EQ(b.left(L), Campo("ARTICULOS", 100) + Campo("V_MA_ARTICULOS", 100) +
                             Campo("|DESCRIPCION|IDARTICULO|", 500) + Campo("", 500) + "\r\n");
    // Record 9: the table as written, the column list without a trailing blank.
    const QByteArray r9 = b.mid(qsizetype{8} * L, L);
    EXPECT_EQ(r9.mid(100, 100), Campo("V_TA_Tareas", 100));
    EXPECT_EQ(r9.mid(200, 21), "|Descripcion|IdTarea|");
    EXPECT_EQ(r9.at(221), ' ');
    // Every record ends in CR LF: the file also reads as lines of 1200 characters.
    for (int n = 0; n < 11; ++n)
        EXPECT_EQ(b.mid(n * L + L - 2, 2), "\r\n") << "record " << n + 1;
    const QList<QByteArray> lineas = b.split('\n');
    EXPECT_EQ(lineas.size(), 12);
    EXPECT_EQ(lineas.at(10).size(), 1201);

    // Read back in order.
    LectorConsultas lector(Ruta("consultas.cvn"));
    RegistroConsulta r;
    QStringList tablas;
    while (lector.Siguiente(r))
        tablas << r.Tabla.trimmed();
    EXPECT_EQ(tablas, QStringList({"V_MA_ARTICULOS", "VT_CLIENTES", "VT_PROVEEDORES", "MA_CONTACTOS",
                                   "V_TA_VENDEDORES", "V_TA_TECNICOS", "V_MA_MANTENIMIENTOS", "MA_CUENTAS",
                                   "V_TA_Tareas", "V_TA_UnidadNegocio", "V_TA_DEPOSITO"}));
}

TEST_F(Definiciones, SobreUnArchivoExistenteAgregaDeNuevoDetras) {
    CreaConsultasDefault();
    CreaConsultasDefault();
    const QByteArray b = Lee(Ruta("consultas.cvn"));
    ASSERT_EQ(b.size(), qsizetype{22} * L);
    EXPECT_EQ(b.mid(qsizetype{11} * L, L), b.left(L));
}

TEST_F(Definiciones, UnaColaCortadaSeSobrescribeDesdeElUltimoRegistroEntero) {
    RegistroConsulta viejo{"VIEJO", "T_VIEJA", "|A|", ""};
    Escribe(Ruta("consultas.cvn"), viejo.Bytes() + QByteArray(700, 'x'));
    CreaConsultasDefault();
    const QByteArray b = Lee(Ruta("consultas.cvn"));
    ASSERT_EQ(b.size(), 12 * L);
    EXPECT_EQ(b.left(L), viejo.Bytes());
    EXPECT_TRUE(b.mid(L, 9) == "ARTICULOS");
    EXPECT_FALSE(b.contains("xxx"));
}

TEST_F(Definiciones, CamposLargosSeCortanYLaCodificacionEsLaDelSistema) {
    RegistroConsulta r{QString(120, u'T'), QString(101, u'B'), u'|' + QString(600, u'C'), QString(501, u'D')};
    const QByteArray b = r.Bytes();
    ASSERT_EQ(b.size(), L);
    EXPECT_EQ(b.mid(0, 100), QByteArray(100, 'T'));
    EXPECT_EQ(b.mid(100, 100), QByteArray(100, 'B'));
    EXPECT_EQ(b.mid(200, 1), "|");
    EXPECT_EQ(b.mid(201, 499), QByteArray(499, 'C'));
    EXPECT_EQ(b.mid(700, 500), QByteArray(500, 'D'));

    // One byte per character in Windows-1252, and back.
    RegistroConsulta acentos{"DEPÓSITOS", "V_TA_DEPOSITO", "|Descripción|Año|", "Baja = 'Ñ'"};
    const QByteArray a = acentos.Bytes();
    ASSERT_EQ(a.size(), L);
    EXPECT_EQ(a.left(9), QByteArray("DEP\xD3SITOS"));
    const RegistroConsulta leido = RegistroConsulta::DeBytes(a);
    EXPECT_EQ(leido.Titulo.trimmed(), "DEPÓSITOS");
    EXPECT_EQ(leido.Campos.trimmed(), "|Descripción|Año|");
    EXPECT_EQ(leido.Condicion.trimmed(), "Baja = 'Ñ'");
}

TEST_F(Definiciones, ArchivoLlenoDaDesbordamiento) {
    {
        QFile f(Ruta("consultas.cvn"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(32766) * L));
    }
    EscritorConsultas archivo(Ruta("consultas.cvn"));
    archivo.Agrega({"ULTIMO", "T", "|A|", ""}); // record 32767 still fits
    try {
        archivo.Agrega({"UNO_MAS", "T", "|A|", ""});
        FAIL() << "record 32768 was written";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 6);
    }
    archivo.Cierra();
    EXPECT_EQ(QFileInfo(Ruta("consultas.cvn")).size(), qint64(32767) * L);
}

TEST_F(Definiciones, SinCarpetaEscribibleCreaConsultasDefaultFallaHaciaElLlamador) {
    VC().setArchivoConsultas(Ruta("no_existe/consultas.cvn"));
    try {
        CreaConsultasDefault();
        FAIL() << "no error";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 75);
    }
}

TEST_F(Definiciones, BuscaPorTablaElPrimeroSinDistinguirMayusculas) {
    EXPECT_FALSE(ExisteArchivoConsultas());
    RegistroConsulta r;
    EXPECT_FALSE(BuscaDefinicionConsulta("V_MA_ARTICULOS", r)); // no file, no lookup

    {
        EscritorConsultas archivo(Ruta("consultas.cvn"));
        archivo.Agrega({"PRIMERO", "v_ma_articulos", "|A|", "SUSPENDIDO = 0"});
        archivo.Agrega({"SEGUNDO", "V_MA_ARTICULOS", "|B|", ""});
        archivo.Cierra();
    }
    ASSERT_TRUE(ExisteArchivoConsultas());
    ASSERT_TRUE(BuscaDefinicionConsulta(" V_MA_Articulos ", r));
    EXPECT_EQ(r.Titulo.trimmed(), "PRIMERO");
    EXPECT_EQ(r.Condicion.trimmed(), "SUSPENDIDO = 0");
    EXPECT_FALSE(BuscaDefinicionConsulta("VT_CLIENTES", r));
}

TEST_F(Definiciones, ElNombreDelArchivoNoDistingueMayusculas) {
    {
        EscritorConsultas archivo(Ruta("CONSULTAS.CVN"));
        archivo.Agrega({"CLIENTES", "VT_CLIENTES", "|CODIGO|", ""});
        archivo.Cierra();
    }
    // consultas.cvn and CONSULTAS.CVN name one file.
    ASSERT_TRUE(ExisteArchivoConsultas());
    RegistroConsulta r;
    EXPECT_TRUE(BuscaDefinicionConsulta("VT_CLIENTES", r));
    CreaConsultasDefault();
    CreaConsultasTropa("v_mv_tropa");
    EXPECT_EQ(Archivos(), QStringList({"CONSULTAS.CVN", "CONSULTASLEN.CVN"}));
    EXPECT_EQ(Lee(Ruta("CONSULTAS.CVN")).size(), 13 * L);
}

TEST_F(Definiciones, SoloUnArchivoRegularCuentaComoArchivoDeConsultas) {
    // A folder under the file's name, in another case: no file, no lookup.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("CONSULTAS.CVN"));
    EXPECT_FALSE(ExisteArchivoConsultas());
    RegistroConsulta r;
    EXPECT_FALSE(BuscaDefinicionConsulta("V_MA_ARTICULOS", r));
    ASSERT_TRUE(QDir(dir_.path()).rmdir("CONSULTAS.CVN"));

    CreaConsultasDefault();
    ASSERT_TRUE(ExisteArchivoConsultas());
    EXPECT_TRUE(BuscaDefinicionConsulta("V_MA_ARTICULOS", r));
    // Removed after it was read: gone at once.
    ASSERT_TRUE(QFile::remove(Ruta("consultas.cvn")));
    EXPECT_FALSE(ExisteArchivoConsultas());
    EXPECT_FALSE(BuscaDefinicionConsulta("V_MA_ARTICULOS", r));
}

TEST_F(Definiciones, ArchivoAjenoOCortadoSeLeeSinRomperse) {
    // Nulls as fill (as other writers leave them), a text file, and a cut last record.
    QByteArray nulos = RegistroConsulta{"CAJAS", "", "|Descripcion|IdCajas|", ""}.Bytes();
    nulos.replace(100, 100, QByteArray("V_TA_Cajas") + QByteArray(90, '\0'));
    nulos.replace(700, 500, QByteArray(500, '\0'));
    const QByteArray cortado = RegistroConsulta{"CORTADO", "V_TA_CORTADO", "|X|", "A = 1"}.Bytes().left(202);
    Escribe(Ruta("consultas.cvn"), nulos + cortado);
    RegistroConsulta r;
    ASSERT_TRUE(BuscaDefinicionConsulta("V_TA_Cajas", r));
    EXPECT_EQ(r.Tabla.trimmed(), "V_TA_Cajas");
    EXPECT_TRUE(r.Condicion.trimmed().isEmpty());
    ASSERT_TRUE(BuscaDefinicionConsulta("V_TA_CORTADO", r));
    EXPECT_EQ(r.Campos.trimmed(), "|X");
    EXPECT_TRUE(r.Condicion.trimmed().isEmpty());

    Escribe(Ruta("consultas.cvn"), "[Consultas]\r\nTabla=VT_CLIENTES\r\n\xff\xfe\x00garbage");
    EXPECT_FALSE(BuscaDefinicionConsulta("VT_CLIENTES", r));
    Escribe(Ruta("consultas.cvn"), QByteArray());
    EXPECT_FALSE(BuscaDefinicionConsulta("VT_CLIENTES", r));
}

TEST_F(Definiciones, TropaAgregaSuDefinicionYSusAnchos) {
    CreaConsultasTropa("V_MV_TROPA");
    const QByteArray b = Lee(Ruta("CONSULTAS.CVN"));
    ASSERT_EQ(b.size(), L);
    EXPECT_EQ(b.left(L), RegistroConsulta({"TROPA", "V_MV_TROPA",
                                           "|FechaDte|Dte|IdTropa|Patente|Chofer|NroGuia|CuitVendedor|", ""})
                             .Bytes());
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")),
              "\"V_MV_TROPA\",\"1529.188|1575.081|1139.384|1304.258|3058.377|2908.234|1933.724|\"\r\n");

    CreaConsultasTropa("v_mv_tropa_stock");
    EXPECT_EQ(Lee(Ruta("CONSULTAS.CVN")).mid(L + 100, 16), "v_mv_tropa_stock");
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")),
              "\"V_MV_TROPA\",\"1529.188|1575.081|1139.384|1304.258|3058.377|2908.234|1933.724|\"\r\n"
              "\"v_mv_tropa_stock\",\"1354.115|1079.327|1004.539|659.4944|1603.976|1575.081|1679.898|"
              "419.8328|419.8328|\"\r\n");

    CreaConsultasTropa("VT_CLIENTES");
    EXPECT_EQ(Lee(Ruta("CONSULTAS.CVN")).size(), 2 * L);
}

TEST_F(Definiciones, GrabaAnchosDejaLaEntidadAlFinalSinRepetirla) {
    Escribe(Ruta("CONSULTASLEN.CVN"), "\"VT_CLIENTES\",\"100|200|\"\r\n"
                                      "\"v_mv_tropa\",\"1|2|\"\r\n"
                                      "\"MA_CUENTAS\",\"300|\"\r\n");
    GrabaAnchosConsulta("V_MV_TROPA", "9.5|8|");
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")), "\"VT_CLIENTES\",\"100|200|\"\r\n"
                                             "\"MA_CUENTAS\",\"300|\"\r\n"
                                             "\"V_MV_TROPA\",\"9.5|8|\"\r\n");
    EXPECT_EQ(Archivos(), QStringList({"CONSULTASLEN.CVN"})); // the .AUX is gone

    GrabaAnchosConsulta("VT_CLIENTES", "1|");
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")), "\"MA_CUENTAS\",\"300|\"\r\n"
                                             "\"V_MV_TROPA\",\"9.5|8|\"\r\n"
                                             "\"VT_CLIENTES\",\"1|\"\r\n");
    EXPECT_EQ(AnchosDeEntidad(Ruta("CONSULTASLEN.CVN"), "v_mv_tropa"), std::vector<int>({10, 8}));
}

TEST_F(Definiciones, GrabaAnchosSinArchivoYConNombresEnOtroCaso) {
    GrabaAnchosConsulta("MA_CUENTAS", "300|");
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")), "\"MA_CUENTAS\",\"300|\"\r\n");

    QFile::remove(Ruta("CONSULTASLEN.CVN"));
    // The suite's files in lower case, an older .aux left behind, a line written unquoted.
    Escribe(Ruta("consultaslen.cvn"), "VT_CLIENTES, 100|200|\n\"MA_CUENTAS\",\"1|\"\n");
    Escribe(Ruta("consultaslen.aux"), "\"VIEJO\",\"1|\"\r\n");
    GrabaAnchosConsulta("ma_cuentas", "2|");
    EXPECT_EQ(Archivos(), QStringList({"consultaslen.cvn"}));
    EXPECT_EQ(Lee(Ruta("consultaslen.cvn")), "\"VT_CLIENTES\",\"100|200|\"\r\n\"ma_cuentas\",\"2|\"\r\n");
}

TEST_F(Definiciones, UnaComillaSueltaNoDejaDosLineasDeUnaEntidad) {
    Escribe(Ruta("CONSULTASLEN.CVN"), "V_MV_TROPA\",\"1|2|\"\r\n\"VT_CLIENTES\",\"100|\"\r\n");
    GrabaAnchosConsulta("V_MV_TROPA", "9|8|");
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")), "\"VT_CLIENTES\",\"100|\"\r\n\"V_MV_TROPA\",\"9|8|\"\r\n");

    // Hand-edited files with stray quotes, commas, bars and blanks anywhere: after a write the
    // entity has one line, the new one, last; and the file reads back as it was written.
    std::mt19937 azar(20);
    const QStringList entidades = {"V_MV_TROPA", "VT_CLIENTES", "MA_CUENTAS", "v_mv_tropa_stock"};
    const QString ruido = "\"\", |";
    const QString ruta = Ruta("CONSULTASLEN.CVN");
    for (int caso = 0; caso < 300; ++caso) {
        QByteArray archivo;
        for (unsigned l = 0; l < 1 + azar() % 5; ++l) {
            QString linea =
                "\"" + entidades[int(azar() % 4)] + "\",\"" + QString::number(azar() % 1000) + "|\"";
            for (unsigned k = 0; k < 1 + azar() % 2; ++k)
                linea.insert(qsizetype(azar() % unsigned(linea.size() + 1)),
                             ruido[int(azar() % ruido.size())]);
            archivo += linea.toLatin1() + (azar() % 2 ? "\r\n" : "\n");
        }
        Escribe(ruta, archivo);
        const QString& entidad = entidades[int(azar() % 4)];
        GrabaAnchosConsulta(entidad, QString::number(caso) + "|7|");
        const std::vector<LineaAnchos> lineas = LeeArchivoAnchos(ruta);
        const auto deLaEntidad = std::count_if(lineas.begin(), lineas.end(), [&](const LineaAnchos& l) {
            return MismaEntidad(l.Entidad, entidad);
        });
        EXPECT_EQ(deLaEntidad, 1) << archivo.toStdString() << "->\n" << Lee(ruta).toStdString();
        EXPECT_EQ(AnchosDeEntidad(ruta, entidad), std::vector<int>({caso, 7})) << archivo.toStdString();
        QByteArray otraVez;
        for (const LineaAnchos& l : lineas)
            otraVez += TextoLineaAnchos(l);
        EXPECT_EQ(otraVez, Lee(ruta));
    }
}

TEST_F(Definiciones, GrabaAnchosQueNoPuedeEscribirConservaElArchivo) {
    const QByteArray antes = "\"VT_CLIENTES\",\"100|200|\"\r\n";
    Escribe(Ruta("CONSULTASLEN.CVN"), antes);
    // A directory in the temporary file's place: the new file cannot be written.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("CONSULTASLEN.AUX"));
    GrabaAnchosConsulta("MA_CUENTAS", "300|");
    EXPECT_EQ(Lee(Ruta("CONSULTASLEN.CVN")), antes);
}

} // namespace
