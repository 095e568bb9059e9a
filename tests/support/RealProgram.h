// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CSingleInst.h"
#include "support/Wait.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <utility>

// The environment of a real program run in a private account under `root`: HOME, the XDG folders and the runtime
// folder (where the single-instance endpoints live) lie there, nothing of the user's. `display`: the offscreen
// platform; without it the program has no display at all.
inline QProcessEnvironment PrivateAccountEnv(const QString& root, bool display = true)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root);
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    // Tests read the program's Chinese texts, whatever the machine's language.
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("zh_CN"));
    return env;
}

// How a run ended: the exit code (-1 when the program did not end in time or crashed) and what it printed.
struct ProgramRun
{
    int code = -1;
    QString out, err;
};

// A program of this build (tickwell, tickwell-cli) run as a test needs it; killed if it still runs when the
// object goes, so a failed assertion leaves nothing behind.
class RealProgram
{
public:
    explicit RealProgram(QString program, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
        : m_program(std::move(program))
    {
        m_process.setProcessEnvironment(env);
    }
    ~RealProgram() { Kill(); }
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    // An environment variable for the next start.
    void SetEnv(const QString& name, const QString& value)
    {
        QProcessEnvironment env = m_process.processEnvironment();
        env.insert(name, value);
        m_process.setProcessEnvironment(env);
    }
    QProcess& Process() { return m_process; }

    bool Start(const QStringList& args)
    {
        m_process.start(m_program, args);
        return m_process.waitForStarted(10000);
    }
    // Waits for the end: the exit code, or -1.
    int Finish(int ms = 30000)
    {
        if (!m_process.waitForFinished(ms) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }
    ProgramRun Run(const QStringList& args, int ms = 30000)
    {
        if (!Start(args))
            return {};
        const int code = Finish(ms);
        return { code, Out(), Err() };
    }
    // SIGTERM, then how the program ended.
    int Terminate()
    {
        m_process.terminate();
        return Finish(15000);
    }
    void Kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool Running() const { return m_process.state() == QProcess::Running; }
    qint64 Pid() const { return m_process.processId(); }
    // All it printed so far.
    QString Out() { return m_out += QString::fromUtf8(m_process.readAllStandardOutput()); }
    QString Err() { return m_err += QString::fromUtf8(m_process.readAllStandardError()); }

private:
    QString m_program;
    QProcess m_process;
    QString m_out, m_err;
};

// Start-up of tickwell is over once the instance in `slot` answers on its single-instance channel in `runtime`:
// its event loop runs and its window is shown.
inline bool WaitUntilUp(const QString& runtime, int slot = 0)
{
    const CSingleInst probe(runtime);
    return WaitFor([&] { return !probe.Request(slot, QStringLiteral("{}"), 1000).isNull(); }, 30000);
}

// One run of a program to its end.
inline ProgramRun RunProgram(const QString& program, const QStringList& args,
    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    return RealProgram(program, env).Run(args);
}
