// The article lookup on a copy of the demo database: each query branch, the prefixes, scale
// labels, supplier codes, hostile texts and the business-unit check.
#include "BuscaArticulo.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "CargaConfiguracion.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "ValoresConfiguracion.h"

#include <sqlite3.h>

namespace {

struct Resultado {
    bool encontrado = false;
    QString codigo;      // Codigo on return, trimmed
    QString descripcion; // Descripcion
    QString udBase;      // UdBase
    QString unidad;      // field IDUNIDAD of the row (the later of two)
    double cantidad = 0; // Cantidad
    Moneda importe;      // Importe
    QString prefijoLote; // PrefijoLote
    bool porCodigoBarra = false;
    qint16 aviso = 0;
    int tipoBloqueo = 0;
};

struct Llamada {
    bool porCodigoBarra = false;
    QString cuenta = {};
    QString lista = {};
    QString tc = {};
    qint16 aviso = 0;
    QString programa = "modelos";
    bool soloLectura = true;
};

class Busqueda : public ConBaseDemo {
protected:
    Regional::Fijo regional{QChar(','), QChar('.')};

    void SetUp() override {
        ConBaseDemo::SetUp();
        if (HasFatalFailure())
            return;
        CargaConfiguracion(Carpeta() + "/", "modelos");
        LeeValoresEAN();
        ASSERT_EQ(gTipoEAN, "0CCCCCPPPPP");
        ASSERT_EQ(gDecimalesEAN, "2");
        ASSERT_EQ(gUnidadMedidaKG, "KG");
        ASSERT_EQ(gUnidadNegocio, "   1");
    }

    Resultado Busca(const QString& texto, const Llamada& l = {}) {
        Resultado r;
        QString codigo = texto;
        r.porCodigoBarra = l.porCodigoBarra;
        r.aviso = l.aviso;
        Registros rs;
        r.encontrado =
            BuscaArticulo(codigo, rs, l.soloLectura, r.porCodigoBarra, r.descripcion, l.cuenta, r.udBase,
                          l.lista, r.cantidad, r.importe, r.prefijoLote, l.tc, r.aviso, l.programa);
        r.codigo = codigo.trimmed();
        if (r.encontrado) {
            EXPECT_EQ(rs.Fields("IDARTICULO").toString(), codigo) << "the set stands on the article";
            r.unidad = rs.Fields("IDUNIDAD").toString();
            r.tipoBloqueo = rs.LockType();
        }
        return r;
    }

    // Changes the copy through its own connection (the lookup's connection sees the change).
    void Modifica(const QString& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(RutaBase().toUtf8().constData(), &db), SQLITE_OK);
        RegistraFuncionesSqlite(db);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString mensaje = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << mensaje.toStdString();
    }

    QStringList Columnas(const QString& tabla) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(RutaBase().toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = ("SELECT name FROM pragma_table_info('" + tabla + "')").toUtf8();
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr), SQLITE_OK);
        QStringList columnas;
        while (sqlite3_step(st) == SQLITE_ROW)
            columnas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return columnas;
    }

    static QString Rellena(const QString& codigo) { return QString("%1").arg(codigo, 25); }
};

TEST_F(Busqueda, CadaCodigoDelArticuloConSuUnidad) {
    struct Caso {
        const char* texto;
        const char* unidad; // IDUNIDAD of the row: the unit of the code that matched
    };
    const Caso casos[] = {
        {"torn-6x40", "  UN"},     {"7790000000010", "  UN"}, {"17790000000017", "  CJ"},
        {"7790000000027", "  PQ"}, {"7790000000034", "  UN"}, {"7790000000041", "  BL"},
        {"7790000000058", " DOC"},
    };
    for (const bool modoBarra : {false, true}) {
        for (const Caso& c : casos) {
            SCOPED_TRACE(std::string(c.texto) + (modoBarra ? " barras" : ""));
            const Resultado r = Busca(c.texto, {.porCodigoBarra = modoBarra});
            EXPECT_TRUE(r.encontrado);
            EXPECT_EQ(r.codigo, "TORN-6X40");
            EXPECT_EQ(r.descripcion, "Tornillo autoperforante 6 x 40 mm");
            EXPECT_EQ(r.udBase, "  UN") << "the base unit, whatever unit the code has";
            EXPECT_EQ(r.unidad, c.unidad);
            EXPECT_EQ(r.porCodigoBarra, modoBarra);
            EXPECT_EQ(r.cantidad, 0.0);
            EXPECT_EQ(r.importe, Moneda());
            EXPECT_EQ(r.tipoBloqueo, TipoBloqueo::SoloLectura);
        }
    }
    // A generated article by its code and its case code; editable when asked.
    Resultado r = Busca("1030", {.soloLectura = false});
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.codigo, "1030");
    EXPECT_EQ(r.tipoBloqueo, TipoBloqueo::Optimista);
    r = Busca("17791234000309");
    EXPECT_EQ(r.codigo, "1030");
    EXPECT_EQ(r.unidad, "  CJ");
    EXPECT_EQ(r.udBase, "  UN");
}

