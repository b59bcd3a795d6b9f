#include "core/net/CurlHttpClient.h"

#include "support/LoopbackHttpServer.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <thread>

using namespace std::chrono_literals;

namespace {

// The client takes its proxies from the environment, as the program does on
// the user's machine; a proxy configured on the test machine must not stand
// between the client and the loopback server. "*" exempts every host.
class CurlHttpClientTest : public ::testing::Test
{
protected:
    ScopedEnvironment m_environment{{{"no_proxy", "*"}, {"NO_PROXY", "*"}}};
};

std::string ErrorOf(IHttpClient& client, const std::string& url)
{
    try {
        client.Get(url);
    } catch (const EHttpError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no EHttpError for " << url;
    return {};
}

TEST_F(CurlHttpClientTest, ReturnsTheBodyBytesOfOneHttp10Get)
{
    const std::string body("line 1\r\n\xC5\xE2\xF0\xEE\0end", 16);
    LoopbackHttpServer server(
        [&](const std::string&) { return LoopbackHttpServer::Response(200, "OK", body); });

    TCurlHttpClient client;
    EXPECT_EQ(client.Get(server.Url("/currency_base/daily.aspx?date_req=01.02.2026")), body);

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")),
              "GET /currency_base/daily.aspx?date_req=01.02.2026 HTTP/1.0");
}

TEST_F(CurlHttpClientTest, ErrorStatusIsAFailure)
{
    for (const int status : {400, 404, 500}) {
        LoopbackHttpServer server([&](const std::string&) {
            return LoopbackHttpServer::Response(status, "Bad", "an error page");
        });
        TCurlHttpClient client;
        EXPECT_NE(
            ErrorOf(client, server.Url("/kesta/lastversion.txt")).find(std::to_string(status)),
            std::string::npos);
    }
}

TEST_F(CurlHttpClientTest, FollowsRedirects)
{
    LoopbackHttpServer server([](const std::string& head) {
        const std::string path = LoopbackHttpServer::PathOf(head);
        if (path == "/old")
            return LoopbackHttpServer::Redirect("/middle");
        if (path == "/middle")
            return LoopbackHttpServer::Response(301, "Moved", "", "Location: /new\r\n");
        return LoopbackHttpServer::Response(200, "OK", "arrived at " + path);
    });

    TCurlHttpClient client;
    EXPECT_EQ(client.Get(server.Url("/old")), "arrived at /new");
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST_F(CurlHttpClientTest, GivesUpAfterFifteenRedirects)
{
    LoopbackHttpServer server(
        [](const std::string&) { return LoopbackHttpServer::Redirect("/again"); });

    TCurlHttpClient client;
    ErrorOf(client, server.Url("/again"));
    EXPECT_EQ(server.Requests().size(), 16u); // the request and 15 redirects
}

TEST_F(CurlHttpClientTest, RefusesRedirectsAwayFromTheWeb)
{
    LoopbackHttpServer server(
        [](const std::string&) { return LoopbackHttpServer::Redirect("file:///etc/hostname"); });

    TCurlHttpClient client;
    ErrorOf(client, server.Url("/elsewhere"));
}

TEST_F(CurlHttpClientTest, StalledServerFailsAtTheTotalTimeOut)
{
    LoopbackHttpServer server([](const std::string&) { return std::optional<std::string>(); });

    TCurlHttpClient client(1s, 1s);
    // The server would drop the connection only after its own, much longer
    // lifetime; what ends the request is the client's time-out.
    EXPECT_NE(ErrorOf(client, server.Url("/slow")).find("timed out"), std::string::npos);
}

TEST_F(CurlHttpClientTest, StalledRequestIsGivenUpWhenStopped)
{
    LoopbackHttpServer server([](const std::string&) { return std::optional<std::string>(); });
    TCurlHttpClient client(30s, 30s);
    std::stop_source stop;
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(100ms);
        stop.request_stop();
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_THROW(client.GetUntilStopped(server.Url("/slow"), stop.get_token()), EHttpError);
    stopper.join();
    // Far below the time-outs: the stop ended the request.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_THROW(client.GetUntilStopped(server.Url("/slow"), stop.get_token()), EHttpError);
}

TEST_F(CurlHttpClientTest, RefusedConnectionIsAFailure)
{
    LoopbackRefusingPort port;
    TCurlHttpClient client;
    EXPECT_FALSE(ErrorOf(client, port.Url("/")).empty());
}

TEST_F(CurlHttpClientTest, OversizedBodyIsAFailure)
{
    const std::string body(TCurlHttpClient::kMaxBodyBytes + 1, 'x');
    LoopbackHttpServer server(
        [&](const std::string&) { return LoopbackHttpServer::Response(200, "OK", body); });

    TCurlHttpClient client;
    ErrorOf(client, server.Url("/huge"));
}

} // namespace
