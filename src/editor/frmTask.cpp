// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/frmTask.h"

#include "base/MsgBox.h"
#include "base/Text.h"
#include "core/DueEntry.h"
#include "core/TaskDisplay.h"
#include "editor/CalendarPicker.h"
#include "editor/CategoryCombo.h"
#include "editor/dlgLoopDefine.h"
#include "editor/dlgValidPeriod.h"
#include "engine/TaskEngine.h"
#include "timerules/Clock.h"
#include "timerules/DueRules.h"
#include "timerules/EnglishExpr.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"
#include "ui_frmTask.h"
#include "widgets/FieldHandlers.h"
#include "widgets/ListHelpers.h"
#include "widgets/WindowHelpers.h"

#include <QCloseEvent>
#include <QTimer>

namespace {

// The statuses a user may choose; "到期" and "检测中" only appear while a task has them.
const TaskStatus kChoosable[] = { tsNotStarted, tsFinished, tsPostponed, tsCancelled, tsPaused, tsOngoing, tsExpired };

void Warn(const QString& text)
{
    MsgBox::Show(text, MsgButtons::Ok, MsgIcon::Warning);
}

void Inform(const QString& text)
{
    MsgBox::Show(text, MsgButtons::Ok, MsgIcon::Information);
}

struct DateQuestion
{
    const char16_t* entry;  // the rule the answer is appended to: data, never translated
    const char* prompt;  // the question and its examples are translated when shown
    const char* examples;
    const char16_t* defaultAnswer;  // nullptr: computed from today
    const char16_t* suffix;
    int loopType;  // how an English answer reads ("Mon Wed Fri", "the 1st and 15th")
};

const DateQuestion kDateQuestions[] = {
    { u"每周", QT_TRANSLATE_NOOP("frmTask", "每周几？（用1-7表示，可以写多天。）"),
        QT_TRANSLATE_NOOP("frmTask", "例：1 - 周一; 135 - 周一周三周五; 67 - 周六和周日"), u"1", u"", ltWeek },
    { u"每月", QT_TRANSLATE_NOOP("frmTask", "每月几号？（多天间用','分隔。负数不允许多天。）"),
        QT_TRANSLATE_NOOP("frmTask", "例：1 - 每月1号; 1,11,21 - 每月1号或11号或21号; -1 - 每月最后1天"), u"1", u"号",
        ltMonth },
    { u"每年", QT_TRANSLATE_NOOP("frmTask", "每年几号？（多天间用','分隔。）"),
        QT_TRANSLATE_NOOP("frmTask", "例：1-3 - 每年1月3日; 8-8,9-9 - 每年8月8号和9月9日"), nullptr, u"", ltYear },
    { u"农历每月", QT_TRANSLATE_NOOP("frmTask", "农历每月几号？（多天间用','分隔。）"),
        QT_TRANSLATE_NOOP("frmTask", "例：1 - 农历每月初一; 1,15 - 农历每月初一、十五"), u"1", u"号", ltLunarMonth },
    { u"农历每年", QT_TRANSLATE_NOOP("frmTask", "农历每年几号？（多天间用','分隔。）"),
        QT_TRANSLATE_NOOP("frmTask", "例：8-15 - 农历每年八月十五; 1-15,8-15 - 农历每年正月十五和八月十五"), nullptr,
        u"", ltLunarYear },
};

// The "<周期性...>" entry of the date and time lists opens the recurrence dialog. It is a command, not a rule:
// it is shown translated and found by its item data, so the check does not depend on the language.
const QString kLoopEntryData = QStringLiteral("loop");

void AddLoopEntry(QComboBox* box)
{
    box->addItem(QCoreApplication::translate("frmTask", "<周期性...>"), kLoopEntryData);
}

bool IsLoopEntry(const QComboBox* box, int index)
{
    return box->itemData(index).toString() == kLoopEntryData;
}

}  // namespace

