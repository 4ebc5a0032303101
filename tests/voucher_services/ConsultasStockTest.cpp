// The lot, serial and position balance queries run on the demo database: for every mix of
// restrictions the sum they give equals the matching rows added one by one.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "Registros.h"
#include "StockInterno.h"
#include "Utilidades.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace stock_interno;

struct Fila {
    QString articulo, deposito;
    QVariant lote, serie, posicion;
    double cantidad = 0;
};

// As the schema's collation compares: trailing blanks and case ignored; NULL matches nothing.
bool Coincide(const QVariant& guardado, const QString& pedido, int ancho) {
    if (guardado.isNull())
        return false;
    auto sinCola = [](QString t) {
        while (t.endsWith(u' '))
            t.chop(1);
        return t;
    };
    return sinCola(guardado.toString())
               .compare(sinCola(UT().RellenaCodigo(pedido, ancho)), Qt::CaseInsensitive) == 0;
}

bool Restringe(const QString& valor) {
    return valor.compare(QLatin1String("Ignorar"), Qt::CaseInsensitive) != 0 && !valor.trimmed().isEmpty();
}

class ConsultasStock : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        // Rows the demo lacks: lot and serial together, a lot with an apostrophe and small
        // letters, a lot left blank and one never given.
        AD().EjecutaSQL(
            "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, "
            "CANTIDAD) VALUES (printf('%25s', '1015'), '   2', 'Lo''te 7', 'SN-77', 'A1E01N1P01', 4), "
            "(printf('%25s', '1015'), '   2', 'LO''TE 7', NULL, NULL, 2.5), "
            "(printf('%25s', '1015'), '   2', '', 'SN-78', NULL, 1), "
            "(printf('%25s', '1015'), '   3', NULL, NULL, 'A1E01N1P01', 7)");
    }
    static std::vector<Fila> Todas() {
        Registros rs;
        AD().ObtieneRecordset("SELECT IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD "
                              "FROM STK_SERIES_Y_LOTES",
                              rs);
        std::vector<Fila> filas;
        for (; !rs.Eof(); rs.MoveNext())
            filas.push_back({rs.Fields(0).toString(), rs.Fields(1).toString(), rs.Fields(2), rs.Fields(3),
                             rs.Fields(4), rs.Fields(5).toDouble()});
        return filas;
    }
    static double Suma(const QString& sql) {
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        return rs.Eof() ? 0 : rs.Fields(0).toDouble();
    }
};

TEST_F(ConsultasStock, LaSumaPorSerieLoteYPosicionEsLaDeLasFilasQueCoinciden) {
    const std::vector<Fila> filas = Todas();
    ASSERT_GT(filas.size(), 100u);
    // Articles of each kind: lots with positions, serials, and the one with every mix.
    const QStringList articulos = {"1015", "1021", "50001", filas.front().articulo.trimmed(),
                                   filas.back().articulo.trimmed()};
    int casos = 0;
    for (const QString& articulo : articulos) {
        std::vector<const Fila*> propias;
        for (const Fila& f : filas)
            if (Coincide(f.articulo, articulo, 25))
                propias.push_back(&f);
        // Each dimension: a value some row holds, "Ignorar" in either case, blank, and a value no row holds.
        auto valores = [&](auto campo) {
            QStringList v = {"Ignorar", "IGNORAR", " ", "NO-EXISTE"};
            for (const Fila* f : propias)
                if (!(f->*campo).isNull() && !(f->*campo).toString().trimmed().isEmpty() &&
                    !v.contains((f->*campo).toString().trimmed())) {
                    v << (f->*campo).toString().trimmed();
                    break;
                }
            return v;
        };
        QStringList depositos = {"Ignorar", "", "9"};
        if (!propias.empty())
            depositos << propias.front()->deposito;
        const QStringList lotes = valores(&Fila::lote);
        const QStringList series = valores(&Fila::serie);
        const QStringList posiciones = valores(&Fila::posicion);
        for (const QString& deposito : depositos)
            for (const QString& lote : lotes)
                for (const QString& serie : series)
                    for (const QString& posicion : posiciones)
                        for (int uso = 0; uso < 4; ++uso) {
                            const bool usaSerie = uso & 1, usaLote = uso & 2;
                            double esperado = 0;
                            for (const Fila* f : propias) {
                                if ((Restringe(deposito) && !Coincide(f->deposito, deposito, 4)) ||
                                    (Restringe(lote) && !Coincide(f->lote, lote, 25)) ||
                                    (Restringe(serie) && !Coincide(f->serie, serie, 25)) ||
                                    (Restringe(posicion) && !Coincide(f->posicion, posicion, 15)) ||
                                    (usaSerie && !usaLote && !f->lote.isNull()) ||
                                    (usaLote && !usaSerie && !f->serie.isNull()))
                                    continue;
                                esperado += f->cantidad;
                            }
                            const QString sql = SqlStockSeriesLotes(articulo, deposito, lote, serie, posicion,
                                                                    usaSerie, usaLote);
                            ASSERT_DOUBLE_EQ(Suma(sql), esperado) << sql.toStdString();
                            ++casos;
                        }
    }
    EXPECT_GT(casos, 1000);
}

TEST_F(ConsultasStock, LaSumaDeUnLoteYLaDeLosQueNoTienenLote) {
    const std::vector<Fila> filas = Todas();
    for (const QString& deposito : QStringList{"1", "2", "3"})
        for (const QString& lote : QStringList{"", " ", "lo'te 7", "L1015A", "NO-EXISTE"}) {
            double esperado = 0;
            for (const Fila& f : filas) {
                if (!Coincide(f.articulo, "1015", 25) || !Coincide(f.deposito, deposito, 4))
                    continue;
                // A blank lot asks for the rows with no lot, blank or never given.
                const bool sinLote = f.lote.isNull() || f.lote.toString().trimmed().isEmpty();
                if (lote.trimmed().isEmpty() ? sinLote : Coincide(f.lote, lote, 25))
                    esperado += f.cantidad;
            }
            const QString sql = SqlStockLote("1015", deposito, lote);
            EXPECT_DOUBLE_EQ(Suma(sql), esperado) << sql.toStdString();
        }
    // Where the rows are: the sums above are not all zero.
    EXPECT_DOUBLE_EQ(Suma(SqlStockLote("1015", "2", "LO'TE 7")), 6.5);
}

} // namespace
