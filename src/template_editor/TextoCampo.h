#pragma once

#include "Formatos.h"
#include "Globales.h"
#include "Registros.h"
#include "Utilidades.h"

#include <QString>

// A record's field, by name or position, as text (a null as empty), as stored: codes keep the
// blanks they are filled with, so that they compare as the database holds them.
template <typename Campo> QString TextoCampo(const Registros& rs, const Campo& campo) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(campo)));
}

// The same without the blanks around it, as a line's cell or a label shows it.
template <typename Campo> QString TextoCampoRecortado(const Registros& rs, const Campo& campo) {
    return TextoCampo(rs, campo).trimmed();
}

// A flag field as a line's cell: "-1" true, "0" null, empty or false.
inline QString TextoBandera(const Registros& rs, const char* campo) {
    const QVariant v = rs.Fields(QLatin1String(campo));
    const QString texto = v.isNull() ? QString() : v.toString().trimmed();
    if (texto.isEmpty())
        return QStringLiteral("0");
    bool numero = false;
    const double n = texto.toDouble(&numero);
    const bool verdadero = numero ? n != 0 : TextoABooleano(texto.toUpper(), false);
    return verdadero ? QStringLiteral("-1") : QStringLiteral("0");
}
