#pragma once

#include "core/seams/HttpClient.h"

#include <QCursor>
#include <QGuiApplication>

// The busy pointer for as long as the object lives.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A request blocks the window; the busy pointer tells the user why.
class BusyHttpClient : public IHttpClient
{
public:
    explicit BusyHttpClient(IHttpClient& inner) : m_inner(inner) {}
    std::string Get(const std::string& url) override
    {
        BusyCursor busy;
        return m_inner.Get(url);
    }

private:
    IHttpClient& m_inner;
};
