// The search window's logic on a small embedded database: what it runs, what it shows, the value
// chosen or not, and the definition and widths files it reads.

#include "VentanaConsulta.h"
#include "AccesoDatos.h"
#include "ArchivosConsulta.h"
#include "BaseEmbebida.h"
#include "Comun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class VentanaDeConsulta : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(dir_.isValid());
        BaseEmbebida::Crea(dir_.filePath("prueba.db"),
                           {"CREATE TABLE V_MA_ARTICULOS (IDARTICULO VARCHAR(25) COLLATE TEXTO, DESCRIPCION "
                            "VARCHAR(50) COLLATE TEXTO, PRECIO NUMERIC, SUSPENDIDO INTEGER)",
                            "INSERT INTO V_MA_ARTICULOS VALUES ('A1', 'Arandela', 10, 0)",
                            "INSERT INTO V_MA_ARTICULOS VALUES ('B2', 'Bulón', NULL, 0)",
                            "INSERT INTO V_MA_ARTICULOS VALUES ('C3', 'Chaveta', 3.5, 1)"});
        ad_.AsignaServidor("sqlite");
        ad_.AsignaBaseDatos(dir_.filePath("prueba.db"));
        ad_.Conecta();
        ventana_.setProveedorDatos([this] { return &ad_; });
        ventana_.setArchivoConsultas(dir_.filePath("consultas.cvn"));
    }

    // Plays the person's part: `accion` runs on the shown window.
    void AlMostrar(const std::function<void(VentanaConsulta&)>& accion) {
        guion.alMostrar = [this, accion](Formulario& f) {
            ASSERT_EQ(&f, &ventana_);
            ++mostrada_;
            accion(ventana_);
        };
    }

    QTemporaryDir dir_;
    AccesoDatos ad_;
    VentanaConsulta ventana_;
    int mostrada_ = 0;
};

TEST_F(VentanaDeConsulta, EligeElValorDeLaColumnaClaveDeLaFilaActual) {
    ventana_.setCampoClave("IDARTICULO");
    AlMostrar([](VentanaConsulta& v) {
        ASSERT_EQ(v.FilasDatos(), 2);
        EXPECT_EQ(v.Resultado().TextMatrix(0, 0), "DESCRIPCION");
        EXPECT_EQ(v.Resultado().TextMatrix(0, 1), "IDARTICULO");
        EXPECT_EQ(v.Resultado().TextMatrix(2, 0), "Bulón");
        EXPECT_EQ(v.Resultado().Row(), 1); // the first row is current when the window opens
        v.Resultado().setRow(2);
        v.Aceptar();
    });
    Coleccion coleccion;
    ventana_.MuestraConsulta(
        "SELECT top 10 DESCRIPCION, IDARTICULO, PRECIO FROM V_MA_ARTICULOS  with(nolock)  "
        "WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO",
        &coleccion);
    EXPECT_EQ(mostrada_, 1);
    EXPECT_EQ(ventana_.ValorElegido().toString(), "B2");
    EXPECT_EQ(ventana_.Entidad(), "V_MA_ARTICULOS");
    // The caller's collection gets the chosen row's fields, a null as a null.
    ASSERT_EQ(coleccion.Count(), 3);
    EXPECT_EQ(coleccion.Clave(1), "DESCRIPCION");
    EXPECT_EQ(coleccion.Item("descripcion").toString(), "Bulón");
    EXPECT_TRUE(coleccion.Item(3).isNull());
    EXPECT_THROW(coleccion.Item(4), ErrorSistema);
    EXPECT_THROW(coleccion.Item("STOCK"), ErrorSistema);
}

TEST_F(VentanaDeConsulta, CancelarNoEligeNadaNiDejaLaEleccionAnterior) {
    ventana_.setCampoClave("IDARTICULO");
    AlMostrar([](VentanaConsulta& v) { v.Aceptar(); });
    Coleccion coleccion;
    ventana_.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS order by IDARTICULO", &coleccion);
    ASSERT_EQ(ventana_.ValorElegido().toString(), "A1");
    ASSERT_EQ(coleccion.Count(), 1);

    AlMostrar([](VentanaConsulta& v) {
        v.Resultado().setRow(3);
        v.Cancelar();
    });
    ventana_.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS order by IDARTICULO", &coleccion);
    EXPECT_EQ(mostrada_, 2);
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());
    EXPECT_EQ(coleccion.Count(), 0);

    // Closed without a word (the window's close button does Cancelar; a view that just goes
    // away chooses nothing either).
    AlMostrar([](VentanaConsulta&) {});
    ventana_.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS", nullptr);
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());
}

