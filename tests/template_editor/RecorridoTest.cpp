// The README's keyboard walk-through, key by key, on the demo database: a template with three
// lines is created and saved, found again by its name, one quantity is changed and saved, and the
// template is deleted.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "Teclas.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

#include <QStringList>

namespace {

const QString kNombre = QStringLiteral("RECORRIDO DEMO");

class Recorrido : public ConVentanaDemo {
protected:
    // The stored lines of the template: article, quantity and unit, in their order.
    static QStringList Lineas() {
        Registros rs;
        AD().ObtieneRecordset(
            QStringLiteral("SELECT d.IdArticulo, d.Cantidad, d.IdUnidad FROM V_CPTES_MODELO_DET d "
                           "JOIN V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio "
                           "WHERE c.NOMBRE = 'RECORRIDO DEMO' ORDER BY d.Linea"),
            rs);
        QStringList filas;
        for (; !rs.Eof(); rs.MoveNext())
            filas << UT().ValorATexto(rs.Fields(0)).trimmed() + QLatin1Char('|') +
                         UT().ValorATexto(rs.Fields(1)) + QLatin1Char('|') +
                         UT().ValorATexto(rs.Fields(2)).trimmed();
        return filas;
    }
    static int Cabeceras() {
        Registros rs;
        AD().ObtieneRecordset(
            QStringLiteral("SELECT COUNT(*) FROM V_CPTES_MODELO_CAB WHERE NOMBRE = 'RECORRIDO DEMO'"), rs);
        return static_cast<int>(UT().TextoAMoneda(rs.Fields(0)).AEntero());
    }
    // Enter from header field to header field until the focus reaches the grid.
    void EnterHastaLaGrilla() {
        for (int vueltas = 0; vueltas < 6 && Foco() != QLatin1String("MSFlexGrid2"); ++vueltas)
            Pulsa(tecla::Enter);
        ASSERT_EQ(Foco(), "MSFlexGrid2");
    }
    // Name typed into the empty name field, then Enter: an existing name loads its template.
    void BuscaPorNombre() {
        ASSERT_EQ(Foco(), "TxtFields(0)");
        Teclea(kNombre);
        Pulsa(tecla::Enter);
    }
};

TEST_F(Recorrido, CrearGuardarBuscarCambiarYBorrarConElTeclado) {
    // 1. The window opens on the voucher type; Tab goes on to the name.
    ASSERT_EQ(Foco(), "CmbLista");
    F().Foco().Siguiente(); // Tab
    ASSERT_EQ(Foco(), "TxtFields(0)");

    // 2. Name, motive 2, the user's deposit as it comes, no destination, an observation.
    Teclea(kNombre);
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    Teclea(QStringLiteral("2"));
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    Teclea(QStringLiteral("Prueba de teclado"));
    Pulsa(tecla::Enter);
    ASSERT_EQ(Foco(), "MSFlexGrid2");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();

    // 3. Three lines: a code, a bar code and a scale label (whose weight is the quantity).
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    Linea(QStringLiteral("7790000000010"), QStringLiteral("2"));
    Teclea(QStringLiteral("2050001012340"));
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    ASSERT_EQ(G().Rows(), 5);

    // 4. F2 saves, after its question (Enter takes its default, Yes).
    guion.AgregaRespuesta(Respuesta::Si);
    Pulsa(tecla::F2);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].startsWith(QStringLiteral("Total de Items:3")));
    EXPECT_EQ(Cabeceras(), 1);
    EXPECT_EQ(Lineas(), (QStringList{"1001|5|UN", "TORN-6X40|2|UN", "50001|1,234|KG"}));
    guion.Limpia();

    // 5. Found again by its name: the lines come back.
    BuscaPorNombre();
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1001");
    EXPECT_EQ(Celda(2, col::CodigoArticulo), "TORN-6X40");
    EXPECT_EQ(Celda(3, col::Cantidad), "1,234");

    // 6. To the grid, and the first line's quantity becomes 8.
    EnterHastaLaGrilla();
    Pulsa(tecla::Enter); // opens the code
    Pulsa(tecla::Enter); // accepts it: on to the quantity
    Teclea(QStringLiteral("8"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::Cantidad), "8");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();

    // 7. Saved again: still one template, with the new quantity.
    guion.AgregaRespuesta(Respuesta::Si);
    Pulsa(tecla::F2);
    EXPECT_EQ(Cabeceras(), 1);
    EXPECT_EQ(Lineas(), (QStringList{"1001|8|UN", "TORN-6X40|2|UN", "50001|1,234|KG"}));
    guion.Limpia();

    // 8. Found again and deleted with F8, after its two questions.
    BuscaPorNombre();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    Pulsa(tecla::F8);
    EXPECT_EQ(guion.Mensajes(), (QStringList{QStringLiteral("Confirma la baja de este registro?"),
                                             QStringLiteral("¿Realmente desea anular este comprobante?")}));
    EXPECT_EQ(Cabeceras(), 0);
    EXPECT_TRUE(Lineas().isEmpty());
    EXPECT_EQ(Foco(), "TxtFields(0)");
}

} // namespace
