// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/frmPrompt.h"

#include "alerts/RingPlayer.h"

#include "base/AppVersion.h"
#include "base/MsgBox.h"
#include "base/Text.h"
#include "core/TaskDisplay.h"
#include "engine/TaskEngine.h"
#include "platform/IDesktopNotifier.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"
#include "ui_frmPrompt.h"
#include "widgets/WindowHelpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

QString EntryText(const CTask& task)
{
    QString text;
    if (!task.sType.isEmpty())
        text = QLatin1Char('[') + task.sType + QStringLiteral("] ");
    return text + task.Title() + QStringLiteral(" / ") + DisplayDueText(task);
}

const QString kNotifyDone = QStringLiteral("done");
const QString kNotifyPostpone = QStringLiteral("postpone10");

}  // namespace

frmPrompt::frmPrompt(TaskEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::frmPrompt>())
    , m_engine(engine)
{
    m_ui->setupUi(this);
    ResetControls();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &frmPrompt::TimerStep);
    m_timer->start();

    connect(m_ui->lstTasks, &QListWidget::currentRowChanged, this, &frmPrompt::ShowFocused);
    connect(m_ui->lstTasks, &QListWidget::itemDoubleClicked, this, [this] {
        if (const TaskPtr task = FocusedTask())
            Q_EMIT editTaskRequested(task);
    });
    connect(m_ui->txtDesc, &QPlainTextEdit::textChanged, this, [this] {
        // Every edit goes straight into the task; it is stored with the next save.
        if (m_showingDesc)
            return;
        if (TaskPtr task = FocusedTask())
            task->SetDescription(Text::LfToCrLf(m_ui->txtDesc->toPlainText()));
    });
    connect(m_ui->cboDelay, &QComboBox::activated, this, [this](int index) {
        if (index != m_ui->cboDelay->count() - 1)
            return;
        const QString when = MsgBox::InputBox(tr("输入指定日期时间，如\"2010-10-1 10:00\", \"2010-10-1\", "
                                                 "\"10:00\"(表示今天，如果当前时间超过10点则自动改到明天)"),
            AppTitle(), Clock::CurrentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        m_ui->cboDelay->setEditText(when);
    });
    connect(m_ui->chkOngoing, &QCheckBox::toggled, this, [this](bool ticked) {
        if (m_sNewDueCaption.isEmpty())
            m_sNewDueCaption = m_ui->cmdNewDue->text();
        m_ui->cmdNewDue->setText(ticked ? tr("下次提醒") : m_sNewDueCaption);
    });
    m_ui->chkOngoingLabel->installEventFilter(this);

    connect(m_ui->cmdOk, &QPushButton::clicked, this, [this] { SetSelectedStatus(tsFinished); });
    connect(m_ui->cmdCancelTask, &QPushButton::clicked, this, [this] { SetSelectedStatus(tsCancelled); });
    connect(m_ui->cmdNewDue, &QPushButton::clicked, this,
        [this] { SetSelectedStatus(m_ui->chkOngoing->isChecked() ? tsOngoing : tsPostponed); });
}

frmPrompt::~frmPrompt() = default;

TaskPtr frmPrompt::TaskAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_tasks[size_t(index)];
}

RingPlayer* frmPrompt::RingAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_rings[size_t(index)];
}

void frmPrompt::DropRing(RingPlayer* ring)
{
    if (!ring)
        return;
    // Silent at once; deleted later, as it may be the one whose message box is open right now.
    ring->SetTesting(false);
    ring->deleteLater();
}

TaskPtr frmPrompt::FocusedTask() const
{
    return TaskAt(m_ui->lstTasks->currentRow());
}

