// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

class LockTest : public MainWindowFixture
{
protected:
    void Start(const QString& password, const QString& autoLock = Q("0"))
    {
        W().Engine().Settings().SetUnlockPassword(password);
        W().Engine().Settings().AutoLock = autoLock;
        W().Engine().SaveCfg();
        W().Load(nullptr);
        W().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
    }
    void Type(const QString& keys) { QTest::keyClicks(&W(), keys); }
    void CtrlL() { QTest::keyClick(&W(), Qt::Key_L, Qt::ControlModifier); }
    bool ShowsLocked()
    {
        const bool locked = W().IsLocked();
        EXPECT_EQ(W().List()->isVisible(), !locked);
        EXPECT_EQ(W().statusBar()->isVisible(), !locked);
        EXPECT_EQ(W().menuBar()->isVisible(), !locked);
        EXPECT_EQ(W().findChild<QLabel*>(Q("lblPrompt"))->isVisible(), locked);
        return locked;
    }
};

}  // namespace

TEST_F(LockTest, PasswordIsASlidingWindowOverTypedKeys)
{
    const struct
    {
        const char* typed;
        bool unlocks;
    } rows[] = {
        { "abc", true },
        { "xabc", true },  // wrong characters first do no harm
        { "ababc", true },
        { "ABC", false },  // letter case counts
        { "ab", false },
        { "acb", false },
    };
    for (const auto& r : rows) {
        MsgBoxGuard box;
        frmMain w;
        const MainWindowWiring wiring(w);
        w.Engine().Settings().SetUnlockPassword(Q("abc"));
        w.Engine().SaveCfg();
        w.Load(nullptr);
        w.show();
        ASSERT_TRUE(w.IsPasswordLocked()) << "a password locks at start-up";
        QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
        EXPECT_TRUE(w.IsLocked()) << "Ctrl+L does not unlock a password lock";
        QTest::keyClicks(&w, QString::fromUtf8(r.typed));
        EXPECT_EQ(!w.IsLocked(), r.unlocks) << r.typed;
        w.Unload();
    }
}

TEST_F(LockTest, WithoutPasswordCtrlLLocksAndUnlocksAndOtherKeysDoNot)
{
    Start(QString());
    EXPECT_FALSE(ShowsLocked()) << "no password: no lock at start-up";
    CtrlL();
    EXPECT_TRUE(ShowsLocked());
    EXPECT_TRUE(Action("mnuLock")->isEnabled());
    Type(Q("abc"));
    EXPECT_TRUE(W().IsLocked());
    CtrlL();
    EXPECT_FALSE(ShowsLocked());
    W().Unload();
}

TEST_F(LockTest, PasswordLockSwallowsTheWindowsShortcutsAndHidesTheList)
{
    Add(Q("秘密任务"));
    Start(Q("pw"));
    EXPECT_TRUE(ShowsLocked());
    QSignalSpy quit(&W(), &frmMain::quitRequested);
    QSignalSpy find(Action("mnuFind"), &QAction::triggered);
    QTest::keyClick(&W(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(&W(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(find.count() + quit.count(), 0);
    Type(Q("pw"));
    EXPECT_FALSE(ShowsLocked());
    W().Unload();
}

TEST_F(LockTest, AutoLockAfterIdleSecondsAndInputRestartsTheClock)
{
    Start(QString(), Q("30s"));
    EXPECT_EQ(W().AutoLockSeconds(), 30);
    m_clock.Advance(20);
    QTest::mouseClick(W().List()->viewport(), Qt::LeftButton);  // input anywhere counts
    m_clock.Advance(20);
    QMetaObject::invokeMethod(W().ScanTimer(), "timeout");
    EXPECT_FALSE(W().IsLocked());
    m_clock.Advance(10);
    QMetaObject::invokeMethod(W().ScanTimer(), "timeout");
    EXPECT_TRUE(W().IsLocked());

    // A bad text turns auto-lock off, also when one was active.
    CtrlL();
    W().Engine().Settings().AutoLock = Q("abc");
    W().LoadAutoLock();
    EXPECT_EQ(W().Engine().Settings().AutoLock, Q("0"));
    m_clock.Advance(3600);
    QMetaObject::invokeMethod(W().ScanTimer(), "timeout");
    EXPECT_FALSE(W().IsLocked());
    W().Unload();
}
