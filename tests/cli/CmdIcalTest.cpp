// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "base/AppPaths.h"
#include "engine/TaskEngine.h"
#include "platform/DataFolderLock.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QTemporaryDir>

TEST(CliIcal, ExportThenImportIntoAnotherFolderKeepsTheRule)
{
    QTemporaryDir from, to;
    {
        ProgramFolderGuard guard;
        AppPaths::SetDataFolder(from.path());
        TaskEngine engine;
        auto t = std::make_shared<CTask>();
        t->SetDescription(QStringLiteral("晨跑"));
        t->sDueDate = QStringLiteral("每周135");
        t->sDueTime = QStringLiteral("7:00");
        t->dtDueDT = MakeInstant(2030, 1, 7, 7, 0, 0);  // a Monday, after any real "now" of these tests
        t->dtAlarmDT = t->dtDueDT;
        engine.AddTask(t);
        ASSERT_TRUE(engine.SaveCfg());
    }
    const QString ics = from.filePath(QStringLiteral("任务.ics"));
    CliRun r
        = Cli({ QStringLiteral("export"), QStringLiteral("--ical"), ics, QStringLiteral("--data-dir"), from.path() });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QFile file(ics);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("RRULE:FREQ=WEEKLY;BYDAY=MO,WE,FR"));

    // A running program holds the folder: the import leaves it alone.
    {
        DataFolderLock held(to.path());
        ASSERT_EQ(held.TryLock(), DataFolderLock::Result::Locked);
        r = Cli({ QStringLiteral("import"), ics, QStringLiteral("--data-dir"), to.path() });
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("导入日历"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(to.filePath(QStringLiteral("twdata.xml"))));
    }
    r = Cli({ QStringLiteral("import"), ics, QStringLiteral("--data-dir"), to.path() });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("已导入 1 个任务。"))) << r.out.toStdString();
    r = Cli({ QStringLiteral("list"), QStringLiteral("--data-dir"), to.path() });
    EXPECT_TRUE(r.out.contains(QStringLiteral("每周135\t7:00\t晨跑"))) << r.out.toStdString();

    r = Cli({ QStringLiteral("import"), from.filePath(QStringLiteral("twdata.xml")), QStringLiteral("--data-dir"),
        to.path() });
    EXPECT_EQ(r.code, 1);  // no calendar: nothing changes
}