void frmPrompt::ShowFiredTask(const TaskPtr& task)
{
    if (!task)
        return;
    m_ui->lstTasks->addItem(EntryText(*task));
    m_tasks.push_back(task);
    RingPlayer* ring = nullptr;
    if (task->eRingType == rtBeep || task->eRingType == rtMusic)
        ring = new RingPlayer(RingPlayer::Mode::Ring, this);
    m_rings.push_back(ring);
    m_notes.push_back(Notify(task));
    // Starting may show a message about the music file; the entry is complete by then.
    if (ring)
        ring->ShowAsRing(*task);

    // Select the new entry and focus it; entries selected before stay selected.
    const int last = m_ui->lstTasks->count() - 1;
    m_ui->lstTasks->setCurrentRow(last, QItemSelectionModel::Select);
    ShowFocused();

    SetTopMost(this, true);
    if (!m_placed) {
        // The first reminder appears in the middle of the screen, where it is seen; later ones leave the
        // window where the user put it.
        m_placed = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    ForceForeground(this);
}

void frmPrompt::ShowFocused()
{
    const TaskPtr task = FocusedTask();
    m_showingDesc = true;
    m_ui->txtDesc->setPlainText(task ? Text::CrLfToLf(task->sDescription()) : QString());
    m_showingDesc = false;
    m_ui->lblAlarmDT->setText(task ? Text::OneLine(task->AlarmTimeStr(), QStringLiteral(" ")) : QString());
    TimerStep();
}

void frmPrompt::TimerStep()
{
    const TaskPtr task = FocusedTask();
    if (!task) {
        m_ui->lblDelay->clear();
        return;
    }
    const Instant now = Clock::Now();
    // The first half minute is the reminder itself; after that the label says how long it has waited.
    if (SecondDiff(task->dtAlarmDT, now) >= 30)
        m_ui->lblDelay->setText(tr("已过%1").arg(DisplayDuration(task->dtAlarmDT, now)));
    else
        m_ui->lblDelay->clear();
}

void frmPrompt::SetSelectedStatus(TaskStatus status)
{
    const int count = Count();
    int selected = 0;
    for (int i = 0; i < count; ++i)
        if (m_ui->lstTasks->item(i)->isSelected())
            ++selected;
    if (selected == 0) {
        QApplication::beep();
        return;
    }
    const bool all = selected == count;
    if (selected > 1) {
        const QString question = all ? tr("将所有任务设置为%1?").arg(TaskStatusName(status))
                                     : tr("将%1条任务设置为%2?").arg(selected).arg(TaskStatusName(status));
        if (MsgBox::Show(question, MsgButtons::YesNoCancel, MsgIcon::Question) != MsgResult::Yes)
            return;
    }

    // From the last entry to the first, so removing an entry leaves the indexes still to visit valid. Entries
    // that arrive meanwhile (a message box below runs an event loop) are appended and not visited.
    int settled = 0;
    for (int i = count - 1; i >= 0; --i) {
        if (i >= Count() || !m_ui->lstTasks->item(i)->isSelected())
            continue;
        if (!SettleEntry(m_tasks[size_t(i)], status, m_ui->cboDelay->currentText().trimmed())) {
            m_ui->cboDelay->setFocus();
            // The entries already settled are kept on disk at once rather than at some later save.
            if (settled > 0)
                m_engine.SaveCfg();
            return;
        }
        ++settled;
    }
    m_engine.SaveCfg();
    AfterSettling();
}

bool frmPrompt::SettleEntry(const TaskPtr& task, TaskStatus status, const QString& delay)
{
    if (status == tsPostponed || status == tsOngoing) {
        QString err;
        if (!task->SetPostpone(delay, &err, status == tsOngoing)) {
            if (!err.isEmpty())
                MsgBox::Show(err, MsgButtons::Ok, MsgIcon::Warning);
            return false;
        }
    }
    m_engine.SetTaskStatus(task, status, true, true);
    // The task may have been settled by other means while a question was open; its entry goes either way.
    const auto it = std::find(m_tasks.begin(), m_tasks.end(), task);
    if (it != m_tasks.end())
        RemoveEntry(int(it - m_tasks.begin()));
    return true;
}

void frmPrompt::AfterSettling()
{
    // A task that fell due while a question was open is still waiting for the user: keep the prompt for it.
    if (Count() == 0) {
        Unload();
    } else {
        m_ui->lstTasks->clearSelection();
        m_ui->lstTasks->setCurrentRow(0, QItemSelectionModel::Select);
        ShowFocused();
    }
}

quint64 frmPrompt::Notify(const TaskPtr& task)
{
    if (!m_engine.Settings().DesktopNotify)
        return 0;
    const QString category = task->sType.isEmpty() ? QString() : QStringLiteral("[%1] ").arg(task->sType);
    const QString text = Text::OneLine(task->AlarmTimeStr(), QStringLiteral(" "));
    const std::vector<NotificationAction> actions
        = { { kNotifyDone, tr("任务完成") }, { kNotifyPostpone, tr("推迟10分钟") } };
    // Without a notification service nothing else changes: the prompt is there either way.
    return DesktopNotifier::Current()->NotifyWithActions(category + task->Title(), text, actions,
        [self = QPointer<frmPrompt>(this), weak = std::weak_ptr<CTask>(task)](const QString& key) {
            if (const TaskPtr t = weak.lock(); t && self)
                self->SettleFromNotification(t, key);
        });
}

void frmPrompt::SettleFromNotification(const TaskPtr& task, const QString& key)
{
    // Settled meanwhile (in the prompt, the list or by tickwell-cli): the notification is out of date.
    if (std::find(m_tasks.begin(), m_tasks.end(), task) == m_tasks.end() || task->eStatus() != tsDue)
        return;
    const bool postpone = key == kNotifyPostpone;
    if (!postpone && key != kNotifyDone)
        return;
    if (SettleEntry(task, postpone ? tsPostponed : tsFinished, tr("10分钟")))
        m_engine.SaveCfg();
    AfterSettling();
}

void frmPrompt::DropSettled()
{
    bool dropped = false;
    for (int i = Count() - 1; i >= 0; --i) {
        const TaskPtr& task = m_tasks[size_t(i)];
        // Settled, or gone from the collection (deleted on another device and removed by the sync).
        if (task->eStatus() != tsDue || m_engine.GetTask(task->Key()) != task) {
            RemoveEntry(i);
            dropped = true;
        }
    }
    if (dropped)
        AfterSettling();
}

void frmPrompt::RemoveEntry(int index)
{
    m_tasks.erase(m_tasks.begin() + index);
    DropRing(m_rings[size_t(index)]);
    m_rings.erase(m_rings.begin() + index);
    // Settled here: its notification would only offer buttons that do nothing now.
    if (const quint64 note = m_notes[size_t(index)])
        DesktopNotifier::Current()->Withdraw(note);
    m_notes.erase(m_notes.begin() + index);
    delete m_ui->lstTasks->takeItem(index);
}

void frmPrompt::ResetControls()
{
    m_ui->cboDelay->setCurrentIndex(0);
    m_ui->chkOngoing->setChecked(false);
    m_ui->txtDesc->clear();
    m_ui->lblAlarmDT->clear();
    m_ui->lblDelay->clear();
}

void frmPrompt::Unload()
{
    m_ui->lstTasks->clear();
    m_tasks.clear();
    for (RingPlayer* ring : m_rings)
        DropRing(ring);
    m_rings.clear();
    for (const quint64 note : m_notes) {
        if (note)
            DesktopNotifier::Current()->Withdraw(note);
    }
    m_notes.clear();
    ResetControls();
    m_unloading = true;
    close();
    m_unloading = false;
}

void frmPrompt::closeEvent(QCloseEvent* event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    // Closing would lose track of the reminders: the close box only gets the prompt out of the way.
    event->ignore();
    showMinimized();
}

bool frmPrompt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->chkOngoingLabel && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_ui->chkOngoing->setChecked(!m_ui->chkOngoing->isChecked());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
