#include "mainwindow/frmMain.h"

#include "alerts/frmPrompt.h"
#include "mainwindow/SysTray.h"
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/dlgFilter.h"
#include "mainwindow/dlgFind.h"
#include "mainwindow/frmHelp.h"
#include "model/AppVersion.h"
#include "platform/Autorun.h"
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

    m_engine.SetView(this);
    m_scheduler.SetHost(this);
    m_scheduler.SetSink(this);
    m_tmrTime = new QTimer(this);
    m_tmrTime->setObjectName(QStringLiteral("tmrTime"));
    m_tmrTime->setInterval(1000);
    connect(m_tmrTime, &QTimer::timeout, this, [this] { m_scheduler.Tick(); });
    SetupTray();
    connect(m_tmrTime, &QTimer::timeout, m_sysTray, &SysTray::CheckHost);
    SetupLock();
    SetupStyle();

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

    // Tasks that were due when the program last ended prompt again (without running their commands again).
    std::vector<TaskPtr> due;
    for (const TaskPtr& task : m_engine.Tasks())
        if (task->eStatus() == tsDue)
            due.push_back(task);
    for (const TaskPtr& task : due)
        m_scheduler.FireTask(task);

    // The icon goes up before the window is first shown.
    HideToTray();
    m_loaded = true;
    m_tmrTime->start();
}

void frmMain::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_tmrTime->stop();
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

frmPrompt* frmMain::Prompt()
{
    if (!m_prompt)
        m_prompt = std::make_unique<frmPrompt>(m_engine);
    return m_prompt.get();
}

void frmMain::StoreSettings(AppSettings& settings)
{
    // The log switch and the filter write their settings as they change; only the widths live in the list.
    settings.ColWidth = GetColWidths();
}

void frmMain::ClockTick(const QString& now)
{
    setWindowTitle(m_baseTitle + QStringLiteral(" [") + now + QLatin1Char(']'));
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

void frmMain::AddTask(const TaskPtr& task)
{
    if (!m_unloaded)
        Prompt()->AddTask(task);
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
