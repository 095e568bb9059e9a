// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/frmTask.h"
#include "EditorTestUtil.h"
#include "MainWindowFixture.h"
#include "alerts/RingPlayer.h"
#include "alerts/frmPrompt.h"
#include "base/Resources.h"
#include "editor/dlgLoopDefine.h"
#include "editor/dlgValidPeriod.h"
#include "support/RecordingAudio.h"
#include "support/RecordingLauncher.h"
#include "timerules/Recurrence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTest>
#include <QToolButton>

// Sunday 2012-06-03, 12:00.
class TaskEditor : public MainWindowFixture
{
protected:
    frmTask& E() { return *W().Editor(); }
    template <class T> T* C(const char* name) { return Child<T>(&E(), name); }
    QComboBox* Date() { return C<QComboBox>("cboDueDate"); }
    QComboBox* Time() { return C<QComboBox>("cboDueTime"); }
    QString Label(const char* name) { return C<QLabel>(name)->text(); }
    int TaskCount() { return W().Engine().Tasks().Count(); }

    void NewTask(const char* desc = nullptr)
    {
        E().ShowAsNewTask(&W());
        if (desc)
            C<QPlainTextEdit>("txtTodo")->setPlainText(Q(desc));
    }
    // Typing into the date or time box: the change handling runs for the whole text.
    void Type(QComboBox* box, const char* text) { box->setEditText(Q(text)); }
    // Answers the alarm question with the given texts, in turn.
    void AnswerAlarm(std::initializer_list<const char*> answers)
    {
        for (const char* a : answers)
            m_msg->inputs.push_back(Q(a));
        E().DefineAlarm();
    }
};

TEST_F(TaskEditor, NewTasksStoreTheirDueTextsFrozenOrAsRules)
{
    struct Case
    {
        const char *date, *time;  // nullptr: left as offered
        const char *expDate, *expTime;
        Instant expDue;
        bool dateEnabled;
    } cases[] = {
        { nullptr, nullptr, "2012-06-03", "12:10:00", MakeInstant(2012, 6, 3, 12, 10), true },
        { "明天", "10:00", "2012-06-04", "10:00:00", MakeInstant(2012, 6, 4, 10), true },
        { nullptr, "每15分钟", "每天", "每15分钟", MakeInstant(2012, 6, 3, 12, 15), false },
        { "每周135", "9:00", "每周135", "9:00:00", MakeInstant(2012, 6, 4, 9), true },
        { "3天后", "8:00", "2012-06-06", "8:00:00", MakeInstant(2012, 6, 6, 8), true },
        { "--", nullptr, "--", "--", NO_DATE, true },
        { "农历5-1", "12:30", "农历5-1", "12:30:00", MakeInstant(2012, 6, 19, 12, 30), true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expDate);
        NewTask();
        if (c.date)
            Type(Date(), c.date);
        if (c.time)
            Type(Time(), c.time);
        EXPECT_EQ(Date()->isEnabled(), c.dateEnabled);
        E().accept();
        EXPECT_TRUE(m_msg->shown.empty()) << LastMessage().toStdString();
        EXPECT_FALSE(E().isVisible());
        const TaskPtr t = E().EditedTask();
        ASSERT_TRUE(t);
        EXPECT_EQ(t->sDueDate, Q(c.expDate));
        EXPECT_EQ(t->sDueTime, Q(c.expTime));
        EXPECT_EQ(Show(t->dtDueDT), Show(c.expDue));
        EXPECT_EQ(Show(t->dtAlarmDT), Show(c.expDue));
    }
    // The untouched one: the defaults of a new task.
    const TaskPtr first = W().Engine().Tasks().At(0);
    EXPECT_EQ(first->sDescription(), Q("新任务"));
    EXPECT_EQ(first->eStatus(), tsNotStarted);
    EXPECT_EQ(first->ePriority, tpNormal);
    EXPECT_EQ(first->eRingType, rtNone);
    EXPECT_TRUE(first->bAutoMemo);
    EXPECT_EQ(Show(first->dtCreateDT), Show(Clock::Now()));
    EXPECT_EQ(TaskCount(), 7);
    EXPECT_TRUE(QFile(DataFile()).exists());
}

