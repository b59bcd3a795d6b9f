#include "app/NumberFormat.h"
#include "net/CurlHttpClient.h"
#include "net/EuroRate.h"
#include "support/LoopbackHttpServer.h"

#include <QDate>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

using namespace std::chrono_literals;

namespace {

// Points the client's proxy at a loopback server for one test, as a user's
// proxy setting would: the central bank's address then reaches the server.
class ScopedProxy
{
public:
    explicit ScopedProxy(const std::string& proxy)
    {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        ::setenv("http_proxy", proxy.c_str(), 1);
        ::unsetenv("no_proxy");
        ::unsetenv("NO_PROXY");
    }
    ~ScopedProxy()
    {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (m_saved[i])
                ::setenv(kNames[i], m_saved[i]->c_str(), 1);
            else
                ::unsetenv(kNames[i]);
        }
    }

private:
    static constexpr const char* kNames[] = {"http_proxy", "no_proxy", "NO_PROXY"};
    std::vector<std::optional<std::string>> m_saved;
};

std::string RatesPage(const std::string& euroCell)
{
    return "<html><body><table><tr><td>840</td><td>USD</td><td>1</td><td>Доллар США</td>"
           "<td>78,1000</td></tr><tr><td>978</td><td>EUR</td><td>1</td><td>Евро</td>\r\n"
           "  <td>" +
           euroCell + "</td></tr></table></body></html>";
}

TEST(EuroRateOverNetwork, ThroughAProxyWithTheRealClient)
{
    const struct
    {
        const char* name;
        std::string reply;
        double expected;
    } cases[] = {
        {"rounded down", LoopbackHttpServer::Response(200, "OK", RatesPage("89,1234")), 89.12},
        {"rounded up", LoopbackHttpServer::Response(200, "OK", RatesPage("89,1267")), 89.13},
        {"no euro cell", LoopbackHttpServer::Response(200, "OK", "<td>Доллар США</td>"), 0},
        {"not found", LoopbackHttpServer::Response(404, "Not Found", RatesPage("89,1")), 0},
        {"not UTF-8", LoopbackHttpServer::Response(200, "OK", RatesPage("89,12") + "\xFF"), 0},
        {"not a number", LoopbackHttpServer::Response(200, "OK", RatesPage("н/д")), 0},
    };
    const QDate day(2026, 2, 1);
    TFormatSettings dot;
    for (const auto& c : cases) {
        LoopbackHttpServer server([&](const std::string&) { return c.reply; });
        const ScopedProxy proxy(server.Url(""));
        TCurlHttpClient client(2s, 5s);
        EXPECT_DOUBLE_EQ(FetchEuroRate(client, day, dot), c.expected) << c.name;
        ASSERT_EQ(server.Requests().size(), 1u) << c.name;
        const std::string head = server.Requests()[0];
        EXPECT_EQ(head.substr(0, head.find("\r\n")),
                  "GET http://www.cbr.ru/currency_base/daily.aspx?date_req=01.02.2026 HTTP/1.0")
            << c.name;
    }
}

TEST(EuroRateOverNetwork, AStalledServerEndsAtTheTimeOut)
{
    LoopbackHttpServer server([](const std::string&) { return std::nullopt; });
    const ScopedProxy proxy(server.Url(""));
    TCurlHttpClient client(1s, 1s);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchEuroRate(client, QDate(2026, 3, 7), TFormatSettings()), 0);
    // Bounded by the client's time-out, not by the server's lifetime.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
}

} // namespace
