#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class AccesoDatos;
class Utilidades;
class InfoMaquina;
class LectorIni;
class AuxInicio;

// Session values: written by start-up, read by everyone. The defaults below are the ones
// ReiniciaSesion() restores.
extern QString gParametroAdicional; // "@ParametroAdicional", ""
extern QString gMenu;               // "@Menu", ""
extern QString gUsuarioLogeado;     // login user of the open connection, ""
extern QString gCaja;               // "@Caja", "1"
extern QString gSeccionIni;         // "MACHINE|USER", at most 50 characters, ""
extern double gFlatToolbars;        // INI key FlatToolbars, 1
extern qint16 gTimeOut;             // command time-out in seconds, 360
extern qint32 gColorFondo;          // RGB, 16777215 (white)
extern qint32 gColorLetra;          // RGB, 0 (black)
extern qint32 gIdControlAcceso;     // Id of this session's access-log row, 0 = none
extern QString gTipoEAN;            // scale-label mask, set by the main window, ""
extern QString gDecimalesEAN;       // decimals of a scale label, set by the main window, ""
extern qint32 gTopConsulta;         // row limit of the article search, 0
extern QString gArchivoAyuda;       // the program's help file, ""

// Global helper objects, each created on first use and alive until released.
AccesoDatos& AD();                // the main connection
AccesoDatos& gBaseEstadisticas(); // the statistics database CV_ESTADISTICAS
Utilidades& UT();
InfoMaquina& Maquina();
LectorIni& Ini();
AuxInicio& Aux(); // receives the program folder at start-up

// True when the object exists (shutdown skips one that was never created).
bool ExisteAD();
bool ExisteBaseEstadisticas();
bool ExisteUT();
bool ExisteMaquina();
bool ExisteIni();
bool ExisteAux();

// Release one object; the next use creates a new one. Shutdown calls them in its own order.
void LiberaAD();
void LiberaBaseEstadisticas();
void LiberaUT();
void LiberaMaquina();
void LiberaIni();
void LiberaAux();

// Values and objects kept elsewhere (sibling headers) register here how to reset them; the
// function runs on every ReiniciaSesion(). Register from the .cpp that defines the values, e.g.
//   static const bool registrado = RegistraReinicioSesion([] { gMiValor = {}; });
bool RegistraReinicioSesion(std::function<void()> reinicio);

// Every session value back to its default, every registered reset run and every global
// object released (tests: a clean session per test).
void ReiniciaSesion();
