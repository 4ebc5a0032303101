// The searches of the search window on the demo database: each entity's statement as the suite
// writes it, run for real, the settings that shape it, the typed text with apostrophes, the
// look-up by table name with its name rules, and the account and dispatch look-ups.

#include "ConsultaLike.h"
#include "AccesoDatos.h"
#include "AuxInicio.h"
#include "BaseDemo.h"
#include "BaseEmbebida.h"
#include "ConsultaTabla.h"
#include "CuentasDespachos.h"
#include "DefinicionesConsulta.h"
#include "Globales.h"
#include "Registros.h"
#include "ValoresConfiguracion.h"
#include "VentanaConsulta.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class Busquedas : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Aux().CarpetaPrograma(Carpeta() + u'/');
        VC().setArchivoConsultas(Carpeta() + QStringLiteral("/consultas.cvn"));
        CreaConsultasDefault();
        gMostrarStockenConsultas = true;
        gTituloClientes = QStringLiteral("Clientes");
        gTituloProveedores = QStringLiteral("Proveedores");
        gExigeClaveConsultaLikeArticulos = false;
        // The person chooses the row `fila_` (0: cancels); what was shown is kept.
        guion.alMostrar = [this](Formulario&) {
            VentanaConsulta& v = VC();
            v.LeeTodas();
            sentencias_ << v.SentenciaMostrada();
            filas_ = v.FilasDatos();
            if (fila_ > 0 && fila_ <= filas_) {
                v.Resultado().setRow(fila_);
                v.Aceptar();
            } else {
                v.Cancelar();
            }
        };
    }

    // Runs the search and gives back the chosen key.
    QString Busca(QString tabla, QString texto, bool soloActivos = false, const QString& condicion = {}) {
        QString resultado = QStringLiteral("sin cambio");
        SubConsultaLike(tabla, texto, resultado, 0, soloActivos, condicion);
        tabla_ = tabla;
        texto_ = texto;
        return resultado;
    }

    QString Ultima() const { return sentencias_.isEmpty() ? QString() : sentencias_.last(); }
    QString Celda(int fila, const QString& columna) {
        const ResultadoConsulta& g = VC().Resultado();
        for (int c = 0; c < g.Cols(); ++c)
            if (g.TextMatrix(0, c).compare(columna, Qt::CaseInsensitive) == 0)
                return g.TextMatrix(fila, c);
        return QStringLiteral("(sin columna)");
    }

    QStringList sentencias_;
    int filas_ = -1;
    int fila_ = 1;
    QString tabla_;
    QString texto_;
};

const QString kColumnasStk =
    QStringLiteral("STK_MA_ARTICULOS.DESCRIPCION,STK_MA_ARTICULOS.IDARTICULO,Deposito,Stock,PuntoPedido");

TEST_F(Busquedas, ArticulosEnCualquierParteDelTextoYConLaTablaComoSePaso) {
    const QString elegido = Busca("STK_MA_ARTICULOS", "agua  premium");
    EXPECT_EQ(Ultima(), "SELECT top 1000 " + kColumnasStk +
                            " FROM STK_MA_ARTICULOS with(nolock)   WHERE STK_MA_ARTICULOS.DESCRIPCION LIKE "
                            "'%agua%%premium%' ");
    EXPECT_EQ(tabla_, "STK_MA_ARTICULOS");
    EXPECT_EQ(texto_, "agua%%premium"); // the caller's text keeps its percent signs
    ASSERT_GT(filas_, 0);
    EXPECT_EQ(elegido, Celda(1, "IDARTICULO").trimmed());
    EXPECT_FALSE(elegido.isEmpty());
    for (int f = 1; f <= filas_; ++f)
        EXPECT_TRUE(Celda(f, "DESCRIPCION").startsWith("Agua mineral Premium")) << f;
    // The chosen row's fields reach the window's collection.
    EXPECT_EQ(VC().ColeccionConsulta().Item("IDARTICULO").toString().trimmed(), elegido);
}