TEST_F(VentanaDeConsulta, SinFilasOSobreLaFilaDeTitulosNoSeEligeNada) {
    ventana_.setCampoClave("IDARTICULO");
    AlMostrar([](VentanaConsulta& v) {
        EXPECT_EQ(v.FilasDatos(), 0);
        EXPECT_EQ(v.Resultado().TextMatrix(0, 0), "IDARTICULO");
        v.Aceptar();
    });
    ventana_.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS where IDARTICULO = 'ZZ'");
    EXPECT_EQ(mostrada_, 1);
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());

    AlMostrar([](VentanaConsulta& v) {
        v.Resultado().setRow(0);
        v.Aceptar();
    });
    ventana_.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS");
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());
}

TEST_F(VentanaDeConsulta, ColumnaClaveAusenteNoDevuelveOtraColumnaYSinClaveLaPrimera) {
    ventana_.setCampoClave("idContacto");
    AlMostrar([](VentanaConsulta& v) { v.Aceptar(); });
    ventana_.MuestraConsulta("select DESCRIPCION, IDARTICULO from V_MA_ARTICULOS order by 2");
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());

    ventana_.setCampoClave("");
    ventana_.MuestraConsulta("select DESCRIPCION, IDARTICULO from V_MA_ARTICULOS order by 2");
    EXPECT_EQ(ventana_.ValorElegido().toString(), "Arandela");

    // A null key reads as an empty text.
    ventana_.setCampoClave("precio");
    AlMostrar([](VentanaConsulta& v) {
        v.Resultado().setRow(2);
        v.Grilla_DblClick();
    });
    ventana_.MuestraConsulta("select IDARTICULO, PRECIO from V_MA_ARTICULOS order by 1");
    EXPECT_TRUE(ventana_.ValorElegido().isValid());
    EXPECT_EQ(ventana_.ValorElegido().toString(), "");
}

TEST_F(VentanaDeConsulta, UnaEntidadSeConsultaConLaSentenciaDelSextoArgumentoOEnteraConSuCondicion) {
    ventana_.setCampoClave("IDARTICULO");
    AlMostrar([](VentanaConsulta& v) { v.Aceptar(); });
    QString vacio1, vacio2, vacio3;
    QString condicion = " where SUSPENDIDO = 1";
    QString sentencia = "select DESCRIPCION,IDARTICULO from V_MA_ARTICULOS  where SUSPENDIDO = 1";
    qint16 cero = 0;
    ventana_.MuestraConsulta("V_MA_ARTICULOS", nullptr, vacio1, vacio2, condicion, sentencia, cero, vacio3);
    EXPECT_EQ(ventana_.SentenciaMostrada(), sentencia);
    EXPECT_EQ(ventana_.Entidad(), "V_MA_ARTICULOS");
    EXPECT_EQ(ventana_.ValorElegido().toString(), "C3");

    sentencia.clear();
    ventana_.MuestraConsulta(" V_MA_ARTICULOS ", nullptr, vacio1, vacio2, condicion, sentencia, cero, vacio3);
    EXPECT_EQ(ventana_.SentenciaMostrada(), "select * from V_MA_ARTICULOS  where SUSPENDIDO = 1");
    EXPECT_EQ(ventana_.Resultado().Cols(), 4);
    EXPECT_EQ(ventana_.ValorElegido().toString(), "C3");
}

