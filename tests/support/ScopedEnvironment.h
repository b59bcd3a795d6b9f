#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Sets or removes environment variables for the lifetime of the object and
// puts the previous values back afterwards.
class ScopedEnvironment
{
public:
    // A value of nullopt removes the variable.
    explicit ScopedEnvironment(
        std::vector<std::pair<std::string, std::optional<std::string>>> changes)
    {
        for (const auto& [name, value] : changes) {
            const char* previous = std::getenv(name.c_str());
            m_saved.emplace_back(name,
                                 previous ? std::optional<std::string>(previous) : std::nullopt);
            Apply(name, value);
        }
    }
    ~ScopedEnvironment()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            Apply(it->first, it->second);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static void Apply(const std::string& name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
