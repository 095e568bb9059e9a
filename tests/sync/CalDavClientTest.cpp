// SPDX-License-Identifier: GPL-3.0-or-later
// The CalDAV client against real servers started on 127.0.0.1, and against a socket that misbehaves.
#include "SyncTestUtil.h"

#include "sync/CalDavClient.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

TEST(CalDavClient, AddressesThatMayBeUsed)
{
    const struct
    {
        const char* text;
        bool allowHttp;
        bool usable;
    } cases[] = {
        { "https://dav.example/", false, true },
        { "dav.example", false, true },  // a bare host is https
        { "http://dav.example/", false, false },  // password in clear text to another machine
        { "http://dav.example/", true, true },
        { "http://localhost:5232/", false, true },
        { "http://127.0.0.1:5232/", false, true },
        { "http://[::1]:5232/", false, true },
        { "http://127.0.0.1.example/", false, false },
        { "ftp://dav.example/", true, false },
        { "https://", false, false },
    };
    for (const auto& c : cases) {
        const QUrl url = CalDavClient::ServerUrl(QString::fromUtf8(c.text));
        EXPECT_EQ(CalDavClient::CheckAddress(url, c.allowHttp).isEmpty(), c.usable) << c.text;
    }
    // A refused address is not even asked.
    CalDavClient client;
    client.SetAccount(
        { QUrl(QStringLiteral("http://dav.example/")), QStringLiteral("u"), QStringLiteral("p"), {}, false });
    const DiscoveryResult r = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
    EXPECT_TRUE(r.error.contains(QStringLiteral("不加密"))) << r.error.toStdString();
    EXPECT_EQ(client.RequestCount(), 0);
}

// A server that answers every request with the same bytes.
class CannedServer : public QTcpServer
{
public:
    explicit CannedServer(QByteArray reply)
        : m_reply(std::move(reply))
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                s->readAll();
                s->write(m_reply);
            });
        });
    }
    QUrl Url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/cal/").arg(serverPort())); }

private:
    QByteArray m_reply;
};

TEST(CalDavClient, RefusesOversizedRepliesAndAsksForThePasswordOnlyOnce)
{
    const struct
    {
        QByteArray reply;
        const char* error;
        int maxRequests;
    } cases[] = {
        { "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\nContent-Length: 9000000\r\n\r\n<multistatus",
            "超过 8 MB", 1 },
        { "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"x\"\r\nContent-Length: 0\r\n\r\n",
            "用户名或密码错误", 1 },
        { "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Digest realm=\"x\", nonce=\"n\"\r\nContent-Length: 0\r\n\r\n",
            "用户名或密码错误", 1 },
    };
    for (const auto& c : cases) {
        QElapsedTimer took;
        took.start();
        CannedServer server(c.reply);
        CalDavClient client;
        client.SetAccount({ server.Url(), QStringLiteral("u"), QStringLiteral("p"), {}, false });
        const ListResult r = Await<ListResult>([&](auto done) { client.ListAll(server.Url(), done); });
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.error))) << r.error.toStdString();
        EXPECT_LE(client.RequestCount(), c.maxRequests);
        EXPECT_LT(took.elapsed(), 5000) << c.error;
    }
}

class CalDavServers : public ::testing::TestWithParam<DavServer::Kind>
{
protected:
    void SetUp() override
    {
        if (!DavServer::Available(GetParam()))
            GTEST_SKIP() << "server not installed";
        QString error;
        ASSERT_TRUE(server.Start(&error)) << error.toStdString();
        client.SetAccount({ QUrl(server.BaseUrl()), server.User(), server.Password(), {}, false });
    }
    DavServer server { GetParam() };
    CalDavClient client;
};

