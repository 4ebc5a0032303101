#pragma once

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "Registros.h"

#include <QString>
#include <QStringList>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// The demo database with helpers to change it and read single values.
class ConNumeracion : public ConBaseDemo {
protected:
    static void Ejecuta(const QString& sql) { AD().EjecutaSQL(sql); }
    // The first column of every row of a query.
    static QStringList Columna(const QString& sql) {
        QStringList valores;
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        for (; !rs.Eof(); rs.MoveNext())
            valores << rs.Fields(0).toString();
        AD().CierraRecordset(rs);
        return valores;
    }
    static QString Valor(const QString& sql) {
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        QString v = rs.Eof() ? QStringLiteral("<ninguna>") : rs.Fields(0).toString();
        AD().CierraRecordset(rs);
        return v;
    }
};
