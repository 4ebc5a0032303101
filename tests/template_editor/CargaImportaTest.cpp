// Lines in bulk on the demo database: Cargar (a deposit's whole stock) and Importar (text files
// in the six layouts), with their questions, the lines they leave and what they never touch.

#include "AccesoPruebasVardelio.h"
#include "Teclas.h"
#include "VentanaDemo.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kPreguntaCarga = QStringLiteral("Este proceso carga todo el stock disponible del Deposito ");
const QString kCompletado = QStringLiteral("Proceso Completado!");
const QString kCC = QStringLiteral("Codigo,Cantidad             ");

class CargaImporta : public ConVentanaDemo {
protected:
    void SetUp() override {
        ConVentanaDemo::SetUp();
        if (HasFatalFailure())
            return;
        NuevaPlantilla();
        guion.Limpia();
    }

    static void Saldo(const QString& articulo, const char* unidad, const char* deposito, const char* stock) {
        Ejecuta("INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) "
                "VALUES ('" +
                articulo + "', '" + unidad + "', '" + deposito + "', 'del saldo', " + stock + ")");
    }
    static QString Art(int n) { return QString("%1").arg(n, 25); }
    static QString ArtIzq(const char* codigo) { return QString("%1").arg(codigo, -25); }

    void Carga(const QString& deposito, int respuesta = Respuesta::Si) {
        Campo("DepositoOrigen").setText(deposito);
        guion.AgregaRespuesta(respuesta);
        F().CmdCargar_Click();
    }
    // The filled lines: code|description|unit|quantity.
    QStringList Lineas() {
        QStringList r;
        for (int f = 1; f < G().Rows(); ++f)
            if (!Celda(f, col::CodigoArticulo).trimmed().isEmpty())
                r << QStringList{Celda(f, 0), Celda(f, 1), Celda(f, 5), Celda(f, 7)}.join('|');
        return r;
    }

    QString Archivo(const QString& nombre, const QByteArray& contenido) {
        QString ruta = carpeta.path() + "/" + nombre;
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        return ruta;
    }
    static void Formato(const QString& texto) {
        Ejecuta("DELETE FROM TA_CONFIGURACION WHERE Clave = 'IMPORTAMOV'");
        Ejecuta("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) VALUES ('STOCK', "
                "'IMPORTAMOV', '" +
                texto + "', 0)");
    }
    void Importa(const QString& ruta) {
        guion.AgregaRespuesta(Respuesta::Si);
        guion.AgregaArchivo(ruta);
        F().CmdEspecial_Click();
        EXPECT_FALSE(F().EnProceso());
        EXPECT_FALSE(UT().CursorEnEspera());
    }

    QTemporaryDir carpeta;
};

} // namespace

TEST_F(CargaImporta, CargarDejaCadaSaldoPositivoEnSuUnidadBaseEnElOrdenLeido) {
    Linea("1001", "5");
    // No: nothing changes, the typed line stays.
    Carga("1", Respuesta::No);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, kPreguntaCarga + "1 -Confirma");
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo | Estilo::Pregunta);
    EXPECT_EQ(guion.Registros()[0].titulo, "Atención");
    EXPECT_EQ(Lineas().size(), 1);

    guion.Limpia();
    Carga("1");
    EXPECT_EQ(guion.Mensajes(), QStringList({kPreguntaCarga + "1 -Confirma", kCompletado}));
    EXPECT_EQ(guion.Registros()[1].estilo, Estilo::SoloAceptar);
    // The lines: the balances read, those of the article's base unit only, in their order.
    const QStringList esperadas = Filas(
        "SELECT trim(s.IDARTICULO), trim(a.DESCRIPCION), trim(IFNULL(a.UD_STOCK, a.IDUNIDAD)), s.STOCK FROM "
        "STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON a.IDARTICULO = s.IDARTICULO AND a.IDUNIDAD = "
        "s.EQUIVALENCIA WHERE s.IDDEPOSITO = '   1' AND s.STOCK > 0 ORDER BY s.IDARTICULO");
    ASSERT_GT(esperadas.size(), 250);
    ASSERT_EQ(G().Rows(), esperadas.size() + 2); // the header, the lines and one empty row
    EXPECT_EQ(Lineas(), esperadas);
    EXPECT_TRUE(Celda(G().Rows() - 1, 0).isEmpty());
    // Only the Part's cells are written: the line deposit and every other column stay empty.
    const QSet<int> escritas = {0, 1, 5, 7, 16, 19, 20, 40, 46, 61, 68};
    for (int f = 1; f < G().Rows(); ++f) {
        for (int c = 0; c < G().Cols(); ++c) {
            if (!escritas.contains(c)) {
                ASSERT_TRUE(Celda(f, c).isEmpty()) << f << "," << c << ": " << Celda(f, c).toStdString();
            }
        }
    }
    EXPECT_FALSE(UT().CursorEnEspera());
    EXPECT_FALSE(F().EnProceso());
    EXPECT_TRUE(F().CmdCargar.Enabled());
    EXPECT_TRUE(F().UtilVox1.Enabled());
}

