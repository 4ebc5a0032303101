// Prices with VAT, lots and origin, timber measures and the row merge, other concepts and the
// recompute of open orders, on the demo database.

#include "AccesoDatos.h"
#include "BaseConversion.h"
#include "Globales.h"
#include "Registros.h"

namespace {

const QString Madera = QStringLiteral("001000000004R");
const QString Finales = QStringLiteral("001000000005X");
const QString Proforma = QStringLiteral("001000000006X");
const QString Pedido9999 = QStringLiteral("999900000001X");

double ValorLinea(const QString& id, const QString& articulo, const QString& columna) {
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT ") + columna +
                              QStringLiteral(" FROM V_MV_CPTEINSUMOS WHERE IDCOMPROBANTE = '") + id +
                              QStringLiteral("' AND trim(IdArticulo) = '") + articulo + QStringLiteral("'"),
                          rs);
    return rs.Fields(0).toDouble();
}

TEST_F(ConversionDemo, FinalPricesTakeTheTotalWithVatPerUnit) {
    AjustaConfiguracion(QStringLiteral("PreciosFinales"), QStringLiteral("SI"));
    Convierte(QStringLiteral("NP"), Finales, QStringLiteral("FC"));
    ASSERT_EQ(Codigos(),
              (QStringList{Articulo(1001), Articulo(1002), Articulo(1004), Articulo(1007), QString()}));
    // With a price list whose prices include VAT.
    EXPECT_EQ(A(1, col::ListaConIva), QStringLiteral("-1"));
    EXPECT_EQ(A(1, col::Total), QStringLiteral("121"));
    EXPECT_EQ(A(1, col::Importe), QStringLiteral("60.50"));
    EXPECT_EQ(A(1, col::TotalLinea), QStringLiteral("121"));
    // Without a list: a discounted price stays, an undiscounted one is the total per unit.
    EXPECT_EQ(A(2, col::Total), QStringLiteral("121"));
    EXPECT_EQ(A(2, col::Importe), QStringLiteral("55"));
    EXPECT_EQ(A(3, col::Importe), QStringLiteral("50.00"));
    EXPECT_EQ(A(2, col::ListaConIva), QString());
    // No quantity: the unit price is kept.
    EXPECT_EQ(A(4, col::Total), QStringLiteral("121"));
    EXPECT_EQ(A(4, col::Importe), QStringLiteral("40"));

    // Without final prices nothing is replaced, and the row total carries the taxes (rule T):
    // 100 + 2 x 2 + 1 x 2.
    AjustaConfiguracion(QStringLiteral("PreciosFinales"), QStringLiteral("NO"));
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("NP"), Finales, QStringLiteral("FC"));
    EXPECT_EQ(otra.TextMatrix(1, col::Total), QStringLiteral("100"));
    EXPECT_EQ(otra.TextMatrix(1, col::Importe), QStringLiteral("100"));
    EXPECT_EQ(otra.TextMatrix(3, col::TotalLinea), QStringLiteral("106"));
    EXPECT_EQ(otra.TextMatrix(3, col::RestoPorAplicar), QStringLiteral("2"));
    EXPECT_EQ(otra.TextMatrix(3, col::SucNroLetraOrigen), Finales);
    EXPECT_EQ(otra.TextMatrix(3, col::ListaLotes), QString()); // an order brings no lots
}

TEST_F(ConversionDemo, TheTotalWithTaxesRoundsOnlyWhatItWrites) {
    // 150 + 0.0125 x 1.5 + 0.0125 x 1.5: each product alone would round up to 0.0188.
    Convierte(QStringLiteral("NP"), QStringLiteral("001000000007X"), QStringLiteral("FC"));
    ASSERT_EQ(A(1, col::Cantidad), QStringLiteral("1.5"));
    EXPECT_EQ(A(1, col::TotalLinea), QStringLiteral("150.0375"));
}

TEST_F(ConversionDemo, ADeliveryNoteBringsItsLotsAndAPerishablePurchaseItsStockLot) {
    Convierte(QStringLiteral("RM"), Remito1, QStringLiteral("FC"));
    EXPECT_EQ(A(1, col::ListaLotes), QStringLiteral("|L-01|"));
    EXPECT_EQ(A(1, col::LoteAduana), QStringLiteral("SENASA"));
    EXPECT_EQ(A(1, col::LoteOrigen), QStringLiteral("ARG"));
    EXPECT_EQ(A(1, col::RestoPorAplicar), QStringLiteral("6"));

    Grilla compra{2, ColumnasGrillaArticulos, 1, 0};
    clase->AsignarDatosComprobante(QStringLiteral("OC"), QStringLiteral("010000000002X"), {}, tareas, compra,
                                   otros, false, nullptr, true, QStringLiteral("P001"), nullptr, false, {},
                                   QStringLiteral("FCC"), nullptr);
    EXPECT_EQ(compra.TextMatrix(1, col::EsPerecedero), QStringLiteral("-1"));
    EXPECT_EQ(compra.TextMatrix(1, col::ListaLotes), QStringLiteral("Y-2505"));
    EXPECT_EQ(compra.TextMatrix(1, col::PrecioListaOrigen), QStringLiteral("3.5"));
    EXPECT_EQ(compra.TextMatrix(1, col::CodigoArtProveedor), QStringLiteral(" YE-1 "));
    EXPECT_EQ(compra.TextMatrix(1, col::TotalLinea), QStringLiteral("31")); // 30 + 0.1 x 10
    EXPECT_EQ(compra.TextMatrix(1, col::Iva), QStringLiteral("21"));        // the article's, not the line's
}

