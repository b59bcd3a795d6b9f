#pragma once

#include <string>

// A shared library opened at run time instead of linked, so that the
// dynamic loader spends nothing on it at start. It is never closed: the
// functions taken from it live in tables kept for the life of the process.
class SharedLibrary
{
public:
    // Opens `soname` with every symbol bound at once and none made global;
    // `role` names the library in the error texts, e.g. "HTTP library".
    SharedLibrary(const char* soname, const char* role);

    // Sets `function` to the library's function `name`; false, with error()
    // telling why, when the library did not open or lacks the function.
    template <typename Function> bool resolve(const char* name, Function& function)
    {
        function = reinterpret_cast<Function>(address(name));
        return function != nullptr;
    }

    // Why the library did not open or the last resolve() failed, in English
    // for logs and exceptions; empty while all went well.
    const std::string& error() const { return m_error; }

private:
    void* address(const char* name);

    std::string m_soname;
    std::string m_role;
    void* m_handle;
    std::string m_error;
};
