// What a daily user types with the keyboard on the demo database and expects to find again as
// typed: odd names, a line passed through with Enter, a negative quantity, the stock panel after
// a template is opened.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "Teclas.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

#include <QStringList>

namespace {

class UsoDiario : public ConVentanaDemo {
protected:
    // The stored lines of the template of that name: article, quantity and unit, in order.
    static QStringList Lineas(const QString& nombre) {
        QStringList filas;
        for (const QString& f :
             Filas(QStringLiteral("SELECT d.IdArticulo, d.Cantidad, d.IdUnidad FROM V_CPTES_MODELO_DET d "
                                  "JOIN V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio "
                                  "WHERE c.NOMBRE = '%1' ORDER BY d.Linea")
                       .arg(nombre))) {
            QStringList campos = f.split(u'|');
            for (QString& c : campos)
                c = c.trimmed();
            filas << campos.join(u'|');
        }
        return filas;
    }
    static QStringList Nombres() {
        return Filas(
            QStringLiteral("SELECT COALESCE(NOMBRE, '(sin nombre)') FROM V_CPTES_MODELO_CAB ORDER BY 1"));
    }
    void Graba() {
        guion.AgregaRespuesta(Respuesta::Si);
        Pulsa(tecla::F2);
        ASSERT_EQ(guion.Mensajes().size(), 1) << guion.Mensajes().join(u'|').toStdString();
        guion.Limpia();
    }
    void Abre(const QString& nombre) {
        ASSERT_EQ(Foco(), "TxtFields(0)");
        Teclea(nombre);
        Pulsa(tecla::Enter);
        ASSERT_TRUE(Prueba(F()).EsModificacion()) << nombre.toStdString();
    }
    void EnterHastaLaGrilla() {
        for (int vueltas = 0; vueltas < 6 && Foco() != QLatin1String("MSFlexGrid2"); ++vueltas)
            Pulsa(tecla::Enter);
        ASSERT_EQ(Foco(), "MSFlexGrid2");
    }
};

TEST_F(UsoDiario, UnModeloLlamadoNullSeGuardaSeAbreSeCambiaYSeBorraConSuNombre) {
    const QStringList antes = Nombres();
    for (const QString& nombre : {QStringLiteral("Null"), QStringLiteral("NULL")}) {
        SCOPED_TRACE(nombre.toStdString());
        NuevaPlantilla(nombre);
        Linea(QStringLiteral("1001"), QStringLiteral("5"));
        Graba();
        EXPECT_EQ(Lineas(nombre), QStringList{"1001|5|UN"});

        // Opened again by the name (any case), changed and saved: still one template.
        Abre(nombre.toLower());
        EXPECT_EQ(Celda(1, col::Cantidad), "5");
        EnterHastaLaGrilla();
        Pulsa(tecla::Enter);
        Pulsa(tecla::Enter);
        Teclea(QStringLiteral("7"));
        Pulsa(tecla::Enter);
        Graba();
        EXPECT_EQ(Lineas(nombre), QStringList{"1001|7|UN"});
        EXPECT_EQ(Nombres().size(), antes.size() + 1);
        EXPECT_FALSE(Nombres().contains(QStringLiteral("(sin nombre)")));

        // And deleted.
        Abre(nombre);
        guion.AgregaRespuesta(Respuesta::Si);
        guion.AgregaRespuesta(Respuesta::Si);
        Pulsa(tecla::F8);
        guion.Limpia();
        EXPECT_EQ(Nombres(), antes);
    }
}

TEST_F(UsoDiario, ElPuntoYComaSaleDelNombreComoElApostrofo) {
    NuevaPlantilla(QStringLiteral("Lunes; O'Brien;"));
    EXPECT_EQ(Campo("NOMBRE").Text(), "Lunes OBrien");
    F().ChkAnclar.setValue(1);
    Linea(QStringLiteral("1001"), QStringLiteral("1"));
    Graba();
    EXPECT_EQ(Lineas(QStringLiteral("Lunes OBrien")), QStringList{"1001|1|UN"});
    EXPECT_EQ(Filas("SELECT PROCESO FROM TA_MENU WHERE TITULO = 'D8021' AND NOMBRE = 'Lunes OBrien'"),
              QStringList{"shell:V_MV_STOCK @PARAMETROADICIONAL= MODELO_Lunes OBrien"});

    // Looked up with the ";" typed again, it is the same template.
    Abre(QStringLiteral("Lunes; OBrien"));
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1001");
}

TEST_F(UsoDiario, EnterPorElCodigoDeUnaLineaCargadaNoCambiaSuUnidadNiSuCantidad) {
    NuevaPlantilla(QStringLiteral("CAJAS"));
    Linea(QStringLiteral("TORN-6X40"), QStringLiteral("2"));
    Linea(QStringLiteral("1001"), QStringLiteral("3"));
    // The first line in boxes.
    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("CJ"));
    Pulsa(tecla::Enter);
    ASSERT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    ASSERT_EQ(Celda(1, col::Unidad), "CJ");
    Graba();
    ASSERT_EQ(Lineas(QStringLiteral("CAJAS")), (QStringList{"TORN-6X40|2|CJ", "1001|3|UN"}));

