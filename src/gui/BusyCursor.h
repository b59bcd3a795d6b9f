#pragma once

#include "core/seams/HttpClient.h"

#include <QCursor>
#include <QGuiApplication>

// The busy pointer for as long as the object lives.
class TBusyCursor
{
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// A request blocks the window; the busy pointer tells the user why.
class TBusyHttpClient : public IHttpClient
{
public:
    explicit TBusyHttpClient(IHttpClient& inner) : m_inner(inner) {}
    std::string Get(const std::string& url) override
    {
        TBusyCursor busy;
        return m_inner.Get(url);
    }

private:
    IHttpClient& m_inner;
};
