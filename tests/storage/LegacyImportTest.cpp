// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/StoreTestUtil.h"

#include "base/AppPaths.h"
#include "storage/LegacyImport.h"
#include "engine/TaskEngine.h"
#include "support/TestEnv.h"
#include "timerules/Clock.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace storetest;

namespace {

// The legacy file as the Windows version wrote it: GBK text, CR LF line ends.
QByteArray Gbk(const QStringList& lines)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QStringList V2Record(int oldNumber, const QString& desc, const QString& status = QStringLiteral("0"))
{
    return { QStringLiteral("[%1] 2").arg(oldNumber), desc, QStringLiteral("2012-06-04 10:00:00"),
        QStringLiteral("2012-06-01 08:00:00"), QStringLiteral("2"), QStringLiteral("C:\\铃声\\ring.mid"),
        QStringLiteral("2"), status, QStringLiteral("2012-06-04 09:50:00"), QStringLiteral(" 2012-6-4 \t 10:00 "),
        QStringLiteral("True\t notepad.exe ") };
}

// A program folder without twdata.xml and a separate "application-data" folder searched for reminder.db.
struct LegacySetup
{
    ProgramFolderGuard program;
    QTemporaryDir appData;
    MsgBoxGuard box;

    LegacySetup() { LegacyImport::SetSearchFolders({ appData.path(), program.path() }); }
    ~LegacySetup() { LegacyImport::SetSearchFolders({}); }
    QString legacy() const { return QDir(appData.path()).filePath("reminder.db"); }
};

}  // namespace

