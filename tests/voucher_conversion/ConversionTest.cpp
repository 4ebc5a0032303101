// Loading an origin voucher of the demo database into the grids of a new voucher.

#include "AccesoDatos.h"
#include "BaseConversion.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Registros.h"

namespace {

TEST_F(ConversionDemo, AnOrderBecomesAnInvoiceWithWhatIsStillPending) {
    Convierte(QStringLiteral("NP"), Pedido1, QStringLiteral("FC"));
    EXPECT_EQ(letra, QStringLiteral("A"));
    EXPECT_EQ(reparto, 0);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_TRUE(clase->NPP_Cliente.isEmpty());
    ASSERT_EQ(Codigos(), (QStringList{Articulo(1001), Articulo(1002), Articulo(1003),
                                      QStringLiteral("KIT-ASADO"), Articulo(1004), QString()}));

    // 1001: 4 of 10 applied; a customer of condition 1 gets the price without VAT.
    EXPECT_EQ(A(1, col::Descripcion), QStringLiteral("Tuerca hexagonal Clásico"));
    EXPECT_EQ(A(1, col::Cantidad), QStringLiteral("6"));
    EXPECT_EQ(A(1, col::Unidad), QStringLiteral("UN"));
    EXPECT_EQ(A(1, col::UnidadOriginal), QStringLiteral("UN"));
    EXPECT_EQ(A(1, col::UnidadEquivalente), QStringLiteral("UN"));
    EXPECT_EQ(A(1, col::CantidadEquivalente), QStringLiteral("10"));
    EXPECT_EQ(A(1, col::SecuenciaOrigen), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::Importe), QStringLiteral("100"));
    EXPECT_EQ(A(1, col::PrecioConIva), QString()); // letter A
    EXPECT_EQ(A(1, col::PorcentajeDescuento), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::ListaPrecio), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::EnComodato), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::Deposito), QString()); // PideDepositoEnCptes is not set
    // The article's attributes.
    EXPECT_EQ(A(1, col::DescripcionTipoArticulo), QStringLiteral("Mercadería de reventa"));
    EXPECT_EQ(A(1, col::Presentacion), QStringLiteral("Suelto"));
    EXPECT_EQ(A(1, col::EsExento), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::PideSerie), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::PideLote), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::EsPerecedero), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::Coeficiente), QStringLiteral("1"));
    EXPECT_EQ(A(1, col::TipoCoeficiente), QStringLiteral("*"));
    EXPECT_EQ(A(1, col::PideTalle), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::PideEquivalencia), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::EsPesable), QStringLiteral("0"));
    EXPECT_FALSE(A(1, col::CodigoBarra).isEmpty());
    EXPECT_EQ(A(1, col::CuentaContable), QStringLiteral("4.1.1.01"));
    EXPECT_EQ(A(1, col::CodProveedor), QStringLiteral("PRV-0001"));
    EXPECT_EQ(A(1, col::Iva), QStringLiteral("21"));
    EXPECT_EQ(A(1, col::ImporteSinIvaOrigen), QStringLiteral("100"));
    // The line's units and money.
    EXPECT_EQ(A(1, col::UnidadBase), QStringLiteral("UN"));
    EXPECT_EQ(A(1, col::Costo), QStringLiteral("60"));
    EXPECT_EQ(A(1, col::PrecioSinIva), QStringLiteral("100"));
    EXPECT_EQ(A(1, col::Impuestos), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::Itc), QStringLiteral("0"));
    EXPECT_EQ(A(1, col::Total), QStringLiteral("1000"));

    // 1002 was delivered whole: nothing is left to invoice.
    EXPECT_EQ(A(2, col::Cantidad), QStringLiteral("0"));
    EXPECT_EQ(A(2, col::Importe), QStringLiteral("50")); // no VAT in its price

    // 1003 is sold by the unit and kept in kilograms: it goes in kilograms, with the line's
    // presentation and equivalence.
    EXPECT_EQ(A(3, col::Unidad), QStringLiteral("KG"));
    EXPECT_EQ(A(3, col::Cantidad), QStringLiteral("12.5"));
    EXPECT_EQ(A(3, col::UnidadOriginal), QStringLiteral("UN"));
    EXPECT_EQ(A(3, col::UnidadEquivalente), QStringLiteral("KG"));
    EXPECT_EQ(A(3, col::CantidadEquivalente), QStringLiteral("2.5"));
    EXPECT_EQ(A(3, col::Coeficiente), QStringLiteral("2.5"));
    EXPECT_EQ(A(3, col::UnidadBase), QStringLiteral("KG"));
    EXPECT_EQ(A(3, col::Presentacion), QStringLiteral("Caja 2,5 kg"));
    EXPECT_EQ(A(3, col::PorcentajeDescuento), QStringLiteral("5"));

    // 1004 has no applications row: nothing applied. Its null exemption counts as exempt.
    EXPECT_EQ(A(5, col::Cantidad), QStringLiteral("2"));
    EXPECT_EQ(A(5, col::EsExento), QStringLiteral("0")); // the article's flag
}

