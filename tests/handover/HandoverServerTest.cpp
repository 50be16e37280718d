// The hand-over socket under clients that misbehave: too many, silent, too
// long, or not speaking its encoding; and a path that keeps every byte.
#include "handover/Handover.h"
#include "store/ProgramDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class HandoverServer : public ::testing::Test {
protected:
    HandoverServer()
        : server([this](const QString& file) { received << file; })
    {
        server.setIdleTimeout(300);
        server.setWatchInterval(50);
        EXPECT_TRUE(server.listen(socket));
    }
    ~HandoverServer() override
    {
        for (int fd : clients)
            ::close(fd);
    }

    // Sends from a thread of its own, as a second start would, while this
    // thread's event loop lets the server answer.
    bool sendFromSecondStart(const QString& file, QString* why = nullptr)
    {
        std::atomic<bool> done{false};
        bool ok = false;
        QString reason;
        std::thread second([&] {
            ok = handover::send(socket, file, &reason);
            done = true;
        });
        const bool finished = QTest::qWaitFor([&] { return done.load(); }, 15000);
        second.join();
        if (why)
            *why = reason;
        return finished && ok;
    }

    // A raw client that has connected (waiting while the server's queue is
    // full); -1 when this process has no descriptor left.
    int connectRaw()
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return -1;
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(socket);
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        for (int tries = 0; tries < 2000; ++tries) {
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                clients.push_back(fd);
                return fd;
            }
            if (errno != EAGAIN)
                break;
            QCoreApplication::processEvents();
        }
        ::close(fd);
        return -1;
    }
    // What the server sent before it closed the connection, or nothing
    // while it is still open.
    static std::optional<QByteArray> closedWith(int fd)
    {
        static QByteArray got;
        char buffer[256];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            got.append(buffer, n);
            return std::nullopt;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return std::nullopt;
        QByteArray all = got;
        got.clear();
        return all;
    }
    void expectClosedWith(int fd, const QByteArray& answer)
    {
        std::optional<QByteArray> got;
        EXPECT_TRUE(QTest::qWaitFor([&] { return bool(got = closedWith(fd)); }, 10000)) << "never closed";
        EXPECT_EQ(got.value_or("(open)"), answer);
    }

    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("s"));
    QStringList received;
    handover::Server server;
    std::vector<int> clients;
};

TEST_F(HandoverServer, PathsKeepEveryByteAndWhatDoesNotDecodeIsRefused)
{
    const QStringList files{QStringLiteral("/tmp/a.wad\nb.wad"), QStringLiteral("/tmp/%41 100% ü\r.wad"), QString()};
    for (const QString& file : files) {
        QString why;
        EXPECT_TRUE(sendFromSecondStart(file, &why)) << why.toStdString();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == files.size(); }, 5000));
    EXPECT_EQ(received, files);

    for (const QByteArray& line : {QByteArray("/tmp/plain.wad"), QByteArray("a%2"), QByteArray("%zz"), QByteArray("%00"),
                                   QByteArray("%ff%fe"), QByteArray("a  b"), QByteArray(" a")}) {
        // (One space separates the paths of several files; an empty path is none.)
        EXPECT_FALSE(handover::decodeMessage(line)) << line.toStdString();
        const int fd = connectRaw();
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::send(fd, (line + '\n').constData(), size_t(line.size() + 1), 0), line.size() + 1);
        expectClosedWith(fd, "refused\n");
    }
    EXPECT_EQ(received.size(), files.size()) << "nothing more imported";
}

TEST_F(HandoverServer, SilentLongAndTooManyClientsAreDroppedAndTheServerStays)
{
    // A client that sends nothing, and one that never ends its line.
    const int silent = connectRaw();
    const int endless = connectRaw();
    ASSERT_GE(silent, 0);
    ASSERT_GE(endless, 0);
    const QByteArray chunk(handover::kMaxMessageBytes + 100, 'a');
    ASSERT_EQ(::send(endless, chunk.constData(), size_t(chunk.size()), 0), chunk.size());
    expectClosedWith(endless, "refused\n");
    expectClosedWith(silent, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connections() == 0; }, 5000));

    // More idle clients than descriptors: the server keeps a few and closes
    // the rest as they come, and never fails on accepting.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit low = old;
    low.rlim_cur = std::min<rlim_t>(1024, old.rlim_cur);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    int open = 0;
    for (int fd = 0; fd < int(low.rlim_cur); ++fd)
        open += ::fcntl(fd, F_GETFD) != -1;
    const int flood = int(low.rlim_cur) - open - 60;
    int connected = 0;
    for (int i = 0; i < flood; ++i)
        connected += connectRaw() >= 0;
    QTest::qWait(0);
    EXPECT_EQ(connected, flood);
    EXPECT_LE(server.connections(), handover::kMaxConnections);
    for (int fd : clients)
        ::close(fd);
    clients.clear();
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &old), 0);
    // The clients it kept are gone once it has seen them close.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connections() == 0; }, 5000));

    QString why;
    EXPECT_TRUE(sendFromSecondStart(QStringLiteral("/tmp/after.wad"), &why)) << why.toStdString();
    EXPECT_TRUE(QFileInfo::exists(socket));
}

TEST_F(HandoverServer, ListensAgainWhenItsSocketGoes)
{
    ASSERT_TRUE(QFile::remove(socket));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 5000));
    QString why;
    EXPECT_TRUE(sendFromSecondStart(QStringLiteral("/tmp/back.wad"), &why)) << why.toStdString();
}

TEST(HandoverSocket, AnyProgramDirectoryHasAShortSocketOfItsOwn)
{
    QTemporaryDir base;
    const QString deep = base.filePath(QString(120, QLatin1Char('d')) + QLatin1Char('/') + QString(60, QLatin1Char('e')));
    const QString other = base.filePath(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkpath(deep) && QDir().mkpath(other));
    const QString old = store::programDir();

    store::setProgramDir(deep);
    const QString deepSocket = handover::socketPath();
    store::setProgramDir(deep + QLatin1Char('/'));
    EXPECT_EQ(handover::socketPath(), deepSocket);
    store::setProgramDir(other);
    EXPECT_NE(handover::socketPath(), deepSocket);
    store::setProgramDir(deep);

    EXPECT_LT(QFile::encodeName(deepSocket).size(), 104) << deepSocket.toStdString();
    QString received;
    handover::Server server([&](const QString& file) { received = file; });
    ASSERT_TRUE(server.listen());
    std::atomic<bool> done{false};
    bool ok = false;
    QString why;
    std::thread second([&] {
        ok = handover::send(deep + QStringLiteral("/x.wad"), &why);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 15000));
    second.join();
    EXPECT_TRUE(ok) << why.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == deep + QStringLiteral("/x.wad"); }, 5000));
    store::setProgramDir(old);
}

} // namespace
