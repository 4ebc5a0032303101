#pragma once

// Column numbers of the articles grid of a voucher form. Every voucher process addresses
// the cells of a line by these numbers, never by title, so they are fixed: a hidden column
// (width 0) still holds its data. Row 0 holds the titles; lines start at row 1.
// Flag cells hold "-1" or "0" unless noted.

inline constexpr int ColumnasGrillaArticulos = 101;

namespace col {
constexpr int CodigoArticulo = 0;       // article code (IdArticulo)
constexpr int Descripcion = 1;          // description
constexpr int ListaPrecio = 2;          // price list of the line (IdListaPrecioArticulo)
constexpr int Espesor = 3;              // thickness (timber)
constexpr int Ancho = 4;                // width (timber); the stock posting reads it as the position
constexpr int Posicion = Ancho;         // warehouse position of the line
constexpr int Unidad = 5;               // unit of the line (IdUnidad)
constexpr int Deposito = 6;             // deposit of the line (IdDepositoArt); empty: the voucher's
constexpr int Cantidad = 7;             // quantity in the line's unit
constexpr int Coeficiente = 8;          // equivalence from the line's unit to the base unit
constexpr int Largo = Coeficiente;      // length, in the timber layout
constexpr int UnidadEquivalente = 9;    // equivalent unit (IdUnidadEquiv)
constexpr int CantidadEquivalente = 10; // quantity in the equivalent unit
constexpr int PorcentajeDescuento = 11; // discount percentage (PorcDtoArticulo)
constexpr int UnidadPrecio = 12;        // price unit (Ud_Pr, timber)
constexpr int ImporteUnidad = 13;       // amount per price unit (Importe_Ud, timber)
constexpr int Importe = 14;             // amount of the line (ArtImporte)
constexpr int Total = 15;               // total
constexpr int EsExento = 16;            // exempt flag
constexpr int PrecioSinIva = 17;        // price without VAT
constexpr int TotalLinea = 18;          // line total ("TOTAL")
constexpr int PideSerie = 19;           // the article asks for serial numbers
constexpr int PideLote = 20;            // the article asks for lots
constexpr int ListaLotes = 21;          // '|' list of lots, serials, sizes or positions
constexpr int ListaCantidades = 22;     // '|' list parallel to ListaLotes: quantities or serials
constexpr int ListaSeries = ListaCantidades;
constexpr int RestoPorAplicar = 23;  // rest still to apply
constexpr int TipoArticulo = 24;     // article type
constexpr int RubroArticulo = 25;    // article category
constexpr int ListaConIva = 26;      // the price list includes VAT
constexpr int PrecioConIva = 27;     // price with VAT
constexpr int CantidadInsumo = 28;   // "-1": posted in the first pass of a production voucher
constexpr int ImporteDescuento = 29; // discount amount of the line
constexpr int TipoCoeficiente = 30;  // operator of Coeficiente: "*" or "/"
constexpr int StockDisponible = 31;  // available stock
constexpr int StockMinimo = 32;      // minimum stock
constexpr int Iva = 33;              // VAT of the line
constexpr int CpteOrigen = 34;       // origin voucher: type (4) followed by SucNroLetra (13)
constexpr int IdCpteOrigen = 35;     // identifier of the origin voucher line
constexpr int LoteOrigen = 36;       // origin of the goods (IdOrigen)
constexpr int LoteAduana = 37;       // controlled-by value of the origin
constexpr int Costo = 38;            // cost of one unit of the line
constexpr int CuentaContable = 39;   // accounting account of the line
constexpr int Impuestos = 40;        // taxes
constexpr int UnidadBase = 41;       // the article's base unit
constexpr int Reservado42 = 42;
constexpr int Reservado43 = 43;
constexpr int Reservado44 = 44;
constexpr int SegundoIva = 45;   // second VAT amount (IVARNI)
constexpr int EsPerecedero = 46; // perishable flag
constexpr int Reservado47 = 47;
constexpr int Reservado48 = 48;
constexpr int Reservado49 = 49;
constexpr int Reservado50 = 50;
constexpr int Reservado51 = 51;
constexpr int Reservado52 = 52;
constexpr int Reservado53 = 53;
constexpr int Reservado54 = 54;
constexpr int Reservado55 = 55;
constexpr int Reservado56 = 56;
constexpr int Reservado57 = 57;
constexpr int Reservado58 = 58;
constexpr int DescripcionTipoArticulo = 59; // description of the article's type
constexpr int Presentacion = 60;            // the article's packaging
constexpr int PideTalle = 61;               // the article asks for size, colour and sex
constexpr int CantidadM3 = 62;              // cubic metres of the line
constexpr int CantidadBultos = 63;          // packages ("Bl/Pq")
constexpr int CantidadKg = 64;              // kilograms of the line
constexpr int Reservado65 = 65;
constexpr int Reservado66 = 66;
constexpr int UnidadOriginal = 67;       // the line's unit as loaded
constexpr int InsumosPorPorcentaje = 68; // components given as percentages
constexpr int SucNroLetraOrigen = 69;    // identifier of the origin voucher (13 characters)
constexpr int Reservado70 = 70;
constexpr int PuntoPedido = 71;         // minimum stock of the article (reorder point)
constexpr int PuntoMaximo = 72;         // maximum stock of the article
constexpr int CopiaDeposito = 73;       // copy of Deposito
constexpr int CantidadUnidadBase = 74;  // quantity in the article's base unit
constexpr int CodigoArtProveedor = 75;  // the supplier's article code
constexpr int EsPesable = 76;           // weighable article
constexpr int CodigoBarra = 77;         // the article's bar code
constexpr int ImporteSinIvaOrigen = 78; // the origin line's amount without VAT
constexpr int PrecioListaOrigen = 79;   // the origin line's list price
constexpr int IdInsert = 80;            // stored as IDINSERT
constexpr int IdCompulsa = 81;          // stored as IDCOMPULSA
constexpr int Reservado82 = 82;
constexpr int PideMedidas = 83;             // the article asks for measures ("1" or "0")
constexpr int LargoAnterior = 84;           // previous length, after merging two lines
constexpr int Oferta = 85;                  // stored as Oferta
constexpr int MotivoStock = 86;             // stock motive of the line
constexpr int ControladoPor = 87;           // controlled-by value of the line
constexpr int MetrosMadera = ControladoPor; // linear or square metres, in the timber layout
constexpr int EnComodato = 88;              // on loan
constexpr int MkBaseFamilia = 89;
constexpr int CodError = 90;         // error code of the line
constexpr int Moneda = 91;           // currency
constexpr int Cotizacion = 92;       // exchange rate
constexpr int Itc = 93;              // fuel-transport tax
constexpr int PideEquivalencia = 94; // the article asks for an equivalence
constexpr int SecuenciaOrigen = 95;  // sequence of the line in the origin voucher
constexpr int RedondeoLinea = 96;    // rounding of the line
constexpr int CodProveedor = 97;     // supplier's article code ("Cod.Proveedor")
constexpr int ColorDefault = 98;
constexpr int SexoDefault = 99;
constexpr int CodigoPercepcion = 100; // perception code
} // namespace col

static_assert(col::CodigoPercepcion == ColumnasGrillaArticulos - 1);
