#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// The benchmarks' clock and the one statistic they print.

inline double NowMilliseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The median time of `runs` calls of work, each after an untimed call of prepare.
template <class Prepare, class Work>
double MedianMilliseconds(int runs, Prepare prepare, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        prepare();
        const double start = NowMilliseconds();
        work();
        times.push_back(NowMilliseconds() - start);
    }
    return Median(times);
}

template <class Work> double MedianMilliseconds(int runs, Work work) {
    return MedianMilliseconds(
        runs, [] {}, work);
}
