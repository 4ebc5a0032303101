#pragma once

#include "ErrorSistema.h"
#include "Moneda.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>
#include <functional>
#include <initializer_list>

class CajaTexto;
class Grilla;

// The form's TextWidth: the width of a text in the form's font, in twips.
using MedidaTexto = std::function<int(const QString&)>;

// The shared voucher class. Each voucher form holds its own instance; it keeps only the
// public variables below, the current entry number and three values read from the
// configuration when it is created.
// Every method works on the grids and controls the form passes in.
class ClsCmnCptes {
public:
    // Reads PIVA, PIVARec, AsientosXStock and LenDescripcion from the configuration.
    ClsCmnCptes();
    ClsCmnCptes(const ClsCmnCptes&) = delete;
    ClsCmnCptes& operator=(const ClsCmnCptes&) = delete;

    // Runs a method's guarded statements: a failing one goes to the central error handler
    // with `rutina` (the method's name, with the type character of its result where it has
    // one); Retry runs it again, Ignore goes on with the next, any other answer leaves.
    // False when the method was left. The line dialogs guard their routines with it too.
    static bool EjecutaProtegido(const QString& rutina, std::initializer_list<Paso> pasos);

    // Public variables, in the class's order.
    bool DebitoProveedor = false; // a supplier's debit note (read by the sign rule)
    qint16 gLenDesc = 0;          // length of article descriptions
    QString NPP_Cliente;          // customer of the order being converted
    QString NPP_IDCpte;           // voucher identity of that order
    bool esElectronica = false;   // electronic voucher: no line limit
    bool esCreditoElectronica = false;

    // ---- Accounting entry of a stock voucher (body in stock_posting/GeneraAsientoStock.cpp) ----
    // The statements (each after CR LF) of the voucher's entry in MV_ASIENTOS: the motive's
    // account for the voucher's total against one line per stock account of the articles
    // (quantity x cost), for the whole grid (`SoloRegistro` 0: INSERTs) or for one row of it
    // (`SoloRegistro` n: an UPDATE adding to the line of the same account and side when the
    // entry already has one). `TipoMov`: 1 delivery note, 2 loan, 3 and 4 transfer, 5
    // purchase-order reception, 99 cost of goods of an invoice (written as a "CMV" voucher
    // with its own number, which comes back in `TC`, `suc`, `Nro` and `letra`), other: by type.
    // The motive, the sides (`EsDebito`) and `Secuencia` (next free sequence) come back too.
    // Empty when no entry is made. Executes nothing; errors reach the caller.
    QString GeneraAsientoStock(Grilla& grid, QString& eMotivoStock, QString& TC, QString& suc, QString& Nro,
                               QString& letra, const QString& Fecha, bool& EsDebito, qint16 TipoMov,
                               qint32 SoloRegistro, qint16& Secuencia);
    // The number of the current entry; 0 until the first entry draws one.
    double NroAsientoActual = 0;

    // ---- Stock posting of a voucher (bodies in stock_posting/ActualizaStock.cpp) ----
    // The next automatic lot: one above the highest lot of V_MV_STOCK that starts with a blank
    // (the numeric lots, stored right-aligned), "1" when there is none. Traps nothing.
    QString ObtieneLoteAutomatico();
    // Posts the article lines of `MSFlexGrid2` to V_MV_STOCK: one row per pass, line and lot,
    // serial or size entry of the line's lists (columns 21 and 22). With `GeneraSentenciaSQL`
    // every statement (the purchase order's reception date, the rows, the discharge and the
    // voucher's entry) is appended to `SqlTemp`, each after one CR, for the caller's
    // transaction; otherwise each row runs at once with its line's entry, and a refusal ends
    // the posting (what ran stays). Deposits, motive, origin and `LoteFijo` come back as SQL
    // literals or "NULL"; "ELDELGRID" takes each line's own. `HayError` is set when the
    // posting was refused or left; opens no transaction.
    void ActualizaStock(Grilla& MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                        const QString& IdComplemento, const QString& Fecha, QString& IdDeposito,
                        QString& IdDepositoDestino, QString& IdMotivoStock, QString& TcOrigen,
                        QString& ComprobanteOrigen, bool EsTransferencia, const QString& Cuenta,
                        bool GeneraSentenciaSQL, QString& SqlTemp, bool& HayError, const QString& IdTecnico,
                        QString& LoteFijo, const QString& Aduana, const QString& LoteOrigen,
                        qint16 SignoRemota, bool MuestraCartel, const QString& IdVendedor,
                        float SecuenciaFija, const QString& ArtMoneda, Moneda ArtCotizacion);
    // Whether an SPNL movement derives from the voucher (both texts go into the query as
    // passed). Traps nothing.
    bool TieneSPNL(const QString& Tcp, const QString& IdCptep);
    // ---- end of stock posting ----

