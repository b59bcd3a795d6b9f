#include "core/net/PrefetchingHttpClient.h"

#include <utility>

PrefetchingHttpClient::PrefetchingHttpClient(IHttpClient& inner) : m_inner(inner) {}

PrefetchingHttpClient::~PrefetchingHttpClient()
{
    forgetPrefetched();
    // Each jthread asks its request to stop and joins as it is destroyed.
}

void PrefetchingHttpClient::prefetch(const std::string& url)
{
    if (m_pending.contains(url))
        return;
    std::promise<std::string> promise;
    Pending pending{promise.get_future(), {}};
    pending.request = std::jthread(
        [this, url](std::stop_token stop, std::promise<std::string> answer) {
            try {
                answer.set_value(m_inner.GetUntilStopped(url, stop));
            } catch (...) {
                answer.set_exception(std::current_exception());
            }
        },
        std::move(promise));
    m_pending.emplace(url, std::move(pending));
}

void PrefetchingHttpClient::forgetPrefetched()
{
    for (auto& [url, pending] : m_pending) {
        pending.request.request_stop();
        m_abandoned.push_back(std::move(pending.request));
    }
    m_pending.clear();
}

std::string PrefetchingHttpClient::Get(const std::string& url)
{
    const auto found = m_pending.find(url);
    if (found == m_pending.end())
        return m_inner.Get(url);
    Pending pending = std::move(found->second);
    m_pending.erase(found);
    // Rethrows the request's failure, as asking now would have.
    return pending.answer.get();
}
