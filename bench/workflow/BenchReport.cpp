#include "BenchReport.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace Bench {

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double TimeMs(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return Milliseconds(Clock::now() - start);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianMs(const std::function<void()>& work, const std::function<void()>& prepare, int runs)
{
    std::vector<double> times;
    for (int i = 0; i <= runs; ++i) {
        if (prepare)
            prepare();
        const double ms = TimeMs(work);
        if (i > 0)
            times.push_back(ms);
    }
    return Median(times);
}

std::vector<double> InterleavedMedians(const std::vector<Work>& works, int runs)
{
    std::vector<std::vector<double>> times(works.size());
    for (int round = 0; round <= runs; ++round) {
        for (std::size_t w = 0; w < works.size(); ++w) {
            if (works[w].Prepare)
                works[w].Prepare();
            const double ms = TimeMs(works[w].Run);
            if (round > 0)
                times[w].push_back(ms);
        }
    }
    std::vector<double> medians;
    for (auto& t : times)
        medians.push_back(Median(t));
    return medians;
}

void Heading(const char* text)
{
    std::printf("\n%s\n", text);
}

void Figure(const char* what, double ms)
{
    std::printf("  %-52s %9.2f ms\n", what, ms);
}

void Compared(const char* what, double ms, double baselineMs)
{
    std::printf("  %-52s %9.2f ms  %7.2fx\n", what, ms, baselineMs / ms);
}

void Megabytes(const char* what, long kb)
{
    std::printf("  %-52s %9.1f MB\n", what, kb / 1024.0);
}

void Verdict(const char* target, bool met)
{
    std::printf("  target %s: %s\n", target, met ? "met" : "MISSED");
}

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long ProcStatusKb(const std::string& pid, const char* key)
{
    QFile status(QString::fromStdString("/proc/" + pid + "/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix(key);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace Bench
