#pragma once

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
