#pragma once

#include <QByteArray>
#include <QtGlobal>

// Every test program runs offscreen and finds the sources and the database scripts,
// whether it is started by CTest or by hand.
inline void PreparaEntornoPruebas() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    if (qEnvironmentVariableIsEmpty("MODELOS_DB_DIR"))
        qputenv("MODELOS_DB_DIR", QByteArray(MODELOS_FUENTES_DIR "/db"));
    if (qEnvironmentVariableIsEmpty("MODELOS_FUENTES"))
        qputenv("MODELOS_FUENTES", QByteArray(MODELOS_FUENTES_DIR));
}