TEST_F(CargaImporta, CargarCeldasDeUnidadBanderasYCantidadRegional) {
    // Deposit 4 holds no balance in the demo: these are all it has.
    Saldo(Art(1003), "  KG", "   4", "12.5"); // 12,5 kg, a fraction kept
    Saldo(Art(1030), "  CJ", "   4", "2");    // another unit than the base one
    Saldo(Art(1030), "  UN", "   4", "7");
    Saldo(ArtIzq("NOEXISTE"), "  UN", "   4", "3");     // an article the master lacks
    Saldo(ArtIzq("GASEOSA-225"), "  UN", "   4", "12"); // UD_STOCK set
    Saldo(Art(1015), "  UN", "   4", "4");              // lots asked, a null flag
    Saldo(Art(1040), "  UN", "   4", "0");              // nothing available
    Saldo(Art(1041), "  UN", "   4", "-2");
    Ejecuta("UPDATE V_MA_ARTICULOS SET Exento = NULL, Perecedero = 1, Impuestos = 1.5 WHERE IDARTICULO = '" +
            Art(1030) + "'");
    F().pEsTransferencia = true;
    Carga(" 4");
    EXPECT_EQ(Lineas(),
              QStringList({"1003|Clavo punta París Clásico|KG|12,5",
                           "1015|" +
                               Filas("SELECT trim(DESCRIPCION) FROM V_MA_ARTICULOS WHERE IDARTICULO = '" +
                                     Art(1015) + "'")[0] +
                               "|UN|4",
                           "1030|" +
                               Filas("SELECT trim(DESCRIPCION) FROM V_MA_ARTICULOS WHERE IDARTICULO = '" +
                                     Art(1030) + "'")[0] +
                               "|UN|7",
                           "GASEOSA-225|Gaseosa lima limón 2,25 l|PQ|12"}));
    const auto bandera = [&](int fila, int c) { return Celda(fila, c); };
    // 1015: lots "-1", the null InsumosPorPorcentaje "0"; 1030: Exento null "0", perishable "-1".
    EXPECT_EQ(bandera(2, col::PideLote), "-1");
    EXPECT_EQ(bandera(2, col::InsumosPorPorcentaje), "0");
    EXPECT_EQ(bandera(2, col::PideSerie), "0");
    EXPECT_EQ(bandera(3, col::EsExento), "0");
    EXPECT_EQ(bandera(3, col::EsPerecedero), "-1");
    EXPECT_EQ(Celda(3, col::Impuestos), "1,5");
    // A transfer: the origin field's text as it stands.
    for (int f = 1; f <= 4; ++f)
        EXPECT_EQ(Celda(f, col::Deposito), " 4");
}

TEST_F(CargaImporta, CargarDeUnDepositoSinSaldoPositivoVaciaLaGrillaSinMensaje) {
    Linea("1001", "5");
    Linea("1002", "3");
    Saldo(Art(1001), "  UN", "   4", "0");
    Saldo(Art(1002), "  UN", "   4", "-1");
    Carga("4");
    // The typed lines are lost once the user confirmed.
    EXPECT_EQ(G().Rows(), 2);
    EXPECT_TRUE(Lineas().isEmpty());
    EXPECT_EQ(guion.Mensajes(), QStringList({kPreguntaCarga + "4 -Confirma"}));
    EXPECT_FALSE(UT().CursorEnEspera());
}

