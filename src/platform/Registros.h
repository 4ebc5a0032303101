#pragma once

#include "ErrorSistema.h"

#include <QString>
#include <QVariant>
#include <memory>

class AccesoDatos;
class Conexion;

// Cursor types and lock types with the suite's numeric values.
namespace TipoCursor {
constexpr int SoloAvance = 0; // forward-only: rows stream, one at a time
constexpr int Conjunto = 1;
constexpr int Dinamico = 2;
constexpr int Estatico = 3;
} // namespace TipoCursor
namespace TipoBloqueo {
constexpr int SoloLectura = 1;
constexpr int Pesimista = 2;
constexpr int Optimista = 3; // the rows can be edited, added (AddNew) and saved (Update)
constexpr int PorTandas = 4;
} // namespace TipoBloqueo

// The rows of a query, read through a cursor: the fields by name (case ignored; of two columns
// with one name, the later) or by position, a null field as a null QVariant. Opened by
// AccesoDatos::ObtieneRecordset (or Open on a connection). A forward-only read-only set streams
// its rows; any other keeps them in memory. Closed when destroyed or when its connection closes.
//
// Errors raise ErrorSistema: 3021 no current row (Bof or Eof), 3265 no field of that name or
// position, 3704 the set is closed, 3251 the operation is not allowed by the lock type; database
// errors as AccesoDatos raises them (also in its error list).
class Registros {
public:
    Registros();
    ~Registros();
    Registros(Registros&&) noexcept;
    Registros& operator=(Registros&&) noexcept;
    Registros(const Registros&) = delete;
    Registros& operator=(const Registros&) = delete;

    // Opens the SQL text as it stands (no dialect translation) on the connection; a set that
    // is open is closed first. -1 keeps the set's own cursor and lock types.
    void Open(const QString& sql, Conexion& conexion, int tipoCursor = -1, int tipoBloqueo = -1);
    // Closes the set; a closed or never opened set is accepted.
    void Close();
    // 0 closed, 1 open.
    int State() const;

    int CursorType() const;
    int LockType() const;
    // Used by the next Open (only while closed).
    void setCursorType(int tipo);
    void setLockType(int tipo);

    // ADO's BOF and EOF (the names collide with a C macro): both true when there are no rows.
    bool Bof() const;
    bool Eof() const;
    // Back to the first row (a forward-only set runs its query again when it has moved on).
    void MoveFirst();
    void MoveNext();
    // The true number of rows (a streaming set reads the rest of its rows to count them).
    qint32 RecordCount();

    int FieldCount() const;
    QString FieldName(int indice) const;
    // Position of the field of that name (case ignored; the later of two), -1 when none.
    int IndiceCampo(const QString& nombre) const;
    // The value of a field of the current row; a null as a null QVariant.
    QVariant Fields(const QString& nombre) const;
    QVariant Fields(int indice) const;

    // Editing (lock type 2, 3 or 4): AddNew starts a new row (every field null until assigned);
    // AsignaCampo sets a field of the new or the current row; Update saves the assigned fields
    // (INSERT for a new row, UPDATE by primary key for the current one) and raises when the
    // database refuses. The edit is dropped when the set is closed without Update.
    void AddNew();
    void AsignaCampo(const QString& nombre, const QVariant& valor);
    void Update();

    struct Impl;

private:
    friend class AccesoDatos;
    std::unique_ptr<Impl> d_;
};
