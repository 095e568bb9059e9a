// SPDX-License-Identifier: GPL-3.0-or-later
// The shutdown dialog and the calendar window's own texts in English. The command a task stores keeps its Chinese
// action names, and the delays are data.
#include "EnglishTexts.h"
#include "calendar/PageHost.h"
#include "calendar/frmHtmlViewer.h"
#include "base/Resources.h"
#include "power/dlgShutdown.h"
#include "support/RecordingPowerManager.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTimer>

using namespace EnglishTexts;

TEST(EnglishShell, ShutdownDialogAndCalendarMessages)
{
    EnglishGuard english;
    ClockGuard clock { 2012, 6, 3, 12, 0, 0 };
    MsgBoxGuard msg;
    PowerManagerGuard power;
    const QStringList delays = { QStringLiteral("30秒"), QStringLiteral("1分钟"), QStringLiteral("1小时") };
    dlgShutdown dlg;
    const auto click = [&dlg](const char* name) { dlg.findChild<QPushButton*>(QString::fromLatin1(name))->click(); };
    const auto text = [&dlg](const char* name) { return dlg.findChild<QLabel*>(QString::fromLatin1(name))->text(); };

    dlg.ShowByHand();
    EXPECT_EQ(text("txtDueTime"), QStringLiteral("(in 30秒)"));
    EXPECT_EQ(ChineseTexts(&dlg, delays).join(u'\n').toStdString(), "");

    ASSERT_TRUE(dlg.ShowAsExec(QStringLiteral("@强制重启 1分钟")));
    EXPECT_EQ(text("lblTimer"), QStringLiteral("Restart (forced) in 60 s"));
    EXPECT_EQ(ChineseTexts(&dlg, delays).join(u'\n').toStdString(), "");
    click("cmdExecuteImmd");  // answered No
    EXPECT_EQ(msg->shown.back().text, QStringLiteral("Run \"Restart (forced)\" now?"));
    EXPECT_EQ(dlg.Command(), QStringLiteral("强制重启"));
    click("cmdCancel");

    dlg.findChild<QComboBox*>(QStringLiteral("cboTimeSpec"))->setEditText(QStringLiteral("soon"));
    click("cmdOk");
    EXPECT_EQ(msg->shown.back().text, QStringLiteral("The delay is not valid. Please enter it again."));

    // Editing a task's command: the title says so in English, the command stays as the task stores it.
    QString title;
    QTimer::singleShot(0, &dlg, [&] {
        title = dlg.windowTitle();
        dlg.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
    });
    EXPECT_EQ(dlg.ShowAsSetting(QStringLiteral("@注销 1小时")), QStringLiteral("@注销 1小时"));
    EXPECT_EQ(title, QStringLiteral("Shut down - Settings"));
    EXPECT_TRUE(power->calls.empty());

    // Without the web component the calendar says why, in English.
    if (!PageHost::Available()) {
        ProgramFolderGuard folder;
        const std::vector<Resources::PackageRecord> package = Resources::Package();
        EXPECT_FALSE(ShowCalendar(false, nullptr));
        Resources::SetPackage(package);  // forgets the page written into the temporary folder
        EXPECT_FALSE(HasChinese(msg->shown.back().text)) << msg->shown.back().text.toStdString();
    }
}

// In Chinese, Qt's standard buttons come from Qt's own translation when the system has it; Uninstall takes it away.
TEST(Language, ChineseUsesQtsOwnChineseForItsStandardTexts)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm")))
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    const auto cancel = [] {
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Cancel)->text();
    };
    ASSERT_TRUE(Translation::Install(QStringLiteral("zh")));
    EXPECT_EQ(cancel(), QStringLiteral("取消"));
    Translation::Uninstall();
    EXPECT_EQ(cancel(), QStringLiteral("Cancel"));
}
