#include "model/CTask.h"
#include "model/MsgBox.h"

#include <QProcess>

#include <vector>

namespace {

// Checks whose task forgot them (a new description, a deleted task) keep running to their end: the
// program never kills a check. They are reaped here once they have ended.
class Orphanage
{
public:
    static void Adopt(QProcess* process)
    {
        Reap();
        Orphans().push_back(process);
    }

    static void Reap()
    {
        auto& orphans = Orphans();
        for (auto it = orphans.begin(); it != orphans.end();) {
            QProcess* p = *it;
            if (p->state() == QProcess::NotRunning || p->waitForFinished(0)) {
                delete p;
                it = orphans.erase(it);
            } else {
                ++it;
            }
        }
    }

private:
    // Never destroyed: deleting a running QProcess would kill it, so those still running at exit stay.
    static std::vector<QProcess*>& Orphans()
    {
        static auto* orphans = new std::vector<QProcess*>;
        return *orphans;
    }
};

}  // namespace

class CheckProcess
{
public:
    explicit CheckProcess(std::unique_ptr<QProcess> p)
        : process(std::move(p))
    {
    }
    ~CheckProcess()
    {
        if (process && process->state() != QProcess::NotRunning)
            Orphanage::Adopt(process.release());
    }
    CheckProcess(const CheckProcess&) = delete;
    CheckProcess& operator=(const CheckProcess&) = delete;

    std::unique_ptr<QProcess> process;
};

bool CTask::CheckUserCmd(bool& isValid, int timeoutMs, int& retCode)
{
    isValid = true;
    if (TaskType() != ttUserCmd)
        return false;

    if (!m_check) {
        const QStringList argv = UserEventArgv();
        if (argv.isEmpty())
            return false;
        Orphanage::Reap();
        auto p = std::make_unique<QProcess>();
        p->setProgram(argv.front());
        p->setArguments(argv.mid(1));
        // No window and no pipes: a check that writes a lot must not stall on a pipe nobody reads.
        p->setStandardInputFile(QProcess::nullDevice());
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setStandardErrorFile(QProcess::nullDevice());
        p->start();
        if (!p->waitForStarted(10000)) {
            // Could not be created (a missing program, a script that vanished): nothing is left running.
            isValid = false;
            return false;
        }
        m_check = std::make_shared<CheckProcess>(std::move(p));
    }

    QProcess& p = *m_check->process;
    if (p.state() != QProcess::NotRunning && !p.waitForFinished(timeoutMs < 0 ? 0 : timeoutMs))
        return false;

    if (p.exitStatus() == QProcess::NormalExit)
        retCode = p.exitCode();
    else
        retCode = 128 + (p.exitCode() > 0 ? p.exitCode() : 1);  // killed by a signal: never "no event"
    m_check.reset();
    return retCode != 0;
}

bool CTask::CheckUserEvent(bool& isValid, QString& eventDesc)
{
    isValid = true;
    if (TaskType() != ttUserPage)
        return false;
    eventDesc = m_sUserEventDesc;
    const bool happened = m_bUserEventOn;
    if (happened) {
        m_bUserEventOn = false;
        m_sUserEventDesc.clear();
    }
    return happened;
}

void CTask::OnUserEvent(const QString& eventDesc)
{
    if (IsWaiting()) {
        m_bUserEventOn = true;
        m_sUserEventDesc = eventDesc;
    }
    if (DryRunUserEvent)
        MsgBox::Show(QStringLiteral("自定义事件发生：") + eventDesc, MsgButtons::Ok, MsgIcon::Information);
}
