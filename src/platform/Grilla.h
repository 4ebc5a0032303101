#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <vector>

// Twips are the unit of every size the system stores (column widths, control sizes):
// 1440 per inch, so 15 per pixel at 96 dpi.
constexpr int TwipsPorPixel96 = 15;
int TwipsAPixeles(int twips, double dpi = 96.0);
int PixelesATwips(int pixeles, double dpi = 96.0);

// Errors the grid raises, with the numbers the system's grid control gives them.
namespace ErrorGrilla {
constexpr long ValorPropiedadInvalido = 380; // "Invalid property value"
constexpr long SubindiceFueraDeRango = 381;  // "Subscript out of range"
constexpr long FilaInvalida = 30009;         // "Invalid Row value"
constexpr long ColumnaInvalida = 30010;      // "Invalid Col value"
constexpr long UltimaFilaNoFija = 30015;     // "Cannot remove last non-fixed row"
} // namespace ErrorGrilla

// Column alignments of the grid (ColAlignment), with the control's values.
namespace Alineacion {
constexpr int IzquierdaArriba = 0;
constexpr int IzquierdaCentro = 1;
constexpr int IzquierdaAbajo = 2;
constexpr int CentroArriba = 3;
constexpr int CentroCentro = 4;
constexpr int CentroAbajo = 5;
constexpr int DerechaArriba = 6;
constexpr int DerechaCentro = 7;
constexpr int DerechaAbajo = 8;
constexpr int General = 9; // texts left, numbers right; the default
} // namespace Alineacion

// Told of every change of a grid, so that a view can follow it. The "Antes..." calls come
// before the grid changes, the others after. While Redraw is off nothing is told; turning it
// back on tells one AntesDeReiniciar/Reiniciado (rows or columns changed) or one CeldasCambiadas
// over every cell touched.
class ObservadorGrilla {
public:
    virtual ~ObservadorGrilla() = default;
    virtual void AntesDeInsertarFilas(int /*primera*/, int /*ultima*/) {}
    virtual void FilasInsertadas() {}
    virtual void AntesDeQuitarFilas(int /*primera*/, int /*ultima*/) {}
    virtual void FilasQuitadas() {}
    virtual void AntesDeInsertarColumnas(int /*primera*/, int /*ultima*/) {}
    virtual void ColumnasInsertadas() {}
    virtual void AntesDeQuitarColumnas(int /*primera*/, int /*ultima*/) {}
    virtual void ColumnasQuitadas() {}
    virtual void AntesDeReiniciar() {}
    virtual void Reiniciado() {}
    // Text or colours of the cells of that rectangle (inclusive).
    virtual void CeldasCambiadas(int /*fila1*/, int /*col1*/, int /*fila2*/, int /*col2*/) {}
    // Width or alignment of those columns, or the fixed rows and columns (-1, -1: all).
    virtual void FormatoCambiado(int /*col1*/, int /*col2*/) {}
    // Current cell, TopRow, Enabled, sizes of the control.
    virtual void EstadoCambiado() {}
};

// What the system's grid control holds: rows and columns of text, fixed rows and columns, the
// current cell, column widths (twips) and alignments, cell colours (OLE BGR integers: red in the
// low byte; 0 means the grid's default colour), redraw switching. Rows and columns are 0-based
// and include the fixed ones, as in the control.
//
// Cells are kept per row, each row only as long as its last written column, so that empty rows
// cost one small header; colours live in a sparse map.
class Grilla {
public:
    static constexpr int AnchoColumnaPorDefecto = 960; // twips
    static constexpr int AltoFila = 240;               // twips

    // The control's design defaults: 2 rows, 2 columns, 1 fixed row, 1 fixed column.
    Grilla() : Grilla(2, 2, 1, 1) {}
    Grilla(int filas, int columnas, int filasFijas, int columnasFijas);
    Grilla(const Grilla&) = delete;
    Grilla& operator=(const Grilla&) = delete;

    // Observers are not owned; they must outlive the grid or be removed first.
    void AgregaObservador(ObservadorGrilla* o);
    void QuitaObservador(ObservadorGrilla* o);

    // The member name the forms test ("MSFlexGrid2", ...).
    const QString& Name() const { return nombre_; }
    void setName(const QString& n) { nombre_ = n; }

    // Growing keeps every cell and adds empty ones; shrinking drops the cells beyond, so growing
    // again shows them empty. Fixed rows/columns are lowered to fit; Row/Col/TopRow likewise.
    int Rows() const { return filas_; }
    void setRows(int n);
    int Cols() const { return cols_; }
    void setCols(int n);
    int FixedRows() const { return filasFijas_; }
    void setFixedRows(int n); // 0 .. Rows, else 380
    int FixedCols() const { return colsFijas_; }
    void setFixedCols(int n); // 0 .. Cols, else 380

    // Any cell; out of range raises 381.
    QString TextMatrix(int fila, int col) const;
    void setTextMatrix(int fila, int col, const QString& texto);
    // Cell number fila * Cols + col.
    QString TextArray(int indice) const;
    void setTextArray(int indice, const QString& texto);
    // The current cell's text.
    QString Text() const { return TextMatrix(fila_, col_); }
    void setText(const QString& texto) { setTextMatrix(fila_, col_, texto); }

