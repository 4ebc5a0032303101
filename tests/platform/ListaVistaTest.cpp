#include "ListaVista.h"
#include "Ayudas.h"
#include "ErrorSistema.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList Columna(const ListaVista& l, int k) {
    QStringList v;
    for (const ElementoLista* e : l.Elementos())
        v << e->TextoColumna(k);
    return v;
}

// What a click on a column header does: reverse the order, sort by that column.
void ClickEncabezado(ListaVista& l, int indiceEncabezado) {
    l.setSortOrder(l.SortOrder() == ListaVista::Ascendente ? ListaVista::Descendente
                                                           : ListaVista::Ascendente);
    l.setSortKey(indiceEncabezado - 1);
    l.setSorted(true);
}

class ListaVistaTest : public ::testing::Test {
protected:
    void SetUp() override {
        lista.AgregaEncabezado("FECHA", 1950);
        lista.AgregaEncabezado("COMPROBANTE", 2250);
        lista.AgregaEncabezado("ID", 750);
        Fila("2024-03-01", "b-0002", "7");
        Fila("2024-01-15", "A-0001", "10");
        Fila("2024-02-10", "c-0003", "7");
    }
    void Fila(const QString& fecha, const QString& cpte, const QString& id) {
        ElementoLista& e = lista.Add(fecha, 4, 4);
        e.setSubItems(1, cpte);
        e.setSubItems(2, id);
    }
    ListaVista lista;
};

TEST_F(ListaVistaTest, FilasConSubItemsBajoLosEncabezados) {
    ASSERT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.CuentaEncabezados(), 3);
    EXPECT_EQ(lista.Encabezado(2).Text, "COMPROBANTE");
    EXPECT_EQ(lista.Encabezado(2).Width, 2250);
    const ElementoLista& primera = lista.ListItems(1);
    EXPECT_EQ(primera.Text(), "2024-03-01");
    EXPECT_EQ(primera.SubItems(1), "b-0002");
    EXPECT_EQ(primera.SubItems(2), "7");
    EXPECT_EQ(primera.Icon(), 4);
    // A sub-item beyond the headers, or number 0, is refused as the control does.
    EXPECT_EQ(NumeroDeError([&] { lista.ListItems(1).setSubItems(3, "x"); }),
              ErrorLista::ValorPropiedadInvalido);
    EXPECT_EQ(NumeroDeError([&] { lista.ListItems(1).SubItems(0); }), ErrorLista::ValorPropiedadInvalido);
    EXPECT_EQ(NumeroDeError([&] { lista.ListItems(4); }), ErrorLista::IndiceFueraDeLimites);
    EXPECT_EQ(NumeroDeError([&] { lista.ListItems(0); }), ErrorLista::IndiceFueraDeLimites);
    EXPECT_EQ(NumeroDeError([&] { lista.Encabezado(4); }), ErrorLista::IndiceFueraDeLimites);

    ElementoLista& sinSub = lista.Add("x");
    EXPECT_EQ(sinSub.SubItems(2), ""); // never written
    lista.LimpiaEncabezados();
    EXPECT_EQ(NumeroDeError([&] { sinSub.SubItems(1); }), ErrorLista::ValorPropiedadInvalido);
}

TEST_F(ListaVistaTest, CadaClickInvierteElOrdenSeaCualSeaLaColumna) {
    EXPECT_FALSE(lista.Sorted());
    EXPECT_EQ(Columna(lista, 0), (QStringList{"2024-03-01", "2024-01-15", "2024-02-10"})); // as added

    ClickEncabezado(lista, 2); // COMPROBANTE: descending, the order starts ascending
    EXPECT_EQ(lista.SortKey(), 1);
    EXPECT_EQ(lista.SortOrder(), ListaVista::Descendente);
    EXPECT_EQ(Columna(lista, 1), (QStringList{"c-0003", "b-0002", "A-0001"})); // case ignored

    ClickEncabezado(lista, 2);
    EXPECT_EQ(Columna(lista, 1), (QStringList{"A-0001", "b-0002", "c-0003"}));

    ClickEncabezado(lista, 3); // ID, compared as text: "10" before "7"; ties keep their order
    EXPECT_EQ(lista.SortOrder(), ListaVista::Descendente);
    EXPECT_EQ(Columna(lista, 2), (QStringList{"7", "7", "10"}));
    EXPECT_EQ(Columna(lista, 1), (QStringList{"b-0002", "c-0003", "A-0001"}));

    ClickEncabezado(lista, 1);
    EXPECT_EQ(Columna(lista, 0), (QStringList{"2024-01-15", "2024-02-10", "2024-03-01"}));
    EXPECT_EQ(lista.ListItems(1).SubItems(1), "A-0001");
}