frmTask::frmTask(TaskEngine& engine, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmTask>())
    , m_engine(engine)
{
    m_ui->setupUi(this);
    setModal(false);
    m_ui->layoutFields->setContentsMargins(0, 0, 0, 0);

    m_tmrShowTime = new QTimer(this);
    m_tmrShowTime->setObjectName(QStringLiteral("tmrShowTime"));
    m_tmrShowTime->setInterval(1000);
    connect(m_tmrShowTime, &QTimer::timeout, this, &frmTask::Tick);

    SetupLists();
    SetupCommandBox();
    SetupRing();

    Ui::frmTask& ui = *m_ui;
    connect(ui.txtTodo, &QPlainTextEdit::textChanged, this, &frmTask::DescriptionChanged);
    connect(ui.cboDueDate, &QComboBox::editTextChanged, this, &frmTask::DateChanged);
    connect(ui.cboDueDate, &QComboBox::activated, this, &frmTask::DateActivated);
    connect(ui.cboDueTime, &QComboBox::editTextChanged, this, &frmTask::TimeChanged);
    connect(ui.cboDueTime, &QComboBox::activated, this, &frmTask::TimeActivated);
    connect(ui.cboStatus, &QComboBox::activated, this, &frmTask::StatusChanged);
    connect(ui.cboType, &QComboBox::activated, this, &frmTask::CategoryActivated);
    connect(ui.cmdLoopDefine, &QToolButton::clicked, this, &frmTask::DefineLoop);
    connect(ui.cmdSelDate, &QToolButton::clicked, this, [this] {
        if (const CalendarPicker& pick = CurrentCalendarPicker())
            if (const Instant day = pick(this))
                SetDateText(FormatDateWord(day));
    });
    ValidateOnLeave(ui.cboDueDate, [this] { return DateLeft(); }, { ui.cmdCancel });
    ValidateOnLeave(ui.cboDueTime, [this] { return TimeLeft(); }, { ui.cmdCancel });
    MakeLabelActivatable(ui.lblAlarmDT, [this] { DefineAlarm(); });
    MakeLabelActivatable(ui.lblValidFromDT, [this] { DefineValidPeriod(); });
    ui.txtTodo->viewport()->installEventFilter(this);
    ui.txtMemo->viewport()->installEventFilter(this);
    connect(ui.cmdOk, &QPushButton::clicked, this, &frmTask::accept);
    connect(ui.cmdCancel, &QPushButton::clicked, this, &frmTask::reject);
}

frmTask::~frmTask()
{
    StopPreview();
}

void frmTask::SetupLists()
{
    Ui::frmTask& ui = *m_ui;
    ui.lstPriority->addItems({ tr("低"), tr("普通"), tr("高"), tr("紧急") });
    ui.lstPriority->setCurrentIndex(tpNormal);
    // Shown in the interface language; the status number is the item data, so what is stored never depends on it.
    for (TaskStatus s : kChoosable)
        ui.cboStatus->addItem(TaskStatusDisplayName(s), int(s));
    for (const char16_t* entry : { u"10分钟后", u"30分钟后", u"1 小时后", u"2 小时后", u"10秒后", u"18:00", u"每15分钟",
             u"每小时", u"每2小时", u"每30秒" })
        ui.cboDueTime->addItem(DisplayDueTime(QString::fromUtf16(entry)));
    AddLoopEntry(ui.cboDueTime);
    ui.cboDueTime->addItem(QStringLiteral("--"));
    ToCombo(m_engine.TaskTypes(), ui.cboType, true);
    m_typeIndex = ui.cboType->currentIndex();
    m_loading = true;
    BuildDateList(true);
    SetDateText(QStringLiteral("今天"));
    m_loading = false;
    ui.cmdSelDate->setEnabled(bool(CurrentCalendarPicker()));
}

// ---- Opening ----

