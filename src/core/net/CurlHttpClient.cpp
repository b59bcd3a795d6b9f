#include "core/net/CurlHttpClient.h"

#include "core/Version.h"
#include "core/net/CurlLibrary.h"
#include "core/text/SystemErrorText.h"

#include <memory>

namespace {

struct CurlHandleDeleter
{
    void operator()(CURL* handle) const { Curl().easyCleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlHandleDeleter>;

struct Download
{
    std::string Body;
    bool TooLarge = false;
};

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* userData)
{
    auto* download = static_cast<Download*>(userData);
    const std::size_t bytes = size * count;
    if (download->Body.size() + bytes > TCurlHttpClient::kMaxBodyBytes) {
        download->TooLarge = true;
        return 0; // makes libcurl abort the transfer
    }
    download->Body.append(data, bytes);
    return bytes;
}

// Asked by libcurl while a request runs, at the latest about once a second.
int AbortWhenStopped(void* stopToken, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const std::stop_token*>(stopToken)->stop_requested() ? 1 : 0;
}

template <typename T> void SetOption(CURL* handle, CURLoption option, T value)
{
    const CURLcode result = Curl().easySetopt(handle, option, value);
    if (result != CURLE_OK)
        throw EHttpError(Curl().easyStrerror(result));
}

} // namespace

TCurlHttpClient::TCurlHttpClient(std::chrono::milliseconds connectTimeout,
                                 std::chrono::milliseconds totalTimeout)
    : m_connectTimeout(connectTimeout), m_totalTimeout(totalTimeout)
{}

std::string TCurlHttpClient::Get(const std::string& url)
{
    return GetUntilStopped(url, {});
}

std::string TCurlHttpClient::GetUntilStopped(const std::string& url, std::stop_token stop)
{
    if (stop.stop_requested())
        throw EHttpError("The request was given up");
    const CurlFunctions& library = Curl(); // raises when the library is missing
    // Declared before the handle, which refers to both until it is cleaned up.
    Download download;
    char errorText[CURL_ERROR_SIZE] = {};
    CurlHandle handle(library.easyInit());
    if (!handle)
        throw EHttpError("Unable to create an HTTP session");
    CURL* curl = handle.get();
    static const std::string userAgent = std::string("PelmoraOrder/") + kProgramVersion;

    SetOption(curl, CURLOPT_ERRORBUFFER, errorText);
    SetOption(curl, CURLOPT_URL, url.c_str());
    SetOption(curl, CURLOPT_HTTPGET, 1L);
    SetOption(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    SetOption(curl, CURLOPT_FOLLOWLOCATION, 1L);
    SetOption(curl, CURLOPT_MAXREDIRS, 15L);
    SetOption(curl, CURLOPT_FAILONERROR, 1L);
    SetOption(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectTimeout.count()));
    SetOption(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(m_totalTimeout.count()));
    // Time-outs must not rely on SIGALRM: the program's other threads (Qt's)
    // would see the signal.
    SetOption(curl, CURLOPT_NOSIGNAL, 1L);
    // Only web addresses, also after a redirect: a server must not be able to
    // send the client to a local file or another protocol.
    SetOption(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    SetOption(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    SetOption(curl, CURLOPT_USERAGENT, userAgent.c_str());
    SetOption(curl, CURLOPT_WRITEFUNCTION, &AppendBody);
    SetOption(curl, CURLOPT_WRITEDATA, &download);
    if (stop.stop_possible()) {
        SetOption(curl, CURLOPT_NOPROGRESS, 0L);
        SetOption(curl, CURLOPT_XFERINFOFUNCTION, &AbortWhenStopped);
        SetOption(curl, CURLOPT_XFERINFODATA, &stop);
    }

    const CURLcode result = library.easyPerform(curl);
    if (download.TooLarge)
        throw EHttpError("The response is larger than " + std::to_string(kMaxBodyBytes) + " bytes");
    if (result != CURLE_OK)
        // libcurl's own text may end with the system's reason for a failure.
        throw EHttpError(errorText[0] != '\0' ? LocaleTextToCp1251(errorText)
                                              : library.easyStrerror(result));
    return std::move(download.Body);
}
