// SPDX-License-Identifier: GPL-3.0-or-later
// Files the program did not write: none may expand, hang, crash, or cost the user the file.
#include "support/StoreTestUtil.h"

#include "engine/TaskEngine.h"
#include "storage/DataFileXml.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include <sys/stat.h>

using namespace storetest;

namespace {

// Loads `bytes` as the data file; expects the load to refuse it and the bytes to be kept aside unchanged.
void ExpectRefusedAndKept(const QByteArray& bytes, qint64 maxMs = 2000)
{
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), bytes));
    QElapsedTimer timer;
    timer.start();
    TaskEngine engine;
    EXPECT_FALSE(engine.LoadCfg());
    EXPECT_LT(timer.elapsed(), maxMs);
    EXPECT_EQ(engine.Tasks().Count(), 0);
    EXPECT_EQ(engine.Settings().Types, "");
    EXPECT_EQ(box->shown.size(), 1u);

    const QStringList aside = QDir(folder.path()).entryList({ "twdata.xml.broken-*" }, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(ReadAll(folder.file(aside[0])) == bytes);
    // The next save writes a fresh file and leaves the old data alone.
    EXPECT_TRUE(engine.SaveCfg());
    EXPECT_TRUE(ReadAll(folder.file(aside[0])) == bytes);
}

}  // namespace

TEST(DataFileHostile, ExternalEntitiesAreNeverResolved)
{
    const QByteArray xxe = R"(<?xml version="1.0"?>
<!DOCTYPE tasks [<!ENTITY secret SYSTEM "file:///etc/passwd">]>
<tasks types="&secret;"><task Id="1" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc="&secret;"/></tasks>)";
    ExpectRefusedAndKept(xxe);

    // Without a DTD an entity reference is undeclared and the document is not well-formed.
    ExpectRefusedAndKept(R"(<tasks types="&secret;"/>)");

    DataFileXml::Contents contents;
    QString error;
    EXPECT_FALSE(DataFileXml::Parse(xxe, contents, &error));
    EXPECT_TRUE(error.contains("DTD"));
}

TEST(DataFileHostile, ABillionLaughsDoesNotExpand)
{
    QByteArray doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE tasks [\n<!ENTITY lol0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        doc += "<!ENTITY lol" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            doc += "&lol" + QByteArray::number(i - 1) + ";";
        doc += "\">\n";
    }
    doc += "]>\n<tasks types=\"&lol9;\"><task Id=\"1\" DueDT=\"--\" Status=\"0\" DueDate=\"--\" DueTime=\"--\" "
           "Desc=\"&lol9;\">&lol9;</task></tasks>\n";
    ExpectRefusedAndKept(doc, 1000);
}

// How fast such a file loads is measured in bench/, not here.
TEST(DataFileHostile, AFiftyMegabyteAttributeLoads)
{
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    const int size = 50 * 1024 * 1024;
    QByteArray doc;
    doc.reserve(size + 512);
    doc += R"(<?xml version="1.0" encoding="UTF-8"?><tasks types="x"><task Id="1" DueDT="--" Status="0" )"
           R"(DueDate="--" DueTime="--" Desc=")";
    doc += QByteArray(size, 'a');
    doc += "\"/><task Id=\"2\" DueDT=\"--\" Status=\"0\" DueDate=\"--\" DueTime=\"--\" Desc=\"small\"/></tasks>";
    ASSERT_TRUE(WriteAll(folder.file("twdata.xml"), doc));
    doc.clear();

    TaskEngine engine;
    ASSERT_TRUE(engine.LoadCfg());
    ASSERT_EQ(engine.Tasks().Count(), 2);
    EXPECT_EQ(engine.GetTask("T01")->sDescription().size(), size);
    EXPECT_EQ(engine.GetTask("T02")->sDescription(), "small");
    EXPECT_TRUE(box->shown.empty());
}

