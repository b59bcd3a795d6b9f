#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace RestBench {

// A program started in a process group of its own, with its output
// discarded; ending it ends whatever it started.
class ChildProcess
{
public:
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool running() const;
    // Kilobytes resident now (VmRSS) and at most so far (VmHWM).
    long residentKb() const;
    long peakResidentKb() const;
    // VmRSS summed over the process and every process it started.
    long treeResidentKb() const;
    int treeSize() const;

private:
    std::vector<pid_t> tree() const;

    pid_t m_pid = -1;
};

// Runs a program to its end; raises when it fails.
void RunToEnd(const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment);

} // namespace RestBench
