#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Starts another program of the suite and hands it the session. `programa` is the suite's form
// "shell:NAME" (or "SHELL NAME"), a path with "\", or a bare name; `parametroAdicional` loses
// everything up to and including its first blank (the caller's variable too). `tarea` gets
// the started program's process id, 0 when none started; then "Opcion no Implementada!" is
// shown. Failures go to ReportaError ("MenuExes"): Retry starts again, Ignore goes on, any
// other answer leaves.
void MenuExes(const QString& programa, QString& parametroAdicional, qint32& tarea);

// The session text handed to the started program (begins with " ; @server=").
QString SesionMenuExes(const QString& parametroAdicional);

// The command text: the program part chosen by the form of `programa`, then `sesion`.
QString ComandoMenuExes(const QString& programa, const QString& sesion);

// The folder of the suite's programs: the variable MODELOS_PROGRAMAS when set, else this
// program's own folder; ending in one "/".
QString CarpetaProgramas();

// The executable and arguments that stand for a program part (the text after the folder) on
// this machine: its first word when that is an absolute path to a file; otherwise the first
// word's file name (after the last "\" or "/") looked up in CarpetaProgramas() without regard
// to case, with or without ".exe" (the suite's Windows names map onto Linux executables).
// The other words are arguments. Not found: that name in the folder (the start then fails;
// the PATH is never searched).
QStringList ResuelveProgramaSuite(const QString& parte);
