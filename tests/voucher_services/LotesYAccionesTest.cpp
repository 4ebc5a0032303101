// The lots an outgoing quantity takes, the components of a produced article, and the audit row
// of a voucher action, on the demo database.
//
// Demo rows used: 1015 in deposit 1 has lots L1015A 57, L1015B 58 and the exhausted L1015C 0;
// TORN-6X40 has a null-lot row (400) and an empty-lot row (300) there; KIT-ASADO is made of
// 0.5 kg of 1019, 2 units of 1016 and 0.25 kg of 50001.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Regional.h"
#include "Registros.h"
#include "Reloj.h"
#include "ReportaError.h"
#include "Sentencias.h"
#include "Stock.h"
#include "StockInterno.h"

#include <gtest/gtest.h>

namespace {

const QChar NUL(0);

struct Item {
    QString codigo;
    double cantidad;
    bool operator==(const Item&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Item& i) {
    return os << '(' << i.codigo.toStdString() << ", " << i.cantidad << ')';
}
// The elements as (code trimmed, or "<>" when unfilled; quantity).
std::vector<Item> Items(const ListaItems& lista) {
    std::vector<Item> r;
    for (const ItemCantidad& i : lista) {
        EXPECT_EQ(i.Codigo.size(), 25);
        EXPECT_EQ(i.Unidad.size(), 4);
        r.push_back({i.Codigo == QString(25, NUL) ? QStringLiteral("<>") : i.Codigo.trimmed(), i.Cantidad});
    }
    return r;
}

using LotesEInsumos = ConBaseDemo;

TEST_F(LotesEInsumos, TheWalkTakesWholeLotsOldestFirstThenWhatIsMissing) {
    ListaItems lista;
    // Covered inside the second lot.
    EXPECT_TRUE(ArticuloTieneLotes("1015", "'   1'", lista, 60));
    EXPECT_EQ(Items(lista), (std::vector<Item>{{"L1015A", 57}, {"L1015B", 3}}));
    EXPECT_EQ(lista[0].Unidad, "    ");
    EXPECT_EQ(lista[0].Codigo, QString("L1015A").leftJustified(25));
    // Exactly the two lots: an unfilled element ends the list.
    EXPECT_TRUE(ArticuloTieneLotes("1015", "'   1'", lista, 115));
    EXPECT_EQ(Items(lista), (std::vector<Item>{{"L1015A", 57}, {"L1015B", 58}, {"<>", 0}}));
    // Short of stock: the missing rest under a blank code; the exhausted lot is never offered.
    EXPECT_TRUE(ArticuloTieneLotes("1015", "'   1'", lista, 120));
    EXPECT_EQ(Items(lista), (std::vector<Item>{{"L1015A", 57}, {"L1015B", 58}, {"<>", 0}, {"", 5}}));
    EXPECT_EQ(lista[3].Codigo, QString(25, ' '));
    // Inside the first lot.
    EXPECT_TRUE(ArticuloTieneLotes("                     1015", "'   1'", lista, 0.5));
    EXPECT_EQ(Items(lista), (std::vector<Item>{{"L1015A", 0.5}}));
    // Decimal lots meet a decimal request without a spurious remainder.
    AD().EjecutaSQL("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, CANTIDAD) VALUES ('" +
                    QString("1030").rightJustified(25) + "', '   3', 'D1', 0.1), ('" +
                    QString("1030").rightJustified(25) + "', '   3', 'D2', 0.2)");
    EXPECT_TRUE(ArticuloTieneLotes("1030", "'   3'", lista, 0.3));
    EXPECT_EQ(lista.size(), 3u);
    EXPECT_EQ(lista.back().Codigo, QString(25, NUL));

    // The null lot is no lot; the empty one is.
    EXPECT_TRUE(ArticuloTieneLotes("TORN-6X40", "'   1'", lista, 10));
    EXPECT_EQ(Items(lista), (std::vector<Item>{{"", 10}}));
    EXPECT_EQ(lista[0].Codigo, QString(25, ' '));

    // No lot with stock: false; the deposit from the grid: false at once, the list untouched.
    EXPECT_FALSE(ArticuloTieneLotes("1001", "'   1'", lista, 4));
    EXPECT_FALSE(ArticuloTieneLotes("1015", "NULL", lista, 4));
    lista.assign(2, ItemCantidad{});
    EXPECT_FALSE(ArticuloTieneLotes("1015", "eldelgrid", lista, 4));
    EXPECT_EQ(lista.size(), 2u);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(LotesEInsumos, ComponentsOfAProducedArticle) {
    ListaItems lista;
    ASSERT_TRUE(IdArticuloTieneInsumos("KIT-ASADO", lista, false));
    ASSERT_EQ(lista.size(), 4u);
    EXPECT_EQ(lista.back().Codigo, QString(25, NUL));
    EXPECT_EQ(lista.back().Unidad, QString(4, NUL));
    std::map<QString, std::pair<QString, double>> componentes;
    for (size_t i = 0; i + 1 < lista.size(); ++i)
        componentes[lista[i].Codigo] = {lista[i].Unidad, lista[i].Cantidad};
    const std::map<QString, std::pair<QString, double>> esperados = {
        {QString("1019").rightJustified(25), {"  KG", 0.5}},
        {QString("1016").rightJustified(25), {"  UN", 2}},
        {QString("50001").rightJustified(25), {"  KG", 0.25}}};
    EXPECT_EQ(componentes, esperados);

    EXPECT_TRUE(IdArticuloTieneInsumos(" kit-asado ", lista, true));
    EXPECT_EQ(lista.size(), 1u);
    EXPECT_FALSE(IdArticuloTieneInsumos("1015", lista, false));
    EXPECT_EQ(lista.size(), 1u);
}

TEST_F(LotesEInsumos, StatementTexts) {
    using namespace stock_interno;
    EXPECT_EQ(
        SqlLotesConStock("1015", " '   1' "),
        "SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = '                     1015' AND CANTIDAD > 0  "
        "AND IDDEPOSITO = '   1' and not nrolote is null ORDER BY NROLOTE");
    EXPECT_EQ(SqlInsumos(" KIT-ASADO "),
              "SELECT * FROM V_MA_INSUMOS  with(nolock)  WHERE IDARTICULO = 'KIT-ASADO                '");
}

class AccionComprobante : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Maquina().setNombreMaquina("PUESTO-7");
        EstableceReloj([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 30)); });
        clase = std::make_unique<ClsCmnCptesServicios>();
    }
    void TearDown() override {
        clase.reset();
        EstableceReloj({});
        ConBaseDemo::TearDown();
    }
    QString Sentencia(const QString& tc, const QString& id, bool alta, bool modificacion,
                      const QString& asiento = {}) {
        QString sql = "sin tocar";
        clase->ActualizaBuchon(tc, id, "3", alta, modificacion, true, &sql, asiento);
        return sql;
    }
    std::unique_ptr<ClsCmnCptesServicios> clase;
    // Regional settings with a decimal comma: the statement still writes a point.
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
};

