#pragma once

#include <stdexcept>
#include <stop_token>
#include <string>

class EHttpError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One synchronous GET; the seam between the program and the network.
class IHttpClient
{
public:
    virtual ~IHttpClient() = default;
    // The response body as bytes; raises EHttpError on any failure
    // (resolution, connection, time-out, a status of 400 or more).
    virtual std::string Get(const std::string& url) = 0;
    // The same GET, given up with EHttpError soon after `stop` is requested.
    // A client that cannot be interrupted finishes the request instead.
    virtual std::string GetUntilStopped(const std::string& url, std::stop_token stop)
    {
        (void)stop;
        return Get(url);
    }
};
