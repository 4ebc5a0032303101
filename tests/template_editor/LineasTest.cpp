// Typing template lines on the demo database: the article code fills the line, and each line
// field is refused with its own message.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "Formatos.h"
#include "Globales.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

#include <QStringList>

namespace {

const QString kTitulo = QStringLiteral("Aviso al operador...");

class Lineas : public ConVentanaDemo {
protected:
    void SetUp() override {
        ConVentanaDemo::SetUp();
        if (!HasFatalFailure())
            NuevaPlantilla();
    }

    // Opens the editor on (fila, c) of the current line as the keyboard does, types the text
    // and confirms it with Enter.
    void EscribeEn(int c, const QString& texto) {
        F().MueveCelda(G().Row(), c);
        Teclea(texto);
        Pulsa(tecla::Enter);
    }

    // The messages shown since the last call, in order; every one a refusal in the operator's
    // box.
    QStringList Mensajes() {
        for (const auto& r : guion.Registros()) {
            EXPECT_EQ(r.titulo, kTitulo) << r.texto.toStdString();
            EXPECT_EQ(r.estilo, Estilo::SoloAceptar | Estilo::Critico) << r.texto.toStdString();
        }
        QStringList m = guion.Mensajes();
        guion.Limpia();
        return m;
    }
};

TEST_F(Lineas, UnaLineaTecleadaLlegaConSuDescripcionUnidadYStock) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));

    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1001");
    EXPECT_EQ(Celda(1, col::Descripcion), QStringLiteral("Tuerca hexagonal Clásico"));
    EXPECT_EQ(Celda(1, col::Unidad), "UN");
    EXPECT_EQ(Celda(1, col::UnidadBase), "UN");
    EXPECT_EQ(Celda(1, col::Deposito), "1");
    EXPECT_EQ(Celda(1, col::Cantidad), "5");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "5");
    EXPECT_EQ(Celda(1, col::Presentacion), "Suelto");
    EXPECT_EQ(Celda(1, col::DescripcionTipoArticulo), QStringLiteral("Mercadería de reventa"));
    EXPECT_EQ(Celda(1, col::PideLote), "0");
    EXPECT_EQ(Celda(1, col::EsExento), "0");
    EXPECT_EQ(Celda(1, col::CodigoArtProveedor), "PRV-0001");
    // 1001 x 13 mod 120 in deposit 1, shown as a whole number.
    EXPECT_EQ(Celda(1, col::StockDisponible), "53");
    // Quantity Enter went on to the next line's article code; the grid grew by one line.
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
    EXPECT_EQ(G().Rows(), 3);
    EXPECT_FALSE(F().txtEdit2.Visible());
    EXPECT_EQ(Foco(), "MSFlexGrid2");

    // Back on the line, its stock panel.
    F().MueveCelda(1, col::CodigoArticulo);
    EXPECT_EQ(F().lblStockInfo[0].Caption(), "Suelto");
    EXPECT_EQ(F().lblStockInfo[1].Caption(), QStringLiteral("Mercadería de reventa"));
    EXPECT_EQ(F().lblStockInfo[2].Caption(), " Stock:  53 ");
    // No minimum and maximum for 1001 in deposit 1: the article's own points stand.
    EXPECT_EQ(F().lblStockInfo[3].Caption(), "Stock Minimo/Maximo = 5/50 Supera el Maximo = 50");
}

TEST_F(Lineas, ElCodigoDeUnaLineaYaEscritaLlevaAlaCantidadSinPisarla) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::CodigoArticulo);
    Pulsa(tecla::Enter); // opens on the cell's text
    ASSERT_TRUE(F().txtEdit2.Visible());
    EXPECT_EQ(F().txtEdit2.Text(), "1001");
    EXPECT_EQ(F().txtEdit2.SelStart(), 4);
    Pulsa(tecla::Enter);
    EXPECT_EQ(G().Row(), 1);
    EXPECT_EQ(G().Col(), col::Cantidad);
    EXPECT_EQ(Celda(1, col::Cantidad), "5");
}

