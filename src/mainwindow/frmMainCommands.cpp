// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the main window's menus and of its status bar.
#include "alerts/frmPrompt.h"
#include "base/AppPaths.h"
#include "base/AppVersion.h"
#include "base/MsgBox.h"
#include "calendar/PageHost.h"
#include "calendar/frmHtmlViewer.h"
#include "core/TaskDisplay.h"
#include "editor/CategoryCombo.h"
#include "editor/frmTask.h"
#include "engine/RunCmd.h"
#include "engine/TaskCommands.h"
#include "mainwindow/SyncController.h"
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/dlgFilter.h"
#include "mainwindow/dlgFind.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmHelp.h"
#include "mainwindow/frmMain.h"
#include "platform/Autorun.h"
#include "platform/ISleepWatcher.h"
#include "power/dlgShutdown.h"
#include "storage/CsvExport.h"
#include "storage/IcalImport.h"
#include "sync/SyncModule.h"
#include "timerules/Clock.h"
#include "ui_frmMain.h"
#include "widgets/ListHelpers.h"
#include "widgets/WindowHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMetaMethod>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>

using namespace TaskColumns;

namespace {

QString InternalError()
{
    return QCoreApplication::translate("frmMain", "内部错误!");
}

void Warn(const QString& text)
{
    MsgBox::Show(text, MsgButtons::Ok, MsgIcon::Warning);
}

// "Unless No": a closed box goes ahead like Yes.
bool Confirmed(const QString& question, MsgButtons buttons = MsgButtons::YesNo)
{
    return MsgBox::Show(question, buttons, MsgIcon::Question) != MsgResult::No;
}

}  // namespace

void frmMain::SetupStatusBar()
{
    QStatusBar* bar = m_ui->StatusBar1;
    bar->setSizeGripEnabled(true);
    m_panelSummary = new QLabel(bar);
    m_panelSummary->setObjectName(QStringLiteral("panelSummary"));
    m_panelSummary->setToolTip(tr("右键设置过滤条件，双击本栏清除或恢复过滤条件。"));
    m_panelFilter = new QLabel(tr("无过滤(双击设置)"), bar);
    m_panelFilter->setObjectName(QStringLiteral("panelFilter"));
    m_panelFilter->setToolTip(tr("右键或双击设置过滤条件。"));
    bar->addWidget(m_panelSummary, 1);
    bar->addPermanentWidget(m_panelFilter);
    for (QObject* o :
        { static_cast<QObject*>(bar), static_cast<QObject*>(m_panelSummary), static_cast<QObject*>(m_panelFilter) })
        o->installEventFilter(this);
}

void frmMain::SetupSync()
{
    m_sync = new SyncController(m_engine, nullptr, &Platform::MakeSleepWatcher, this);
    m_sync->AttachStatusBar(m_ui->StatusBar1);
    connect(m_sync, &SyncController::Finished, this, [this](const SyncResult& result) {
        // Another device finished, cancelled, postponed or deleted a task that is ringing here.
        if (result.ok && result.downloaded + result.deleted > 0)
            if (frmPrompt* prompt = PromptIfLoaded())
                prompt->DropSettled();
    });
}

