// The item-totals grid: one row per visible tab and the breakdown of the articles.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "ColumnasTotales.h"
#include "ErrorSistema.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "Pestanas.h"
#include "Regional.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int Amarillo = 12648447;
constexpr int Naranja = 12640511;
constexpr int Azul = 16711680;

struct FilaTotal {
    QString descripcion, lineas, cantidad;
    int color;
    bool operator==(const FilaTotal& o) const {
        return descripcion == o.descripcion && lineas == o.lineas && cantidad == o.cantidad &&
               color == o.color;
    }
};

void PrintTo(const FilaTotal& f, std::ostream* os) {
    *os << '{' << f.descripcion.toStdString() << " | " << f.lineas.toStdString() << " | "
        << f.cantidad.toStdString() << " | " << f.color << '}';
}

class Totalizador : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        EstableceInteraccion(&respuestas);
        c = std::make_unique<ClsCmnCptesServicios>();
        tareas.setCols(ColumnasGrillaTareas);
        articulos.setCols(ColumnasGrillaArticulos);
        otros.setCols(ColumnasGrillaOtrosConceptos);
        totales.setCols(ColumnasGrillaTotales);
        totales.setRows(FilasGrillaTotales);
        tab.setTabCaption(0, QStringLiteral("Tareas"));
        tab.setTabCaption(1, QStringLiteral("Artículos"));
        tab.setTabCaption(2, QStringLiteral("Otros Conceptos"));
    }
    void TearDown() override {
        EstableceInteraccion(nullptr);
        ConBaseDemo::TearDown();
    }

    void SoloTab(int visible) {
        for (int i = 0; i < 3; ++i)
            tab.setTabVisible(i, i == visible);
    }

    static int Agrega(Grilla& g) {
        g.setRows(g.Rows() + 1);
        return g.Rows() - 1;
    }
    void Tarea(const QString& codigo, const QString& horas) {
        const int f = Agrega(tareas);
        tareas.setTextMatrix(f, colTarea::Codigo, codigo);
        tareas.setTextMatrix(f, colTarea::Cantidad, horas);
    }
    void Articulo(const QString& codigo, const QString& cantidad, const QString& rubro = {},
                  const QString& tipo = {}) {
        const int f = Agrega(articulos);
        articulos.setTextMatrix(f, col::CodigoArticulo, codigo);
        articulos.setTextMatrix(f, col::Cantidad, cantidad);
        articulos.setTextMatrix(f, col::RubroArticulo, rubro);
        articulos.setTextMatrix(f, col::TipoArticulo, tipo);
    }

    void Totaliza(bool porRubro = false, bool porTipo = false) {
        c->TotalizadorControl(&tareas, &articulos, &otros, totales, tab, porRubro, porTipo);
    }

    // Rows 1 on, with the colour of each row when all its cells share it (-1 otherwise).
    std::vector<FilaTotal> Filas() const {
        std::vector<FilaTotal> r;
        for (int f = 1; f < totales.Rows(); ++f) {
            int color = totales.ColorFondo(f, 0);
            for (int col = 1; col < totales.Cols(); ++col)
                if (totales.ColorFondo(f, col) != color)
                    color = -1;
            r.push_back(
                {totales.TextMatrix(f, 0), totales.TextMatrix(f, 1), totales.TextMatrix(f, 2), color});
        }
        return r;
    }

    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
    InteraccionGuionada respuestas;
    std::unique_ptr<ClsCmnCptesServicios> c;
    Grilla tareas{1, 2, 1, 0}, articulos{1, 2, 1, 0}, otros{1, 2, 1, 0}, totales;
    Pestanas tab{3};
};

TEST_F(Totalizador, NoVisibleTabLeavesOneEmptyBlueRow) {
    totales.setTextMatrix(1, 0, QStringLiteral("de antes"));
    totales.setTextMatrix(2, 2, QStringLiteral("9"));
    SoloTab(-1);
    Totaliza();
    EXPECT_EQ(totales.Rows(), 2);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"", "", "", Azul}}));
    // The title row is left as it is.
    EXPECT_EQ(totales.ColorFondo(0, 0), 0);
}

