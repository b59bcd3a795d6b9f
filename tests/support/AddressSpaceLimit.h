#pragma once

#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

// Lets the process map at most `extraBytes` beyond what it has mapped now,
// for the lifetime of the object: an allocation past that fails with
// std::bad_alloc, so a test sees memory blow up as an exception.
class ScopedAddressSpaceLimit
{
public:
    // AddressSanitizer reserves its shadow memory up front and cannot work
    // under a tight limit; tests skip the bound there.
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kAvailable = false;
#else
    static constexpr bool kAvailable = true;
#endif

    explicit ScopedAddressSpaceLimit(rlim_t extraBytes)
    {
        getrlimit(RLIMIT_AS, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = MappedBytes() + extraBytes;
        if (m_saved.rlim_max != RLIM_INFINITY && limited.rlim_cur > m_saved.rlim_max)
            limited.rlim_cur = m_saved.rlim_max;
        setrlimit(RLIMIT_AS, &limited);
    }
    ~ScopedAddressSpaceLimit()
    {
        setrlimit(RLIMIT_AS, &m_saved);
    }
    ScopedAddressSpaceLimit(const ScopedAddressSpaceLimit&) = delete;
    ScopedAddressSpaceLimit& operator=(const ScopedAddressSpaceLimit&) = delete;

private:
    static rlim_t MappedBytes()
    {
        rlim_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        return pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
    }

    rlimit m_saved{};
};