TEST_F(ConversionDemo, TimberRowsOfOneMeasureAreMergedByQuantity) {
    gMaderera = true;
    gMadTiras = QStringLiteral("TI");
    Convierte(QStringLiteral("RM"), Madera, QStringLiteral("FC"));
    // The first two boards make one row; the thicker one and the returned one stay apart
    // (returned against the merged five, no average could be formed).
    ASSERT_EQ(Codigos(), (QStringList{QStringLiteral("CONV-TABLA"), QStringLiteral("CONV-TABLA"),
                                      QStringLiteral("CONV-TABLA"), Articulo(1001), QString()}));
    EXPECT_EQ(A(1, col::Cantidad), QStringLiteral("5"));
    EXPECT_EQ(A(1, col::Importe), QStringLiteral("16"));
    EXPECT_EQ(A(1, col::PrecioSinIva), QStringLiteral("16"));
    EXPECT_EQ(A(1, col::Total), QStringLiteral("80"));
    EXPECT_EQ(A(1, col::Largo), QStringLiteral("2.8"));
    EXPECT_EQ(A(1, col::LargoAnterior), QStringLiteral("2.8"));
    EXPECT_EQ(A(1, col::CantidadEquivalente), QStringLiteral("5"));
    EXPECT_EQ(A(1, col::Costo), QStringLiteral("7.2")); // (6 x 2 + 8 x 3) / 5
    EXPECT_EQ(A(1, col::Impuestos), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::Itc), QStringLiteral("0.5"));
    EXPECT_EQ(A(1, col::TotalLinea), QStringLiteral("87.5")); // (20 + 2 + 1) + (60 + 3 + 1.5)
    EXPECT_EQ(A(1, col::PideMedidas), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::Espesor), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::Ancho), QStringLiteral("4"));
    EXPECT_EQ(A(1, col::UnidadPrecio), QStringLiteral("M2"));
    EXPECT_EQ(A(1, col::ImporteUnidad), QStringLiteral("12.5"));
    EXPECT_EQ(A(2, col::Espesor), QStringLiteral("2"));
    EXPECT_EQ(A(3, col::Cantidad), QStringLiteral("-5"));
    // A screw has no measures: its measure cells are painted white.
    EXPECT_EQ(A(4, col::PideMedidas), QStringLiteral("0"));
    for (const int c : {col::Espesor, col::Ancho, col::Largo})
        EXPECT_EQ(articulos.ColorLetra(4, c), 0xFFFFFF);
    EXPECT_EQ(articulos.ColorLetra(1, col::Espesor), 0);
    EXPECT_EQ(articulos.Row(), 4);

    // The strip unit is a code like any other: its case does not count.
    gMadTiras = QStringLiteral("ti");
    Grilla minusculas{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(minusculas, QStringLiteral("RM"), Madera, QStringLiteral("FC"));
    EXPECT_EQ(minusculas.TextMatrix(1, col::Largo), QStringLiteral("2.8"));
    EXPECT_EQ(minusculas.ColorLetra(1, col::Largo), 0);

    // Out of timber mode nothing is merged.
    gMaderera = false;
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("RM"), Madera, QStringLiteral("FC"));
    EXPECT_EQ(otra.Rows(), 7);
}

TEST_F(ConversionDemo, ProformaAndExemptByLawMarks) {
    Convierte(QStringLiteral("NP"), Proforma, QStringLiteral("FP"));
    ASSERT_EQ(Codigos(), (QStringList{QStringLiteral("CONV-PROF"), QStringLiteral("CONV-P105"),
                                      QStringLiteral("CONV-EXL"), QString()}));
    EXPECT_EQ(A(1, col::EsExento), QStringLiteral("1"));
    EXPECT_EQ(A(2, col::Iva), QStringLiteral("10.5"));
    EXPECT_EQ(A(2, col::EsExento), QStringLiteral("0"));
    EXPECT_EQ(A(3, col::EsExento), QStringLiteral("1")); // condition 3 and exempt by law

    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("NP"), Proforma, QStringLiteral("FC"));
    EXPECT_EQ(otra.TextMatrix(1, col::EsExento), QStringLiteral("0"));
    EXPECT_EQ(otra.TextMatrix(2, col::Iva), QStringLiteral("21"));
    EXPECT_EQ(otra.TextMatrix(3, col::EsExento), QStringLiteral("1"));
}

