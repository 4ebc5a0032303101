// What the editor's real window shows is what it stores, by keys offscreen on the demo
// database: a save from any field after typing into it, Escape after each refusal of a line,
// the article search from a cell, and the stock panel of the line the cursor is on.

#include "../VentanaDemo.h"
#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "DefinicionesConsulta.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "Utilidades.h"
#include "VentanaConsulta.h"
#include "VistaDemo.h"
#include "VistaVentanaConsulta.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kAjuste = QStringLiteral("AJUSTE ROTURAS");
const QString kCentro = QStringLiteral("REPOSICION LOCAL CENTRO");

class LoQueSeVe : public ConVistaDemo<ConArchivosDemo> {
protected:
    // The motive typed into its field, which has the focus, Enter on to the grid and a line
    // typed there.
    void MotivoYLinea(const QString& motivo, const QString& codigo, const QString& cantidad) {
        Escribe(motivo);
        for (int i = 0; i < 4; ++i)
            Tecla(Qt::Key_Return);
        ASSERT_EQ(Foco(), vista->Tabla());
        Escribe(codigo);
        Tecla(Qt::Key_Return);
        Escribe(cantidad);
        Tecla(Qt::Key_Return);
    }
    // The four labels of the stock panel as the window shows them.
    QStringList Panel() const {
        QStringList textos;
        for (int i = 0; i < 4; ++i)
            textos << vista->findChild<QLabel*>(QStringLiteral("lblStockInfo(%1)").arg(i))->text();
        return textos;
    }
    // What the panel shows of the grid's current line, which is also the table's.
    void PanelDeLaLineaActual() {
        const int f = form->MSFlexGrid2.Row();
        EXPECT_EQ(vista->Tabla()->currentIndex().row(), f);
        EXPECT_EQ(Panel().mid(0, 3),
                  (QStringList{Celda(f, col::Presentacion), Celda(f, col::DescripcionTipoArticulo),
                               " Stock:  " + Celda(f, col::StockDisponible) + " "}));
    }
    void PanelVacio() { EXPECT_EQ(Panel(), (QStringList{"", "", " Stock:   ", ""})); }
    static QStringList Filas(const QString& sql) { return FilasConsulta(sql); }
    // Identifier, name, motive, deposits and detail of every stored template.
    static QStringList Cabeceras() {
        return Filas(
            "SELECT IdVardelio, nombre, trim(IdMotivoStock), trim(DepositoOrigen), trim(DepositoDestino), "
            "DETALLE FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio");
    }
    const QStringList ajusteLineas{"1013|2|UN", "TORN-6X40|1|CJ"};
    const QStringList centroLineas{"1007|24|UN", "1030|2|CJ", "GASEOSA-225|4|PQ", "50001|3.5|KG"};
};

// A name typed over the open one and saved from its box is a new template, the copy; the one
// open stays as it was, and a second copy leaves the first.
TEST_F(LoQueSeVe, GrabarDesdeElNombreTecleadoGuardaUnaCopia) {
    const QStringList antes = Cabeceras();
    Abre(kAjuste);
    QTest::keyClick(vista->Tabla(), Qt::Key_Backtab, Qt::ShiftModifier);
    for (int i = 0; i < 4 && Foco() != Campo(0); ++i)
        Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(Foco(), Campo(0));
    Tecla(Qt::Key_A, Qt::ControlModifier);
    Escribe(QStringLiteral("COPIA UNO"));
    Graba();
    Abre(kCentro);
    EscribeEnCampo(0, QStringLiteral("COPIA DOS"));
    Graba();
    EXPECT_EQ(Cabeceras(), antes + QStringList({"3|COPIA UNO|2|1||Roturas habituales del mes",
                                                "4|COPIA DOS|3|1|3|Envío semanal al local"}));
    EXPECT_EQ(LineasGuardadas(2), ajusteLineas);
    EXPECT_EQ(LineasGuardadas(3), ajusteLineas);
    EXPECT_EQ(LineasGuardadas(4), centroLineas);
    EXPECT_EQ(guion.Mensajes().size(), 2) << guion.Mensajes().join(u'|').toStdString();
}

