#pragma once

#include "Grilla.h"
#include "Interaccion.h"
#include "Registros.h"

#include <QString>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class AccesoDatos;

// Named values, in order: the fields of the row chosen in the search window.
class Coleccion {
public:
    int Count() const { return static_cast<int>(elementos_.size()); }
    // 1-based, as the suite's collections; out of range raises ErrorSistema 9.
    const QVariant& Item(int indice) const;
    const QString& Clave(int indice) const;
    // By name, case ignored; raises ErrorSistema 5 when no element has that name.
    const QVariant& Item(const QString& clave) const;
    bool Contiene(const QString& clave) const;
    void Add(const QString& clave, const QVariant& valor) { elementos_.emplace_back(clave, valor); }
    void Clear() { elementos_.clear(); }

private:
    std::vector<std::pair<QString, QVariant>> elementos_;
};

// The rows of a search as the window holds them: row 0 the column names, then the rows read so
// far; the current row (0: none) and the columns' widths in twips. Texts are made when asked,
// so that only the cells on screen cost one.
class ResultadoConsulta {
public:
    int Rows() const { return 1 + FilasLeidas(); }
    int Cols() const { return std::max(1, static_cast<int>(nombres_.size())); }
    int FilasLeidas() const {
        return nombres_.empty() ? 0 : static_cast<int>(valores_.size() / nombres_.size());
    }
    QString TextMatrix(int fila, int col) const;
    const QVariant& Valor(int fila, int col) const;
    int Row() const { return fila_; }
    void setRow(int fila) { fila_ = fila; }
    // The width the widths file gives the column; the default width when it gives none.
    int ColWidth(int col) const;
    bool AnchoDelArchivo(int col) const;

private:
    friend class VentanaConsulta;
    std::vector<QString> nombres_;
    std::vector<QVariant> valores_; // row after row
    std::vector<int> anchos_;
    int fila_ = 0;
};

// The suite's search window, headless: runs a statement, shows its rows and gives back the key
// column's value of the row the person chooses. One session-wide instance.
//
// The rows stream: the window opens with its first screen read and reads the rest in blocks
// (LeeFilas) while it is shown, so a long result never keeps it from answering. Typing narrows
// the rows shown to those with the text in any column (Filtra). Its view shows Caption(), the
// visible rows, calls Aceptar() (button, double click, Enter) or Cancelar() (button, Escape,
// closing the window), and closes when alCerrar is called.
class VentanaConsulta : public Formulario {
public:
    // Rows read before the window shows: more than one screen of any window.
    static constexpr int PrimeraPantalla = 60;

    VentanaConsulta();
    ~VentanaConsulta() override;
    VentanaConsulta(const VentanaConsulta&) = delete;
    VentanaConsulta& operator=(const VentanaConsulta&) = delete;

    QString NombreFormulario() const override { return QStringLiteral("VentanaConsulta"); }

    // Start-up hands it the connection text in use and an option; the queries run on the
    // data-access object the provider gives at each show (nullptr: no connection).
    void setCadenaConexion(const QString& cadena) { cadena_ = cadena; }
    const QString& CadenaConexion() const { return cadena_; }
    void setOpcion(bool opcion) { opcion_ = opcion; }
    bool Opcion() const { return opcion_; }
    void setProveedorDatos(std::function<AccesoDatos*()> proveedor) { proveedor_ = std::move(proveedor); }

    // Full path of the definitions file (consultas.cvn); CONSULTASLEN.CVN lies beside it.
    const QString& ArchivoConsultas() const { return archivo_; }
    void setArchivoConsultas(const QString& ruta) { archivo_ = ruta; }
    // Column whose value the window gives back.
    const QString& CampoClave() const { return campoClave_; }
    void setCampoClave(const QString& campo) { campoClave_ = campo; }

    // Shows the window modally on the rows of `consulta` and returns when it is closed.
    // `consulta` is a statement, or an entity (table or view name, one word): then the
    // statement is `sentencia` when it is not blank, else every column of the entity with
    // `condicion` after it. `coleccion`, when given, gets the chosen row's fields. The other
    // arguments are accepted for the callers and left as they are. A statement the database
    // refuses is shown in a message box, and nothing is chosen.
    void MuestraConsulta(const QString& consulta, Coleccion* coleccion, QString& texto1, QString& texto2,
                         QString& condicion, QString& sentencia, qint16& opcion, QString& texto3);
    void MuestraConsulta(const QString& consulta, Coleccion* coleccion = nullptr);