void frmTask::ShowAsNewTask(QWidget* owner, Instant day)
{
    Ui::frmTask& ui = *m_ui;
    BuildDateList(false);
    m_task.reset();
    Lock(false);
    m_title = tr("添加任务");
    setWindowTitle(m_title);
    ui.txtTodo->setPlainText(tr("新任务"));

    m_loading = true;
    ui.cboDueTime->setEditText(ui.cboDueTime->itemText(0));
    SetDateText(FormatDateWord(day != 0 ? day : Clock::Today()));
    ui.cboDueDate->setEnabled(true);
    m_loading = false;
    m_manualAlarm.clear();
    m_work.dtValidFromDT = m_work.dtValidToDT = 0;
    m_work.sCmdInitDir.clear();
    SetDueLabels(DueMoment());

    ToCombo(m_engine.TaskTypes(), ui.cboType, true);
    m_typeIndex = ui.cboType->currentIndex();
    m_dueChanged = true;
    ui.lstPriority->setCurrentIndex(tpNormal);
    ui.optRingType_0->setChecked(true);
    ui.cboRingFile->setEditText(QString());
    SelectStatus(tsNotStarted);
    ui.chkCmd->setChecked(false);
    ui.cboCmd->setEditText(QString());
    m_lastCmd.clear();
    ui.chkAutoCancel->setChecked(false);
    ui.chkAutoFinish->setChecked(false);
    ui.chkAutoMemo->setChecked(true);
    ui.txtMemo->clear();
    RefreshValidPeriod();
    UpdateDueEnabled();

    m_mode = kNewTask;
    ShowWithOwner(owner);
    ui.txtTodo->setFocus();
    ui.txtTodo->selectAll();
    Tick();
}

void frmTask::ShowAsTaskProperty(const TaskPtr& task, QWidget* owner)
{
    if (!task)
        return;
    Ui::frmTask& ui = *m_ui;
    BuildDateList(false);
    m_task = task;
    Lock(task->eStatus() == tsDue || task->eStatus() == tsChecking);
    m_title = tr("任务属性 - ") + task->Key();
    setWindowTitle(m_title);

    ui.txtTodo->setPlainText(Text::CrLfToLf(task->sDescription()));
    ToCombo(m_engine.TaskTypes(), ui.cboType, false);
    if (ui.cboType->findText(task->sType) < 0)
        ui.cboType->addItem(task->sType);
    ui.cboType->setCurrentIndex(ui.cboType->findText(task->sType));
    m_typeIndex = ui.cboType->currentIndex();

    m_loading = true;
    SetTimeText(task->sDueTime);
    SetDateText(FormatDateWord(task->sDueDate));
    m_loading = false;
    m_dueChanged = false;
    m_manualAlarm = task->sManualAlarm;
    if (!m_userEvent) {
        ui.lblDueDT->setText(DisplayFriendlyTime(task->dtDueDT));
        ui.lblAlarmDT->setText(Text::CrLfToLf(task->AlarmTimeStr()));
    }

    ui.lstPriority->setCurrentIndex(std::clamp(task->ePriority, 0, 3));
    (task->eRingType == rtMusic         ? ui.optRingType_2
            : task->eRingType == rtBeep ? ui.optRingType_1
                                        : ui.optRingType_0)
        ->setChecked(true);
    ui.cboRingFile->setEditText(task->sRingFile);
    SelectStatus(task->eStatus());

    ui.chkCmd->setChecked(task->bUseCmd);
    ui.cboCmd->setEditText(task->sCmd);
    m_lastCmd = task->sCmd;
    m_work.sCmdInitDir = task->sCmdInitDir;
    ui.chkAutoCancel->setChecked(task->bAutoCancel);
    ui.chkAutoFinish->setChecked(task->bAutoFinish);
    ui.chkAutoMemo->setChecked(task->bAutoMemo);
    ui.txtMemo->setPlainText(Text::CrLfToLf(task->sMemo));
    m_work.dtValidFromDT = task->dtValidFromDT;
    m_work.dtValidToDT = task->dtValidToDT;
    RefreshValidPeriod();
    UpdateDueEnabled();

    m_dueChanged = false;
    m_mode = kProperty;
    ShowWithOwner(owner);
    ui.txtTodo->setFocus();
    Tick();
}

