#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "CajaTexto.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "Globales.h"
#include "Grilla.h"
#include "ValoresConfiguracion.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// The tests' font (MedidaPrueba): X is 120 twips wide, every other character 60.
int Medida(const QString& texto) {
    return MedidaPrueba(texto);
}
constexpr int X = kAnchoX;

// Titles of the articles grid for a non-stock type with no setting that moves a column.
const QStringList TitulosVentas = {"Código",
                                   "Descripción",
                                   "Lista",
                                   "",
                                   "",
                                   "UD",
                                   "Dep.",
                                   "Cant.",
                                   "AuxCoeficiente",
                                   "", // 0-9
                                   "",
                                   "% Dto.",
                                   "",
                                   "",
                                   "Importe",
                                   "Total",
                                   "AuxEsExento",
                                   "AuxPrecioSinIVA",
                                   "TOTAL", // 10-18
                                   "AuxPideSerie",
                                   "AuxPidelote",
                                   "AuxNroLote",
                                   "AuxNroSerie",
                                   "AuxRestoPorAplicar", // 19-23
                                   "AuxTipoArticulo",
                                   "AuxRubroArticulo",
                                   "AuxListaConIVA",
                                   "AuxPrecioConIVA", // 24-27
                                   "AuxCantidadInsumo",
                                   "AuxImporteDescuentoArticulo",
                                   "AuxTipoCoeficiente", // 28-30
                                   "AuxStockDisponible",
                                   "AuxStockMinimo",
                                   "IVA",
                                   "AuxCpteOrigen",
                                   "AuxIdCpteOrigen", // 31-35
                                   "Lote_Origen",
                                   "Lote_Aduana",
                                   "",
                                   "",
                                   "Impuestos", // 36-40
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "", // 41-61
                                   "",
                                   "Bl/Pq",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "", // 62-81
                                   "",
                                   "PideMedidas",
                                   "LargoAnt",
                                   "",
                                   "",
                                   "",
                                   "EnComodato",
                                   "MKBaseFamilia",
                                   "CodError", // 82-90
                                   "Moneda",
                                   "Cotizacion",
                                   "ITC",
                                   "",
                                   "AuxSecuenciaOrigen",
                                   "AuxRedondeoLinea", // 91-96
                                   "Cod.Proveedor",
                                   "ColorDefault",
                                   "SexoDefault",
                                   "AuxCodigoPercepcion"}; // 97-100

class LayoutArticulos : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        grilla.setWidth(30000);
        // A grid that held a voucher before: the layout starts it afresh.
        grilla.setCols(5);
        grilla.setRows(6);
        grilla.setTextMatrix(1, 2, QStringLiteral("viejo"));
    }

    static void AgregaTipo(const QString& codigo, const QString& sistema) {
        AD().EjecutaSQL("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA) VALUES ('" + codigo +
                        "', 1, 'Prueba', '" + sistema + "')");
    }

    // Lays the articles grid out for `tc` with a class created now (after the settings).
    void Dispone(const QString& tc) {
        ClsCmnCptesServicios c;
        c.InicializaGrids(nullptr, &grilla, nullptr, nullptr, &editor, nullptr, Medida, tc);
    }

    // Widths of the columns that show.
    std::map<int, int> Visibles() const {
        std::map<int, int> r;
        for (int c = 0; c < grilla.Cols(); ++c)
            if (grilla.ColWidth(c) != 0)
                r[c] = grilla.ColWidth(c);
        return r;
    }
    QStringList Titulos() const {
        QStringList r;
        for (int c = 0; c < grilla.Cols(); ++c)
            r << grilla.TextMatrix(0, c);
        return r;
    }

    Grilla grilla;
    CajaTexto editor{QStringLiteral("txtEdit2")};
};