TEST_F(Busqueda, OrdenEnModoCodigoDeBarras) {
    // An article whose code is another article's main bar code.
    Modifica("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo) VALUES ('" +
             Rellena("7790000000010") + "', 'Código igual a una barra', '  KG', '   1')");
    Resultado r = Busca("7790000000010");
    EXPECT_EQ(r.codigo, "7790000000010");
    EXPECT_EQ(r.udBase, "  KG");
    r = Busca("7790000000010", {.porCodigoBarra = true});
    EXPECT_EQ(r.codigo, "TORN-6X40");
    EXPECT_TRUE(r.porCodigoBarra);

    // Three characters or fewer never use bar-code mode, and the caller learns it.
    Modifica("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo, codigobarra) VALUES "
             "('" +
             Rellena("777") + "', 'Corto', '  UN', '   1', NULL), ('" + Rellena("778") +
             "', 'Barra corta', '  UN', '   1', '" + Rellena("777") + "')");
    r = Busca("777", {.porCodigoBarra = true});
    EXPECT_EQ(r.codigo, "777");
    EXPECT_FALSE(r.porCodigoBarra);
    r = Busca("7777", {.porCodigoBarra = true});
    EXPECT_FALSE(r.encontrado);
    EXPECT_TRUE(r.porCodigoBarra);
}

TEST_F(Busqueda, PrefijoDeCantidad) {
    Resultado r = Busca("3*1030");
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.codigo, "1030");
    EXPECT_EQ(r.cantidad, 3.0);

    r = Busca("1,5* 1030");
    EXPECT_EQ(r.codigo, "1030");
    EXPECT_EQ(r.cantidad, 1.5);

    // A zero quantity keeps the whole text as the code.
    r = Busca("0*1030");
    EXPECT_FALSE(r.encontrado);
    EXPECT_EQ(r.codigo, "0*1030");
    EXPECT_EQ(r.cantidad, 0.0);
    EXPECT_EQ(r.udBase, "");

    // The article-master programs take the text as it stands.
    r = Busca("3*1030", {.programa = "Articulos.exe"});
    EXPECT_FALSE(r.encontrado);
    EXPECT_EQ(r.codigo, "3*1030");
    EXPECT_EQ(r.cantidad, 0.0);
}

TEST_F(Busqueda, PrefijoDeLote) {
    Resultado r = Busca("12A1030");
    EXPECT_FALSE(r.encontrado) << "without automatic lots the text is a code";

    gAsignacionAutomaticaDeLoteINGOP = true;
    r = Busca("12A1030");
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.prefijoLote, "12");
    EXPECT_EQ(r.codigo, "1030");

    gAsignacionAutomaticaDeLoteINGOP = false;
    gAsignacionAutomaticaDeLoteING = true;
    r = Busca("a1030");
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.prefijoLote, "");
    EXPECT_EQ(r.codigo, "1030");

    r = Busca("X1A1030");
    EXPECT_FALSE(r.encontrado);
    EXPECT_EQ(r.codigo, "X1A1030");

    // Both prefixes: quantity first, then lot.
    r = Busca("2*7A1030");
    EXPECT_EQ(r.cantidad, 2.0);
    EXPECT_EQ(r.prefijoLote, "7");
    EXPECT_EQ(r.codigo, "1030");

    r = Busca("12A1030", {.programa = "articulos"});
    EXPECT_FALSE(r.encontrado);
    EXPECT_EQ(r.prefijoLote, "");
}