TEST_F(CargaImporta, CargarQueFallaSeInformaComoEspecialYAbandonarTerminaSinCompletar) {
    Ejecuta("ALTER TABLE STK_SALDOS_UNIDADES RENAME TO STK_SALDOS_OTRA");
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Abortar);
    Campo("DepositoOrigen").setText("1");
    F().CmdCargar_Click();
    ASSERT_EQ(guion.Mensajes().size(), 2);
    EXPECT_EQ(guion.Registros()[1].titulo, "Aviso al Operador - Especial");
    EXPECT_FALSE(UT().CursorEnEspera());
    EXPECT_FALSE(F().EnProceso());
    EXPECT_TRUE(F().CmdEspecial.Enabled());
}

TEST_F(CargaImporta, ImportarCadaFormatoConFinesCrYCrLf) {
    const Regional::Fijo coma(',', '.');
    struct Caso {
        QString formato;
        QByteArray contenido;
    };
    const std::vector<Caso> casos = {
        {"Codigo,Descripcion,Cantidad (Sep: TAB)", "1001\tMi tornillo\t12,5\r\n1002\t\t3\r\n"},
        {"Codigo,Descripcion,Cantidad (Sep: ,) coma", "1001,Mi tornillo,12\r1002,,3\r"},
        {kCC + "(Sep: TAB)", "1001\t12,5\r1002\t3"},
        {kCC.toLower() + "(sep: tab)", "1001\t12,5\r\n1002\t3\r\n"}, // lower case selects it too
        {kCC + "(Sep: ,) coma", "1001,12\r\n1002,3\r\n"},
        {kCC + "(Sep: +) Simbolo mas", "1001+12,5\r1002+3\r"},
    };
    const QString d1001 =
        Filas("SELECT trim(DESCRIPCION) FROM V_MA_ARTICULOS WHERE IDARTICULO = '" + Art(1001) + "'")[0];
    const QString d1002 =
        Filas("SELECT trim(DESCRIPCION) FROM V_MA_ARTICULOS WHERE IDARTICULO = '" + Art(1002) + "'")[0];
    for (size_t i = 0; i < casos.size(); ++i) {
        SCOPED_TRACE(casos[i].formato.toStdString());
        F().InicializaGrids();
        guion.Limpia();
        Formato(casos[i].formato);
        Importa(Archivo(QString("lineas%1.TXT").arg(i), casos[i].contenido));
        ASSERT_EQ(guion.Registros().size(), 3u) << guion.Mensajes().join('\n').toStdString();
        EXPECT_EQ(guion.Registros()[0].texto,
                  "Este proceso toma el contenido del archivo de texto seleccionado "
                  "para ingresarlo a la grilla\r\n" +
                      casos[i].formato);
        EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo);
        EXPECT_EQ(guion.Registros()[1].tipo, "AbreArchivo");
        EXPECT_EQ(guion.Registros()[1].texto, "Archivos de Texto (*.Txt)");
        EXPECT_EQ(guion.Registros()[1].titulo, "Buscar Archivos");
        EXPECT_EQ(guion.Registros()[2].texto, kCompletado);
        const bool cdc = casos[i].formato.startsWith("Codigo,Descripcion");
        const QString cantidad = casos[i].contenido.contains("12,5") ? "12,5" : "12";
        EXPECT_EQ(Lineas(), QStringList({"1001|" + (cdc ? "Mi tornillo" : d1001) + "|UN|" + cantidad,
                                         "1002|" + d1002 + "|UN|3"}));
        // Committed as typed: the quantity validated, the line's base quantity, a new row.
        EXPECT_EQ(Celda(1, col::CantidadUnidadBase), cantidad);
        EXPECT_EQ(G().Rows(), 4);
    }
}

