#pragma once

#include "core/seams/HttpClient.h"

#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

// Asks ahead for answers that are sure to be needed soon, so that the network
// works on other threads while the window's thread does something else. The
// next Get of such an address takes its answer, or its failure, waiting for
// it if need be; the answer is taken once, and any other Get asks the inner
// client directly.
class PrefetchingHttpClient : public IHttpClient
{
public:
    explicit PrefetchingHttpClient(IHttpClient& inner);
    // Gives up the requests still running and waits for them to end.
    ~PrefetchingHttpClient() override;
    PrefetchingHttpClient(const PrefetchingHttpClient&) = delete;
    PrefetchingHttpClient& operator=(const PrefetchingHttpClient&) = delete;

    void prefetch(const std::string& url);
    // Answers not taken by now are dropped, so that a later Get asks afresh
    // rather than take an old answer; requests still running are given up.
    void forgetPrefetched();

    std::string Get(const std::string& url) override;

private:
    struct Pending
    {
        std::future<std::string> answer;
        std::jthread request;
    };

    IHttpClient& m_inner;
    std::map<std::string, Pending> m_pending;
    // Given up but perhaps not ended yet; joined when the client goes.
    std::vector<std::jthread> m_abandoned;
};
