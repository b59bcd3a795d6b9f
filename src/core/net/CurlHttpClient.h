#pragma once

#include "core/seams/HttpClient.h"

#include <chrono>

// The real HTTP client: one GET over libcurl, HTTP/1.0, redirects followed
// (at most 15), a status of 400 or more counts as a failure. Proxies come from
// the usual environment variables (http_proxy, no_proxy, ...).
class TCurlHttpClient : public IHttpClient
{
public:
    static constexpr std::chrono::milliseconds kDefaultConnectTimeout{10'000};
    static constexpr std::chrono::milliseconds kDefaultTotalTimeout{30'000};
    // A body beyond this size is refused rather than held in memory.
    static constexpr std::size_t kMaxBodyBytes = 16 * 1024 * 1024;

    explicit TCurlHttpClient(std::chrono::milliseconds connectTimeout = kDefaultConnectTimeout,
                             std::chrono::milliseconds totalTimeout = kDefaultTotalTimeout);

    // Raises EHttpError with libcurl's description of what went wrong.
    std::string Get(const std::string& url) override;
    std::string GetUntilStopped(const std::string& url, std::stop_token stop) override;

private:
    std::chrono::milliseconds m_connectTimeout;
    std::chrono::milliseconds m_totalTimeout;
};