TEST_F(AccionComprobante, TheRowOfEachActionKind) {
    gUsuarioLogeado = "O'Brien";
    const QString resto = ",'05/03/26 14:07','O''Brien','PUESTO-7','" + NombreEjecutable() + "',";
    EXPECT_EQ(
        Sentencia(" FC ", "0001000012A", true, false, "1234,5"),
        " INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,PC,"
        "SYSTEMUSER,NUMEROASIENTO) VALUES ('  FC','0001000012A',3,'A'" +
            resto + "1234.5)");
    EXPECT_TRUE(Sentencia("FC", "X", true, true).contains(",'A','05/03/26"));
    EXPECT_TRUE(Sentencia("FC", "X", false, true).contains(",'M','05/03/26"));
    EXPECT_TRUE(Sentencia("FC", "X", false, false).endsWith(",'B'" + resto + "0)"));
    EXPECT_TRUE(Sentencia("FC", "00'1", false, false).contains("'00''1'"));
    EXPECT_TRUE(ListaCampos().empty());

    // A complement that is no number gives no statement; the caller's text stays as it was.
    QString sql = "sin tocar";
    clase->ActualizaBuchon("FC", "X", "tres", true, false, true, &sql);
    EXPECT_EQ(sql, "sin tocar");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(AccionComprobante, RunAtOnceWritesTheRow) {
    gUsuarioLogeado = "DEMO";
    QString sql = "sin tocar";
    clase->ActualizaBuchon("RM", "000200000077R", "", false, true, false, &sql, "12");
    EXPECT_EQ(sql, "sin tocar");
    Registros rs;
    AD().ObtieneRecordset("SELECT TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, "
                          "NUMEROASIENTO FROM V_MV_CPTEACCIONES",
                          rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields("TC").toString(), "  RM");
    EXPECT_EQ(rs.Fields("IdComprobante").toString(), "000200000077R");
    EXPECT_EQ(rs.Fields("IdComplemento").toInt(), 0);
    EXPECT_EQ(rs.Fields("Tipo_accion").toString(), "M");
    EXPECT_EQ(rs.Fields("FECHAHORA").toString(), "2026-03-05 14:07:00");
    EXPECT_EQ(rs.Fields("PC").toString(), "PUESTO-7");
    EXPECT_EQ(rs.Fields("NUMEROASIENTO").toDouble(), 12);
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    // A refused row is passed over in silence.
    AD().EjecutaSQL("DROP TABLE V_MV_CPTEACCIONES");
    clase->ActualizaBuchon("RM", "1", "", false, true, false);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

} // namespace