TEST_F(ConversionDemo, TasksComeWithHoursAndMoneyFormatted) {
    Convierte(QStringLiteral("NP"), Pedido1, QStringLiteral("FC"));
    ASSERT_EQ(tareas.Rows(), 4);
    EXPECT_EQ(T(1, colTarea::Codigo), QStringLiteral("INST"));
    EXPECT_EQ(T(1, colTarea::CodigoOriginal), QStringLiteral("INST"));
    EXPECT_EQ(T(1, colTarea::Descripcion), QStringLiteral("Instalación"));
    EXPECT_EQ(T(1, colTarea::Cantidad), QStringLiteral("01:30"));
    EXPECT_EQ(T(1, colTarea::ValorHora), QStringLiteral("1210.00"));
    EXPECT_EQ(T(1, colTarea::ImporteSinIva), QStringLiteral("1000.00"));
    EXPECT_EQ(T(1, colTarea::Total), QStringLiteral("1815.00"));
    EXPECT_EQ(T(1, colTarea::ObservacionAdicional), QStringLiteral("Con materiales"));
    EXPECT_EQ(T(1, colTarea::FechaInicio), QStringLiteral("2025-05-10 08:00:00"));
    EXPECT_EQ(T(1, colTarea::FechaFin), QStringLiteral("2025-05-10 10:00:00"));
    EXPECT_EQ(T(1, colTarea::IdTecnico), QStringLiteral("7"));
    EXPECT_EQ(T(1, colTarea::FechaRealInicio), QString());
    EXPECT_EQ(T(1, colTarea::Prioridad), QStringLiteral("3"));
    EXPECT_EQ(T(1, colTarea::Usuario), QStringLiteral("12"));
    EXPECT_EQ(T(1, colTarea::FechaPresentacion), QStringLiteral(" 2025-05-01")); // as stored
    EXPECT_EQ(T(1, colTarea::NroExpediente), QStringLiteral(" EXP-7 "));
    EXPECT_EQ(T(2, colTarea::Codigo), QStringLiteral("VIS"));
    EXPECT_EQ(T(2, colTarea::Cantidad), QStringLiteral("00:30"));
    EXPECT_EQ(T(2, colTarea::Usuario), QStringLiteral("0")); // "abc" has no leading number
    EXPECT_EQ(T(3, colTarea::Codigo), QString());
    EXPECT_EQ(T(1, colTarea::EsExento), QString());
    EXPECT_EQ(T(1, colTarea::TasaIva), QString());

    // Another conversion appends from the grid's last row; an origin without tasks leaves it.
    Convierte(QStringLiteral("FP"), Factura1, QStringLiteral("NC"));
    ASSERT_EQ(tareas.Rows(), 5);
    EXPECT_EQ(T(3, colTarea::Cantidad), QStringLiteral("00:45"));
    Convierte(QStringLiteral("NP"), Pedido3, QStringLiteral("FP"));
    EXPECT_EQ(tareas.Rows(), 5);
}

