// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmMain.h"

#include "alerts/RingPlayer.h"
#include "alerts/frmPrompt.h"
#include "base/AppVersion.h"
#include "calendar/PageHost.h"
#include "editor/frmTask.h"
#include "engine/RunCmd.h"
#include "mainwindow/SysTray.h"
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/dlgFilter.h"
#include "mainwindow/dlgFind.h"
#include "mainwindow/frmHelp.h"
#include "platform/Autorun.h"
#include "power/dlgShutdown.h"
#include "timerules/Clock.h"
#include "ui_frmMain.h"
#include "widgets/WindowHelpers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmMain>())
    , m_scheduler(m_engine)
{
    m_ui->setupUi(this);
    m_baseTitle = AppTitleWithVersion();
    setWindowTitle(m_baseTitle);

    SetupList();
    SetupStatusBar();
    SetupMenus();
    SetupSync();

    m_engine.SetView(this);
    m_scheduler.SetHost(this);
    m_scheduler.SetSink(this);
    m_tmrTime = new QTimer(this);
    m_tmrTime->setObjectName(QStringLiteral("tmrTime"));
    m_tmrTime->setInterval(1000);
    connect(m_tmrTime, &QTimer::timeout, this, &frmMain::tmrTime_Timer);
    SetupTray();
    SetupLock();
    SetupStyle();

    connect(this, &frmMain::newTaskRequested, this, [this] { Editor()->ShowAsNewTask(this); });
    connect(this, &frmMain::editTaskRequested, this,
        [this](const TaskPtr& task) { Editor()->ShowAsTaskProperty(task, this); });
    UpdateTaskMenu();  // 新建 and 修改 were disabled while nothing listened

    InitColumns(QString());
    RefreshList();
}

frmMain::~frmMain()
{
    m_engine.SetView(nullptr);
    m_scheduler.SetHost(nullptr);
    m_scheduler.SetSink(nullptr);
}

void frmMain::Load(IAutorun* autorun)
{
    m_autorun = autorun;
    if (autorun)
        m_autorunOn = CheckAutorunAtStart(*autorun, QCoreApplication::applicationFilePath());
    m_ui->mnuAutorun->setChecked(m_autorunOn);

    // Rows are built once after the load rather than one by one while it runs.
    m_engine.SetView(nullptr);
    m_engine.LoadCfg();
    m_engine.SetView(this);

    const AppSettings& s = m_engine.Settings();
    m_ui->mnuEnableLog->setChecked(s.EnableLog);
    InitColumns(s.ColWidth);
    CTaskFilter saved;
    QString err;
    // A saved filter that no longer parses is ignored: the list shows everything.
    m_filter = saved.Init(s.Filter, &err) ? saved : CTaskFilter();
    RefreshList();
    m_lastTaskCount = m_engine.Tasks().Count();
    LoadAutoLock();
    if (!s.UnlockPassword().isEmpty())
        mnuLock_Click();
    InitStyleMenus();

    // Power commands of due tasks count down in the shared shutdown dialog; it exists from here on so the
    // editor finds it too.
    ShutdownDialog();

    // The icon goes up before the window is first shown.
    HideToTray();
    m_loaded = true;
    // The holder of the data folder reminds; a second one would fire every task twice.
    if (m_readOnly)
        return;

    // Tasks that were due when the program last ended prompt again (without running their commands again).
    std::vector<TaskPtr> due;
    for (const TaskPtr& task : m_engine.Tasks())
        if (task->eStatus() == tsDue)
            due.push_back(task);
    for (const TaskPtr& task : due)
        m_scheduler.FireTask(task);

    m_tmrTime->start();
}

void frmMain::SetReadOnly(const QString& reason)
{
    m_readOnly = true;
    m_engine.SetReadOnly(true);
    m_baseTitle += tr(" [只读：%1]").arg(reason);
    setWindowTitle(m_baseTitle);
}

