// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LogindPowerManager.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// A private bus under dbus-run-session with, unless `withLogind` is false, python-dbusmock's logind template
// on it, logging every call. The real system bus is never involved. Closing our end of the shell's stdin
// ends the mock, the shell and with them the private bus, even if the test dies.
class MockLogind
{
public:
    explicit MockLogind(const QString& parameters = QStringLiteral("{}"), bool withLogind = true)
    {
        const QString mock = QStringLiteral("%1 -m dbusmock --session -l '%2' --template logind -p '%3' & ")
                                 .arg(kPython, m_dir.filePath(QStringLiteral("calls.log")), parameters);
        const QString script = QStringLiteral("echo \"$DBUS_SESSION_BUS_ADDRESS\"; %1read _; kill $! 2>/dev/null")
                                   .arg(withLogind ? mock : QString());
        m_session.start(QStringLiteral("dbus-run-session"),
            { QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script });
        if (!m_session.waitForStarted(10000) || !m_session.waitForReadyRead(10000))
            return;
        const QString address = QString::fromUtf8(m_session.readLine()).trimmed();
        m_name = QStringLiteral("tw-mock-%1").arg(++s_count);
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, m_name));
        QElapsedTimer wait;
        wait.start();
        while (withLogind && wait.elapsed() < 15000
            && !m_bus->interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")))
            QThread::msleep(50);
    }
    ~MockLogind()
    {
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_name);
        m_session.closeWriteChannel();
        if (!m_session.waitForFinished(10000))
            m_session.kill();
    }

    bool Ready() const { return m_bus && m_bus->isConnected(); }
    QDBusConnection& Bus() { return *m_bus; }

    // The calls logind received, without their time stamps, e.g. "PowerOff False".
    QStringList Calls() const
    {
        QFile f(m_dir.filePath(QStringLiteral("calls.log")));
        QStringList calls;
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray& line : f.readAll().split('\n'))
                if (!line.isEmpty())
                    calls << QString::fromUtf8(line.mid(line.indexOf(' ') + 1));
        return calls;
    }

    // Calls one of the mock's own methods (AddMethod, AddSession).
    void Mock(const QString& method, const QVariantList& args)
    {
        QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
            QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.DBus.Mock"), method);
        m.setArguments(args);
        const QDBusMessage reply = m_bus->call(m);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    }

private:
    static inline int s_count = 0;
    QTemporaryDir m_dir;
    QProcess m_session;
    QString m_name;
    std::unique_ptr<QDBusConnection> m_bus;
};

bool ToolsPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty()
        && QProcess::execute(kPython, { QStringLiteral("-c"), QStringLiteral("import dbusmock") }) == 0;
}

#define REQUIRE_MOCK(mock)                                                                                             \
    if (!ToolsPresent())                                                                                               \
        GTEST_SKIP() << "needs dbus-run-session and python3-dbusmock (scripts/install-deps.sh)";                       \
    ASSERT_TRUE((mock).Ready())

}  // namespace

