#include "mainwindow/frmMain.h"

#include "alerts/frmPrompt.h"
#include "app/Autorun.h"
#include "app/WindowHelpers.h"
#include "model/AppVersion.h"
#include "ui_frmMain.h"

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
    // The shortcut must work while the menu is closed, so the action lives on the window too.
    addAction(m_ui->mnuQuit);
    connect(m_ui->mnuQuit, &QAction::triggered, this, &frmMain::quitRequested);

    m_scheduler.SetHost(this);
    m_scheduler.SetSink(this);
    m_tmrTime = new QTimer(this);
    m_tmrTime->setObjectName(QStringLiteral("tmrTime"));
    m_tmrTime->setInterval(1000);
    connect(m_tmrTime, &QTimer::timeout, this, [this] { m_scheduler.Tick(); });
}

frmMain::~frmMain()
{
    m_scheduler.SetHost(nullptr);
    m_scheduler.SetSink(nullptr);
}

void frmMain::Load(IAutorun* autorun)
{
    if (autorun)
        m_autorunOn = CheckAutorunAtStart(*autorun, QCoreApplication::applicationFilePath());
    m_engine.LoadCfg();

    // Tasks that were due when the program last ended prompt again (without running their commands again).
    std::vector<TaskPtr> due;
    for (const TaskPtr& task : m_engine.Tasks())
        if (task->eStatus() == tsDue)
            due.push_back(task);
    for (const TaskPtr& task : due)
        m_scheduler.FireTask(task);

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
    m_engine.SaveCfg();
}

frmPrompt* frmMain::Prompt()
{
    if (!m_prompt)
        m_prompt = std::make_unique<frmPrompt>(m_engine);
    return m_prompt.get();
}

void frmMain::ClockTick(const QString& now)
{
    setWindowTitle(m_baseTitle + QStringLiteral(" [") + now + QLatin1Char(']'));
}

void frmMain::DateChanged()
{
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