TEST_F(CargaImporta, ImportarConservaLasLineasYMarcaLasInexistentes) {
    Linea("1001", "5");
    Linea("1002", "6");
    Linea("1003", "7");
    G().setRows(G().Rows() + 3); // empty rows after the filled lines
    Formato(kCC + "(Sep: TAB)");
    // Skipped: an empty line, one without separator, one of separators alone. Zero and empty
    // quantities are committed as 1; an unknown article stays marked before a known one.
    Importa(Archivo("mezcla.txt",
                    "\r\n1004\t0\r\nsin separador\r\n\t\r\nNOEXISTE\t4\r\n1005\t\r\n'1006'\t2\r\n"));
    const QStringList l = Lineas();
    ASSERT_EQ(l.size(), 7) << l.join('\n').toStdString();
    EXPECT_TRUE(l[0].startsWith("1001|") && l[0].endsWith("|5"));
    EXPECT_TRUE(l[2].startsWith("1003|") && l[2].endsWith("|7"));
    EXPECT_TRUE(l[3].startsWith("1004|") && l[3].endsWith("|UN|1")) << l[3].toStdString();
    EXPECT_EQ(l[4], "NOEXISTE||Inexistente|4");
    EXPECT_EQ(G().ColorFondo(5, col::Descripcion), 16776960);
    EXPECT_TRUE(l[5].startsWith("1005|") && l[5].endsWith("|LT|1")) << l.join('\n').toStdString();
    EXPECT_TRUE(l[6].startsWith("1006|") && l[6].endsWith("|MT|2"));
    // No empty row between the typed lines and the file's.
    for (int f = 1; f <= 7; ++f)
        EXPECT_FALSE(Celda(f, 0).trimmed().isEmpty()) << f;
    EXPECT_EQ(G().Rows(), 9);
}

TEST_F(CargaImporta, ImportarArchivoVacioCanceladoYLineaCdcSinCantidad) {
    Linea("1001", "5");
    const int filas = G().Rows();
    // Cancelled dialog: nothing changes, the wait indication never came on.
    guion.AgregaRespuesta(Respuesta::Si);
    F().CmdEspecial_Click();
    EXPECT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(G().Rows(), filas);
    // An empty file adds nothing and completes.
    guion.Limpia();
    Formato("");
    Importa(Archivo("vacio.txt", ""));
    EXPECT_EQ(guion.Mensajes().last(), kCompletado);
    EXPECT_EQ(Lineas().size(), 1);
    // A CDC line with two fields: reported under "Especial"; Ignore skips it and goes on.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaArchivo(Archivo("cdc.txt", "1002\tTuerca\r\n1003\tArandela\t2\r\n"));
    guion.AgregaRespuesta(Respuesta::Ignorar);
    F().CmdEspecial_Click();
    ASSERT_EQ(guion.Mensajes().size(), 3) << guion.Mensajes().join('\n').toStdString();
    EXPECT_EQ(guion.Registros()[2].titulo, "Aviso al Operador - Especial");
    EXPECT_EQ(guion.Mensajes()[2], kCompletado);
    EXPECT_EQ(Lineas().size(), 2);
    EXPECT_TRUE(Lineas()[1].startsWith("1003|Arandela|"));
    // Abort ends the import with what was entered.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaArchivo(Archivo("cdc2.txt", "1004\tx\t1\r\n1002\tTuerca\r\n1005\ty\t1\r\n"));
    guion.AgregaRespuesta(Respuesta::Abortar);
    F().CmdEspecial_Click();
    EXPECT_EQ(Lineas().size(), 3);
    EXPECT_FALSE(guion.Mensajes().contains(kCompletado));
    EXPECT_FALSE(UT().CursorEnEspera());
}

