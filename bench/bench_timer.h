#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace netedit::bench {

// The best of `runs` timings in seconds: the least disturbed run is the one to compare.
inline double BestSeconds(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

#ifndef _WIN32
// Benchmarks of the window run on the offscreen platform unless told otherwise.
inline void UseOffscreenPlatformUnlessSet() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
}
#endif

inline void Report(const char* what, double seconds, double baseline, const char* target) {
    std::printf("%-44s %8.4f s  %5.2fx baseline  (target %s)\n", what, seconds, seconds / baseline, target);
}

} // namespace netedit::bench