TEST_F(LayoutArticulos, NonStockTypeMatchesTheContract) {
    Dispone(QStringLiteral("FC"));

    EXPECT_EQ(grilla.Rows(), 2);
    EXPECT_EQ(grilla.Cols(), ColumnasGrillaArticulos);
    EXPECT_EQ(grilla.TextMatrix(1, 2), "");
    EXPECT_EQ(Titulos(), TitulosVentas);
    const std::map<int, int> visibles = {{col::CodigoArticulo, 15 * X},
                                         {col::Descripcion, 29 * X},
                                         {col::Unidad, 4 * X},
                                         {col::Cantidad, 6 * X},
                                         {col::Importe, 11 * X},
                                         {col::TotalLinea, 10 * X},
                                         {col::Iva, 10 * X},
                                         {col::Impuestos, 10 * X},
                                         {col::CantidadBultos, 5 * X},
                                         {col::CodProveedor, 11 * X}};
    EXPECT_EQ(Visibles(), visibles);
    EXPECT_EQ(grilla.ColAlignment(col::CodigoArticulo), Alineacion::IzquierdaCentro);
    EXPECT_EQ(grilla.ColAlignment(col::Descripcion), Alineacion::IzquierdaCentro);
    EXPECT_EQ(grilla.ColAlignment(col::Cantidad), Alineacion::General);
    EXPECT_FALSE(editor.Visible());
}

TEST_F(LayoutArticulos, StockTypeWidensDescriptionUnitAndQuantity) {
    Dispone(QStringLiteral("AJP"));

    QStringList titulos = TitulosVentas;
    for (int c : {col::PorcentajeDescuento, col::TotalLinea, col::Impuestos, col::Itc})
        titulos[c] = "";
    EXPECT_EQ(Titulos(), titulos);
    // The description takes the amount's room less 480 twips; unit and quantity grow.
    const std::map<int, int> visibles = {{col::CodigoArticulo, 15 * X},
                                         {col::Descripcion, 39 * X + 11 * X - 480},
                                         {col::Unidad, 4 * X + 4 * X},
                                         {col::Cantidad, 6 * X + 7 * X},
                                         {col::Iva, 10 * X},
                                         {col::CantidadBultos, 5 * X},
                                         {col::CodProveedor, 11 * X}};
    EXPECT_EQ(Visibles(), visibles);
}

TEST_F(LayoutArticulos, HiddenColumnsKeepTheirData) {
    Dispone(QStringLiteral("  SI"));
    grilla.setTextMatrix(1, col::CantidadUnidadBase, QStringLiteral("12.5"));
    grilla.setTextMatrix(1, col::ListaLotes, QStringLiteral("L1|L2|"));
    grilla.setTextMatrix(1, col::CodigoPercepcion, QStringLiteral("P"));
    EXPECT_TRUE(grilla.ColumnaOculta(col::CantidadUnidadBase));
    EXPECT_TRUE(grilla.ColumnaOculta(col::ListaLotes));
    EXPECT_EQ(grilla.TextMatrix(1, col::CantidadUnidadBase), "12.5");
    EXPECT_EQ(grilla.TextMatrix(1, col::ListaLotes), "L1|L2|");
    EXPECT_EQ(grilla.TextMatrix(1, col::CodigoPercepcion), "P");

    // A second layout empties the lines again.
    Dispone(QStringLiteral("  SI"));
    EXPECT_EQ(grilla.TextMatrix(1, col::CantidadUnidadBase), "");
    EXPECT_EQ(grilla.TextMatrix(0, col::CodigoArticulo), "Código");
}

TEST_F(LayoutArticulos, SistemaIgnoresCaseAndTheCodeIsPadded) {
    AgregaTipo(QStringLiteral("  ZS"), QStringLiteral("stock"));
    Dispone(QStringLiteral("ZS "));
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 39 * X + 11 * X - 480);
    EXPECT_EQ(grilla.ColWidth(col::TotalLinea), 0);
    EXPECT_EQ(grilla.TextMatrix(0, col::TotalLinea), "");
}

TEST_F(LayoutArticulos, DepositColumnFollowsTheSettingExceptForOtAndPr) {
    AjustaConfiguracion(QStringLiteral("PideDepositoEnCptes"), QStringLiteral("si"));
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::Deposito), 4 * X);

    Dispone(QStringLiteral("ot"));
    EXPECT_EQ(grilla.ColWidth(col::Deposito), 0);
    Dispone(QStringLiteral("PR"));
    EXPECT_EQ(grilla.ColWidth(col::Deposito), 0);
    // "OT" followed by blanks is none of the special types.
    Dispone(QStringLiteral("OT  "));
    EXPECT_EQ(grilla.ColWidth(col::Deposito), 4 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::Deposito), "Dep.");

    // Only the exact value counts: blanks around it make it off.
    AjustaConfiguracion(QStringLiteral("PideDepositoEnCptes"), QStringLiteral(" SI"));
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::Deposito), 0);
}

