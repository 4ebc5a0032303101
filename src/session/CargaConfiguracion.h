#pragma once

#include <QString>
#include <QStringList>

// Copies the settings of TA_CONFIGURACION (through Cfg) and the logged user's TA_USUARIOS row
// into the session values of ValoresConfiguracion.h. Run once by start-up, after the main
// connection is up. `carpeta` is the program folder (ending in "/"). Every failing step is
// skipped silently and leaves its value as it was.
void CargaConfiguracion(const QString& carpeta);
// The same, as the program named `ejecutable` (file name, with or without extension) runs it:
// the suite's sales programs take CantidadDecimalesVentas over CantidadDecimales when it is
// above 0.
void CargaConfiguracion(const QString& carpeta, const QString& ejecutable);

// The sales programs of the suite (names without extension).
const QStringList& ProgramasDeVentas();
bool EsProgramaDeVentas(const QString& ejecutable);

// The scale-label settings TIPOEAN and DECIMALESEAN, trimmed, into gTipoEAN and gDecimalesEAN.
// The editor's load runs it after the configuration load.
void LeeValoresEAN();
