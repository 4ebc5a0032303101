// The voucher lookup window, headless, on the demo vouchers (see ConsultaCptesTest.cpp): the
// driver's answers by type, the headers, sorting, the search boxes, a repeated search and the
// commands during the list fill.

#include "FrmConsComprobantes.h"
#include "AccesoDatos.h"
#include "ConClaseCptes.h"
#include "Globales.h"

#include <gtest/gtest.h>
#include <memory>
#include <utility>

#define EXPECT_TEXTO(a, b) EXPECT_EQ(QString(a).toStdString(), QString(b).toStdString())

namespace {

class ConsultaComprobantes : public ConClaseCptes {
protected:
    // The row whose sub-item 1 (or text, for "T3") is `numero`.
    static ElementoLista* Fila(FrmConsComprobantes& f, const QString& numero, int columna = 1) {
        for (ElementoLista* e : f.ListView1.Elementos())
            if (e->TextoColumna(columna) == numero)
                return e;
        return nullptr;
    }
    static QStringList Encabezados(const FrmConsComprobantes& f) {
        QStringList r;
        for (int i = 1; i <= f.ListView1.CuentaEncabezados(); ++i)
            r << f.ListView1.Encabezado(i).Text + u':' +
                     QString::number(f.ListView1.Encabezado(i).Width / 135);
        return r;
    }
    // Runs the driver; `usuario` plays the user's part on the shown window.
    struct Eleccion {
        QString numero, complemento = "-", proveedor = "-";
    };
    Eleccion Consulta(const QString& tc, const std::function<void(FrmConsComprobantes&)>& usuario,
                      const QVariant& filtro = {}) {
        guion.alMostrar = [&](Formulario& f) { usuario(dynamic_cast<FrmConsComprobantes&>(f)); };
        Eleccion r;
        clase->ConsultaComprobante(tc, r.numero, filtro, &r.complemento, &r.proveedor);
        return r;
    }
};

TEST_F(ConsultaComprobantes, RespuestasPorTipo) {
    const auto elige = [](const QString& numero, int columna = 1) {
        return [numero, columna](FrmConsComprobantes& f) {
            ASSERT_TRUE(f.Visible);
            f.ListView1.setSelectedItem(Fila(f, numero, columna));
            f.CmdAceptar_Click();
        };
    };
    Eleccion r = Consulta("FC", elige("009900000001R"));
    EXPECT_TEXTO(r.numero, "009900000001R");
    EXPECT_TEXTO(r.complemento, "2");
    EXPECT_TEXTO(r.proveedor, "");
    // An "RM" row has no complement; a lower-case type follows its rule.
    r = Consulta("rm", elige("009900000002R"));
    EXPECT_TEXTO(r.numero, "009900000002R");
    EXPECT_TEXTO(r.complemento, "");
    r = Consulta("FCC", elige("009900000002R"));
    EXPECT_TEXTO(r.numero, "009900000002R");
    EXPECT_TEXTO(r.proveedor, "P002");
    EXPECT_TEXTO(r.complemento, "");
    r = Consulta("PR/PENDIENTES", elige("009900000002R"));
    EXPECT_TEXTO(r.numero, "009900000002R");
    EXPECT_TEXTO(r.complemento, "0");
    r = Consulta("T3", elige("8", 0));
    EXPECT_TEXTO(r.numero, "8");
    EXPECT_TEXTO(r.complemento, "0");
    r = Consulta("OP", elige("009900000001R"));
    EXPECT_TEXTO(r.numero, "009900000001R");
    EXPECT_TEXTO(r.complemento + r.proveedor, "");
    // Accept with no selected row, cancel, and closing give nothing.
    r = Consulta("FC", [](FrmConsComprobantes& f) { f.CmdAceptar_Click(); });
    EXPECT_TEXTO(r.numero + r.complemento + r.proveedor, "");
    r = Consulta("FC", [](FrmConsComprobantes& f) {
        f.ListView1.setSelectedItem(f.ListView1.Elementos().front());
        f.CmdCancelar_Click();
    });
    EXPECT_TEXTO(r.numero + r.complemento + r.proveedor, "");
    r = Consulta("FC", [](FrmConsComprobantes& f) { f.Form_Unload(); });
    EXPECT_TEXTO(r.numero, "");
}

TEST_F(ConsultaComprobantes, OrdenesDeCompraMarcadasYAceptarConDobleClicOEnter) {
    Eleccion r = Consulta("OC", [](FrmConsComprobantes& f) {
        EXPECT_TRUE(f.ListView1.Checkboxes());
        ASSERT_EQ(f.ListView1.Count(), 2);
        f.ListView1.setSelectedItem(Fila(f, "009900000002R", 2));
        f.ListView1_DblClick();
    });
    EXPECT_TEXTO(r.numero, "009900000002R");
    EXPECT_TEXTO(r.complemento, "0");
    r = Consulta("OC", [](FrmConsComprobantes& f) {
        f.ListView1.setSelectedItem(f.ListView1.Elementos().front());
        for (ElementoLista* e : f.ListView1.Elementos())
            e->setChecked(true);
        f.ListView1_KeyDown(13, 1);
    });
    EXPECT_TEXTO(r.numero, "009900000002R,009900000001R");
    // Other keys are left to the list.
    r = Consulta("OC", [](FrmConsComprobantes& f) {
        f.ListView1.setSelectedItem(f.ListView1.Elementos().front());
        f.ListView1_KeyDown(40, 0);
        EXPECT_TRUE(f.Visible);
        f.CmdCancelar_Click();
    });
    EXPECT_TEXTO(r.numero, "");
    // A caller's condition with WHERE: the word goes, the condition stays.
    r = Consulta(
        "OC",
        [](FrmConsComprobantes& f) {
            EXPECT_EQ(f.ListView1.Count(), 1);
            f.ListView1.setSelectedItem(f.ListView1.Elementos().front());
            f.CmdAceptar_Click();
        },
        QString("WHERE CUENTA = 'P001'"));
    EXPECT_TEXTO(r.numero, "009900000001R");
}

TEST_F(ConsultaComprobantes, EncabezadosImagenesYOrden) {
    FrmConsComprobantes f;
    f.TC = "RM/TRANSPORTE";
    f.Form_Load();
    EXPECT_TEXTO(f.TC, "RM");
    EXPECT_TEXTO(Encabezados(f).join(','), "ID:5,COMPROBANTE:15,COMPLEMENTO:6,FECHA:20,CUENTA:13");
    ASSERT_EQ(f.ListView1.Count(), 1);
    EXPECT_EQ(f.ListView1.ListItems(1).Icon(), 0);
    for (const char* tc : {"", "XX", "FC "}) {
        f.TC = tc;
        f.Encolumnar();
        EXPECT_TEXTO(Encabezados(f).join(','),
                     "FECHA:13,COMPROBANTE:15,CUENTA:15,NOMBRE:21,CONCEPTO:21,IMPORTE:10");
    }
    f.TC = "oc";
    f.Encolumnar();
    f.Encolumnar();
    EXPECT_TEXTO(Encabezados(f).join(','),
                 "FECHA:13,PROVEEDOR:13,COMPROBANTE:17,IMPORTE:9,COMENTARIOS:15,Inf. Recepción:15");
    EXPECT_EQ(f.ObtieneIndiceImagen("aprobado"), 3);
    EXPECT_EQ(f.ObtieneIndiceImagen("NCC"), 8);

    // Sorting: every click reverses the one order, whichever column.
    FrmConsComprobantes g;
    g.TC = "RM";
    g.Form_Load();
    EXPECT_TEXTO(Encabezados(g).join(','), "FECHA:20,COMPROBANTE:15,ID:5,NOMBRE:21,Referencia:15,IMPORTE:10");
    ASSERT_EQ(g.ListView1.Count(), 3);
    g.ListView1_ColumnClick(2);
    EXPECT_EQ(g.ListView1.SortKey(), 1);
    EXPECT_TEXTO(g.ListView1.ListItems(1).SubItems(1), "009900000003R");
    g.ListView1_ColumnClick(2);
    EXPECT_TEXTO(g.ListView1.ListItems(1).SubItems(1), "009900000001R");
    g.ListView1_ColumnClick(4);
    EXPECT_EQ(g.ListView1.SortKey(), 3);
    EXPECT_TEXTO(g.ListView1.ListItems(1).SubItems(3), "Ferretería El Tornillo");
    // A new search keeps the sort settings.
    g.CmdBuscar_Click();
    EXPECT_EQ(g.ListView1.SortKey(), 3);
    EXPECT_TRUE(g.ListView1.Sorted());
    EXPECT_TRUE(FrmConsComprobantes::ListView1_BeforeLabelEdit());
}

TEST_F(ConsultaComprobantes, CajasDeBusquedaYBusquedaRepetida) {
    FrmConsComprobantes f;
    f.TC = "NP/PENDIENTES";
    f.Form_Load();
    EXPECT_TEXTO(f.TC, "NP");
    EXPECT_EQ(f.ListView1.Count(), 1);
    f.TxtNombre_GotFocus();
    EXPECT_EQ(f.Foco, "TxtNombre");
    EXPECT_EQ(f.TxtNombre.SelStart(), 0);
    EXPECT_EQ(f.TxtNombre.SelLength(), 20);
    f.TxtNombre.setText("  abc");
    f.TxtNombre_GotFocus();
    EXPECT_EQ(f.TxtNombre.SelLength(), 3);
    int enter = 13;
    f.TxtNombre_KeyPress(enter);
    EXPECT_EQ(f.Foco, "TxtNumero");
    f.TxtNumero_KeyPress(enter);
    EXPECT_EQ(f.Foco, "CmdBuscar");
    EXPECT_EQ(f.ListView1.Count(), 1); // Enter searches nothing by itself
    // The repeated search is still the pending one: the order not prepared stays out.
    f.TxtNombre.setText("Tornillo");
    f.CmdBuscar_Click();
    EXPECT_EQ(f.ListView1.Count(), 0);
    f.TxtNombre.setText(kGuiaNombre);
    f.CmdBuscar_Click();
    EXPECT_EQ(f.ListView1.Count(), 1);
    f.TxtNumero.setText("00002");
    f.TxtNombre.setText("Pepe");
    f.CmdBuscar_Click();
    EXPECT_EQ(f.ListView1.Count(), 0);
    // A typed "%" or "_" is a character, not every row.
    for (const char* comodin : {"%", "_", "0%1"}) {
        f.TxtNumero.setText(comodin);
        f.CmdBuscar_Click();
        EXPECT_EQ(f.ListView1.Count(), 0) << comodin;
    }
    EXPECT_EQ(CondicionBusqueda("50% [x]!", ""), "AND NOMBRE LIKE '%50!% ![x]!!%' ESCAPE '!' ");
}

TEST_F(ConsultaComprobantes, ComandosDuranteElLlenado) {
    FrmConsComprobantes f;
    f.TC = "RM";
    int cedidas = 0;
    f.cedeTurno = [&] {
        ++cedidas;
        EXPECT_TRUE(f.Llenando());
        f.CmdBuscar_Click(); // refused while the list fills
    };
    f.Form_Load();
    EXPECT_EQ(cedidas, 3);
    EXPECT_EQ(f.ListView1.Count(), 3);
    EXPECT_FALSE(f.Llenando());
    // Accepting during the fill ends it: the answer is a row already shown.
    cedidas = 0;
    f.cedeTurno = [&] {
        if (++cedidas == 1) {
            f.ListView1.setSelectedItem(f.ListView1.Elementos().front());
            f.CmdAceptar_Click();
        }
    };
    f.CmdBuscar_Click();
    EXPECT_EQ(cedidas, 1);
    EXPECT_TEXTO(f.NroComprobante, "009900000003R");
    EXPECT_EQ(f.ListView1.Count(), 0);
    EXPECT_FALSE(f.Visible);
}

// A row with more sub-items than headers goes statement by statement; when adding it fails and
// the user ignores the error, the fill goes on with the next row instead of writing into nothing.
TEST_F(ConsultaComprobantes, UnaFilaQueNoSeAgregaSeIgnoraYSigueLaSiguiente) {
    FrmConsComprobantes f;
    f.TC = "RM";
    int cedidas = 0;
    bool fallaAlta = false;
    f.cedeTurno = [&] {
        if (++cedidas != 1)
            return;
        f.ListView1.LimpiaEncabezados(); // every later sub-item raises 380, skipped silently
        fallaAlta = true;
        f.ListView1.alCambiar = [&] {
            if (std::exchange(fallaAlta, false))
                throw ErrorSistema(35600, "Index out of bounds", "ListaVista");
        };
    };
    guion.AgregaRespuesta(Respuesta::Ignorar);
    f.Form_Load();
    EXPECT_EQ(cedidas, 3);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().front().contains("35600"));
    EXPECT_FALSE(f.Llenando());
    // The first row whole, the second as its failed Add left it, the third without sub-items.
    ASSERT_EQ(f.ListView1.Count(), 3);
    int sinTexto = 0;
    int conSubItems = 0;
    for (const ElementoLista* e : f.ListView1.Elementos()) {
        sinTexto += e->Text().isEmpty() ? 1 : 0;
        conSubItems += e->TextoColumna(1).isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(sinTexto, 1);
    EXPECT_EQ(conSubItems, 1);
}

TEST_F(ConsultaComprobantes, UnaSentenciaFallidaVaAlManejadorCentral) {
    FrmConsComprobantes f;
    f.TC = "FC";
    f.filtro = "COLUMNA_QUE_NO_EXISTE = 1";
    guion.AgregaRespuesta(Respuesta::Abortar);
    f.Form_Load();
    EXPECT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(f.ListView1.Count(), 0);
    EXPECT_FALSE(f.Llenando());
}

} // namespace