TEST_F(LayoutArticulos, HiddenAmountsGiveTheirRoomToTheDescription) {
    Dispone(QStringLiteral("OP"));
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 29 * X + 11 * X + 10 * X);
    for (int c : {col::Importe, col::Total, col::TotalLinea})
        EXPECT_EQ(grilla.ColWidth(c), 0) << c;
    EXPECT_EQ(grilla.TextMatrix(0, col::Importe), "Importe");

    // Stock type with hidden amounts: the amount is already 0 when the stock step runs.
    AgregaTipo(QStringLiteral("  OP"), QStringLiteral("STOCK"));
    Dispone(QStringLiteral("op"));
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 39 * X + 11 * X + 0 - 480);
    EXPECT_EQ(grilla.ColWidth(col::Importe), 0);

    // OT hides them only when asked to, and "OT " never.
    Dispone(QStringLiteral("OT"));
    EXPECT_EQ(grilla.ColWidth(col::Importe), 11 * X);
    AjustaConfiguracion(QStringLiteral("NoMostrarImportesEnOT"), QStringLiteral("Si"));
    Dispone(QStringLiteral("OT"));
    EXPECT_EQ(grilla.ColWidth(col::Importe), 0);
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 29 * X + 11 * X + 10 * X);
    Dispone(QStringLiteral("OT "));
    EXPECT_EQ(grilla.ColWidth(col::Importe), 11 * X);
}

TEST_F(LayoutArticulos, TimberLayoutOnlyForSalesTypes) {
    gMaderera = true;
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::Espesor), 7 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::Espesor), "Espesor");
    EXPECT_EQ(grilla.ColWidth(col::Ancho), 7 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::Ancho), "Ancho");
    EXPECT_EQ(grilla.ColWidth(col::Largo), 7 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::Largo), "Largo");
    EXPECT_EQ(grilla.ColWidth(col::UnidadPrecio), 4 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::UnidadPrecio), "UD");
    EXPECT_EQ(grilla.ColWidth(col::ImporteUnidad), 9 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::ImporteUnidad), "Importe");
    EXPECT_EQ(grilla.ColWidth(col::Importe), 0);
    EXPECT_EQ(grilla.ColWidth(col::MetrosMadera), 10 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::MetrosMadera), "ML/M2");

    // A stock type keeps the plain layout.
    Dispone(QStringLiteral("TR"));
    EXPECT_EQ(grilla.ColWidth(col::Espesor), 0);
    EXPECT_EQ(grilla.TextMatrix(0, col::Largo), "AuxCoeficiente");
    EXPECT_EQ(grilla.TextMatrix(0, col::MetrosMadera), "");

    gMaderera = false;
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::Espesor), 0);
    EXPECT_EQ(grilla.ColWidth(col::Importe), 11 * X);
}

TEST_F(LayoutArticulos, SettingsThatShowMoreColumns) {
    AjustaConfiguracion(QStringLiteral("ConfirmaUDEquiv"), QStringLiteral("SI"));
    AjustaConfiguracion(QStringLiteral("V_ListaPreciosPorItemArticulos"), QStringLiteral("SI"));
    AjustaConfiguracion(QStringLiteral("V_DescuentoPorArticulos"), QStringLiteral("SI"));
    AjustaConfiguracion(QStringLiteral("TransporteCombustibles"), QStringLiteral("SI"));
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::UnidadEquivalente), 7 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::UnidadEquivalente), "UDEquiv");
    EXPECT_EQ(grilla.ColWidth(col::CantidadEquivalente), 9 * X);
    EXPECT_EQ(grilla.TextMatrix(0, col::CantidadEquivalente), "Cant. Equiv");
    EXPECT_EQ(grilla.ColWidth(col::ListaPrecio), 4 * X);
    EXPECT_EQ(grilla.ColWidth(col::PorcentajeDescuento), 5 * X);
    EXPECT_EQ(grilla.ColWidth(col::CodigoArticulo), 15 * X - X - X);
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 29 * X - 3 * X - 3 * X);
    EXPECT_EQ(grilla.ColWidth(col::Importe), 11 * X - X);
    EXPECT_EQ(grilla.ColWidth(col::Itc), 10 * X);

    // Sales settings do not apply to purchases; the purchases discount is read trimmed.
    AjustaConfiguracion(QStringLiteral("ComprasDescuentoPorArticulo"), QStringLiteral(" si "));
    Dispone(QStringLiteral("FCC"));
    EXPECT_EQ(grilla.ColWidth(col::ListaPrecio), 0);
    EXPECT_EQ(grilla.ColWidth(col::PorcentajeDescuento), 5 * X);
    EXPECT_EQ(grilla.ColWidth(col::CodigoArticulo), 15 * X - X);
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 29 * X - 3 * X);

    // None of them on a stock type, but the equivalent unit.
    Dispone(QStringLiteral("IR"));
    EXPECT_EQ(grilla.ColWidth(col::PorcentajeDescuento), 0);
    EXPECT_EQ(grilla.ColWidth(col::ListaPrecio), 0);
    EXPECT_EQ(grilla.ColWidth(col::Itc), 0);
    EXPECT_EQ(grilla.ColWidth(col::UnidadEquivalente), 7 * X);
}

