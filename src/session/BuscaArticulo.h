#pragma once

#include "Moneda.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

class Registros;

// Finds the article of V_MA_ARTICULOS that a typed or scanned text names: an article code, a
// main, case (DUN) or alternate bar code, a supplier's code, or a weighing-scale label
// (gTipoEAN, gDecimalesEAN). A quantity prefix "n*" sets `Cantidad`; with automatic lot
// assignment on, a prefix "nnA" goes to `PrefijoLote`. The queries run in a fixed order on
// AD() and the first row wins: `Codigo` becomes its IDARTICULO (as stored), `Descripcion` and
// `UdBase` its description and base unit, and `Rs` stays open on it; the bar codes bound to a
// unit (case code, alternates 1-4) give that unit in the field IDUNIDAD. `Cantidad` and
// `Importe` receive what a label carries. Returns true when found.
//
// `SoloLectura` opens the sets read-only forward (else editable); `PorCodigoBarra` tries the
// main bar code first, and is set false for a text of 3 characters or fewer. `CuentaProveedor`
// and `IdLista` enable the supplier-code queries. `TC` and `AvisoUnidadNegocio` drive the
// business-unit check of the sales programs: 0 shows the message and fails, 1 becomes 2.
//
// Traps nothing: a database error reaches the caller as ErrorSistema, with the outputs as they
// stood. Typed text reaches the SQL only as a quoted literal.
bool BuscaArticulo(QString& Codigo, Registros& Rs, bool SoloLectura, bool& PorCodigoBarra,
                   QString& Descripcion, const QString& CuentaProveedor, QString& UdBase,
                   const QString& IdLista, double& Cantidad, Moneda& Importe, QString& PrefijoLote,
                   const QString& TC, qint16& AvisoUnidadNegocio);
// The same, as the program named `programa` (executable name, with or without extension) runs
// it: the article-master programs take no quantity or lot prefix, the sales programs check the
// business unit.
bool BuscaArticulo(QString& Codigo, Registros& Rs, bool SoloLectura, bool& PorCodigoBarra,
                   QString& Descripcion, const QString& CuentaProveedor, QString& UdBase,
                   const QString& IdLista, double& Cantidad, Moneda& Importe, QString& PrefijoLote,
                   const QString& TC, qint16& AvisoUnidadNegocio, const QString& programa);

// The suite's article-master programs and its sales and invoicing programs (names without
// extension, compared without regard to case).
const QStringList& ProgramasMaestroArticulos();
const QStringList& ProgramasFacturacion();

// The statements of the lookup, with `codigo` (already filled to its width) as a quoted
// literal: 1 main bar code (bar-code mode), 2 article code, 3 main bar code, 4 case code,
// 5-8 alternate codes 1-4, 9 article code.
QString SqlBuscaArticulo(int consulta, const QString& codigo);
// The supplier's code in a purchase price list, and the supplier's code of the article row.
QString SqlArticuloPorLista(const QString& codigo, const QString& idLista);
QString SqlArticuloProveedor(const QString& codigo, const QString& cuentaProveedor);
