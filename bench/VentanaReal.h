#pragma once

// Windows shown by the benchmarks: on the display server DISPLAY names (xvfb-run, a desktop),
// offscreen without one. What the user waits for is timed by the wall clock, as the program's
// own work alone is in the same process.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <functional>

// Before the application object: offscreen unless a platform or a display is given.
inline void EligePantalla() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline void InformaPantalla() {
    std::printf("pantalla %s\n", qPrintable(QGuiApplication::platformName()));
}

// The seconds `f` takes by the wall clock.
inline double TiempoReloj(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e9;
}

// The window shown and painted, as the program shows it.
inline void Expone(QWidget& w) {
    w.show();
    w.activateWindow();
    QElapsedTimer espera;
    espera.start();
    while (!(w.windowHandle() && w.windowHandle()->isExposed()) && espera.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
}