TEST_F(Totalizador, TaskTimesAreSummedInHoursAndMinutes) {
    SoloTab(0);
    Tarea(QStringLiteral("T1"), QStringLiteral("1:30"));
    Tarea(QStringLiteral("  "), QStringLiteral("5:00")); // not a line
    Tarea(QStringLiteral("T2"), QStringLiteral("0:45"));
    Totaliza();
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Tareas", "2", "2:15", Amarillo}, {"", "", "", Azul}}));

    // Whole hours given as a number, minutes below ten, nothing at all.
    Tarea(QStringLiteral("T3"), QStringLiteral("1.5"));
    Tarea(QStringLiteral("T4"), QStringLiteral("0:05"));
    Tarea(QStringLiteral("T5"), QString());
    Totaliza();
    EXPECT_EQ(Filas()[0], (FilaTotal{"Tareas", "5", "3:50", Amarillo}));
}

TEST_F(Totalizador, TaskTimesDoNotDependOnTheHourSeparator) {
    SoloTab(0);
    for (int i = 0; i < 3; ++i)
        Tarea(QStringLiteral("T%1").arg(i), QStringLiteral("0:45"));
    Totaliza();
    EXPECT_EQ(Filas()[0].cantidad, "2:15");

    AjustaConfiguracion(QStringLiteral("SeparadorHora"), QStringLiteral("."));
    Totaliza();
    EXPECT_EQ(Filas()[0].cantidad, "2:15");
}

TEST_F(Totalizador, ArticlesByRubroWithTheGroupNames) {
    SoloTab(1);
    Articulo(QStringLiteral("1001"), QStringLiteral("2"), QStringLiteral("   1"));
    Articulo(QStringLiteral("1002"), QStringLiteral("3"), QStringLiteral("1"));
    Totaliza(true);
    EXPECT_EQ(totales.Rows(), 5);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "2", "5", Amarillo},
                                               {"-", "", "", Naranja},
                                               {"1-Ferretería", "", "5", Naranja},
                                               {"", "", "", Azul}}));
    ASSERT_EQ(gTablaTotales.size(), 2u);
    EXPECT_EQ(gTablaTotales[0].Clave, "");
    EXPECT_EQ(gTablaTotales[0].Total, "");
    EXPECT_EQ(gTablaTotales[1].Clave, "1");
    EXPECT_EQ(gTablaTotales[1].Total, "5");
}

TEST_F(Totalizador, ArticlesWithoutAGroupFallIntoTheFirstRow) {
    SoloTab(1);
    Articulo(QStringLiteral("1001"), QStringLiteral("1.5"), QStringLiteral("4"));
    Articulo(QStringLiteral("1002"), QStringLiteral("2"));
    Articulo(QString(), QStringLiteral("100"), QStringLiteral("4")); // not a line
    Articulo(QStringLiteral("1003"), QStringLiteral("0.25"), QStringLiteral(" 4 "));
    Articulo(QStringLiteral("1004"), QStringLiteral("0.75"), QStringLiteral("   "));
    Articulo(QStringLiteral("1005"), QStringLiteral("1"), QStringLiteral("ZZ"));
    Totaliza(true);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "5", "5.5", Amarillo},
                                               {"-", "", "2.75", Naranja},
                                               {"4-Bebidas", "", "1.75", Naranja},
                                               {"ZZ-", "", "1", Naranja},
                                               {"", "", "", Azul}}));
}

TEST_F(Totalizador, ArticlesByTypeAndRubroFirst) {
    SoloTab(1);
    Articulo(QStringLiteral("1001"), QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("3"));
    Articulo(QStringLiteral("1002"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("3"));
    Totaliza(false, true);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "2", "5", Amarillo},
                                               {"-", "", "", Naranja},
                                               {"3-Producto elaborado", "", "5", Naranja},
                                               {"", "", "", Azul}}));

    // Both asked: by rubro.
    Totaliza(true, true);
    EXPECT_EQ(Filas()[2].descripcion, "2-Almacén");
    EXPECT_EQ(Filas()[3].descripcion, "5-Fiambrería");
    EXPECT_EQ(totales.Rows(), 6);
}

