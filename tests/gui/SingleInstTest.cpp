// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindowWiring.h"
#include "mainwindow/frmMain.h"
#include "platform/CSingleInst.h"
#include "support/TestEnv.h"

#include "support/RealProgram.h"
#include "support/Wait.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

#ifndef TW_APP_PATH
#error "TW_APP_PATH must name the tickwell executable"
#endif

namespace {

const QString kQuestion = QStringLiteral("软件另一实例已在运行，是否激活？");

// What the program asks, through the scripted message box.
bool Ask()
{
    return MsgBox::Show(kQuestion, MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes;
}

// A real program in its own data folder, with endpoints in `runtime` and questions answered from `answers`.
struct AppData
{
    QTemporaryDir data;
};
struct App : AppData, RealProgram
{
    App(const QString& runtime, const QString& answers)
        : RealProgram(QStringLiteral(TW_APP_PATH), PrivateAccountEnv(data.path()))
    {
        SetEnv(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        SetEnv(QStringLiteral("TW_TEST_ANSWERS"), answers);
        Start({ QStringLiteral("--data-dir"), data.path() });
    }
    int Asked() { return int(Err().count(QStringLiteral("asked: ") + kQuestion)); }
};

}  // namespace

// Objects of this process stand for instances: slot order, the question and the seventh instance.
TEST(SingleInst, SlotsAreTakenInOrderAndTheQuestionComesOnlyWhenOneIsLive)
{
    QTemporaryDir rt;
    MsgBoxGuard box;
    std::vector<std::unique_ptr<CSingleInst>> running;
    for (int i = 0; i < 7; ++i) {
        auto inst = std::make_unique<CSingleInst>(rt.path());
        box->answers.push_back(MsgResult::No);
        EXPECT_EQ(inst->Check(Ask), CSingleInst::Outcome::RunOn);
        EXPECT_EQ(inst->Register(), i < 6 ? i : 0) << "instance " << i + 1;
        EXPECT_EQ(inst->Register(), inst->Slot()) << "registering twice changes nothing";
        running.push_back(std::move(inst));
    }
    ASSERT_EQ(box->shown.size(), 6u) << "the first start asks nothing";
    EXPECT_EQ(box->shown[0].text, kQuestion);
    EXPECT_EQ(box->shown[0].buttons, MsgButtons::YesNo);

    // Slots of instances that ended are free again: the lowest is taken first.
    running[3].reset();
    running[1].reset();
    auto next = std::make_unique<CSingleInst>(rt.path());
    EXPECT_EQ(next->Register(), 1);
    EXPECT_FALSE(next->SlotIsLive(3));
    // The first instance lost slot 0 to the seventh; quitting it leaves the seventh's endpoint alone.
    running[0].reset();
    EXPECT_TRUE(next->SlotIsLive(0));

    running.clear();
    next.reset();
    CSingleInst alone(rt.path());
    box->shown.clear();
    EXPECT_EQ(alone.Check(Ask), CSingleInst::Outcome::RunOn);
    EXPECT_TRUE(box->shown.empty()) << "after the others quit, a start asks nothing";
    EXPECT_EQ(alone.Register(), 0);
    EXPECT_EQ(QDir(rt.path()).entryList(QDir::System | QDir::Files).size(), 2) << "one link, one endpoint";
}

TEST(SingleInst, EndpointsArePerUserAndPerFolder)
{
    QTemporaryDir a, b;
    CSingleInst x(a.path()), y(b.path());
    EXPECT_NE(x.EndpointName(0), y.EndpointName(0));
    EXPECT_NE(x.EndpointName(0), x.EndpointName(1));
    EXPECT_TRUE(x.EndpointName(0).contains(QString::number(::getuid())));
    ASSERT_EQ(x.Register(), 0);
    EXPECT_EQ(y.Register(), 0) << "another runtime folder is another user";
}

// Real processes: the first takes slot 0 without a question; a second answered No asks once and takes slot 1.
TEST(SingleInst, RealProcessesFirstTakesSlotZeroSecondAnsweredNoTakesSlotOne)
{
    QTemporaryDir rt;
    CSingleInst probe(rt.path());
    App first(rt.path(), QString());
    ASSERT_TRUE(WaitFor([&] { return probe.SlotIsLive(0); })) << qPrintable(first.Err());
    App second(rt.path(), QStringLiteral("no"));
    ASSERT_TRUE(WaitFor([&] { return probe.SlotIsLive(1); })) << qPrintable(second.Err());
    EXPECT_EQ(first.Asked(), 0);
    EXPECT_EQ(second.Asked(), 1);
    EXPECT_FALSE(probe.SlotIsLive(2));
}

// kill -9 leaves a socket file behind; it neither answers nor stops the next start from taking its slot.
TEST(SingleInst, RealProcessAfterKillNineAsksNothingAndTakesSlotZero)
{
    QTemporaryDir rt;
    CSingleInst probe(rt.path());
    {
        App first(rt.path(), QString());
        ASSERT_TRUE(WaitFor([&] { return probe.SlotIsLive(0); })) << qPrintable(first.Err());
        ::kill(pid_t(first.Pid()), SIGKILL);
        ASSERT_TRUE(first.Process().waitForFinished(10000));
    }
    EXPECT_FALSE(probe.SlotIsLive(0));
    App next(rt.path(), QString());
    ASSERT_TRUE(WaitFor([&] { return probe.SlotIsLive(0); })) << qPrintable(next.Err());
    EXPECT_EQ(next.Asked(), 0);
}

// Answered Yes, the second start brings this window back from the tray and ends before loading anything.
TEST(SingleInst, AnsweredYesBringsTheRunningWindowForwardAndEndsBeforeAWindow)
{
    QTemporaryDir rt;
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    frmMain window;
    const MainWindowWiring wiring(window);
    window.Load(nullptr);
    window.show();
    window.showMinimized();
    CSingleInst guard(rt.path());
    ASSERT_EQ(guard.Register(), 0);
    QObject::connect(&guard, &CSingleInst::activateRequested, &window, &frmMain::RestoreFromTray);
    ASSERT_TRUE(window.IsAway());

    App second(rt.path(), QStringLiteral("yes"));
    ASSERT_TRUE(WaitFor([&] { return !second.Running(); }));
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_EQ(second.Asked(), 1);
    EXPECT_TRUE(WaitFor([&] { return !window.IsAway(); }, 5000));
    EXPECT_TRUE(QDir(second.data.path()).entryList(QDir::Files).isEmpty()) << "nothing loaded or saved";
    window.Unload();
}
