#include "core/startup/SingleInstance.h"
#include "support/CoreApplication.h"
#include "support/TempDir.h"

#include <QFileInfo>

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct Received
{
    QStringList files;
    int activations = 0;

    void listenTo(SingleInstance& instance)
    {
        QObject::connect(&instance, &SingleInstance::fileRequested,
                         [this](const QString& path) { files.append(path); });
        QObject::connect(&instance, &SingleInstance::activationRequested,
                         [this] { ++activations; });
    }
};

TEST(SingleInstance, LaterStartsHandTheirRequestToTheFirst)
{
    EnsureCoreApplication();
    TempDir dir;
    const QString name = dir.QPath(QStringLiteral("socket"));
    SingleInstance first(name);
    Received received;
    received.listenTo(first);
    ASSERT_EQ(first.start({}), SingleInstance::Role::First);
    EXPECT_TRUE(first.isListening());

    SingleInstance second(name);
    EXPECT_EQ(second.start(QStringLiteral("/home/u/Заказ №1.order")),
              SingleInstance::Role::HandedOver);
    EXPECT_FALSE(second.isListening());
    EXPECT_EQ(SingleInstance(name).start({}), SingleInstance::Role::HandedOver);

    EXPECT_TRUE(ProcessEventsUntil([&] { return received.activations == 1; }));
    EXPECT_EQ(received.files, QStringList{QStringLiteral("/home/u/Заказ №1.order")});
}

TEST(SingleInstance, ASocketLeftByACrashedProgramDoesNotBlockAStart)
{
    EnsureCoreApplication();
    TempDir dir;
    const QString name = dir.QPath(QStringLiteral("socket"));
    // A bound socket that nobody listens on, as a killed program leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = name.toLocal8Bit();
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);

    SingleInstance first(name);
    EXPECT_EQ(first.start({}), SingleInstance::Role::First);
    EXPECT_TRUE(first.isListening());
    EXPECT_EQ(SingleInstance(name).start({}), SingleInstance::Role::HandedOver);
}

TEST(SingleInstance, AnEndedFirstProgramLeavesTheNameFree)
{
    EnsureCoreApplication();
    TempDir dir;
    const QString name = dir.QPath(QStringLiteral("socket"));
    {
        SingleInstance first(name);
        ASSERT_EQ(first.start({}), SingleInstance::Role::First);
    }
    EXPECT_FALSE(QFileInfo::exists(name));
    SingleInstance next(name);
    EXPECT_EQ(next.start({}), SingleInstance::Role::First);
    EXPECT_TRUE(next.isListening());
}

TEST(SingleInstance, ANameTooLongForASocketRunsOnAlone)
{
    EnsureCoreApplication();
    TempDir dir;
    const QString name = dir.QPath(QString(200, QLatin1Char('s')));
    SingleInstance first(name);
    EXPECT_EQ(first.start({}), SingleInstance::Role::First);
    EXPECT_FALSE(first.isListening());
}

TEST(SingleInstance, AnOverlongMessageIsDroppedAndTheNextOneArrives)
{
    EnsureCoreApplication();
    TempDir dir;
    const QString name = dir.QPath(QStringLiteral("socket"));
    SingleInstance first(name);
    Received received;
    received.listenTo(first);
    ASSERT_EQ(first.start({}), SingleInstance::Role::First);
    EXPECT_EQ(SingleInstance(name).start(QString(100 * 1024, QLatin1Char('x'))),
              SingleInstance::Role::HandedOver);
    EXPECT_EQ(SingleInstance(name).start(QStringLiteral("/a.order")),
              SingleInstance::Role::HandedOver);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !received.files.isEmpty(); }));
    EXPECT_EQ(received.files, QStringList{QStringLiteral("/a.order")});
}

} // namespace
