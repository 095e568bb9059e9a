// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/frmPrompt.h"
#include "engine/TaskEngine.h"
#include "support/RecordingNotifier.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers like the scripted presenter, and can run something while a box is open, as the event loop of a
// real message box would.
class HookedPresenter : public ScriptedPresenter
{
public:
    MsgResult Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title) override
    {
        if (whileOpen)
            std::exchange(whileOpen, nullptr)();
        return ScriptedPresenter::Show(text, buttons, icon, title);
    }
    std::function<void()> whileOpen;
};

}  // namespace

class PromptTest : public ::testing::Test
{
protected:
    PromptTest()
        : m_clock(2011, 12, 15, 10, 0, 0)
        , m_presenter(std::make_shared<HookedPresenter>())
        , m_msg(m_presenter)
        , m_prompt(m_engine)
    {
    }

    // A task that has just fired.
    TaskPtr Fire(const QString& desc, const QString& type = QString())
    {
        auto t = std::make_shared<CTask>();
        t->SetDescription(desc);
        t->sType = type;
        t->dtDueDT = t->dtAlarmDT = Clock::Now();
        t->sDueDate = QStringLiteral("今天");
        t->sDueTime = QStringLiteral("10:00");
        m_engine.AddTask(t);
        m_engine.SetTaskStatus(t, tsDue, true, true);
        m_prompt.ShowFiredTask(t);
        return t;
    }

