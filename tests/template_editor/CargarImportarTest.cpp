// Lines in bulk on the demo database: Cargar (a deposit's whole stock) and Importar (text files
// in the six layouts), with their questions, the lines they leave and what they never touch.

#include "AccesoPruebasVardelio.h"
#include "Ayudas.h"
#include "Teclas.h"
#include "VentanaDemo.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

const QString kPreguntaCarga = QStringLiteral("Este proceso carga todo el stock disponible del Deposito ");
const QString kCompletado = QStringLiteral("Proceso Completado!");
const QString kCC = QStringLiteral("Codigo,Cantidad             ");

class CargarImportar : public ConVentanaDemo {
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

    void Cargar(const QString& deposito, int respuesta = Respuesta::Si) {
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

TEST_F(CargarImportar, CargarDejaCadaSaldoPositivoEnSuUnidadBaseEnElOrdenLeido) {
    Linea("1001", "5");
    // No: nothing changes, the typed line stays.
    Cargar("1", Respuesta::No);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, kPreguntaCarga + "1 -Confirma");
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo | Estilo::Pregunta);
    EXPECT_EQ(guion.Registros()[0].titulo, "Atención");
    EXPECT_EQ(Lineas().size(), 1);

    guion.Limpia();
    Cargar("1");
    ASSERT_EQ(guion.Mensajes().size(), 3) << guion.Mensajes().join('\n').toStdString();
    EXPECT_EQ(guion.Mensajes().mid(0, 2), QStringList({kPreguntaCarga + "1 -Confirma", kCompletado}));
    EXPECT_EQ(guion.Registros()[1].estilo, Estilo::SoloAceptar);
    EXPECT_EQ(guion.Registros()[1].titulo, "Modelos de Comprobantes de Stock");
    // The lines: the balances read, those of the article's base unit only, in that unit, in
    // their order; suspended articles are told, not taken.
    const QStringList esperadas =
        Filas("SELECT trim(s.IDARTICULO), trim(a.DESCRIPCION), trim(a.IDUNIDAD), s.STOCK FROM "
              "STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON a.IDARTICULO = s.IDARTICULO AND a.IDUNIDAD = "
              "s.EQUIVALENCIA WHERE s.IDDEPOSITO = '   1' AND s.STOCK > 0 AND a.SUSPENDIDO = 0 ORDER BY "
              "s.IDARTICULO");
    const QStringList suspendidos =
        Filas("SELECT trim(s.IDARTICULO) FROM STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON a.IDARTICULO = "
              "s.IDARTICULO AND a.IDUNIDAD = s.EQUIVALENCIA WHERE s.IDDEPOSITO = '   1' AND s.STOCK > 0 AND "
              "a.SUSPENDIDO = 1 ORDER BY s.IDARTICULO");
    ASSERT_EQ(suspendidos, QStringList({"1097", "1194", "1291"}));
    EXPECT_EQ(guion.Mensajes()[2], "Estos artículos del depósito no se cargaron:\r\n"
                                   "Artículo 1097: dado de baja\r\n"
                                   "Artículo 1194: dado de baja\r\n"
                                   "Artículo 1291: dado de baja");
    ASSERT_GT(esperadas.size(), 250);
    ASSERT_EQ(G().Rows(), esperadas.size() + 2); // the header, the lines and one empty row
    EXPECT_EQ(Lineas(), esperadas);
    EXPECT_TRUE(Celda(G().Rows() - 1, 0).isEmpty());
    // Only Cargar's own cells are written: the line deposit and every other column stay empty,
    // but for what the stock panel shows of the line the cursor is left on, the first.
    const QSet<int> escritas = {0, 1, 5, 7, 16, 19, 20, 40, 46, 61, 68};
    const QSet<int> delPanel = {col::StockDisponible, col::DescripcionTipoArticulo, col::Presentacion};
    EXPECT_EQ(G().Row(), 1);
    for (int c : delPanel)
        EXPECT_FALSE(Celda(1, c).isEmpty()) << c;
    for (int f = 1; f < G().Rows(); ++f) {
        for (int c = 0; c < G().Cols(); ++c) {
            if (!escritas.contains(c) && !(f == 1 && delPanel.contains(c))) {
                ASSERT_TRUE(Celda(f, c).isEmpty()) << f << "," << c << ": " << Celda(f, c).toStdString();
            }
        }
    }
    EXPECT_FALSE(UT().CursorEnEspera());
    EXPECT_FALSE(F().EnProceso());
    EXPECT_TRUE(F().CmdCargar.Enabled());
    EXPECT_TRUE(F().UtilVox1.Enabled());
}

