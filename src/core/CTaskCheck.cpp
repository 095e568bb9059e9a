// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppPaths.h"
#include "core/CTask.h"
#include "core/CheckPage.h"
#include "base/Logging.h"
#include "base/MsgBox.h"
#include "base/TempFiles.h"
#include "platform/ICheckLauncher.h"

#include <QCoreApplication>
#include <QDir>

#include <vector>

// A started check and the script file written for it, which goes once the check has ended.
class CheckProcess
{
public:
    CheckProcess(std::unique_ptr<ICheckProcess> p, QString scriptFile)
        : process(std::move(p))
        , script(std::move(scriptFile))
    {
    }
    ~CheckProcess();
    CheckProcess(const CheckProcess&) = delete;
    CheckProcess& operator=(const CheckProcess&) = delete;

    std::unique_ptr<ICheckProcess> process;
    QString script;
};

namespace {

// Checks whose task forgot them (a new description, a deleted task) keep running to their end: the
// program never kills a check. They and their scripts are cleared up here once they have ended.
class Orphanage
{
public:
    static void Adopt(std::unique_ptr<ICheckProcess> process, const QString& script)
    {
        Reap();
        Orphans().push_back({ std::move(process), script });
    }

    static void Reap()
    {
        auto& orphans = Orphans();
        for (auto it = orphans.begin(); it != orphans.end();) {
            if (it->process->WaitForEnd(0)) {
                DeleteTempFile(it->script);
                it = orphans.erase(it);
            } else {
                ++it;
            }
        }
    }

private:
    struct Orphan
    {
        std::unique_ptr<ICheckProcess> process;
        QString script;
    };
    // Never destroyed: those still running at exit stay running (their scripts go with the other
    // temporary files at quit).
    static std::vector<Orphan>& Orphans()
    {
        static auto* orphans = new std::vector<Orphan>;
        return *orphans;
    }
};

}  // namespace

CheckProcess::~CheckProcess()
{
    if (process && !process->WaitForEnd(0))
        Orphanage::Adopt(std::move(process), script);
    else
        DeleteTempFile(script);
}

bool CTask::CheckUserCmd(bool& isValid, int timeoutMs, int& retCode)
{
    isValid = true;
    if (TaskType() != ttUserCmd)
        return false;

    if (!m_check) {
        QStringList argv = m_userEventArgv;
        QString script;
        if (!m_userEventScript.isEmpty()) {
            script = CreateTempFile(kTempFilePrefix, QStringLiteral(".sh"), m_userEventScript);
            if (script.isEmpty()) {
                qCWarning(lcCheck) << "cannot write the check script of" << Key() << "into"
                                   << QDir::toNativeSeparators(AppPaths::TempFolder());
                isValid = false;
                return false;
            }
            argv = { QStringLiteral("/bin/sh"), script };
        }
        if (argv.isEmpty())
            return false;
        Orphanage::Reap();
        std::unique_ptr<ICheckProcess> process = Platform::CheckLauncher()->Start(argv);
        if (!process) {
            // Could not be created (a missing program, say): nothing is left running, and no script.
            qCWarning(lcCheck) << "cannot start the check of" << Key() << argv;
            DeleteTempFile(script);
            isValid = false;
            return false;
        }
        m_check = std::make_shared<CheckProcess>(std::move(process), script);
    }

    if (!m_check->process->WaitForEnd(timeoutMs < 0 ? 0 : timeoutMs))
        return false;
    retCode = m_check->process->ExitCode();
    m_check.reset();
    return retCode != 0;
}

bool CTask::CheckUserEvent(bool& isValid, QString& eventDesc)
{
    isValid = true;
    if (TaskType() != ttUserPage)
        return false;
    if (!m_frmCheckEvent || !m_frmCheckEvent->IsLoaded())
        StartUserEvent(true);
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
        MsgBox::Show(QCoreApplication::translate("CTask", "自定义事件发生：%1").arg(eventDesc), MsgButtons::Ok,
            MsgIcon::Information);
}

void CTask::StartUserEvent(bool visible)
{
    if (TaskType() != ttUserPage)
        return;
    if (!m_frmCheckEvent || !m_frmCheckEvent->IsLoaded()) {
        const CheckPages::Factory& make = CheckPages::CurrentFactory();
        if (!make)
            return;
        // The window goes with the task, so the callback never outlives it.
        m_frmCheckEvent = make([this](const QString& desc) { OnUserEvent(desc); });
        m_sLoadedPage.clear();
        if (!m_frmCheckEvent)
            return;
    }
    m_frmCheckEvent->SetDontCloseByUser(IsWaiting() && !DryRunUserEvent);
    if (m_sLoadedPage.isEmpty() || m_sLoadedPage != m_userEventCmd) {
        if (!m_frmCheckEvent->Init(m_userEventCmd))
            qCWarning(lcCheck) << "the check page of" << Key() << "does not exist:" << m_userEventCmd;
        m_sLoadedPage = m_userEventCmd;
    }
    m_frmCheckEvent->Show(m_userEventTitle, visible);
}

void CTask::StopUserEvent()
{
    m_frmCheckEvent.reset();
    m_sLoadedPage.clear();
}

namespace CheckPages {

namespace {

Factory& Slot()
{
    static Factory factory;
    return factory;
}

}  // namespace

void SetFactory(Factory factory)
{
    Slot() = std::move(factory);
}

const Factory& CurrentFactory()
{
    return Slot();
}

}  // namespace CheckPages
