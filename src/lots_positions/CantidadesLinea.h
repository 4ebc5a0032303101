#pragma once

#include <QString>

class Grilla;

// What the position dialogs share about the quantities of a voucher line.

// A balance or a capacity held in `origen` expressed in the line's unit `destino`: unchanged
// when the units are the same or the article has no equivalence between them. A blank origin
// is taken as the article's base unit.
double EnUnidadLinea(const QString& articulo, const QString& origen, double cantidad, const QString& destino);

// A code as a quoted SQL literal (its apostrophes doubled).
QString LiteralSql(const QString& texto);

// Quantities of the line dialogs are compared at four decimals, as the stock keeps them.
double Redondea4(double valor);

// A quantity typed into a dialog's cell, read strictly in the regional format, as it is shown; a
// text that is no number raises ErrorSistema 13 (it must never reach the cell nor the lists).
double LeeCantidadEscrita(const QString& texto);

// The number in a grid cell the dialog wrote or accepted, in the regional format it was written in.
double NumeroCelda(const Grilla& g, int fila, int col);
