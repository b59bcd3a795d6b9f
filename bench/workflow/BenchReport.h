#pragma once

// Timing and printing for the whole-program benchmark: medians of repeated
// runs, figures beside their baselines, targets met or missed.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace Bench {

using Clock = std::chrono::steady_clock;

// Runs per figure, after one unmeasured warm-up run.
constexpr int kRuns = 7;

double Milliseconds(Clock::duration d);
double TimeMs(const std::function<void()>& work);
double Median(std::vector<double> values);

// The median of `runs` runs after one unmeasured warm-up run. `prepare`, when
// given, runs untimed before each run.
double MedianMs(const std::function<void()>& work, const std::function<void()>& prepare = {},
                int runs = kRuns);

// Several pieces of work measured in alternation, so that a change in the
// machine's load (it is shared) falls on all of them alike: the medians of
// `runs` rounds after one warm-up round, in the order given.
struct Work
{
    std::function<void()> Run;
    std::function<void()> Prepare = {};
};
std::vector<double> InterleavedMedians(const std::vector<Work>& works, int runs = kRuns);

void Heading(const char* text);
void Figure(const char* what, double ms);
// A figure with the ratio to its baseline: how many times the figure's time
// the baseline took (below 1: the figure is slower than its baseline).
void Compared(const char* what, double ms, double baselineMs);
void Megabytes(const char* what, long kb);
void Verdict(const char* target, bool met);

// This process's ru_maxrss in KB.
long PeakResidentKb();
// A "Vm...:" line of /proc/<pid>/status in KB ("self" for this process); -1
// when it cannot be read.
long ProcStatusKb(const std::string& pid, const char* key);

} // namespace Bench
