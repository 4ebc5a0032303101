// The editor's window offscreen on the demo database, typed into as a user does: the cell
// editor floats over the grid's current cell, and keys, clicks and typed text reach the form.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "EdicionVardelio.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"
#include "VistaBarraHerramientas.h"
#include "VistaDemo.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class EdicionGrilla : public ConVistaDemo<ConArchivosDemo> {
protected:
    void SetUp() override {
        ConVistaDemo::SetUp();
        if (HasFatalFailure())
            return;
        tabla = vista->Tabla();
        editor = vista->findChild<QLineEdit*>(QStringLiteral("txtEdit2"));
        ASSERT_NE(editor, nullptr);
        nombre = qobject_cast<QLineEdit*>(vista->Control(QStringLiteral("TxtFields(0)")));
        ASSERT_NE(nombre, nullptr);
    }

    // The header filled with Enter from field to field (motive 1, the user's own deposit), then
    // Tab on to the grid.
    void NuevaPlantilla(const QString& texto = QStringLiteral("PRUEBA VISTA")) {
        nombre->setFocus();
        QApplication::processEvents();
        Escribe(texto);
        for (int vueltas = 0; vueltas < 5; ++vueltas) {
            auto* campo = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            if (!campo || !campo->objectName().startsWith(QLatin1String("TxtFields(")))
                break;
            if (campo->objectName() == QLatin1String("TxtFields(1)") && campo->text().isEmpty())
                Escribe(QStringLiteral("1"));
            Tecla(Qt::Key_Return);
        }
        ASSERT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(QLatin1Char('|')).toStdString();
        ASSERT_TRUE(Prueba(*form).EsNuevo());
        ASSERT_EQ(QApplication::focusWidget(), tabla);
    }
    // The stored lines of the template of that name: "article|quantity", and "|unit".
    static QStringList Lineas(const QString& nombre, bool conUnidad) {
        Registros rs;
        AD().ObtieneRecordset(
            QStringLiteral("SELECT d.IdArticulo, d.Cantidad, d.IdUnidad FROM V_CPTES_MODELO_DET d "
                           "JOIN V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio "
                           "WHERE c.NOMBRE = %1 ORDER BY d.Linea")
                .arg(AD().FormateaValorSQL(nombre, QStringLiteral("'"))),
            rs);
        QStringList filas;
        for (; !rs.Eof(); rs.MoveNext()) {
            QString fila = UT().ValorATexto(rs.Fields(0)).trimmed() + u'|' + UT().ValorATexto(rs.Fields(1));
            if (conUnidad)
                fila += u'|' + UT().ValorATexto(rs.Fields(2)).trimmed();
            filas << fila;
        }
        return filas;
    }
    QRect RectCelda(int f, int c) { return tabla->visualRect(tabla->model()->index(f, c)); }

    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    QTableView* tabla = nullptr;
    QLineEdit* editor = nullptr;
    QLineEdit* nombre = nullptr;
};

