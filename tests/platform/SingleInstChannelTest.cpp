// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CSingleInst.h"
#include "support/Wait.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A peer of our own making, blocking, that does only what a test tells it.
int RawPeer(const QString& path)
{
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 ? fd : -1;
}

// Asks from another thread, as another program would, while this one serves.
QString Ask(const QString& dir, const QString& request, int slot = 0)
{
    auto answer = std::async(std::launch::async, [&] { return CSingleInst(dir).Request(slot, request, 5000); });
    WaitFor([&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000);
    return answer.get();
}

}  // namespace

// Releases that spoke through QLocalSocket and QLocalServer meet this one: a second start or tickwell-cli of
// theirs reaches this instance, and this one's reach theirs.
TEST(SingleInstChannel, SpeaksWithTheQtLocalSocketsOfEarlierReleases)
{
    QTemporaryDir rt;
    CSingleInst inst(rt.path());
    ASSERT_EQ(inst.Register(), 0);
    inst.SetRequestHandler([](const QString& r) { return QStringLiteral("re:") + r; });
    int activated = 0;
    QObject::connect(&inst, &CSingleInst::activateRequested, [&] { ++activated; });
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(inst.EndpointName(0)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "this user's alone";

    QLocalSocket older;
    older.connectToServer(inst.EndpointName(0));
    ASSERT_TRUE(WaitFor([&] { return older.state() == QLocalSocket::ConnectedState; }));
    older.write("activate\nrequest 你好\n");
    QByteArray got;
    EXPECT_TRUE(WaitFor([&] { return (got += older.readAll()).count('\n') == 2; }));
    EXPECT_EQ(got, QByteArray("ok\nre:你好\n"));
    EXPECT_EQ(activated, 1);

    // An earlier release's instance: its own endpoint and the slot's link to it.
    QLocalServer theirs;
    theirs.setSocketOptions(QLocalServer::UserAccessOption);
    CSingleInst probe(rt.path());
    ASSERT_TRUE(theirs.listen(probe.EndpointName(1) + QStringLiteral(".1-1")));
    ASSERT_TRUE(QFile::link(QStringLiteral("tickwell-%1-1.1-1").arg(::getuid()), probe.EndpointName(1)));
    QObject::connect(&theirs, &QLocalServer::newConnection, [&] {
        QLocalSocket* s = theirs.nextPendingConnection();
        QObject::connect(s, &QLocalSocket::readyRead, s, [s] {
            if (s->canReadLine())
                s->write(QByteArray("answered " + s->readLine()));
        });
    });
    EXPECT_EQ(Ask(rt.path(), QStringLiteral("x"), 1), QStringLiteral("answered request x"));
    EXPECT_TRUE(probe.SlotIsLive(1));
    EXPECT_EQ(probe.Register(), 2);
}

// Peers that stall, hang up half-way, send in pieces or never read what they asked for: the instance answers
// the next asker at once, and every asker gets its whole answer.
TEST(SingleInstChannel, NoPeerHoldsUpTheInstance)
{
    QTemporaryDir rt;
    CSingleInst inst(rt.path());
    ASSERT_EQ(inst.Register(), 0);
    const QByteArray big(4 * 1024 * 1024, 'b');
    inst.SetRequestHandler([&](const QString& r) { return r == u"big" ? QString::fromLatin1(big) : r; });
    const QString at = inst.EndpointName(0);

    const int silent = RawPeer(at);
    const int halfFrame = RawPeer(at);
    ASSERT_GT(::send(halfFrame, "request ha", 10, 0), 0);
    const int neverReads = RawPeer(at);
    ASSERT_GT(::send(neverReads, "request big\n", 12, 0), 0);
    const int hangsUp = RawPeer(at);
    ASSERT_GT(::send(hangsUp, "request gone", 12, 0), 0);
    ::close(hangsUp);
    const int pieces = RawPeer(at);
    ASSERT_GT(::send(pieces, "requ", 4, 0), 0);
    EXPECT_EQ(Ask(rt.path(), QStringLiteral("next")), QStringLiteral("next"));
    ASSERT_GT(::send(pieces, "est split\n", 10, 0), 0);
    char reply[7] = {};
    EXPECT_TRUE(WaitFor([&] { return ::recv(pieces, reply, 6, MSG_DONTWAIT | MSG_PEEK) == 6; }));
    EXPECT_STREQ(reply, "split\n");

    // The one that never read reads now: all four megabytes arrive, in whatever pieces.
    auto whole = std::async(std::launch::async, [&] {
        QByteArray got(big.size() + 1, 0);
        qsizetype n = 0;
        for (ssize_t r; n < got.size() && (r = ::recv(neverReads, got.data() + n, size_t(got.size() - n), 0)) > 0;)
            n += r;
        return got;
    });
    EXPECT_TRUE(WaitFor([&] { return whole.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(whole.get(), big + '\n');

    // One that sends without end is hung up on before it fills the memory.
    auto flood = std::async(std::launch::async, [&] {
        const int fd = RawPeer(at);
        const QByteArray chunk(1024 * 1024, 'x');
        int sent = 0;
        while (sent < 64 && ::send(fd, chunk.constData(), size_t(chunk.size()), MSG_NOSIGNAL) > 0)
            ++sent;
        ::close(fd);
        return sent;
    });
    EXPECT_TRUE(WaitFor([&] { return flood.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_LT(flood.get(), 64);
    for (const int fd : { silent, halfFrame, neverReads, pieces })
        ::close(fd);
}
