// Every way out of an edited quantity of the line dialogs, on screen (offscreen): a click on
// another cell, each toolbar button and Aceptar check the text as Enter does. A refused text
// shows Enter's message, keeps the edit open and never reaches the grid's other rows nor the
// lists; a valid one is taken.

#include "BaseDemo.h"
#include "ListaPipe.h"
#include "LotesPrueba.h"
#include "Regional.h"
#include "VistaCargaLotesySeries.h"
#include "VistasPosiciones.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

constexpr int kClic = 0;
// The row a click goes to.
constexpr int kFilaClic = 1;

// A dialog under test: how it opens on screen (the form and its view handed to the step), the
// quantity cell typed over, its toolbar buttons and what accept wrote.
struct Dialogo {
    std::function<void(const std::function<void(DialogoLinea&, VistaDialogoLinea&)>&)> abre;
    int fila = 0;
    int col = 0;
    int botones = 0;
    std::function<QString(DialogoLinea&)> listas;
    int Acepta() const { return botones + 1; }
};

// The dialog `Form` loaded with `e` and shown in its `Vista`, typed over at (fila, col);
// `listas` tells what accept wrote.
template <class Form, class Vista>
Dialogo EnPantalla(const typename Form::Entrada& e, int fila, int col, int botones,
                   const std::function<QString(const typename Form::Resultado&)>& listas) {
    Dialogo d;
    d.abre = [e](const auto& paso) {
        Form form;
        form.CargaDatos(e);
        Vista vista(form);
        vista.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&vista, 2000));
        paso(form, vista);
    };
    d.fila = fila;
    d.col = col;
    d.botones = botones;
    d.listas = [listas](DialogoLinea& f) { return listas(static_cast<Form&>(f).Devuelto()); };
    return d;
}

QStringList Columna(const Grilla& g, int col) {
    QStringList c;
    for (int f = 1; f < g.Rows(); ++f)
        c << g.TextMatrix(f, col);
    return c;
}

void Clic(VistaDialogoLinea& v, int fila, int col) {
    QTest::mouseClick(v.Tabla()->viewport(), Qt::LeftButton, {},
                      v.Tabla()->visualRect(v.Tabla()->model()->index(fila, col)).center());
    QApplication::processEvents();
}

void Acepta(VistaDialogoLinea& v) {
    QTest::mouseClick(v.BotonAceptar(), Qt::LeftButton);
    QApplication::processEvents();
}

// The edited cell clicked and typed over, the edit left open.
void Escribe(VistaDialogoLinea& v, const Dialogo& d, const QString& texto) {
    Clic(v, d.fila, d.col);
    QTest::keyClick(v.Tabla(), texto.at(0).toLatin1());
    QTest::keyClicks(v.Editor(), texto.mid(1));
    ASSERT_TRUE(v.Editor()->isVisible());
}

// Way 0: a click on another row's quantity; 1 to n: the toolbar's button; n + 1: Aceptar.
void Sale(VistaDialogoLinea& v, const Dialogo& d, int salida) {
    if (salida == kClic)
        Clic(v, kFilaClic, d.col);
    else if (salida == d.Acepta())
        Acepta(v);
    else
        QTest::mouseClick(v.Barra()->widgetForAction(v.Boton(salida)), Qt::LeftButton);
    QApplication::processEvents();
}

class SalidaEdicion : public ConBaseDemo {
protected:
    // The messages shown, with their titles.
    QStringList Avisos() const {
        QStringList r;
        for (const auto& m : guion.Registros())
            r << m.titulo + ": " + m.texto;
        return r;
    }