    // The text the statement of the next show searches for, which the window's search box
    // shows: the rows it lists are those of that text. `busqueda` gives the statement that
    // searches another text (none: that text lists nothing), so that a box that no longer holds
    // the searched text lists what its own search reads. Both forgotten once the window closes.
    using Busqueda = std::function<QString(const QString& texto)>;
    const QString& TextoBuscado() const { return textoBuscado_; }
    void setTextoBuscado(const QString& texto, Busqueda busqueda = {}) {
        textoBuscado_ = texto;
        busqueda_ = std::move(busqueda);
    }

    // The key column's value of the chosen row; an empty text when nothing was chosen.
    const QVariant& ValorElegido() const { return valorElegido_; }
    // The window's own collection, for callers that hand it back to MuestraConsulta.
    Coleccion& ColeccionConsulta() { return coleccion_; }

    // What the window shows: its caption (the title the definitions file gives the entity,
    // else the entity's name without the "@ADMIN_" prefix), the statement run, and the rows
    // read (row 0: the column names).
    const QString& Caption() const { return caption_; }
    const QString& Entidad() const { return entidad_; }
    const QString& SentenciaMostrada() const { return sentenciaMostrada_; }
    ResultadoConsulta& Resultado() { return resultado_; }
    const ResultadoConsulta& Resultado() const { return resultado_; }
    // Rows read so far.
    int FilasDatos() const { return resultado_.FilasLeidas(); }
    // A column's width in twips as it is shown: the widths file's; else what its title and its
    // cells among the first screen's rows need, measured by `medida` (twips of a text), with
    // MargenColumna beside them, so that no title or code is cut.
    int AnchoColumna(int col, const std::function<int(const QString&)>& medida) const;
    static constexpr int MargenColumna = 240;
    // The name a person reads for a table: without the administration prefix.
    static QString TablaSinPrefijo(const QString& tabla);

    // Reads up to `maximo` more rows; the rows read. At the end of the result (or on an error,
    // which is shown) the set is closed and Completa() is true.
    int LeeFilas(int maximo);
    void LeeTodas();
    bool Completa() const { return !abierta_; }

    // The rows shown: those whose text holds `texto` in any column (case ignored); all
    // without a filter. A narrower text searches only the rows it narrows. The current row
    // moves to the first row shown when the filter hides it. When the rows were searched for a
    // text (TextoBuscado) that `texto` no longer holds, they are searched again for `texto`; the
    // searched text itself shows them as its search gave them.
    void Filtra(const QString& texto);
    int FilasVisibles() const { return static_cast<int>(visibles_.size()); }
    // The result's row (1-based) of the `n`-th visible row (0-based), and back (-1: hidden).
    int FilaVisible(int n) const { return visibles_[static_cast<size_t>(n)]; }
    int IndiceVisible(int fila) const;

    // The person chooses the current row; on the title row (or with no rows) nothing is chosen.
    void Aceptar();
    void Cancelar();
    void Grilla_DblClick() { Aceptar(); }

    std::function<void()> alCerrar;
    // The view follows the visible rows: rows were added at the end (FilasVisibles() says how
    // many there are now); or the whole list changes.
    std::function<void()> alAgregar;
    std::function<void()> alAntesDeReiniciar;
    std::function<void()> alReiniciar;

    // The entity a statement reads from: the name after its first FROM (brackets removed).
    static QString EntidadDeSentencia(const QString& sentencia);

private:
    void Prepara(const QString& consulta, const QString& condicion, const QString& sentencia);
    bool AbreResultado();
    void CierraResultado();
    bool Coincide(int fila) const;
    void BuscaDeNuevo(const QString& texto);
    void Informa(const QString& descripcion);
    void TituloYAnchos();
    void Cierra();

    QString cadena_;
    bool opcion_ = false;
    std::function<AccesoDatos*()> proveedor_;
    QString archivo_;
    QString campoClave_;
    QString textoBuscado_;
    Busqueda busqueda_;
    // The last text searched again has no statement: no row is held, any text searches again.
    bool sinBusqueda_ = false;
    QVariant valorElegido_;
    Coleccion coleccion_;
    Coleccion* destino_ = nullptr;

    QString caption_;
    QString entidad_;
    QString sentenciaMostrada_;
    ResultadoConsulta resultado_;
    // The previous search's rows: released once the next search's first screen is shown, so
    // that freeing them does not delay it.
    std::vector<QVariant> anteriores_;
    std::unique_ptr<Registros> rs_;
    AccesoDatos* ad_ = nullptr;
    bool abierta_ = false;
    QString filtro_;
    std::vector<int> visibles_;
};
