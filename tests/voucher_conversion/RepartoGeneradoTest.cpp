// Over generated vouchers of the demo database: the pending quantities of a delivery run read
// once for the voucher give what CantRepartoPend gives article by article, and both what the
// grouped form of the ordered quantities gives. Over generated grids: the codes the conversion
// keeps for the program that loads each article once find what ExisteEnGrid finds.

#include "AccesoDatos.h"
#include "BaseConversion.h"
#include "ConversionInterno.h"
#include "Globales.h"

#include "Utilidades.h"

#include <QRandomGenerator>
#include <optional>

namespace {

// The codes the generated lines and movements carry: filled as stored, in other cases, with
// and without their blanks, empty and null.
std::optional<QString> CodigoAlAzar(QRandomGenerator& azar) {
    static const QStringList codigos{QStringLiteral("1"),         QStringLiteral("22"),
                                     QStringLiteral("KIT-ASADO"), QStringLiteral("kit-asado"),
                                     QStringLiteral("Ñandú"),     QString()};
    const int i = static_cast<int>(azar.bounded(static_cast<int>(codigos.size()) + 1));
    if (i == codigos.size())
        return std::nullopt;
    QString codigo = codigos.at(i);
    switch (azar.bounded(3)) {
    case 0:
        return UT().RellenaCodigo(codigo, 25);
    case 1:
        return codigo + QStringLiteral("  ");
    default:
        return codigo;
    }
}

QString Literal(const std::optional<QString>& valor) {
    return valor ? QLatin1Char('\'') + *valor + QLatin1Char('\'') : QStringLiteral("NULL");
}

// A quantity in quarters (sums are exact in any order), now and then null.
QString CantidadAlAzar(QRandomGenerator& azar) {
    if (azar.bounded(8) == 0)
        return QStringLiteral("NULL");
    return QString::number((static_cast<int>(azar.bounded(41)) - 12) / 4.0);
}

struct Comprobante {
    QString tc;
    QString id;
};

class RepartoGenerado : public ConversionDemo {
protected:
    void SetUp() override {
        ConversionDemo::SetUp();
        // The ordered quantities as a grouped view gives them.
        AD().EjecutaSQL(QStringLiteral(
            "CREATE VIEW CONS2_AGRUPADA AS SELECT TC, IDCOMPROBANTE, IdArticulo AS IDARTICULO, "
            "SUM(Cantidad) AS Cantidad FROM V_MV_CPTEINSUMOS GROUP BY TC, IDCOMPROBANTE, IdArticulo"));
    }

    // A voucher of random lines, and random movements from it, and some of another voucher.
    Comprobante Genera(QRandomGenerator& azar, int n) {
        static const QStringList tipos{QStringLiteral("  RM"), QStringLiteral("  rm"),
                                       QStringLiteral("  NP")};
        Comprobante cpte{tipos.at(static_cast<int>(azar.bounded(3))),
                         QStringLiteral("0077%1R").arg(n, 8, 10, QLatin1Char('0'))};
        const int lineas = static_cast<int>(azar.bounded(10));
        for (int i = 0; i < lineas; ++i)
            AD().EjecutaSQL(
                QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, "
                               "Secuencia, IdArticulo, Cantidad) VALUES ('%1', '%2', %3, %4, %5, %6)")
                    .arg(cpte.tc, azar.bounded(2) ? cpte.id : cpte.id.toLower())
                    .arg(azar.bounded(2))
                    .arg(i + 1)
                    .arg(Literal(CodigoAlAzar(azar)), CantidadAlAzar(azar)));
        const int movimientos = static_cast<int>(azar.bounded(8));
        for (int i = 0; i < movimientos; ++i) {
            const bool propio = azar.bounded(4) != 0;
            AD().EjecutaSQL(
                QStringLiteral("INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, IdArticulo, "
                               "Cantidad, Tc_Origen, IdComprobante_Origen) VALUES ('  RM', '%1', "
                               "%2, %3, %4, '%5', '%6')")
                    .arg(QStringLiteral("0078%1R").arg(n, 8, 10, QLatin1Char('0')))
                    .arg(i + 1)
                    .arg(Literal(CodigoAlAzar(azar)), CantidadAlAzar(azar),
                         propio ? cpte.tc.toUpper() : QStringLiteral("  NP"),
                         propio ? cpte.id : QStringLiteral("001000000001X")));
        }
        return cpte;
    }