TEST_F(Busquedas, ArticulosAlPrincipioSinUsaConsultaLikeYSinMostrarStock) {
    AjustaConfiguracion("UsaConsultaLIKE", "NO");
    gMostrarStockenConsultas = false;
    Busca("STK_MA_ARTICULOS", "Agua mineral");
    EXPECT_EQ(Ultima(), "SELECT top 1000 STK_MA_ARTICULOS.DESCRIPCION,STK_MA_ARTICULOS.IDARTICULO,Deposito"
                        " FROM STK_MA_ARTICULOS  with(nolock)  WHERE STK_MA_ARTICULOS.DESCRIPCION LIKE "
                        "'Agua mineral%' ");
    EXPECT_EQ(texto_, "Agua mineral");
    EXPECT_GT(filas_, 0);
    Busca("STK_MA_ARTICULOS", "mineral");
    EXPECT_EQ(filas_, 0); // only at the start
}

TEST_F(Busquedas, LimiteDeFilasDeTopConsArt) {
    for (const char* valor : std::initializer_list<const char*>{"0", nullptr, "7"}) {
        if (valor)
            AjustaConfiguracion("TopConsArt", valor);
        else
            QuitaConfiguracion("TopConsArt");
        Busca("STK_MA_ARTICULOS", "");
        const int limite = valor && QString(valor) == "7" ? 7 : 1000;
        EXPECT_EQ(gTopConsulta, limite);
        EXPECT_TRUE(Ultima().startsWith(QString("SELECT top %1 ").arg(limite))) << Ultima().toStdString();
        EXPECT_EQ(filas_, std::min(limite, filas_));
        if (limite == 7) {
            EXPECT_EQ(filas_, 7);
        }
    }
    EXPECT_EQ(Ultima(), "SELECT top 7 " + kColumnasStk + " FROM STK_MA_ARTICULOS  with(nolock) ");
}

TEST_F(Busquedas, SoloActivosImagenYCondicionesUnidas) {
    AjustaConfiguracion("ConsultaArticuloConImagen", "si");
    Busca("STK_MA_ARTICULOS", "agua mineral", true, "PRECIO > 0");
    // The caller's condition is dropped, the code is searched and blanks stay.
    EXPECT_EQ(Ultima(),
              "SELECT top 1000 " + kColumnasStk +
                  ",STK_MA_ARTICULOS.RutaImagen  FROM STK_MA_ARTICULOS with(nolock)   WHERE IdArticulo "
                  "LIKE '%agua mineral%' "
                  " AND SUSPENDIDO = 0");
    EXPECT_EQ(texto_, "agua mineral");
    EXPECT_EQ(filas_, 0);

    // A definition with its own condition goes before the caller's.
    QFile::remove(VC().ArchivoConsultas());
    EscritorConsultas e(VC().ArchivoConsultas());
    e.Agrega({"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|PRECIO|", "SUSPENDIDO = 0"});
    e.Cierra();
    AjustaConfiguracion("ConsultaArticuloConImagen", "NO");
    Busca("V_MA_ARTICULOS", "", false, "IDLISTA = '   1'");
    EXPECT_EQ(Ultima(),
              "SELECT top 1000 V_MA_ARTICULOS.DESCRIPCION,V_MA_ARTICULOS.IDARTICULO,V_MA_PRECIOS.PRECIO "
              "FROM V_MA_ARTICULOS  with(nolock)  LEFT OUTER JOIN V_MA_Precios ON "
              "V_MA_ARTICULOS.IdArticulo = V_MA_Precios.IdArticulo  where SUSPENDIDO = 0 and "
              "IDLISTA = '   1'");
    EXPECT_GE(filas_, 0); // runs
    EXPECT_EQ(sentencias_.size(), 2);
}

TEST_F(Busquedas, SinClaveConExigeClaveSoloAvisa) {
    gExigeClaveConsultaLikeArticulos = true;
    EXPECT_EQ(Busca("STK_MA_ARTICULOS", "  "), "sin cambio");
    EXPECT_TRUE(sentencias_.isEmpty());
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().at(0).startsWith("Atención, por la gran cantidad de Artículos"));
    // A text of blanks is no empty text when the key is not required.
    gExigeClaveConsultaLikeArticulos = false;
    Busca("STK_MA_ARTICULOS", "  ");
    EXPECT_TRUE(Ultima().endsWith("LIKE '%%%%' ")) << Ultima().toStdString(); // each blank a "%"
}

