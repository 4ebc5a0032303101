// The stock panel of the current line and the stock-level colour of its cell, on the demo
// database (minimum 20 and maximum 100 in deposit 1 for every sixth article).

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "Globales.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

namespace {

constexpr int kBlanco = 16777215;
// The demo's level colours (Stk_Nivel1 .. Stk_Nivel4).
constexpr int kNivel[5] = {0, 15794160, 13434828, 13421823, 13434879};

TEST(NivelStock, NivelesPorUmbral) {
    const auto n = [](double s, double t) {
        return PanelStock::NivelStock(Moneda::DeDoble(s), Moneda::DeDoble(t));
    };
    EXPECT_EQ(n(5, 0), 1);
    EXPECT_EQ(n(0, 0), 4);
    EXPECT_EQ(n(-1, 0), 4);
    EXPECT_EQ(n(25, 20), 2);
    EXPECT_EQ(n(10, 20), 3);
    EXPECT_EQ(n(-3, 20), 3);
    EXPECT_EQ(n(20, 20), 4);
    EXPECT_EQ(n(5, -1), 4);
}

class StockNivel : public ConVentanaDemo {
protected:
    void SetUp() override {
        ConVentanaDemo::SetUp();
        if (!HasFatalFailure())
            NuevaPlantilla();
    }
    // A line of the article with quantity 1, left as the current line.
    void LineaDe(const QString& codigo, const QString& cantidad = QStringLiteral("1")) {
        const int fila = G().Row();
        Linea(codigo, cantidad);
        F().MueveCelda(fila, col::CodigoArticulo);
    }
    QString Panel() { return F().lblStockInfo[3].Caption(); }
    PanelStock& Stock() { return Prueba(F()).Stock(); }
    void EligeTipo(const QString& tc) {
        for (int i = 0; i < F().CmbLista.ListCount(); ++i)
            if (F().CmbLista.List(i).left(4).trimmed() == tc)
                F().CmbLista.setListIndex(i);
        ASSERT_EQ(F().FNTC(), tc);
    }
};

TEST_F(StockNivel, ConsultasDelMinimoMaximoYDelPuntoDePedido) {
    const QString articulo = QStringLiteral("                     1032");
    EXPECT_EQ(AlmacenStock::SentenciaStockMinimoMaximo(articulo, QStringLiteral("   1")),
              QStringLiteral("select * from @ADMIN_V_TA_DEPOSITO_MM  with(nolock) where idarticulo = "
                             "'                     1032' and iddeposito = '   1'"));
    EXPECT_EQ(AlmacenStock::CondicionPuntoPedido(articulo, QStringLiteral("   2")),
              QStringLiteral(" idarticulo = '                     1032' and deposito = '   2'"));
    // A typed apostrophe cannot end the literal.
    EXPECT_EQ(AlmacenStock::SentenciaStockMinimoMaximo(QStringLiteral("O'K"), QStringLiteral("   1")),
              QStringLiteral("select * from @ADMIN_V_TA_DEPOSITO_MM  with(nolock) where idarticulo = "
                             "'O''K' and iddeposito = '   1'"));
}

TEST_F(StockNivel, MinimoYMaximoDelDepositoColoreanLaCelda) {
    LineaDe(QStringLiteral("1032")); // Lavandina, LT: 96 in deposit 1
    EXPECT_EQ(Celda(1, col::PuntoPedido), "20");
    EXPECT_EQ(Celda(1, col::PuntoMaximo), "100");
    EXPECT_EQ(Celda(1, col::StockDisponible), "96");
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kNivel[2]);
    EXPECT_EQ(F().lblStockInfo[0].Caption(), QStringLiteral("Bidón"));
    EXPECT_EQ(F().lblStockInfo[2].Caption(), " Stock:  96 ");
    EXPECT_EQ(Panel(), " Stock Minimo/Maximo = 20/100");
}

TEST_F(StockNivel, SuperaElMaximo) {
    LineaDe(QStringLiteral("1014")); // 102 in deposit 1
    EXPECT_EQ(Panel(), "Stock Minimo/Maximo = 20/100 Supera el Maximo = 100");
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kNivel[2]);
}

