// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's load and save of the data file: what the user sees of the file policy, byte-exact round trips.
#include "support/StoreTestUtil.h"

#include "base/AppPaths.h"
#include "base/AppVersion.h"
#include "engine/TaskEngine.h"
#include "storage/DataFile.h"
#include "support/TestEnv.h"

#include <QDir>

using namespace storetest;

namespace {

TaskPtr MakeTask(int id, const QString& desc)
{
    auto t = std::make_shared<CTask>();
    t->ID = id;
    t->SetDescription(desc);
    t->dtDueDT = MakeInstant(2012, 6, 4, 10, 0, 0);
    t->dtCreateDT = MakeInstant(2012, 6, 1, 8, 30, 15);
    t->dtAlarmDT = MakeInstant(2012, 6, 4, 9, 55, 0);
    t->ePriority = tpNormal;
    t->sDueDate = QStringLiteral("2012-6-4");
    t->sDueTime = QStringLiteral("10:00");
    return t;
}

// A collection that sets every field and every condition of the writer at least once.
void FillVaried(TaskEngine& engine)
{
    engine.AddTask(MakeTask(1, QStringLiteral("简单任务")));

    auto full = MakeTask(2, QStringLiteral("第一行\r\n第二行 \"引号\" <尖> & 'x'\t制表"));
    full->dtValidFromDT = MakeInstant(2012, 1, 1);
    full->dtValidToDT = MakeInstant(2012, 12, 31, 23, 59, 59);
    full->dtStartDT = 0;
    full->ePriority = tpUrgent;
    full->eRingType = rtMusic;
    full->sRingFile = QStringLiteral("铃声/ring 1.mid");
    full->sManualAlarm = QStringLiteral("-5分钟");
    full->bUseCmd = true;
    full->sCmd = QStringLiteral("notepad \"a b.txt\"");
    full->sCmdInitDir = QStringLiteral("/tmp");
    full->sType = QStringLiteral("工作");
    full->bAutoFinish = full->bAutoCancel = full->bAutoMemo = true;
    full->sMemo = QStringLiteral("备注\r\n第二行 \U0001F600\r\n");
    full->SetStatus(tsFinished);
    full->dtFinishDT = MakeInstant(2012, 6, 4, 10, 1, 2);
    engine.AddTask(full);

    auto noDue = MakeTask(3, QStringLiteral(":检查\r\ntest -f /nonexistent"));
    noDue->dtDueDT = NO_DATE;
    noDue->dtAlarmDT = NO_DATE;
    noDue->sDueDate = noDue->sDueTime = QStringLiteral("--");
    noDue->sCmd = QStringLiteral("only a command");  // UseCmd false but a command: both written
    noDue->ePriority = tpLow;
    noDue->SetStatus(tsPaused);
    noDue->dtFinishDT = 0;  // "--" in the file, 0 again after reading
    engine.AddTask(noDue);

    auto postponed = MakeTask(123, QStringLiteral("推迟的"));
    postponed->SetStatus(tsPostponed);
    postponed->dtStartDT = MakeInstant(2012, 6, 2, 7, 0, 0);
    engine.AddTask(postponed);

    AppSettings& s = engine.Settings();
    s.Types = QStringLiteral("个人;*工作");
    s.EnableLog = true;
    s.Filter = QStringLiteral("类别=工作&状态=未发生");
    s.ColWidth = QStringLiteral("2000;1200;800;800;1000;0;1500;0;0;0;0;0;0");
    s.SetUnlockPassword(QStringLiteral("密码"));
    s.AutoLock = QStringLiteral("45s");
    s.BgStyle = 3;
    s.ColorStyle = QStringLiteral("10944511,5898239");
}

}  // namespace

