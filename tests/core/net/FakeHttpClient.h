#pragma once

#include "net/HttpClient.h"

#include <optional>
#include <string>
#include <vector>

// Serves one scripted body for every GET, or fails like a network that cannot
// be reached; records the addresses asked for.
class FakeHttpClient : public IHttpClient
{
public:
    explicit FakeHttpClient(std::optional<std::string> body) : m_body(std::move(body)) {}

    std::string Get(const std::string& url) override
    {
        Urls.push_back(url);
        if (!m_body)
            throw EHttpError("Could not resolve host");
        return *m_body;
    }

    std::vector<std::string> Urls;

private:
    std::optional<std::string> m_body;
};