TEST_F(StockNivel, ElStockSeRedondeaAlEnteroParYColoreaLaCeldaActual) {
    LineaDe(QStringLiteral("1032"));
    const struct {
        const char* celda;
        const char* entero;
        int nivel;
    } casos[] = {
        {"12,6", "13", 3}, {"12,5", "12", 3}, {"13,5", "14", 3}, {"20,5", "20", 4}, {"21,5", "22", 2}};
    for (const auto& c : casos) {
        F().MueveCelda(1, col::Cantidad);
        G().setTextMatrix(1, col::StockDisponible, QString::fromLatin1(c.celda));
        Stock().ObtieneStockMinimoMaximo(G());
        EXPECT_EQ(Celda(1, col::StockDisponible), c.entero) << c.celda;
        EXPECT_EQ(G().ColorFondo(1, col::Cantidad), kNivel[c.nivel]) << c.celda;
        EXPECT_EQ(G().Col(), col::Cantidad) << "la columna actual vuelve";
    }
}

TEST_F(StockNivel, SinDepositoEnLaLineaUsaElDeOrigenOElUno) {
    LineaDe(QStringLiteral("1032"));
    const qint16 origen = F().IndiceCampo(QStringLiteral("DepositoOrigen"));
    const auto limpia = [&] {
        G().setTextMatrix(1, col::Deposito, QString());
        G().setTextMatrix(1, col::PuntoPedido, QString());
        G().setTextMatrix(1, col::PuntoMaximo, QString());
    };
    // Header origin 2: no minimum there, the columns stay as they were and the level has no
    // threshold.
    limpia();
    F().TxtFields[origen].setText(QStringLiteral("2"));
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::PuntoPedido), "");
    EXPECT_EQ(Celda(1, col::PuntoMaximo), "");
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kNivel[1]);
    // Neither the line nor the header: deposit "   1".
    limpia();
    F().TxtFields[origen].setText(QString());
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::PuntoPedido), "20");
    EXPECT_EQ(Celda(1, col::PuntoMaximo), "100");
}

TEST_F(StockNivel, SinStockNiUmbralEsElCuartoNivel) {
    Linea(QStringLiteral("1040"), QStringLiteral("1"));
    F().MueveCelda(1, col::Deposito);
    Teclea(QStringLiteral("2"));
    Pulsa(tecla::Enter);
    // The code validated again takes the stock of the line's own deposit (none there).
    F().MueveCelda(1, col::CodigoArticulo);
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::Deposito), "2");
    EXPECT_EQ(Celda(1, col::StockDisponible), "0");
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kNivel[4]);
}

TEST_F(StockNivel, CantidadEnUnidadBaseYEquivalenciaEnElPanel) {
    LineaDe(QStringLiteral("1032"));
    G().setTextMatrix(1, col::Unidad, QStringLiteral("CJ"));
    G().setTextMatrix(1, col::TipoCoeficiente, QStringLiteral("/"));
    G().setTextMatrix(1, col::Coeficiente, QStringLiteral("12"));
    G().setTextMatrix(1, col::Cantidad, QStringLiteral("24"));
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "2");
    EXPECT_EQ(Panel(), "(Equiv. 2 LT) Stock Minimo/Maximo = 20/100");
    G().setTextMatrix(1, col::TipoCoeficiente, QStringLiteral("*"));
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "288");
    // No coefficient: no division by it, the quantity stays unconverted, no equivalence shown.
    G().setTextMatrix(1, col::TipoCoeficiente, QStringLiteral("/"));
    G().setTextMatrix(1, col::Coeficiente, QStringLiteral("0"));
    G().setTextMatrix(1, col::Cantidad, QStringLiteral("24,5"));
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "24,5");
    EXPECT_EQ(Panel(), " Stock Minimo/Maximo = 20/100");
}

TEST_F(StockNivel, SinColoresConfiguradosLaCeldaQuedaBlanca) {
    for (int n = 1; n <= 4; ++n)
        Prueba(F()).ColorNivelStock()[n] = QVariant(0);
    Prueba(F()).ColorNivelStock()[2] = QVariant(QStringLiteral("verde"));
    LineaDe(QStringLiteral("1032"));
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kBlanco);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(Stock().ColorNivel(n), kBlanco) << n;
}

TEST_F(StockNivel, LosIngresosAvisanSiLaLineaSuperaElMaximo) {
    EligeTipo(QStringLiteral("AJP"));
    LineaDe(QStringLiteral("1032"), QStringLiteral("30")); // 96 + 30 > 100
    EXPECT_EQ(Panel(), "Stock Minimo/Maximo = 20/100 Supera el Maximo = 100 (LT)");
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("4")); // 100: not above
    Pulsa(tecla::Enter);
    F().MueveCelda(1, col::CodigoArticulo);
    EXPECT_EQ(Panel(), " Stock Minimo/Maximo = 20/100");
}

TEST_F(StockNivel, LasSalidasNoSumanLaLineaAlStock) {
    EligeTipo(QStringLiteral("TR"));
    LineaDe(QStringLiteral("1032"), QStringLiteral("30"));
    EXPECT_EQ(Panel(), " Stock Minimo/Maximo = 20/100");
}