TEST(DataFile, LoadsAFileOfTheWindowsVersionField_by_field)
{
    ClockGuard clock(2012, 3, 4, 5, 6, 7);
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    ASSERT_TRUE(QFile::copy(Fixture("windows_written.xml"), folder.file("twdata.xml")));
    TaskEngine engine;
    ASSERT_TRUE(engine.LoadCfg());
    // The two tasks with an unreadable field are left out; the original is kept in a copy of the file.
    ASSERT_EQ(box->shown.size(), 1u);
    EXPECT_TRUE(box->shown[0].text.contains(QStringLiteral("有 2 个任务无法读取"))) << qPrintable(box->shown[0].text);

    const AppSettings& s = engine.Settings();
    EXPECT_EQ(s.Types, "个人;*工作");
    EXPECT_TRUE(s.EnableLog);
    EXPECT_EQ(s.Filter, "类别=工作");
    EXPECT_EQ(s.ColWidth, "2000;1200;800;800;1000;0;1500;0;0;0;0;0;0");
    EXPECT_EQ(s.UnlockPassword(), "密码");  // Base64 of GBK bytes
    EXPECT_EQ(s.AutoLock, "5");
    EXPECT_EQ(s.BgStyle, 1);
    EXPECT_EQ(s.ColorStyle, "10944511,5898239");

    // T20 (a due date that is no date) and T21 (no description) are left out; the rest keep file order.
    ASSERT_EQ(engine.Tasks().Count(), 6);
    QStringList keys;
    for (const TaskPtr& t : engine.Tasks())
        keys << t->Key();
    EXPECT_EQ(keys.join(','), "T03,T07,T12,T15,T16,T22");

    TaskPtr t = engine.GetTask("T03");
    EXPECT_EQ(t->sDescription(), "第一行\r\n第二行 \"引号\" & <尖括号>");
    EXPECT_DOUBLE_EQ(t->dtDueDT, MakeInstant(2010, 10, 1, 9, 5, 0));
    EXPECT_DOUBLE_EQ(t->dtCreateDT, MakeInstant(2010, 9, 20, 8, 0, 0));
    EXPECT_EQ(t->dtValidFromDT, 0);
    EXPECT_EQ(t->dtStartDT, 0);
    EXPECT_EQ(t->ePriority, tpNormal);  // no Priority attribute
    EXPECT_EQ(t->eRingType, rtBeep);
    EXPECT_EQ(t->eStatus(), tsNotStarted);
    EXPECT_DOUBLE_EQ(t->dtAlarmDT, MakeInstant(2010, 10, 1, 9, 0, 0));
    EXPECT_EQ(t->sDueDate, "2010-10-1");
    EXPECT_EQ(t->sManualAlarm, "-5");
    EXPECT_EQ(t->sDueTime, "9:05");
    EXPECT_FALSE(t->bUseCmd);
    EXPECT_EQ(t->sMemo, "");

    t = engine.GetTask("T07");
    EXPECT_EQ(t->dtDueDT, NO_DATE);
    EXPECT_EQ(t->dtAlarmDT, NO_DATE);
    EXPECT_EQ(t->dtCreateDT, 0);  // "--" in the five date-and-time attributes reads as "not set"
    EXPECT_EQ(t->dtStartDT, 0);
    EXPECT_EQ(t->dtFinishDT, 0);
    EXPECT_DOUBLE_EQ(t->dtValidFromDT, MakeInstant(2010, 1, 1));
    EXPECT_DOUBLE_EQ(t->dtValidToDT, MakeInstant(2011, 1, 1));
    EXPECT_EQ(t->ePriority, tpUrgent);
    EXPECT_EQ(t->eRingType, rtMusic);
    EXPECT_EQ(t->sRingFile, "铃声\\ring.mid");
    EXPECT_EQ(t->eStatus(), tsFinished);
    EXPECT_TRUE(t->bUseCmd);  // "True"
    EXPECT_EQ(t->sCmd, "notepad.exe");
    EXPECT_EQ(t->sCmdInitDir, "C:\\temp");
    EXPECT_EQ(t->sType, "个人");
    EXPECT_TRUE(t->bAutoFinish);  // "1"
    EXPECT_FALSE(t->bAutoCancel);  // "0"
    EXPECT_TRUE(t->bAutoMemo);  // "true"
    EXPECT_EQ(t->sMemo, "备注一\r\n备注二");

    t = engine.GetTask("T12");
    EXPECT_EQ(t->eStatus(), tsNotStarted);  // a check never survives a restart
    EXPECT_DOUBLE_EQ(t->dtCreateDT, MakeInstant(2010, 1, 1));
    EXPECT_EQ(t->TaskType(), ttUserCmd);

    t = engine.GetTask("T15");
    EXPECT_EQ(t->eStatus(), tsCancelled);
    EXPECT_EQ(t->ePriority, tpLow);
    EXPECT_DOUBLE_EQ(t->dtFinishDT, t->dtAlarmDT);  // no FinishDT: the alarm instant
    EXPECT_EQ(t->sDueDate, "5-1");  // spaces trimmed
    EXPECT_EQ(t->sDueTime, "8:00");

    t = engine.GetTask("T16");
    EXPECT_EQ(t->eStatus(), tsPostponed);
    EXPECT_EQ(t->dtFinishDT, 0);  // a waiting task's FinishDT is not read
    EXPECT_FALSE(t->bUseCmd);

    t = engine.GetTask("T22");
    EXPECT_DOUBLE_EQ(t->dtAlarmDT, MakeInstant(2012, 3, 4, 5, 6, 7));  // no AlarmDT: now, so it fires at once
}

