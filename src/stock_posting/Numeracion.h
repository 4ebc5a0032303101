#pragma once

#include <QString>
#include <QtGlobal>

// Voucher numbering. A voucher's identity is its type and 13 characters: branch (4 digits),
// number (8 digits) and letter. Numbers come from the numbering ranges ("talonarios") of
// V_TA_CPTE, one row per type and range, with columns per letter (<L>_SUC_DEFAULT,
// <L>_ULTIMO_NRO: the next number to hand out, <L>_NRO_DESDE, <L>_NRO_HASTA, Vence<L>).
// V_MV_CTROL_CPTE registers the numbers used by the types that keep such a register.

// The range chosen by the last range choice or found by the last validation; the range update
// is addressed to it, so one voucher is numbered at a time.
extern qint16 gTalonario;
// When true, the range choice reads the ranges of type "FCE" instead of the requested type.
extern bool gTalonarioFCE;

// The type whose numbering `TC` borrows: the trimmed setting "NUM_" + TC when it is not blank,
// else `TC` as passed.
QString ObtieneTcNumeracion(const QString& TC);

// The next number of a voucher type: the range's next number (Obtener_Nro_Comprobante_Contable)
// and, with `verifica`, moved past the numbers already stored in the table where vouchers of the
// type are kept. Branch and number come back as 4 and 8 digits. `noLeido` is not read. Errors go
// to the central error handler (routine "Obtener_Nro_Comprobante").
void Obtener_Nro_Comprobante(const QString& TC, QString& sucursal, QString& numero, QString& letra,
                             bool& modificaNumeracion, bool verifica, const QString& noLeido,
                             const QString& unidadNegocio, bool noAplicaAlias);

// The 13-character identity of a new stock voucher of the type, checked against V_MV_STOCK;
// empty when left through an error.
QString AsignarNumeroComprobante(const QString& TC, QString sucursal, QString letra);

// The voucher letter from the VAT conditions: "C" unless the company's reads 1; then "B" when
// the customer's reads above 2, else "A".
QString ObtieneLetra(const QString& condicionEmpresa, const QString& condicionCliente);

// Chooses the range of a new voucher: the user's default branch and letter for OT, FC, NC and
// ND; a leading "*" filters by branch (A_SUC_DEFAULT) or by letters; the ranges of the business
// unit, else all of the type; the first in TALONARIO order whose letter fits and that is neither
// used up, expired nor of another branch. Sets `gTalonario`. Every range used up is told to the
// user. Without ranges: branch "1", number "1", letter "X".
void Obtener_Nro_Comprobante_Contable(const QString& TC, QString& sucursal, QString& numero, QString& letra,
                                      bool& modificaNumeracion, const QString& fechaReferencia,
                                      const QString& unidadNegocio, QString& hasta);

// Whether the number fits a range of its type (letter, bounds, expiry against
// `fechaReferencia` when not empty); the reason in `mensaje` (empty when valid). Sets
// `gTalonario` to the range of the number when it finds one. Traps nothing.
bool ValidaNumeracion(const QString& TC, const QString& sucursal, const QString& numero, QString& letra,
                      QString& mensaje, const QString& fechaReferencia);

// Moves the range of a saved voucher forward to `numero` (the number after the voucher's own):
// with `devuelveSql` the statements are left in `sql` for the caller's transaction (and the used
// number is registered in V_MV_CTROL_CPTE for "Contable" types, type OC or `registraSiempre`);
// otherwise the range row is updated at once. A range never moves backwards. Errors go to the
// central error handler (routine "ActualizaNumeracion").
void ActualizaNumeracion(const QString& TC, const QString& sistema, const QString& sucursal,
                         const QString& numero, QString& letra, bool devuelveSql, QString& sql,
                         bool registraSiempre, bool noActualiza);
