// SPDX-License-Identifier: GPL-3.0-or-later
// The page host in a real web engine: the wb:// bridge as a page sees it, the click cycling of the calendar,
// and what a page may not do.
#include "calendar/IPageWindow.h"
#include "calendar/PageTestUtil.h"
#include "calendar/frmHtmlViewer.h"
#include "core/CTask.h"
#include "editor/frmTask.h"
#include "engine/TaskEngine.h"
#include "support/TestEnv.h"
#include "timerules/Instant.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

QString TestPage(const char* name)
{
    return QStringLiteral(TW_SOURCE_DIR "/tests/calendar/") + QString::fromLatin1(name);
}

class Bridge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const Instant day = MakeInstant(2011, 12, 15, 9);
        AddTask(m_engine, 12, QStringLiteral("交报告"), QStringLiteral("2011-12-15"), day, tsNotStarted);
        AddTask(m_engine, 15, QStringLiteral("还书"), QStringLiteral("每月4,14"), day, tsPostponed);
        AddTask(m_engine, 16, QStringLiteral("开会"), QStringLiteral("2011-12-15"), day, tsOngoing);
        AddTask(m_engine, 17, QStringLiteral("早已完成"), QStringLiteral("2011-12-15"), day, tsFinished);
        SetCalendarHost({ &m_engine, &m_main,
            [this](const TaskPtr& task, QWidget* owner) {
                m_opened << task->Key();
                m_openedOwner = owner;
            },
            [this](Instant d) { m_newTaskDays << d; } });
    }
    void TearDown() override { SetCalendarHost({}); }

    // A viewer on the test page, loaded.
    std::unique_ptr<frmHtmlViewer> Open(QWidget* owner, frmHtmlViewer::Mode mode, const char* page = "bridge.html")
    {
        auto viewer = std::make_unique<frmHtmlViewer>(owner, mode);
        EXPECT_TRUE(viewer->IsLoaded());
        EXPECT_TRUE(viewer->Init(TestPage(page)));
        EXPECT_TRUE(WaitForPage(*viewer));
        return viewer;
    }

    // Has the page follow `url`, then waits until `answers` holds `count` entries; the answers as JSON.
    QString Call(frmHtmlViewer& viewer, const QString& url, int count)
    {
        Eval(viewer,
            QStringLiteral("call(")
                + QString::fromUtf8(QJsonDocument::fromVariant(QVariantList { url }).toJson(QJsonDocument::Compact))
                      .mid(1)
                      .chopped(1)
                + QLatin1Char(')'));
        (void)QTest::qWaitFor(
            [&] { return Eval(viewer, QStringLiteral("answers.length")) == QString::number(count); }, 5000);
        QTest::qWait(100);
        return Eval(viewer, QStringLiteral("answers"));
    }

    TaskEngine m_engine;
    QWidget m_main;
    QStringList m_opened;
    QWidget* m_openedOwner = nullptr;
    QList<Instant> m_newTaskDays;
};

}  // namespace

TEST_F(Bridge, AnswersThroughTheCallbackWithTheJsonOfTheResult)
{
    auto viewer = Open(&m_main, frmHtmlViewer::Mode::Browse);
    EXPECT_EQ(Eval(*viewer, QStringLiteral("enabledAtStart")), u"true") << "WB_ENABLED before the page's scripts";
    QStringList events;
    QObject::connect(viewer.get(), &frmHtmlViewer::OnUserEvent, [&](const QString& s) { events << s; });

    const struct
    {
        const char* url;
        const char* answer;  // the last answer the page got, "" for none
    } cases[] = {
        { "wb://gettasks",
            R"(["WB_DEFCB","gettasks",[0,[["T12","2011-12-15","交报告"],["T15","每月4,14","还书"],["T16","2011-12-15","开会"]]]])" },
        { "wb://gettasks#CB_x",
            R"(["CB_x","gettasks",[0,[["T12","2011-12-15","交报告"],["T15","每月4,14","还书"],["T16","2011-12-15","开会"]]]])" },
        { "wb://nosuch", R"(["WB_DEFCB","nosuch",[0,"Unknown method: nosuch"]])" },
        { "wb://isHideTask", R"(["WB_DEFCB","isHideTask",[0,false]])" },
        { "wb://OnUserEvent?新邮件 到了", "" },
    };
    int count = 0;
    for (const auto& c : cases) {
        const bool answered = *c.answer != 0;
        count += answered ? 1 : 0;
        const QString all = Call(*viewer, QString::fromUtf8(c.url), count);
        const QJsonArray list = QJsonDocument::fromJson(all.toUtf8()).array();
        ASSERT_EQ(list.size(), count) << c.url << " " << all.toStdString();
        if (answered) {
            EXPECT_EQ(QJsonDocument(list.last().toArray()).toJson(QJsonDocument::Compact), QByteArray(c.answer))
                << c.url;
        }
    }
    EXPECT_EQ(events, QStringList { QStringLiteral("新邮件 到了") });
    // The page is still there: every wb: navigation was cancelled.
    EXPECT_TRUE(PageOf(*viewer)->url().toLocalFile().endsWith(QStringLiteral("bridge.html")));
}