// The header and a line typed first, the name last and F2 in its box: a new template; a new
// one renamed in its box to a stored name replaces that one under its own identifier.
TEST_F(LoQueSeVe, ElNombreTecleadoAlFinalDecideQueSeGuarda) {
    EscribeEnCampo(1, QString());
    MotivoYLinea(QStringLiteral("2"), QStringLiteral("1001"), QStringLiteral("5"));
    EscribeEnCampo(0, QStringLiteral("AL FINAL"));
    Graba();
    EXPECT_EQ(
        Filas("SELECT IdVardelio, nombre, trim(IdMotivoStock) FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 3"),
        QStringList{"3|AL FINAL|2"});
    EXPECT_EQ(LineasGuardadas(3), QStringList{"1001|5|UN"});

    Tecla(Qt::Key_F3);
    Escribe(QStringLiteral("OTRO NUEVO"));
    Tecla(Qt::Key_Return);
    MotivoYLinea(QStringLiteral("3"), QStringLiteral("1002"), QStringLiteral("7"));
    EscribeEnCampo(0, kAjuste);
    Graba();
    EXPECT_EQ(Filas("SELECT IdVardelio FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio"),
              (QStringList{"1", "2", "3"}));
    EXPECT_EQ(LineasGuardadas(2), QStringList{"1002|7|UN"});
    EXPECT_EQ(guion.Mensajes().size(), 2) << guion.Mensajes().join(u'|').toStdString();
}

// Another station deleted the template open here: saving it stores it anew under the next
// free identifier, never under 0, and a second save of it replaces that one.
TEST_F(LoQueSeVe, UnModeloQueOtraEstacionBorroSeGuardaConUnIdentificadorNuevo) {
    Abre(kAjuste);
    AccesoDatos otra;
    otra.AsignaServidor(QStringLiteral("sqlite"));
    otra.AsignaBaseDatos(RutaBase());
    otra.Conecta();
    otra.EjecutaSQL(QStringLiteral("DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 2\r"
                                   "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 2"));
    guion.AgregaRespuesta(Respuesta::Si); // saved anew, though the other station deleted it
    Graba();
    Abre(kAjuste);
    Graba();
    EXPECT_EQ(Filas("SELECT IdVardelio, nombre FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio"),
              (QStringList{"1|" + kCentro, "2|" + kAjuste}));
    EXPECT_EQ(LineasGuardadas(2), ajusteLineas);
}

// F2 in each header field right after typing into it stores what the field shows.
TEST_F(LoQueSeVe, F2EnCadaCampoRecienTecleadoGuardaLoQueMuestra) {
    const QString tecleado[5] = {"NUEVO NOMBRE", "3", "2", "3", "Otra observación"};
    const QString guardado[5] = {"2|AJUSTE ROTURAS|2|1||Roturas habituales del mes",
                                 "2|AJUSTE ROTURAS|3|1||Roturas habituales del mes",
                                 "2|AJUSTE ROTURAS|3|2||Roturas habituales del mes",
                                 "2|AJUSTE ROTURAS|3|2|3|Roturas habituales del mes",
                                 "2|AJUSTE ROTURAS|3|2|3|Otra observación"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        Abre(kAjuste);
        EscribeEnCampo(i, tecleado[i]);
        Graba();
        EXPECT_EQ(Cabeceras().mid(1, 1), QStringList{guardado[i]});
        EXPECT_EQ(LineasGuardadas(2), ajusteLineas);
    }
    // The name typed over the open one saved a copy, as it stood then.
    EXPECT_EQ(Cabeceras().mid(2), QStringList{"3|NUEVO NOMBRE|2|1||Roturas habituales del mes"});
    EXPECT_EQ(LineasGuardadas(3), ajusteLineas);
    EXPECT_EQ(guion.Mensajes().size(), 5) << guion.Mensajes().join(u'|').toStdString();
}

