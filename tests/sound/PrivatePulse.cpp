// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cstdlib>

namespace {
constexpr int kRate = 8000;
constexpr int kWindow = kRate / 20;
constexpr int kLoud = 200;  // well above the dither of a silent stream
}  // namespace

PrivatePulse::PrivatePulse()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        m_why = QStringLiteral("pulseaudio and parec are not installed");
        return;
    }
    const QString socket = m_dir.filePath(QStringLiteral("native"));
    const QString conf = m_dir.filePath(QStringLiteral("server.pa"));
    QDir(m_dir.path()).mkpath(QStringLiteral("run"));
    QFile f(conf);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write("load-module module-null-sink sink_name=capture norewinds=1\n"
            "load-module module-native-protocol-unix socket="
        + socket.toUtf8()
        + " auth-anonymous=1\n"
          "set-default-sink capture\n");
    f.close();

    // The server and every client keep their state in the private folder, never in the user's home.
    qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("run")).toUtf8());
    qputenv("HOME", m_dir.path().toUtf8());
    qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toUtf8());
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("pulseaudio"),
        { QStringLiteral("-n"), QStringLiteral("-F"), conf, QStringLiteral("--daemonize=no"),
            QStringLiteral("--exit-idle-time=-1") });
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(socket) && waited.elapsed() < 10000 && m_server.state() != QProcess::NotRunning)
        QThread::msleep(50);
    m_running = QFile::exists(socket);
    if (!m_running)
        m_why = QStringLiteral("the private PulseAudio did not start");
}

PrivatePulse::~PrivatePulse()
{
    m_recorder.kill();
    m_recorder.waitForFinished(2000);
    m_server.terminate();
    if (!m_server.waitForFinished(3000)) {
        m_server.kill();
        m_server.waitForFinished(2000);
    }
}

void PrivatePulse::StartRecording()
{
    QFile::remove(m_dir.filePath(QStringLiteral("rec.raw")));
    m_recorder.setStandardOutputFile(m_dir.filePath(QStringLiteral("rec.raw")));
    m_recorder.start(QStringLiteral("parec"),
        { QStringLiteral("--latency-msec=20"), QStringLiteral("-d"), QStringLiteral("capture.monitor"),
            QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--channels=1"),
            QStringLiteral("--raw") });
    m_recorder.waitForStarted(3000);
    QThread::msleep(200);  // connected before anything plays
}

QList<int> PrivatePulse::StopRecording()
{
    m_recorder.terminate();
    m_recorder.waitForFinished(3000);
    return Peaks();
}

QList<int> PrivatePulse::Peaks() const
{
    QFile f(m_dir.filePath(QStringLiteral("rec.raw")));
    QList<int> peaks;
    if (!f.open(QIODevice::ReadOnly))
        return peaks;
    const QByteArray data = f.readAll();
    const auto* s = reinterpret_cast<const qint16*>(data.constData());
    const qsizetype n = data.size() / 2;
    for (qsizetype i = 0; i < n; i += kWindow) {
        int peak = 0;
        for (qsizetype j = i; j < qMin(n, i + kWindow); ++j)
            peak = qMax(peak, std::abs(int(s[j])));
        peaks << peak;
    }
    return peaks;
}

int FirstLoud(const QList<int>& peaks)
{
    for (int i = 0; i < peaks.size(); ++i)
        if (peaks[i] > kLoud)
            return i;
    return -1;
}

int LastLoud(const QList<int>& peaks)
{
    for (int i = int(peaks.size()) - 1; i >= 0; --i)
        if (peaks[i] > kLoud)
            return i;
    return -1;
}
