#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A tiny HTTP server on 127.0.0.1 with an ephemeral port, serving one
// connection at a time on its own thread. It answers each request head with
// whatever the handler returns and closes the connection; a handler that
// returns no value leaves the client waiting without an answer. The server
// stops when destroyed or, at the latest, when its lifetime is over, so a
// test that goes wrong cannot hang on it.
class LoopbackHttpServer
{
public:
    using Handler = std::function<std::optional<std::string>(const std::string& requestHead)>;

    explicit LoopbackHttpServer(Handler handler,
                                std::chrono::milliseconds lifetime = std::chrono::seconds(10))
        : m_handler(std::move(handler)), m_deadline(std::chrono::steady_clock::now() + lifetime)
    {
        m_listener = OpenLoopbackSocket(m_port);
        if (::listen(m_listener, 8) != 0) {
            ::close(m_listener);
            throw std::runtime_error("listen failed");
        }
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackHttpServer()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    uint16_t Port() const { return m_port; }
    std::string Url(std::string_view path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
    }

    // The heads of the requests received so far, request line first.
    std::vector<std::string> Requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    static std::string Response(int status, std::string_view reason, std::string_view body,
                                std::string_view extraHeaders = {})
    {
        return "HTTP/1.0 " + std::to_string(status) + " " + std::string(reason) +
               "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
               std::string(extraHeaders) + "\r\n" + std::string(body);
    }

    static std::string Redirect(std::string_view location)
    {
        return Response(302, "Found", "", "Location: " + std::string(location) + "\r\n");
    }

    // The path of a request head's request line ("GET /a HTTP/1.0" gives "/a").
    static std::string PathOf(const std::string& head)
    {
        const auto start = head.find(' ');
        const auto end = head.find(' ', start + 1);
        if (start == std::string::npos || end == std::string::npos)
            return {};
        return head.substr(start + 1, end - start - 1);
    }

    // A socket bound to 127.0.0.1 on an ephemeral port; `port` receives it.
    static int OpenLoopbackSocket(uint16_t& port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            throw std::runtime_error("socket failed");
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            ::close(fd);
            throw std::runtime_error("bind failed");
        }
        port = ntohs(address.sin_port);
        return fd;
    }

private:
    static constexpr int kPollMs = 20;
    static constexpr std::size_t kMaxHead = 64 * 1024;

    bool Running() const { return !m_stop && std::chrono::steady_clock::now() < m_deadline; }

    // Waits for `events` on `fd` while the server runs; false when it stopped.
    bool WaitFor(int fd, short events) const
    {
        while (Running()) {
            pollfd entry{fd, events, 0};
            const int ready = ::poll(&entry, 1, kPollMs);
            if (ready > 0)
                return true;
            if (ready < 0 && errno != EINTR)
                return false;
        }
        return false;
    }

    void Serve()
    {
        while (WaitFor(m_listener, POLLIN)) {
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            ServeOne(client);
            ::close(client);
        }
    }

    void ServeOne(int client)
    {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos) {
            if (head.size() > kMaxHead || !WaitFor(client, POLLIN))
                return;
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0)
                return;
            head.append(buffer, static_cast<std::size_t>(got));
        }
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(head);
        }
        const std::optional<std::string> reply = m_handler(head);
        if (!reply) {
            // Stall: hold the connection until the client gives up or we stop.
            while (WaitFor(client, POLLIN)) {
                if (::recv(client, buffer, sizeof buffer, 0) <= 0)
                    return;
            }
            return;
        }
        std::string_view rest = *reply;
        while (!rest.empty() && WaitFor(client, POLLOUT)) {
            const ssize_t sent = ::send(client, rest.data(), rest.size(), MSG_NOSIGNAL);
            if (sent <= 0)
                return;
            rest.remove_prefix(static_cast<std::size_t>(sent));
        }
    }

    Handler m_handler;
    std::chrono::steady_clock::time_point m_deadline;
    int m_listener = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A loopback port that is bound but not listening: a connection to it is
// refused at once. The port stays reserved for the object's lifetime.
class LoopbackRefusingPort
{
public:
    LoopbackRefusingPort() : m_fd(LoopbackHttpServer::OpenLoopbackSocket(m_port)) {}
    ~LoopbackRefusingPort() { ::close(m_fd); }
    LoopbackRefusingPort(const LoopbackRefusingPort&) = delete;
    LoopbackRefusingPort& operator=(const LoopbackRefusingPort&) = delete;

    std::string Url(std::string_view path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
    }

private:
    uint16_t m_port = 0;
    int m_fd = -1;
};
