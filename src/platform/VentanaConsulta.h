#pragma once

#include "Grilla.h"
#include "Interaccion.h"

#include <QString>
#include <QVariant>
#include <functional>
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

// The suite's search window, headless: runs a statement, shows its rows in a grid and gives
// back the key column's value of the row the person chooses. One session-wide instance.
//
// Its view shows Caption() and Resultado(), calls Aceptar() (button, double click, Enter) or
// Cancelar() (button, Escape, closing the window), and closes when alCerrar is called.
class VentanaConsulta : public Formulario {
public:
    VentanaConsulta();

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

    // The key column's value of the chosen row; an empty text when nothing was chosen.
    const QVariant& ValorElegido() const { return valorElegido_; }
    // The window's own collection, for callers that hand it back to MuestraConsulta.
    Coleccion& ColeccionConsulta() { return coleccion_; }

    // What the window shows: its caption (the entity's title in the definitions file, else
    // the entity), the statement run, and the rows (row 0: the column names).
    const QString& Caption() const { return caption_; }
    const QString& Entidad() const { return entidad_; }
    const QString& SentenciaMostrada() const { return sentenciaMostrada_; }
    Grilla& Resultado() { return grilla_; }
    // Rows below the title row.
    int FilasDatos() const { return grilla_.Rows() - 1; }

    // The person chooses the current row; on the title row (or with no rows) nothing is chosen.
    void Aceptar();
    void Cancelar();
    void Grilla_DblClick() { Aceptar(); }

    std::function<void()> alCerrar;

    // The entity a statement reads from: the name after its first FROM (brackets removed).
    static QString EntidadDeSentencia(const QString& sentencia);

private:
    void Prepara(const QString& consulta, const QString& condicion, const QString& sentencia);
    bool LlenaResultado();
    void TituloYAnchos();
    void Cierra();

    QString cadena_;
    bool opcion_ = false;
    std::function<AccesoDatos*()> proveedor_;
    QString archivo_;
    QString campoClave_;
    QVariant valorElegido_;
    Coleccion coleccion_;
    Coleccion* destino_ = nullptr;

    QString caption_;
    QString entidad_;
    QString sentenciaMostrada_;
    Grilla grilla_;
    std::vector<QString> nombres_;
    std::vector<std::vector<QVariant>> valores_;
};