TEST_F(VentanaDeConsulta, SentenciaRechazadaSeMuestraYNoAbreLaVentana) {
    ventana_.setCampoClave("IDARTICULO");
    AlMostrar([](VentanaConsulta& v) { v.Aceptar(); });
    ventana_.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS order by 1");
    ASSERT_EQ(ventana_.ValorElegido().toString(), "A1");

    ventana_.MuestraConsulta("select NOEXISTE from V_MA_ARTICULOS");
    EXPECT_EQ(mostrada_, 1);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().at(0).contains("NOEXISTE", Qt::CaseInsensitive))
        << guion.Mensajes().at(0).toStdString();
    EXPECT_TRUE(ventana_.ValorElegido().toString().isEmpty());

    // Without a connection the same.
    VentanaConsulta sinDatos;
    sinDatos.MuestraConsulta("select IDARTICULO from V_MA_ARTICULOS");
    EXPECT_EQ(guion.Mensajes().size(), 2);
    EXPECT_EQ(mostrada_, 1);
}

TEST_F(VentanaDeConsulta, TituloDeLaDefinicionYAnchosDeConsultaslen) {
    {
        EscritorConsultas archivo(dir_.filePath("CONSULTAS.CVN"));
        archivo.Agrega({"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|", ""});
        archivo.Agrega({"ARTICULOS", "v_ma_articulos", "|DESCRIPCION|IDARTICULO|", ""});
        archivo.Cierra();
        QFile anchos(dir_.filePath("consultaslen.cvn"));
        ASSERT_TRUE(anchos.open(QIODevice::WriteOnly));
        anchos.write("\"VT_CLIENTES\",\"100|200|\"\r\n\"V_MA_ARTICULOS\",\"2999.6|1500.4|x|\"\r\n");
    }
    AlMostrar([](VentanaConsulta& v) {
        EXPECT_EQ(v.Caption(), "ARTICULOS");
        EXPECT_EQ(v.Resultado().ColWidth(0), 3000);
        EXPECT_EQ(v.Resultado().ColWidth(1), 1500);
        // A width that is no number, and a column beyond the widths, keep the default.
        EXPECT_EQ(v.Resultado().ColWidth(2), Grilla::AnchoColumnaPorDefecto);
        EXPECT_EQ(v.Resultado().ColWidth(3), Grilla::AnchoColumnaPorDefecto);
        v.Cancelar();
    });
    ventana_.MuestraConsulta("SELECT top 5 DESCRIPCION,IDARTICULO,PRECIO,SUSPENDIDO FROM V_MA_ARTICULOS");
    EXPECT_EQ(mostrada_, 1);

    // An entity without a definition is its own caption.
    AlMostrar([](VentanaConsulta& v) {
        EXPECT_EQ(v.Caption(), "sqlite_master");
        v.Cancelar();
    });
    ventana_.MuestraConsulta("select name from sqlite_master");
    EXPECT_EQ(mostrada_, 2);
}