void frmMain::SetupMenus()
{
    Ui::frmMain& ui = *m_ui;
    // Shortcuts must work while the menus are closed, so the actions live on the window too.
    for (QAction* a : findChildren<QAction*>())
        if (!a->shortcut().isEmpty())
            addAction(a);

    connect(ui.mnuTask, &QMenu::aboutToShow, this, &frmMain::UpdateTaskMenu);
    connect(ui.mnuAdd, &QAction::triggered, this, &frmMain::NewTask);
    connect(ui.mnuProperty, &QAction::triggered, this, &frmMain::EditTask);
    connect(ui.mnuDelete, &QAction::triggered, this, &frmMain::DeleteSelected);
    connect(ui.mnuDeleteAll, &QAction::triggered, this, &frmMain::DeleteAll);
    connect(ui.mnuCancelOne, &QAction::triggered, this, &frmMain::CancelOne);
    connect(ui.mnuFinishOne, &QAction::triggered, this, &frmMain::FinishOne);
    connect(ui.mnuCancel, &QAction::triggered, this, &frmMain::CancelSelected);
    connect(ui.mnuFinishTask, &QAction::triggered, this, &frmMain::FinishSelected);
    connect(ui.mnuPause, &QAction::triggered, this, &frmMain::PauseResume);
    connect(ui.mnuSelAll, &QAction::triggered, this, [this] { m_ui->lvwTasks->selectAll(); });
    connect(ui.mnuCopy, &QAction::triggered, this, &frmMain::CopyRows);
    connect(ui.mnuFind, &QAction::triggered, this, &frmMain::ShowFind);
    connect(ui.mnuFilterForm, &QAction::triggered, this, &frmMain::ShowFilterForm);
    connect(ui.mnuQuit, &QAction::triggered, this, &frmMain::quitRequested);

    // The filter popup of the status bar.
    connect(ui.mnuFilter, &QMenu::aboutToShow, this, &frmMain::RebuildFilterTypeItems);
    connect(
        ui.mnuFilterTypeItem_0, &QAction::triggered, this, [this] { ApplyGeneratedFilter(QStringLiteral("类别=")); });
    // The items show the status names in the language installed; the filter keeps the Chinese names it parses.
    const std::pair<QAction*, QStringList> statusItems[] = {
        { ui.mnuFilterStatusItem_0,
            { TaskStatusName(tsNotStarted), TaskStatusName(tsDue), TaskStatusName(tsPostponed) } },
        { ui.mnuFilterStatusItem_1, { TaskStatusName(tsFinished) } },
        { ui.mnuFilterStatusItem_2, { TaskStatusName(tsCancelled) } },
    };
    for (const auto& [a, names] : statusItems) {
        const QString filter = QStringLiteral("状态=") + names.join(QLatin1Char(','));
        connect(a, &QAction::triggered, this, [this, filter] { ApplyGeneratedFilter(filter); });
    }
    connect(ui.mnuFilterDefine, &QAction::triggered, this, &frmMain::FilterDefine);
    connect(ui.mnuFilterClear, &QAction::triggered, this, &frmMain::FilterClear);

    // Tools.
    connect(ui.mnuAutorun, &QAction::triggered, this, &frmMain::ToggleAutorun);
    connect(ui.mnuEnableLog, &QAction::triggered, this, &frmMain::ToggleLog);
    connect(ui.mnuViewLog, &QAction::triggered, this, &frmMain::ViewLog);
    connect(ui.mnuExport, &QAction::triggered, this, &frmMain::Export);
    connect(ui.mnuExportIcal, &QAction::triggered, this, &frmMain::ExportIcal);
    connect(ui.mnuImportIcal, &QAction::triggered, this, &frmMain::ImportIcal);
    connect(ui.mnuSetTaskTypes, &QAction::triggered, this, &frmMain::EditTaskTypes);
    connect(ui.mnuColSet, &QMenu::aboutToShow, this, &frmMain::OnColumnMenuOpened);
    connect(ui.mnuColSelAll, &QAction::triggered, this, &frmMain::SelectAllColumns);
    connect(ui.mnuColDefault, &QAction::triggered, this, [this] {
        setUpdatesEnabled(false);
        InitColumns(QString());
        setUpdatesEnabled(true);
    });
    for (int i = 0; i < kCount; ++i) {
        QAction* a = ui.mnuColSet->addAction(QStringLiteral("Column1"));
        a->setObjectName(QStringLiteral("mnuColumn_%1").arg(i));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, i](bool checked) { OnColumnToggled(i, checked); });
        m_mnuColumn[size_t(i)] = a;
    }

    connect(ui.mnuShutdown, &QAction::triggered, this, &frmMain::ShowShutdown);

    // Pages need the page host module; without it their commands say so instead of doing nothing.
    connect(ui.mnuCalendar, &QAction::triggered, this, &frmMain::ShowCalendarWindow);
    connect(ui.mnuRunStatus, &QAction::triggered, this, &frmMain::ShowRunStatus);
    ui.mnuCalendar->setEnabled(PageHost::Available());
    for (QAction* a : { ui.mnuCalendar, ui.mnuRunStatus }) {
        if (!PageHost::Available()) {
            a->setToolTip(PageHost::UnavailableText());
            a->setStatusTip(PageHost::UnavailableText());
        }
    }
    ui.mnuTool->setToolTipsVisible(true);
    ui.mnuTask->setToolTipsVisible(true);

    // Help.
    connect(ui.mnuContent, &QAction::triggered, this, &frmMain::ShowHelp);
    connect(ui.mnuAbout, &QAction::triggered, this, &frmMain::ShowAbout);
    connect(ui.mnuHomePage, &QAction::triggered, this, &frmMain::OpenHomePage);
    ui.mnuHomePage->setEnabled(HomePageUrl().left(4).toLower() == QLatin1String("http"));

    UpdateTaskMenu();
}

