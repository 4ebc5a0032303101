#pragma once

// What the benchmarks measure besides one side's time: the best of turns, the lines they print,
// the heap a result holds.

#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <vector>

// Turns per side; MODELOS_BENCH_VUELTAS overrides `porDefecto` (1 for a profiler run).
inline int VueltasBench(int porDefecto) {
    return qEnvironmentVariableIsSet("MODELOS_BENCH_VUELTAS")
               ? qEnvironmentVariableIntValue("MODELOS_BENCH_VUELTAS")
               : porDefecto;
}

// Sides timed in turns, so that all meet the same machine load: `vueltas` turns, each run of a
// side timed by `mide` (processor or wall-clock time).
struct Turnos {
    int vueltas;
    double (*mide)(const std::function<void()>&);

    // The best time of each side.
    std::vector<double> Mejores(const std::vector<std::function<void()>>& lados) const {
        std::vector<double> mejor(lados.size(), 1e30);
        for (int v = 0; v < vueltas; ++v)
            for (size_t i = 0; i < lados.size(); ++i)
                mejor[i] = std::min(mejor[i], mide(lados[i]));
        return mejor;
    }
};

inline void Informa(const char* nombre, double nuestro, double base) {
    std::printf("time %s %.4f\n", nombre, nuestro);
    std::printf("ratio %s %.2f\n", nombre, nuestro / base);
}

// The heap in use, in bytes, once what is free went back to the system.
inline size_t MemoriaEnUso() {
    malloc_trim(0);
    return mallinfo2().uordblks;
}