TEST_F(Busquedas, ApostrofesDelTextoNoTerminanElLiteral) {
    EXPECT_EQ(Busca("VT_CLIENTES", "O'Higgins"), "C0003");
    EXPECT_EQ(Ultima(), "SELECT top 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES with(nolock)  WHERE "
                        "(RAZON_SOCIAL LIKE '%O''Higgins%' OR NUMERO_DOCUMENTO LIKE '%O''Higgins%')  AND "
                        "Dada_De_Baja = 0");
    EXPECT_EQ(Busca("VT_CLIENTES", "'"), "C0003"); // an apostrophe is a character like any other
    EXPECT_EQ(filas_, 1);
    for (const char* texto : {"x' OR 1=1 --", "''; DELETE FROM VT_CLIENTES; --"}) {
        Busca("STK_MA_ARTICULOS", texto);
        EXPECT_EQ(filas_, 0) << texto;
        Busca("VT_CLIENTES", texto);
        EXPECT_EQ(filas_, 0) << texto;
    }
    Registros rs;
    AD().ObtieneRecordset("SELECT COUNT(*) FROM VT_CLIENTES", rs);
    EXPECT_GE(rs.Fields(0).toInt(), 4);
}

// What the user types matches itself: "%", "_", "[" and "!" are characters, not patterns.
TEST_F(Busquedas, LosComodinesEscritosSeBuscanComoTexto) {
    AD().EjecutaSQL("INSERT INTO VT_CLIENTES (CODIGO, RAZON_SOCIAL, NUMERO_DOCUMENTO, Dada_De_Baja) VALUES "
                    "('C0100', 'Rebajas 50% S_A', '20-1', 0), ('C0101', 'Casa [Centro]!', '20-2', 0)");
    EXPECT_EQ(Busca("VT_CLIENTES", "%"), "C0100");
    EXPECT_EQ(filas_, 1);
    EXPECT_EQ(Ultima(),
              "SELECT top 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES with(nolock)  WHERE "
              "(RAZON_SOCIAL LIKE '%!%%' ESCAPE '!' OR NUMERO_DOCUMENTO LIKE '%!%%' ESCAPE '!')  AND "
              "Dada_De_Baja = 0");
    EXPECT_EQ(Busca("VT_CLIENTES", "_"), "C0100");
    EXPECT_EQ(filas_, 1);
    EXPECT_EQ(Busca("VT_CLIENTES", "[C"), "C0101");
    EXPECT_EQ(filas_, 1);
    EXPECT_EQ(Busca("VT_CLIENTES", "!"), "C0101");
    EXPECT_EQ(filas_, 1);
    Busca("STK_MA_ARTICULOS", "%");
    EXPECT_EQ(filas_, 0);
    // Matching anywhere, a blank is still a wildcard between the typed words.
    AjustaConfiguracion("UsaConsultaLIKE", "SI");
    fila_ = 0;
    Busca("STK_MA_ARTICULOS", "_ agua");
    EXPECT_EQ(filas_, 0);
    EXPECT_TRUE(Ultima().contains("LIKE '%!_%agua%' ESCAPE '!' ")) << Ultima().toStdString();
    EXPECT_EQ(texto_, "_%agua");
}

TEST_F(Busquedas, ClientesYProveedoresSinLosDadosDeBajaYElTituloComoTextoVacio) {
    fila_ = 0;
    Busca("VT_CLIENTES", "Clientes"); // the customers' title counts as nothing typed
    EXPECT_EQ(Ultima(), "SELECT top 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES with(nolock)   WHERE "
                        "Dada_De_Baja = 0");
    EXPECT_GE(filas_, 3);
    Busca("VT_CLIENTES", "Almacén", false, "CODIGO <> 'C0001'");
    EXPECT_EQ(filas_, 0);         // C0004 is dropped
    Busca("VT_CLIENTES", "2712"); // by document number too
    EXPECT_EQ(filas_, 0);
    Busca("VT_CLIENTES", "27234");
    EXPECT_EQ(filas_, 1);

    Busca("VT_PROVEEDORES", "Proveedores");
    EXPECT_EQ(
        Ultima(),
        "SELECT top 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja = 0");
    Busca("VT_PROVEEDORES", "S.A.");
    EXPECT_EQ(Ultima(),
              "SELECT top 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock) WHERE RAZON_SOCIAL "
              "LIKE '%S.A.%' AND Dada_De_Baja = 0");
    EXPECT_EQ(filas_, 2);
}

