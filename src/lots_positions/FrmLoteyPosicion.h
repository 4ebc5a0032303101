#pragma once

#include "DialogoLinea.h"

#include <QString>
#include <array>

// The positions-and-lots dialog, headless: the user spreads the quantity of one voucher line
// over the warehouse positions (and lots) of a deposit that hold a balance of the article, plus
// the deposit's balance without position. ClsCmnCptesLotes::PidePosicionLote loads it with an Entrada,
// shows it and reads its Resultado.
//
// Grid columns: 0 position ("DEPOSITO " + deposit on the deposit row), 1 lot, 2 unit,
// 3 available balance in the line's unit, 4 the quantity chosen (the only editable column).
class FrmLoteyPosicion : public DialogoLinea {
public:
    // What the line asks for. Lots alone offer nothing of their own: only an earlier
    // distribution is shown.
    enum class Modo { Ninguno, Posicion, Lote, PosicionYLote };
    // From the driver's flags.
    static Modo ModoDe(bool posicion, bool lote);

    struct Entrada {
        Modo modo = Modo::Ninguno;
        double Cantidad1 = 0;
        // The line's unit: balances are shown in it.
        QString IUNIDAD;
        QString Articulo;
        QString ArticuloDescripcion;
        QString Deposito;
        // The line's earlier distribution. When either list holds anything it is shown as it was
        // (EsConsultaDePosicionLote); otherwise one is proposed.
        QString PosicionesAnteriores;
        QString LotesAnteriores;
        // True: a total below the quantity may be taken after a question; false: it is refused.
        bool MostrarForm = false;

        bool EsConsultaDePosicionLote() const {
            return !PosicionesAnteriores.isEmpty() || !LotesAnteriores.isEmpty();
        }
    };
    // What accept wrote; until then nothing, and the line's quantity as given. `Posiciones`:
    // position "*" quantity per entry; `Lotes`, parallel, only with positions and lots.
    // `Cantidad1`: the total when the user took another one.
    struct Resultado {
        QString Posiciones;
        QString Lotes;
        double Cantidad1 = 0;
    };

    FrmLoteyPosicion();

    // ---- Controls ----
    // The toolbar's three buttons (index 1 to 3): copy down, zeros below, propose again.
    std::array<Boton, 3> Toolbar1;

    // ---- Public operations ----
    // Loads the window (once) and then the input: mode, caption, label, grid, rows, the earlier
    // or the proposed quantities, widths. A failing step is skipped.
    void CargaDatos(const Entrada& entrada);
    const Resultado& Devuelto() const { return resultado_; }
    void CmdAceptar_Click() override;
    void InicializaGrid();
    void VerificaAnteriores();
    void CompletaTodoIgual();
    void CampoValida(CajaTexto& Texto) override;
    double SumaFilas(int MenosCual);
    bool ValidaCantidadCantidadPedida();
    void DistribuyeCantidad();

    // ---- Events ----
    void Toolbar1_ButtonClick(int indice);

    // The statements of the balances per position (and lot) and of the balance without position;
    // deposit and article already filled to their widths.
    static QString SqlSaldos(bool conLotes, const QString& dep, const QString& art);
    static QString SqlSaldoDeposito(const QString& dep, const QString& art);

    // The deposit row (0: none).
    int FilaDeposito() const { return filaDeposito_; }

private:
    template <class> friend class AccesoPruebasLinea;

    void Enter() override;
    void AgregaFila(const QString& posicion, const QString& lote, double disponible, const QString& cantidad);
    void AgregaFilaDeposito(const QString& dep, const QString& art);
    void RestauraAnteriores();
    QString Lista(int columna) const;
    bool EsFilaDeposito(int fila) const { return filaDeposito_ > 0 && fila == filaDeposito_; }
    bool EsPosicion() const { return entrada_.modo == Modo::Posicion || EsPosicionYLote(); }
    bool EsLote() const { return entrada_.modo == Modo::Lote || EsPosicionYLote(); }
    bool EsPosicionYLote() const { return entrada_.modo == Modo::PosicionYLote; }

    Entrada entrada_;
    Resultado resultado_;
    int filaDeposito_ = 0;
};
