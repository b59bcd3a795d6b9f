#include "gui/OrderFileRequests.h"

#include <QApplication>
#include <QWidget>

namespace {

// How soon a request waiting for a modal window to close is tried again.
constexpr int kRetryMs = 250;

} // namespace

OrderFileRequests::OrderFileRequests(QWidget& window) : QObject(&window), m_window(window)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &OrderFileRequests::serve);
}

void OrderFileRequests::requestFile(const QString& path)
{
    m_files.append(path);
    serve();
}

void OrderFileRequests::requestActivation()
{
    m_activate = true;
    serve();
}

void OrderFileRequests::startServing()
{
    m_serving = true;
    serve();
}

void OrderFileRequests::serve()
{
    // A question or dialog of the program is open, or a request is being
    // carried out (its own questions run a nested loop): later.
    if (!m_serving || m_busy)
        return;
    if (QApplication::activeModalWidget()) {
        m_retry.start();
        return;
    }
    if (m_activate || !m_files.isEmpty())
        raiseWindow();
    m_activate = false;
    m_busy = true;
    while (!m_files.isEmpty())
        Q_EMIT openRequested(m_files.takeFirst());
    m_busy = false;
}

void OrderFileRequests::raiseWindow()
{
    m_window.show();
    m_window.setWindowState((m_window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window.raise();
    m_window.activateWindow();
}