TEST_F(StockNivel, UnMaximoDeCeroNoSeEscribeNiSeSupera) {
    // A deposit row with a minimum and no maximum for the kit, whose own points are 0.
    AD().EjecutaSQL(
        QStringLiteral("INSERT INTO V_TA_DEPOSITO_MM (idarticulo, iddeposito, Minimo, Maximo) "
                       "VALUES (") +
        AD().FormateaValorSQL(UT().RellenaCodigo(QStringLiteral("KIT-ASADO"), 25), QStringLiteral("'")) +
        QStringLiteral(", '   1', 20, 0)"));
    EligeTipo(QStringLiteral("AJP"));
    LineaDe(QStringLiteral("KIT-ASADO"), QStringLiteral("2"));
    EXPECT_EQ(Celda(1, col::PuntoPedido), "20");
    EXPECT_EQ(Celda(1, col::PuntoMaximo), "0");
    EXPECT_EQ(Celda(1, col::StockDisponible), "0");
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kNivel[3]);
    // No maximum: nothing is ever over it, not even for an entry type.
    EXPECT_EQ(Panel(), " Stock Minimo/Maximo = 20/0");

    G().setTextMatrix(1, col::StockDisponible, QStringLiteral("30"));
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::PuntoMaximo), "0");
    EXPECT_EQ(G().ColorFondo(1, col::CodigoArticulo), kNivel[2]);
    EXPECT_EQ(Panel(), " Stock Minimo/Maximo = 20/0");

    // The article's own maximum stands when the deposit's is 0.
    AD().EjecutaSQL(
        QStringLiteral("INSERT INTO V_TA_DEPOSITO_MM (idarticulo, iddeposito, Minimo, Maximo) "
                       "VALUES (") +
        AD().FormateaValorSQL(UT().RellenaCodigo(QStringLiteral("1001"), 25), QStringLiteral("'")) +
        QStringLiteral(", '   1', 20, 0)"));
    EligeTipo(QStringLiteral("TR"));
    F().MueveCelda(2, col::CodigoArticulo);
    LineaDe(QStringLiteral("1001"), QStringLiteral("2")); // 53 in deposit 1, own points 5/50
    EXPECT_EQ(Celda(2, col::PuntoPedido), "20");
    EXPECT_EQ(Celda(2, col::PuntoMaximo), "50");
    EXPECT_EQ(G().ColorFondo(2, col::CodigoArticulo), kNivel[2]);
    EXPECT_EQ(Panel(), "Stock Minimo/Maximo = 20/50 Supera el Maximo = 50");
}

TEST_F(StockNivel, PuntoDePedido) {
    LineaDe(QStringLiteral("1032")); // reorder point 20, stock 96
    G().setCellBackColor(0);
    F().MueveCelda(1, col::Cantidad);
    Stock().ObtienePuntoPedido(G());
    EXPECT_EQ(G().ColorFondo(1, col::Cantidad), kNivel[2]);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
    // A line without article: nothing.
    F().MueveCelda(2, col::Cantidad);
    Stock().ObtienePuntoPedido(G());
    EXPECT_EQ(G().ColorFondo(2, col::Cantidad), 0);
    EXPECT_EQ(G().Col(), col::Cantidad);
}

TEST_F(StockNivel, SinArticuloSoloSeRefrescaElPanel) {
    F().MueveCelda(1, col::Cantidad);
    G().setTextMatrix(1, col::StockDisponible, QStringLiteral("7,5"));
    Stock().ObtieneStockMinimoMaximo(G());
    EXPECT_EQ(Celda(1, col::StockDisponible), "7,5");
    EXPECT_EQ(G().ColorFondo(1, col::Cantidad), 0);
    EXPECT_EQ(F().lblStockInfo[2].Caption(), " Stock:  7,5 ");
}

