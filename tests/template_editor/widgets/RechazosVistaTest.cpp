// Nothing refused stays in the editor's grid, by keys and clicks on the real window offscreen on
// the demo database: each way of leaving the cell editor after each refusal of a line gives the
// line back whole, a stored line whose article was deleted since stops the save, and the search
// window's box decides what it lists after a search from a cell.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "DefinicionesConsulta.h"
#include "FrmVardelio.h"
#include "LineasMarcadas.h"
#include "ValoresConfiguracion.h"
#include "VentanaConsulta.h"
#include "VistaDemo.h"
#include "VistaVentanaConsulta.h"

#include "../VentanaDemo.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kCentro = QStringLiteral("REPOSICION LOCAL CENTRO");
const QStringList kLineasCentro{"1007|24|UN", "1030|2|CJ", "GASEOSA-225|4|PQ", "50001|3.5|KG"};
constexpr int kIdCentro = 1;

enum class Salida { Tab, ShiftTab, ClicEnOtraFila, ClicEnLaCabecera, AvPag, F2 };

class Rechazos : public ConVistaDemo<ConArchivosDemo> {
protected:
    QTableView* Tabla() const { return vista->Tabla(); }
    // A click on the cell (f, c), which becomes the current one.
    void VaACelda(int f, int c) {
        ClicEnCelda(f, c);
        ASSERT_EQ(form->MSFlexGrid2.Row(), f);
        ASSERT_EQ(form->MSFlexGrid2.Col(), c);
    }
    // The stored template opened from its name, Enter on down to its first line.
    void AbreCentro() {
        Clic(Campo(0));
        Tecla(Qt::Key_A, Qt::ControlModifier);
        Escribe(kCentro);
        for (int i = 0; i < 5 && Foco() != Tabla(); ++i)
            Tecla(Qt::Key_Return);
        ASSERT_EQ(Foco(), Tabla());
        ASSERT_TRUE(Prueba(*form).EsModificacion());
    }
    static QStringList Guardadas() { return LineasGuardadas(kIdCentro); }
    // F2 answered Yes: the first message is its totals question.
    QString Graba() {
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::Si);
        Tecla(Qt::Key_F2);
        return guion.Mensajes().value(0);
    }
    void Sale(Salida s) {
        switch (s) {
        case Salida::Tab:
            return Tecla(Qt::Key_Tab);
        case Salida::ShiftTab:
            return Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
        case Salida::ClicEnOtraFila:
            return VaACelda(3, col::Descripcion);
        case Salida::ClicEnLaCabecera:
            return Clic(Campo(4));
        case Salida::AvPag: // a key the editor passes on to the table, which moves the cell
            return Tecla(Qt::Key_PageDown);
        case Salida::F2:
            return Tecla(Qt::Key_F2);
        }
    }
};

class RechazoDejado : public Rechazos, public ::testing::WithParamInterface<Salida> {};

// Each refusal of line 2's editor, left by the road under test: the refusal is told once, and the
// line comes back whole (F2 keeps the editor on what was typed and stores nothing, as Enter
// does). The save then counts and stores the template's lines as they were.
TEST_P(RechazoDejado, LaLineaVuelveEnteraYSeGuardaComoEra) {
    AbreCentro();
    const struct {
        int columna;
        const char* texto; // nullptr: the cell's text emptied
        const char* mensaje;
        bool buscado = false; // chosen in the cell's search, which validates it
    } rechazos[] = {
        {col::CodigoArticulo, "1097", "El Artículo fue dado de baja!!!", true},
        {col::CodigoArticulo, "9999", "El Código Informado no es Correcto"},
        {col::CodigoArticulo, "1097", "El Artículo fue dado de baja!!!"},
        {col::Unidad, "XX", "La Unidad informada no existe!!!"},
        {col::Unidad, "KG", "La Unidad Informada no Tiene Equivalencias con la unidad Base"},
        {col::Cantidad, "dos", "La Cantidad Informada no es un Número Válido"},
        {col::Cantidad, nullptr, "La Cantidad Informada no es un Número Válido"},
        {col::Deposito, "99", "El Deposito Informado es Inexistente"},
    };
    for (const auto& r : rechazos) {
        SCOPED_TRACE(r.texto ? r.texto : "(vacía)");
        if (r.columna == col::Deposito) { // hidden: reached by Enter from the unit
            VaACelda(2, col::Unidad);
            Tecla(Qt::Key_Return);
            Tecla(Qt::Key_Return);
            ASSERT_EQ(form->MSFlexGrid2.Col(), col::Deposito);
        } else {
            VaACelda(2, r.columna);
        }
        const QStringList antes = LineaDeLaGrilla(2);
        ASSERT_EQ(antes[col::CodigoArticulo], "1030");
        if (r.buscado) {
            EnLaBusqueda([&](VistaVentanaConsulta& d) {
                EXPECT_TRUE(QTest::qWaitFor([] { return VC().Completa(); }, 10000));
                QTest::keyClicks(d.Tabla(), r.texto);
                QTest::keyClick(d.Buscador(), Qt::Key_Return);
            });
            Tecla(Qt::Key_F5);
        } else if (r.texto) {
            Escribe(QString::fromLatin1(r.texto));
        } else {
            Tecla(Qt::Key_Return);
            Tecla(Qt::Key_A, Qt::ControlModifier);
            Tecla(Qt::Key_Backspace);
        }
        ASSERT_TRUE(form->txtEdit2.Visible());
        const QString tecleado = form->txtEdit2.Text();
        guion.Limpia();
        Sale(GetParam());
        EXPECT_EQ(guion.Mensajes(), QStringList{QString::fromUtf8(r.mensaje)});
        if (GetParam() == Salida::F2) {
            EXPECT_TRUE(form->txtEdit2.Visible());
            EXPECT_EQ(form->txtEdit2.Text(), tecleado);
            EXPECT_EQ(Guardadas(), kLineasCentro);
            Tecla(Qt::Key_Escape);
        }
        EXPECT_FALSE(form->txtEdit2.Visible());
        EXPECT_EQ(LineaDeLaGrilla(2), antes);
    }
    EXPECT_TRUE(Graba().startsWith(QStringLiteral("Total de Items:4\r\n")))
        << guion.Mensajes().join(u'|').toStdString();
    EXPECT_EQ(Guardadas(), kLineasCentro);
}