TEST(LegacyImport, ImportsVersion2RecordsWithNewNumbersAndOffersToDeleteTheOldFile)
{
    ClockGuard clock(2012, 6, 3, 12, 0, 0);
    LegacySetup s;
    QStringList lines = V2Record(12, QStringLiteral("第一行<br>第二行"));
    lines += V2Record(40, QStringLiteral("到期的任务"), QStringLiteral("1"));
    lines += V2Record(7, QStringLiteral("第三个"));
    ASSERT_TRUE(WriteAll(s.legacy(), Gbk(lines)));
    s.box->answers.push_back(MsgResult::Yes);

    TaskEngine engine;
    EXPECT_TRUE(engine.LoadCfg());
    ASSERT_EQ(engine.Tasks().Count(), 3);
    EXPECT_EQ(engine.Tasks().At(0)->Key(), "T01");
    EXPECT_EQ(engine.Tasks().At(1)->Key(), "T02");
    EXPECT_EQ(engine.Tasks().At(2)->Key(), "T03");

    const TaskPtr t = engine.Tasks().At(0);
    EXPECT_EQ(t->sDescription(), "第一行\r\n第二行");
    EXPECT_DOUBLE_EQ(t->dtDueDT, MakeInstant(2012, 6, 4, 10, 0, 0));
    EXPECT_DOUBLE_EQ(t->dtCreateDT, MakeInstant(2012, 6, 1, 8, 0, 0));
    EXPECT_DOUBLE_EQ(t->dtValidFromDT, t->dtCreateDT);
    EXPECT_DOUBLE_EQ(t->dtStartDT, t->dtCreateDT);
    EXPECT_EQ(t->ePriority, tpHigh);
    EXPECT_EQ(t->sRingFile, "C:\\铃声\\ring.mid");
    EXPECT_EQ(t->eRingType, rtMusic);
    EXPECT_EQ(t->eStatus(), tsNotStarted);
    EXPECT_DOUBLE_EQ(t->dtAlarmDT, MakeInstant(2012, 6, 4, 9, 50, 0));
    EXPECT_EQ(t->sDueDate, "2012-6-4");
    EXPECT_EQ(t->sDueTime, "10:00");
    EXPECT_TRUE(t->bUseCmd);
    EXPECT_EQ(t->sCmd, "notepad.exe");
    EXPECT_EQ(t->dtFinishDT, 0);

    // A task stored as due arrives finished, finished at its alarm.
    const TaskPtr due = engine.Tasks().At(1);
    EXPECT_EQ(due->eStatus(), tsFinished);
    EXPECT_DOUBLE_EQ(due->dtFinishDT, due->dtAlarmDT);

    // The recent lists of the editor get each ring file and command once.
    EXPECT_EQ(engine.Settings().RecentRingFiles, QStringList { "C:\\铃声\\ring.mid" });
    EXPECT_EQ(engine.Settings().RecentCmds, QStringList { "notepad.exe" });

    ASSERT_EQ(s.box->shown.size(), 1u);
    EXPECT_EQ(s.box->shown[0].text, "数据文件已升级并放到程序目录下，是否删除原数据文件？");
    EXPECT_EQ(s.box->shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_FALSE(QFile::exists(s.legacy()));

    TaskEngine reloaded;
    ASSERT_TRUE(reloaded.LoadCfg());
    EXPECT_EQ(reloaded.Tasks().Count(), 3);
}

TEST(LegacyImport, OlderLayoutsDeriveWhatTheyDidNotStore)
{
    LegacySetup s;
    const QStringList lines = {
        "垃圾行，在第一个记录之前",
        "[3]",  // version 0: no number after "]"
        "旧任务",
        "2008-5-1 10:30:00",
        "2008-4-1",
        "1",
        "",
        "0",
        "0",
        "[4] 1",
        "版本一",
        "2009/7/8 下午 3:04:05",
        "2009-7-1 8:00:00",
        "0",
        "",
        "1",
        "4",
        "2009-7-8 15:00:00",
        "7-8\t下午3点",
    };
    ASSERT_TRUE(WriteAll(s.legacy(), Gbk(lines)));
    s.box->answers.push_back(MsgResult::No);

    TaskEngine engine;
    engine.LoadCfg();
    ASSERT_EQ(engine.Tasks().Count(), 2);

    const TaskPtr v0 = engine.Tasks().At(0);
    EXPECT_EQ(v0->sDescription(), "旧任务");
    EXPECT_DOUBLE_EQ(v0->dtDueDT, MakeInstant(2008, 5, 1, 10, 30, 0));
    EXPECT_DOUBLE_EQ(v0->dtCreateDT, MakeInstant(2008, 4, 1));
    EXPECT_DOUBLE_EQ(v0->dtAlarmDT, v0->dtDueDT);
    EXPECT_EQ(v0->sDueDate, "2008-5-1");
    EXPECT_EQ(v0->sDueTime, "10:30:00");
    EXPECT_FALSE(v0->bUseCmd);
    EXPECT_EQ(v0->eRingType, rtNone);

    const TaskPtr v1 = engine.Tasks().At(1);
    EXPECT_DOUBLE_EQ(v1->dtDueDT, MakeInstant(2009, 7, 8, 15, 4, 5));
    EXPECT_EQ(v1->eStatus(), tsCancelled);
    EXPECT_DOUBLE_EQ(v1->dtFinishDT, MakeInstant(2009, 7, 8, 15, 0, 0));
    EXPECT_EQ(v1->sDueDate, "7-8");
    EXPECT_EQ(v1->sDueTime, "下午3点");
    EXPECT_EQ(v1->sCmd, "");
    EXPECT_TRUE(engine.Settings().RecentRingFiles.isEmpty());

    EXPECT_TRUE(QFile::exists(s.legacy()));  // "No" keeps it
}

TEST(LegacyImport, AnUnreadableFieldStopsTheImportButKeepsTheTasksBeforeIt)
{
    LegacySetup s;
    QStringList lines = V2Record(1, "好的");
    QStringList broken = V2Record(2, "坏的");
    broken[4] = "高";  // priority that is no number
    lines += broken;
    lines += V2Record(3, "再也读不到");
    ASSERT_TRUE(WriteAll(s.legacy(), Gbk(lines)));

    TaskEngine engine;
    engine.LoadCfg();
    ASSERT_EQ(engine.Tasks().Count(), 1);
    EXPECT_EQ(engine.Tasks().At(0)->sDescription(), "好的");
    EXPECT_TRUE(QFile::exists(engine.DataFilePath()));
    EXPECT_EQ(s.box->shown.size(), 1u);
    EXPECT_TRUE(QFile::exists(s.legacy()));  // the default answer (Cancel) keeps it

    // A record cut short by the end of the file is unreadable too.
    LegacyReader reader(Gbk(V2Record(1, "x").mid(0, 6)));
    CTask task;
    AppSettings settings;
    EXPECT_FALSE(reader.LoadFrom(task, settings));
}

TEST(LegacyImport, DashInstantsOfVersion2AreReadAsNotSet)
{
    LegacySetup s;
    QStringList lines = V2Record(1, "无日期");
    lines[2] = "--";  // due
    lines[3] = "--";  // created
    lines[8] = "--";  // alarm
    lines[9] = "--\t--";
    ASSERT_TRUE(WriteAll(s.legacy(), Gbk(lines)));
    TaskEngine engine;
    engine.LoadCfg();
    ASSERT_EQ(engine.Tasks().Count(), 1);
    EXPECT_EQ(engine.Tasks().At(0)->dtDueDT, NO_DATE);
    EXPECT_EQ(engine.Tasks().At(0)->dtAlarmDT, NO_DATE);
    EXPECT_EQ(engine.Tasks().At(0)->dtCreateDT, 0);
}

TEST(LegacyImport, NothingToImportWritesAndAsksNothing)
{
    {
        LegacySetup s;
        ASSERT_TRUE(WriteAll(s.legacy(), QByteArray()));
        TaskEngine engine;
        EXPECT_TRUE(engine.LoadCfg());
        EXPECT_EQ(engine.Tasks().Count(), 0);
        EXPECT_FALSE(QFile::exists(engine.DataFilePath()));
        EXPECT_TRUE(s.box->shown.empty());
        EXPECT_TRUE(QFile::exists(s.legacy()));
    }
    {
        // With both files present only twdata.xml is read.
        LegacySetup s;
        ASSERT_TRUE(WriteAll(s.legacy(), Gbk(V2Record(1, "旧的"))));
        ASSERT_TRUE(WriteAll(s.program.file("twdata.xml"), "<tasks types=\"新\"/>"));
        TaskEngine engine;
        EXPECT_TRUE(engine.LoadCfg());
        EXPECT_EQ(engine.Tasks().Count(), 0);
        EXPECT_EQ(engine.Settings().Types, "新");
        EXPECT_TRUE(s.box->shown.empty());
    }
    {
        // The program folder is searched after the application-data folder.
        LegacySetup s;
        ASSERT_TRUE(WriteAll(s.program.file("reminder.db"), Gbk(V2Record(1, "程序目录里的"))));
        EXPECT_EQ(LegacyImport::FindFile(), s.program.file("reminder.db"));
        ASSERT_TRUE(WriteAll(s.legacy(), Gbk(V2Record(1, "用户目录里的"))));
        EXPECT_EQ(LegacyImport::FindFile(), s.legacy());
    }
}

TEST(LegacyImport, TheOldFileIsNotOfferedForDeletionWhenTheNewOneCouldNotBeWritten)
{
    LegacySetup s;
    ASSERT_TRUE(WriteAll(s.legacy(), Gbk(V2Record(1, "唯一的副本"))));
    AppPaths::SetDataFolder(s.program.file("missing-folder"));
    s.box->answers.push_back(MsgResult::Yes);
    TaskEngine engine;
    engine.LoadCfg();
    EXPECT_EQ(engine.Tasks().Count(), 1);
    ASSERT_EQ(s.box->shown.size(), 1u);
    EXPECT_EQ(s.box->shown[0].text, "写配置文件失败，请检查文件夹是否可写！");
    EXPECT_TRUE(QFile::exists(s.legacy()));
}

TEST(LegacyImport, AWaitingTaskWithATimeRuleGetsItsNextAlarmFromNow)
{
    ClockGuard clock(2013, 3, 4, 12, 10, 0);
    LegacySetup s;
    QStringList lines = V2Record(1, "每两小时");
    lines[9] = "每天\t每2小时30:0";
    QStringList finished = V2Record(2, "已完成的不动", "2");
    finished[9] = lines[9];
    lines += finished;
    ASSERT_TRUE(WriteAll(s.legacy(), Gbk(lines)));
    TaskEngine engine;
    engine.LoadCfg();
    ASSERT_EQ(engine.Tasks().Count(), 2);
    const Instant alarm = engine.Tasks().At(0)->dtAlarmDT;
    EXPECT_GT(alarm, Clock::Now());
    EXPECT_LT(alarm, Clock::Now() + 2.0 / 24 + 1e-9);
    EXPECT_DOUBLE_EQ(engine.Tasks().At(1)->dtAlarmDT, MakeInstant(2012, 6, 4, 9, 50, 0));
}