TEST_F(ConversionDemo, TheExchangeRateConvertsEveryAmount) {
    Convierte(QStringLiteral("NP"), Pedido2, QStringLiteral("FC"), true);
    ASSERT_EQ(Codigos(), (QStringList{Articulo(1001), QString()}));
    EXPECT_EQ(A(1, col::Importe), QStringLiteral("350"));
    EXPECT_EQ(A(1, col::PrecioConIva), QStringLiteral("350")); // condition 4: letter B
    EXPECT_EQ(A(1, col::Costo), QStringLiteral("210"));
    EXPECT_EQ(A(1, col::PrecioSinIva), QStringLiteral("350"));
    EXPECT_EQ(A(1, col::Itc), QStringLiteral("17.5"));
    EXPECT_EQ(A(1, col::Total), QStringLiteral("1050"));
    EXPECT_EQ(A(1, col::EnComodato), QStringLiteral("0"));

    articulos.setRows(2);
    articulos.setTextMatrix(1, col::CodigoArticulo, {});
    Convierte(QStringLiteral("NP"), Pedido2, QStringLiteral("FC"), false);
    EXPECT_EQ(A(1, col::Importe), QStringLiteral("10"));
    EXPECT_EQ(A(1, col::PrecioConIva), QStringLiteral("10"));
    EXPECT_EQ(A(1, col::Costo), QStringLiteral("6"));
    EXPECT_EQ(A(1, col::Itc), QStringLiteral("0.5"));
    EXPECT_EQ(A(1, col::Total), QStringLiteral("30"));
}

TEST_F(ConversionDemo, TheLineLimitStopsTheLoadAndTellsTheSheetsNeeded) {
    letra = QStringLiteral("A"); // the sheet is looked up by the letter as passed
    Convierte(QStringLiteral("NP"), Pedido3, QStringLiteral("FC"));
    ASSERT_EQ(guion.Mensajes(), QStringList{QStringLiteral(
                                    "Recuerde que para facturar este pedido completo necesita 2 Hojas (El "
                                    "sistema tiene configurado 20 por hoja)")});
    EXPECT_EQ(guion.Registros().back().titulo, QStringLiteral("Aviso al operador"));
    EXPECT_EQ(clase->NPP_Cliente, QStringLiteral("C0001"));
    EXPECT_EQ(clase->NPP_IDCpte, Pedido3);
    ASSERT_EQ(articulos.Rows(), 23);
    EXPECT_EQ(A(20, col::CodigoArticulo).trimmed(), Articulo(1020));
    EXPECT_EQ(A(21, col::CodigoArticulo), QString());
    EXPECT_EQ(A(22, col::CodigoArticulo), QString());

    // A destination without a configured sheet: every line, no warning, the members cleared.
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    guion.Limpia();
    ConvierteEn(otra, QStringLiteral("NP"), Pedido3, QStringLiteral("FP"));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_TRUE(clase->NPP_Cliente.isEmpty());
    EXPECT_TRUE(clase->NPP_IDCpte.isEmpty());
    EXPECT_EQ(otra.Rows(), 27);
    EXPECT_EQ(otra.TextMatrix(25, col::CodigoArticulo).trimmed(), Articulo(1025));
}

TEST_F(ConversionDemo, PreparedLinesOnlyAndInTheirPalletOrder) {
    AjustaConfiguracion(QStringLiteral("FacturaNPPreparadas"), QStringLiteral("SI"));
    AjustaConfiguracion(QStringLiteral("PideDepositoEnCptes"), QStringLiteral("SI"));
    Convierte(QStringLiteral("NP"), Pedido1, QStringLiteral("FC"));
    // 1002 has nothing left to invoice and 1004 was never prepared: neither comes.
    EXPECT_EQ(Codigos(),
              (QStringList{Articulo(1003), Articulo(1001), QStringLiteral("KIT-ASADO"), QString()}));
    EXPECT_EQ(A(1, col::Deposito), QStringLiteral("2"));
}

