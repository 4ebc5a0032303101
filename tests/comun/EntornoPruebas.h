#pragma once

#include <QByteArray>
#include <QtGlobal>

// Makes a folder of its own inside the temporary folder (TMPDIR, else /tmp), names it TMPDIR for
// the process and its children, and removes it, with whatever is in it, when the process ends.
// What a test leaves behind, a killed child's temporary folders and CVERR.LOG included, goes too.
// The process's home and configuration folders (HOME, XDG_CONFIG_HOME...) are inside it.
void PreparaCarpetaTemporal();

// Every test program runs offscreen and finds the sources and the database scripts,
// whether it is started by CTest or by hand.
inline void PreparaEntornoPruebas() {
    PreparaCarpetaTemporal();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    if (qEnvironmentVariableIsEmpty("MODELOS_DB_DIR"))
        qputenv("MODELOS_DB_DIR", QByteArray(MODELOS_FUENTES_DIR "/db"));
    if (qEnvironmentVariableIsEmpty("MODELOS_FUENTES"))
        qputenv("MODELOS_FUENTES", QByteArray(MODELOS_FUENTES_DIR));
}
