#pragma once

// Column numbers of the other-concepts grid of a voucher form: further concepts of the voucher,
// each on an accounting account. Row 0 holds the titles; lines start at row 1.

inline constexpr int ColumnasGrillaOtrosConceptos = 7;

namespace colOtroConcepto {
constexpr int Detalle = 0;       // the concept (OCDescripcion), one of the postable accounts
constexpr int ImporteSinIva = 1; // amount without VAT (OCImporteSinIva)
constexpr int Importe = 2;       // amount (OCImporte)
constexpr int Cuenta = 3;        // account
constexpr int Trabajo4 = 4;      // working columns of the voucher processes (untitled)
constexpr int Trabajo5 = 5;
constexpr int Trabajo6 = 6;
} // namespace colOtroConcepto

static_assert(colOtroConcepto::Trabajo6 == ColumnasGrillaOtrosConceptos - 1);