TEST_F(CargarImportar, CargarCeldasDeUnidadBanderasYCantidadRegional) {
    // Deposit 4 holds no balance in the demo: these are all it has.
    Saldo(Art(1003), "  KG", "   4", "12.5"); // 12,5 kg, a fraction kept
    Saldo(Art(1030), "  CJ", "   4", "2");    // another unit than the base one
    Saldo(Art(1030), "  UN", "   4", "7");
    Saldo(ArtIzq("NOEXISTE"), "  UN", "   4", "3");     // an article the master lacks
    Saldo(ArtIzq("GASEOSA-225"), "  UN", "   4", "12"); // UD_STOCK set: still 12 units
    Saldo(Art(1015), "  UN", "   4", "4");              // lots asked, a null flag
    Saldo(Art(1040), "  UN", "   4", "0");              // nothing available
    Saldo(Art(1041), "  UN", "   4", "-2");
    Ejecuta("UPDATE V_MA_ARTICULOS SET Exento = NULL, Perecedero = 1, Impuestos = 1.5 WHERE IDARTICULO = '" +
            Art(1030) + "'");
    F().pEsTransferencia = true;
    Cargar(" 4");
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
                           "GASEOSA-225|Gaseosa lima limón 2,25 l|UN|12"}));
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

TEST_F(CargarImportar, CargarDeUnDepositoSinSaldoPositivoVaciaLaGrillaYElPanelDeStock) {
    Linea("1001", "5");
    Linea("1002", "3");
    F().MueveCelda(1, col::CodigoArticulo);
    ASSERT_NE(F().lblStockInfo[2].Caption(), " Stock:   ");
    Saldo(Art(1001), "  UN", "   4", "0");
    Saldo(Art(1002), "  UN", "   4", "-1");
    Cargar("4");
    // The typed lines are lost once the user confirmed; the panel shows the empty line.
    EXPECT_EQ(G().Rows(), 2);
    EXPECT_TRUE(Lineas().isEmpty());
    EXPECT_EQ(guion.Mensajes(), QStringList({kPreguntaCarga + "4 -Confirma"}));
    EXPECT_EQ(F().lblStockInfo[2].Caption(), " Stock:   ");
    EXPECT_EQ(F().lblStockInfo[0].Caption(), "");
    EXPECT_EQ(Foco(), "MSFlexGrid2");
    EXPECT_FALSE(UT().CursorEnEspera());
}

TEST_F(CargarImportar, CargarConUnDepositoPegadoConApostrofosNoLlegaAlSqlComoTexto) {
    // "1'" and a condition pasted into the field are codes no deposit has: nothing is loaded,
    // and nothing fails.
    for (const QString deposito : {"1'", "1' OR IDDEPOSITO <> '"}) {
        SCOPED_TRACE(deposito.toStdString());
        Linea("1001", "5");
        guion.Limpia();
        Cargar(deposito);
        EXPECT_EQ(guion.Mensajes(), QStringList({kPreguntaCarga + deposito + " -Confirma"}));
        EXPECT_EQ(G().Rows(), 2);
        EXPECT_TRUE(Lineas().isEmpty());
    }
}

TEST_F(CargarImportar, CargarYGrabarDejaCadaSaldoQuedaEnSuUnidadYElModeloAbreSinAvisos) {
    Cargar("1");
    guion.Limpia();
    // The keyboard is on the lines, on the first one, not on the voucher type.
    EXPECT_EQ(Foco(), "MSFlexGrid2");
    EXPECT_EQ(G().Row(), 1);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
    const int lineas = int(Lineas().size());
    guion.AgregaRespuesta(Respuesta::Si);
    Pulsa(tecla::F2);
    ASSERT_EQ(guion.Mensajes().size(), 1) << guion.Mensajes().join('\n').toStdString();
    // 144 units of the soda are 24 packs: they are stored as the units they are.
    const QString detalle =
        "SELECT trim(d.IdArticulo), d.Cantidad, trim(d.IdUnidad) FROM V_CPTES_MODELO_DET d "
        "JOIN V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio WHERE c.NOMBRE = "
        "'PRUEBA LINEAS'";
    EXPECT_EQ(Filas(detalle + " AND trim(d.IdArticulo) = 'GASEOSA-225'"), QStringList{"GASEOSA-225|144|UN"});
    EXPECT_EQ(Filas(detalle).size(), lineas);
    EXPECT_TRUE(Filas(detalle + " AND trim(d.IdArticulo) IN ('1097', '1194', '1291')").isEmpty());

    // Opened again, every line validates as typed would: not one box.
    guion.Limpia();
    ASSERT_EQ(Foco(), "TxtFields(0)");
    Teclea("PRUEBA LINEAS");
    Pulsa(tecla::Enter);
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().mid(0, 3).join('\n').toStdString();
    EXPECT_EQ(Lineas().size(), lineas);
}