TEST_F(EdicionGrilla, UnaLineaTecleadaConElEditorSobreCadaCelda) {
    NuevaPlantilla();
    EXPECT_FALSE(editor->isVisible());
    Escribe(QStringLiteral("1"));
    // Typing on the grid opens the editor over the current cell, holding what was typed.
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(editor->geometry(), RectCelda(1, col::CodigoArticulo));
    EXPECT_EQ(editor->text(), "1");
    EXPECT_EQ(editor->palette().color(QPalette::Base),
              QColor(gColorFondo & 0xFF, (gColorFondo >> 8) & 0xFF, (gColorFondo >> 16) & 0xFF));
    Escribe(QStringLiteral("001"));
    EXPECT_EQ(editor->text(), "1001");
    EXPECT_EQ(form->txtEdit2.Text(), "1001");
    Tecla(Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1001");
    EXPECT_EQ(tabla->model()->index(1, col::Descripcion).data().toString(),
              QStringLiteral("Tuerca hexagonal Clásico"));
    // The quantity cell is current now, and the table shows it.
    EXPECT_EQ(tabla->currentIndex(), tabla->model()->index(1, col::Cantidad));
    EXPECT_EQ(QApplication::focusWidget(), tabla);

    Escribe(QStringLiteral("5"));
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), RectCelda(1, col::Cantidad));
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celda(1, col::Cantidad), "5");
    EXPECT_EQ(tabla->currentIndex(), tabla->model()->index(2, col::CodigoArticulo));
    EXPECT_EQ(tabla->model()->rowCount(), 3);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(EdicionGrilla, EscapeDescartaSinAbandonarLaPlantilla) {
    NuevaPlantilla();
    Escribe(QStringLiteral("1001"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("7"));
    ASSERT_TRUE(editor->isVisible());
    Tecla(Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Celda(1, col::Cantidad), "1");
    EXPECT_EQ(QApplication::focusWidget(), tabla);
    // The window's Escape (abandon the template) was not asked.
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_TRUE(Prueba(*form).EsNuevo());
}

TEST_F(EdicionGrilla, ElSeparadorDecimalYLasTeclasDeLaGrilla) {
    NuevaPlantilla();
    Escribe(QStringLiteral("1001"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("2.5."));
    EXPECT_EQ(editor->text(), "2,5");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celda(1, col::Cantidad), "2,5");
    Escribe(QStringLiteral("1002"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("3"));
    Tecla(Qt::Key_Return);
    ASSERT_EQ(Celda(2, col::CodigoArticulo), "1002");

    // Up from the empty third line, then Delete removes the second line.
    Tecla(Qt::Key_Up);
    EXPECT_EQ(form->MSFlexGrid2.Row(), 2);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Celda(2, col::CodigoArticulo), "");
    EXPECT_EQ(tabla->model()->rowCount(), 3);
    // Insert puts an empty line before the current one.
    Tecla(Qt::Key_Up);
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "");
    EXPECT_EQ(Celda(2, col::CodigoArticulo), "1001");
    // End leaves the grid.
    Tecla(Qt::Key_End);
    EXPECT_NE(QApplication::focusWidget(), tabla);
}

TEST_F(EdicionGrilla, TabDesdeElEditorSigueComoDesdeLaGrilla) {
    NuevaPlantilla();
    Escribe(QStringLiteral("1001"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("7"));
    ASSERT_TRUE(editor->isVisible());
    Tecla(Qt::Key_Tab);
    // The edit is validated and written, and the focus goes on to the grid's next control.
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Celda(1, col::Cantidad), "7");
    EXPECT_EQ(QApplication::focusWidget(), vista->Control(QStringLiteral("CmdCargar")));
    EXPECT_EQ(form->Foco().Actual(), "CmdCargar");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(EdicionGrilla, UnClicEnOtraCeldaEscribeLaEdicion) {
    NuevaPlantilla();
    Escribe(QStringLiteral("1001"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("4"));
    ASSERT_TRUE(editor->isVisible());
    QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {}, RectCelda(1, col::Descripcion).center());
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Celda(1, col::Cantidad), "4");
    EXPECT_EQ(Celda(1, col::Descripcion), QStringLiteral("Tuerca hexagonal Clásico"));
    EXPECT_EQ(form->MSFlexGrid2.Col(), col::Descripcion);
    // A double click opens the editor on the cell's own text.
    // (A real double click begins with a press, which makes the cell current.)
    QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {}, RectCelda(1, col::Cantidad).center());
    QTest::mouseDClick(tabla->viewport(), Qt::LeftButton, {}, RectCelda(1, col::Cantidad).center());
    QApplication::processEvents();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "4");
    EXPECT_EQ(editor->geometry(), RectCelda(1, col::Cantidad));
}

TEST_F(EdicionGrilla, LosCamposDeCabeceraValidanYSeResaltan) {
    nombre->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(nombre->palette().color(QPalette::Base),
              QColor(gColorFondo & 0xFF, (gColorFondo >> 8) & 0xFF, (gColorFondo >> 16) & 0xFF));
    // An apostrophe never gets into a field.
    Escribe(QStringLiteral("O'K"));
    EXPECT_EQ(nombre->text(), "OK");
    EXPECT_EQ(form->TxtFields[0].Text(), "OK");
    // Enter validates and moves on; the field goes back to black on white.
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(Prueba(*form).EsNuevo());
    EXPECT_NE(QApplication::focusWidget(), nombre);
    EXPECT_EQ(nombre->palette().color(QPalette::Base), QColor(Qt::white));
    // A right click marks the clicked field for its look-up.
    auto* destino = qobject_cast<QLineEdit*>(vista->Control(QStringLiteral("TxtFields(3)")));
    ASSERT_NE(destino, nullptr);
    QTest::mouseClick(destino, Qt::RightButton);
    EXPECT_EQ(Prueba(*form).ControlActivo(), &form->TxtFields[3]);
}

