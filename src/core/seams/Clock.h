#pragma once

#include <QDateTime>

// The local date and time, behind a seam so that tests fix "now".
class IClock
{
public:
    virtual ~IClock() = default;
    virtual QDateTime Now() const = 0;
};

class TSystemClock : public IClock
{
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};