// Escape after each refusal of a line's cell gives the line back whole as it was before the
// edit (also what a refused code cleared, or a suspended one wrote); the save then counts and
// stores the lines the user had.
TEST_F(LoQueSeVe, EscapeDespuesDeCadaRechazoDevuelveLaLineaEntera) {
    Abre(kCentro);
    Tecla(Qt::Key_Down);
    ASSERT_EQ(form->MSFlexGrid2.Row(), 2);
    ASSERT_EQ(Celda(2, col::CodigoArticulo), "1030");
    const QStringList antes = LineaDeLaGrilla(2);
    const struct {
        int columna;
        const char* texto;
        const char* mensaje;
    } rechazos[] = {
        {col::CodigoArticulo, "9", "El Código Informado no es Correcto"},
        {col::CodigoArticulo, "1097", "El Artículo fue dado de baja!!!"},
        {col::Unidad, "XX", "La Unidad informada no existe!!!"},
        {col::Unidad, "KG", "La Unidad Informada no Tiene Equivalencias con la unidad Base"},
        {col::Cantidad, "dos", "La Cantidad Informada no es un Número Válido"},
    };
    for (const auto& r : rechazos) {
        SCOPED_TRACE(r.texto);
        for (int i = 0; i < 20 && form->MSFlexGrid2.Col() != r.columna; ++i)
            Tecla(form->MSFlexGrid2.Col() < r.columna ? Qt::Key_Right : Qt::Key_Left);
        ASSERT_EQ(form->MSFlexGrid2.Col(), r.columna);
        guion.Limpia();
        Escribe(QString::fromLatin1(r.texto));
        Tecla(Qt::Key_Return);
        EXPECT_EQ(guion.Mensajes(), QStringList{QString::fromUtf8(r.mensaje)});
        ASSERT_TRUE(form->txtEdit2.Visible());
        Tecla(Qt::Key_Escape);
        EXPECT_FALSE(form->txtEdit2.Visible());
        EXPECT_EQ(Foco(), vista->Tabla());
        EXPECT_EQ(LineaDeLaGrilla(2), antes);
        PanelDeLaLineaActual();
    }
    // A suspended article chosen in the code's search, the editor closed before: refused too.
    Tecla(Qt::Key_Home);
    guion.Limpia();
    EnLaBusqueda([](VistaVentanaConsulta& d) {
        while (!VC().Completa()) // the rows come in while the window is shown
            QApplication::processEvents();
        QTest::keyClicks(d.Tabla(), "1097");
        QTest::keyClick(d.Buscador(), Qt::Key_Return);
    });
    Tecla(Qt::Key_F5);
    EXPECT_EQ(guion.Mensajes(), QStringList{QStringLiteral("El Artículo fue dado de baja!!!")});
    ASSERT_TRUE(form->txtEdit2.Visible());
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(LineaDeLaGrilla(2), antes);

    guion.Limpia();
    Graba();
    ASSERT_FALSE(guion.Mensajes().isEmpty());
    EXPECT_TRUE(guion.Mensajes()[0].startsWith(QStringLiteral("Total de Items:4\r\n")));
    EXPECT_EQ(LineasGuardadas(1), centroLineas);
}