TEST(DataFile, ALoadFollowedByASaveGivesTheSameBytes)
{
    ClockGuard clock(2012, 6, 3);
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    QByteArray first;
    {
        TaskEngine engine;
        FillVaried(engine);
        ASSERT_TRUE(engine.SaveCfg());
        first = ReadAll(engine.DataFilePath());
    }
    ASSERT_FALSE(first.isEmpty());
    {
        TaskEngine engine;
        ASSERT_TRUE(engine.LoadCfg());
        ASSERT_EQ(engine.Tasks().Count(), 4);
        ASSERT_TRUE(engine.SaveCfg());
    }
    EXPECT_EQ(ReadAll(folder.file("twdata.xml")), first);

    // A file of the Windows version settles after one save: the second save changes nothing.
    ASSERT_TRUE(QFile::remove(folder.file("twdata.xml")));
    ASSERT_TRUE(QFile::copy(Fixture("windows_written.xml"), folder.file("twdata.xml")));
    QByteArray once;
    for (int round = 0; round < 2; ++round) {
        TaskEngine engine;
        ASSERT_TRUE(engine.LoadCfg());
        ASSERT_TRUE(engine.SaveCfg());
        if (round == 0)
            once = ReadAll(folder.file("twdata.xml"));
    }
    EXPECT_EQ(ReadAll(folder.file("twdata.xml")), once);
    EXPECT_EQ(box->shown.size(), 1u);  // only the first load met the unreadable task
}

