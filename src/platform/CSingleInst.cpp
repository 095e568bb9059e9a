// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CSingleInst.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kConnectMs = 500;
constexpr int kReplyMs = 2000;
const char kActivate[] = "activate\n";
const char kDone[] = "ok\n";
const char kRequest[] = "request ";

}  // namespace

CSingleInst::CSingleInst(const QString& dir, QObject* parent)
    : QObject(parent)
    , m_dir(dir.isEmpty() ? DefaultDir() : dir)
{
}

CSingleInst::~CSingleInst()
{
    if (!m_server)
        return;
    // The slot stays with a later instance that took it over.
    const QString slotName = EndpointName(m_slot);
    if (QFileInfo(slotName).symLinkTarget() == QFileInfo(m_ownName).absoluteFilePath())
        QFile::remove(slotName);
    m_server->close();
}

QString CSingleInst::DefaultDir()
{
    // The runtime folder belongs to the user alone; the temporary folder is shared, hence the user id in the names.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString CSingleInst::EndpointName(int slot) const
{
    return QDir(m_dir).filePath(QStringLiteral("tickwell-%1-%2").arg(uint(::getuid())).arg(slot));
}

bool CSingleInst::SlotIsLive(int slot) const
{
    if (slot == m_slot && m_server && m_server->isListening())
        return true;
    QLocalSocket probe;
    probe.connectToServer(EndpointName(slot));
    const bool live = probe.waitForConnected(kConnectMs);
    probe.abort();
    return live;
}

bool CSingleInst::AskToActivate(int slot) const
{
    QLocalSocket socket;
    socket.connectToServer(EndpointName(slot));
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kReplyMs);
    // The reply only says the request was read; the running instance may still be busy bringing the window up.
    while (!socket.canReadLine() && socket.waitForReadyRead(kReplyMs)) { }
    socket.disconnectFromServer();
    return true;
}

QString CSingleInst::Request(int slot, const QString& request, int timeoutMs, bool* reached) const
{
    if (reached)
        *reached = false;
    QLocalSocket socket;
    socket.connectToServer(EndpointName(slot));
    if (!socket.waitForConnected(kConnectMs))
        return {};
    if (reached)
        *reached = true;
    QString line = request;
    line.remove(QLatin1Char('\n'));
    socket.write(kRequest + line.toUtf8() + '\n');
    socket.waitForBytesWritten(timeoutMs);
    QElapsedTimer timer;
    timer.start();
    while (!socket.canReadLine()) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0 || !socket.waitForReadyRead(int(left)))
            return {};
    }
    QString answer = QString::fromUtf8(socket.readLine());
    answer.chop(1);
    socket.disconnectFromServer();
    return answer;
}

CSingleInst::Outcome CSingleInst::Check(const std::function<bool()>& askToActivate)
{
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!SlotIsLive(slot))
            continue;
        if (!askToActivate())
            return Outcome::RunOn;
        // The instance may have ended while the question was open: then this start runs on.
        return AskToActivate(slot) ? Outcome::Activated : Outcome::RunOn;
    }
    return Outcome::RunOn;
}

int CSingleInst::Register()
{
    if (m_server)
        return m_slot;
    int chosen = -1;
    for (int slot = 0; slot < kSlots && chosen < 0; ++slot)
        if (!SlotIsLive(slot))
            chosen = slot;
    const bool taken = chosen < 0;  // all six live: slot 0's instance gives up its place, as with an overwritten slot
    if (taken)
        chosen = 0;

    // Each instance listens on a name of its own; the slot's name is a link to it. The server removes only its own
    // name when it closes, so an instance that lost its slot cannot take the endpoint of the one that replaced it.
    const QString slotName = EndpointName(chosen);
    static int serial = 0;
    const QString own = slotName + QStringLiteral(".%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInst::OnNewConnection);
    QLocalServer::removeServer(own);
    const QString link = slotName + QStringLiteral(".link");
    QFile::remove(link);
    if (!m_server->listen(own) || !QFile::link(QFileInfo(own).fileName(), link)) {
        qWarning("single-instance endpoint %s: %s", qPrintable(own), qPrintable(m_server->errorString()));
        QFile::remove(link);
        delete m_server;
        m_server = nullptr;
        return -1;
    }
    // What a killed instance left behind in this slot goes with it.
    const QString previous = QFileInfo(slotName).symLinkTarget();
    if (!taken && !previous.isEmpty() && previous != QFileInfo(own).absoluteFilePath())
        QFile::remove(previous);
    // Replacing the link in one step: a start looking at this moment finds the old instance or this one.
    if (std::rename(QFile::encodeName(link).constData(), QFile::encodeName(slotName).constData()) != 0) {
        QFile::remove(link);
        delete m_server;
        m_server = nullptr;
        return -1;
    }
    m_ownName = own;
    m_slot = chosen;
    return m_slot;
}

void CSingleInst::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine();
                if (line == QByteArrayView(kActivate)) {
                    socket->write(kDone);
                    Q_EMIT activateRequested();
                } else if (line.startsWith(kRequest) && line.endsWith('\n')) {
                    const QString request = QString::fromUtf8(line.mid(int(sizeof kRequest) - 1).chopped(1));
                    QPointer<QLocalSocket> to(socket);
                    const Reply reply = [to](QString answer) {
                        if (!to)
                            return;  // the asker gave up
                        answer.remove(QLatin1Char('\n'));
                        to->write(answer.toUtf8() + '\n');
                        to->flush();
                    };
                    if (m_deferred)
                        m_deferred(request, reply);
                    else
                        reply(m_handler ? m_handler(request) : QString());
                }
            }
        });
    }
}