// F5 on a code cell: the hidden editor holds nothing the user typed (it last held the last line
// read), so every article is listed under an empty search box; text typed into the cell
// searches, and the box shows it, also on the cell of an article just chosen.
TEST_F(LoQueSeVe, LaBusquedaDeLaCeldaMuestraElTextoQueLaFiltra) {
    Abre(kCentro);
    QString caja;
    QStringList filas;
    EnLaBusqueda([&](VistaVentanaConsulta& d) {
        caja = d.Buscador()->text();
        filas = FilasDeLaBusqueda(d);
        QTest::keyClick(d.Tabla(), caja.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
    });
    Tecla(Qt::Key_F5);
    EXPECT_EQ(caja, "");
    EXPECT_GT(filas.size(), 20);

    Escribe(QStringLiteral("Yerba"));
    ASSERT_TRUE(form->txtEdit2.Visible());
    Tecla(Qt::Key_F5);
    EXPECT_EQ(caja, "Yerba");
    ASSERT_FALSE(filas.isEmpty());
    for (const QString& fila : filas)
        EXPECT_TRUE(fila.contains(QStringLiteral("Yerba"), Qt::CaseInsensitive)) << fila.toStdString();
    // The first one chosen: the line takes it and the cursor its quantity.
    EXPECT_EQ(Celda(1, col::CodigoArticulo), filas.value(0).section(u'|', 1, 1));
    EXPECT_EQ(form->MSFlexGrid2.Col(), col::Cantidad);
    // The names' search has no text: its box is empty.
    QTest::mouseClick(Campo(0), Qt::LeftButton);
    Tecla(Qt::Key_F5);
    EXPECT_EQ(caja, "");
    EXPECT_EQ(filas.size(), 2);
    QTest::mouseClick(vista->Tabla()->viewport(), Qt::LeftButton, {},
                      vista->Tabla()->visualRect(vista->Tabla()->model()->index(1, col::Cantidad)).center());
    Tecla(Qt::Key_Home);
    ASSERT_EQ(form->MSFlexGrid2.Col(), col::CodigoArticulo);
    Tecla(Qt::Key_F5);
    EXPECT_EQ(caja, "");
    EXPECT_GT(filas.size(), 20);
    EXPECT_EQ(busquedas, 4);
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
}

// The stock panel shows the line the cursor is on, the table's current line: after Delete and
// Insert, after Cargar, and nothing once a save or a delete empties the window.
TEST_F(LoQueSeVe, ElPanelDeStockEsElDeLaLineaActual) {
    Abre(kCentro);
    PanelDeLaLineaActual();
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Celda(form->MSFlexGrid2.Row(), col::CodigoArticulo), "GASEOSA-225");
    PanelDeLaLineaActual();
    Tecla(Qt::Key_Down);
    EXPECT_EQ(Celda(form->MSFlexGrid2.Row(), col::CodigoArticulo), "50001");
    PanelDeLaLineaActual();
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(Celda(form->MSFlexGrid2.Row(), col::CodigoArticulo), "");
    EXPECT_EQ(Celda(form->MSFlexGrid2.Row() + 1, col::CodigoArticulo), "50001");
    PanelDeLaLineaActual();
    Graba();
    PanelVacio();

    // Cargar leaves the keyboard on the first line, its article in the panel as typing shows it.
    EscribeEnCampo(0, QStringLiteral("TODO EL CENTRAL"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("1"));
    Tecla(Qt::Key_Return);
    guion.AgregaRespuesta(Respuesta::Si);
    QTest::mouseClick(vista->Control(QStringLiteral("CmdCargar")), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(form->MSFlexGrid2.Row(), 1);
    EXPECT_EQ(Foco(), vista->Tabla());
    const QString articulo = Celda(1, col::CodigoArticulo);
    EXPECT_EQ(Panel().mid(0, 2), Filas("SELECT trim(a.Presentacion), trim(t.Descripcion) FROM V_MA_ARTICULOS "
                                       "a JOIN V_TA_TipoArticulo t ON "
                                       "t.IdTipo = a.IdTipo WHERE trim(a.IDARTICULO) = '" +
                                       articulo + "'")
                                     .value(0)
                                     .split(u'|'));
    EXPECT_FALSE(Celda(1, col::StockDisponible).isEmpty());
    PanelDeLaLineaActual();

    guion.AgregaRespuesta(Respuesta::Si); // the lines Cargar took are not kept
    Abre(kAjuste);
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F8);
    EXPECT_TRUE(Filas("SELECT nombre FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2").isEmpty());
    PanelVacio();
}

} // namespace