TEST(DataFile, WritesEachAttributeInItsOrderAndOnlyUnderItsCondition)
{
    ProgramFolderGuard folder;
    TaskEngine engine;
    FillVaried(engine);
    auto plain = MakeTask(9, QStringLiteral("最少的属性"));
    plain->dtStartDT = MakeInstant(2012, 6, 1);  // differs from the (unset) valid-from
    engine.AddTask(plain);
    ASSERT_TRUE(engine.SaveCfg());
    const QByteArray xml = ReadAll(engine.DataFilePath());

    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tasks "));
    EXPECT_EQ(
        AttributeNames(xml)[0].join(' '), "ver types EnableLog filter ColWidth unlockpwd autolock bgstyle colorstyle");
    EXPECT_TRUE(xml.contains(QByteArray(QByteArray("ver=\"") + QByteArray::number(VersionNumber()) + '"')));
    EXPECT_TRUE(xml.contains("\n\t<task Id=\"1\" "));  // one element per line, indented

    auto names = AttributeNames(xml);
    names.erase(names.begin());
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0].join(' '), "Id DueDT CreateDT RingType Status AlarmDT DueDate DueTime Desc");
    EXPECT_EQ(names[1].join(' '),
        "Id DueDT CreateDT ValidFromDT ValidToDT StartDT FinishDT Priority RingType RingFile Status AlarmDT "
        "DueDate ManualAlarm DueTime UseCmd Cmd CmdInitDir Type AutoFinish AutoCancel AutoMemo Desc");
    EXPECT_EQ(names[2].join(' '),
        "Id DueDT CreateDT FinishDT Priority RingType Status AlarmDT DueDate DueTime UseCmd Cmd Desc");
    EXPECT_EQ(names[3].join(' '), "Id DueDT CreateDT StartDT RingType Status AlarmDT DueDate DueTime Desc");
    EXPECT_EQ(names[4].join(' '), "Id DueDT CreateDT StartDT RingType Status AlarmDT DueDate DueTime Desc");

    EXPECT_TRUE(xml.contains("DueDT=\"2012-06-04 10:00:00\" CreateDT=\"2012-06-01 08:30:15\""));
    EXPECT_TRUE(xml.contains("Id=\"3\" DueDT=\"--\""));
    EXPECT_TRUE(xml.contains("FinishDT=\"--\" Priority=\"0\""));
    EXPECT_TRUE(xml.contains("UseCmd=\"true\""));
    EXPECT_TRUE(xml.contains("UseCmd=\"false\" Cmd=\"only a command\""));
    EXPECT_TRUE(xml.contains("Id=\"123\""));

    // With everything at its default, the settings are the version, the categories and the widths.
    TaskEngine bare;
    bare.Settings().SetUnlockPassword(QString());
    ASSERT_TRUE(bare.SaveCfg());
    const QByteArray empty = ReadAll(bare.DataFilePath());
    EXPECT_EQ(AttributeNames(empty)[0].join(' '), "ver types ColWidth");
    TaskEngine again;
    ASSERT_TRUE(again.LoadCfg());
    EXPECT_FALSE(again.Settings().EnableLog);
    EXPECT_EQ(again.Settings().Filter, "");
    EXPECT_EQ(again.Settings().AutoLock, "0");
    EXPECT_EQ(again.Tasks().Count(), 0);
}