TEST_F(Bridge, RepeatedClicksOnOneDayWalkThroughItsTasks)
{
    auto viewer = Open(&m_main, frmHtmlViewer::Mode::Browse);
    const QString three = QStringLiteral("wb://onclick?2011-12-15%20T12,T15,T16");
    for (int i = 0; i < 4; ++i)
        Call(*viewer, three, 0);
    Call(*viewer, QStringLiteral("wb://onclick?2011-12-16 T16,T12"), 0);  // another day starts at its first
    Call(*viewer, QStringLiteral("wb://onclick?2011-12-17"), 0);  // a day without tasks opens nothing
    Call(*viewer, QStringLiteral("wb://ondblclick?2011-12-18"), 0);
    EXPECT_EQ(m_opened, (QStringList { "T12", "T15", "T16", "T12", "T16" }));
    EXPECT_EQ(m_openedOwner, viewer->Dialog());
    EXPECT_EQ(m_newTaskDays, QList<Instant> { MakeInstant(2011, 12, 18) });
    EXPECT_EQ(viewer->PickedDay(), MakeInstant(2011, 12, 18));
    EXPECT_FALSE(viewer->IsLoaded()) << "a double-click closes the calendar";
}

TEST_F(Bridge, APickerTakesTheClickedDayAndHidesTasksFromTheEditor)
{
    frmTask editor(m_engine);
    auto viewer = Open(&editor, frmHtmlViewer::Mode::Picker);
    EXPECT_EQ(Call(*viewer, QStringLiteral("wb://isHideTask"), 1), R"([["WB_DEFCB","isHideTask",[0,true]]])");
    Call(*viewer, QStringLiteral("wb://ondblclick?2011-12-3"), 1);
    EXPECT_TRUE(viewer->IsLoaded()) << "a double-click does nothing in a picker";
    EXPECT_EQ(viewer->PickedDay(), 0);
    Call(*viewer, QStringLiteral("wb://onclick?2011-12-3 T12"), 1);
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_EQ(viewer->PickedDay(), MakeInstant(2011, 12, 3));
    EXPECT_FALSE(viewer->IsLoaded());
}

// The calendar stays on its page; a check page may go elsewhere, but a page it reaches that is not its own
// local file gets no answer, no flag and no event.
TEST_F(Bridge, NoNavigationAwayAndNoBridgeForARemotePage)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            s->readAll();
            s->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<script>var answers = [];"
                     "function WB_DEFCB(m, r) { answers.push(m); }"
                     "var remoteFlag = window.WB_ENABLED === true;"
                     "location.href = 'wb://OnUserEvent?remote';"
                     "setTimeout(function () { location.href = 'wb://gettasks'; }, 100);</script>");
            s->disconnectFromHost();
        });
    });
    const QString remote = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());

    auto calendar = Open(&m_main, frmHtmlViewer::Mode::Browse);
    Eval(*calendar, QStringLiteral("location.href = ") + QLatin1Char('"') + remote + QLatin1Char('"'));
    Eval(*calendar, QStringLiteral("location.href = 'file:///etc/hostname'"));
    QTest::qWait(1000);
    EXPECT_TRUE(PageOf(*calendar)->url().toLocalFile().endsWith(QStringLiteral("bridge.html")));

    auto check = Open(nullptr, frmHtmlViewer::Mode::Check);
    QStringList events;
    QObject::connect(check.get(), &frmHtmlViewer::OnUserEvent, [&](const QString& s) { events << s; });
    Eval(*check, QStringLiteral("location.href = ") + QLatin1Char('"') + remote + QLatin1Char('"'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return PageOf(*check)->url().toString() == remote; }, 10000));
    QTest::qWait(1000);
    EXPECT_EQ(Eval(*check, QStringLiteral("remoteFlag")), u"false");
    EXPECT_EQ(Eval(*check, QStringLiteral("answers.length")), u"0");
    EXPECT_TRUE(events.isEmpty());
}

// A task whose event a page watches: the page is loaded by the first check, its event is reported once, the
// close box only hides the window of a waiting task, and stopping the check closes it.
TEST_F(Bridge, APageCheckReportsItsEventOnce)
{
    frmHtmlViewer* made = nullptr;
    const PageFactoryGuard factory(
        [&made](std::function<void(const QString&)> onUserEvent) -> std::unique_ptr<ICheckPage> {
            auto viewer = std::make_unique<frmHtmlViewer>(nullptr, frmHtmlViewer::Mode::Check);
            QObject::connect(viewer.get(), &frmHtmlViewer::OnUserEvent, viewer.get(), std::move(onUserEvent));
            made = viewer.get();
            return viewer;
        });
    CTask task;
    task.SetDescription(QStringLiteral(":等信号\r\n") + TestPage("bridge.html"));
    bool valid = false;
    QString desc;
    EXPECT_FALSE(task.CheckUserEvent(valid, desc));
    EXPECT_TRUE(valid);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->Dialog()->isVisible());
    EXPECT_EQ(made->Dialog()->windowTitle(), u"等信号");
    ASSERT_TRUE(WaitForPage(*made));
    Eval(*made, QStringLiteral("call('wb://OnUserEvent?门铃%20响了')"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return task.CheckUserEvent(valid, desc); }, 5000));
    EXPECT_EQ(desc, u"门铃 响了");
    EXPECT_FALSE(task.CheckUserEvent(valid, desc));
    made->Dialog()->close();
    EXPECT_FALSE(made->Dialog()->isVisible());
    EXPECT_TRUE(made->IsLoaded());
    task.StopUserEvent();
    EXPECT_FALSE(task.HasCheckPage());
}
