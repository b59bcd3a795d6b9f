#include "core/SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const char* soname, const char* role)
    : m_soname(soname), m_role(role), m_handle(dlopen(soname, RTLD_NOW | RTLD_LOCAL))
{
    if (m_handle != nullptr)
        return;
    const char* reason = dlerror();
    m_error = "Unable to load the " + m_role + ": " + (reason != nullptr ? reason : m_soname);
}

void* SharedLibrary::address(const char* name)
{
    if (m_handle == nullptr)
        return nullptr;
    void* found = dlsym(m_handle, name);
    if (found == nullptr)
        m_error = "The " + m_role + " " + m_soname + " lacks " + name;
    return found;
}
