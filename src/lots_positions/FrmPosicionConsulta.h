#pragma once

#include "DialogoLinea.h"

#include <QString>

class Registros;

// The position choice dialog, headless: the candidate positions of the article in the deposit
// that hold a balance of it, with capacity and free room in the line's unit; a position is
// accepted only when its capacity is 0 (no limit) or its free room covers the quantity. The
// caller loads it with an Entrada, shows it and reads `iPosicionDevuelta` of its Resultado.
//
// Grid columns: 0 position, 1 description, 2 entry order, 3 unit, 4 capacity, 5 free room.
class FrmPosicionConsulta : public DialogoLinea {
public:
    struct Entrada {
        QString Deposito;
        // The line's unit: capacities and balances are shown in it.
        QString IUNIDAD;
        double Cantidad1 = 0;
        QString Articulo;
        QString ArticuloDescripcion;
    };
    // The chosen position; empty until accepted, and after cancel.
    struct Resultado {
        QString iPosicionDevuelta;
    };

    FrmPosicionConsulta();

    // Loads the window (once) and then the input: caption, label, grid, the candidates' rows,
    // the last row current, widths. A failing step is skipped.
    void CargaDatos(const Entrada& entrada);
    const Resultado& Devuelto() const { return resultado_; }
    void InicializaGrid();
    void VerificaAnteriores();
    void CmdAceptar_Click() override;
    // Returns no position, also after a refused accept.
    void CmdCancelar_Click() override;
    // Checks nothing: what was typed is kept on the first row only, trimmed, and the key that
    // ended the edit always moves.
    void CampoValida(CajaTexto& Texto) override;

    // The statement of the article's balances in the deposit, at every position; deposit and
    // article already filled to their widths.
    static QString SqlSaldos(const QString& deposito, const QString& articulo);

private:
    template <class> friend class AccesoPruebasLinea;

    void Enter() override;
    void EscribeSaldo(const Registros& rs, int fila);

    Entrada entrada_;
    Resultado resultado_;
};