TEST_F(TaskEditor, ChecksAtOkStopBeforeAnythingIsWritten)
{
    struct Case
    {
        const char *desc, *date, *time, *message;
    } cases[] = {
        { "  ", nullptr, nullptr, "请输入任务描述." },
        { "开会", nullptr, "11:00", "提醒时间在当前时间之前,请重新设置." },
        { "开会", "2012-13-40", "10:00", "请填写正确的日期" },
        { "开会", nullptr, "25:00", "请填写正确的时间!" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        NewTask(c.desc);
        if (c.date)
            Type(Date(), c.date);
        if (c.time)
            Type(Time(), c.time);
        m_msg->shown.clear();
        E().accept();
        EXPECT_EQ(LastMessage(), Q(c.message));
        EXPECT_TRUE(E().isVisible());
    }
    // A due moment outside the valid period.
    NewTask("开会");
    Type(Time(), "13:00");
    WhenModal([](QDialog* vp) {
        Child<QLineEdit>(vp, "txtDate_0")->setText(QStringLiteral("2012-6-10"));
        vp->accept();
    });
    E().DefineValidPeriod();
    EXPECT_EQ(Label("lblValidFromDT"), FormatFriendlyTime(MakeInstant(2012, 6, 10)) + u'~');
    E().accept();
    EXPECT_EQ(LastMessage(), Q("到期时间不在有效期内,请重新设置."));
    EXPECT_EQ(TaskCount(), 0);
    EXPECT_FALSE(QFile(DataFile()).exists());
}

TEST_F(TaskEditor, AlarmAnswersAreCheckedAgainstNow)
{
    struct Case
    {
        const char* time;
        const char* answer;
        const char* message;  // "" when accepted
        Instant alarm;
    } cases[] = {
        { "12:10", "-15", "指定时间在当前时间之前，请重新指定！", 0 },
        { "13:00", "-15", "", MakeInstant(2012, 6, 3, 12, 45) },
        { "13:00", "-1小时", "", MakeInstant(2012, 6, 3, 12) },
        { "13:00", "2012-6-3 12:50", "", MakeInstant(2012, 6, 3, 12, 50) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.time) + " " + c.answer);
        NewTask("会议");
        Type(Time(), c.time);
        m_msg->shown.clear();
        AnswerAlarm({ c.answer });  // a refused answer is asked again; the empty second answer gives up
        EXPECT_EQ(LastMessage(), Q(c.message));
        EXPECT_EQ(m_msg->inputDefaults.front(), Q("2012-06-03 ") + Q(c.time) + Q(":00"));
        m_msg->inputDefaults.clear();
        if (c.alarm == 0)
            continue;
        EXPECT_TRUE(Label("lblAlarmDT").startsWith(FormatFriendlyTime(c.alarm)));
        EXPECT_TRUE(Label("lblAlarmDT").contains(Q("提前")));
        E().accept();
        EXPECT_EQ(Show(E().EditedTask()->dtAlarmDT), Show(c.alarm));
        EXPECT_EQ(E().EditedTask()->sManualAlarm, Q(c.answer));
    }
}

TEST_F(TaskEditor, APastAlarmIsAcceptedWhileTheNewDueMomentIsAhead)
{
    NewTask("会议");
    Type(Time(), "13:00");
    AnswerAlarm({ "-30" });
    m_clock.Set(2012, 6, 3, 12, 40);
    E().accept();
    ASSERT_EQ(TaskCount(), 1);
    EXPECT_EQ(Show(E().EditedTask()->dtAlarmDT), Show(MakeInstant(2012, 6, 3, 12, 30)));
}

