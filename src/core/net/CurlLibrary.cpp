#include "core/net/CurlLibrary.h"

#include "core/seams/HttpClient.h"

#include <dlfcn.h>
#include <future>
#include <mutex>

namespace {

template <typename Function> bool Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::shared_future<CurlLoadResult>& PendingLoad()
{
    static std::shared_future<CurlLoadResult> load;
    return load;
}

std::once_flag& LoadStarted()
{
    static std::once_flag started;
    return started;
}

} // namespace

CurlLoadResult LoadCurlLibrary(const char* soname)
{
    CurlLoadResult result;
    void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = dlerror();
        result.error = std::string("Unable to load the HTTP library: ") +
                       (reason != nullptr ? reason : soname);
        return result;
    }
    CurlFunctions& f = result.functions;
    const bool complete = Resolve(library, "curl_global_init", f.globalInit) &&
                          Resolve(library, "curl_easy_init", f.easyInit) &&
                          Resolve(library, "curl_easy_setopt", f.easySetopt) &&
                          Resolve(library, "curl_easy_perform", f.easyPerform) &&
                          Resolve(library, "curl_easy_strerror", f.easyStrerror) &&
                          Resolve(library, "curl_easy_cleanup", f.easyCleanup);
    if (!complete) {
        result.error = std::string("The HTTP library ") + soname + " lacks a function";
        return result;
    }
    // The global set-up must run once, before any handle exists; nothing uses
    // the library before this result is handed out.
    const CURLcode code = f.globalInit(CURL_GLOBAL_DEFAULT);
    if (code != CURLE_OK)
        result.error = f.easyStrerror(code);
    return result;
}

void PreloadCurlLibrary()
{
    std::call_once(LoadStarted(), [] {
        PendingLoad() =
            std::async(std::launch::async, [] { return LoadCurlLibrary("libcurl.so.4"); });
    });
}

const CurlFunctions& Curl()
{
    PreloadCurlLibrary();
    const CurlLoadResult& loaded = PendingLoad().get();
    if (!loaded.error.empty())
        throw EHttpError(loaded.error);
    return loaded.functions;
}
