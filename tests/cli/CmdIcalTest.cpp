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

TEST(CliIcal, WaitingTasksWithoutADueMomentAreCountedAsLeftOut)
{
    QTemporaryDir dir;
    QFile data(dir.filePath(QStringLiteral("twdata.xml")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(R"(<tasks>
<task Id="1" DueDT="--" Status="0" DueDate="2030-1-7" DueTime="7:00" Desc="a"/>
<task Id="2" DueDT="--" Status="0" DueDate="每天" DueTime="8:00" Desc="b"/>
<task Id="3" DueDT="--" Status="0" DueDate="2030-1-8" DueTime="9:00" Desc="c"/>
<task Id="4" DueDT="2030-1-9 10:00:00" Status="0" DueDate="2030-1-9" DueTime="10:00" Desc="d"/>
</tasks>)");
    data.close();
    const QString ics = dir.filePath(QStringLiteral("out.ics"));
    const CliRun r
        = Cli({ QStringLiteral("export"), QStringLiteral("--ical"), ics, QStringLiteral("--data-dir"), dir.path() });
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("已导出 1 个任务"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("3 个等待中的任务没有算出到期时刻"))) << r.err.toStdString();
}
