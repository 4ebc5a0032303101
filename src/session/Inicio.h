#pragma once

#include <QString>
#include <QtGlobal>

// Thrown when the program must end at once (start-up without a connection); main() lets it
// reach its own frame and returns `codigo` as the exit status. Not an ErrorSistema, so no
// error handler on the way takes it for a step's failure.
struct FinPrograma {
    int codigo = 1;
};

// The program's start-up: reads the session command text (or the process's command line,
// or, when asked and both are empty, a default session from the INI file), connects AD()
// and the statistics database, and sets the session values. Ends the program (FinPrograma)
// when no connection results. `cadenaConexion` gets the Oracle form when it arrives empty
// and the server begins with "#"; `opcionConexion` goes to AD().Conecta unchanged.
void InicializaSistema(bool usarIni, const QString& lineaComando, QString& cadenaConexion,
                       qint32 opcionConexion);

// (Re)connects gBaseEstadisticas() to CV_ESTADISTICAS on the main server and sets gTimeOut
// from its setting TimeOut (360 when it reads 0 or cannot be read). Skips every failing step.
void ObtieneBaseEstadisticas();

// The server name in a server text: the part after the first "/", cut before the first ":".
QString ObtieneServidor(const QString& servidor);

// The value of one key of a session command text: the first item "key = value" whose key
// equals `clave` without regard to case; the value runs to the next ";" or to the end, loses
// every "=" and is trimmed. `siFalta` when no item has that key.
QString LeeClave(const QString& lineaComando, const QString& clave, const QString& siFalta = {});

// A connection or session text with the value of every password item ("PWD=", "Password=",
// "@Password=", a braced ODBC value too) hidden as "****"; the rest as it stands.
QString OcultaClaves(const QString& texto);

// The process's command line: the program's arguments joined by blanks.
QString LineaComandoProceso();

// The embedded database used when the session names neither server nor user (nor database):
// "modelos.db" in the program's folder.
QString RutaBaseDefecto();

// The default session built from the INI file's section "MACHINE|USERBaseDeDatos".
QString SesionDesdeIni();

// "MACHINE|USER" in upper case, cut to 50 characters when longer.
QString SeccionIni();