void frmMain::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_tmrTime->stop();
    if (m_editor && m_editor->isVisible())
        m_editor->reject();
    // Hiding stops a countdown: nothing is switched off behind the back of a program that is quitting.
    if (m_dlgShutdown)
        m_dlgShutdown->hide();
    // The prompt object stays alive until the window goes: Unload may run inside one of its event loops.
    if (m_prompt)
        m_prompt->Unload();
    for (QWidget* w : { static_cast<QWidget*>(m_dlgFind.data()), static_cast<QWidget*>(m_dlgFilter.data()),
             static_cast<QWidget*>(m_frmHelp.data()) })
        if (w)
            w->close();
    m_sysTray->RemoveTrayIcon();
    m_engine.SaveCfg();
}

dlgShutdown* frmMain::ShutdownDialog()
{
    if (!m_dlgShutdown)
        m_dlgShutdown = std::make_unique<dlgShutdown>();
    return m_dlgShutdown.get();
}

frmPrompt* frmMain::Prompt()
{
    if (!m_prompt) {
        m_prompt = std::make_unique<frmPrompt>(m_engine);
        // Opened from the prompt, the editor stays above it and gives the focus back to it.
        connect(m_prompt.get(), &frmPrompt::editTaskRequested, this,
            [this](const TaskPtr& task) { Editor()->ShowAsTaskProperty(task, m_prompt.get()); });
    }
    return m_prompt.get();
}

frmTask* frmMain::Editor()
{
    if (!m_editor) {
        m_editor = std::make_unique<frmTask>(m_engine);
        // The command box's power entry edits an "@" command in the shutdown dialog's setting mode.
        m_editor->SetPowerSetting(
            [this](QWidget*, const QString& lastCmd) { return ShutdownDialog()->ShowAsSetting(lastCmd); });
        // 试运行 of a page check shows the page; its event is told in a message box.
        if (PageHost::Available())
            m_editor->SetPageCheck([](CTask& scratch) {
                bool valid = true;
                QString desc;
                scratch.CheckUserEvent(valid, desc);
            });
        // 试听 plays the chosen ring through a player of its own, owned by the editor.
        auto* preview = new RingPlayer(RingPlayer::Mode::Preview, m_editor.get());
        m_editor->SetRingPreview({ [preview](int type, const QString& file, int priority) {
                                      preview->SetTaskPriority(priority);
                                      preview->SetRingFile(file);
                                      preview->SetRingType(type);
                                      preview->SetTesting(false);
                                      preview->SetTesting(true);
                                      return preview->IsTesting();
                                  },
            [preview] { preview->SetTesting(false); } });
        connect(preview, &RingPlayer::testingChanged, m_editor.get(), [editor = m_editor.get()](bool on) {
            if (!on)
                editor->PreviewEnded();
        });
        connect(preview, &RingPlayer::lengthTextChanged, m_editor.get(), &frmTask::ShowPreviewLength);
    }
    return m_editor.get();
}

void frmMain::StoreSettings(AppSettings& settings)
{
    // The log switch and the filter write their settings as they change; only the widths live in the list.
    settings.ColWidth = GetColWidths();
}

void frmMain::tmrTime_Timer()
{
    m_scheduler.Tick();
    m_sysTray->CheckHost();
    AutoLockTick();
}

void frmMain::ClockTick(const QString& now)
{
    // A program that lives in the tray ticks all day: away, the tick leaves the caption and the rows alone.
    NoteShownRows();
    if (!IsAway())
        SetClockCaption(now);
}

void frmMain::SetClockCaption(const QString& now)
{
    setWindowTitle(m_baseTitle + QStringLiteral(" [") + now + QLatin1Char(']'));
}

void frmMain::CatchUp()
{
    if (!m_tmrTime->isActive() || IsAway())
        return;
    SetClockCaption(Clock::CurrentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    NoteShownRows();
    RefreshShownTimes();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    CatchUp();
}

void frmMain::DateChanged()
{
    // Day words such as "今天" and "明天" in the rows are stale.
    RefreshList();
    Q_EMIT dateChanged();
}

void frmMain::TaskDueToFront()
{
    if (isVisible() && !isMinimized())
        ForceForeground(this);
}

void frmMain::ShowFiredTask(const TaskPtr& task)
{
    if (!m_unloaded)
        Prompt()->ShowFiredTask(task);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    // The close box keeps the reminders running: the program ends only through its quit commands.
    event->ignore();
    setWindowState(windowState() | Qt::WindowMinimized);
}