TEST_F(ConversionDemo, ADeliveryRunLoadsEachArticleOnceWithItsPendingQuantity) {
    Convierte(QStringLiteral("RM"), Remito1, QStringLiteral("FC"));
    EXPECT_EQ(reparto, -1);
    ASSERT_EQ(Codigos(), (QStringList{Articulo(1001), Articulo(1005), Articulo(1006), QString()}));
    EXPECT_EQ(A(1, col::Cantidad), QStringLiteral("6")); // 4 of 10 left the deposit
    EXPECT_EQ(A(2, col::Cantidad), QStringLiteral("3"));
    EXPECT_EQ(A(3, col::Cantidad), QStringLiteral("-3")); // a returned line keeps its sign

    double aplicado = 0;
    EXPECT_EQ(clase->CantRepartoPend(QStringLiteral("RM"), Remito1, Articulo(1001), aplicado), 6.0);
    EXPECT_EQ(aplicado, 4.0);
    EXPECT_EQ(clase->CantRepartoPend(QStringLiteral("RM"), Remito1, QStringLiteral("9999"), aplicado), 0.0);
    EXPECT_EQ(aplicado, 0.0);

    // The delivery-only program keeps the repeat; its applied quantity comes from the
    // applications, of which the delivery note has none.
    EstableceProgramaConversion(ProgramasConversion::SoloRemitos);
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("RM"), Remito1, QStringLiteral("FC"));
    ASSERT_EQ(otra.Rows(), 6);
    EXPECT_EQ(otra.TextMatrix(3, col::CodigoArticulo).trimmed(), Articulo(1005));
    EXPECT_EQ(otra.TextMatrix(1, col::Cantidad), QStringLiteral("10"));
    EXPECT_EQ(otra.TextMatrix(1, col::CantidadEquivalente), QStringLiteral("10")); // a copy of the quantity
}

TEST_F(ConversionDemo, ADeliveryRunKeepsTheCallersRowsAndItsFirstLineWithoutCode) {
    articulos.setRows(3);
    articulos.setTextMatrix(1, col::CodigoArticulo, QStringLiteral("USUARIO-1"));
    articulos.setTextMatrix(2, col::CodigoArticulo, QStringLiteral("USUARIO-2"));
    Convierte(QStringLiteral("RM"), QStringLiteral("001000000008R"), QStringLiteral("FC"));
    EXPECT_EQ(reparto, -1);
    // The first line stays in a row of its own; the later line without a code and the repeated
    // 1001 go as already loaded, each taking back only the row it was given.
    ASSERT_EQ(Codigos(), (QStringList{QStringLiteral("USUARIO-1"), QStringLiteral("USUARIO-2"), QString(),
                                      Articulo(1001), QString()}));
    EXPECT_EQ(A(3, col::Descripcion), QStringLiteral("Flete"));
    EXPECT_EQ(A(3, col::Cantidad), QStringLiteral("1"));
    EXPECT_EQ(A(4, col::Cantidad), QStringLiteral("1"));

    // On a fresh grid the first line takes the grid's empty row.
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("RM"), QStringLiteral("001000000008R"), QStringLiteral("FC"));
    ASSERT_EQ(otra.Rows(), 4);
    EXPECT_EQ(otra.TextMatrix(1, col::Descripcion), QStringLiteral("Flete"));
    EXPECT_EQ(otra.TextMatrix(2, col::CodigoArticulo).trimmed(), Articulo(1001));
}