TEST(DataFile, LineBreaksAndOddCharactersComeBackAsTheyWere)
{
    ProgramFolderGuard folder;
    TaskEngine engine;
    auto t = MakeTask(1, QStringLiteral("a\r\nb\r\n\r\nc"));
    t->sMemo = QStringLiteral("m1\r\nm2\r\n");
    engine.AddTask(t);
    // Control characters cannot appear in XML at all; they must not make the file unreadable.
    auto odd = MakeTask(2, QStringLiteral("bell\x07 esc\x1b ") + QChar(0xD800) + QStringLiteral(" end"));
    odd->sMemo = QStringLiteral("\x01memo");
    engine.AddTask(odd);
    ASSERT_TRUE(engine.SaveCfg());
    const QByteArray xml = ReadAll(engine.DataFilePath());
    // CR must be a character reference: a parser normalises a literal CR LF to LF.
    EXPECT_TRUE(xml.contains("Desc=\"a&#13;&#10;b&#13;&#10;&#13;&#10;c\""));
    EXPECT_TRUE(xml.contains("m1&#13;\nm2&#13;\n</task>"));

    TaskEngine loaded;
    ASSERT_TRUE(loaded.LoadCfg());
    ASSERT_EQ(loaded.Tasks().Count(), 2);
    EXPECT_EQ(loaded.GetTask("T01")->sDescription(), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(loaded.GetTask("T01")->sMemo, "m1\r\nm2\r\n");
    const QString r(QChar(QChar::ReplacementCharacter));
    EXPECT_EQ(loaded.GetTask("T02")->sDescription(), "bell" + r + " esc" + r + " " + r + " end");
    EXPECT_EQ(loaded.GetTask("T02")->sMemo, r + "memo");

    // Bare LF (a hand edit, another tool) becomes CR LF in memory.
    WriteAll(folder.file("twdata.xml"),
        "<tasks><task DueDT=\"--\" Status=\"0\" DueDate=\"--\" DueTime=\"--\" Desc=\"x&#10;y\">p\nq</task></tasks>");
    TaskEngine lf;
    ASSERT_TRUE(lf.LoadCfg());
    ASSERT_EQ(lf.Tasks().Count(), 1);
    EXPECT_EQ(lf.Tasks().At(0)->sDescription(), "x\r\ny");
    EXPECT_EQ(lf.Tasks().At(0)->sMemo, "p\r\nq");
    EXPECT_EQ(lf.Tasks().At(0)->ID, 1);  // no Id: the next free number
}

TEST(DataFile, AnUnreadableTaskIsLeftOutAndTheOthersLoad)
{
    ClockGuard clock(2012, 3, 4);
    ProgramFolderGuard folder;
    const char* good = R"(DueDT="2012-03-05 10:00:00" Status="0" DueDate="3-5" DueTime="10:00" Desc="ok")";
    const char* bad[] = {
        R"(DueDT="2012-02-30 10:00:00" Status="0" DueDate="x" DueTime="x" Desc="no such day")",
        R"(DueDT="2012-03-05 25:00:00" Status="0" DueDate="x" DueTime="x" Desc="no such hour")",
        R"(DueDT="--" CreateDT="昨天" Status="0" DueDate="x" DueTime="x" Desc="bad create")",
        R"(DueDT="--" FinishDT="x" Status="2" DueDate="x" DueTime="x" Desc="bad finish")",
        R"(DueDT="--" Status="完成" DueDate="x" DueTime="x" Desc="status no number")",
        R"(DueDT="--" Status="9" DueDate="x" DueTime="x" Desc="status out of range")",
        R"(DueDT="--" Status="0" DueDate="x" DueTime="x" UseCmd="yes" Desc="bad boolean")",
        R"(DueDT="--" Status="0" Priority="high" DueDate="x" DueTime="x" Desc="bad priority")",
        R"(Status="0" DueDate="x" DueTime="x" Desc="no DueDT")",
        R"(DueDT="--" DueDate="x" DueTime="x" Desc="no Status")",
        R"(DueDT="--" Status="0" DueTime="x" Desc="no DueDate")",
        R"(DueDT="--" Status="0" DueDate="x" Desc="no DueTime")",
        R"(Id="abc" DueDT="--" Status="0" DueDate="x" DueTime="x" Desc="bad id")",
    };
    QByteArray xml = "<tasks>";
    xml += QByteArray("<task Id=\"1\" ") + good + "/>";
    int id = 2;
    for (const char* b : bad) {
        if (!QByteArray(b).startsWith("Id="))
            xml += "<task Id=\"" + QByteArray::number(id++) + "\" ";
        else
            xml += "<task ";
        xml += QByteArray(b) + "/>";
    }
    xml += QByteArray("<task Id=\"99\" ") + good + "/><other Id=\"5\"/></tasks>";
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), xml));

    DataFileXml::Contents contents;
    ASSERT_EQ(DataFile::Read(folder.file("twdata.xml"), contents, nullptr), DataFile::ReadStatus::Ok);
    EXPECT_EQ(contents.skipped, int(std::size(bad)));

    MsgBoxGuard msg;
    TaskEngine engine;
    EXPECT_TRUE(engine.LoadCfg());
    ASSERT_EQ(engine.Tasks().Count(), 2);
    EXPECT_EQ(engine.Tasks().At(0)->Key(), "T01");
    EXPECT_EQ(engine.Tasks().At(1)->Key(), "T99");

    // The next save drops the unreadable tasks, so the original is kept beside it and the user told where.
    const QStringList copies = QDir(folder.path()).entryList({ QStringLiteral("twdata.xml.broken-*") }, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadAll(folder.file(copies[0])), xml);
    EXPECT_EQ(ReadAll(folder.file("twdata.xml")), xml);
    ASSERT_EQ(msg->shown.size(), 1u);
    EXPECT_TRUE(msg->shown[0].text.contains(QStringLiteral("有 %1 个任务无法读取").arg(std::size(bad))));
    EXPECT_TRUE(msg->shown[0].text.contains(copies[0]));
    EXPECT_TRUE(engine.SaveCfg());
    EXPECT_EQ(ReadAll(folder.file(copies[0])), xml);
}

