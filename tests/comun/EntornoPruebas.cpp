#include "EntornoPruebas.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

std::string& CarpetaDelProceso() {
    static std::string carpeta;
    return carpeta;
}

pid_t& ProcesoDeLaCarpeta() {
    static pid_t pid = 0;
    return pid;
}

void QuitaCarpetaDelProceso() {
    // A forked child that exits normally must not take its parent's folder.
    if (getpid() != ProcesoDeLaCarpeta())
        return;
    std::error_code ignorado;
    std::filesystem::remove_all(CarpetaDelProceso(), ignorado);
}

} // namespace

void PreparaCarpetaTemporal() {
    QByteArray plantilla = qgetenv("TMPDIR");
    if (plantilla.isEmpty())
        plantilla = "/tmp";
    plantilla += "/pruebas-XXXXXX";
    // Without it the tests still run, in the machine's temporary folder.
    if (mkdtemp(plantilla.data()) == nullptr)
        return;
    CarpetaDelProceso() = plantilla.toStdString();
    ProcesoDeLaCarpeta() = getpid();
    qputenv("TMPDIR", plantilla);
    std::atexit(QuitaCarpetaDelProceso);
    // A home of its own: what Qt's dialogs write there goes with the folder. The XDG folders are
    // named too, in case the user's environment points them elsewhere. The ODBC driver manager
    // takes the user's file of data sources (which it creates when missing) from the password
    // database's home, not HOME: ODBCINI names it here, unless a test's environment names one.
    const QByteArray casa = plantilla + "/casa";
    std::error_code ignorado;
    std::filesystem::create_directories(casa.toStdString() + "/.config", ignorado);
    qputenv("HOME", casa);
    qputenv("XDG_CONFIG_HOME", casa + "/.config");
    qputenv("XDG_CACHE_HOME", casa + "/.cache");
    qputenv("XDG_DATA_HOME", casa + "/.local/share");
    qputenv("XDG_STATE_HOME", casa + "/.local/state");
    if (qEnvironmentVariableIsEmpty("ODBCINI"))
        qputenv("ODBCINI", casa + "/.odbc.ini");
}

// Leaks that LeakSanitizer reports inside third-party libraries (Qt's plugins, fontconfig,
// the ODBC driver manager) are theirs, not ours.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the sanitizer runtime looks this name up.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Widgets\nleak:libQt6Core\nleak:libqsqlite\n"
           "leak:libqsqlodbc\nleak:libodbc\nleak:libsqlite3odbc\nleak:libdbus\nleak:libglib\n";
}