TEST_P(CalDavServers, DiscoveryFindsOrMakesTheCalendarFromAnyStartingPoint)
{
    const DiscoveryResult made = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
    ASSERT_TRUE(made.error.isEmpty()) << made.error.toStdString();
    EXPECT_TRUE(made.created);
    EXPECT_EQ(made.displayName, QStringLiteral("晴钟任务提醒"));
    // The root, a path with nothing there (RFC 6764's well-known address then), and the calendar itself.
    const QString starts[]
        = { server.BaseUrl(), server.BaseUrl() + QStringLiteral("nothing/here/"), made.calendarUrl.toString() };
    for (const QString& start : starts) {
        client.SetAccount({ QUrl(start), server.User(), server.Password(), {}, false });
        const DiscoveryResult again = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
        EXPECT_TRUE(again.error.isEmpty()) << start.toStdString() << ": " << again.error.toStdString();
        EXPECT_FALSE(again.created) << start.toStdString();
        EXPECT_EQ(again.calendarUrl, made.calendarUrl) << start.toStdString();
    }
    // Another name gets a calendar of its own.
    client.SetAccount({ QUrl(server.BaseUrl()), server.User(), server.Password(), {}, false });
    const DiscoveryResult named
        = Await<DiscoveryResult>([&](auto done) { client.Discover(QStringLiteral("家"), done); });
    EXPECT_TRUE(named.created);
    EXPECT_NE(named.calendarUrl, made.calendarUrl);

    // Listing finds both by their names and makes nothing; from a calendar's own URL it lists that one.
    const auto list = [&](const QUrl& start) {
        client.SetAccount({ start, server.User(), server.Password(), {}, false });
        const DiscoveryResult r = Await<DiscoveryResult>([&](auto done) { client.ListCalendars(done); });
        EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
        QStringList found;
        for (const DavCalendar& c : r.calendars)
            found << c.displayName + u' ' + c.url.toString();
        return found;
    };
    const QStringList all = list(QUrl(server.BaseUrl()));
    EXPECT_TRUE(all.contains(QStringLiteral("晴钟任务提醒 ") + made.calendarUrl.toString()))
        << all.join(u',').toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("家 ") + named.calendarUrl.toString())) << all.join(u',').toStdString();
    EXPECT_EQ(list(QUrl(server.BaseUrl())), all);
    EXPECT_EQ(list(made.calendarUrl), QStringList { QStringLiteral("晴钟任务提醒 ") + made.calendarUrl.toString() });
}

TEST_P(CalDavServers, AWrongPasswordIsOneClearMessage)
{
    if (GetParam() == DavServer::Kind::Xandikos)
        GTEST_SKIP() << "Xandikos has no authentication of its own";
    client.SetAccount({ QUrl(server.BaseUrl()), server.User(), QStringLiteral("wrong"), {}, false });
    const DiscoveryResult r = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
    EXPECT_EQ(r.error, QStringLiteral("用户名或密码错误"));
    EXPECT_TRUE(r.unauthorized);
    EXPECT_EQ(client.RequestCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, CalDavServers, ::testing::Values(DavServer::Kind::Radicale, DavServer::Kind::Xandikos), ServerName);

// Radicale over TLS with a certificate of its own making: refused with its fingerprint until that is confirmed.
TEST(CalDavClient, AnUntrustedCertificateIsRefusedWithItsFingerprintUntilConfirmed)
{
    if (!DavServer::Available(DavServer::Kind::Radicale)
        || QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
        GTEST_SKIP() << "radicale or openssl missing";
    DavServer server(DavServer::Kind::Radicale);
    const QString cert = server.StoragePath() + QStringLiteral("/cert.pem");
    const QString key = server.StoragePath() + QStringLiteral("/key.pem");
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("openssl"),
            { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert }),
        0);
    server.SetTls(cert, key);
    QString error;
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    QFile pem(cert);
    ASSERT_TRUE(pem.open(QIODevice::ReadOnly));
    const QString fingerprint
        = QString::fromLatin1(QSslCertificate(pem.readAll()).digest(QCryptographicHash::Sha256).toHex(':').toUpper());

    const QUrl url(QStringLiteral("https://127.0.0.1:%1/").arg(server.Port()));
    CalDavClient client;
    client.SetAccount({ url, server.User(), server.Password(), {}, false });
    DiscoveryResult r = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
    EXPECT_EQ(r.untrustedFingerprint, fingerprint);
    EXPECT_TRUE(r.error.contains(fingerprint)) << r.error.toStdString();

    client.SetAccount({ url, server.User(), server.Password(), QStringLiteral("00:11"), false });
    r = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
    EXPECT_EQ(r.untrustedFingerprint, fingerprint);

    client.SetAccount({ url, server.User(), server.Password(), fingerprint, false });
    r = Await<DiscoveryResult>([&](auto done) { client.Discover({}, done); });
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.calendarUrl.scheme(), QStringLiteral("https"));
}

}  // namespace
