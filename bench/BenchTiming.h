// What the benchmarks time with: one run of some work in milliseconds, and
// the median of many.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

inline double TimeMs(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + std::ptrdiff_t(times.size() / 2), times.end());
    return times[times.size() / 2];
}
