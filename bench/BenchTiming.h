#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// The timing helpers the stand-alone benchmarks share.
inline double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
