// The best of several timings of a piece of work, for the benchmarks of both builds.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace bench {

// The shortest of `runs` timings of work, in Unit (std::milli, std::micro); with warmUp, one
// untimed run first (file system and shell caches).
template <typename Unit>
double BestTime(int runs, const std::function<void()>& work, bool warmUp = false) {
    using Clock = std::chrono::steady_clock;
    if (warmUp)
        work();
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, Unit>(Clock::now() - start).count());
    }
    return best;
}

// The best of `runs` timings in milliseconds, after one warm-up run.
inline double BestMilliseconds(int runs, const std::function<void()>& work) {
    return BestTime<std::milli>(runs, work, true);
}

} // namespace bench
