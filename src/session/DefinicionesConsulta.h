#pragma once

#include "ArchivosConsulta.h"

#include <QString>
#include <functional>
#include <vector>

class VentanaConsulta;

// The session-wide search window, created at first use; its queries run on AD(). Not released
// by shutdown; ReiniciaSesion() releases it.
VentanaConsulta& VC();
bool ExisteVC();
void LiberaVC();

// The program folder the definition files lie in, ending in "/": the one start-up handed to
// Aux(), else the executable's.
QString CarpetaConsultas();

// True when a file exists at VC().ArchivoConsultas() (its name matched without regard to case).
bool ExisteArchivoConsultas();

// The eleven default definitions, in the order they are written.
const std::vector<RegistroConsulta>& ConsultasDefault();

// Appends the eleven default definitions to the file at VC().ArchivoConsultas(), creating it
// when missing (caption, column list and condition trimmed, table as written). No handling of
// its own: an I/O error (75, 57) or a full file (6) reaches the caller.
void CreaConsultasDefault();

// For the cattle-lot views "v_mv_tropa" and "V_MV_TROPA_STOCK" (case ignored): appends the view's
// definition (table as `entidad` is written) to CONSULTAS.CVN in the program folder and writes
// its widths. Any other entity: nothing. An error ends it silently (the widths then unwritten).
void CreaConsultasTropa(const QString& entidad);

// Rewrites CONSULTASLEN.CVN through CONSULTASLEN.AUX with the line of `entidad` last (its older
// line, in any case, dropped; the others in their order). A missing file counts as empty. The
// file is replaced only when the new one was written whole; nothing is reported.
void GrabaAnchosConsulta(const QString& entidad, const QString& anchos);

// The definition lookup: nothing unless a file exists at VC().ArchivoConsultas(); otherwise the
// first record that `coincide` accepts, read in order, with its Tabla and Condicion cleaned of
// the fill markers Chr(0) and Chr(255) as the suite's utility removes them.
bool BuscaDefinicionConsulta(const std::function<bool(const RegistroConsulta&)>& coincide,
                             RegistroConsulta& encontrado);
// The first record whose trimmed Tabla equals the trimmed `tabla`, case ignored.
bool BuscaDefinicionConsulta(const QString& tabla, RegistroConsulta& encontrado);
