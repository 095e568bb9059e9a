// SPDX-License-Identifier: GPL-3.0-or-later
// What a new user met on a fresh account: the log and an export that would not open, a filter dialog that
// never saw new categories, an export proposed into a folder that is not there.
#include "MainWindowFixture.h"
#include "mainwindow/dlgFilter.h"
#include "platform/XdgDesktopOpener.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using NewUser = MainWindowFixture;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// Through the real opener and its rules (it refuses a start folder that does not exist), with a stand-in for
// the desktop's opener program that only writes down what it was given.
TEST_F(NewUser, TheLogAndAnExportOpenThroughTheRealOpener)
{
    QTemporaryDir bin;
    const QString record = bin.filePath(QStringLiteral("opened.txt"));
    const QString script = bin.filePath(QStringLiteral("xdg-open"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + QFile::encodeName(record) + "'\n");
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const FakeGuard<XdgDesktopOpener, IDesktopOpener> realOpener(script);

    const QString log = m_folder.file(QStringLiteral("tickwell.log"));
    const QString csv = m_folder.file(QStringLiteral("导出.csv"));
    ASSERT_TRUE(QFile(log).open(QIODevice::WriteOnly));
    const struct
    {
        const char* action;
        QString opened;
    } cases[] = { { "mnuViewLog", log }, { "mnuExport", csv } };
    for (const auto& c : cases) {
        QFile::remove(record);
        m_msg->answers = { c.action == std::string("mnuViewLog") ? MsgResult::No : MsgResult::Yes };
        m_msg->saveFiles = { csv };
        m_msg->shown.clear();
        Action(c.action)->trigger();
        QElapsedTimer waited;
        waited.start();
        // The file appears when the shell opens it, a moment before the line is in it.
        while (!ReadAll(record).endsWith('\n') && waited.elapsed() < 5000)
            QThread::msleep(20);
        EXPECT_EQ(QString::fromUtf8(ReadAll(record)), c.opened + QLatin1Char('\n')) << c.action;
        for (const auto& shown : m_msg->shown)
            EXPECT_FALSE(shown.text.startsWith(Q("出错"))) << shown.text.toStdString();
    }
}

TEST_F(NewUser, TheFilterDialogShowsCategoriesAddedSinceItWasBuilt)
{
    W().Engine().TaskTypes().SetText(Q("工作"));
    auto* panel = W().findChild<QLabel*>(QStringLiteral("panelFilter"));
    QTest::mouseDClick(panel, Qt::LeftButton);
    ASSERT_NE(W().FilterDialog(), nullptr);
    W().FilterDialog()->close();

    W().Engine().TaskTypes().SetText(Q("工作;家"));
    QTest::mouseDClick(panel, Qt::LeftButton);
    QStringList entries;
    auto* list = W().FilterDialog()->findChild<QListWidget*>(QStringLiteral("lstType"));
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    EXPECT_EQ(entries, QStringList({ Q("(未分类)"), Q("工作"), Q("家") }));
}

TEST_F(NewUser, TheExportIsProposedIntoAFolderThatExists)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    for (const bool documents : { false, true }) {
        if (documents)
            QDir(home.path()).mkdir(QStringLiteral("Documents"));
        m_msg->saveDialogs.clear();
        Action("mnuExport")->trigger();
        ASSERT_EQ(m_msg->saveDialogs.size(), 1);
        const QString suggested = m_msg->saveDialogs[0].split(QLatin1Char('|')).value(3);
        EXPECT_TRUE(QFileInfo(QFileInfo(suggested).path()).isDir()) << suggested.toStdString();
        EXPECT_EQ(QFileInfo(suggested).path().endsWith(QStringLiteral("/Documents")), documents);
    }
    for (const auto& [name, value] : { std::pair { "HOME", oldHome }, std::pair { "XDG_CONFIG_HOME", oldConfig } }) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}
