#pragma once

#include <QString>
#include <QVariant>

class AccesoDatos;

// Name of the configuration table. The configuration load sets it; the readers set
// "TA_CONFIGURACION" when it is blank; the writers use it as it stands.
extern QString gTablaConfiguracion;

// The value of a setting of TA_CONFIGURACION on AD(), and its auxiliary value in `valorAux`.
// A missing key reads " " (one blank) with an empty auxiliary value; the key "THEME" reads
// "1" when missing or blank. Without a connection: "" at once, `valorAux` untouched. A failure
// is reported (routine "Cfg"): Retry reads again, Ignore goes on, any other answer gives "".
QString Cfg(const QString& clave, QString& valorAux);
QString Cfg(const QString& clave);
// Whether the setting reads "SI", in any case and with blanks around it.
bool CfgEsSi(const QString& clave);

// The same on the statistics database gBaseEstadisticas(), without the connection test.
QString CfgCV(const QString& clave, QString& valorAux);
QString CfgCV(const QString& clave);

// Writes a setting on AD(): adds the row when the key is missing, then Grupo, Clave (trimmed,
// upper case), Valor (trimmed when `recortaValor`), PoliticaNegocio, and ValorAux (trimmed)
// only when `valorAux` is not empty. Silent: a write that fails leaves the table as it was.
void GrabaDfg(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
              const QString& grupo, bool recortaValor);

// The same on the statistics database gBaseEstadisticas().
void GrabaCfgCV(const QString& clave, const QVariant& valor, const QString& valorAux, bool politicaNegocio,
                const QString& grupo, bool recortaValor);