    // What the grouped ordered quantity and the delivered sum give for one article.
    static double Esperado(const Comprobante& c, const QString& articulo, double& entregado) {
        const QString condicion = CondicionReparto(c.tc, c.id) + QStringLiteral(" AND IDARTICULO = '") +
                                  UT().RellenaCodigo(articulo.trimmed(), 25) + QStringLiteral("'");
        Registros rs;
        AD().ObtieneRecordset(QStringLiteral("SELECT Cantidad FROM CONS2_AGRUPADA WHERE ") + condicion, rs);
        const double pedido = rs.Eof() ? 0 : rs.Fields(0).toDouble();
        AD().ObtieneRecordset(
            QStringLiteral("SELECT SUM(CANTIDAD) FROM VT_V_MV_Stock_Cons WHERE ") + condicion, rs);
        entregado = rs.Fields(0).toDouble();
        return std::max(pedido, entregado) - entregado;
    }
};

TEST_F(RepartoGenerado, ReadOnceForTheVoucherItGivesWhatEachArticleGives) {
    QRandomGenerator azar(20260043);
    int conPendiente = 0;
    int conEntregado = 0;
    for (int n = 0; n < 40; ++n) {
        const Comprobante cpte = Genera(azar, n);
        // The type as a caller passes it: bare, in any case.
        const QString tc = azar.bounded(2) ? cpte.tc.trimmed() : cpte.tc.trimmed().toLower();
        CantidadesDelReparto leidas;
        leidas.Lee(tc, QLatin1Char(' ') + cpte.id);
        for (int k = 0; k < 12; ++k) {
            const QString articulo = CodigoAlAzar(azar).value_or(QString());
            double entregado = 0;
            const double pendiente = Esperado(cpte, articulo, entregado);
            double aplicado = -1;
            EXPECT_EQ(clase->CantRepartoPend(tc, cpte.id, articulo, aplicado), pendiente)
                << qPrintable(cpte.id) << " / " << qPrintable(articulo);
            EXPECT_EQ(aplicado, entregado);
            double entregadoLeido = -1;
            EXPECT_EQ(leidas.Pendiente(articulo, entregadoLeido), pendiente)
                << qPrintable(cpte.id) << " / " << qPrintable(articulo);
            EXPECT_EQ(entregadoLeido, entregado);
            conPendiente += pendiente != 0 ? 1 : 0;
            conEntregado += entregado != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(conPendiente, 40); // the cases were put to the test
    EXPECT_GT(conEntregado, 40);
}

QString CeldaAlAzar(QRandomGenerator& azar) {
    static const QStringList codigos{QStringLiteral("A1"),
                                     QStringLiteral(" a1 "),
                                     QStringLiteral("b"),
                                     QStringLiteral("ß"),
                                     QStringLiteral("Σ"),
                                     QStringLiteral("ς"),
                                     QString()};
    return codigos.at(static_cast<int>(azar.bounded(static_cast<int>(codigos.size()))));
}

TEST_F(ConversionDemo, TheGridsCodesFindWhatExisteEnGridFinds) {
    QRandomGenerator azar(4320);
    int hallados = 0;
    int buscados = 0;
    for (int ronda = 0; ronda < 100; ++ronda) {
        Grilla g{1 + static_cast<int>(azar.bounded(4)), 3, 1, 0};
        for (int f = 0; f < g.Rows(); ++f)
            g.setTextMatrix(f, col::CodigoArticulo, CeldaAlAzar(azar));
        CodigosDeGrilla codigos;
        for (int linea = 0; linea < 30; ++linea) {
            const QString buscado = CeldaAlAzar(azar);
            const bool existe = clase->ExisteEnGrid(g, buscado);
            ASSERT_EQ(codigos.Existe(g, buscado), existe) << ronda << " / " << linea;
            ++buscados;
            hallados += existe ? 1 : 0;
            // A line changes the grid as the conversion does: rows added at the end, the rows
            // from the last one on written, the last row taken back.
            const int desde = g.Rows() - 1;
            g.setRows(g.Rows() + static_cast<int>(azar.bounded(3)));
            for (int k = static_cast<int>(azar.bounded(3)); k > 0; --k)
                g.setTextMatrix(desde + static_cast<int>(azar.bounded(g.Rows() - desde)), col::CodigoArticulo,
                                CeldaAlAzar(azar));
            if (g.Rows() - 1 > desde && azar.bounded(3) == 0)
                g.setRows(g.Rows() - 1);
        }
    }
    EXPECT_GT(hallados, buscados / 10); // both answers were put to the test
    EXPECT_LT(hallados, buscados * 9 / 10);
}

} // namespace
