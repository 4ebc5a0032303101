#pragma once

// Column numbers of the tasks grid of a voucher form (work and service lines). Every voucher
// process addresses a task's cells by these numbers; hidden columns still hold their data.
// Row 0 holds the titles; lines start at row 1.

inline constexpr int ColumnasGrillaTareas = 24;

namespace colTarea {
constexpr int Codigo = 0;               // task code (IdTarea)
constexpr int Descripcion = 1;          // description
constexpr int Cantidad = 2;             // estimated hours (HorasEstimadas), "h:m" or hours
constexpr int ValorHora = 3;            // hourly rate ("Importe")
constexpr int Total = 4;                // total
constexpr int EsExento = 5;             // exempt flag
constexpr int ImporteSinIva = 6;        // amount without VAT
constexpr int ObservacionAdicional = 7; // additional observations
constexpr int FechaInicio = 8;          // start date
constexpr int FechaFin = 9;             // end date
constexpr int IdTecnico = 10;           // technician
constexpr int CodigoOriginal = 11;      // the code the line had when loaded
constexpr int FechaRealInicio = 12;     // real start date
constexpr int FechaRealFin = 13;        // real end date
constexpr int CuentaContable = 14;      // accounting account
constexpr int Prioridad = 15;           // priority
constexpr int Usuario = 16;             // user
constexpr int FechaPresentacion = 17;   // presentation date
constexpr int FechaEmision = 18;        // issue date
constexpr int NroExpediente = 19;       // file number
constexpr int FechaEntrega = 20;        // delivery date
constexpr int Trabajo21 = 21;           // working column of the voucher processes (untitled)
constexpr int Trabajo22 = 22;           // working column of the voucher processes (untitled)
constexpr int TasaIva = 23;             // VAT rate
} // namespace colTarea

static_assert(colTarea::TasaIva == ColumnasGrillaTareas - 1);
