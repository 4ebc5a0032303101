#pragma once

#include "Grilla.h"
#include "Registros.h"
#include "Validacion.h"

#include <QHash>
#include <QString>
#include <functional>
#include <optional>

class PanelStock;

// The line branches of the editor's single validator: the article code, line deposit, unit and
// quantity of the lines grid's current row, each filling the row's other columns as typing does,
// with the quantity in the article's base unit and the stock panel. A refusal goes into the
// Validacion; the window shows it.
class ValidacionLineas {
public:
    // What the window holds that an article's line takes.
    struct Ventana {
        bool grabando = false;      // the save validates: the line keeps what it has
        bool transferencia = false; // every line takes the origin deposit
        QString depositoOrigen;     // as typed in the header
    };

    ValidacionLineas(Grilla& lineas, PanelStock& stock);

    // The setting UsaTipoArtEnDescripcionDeArt: the article type joins the description.
    void setTipoEnDescripcion(bool valor) { tipoEnDescripcion_ = valor; }

    // Each branch is false when the user left it after a run-time error.
    bool ValidaArticulo(Validacion& v, const Ventana& ventana);
    bool ValidaDepositoLinea(Validacion& v);
    bool ValidaUnidad(Validacion& v);
    bool ValidaCantidad(Validacion& v);

    // The stock of grid `g`'s current line in its deposit and unit: what `leido` gives when the
    // balances it read ahead cover the line, else the database's.
    using SaldoLeido = std::function<bool(const QString& deposito, const QString& articulo,
                                          const QString& unidad, double& saldo)>;
    static double StockLinea(const Grilla& g, const SaldoLeido& leido);
    // The current line's presentation and article type from its article, for the stock panel
    // of a line Cargar took (it writes neither); nothing for a code the master lacks.
    void PonePresentacionYTipo();

    // Writes a decoded quantity other than 0 into the current row's quantity.
    void EspecialPDV(double& CantidadEsp);
    // The current row's quantity in the article's base unit. Failing steps are skipped.
    void MuestraMarca();

    // A quantity text a line can hold: a number in the regional format, or empty (it reads as 0;
    // typed, the quantity's branch refuses it).
    static bool CantidadValida(const QString& texto);
    // The quantity a line takes from a typed one: its absolute value (the text as it stands when
    // it is not negative or no number).
    static QString CantidadSinSigno(const QString& texto);

    // While a stored template is read, each article type's description is looked up once: a
    // few types serve all its lines.
    void RecuerdaTipos(bool recuerda);

private:
    friend class AccesoPruebasVardelio;

    // ValidaArticulo's parts: what an accepted or cleared code ends with, and the line's
    // columns from the article (none while the save validates).
    bool CierraArticulo(const Validacion& v);
    void PoneDatosArticulo(const Registros& rs, const Ventana& ventana);
    // The current line's presentation and article type from its article row `rs`.
    void PonePresentacionYTipo(const Registros& rs);
    void PoneUnidadesArticulo(const Registros& rs, const QString& udBase, bool mismoCodigo,
                              const Ventana& ventana);
    void PoneCantidadYDeposito(const Ventana& ventana);
    void PonePuntosArticulo(const Registros& rs, const Ventana& ventana);
    void PoneStock();
    // The article's base unit of the current line, empty without an article (or one the master
    // lacks).
    QString UnidadBaseLinea();
    QString DescripcionTipo(const QString& idTipo);
    QString Celda(int columna) const;
    void PoneCelda(int columna, const QString& texto);

    Grilla& lineas_;
    PanelStock& stock_;
    bool tipoEnDescripcion_ = false;
    std::optional<QHash<QString, QString>> tipos_;
};