TEST_F(Lineas, UnaEtiquetaDeBalanzaDaElArticuloYElPeso) {
    Teclea(QStringLiteral("2050001012340"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "50001");
    EXPECT_EQ(Celda(1, col::Descripcion), QStringLiteral("Queso de máquina"));
    EXPECT_EQ(Celda(1, col::Unidad), "KG");
    // The weight is the quantity: it is not replaced by 1.
    EXPECT_EQ(Celda(1, col::Cantidad), "1,234");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "1,234");
    EXPECT_EQ(G().Col(), col::Cantidad);
}

TEST_F(Lineas, UnaEtiquetaConImporteLlenaElImporteYLaCantidadEsUno) {
    gTipoEAN = QStringLiteral("0CCCCCTTTTT"); // the label carries an amount with 2 decimals
    Teclea(QStringLiteral("2050001012340"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "50001");
    EXPECT_EQ(Celda(1, col::Importe), FmtMoneda(QStringLiteral("12,34"), -1, false));
    EXPECT_EQ(UT().TextoAMoneda(Celda(1, col::Importe)), UT().TextoAMoneda(QStringLiteral("12,34")));
    EXPECT_EQ(Celda(1, col::Cantidad), "1");
}

TEST_F(Lineas, EnModoCodigoDeBarraElCodigoPasaALaLineaSiguiente) {
    F().ChkCodigoBarra.setValue(1);
    Teclea(QStringLiteral("7790000000010"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "TORN-6X40");
    EXPECT_EQ(Celda(1, col::Cantidad), "1");
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
}

TEST_F(Lineas, CodigoInexistenteVaciaLaLineaYQuedaEnElEditor) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::CodigoArticulo);
    Teclea(QStringLiteral("XYZ"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("El Código Informado no es Correcto")});
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    // The editor stays open on the refused text; the rest of the line is gone.
    EXPECT_TRUE(F().txtEdit2.Visible());
    EXPECT_EQ(F().txtEdit2.Text(), "XYZ");
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
    EXPECT_EQ(Celda(1, col::Descripcion), "");
    EXPECT_EQ(Celda(1, col::Cantidad), "");
}

TEST_F(Lineas, MensajesDeRechazoDeCadaCampo) {
    // A suspended article keeps its code but is refused.
    Teclea(QStringLiteral("1097"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("El Artículo fue dado de baja!!!")});
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1097");
    Pulsa(tecla::Escape);

    Linea(QStringLiteral("1007"), QStringLiteral("2"));
    ASSERT_TRUE(Mensajes().isEmpty());
    F().MueveCelda(1, col::Deposito);
    Teclea(QStringLiteral("99"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("El Deposito Informado es Inexistente")});
    Pulsa(tecla::Escape);

    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("ZZ"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("La Unidad informada no existe!!!")});
    Pulsa(tecla::Escape);

    // 1007's box has a coefficient of 0: no equivalence.
    Teclea(QStringLiteral("CJ"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(),
              QStringList{QStringLiteral("La Unidad Informada no Tiene Equivalencias con la unidad Base")});
    EXPECT_EQ(Celda(1, col::TipoCoeficiente), "*");
    EXPECT_EQ(Celda(1, col::Coeficiente), "0.00");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "2"); // not recomputed after the refusal
    Pulsa(tecla::Escape);
    EXPECT_EQ(Celda(1, col::Unidad), "UN");

    // A unit on a line without article: there is no base unit.
    F().MueveCelda(2, col::Unidad);
    Teclea(QStringLiteral("UN"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(),
              QStringList{QStringLiteral("El Articulo Informado no Tiene Informada una Unidad Base")});
    Pulsa(tecla::Escape);

    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("dos"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("La Cantidad Informada no es un Número Válido")});
    EXPECT_EQ(Celda(1, col::Cantidad), "2");
    EXPECT_EQ(F().txtEdit2.Text(), "dos");
}

