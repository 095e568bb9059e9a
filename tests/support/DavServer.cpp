// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DavServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

QString Program(DavServer::Kind kind)
{
    return QStandardPaths::findExecutable(
        kind == DavServer::Kind::Radicale ? QStringLiteral("radicale") : QStringLiteral("xandikos"));
}

}  // namespace

DavServer::DavServer(Kind kind)
    : m_kind(kind)
{
}

DavServer::~DavServer()
{
    Stop();
}

bool DavServer::Available(Kind kind)
{
    return !Program(kind).isEmpty();
}

quint16 DavServer::FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

QString DavServer::Name() const
{
    return m_kind == Kind::Radicale ? QStringLiteral("Radicale") : QStringLiteral("Xandikos");
}

QString DavServer::BaseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_port);
}

QString DavServer::HomeUrl() const
{
    return BaseUrl() + (m_kind == Kind::Radicale ? User() + u'/' : QStringLiteral("user/calendars/"));
}

bool DavServer::WriteRadicaleConfig(QString* error)
{
    QFile users(m_dir.filePath(QStringLiteral("users")));
    QFile config(m_dir.filePath(QStringLiteral("config")));
    if (!users.open(QIODevice::WriteOnly) || !config.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write the server's configuration in ") + m_dir.path();
        return false;
    }
    users.write((User() + u':' + Password() + u'\n').toUtf8());
    const QString tls = m_certificate.isEmpty()
        ? QString()
        : QStringLiteral("ssl = True\ncertificate = %1\nkey = %2\n").arg(m_certificate, m_key);
    const QString text
        = QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n%4"
                         "[auth]\ntype = htpasswd\nhtpasswd_filename = %2\nhtpasswd_encryption = plain\ndelay = 0\n"
                         "[rights]\ntype = owner_only\n"
                         "[storage]\nfilesystem_folder = %3\n"
                         "[web]\ntype = none\n"
                         "[logging]\nlevel = warning\n")
              .arg(m_port)
              .arg(users.fileName(), m_dir.filePath(QStringLiteral("collections")), tls);
    config.write(text.toUtf8());
    return true;
}

bool DavServer::Start(QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    if (IsRunning())
        return true;
    const QString program = Program(m_kind);
    if (program.isEmpty()) {
        *error = Name() + QStringLiteral(" is not installed");
        return false;
    }
    if (m_port == 0)
        m_port = FreePort();
    QStringList args;
    if (m_kind == Kind::Radicale) {
        if (!WriteRadicaleConfig(error))
            return false;
        args = { QStringLiteral("--config"), m_dir.filePath(QStringLiteral("config")) };
    } else {
        args = { QStringLiteral("--defaults"), QStringLiteral("-d"), m_dir.filePath(QStringLiteral("data")),
            QStringLiteral("-l"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(m_port) };
    }
    m_process = std::make_unique<QProcess>();
    // The server's own log stays beside its storage; a failed start quotes its end.
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(m_dir.filePath(QStringLiteral("server.log")), QIODevice::Append);
    // The server goes when the test process goes, even when the test crashes.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(program, args);
    if (!m_process->waitForStarted(10000)) {
        *error = Name() + QStringLiteral(" did not start: ") + m_process->errorString();
        m_process.reset();
        return false;
    }
    return WaitUntilListening(20000, error);
}

QString DavServer::LogTail() const
{
    QFile log(m_dir.filePath(QStringLiteral("server.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QStringLiteral(":\n") + QString::fromUtf8(log.readAll().right(2000));
}

bool DavServer::WaitUntilListening(int timeoutMs, QString* error)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_process->state() != QProcess::Running) {
            *error = Name() + QStringLiteral(" exited with code %1").arg(m_process->exitCode()) + LogTail();
            m_process.reset();
            return false;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    *error = Name() + QStringLiteral(" did not answer on port %1").arg(m_port) + LogTail();
    Stop();
    return false;
}

void DavServer::Stop()
{
    if (!m_process)
        return;
    Freeze(false);
    m_process->terminate();
    if (!m_process->waitForFinished(5000)) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
    m_process.reset();
}

void DavServer::Freeze(bool frozen)
{
    if (m_process && m_process->state() == QProcess::Running)
        ::kill(static_cast<pid_t>(m_process->processId()), frozen ? SIGSTOP : SIGCONT);
}

bool DavServer::IsRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}
