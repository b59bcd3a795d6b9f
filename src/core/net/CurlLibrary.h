#pragma once

#include <curl/curl.h>
#include <string>

// libcurl is loaded at run time rather than linked: with its two dozen
// dependencies (TLS, Kerberos, LDAP, SSH, ...) it costs several milliseconds
// at every start, which a helper thread can spend while the windows are being
// built. Its headers still give the types and constants.
struct CurlFunctions
{
    CURLcode (*globalInit)(long flags) = nullptr;
    CURL* (*easyInit)() = nullptr;
    // Variadic like the library's own: the value is passed as its real type.
    CURLcode (*easySetopt)(CURL* handle, CURLoption option, ...) = nullptr;
    CURLcode (*easyPerform)(CURL* handle) = nullptr;
    const char* (*easyStrerror)(CURLcode code) = nullptr;
    void (*easyCleanup)(CURL* handle) = nullptr;
};

// The outcome of loading the library and running its global set-up: the
// functions, or a description of what failed (then `functions` is unusable).
struct CurlLoadResult
{
    CurlFunctions functions;
    std::string error;
};

// Loads the shared library `soname`, resolves the functions and runs
// curl_global_init. The library stays loaded for the life of the process.
CurlLoadResult LoadCurlLibrary(const char* soname);

// Starts loading the system's libcurl on a helper thread; later calls do
// nothing. Meant for the start, once its other threads are made and its other
// libraries loaded: until the library is mapped, those would wait for it.
void PreloadCurlLibrary();

// The loaded functions, waiting for the helper thread if it is still busy
// (and starting it when nothing has yet). Raises EHttpError when the library
// cannot be loaded, so a request fails as it would offline.
const CurlFunctions& Curl();