TEST(LogindPowerManager, EachActionReachesItsMethod)
{
    struct Case
    {
        PowerAction action;
        bool force;
        const char* calls;  // the methods logind received, in order, separated by '|'
    } cases[] = {
        { PowerAction::Shutdown, false, "CanPowerOff|ListInhibitors|PowerOff False" },
        { PowerAction::Shutdown, true, "CanPowerOff|PowerOff False" },
        { PowerAction::Hibernate, false, "CanHibernate|ListInhibitors|Hibernate False" },
        { PowerAction::Standby, true, "CanSuspend|Suspend False" },
        { PowerAction::Restart, false, "CanReboot|ListInhibitors|Reboot True" },  // challenge: asks
        { PowerAction::LogOff, true, "GetSessionByPID 4242|TerminateSession \"c7\"" },
    };
    MockLogind logind(QStringLiteral("{\"CanReboot\": \"challenge\"}"));
    REQUIRE_MOCK(logind);
    logind.Mock(QStringLiteral("AddSession"),
        { QStringLiteral("c7"), QStringLiteral("seat0"), 1000u, QStringLiteral("user"), true });
    logind.Mock(QStringLiteral("AddMethod"),
        { QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSessionByPID"), QStringLiteral("u"),
            QStringLiteral("o"), QStringLiteral("ret = '/org/freedesktop/login1/session/c7'") });
    LogindPowerManager power(logind.Bus(), 4242);
    for (const Case& c : cases) {
        const qsizetype before = logind.Calls().size();
        QString error;
        EXPECT_TRUE(power.Perform(c.action, c.force, &error)) << qPrintable(error);
        QStringList calls = logind.Calls().mid(before);
        // Property reads (the session's Id) are not calls of the manager.
        calls.removeIf([](const QString& call) {
            return call.startsWith(QLatin1String("Get /")) || call.startsWith(QLatin1String("GetAll /"));
        });
        EXPECT_EQ(calls.join(u'|'), QString::fromUtf8(c.calls));
    }
}

TEST(LogindPowerManager, ARefusalOrABlockingLockStopsTheActionBeforeItIsCalled)
{
    MockLogind logind(QStringLiteral("{\"CanPowerOff\": \"no\", \"CanHibernate\": \"na\"}"));
    REQUIRE_MOCK(logind);
    LogindPowerManager power(logind.Bus());
    struct Case
    {
        PowerAction action;
        bool force;
        QString error;
    } cases[] = {
        { PowerAction::Shutdown, true, QStringLiteral("CanPowerOff error=no") },
        { PowerAction::Hibernate, false, QStringLiteral("CanHibernate error=na") },
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(power.Perform(c.action, c.force, &error));
        EXPECT_EQ(error, c.error);
    }

    // Another program holds a blocking lock on sleep: honoured unless forced.
    QDBusMessage inhibit = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("Inhibit"));
    inhibit.setArguments(
        { QStringLiteral("sleep"), QStringLiteral("刻录"), QStringLiteral("正在写光盘"), QStringLiteral("block") });
    const QDBusMessage lock = logind.Bus().call(inhibit);
    ASSERT_EQ(lock.type(), QDBusMessage::ReplyMessage) << qPrintable(lock.errorMessage());
    QString error;
    EXPECT_FALSE(power.Perform(PowerAction::Standby, false, &error));
    EXPECT_EQ(error, QStringLiteral("Suspend error=被 刻录 阻止（正在写光盘）"));
    EXPECT_TRUE(power.Perform(PowerAction::Standby, true, &error)) << qPrintable(error);

    const QStringList calls = logind.Calls();
    for (const char* method : { "PowerOff ", "Hibernate " })
        EXPECT_FALSE(calls.join(u'\n').contains(QLatin1String(method))) << method;
    EXPECT_EQ(calls.filter(QStringLiteral("Suspend ")), QStringList { QStringLiteral("Suspend False") });
}

TEST(LogindPowerManager, AMissingServiceOrBusIsReported)
{
    MockLogind noLogind(QString(), false);
    REQUIRE_MOCK(noLogind);
    LogindPowerManager power(noLogind.Bus());
    QString error;
    EXPECT_FALSE(power.Perform(PowerAction::Restart, true, &error));
    EXPECT_TRUE(error.startsWith(QLatin1String("CanReboot error=org.freedesktop.DBus.Error.ServiceUnknown")))
        << qPrintable(error);
    EXPECT_FALSE(power.Perform(PowerAction::LogOff, true, &error));
    EXPECT_TRUE(error.startsWith(QLatin1String("GetSessionByPID error="))) << qPrintable(error);

    LogindPowerManager unconnected(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"), QStringLiteral("tw-none")));
    EXPECT_FALSE(unconnected.Perform(PowerAction::Shutdown, false, &error));
    EXPECT_TRUE(error.startsWith(QLatin1String("CanPowerOff error="))) << qPrintable(error);
}
