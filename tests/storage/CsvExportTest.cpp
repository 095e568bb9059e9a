// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/StoreTestUtil.h"

#include "storage/CsvExport.h"
#include "support/TestEnv.h"

#include <sys/stat.h>

using namespace storetest;

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";
const QString kHeader = QStringLiteral(
    "任务描述,类别,发生日期,发生时间,任务状态,优先级,创建时间,生效时间,失效时间,到期时间,提醒时间,预计用时,实际用时");

TaskPtr Task(const QString& desc)
{
    auto t = std::make_shared<CTask>();
    t->SetDescription(desc);
    t->sDueDate = QStringLiteral("明天");
    t->sDueTime = QStringLiteral("10:00");
    t->dtCreateDT = MakeInstant(2012, 6, 1, 8, 0, 0);
    t->dtStartDT = t->dtCreateDT;
    t->dtDueDT = MakeInstant(2012, 6, 4, 10, 0, 0);
    t->dtAlarmDT = MakeInstant(2012, 6, 4, 9, 55, 0);
    t->ePriority = tpHigh;
    return t;
}

}  // namespace

TEST(CsvExport, WithoutTasksOnlyTheHeader)
{
    TaskList tasks;
    EXPECT_EQ(CsvText(tasks), kBom + kHeader.toUtf8() + "\r\n");
}

TEST(CsvExport, OneLineOfThirteenFieldsPerTask)
{
    ClockGuard clock(2012, 6, 3, 12, 0, 0);
    TaskList tasks;
    auto plain = Task(QStringLiteral("写周报"));
    tasks.AddTask(plain);
    auto typed = Task(QStringLiteral("第一行\r\n第二行"));
    typed->sType = QStringLiteral("工作");
    typed->dtValidFromDT = MakeInstant(2012, 1, 1);
    typed->dtValidToDT = MakeInstant(2012, 12, 31, 23, 59, 59);
    typed->SetStatus(tsFinished);
    tasks.AddTask(typed);

    const QByteArray bytes = CsvText(tasks);
    ASSERT_TRUE(bytes.startsWith(kBom));
    const QString text = QString::fromUtf8(bytes.mid(3));
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 5);  // header, plain, two lines of the second task, and the empty rest
    EXPECT_EQ(lines[0], kHeader);
    // No category: two commas after the quoted description; no valid period: "--" twice.
    EXPECT_EQ(lines[1],
        "\"写周报\",,\"明天\",\"10:00\",未发生,高,2012-06-01 08:00:00,--,--,2012-06-04 10:00:00,"
        "2012-06-04 09:55:00,"
            + plain->PlanedTime() + ',' + plain->SpentTime());
    EXPECT_EQ(lines[2], "\"第一行");
    EXPECT_TRUE(lines[3].startsWith("第二行\",工作,\"明天\",\"10:00\",已完成,高,2012-06-01 08:00:00,"
                                    "2012-01-01 00:00:00,2012-12-31 23:59:59,"));
}

TEST(CsvExport, QuotesAndCommasAreQuotedTheRfcWay)
{
    TaskList tasks;
    auto t = Task(QStringLiteral("他说\"你好\"，然后, 走了"));
    t->sType = QStringLiteral("a,b");
    t->sDueDate = QStringLiteral("每月\"1\"日");
    tasks.AddTask(t);
    auto q = Task(QStringLiteral("x"));
    q->sType = QStringLiteral("say \"hi\"");
    tasks.AddTask(q);

    const QString text = QString::fromUtf8(CsvText(tasks).mid(3));
    EXPECT_TRUE(text.contains("\"他说\"\"你好\"\"，然后, 走了\",\"a,b\",\"每月\"\"1\"\"日\",\"10:00\","));
    EXPECT_TRUE(text.contains("\"x\",\"say \"\"hi\"\"\",\"明天\""));
}

TEST(CsvExport, WritesTheFileOrReportsWhyNot)
{
    ProgramFolderGuard folder;
    TaskList tasks;
    tasks.AddTask(Task(QStringLiteral("一")));
    const QString path = folder.file("任务提醒列表 2012-06-03.csv");
    QString error;
    ASSERT_TRUE(ExportCsv(tasks, path, &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(path), CsvText(tasks));
    // Replacing an existing file.
    tasks.AddTask(Task(QStringLiteral("二")));
    ASSERT_TRUE(ExportCsv(tasks, path, &error));
    EXPECT_EQ(ReadAll(path), CsvText(tasks));

    EXPECT_FALSE(ExportCsv(tasks, folder.file("no/such/folder/x.csv"), &error));
    EXPECT_FALSE(error.isEmpty());
}

// A spreadsheet would run these as formulas; typed text gets an apostrophe, the program's own columns do not.
TEST(CsvExport, TypedTextThatLooksLikeAFormulaStaysText)
{
    const struct
    {
        const char16_t* typed;
        const char16_t* field;
    } cases[] = {
        { u"=HYPERLINK(\"http://x\")", u"'=HYPERLINK(\"\"http://x\"\")" },
        { u"+1", u"'+1" },
        { u"-2+3", u"'-2+3" },
        { u"@SUM(A1)", u"'@SUM(A1)" },
        { u"a=b", u"a=b" },
    };
    for (const auto& c : cases) {
        TaskList tasks;
        auto t = Task(QString::fromUtf16(c.typed));
        t->sType = QString::fromUtf16(c.typed);
        t->sDueDate = QStringLiteral("--");
        tasks.AddTask(t);
        const QString line = QString::fromUtf8(CsvText(tasks).mid(3)).split(QStringLiteral("\r\n")).value(1);
        const QString field = QString::fromUtf16(c.field);
        const QString type = field.contains(QLatin1Char('"')) ? QLatin1Char('"') + field + QLatin1Char('"') : field;
        EXPECT_TRUE(
            line.startsWith(QLatin1Char('"') + field + QStringLiteral("\",") + type + QStringLiteral(",\"--\",")))
            << line.toStdString();
    }
}

TEST(CsvExport, RefusesSpecialFilesAndTheDataFile)
{
    ProgramFolderGuard folder;
    TaskList tasks;
    tasks.AddTask(Task(QStringLiteral("一")));
    const QString fifo = folder.file(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString data = folder.file(QStringLiteral("twdata.xml"));
    ASSERT_TRUE(WriteAll(data, "<tasks/>"));
    const QString link = folder.file(QStringLiteral("link.csv"));
    ASSERT_TRUE(QFile::link(data, link));
    for (const QString& target : { fifo, QStringLiteral("/dev/null"), folder.path(), link, data }) {
        QString error;
        EXPECT_FALSE(ExportCsv(tasks, target, &error, data)) << target.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());  // still the FIFO
    EXPECT_EQ(ReadAll(data), "<tasks/>");
}