// A stored template loads with each line's stock, minimum and maximum as typing the line gives
// them, whatever deposit and unit: the load reads them for all its lines at once.
class CargarConStock : public ConVentanaDemo {
protected:
    // Every cell of every line, and the colours its cells were given (the level colour goes to
    // the cell current while the line is validated).
    QStringList Lineas() {
        QStringList filas;
        for (int fila = 1; fila < G().Rows(); ++fila) {
            QStringList celdas;
            for (int c = 0; c < G().Cols(); ++c)
                celdas << Celda(fila, c);
            for (int c = 0; c < G().Cols(); ++c)
                if (G().ColorFondo(fila, c) != 0)
                    celdas << QString::number(G().ColorFondo(fila, c));
            filas << celdas.join(u'|');
        }
        return filas;
    }
    void Abre(const QString& nombre) {
        F().Inicializa();
        F().TxtFields[0].setText(nombre);
        F().CampoValida(F().TxtFields[0]);
    }
    // Each loaded line emptied and typed again: code validated, then its stored unit and quantity,
    // with the grid not redrawn as while a template loads.
    void TecleaDeNuevo() {
        G().setRedraw(false);
        for (int fila = 1; fila < G().Rows(); ++fila) {
            const QString codigo = Celda(fila, col::CodigoArticulo);
            const QString unidad = Celda(fila, col::Unidad);
            const QString cantidad = Celda(fila, col::Cantidad);
            G().setRow(fila);
            for (int c = 0; c < G().Cols(); ++c) {
                G().setTextMatrix(fila, c, QString());
                G().setCol(c);
                G().setCellBackColor(0);
            }
            G().setCol(col::CodigoArticulo);
            G().setTextMatrix(fila, col::CodigoArticulo, codigo);
            F().txtEdit2.setText(codigo);
            Prueba(F()).ControlActivo() = &F().txtEdit2;
            F().ObjCmnCptes().TextPropiedades(F().txtEdit2, col::CodigoArticulo);
            F().CampoValida(F().txtEdit2);
            G().setTextMatrix(fila, col::Unidad, unidad);
            G().setTextMatrix(fila, col::Cantidad, cantidad);
        }
        G().setRedraw(true);
    }
};

TEST_F(CargarConStock, LasCeldasSonLasDeTeclearCadaLinea) {
    // A template on deposit 2 whose articles hold balances in several units and deposits, and
    // minimum and maximum in deposits 1 and 2.
    Ejecuta("INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre, DETALLE, TCDefault, DepositoOrigen, "
            "DepositoDestino, IdMotivoStock, AnclarAlMenu) VALUES "
            "(3, 'DEPOSITO DOS', '', '  TR', '   2', '   3', '   3', 0)");
    Ejecuta("INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) VALUES "
            "(3, printf('%25d', 1012), 3, '  UN'), (3, printf('%25d', 1030), 2, '  CJ'), "
            "(3, printf('%-25s', 'TORN-6X40'), 1, '  CJ'), (3, printf('%25s', '50001'), 1.5, '  KG'), "
            "(3, printf('%25d', 1007), 5, '  UN'), (3, printf('%25d', 1012), 4, '  UN')");
    Ejecuta("INSERT INTO V_TA_DEPOSITO_MM (idarticulo, iddeposito, Minimo, Maximo) VALUES "
            "(printf('%25d', 1012), '   2', 30, 45), (printf('%-25s', 'TORN-6X40'), '   2', 900, 1000), "
            "(printf('%-25s', 'TORN-6X40'), '   1', 10, 20)");
    Ejecuta(
        "INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) VALUES "
        "(printf('%25d', 1030), '  CJ', '   2', '', 7), (printf('%-25s', 'TORN-6X40'), '  CJ', '   2', '', "
        "3)");
    // With the stock shown or not (then the load reads no minimum or maximum).
    for (const char* mostrar : {"NO", "SI"}) {
        Prueba(F()).MostrarStock() = QString::fromLatin1(mostrar);
        for (const QString& nombre :
             {QStringLiteral("DEPOSITO DOS"), QStringLiteral("REPOSICION LOCAL CENTRO")}) {
            const std::string caso = nombre.toStdString() + " " + mostrar;
            Abre(nombre);
            const QStringList cargadas = Lineas();
            ASSERT_GE(cargadas.size(), 4) << caso;
            TecleaDeNuevo();
            const QStringList tecleadas = Lineas();
            ASSERT_EQ(cargadas.size(), tecleadas.size()) << caso;
            for (qsizetype i = 0; i < cargadas.size(); ++i)
                EXPECT_EQ(cargadas[i].toStdString(), tecleadas[i].toStdString()) << caso;
        }
    }
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    // Not vacuous: the first template's lines carry deposit 2's figures.
    Abre(QStringLiteral("DEPOSITO DOS"));
    EXPECT_EQ(Celda(1, col::Deposito).trimmed(), "2");
    EXPECT_EQ(Celda(1, col::PuntoPedido), "30");
    EXPECT_EQ(Celda(1, col::PuntoMaximo), "45");
    EXPECT_EQ(Celda(1, col::StockDisponible), QString::number((1012 * 29) % 80));
    EXPECT_EQ(Celda(3, col::PuntoMaximo), "1000");
    EXPECT_EQ(Celda(3, col::StockDisponible), "800");
}

} // namespace