TEST_F(ConversionDemo, TheProgramThatLoadsEachArticleOnceSkipsWhatTheGridHolds) {
    EstableceProgramaConversion(ProgramasConversion::ArticuloUnico);
    articulos.setRows(3);
    articulos.setTextMatrix(1, col::CodigoArticulo, QStringLiteral(" tuerca "));
    articulos.setTextMatrix(2, col::CodigoArticulo, QStringLiteral("  conv-tabla  "));
    Convierte(QStringLiteral("RM"), QStringLiteral("001000000004R"), QStringLiteral("FC"));
    // The first board takes a row of its own (the first line is not looked up); the other three
    // are in the grid by then, case and blanks aside; the screw comes once.
    ASSERT_EQ(Codigos(), (QStringList{QStringLiteral("tuerca"), QStringLiteral("conv-tabla"),
                                      QStringLiteral("CONV-TABLA"), Articulo(1001), QString()}));
    EXPECT_EQ(A(4, col::Cantidad), QStringLiteral("0")); // its pending quantity: none worked out

    // The same voucher again into that grid: only its first line comes.
    Convierte(QStringLiteral("RM"), QStringLiteral("001000000004R"), QStringLiteral("FC"));
    EXPECT_EQ(Codigos(), (QStringList{QStringLiteral("tuerca"), QStringLiteral("conv-tabla"),
                                      QStringLiteral("CONV-TABLA"), Articulo(1001),
                                      QStringLiteral("CONV-TABLA"), QString()}));
}

TEST_F(ConversionDemo, TheHeadersDeliveryRunIsAWholeNumberOfSixteenBits) {
    const auto conReparto = [&](const char* valor) {
        AD().EjecutaSQL(QStringLiteral("UPDATE V_MV_CPTE SET IdReparto = %1 WHERE IDCOMPROBANTE = '%2'")
                            .arg(QLatin1String(valor), Pedido2));
        reparto = 7;
        Grilla g{2, ColumnasGrillaArticulos, 1, 0};
        clase->AsignarDatosComprobante(QStringLiteral("NP"), Pedido2, QStringLiteral("0"), tareas, g, otros,
                                       false, nullptr, false, {}, &reparto, false, {}, QStringLiteral("FC"),
                                       nullptr);
        return reparto;
    };
    EXPECT_EQ(conReparto("2.5"), 2); // halves to the even number
    EXPECT_EQ(conReparto("3.5"), 4);
    EXPECT_EQ(conReparto("-32768"), -32768);
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // Beyond 16 bits: the overflow is told, and Ignore leaves the caller's value.
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_EQ(conReparto("40000"), 7);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().front().contains(QStringLiteral("Desbordamiento")));
}

TEST_F(ConversionDemo, IgnoreAfterAFailingTaskOrConceptCellGoesOnWithTheNextCell) {
    // Minutes beyond what the hours cell can show, and an amount beyond the currency's range.
    AD().EjecutaSQL(QStringLiteral("UPDATE V_MV_CPTETAREAS SET Horas = 1e12 WHERE IDTAREA = ' INST'"));
    AD().EjecutaSQL(QStringLiteral(
        "UPDATE V_MV_CPTE_Observ SET Importe = 1e20 WHERE Observacion = '411 Flete a domicilio'"));
    guion.AgregaRespuesta(Respuesta::Ignorar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Convierte(QStringLiteral("NP"), Pedido1, QStringLiteral("FC"));
    ASSERT_EQ(guion.Mensajes().size(), 2);
    EXPECT_EQ(T(1, colTarea::Codigo), QStringLiteral("INST"));
    EXPECT_EQ(T(1, colTarea::Cantidad), QString());
    EXPECT_EQ(T(1, colTarea::ValorHora), QStringLiteral("1210.00"));
    EXPECT_EQ(T(1, colTarea::NroExpediente), QStringLiteral(" EXP-7 "));
    EXPECT_EQ(T(2, colTarea::Cantidad), QStringLiteral("00:30"));
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::Importe), QString());
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::ImporteSinIva), QStringLiteral("100.00"));
    EXPECT_EQ(otros.TextMatrix(1, colOtroConcepto::Cuenta), QStringLiteral("4.1.1.01"));
    EXPECT_EQ(otros.TextMatrix(2, colOtroConcepto::Cuenta), QStringLiteral("1.1.5.01"));
}

