#include "core/net/CurlHttpClient.h"
#include "core/net/EuroRate.h"
#include "core/text/NumberFormat.h"
#include "support/LoopbackHttpServer.h"
#include "support/ScopedEnvironment.h"

#include <QDate>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

using namespace std::chrono_literals;

// The central bank's address reaches the loopback server through the proxy
// setting, as it would through a user's proxy.
namespace {

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
        const ScopedEnvironment proxy({{"http_proxy", server.Url("")},
                                       {"no_proxy", std::nullopt},
                                       {"NO_PROXY", std::nullopt}});
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
    const ScopedEnvironment proxy(
        {{"http_proxy", server.Url("")}, {"no_proxy", std::nullopt}, {"NO_PROXY", std::nullopt}});
    TCurlHttpClient client(1s, 1s);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchEuroRate(client, QDate(2026, 3, 7), TFormatSettings()), 0);
    // Bounded by the client's time-out, not by the server's lifetime.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
}

} // namespace
