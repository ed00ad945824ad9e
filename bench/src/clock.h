// Wall-clock timing and the few statistics the benchmark reports.
#pragma once

#include <vector>

namespace bench {

// Seconds since an arbitrary start, from the performance counter.
double Now();

double Median(std::vector<double> values);
double Smallest(const std::vector<double>& values);
double Largest(const std::vector<double>& values);
// The value below which the given share (0..1) of the values lie.
double Percentile(std::vector<double> values, double share);

}  // namespace bench