TEST_F(CargarImportar, CargarQueFallaSeInformaComoEspecialYAbandonarTerminaSinCompletar) {
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

TEST_F(CargarImportar, ImportarCadaFormatoConFinesCrYCrLf) {
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

TEST_F(CargarImportar, ImportarConservaLasLineasYMarcaLasInexistentes) {
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

TEST_F(CargarImportar, ImportarArchivoVacioCanceladoYLineaCdcSinCantidad) {
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

TEST_F(CargarImportar, ImportarEtiquetasDeBalanzaEnElFormatoDeSoloCodigo) {
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

TEST_F(CargarImportar, ImportarUnCodigoConApostrofoNoLlegaAlSqlComoTexto) {
    Formato(kCC + "(Sep: +) Simbolo mas");
    Importa(Archivo("apostrofo.txt", "O'BRIEN' OR '1'='1+2\r\n1001+1\r\n"));
    // Looked up as the literal it is: no article, no database error.
    ASSERT_EQ(guion.Mensajes().size(), 3) << guion.Mensajes().join('\n').toStdString();
    EXPECT_TRUE(
        guion.Mensajes()[2].endsWith("Línea 1 (O'BRIEN' OR '1'='1): el artículo no existe; quedó marcada"));
    const QStringList l = Lineas();
    ASSERT_EQ(l.size(), 2);
    EXPECT_EQ(l[0], "O'BRIEN' OR '1'='1||Inexistente|2");
    EXPECT_TRUE(l[1].startsWith("1001|"));
}

TEST_F(CargarImportar, ImportarMuestraElStockDeTodosLosDepositosDeCadaLineaEnBloquesDelArchivo) {
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

TEST_F(CargarImportar, LoQueElArchivoNoDaBienQuedaMarcadoYGrabarSeDetieneEnCadaLinea) {
    Formato(kCC + "(Sep: TAB)");
    Importa(Archivo("diario.txt",
                    "1001\t2\r\n1097\t3\r\nNOEXISTE\t4\r\n1002\tdoce\r\n1003\t12 u\r\n1004\t5\r\n"));
    // The suspended article is left out; the unknown one and the quantities that are no number
    // stay as the file wrote them, marked; the others go in as typed.
    const QStringList l = Lineas();
    ASSERT_EQ(l.size(), 5) << l.join('\n').toStdString();
    EXPECT_TRUE(l[0].startsWith("1001|") && l[0].endsWith("|UN|2")) << l[0].toStdString();
    EXPECT_EQ(l[1], "NOEXISTE||Inexistente|4");
    EXPECT_TRUE(l[2].startsWith("1002|") && l[2].endsWith("|UN|doce")) << l[2].toStdString();
    EXPECT_TRUE(l[3].startsWith("1003|") && l[3].endsWith("|KG|12 u")) << l[3].toStdString();
    EXPECT_TRUE(l[4].startsWith("1004|") && l[4].endsWith("|UN|5")) << l[4].toStdString();
    for (int f = 1; f <= 5; ++f)
        EXPECT_EQ(G().ColorFondo(f, col::Descripcion), f >= 2 && f <= 4 ? 16776960 : 0) << f;
    ASSERT_EQ(guion.Mensajes().size(), 3) << guion.Mensajes().join('\n').toStdString();
    EXPECT_EQ(guion.Mensajes()[1], kCompletado);
    EXPECT_EQ(guion.Mensajes()[2], "Estas líneas del archivo no se tomaron o quedaron marcadas:\r\n"
                                   "Línea 2 (1097): el artículo fue dado de baja; no se tomó\r\n"
                                   "Línea 3 (NOEXISTE): el artículo no existe; quedó marcada\r\n"
                                   "Línea 4 (1002): la cantidad \"doce\" no es un número; quedó marcada\r\n"
                                   "Línea 5 (1003): la cantidad \"12 u\" no es un número; quedó marcada");
    EXPECT_EQ(guion.Registros()[3].estilo, Estilo::SoloAceptar | Estilo::Exclamacion);
    // The keyboard is on the lines, where the next line would be typed.
    EXPECT_EQ(Foco(), "MSFlexGrid2");
    EXPECT_EQ(G().Row(), 6);

    // F2 stops on each marked line before its question, names it and puts the cursor on it;
    // nothing reaches the database.
    const auto graba = [&] {
        guion.Limpia();
        Pulsa(tecla::F2);
        return guion.Mensajes();
    };
    EXPECT_EQ(graba(), QStringList{"La línea 2 (NOEXISTE) tiene un artículo inexistente. Corríjala o bórrela "
                                   "antes de grabar."});
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar | Estilo::Exclamacion);
    EXPECT_EQ(Foco(), "MSFlexGrid2");
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
    EXPECT_TRUE(Filas("SELECT NOMBRE FROM V_CPTES_MODELO_CAB WHERE NOMBRE = 'PRUEBA LINEAS'").isEmpty());
    EXPECT_TRUE(FilasAuxErr(AD()).empty());

    Pulsa(tecla::Suprimir);
    EXPECT_EQ(graba(), QStringList{"La línea 2 (1002) tiene una cantidad que no es un número (\"doce\"). "
                                   "Corríjala o bórrela antes de grabar."});
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(G().Col(), col::Cantidad);
    // Corrected as typed: the mark goes.
    Teclea("6");
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(2, col::Cantidad), "6");
    EXPECT_EQ(G().ColorFondo(2, col::Descripcion), 0);
    EXPECT_EQ(graba().value(0).left(30), "La línea 3 (1003) tiene una ca");
    Teclea("12");
    Pulsa(tecla::Enter);

    guion.AgregaRespuesta(Respuesta::Si);
    ASSERT_EQ(graba().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].contains("Confirma la Grabación?"));
    EXPECT_EQ(Filas("SELECT trim(d.IdArticulo), d.Cantidad, trim(d.IdUnidad) FROM V_CPTES_MODELO_DET d JOIN "
                    "V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio WHERE c.NOMBRE = 'PRUEBA LINEAS' "
                    "ORDER BY d.Linea"),
              QStringList({"1001|2|UN", "1002|6|UN", "1003|12|KG", "1004|5|UN"}));
}

TEST_F(CargarImportar, CadaLineaDelArchivoEntraSeMarcaOSeDejaYSeInformaPorSuNumero) {
    // Generated files: good lines, suspended and unknown articles, quantities that are no
    // number, blank lines, in any order. Whatever the mix, the lines taken keep the file's
    // order, exactly the bad ones are marked, and the report names the first twenty by number.
    Formato(kCC + "(Sep: TAB)");
    QRandomGenerator azar(44);
    int recortados = 0;
    for (int vuelta = 0; vuelta < 6; ++vuelta) {
        SCOPED_TRACE(vuelta);
        F().InicializaGrids();
        guion.Limpia();
        QByteArray contenido;
        QStringList esperadas; // code|mark
        QStringList informadas;
        const int total = 10 + int(azar.bounded(40));
        for (int n = 1; n <= total; ++n) {
            const int tipo = int(azar.bounded(5));
            const QString bueno = QString::number(1001 + azar.bounded(90)); // none of them suspended
            if (tipo == 0) {
                contenido += (bueno + "\t" + QString::number(1 + azar.bounded(9)) + "\r\n").toLatin1();
                esperadas << bueno + "|0";
            } else if (tipo == 1) {
                contenido += "1194\t1\r\n";
                informadas << QString("Línea %1 (1194): el artículo fue dado de baja; no se tomó").arg(n);
            } else if (tipo == 2) {
                contenido += ("X" + QString::number(n) + "\t1\r\n").toLatin1();
                esperadas << "X" + QString::number(n) + "|16776960";
                informadas << QString("Línea %1 (X%1): el artículo no existe; quedó marcada").arg(n);
            } else if (tipo == 3) {
                contenido += (bueno + "\tunos\r\n").toLatin1();
                esperadas << bueno + "|16776960";
                informadas << QString("Línea %1 (%2): la cantidad \"unos\" no es un número; quedó marcada")
                                  .arg(n)
                                  .arg(bueno);
            } else {
                contenido += "\r\n";
            }
        }
        Importa(Archivo(QString("generado%1.txt").arg(vuelta), contenido));
        QStringList tomadas;
        for (int f = 1; f < G().Rows(); ++f)
            if (!Celda(f, col::CodigoArticulo).isEmpty())
                tomadas << Celda(f, col::CodigoArticulo) + "|" +
                               QString::number(G().ColorFondo(f, col::Descripcion));
        EXPECT_EQ(tomadas, esperadas);
        const QStringList m = guion.Mensajes();
        ASSERT_EQ(m.size(), informadas.isEmpty() ? 2 : 3) << m.join('\n').toStdString();
        if (informadas.isEmpty())
            continue;
        QString aviso = "Estas líneas del archivo no se tomaron o quedaron marcadas:";
        for (const QString& i : informadas.mid(0, 20))
            aviso += "\r\n" + i;
        if (informadas.size() > 20) {
            aviso += QString("\r\n... y %1 más.").arg(informadas.size() - 20);
            ++recortados;
        }
        EXPECT_EQ(m[2], aviso);
    }
    EXPECT_GT(recortados, 0); // some report was longer than its list
}
