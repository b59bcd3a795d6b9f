#include "core/startup/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Long enough for a program busy with a start-up step to accept the
// connection: the system queues it, so only a missing server fails fast.
constexpr int kTimeoutMs = 3000;
// A path is far shorter; anything longer is not from this program.
constexpr qsizetype kLargestMessage = 64 * 1024;

// The socket's address, or nothing when the path does not fit in it.
std::optional<sockaddr_un> AddressOf(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return address;
}

const sockaddr* AsSockaddr(const sockaddr_un& address)
{
    return reinterpret_cast<const sockaddr*>(&address);
}

void CloseDescriptor(int fd)
{
    // Linux frees the descriptor even when close is interrupted: no retry.
    if (fd >= 0)
        ::close(fd);
}

// Connects with a bounded wait: a full queue at the server makes connect
// wait for the send timeout rather than for ever.
int ConnectTo(const sockaddr_un& address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const timeval timeout{kTimeoutMs / 1000, (kTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    int result = ::connect(fd, AsSockaddr(address), sizeof address);
    while (result < 0 && errno == EINTR)
        result = ::connect(fd, AsSockaddr(address), sizeof address);
    if (result < 0 && errno != EISCONN) {
        CloseDescriptor(fd);
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const QByteArray& data)
{
    const char* next = data.constData();
    std::size_t left = static_cast<std::size_t>(data.size());
    while (left > 0) {
        const ssize_t written = ::send(fd, next, left, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// One accepted connection, read as its data arrives until the other side
// closes it. It deletes itself when done.
class Connection : public QObject
{
public:
    Connection(int fd, QObject* parent, std::function<void(const QByteArray&)> deliver)
        : QObject(parent), m_fd(fd), m_notifier(fd, QSocketNotifier::Read),
          m_deliver(std::move(deliver))
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &Connection::read);
    }
    ~Connection() override { CloseDescriptor(m_fd); }

private:
    void read()
    {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            if (got > 0) {
                m_message.append(buffer, got);
                if (m_message.size() <= kLargestMessage)
                    continue;
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                return;
            } else if (got == 0) {
                m_deliver(m_message);
            }
            // Ended, failed or too long: the connection is done with.
            m_notifier.setEnabled(false);
            deleteLater();
            return;
        }
    }

    int m_fd;
    QSocketNotifier m_notifier;
    std::function<void(const QByteArray&)> m_deliver;
    QByteArray m_message;
};

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

SingleInstance::~SingleInstance()
{
    if (m_listener < 0)
        return;
    m_notifier.reset();
    CloseDescriptor(m_listener);
    struct stat file = {};
    if (::lstat(m_socketPath.constData(), &file) == 0 && file.st_ino == m_socketInode)
        ::unlink(m_socketPath.constData());
}

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
    return m_listener >= 0;
}

bool SingleInstance::handOver(const QString& orderFile)
{
    const auto address = AddressOf(QFile::encodeName(m_serverName));
    if (!address)
        return false;
    const int fd = ConnectTo(*address);
    if (fd < 0)
        return false;
    // A program answered: it runs on, whatever becomes of the message. The
    // data is in its queue once written, so closing at once loses nothing.
    WriteAll(fd, orderFile.toUtf8());
    CloseDescriptor(fd);
    return true;
}

void SingleInstance::listen()
{
    const QByteArray path = QFile::encodeName(m_serverName);
    const auto address = AddressOf(path);
    if (!address)
        return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // Nobody answered on the name, so a socket file there is one a crashed
    // program left behind.
    bool bound = ::bind(fd, AsSockaddr(*address), sizeof *address) == 0;
    if (!bound && errno == EADDRINUSE && ::unlink(path.constData()) == 0)
        bound = ::bind(fd, AsSockaddr(*address), sizeof *address) == 0;
    struct stat file = {};
    if (!bound || ::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 ||
        ::lstat(path.constData(), &file) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        if (bound)
            ::unlink(path.constData());
        CloseDescriptor(fd);
        return;
    }
    m_listener = fd;
    m_socketPath = path;
    m_socketInode = static_cast<unsigned long>(file.st_ino);
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SingleInstance::accept);
}

void SingleInstance::accept()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            new Connection(fd, this, [this](const QByteArray& message) { deliver(message); });
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        // Out of descriptors, or the like: the waiting connection would wake
        // the notifier again at once, so the socket rests for a moment
        // instead of spinning the window's thread.
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            m_notifier->setEnabled(false);
            QTimer::singleShot(100, this, [this] {
                if (m_notifier)
                    m_notifier->setEnabled(true);
            });
        }
        return;
    }
}

void SingleInstance::deliver(const QByteArray& message)
{
    const QString path = QString::fromUtf8(message);
    if (path.isEmpty())
        Q_EMIT activationRequested();
    else
        Q_EMIT fileRequested(path);
}