QMenu* frmMain::FilterMenu() const
{
    return m_ui->mnuFilter;
}

QMenu* frmMain::TaskMenu() const
{
    return m_ui->mnuTask;
}

bool frmMain::EditorConnected() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&frmMain::newTaskRequested))
        || isSignalConnected(QMetaMethod::fromSignal(&frmMain::editTaskRequested));
}

void frmMain::Beep()
{
    Q_EMIT beeped();
    QApplication::beep();
}

void frmMain::UpdateTaskMenu()
{
    Ui::frmMain& ui = *m_ui;
    const std::vector<int> rows = SelectedRows();
    const bool any = !rows.empty();
    bool oneAllowed = false;
    bool pauseAllowed = false;
    if (rows.size() == 1) {
        if (const TaskPtr task = m_model->TaskAt(rows.front())) {
            const bool paused = task->eStatus() == tsPaused;
            oneAllowed = task->IsRecurring() && (paused || task->IsWaiting());
            pauseAllowed = paused || task->IsWaiting();
            ui.mnuPause->setText(paused ? tr("继续") : tr("暂停"));
        }
    }
    const bool editor = EditorConnected();
    ui.mnuAdd->setEnabled(editor);
    ui.mnuProperty->setEnabled(any && editor);
    ui.mnuDelete->setEnabled(any);
    ui.mnuCancel->setEnabled(any);
    ui.mnuFinishTask->setEnabled(any);
    ui.mnuCancelOne->setEnabled(oneAllowed);
    ui.mnuFinishOne->setEnabled(oneAllowed);
    ui.mnuPause->setEnabled(pauseAllowed);
    const TaskPtr first = any ? m_model->TaskAt(rows.front()) : nullptr;
    ui.mnuRunStatus->setEnabled(first && first->TaskType() == ttUserPage && PageHost::Available());
}

void frmMain::ShowCalendarWindow()
{
    ShowCalendar(false, this);
}

void frmMain::ShowRunStatus()
{
    if (const TaskPtr task = FirstSelectedTask(); task && task->TaskType() == ttUserPage)
        task->StartUserEvent(true);
}

// ---- Task commands ----

void frmMain::NewTask()
{
    if (EditorConnected())
        Q_EMIT newTaskRequested();
}

void frmMain::EditTask()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Beep();
        return;
    }
    if (!EditorConnected())
        return;
    SelectOnly(rows.front());
    const TaskPtr task = m_model->TaskAt(rows.front());
    if (!task->IsWaiting() && task->eStatus() != tsDue)
        Warn(tr("该任务%1!").arg(TaskStatusDisplayName(task->eStatus())));
    Q_EMIT editTaskRequested(task);
}

void frmMain::DeleteSelected()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Beep();
        return;
    }
    if (!Confirmed(tr("确认删除%1项任务？").arg(rows.size())))
        return;
    std::vector<TaskPtr> tasks;
    for (int row : rows)
        tasks.push_back(m_model->TaskAt(row));
    m_engine.RemoveTasks(tasks);
    m_engine.SaveCfg();
}

void frmMain::DeleteAll()
{
    const int total = m_engine.Tasks().Count();
    if (MsgBox::Show(tr("确定要删除全部%1项任务吗？").arg(total), MsgButtons::YesNoCancel, MsgIcon::Question)
        != MsgResult::Yes)
        return;
    m_engine.RemoveAllTasks();
    m_engine.SaveCfg();
}