TEST_F(Busquedas, CadaEntidadConSuSentenciaYSusFilas) {
    struct Caso {
        const char* tabla;
        const char* texto;
        const char* sql;
        const char* elegido;
    };
    const Caso casos[] = {
        {"MA_CONTACTOS", "D'Angelo",
         "SELECT top 1000 Nombre_y_Apellido,Domicilio,Localidad,Telefono FROM MA_CONTACTOS  with(nolock) "
         "WHERE "
         "Nombre_y_Apellido LIKE '%D''Angelo%'",
         nullptr}, // the default columns lack the key idContacto: the window gives nothing back
        {"MA_CUENTAS", "Caja",
         "SELECT top 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)   WHERE DESCRIPCION LIKE '%Caja%'",
         "1.1.1.01"},
        {"MA_CUENTAS", "", "SELECT top 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock) ", nullptr},
        {"VT_MAPINFO_CALLES", "belgrano",
         "SELECT top 1000  STREET  FROM VT_MAPINFO_CALLES  with(nolock)   WHERE  STREET  LIKE '%belgrano%'",
         "BELGRANO"},
        {"MAPINFO_LOCALIDADES", "Quil",
         "SELECT top 1000  LOCALIDAD,PARTIDO,Cod_postal FROM MAPINFO_LOCALIDADES  with(nolock)   WHERE  "
         "LOCALIDAD "
         " LIKE '%Quil%'",
         "Quilmes"},
        {"V_MA_EMAIL", "STOCK",
         "SELECT top 1000 Evento FROM V_MA_EMAIL  with(nolock) WHERE Evento LIKE '%STOCK%'", "STOCK_MINIMO"},
        {"V_MA_EMAIL", "", "SELECT top 1000 Evento FROM V_MA_EMAIL  with(nolock) ", nullptr},
        {"MA_DESTINATARIOS", "Tornillo",
         "SELECT  Nombre, Domicilio, Cliente + Codigo + Sucursal AS Id From ma_destinatarios WHERE Nombre "
         "LIKE "
         "'%Tornillo%'  ",
         "D02"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tabla);
        const QString elegido = Busca(c.tabla, c.texto);
        EXPECT_EQ(Ultima(), c.sql);
        EXPECT_GT(filas_, 0);
        if (c.elegido) {
            EXPECT_EQ(filas_, 1);
            EXPECT_EQ(elegido, c.elegido);
        }
        EXPECT_EQ(tabla_, c.tabla);
    }
    EXPECT_TRUE(guion.Mensajes().empty());
}

TEST_F(Busquedas, DestinatarioElegidoSeParteEnClienteCodigoYSucursal) {
    QString tabla = "MA_DESTINATARIOS";
    QString texto = "Don Pepe";
    QString resultado, cliente = "x", auxiliar = "x", sucursal = "x";
    SubConsultaLike(tabla, texto, resultado, 0, false, {}, &cliente, &auxiliar, &sucursal);
    EXPECT_EQ(resultado, "D01");
    EXPECT_EQ(cliente, "C001");
    EXPECT_EQ(sucursal, "1");
    EXPECT_EQ(auxiliar, "");
}