TEST_F(Lineas, LosRechazosSeMuestranConElTituloDelOperador) {
    Teclea(QStringLiteral("NOEXISTE"));
    Pulsa(tecla::Enter);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].titulo, kTitulo);
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar | Estilo::Critico);
}

TEST_F(Lineas, UnErrorDeLaBaseEnUnaLineaSeInformaComoCampoValida) {
    Linea(QStringLiteral("1030"), QStringLiteral("2"));
    AD().EjecutaSQL(QStringLiteral("DROP TABLE V_TA_UNIDAD"));
    guion.Limpia();
    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("CJ"));
    // Abort: the validation is left where it failed; no refusal, nothing converted.
    guion.AgregaRespuesta(Respuesta::Abortar);
    Pulsa(tecla::Enter);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.endsWith(QLatin1String("CAMPO_VALIDA")))
        << guion.Registros()[0].titulo.toStdString();
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Celda(1, col::Coeficiente), "");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "2");
    guion.Limpia();

    // Ignore: the failed look-up is skipped and the unit reads as missing.
    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("CJ"));
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Pulsa(tecla::Enter);
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(guion.Registros()[1].texto, QStringLiteral("La Unidad informada no existe!!!"));
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_TRUE(F().txtEdit2.Visible());
}

TEST_F(Lineas, UnaCantidadQueNoEsNumeroNoLlegaALaCeldaNiAlSalirConElRaton) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("3x"));
    // Left by a click on another cell: validated (and refused) on the way out, not written.
    F().Foco().FocoMovido(QStringLiteral("MSFlexGrid2"));
    F().MueveCelda(2, col::CodigoArticulo);
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("La Cantidad Informada no es un Número Válido")});
    EXPECT_EQ(Celda(1, col::Cantidad), "5");
    EXPECT_FALSE(F().txtEdit2.Visible());
    // A number in the regional format is accepted; as a cell's text, an empty one reads as 0 (typed,
    // it is refused like text that is no number).
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("2,5"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::Cantidad), "2,5");
    EXPECT_TRUE(ValidacionLineas::CantidadValida(QString()));
    EXPECT_TRUE(ValidacionLineas::CantidadValida(QStringLiteral(" 1.234,5 ")));
    EXPECT_FALSE(ValidacionLineas::CantidadValida(QStringLiteral("1,2,3")));
    EXPECT_FALSE(ValidacionLineas::CantidadValida(QStringLiteral("1e999")));
}

TEST_F(Lineas, UnidadConEquivalenciaConvierteCantidadYCosto) {
    Linea(QStringLiteral("1030"), QStringLiteral("2"));
    const QString costo = Celda(1, col::Costo);
    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("CJ"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::Unidad), "CJ");
    EXPECT_EQ(Celda(1, col::Coeficiente), "12");
    EXPECT_EQ(Celda(1, col::TipoCoeficiente), "*");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "24");
    EXPECT_EQ(UT().TextoAMoneda(Celda(1, col::Costo)), UT().TextoAMoneda(costo) * Moneda::DeEntero(12));
    // Enter in the unit moves on to the line deposit.
    EXPECT_EQ(G().Col(), col::Deposito);

    // Back to the base unit: nothing to convert, the base quantity follows.
    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("UN"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "2");
}

TEST_F(Lineas, UnidadDeStockDistintaDeLaBaseYEquivalenciaQueDivide) {
    // Counted in packs for stock, based on units: nothing converts until a unit is validated.
    Linea(QStringLiteral("GASEOSA-225"), QStringLiteral("2"));
    EXPECT_EQ(Celda(1, col::Unidad), "PQ");
    EXPECT_EQ(Celda(1, col::UnidadBase), "UN");
    EXPECT_EQ(Celda(1, col::Coeficiente), "");
    EXPECT_EQ(Celda(1, col::TipoCoeficiente), "");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "2");
    F().MueveCelda(1, col::Unidad);
    Teclea(QStringLiteral("PQ"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::Coeficiente), "6");
    EXPECT_EQ(Celda(1, col::TipoCoeficiente), "*");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "12");

    // The cheese in grams: its equivalence runs from kilograms, so the quantity is divided.
    F().MueveCelda(2, col::CodigoArticulo);
    Teclea(QStringLiteral("2050001012340"));
    Pulsa(tecla::Enter);
    F().MueveCelda(2, col::Unidad);
    Teclea(QStringLiteral("GR"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(2, col::Coeficiente), "1000");
    EXPECT_EQ(Celda(2, col::TipoCoeficiente), "/");
    EXPECT_EQ(UT().TextoADoble(Celda(2, col::CantidadUnidadBase)), 1.234 / 1000);
    EXPECT_EQ(UT().TextoAMoneda(Celda(2, col::Costo)), UT().TextoAMoneda(QStringLiteral("5,2")));
}