std::string NombreSalida(const ::testing::TestParamInfo<Salida>& info) {
    static const char* const nombres[] = {"Tab",   "ShiftTab", "ClicEnOtraFila", "ClicEnLaCabecera",
                                          "AvPag", "F2"};
    return nombres[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Salidas, RechazoDejado,
                         ::testing::Values(Salida::Tab, Salida::ShiftTab, Salida::ClicEnOtraFila,
                                           Salida::ClicEnLaCabecera, Salida::AvPag, Salida::F2),
                         NombreSalida);

// A search from an open code cell that the user leaves without choosing empties the cell's editor;
// leaving it then, by any road, gives the line back whole: the user cleared nothing.
TEST_P(RechazoDejado, UnaBusquedaSinElegirDejaLaLineaComoEra) {
    AbreCentro();
    for (const char* tecleado : {"", "Yer"}) {
        SCOPED_TRACE(tecleado);
        VaACelda(2, col::CodigoArticulo);
        const QStringList antes = LineaDeLaGrilla(2);
        if (*tecleado)
            Escribe(QString::fromLatin1(tecleado));
        else
            Tecla(Qt::Key_Return);
        ASSERT_TRUE(form->txtEdit2.Visible());
        EnLaBusqueda([](VistaVentanaConsulta& d) { QTest::keyClick(d.Tabla(), Qt::Key_Escape); });
        Tecla(Qt::Key_F5);
        EXPECT_TRUE(form->txtEdit2.Visible());
        EXPECT_EQ(form->txtEdit2.Text(), "");
        guion.Limpia();
        if (GetParam() == Salida::F2)
            guion.AgregaRespuesta(Respuesta::No);
        Sale(GetParam());
        if (GetParam() == Salida::F2) { // the totals question: the editor's emptiness is no change
            EXPECT_TRUE(guion.Mensajes().value(0).startsWith(QStringLiteral("Total de Items:4\r\n")))
                << guion.Mensajes().join(u'|').toStdString();
            EXPECT_EQ(LineaDeLaGrilla(2), antes);
            continue;
        }
        EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
        EXPECT_FALSE(form->txtEdit2.Visible());
        EXPECT_EQ(LineaDeLaGrilla(2), antes);
    }
    EXPECT_TRUE(Graba().startsWith(QStringLiteral("Total de Items:4\r\n")))
        << guion.Mensajes().join(u'|').toStdString();
    EXPECT_EQ(Guardadas(), kLineasCentro);
}

// A stored line whose article was deleted since is read with its unit and quantity, marked; the
// save stops on it, named, with the cursor on it, also after its quantity is changed, until its
// code is corrected.
TEST_F(Rechazos, UnArticuloBorradoDespuesDetieneLaGrabacionEnSuLinea) {
    AD().EjecutaSQL(QStringLiteral("DELETE FROM V_MA_ARTICULOS WHERE trim(IDARTICULO) = '1030'"));
    AbreCentro();
    EXPECT_EQ(guion.Mensajes(), QStringList{QStringLiteral("El Código Informado no es Correcto")});
    Grilla& g = form->MSFlexGrid2;
    EXPECT_EQ(LineaDeLaGrilla(2).mid(0, 8), (QStringList{"1030", "", "", "", "", "CJ", "", "2"}));
    EXPECT_EQ(g.ColorFondo(2, col::Descripcion), LineasMarcadas::ColorMarca);
    const QString aviso = QStringLiteral(
        "La línea 2 (1030) tiene un artículo inexistente. Corríjala o bórrela antes de grabar.");
    for (const char* cantidad : {"", "5"}) {
        SCOPED_TRACE(cantidad);
        if (*cantidad) {
            VaACelda(2, col::Cantidad);
            Escribe(QString::fromLatin1(cantidad));
            Tecla(Qt::Key_Return);
        }
        VaACelda(1, col::Descripcion);
        EXPECT_EQ(Graba(), aviso);
        EXPECT_EQ(guion.Mensajes().size(), 1);
        EXPECT_EQ(g.Row(), 2);
        EXPECT_EQ(g.Col(), col::CodigoArticulo);
        EXPECT_EQ(Guardadas(), kLineasCentro);
    }
    Escribe(QStringLiteral("1002"));
    Tecla(Qt::Key_Return);
    EXPECT_NE(g.ColorFondo(2, col::Descripcion), LineasMarcadas::ColorMarca);
    EXPECT_TRUE(Graba().startsWith(QStringLiteral("Total de Items:4\r\n")));
    EXPECT_EQ(Guardadas(), (QStringList{"1007|24|UN", "1002|5|UN", "GASEOSA-225|4|PQ", "50001|3.5|KG"}));
}

// After a search from a cell, the search window's list follows its box: cleared, it lists what a
// search without text lists, read once, and typing narrows that without reading again; on a site
// that asks for part of the key an empty box lists nothing and a new text is searched.
TEST_F(Rechazos, LaListaDeLaBusquedaSigueALaCaja) {
    AbreCentro();
    const auto filas = [](VistaVentanaConsulta& d) {
        // The rows after the first screen come in while the window is shown.
        EXPECT_TRUE(QTest::qWaitFor([] { return VC().Completa(); }, 10000));
        return FilasDeLaBusqueda(d);
    };
    const auto escribeEnLaCaja = [](VistaVentanaConsulta& d, const char* texto) {
        QTest::keyClick(d.Buscador(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.Buscador(), Qt::Key_Backspace);
        QTest::keyClicks(d.Buscador(), texto);
    };
    QStringList sinTexto;
    EnLaBusqueda([&](VistaVentanaConsulta& d) {
        sinTexto = filas(d);
        QTest::keyClick(d.Tabla(), Qt::Key_Escape);
    });
    Tecla(Qt::Key_F5);
    ASSERT_GT(sinTexto.size(), 20);

    QStringList conTexto, vaciada, estrechada;
    QString leida, trasEstrechar;
    EnLaBusqueda([&](VistaVentanaConsulta& d) {
        conTexto = filas(d);
        escribeEnLaCaja(d, "");
        vaciada = filas(d);
        leida = VC().SentenciaMostrada();
        escribeEnLaCaja(d, "tuer");
        estrechada = filas(d);
        trasEstrechar = VC().SentenciaMostrada();
        QTest::keyClick(d.Tabla(), Qt::Key_Escape);
    });
    Escribe(QStringLiteral("Yerba"));
    Tecla(Qt::Key_F5);
    ASSERT_FALSE(conTexto.isEmpty());
    EXPECT_LT(conTexto.size(), sinTexto.size());
    for (const QString& f : conTexto)
        EXPECT_TRUE(f.contains(QStringLiteral("Yerba"), Qt::CaseInsensitive)) << f.toStdString();
    EXPECT_EQ(vaciada.size(), sinTexto.size());
    EXPECT_TRUE(vaciada == sinTexto);
    EXPECT_EQ(trasEstrechar, leida);
    ASSERT_FALSE(estrechada.isEmpty());
    for (const QString& f : estrechada)
        EXPECT_TRUE(f.contains(QStringLiteral("tuer"), Qt::CaseInsensitive)) << f.toStdString();

    const bool exige = gExigeClaveConsultaLikeArticulos;
    const auto restituye = qScopeGuard([exige] { gExigeClaveConsultaLikeArticulos = exige; });
    gExigeClaveConsultaLikeArticulos = true;
    QStringList otra;
    EnLaBusqueda([&](VistaVentanaConsulta& d) {
        escribeEnLaCaja(d, "");
        vaciada = filas(d);
        escribeEnLaCaja(d, "Tuerca");
        otra = filas(d);
        QTest::keyClick(d.Tabla(), Qt::Key_Escape);
    });
    Escribe(QStringLiteral("Yerba"));
    Tecla(Qt::Key_F5);
    EXPECT_TRUE(vaciada.isEmpty());
    ASSERT_FALSE(otra.isEmpty());
    for (const QString& f : otra)
        EXPECT_TRUE(f.contains(QStringLiteral("Tuerca"), Qt::CaseInsensitive)) << f.toStdString();
    EXPECT_EQ(busquedas, 3);
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
}

} // namespace
