#pragma once

// The item-totals grid of a voucher form: one summary row per kind of line, written by the
// totals display. Row 0 holds the titles.

inline constexpr int ColumnasGrillaTotales = 3;
inline constexpr int FilasGrillaTotales = 5; // as laid out; the totals display resizes it

namespace colTotal {
constexpr int Descripcion = 0; // caption of the tab, or the group of a breakdown row
constexpr int Lineas = 1;      // number of lines ("Cantidad ITEM'S")
constexpr int Cantidad = 2;    // total quantity, or time of the tasks
} // namespace colTotal

// Colours of the totals rows (the grid's BGR values).
namespace ColorTotales {
constexpr int Resumen = 12648447; // light yellow: one row per tab
constexpr int Grupo = 12640511;   // light orange: breakdown of the articles
constexpr int Cierre = 16711680;  // blue: the empty last row
} // namespace ColorTotales