// An article on several lines gives each row the same cells of its own; a step of it that failed
// and was ignored at one line runs again, and is told again, at the next.
TEST_F(ConversionDemo, EachLineOfAnArticleGetsItsCellsAndItsFailuresAgain) {
    for (int secuencia = 2; secuencia <= 3; ++secuencia)
        AD().EjecutaSQL(
            QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, "
                           "Secuencia, IdArticulo, Descripcion, IdUnidad, IdUnidadBase, Cantidad, "
                           "CantidadUd, Importe, Importe_S_IVA, Impuestos, Total, TotalFinal, Exento, "
                           "AlicIVA, IdLista, IdDeposito, Costo) SELECT TC, IDCOMPROBANTE, "
                           "IdComplemento, CUENTA, %1, IdArticulo, Descripcion, IdUnidad, "
                           "IdUnidadBase, %1, %1, Importe, Importe_S_IVA, Impuestos, Total, "
                           "TotalFinal, Exento, AlicIVA, IdLista, IdDeposito, Costo FROM "
                           "V_MV_CPTEINSUMOS WHERE TC = '  NP' AND IDCOMPROBANTE = '%2' AND "
                           "Secuencia = 1")
                .arg(secuencia)
                .arg(Pedido2));
    Convierte(QStringLiteral("NP"), Pedido2, QStringLiteral("FC"));
    ASSERT_EQ(Codigos(), (QStringList{Articulo(1001), Articulo(1001), Articulo(1001), QString()}));
    EXPECT_EQ(A(2, col::Cantidad), QStringLiteral("2"));
    for (const int columna :
         {col::DescripcionTipoArticulo, col::Presentacion, col::EsExento, col::PideSerie, col::PideLote,
          col::EsPerecedero, col::EsPesable, col::CodigoBarra, col::CuentaContable, col::Iva})
        for (const int fila : {2, 3})
            EXPECT_EQ(A(fila, columna), A(1, columna)) << fila << " " << columna;
    EXPECT_FALSE(A(3, col::DescripcionTipoArticulo).isEmpty());
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    AD().EjecutaSQL(QStringLiteral("ALTER TABLE V_TA_TipoArticulo RENAME TO TIPOS_APARTE"));
    for (int i = 0; i < 6; ++i)
        guion.AgregaRespuesta(Respuesta::Ignorar);
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("NP"), Pedido2, QStringLiteral("FC"));
    EXPECT_EQ(guion.Mensajes().size(), 6); // the type's description, twice a line
    for (const int fila : {1, 2, 3}) {
        EXPECT_EQ(otra.TextMatrix(fila, col::DescripcionTipoArticulo), QString()) << fila;
        EXPECT_EQ(otra.TextMatrix(fila, col::CuentaContable), A(1, col::CuentaContable)) << fila;
    }
}

TEST_F(ConversionDemo, AReturnCarriesTheNegativeSign) {
    Convierte(QStringLiteral("RM"), Remito1, QStringLiteral("NC"));
    ASSERT_EQ(Codigos(), (QStringList{Articulo(1001), Articulo(1005), Articulo(1006), QString()}));
    EXPECT_EQ(A(1, col::Cantidad), QStringLiteral("-6"));
    EXPECT_EQ(A(1, col::CantidadEquivalente), QStringLiteral("10")); // not negated
    EXPECT_EQ(A(2, col::Cantidad), QStringLiteral("-3"));
    EXPECT_EQ(A(3, col::Cantidad), QStringLiteral("3"));

    // -98 on entry asks for a return whatever the destination.
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    qint16 devolucion = -98;
    clase->AsignarDatosComprobante(QStringLiteral("RM"), Remito1, QStringLiteral("0"), tareas, otra, otros,
                                   false, nullptr, false, {}, &devolucion, false, {}, QStringLiteral("FC"),
                                   nullptr);
    EXPECT_EQ(otra.TextMatrix(1, col::Cantidad), QStringLiteral("-6"));
    EXPECT_EQ(devolucion, -1);
}