TEST_F(ListaVistaTest, UnaNuevaBusquedaConservaElOrden) {
    ClickEncabezado(lista, 2); // descending by COMPROBANTE
    lista.Clear();
    lista.LimpiaEncabezados();
    lista.AgregaEncabezado("FECHA", 1950);
    lista.AgregaEncabezado("COMPROBANTE", 2250);
    // Rows are written text first and sub-items after, as a search fills them.
    for (const char* c : {"m", "z", "a"})
        lista.Add("f").setSubItems(1, c);
    EXPECT_EQ(Columna(lista, 1), (QStringList{"z", "m", "a"}));
    EXPECT_EQ(lista.Indice(&lista.ListItems(3)), 3);
    lista.setSorted(false);
    lista.Add("f").setSubItems(1, "zz"); // unsorted: appended last
    EXPECT_EQ(Columna(lista, 1).last(), "zz");
}

TEST_F(ListaVistaTest, SeleccionYMarcas) {
    EXPECT_EQ(lista.SelectedItem(), nullptr);
    ElementoLista& segunda = lista.ListItems(2);
    lista.setSelectedItem(&segunda);
    EXPECT_EQ(lista.SelectedItem(), &segunda);
    lista.ListItems(3).setSelected(true); // single selection moves
    EXPECT_FALSE(segunda.Selected());
    EXPECT_EQ(lista.SelectedItem(), &lista.ListItems(3));

    lista.setMultiSelect(true);
    segunda.setSelected(true);
    EXPECT_TRUE(lista.ListItems(3).Selected());
    EXPECT_TRUE(segunda.Selected());
    lista.setMultiSelect(false);
    EXPECT_FALSE(lista.ListItems(3).Selected());
    EXPECT_TRUE(segunda.Selected());

    lista.setCheckboxes(true);
    lista.ListItems(3).setChecked(true);
    lista.ListItems(1).setChecked(true);
    QStringList marcadas;
    for (const ElementoLista* e : lista.Elementos())
        if (e->Checked())
            marcadas << e->SubItems(1);
    EXPECT_EQ(marcadas.join(","), "b-0002,c-0003");

    int avisos = 0;
    lista.alCambiar = [&] { ++avisos; };
    lista.Clear();
    EXPECT_EQ(lista.SelectedItem(), nullptr);
    EXPECT_EQ(lista.Count(), 0);
    EXPECT_EQ(avisos, 1);
}

TEST_F(ListaVistaTest, ClavesUnicasSinDistinguirMayusculas) {
    ElementoLista& a = lista.Add("a");
    ElementoLista& b = lista.Add("b");
    a.setKey("D1");
    b.setKey("D2");
    EXPECT_EQ(lista.BuscaClave("d1"), &a);
    // A key another row holds is refused and the row keeps its own.
    EXPECT_EQ(NumeroDeError([&] { b.setKey("d1"); }), ErrorLista::ClaveRepetida);
    EXPECT_EQ(b.Key(), "D2");
    EXPECT_EQ(lista.BuscaClave("D2"), &b);
    // A row that changes its key frees the old one; an empty key is no key.
    a.setKey("D9");
    EXPECT_EQ(lista.BuscaClave("D1"), nullptr);
    b.setKey("D1");
    lista.Add("c").setKey("");
    lista.Add("d").setKey("");
    EXPECT_EQ(lista.BuscaClave(""), nullptr);
    lista.Clear();
    EXPECT_EQ(lista.BuscaClave("D9"), nullptr);
    lista.Add("e").setKey("D9");
    EXPECT_NE(lista.BuscaClave("D9"), nullptr);
}

TEST(ListaImagenes, EtiquetasNumeradasDesdeUno) {
    ListaImagenes imagenes;
    for (const char* t : {"PR", "Anulado", "Aprobado", "FC"})
        imagenes.Add(t);
    EXPECT_EQ(imagenes.Count(), 4);
    EXPECT_EQ(imagenes.Tag(4), "FC");
    EXPECT_EQ(NumeroDeError([&] { imagenes.Tag(5); }), ErrorLista::IndiceFueraDeLimites);
    EXPECT_EQ(NumeroDeError([&] { imagenes.Imagen(0); }), ErrorLista::IndiceFueraDeLimites);
}

} // namespace