TEST_F(Busquedas, TropaSinDefinicionLaEscribeUnaVezYOtraTablaSinColumnasAvisa) {
    EXPECT_EQ(Busca("V_MV_TROPA", "0001234"), "000123456");
    EXPECT_EQ(Ultima(),
              "SELECT top 1000 FechaDte,Dte,IdTropa,Patente,Chofer,NroGuia,CuitVendedor FROM V_MV_TROPA  "
              "with(nolock) WHERE DTe LIKE '%0001234%'");
    EXPECT_EQ(filas_, 2);
    RegistroConsulta r;
    EXPECT_TRUE(BuscaDefinicionConsulta("V_MV_TROPA", r));
    const qint64 largo = QFileInfo(VC().ArchivoConsultas()).size();
    Busca("V_MV_TROPA", "");
    EXPECT_EQ(QFileInfo(VC().ArchivoConsultas()).size(), largo);

    // A table without definition: the catch-all says so and shows nothing.
    fila_ = 1;
    EXPECT_EQ(Busca("V_TA_Origen", "Bra"), "sin cambio");
    EXPECT_EQ(sentencias_.size(), 2);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(guion.Mensajes().at(0),
              "No hay seleccionados campos personalizados para la consulta de V_TA_Origen");
    EXPECT_EQ(guion.Registros().back().titulo, "Aviso al Operador");
    EXPECT_EQ(QFileInfo(VC().ArchivoConsultas()).size(), largo); // no cattle-lot definition written
}

TEST_F(Busquedas, DefinicionDeUnaSolaColumnaEsTambienLaPrimera) {
    QFile::remove(VC().ArchivoConsultas());
    EscritorConsultas e(VC().ArchivoConsultas());
    e.Agrega({"CUENTAS", "MA_CUENTAS", "|DESCRIPCION|", ""});
    e.Agrega({"ORIGEN", "V_TA_Origen", "|Descripcion|IdOrigen|", ""});
    e.Cierra();
    QString campos, primero;
    ArmaCamposArticulos("MA_CUENTAS", campos, primero);
    EXPECT_EQ(campos, "DESCRIPCION");
    EXPECT_EQ(primero, "DESCRIPCION");
    fila_ = 1;
    Busca("MA_CUENTAS", "Ventas");
    EXPECT_EQ(
        Ultima(),
        "SELECT top 1000 DESCRIPCION FROM MA_CUENTAS  with(nolock)   WHERE DESCRIPCION LIKE '%Ventas%'");
    EXPECT_EQ(filas_, 1);
    // Any other table with a definition: the window gives back its first column.
    EXPECT_EQ(Busca("V_TA_Origen", "Bra"), "Brasil");
    EXPECT_EQ(Ultima(),
              "SELECT top 1000 Descripcion,IdOrigen FROM V_TA_Origen with(nolock)    WHERE Descripcion "
              "LIKE '%Bra%'");
    // Without the file: "*" and nothing added.
    QFile::remove(VC().ArchivoConsultas());
    campos.clear();
    ArmaCamposArticulos("STK_MA_ARTICULOS", campos, primero);
    EXPECT_EQ(campos, "*");
    EXPECT_EQ(primero, "");
}