TEST(DataFileHostile, ATruncatedFileIsRefusedAtEveryCut)
{
    ClockGuard clock(2012, 6, 3);
    QByteArray whole;
    {
        ProgramFolderGuard folder;
        TaskEngine engine;
        for (int i = 0; i < 20; ++i) {
            auto t = std::make_shared<CTask>();
            t->SetDescription(QStringLiteral("任务 %1\r\n第二行").arg(i));
            t->sMemo = QStringLiteral("备注");
            t->sDueDate = t->sDueTime = QStringLiteral("--");
            engine.AddTask(t);
        }
        ASSERT_TRUE(engine.SaveCfg());
        whole = ReadAll(engine.DataFilePath());
    }
    // Every cut except the one after the closing tag (only the final newline lost).
    const QByteArray closing = "</tasks>";
    const qsizetype last = whole.lastIndexOf(closing) + closing.size();
    for (qsizetype cut :
        { qsizetype(1), qsizetype(39), qsizetype(60), whole.size() / 3, whole.size() / 2, last - 1, last - 8 }) {
        SCOPED_TRACE(cut);
        ExpectRefusedAndKept(whole.left(cut));
    }
}

// ~80,000 levels inside a task crashed every start (a recursive read of the element text), and so did the
// same depth elsewhere in the file; any depth is now refused like every other unreadable file.
TEST(DataFileHostile, DeepNestingIsRefusedNotACrash)
{
    const QByteArray task = R"(<tasks><task Id="1" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc="x">)";
    for (const int depth : { 65, 80000 }) {
        ExpectRefusedAndKept(
            task + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth) + "</task></tasks>");
        ExpectRefusedAndKept(
            "<tasks>" + QByteArray("<b>").repeated(depth) + QByteArray("</b>").repeated(depth) + "</tasks>");
    }
    // A little nesting in a memo is still read, its text kept.
    DataFileXml::Contents contents;
    ASSERT_TRUE(DataFileXml::Parse(task + "m<a>e<b>m</b></a>o</task></tasks>", contents, nullptr));
    ASSERT_EQ(contents.tasks.size(), 1u);
    EXPECT_EQ(contents.tasks[0]->sMemo, QStringLiteral("memo"));
}

// A file holding the highest number left no number for a duplicate or negative one: those tasks were dropped
// without a word and the next save deleted them. They now get the lowest free numbers.
TEST(DataFileHostile, TasksNextToTheHighestNumberAreNumberedNotDropped)
{
    ProgramFolderGuard folder;
    MsgBoxGuard box;
    QByteArray xml = "<tasks>";
    for (const char* id : { "2147483647", "1", "2147483647", "-4", "1" })
        xml += QByteArray("<task Id=\"") + id + R"(" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc=")" + id
            + "\"/>";
    ASSERT_TRUE(WriteAll(folder.file(QStringLiteral("twdata.xml")), xml + "</tasks>"));
    TaskEngine engine;
    EXPECT_TRUE(engine.LoadCfg());
    QStringList keys;
    for (const TaskPtr& t : engine.Tasks())
        keys << t->Key() + QLatin1Char('=') + t->sDescription();
    EXPECT_EQ(keys.join(QLatin1Char(' ')), QStringLiteral("T2147483647=2147483647 T01=1 T02=2147483647 T03=-4 T04=1"));
    EXPECT_TRUE(box->shown.empty());
    ASSERT_TRUE(engine.SaveCfg());
    TaskEngine again;
    EXPECT_TRUE(again.LoadCfg());
    EXPECT_EQ(again.Tasks().Count(), 5);
}

// A pipe or a device in the data file's place is neither read (it would block or never end), nor moved aside,
// nor replaced by a save.
TEST(DataFileHostile, APipeOrADeviceIsRefusedAndLeftInPlace)
{
    const std::function<bool(const QString&)> makers[] = {
        [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
        [](const QString& path) { return QFile::link(QStringLiteral("/dev/zero"), path); },
    };
    for (const auto& make : makers) {
        ProgramFolderGuard folder;
        MsgBoxGuard box;
        const QString data = folder.file("twdata.xml");
        ASSERT_TRUE(make(data));
        TaskEngine engine;
        EXPECT_FALSE(engine.LoadCfg());
        ASSERT_EQ(box->shown.size(), 1u);
        EXPECT_TRUE(box->shown[0].text.contains(QStringLiteral("不是普通文件"))) << box->shown[0].text.toStdString();
        EXPECT_FALSE(engine.SaveCfg());
        EXPECT_FALSE(QFileInfo(data).isFile());
        EXPECT_TRUE(QDir(folder.path()).entryList({ "twdata.xml.broken-*" }, QDir::System | QDir::Files).isEmpty());
    }
}
