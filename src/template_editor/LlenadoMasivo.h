#pragma once

#include "AlmacenStock.h"
#include "ErrorSistema.h"
#include "Importacion.h"
#include "LineasMarcadas.h"
#include "Registros.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

class FrmVardelio;

// The bulk commands' work on the editor's lines: the whole stock of a deposit (Cargar) and the
// lines of a text file (Importar), each line taken as typing would take it. While one runs, the
// window's other commands are disabled and the wait indication is on, its progress shows in the
// status bar and it yields after every line; when it ends the user is told what it left out or
// marked. A failing line is reported under "Especial": Retry runs the line again, Ignore skips
// it, any other answer ends the command with what was done. It works on the window's public
// controls and handlers.
class LlenadoMasivo {
public:
    explicit LlenadoMasivo(FrmVardelio& ventana) : f_(ventana) {}

    // Cargar: every positive balance of the deposit as the field holds it, written in the unit
    // it is kept in (the article's base unit), after the grid's last row; a suspended article
    // is left out and told. A balance names its article by the code filled as the master
    // stores it, also when stored without the fill.
    void LlenaConSaldos(const QString& textoDeposito);
    // Importar: each line of the file, in the site's layout, added after the grid's last row as
    // if typed. An unknown article or a quantity that is no number stays marked, a suspended
    // article is left out.
    void LlenaConArchivo(const QString& ruta, const FormatoImportacion& formato);
    bool EnProceso() const { return enProceso_; }

    // While a file is imported, its articles' balances over all deposits (what opening a line's
    // editor shows), read for a block of the file's lines ahead of them: false for a line they
    // do not cover, which asks the database as typing does.
    bool SaldoImportado(const QString& deposito, const QString& articulo, const QString& unidad,
                        double& saldo) const;

    // Runs one step of a bulk command: a failure is reported with the wait indication off;
    // Retry runs it again, Ignore skips it. False when the user ended the command.
    static bool Renglon(const Paso& paso);

private:
    class Proceso;
    struct ArticuloConSaldo;
    struct SaldoLeido;
    struct ArticuloImportado;
    struct StockImportado {
        QSet<QString> articulos;
        AlmacenStock::Saldos saldos;
    };

    void MuestraProgreso(const QString& accion, int hechas, int total);
    // Cargar's lines; false when there was no balance or the user ended it.
    bool Saldos(const QString& textoDeposito, LineasMarcadas::Aviso& aviso);
    static std::vector<SaldoLeido> LeeSaldos(const QString& deposito);
    // The master rows of `rs` into `articulos`, by their code; closes `rs`.
    static void TomaArticulos(Registros& rs, QHash<QString, ArticuloConSaldo>& articulos);
    void PoneSaldo(const SaldoLeido& saldo, const ArticuloConSaldo& articulo, const QString& deposito);
    // Importar's lines; false when the file could not be read or the user ended it.
    bool Archivo(const QString& ruta, const FormatoImportacion& formato, LineasMarcadas::Aviso& aviso);
    // Why the line was not taken or was marked; empty when it went in as typed.
    QString ImportaLinea(const LineaImportada& linea);
    // The article a file line names, by its code (an empty code in the answer); false when
    // there is none.
    static bool LeeArticuloImportado(const QString& codigo, ArticuloImportado& articulo);
    static ArticuloImportado ArticuloDe(const Registros& rs, const QString& codigo, const char* campoUnidad);
    void MarcaInexistente(int fila, const QString& descripcion);
    void ComprometeCantidad(int fila, const QString& cantidad);
    void LeeStockImportado(LectorImportacion adelante, int lineas);

    FrmVardelio& f_;
    bool enProceso_ = false;
    std::optional<StockImportado> stockImportado_;
};