    // Current cell. Out of range raises 30009 / 30010. Making a fixed column current is allowed
    // unless RechazaColumnaFija is set (then it raises 30010, as the line dialogs' grids do).
    int Row() const { return fila_; }
    void setRow(int f);
    int Col() const { return col_; }
    void setCol(int c);
    bool RechazaColumnaFija() const { return rechazaColFija_; }
    void setRechazaColumnaFija(bool r) { rechazaColFija_ = r; }

    // First scrollable row shown; kept within FixedRows .. Rows - 1.
    int TopRow() const { return topRow_; }
    void setTopRow(int f);

    // Width in twips; 0 hides the column and keeps its data; -1 restores the default width.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    bool ColumnaOculta(int col) const { return ColWidth(col) == 0; }
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alineacion); // 0 .. 9, else 380

    // Colours of the current cell; 0 is the default colour.
    int CellBackColor() const { return Color(fila_, col_, false); }
    void setCellBackColor(int bgr) { PintaCelda(fila_, col_, bgr, false); }
    int CellForeColor() const { return Color(fila_, col_, true); }
    void setCellForeColor(int bgr) { PintaCelda(fila_, col_, bgr, true); }
    // Colours of any cell, for views (0 = default).
    int ColorFondo(int fila, int col) const { return Color(fila, col, false); }
    int ColorLetra(int fila, int col) const { return Color(fila, col, true); }

    // Geometry of the current cell in twips, relative to the grid's client area (no horizontal
    // scrolling; rows from TopRow down below the fixed rows).
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const { return ColWidth(col_); }
    int CellHeight() const { return AltoFila; }

    // The control's own place and size in twips, as the form lays it out.
    int Left() const { return left_; }
    void setLeft(int t);
    int Top() const { return top_; }
    void setTop(int t);
    int Width() const { return ancho_; }
    void setWidth(int t);
    int Height() const { return alto_; }
    void setHeight(int t);
    bool Enabled() const { return habilitada_; }
    void setEnabled(bool h);

    // Empties every cell, titles included, and drops cell colours; sizes and formats stay.
    void Clear();
    // Inserts a row at `indice` (default: at the end) with the tab-separated texts from column 0.
    // `indice` beyond Rows raises 381.
    void AddItem(const QString& elemento, int indice = -1);
    // Removes row `indice`; out of range raises 381, the last non-fixed row 30015.
    void RemoveItem(int indice);

    // While off, changes are not told to the observers; on again tells them once.
    bool Redraw() const { return redraw_; }
    void setRedraw(bool r);
    // Asks the views to repaint everything (nothing while Redraw is off).
    void Refresh();

private:
    struct Colores {
        int fondo = 0;
        int letra = 0;
    };
    static std::uint64_t Clave(int fila, int col) {
        return (std::uint64_t(std::uint32_t(fila)) << 32) | std::uint32_t(col);
    }
    void CompruebaCelda(int fila, int col) const;
    int Color(int fila, int col, bool letra) const;
    void PintaCelda(int fila, int col, int bgr, bool letra);
    void AjustaActual();
    void DesplazaColores(int desdeFila, int delta);
    void QuitaColores(int filas, int cols);
    // The colours of rows desde .. hasta - 1 (every column).
    void QuitaColoresFilas(int desde, int hasta);

    // Notifications (held back while Redraw is off).
    template <class F> void Avisa(F f);
    void AvisaCeldas(int f1, int c1, int f2, int c2);
    void AvisaEstructura();
    void AvisaFormato(int c1, int c2);
    void AvisaEstado();

    QString nombre_;
    int filas_ = 0;
    int cols_ = 0;
    int filasFijas_ = 0;
    int colsFijas_ = 0;
    // Per row, only the cells that hold text (a template line fills a few of the hundred
    // columns, and a long template must not carry the empty ones), in no order; a row of many
    // also keeps, by column, the place of its cell, so that a voucher line of sixty cells finds
    // each at once.
    struct Celda {
        int col;
        QString texto;
    };
    struct Fila {
        std::vector<Celda> celdas;
        std::vector<std::uint8_t> lugares; // place + 1 of each column's cell, 0 = none; or empty
    };
    static const Celda* BuscaCelda(const Fila& f, int col);
    void PonCelda(Fila& f, int col, const QString& texto) const;
    void IndexaFila(Fila& f) const;
    std::vector<Fila> celdas_;
    std::vector<int> anchos_; // -1 = default
    std::vector<int> alineaciones_;
    std::map<std::uint64_t, Colores> colores_; // by row, then column
    int fila_ = 0;
    int col_ = 0;
    int topRow_ = 0;
    bool rechazaColFija_ = false;
    int left_ = 0;
    int top_ = 0;
    int ancho_ = 0;
    int alto_ = 0;
    bool habilitada_ = true;
    bool redraw_ = true;
    std::vector<ObservadorGrilla*> observadores_;

    // Held back while Redraw is off.
    bool pendienteEstructura_ = false;
    bool pendienteCeldas_ = false;
    int pf1_ = 0, pc1_ = 0, pf2_ = 0, pc2_ = 0;
    bool pendienteFormato_ = false;
    bool pendienteEstado_ = false;
};

// Redraw off while it lives (a load or a fill of many cells), back as it was when it goes: the
// views are told once.
class SinRedibujo {
public:
    explicit SinRedibujo(Grilla& g) : g_(g), antes_(g.Redraw()) { g_.setRedraw(false); }
    ~SinRedibujo() { g_.setRedraw(antes_); }
    SinRedibujo(const SinRedibujo&) = delete;
    SinRedibujo& operator=(const SinRedibujo&) = delete;

private:
    Grilla& g_;
    bool antes_;
};
