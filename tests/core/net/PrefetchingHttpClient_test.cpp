#include "core/net/PrefetchingHttpClient.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

// Answers "ok:<address>", fails for addresses starting "bad", and holds
// addresses starting "slow" until the request is stopped; counts what it was
// asked, from any thread.
class CountingClient : public IHttpClient
{
public:
    std::string Get(const std::string& url) override { return GetUntilStopped(url, {}); }

    std::string GetUntilStopped(const std::string& url, std::stop_token stop) override
    {
        std::unique_lock lock(m_mutex);
        ++m_asked[url];
        if (url.starts_with("slow")) {
            std::condition_variable_any().wait(lock, stop, [] { return false; });
            ++m_stopped;
            throw EHttpError("given up");
        }
        if (url.starts_with("bad"))
            throw EHttpError("unreachable");
        return "ok:" + url;
    }

    int asked(const std::string& url)
    {
        std::lock_guard lock(m_mutex);
        return m_asked[url];
    }
    int stopped()
    {
        std::lock_guard lock(m_mutex);
        return m_stopped;
    }

private:
    std::mutex m_mutex;
    std::map<std::string, int> m_asked;
    int m_stopped = 0;
};

TEST(PrefetchingHttpClientTest, APrefetchedAnswerIsTakenOnceAndOthersAreAskedDirectly)
{
    CountingClient inner;
    PrefetchingHttpClient client(inner);
    client.prefetch("rate");
    client.prefetch("bad-update");

    EXPECT_EQ(client.Get("rate"), "ok:rate");
    EXPECT_EQ(inner.asked("rate"), 1);
    // The failure reaches the caller as if it had asked now.
    EXPECT_THROW(client.Get("bad-update"), EHttpError);
    EXPECT_EQ(inner.asked("bad-update"), 1);

    EXPECT_EQ(client.Get("rate"), "ok:rate");
    EXPECT_EQ(client.Get("other"), "ok:other");
    EXPECT_EQ(inner.asked("rate"), 2);
    EXPECT_EQ(inner.asked("other"), 1);
}

TEST(PrefetchingHttpClientTest, ForgottenAnswersAreAskedAfreshAndRunningRequestsGivenUp)
{
    CountingClient inner;
    {
        PrefetchingHttpClient client(inner);
        client.prefetch("rate");
        client.prefetch("slow-update");
        while (inner.asked("rate") == 0 || inner.asked("slow-update") == 0)
            std::this_thread::yield();
        client.forgetPrefetched();

        EXPECT_EQ(client.Get("rate"), "ok:rate");
        EXPECT_EQ(inner.asked("rate"), 2);
    } // would hang here if the slow request were not given up
    EXPECT_EQ(inner.stopped(), 1);
}

} // namespace
