#include "core/startup/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

namespace {

// Long enough for a program busy with a start-up step to accept the
// connection: the system queues it, so only a missing server fails fast.
constexpr int kTimeoutMs = 3000;
// A path is far shorter; anything longer is not from this program.
constexpr qint64 kLargestMessage = 64 * 1024;

} // namespace

QString SingleInstance::userServerName()
{
    // The runtime folder belongs to the user alone; other users cannot put
    // a socket of that name in the way.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/pelmora-") + QString::number(getuid());
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_serverName(std::move(serverName))
{}

SingleInstance::~SingleInstance() = default;

SingleInstance::Role SingleInstance::start(const QString& orderFile)
{
    // Held from the attempt to connect until this program listens, so that
    // of two programs started at once the second finds the first. A lock
    // left by a crashed program is taken over (its process is gone). Should
    // the lock not be had, the start goes on unguarded rather than not at all.
    QLockFile lock(m_serverName + QStringLiteral(".lock"));
    lock.tryLock(2 * kTimeoutMs);
    if (handOver(orderFile))
        return Role::HandedOver;
    listen();
    return Role::First;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::handOver(const QString& orderFile)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    // A program answered: it runs on, whatever becomes of the message.
    socket.write(orderFile.toUtf8());
    socket.flush();
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kTimeoutMs)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
    return true;
}

void SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered on the name, so a socket file there is one a crashed
    // program left behind.
    if (!m_server->listen(m_serverName)) {
        QLocalServer::removeServer(m_serverName);
        if (!m_server->listen(m_serverName)) {
            m_server.reset();
            return;
        }
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::accept);
}

void SingleInstance::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() <= kLargestMessage)
                return;
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { deliver(socket); });
    }
}

void SingleInstance::deliver(QLocalSocket* socket)
{
    socket->deleteLater();
    const QString path = QString::fromUtf8(socket->readAll());
    if (path.isEmpty())
        Q_EMIT activationRequested();
    else
        Q_EMIT fileRequested(path);
}
