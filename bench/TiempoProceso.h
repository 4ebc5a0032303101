#pragma once

#include <ctime>
#include <functional>

// The seconds of processor time the calling thread spends in `f`: other programs on a busy
// machine count against neither side of a comparison.
inline double TiempoProceso(const std::function<void()>& f) {
    timespec antes{};
    timespec despues{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &antes);
    f();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &despues);
    return static_cast<double>(despues.tv_sec - antes.tv_sec) + (despues.tv_nsec - antes.tv_nsec) / 1e9;
}