TEST_F(Busqueda, EtiquetasDeBalanzaDelDemo) {
    // The demo's weight labels of article 50001.
    for (const auto& [etiqueta, kilos] :
         {std::pair{"2050001012340", 1.234}, std::pair{"2050001005007", 0.5},
          std::pair{"2050001027504", 2.75}, std::pair{"-2050001005007", -0.5}}) {
        SCOPED_TRACE(etiqueta);
        for (const bool modoBarra : {false, true}) {
            const Resultado r = Busca(etiqueta, {.porCodigoBarra = modoBarra});
            EXPECT_TRUE(r.encontrado);
            EXPECT_EQ(r.codigo, "50001");
            EXPECT_EQ(r.descripcion, "Queso de máquina");
            EXPECT_EQ(r.udBase, "  KG");
            EXPECT_DOUBLE_EQ(r.cantidad, kilos);
        }
    }
    // An amount mask on the same label.
    gTipoEAN = "0CCCCCTTTTT";
    Resultado r = Busca("-2050001012340");
    EXPECT_EQ(r.codigo, "50001");
    EXPECT_EQ(r.importe, Moneda::DeCrudo(-123400));
    EXPECT_EQ(r.cantidad, -1.0);

    // Without a mask the label is looked up as it stands.
    gTipoEAN = "";
    r = Busca("2050001012340");
    EXPECT_FALSE(r.encontrado);
    EXPECT_EQ(r.codigo, "2050001012340");
    EXPECT_EQ(r.cantidad, 0.0);
}

TEST_F(Busqueda, EtiquetaQueEsUnaBarraGuardada) {
    Modifica("UPDATE V_MA_ARTICULOS SET codigobarra = '" + Rellena("2050001012340") +
             "' WHERE IDARTICULO = '" + Rellena("1030") + "'");
    // Bar-code mode looks the stored bar code up before decoding.
    Resultado r = Busca("2050001012340", {.porCodigoBarra = true});
    EXPECT_EQ(r.codigo, "1030");
    EXPECT_EQ(r.cantidad, 0.0);
    // Otherwise the label is decoded first.
    r = Busca("2050001012340");
    EXPECT_EQ(r.codigo, "50001");
    EXPECT_DOUBLE_EQ(r.cantidad, 1.234);

    // After decoding, bar-code mode still tries the main bar code before the article code.
    Modifica("UPDATE V_MA_ARTICULOS SET codigobarra = '" + Rellena("50001") + "' WHERE IDARTICULO = '" +
             Rellena("1031") + "'");
    r = Busca("2050001005007", {.porCodigoBarra = true});
    EXPECT_EQ(r.codigo, "1031");
    EXPECT_DOUBLE_EQ(r.cantidad, 0.5);
    r = Busca("2050001005007");
    EXPECT_EQ(r.codigo, "50001");
}

TEST_F(Busqueda, ReglaDelKilogramo) {
    gTipoEAN = "0CCCCCQQQQQ";
    Modifica("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo) VALUES ('" +
             Rellena("60001") + "', 'Pan por unidad', '  UN', '   1')");
    // Kept in kilograms: the label's quantity.
    Resultado r = Busca("2050001012340");
    EXPECT_EQ(r.codigo, "50001");
    EXPECT_DOUBLE_EQ(r.cantidad, 12.34);
    // Any other unit: one unit per label, signed, and per typed text whatever its prefix.
    r = Busca("2060001012340");
    EXPECT_EQ(r.codigo, "60001");
    EXPECT_EQ(r.cantidad, 1.0);
    r = Busca("-2060001012340");
    EXPECT_EQ(r.cantidad, -1.0);
    r = Busca("3*TORN-6X40");
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.cantidad, 1.0);
    // Other masks leave the quantity alone.
    gTipoEAN = "0CCCCCPPPPP";
    r = Busca("3*TORN-6X40");
    EXPECT_EQ(r.cantidad, 3.0);
}

