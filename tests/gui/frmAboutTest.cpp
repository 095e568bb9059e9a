// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmAbout.h"
#include "support/RecordingOpener.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class AboutTest : public ::testing::Test
{
protected:
    template <class T> static T* Find(QWidget& w, const char* name)
    {
        T* child = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    ProgramFolderGuard m_folder;
    OpenerGuard m_opener;
};

TEST_F(AboutTest, TitleCarriesTheVersionAndTheHomePageWaitsForAnAddress)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 - 晴钟任务提醒"));
    EXPECT_EQ(Find<QLabel>(about, "lblTitle")->text(), QStringLiteral("晴钟任务提醒 V") + AppVersionText());
    EXPECT_TRUE(Find<QPushButton>(about, "cmdOk")->isDefault());
    EXPECT_EQ(Find<QLabel>(about, "lblDataFolder")->text(), QStringLiteral("数据文件夹：") + m_folder.path());

    // No address has been published yet: the button cannot open anything.
    ASSERT_TRUE(HomePageUrl().isEmpty());
    auto* info = Find<QPushButton>(about, "cmdInfo");
    EXPECT_EQ(info->text(), QStringLiteral("主页>>"));
    EXPECT_FALSE(info->isEnabled());
    frmAbout::OpenHomePage();
    EXPECT_TRUE(m_opener->calls.empty());
}

TEST_F(AboutTest, OnlyWebAddressesAreOpened)
{
    const struct
    {
        const char* address;
        bool opens;
    } cases[] = {
        { "https://example.com/tickwell", true },
        { "HTTP://EXAMPLE.COM", true },
        { "", false },
        { "ftp://example.com", false },
        { "www.example.com", false },
        { "/usr/bin/xterm", false },
    };
    for (const auto& c : cases) {
        m_opener->calls.clear();
        const QString address = QString::fromUtf8(c.address);
        frmAbout about(nullptr, address);
        auto* info = Find<QPushButton>(about, "cmdInfo");
        EXPECT_EQ(info->isEnabled(), c.opens) << c.address;
        frmAbout::OpenHomePage(address);
        if (!c.opens) {
            EXPECT_TRUE(m_opener->calls.empty()) << c.address;
            continue;
        }
        info->click();
        ASSERT_EQ(m_opener->calls.size(), 2u) << c.address;
        for (const auto& call : m_opener->calls) {
            EXPECT_EQ(call.file, address);
            EXPECT_TRUE(call.parameters.isEmpty());
            EXPECT_EQ(call.show, ShowState::Normal);
        }
    }
}

TEST_F(AboutTest, OkAndEscapeClose)
{
    frmAbout about;
    about.show();
    Find<QPushButton>(about, "cmdOk")->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);

    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Rejected);
}