TEST_F(ConversionDemo, OtherConceptsTakeTheAccountTheirDetailNames) {
    Convierte(QStringLiteral("NP"), Pedido1, QStringLiteral("FC"));
    ASSERT_EQ(otros.Rows(), 5);
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::Detalle), QStringLiteral("411 Flete a domicilio"));
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::Importe), QStringLiteral("121.00"));
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::ImporteSinIva), QStringLiteral("100.00"));
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::Cuenta), QStringLiteral("4.1.1.01")); // its optional code
    EXPECT_EQ(otros.TextMatrix(2, colOtroConcepto::Detalle),
              QStringLiteral("1.1.5.01 Mercadería en consignación"));
    EXPECT_EQ(otros.TextMatrix(2, colOtroConcepto::Cuenta), QStringLiteral("1.1.5.01"));
    EXPECT_EQ(otros.TextMatrix(3, colOtroConcepto::Cuenta), QString()); // a title account
    EXPECT_EQ(otros.TextMatrix(4, colOtroConcepto::Detalle), QString());

    Grilla dolares{2, ColumnasGrillaOtrosConceptos, 1, 0};
    clase->AsignarDatosComprobante(QStringLiteral("NP"), Pedido1, QStringLiteral("0"), tareas, articulos,
                                   dolares, false, nullptr, false, {}, nullptr, true, {},
                                   QStringLiteral("FC"), nullptr);
    EXPECT_EQ(dolares.TextMatrix(1, colOtroConcepto::Importe), QStringLiteral("121.00")); // exchange rate 1

    // The delivery-only program leaves a cattle trip's concept unwritten, in its own row.
    EstableceProgramaConversion(ProgramasConversion::SoloRemitos);
    Grilla remito{2, ColumnasGrillaOtrosConceptos, 1, 0};
    clase->AsignarDatosComprobante(QStringLiteral("RM"), Remito1, QStringLiteral("0"), tareas, articulos,
                                   remito, false, nullptr, false, {}, nullptr, false, {},
                                   QStringLiteral("FC"), nullptr);
    ASSERT_EQ(remito.Rows(), 4);
    EXPECT_EQ(remito.TextMatrix(1, colOtroConcepto::Detalle), QString());
    EXPECT_EQ(remito.TextMatrix(2, colOtroConcepto::Detalle), QStringLiteral("Seguro"));
}

TEST_F(ConversionDemo, OpenOrdersOfBranch9999AreCorrectedBeforeTheyAreRead) {
    AjustaConfiguracion(QStringLiteral("PreciosFinales"), QStringLiteral("SI"));
    Convierte(QStringLiteral("np"), Pedido9999, QStringLiteral("FC"));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_DOUBLE_EQ(ValorLinea(Pedido9999, QStringLiteral("1007"), QStringLiteral("Importe")), 121);
    EXPECT_DOUBLE_EQ(ValorLinea(Pedido9999, QStringLiteral("1007"), QStringLiteral("Total")), 363);
    EXPECT_DOUBLE_EQ(ValorLinea(Pedido9999, QStringLiteral("CONV-IMP"), QStringLiteral("Impuestos")), 5);
    EXPECT_DOUBLE_EQ(ValorLinea(Pedido9999, QStringLiteral("CONV-IMP"), QStringLiteral("Importe")), 121);
    // The grid reads the corrected lines.
    EXPECT_EQ(A(1, col::Total), QStringLiteral("363"));
    EXPECT_EQ(A(2, col::Impuestos), QStringLiteral("5"));

    // Another branch is never corrected.
    EXPECT_DOUBLE_EQ(ValorLinea(Finales, QStringLiteral("1001"), QStringLiteral("Importe")), 100);
}

TEST_F(ConversionDemo, ARefusedCorrectionIsShownAndTheNextLineStillCorrected) {
    AjustaConfiguracion(QStringLiteral("PreciosFinales"), QStringLiteral("SI"));
    AD().EjecutaSQL(
        QStringLiteral("CREATE TRIGGER RechazaImporte BEFORE UPDATE OF IMPORTE ON V_MV_CPTEINSUMOS "
                       "BEGIN SELECT RAISE(ABORT, 'Importe bloqueado'); END"));
    Convierte(QStringLiteral("NP"), Pedido9999, QStringLiteral("FC"));
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().front().contains(QStringLiteral("Importe bloqueado")));
    EXPECT_EQ(guion.Registros().front().titulo, QString());
    EXPECT_DOUBLE_EQ(ValorLinea(Pedido9999, QStringLiteral("1007"), QStringLiteral("Importe")), 100);
    EXPECT_DOUBLE_EQ(ValorLinea(Pedido9999, QStringLiteral("CONV-IMP"), QStringLiteral("Impuestos")), 5);
    EXPECT_EQ(Codigos().size(), 3); // the conversion went on
}

} // namespace
