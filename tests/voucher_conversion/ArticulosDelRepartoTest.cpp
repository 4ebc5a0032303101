// The articles already loaded in a delivery run, against the comma-separated list of codes the
// run is found by (empty before the first code), over generated codes with commas, blanks, empty
// pieces and case pairs.

#include "ConversionInterno.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The run's list read as a list: each piece trimmed, compared without regard to case; an empty
// list has no pieces at all.
bool EnLista(const QString& lista, const QString& codigo) {
    if (lista.isEmpty())
        return false;
    for (const QString& pieza : lista.split(QLatin1Char(',')))
        if (pieza.trimmed().compare(codigo, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString CodigoAlAzar(QRandomGenerator& azar) {
    static const QString letras = QStringLiteral("aAbB1 ,\tßSsςσΣİi");
    QString codigo;
    const int largo = static_cast<int>(azar.bounded(5));
    for (int i = 0; i < largo; ++i)
        codigo += letras.at(static_cast<int>(azar.bounded(static_cast<int>(letras.size()))));
    return azar.bounded(4) == 0 ? codigo : codigo.trimmed(); // the lines give trimmed codes
}

TEST(ArticulosDelReparto, EncuentraLoQueLaListaDeCodigosEncontraria) {
    QRandomGenerator azar(20261209);
    int encontrados = 0;
    for (int ronda = 0; ronda < 200; ++ronda) {
        ArticulosDelReparto articulos;
        QString lista;
        for (int linea = 0; linea < 40; ++linea) {
            const QString codigo = CodigoAlAzar(azar);
            const bool esperado = EnLista(lista, codigo);
            ASSERT_EQ(articulos.Contiene(codigo), esperado)
                << qPrintable(lista) << " / " << qPrintable(codigo);
            encontrados += esperado ? 1 : 0;
            if (!esperado) {
                articulos.Agrega(codigo);
                lista += QLatin1Char(',') + codigo;
            }
        }
    }
    EXPECT_GT(encontrados, 1000); // both answers were put to the test
    EXPECT_LT(encontrados, 7000);
}

TEST(ArticulosDelReparto, CasosDeLaLista) {
    ArticulosDelReparto articulos;
    EXPECT_FALSE(articulos.Contiene(QString())); // nothing is loaded before the first line
    EXPECT_FALSE(articulos.Contiene(QStringLiteral("A1")));
    articulos.Agrega(QString());
    EXPECT_TRUE(articulos.Contiene(QString()));
    articulos.Agrega(QStringLiteral("a1, B2"));
    EXPECT_FALSE(articulos.Contiene(QStringLiteral("a1, B2"))); // a code with a comma never matches
    EXPECT_TRUE(articulos.Contiene(QStringLiteral("A1")));
    EXPECT_TRUE(articulos.Contiene(QStringLiteral("b2")));
    EXPECT_FALSE(articulos.Contiene(QStringLiteral(" b2")));
}

} // namespace