void frmTask::ShowWithOwner(QWidget* owner)
{
    m_owner = owner;
    m_cancel = false;
    // Above the prompt, which is itself above everything, or among ordinary windows otherwise.
    SetTopMost(this, owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ForceForeground(this);
}

// ---- Lists, locking, status ----

void frmTask::BuildDateList(bool force)
{
    const Instant today = Clock::Today();
    if (!force && m_dateListDay == today)
        return;
    const Instant previous = m_dateListDay;
    m_dateListDay = today;

    QString text = DateText();
    // A day word of an open task keeps naming the same day after midnight.
    if (m_mode == kProperty && previous != 0 && !IsRecurringText(text))
        if (const Instant day = ParseDayWord(text, previous))
            text = FormatDateWord(day);

    QStringList items;
    for (int i = 0; i <= 4; ++i)
        items << FormatDateWord(AddDays(today, i));
    items << QStringLiteral("5天后") << QStringLiteral("农历") + SolarToLunarText(today)
          << QStringLiteral("农历%1-1-1").arg(DateOf(today).year() + 1) << QStringLiteral("每天")
          << QStringLiteral("每周") << QStringLiteral("每月") << QStringLiteral("每年") << QStringLiteral("农历每月")
          << QStringLiteral("农历每年");
    for (QString& item : items)
        item = DisplayDueDate(item);

    const bool wasLoading = std::exchange(m_loading, true);
    m_ui->cboDueDate->clear();
    m_ui->cboDueDate->addItems(items);
    AddLoopEntry(m_ui->cboDueDate);
    m_ui->cboDueDate->addItem(QStringLiteral("--"));
    m_ui->cboDueDate->setEditText(DisplayDueDate(text));
    m_loading = wasLoading;
}

void frmTask::Lock(bool locked)
{
    m_locked = locked;
    Ui::frmTask& ui = *m_ui;
    if (!locked)
        if (const int due = ui.cboStatus->findData(int(tsDue)); due >= 0)
            ui.cboStatus->removeItem(due);
    for (QWidget* w : std::initializer_list<QWidget*> {
             ui.cboStatus, ui.lblAlarmDT, ui.lblDueDT, ui.lblValidFromDT, ui.cmdLoopDefine })
        w->setEnabled(!locked);
    UpdateDueEnabled();
}

void frmTask::UpdateDueEnabled()
{
    const TaskStatus s = SelectedStatus();
    const bool editable = !m_locked && (s == tsNotStarted || s == tsPostponed);
    m_ui->cboDueTime->setEnabled(editable);
    m_ui->cboDueDate->setEnabled(editable && !IsRecurringText(TimeText()));
    m_ui->cmdSelDate->setEnabled(editable && bool(CurrentCalendarPicker()));
}

TaskStatus frmTask::SelectedStatus() const
{
    const QVariant status = m_ui->cboStatus->currentData();
    return status.isValid() ? TaskStatus(status.toInt()) : tsNotStarted;
}

void frmTask::SelectStatus(TaskStatus status)
{
    if (m_ui->cboStatus->findData(int(status)) < 0)
        m_ui->cboStatus->addItem(TaskStatusDisplayName(status), int(status));
    m_ui->cboStatus->setCurrentIndex(m_ui->cboStatus->findData(int(status)));
}

void frmTask::StatusChanged()
{
    if (m_locked)
        return;
    UpdateDueEnabled();
    const TaskStatus s = SelectedStatus();
    if (s == tsNotStarted || s == tsPostponed) {
        m_manualAlarm.clear();
        m_dueChanged = true;
    }
}

void frmTask::CategoryActivated(int index)
{
    if (index != 0) {
        m_typeIndex = index;
        return;
    }
    if (!SetTaskTypes())
        m_ui->cboType->setCurrentIndex(m_typeIndex);
}

bool frmTask::SetTaskTypes()
{
    if (!::SetTaskTypes(m_engine.TaskTypes(), m_engine.Tasks(), m_ui->cboType))
        return false;
    m_typeIndex = m_ui->cboType->currentIndex();
    return true;
}

void frmTask::ReloadCategories()
{
    const QString shown = m_ui->cboType->currentText();
    const int index = m_ui->cboType->currentIndex();
    ToCombo(m_engine.TaskTypes(), m_ui->cboType, index < 0);
    if (index >= 0) {
        if (m_ui->cboType->findText(shown) < 0)
            m_ui->cboType->addItem(shown);
        m_ui->cboType->setCurrentIndex(m_ui->cboType->findText(shown));
    }
    m_typeIndex = m_ui->cboType->currentIndex();
}

// ---- Due date and time ----

// The fields may show English; the task keeps, and every check reads, the Chinese text.
QString frmTask::DateText() const
{
    return StoredDateText(m_ui->cboDueDate->currentText());
}

QString frmTask::TimeText() const
{
    return StoredTimeText(m_ui->cboDueTime->currentText());
}

void frmTask::SetDateText(const QString& text)
{
    if (DateText() != text)
        m_ui->cboDueDate->setEditText(DisplayDueDate(text));
}

void frmTask::SetTimeText(const QString& text)
{
    if (TimeText() != text)
        m_ui->cboDueTime->setEditText(DisplayDueTime(text));
}

Instant frmTask::DueMoment() const
{
    return ResolveDueTime(DateText().trimmed(), TimeText().trimmed(), m_work.dtValidFromDT);
}

void frmTask::SetDueLabels(Instant due)
{
    m_ui->lblDueDT->setText(DisplayFriendlyTime(due));
    if (m_manualAlarm.isEmpty())
        m_ui->lblAlarmDT->setText(DisplayFriendlyTime(due));
}

void frmTask::Tick()
{
    if (!isVisible())
        m_tmrShowTime->stop();
    setWindowTitle((m_userEvent ? tr("[自定义] ") : QString()) + m_title + QStringLiteral(" - ")
        + FormatPattern(Clock::Now(), QStringLiteral("hh:nn:ss")));
    RefreshDueLabels();
    BuildDateList(false);
}

void frmTask::RefreshDueLabels()
{
    if ((m_mode == kNewTask || m_dueChanged) && !m_userEvent) {
        if (const Instant due = DueMoment())
            SetDueLabels(due);
    }
}

void frmTask::DescriptionChanged()
{
    QPlainTextEdit* box = m_ui->txtTodo;
    if (box->toPlainText().startsWith(u'：')) {
        QTextCursor c(box->document());
        c.setPosition(0);
        c.setPosition(1, QTextCursor::KeepAnchor);
        c.insertText(QStringLiteral(":"));  // runs this handler again
        return;
    }
    m_userEvent = box->toPlainText().startsWith(u':');
    QPalette pal = box->palette();
    pal.setColor(QPalette::Text, m_userEvent ? QColor(Qt::blue) : palette().color(QPalette::Text));
    box->setPalette(pal);
    m_ui->cmdTestChecking->setVisible(m_userEvent);
    UpdateCheckButton();
    if (m_userEvent) {
        m_ui->lblDueDT->setText(QStringLiteral("--"));
        m_ui->lblAlarmDT->setText(QStringLiteral("--"));
    }
}

void frmTask::DateChanged()
{
    if (m_loading)
        return;
    const bool wasLoading = std::exchange(m_loading, true);
    if (DateText() == u"--")
        SetTimeText(QStringLiteral("--"));
    else if (TimeText() == u"--")
        SetTimeText(TimeLiteralText(TimePart(Clock::Now())));
    const QString time = TimeText();
    if (time.contains(u'后') || IsRecurringText(time)) {
        const Instant due = DueMoment();
        if (due != 0 && due < NO_DATE && DatePart(due) != ParseDayWord(DateText(), 0))
            SetTimeText(TimeLiteralText(TimePart(due)));
    }
    m_loading = wasLoading;
    m_manualAlarm.clear();
    m_dueChanged = true;
    RefreshDueLabels();
}

void frmTask::DateActivated(int index)
{
    if (IsLoopEntry(m_ui->cboDueDate, index)) {
        if (!DefineLoop())
            m_ui->cboDueDate->setCurrentIndex(0);
        return;
    }
    const QString entry = StoredDateText(m_ui->cboDueDate->itemText(index));
    for (const DateQuestion& q : kDateQuestions) {
        if (entry != QString::fromUtf16(q.entry))
            continue;
        QString def;
        if (q.defaultAnswer)
            def = QString::fromUtf16(q.defaultAnswer);
        else if (entry == u"每年")
            def = FormatPattern(Clock::Today(), QStringLiteral("m-d"));
        else
            def = SolarToLunarText(Clock::Today());
        QString answer = MsgBox::InputBox(tr(q.prompt) + QStringLiteral("\r\n") + tr(q.examples), QString(), def);
        answer = ReadEnglishDetail(q.loopType, answer).value_or(answer).trimmed();
        if (!answer.isEmpty())
            SetDateText(entry + answer.replace(u'，', u',').replace(u'－', u'-') + QString::fromUtf16(q.suffix));
        break;
    }
}

bool frmTask::DateLeft()
{
    return ApplyFieldRule(m_ui->cboDueDate, DueDateRules(DateText()));
}

void frmTask::TimeChanged()
{
    if (m_loading)
        return;
    const bool wasLoading = std::exchange(m_loading, true);
    const QString time = TimeText();
    if (time != u"--" && DateText() == u"--")
        SetDateText(FormatDateWord(Clock::Today()));
    if (time == u"--")
        SetDateText(QStringLiteral("--"));
    const bool recurring = IsRecurringText(time);
    if (time.contains(u'后') || recurring) {
        const Instant due = DueMoment();
        if (due != 0)
            SetDateText(recurring ? QStringLiteral("每天") : FormatDateWord(DatePart(due)));
    }
    m_loading = wasLoading;
    UpdateDueEnabled();
    m_manualAlarm.clear();
    m_dueChanged = true;
    RefreshDueLabels();
}

void frmTask::TimeActivated(int index)
{
    if (IsLoopEntry(m_ui->cboDueTime, index) && !DefineLoop())
        m_ui->cboDueTime->setCurrentIndex(0);
}

bool frmTask::TimeLeft()
{
    return ApplyFieldRule(m_ui->cboDueTime, DueTimeRules(TimeText(), DateText()));
}

bool frmTask::ApplyFieldRule(QComboBox* box, const DueFieldResult& r)
{
    // The short form of what was typed means the same moment: a manual alarm set meanwhile stays. English is
    // shown in its own tidy words ("every mon wed fri" becomes "every Mon, Wed, Fri").
    const QString shown = box == m_ui->cboDueDate ? DisplayDueDate(r.text) : DisplayDueTime(r.text);
    if (box->currentText() != shown) {
        const bool wasLoading = std::exchange(m_loading, true);
        box->setEditText(shown);
        m_loading = wasLoading;
        m_dueChanged = true;
        UpdateDueEnabled();
    }
    if (!r.accepted)
        Inform(r.message);
    return r.accepted;
}

bool frmTask::DefineLoop()
{
    m_work.sDueDate = DateText();
    m_work.sDueTime = TimeText();
    dlgLoopDefine dlg(m_work, this);
    dlg.exec();
    // The valid period may have changed even when the rule was not taken.
    RefreshValidPeriod();
    if (!dlg.IsOk())
        return false;
    m_loading = true;
    m_ui->cboDueDate->setEditText(DisplayDueDate(m_work.sDueDate));
    m_ui->cboDueTime->setEditText(DisplayDueTime(m_work.sDueTime));
    if (m_work.sDueTime.isEmpty())
        m_ui->cboDueTime->setEditText(DueTimeRules(QString(), m_work.sDueDate).text);
    m_loading = false;
    UpdateDueEnabled();
    m_manualAlarm.clear();
    m_dueChanged = true;
    Tick();
    return true;
}

// ---- Alarm and valid period ----

void frmTask::DefineAlarm()
{
    if (m_userEvent) {
        Warn(tr("不能修改自定义任务的提醒时间。"));
        return;
    }
    const Instant due = DueMoment();
    const QString prompt = QStringList {
        tr("请输入提醒日期及时间：(输入\"-\"保持与到期时间一致)"),
        tr("也支持以下格式："),
        tr("    -N (如 -15 或 -15分钟 : 提前15分钟)"),
        tr("    -N小时 (如-1小时 : 提前1小时)"),
        tr("    -N秒 (如-30秒: 提前30秒)"),
        tr("    -N天 (如-1天: 提前1天)"),
        tr("    -N月 (如-1月: 提前1个月)"),
        tr("    -N年 (如-1年: 提前1年)"),
        tr("(如果没有-号表示推迟提醒时间)"),
    }.join(QStringLiteral("\r\n"));
    QString answer = FormatDateTimeText(due);
    for (;;) {
        answer = MsgBox::InputBox(prompt, QString(), answer).trimmed();
        if (answer.isEmpty())
            return;
        if (answer == u"-") {
            m_manualAlarm.clear();
            m_dueChanged = true;
            SetDueLabels(due);
            return;
        }
        QString err;
        const std::optional<QString> offset = StoredOffsetText(answer, &err);
        const Instant alarm = offset ? ParseTimeOffset(due, *offset, &err) : 0;
        if (alarm == 0) {
            Warn(err);
            continue;
        }
        if (SecondDiff(Clock::Now(), alarm) < 0) {
            Warn(tr("指定时间在当前时间之前，请重新指定！"));
            continue;
        }
        m_manualAlarm = *offset;
        m_dueChanged = true;
        CTask shown;
        shown.dtDueDT = due;
        shown.dtAlarmDT = alarm;
        m_ui->lblAlarmDT->setText(Text::CrLfToLf(shown.AlarmTimeStr()));
        return;
    }
}

void frmTask::DefineValidPeriod()
{
    const Instant from = m_work.dtValidFromDT;
    dlgValidPeriod dlg(m_work, this);
    dlg.exec();
    if (!dlg.IsOk())
        return;
    RefreshValidPeriod();
    if (!m_work.InTheValidPeriod(DueMoment()))
        m_dueChanged = true;
    // The recurrence counts from the start of the period: a new start moves the next occurrence.
    if (from != m_work.dtValidFromDT && (IsRecurringText(DateText()) || IsRecurringText(TimeText())))
        TimeChanged();
}

void frmTask::RefreshValidPeriod()
{
    const QString text = m_work.ValidPeriodStr(tr("未设置(双击设置)"));
    m_ui->lblValidFromDT->setText(text);
    m_ui->lblValidFromDT->setToolTip(text);
}

// ---- OK and Cancel ----

void frmTask::accept()
{
    if (CheckAndWrite()) {
        m_cancel = false;
        hide();
        if (m_owner && m_owner->isVisible())
            m_owner->activateWindow();
    }
}

void frmTask::reject()
{
    StopPreview();
    m_cancel = true;
    hide();
    if (m_owner && m_owner->isVisible())
        m_owner->activateWindow();
}

void frmTask::closeEvent(QCloseEvent* event)
{
    // The close box cancels; the instance and its histories stay for the next use.
    event->ignore();
    reject();
}

void frmTask::hideEvent(QHideEvent* event)
{
    m_tmrShowTime->stop();
    QDialog::hideEvent(event);
}

void frmTask::showEvent(QShowEvent* event)
{
    m_tmrShowTime->start();
    QDialog::showEvent(event);
}

bool frmTask::CheckAndWrite()
{
    Ui::frmTask& ui = *m_ui;
    StopPreview();
    if (ui.txtTodo->toPlainText().trimmed().isEmpty()) {
        Inform(tr("请输入任务描述."));
        ui.txtTodo->setFocus();
        return false;
    }
    // The list may have deleted the task while it was open here: writing would bring back a row of nothing.
    if (m_mode == kProperty && m_task && m_engine.GetTask(m_task->Key()) != m_task) {
        Warn(tr("该任务已被删除，修改无法保存。"));
        return false;
    }
    const TaskStatus oldStatus = m_task ? m_task->eStatus() : tsNotStarted;
    const TaskStatus newStatus = SelectedStatus();
    const bool dueWritten = m_mode == kNewTask || m_dueChanged;

    DueEntry entry;
    if (dueWritten) {
        // Enter accepts without leaving the fields: they get the checks they would get on leaving.
        if (ui.cboDueDate->isEnabled() && !DateLeft()) {
            ui.cboDueDate->setFocus();
            return false;
        }
        if (ui.cboDueTime->isEnabled() && !TimeLeft()) {
            ui.cboDueTime->setFocus();
            return false;
        }
        entry = ResolveDueEntry(DateText(), TimeText(), m_manualAlarm, m_work, newStatus, m_dueChanged);
        if (!entry.ok) {
            if (entry.warning)
                Warn(entry.message);
            else
                Inform(entry.message);
            if (!entry.alarmText)
                ui.cboDueTime->setFocus();
            return false;
        }
    }

    // Every check has passed: from here on the task is written.
    const bool isNew = m_mode == kNewTask;
    if (isNew) {
        m_task = std::make_shared<CTask>();
        m_task->dtCreateDT = Clock::Now();
    }
    CTask& task = *m_task;
    if (dueWritten) {
        if (m_dueChanged) {
            task.dtDueDT = entry.due;
            task.sManualAlarm = m_manualAlarm;
            task.dtAlarmDT = entry.alarm;
            const Instant now = Clock::Now();
            task.dtStartDT
                = m_work.dtValidFromDT == 0 || SecondDiff(now, m_work.dtValidFromDT) < 0 ? now : m_work.dtValidFromDT;
        }
        task.sDueDate = entry.dateText;
        task.sDueTime = entry.timeText;
        WriteOtherFields(task);
        ComboAddUnique(ui.cboDueDate);
        ComboAddUnique(ui.cboDueTime);
        if (!ui.cboRingFile->currentText().isEmpty())
            ComboAddUnique(ui.cboRingFile);
        if (!ui.cboCmd->currentText().isEmpty())
            ComboAddUnique(ui.cboCmd);
    } else {
        WriteOtherFields(task);
    }

    if (isNew) {
        task.SetStatus(newStatus);
        m_engine.AddTask(m_task);
    } else {
        if (newStatus != oldStatus)
            task.SetStatus(newStatus);
        m_engine.UpdateTask(m_task);
        if (newStatus != oldStatus && (newStatus == tsCancelled || newStatus == tsFinished))
            m_engine.LogTaskStatus(m_task);
    }
    m_engine.SaveCfg();
    // A new task shown again later must be a new record, not this one.
    if (isNew)
        m_mode = kProperty;
    return true;
}

void frmTask::WriteOtherFields(CTask& task)
{
    Ui::frmTask& ui = *m_ui;
    const QString desc = Text::LfToCrLf(ui.txtTodo->toPlainText());
    // A new description forgets a running check: only a real change may do that.
    if (desc != task.sDescription())
        task.SetDescription(desc);
    task.ePriority = std::max(0, ui.lstPriority->currentIndex());
    task.eRingType = ui.optRingType_2->isChecked() ? rtMusic : ui.optRingType_1->isChecked() ? rtBeep : rtNone;
    task.sRingFile = ui.cboRingFile->currentText().trimmed();
    task.bUseCmd = ui.chkCmd->isChecked();
    task.sCmd = ui.cboCmd->currentText();
    task.sCmdInitDir = m_work.sCmdInitDir;
    if (ui.cboType->currentIndex() != 0)
        task.sType = ui.cboType->currentText();
    task.bAutoCancel = ui.chkAutoCancel->isChecked();
    task.bAutoFinish = ui.chkAutoFinish->isChecked();
    task.bAutoMemo = ui.chkAutoMemo->isChecked();
    task.sMemo = Text::LfToCrLf(ui.txtMemo->toPlainText());
    task.dtValidFromDT = m_work.dtValidFromDT;
    task.dtValidToDT = m_work.dtValidToDT;
}

// ---- Enlarging the text boxes ----

bool frmTask::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_ui->txtTodo->viewport()) {
            ToggleEnlarged(m_ui->txtTodo);
            return true;
        }
        if (watched == m_ui->txtMemo->viewport()) {
            ToggleEnlarged(m_ui->txtMemo);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTask::ToggleEnlarged(QWidget* box)
{
    // The enlarged box takes the room of the fields between it and the buttons (the memo: above it).
    m_enlarged = m_enlarged == box ? nullptr : box;
    const bool todo = m_enlarged == m_ui->txtTodo;
    const bool memo = m_enlarged == m_ui->txtMemo;
    m_ui->fraFields->setVisible(!todo && !memo);
    m_ui->Label9->setVisible(!todo);
    m_ui->txtMemo->setVisible(!todo);
    m_ui->Label2->setVisible(!memo);
    m_ui->txtTodo->setVisible(!memo);
    box->setFocus();
}