    template <class T> T* Find(const char* name)
    {
        T* w = m_prompt.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* List() { return Find<QListWidget>("lstTasks"); }
    QStringList Entries()
    {
        QStringList s;
        for (int i = 0; i < List()->count(); ++i)
            s << List()->item(i)->text();
        return s;
    }
    void SelectOnly(int row)
    {
        List()->clearSelection();
        List()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }

    ProgramFolderGuard m_folder;
    ClockGuard m_clock;
    std::shared_ptr<HookedPresenter> m_presenter;
    MsgBoxGuard m_msg;
    TaskEngine m_engine;
    frmPrompt m_prompt;
};

TEST_F(PromptTest, TwoTasksAreListedSelectedAndFinishedTogether)
{
    TaskPtr a = Fire(QStringLiteral("交电费"), QStringLiteral("家务"));
    TaskPtr b = Fire(QStringLiteral("开会\r\n带上电脑"));

    EXPECT_EQ(m_prompt.windowTitle(), QStringLiteral("任务时间已到"));
    EXPECT_TRUE(m_prompt.isVisible());
    EXPECT_TRUE(m_prompt.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(Entries(),
        QStringList({ QStringLiteral("[家务] 交电费 / 今天 10:00"), QStringLiteral("开会 带上电脑 / 今天 10:00") }));
    EXPECT_EQ(List()->selectedItems().size(), 2);
    // The newest entry is the focused one.
    EXPECT_EQ(List()->currentRow(), 1);
    EXPECT_EQ(Find<QPlainTextEdit>("txtDesc")->toPlainText(), QStringLiteral("开会\n带上电脑"));
    EXPECT_FALSE(Find<QLabel>("lblAlarmDT")->text().isEmpty());

    // Declining the question changes nothing.
    m_presenter->answers = { MsgResult::No };
    Find<QPushButton>("cmdOk")->click();
    ASSERT_EQ(m_presenter->shown.size(), 1u);
    EXPECT_EQ(m_presenter->shown[0].text, QStringLiteral("将所有任务设置为已完成?"));
    EXPECT_EQ(m_presenter->shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(m_presenter->shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(a->eStatus(), tsDue);
    EXPECT_EQ(m_prompt.Count(), 2);

    m_presenter->answers = { MsgResult::Yes };
    Find<QPushButton>("cmdOk")->click();
    EXPECT_EQ(a->eStatus(), tsFinished);
    EXPECT_EQ(b->eStatus(), tsFinished);
    EXPECT_EQ(m_prompt.Count(), 0);
    EXPECT_FALSE(m_prompt.isVisible());
    EXPECT_TRUE(QFileInfo::exists(m_engine.DataFilePath()));
}

TEST_F(PromptTest, OneOfThreePostponedWithoutAQuestion)
{
    Fire(QStringLiteral("一"));
    TaskPtr two = Fire(QStringLiteral("二"));
    Fire(QStringLiteral("三"));
    SelectOnly(1);
    Find<QComboBox>("cboDelay")->setCurrentIndex(1);
    EXPECT_EQ(Find<QComboBox>("cboDelay")->currentText(), QStringLiteral("10分钟"));

    Find<QPushButton>("cmdNewDue")->click();
    EXPECT_TRUE(m_presenter->shown.empty());
    EXPECT_EQ(two->eStatus(), tsPostponed);
    EXPECT_EQ(SecondDiff(Clock::Now(), two->dtAlarmDT), 600);
    EXPECT_EQ(Entries(), QStringList({ QStringLiteral("一 / 今天 10:00"), QStringLiteral("三 / 今天 10:00") }));
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(List()->selectedItems().size(), 1);
    EXPECT_TRUE(List()->item(0)->isSelected());
    EXPECT_TRUE(m_prompt.isVisible());

    // Nothing selected: only a beep.
    List()->clearSelection();
    Find<QPushButton>("cmdCancelTask")->click();
    EXPECT_EQ(m_prompt.Count(), 2);
    EXPECT_TRUE(m_presenter->shown.empty());
}

TEST_F(PromptTest, TheOngoingBoxRenamesTheButtonAndSetsInProgress)
{
    TaskPtr t = Fire(QStringLiteral("写报告"));
    auto* box = Find<QCheckBox>("chkOngoing");
    auto* button = Find<QPushButton>("cmdNewDue");
    auto* label = Find<QLabel>("chkOngoingLabel");
    EXPECT_EQ(label->text(), QStringLiteral("正在处理，待会再提醒"));
    EXPECT_EQ(button->text(), QStringLiteral("推 迟"));

    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(button->text(), QStringLiteral("下次提醒"));
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(button->text(), QStringLiteral("推 迟"));

    box->setChecked(true);
    Find<QComboBox>("cboDelay")->setCurrentIndex(7);  // 30秒
    button->click();
    EXPECT_EQ(t->eStatus(), tsOngoing);
    EXPECT_EQ(SecondDiff(Clock::Now(), t->dtAlarmDT), 30);
    EXPECT_FALSE(m_prompt.isVisible());

    // The next reminder starts from a fresh window: the box is clear and the button reads "推 迟" again.
    Fire(QStringLiteral("下一个"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(button->text(), QStringLiteral("推 迟"));
    EXPECT_EQ(Find<QComboBox>("cboDelay")->currentText(), QStringLiteral("5分钟"));
}

TEST_F(PromptTest, ASpecifiedTimeThatIsCancelledPostponesNothing)
{
    TaskPtr t = Fire(QStringLiteral("约定时间"));
    auto* combo = Find<QComboBox>("cboDelay");
    ASSERT_EQ(combo->count(), 11);
    EXPECT_EQ(combo->itemText(10), QStringLiteral("[指定时间]"));

    combo->setCurrentIndex(10);
    Q_EMIT combo->activated(10);
    ASSERT_EQ(m_presenter->prompts.size(), 1);
    EXPECT_TRUE(m_presenter->prompts[0].startsWith(QStringLiteral("输入指定日期时间，如\"2010-10-1 10:00\"")));
    EXPECT_EQ(combo->currentText(), QString());

    Find<QPushButton>("cmdNewDue")->click();
    EXPECT_EQ(t->eStatus(), tsDue);
    EXPECT_EQ(m_prompt.Count(), 1);

    // A typed time is used as it stands.
    m_presenter->inputs = { QStringLiteral("2011-12-15 18:30") };
    Q_EMIT combo->activated(10);
    EXPECT_EQ(combo->currentText(), QStringLiteral("2011-12-15 18:30"));
    Find<QPushButton>("cmdNewDue")->click();
    EXPECT_EQ(t->eStatus(), tsPostponed);
    EXPECT_EQ(DateTimeOf(t->dtAlarmDT).time(), QTime(18, 30));
}

TEST_F(PromptTest, ATypedDelayIsUsedAsItStandsAndNeverAsksForATime)
{
    TaskPtr t = Fire(QStringLiteral("自己输入"));
    auto* combo = Find<QComboBox>("cboDelay");
    combo->lineEdit()->setText(QStringLiteral("20分钟"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    // Enter neither grows the delay list nor takes the typed text for "[指定时间]".
    EXPECT_TRUE(m_presenter->prompts.isEmpty());
    ASSERT_EQ(combo->count(), 11);
    EXPECT_EQ(combo->itemText(10), QStringLiteral("[指定时间]"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("20分钟"));

    Find<QPushButton>("cmdNewDue")->click();
    EXPECT_EQ(t->eStatus(), tsPostponed);
    EXPECT_EQ(SecondDiff(Clock::Now(), t->dtAlarmDT), 1200);
    // The typed text does not linger for the next reminder.
    Fire(QStringLiteral("下一个"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("5分钟"));
}

TEST_F(PromptTest, AFailedPostponementStopsAtThatTaskAndKeepsWhatWasDone)
{
    TaskPtr bounded = Fire(QStringLiteral("有效期快到了"));
    bounded->dtValidToDT = AddSeconds(Clock::Now(), 60);
    TaskPtr b = Fire(QStringLiteral("乙"));
    TaskPtr c = Fire(QStringLiteral("丙"));
    // Yes to "将所有任务设置为推迟?", No to going beyond the valid period.
    m_presenter->answers = { MsgResult::Yes, MsgResult::No };
    Find<QPushButton>("cmdNewDue")->click();

    EXPECT_EQ(c->eStatus(), tsPostponed);
    EXPECT_EQ(b->eStatus(), tsPostponed);
    EXPECT_EQ(bounded->eStatus(), tsDue);
    EXPECT_EQ(Entries(), QStringList(QStringLiteral("有效期快到了 / 今天 10:00")));
    EXPECT_TRUE(m_prompt.isVisible());
    EXPECT_TRUE(QFileInfo::exists(m_engine.DataFilePath()));
}

TEST_F(PromptTest, ATaskArrivingWhileAQuestionIsOpenKeepsThePromptOpen)
{
    Fire(QStringLiteral("一"));
    Fire(QStringLiteral("二"));
    TaskPtr late;
    m_presenter->answers = { MsgResult::Yes };
    m_presenter->whileOpen = [&] { late = Fire(QStringLiteral("晚到的")); };
    Find<QPushButton>("cmdOk")->click();
    ASSERT_TRUE(late);
    EXPECT_EQ(late->eStatus(), tsDue);
    EXPECT_EQ(Entries(), QStringList(QStringLiteral("晚到的 / 今天 10:00")));
    EXPECT_TRUE(m_prompt.isVisible());
}

TEST_F(PromptTest, TheCloseBoxOnlyMinimises)
{
    Fire(QStringLiteral("别关我"));
    m_prompt.close();
    EXPECT_EQ(m_prompt.Count(), 1);
    EXPECT_TRUE(m_prompt.isMinimized());

    // A new reminder brings it back.
    Fire(QStringLiteral("又来一个"));
    EXPECT_FALSE(m_prompt.isMinimized());
    EXPECT_EQ(m_prompt.Count(), 2);
}

TEST_F(PromptTest, EditsOfTheDescriptionGoStraightIntoTheTask)
{
    TaskPtr t = Fire(QStringLiteral("旧的"));
    auto* edit = Find<QPlainTextEdit>("txtDesc");
    edit->setPlainText(QStringLiteral("新的\n第二行"));
    EXPECT_EQ(t->sDescription(), QStringLiteral("新的\r\n第二行"));
}

TEST_F(PromptTest, TheElapsedLabelStartsAfterHalfAMinute)
{
    Fire(QStringLiteral("计时"));
    Fire(QStringLiteral("同时到期"));
    auto* label = Find<QLabel>("lblDelay");
    // Focusing the other entry (due at the same moment) shows the label afresh.
    auto refresh = [&] { List()->setCurrentRow(1 - List()->currentRow()); };
    EXPECT_EQ(label->text(), QString());
    m_clock.Advance(29);
    refresh();
    EXPECT_EQ(label->text(), QString());
    m_clock.Advance(16);
    refresh();
    EXPECT_EQ(label->text(), QStringLiteral("已过45秒"));
    m_clock.Advance(75);
    refresh();
    EXPECT_EQ(label->text(), QStringLiteral("已过2分钟"));

    // The timer keeps it current by itself.
    m_clock.Advance(3600 - 120);
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == u"已过1小时"; }, 5000)) << label->text().toStdString();
}

// A fired task raises one desktop notification whose buttons settle that task as the prompt's would.
TEST_F(PromptTest, TheDesktopNotificationActsLikeThePromptsButtons)
{
    NotifierGuard notifier;
    TaskPtr a = Fire(QStringLiteral("交电费"), QStringLiteral("家务"));
    TaskPtr b = Fire(QStringLiteral("开会"));
    ASSERT_EQ(notifier->shown.size(), 2);
    EXPECT_TRUE(notifier->shown[1].startsWith(QStringLiteral("开会|")));
    EXPECT_TRUE(notifier->shown[1].endsWith(QStringLiteral("|任务完成|推迟10分钟")))
        << notifier->shown[1].toStdString();

    notifier->Use(QStringLiteral("postpone10"));
    EXPECT_EQ(b->eStatus(), tsPostponed);
    EXPECT_EQ(b->dtAlarmDT, MakeInstant(2011, 12, 15, 10, 10, 0));
    EXPECT_EQ(Entries().size(), 1);
    EXPECT_EQ(a->eStatus(), tsDue);

    // Settled in the prompt first: the notification's button no longer acts.
    TaskPtr c = Fire(QStringLiteral("取快递"));
    SelectOnly(1);
    Find<QPushButton>("cmdCancelTask")->click();
    notifier->Use(QStringLiteral("done"));
    EXPECT_EQ(c->eStatus(), tsCancelled);
    // Every entry that left the prompt took its notification off the screen.
    EXPECT_EQ(notifier->withdrawn, (QList<quint64> { 2, 3 }));

    m_engine.Settings().DesktopNotify = false;
    Fire(QStringLiteral("不通知"));
    EXPECT_EQ(notifier->shown.size(), 3);
}

// The real notifier against a notification server on a private session bus (scripts/notify-test.sh): the
// fired task shows one notification, and the server's "推迟10分钟" postpones it.
TEST_F(PromptTest, NotificationOnAPrivateBus)
{
    if (!qEnvironmentVariableIsSet("TW_PRIVATE_BUS"))
        GTEST_SKIP() << "needs scripts/notify-test.sh";
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("notify.log"));
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
            QStringLiteral("notification_daemon"), QStringLiteral("-l"), log });
    ASSERT_TRUE(server.waitForStarted(5000));
    const auto logText = [&log] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                QStringLiteral("org.freedesktop.Notifications"));
        },
        10000));
    const Slot<IDesktopNotifier>::Guard real(MakeSystemNotifier());
    TaskPtr t = Fire(QStringLiteral("看构建结果"), QStringLiteral("工作"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return logText().contains(QStringLiteral("[工作] 看构建结果")); }, 10000))
        << logText().toStdString();
    EXPECT_EQ(logText().count(QStringLiteral(" Notify ")), 1) << logText().toStdString();

    // The server reports the button: its id for this program's first notification is 1.
    QDBusMessage invoked = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.DBus.Mock"),
        QStringLiteral("EmitSignal"));
    invoked << QStringLiteral("org.freedesktop.Notifications") << QStringLiteral("ActionInvoked")
            << QStringLiteral("us") << QVariantList { QVariant::fromValue(uint(1)), QStringLiteral("postpone10") };
    // Sent again until it lands: the id reaches this program in the reply to Notify, which may still be on its way.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QDBusConnection::sessionBus().call(invoked);
            return t->eStatus() == tsPostponed;
        },
        10000));
    EXPECT_EQ(t->dtAlarmDT, MakeInstant(2011, 12, 15, 10, 10, 0));
    EXPECT_EQ(m_prompt.Count(), 0);

    // A task settled in the prompt takes its notification back from the server.
    Fire(QStringLiteral("取快递"));
    SelectOnly(0);
    Find<QPushButton>("cmdCancelTask")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return logText().contains(QStringLiteral("CloseNotification")); }, 10000))
        << logText().toStdString();
    server.kill();
    server.waitForFinished(5000);
}