TEST_F(TaskEditor, ADueTaskOpensWithItsTimeFieldsLocked)
{
    const TaskPtr due = Add(Q("到期的"), {}, tsDue, MakeInstant(2012, 6, 3, 11, 0));
    E().ShowAsTaskProperty(due, &W());
    EXPECT_EQ(E().windowTitle().left(10), Q("任务属性 - T01"));
    for (const char* name : { "cboDueDate", "cmdSelDate", "cboDueTime", "cboStatus", "lblAlarmDT", "lblDueDT",
             "lblValidFromDT", "cmdLoopDefine" })
        EXPECT_FALSE(C<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(C<QComboBox>("cboStatus")->currentText(), Q("到期"));
    C<QPlainTextEdit>("txtTodo")->setPlainText(Q("到期的, 改了描述"));
    E().accept();
    EXPECT_EQ(due->eStatus(), tsDue);
    EXPECT_EQ(Show(due->dtDueDT), Show(MakeInstant(2012, 6, 3, 11, 0)));
    EXPECT_EQ(M().Text(0, TaskColumns::colTitle), Q("到期的, 改了描述"));

    // The next task unlocks them, and "到期" is no choice for it.
    const TaskPtr waiting = Add(Q("等着的"));
    E().ShowAsTaskProperty(waiting, &W());
    EXPECT_TRUE(Date()->isEnabled());
    EXPECT_TRUE(C<QWidget>("lblAlarmDT")->isEnabled());
    EXPECT_EQ(C<QComboBox>("cboStatus")->findText(Q("到期")), -1);
}

namespace {

// A launcher whose checks end at once with a given code, or never when the code is negative.
class EndingLauncher : public RecordingLauncher
{
public:
    std::unique_ptr<ICheckProcess> Start(const QStringList& argv) override
    {
        auto p = RecordingLauncher::Start(argv);
        if (p && exitCode >= 0)
            Finish(started.size() - 1, exitCode);
        return p;
    }
    int exitCode = 0;
};

}  // namespace

TEST_F(TaskEditor, AFullWidthColonMakesACustomEventAndTheCheckCanBeTried)
{
    struct Case
    {
        const char* desc;
        int exitCode;  // -1: still running after the wait
        bool startable;
        const char* message;
    } cases[] = {
        { "：磁盘满了\ntest -e /data", 1, true, "命令返回1(非0)。将会弹出提醒！" },
        { ":一切正常\ntrue", 0, true, "命令正常返回0，将不会弹出提醒。" },
        { ":只有标题", 0, true, "命令无法运行，请检查！" },
        { ":没有这个程序\nnosuchprogram", 0, false, "命令无法运行，请检查！" },
        { ":很慢\nsleep 600", -1, true, "命令仍在执行。是否继续等待？" },
    };
    FakeGuard<EndingLauncher, ICheckLauncher> launcher;
    NewTask();
    auto* todo = C<QPlainTextEdit>("txtTodo");
    auto* check = C<QPushButton>("cmdTestChecking");
    EXPECT_FALSE(check->isVisibleTo(&E()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        launcher->exitCode = c.exitCode;
        launcher->startable = c.startable;
        todo->setPlainText(Q(c.desc));
        EXPECT_TRUE(todo->toPlainText().startsWith(u':'));
        EXPECT_TRUE(check->isVisibleTo(&E()));
        EXPECT_EQ(todo->palette().color(QPalette::Text), QColor(Qt::blue));
        EXPECT_EQ(Label("lblDueDT"), QStringLiteral("--"));
        EXPECT_EQ(Label("lblAlarmDT"), QStringLiteral("--"));
        check->click();  // the question about waiting longer gets the safe answer, No
        EXPECT_EQ(LastMessage(), Q(c.message));
        EXPECT_TRUE(check->isEnabled());
    }
    EXPECT_EQ(launcher->started.size(), 3u);
    // A page check waits for the page host.
    todo->setPlainText(Q(":网页\n/tmp/watch.html"));
    EXPECT_FALSE(check->isEnabled());
    todo->setPlainText(Q("普通任务"));
    EXPECT_FALSE(check->isVisibleTo(&E()));
}

TEST_F(TaskEditor, KeyboardEnterAddsLinesInTextBoxesAndAcceptsElsewhere)
{
    NewTask("第一行");
    auto* todo = C<QPlainTextEdit>("txtTodo");
    todo->moveCursor(QTextCursor::End);
    QTest::keyClick(todo, Qt::Key_Return);
    QTest::keyClicks(todo, QStringLiteral("2"));
    QTest::keyClick(C<QPlainTextEdit>("txtMemo"), Qt::Key_Return);
    EXPECT_TRUE(E().isVisible());
    EXPECT_EQ(TaskCount(), 0);
    QTest::keyClick(Time()->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(E().isVisible());
    ASSERT_EQ(TaskCount(), 1);
    EXPECT_EQ(E().EditedTask()->sDescription(), Q("第一行\r\n2"));
    EXPECT_EQ(E().EditedTask()->sMemo, QStringLiteral("\r\n"));

    NewTask("不要了");
    QTest::keyClick(Date()->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(E().isVisible());
    EXPECT_TRUE(E().Cancelled());
    EXPECT_EQ(TaskCount(), 1);
}

TEST_F(TaskEditor, EveryLoopTypeSurvivesTheDataFile)
{
    const LoopFields rules[] = {
        { ltDay, 1, true, Q("8:30") },
        { ltWeek, 2, true, Q("135") },
        { ltMonth, 1, true, Q("-1") },
        { ltYear, 1, true, Q("10-1,12-25") },
        { ltHour, 2, true, Q("30") },
        { ltMinute, 30, true, Q("15") },
        { ltSecond, 45, false, {} },
        { ltLunarMonth, 1, true, Q("1,15") },
        { ltLunarYear, 1, true, Q("8-15") },
    };
    QStringList dates, times;
    for (const LoopFields& r : rules) {
        NewTask();
        C<QPlainTextEdit>("txtTodo")->setPlainText(QStringLiteral("rule %1").arg(r.type));
        WhenModal([&r](QDialog* dlg) {
            Child<QComboBox>(dlg, "cboLoopType")->setCurrentIndex(r.type);
            if (Child<QLineEdit>(dlg, "txtLoopCnt")->isEnabled())
                Child<QLineEdit>(dlg, "txtLoopCnt")->setText(QString::number(r.count));
            Child<QCheckBox>(dlg, "chkTimeSpec")->setChecked(r.specOn);
            Child<QLineEdit>(dlg, "txtTimeSpec")->setText(r.spec);
            dlg->accept();
        });
        ASSERT_TRUE(E().DefineLoop()) << r.type;
        dates << Date()->currentText();
        times << Time()->currentText();
        E().accept();
        ASSERT_EQ(TaskCount(), dates.size()) << LastMessage().toStdString();
    }

    TaskEngine reloaded;
    ASSERT_TRUE(reloaded.LoadCfg());
    ASSERT_EQ(reloaded.Tasks().Count(), int(std::size(rules)));
    for (int i = 0; i < reloaded.Tasks().Count(); ++i) {
        const LoopFields& r = rules[i];
        SCOPED_TRACE(r.type);
        const TaskPtr t = reloaded.Tasks().At(i);
        E().ShowAsTaskProperty(t, &W());
        EXPECT_EQ(Date()->currentText(), dates[i]);
        EXPECT_EQ(Time()->currentText().remove(QStringLiteral(":00")), times[i].remove(QStringLiteral(":00")));
        WhenModal([&r](QDialog* dlg) {
            EXPECT_EQ(Child<QComboBox>(dlg, "cboLoopType")->currentIndex(), r.type);
            EXPECT_EQ(Child<QLineEdit>(dlg, "txtLoopCnt")->text(), QString::number(r.count));
            EXPECT_EQ(Child<QCheckBox>(dlg, "chkTimeSpec")->isChecked(), r.specOn);
            if (r.specOn) {
                EXPECT_TRUE(Child<QLineEdit>(dlg, "txtTimeSpec")->text().startsWith(r.spec));
            }
        });
        E().DefineLoop();
        E().reject();
    }
}

TEST_F(TaskEditor, CommandBoxEntriesBecomeCommandsAndTheTestRunsThem)
{
    QString chosen = QStringLiteral("/opt/my tools/backup.sh");
    const ChooserGuard chooser([&](QWidget*, const QString&, const QString&) { return chosen; });
    NewTask("备份");
    auto* chk = C<QCheckBox>("chkCmd");
    auto* cmd = C<QComboBox>("cboCmd");
    EXPECT_FALSE(cmd->isEnabled());
    chk->setChecked(true);
    struct Case
    {
        int entry;
        QString text;
    } cases[] = {
        { 0, Q("\"/opt/my tools/backup.sh\"") },
        { 2, QDir::homePath() + Q("/todo.txt") },
        { 3, Q("xdg-open https://www.debian.org/") },
        { 4, Q("shutdown -h +1 \"即将关机! (用 shutdown -c 命令取消)\"") },
    };
    for (const Case& c : cases) {
        cmd->setCurrentIndex(c.entry);
        Q_EMIT cmd->activated(c.entry);
        EXPECT_EQ(cmd->currentText(), c.text);
    }
    // A cancelled file dialog puts the last command back, not the entry's text.
    chosen.clear();
    C<QToolButton>("cmdSelCmd")->click();
    EXPECT_EQ(cmd->currentText(), cases[3].text);

    C<QCheckBox>("chkHideWnd")->click();
    EXPECT_TRUE(cmd->currentText().startsWith(u'-'));
    C<QPushButton>("cmdTestRun")->click();
    ASSERT_EQ(m_opener->calls.size(), 1u);
    EXPECT_EQ(m_opener->calls[0].file, QStringLiteral("shutdown"));
    EXPECT_EQ(m_opener->calls[0].show, ShowState::Hidden);
    m_opener->result = false;
    C<QPushButton>("cmdTestRun")->click();
    EXPECT_EQ(LastMessage(), Q("执行失败"));

    E().accept();
    ASSERT_EQ(TaskCount(), 1);
    EXPECT_TRUE(E().EditedTask()->bUseCmd);
    EXPECT_EQ(E().EditedTask()->sCmd, u'-' + cases[3].text);
    EXPECT_EQ(E().EditedTask()->sCmdInitDir, QStringLiteral("/opt/my tools"));
}

// A program in the data folder is stored relative to it with no start folder (an empty one means the data folder);
// a program anywhere else keeps its own folder, the current folder of the process too.
TEST_F(TaskEditor, OnlyAProgramInTheDataFolderGoesWithoutAStartFolder)
{
    const struct
    {
        QString path, dir;
    } cases[]
        = { { m_folder.file(Q("run.sh")), QString() }, { QDir::currentPath() + Q("/run.sh"), QDir::currentPath() } };
    for (const auto& c : cases) {
        frmTask::SetFileChooser([&](QWidget*, const QString&, const QString&) { return c.path; });
        NewTask("脚本");
        C<QCheckBox>("chkCmd")->setChecked(true);
        Q_EMIT C<QComboBox>("cboCmd")->activated(0);
        E().accept();
        EXPECT_EQ(E().EditedTask()->sCmdInitDir, c.dir) << c.path.toStdString();
        EXPECT_EQ(E().EditedTask()->sCmd.endsWith(Q("/run.sh")), !c.dir.isEmpty()) << c.path.toStdString();
    }
    frmTask::SetFileChooser(nullptr);
}

// The ring list: the file dialog, then the built-in ringtones. A choice plays at once; music that ends by itself
// unticks 试听 and leaves its length; a ringtone that cannot be written changes nothing; Cancel stops the preview.
TEST_F(TaskEditor, RingFileChoicesPlayAtOnceUntilTheMusicEndsOrTheEditorCloses)
{
    AudioGuard audio;
    QString chosen, title, filter;
    const ChooserGuard chooser([&](QWidget*, const QString& t, const QString& f) {
        title = t;
        filter = f;
        return chosen;
    });
    NewTask("响铃");
    C<QRadioButton>("optRingType_2")->click();
    auto* box = C<QComboBox>("cboRingFile");
    auto* test = C<QCheckBox>("chkTestRing");
    const QStringList names = Resources::RingtoneNames();
    ASSERT_EQ(box->count(), 1 + names.size());
    const auto choose = [box](int i) {
        box->setCurrentIndex(i);
        Q_EMIT box->activated(i);
    };
    const auto WriteFile = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };

    box->setEditText(Q("old.mid"));
    ASSERT_TRUE(WriteFile(m_folder.file(Q("铃声")), "in the way"));
    choose(2);
    EXPECT_EQ(LastMessage(), Q("写文件出错!"));
    EXPECT_EQ(box->currentText(), Q("old.mid"));
    EXPECT_FALSE(test->isChecked());
    QFile::remove(m_folder.file(Q("铃声")));

    audio->lengths[names[1] + Q(".mid")] = 3000;
    choose(2);
    EXPECT_EQ(box->currentText(), Q("铃声/") + names[1] + Q(".mid"));
    EXPECT_TRUE(test->isChecked());
    EXPECT_TRUE(audio->MusicPlaying());
    audio->Advance(3000);
    for (int i = 0; i < 10; ++i)
        E().findChild<RingPlayer*>()->Tick();
    EXPECT_FALSE(test->isChecked());
    EXPECT_EQ(Label("lblLength"), Q("0:0 / 0:3"));

    chosen = m_folder.file(Q("song.mp3"));
    ASSERT_TRUE(WriteFile(chosen, "ID3"));
    audio->lengths[Q("song.mp3")] = 9000;
    C<QToolButton>("cmdSelMusic")->click();
    EXPECT_EQ(title, Q("打开文件"));
    EXPECT_EQ(filter, Q("音乐文件(*.mp3;*.wav;*.wma;*.mid)|*.mp3;*.wav;*.wma;*.mid|所有文件|*"));
    EXPECT_EQ(box->currentText(), Q("song.mp3"));
    EXPECT_TRUE(test->isChecked() && audio->MusicPlaying());
    C<QPushButton>("cmdCancel")->click();
    EXPECT_FALSE(test->isChecked() || audio->MusicPlaying());
}

TEST_F(TaskEditor, ThePowerEntryWaitsForItsDialogThenSuggestsTheOptions)
{
    NewTask("关机");
    auto* cmd = C<QComboBox>("cboCmd");
    auto* model = qobject_cast<QStandardItemModel*>(cmd->model());
    E().SetPowerSetting(nullptr);  // the main window installs the shutdown dialog; without it the entry waits
    EXPECT_FALSE(model->item(1)->isEnabled());
    E().SetPowerSetting([](QWidget*, const QString&) { return QStringLiteral("@shutdown 60"); });
    EXPECT_TRUE(model->item(1)->isEnabled());
    C<QCheckBox>("chkCmd")->setChecked(true);
    m_msg->answers = { MsgResult::Yes, MsgResult::Yes };
    Q_EMIT cmd->activated(1);
    EXPECT_EQ(cmd->currentText(), QStringLiteral("@shutdown 60"));
    EXPECT_EQ(m_msg->shown.size(), 2u);
    EXPECT_TRUE(C<QCheckBox>("chkAutoCancel")->isChecked());
    EXPECT_TRUE(C<QCheckBox>("chkAutoFinish")->isChecked());
    EXPECT_FALSE(C<QCheckBox>("chkHideWnd")->isEnabled());
    E().SetPowerSetting(nullptr);
    E().reject();
}

TEST_F(TaskEditor, MenusDoubleClicksAndThePromptOpenTheOneEditor)
{
    W().show();
    QApplication::setActiveWindow(&W());
    QTest::keyClick(W().List(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(E().isVisible());
    EXPECT_EQ(E().EditMode(), frmTask::kNewTask);
    C<QPlainTextEdit>("txtTodo")->setPlainText(Q("两分钟后喝水"));
    Type(Time(), "12:02");
    C<QPushButton>("cmdOk")->click();
    ASSERT_EQ(M().rowCount(), 1);
    EXPECT_EQ(M().Text(0, TaskColumns::colTitle), Q("两分钟后喝水"));
    QFile file(DataFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(Q("两分钟后喝水")));

    // The row opens the task; finishing it there logs the finish into its memo.
    const TaskPtr t = W().Engine().Tasks().At(0);
    const QRect row = W().List()->visualRect(M().index(0, TaskColumns::colTitle));
    QTest::mouseDClick(W().List()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(E().EditMode(), frmTask::kProperty);
    EXPECT_EQ(E().EditedTask(), t);
    E().reject();

    // At that minute the prompt comes; a double-click there opens the editor above it.
    m_clock.Advance(120);
    W().Scheduler().Tick();
    frmPrompt* prompt = W().PromptIfLoaded();
    ASSERT_TRUE(prompt);
    ASSERT_EQ(prompt->Count(), 1);
    EXPECT_EQ(prompt->TaskAt(0), t);
    auto* list = Child<QListWidget>(prompt, "lstTasks");
    E().ShowAsNewTask(&W());
    Q_EMIT list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(E().EditedTask(), t);
    EXPECT_TRUE(E().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    C<QPlainTextEdit>("txtTodo")->setPlainText(Q("喝过了"));
    E().accept();
    EXPECT_EQ(M().Text(0, TaskColumns::colTitle), Q("喝过了"));

    E().ShowAsTaskProperty(t, &W());
    EXPECT_FALSE(E().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    E().reject();
}

TEST_F(TaskEditor, FinishingATaskInTheEditorLogsIt)
{
    const TaskPtr t = Add(Q("写报告"));
    t->bAutoMemo = true;
    E().ShowAsTaskProperty(t, &W());
    auto* status = C<QComboBox>("cboStatus");
    status->setCurrentIndex(status->findText(Q("已完成")));
    Q_EMIT status->activated(status->currentIndex());
    E().accept();
    EXPECT_EQ(t->eStatus(), tsFinished);
    EXPECT_TRUE(t->sMemo.endsWith(Q("已完成")));
    EXPECT_EQ(M().Text(0, TaskColumns::colStatus), Q("已完成"));
}

TEST_F(TaskEditor, HistoriesAndCategoriesLastForTheRun)
{
    NewTask("一");
    Type(Time(), "15:30");
    C<QCheckBox>("chkCmd")->setChecked(true);
    C<QComboBox>("cboCmd")->setEditText(QStringLiteral("xdg-open https://example.org/"));
    E().accept();
    NewTask("二");
    EXPECT_GE(Time()->findText(QStringLiteral("15:30:00")), 0);
    EXPECT_GE(C<QComboBox>("cboCmd")->findText(QStringLiteral("xdg-open https://example.org/")), 0);

    // "<设置>" asks for the list; a cancelled answer puts the previous choice back.
    auto* type = C<QComboBox>("cboType");
    const int before = type->currentIndex();
    type->setCurrentIndex(0);
    Q_EMIT type->activated(0);
    EXPECT_EQ(type->currentIndex(), before);
    m_msg->inputs = { Q("家;*工作") };
    type->setCurrentIndex(0);
    Q_EMIT type->activated(0);
    EXPECT_EQ(type->currentText(), Q("工作"));
    E().accept();
    EXPECT_EQ(E().EditedTask()->sType, Q("工作"));
}

TEST_F(TaskEditor, ADayWordKeepsItsDayAfterMidnightAndADeletedTaskIsNotWrittenBack)
{
    const TaskPtr t = Add(Q("明天的事"), {}, tsNotStarted, MakeInstant(2012, 6, 4, 9), Q("2012-06-04"), Q("9:00"));
    E().ShowAsTaskProperty(t, &W());
    EXPECT_EQ(Date()->currentText(), Q("明天"));
    m_clock.Set(2012, 6, 4, 0, 0, 5);
    E().Tick();
    EXPECT_EQ(Date()->currentText(), Q("今天"));
    EXPECT_EQ(Date()->itemText(0), Q("今天"));

    W().Engine().Tasks().Remove(t->Key());
    C<QPlainTextEdit>("txtTodo")->setPlainText(Q("改了"));
    E().accept();
    EXPECT_EQ(LastMessage(), Q("该任务已被删除，修改无法保存。"));
    EXPECT_EQ(t->sDescription(), Q("明天的事"));
}

TEST_F(TaskEditor, ScreenReadersFindEveryControlByWhatTheUserReads)
{
    NewTask();
    QList<QWidget*> windows { &E() };
    CTask task;
    dlgLoopDefine loop(task);
    dlgValidPeriod period(task);
    windows << &loop << &period;
    for (QWidget* window : windows) {
        QSet<QWidget*> buddies;
        for (QLabel* l : window->findChildren<QLabel*>())
            if (l->buddy())
                buddies << l->buddy();
        for (QToolButton* b : window->findChildren<QToolButton*>()) {
            EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
            EXPECT_EQ(b->accessibleName(), b->toolTip()) << b->objectName().toStdString();
        }
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool input = qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w)
                || (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parent()));
            if (input) {
                EXPECT_TRUE(buddies.contains(w) || !w->accessibleName().isEmpty()) << w->objectName().toStdString();
            }
        }
    }
}

TEST_F(TaskEditor, LeavingADueFieldTidiesItOrKeepsTheFocusThere)
{
    NewTask("开会");
    QApplication::setActiveWindow(&E());
    struct Case
    {
        QComboBox* box;
        const char *typed, *shown, *message;
    } cases[] = {
        { Time(), "9", "9:00:00", "" },
        { Date(), "30", "2012-06-30", "" },
        { Date(), "abc", "abc", "请填写正确的日期" },
        { Time(), "25:61", "25:61", "请填写正确的时间!" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_msg->shown.clear();
        c.box->setFocus();
        c.box->setEditText(Q(c.typed));
        QTest::keyClick(c.box->lineEdit(), Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(c.box->currentText(), Q(c.shown));
        EXPECT_EQ(LastMessage(), Q(c.message));
        EXPECT_EQ(c.box->hasFocus() || c.box->lineEdit()->hasFocus(), *c.message != 0);
        if (*c.message)
            c.box->setEditText(c.box == Date() ? Q("今天") : Q("10:00"));
    }
}
