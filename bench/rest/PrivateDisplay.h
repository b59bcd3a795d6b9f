#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>

struct _XDisplay;

namespace RestBench {

using Clock = std::chrono::steady_clock;

// A private X server (Xvfb, no window manager) and a watch on the top-level
// windows that programs map on it.
class PrivateDisplay
{
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // ":N", for DISPLAY.
    const std::string& name() const { return m_name; }
    // Drops what was seen so far; call it before starting the program watched.
    void forgetWindows();
    // The moment a top-level window titled `title` was seen mapped, or none
    // by the deadline.
    std::optional<Clock::time_point> waitForWindow(const std::string& title,
                                                   Clock::time_point deadline);

private:
    std::string titleOf(unsigned long window) const;

    pid_t m_server = -1;
    std::string m_name;
    _XDisplay* m_display = nullptr;
};

} // namespace RestBench
