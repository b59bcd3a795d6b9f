#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QWidget;

// Order files the program is asked to open from outside: named on its
// command line or handed over by a later start. They wait until the start-up
// sequence has run and no modal window is open; then the window rises and
// each is passed on, in the order asked, to be opened as "Открыть заказ"
// would open it.
class OrderFileRequests : public QObject
{
    Q_OBJECT
public:
    explicit OrderFileRequests(QWidget& window);

    void requestFile(const QString& path);
    // Only raises the window.
    void requestActivation();
    // The start-up sequence has run: the requests are carried out from now on.
    void startServing();

Q_SIGNALS:
    void openRequested(const QString& path);

private:
    void serve();
    void raiseWindow();

    QWidget& m_window;
    QStringList m_files;
    bool m_activate = false;
    bool m_serving = false;
    bool m_busy = false;
    QTimer m_retry;
};