// The README's walk-through with the window's own keys, on the demo database: F2 saves, F8
// deletes; the questions are answered by the test's script as a user would choose. Half-way, with
// the lines typed, the window is the README's picture.
TEST_F(EdicionGrilla, ElRecorridoDelReadmeConLasTeclasDeLaVentana) {
    const auto lineas = [] { return Lineas(QStringLiteral("Reposición semanal"), false); };
    // 1-2. Tab from the voucher type to the name; Enter from field to field.
    ASSERT_EQ(QApplication::focusWidget(), vista->Control(QStringLiteral("CmbLista")));
    Tecla(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), nombre);
    Escribe(QStringLiteral("Reposición semanal"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("2"));
    Tecla(Qt::Key_Return);
    EXPECT_EQ(form->lblDescMotivo.Caption(), QStringLiteral("Rotura y merma"));
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("Lunes a primera hora"));
    Tecla(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), tabla);

    // 3. A code, a bar code and a scale label, each with Enter; the label's weight is the quantity.
    for (const char* codigo : {"1001", "7790000000010"}) {
        Escribe(QString::fromLatin1(codigo));
        Tecla(Qt::Key_Return);
        Escribe(codigo[0] == '1' ? QStringLiteral("5") : QStringLiteral("2"));
        Tecla(Qt::Key_Return);
    }
    Escribe(QStringLiteral("2050001012340"));
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Celda(2, col::CodigoArticulo), "TORN-6X40");
    EXPECT_EQ(Celda(3, col::Cantidad), "1,234");

    // The README's picture: the first line current, its stock shown.
    QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {}, RectCelda(1, col::Descripcion).center());
    QApplication::processEvents();
    form->sbStatusBar.Panels("BASEDEDATOS").setText("Db: demo/modelos.db"); // not the test's folder
    vista->resize(1100, 640);
    QApplication::processEvents();
    const QImage imagen = vista->grab().toImage();
    ASSERT_FALSE(imagen.isNull());
    QDir().mkpath(CarpetaCompilacion() + "/captura");
    EXPECT_TRUE(imagen.save(CarpetaCompilacion() + "/captura/captura.png"));

    // 4. F2 and Enter on its question (Yes).
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F2);
    EXPECT_EQ(lineas(), (QStringList{"1001|5", "TORN-6X40|2", "50001|1,234"}));
    ASSERT_EQ(QApplication::focusWidget(), nombre);

    // 5-6. The name and Enter bring it back; Enter down to the grid, Enter twice to the first
    // quantity, 8 and Enter.
    Escribe(QStringLiteral("Reposición semanal"));
    Tecla(Qt::Key_Return);
    ASSERT_EQ(Celda(2, col::CodigoArticulo), "TORN-6X40");
    for (int i = 0; i < 4; ++i)
        Tecla(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), tabla);
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("8"));
    Tecla(Qt::Key_Return);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F2);
    EXPECT_EQ(lineas(), (QStringList{"1001|8", "TORN-6X40|2", "50001|1,234"}));

    // 7. Found again and deleted with F8 after its two questions.
    Escribe(QStringLiteral("Reposición semanal"));
    Tecla(Qt::Key_Return);
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F8);
    EXPECT_TRUE(lineas().isEmpty());
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT COUNT(*) FROM V_CPTES_MODELO_CAB WHERE NOMBRE = 'Reposición semanal'"), rs);
    EXPECT_EQ(UT().ValorATexto(rs.Fields(0)), "0");
}

