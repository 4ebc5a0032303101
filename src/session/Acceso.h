#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// The session's row in the access log Control_Acceso, its exit stamp, and the program's shutdown.

// Writes this session's row (machine, user, program, task, entry time "dd/mm/yy hh:mm", user
// name) and keeps its Id in gIdControlAcceso. `programa` empty: the executable's name. Sets
// gUsuarioLogeado to the connection's user. Refuses nobody: every failing step is skipped (a
// refused insert is reported as every batch is, and leaves gIdControlAcceso as it was).
void RegistraIngreso(const QString& programa);

// Stamps the exit time on this session's row while its Egreso is still empty. An error is shown
// in a message box (OK, the application's title) and nothing more.
void RegistraEgreso();

// The program's shutdown: RegistraEgreso, then the global objects released in the suite's
// order, skipping those never created. Afterwards no global object may be used; the caller
// ends the program. The search window and gBaseEstadisticas() are not released here.
void TerminaSistema();

// The global objects in the order shutdown releases them.
enum class ObjetoGlobal {
    LectorIni,
    Utilidades,
    DllDisplay, // the progress banner of the stock posting
    AyudaFormularios,
    AccesoDatos,
    InfoMaquina,
    ExportadorPlanilla,
    AuxInicio,
};
const std::vector<ObjetoGlobal>& OrdenLiberacion();

// Objects kept outside this library (the progress banner, the form helper, the spreadsheet
// exporter) say, when they create their program-wide instance, how shutdown releases it. The
// function runs once, at shutdown or at ReiniciaSesion(), and is then forgotten. Registering
// one of the objects this library keeps itself raises ErrorSistema 5.
void RegistraLiberacion(ObjetoGlobal objeto, std::function<void()> libera);

// The task lookup of the access log.
QString SentenciaTarea(const QString& usuario, const QString& programa);
// The task name when the lookup finds no task: "Menu Principal" for the menu program, the
// executable's name when the database user is the database's name or the supervisor, else empty.
QString TareaPorDefecto(const QString& ejecutable);
// The exit stamp's UPDATE of row `id` at `momento`.
QString SentenciaEgreso(qint32 id, const QDateTime& momento);

// The suite's program names the access log knows: variant executables and the program they
// stand for; programs recorded without a task; the backup utility, which leaves no row; the
// menu program; the built-in supervisor user.
const std::vector<std::pair<QString, QString>>& AliasProgramas();
const QStringList& ProgramasSinTarea();
QString ProgramaResguardo();
QString ProgramaMenu();
QString UsuarioSupervisor();
