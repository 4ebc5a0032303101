#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One column of a statement being built: its name and its value as an SQL literal.
struct ParCampo {
    QString campo;
    QString valor;
};
using ParesCampos = std::vector<ParCampo>;

// The session-wide list of column-value pairs, in the order the columns go into the statement.
ParesCampos& ListaCampos();

// Adds a pair to ListaCampos (`primero`: the list starts anew with this pair). The value loses
// every apostrophe and NUL, also in the caller's variable; "NULL" in any case becomes the literal Null,
// any other value AD().FormateaValorSQL(value, marcador) ("'" text, "@" number).
void AgregaCampo(const QString& campo, QString& valor, const QString& marcador, bool primero);
// The literal AgregaCampo adds for a value (which loses its apostrophes the same way).
QString LiteralCampo(QString& valor, const QString& marcador);

// Appends to `sentencias` the INSERT (or, with `actualiza`, the UPDATE with `condicion`, which
// gets " WHERE " in front when it holds no "WHERE") of the pairs into `tabla`, followed by one
// empty element. Without `conservaPares` the pairs are emptied. An empty pair list raises.
void ArmaSentencia(ParesCampos& pares, QStringList& sentencias, const QString& tabla, bool actualiza,
                   QString& condicion, bool conservaPares);

// Appends "(columns) VALUES (literals)" to `sentencia`; `borra` empties the pairs. An empty
// pair list raises.
void ArmaValues(QString& sentencia, ParesCampos& pares, bool borra);