// What the user typed is what is stored and shown again: a name that reads "Null" with a ";",
// negative quantities, and a line in boxes passed through with Enter.
TEST_F(EdicionGrilla, LoTecleadoEsLoQueSeGuardaYSeVuelveAVer) {
    const auto lineas = [] { return Lineas(QStringLiteral("null"), true); };
    NuevaPlantilla(QStringLiteral("null;"));
    EXPECT_EQ(nombre->text(), "null");
    Escribe(QStringLiteral("TORN-6X40"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("-2"));
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celda(1, col::Cantidad), "2");
    Escribe(QStringLiteral("1001"));
    Tecla(Qt::Key_Return);
    Escribe(QStringLiteral("4"));
    Tecla(Qt::Key_Return);
    form->MueveCelda(1, col::Unidad);
    QApplication::processEvents();
    Escribe(QStringLiteral("CJ"));
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(QLatin1Char('|')).toStdString();
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F2);
    EXPECT_EQ(lineas(), (QStringList{"TORN-6X40|2|CJ", "1001|4|UN"}));
    ASSERT_EQ(QApplication::focusWidget(), nombre);

    // Opened again: the stock panel shows the first line, the current one.
    Escribe(QStringLiteral("NULL"));
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(Prueba(*form).EsModificacion());
    auto* stock = vista->findChild<QLabel*>(QStringLiteral("lblStockInfo(2)"));
    ASSERT_NE(stock, nullptr);
    ASSERT_NE(Celda(1, col::StockDisponible), Celda(2, col::StockDisponible));
    EXPECT_EQ(stock->text(), " Stock:  " + Celda(1, col::StockDisponible) + " ");

    // Enter through the first line's code keeps its boxes; its quantity typed negative again.
    for (int i = 0; i < 4; ++i)
        Tecla(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), tabla);
    Tecla(Qt::Key_Return);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celda(1, col::Unidad), "CJ");
    Escribe(QStringLiteral("-3"));
    Tecla(Qt::Key_Return);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F2);
    EXPECT_EQ(lineas(), (QStringList{"TORN-6X40|3|CJ", "1001|4|UN"}));
}

// A disabled toolbar button keeps its caption readable: the darkest pixels of the caption stand
// out from the bar's background at least 3 to 1.
TEST_F(EdicionGrilla, LosBotonesDeshabilitadosSeLeen) {
    const auto luminancia = [](QRgb c) {
        const auto canal = [](int v) {
            const double x = v / 255.0;
            return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * canal(qRed(c)) + 0.7152 * canal(qGreen(c)) + 0.0722 * canal(qBlue(c));
    };
    const auto contraste = [&](const char* palabra, bool habilitado) {
        auto* boton = qobject_cast<QToolButton*>(
            vista->Barra()->widgetForAction(vista->Barra()->Accion(QString::fromLatin1(palabra))));
        EXPECT_NE(boton, nullptr);
        if (!boton)
            return 0.0;
        EXPECT_EQ(boton->isEnabled(), habilitado) << palabra;
        const QImage img = boton->grab().toImage();
        // The caption is under the icon: the lower third of the button.
        double fondo = luminancia(img.pixel(1, img.height() - 2));
        double texto = fondo;
        for (int y = img.height() * 2 / 3; y < img.height() - 1; ++y)
            for (int x = 1; x < img.width() - 1; ++x)
                texto = std::min(texto, luminancia(img.pixel(x, y)));
        return (fondo + 0.05) / (texto + 0.05);
    };
    // No template open: Grabar and Borrar are disabled, Nuevo enabled.
    EXPECT_GE(contraste("GRABAR", false), 3.0);
    EXPECT_GE(contraste("BORRAR", false), 3.0);
    EXPECT_GE(contraste("NUEVO", true), contraste("GRABAR", false)); // still told apart
}

// The two check boxes from the keyboard: Tab from the grid (or End) goes through the three
// buttons to them, and Space ticks the one with the focus.
TEST_F(EdicionGrilla, LasCasillasSeAlcanzanConElTeclado) {
    auto* anclar = vista->findChild<QCheckBox*>(QStringLiteral("ChkAnclar"));
    auto* codigoBarra = vista->findChild<QCheckBox*>(QStringLiteral("ChkCodigoBarra"));
    ASSERT_NE(anclar, nullptr);
    ASSERT_NE(codigoBarra, nullptr);
    NuevaPlantilla();
    Tecla(Qt::Key_End);
    EXPECT_EQ(QApplication::focusWidget(), vista->Control(QStringLiteral("CmdCargar")));
    Tecla(Qt::Key_Tab);
    Tecla(Qt::Key_Tab);
    Tecla(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), anclar);
    Tecla(Qt::Key_Space);
    EXPECT_EQ(form->ChkAnclar.Value(), 1);
    Tecla(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), codigoBarra);
    Tecla(Qt::Key_Space);
    EXPECT_EQ(form->ChkCodigoBarra.Value(), 1);
    EXPECT_EQ(form->Foco().Actual(), "ChkCodigoBarra");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(QLatin1Char('|')).toStdString();

    // From the voucher type, Shift+Tab goes back to them as well.
    vista->Control(QStringLiteral("CmbLista"))->setFocus();
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), codigoBarra);
}

} // namespace
