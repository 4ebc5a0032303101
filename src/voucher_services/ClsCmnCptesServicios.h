#pragma once

#include "ErrorSistema.h"
#include "Moneda.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <functional>
#include <initializer_list>

class CajaTexto;
class Grilla;

// The form's TextWidth: the width of a text in the form's font, in twips.
using MedidaTexto = std::function<int(const QString&)>;

// The shared voucher class as far as this library defines it: its public variables, grid
// layouts, stock and unit queries, sign, counts, painting and checks, and the lookups and
// dialogs of this folder. The lots and positions (ClsCmnCptesLotes), the stock posting
// (ClsCmnCptesPosteo) and the conversion (ClsCmnCptes, the whole class a voucher form holds)
// each add their methods in their own library. An instance keeps only the public variables
// below and three values read from the configuration when it is created.
// Every method works on the grids and controls the form passes in.
class ClsCmnCptesServicios {
public:
    // Reads PIVA, PIVARec, AsientosXStock and LenDescripcion from the configuration.
    ClsCmnCptesServicios();
    ClsCmnCptesServicios(const ClsCmnCptesServicios&) = delete;
    ClsCmnCptesServicios& operator=(const ClsCmnCptesServicios&) = delete;

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

    // The voucher lookup window for `TC` (a type or a pseudo type such as "RM/PENDIENTES"),
    // shown modally with the extra condition `filtro` ("" when omitted). `Respuesta` is the
    // chosen number ("" when nothing was chosen); `IdComplemento` and `Proveedor`, when given,
    // get the complement and the supplier of the types that have them. A failing step goes to
    // the central error handler ("ConsultaComprobante").
    void ConsultaComprobante(const QString& TC, QString& Respuesta, const QVariant& filtro = {},
                             QString* IdComplemento = nullptr, QString* Proveedor = nullptr) const;

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

protected:
    // Start values; the posting and the conversion read them too.
    double PIVA = 0;             // VAT rate
    double PIVARec = 0;          // second VAT rate
    bool AsientosXStock = false; // stock vouchers generate accounting entries

private:
    friend struct AccesoPruebaClsCmnCptes;

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
};