TEST_F(LayoutArticulos, LotColumnsShowForDvpe) {
    Dispone(QStringLiteral("dvpe"));
    EXPECT_EQ(grilla.ColWidth(col::ListaLotes), Medida(QStringLiteral("Nro. de Lote")));
    EXPECT_EQ(grilla.TextMatrix(0, col::ListaLotes), "Nro. Lote");
    EXPECT_EQ(grilla.ColWidth(col::ListaCantidades), Medida(QStringLiteral("Nro. de Serie")));
    EXPECT_EQ(grilla.TextMatrix(0, col::ListaCantidades), "Nro. Serie");
}

TEST_F(LayoutArticulos, CodeColumnTitleFromTheSettingInProperCase) {
    AjustaConfiguracion(QStringLiteral("NombreArticulos"), QStringLiteral("artículo de STOCK"));
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.TextMatrix(0, col::CodigoArticulo), "Artículo De Stock");

    AjustaConfiguracion(QStringLiteral("NombreArticulos"), QStringLiteral("   "));
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.TextMatrix(0, col::CodigoArticulo), "Código");
    QuitaConfiguracion(QStringLiteral("NombreArticulos"));
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.TextMatrix(0, col::CodigoArticulo), "Código");
}

TEST_F(LayoutArticulos, NoColumnButTheCodeIsWiderThanTheGrid) {
    grilla.setWidth(1800);
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::CodigoArticulo), 15 * X);
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 1400);
    EXPECT_EQ(grilla.ColWidth(col::Importe), 1320);
    EXPECT_EQ(grilla.ColWidth(col::CodProveedor), 1320);
    EXPECT_EQ(grilla.ColWidth(col::ListaLotes), 0);

    grilla.setWidth(1400);
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 1000);
    EXPECT_EQ(grilla.ColWidth(col::Importe), 1000);
    EXPECT_EQ(grilla.ColWidth(col::Unidad), 4 * X);

    // A grid not placed on a form yet has no room to cap against.
    grilla.setWidth(0);
    Dispone(QStringLiteral("FC"));
    EXPECT_EQ(grilla.ColWidth(col::Descripcion), 29 * X);
    EXPECT_EQ(grilla.ColWidth(col::ListaLotes), 0);
}

TEST_F(LayoutArticulos, UnknownTypeLaysOutWithoutSistema) {
    for (const QString tc : {"ZZZ", "", "O'T"}) {
        EXPECT_NO_THROW(Dispone(tc)) << tc.toStdString();
        EXPECT_EQ(Titulos(), TitulosVentas) << tc.toStdString();
        EXPECT_EQ(grilla.ColWidth(col::Descripcion), 29 * X);
        EXPECT_EQ(grilla.ColWidth(col::TotalLinea), 10 * X);
    }
}

TEST_F(LayoutArticulos, InputsAreReadWithoutAnyGrid) {
    ClsCmnCptesServicios c;
    EXPECT_NO_THROW(c.InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, Medida, "FC"));
    AD().EjecutaSQL(QStringLiteral("DROP TABLE V_TA_CPTE"));
    EXPECT_THROW(c.InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, Medida, "FC"),
                 ErrorSistema);
    // The failing query ends the call before the grid is touched.
    EXPECT_THROW(c.InicializaGrids(nullptr, &grilla, nullptr, nullptr, &editor, nullptr, Medida, "FC"),
                 ErrorSistema);
    EXPECT_EQ(grilla.Cols(), 5);
    EXPECT_TRUE(editor.Visible());
}

} // namespace