TEST_F(Lineas, ElTipoDeArticuloVaEnLaDescripcionSiSeConfigura) {
    Prueba(F()).TipoDesdeDescripcion() = true;
    Linea(QStringLiteral("1001"), QStringLiteral("2"));
    EXPECT_EQ(Celda(1, col::Descripcion),
              QStringLiteral("Tuerca hexagonal Clásico (Mercadería de reventa) Suelto"));
}

TEST_F(Lineas, DepositoDeLineaDaElStockDeEseDeposito) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::Deposito);
    Teclea(QStringLiteral("2"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(Celda(1, col::Deposito), "2");
    // 1001 x 29 mod 80 in deposit 2.
    EXPECT_EQ(Celda(1, col::StockDisponible), "69");
    EXPECT_EQ(G().Col(), col::Cantidad);
}

TEST_F(Lineas, BorrarElCodigoVaciaLaLinea) {
    // 1002 has a minimum and maximum in deposit 1: nothing of it may come back.
    Linea(QStringLiteral("1002"), QStringLiteral("5"));
    F().MueveCelda(1, col::CodigoArticulo);
    Pulsa(tecla::Enter);
    F().txtEdit2.setText(QString());
    F().txtEdit2_Change();
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    for (int c = 0; c < G().Cols(); ++c)
        EXPECT_EQ(Celda(1, c), "") << "columna " << c;
}

TEST_F(Lineas, LaLineaTomaElDepositoDeOrigenSoloSiNoTieneUno) {
    const qint16 origen = F().IndiceCampo(QStringLiteral("DepositoOrigen"));
    ASSERT_GE(origen, 0);
    F().TxtFields[origen].setText(QStringLiteral("3"));
    Linea(QStringLiteral("1004"), QStringLiteral("1"));
    EXPECT_EQ(Celda(1, col::Deposito), "3");
    EXPECT_EQ(Celda(1, col::CopiaDeposito), "3");
    F().TxtFields[origen].setText(QStringLiteral("2"));
    F().MueveCelda(1, col::CodigoArticulo);
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::Deposito), "3");
    F().pEsTransferencia = true;
    F().MueveCelda(1, col::CodigoArticulo);
    Pulsa(tecla::Enter);
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::Deposito), "2");
}

TEST_F(Lineas, MientrasSeGrabaLaLineaConservaLoQueTiene) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::CodigoArticulo);
    G().setTextMatrix(1, col::Descripcion, QStringLiteral("a mano"));
    G().setTextMatrix(1, col::Unidad, QStringLiteral("CJ"));
    G().setTextMatrix(1, col::StockDisponible, QString());
    Prueba(F()).ValidandoGrabacion() = true;
    F().ObjCmnCptes().TextPropiedades(F().txtEdit2, col::CodigoArticulo);
    F().txtEdit2.setText(QStringLiteral("1001"));
    F().CampoValida(F().txtEdit2);
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Celda(1, col::Descripcion), "a mano");
    EXPECT_EQ(Celda(1, col::Unidad), "CJ");
    // The stock is looked up again, in the line's unit (no box balance of 1001 in deposit 1).
    EXPECT_EQ(Celda(1, col::StockDisponible), "0");
}

} // namespace