TEST(DataFile, DuplicateNumbersKeepEveryTask)
{
    ProgramFolderGuard folder;
    const char* attrs = R"(DueDT="--" Status="0" DueDate="--" DueTime="--")";
    QByteArray xml = "<tasks>";
    xml += QByteArray("<task Id=\"5\" ") + attrs + " Desc=\"first\"/>";
    xml += QByteArray("<task Id=\"5\" ") + attrs + " Desc=\"second\"/>";
    xml += QByteArray("<task Id=\"05\" ") + attrs + " Desc=\"third\"/>";
    xml += QByteArray("<task Id=\"-3\" ") + attrs + " Desc=\"negative\"/></tasks>";
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), xml));
    TaskEngine engine;
    EXPECT_TRUE(engine.LoadCfg());
    ASSERT_EQ(engine.Tasks().Count(), 4);
    QStringList seen;
    for (const TaskPtr& t : engine.Tasks()) {
        EXPECT_EQ(engine.GetTask(t->Key()), t);
        seen << t->sDescription();
    }
    EXPECT_EQ(seen.join(','), "first,second,third,negative");
    EXPECT_EQ(engine.GetTask("T05")->sDescription(), "first");
}

TEST(DataFileSave, WarnsOncePerStreakOfFailures)
{
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    // A folder that is not there: QSaveFile cannot create its temporary file (this works even as root).
    const QString missing = folder.file("gone");
    AppPaths::SetDataFolder(missing);
    TaskEngine engine;
    FillVaried(engine);
    EXPECT_FALSE(engine.SaveCfg());
    EXPECT_FALSE(engine.SaveCfg());
    EXPECT_FALSE(engine.SaveCfg());
    ASSERT_EQ(box->shown.size(), 1u);
    EXPECT_EQ(box->shown[0].text, "写配置文件失败，请检查文件夹是否可写！");
    EXPECT_EQ(box->shown[0].icon, MsgIcon::Warning);

    ASSERT_TRUE(QDir().mkpath(missing));
    EXPECT_TRUE(engine.SaveCfg());
    EXPECT_EQ(box->shown.size(), 1u);
    EXPECT_EQ(QDir(missing).entryList(QDir::Files | QDir::Hidden), QStringList { "twdata.xml" });  // no leftovers

    // A directory where the file should be: the next failure warns again.
    ASSERT_TRUE(QFile::remove(engine.DataFilePath()));
    ASSERT_TRUE(QDir().mkpath(engine.DataFilePath()));
    EXPECT_FALSE(engine.SaveCfg());
    EXPECT_EQ(box->shown.size(), 2u);
}

TEST(DataFileLoad, AnUnparsableFileIsKeptAsideAndNeverOverwritten)
{
    ClockGuard clock(2013, 1, 2, 3, 4, 5);
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    const QByteArray junk = "<tasks><task Id=\"1\" Desc=\"half";
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), junk));

    TaskEngine engine;
    EXPECT_FALSE(engine.LoadCfg());
    EXPECT_EQ(engine.Tasks().Count(), 0);
    const QString aside = folder.file("twdata.xml.broken-20130102-030405");
    EXPECT_EQ(ReadAll(aside), junk);
    EXPECT_FALSE(QFile::exists(folder.file("twdata.xml")));
    ASSERT_EQ(box->shown.size(), 1u);
    EXPECT_EQ(box->shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(box->shown[0].text.contains(QDir::toNativeSeparators(aside))) << box->shown[0].text.toStdString();

    engine.AddTask(MakeTask(0, QStringLiteral("新任务")));
    EXPECT_TRUE(engine.SaveCfg());
    EXPECT_EQ(ReadAll(aside), junk);

    // Not our document at all, in the same second: a second name beside the first.
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), "<html><body/></html>"));
    TaskEngine other;
    EXPECT_FALSE(other.LoadCfg());
    EXPECT_EQ(ReadAll(aside + "-2"), "<html><body/></html>");
    EXPECT_EQ(ReadAll(aside), junk);

    // An empty file is no data file either.
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), ""));
    TaskEngine empty;
    EXPECT_FALSE(empty.LoadCfg());
    EXPECT_TRUE(QFile::exists(aside + "-3"));
}