TEST_F(Busqueda, CodigosDeProveedor) {
    // Through the purchase list: the supplier's own code of article 1030 is 501030.
    Resultado r = Busca("501030", {.cuenta = "P001", .lista = "1"});
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.codigo, "1030");
    EXPECT_EQ(r.udBase, "  UN");
    EXPECT_EQ(r.descripcion, Busca("1030").descripcion);

    // No price row: the article's own supplier code and account.
    r = Busca("PRV-0030", {.cuenta = "P001", .lista = "1"});
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.codigo, "1030");
    r = Busca("prv-0030", {.cuenta = " P001 "});
    EXPECT_EQ(r.codigo, "1030");
    r = Busca("BI-640.40", {.cuenta = "P002", .lista = "1"});
    EXPECT_EQ(r.codigo, "TORN-6X40");

    // Another supplier's code, or no supplier: nothing.
    EXPECT_FALSE(Busca("PRV-0030", {.cuenta = "P002"}).encontrado);
    EXPECT_FALSE(Busca("PRV-0030").encontrado);
    EXPECT_FALSE(Busca("501030", {.cuenta = "P001", .lista = "2"}).encontrado) << "list 2 is a sales list";
    EXPECT_FALSE(Busca("501030", {.lista = "1"}).encontrado) << "the list alone does not search";
}

TEST_F(Busqueda, ReintentoConElCodigoSinRellenar) {
    // On a database that compares the supplier's code with its blanks, a code stored unfilled is
    // found by the retry, and only a code with a point is retried.
    QStringList columnas = Columnas("V_MA_ARTICULOS");
    ASSERT_TRUE(columnas.contains("CodigoArtProveedor"));
    columnas.replace(columnas.indexOf("CodigoArtProveedor"),
                     "CodigoArtProveedor COLLATE BINARY AS CodigoArtProveedor");
    Modifica("ALTER TABLE V_MA_ARTICULOS RENAME TO ARTICULOS_BASE;"
             "CREATE VIEW V_MA_ARTICULOS AS SELECT " +
             columnas.join(", ") +
             " FROM ARTICULOS_BASE;"
             "UPDATE ARTICULOS_BASE SET CodigoArtProveedor = trim(CodigoArtProveedor) "
             "WHERE IDARTICULO IN ('TORN-6X40', 'GASEOSA-225')");
    Resultado r = Busca("BI-640.40", {.cuenta = "P002"});
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.codigo, "TORN-6X40");
    EXPECT_EQ(r.udBase, "  UN");
    EXPECT_FALSE(Busca("GL-225", {.cuenta = "P001"}).encontrado);
}

TEST_F(Busqueda, TextosHostilesNoLleganAlSql) {
    for (const QString& texto :
         {QString("O'Brien"), QString("' OR '1'='1"), QString("1030' --"), QString(300, QChar('9')),
          QString(300, QChar('x')), "3*" + QString(298, '\'')}) {
        SCOPED_TRACE(texto.left(20).toStdString());
        for (const bool modoBarra : {false, true}) {
            Resultado r;
            EXPECT_NO_THROW(r = Busca(texto, {.porCodigoBarra = modoBarra, .cuenta = "P001", .lista = "1"}));
            EXPECT_FALSE(r.encontrado);
        }
    }
    // An apostrophe in a real code is found as it stands.
    Modifica("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo, CodigoArtProveedor, "
             "CuentaProveedor) VALUES (printf('%-25s', 'D''ALESSIO'), 'Con apóstrofo', '  UN', '   1', "
             "'O''HARA.1', 'P001')");
    Resultado r = Busca("d'alessio");
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.codigo, "D'ALESSIO");
    r = Busca("O'HARA.1", {.cuenta = "P001"});
    EXPECT_EQ(r.codigo, "D'ALESSIO");
}