    // Opened again, Enter through the code of each line, then saved: nothing changed.
    Abre(QStringLiteral("CAJAS"));
    EnterHastaLaGrilla();
    for (int fila = 1; fila <= 2; ++fila) {
        ASSERT_EQ(G().Row(), fila);
        Pulsa(tecla::Enter); // opens the code
        Pulsa(tecla::Enter); // accepts it, on to the quantity
        Pulsa(tecla::Enter); // opens the quantity
        Pulsa(tecla::Enter); // accepts it, on to the next line
    }
    EXPECT_EQ(Celda(1, col::Unidad), "CJ");
    EXPECT_EQ(Celda(1, col::Cantidad), "2");
    EXPECT_EQ(Celda(2, col::Unidad), "UN");
    Graba();
    EXPECT_EQ(Lineas(QStringLiteral("CAJAS")), (QStringList{"TORN-6X40|2|CJ", "1001|3|UN"}));

    // Another article typed over the code takes that article's unit.
    Abre(QStringLiteral("CAJAS"));
    EnterHastaLaGrilla();
    Teclea(QStringLiteral("1002"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1002");
    EXPECT_EQ(Celda(1, col::Unidad), "UN");
}

TEST_F(UsoDiario, UnaCantidadNegativaQuedaComoSuValorAbsoluto) {
    NuevaPlantilla(QStringLiteral("NEGATIVOS"));
    Linea(QStringLiteral("1001"), QStringLiteral("-5"));
    EXPECT_EQ(Celda(1, col::Cantidad), "5");
    Linea(QStringLiteral("1002"), QStringLiteral("-1,5"));
    EXPECT_EQ(Celda(2, col::Cantidad), "1,5");
    // Left without Enter (as with the mouse), the cell gets the absolute value too.
    Teclea(QStringLiteral("1003"));
    Pulsa(tecla::Enter);
    Teclea(QStringLiteral("-4"));
    F().MueveCelda(1, col::CodigoArticulo);
    EXPECT_EQ(Celda(3, col::Cantidad), "4");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    Graba();
    EXPECT_EQ(Lineas(QStringLiteral("NEGATIVOS")), (QStringList{"1001|5|UN", "1002|1,5|UN", "1003|4|KG"}));

    // The quantity check still refuses what is no number.
    EXPECT_EQ(ValidacionLineas::CantidadSinSigno(QStringLiteral("-x")), "-x");
    EXPECT_EQ(ValidacionLineas::CantidadSinSigno(QStringLiteral("12")), "12");
    EXPECT_EQ(ValidacionLineas::CantidadSinSigno(QStringLiteral(" -0,25 ")), "0,25");
}

TEST_F(UsoDiario, AlAbrirUnModeloElPanelDeStockEsDeLaPrimeraLinea) {
    NuevaPlantilla(QStringLiteral("PANEL"));
    Linea(QStringLiteral("1001"), QStringLiteral("1"));
    Linea(QStringLiteral("7790000000010"), QStringLiteral("1"));
    Graba();

    Abre(QStringLiteral("PANEL"));
    ASSERT_NE(Celda(1, col::StockDisponible), Celda(2, col::StockDisponible));
    EXPECT_EQ(G().Row(), 1);
    EXPECT_EQ(F().lblStockInfo[2].Caption(), " Stock:  " + Celda(1, col::StockDisponible) + " ");
    EXPECT_EQ(F().lblStockInfo[0].Caption(), Celda(1, col::Presentacion));
}

} // namespace