TEST(ConsultaTablaNombres, ReglasDeDescripcionClaveYAuxiliar) {
    struct Caso {
        const char* tabla;
        const char* tablaFinal;
        const char* descripcion;
        const char* codigo;
        const char* auxiliar;
    };
    const Caso casos[] = {
        {"TA_COMPROBANTES", "VT_TA_Cpte", "Descripcion", "Codigo", ""},
        {"v_ta_cpte", "VT_TA_Cpte", "Descripcion", "Codigo", ""},
        {"V_TA_Deposito", "V_TA_Deposito", "DESCRIPCION", "IDDeposito", ""},
        {"V_TA_Bancos", "V_TA_Bancos", "DESCRIPCION", "IDBanco", ""},
        {"v_ta_origen", "v_ta_origen", "DESCRIPCION", "IDorigen", ""},
        {"V_TA_Cajas", "V_TA_Cajas", "DESCRIPCION", "IDCajas", ""},
        {"V_TA_Tecnicos", "V_TA_Tecnicos", "NOMBRE", "IDTecnico", ""},
        {"V_TA_CPRA_VTA", "V_TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA", ""},
        {"V_TA_TipoArticulo", "V_TA_TipoArticulo", "DESCRIPCION", "IDTIPO", ""},
        {"V_TA_MotivoStock", "V_TA_MotivoStock", "DESCRIPCION", "IDMotivoStock", ""},
        {"P_MA_Empresas", "P_MA_Empresas", "NombreEmpresa", "IDEmpresa", ""},
        {"P_TA_Areas", "P_TA_Areas", "Descripcion", "IDAreas", ""},
        {"P_TA_Funciones", "P_TA_Funciones", "DESCRIPCION", "IDFunciones", ""},
        {"TA_Rubros", "TA_Rubros", "DESCRIPCION", "IDRubro", ""},
        {"TA_CPRA_VTA", "TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA", ""},
        {"V_MA_ARTICULOS", "V_MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION"},
        {"MA_ARTICULOS", "MA_ARTICULOS", "DESCRIPCION", "IDARTICULO", "DESCRIPCION"},
        {"MA_CHOFERES", "MA_CHOFERES", "APELLIDO", "CODIGO", "NOMBRES"},
        {"TA_USUARIOS", "TA_USUARIOS", "NOMBRE", "NOMBRE", ""},
        {"TA_Otra", "TA_Otra", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
        {"ma_proveedores", "ma_proveedores", "Razon_Social", "Codigo", "Razon_Social"},
        {"MA_CLIENTES", "MA_CLIENTES", "Razon_Social", "Codigo", "Codigo_sucursal"},
        {"MA_CUENTAS", "MA_CUENTAS", "Descripcion", "Codigo", "Descripcion"},
        {"[MA_CAMPOS]", "[MA_CAMPOS]", "nombre", "Codigo", "nombre"},
        {"MV_PROYECTOS", "MV_PROYECTOS", "ASUNTO", "ID", "ASUNTO"},
        {"MV_OTRA", "MV_OTRA", "d", "c", "a"},
        {"V_CPTES_MODELO_CAB", "V_CPTES_MODELO_CAB", "d", "c", "a"},
    };
    for (const Caso& c : casos) {
        QString tabla = c.tabla, d = "d", k = "c", a = "a";
        ResuelveColumnasTabla(tabla, d, k, a);
        EXPECT_EQ(tabla, c.tablaFinal) << c.tabla;
        EXPECT_EQ(d, c.descripcion) << c.tabla;
        EXPECT_EQ(k, c.codigo) << c.tabla;
        EXPECT_EQ(a, c.auxiliar) << c.tabla;
    }
}

TEST_F(Busquedas, ConsultaTablaConYSinDefinicionesYCancelada) {
    QString tabla = "v_ta_origen", d, k, a;
    fila_ = 2;
    ConsultaTabla(tabla, d, k, a, false, "");
    EXPECT_EQ(Ultima(), "select DESCRIPCION,IDorigen from v_ta_origen ");
    EXPECT_EQ(VC().Entidad(), "v_ta_origen"); // the file-based window: the entity first
    EXPECT_EQ(k, " BRA");
    fila_ = 0;
    ConsultaTabla(tabla, d, k, a, true, "");
    EXPECT_EQ(k, "");

    // Without the definitions only when asked to show.
    QFile::remove(VC().ArchivoConsultas());
    const qsizetype antes = sentencias_.size();
    tabla = "V_TA_MotivoStock";
    ConsultaTabla(tabla, d, k, a, false, "");
    EXPECT_EQ(sentencias_.size(), antes);
    EXPECT_EQ(k, "IDMotivoStock");
    fila_ = 1;
    ConsultaTabla(tabla, d, k, a, true, "WHERE IdMotivoStock <> ''");
    EXPECT_EQ(Ultima(), "select DESCRIPCION,IDMotivoStock from V_TA_MotivoStock WHERE IdMotivoStock <> ''");
    EXPECT_FALSE(k.isEmpty());
    // A name no rule knows keeps the caller's columns, blank description shown as " * ".
    tabla = "MV_APLICACION";
    d = "";
    k = "TC";
    QString sql;
    guion.alMostrar = [&](Formulario&) {
        sql = VC().SentenciaMostrada();
        VC().Cancelar();
    };
    ConsultaTabla(tabla, d, k, a, true, "");
    EXPECT_EQ(sql, "select  * ,TC from MV_APLICACION ");
}

TEST_F(Busquedas, CuentaPorCodigoOCodigoOpcionalYDespachoDeUnLote) {
    Registros rs;
    QString codigo = "5.1.1.01";
    bool opcional = false;
    EXPECT_TRUE(BuscaCuenta(codigo, rs, true, opcional));
    EXPECT_FALSE(opcional);
    codigo = "511";
    EXPECT_TRUE(BuscaCuenta(codigo, rs, true, opcional));
    EXPECT_TRUE(opcional);
    EXPECT_EQ(codigo, "5.1.1.01");
    EXPECT_EQ(rs.Fields("DESCRIPCION").toString(), "Costo de mercaderías vendidas");
    codigo = "1.1.1.01";
    EXPECT_TRUE(BuscaCuenta(codigo, rs, false, opcional)); // by optional code first, then by code
    EXPECT_EQ(codigo, "1.1.1.01");
    codigo = "9'9";
    opcional = false;
    EXPECT_FALSE(BuscaCuenta(codigo, rs, true, opcional));
    EXPECT_FALSE(opcional);
    EXPECT_EQ(SentenciaBuscaCuenta("9'9", false),
              "SELECT * FROM MA_CUENTAS  with(nolock)  WHERE Codigo =  '9''9'");
    AD().CierraRecordset(rs);

    QString controlado = "antes", origen = "antes";
    BuscaDespacho("  L1060A ", controlado, origen);
    EXPECT_EQ(controlado, "Aduana de Buenos Aires");
    EXPECT_EQ(origen, "CHN");
    origen = "antes";
    BuscaDespacho("L-SINDESC", controlado, origen);
    EXPECT_EQ(controlado, "Aduana de Rosario");
    EXPECT_EQ(origen, "antes"); // a dispatch without description keeps the origin
    BuscaDespacho("NO'EXISTE", controlado, origen);
    EXPECT_EQ(origen, "antes");
    EXPECT_EQ(SentenciaBuscaDespacho(" L1 "),
              " select * from stk_despachos where ltrim(rtrim(NroLote)) = 'L1 '");
}

// Over many typed texts of wildcard characters, a pattern made of the text finds exactly the rows
// that hold it, on the embedded database and through ODBC (SQLite's own LIKE, as a server's).
TEST(TextoLike, CadaTextoEncuentraLasFilasQueLoContienen) {
    const QString alfabeto = QStringLiteral("a%_[!'");
    QStringList textos;   // the rows: every text of one to three characters
    QStringList buscados; // what is typed: every text of one or two
    for (const QChar a : alfabeto) {
        textos << QString(a);
        buscados << QString(a);
        for (const QChar b : alfabeto) {
            textos << QString(a) + b;
            buscados << QString(a) + b;
            for (const QChar c : alfabeto)
                textos << QString(a) + b + c;
        }
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ruta = dir.filePath(QStringLiteral("like.db"));
    QStringList filas;
    for (const QString& t : textos)
        filas << "INSERT INTO T (Nombre) VALUES ('" + QString(t).replace("'", "''") + "');";
    BaseEmbebida::Crea(ruta, {"CREATE TABLE T (Nombre VARCHAR(10));\n" + filas.join('\n')});
    AccesoDatos embebida;
    embebida.AsignaServidor(QStringLiteral("sqlite"));
    embebida.AsignaBaseDatos(ruta);
    embebida.Conecta();
    AccesoDatos odbc;
    odbc.Conecta(false, 0, QStringLiteral("DRIVER={SQLite3};Database=") + ruta);
    for (AccesoDatos* ad : {&embebida, &odbc}) {
        for (const QString& buscado : buscados) {
            QSet<QString> esperadas;
            for (const QString& t : textos)
                if (t.contains(buscado))
                    esperadas.insert(t);
            QSet<QString> halladas;
            Registros rs;
            ad->ObtieneRecordset("SELECT Nombre FROM T WHERE Nombre LIKE '%" + TextoLike(buscado) + "%'" +
                                     EscapeLike(buscado),
                                 rs);
            for (; !rs.Eof(); rs.MoveNext())
                halladas.insert(rs.Fields(0).toString());
            EXPECT_EQ(halladas, esperadas)
                << buscado.toStdString() << " " << ad->TextoProveedor().toStdString();
        }
    }
}

} // namespace
