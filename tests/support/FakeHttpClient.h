#pragma once

#include "core/seams/HttpClient.h"

#include <map>
#include <string>
#include <vector>

// Answers GET requests from a table; an address that is not in it fails as
// an unreachable server would.
class FakeHttpClient : public IHttpClient
{
public:
    std::map<std::string, std::string> Bodies;
    std::vector<std::string> Requests;

    std::string Get(const std::string& url) override
    {
        Requests.push_back(url);
        const auto found = Bodies.find(url);
        if (found == Bodies.end())
            throw EHttpError("Could not resolve host");
        return found->second;
    }
};