void frmMain::SettleOneOccurrence(TaskStatus status, const QString& question)
{
    const TaskPtr task = FirstSelectedTask();
    if (!task || !task->IsRecurring() || !task->IsWaiting())
        return;
    if (!Confirmed(question))
        return;
    m_engine.SetTaskStatus(task, status, true, true);
    m_engine.SaveCfg();
}

void frmMain::CancelOne()
{
    SettleOneOccurrence(tsCancelled, tr("将取消本次任务并生成下次提醒任务，确认？"));
}

void frmMain::FinishOne()
{
    SettleOneOccurrence(tsFinished, tr("将完成本次任务并生成下次提醒任务，确认？"));
}

void frmMain::SetStatusOfSelected(TaskStatus status, const QString& question)
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Beep();
        return;
    }
    if (!Confirmed(question.arg(rows.size())))
        return;
    // Rows may leave the list as their status changes, so the tasks are collected first.
    std::vector<TaskPtr> tasks;
    for (int row : rows)
        tasks.push_back(m_model->TaskAt(row));
    for (const TaskPtr& task : tasks)
        m_engine.SetTaskStatus(task, status, false, true);
    m_engine.SaveCfg();
}

void frmMain::CancelSelected()
{
    SetStatusOfSelected(tsCancelled, tr("确实要取消%1项任务？"));
}

void frmMain::FinishSelected()
{
    SetStatusOfSelected(tsFinished, tr("将选中的%1项任务状态设置为已完成？"));
}

void frmMain::PauseResume()
{
    const TaskPtr task = FirstSelectedTask();
    if (!task)
        return;
    const bool paused = task->eStatus() == tsPaused;
    if (!Confirmed(paused ? tr("继续任务？") : tr("暂停任务？")))
        return;
    if (!(paused ? m_engine.ResumeTask(task) : m_engine.PauseTask(task)))
        return;
    UpdateTaskMenu();
    // Saved at once: a pause lost to a crash would let the task ring after all.
    m_engine.SaveCfg();
}

void frmMain::CopyRows()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        Beep();
        return;
    }
    std::vector<QStringList> lines;
    for (int row : rows) {
        QStringList cells;
        for (int c = 0; c < kCount; ++c)
            cells << m_model->Text(row, c);
        lines.push_back(cells);
    }
    ::CopyText(TaskColumns::CopyText(m_model->Captions(), lines));
}

// ---- Tools ----

void frmMain::ToggleAutorun()
{
    const bool wanted = !m_autorunOn;
    if (m_autorun && m_autorun->Set(wanted))
        m_autorunOn = wanted;
    else
        Warn(tr("无法设置注册表自动启动项，可能是被杀毒软件阻止。"));
    m_ui->mnuAutorun->setChecked(m_autorunOn);
}

void frmMain::ToggleLog()
{
    AppSettings& s = m_engine.Settings();
    s.EnableLog = !s.EnableLog;
    m_ui->mnuEnableLog->setChecked(s.EnableLog);
    m_engine.SaveCfg();
}

void frmMain::ViewLog()
{
    if (!m_engine.Settings().EnableLog) {
        const MsgResult r = MsgBox::Show(tr("日志记录未激活，是否激活？"), MsgButtons::YesNoCancel, MsgIcon::Question);
        if (r == MsgResult::Cancel)
            return;
        if (r == MsgResult::Yes)
            ToggleLog();
    }
    const QString path = m_engine.LogFilePath();
    // The opener needs a start folder that exists: the log's own.
    if (QFileInfo::exists(path)) {
        if (!Platform::DesktopOpener()->Open(QLatin1Char('"') + path + QLatin1Char('"'), QString(),
                QFileInfo(path).absolutePath(), ShowState::Normal))
            Warn(tr("出错: 无法打开文件 %1").arg(QDir::toNativeSeparators(path)));
    } else
        Warn(tr("无日志文件：%1").arg(QDir::toNativeSeparators(path)));
}

namespace {

// The export's proposed file: the name and today's date, in the documents folder where there is one (a fresh
// account may have none).
QString SuggestedExportPath()
{
    const QString name = QCoreApplication::translate("frmMain", "任务提醒列表 ")
        + Clock::CurrentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
}

}  // namespace