TEST_F(VentanaDeConsulta, SinAnchoDelArchivoCadaColumnaTomaLoQueNecesitaSuPrimeraPantalla) {
    // Codes and names of growing length; the longest come after the first screen.
    ad_.EjecutaSQL(
        "CREATE TABLE TA_LARGOS (CODIGO VARCHAR(200) COLLATE TEXTO, NOMBRE VARCHAR(200) COLLATE TEXTO, "
        "X INTEGER)");
    ad_.EjecutaSQL(
        "INSERT INTO TA_LARGOS WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE "
        "n < 150) SELECT substr('CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC"
        "CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC', 1, n), "
        "'N' || n, n FROM s");
    QFile anchos(dir_.filePath("CONSULTASLEN.CVN"));
    ASSERT_TRUE(anchos.open(QIODevice::WriteOnly));
    anchos.write("\"V_TA_LARGOS\",\"\"\r\n\"TA_LARGOS\",\"|2000|\"\r\n");
    anchos.close();
    const auto medida = [](const QString& texto) { return int(texto.size()) * 100; };
    AlMostrar([&](VentanaConsulta& v) {
        // Without the administration prefix, the table reads as its name.
        EXPECT_EQ(v.Caption(), "TA_LARGOS");
        // A width given by the file stays; the others fit their title and the first screen's
        // cells, the rows read later aside.
        EXPECT_EQ(v.AnchoColumna(1, medida), 2000);
        const int primera = VentanaConsulta::PrimeraPantalla;
        EXPECT_EQ(v.AnchoColumna(0, medida), primera * 100 + VentanaConsulta::MargenColumna);
        EXPECT_EQ(v.AnchoColumna(2, medida), 2 * 100 + VentanaConsulta::MargenColumna); // "60", "X"
        v.LeeTodas();
        EXPECT_EQ(v.AnchoColumna(0, medida), primera * 100 + VentanaConsulta::MargenColumna);
        // Without a measure, the default.
        EXPECT_EQ(v.AnchoColumna(0, {}), Grilla::AnchoColumnaPorDefecto);
        v.Cancelar();
    });
    ventana_.MuestraConsulta("SELECT CODIGO, NOMBRE, X FROM @ADMIN_TA_LARGOS ORDER BY X");
    EXPECT_EQ(mostrada_, 1);

    // A definition of the bare table titles it.
    {
        EscritorConsultas archivo(dir_.filePath("consultas.cvn"));
        archivo.Agrega({"LARGOS", "TA_LARGOS", "|CODIGO|NOMBRE|", ""});
        archivo.Cierra();
    }
    AlMostrar([](VentanaConsulta& v) {
        EXPECT_EQ(v.Caption(), "LARGOS");
        v.Cancelar();
    });
    ventana_.MuestraConsulta("SELECT CODIGO FROM @admin_TA_LARGOS");
    EXPECT_EQ(mostrada_, 2);
    EXPECT_EQ(VentanaConsulta::TablaSinPrefijo("@Admin_V_TA_DEPOSITO"), "V_TA_DEPOSITO");
    EXPECT_EQ(VentanaConsulta::TablaSinPrefijo("V_TA_ADMIN"), "V_TA_ADMIN");
}

TEST_F(VentanaDeConsulta, LasFilasLleganPorBloquesYElFiltroMuestraLasQueContienenElTexto) {
    ad_.EjecutaSQL("CREATE TABLE NUMEROS (N INTEGER, NOMBRE VARCHAR(20) COLLATE TEXTO)");
    ad_.EjecutaSQL(
        "INSERT INTO NUMEROS WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < 2000) "
        "SELECT n, 'Fila ' || n FROM s");
    ventana_.setCampoClave("N");
    // Every row that holds `texto` in its name (numbers and names agree, so any column).
    const auto esperadas = [](const QString& texto, int hasta) {
        std::vector<int> filas;
        for (int n = 1; n <= hasta; ++n)
            if (QStringLiteral("Fila %1").arg(n).contains(texto, Qt::CaseInsensitive))
                filas.push_back(n);
        return filas;
    };
    const auto visibles = [](const VentanaConsulta& v) {
        std::vector<int> filas;
        filas.reserve(size_t(v.FilasVisibles()));
        for (int i = 0; i < v.FilasVisibles(); ++i)
            filas.push_back(v.Resultado().TextMatrix(v.FilaVisible(i), 0).toInt());
        return filas;
    };
    AlMostrar([&](VentanaConsulta& v) {
        // The window opens with its first screen; the rest is still to read.
        EXPECT_EQ(v.FilasDatos(), VentanaConsulta::PrimeraPantalla);
        EXPECT_FALSE(v.Completa());
        EXPECT_EQ(v.Resultado().Row(), 1);
        EXPECT_EQ(v.LeeFilas(500), 500);
        const int leidas = v.FilasDatos();
        for (const QString texto : {"1", "12", "123", "fila 12", "x", "", "7", "77"}) {
            v.Filtra(texto);
            EXPECT_EQ(visibles(v), esperadas(texto, leidas)) << texto.toStdString();
        }
        // Filtered while reading: the new rows are filtered as they come.
        v.Filtra("9");
        v.Resultado().setRow(v.FilaVisible(3));
        v.LeeTodas();
        EXPECT_TRUE(v.Completa());
        EXPECT_EQ(v.FilasDatos(), 2000);
        EXPECT_EQ(visibles(v), esperadas("9", 2000));
        EXPECT_EQ(v.LeeFilas(10), 0);
        // A filter that hides the current row moves it to the first row shown; none shown: no row.
        v.Filtra("1999");
        EXPECT_EQ(v.Resultado().TextMatrix(v.Resultado().Row(), 0), "1999");
        v.Filtra("nada");
        EXPECT_EQ(v.Resultado().Row(), 0);
        v.Filtra("fila 1234");
        v.Aceptar();
    });
    ventana_.MuestraConsulta("select N, NOMBRE from NUMEROS order by N");
    EXPECT_EQ(ventana_.ValorElegido().toInt(), 1234);

    // Closed before the end: the rows left are not read, and the connection is free again.
    AlMostrar([](VentanaConsulta& v) { v.Cancelar(); });
    ventana_.MuestraConsulta("select N, NOMBRE from NUMEROS order by N");
    EXPECT_TRUE(ventana_.Completa());
    EXPECT_EQ(ventana_.FilasDatos(), VentanaConsulta::PrimeraPantalla);
    EXPECT_EQ(ad_.EjecutaSQL("DELETE FROM NUMEROS WHERE N > 1000"), 1000);
}

