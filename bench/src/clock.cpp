#include "clock.h"

#include <windows.h>

#include <algorithm>

namespace bench {

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        // Never fails on Windows XP and later; guard against a zero anyway.
        if (!::QueryPerformanceFrequency(&f) || f.QuadPart == 0) return 1000.0;
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER count{};
    if (!::QueryPerformanceCounter(&count)) return ::GetTickCount64() / 1000.0;
    return static_cast<double>(count.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) return values[middle];
    return (values[middle - 1] + values[middle]) / 2.0;
}

double Smallest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double Largest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const double place = share * static_cast<double>(values.size() - 1);
    return values[static_cast<std::size_t>(place + 0.5)];
}

}  // namespace bench
