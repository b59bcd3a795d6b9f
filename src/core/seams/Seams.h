#pragma once

class IClock;
class IHttpClient;
class IUserInteraction;

// The platform seams as one bundle: the program entry hands the real ones to
// the objects that ask, fetch or read the time; tests hand their fakes.
struct Seams
{
    IUserInteraction& ui;
    IHttpClient& http;
    const IClock& clock;
};