void frmMain::OfferToOpen(const QString& path)
{
    if (MsgBox::Show(tr("导出成功！是否打开？"), MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes)
        if (!Platform::DesktopOpener()->Open(QLatin1Char('"') + path + QLatin1Char('"'), QString(),
                QFileInfo(path).absolutePath(), ShowState::Normal))
            Warn(tr("出错: 无法打开文件 %1").arg(QDir::toNativeSeparators(path)));
}

void frmMain::Export()
{
    ExportWith(tr("逗号分隔的Excel文件(*.csv)|*.csv"), QStringLiteral(".csv"),
        [](const TaskList& tasks, const QString& path, QString* error, const QString& dataFile) {
            return ExportCsv(tasks, path, error, dataFile);
        });
}

void frmMain::ExportIcal()
{
    QString error;
    const SyncModule::Api* api = SyncModule::Load(&error);
    if (!api) {
        Warn(error);
        return;
    }
    ExportWith(tr("iCalendar 日历文件(*.ics)|*.ics"), QStringLiteral(".ics"), api->exportIcal);
}

void frmMain::ExportWith(const QString& filter, const QString& extension, const Exporter& exporter)
{
    const QString path = MsgBox::SaveFileName(tr("保存文件"), filter, SuggestedExportPath(), extension);
    if (path.isEmpty())
        return;
    QString error;
    if (!exporter(m_engine.Tasks(), path, &error, m_engine.DataFilePath())) {
        Warn(tr("出错: %1").arg(error));
        return;
    }
    OfferToOpen(path);
}

void frmMain::ImportIcal()
{
    const QString path = MsgBox::OpenFileName(tr("打开文件"), tr("iCalendar 日历文件(*.ics)|*.ics;*.ical;*.ifb"));
    if (path.isEmpty())
        return;
    QString error;
    const SyncModule::Api* api = SyncModule::Load(&error);
    if (!api) {
        Warn(error);
        return;
    }
    IcalImportResult result;
    if (!api->readIcalFile(path, result, &error)) {
        Warn(tr("出错: %1").arg(error));
        return;
    }
    const int added = m_engine.AddImportedTasks(result.tasks);
    if (added > 0) {
        UpdateSummary();
        m_engine.SaveCfg();
    }
    MsgBox::Show(api->importSummary(result, added), MsgButtons::Ok, MsgIcon::Information);
}

void frmMain::EditTaskTypes()
{
    if (SetTaskTypes(m_engine.TaskTypes(), m_engine.Tasks(), nullptr) && m_editor)
        m_editor->ReloadCategories();
}

// ---- Filter ----

bool frmMain::SetTaskFilter(const QString& text, QString* errInfo)
{
    CTaskFilter filter;
    if (!filter.Init(text == QLatin1String("-") ? QString() : text, errInfo))
        return false;
    m_filter = filter;
    m_engine.Settings().Filter = m_filter.Text();
    RefreshList();
    return true;
}

void frmMain::ApplyGeneratedFilter(const QString& text)
{
    QString err;
    if (!SetTaskFilter(text, &err))
        Warn(InternalError());
    if (m_dlgFilter)
        m_dlgFilter->Synchronize();
}

void frmMain::RebuildFilterTypeItems()
{
    const CSimpleList& types = m_engine.TaskTypes();
    if (m_filterMenuBuilt && types.Text() == m_filterMenuTypesText)
        return;
    QMenu* menu = m_ui->mnuFilterType;
    for (QAction* a : menu->actions())
        if (a != m_ui->mnuFilterTypeItem_0)
            delete a;  // not deleteLater: a stale item must not be found by its name meanwhile
    int i = 1;
    for (const QString& type : types.List()) {
        QAction* a = menu->addAction(type);
        a->setObjectName(QStringLiteral("mnuFilterTypeItem_%1").arg(i++));
        connect(a, &QAction::triggered, this, [this, type] { ApplyGeneratedFilter(QStringLiteral("类别=") + type); });
    }
    m_filterMenuTypesText = types.Text();
    m_filterMenuBuilt = true;
}

void frmMain::FilterDefine()
{
    const QString prompt = QStringList { tr("请输入过滤条件："), QString(), tr("多个值以,分隔，多个条件以&分隔，例如"),
        tr("  \"类别=工作,私人&状态=已完成\""), QString(), tr("输入- 清除过滤条件显示所有项") }
                               .join(QStringLiteral("\r\n"));
    QString answer = m_filter.Text().isEmpty() ? QStringLiteral("类别=") : m_filter.Text();
    for (;;) {
        answer = MsgBox::InputBox(prompt, QString(), answer).trimmed();
        if (answer.isEmpty())
            return;
        QString err;
        if (SetTaskFilter(answer, &err))
            break;
        Warn(err);
    }
    if (m_dlgFilter)
        m_dlgFilter->Synchronize();
}

void frmMain::FilterClear()
{
    ApplyGeneratedFilter(QStringLiteral("-"));
}

void frmMain::StatusBarDoubleClicked(bool onFilterPanel)
{
    if (onFilterPanel) {
        ShowFilterForm();
        return;
    }
    if (!m_filter.Text().isEmpty()) {
        m_lastFilterText = m_filter.Text();
        ApplyGeneratedFilter(QStringLiteral("-"));
    } else if (!m_lastFilterText.isEmpty()) {
        ApplyGeneratedFilter(m_lastFilterText);
    }
}

// ---- Windows ----

dlgFind* frmMain::FindDialog() const
{
    return m_dlgFind;
}

dlgFilter* frmMain::FilterDialog() const
{
    return m_dlgFilter;
}

frmHelp* frmMain::HelpWindow() const
{
    return m_frmHelp;
}

void frmMain::ShowFind()
{
    if (!m_dlgFind)
        m_dlgFind = new dlgFind(m_ui->lvwTasks, this);
    ForceForeground(m_dlgFind);
}

void frmMain::ShowFilterForm()
{
    if (!m_dlgFilter)
        m_dlgFilter = new dlgFilter(*this, this);
    else
        m_dlgFilter->Synchronize();
    ForceForeground(m_dlgFilter);
}

void frmMain::ShowHelp()
{
    if (!m_frmHelp)
        m_frmHelp = new frmHelp(this);
    ForceForeground(m_frmHelp);
}

void frmMain::ShowShutdown()
{
    ShutdownDialog()->ShowByHand();
}

void frmMain::ShowAbout()
{
    frmAbout about(this);
    about.exec();
}

void frmMain::OpenHomePage()
{
    frmAbout::OpenHomePage();
}

void frmMain::AnswerRequestLater(const QString& request, std::function<void(const QString&)> reply)
{
    QStringList args;
    const QString command = TaskRequests::CommandFor(m_engine, AppPaths::DataFolder(), request, &args);
    if (command != u"sync") {
        reply(AnswerRequest(request));
        return;
    }
    // setup, status and forget are tickwell-cli's own work, done once the program has left the folder.
    if (!args.isEmpty()) {
        reply(TaskRequests::Pass());
        return;
    }
    if (!m_sync->HasAccount()) {
        TaskCommandResult r;
        r.exitCode = 1;
        r.err = tr("这个数据文件夹没有设置同步帐户。\n");
        reply(TaskRequests::EncodeAnswer(r));
        return;
    }
    // A sync already under way may not have the latest changes: the answer is the one after it.
    auto waits = std::make_shared<int>(m_sync->IsBusy() ? 2 : 1);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection
        = connect(m_sync, &SyncController::Finished, this, [reply, waits, connection](const SyncResult& result) {
              if (--*waits > 0 && result.ok)
                  return;
              QObject::disconnect(*connection);
              TaskCommandResult r;
              r.exitCode = result.ok ? 0 : 1;
              // As tickwell-cli prints a sync of its own: what went to the status log, then the counts.
              for (const QString& note : result.notes)
                  r.out += note + u'\n';
              if (result.ok)
                  r.out += result.Summary() + u'\n';
              else
                  r.err = result.error + u'\n';
              reply(TaskRequests::EncodeAnswer(r));
          });
    m_sync->SyncNow();
}

QString frmMain::AnswerRequest(const QString& request)
{
    const QString answer = TaskRequests::Answer(m_engine, AppPaths::DataFolder(), request);
    // A task finished or postponed from the command line no longer waits in the prompt.
    if (frmPrompt* prompt = PromptIfLoaded())
        prompt->DropSettled();
    return answer;
}