TEST_F(ConversionDemo, AnArticleOfAnotherBusinessUnitIsDroppedInTheSalesPrograms) {
    EstableceProgramaConversion(QStringLiteral("Facturacion"));
    gRazonSocialPorUneg = true;
    Convierte(QStringLiteral("NP"), Pedido1, QStringLiteral("FC"));
    EXPECT_EQ(Codigos(),
              (QStringList{Articulo(1001), Articulo(1002), Articulo(1003), Articulo(1004), QString()}));
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // A proforma invoice takes it.
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    ConvierteEn(otra, QStringLiteral("NP"), Pedido1, QStringLiteral("FP"));
    EXPECT_EQ(otra.TextMatrix(4, col::CodigoArticulo).trimmed(), QStringLiteral("KIT-ASADO"));
}

TEST_F(ConversionDemo, TheComplementIsANumber) {
    Convierte(QStringLiteral("NP"), Pedido2, QStringLiteral("FC"), false, QString());
    EXPECT_EQ(A(1, col::CodigoArticulo).trimmed(), Articulo(1001)); // empty reads as 0
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // Not a number: told, and nothing is read.
    Grilla otra{2, ColumnasGrillaArticulos, 1, 0};
    clase->AsignarDatosComprobante(QStringLiteral("NP"), Pedido2, QStringLiteral("0 OR 1=1"), tareas, otra,
                                   otros, false, nullptr, false, {}, nullptr, false, {}, QStringLiteral("FC"),
                                   nullptr);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().front().contains(QStringLiteral("0 OR 1=1")));
    EXPECT_EQ(otra.Rows(), 2);
    EXPECT_EQ(otra.TextMatrix(1, col::CodigoArticulo), QString());

    // A complement the voucher does not have: its missing header is reported, and leaving
    // keeps the grids as they were.
    guion.Limpia();
    Registros cabecera;
    clase->AsignarDatosComprobante(QStringLiteral("NP"), Pedido2, QStringLiteral("7"), tareas, otra, otros,
                                   false, &cabecera, false, {}, nullptr, false, {}, QStringLiteral("FC"),
                                   nullptr);
    EXPECT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(otra.Rows(), 2);
    EXPECT_EQ(cabecera.State(), 0);
}

TEST_F(ConversionDemo, APurchasesOriginTakesTheMastersCostAndLeavesTheSalesColumns) {
    Registros cabecera;
    reparto = 5;
    gAsignacionAutomaticaDeLoteING = true;
    clase->AsignarDatosComprobante(QStringLiteral("OC"), OrdenCompra1, QStringLiteral("x"), tareas, articulos,
                                   otros, false, &cabecera, true, QStringLiteral("P001"), &reparto, false, {},
                                   QStringLiteral("FCC"), nullptr);
    EXPECT_TRUE(guion.Mensajes().isEmpty()); // the complement is not used
    EXPECT_EQ(reparto, 5);
    ASSERT_EQ(Codigos(), (QStringList{Articulo(1015), QString()}));
    EXPECT_EQ(A(1, col::Costo), QStringLiteral("65.75"));
    EXPECT_EQ(A(1, col::PideLote), QStringLiteral("-1"));   // lots are assigned automatically
    EXPECT_EQ(A(1, col::Coeficiente), QStringLiteral("6")); // Equiv_UDBase: its units differ
    EXPECT_EQ(A(1, col::Cantidad), QStringLiteral("2"));
    EXPECT_EQ(A(1, col::ListaPrecio), QString());
    EXPECT_EQ(A(1, col::PorcentajeDescuento), QString());
    EXPECT_EQ(A(1, col::EnComodato), QString());
    ASSERT_EQ(cabecera.State(), 1);
    EXPECT_EQ(cabecera.Fields(QStringLiteral("Cuenta")).toString(), QStringLiteral("P001"));
    EXPECT_EQ(tareas.Rows(), 2);
}

} // namespace
