#pragma once

#include <QString>

// The suite's trim: blanks only, at both ends (tabs and line breaks are content).
inline QString RecortaBlancos(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && texto.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return texto.mid(inicio, fin - inicio);
}

// Whether the text holds anything but blanks (RecortaBlancos would leave it non-empty).
inline bool TieneTexto(const QString& texto) {
    for (const QChar c : texto)
        if (c != QLatin1Char(' '))
            return true;
    return false;
}
