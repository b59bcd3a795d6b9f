#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

// One program per user. The first program listens on a local socket named
// for the user; a later start hands its order file (or nothing, which only
// asks to raise the window) to it and ends. Since only the first program
// runs on, two programs never write the settings files at once.
//
// The message is the file's absolute path in UTF-8, ended by the closing of
// the connection. The listening socket and the connections are read from
// the event loop of the thread that called start(), never blocking it.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role
    {
        First,     // listening: this program runs on
        HandedOver // a running program took the request: this one ends
    };

    // The socket in the user's runtime folder, named with the user's id.
    static QString userServerName();

    explicit SingleInstance(QString serverName = userServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `orderFile` to a running program, or becomes the running one
    // when none answers. A socket left behind by a program that crashed is
    // removed. Starts are taken one at a time under a lock file, so two
    // programs started together do not both become the first. Should the
    // socket not be usable at all, the program runs on alone (First).
    Role start(const QString& orderFile);
    bool isListening() const;

Q_SIGNALS:
    // A later start named this file; the window rises and opens it.
    void fileRequested(const QString& path);
    // A later start named no file; the window rises.
    void activationRequested();

private:
    bool handOver(const QString& orderFile);
    void listen();
    void accept();
    void deliver(const QByteArray& message);

    QString m_serverName;
    int m_listener = -1;
    // The socket file this program made, and its inode: only that file is
    // removed at the end, not one a later program may have put there.
    QByteArray m_socketPath;
    unsigned long m_socketInode = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
