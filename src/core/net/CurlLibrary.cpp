#include "core/net/CurlLibrary.h"

#include "core/SharedLibrary.h"
#include "core/seams/HttpClient.h"

#include <future>
#include <mutex>

namespace {

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
    SharedLibrary library(soname, "HTTP library");
    CurlFunctions& f = result.functions;
    const bool complete = library.resolve("curl_global_init", f.globalInit) &&
                          library.resolve("curl_easy_init", f.easyInit) &&
                          library.resolve("curl_easy_setopt", f.easySetopt) &&
                          library.resolve("curl_easy_perform", f.easyPerform) &&
                          library.resolve("curl_easy_strerror", f.easyStrerror) &&
                          library.resolve("curl_easy_cleanup", f.easyCleanup);
    if (!complete) {
        result.error = library.error();
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
