#pragma once

#include "DialogoLinea.h"

#include <QString>
#include <array>

// The lot and serial dialog of one voucher line, headless. Incoming (a line that brings units
// in): one grid row per unit, where the user types the lot or serial number of each. Outgoing:
// the article's stock in the deposit per lot and serial number, less what other lines of the
// voucher took, with a proposal of how the line's quantity is taken that the user may change.
// The drivers (ClsCmnCptesLotes::PideSerieLote, PideSerieLote_Salidas) load it with an Entrada, show
// it (or accept at once) and read its Resultado.
class FrmCargaLotesySeries : public DialogoLinea {
public:
    // What the dialog asks for: the line's direction, what tells its units apart, and whether
    // the codes are sizes (size-colour-sex codes in the place of lots).
    class Modo {
    public:
        enum Sentido { Ingreso, Egreso };
        enum Codigos { Ninguno, Serie, Lote, SerieYLote };

        Modo() = default;
        // A size line given as serial and lot works as a serial line.
        Modo(Sentido sentido, Codigos codigos, bool talle = false);
        // From the drivers' flags.
        static Modo De(bool egreso, bool serie, bool lote, bool talle);

        // Outgoing: the stock is offered and the line takes from it.
        bool EsEgreso() const { return sentido_ == Egreso; }
        bool EsSerie() const { return codigos_ == Serie || codigos_ == SerieYLote; }
        bool EsLote() const { return codigos_ == Lote || codigos_ == SerieYLote; }
        bool EsSerieYLote() const { return codigos_ == SerieYLote; }
        bool EsTalle() const { return talle_; }

    private:
        Sentido sentido_ = Ingreso;
        Codigos codigos_ = Ninguno;
        bool talle_ = false;
    };

    struct Entrada {
        Modo modo;
        double Cantidad = 0;
        QString Articulo;
        // Shown in the label in proper case (the drivers write the label themselves).
        QString ArticuloDescripcion;
        // Shown in the caption; outgoing, the stock's deposit, filled to its width.
        QString Deposito;
        // Outgoing: false when no window is shown, so that a proposal short of the quantity is
        // refused instead of asked about.
        bool MostrarForm = false;
        // Incoming: the line's earlier serial and lot lists.
        QString SeriesAnteriores;
        QString LotesAnteriores;
        // Outgoing: the line's earlier lot-and-serial list and its quantities; what the other
        // lines of the article took, the same way.
        QString Lotes;
        QString Series;
        QString LotesExistentes;
        QString SeriesExistentes;
    };
    // What accept wrote; until then what the input held. Incoming: the entries in `Lotes` (a
    // lot line) or `Series`, the other empty; outgoing: the lot-and-serial list, its quantities
    // and the line's quantity, which accept may adjust to their sum.
    struct Resultado {
        QString Lotes;
        QString Series;
        double Cantidad = 0;
    };

    FrmCargaLotesySeries();

    // ---- Controls ----
    // The two buttons of Toolbar1 (by index from 1): copy down, clear below.
    std::array<Boton, 2> Toolbar1;

    // ---- Public methods ----
    // Loads the window (once) and then the input: caption, label, grid, stock, earlier lists,
    // proposal and widths. A failing step is skipped.
    void CargaDatos(const Entrada& entrada);
    const Resultado& Devuelto() const { return resultado_; }
    void CmdAceptar_Click() override;
    void InicializaGrid();
    void VerificaAnteriores();
    void VerificaExistenciasEnGrilla();
    void CompletaTodoIgual();
    void CompletaCantidades();
    void CampoValida(CajaTexto& Texto) override;
    double SumaFilas(long MenosCual);
    bool ValidaCantidadCantidadPedida();
    bool FormatoSerieAsterisco() const { return formatoSerieAsterisco_; }

    // ---- Events ----
    // F2 accepts, wherever the focus is.
    void Form_KeyDown(qint16& KeyCode, int Shift);
    void Toolbar1_ButtonClick(int indice);

private:
    template <class> friend class AccesoPruebasLinea;

    void PreparaVentana() override;
    void Enter() override;
    void DistribuyeCantidad();
    void AceptaSalida();
    void AceptaEntrada();
    void AnterioresSalida();
    void AnterioresEntrada();
    void TituloPorModo();
    // The key accept writes for a row: trimmed lot, the end marker, trimmed serial.
    QString ClaveFila(int fila) const;
    const Modo& modo() const { return entrada_.modo; }

    Entrada entrada_;
    Resultado resultado_;
    // Written by CampoValida: the deposit, or "Ignorar" without one.
    QString idDeposito_;
    bool formatoSerieAsterisco_ = false;
};