    // Each refused text left each way: Enter's message, the edit open, the grid as loaded and, once
    // dropped, the lists of the grid as loaded. Then the valid text left each way: `tomado` checks it.
    void RecorreSalidas(const Dialogo& d, const QStringList& rechazados, const QString& valido,
                        const std::function<void(DialogoLinea&, int salida)>& tomado) {
        QStringList cargada;
        QString listas;
        d.abre([&](DialogoLinea& f, VistaDialogoLinea& v) {
            cargada = Columna(f.MSFlexGrid1, d.col);
            Acepta(v);
            listas = d.listas(f);
        });
        ASSERT_TRUE(guion.Mensajes().isEmpty());
        for (const QString& texto : rechazados) {
            QStringList enter;
            d.abre([&](DialogoLinea&, VistaDialogoLinea& v) {
                Escribe(v, d, texto);
                guion.Limpia();
                QTest::keyClick(v.Editor(), Qt::Key_Return);
                enter = Avisos();
                EXPECT_TRUE(v.Editor()->isVisible());
            });
            ASSERT_FALSE(enter.isEmpty()) << texto.toStdString();
            for (int salida = kClic; salida <= d.Acepta(); ++salida) {
                SCOPED_TRACE(texto.toStdString() + " salida " + std::to_string(salida));
                d.abre([&](DialogoLinea& f, VistaDialogoLinea& v) {
                    Escribe(v, d, texto);
                    guion.Limpia();
                    Sale(v, d, salida);
                    EXPECT_EQ(Avisos(), enter);
                    EXPECT_TRUE(v.isVisible());
                    EXPECT_TRUE(v.Editor()->isVisible());
                    EXPECT_EQ(v.Editor()->text(), texto);
                    EXPECT_TRUE(v.Editor()->hasFocus());
                    EXPECT_EQ(f.MSFlexGrid1.Row(), d.fila);
                    EXPECT_EQ(v.Tabla()->currentIndex().row(), d.fila);
                    EXPECT_EQ(Columna(f.MSFlexGrid1, d.col), cargada);
                    QTest::keyClick(v.Editor(), Qt::Key_Escape);
                    guion.Limpia();
                    Acepta(v);
                    EXPECT_TRUE(guion.Mensajes().isEmpty());
                    EXPECT_FALSE(v.isVisible());
                    EXPECT_EQ(d.listas(f), listas);
                });
            }
        }
        for (int salida = kClic; salida <= d.Acepta(); ++salida) {
            SCOPED_TRACE("valid, salida " + std::to_string(salida));
            d.abre([&](DialogoLinea& f, VistaDialogoLinea& v) {
                Escribe(v, d, valido);
                guion.Limpia();
                // The total then passes the line's: the larger one is taken.
                if (salida == d.Acepta())
                    guion.AgregaRespuesta(Respuesta::Si);
                Sale(v, d, salida);
                EXPECT_FALSE(v.Editor()->isVisible());
                tomado(f, salida);
            });
        }
    }
};

TEST_F(SalidaEdicion, LotAndSerialDialog) {
    // 8 taken as 5 of LA and 3 of LB; LB's quantity typed over, a click goes to LA's.
    using Form = FrmCargaLotesySeries;
    const Dialogo d = EnPantalla<Form, VistaCargaLotesySeries>(
        SalidaDeDosLotes(QStringLiteral("LOTE-SALIDA")), 2, 3, 2, [](const Form::Resultado& r) {
            return r.Lotes + " " + r.Series + " " + QString::number(r.Cantidad);
        });
    const QString y(ListaPipe::MarcaFin);
    RecorreSalidas(d, {QStringLiteral("abc"), QStringLiteral("11")}, QStringLiteral("4"),
                   [&](DialogoLinea& f, int salida) {
                       const QStringList tomadas[] = {{"5", "4", "0"}, {"5", "4", "4"}, {"5", "4", ""}};
                       if (salida < d.Acepta()) {
                           EXPECT_EQ(Columna(f.MSFlexGrid1, 3), tomadas[salida]);
                           EXPECT_EQ(f.MSFlexGrid1.Row(), salida == kClic ? kFilaClic : 2);
                       } else {
                           EXPECT_FALSE(f.Visible);
                           EXPECT_EQ(d.listas(f), "|LA" + y + "|LB" + y + "|" + y + "| |5|4|0| 9");
                       }
                   });
}

TEST_F(SalidaEdicion, PositionsAndLotsDialog) {
    const Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    // Rice 1030 in deposit 10 for 100 UN, by positions and lots: 26, 60 and 14 of the 36 at
    // M1E01N1P03, whose quantity is typed over; a click goes to the first row's.
    using Form = FrmLoteyPosicion;
    Form::Entrada e;
    e.modo = Form::Modo::PosicionYLote;
    e.Cantidad1 = 100;
    e.IUNIDAD = QStringLiteral("UN");
    e.Articulo = QStringLiteral("1030");
    e.Deposito = QStringLiteral("10");
    const Dialogo d = EnPantalla<Form, VistaLoteyPosicion>(e, 3, 4, 3, [](const Form::Resultado& r) {
        return r.Posiciones + " " + r.Lotes + " " + QString::number(r.Cantidad1);
    });
    RecorreSalidas(d, {QStringLiteral("abc"), QStringLiteral("37")}, QStringLiteral("20"),
                   [&](DialogoLinea& f, int salida) {
                       // The third button proposes again: what was typed is written, then replaced.
                       const QStringList tomadas[] = {{"26", "60", "20", "0", "0", "0"},
                                                      {"26", "60", "20", "20", "20", "20"},
                                                      {"26", "60", "20", "0", "0", "0"},
                                                      {"26", "60", "14", "0", "0", "0"}};
                       if (salida < d.Acepta()) {
                           EXPECT_EQ(Columna(f.MSFlexGrid1, 4), tomadas[salida]);
                       } else {
                           EXPECT_FALSE(f.Visible);
                           EXPECT_EQ(d.listas(f),
                                     "|M1E02N1P02*26|M1E01N1P01*60|M1E01N1P03*20| ||L1030A|L1030A| 106");
                       }
                   });
}

} // namespace