TEST_F(VentanaDeConsulta, LosArchivosSeLeenDeNuevoCuandoCambian) {
    const QString ruta = dir_.filePath("consultas.cvn");
    const auto escribe = [&](const QString& titulo, bool renombrando) {
        const QString destino = renombrando ? dir_.filePath("nuevo.tmp") : ruta;
        {
            EscritorConsultas e(destino);
            e.Agrega({titulo, "V_MA_ARTICULOS", "|DESCRIPCION|", ""});
            e.Cierra();
        }
        if (renombrando) {
            QFile::remove(ruta);
            ASSERT_TRUE(QFile::rename(destino, ruta));
        }
    };
    std::vector<QString> vistos;
    AlMostrar([&](VentanaConsulta& v) {
        vistos.push_back(v.Caption() + "|" + QString::number(v.Resultado().ColWidth(0)));
        v.Cancelar();
    });
    const QString sql = "select DESCRIPCION from V_MA_ARTICULOS";
    ventana_.MuestraConsulta(sql); // neither file yet
    escribe("PRIMERO", false);
    ventana_.MuestraConsulta(sql);
    escribe("SEGUNDO", true); // same size, another file in its place
    ventana_.MuestraConsulta(sql);
    {
        QFile anchos(dir_.filePath("ConsultasLen.cvn")); // created later, in another case
        ASSERT_TRUE(anchos.open(QIODevice::WriteOnly));
        anchos.write("\"V_MA_ARTICULOS\",\"1234|\"\r\n");
    }
    ventana_.MuestraConsulta(sql);
    {
        EscritorConsultas e(ruta); // appended: the first record still wins
        e.Agrega({"TERCERO", "V_MA_ARTICULOS", "|DESCRIPCION|", ""});
        e.Cierra();
    }
    ventana_.MuestraConsulta(sql);
    EXPECT_EQ(vistos,
              (std::vector<QString>{"V_MA_ARTICULOS|" + QString::number(Grilla::AnchoColumnaPorDefecto),
                                    "PRIMERO|" + QString::number(Grilla::AnchoColumnaPorDefecto),
                                    "SEGUNDO|" + QString::number(Grilla::AnchoColumnaPorDefecto),
                                    "SEGUNDO|1234", "SEGUNDO|1234"}));
    EXPECT_EQ(RegistrosConsultas(ruta)->size(), 2u);
}

TEST(VentanaConsultaEntidad, NombreTrasElPrimerFrom) {
    EXPECT_EQ(VentanaConsulta::EntidadDeSentencia("SELECT top 1000 * FROM VT_CLIENTES  with(nolock) "),
              "VT_CLIENTES");
    EXPECT_EQ(VentanaConsulta::EntidadDeSentencia("select a,b from [V_TA_Cajas] where x=1"), "V_TA_Cajas");
    EXPECT_EQ(
        VentanaConsulta::EntidadDeSentencia("SELECT  Nombre From ma_destinatarios WHERE Nombre LIKE '%a%'"),
        "ma_destinatarios");
    EXPECT_EQ(VentanaConsulta::EntidadDeSentencia("select fromage from\tT1,T2"), "T1");
    EXPECT_EQ(VentanaConsulta::EntidadDeSentencia("select 1"), "");
}

} // namespace
