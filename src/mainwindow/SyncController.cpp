// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/SyncController.h"

#include "base/AppPaths.h"
#include "base/MsgBox.h"
#include "engine/TaskEngine.h"
#include "platform/ISecretStore.h"
#include "platform/ISleepWatcher.h"
#include "sync/SyncModule.h"

#include <QLocale>
#include <QStatusBar>
#include <QToolButton>

namespace {

// Local changes come in bursts (an edit, then its save; a multiple selection finished): one sync for them all.
constexpr int kSettleMs = 3000;

}  // namespace

SyncController::SyncController(TaskEngine& engine, std::shared_ptr<ISecretStore> secrets,
    std::function<std::unique_ptr<ISleepWatcher>()> makeSleepWatcher, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_secrets(std::move(secrets))
    , m_makeSleepWatcher(std::move(makeSleepWatcher))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &SyncController::Run);
    connect(&m_interval, &QTimer::timeout, this, &SyncController::Run);
}

SyncController::~SyncController()
{
    if (m_sleep)
        m_sleep->SetWokeHandler({});
}

ISyncEngine* SyncController::Engine()
{
    if (m_sync)
        return m_sync.get();
    QString error;
    const SyncModule::Api* api = SyncModule::Load(&error);
    if (!api) {
        m_lastError = error;
        return nullptr;
    }
    m_sync = api->makeEngine(m_engine, m_secrets ? m_secrets : Platform::SecretStore());
    connect(m_sync.get(), &ISyncEngine::Progress, this, [this] {
        if (m_panel)
            m_panel->setText(StatusText());
    });
    connect(m_sync.get(), &ISyncEngine::Finished, this, &SyncController::Done);
    m_sync->LoadState(nullptr);
    return m_sync.get();
}

ISyncEngine* SyncController::EngineOrFail()
{
    if (ISyncEngine* engine = Engine())
        return engine;
    // Answered later, as the engine answers.
    SyncResult result;
    result.error = m_lastError;
    QTimer::singleShot(0, this, [this, result] { Done(result); });
    return nullptr;
}

void SyncController::LoadState()
{
    if (m_sync)
        m_sync->LoadState(nullptr);
    else
        m_state.Load(SyncState::FilePath(AppPaths::DataFolder()), nullptr);
}

void SyncController::AttachStatusBar(QStatusBar* bar)
{
    m_panel = new QToolButton(bar);
    m_panel->setObjectName(QStringLiteral("panelSync"));
    m_panel->setAutoRaise(true);
    m_panel->setAccessibleName(tr("同步状态"));
    m_panel->setToolTip(tr("单击查看同步详情和待上传的更改。"));
    connect(m_panel, &QToolButton::clicked, this, &SyncController::ShowDetails);
    bar->addPermanentWidget(m_panel);
    ShowStatus();
}

void SyncController::Start()
{
    LoadState();
    m_lastError = State().lastError;  // a failure of the last run is still the news
    // With an account the module is wanted at once; without one, not until the user sets one up.
    if (HasAccount())
        Engine();
    ArmInterval();
    ShowStatus();
    if (HasAccount())
        QTimer::singleShot(0, this, &SyncController::Run);
}

void SyncController::WatchNetwork()
{
    // Only with an account: the backend brings a network library stack and a system-bus connection into the run.
    if (m_watchingNetwork)
        return;
    m_watchingNetwork = true;
    if (m_makeSleepWatcher && (m_sleep = m_makeSleepWatcher()))
        m_sleep->SetWokeHandler([this] {
            // The connections of before the suspend are dead; give the network a moment to come up.
            if (HasAccount())
                m_settle.start();
        });
    const SyncModule::Api* api = SyncModule::Load();
    if (!api)
        return;
    api->watchNetwork(this, [this](SyncModule::Network n) {
        if (n == SyncModule::Network::Disconnected) {
            m_sawDisconnect = true;
        } else if (n == SyncModule::Network::Online && m_sawDisconnect) {
            m_sawDisconnect = false;
            if (HasAccount())
                m_settle.start();
        }
    });
}

void SyncController::ArmInterval()
{
    if (HasAccount()) {
        WatchNetwork();
        m_interval.start(std::max(1, State().intervalSeconds) * 1000);
    } else {
        m_interval.stop();
    }
}