    // Lays out the voucher grids for the voucher type `TC`: clears each grid that is given and
    // sets its columns, widths (twips, from `obj`), titles and alignments. Traps nothing: a
    // failing query or grid call reaches the caller. A type that V_TA_CPTE does not know lays
    // out like a type without SISTEMA.
    void InicializaGrids(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3, CajaTexto* TxtEdit,
                         CajaTexto* txtEdit2, CajaTexto* txtEdit3, const MedidaTexto& obj,
                         const QString& TC = {}, Grilla* MSFlexGrid4 = nullptr);

    // Records an action on a voucher in V_MV_CPTEACCIONES: creation ("A", `lEsAlta`), change ("M",
    // `lEsModificacion`) or deletion ("B"), with the time, user, machine and program. By default
    // the INSERT only goes to `SentenciaSQL`; with `GeneraSentencia` false it runs at once.
    // Failing steps are passed over silently; a complement that is no number gives no statement.
    // (Body in AccionesComprobante.cpp.)
    void ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                         bool lEsAlta, bool lEsModificacion, bool GeneraSentencia = true,
                         QString* SentenciaSQL = nullptr, const QString& NroAsiento = {});

    // ---- Pipe lists of a voucher line (ListaPipe.h; bodies in lots_positions/ListaPipe.cpp) ----
    // Pure functions of their texts; none fails. An array they fill holds the entries, trimmed,
    // and one empty slot at the end, so its last index is the number of entries.

    // The distinct non-blank closed entries (any case), in order of first appearance, each after
    // one blank: "|A|b|a|" gives " A b". Text after the last "|" is no entry.
    static QString StrSerieLote(const QString& Serie_Lote);
    // Splits the list; a last entry without its closing "|" is taken, and a text without any "|"
    // is one entry. Blank entries stay as empty slots.
    static void DescomponeSerieLote(const QString& Serie_Lote, QStringList& arreglo);
    // Splits "position*quantity" entries at their first "*" into positions and quantities (an
    // entry without "*" has an empty quantity; a list without "|" gives none), and the lots list
    // as DescomponeSerieLote does.
    static void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                               QStringList& ArrPosiciones, QStringList& ArrCantidades,
                                               QStringList& ArrLote);
    // The entries of the serials list, or of the lots list when there are no serials; with
    // `SinConsolidar` false only the distinct non-blank ones (any case).
    static qint32 Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes,
                                      bool SinConsolidar);
    // Removes the end markers from both lists (in the caller's variables) and gives the lot of the
    // first quantity above zero; "" when there is none.
    static QString ExtraeSerieLoteConValor(QString& Serie, QString& Lote);
    // Entry `QuePosicion` (from 1), untrimmed; "" out of range. Text after the last "|" is no
    // entry, except in a text without "|", which is entry 1. Reading every entry of a list in
    // turn costs one pass over it.
    static QString ExtraeSerieLote(const QString& Serie_Lote, qint32 QuePosicion);
    // The number of entries DescomponeSerieLote finds; 0 for "".
    static qint32 Cantidad_Series_Lotes(const QString& Pipes);
    // The list with the end marker before every closing "|"; its first character is taken to be
    // the opening "|". "" gives "|".
    static QString InsertaCHR255(const QString& iPipe);

    // ---- Line dialog drivers (bodies in lots_positions/DialogosLinea.cpp) ----
    // Each asks the user through a fresh dialog and brings its lists back. Errors go to the
    // central error handler as "PideSerieLote" (retry, next step or leave with the outputs as far
    // as they were set).

    // The lots or serial numbers a line brings in: with `Cantidad` 0 both results are empty and
    // no dialog is shown; otherwise the dialog is loaded with the earlier lists and shown.
    static void PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt,
                              const QString& LoteAnt, QString& SerieNvo, QString& LoteNvo, bool Serie,
                              bool Lote, bool Talle);
    // The lots and serial numbers a line takes out of the deposit's stock, less what the other
    // rows of `Grilla` of the article took. An empty `Deposito` becomes the default deposit (in
    // the caller's variable too); with `Cantidad` 0 nothing more happens. With `MostrarForm`
    // false the dialog's proposal is accepted without showing it. `Cantidad` may come back
    // adjusted to what the user chose.
    static void PideSerieLote_Salidas(Grilla& Grilla, const QString& Articulo, const QString& Descripcion,
                                      double& Cantidad, const QString& SeriesLoteAnt,
                                      const QString& CantidadANT, QString& SeriesLoteNvo,
                                      QString& CantidadesNvo, bool Lote, bool Serie, bool Talle,
                                      QString& Deposito, bool MostrarForm);
    // The lists (columns 21 and 22) of every row of the articles grid whose code (column 0)
    // equals `Articulo` (any case), joined into one list each.
    static void CuentaLotesEnGrilla(Grilla& Grilla, const QString& Articulo, QString& LotesEnGrid,
                                    QString& CantidadesEnGrid);
    // ---- end of line dialog drivers ----

    // The number (from 1) of the first closed entry equal to the value (trimmed, any case); the
    // number of entries plus 1 when none is; 0 for a text without "|".
    static qint32 Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote);
    // ---- end of pipe lists ----

    // ---- Stock balances, line limit and counts, grid painting and duplicate checks ----
    // (bodies in StockUnidades.cpp, LimitesLineas.cpp and PintaGrilla.cpp; the unit and
    // equivalence functions of the stock module are in Stock.h)

    // The balance in the base unit `UdBase` of the deposit (all deposits when blank) and, when
    // `udEquivBuscada` is not empty, that balance converted to it (else 0). Traps nothing.
    void ObtieneStockxEquiv(const QString& IdDeposito, const QString& IdArticulo, const QString& UdBase,
                            const QString& udEquivBuscada, double& StockUdBase, double& StockEquiv);
    // The stock of one lot of the deposit; an empty lot counts the rows without one.
    double ObtieneStockLOTE(const QString& IdArticulo, const QString& IdDeposito, const QString& NroLote);
    // With lot and serial number both "Ignorar": the balance by unit (ControlStock), where an
    // "Ignorar" deposit becomes the DepositoDefault setting and an "Ignorar" unit the article's
    // base unit, both written back. Otherwise the sum of STK_SERIES_Y_LOTES restricted by every
    // argument that is neither "Ignorar" nor blank (the unit plays no part). Errors go to the
    // central handler as "ObtieneStock"; a method left returns what it had (0).
    double ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote,
                        const QString& NroSerie, const QString& IdPosicion, QString& IdUnidad);
    double ObtieneStock(const QString& IdArticulo, const QString& IdDeposito = QStringLiteral("Ignorar"),
                        const QString& NroLote = QStringLiteral("Ignorar"),
                        const QString& NroSerie = QStringLiteral("Ignorar"),
                        const QString& IdPosicion = QStringLiteral("Ignorar"),
                        const QString& IdUnidad = QStringLiteral("Ignorar"));

    // True when the filled lines of the given grids, plus `Agragarle`, fit in the lines the printed
    // voucher of the type and letter holds (TA_CONFIG_IMP_CPTE; 0 is no limit). `TC` and `letra`
    // go into the query as they are. `LineasAnteriores` -1 takes the limit from `CantLineas`
    // instead of the query. `CantLineas` returns the limit applied, `CantLineasUsadas` the lines
    // counted when a limit applies. An electronic voucher has no limit.
    bool ValidaCantidadLineasCpte(const QString& TC, const QString& letra, Grilla* MSFlexGrid1,
                                  Grilla* MSFlexGrid2, Grilla* MSFlexGrid3, qint16* CantLineas = nullptr,
                                  qint16* CantLineasUsadas = nullptr, qint32 Agragarle = 0,
                                  qint16 LineasAnteriores = 0);
    // The filled lines of the three grids (absent ones count as empty), each count apart, and the
    // total of the articles' quantities summed in currency.
    qint32 CuentaItems(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3,
                       qint32* CantTareas = nullptr, qint32* CantArticulos = nullptr,
                       qint32* CantOtrosConceptos = nullptr, double* TotUnidades = nullptr);

    // Paints every cell of the row, fixed ones included; the current column is kept and the
    // current row is left at `Fila`. 65535 is yellow.
    static void PintarFila(qint32 Fila, Grilla& MsFlexGrid, qint32 Color = 65535);
    // Paints the column from `FilaDesde` (-1: row 0) to `FilaHasta` (-1: the last row); the
    // current row is kept. Failing steps are skipped.
    void PintarColuma(qint32 Columna, Grilla& MsFlexGrid, qint32 FilaDesde = -1, qint32 FilaHasta = -1,
                      qint32 Color = 65535);
    // Whether a row, the title row included, holds the code in column 0 (trimmed, any case).
    bool ExisteEnGrid(const Grilla& MsFlexGrid, const QString& idArt) const;
    // Whether a line from row 1 on, other than `FilaIgnorar`, holds the code in column 0; the
    // first such row goes to `FilaEncontrada`, which is untouched when there is none.
    bool TareaRepetida(const Grilla& MSFlexGrid1, const QString& Tarea, qint32 FilaIgnorar = -1,
                       qint32* FilaEncontrada = nullptr) const;
    bool ArticuloRepetido(const Grilla& MSFlexGrid2, const QString& Articulo, qint32 FilaIgnorar = -1,
                          qint32* FilaEncontrada = nullptr) const;
    bool OtrosConceptosRepetidos(const Grilla& MSFlexGrid3, const QString& OtroConcepto,
                                 qint32 FilaIgnorar = -1, qint32* FilaEncontrada = nullptr) const;
    // Whether the value, read as a number, has a fractional part (any magnitude).
    bool NumeroEsFraccion(const QVariant& Numero) const;
    // ---- end of stock, line-limit and grid-check methods ----

    // ---- Cell-editor binding, status-bar detail and the item-totals grid ----
    // (bodies in TextPropiedades.cpp, Detalle.cpp and Totalizador.cpp)

    // Prepares a grid's floating editor for column `Columna`: DataField, Tag (the look-up's
    // table) and MaxLength (0: no limit), chosen by the editor's name ("TxtEdit" tasks;
    // "TxtEdit2", "TXTAUX1" to "TXTAUX3" articles; "TxtEdit3" other concepts; any case). Any
    // other name or column leaves them empty.
    void TextPropiedades(CajaTexto& Texto, qint32 Columna);

    // The text of panel `Columna` (1-based) of the status bar; a missing panel raises.
    void MuestraDetalle(const QString& Detalle, class BarraEstado& StatB, qint32 Columna = 4);
    // The current task's code and description in panel 4; errors reach the caller.
    void MuestraDetalleTareas(const Grilla& MSFlexGrid1, class BarraEstado& StatB);
    // The current concept in panel 4; errors reach the caller.
    void MuestraDetalleOtrosConceptos(const Grilla& MSFlexGrid3, class BarraEstado& StatB);
    // The current article's code and description in panel `Columna`, and its available stock in
    // the first panel keyed "Stock" (any case). Failing steps are skipped.
    void MuestraDetalleArticulos(const Grilla& MSFlexGrid2, class BarraEstado& StatB, qint32 Columna = 4);

    // Fills the item-totals grid with one summary row per visible tab of `SSTab1` (0 tasks,
    // 1 articles, 2 other concepts; absent grids count as empty) and, below the articles row,
    // its breakdown by rubro, by article type or by code, kept in gTablaTotales. The grid ends
    // with one empty blue row. Errors go to the central handler as "TotalizadorControl".
    void TotalizadorControl(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3,
                            Grilla& MSFlexGrid4, const class Pestanas& SSTab1, bool AbiertoPorRubro = false,
                            bool AbiertoPorTipo = false);
    // ---- end of editor binding, detail and totals methods ----

    // ---- Voucher sign (body in SignoComprobante.cpp) ----
    // The sign of the voucher type `TC` (looked up trimmed and filled to 4; the type lists are
    // compared with `TC` as passed): with `LibroIVA` false its stock direction, +1 entry, -1 exit;
    // true, its sign in the VAT books (a debit note "ND" follows DebitoProveedor). A type that
    // V_TA_CPTE lacks is told to the user and gives 0. Errors go to the central handler as
    // "ObtieneSignoComprobante%"; a method left returns what it had.
    qint16 ObtieneSignoComprobante(const QString& TC, bool LibroIVA = false);
    // Its look-up statement.
    QString SentenciaSignoComprobante(const QString& TC) const;
    // ---- end of voucher sign ----

    // ---- Positions of a voucher line (body in lots_positions/PidePosicionLote.cpp) ----
    // Asks the user to spread `Cantidad` (in `IdUnidad`) of the article over the positions, and
    // with `Lote` the lots, of the deposit, showing the earlier distribution when one is given.
    // `PosicionNVO` gets the "position*quantity" list and `LoteNvo` the parallel lots; a quantity
    // of 0 gives two empty lists and no dialog. Errors go to the central error handler as
    // "PideSerieLote".
    void PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double Cantidad,
                          const QString& Deposito, const QString& PosicionAnt, const QString& LoteAnt,
                          QString& PosicionNVO, QString& LoteNvo, bool Posicion, bool Lote) const;

    // The voucher lookup window for `TC` (a type or a pseudo type such as "RM/PENDIENTES"),
    // shown modally with the extra condition `filtro` ("" when omitted). `Respuesta` is the
    // chosen number ("" when nothing was chosen); `IdComplemento` and `Proveedor`, when given,
    // get the complement and the supplier of the types that have them. A failing step goes to
    // the central error handler ("ConsultaComprobante").
    void ConsultaComprobante(const QString& TC, QString& Respuesta, const QVariant& filtro = {},
                             QString* IdComplemento = nullptr, QString* Proveedor = nullptr) const;

    // ---- Conversion of an origin voucher (bodies in voucher_conversion/) ----
    // Loads the origin voucher `TC` `SucNroLetra` (complement `IdComplemento`, a number; empty
    // reads as 0) into the tasks, articles and other-concepts grids, converted for the
    // destination type `CpteDestino`: only what is still pending, in the destination's prices and
    // units. Each grid is appended to from its last row and ends with an empty row; a grid with
    // nothing to add is left as it is. `Compras` reads the purchases views and selects the origin
    // by `Proveedor`. `IdRepartoRM` -98 on entry loads a return; on exit it holds the origin's
    // IdReparto (not for a purchases origin). `LetraDestino` "" becomes "A" for FC and for FP from
    // an order. `LrcsCpte`, when given, receives the origin header, open on its row. Errors go to
    // the form error routine as "AsignarDatosPresupuesto": Retry, Ignore (next step) or leave.
    // `Inicializar` is not read.
    void AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                 Grilla& MSFlexGrid1, Grilla& MSFlexGrid2, Grilla& MSFlexGrid3,
                                 bool Inicializar = false, class Registros* LrcsCpte = nullptr,
                                 bool Compras = false, const QString& Proveedor = {},
                                 qint16* IdRepartoRM = nullptr, bool ConvertirMoneda = false,
                                 const QString& WhrTareas = {}, const QString& CpteDestino = {},
                                 QString* LetraDestino = nullptr);
    // The quantity of the article still to deliver on the voucher: ordered (the first row of
    // VT_V_MV_CPTEINSUMOS_CONS2) less delivered (VT_V_MV_Stock_Cons), never below 0; the
    // delivered quantity goes to `Aplicado`. Traps nothing.
    double CantRepartoPend(const QString& TC, const QString& SucNroLetra, const QString& IdArticulo,
                           double& Aplicado);
    // ---- end of conversion ----
    // ---- Derived vouchers and real charges (CptesAsociados.cpp, CargosReales.cpp) ----
    // Whether a voucher of V_MV_CPTE names TC (trimmed, filled to 4), SucNroLetra (trimmed)
    // and the complement as its origin; the cancelled ones count only with
    // `TenerEnCuentaAnulados`. The complement is a number (empty reads 0; any other text
    // raises ErrorSistema 13 before the query). Traps nothing.
    bool EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra,
                                         const QString& Complemento = QStringLiteral("0"),
                                         bool TenerEnCuentaAnulados = false);
    // The sum of Importe over the live vouchers made from it, of any complement. Traps nothing.
    Moneda ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra);
    // The account's pending balance: the sum of SALDO of its real charges (account trimmed).
    // Errors go to the central handler as "ImporteCargosReales@"; a method left returns 0.
    Moneda ImporteCargosReales(const QString& Cuenta);
    // Shows the real-charges dialog for the account `Cliente` modally. The answer is emptied
    // first (one empty element), so that only an accept of this call leaves charges in
    // gCargosSeleccionados. Traps nothing.
    void ControlDeCargosReales(class FrmCtrlCargosReales& dialogo, const QString& Cliente,
                               const QString& Matricula = {});
    // ---- end of derived vouchers and real charges ----

private:
    friend struct AccesoPruebaClsCmnCptes;
    friend struct PosteoStock;

    // What the layout of every grid derives from the voucher type and the configuration.
    struct EntradasLayout {
        QString tc;      // as passed
        QString sistema; // trimmed; compared without regard to case
        bool columnaDeposito = false;
        bool importesOcultos = false;
        QString tituloCodigo;  // title of the article-code column
        bool maderera = false; // timber layout
        bool EsSistema(const QString& s) const { return sistema.compare(s, Qt::CaseInsensitive) == 0; }
    };
    EntradasLayout LeeEntradasLayout(const QString& TC) const;
    void DisponeGrillaArticulos(Grilla& grilla, CajaTexto* editor, const EntradasLayout& e,
                                const MedidaTexto& medida) const;

    // Start values.
    double PIVA = 0;             // VAT rate
    double PIVARec = 0;          // second VAT rate
    bool AsientosXStock = false; // stock vouchers generate accounting entries
    // While a stock posting books its rows' entries one by one: each keeps the number the
    // posting drew at its first booked row (a row 1 booked later draws none of its own).
    bool asientoDelPosteo_ = false;
};