TEST_F(CargaImporta, ImportarEtiquetasDeBalanzaEnElFormatoDeSoloCodigo) {
    const Regional::Fijo coma(',', '.');
    Formato("Codigo (Solo para productos Pesables)");
    // Two labels of the cheese 50001 (1,234 kg and 0,5 kg), a plain code (its quantity 1), a
    // quantity prefix, and a label of no article.
    Importa(Archivo("balanza.txt", "2050001012340\r\n2050001005007\r\n1030\r\n3*1031\r\n2099999012345\r\n"));
    const QStringList l = Lineas();
    ASSERT_EQ(l.size(), 5) << l.join('\n').toStdString();
    EXPECT_EQ(l[0], "50001|Queso de máquina|KG|1,234");
    EXPECT_EQ(l[1], "50001|Queso de máquina|KG|0,5");
    EXPECT_TRUE(l[2].startsWith("1030|") && l[2].endsWith("|UN|1")) << l[2].toStdString();
    EXPECT_TRUE(l[3].startsWith("1031|") && l[3].endsWith("|3")) << l[3].toStdString();
    EXPECT_EQ(l[4], "2099999012345||Inexistente|0");
    EXPECT_EQ(G().ColorFondo(5, col::Descripcion), 16776960);
}

TEST_F(CargaImporta, ImportarUnCodigoConApostrofoNoLlegaAlSqlComoTexto) {
    Formato(kCC + "(Sep: +) Simbolo mas");
    Importa(Archivo("apostrofo.txt", "O'BRIEN' OR '1'='1+2\r\n1001+1\r\n"));
    // Looked up as the literal it is: no article, no database error.
    EXPECT_EQ(guion.Mensajes().size(), 2) << guion.Mensajes().join('\n').toStdString();
    const QStringList l = Lineas();
    ASSERT_EQ(l.size(), 2);
    EXPECT_EQ(l[0], "O'BRIEN' OR '1'='1||Inexistente|2");
    EXPECT_TRUE(l[1].startsWith("1001|"));
}

TEST_F(CargaImporta, ImportarMuestraElStockDeTodosLosDepositosDeCadaLineaEnBloquesDelArchivo) {
    // Articles with balances in their unit in more than one deposit, and one of none at all.
    const QStringList conSaldo =
        Filas("SELECT trim(s.IDARTICULO), SUM(s.STOCK) FROM STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON "
              "a.IDARTICULO = s.IDARTICULO AND a.IDUNIDAD = s.EQUIVALENCIA GROUP BY s.IDARTICULO "
              "HAVING COUNT(*) > 1 ORDER BY s.IDARTICULO LIMIT 3");
    ASSERT_EQ(conSaldo.size(), 3);
    const QStringList sinSaldo =
        Filas("SELECT trim(IDARTICULO) FROM V_MA_ARTICULOS WHERE IDARTICULO NOT IN "
              "(SELECT IDARTICULO FROM STK_SALDOS_UNIDADES) ORDER BY IDARTICULO LIMIT 1");
    ASSERT_EQ(sinSaldo.size(), 1);
    const auto codigo = [&](int i) { return conSaldo[i].section('|', 0, 0); };
    const auto stock = [&](int i) { return Regional::TextoNumero(conSaldo[i].section('|', 1).toDouble()); };
    // More lines than one read covers: the third article and the one without balances come
    // after the first block, the third with trailing blanks.
    QByteArray contenido;
    for (int i = 0; i < 600; ++i)
        contenido += (codigo(i % 2) + "\t1\r\n").toLatin1();
    contenido += (codigo(2) + "  \t1\r\n" + sinSaldo[0] + "\t1\r\n").toLatin1();
    Formato(kCC + "(Sep: TAB)");
    Importa(Archivo("stock.txt", contenido));
    ASSERT_EQ(Lineas().size(), 602);
    for (const int f : {1, 2, 499, 500, 501, 502, 600}) {
        SCOPED_TRACE(f);
        EXPECT_EQ(Celda(f, col::CodigoArticulo), codigo((f - 1) % 2));
        EXPECT_EQ(Celda(f, col::StockDisponible), stock((f - 1) % 2));
    }
    EXPECT_EQ(Celda(601, col::StockDisponible), stock(2));
    EXPECT_EQ(Celda(602, col::StockDisponible), "0");
    // A line typed after the import asks the database again.
    Ejecuta("UPDATE STK_SALDOS_UNIDADES SET STOCK = 0 WHERE trim(IDARTICULO) = '" + codigo(0) + "'");
    Linea(codigo(0), "1");
    EXPECT_EQ(Celda(603, col::StockDisponible), "0");
}