TEST_F(Totalizador, ArticlesByCodeShowTheCodes) {
    SoloTab(1);
    Articulo(QStringLiteral("1001"), QStringLiteral("2"));
    Articulo(QStringLiteral("1002"), QStringLiteral("1"));
    Articulo(QStringLiteral(" 1001"), QStringLiteral("3"));
    Totaliza();
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "3", "6", Amarillo},
                                               {"", "", "", Naranja},
                                               {"1001", "", "5", Naranja},
                                               {"1002", "", "1", Naranja},
                                               {"", "", "", Azul}}));
}

TEST_F(Totalizador, NoArticleLineNoBreakdown) {
    SoloTab(1);
    Articulo(QString(), QStringLiteral("3"), QStringLiteral("1"));
    Totaliza(true);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "0", "0", Amarillo}, {"", "", "", Azul}}));
    ASSERT_EQ(gTablaTotales.size(), 1u);
}

TEST_F(Totalizador, BreakdownOfAFewHundredLines) {
    SoloTab(1);
    // 300 lines over the five rubros, the rubro first met at line k for rubro k.
    std::map<int, double> esperado;
    std::map<int, int> lineas;
    double total = 0;
    for (int i = 0; i < 300; ++i) {
        const int rubro = i % 5 + 1;
        const double cantidad = (i % 7) + 0.25 * (i % 4);
        Articulo(QString::number(1001 + i), Regional::TextoNumero(cantidad), QString::number(rubro));
        esperado[rubro] += cantidad;
        total += cantidad;
        ++lineas[rubro];
    }
    Totaliza(true);
    const auto filas = Filas();
    ASSERT_EQ(filas.size(), 1u + 1 + 5 + 1);
    EXPECT_EQ(filas[0], (FilaTotal{"Artículos", "300", Regional::TextoNumero(total), Amarillo}));
    const QStringList nombres = {"Ferretería", "Almacén", "Limpieza", "Bebidas", "Fiambrería"};
    for (int rubro = 1; rubro <= 5; ++rubro) {
        EXPECT_EQ(filas[size_t(rubro) + 1].descripcion, QString::number(rubro) + "-" + nombres[rubro - 1]);
        EXPECT_DOUBLE_EQ(filas[size_t(rubro) + 1].cantidad.toDouble(), esperado[rubro]) << rubro;
        EXPECT_EQ(gTablaTotales[size_t(rubro)].Total, filas[size_t(rubro) + 1].cantidad);
    }
    EXPECT_EQ(filas.back(), (FilaTotal{"", "", "", Azul}));
}

TEST_F(Totalizador, RunningTotalsAreRegionalText) {
    Regional::Fijo coma(QLatin1Char(','), QLatin1Char('.'), 2);
    SoloTab(1);
    Articulo(QStringLiteral("1001"), QStringLiteral("1.000,5"), QStringLiteral("3"));
    Articulo(QStringLiteral("1002"), QStringLiteral("0,25"), QStringLiteral("3"));
    Totaliza(true);
    EXPECT_EQ(gTablaTotales[1].Total, "1000,75");
    EXPECT_EQ(Filas()[0].cantidad, "1000,75");
    EXPECT_EQ(Filas()[2], (FilaTotal{"3-Limpieza", "", "1000,75", Naranja}));
}

TEST_F(Totalizador, EveryVisibleTabInOrder) {
    Tarea(QStringLiteral("T1"), QStringLiteral("2:00"));
    Articulo(QStringLiteral("1001"), QStringLiteral("2"), QString(), QStringLiteral("1"));
    for (const char* concepto : {"Flete", "", "Seguro"}) {
        const int f = Agrega(otros);
        otros.setTextMatrix(f, colOtroConcepto::Detalle, QString::fromUtf8(concepto));
        otros.setTextMatrix(f, colOtroConcepto::Importe, QStringLiteral("10"));
    }
    Totaliza(false, true);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Tareas", "1", "2:00", Amarillo},
                                               {"Artículos", "1", "2", Amarillo},
                                               {"-", "", "", Naranja},
                                               {"1-Mercadería de reventa", "", "2", Naranja},
                                               {"Otros Conceptos", "2", "", Amarillo},
                                               {"", "", "", Azul}}));

    // Absent grids count as empty.
    c->TotalizadorControl(nullptr, nullptr, nullptr, totales, tab, false, true);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Tareas", "0", "0:00", Amarillo},
                                               {"Artículos", "0", "0", Amarillo},
                                               {"Otros Conceptos", "0", "", Amarillo},
                                               {"", "", "", Azul}}));
    EXPECT_TRUE(respuestas.Registros().empty());
}