TEST_F(Busqueda, UnidadDeNegocio) {
    const QString mensaje = "Este articulo pertenece a una unidad de negocio distinta a la seleccionada";
    gRazonSocialPorUneg = true;
    // KIT-ASADO belongs to business unit 3; the session's is 1.
    Resultado r = Busca("KIT-ASADO", {.programa = "Ventas"});
    EXPECT_FALSE(r.encontrado);
    EXPECT_EQ(r.codigo, "KIT-ASADO");
    EXPECT_EQ(r.descripcion, "Kit para asado");
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, mensaje);
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar);

    r = Busca("KIT-ASADO", {.aviso = 1, .programa = "facturacion.exe"});
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.aviso, 2);
    r = Busca("KIT-ASADO", {.aviso = 5, .programa = "Ventas"});
    EXPECT_TRUE(r.encontrado);
    EXPECT_EQ(r.aviso, 5);
    EXPECT_EQ(guion.Registros().size(), 1u) << "no further message";

    // Orders and pro-forma types, the article of the session's unit, other programs, the setting
    // off: no check.
    EXPECT_TRUE(Busca("KIT-ASADO", {.tc = "NP", .programa = "Ventas"}).encontrado);
    EXPECT_TRUE(Busca("KIT-ASADO", {.tc = "ncfp", .programa = "Ventas"}).encontrado);
    EXPECT_TRUE(Busca("TORN-6X40", {.programa = "Ventas"}).encontrado);
    EXPECT_TRUE(Busca("KIT-ASADO").encontrado);
    gRazonSocialPorUneg = false;
    EXPECT_TRUE(Busca("KIT-ASADO", {.programa = "Ventas"}).encontrado);
    EXPECT_EQ(guion.Registros().size(), 1u);
}

TEST_F(Busqueda, TextoVacioYNoEncontrado) {
    QString codigo = "   ";
    Registros rs;
    bool porCodigoBarra = true;
    QString descripcion = "d", udBase = "u", prefijo = "p";
    double cantidad = 7;
    Moneda importe = Moneda::DeEntero(9);
    qint16 aviso = 0;
    EXPECT_FALSE(BuscaArticulo(codigo, rs, true, porCodigoBarra, descripcion, "P001", udBase, "1", cantidad,
                               importe, prefijo, "", aviso));
    EXPECT_EQ(codigo, "   ");
    EXPECT_TRUE(porCodigoBarra);
    EXPECT_EQ(udBase, "u");
    EXPECT_EQ(cantidad, 7.0);
    EXPECT_EQ(rs.State(), 0) << "no query ran";

    codigo = "NO-EXISTE";
    EXPECT_FALSE(BuscaArticulo(codigo, rs, true, porCodigoBarra, descripcion, "P001", udBase, "1", cantidad,
                               importe, prefijo, "", aviso));
    EXPECT_EQ(codigo, "NO-EXISTE");
    EXPECT_EQ(descripcion, "d");
    EXPECT_EQ(udBase, "");
    EXPECT_EQ(cantidad, 7.0);
    EXPECT_TRUE(rs.Eof());
}

TEST(SqlBuscaArticulo, TextosDeLasConsultas) {
    // Without a connection the values are still quoted with their apostrophes doubled.
    EXPECT_EQ(SqlBuscaArticulo(1, "A'B"),
              "SELECT *,IDUNIDAD AS UDBASE FROM V_MA_ARTICULOS WHERE codigobarra =  'A''B'");
    EXPECT_EQ(SqlBuscaArticulo(2, "X"),
              "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = 'X'");
    EXPECT_EQ(SqlBuscaArticulo(9, "X"), SqlBuscaArticulo(2, "X"));
    EXPECT_EQ(SqlBuscaArticulo(3, "X"),
              "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE codigobarra =  'X'");
    EXPECT_EQ(SqlBuscaArticulo(4, "X"),
              "SELECT *,IDUNIDAD AS UDBASE , ISNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM "
              "V_MA_ARTICULOS WHERE CODIGOBARRADUN = 'X'");
    EXPECT_EQ(SqlBuscaArticulo(8, "X"),
              "SELECT *,IDUNIDAD AS UDBASE , ISNULL(UMCB4,IDUNIDAD) AS IDUNIDAD FROM "
              "V_MA_ARTICULOS WHERE CODIGOBARRA4 = 'X'");
    EXPECT_EQ(SqlArticuloPorLista("P'1", " 1 "),
              "SELECT IDARTICULO,IDARTICULOPROVEEDOR,idunidad as UdBase FROM V_MA_PRECIOS WHERE "
              "IDARTICULOPROVEEDOR = 'P''1' and IDLISTA = '   1' AND TIPOLISTA = 'C'");
    EXPECT_EQ(SqlArticuloProveedor("C", " P'2 "), "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE "
                                                  "CodigoArtProveedor = 'C' and CuentaProveedor = 'P''2'");
    ReiniciaSesion();
}

} // namespace
