// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProcessCheckLauncher.h"

#include <QProcess>

namespace {

class ProcessCheck : public ICheckProcess
{
public:
    explicit ProcessCheck(std::unique_ptr<QProcess> process)
        : m_process(std::move(process))
    {
    }

    ~ProcessCheck() override
    {
        // Destroying a running QProcess would kill it; a handle dropped early lets the process run on instead.
        if (m_process->state() != QProcess::NotRunning)
            (void)m_process.release();
    }

    bool WaitForEnd(int ms) override
    {
        return m_process->state() == QProcess::NotRunning || m_process->waitForFinished(ms < 0 ? 0 : ms);
    }

    int ExitCode() const override
    {
        if (m_process->exitStatus() == QProcess::NormalExit)
            return m_process->exitCode();
        return 128 + (m_process->exitCode() > 0 ? m_process->exitCode() : 1);
    }

private:
    std::unique_ptr<QProcess> m_process;
};

std::shared_ptr<ICheckLauncher>& Current()
{
    static std::shared_ptr<ICheckLauncher> launcher = std::make_shared<ProcessCheckLauncher>();
    return launcher;
}

}  // namespace

std::unique_ptr<ICheckProcess> ProcessCheckLauncher::Start(const QStringList& argv)
{
    if (argv.isEmpty())
        return nullptr;
    auto p = std::make_unique<QProcess>();
    p->setProgram(argv.front());
    p->setArguments(argv.mid(1));
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    p->start();
    if (!p->waitForStarted(10000))
        return nullptr;
    return std::make_unique<ProcessCheck>(std::move(p));
}

namespace Platform {

std::shared_ptr<ICheckLauncher> CheckLauncher()
{
    return Current();
}

void SetCheckLauncher(std::shared_ptr<ICheckLauncher> launcher)
{
    Current() = launcher ? std::move(launcher) : std::make_shared<ProcessCheckLauncher>();
}

}  // namespace Platform