TEST_F(Totalizador, ErrorsGoToTheCentralHandler) {
    // A tab control of two tabs: asking for the third fails.
    Pestanas dos(2);
    dos.setTabVisible(0, false);
    dos.setTabCaption(1, QStringLiteral("Artículos"));
    Articulo(QStringLiteral("1001"), QStringLiteral("2"));

    respuestas.AgregaRespuesta(Respuesta::Abortar);
    c->TotalizadorControl(&tareas, &articulos, &otros, totales, dos);
    ASSERT_EQ(respuestas.Registros().size(), 1u);
    EXPECT_EQ(respuestas.Registros()[0].titulo, "TotalizadorControl - Aviso al operador!!!");
    EXPECT_TRUE(respuestas.Registros()[0].texto.contains("(381)"));
    // Left: the rows written so far stay, the last row is not painted.
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "1", "2", Amarillo},
                                               {"", "", "", Naranja},
                                               {"1001", "", "2", Naranja},
                                               {"", "", "", 0}}));

    // Ignore goes on with the next statement: the third tab counts as hidden.
    respuestas.Limpia();
    respuestas.AgregaRespuesta(Respuesta::Ignorar);
    c->TotalizadorControl(&tareas, &articulos, &otros, totales, dos);
    EXPECT_EQ(respuestas.Registros().size(), 1u);
    EXPECT_EQ(Filas().back(), (FilaTotal{"", "", "", Azul}));
    EXPECT_EQ(totales.Rows(), 5);
}

TEST_F(Totalizador, GridWithoutTheKeyColumnIsReportedPerLine) {
    SoloTab(1);
    Grilla corta(1, 8, 1, 0);
    for (const char* cantidad : {"2", "3"}) {
        corta.setRows(corta.Rows() + 1);
        corta.setTextMatrix(corta.Rows() - 1, col::CodigoArticulo, QStringLiteral("1001"));
        corta.setTextMatrix(corta.Rows() - 1, col::Cantidad, QString::fromLatin1(cantidad));
    }
    respuestas.AgregaRespuesta(Respuesta::Ignorar);
    respuestas.AgregaRespuesta(Respuesta::Ignorar);
    c->TotalizadorControl(&tareas, &corta, &otros, totales, tab, true);
    // Without its key each line goes to element 0.
    EXPECT_EQ(respuestas.Registros().size(), 2u);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{
                           {"Artículos", "2", "5", Amarillo}, {"-", "", "5", Naranja}, {"", "", "", Azul}}));

    respuestas.Limpia();
    respuestas.AgregaRespuesta(Respuesta::Abortar);
    c->TotalizadorControl(&tareas, &corta, &otros, totales, tab, true);
    EXPECT_EQ(respuestas.Registros().size(), 1u);
    EXPECT_EQ(totales.Rows(), 2);
}

TEST_F(Totalizador, FailedGroupLookUpCanBeRetried) {
    SoloTab(1);
    Articulo(QStringLiteral("1001"), QStringLiteral("2"), QStringLiteral("1"));
    AD().EjecutaSQL(QStringLiteral("ALTER TABLE V_TA_Rubros RENAME TO Rubros_Aparte"));
    respuestas.AgregaRespuesta(Respuesta::Reintentar);
    respuestas.AgregaRespuesta(Respuesta::Reintentar);
    respuestas.AgregaRespuesta(Respuesta::Abortar);
    Totaliza(true);
    // Element 0 asked three times, then left before its row.
    EXPECT_EQ(respuestas.Registros().size(), 3u);
    EXPECT_EQ(Filas().size(), 2u);

    respuestas.Limpia();
    respuestas.AgregaRespuesta(Respuesta::Ignorar);
    respuestas.AgregaRespuesta(Respuesta::Ignorar);
    Totaliza(true);
    // Each group row skips its name and shows the bare key.
    EXPECT_EQ(respuestas.Registros().size(), 2u);
    EXPECT_EQ(Filas(), (std::vector<FilaTotal>{{"Artículos", "1", "2", Amarillo},
                                               {"", "", "", Naranja},
                                               {"1", "", "2", Naranja},
                                               {"", "", "", Azul}}));
}

} // namespace