TEST(DataFileLoad, WithoutAnyFileTheProgramStartsEmptyAndCreatesTheFileOnSave)
{
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    TaskEngine engine;
    EXPECT_TRUE(engine.LoadCfg());
    EXPECT_EQ(engine.Tasks().Count(), 0);
    EXPECT_EQ(engine.Settings().AutoLock, "0");
    EXPECT_EQ(engine.Settings().ColWidth, "");
    EXPECT_TRUE(box->shown.empty());
    EXPECT_FALSE(QFile::exists(engine.DataFilePath()));
    EXPECT_TRUE(engine.SaveCfg());
    EXPECT_TRUE(QFile::exists(engine.DataFilePath()));
}

TEST(DataFileLoad, SettingsKeepTheirTextsThroughALoadAndASave)
{
    ProgramFolderGuard folder;
    // Values the windows will interpret later, including ones they may not like: all come back untouched.
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"),
        R"(<?xml version="1.0" encoding="UTF-8"?><tasks ver="1" types=";;*" filter="状态=推迟" )"
        R"(ColWidth="1;2;3" unlockpwd="not base64!" autolock="" bgstyle="2" colorstyle="1,2,3"/>)"));
    TaskEngine engine;
    ASSERT_TRUE(engine.LoadCfg());
    const AppSettings s = engine.Settings();
    EXPECT_EQ(s.Types, ";;*");
    EXPECT_EQ(s.AutoLock, "");
    EXPECT_EQ(s.UnlockPwd, "not base64!");
    ASSERT_TRUE(engine.SaveCfg());
    TaskEngine again;
    ASSERT_TRUE(again.LoadCfg());
    const AppSettings t = again.Settings();
    EXPECT_EQ(t.Types, s.Types);
    EXPECT_EQ(t.Filter, "状态=推迟");
    EXPECT_EQ(t.ColWidth, "1;2;3");
    EXPECT_EQ(t.UnlockPwd, s.UnlockPwd);
    EXPECT_EQ(t.AutoLock, "");
    EXPECT_EQ(t.BgStyle, 2);
    EXPECT_EQ(t.ColorStyle, "1,2,3");
}

// An engine on a folder another program holds reads and nothing else: no copy, no file moved aside, no log,
// no save, no question.
TEST(DataFileLoad, AReadOnlyEngineOnlyReads)
{
    const QByteArray task = R"(<task Id="1" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc="a"/>)";
    const QByteArray files[] = { "<tasks><task", "<tasks>" + task + R"(<task Id="2" Status="99"/></tasks>)",
        "<tasks EnableLog=\"true\">" + task + "</tasks>" };
    for (const QByteArray& bytes : files) {
        ProgramFolderGuard folder;
        MsgBoxGuard box;
        ASSERT_TRUE(WriteAll(folder.file(QStringLiteral("twdata.xml")), bytes));
        TaskEngine engine;
        engine.SetReadOnly(true);
        engine.LoadCfg();
        engine.WriteLog(QStringLiteral("x"));
        EXPECT_FALSE(engine.SaveCfg());
        EXPECT_TRUE(box->shown.empty());
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("twdata.xml") });
        EXPECT_EQ(ReadAll(folder.file(QStringLiteral("twdata.xml"))), bytes);
    }
}