void SyncController::SyncNow()
{
    m_settle.stop();
    Run();
}

void SyncController::LocalChange()
{
    // The changes a sync makes itself come back here as well: they are on the server already.
    if (m_running == Pending::None && HasAccount())
        m_settle.start();
}

void SyncController::Run()
{
    if (m_running != Pending::None) {
        m_again = m_running == Pending::Sync;
        return;
    }
    if (!HasAccount()) {
        LoadState();
        if (!HasAccount())
            return;
    }
    m_running = Pending::Sync;
    ShowStatus();
    if (ISyncEngine* engine = EngineOrFail())
        engine->Sync();
}

void SyncController::Setup(const SyncSetup& setup, int intervalSeconds)
{
    m_settle.stop();
    m_running = Pending::Setup;
    m_setupInterval = intervalSeconds;
    ShowStatus();
    if (ISyncEngine* engine = EngineOrFail())
        engine->Setup(setup);
}

void SyncController::SetInterval(int seconds)
{
    ISyncEngine* engine = m_sync || HasAccount() ? Engine() : nullptr;
    if (!engine)
        m_state.intervalSeconds = seconds;
    else if (engine->SetInterval(seconds))
        ArmInterval();
}

void SyncController::Forget()
{
    m_settle.stop();
    m_interval.stop();
    m_running = Pending::Forget;
    if (ISyncEngine* engine = EngineOrFail())
        engine->Forget();
}

void SyncController::Done(const SyncResult& result)
{
    const Pending was = std::exchange(m_running, Pending::None);
    LoadState();
    m_lastError = result.ok ? QString() : result.error;
    if (was == Pending::Setup && result.ok && m_sync) {
        if (m_setupInterval > 0)
            m_sync->SetInterval(m_setupInterval);
        // The new account's first sync follows at once.
        m_again = true;
    }
    ArmInterval();
    ShowStatus();
    // A change that lost to a newer one, or a task removed by another device: said once, kept in the log.
    if (m_panel && !result.notes.isEmpty()) {
        if (auto* bar = qobject_cast<QStatusBar*>(m_panel->parentWidget()))
            bar->showMessage(result.notes.size() == 1
                    ? result.notes.first()
                    : tr("%1（另有 %2 条，见状态日志）").arg(result.notes.first()).arg(result.notes.size() - 1),
                15000);
    }
    emit Finished(result);
    if (std::exchange(m_again, false) && HasAccount())
        QTimer::singleShot(0, this, &SyncController::Run);
    else if (was == Pending::Sync && result.ok && m_sync && m_sync->PendingChanges() > 0)
        m_settle.start();  // changed here while the sync ran
}

QString SyncController::StatusText() const
{
    if (m_running == Pending::Sync || m_running == Pending::Setup)
        return tr("正在同步…");
    if (!HasAccount())
        return QString();
    if (!m_lastError.isEmpty())
        return tr("同步失败：%1").arg(m_lastError);
    const QDateTime last = State().lastSync;
    if (!last.isValid())
        return tr("尚未同步");
    return tr("上次同步 %1").arg(QLocale().toString(last.toLocalTime().time(), QStringLiteral("HH:mm")));
}

void SyncController::ShowStatus()
{
    const QString text = StatusText();
    if (m_panel) {
        m_panel->setText(text);
        m_panel->setVisible(!text.isEmpty());
    }
    emit StatusChanged(text);
}

QString SyncController::DetailsText() const
{
    const SyncState& s = State();
    if (!s.HasAccount())
        return tr("没有设置同步帐户。");
    QStringList lines;
    lines << tr("日历：%1").arg(s.calendarUrl) << tr("用户：%1").arg(s.user);
    lines << tr("上次成功同步：%1")
                 .arg(s.lastSync.isValid() ? QLocale().toString(s.lastSync.toLocalTime(), QLocale::ShortFormat)
                                           : tr("从未"));
    if (!s.lastError.isEmpty())
        lines << tr("上次失败原因：%1").arg(s.lastError);
    if (m_sync)
        lines << tr("待上传的更改：%1 项").arg(m_sync->PendingChanges());
    return lines.join(u'\n');
}

void SyncController::ShowDetails()
{
    MsgBox::Show(DetailsText(), MsgButtons::Ok, MsgIcon::Information, tr("同步"));
}
