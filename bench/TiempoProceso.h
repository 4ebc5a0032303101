#pragma once

#include <ctime>
#include <functional>

// The processor time the calling thread has spent so far, in seconds: other programs on a busy
// machine count against neither side of a comparison.
inline double TiempoHilo() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The seconds of processor time the calling thread spends in `f`.
inline double TiempoProceso(const std::function<void()>& f) {
    const double antes = TiempoHilo();
    f();
    return TiempoHilo() - antes;
}
