#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <clocale>
#include <functional>
#include <string>

// The event loop that local sockets need, made once for the whole run.
// QCoreApplication sets the C library's locale from the environment; the
// locale the run was started under is put back, so that the run still
// tests what it claims to.
inline void EnsureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    static int argc = 1;
    static char name[] = "pelmora_core_tests";
    static char* argv[] = {name, nullptr};
    // Never deleted: the run ends with it.
    new QCoreApplication(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
}

// Runs the event loop until `done` holds or five seconds have passed.
inline bool ProcessEventsUntil(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}
