// SPDX-License-Identifier: GPL-3.0-or-later
// The byte scanner against QXmlStreamReader: whatever the scanner reads must come out exactly as the general
// reader has it, and whatever it declines must reach the general reader unchanged.
#include "support/StoreTestUtil.h"

#include "storage/DataFileScanner.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QXmlStreamWriter>

using namespace storetest;

namespace {

// Everything a read yields, as text: the settings and every task as the writer has them, the skipped count.
QByteArray Dump(const DataFileXml::Contents& c)
{
    QByteArray tasks;
    QXmlStreamWriter w(&tasks);
    for (const TaskPtr& t : c.tasks)
        DataFileXml::SaveToXmlElem(*t, w);
    return DataFileXml::Serialize(c.settings, TaskList()) + tasks + "\nskipped " + QByteArray::number(c.skipped);
}

// Reads `xml` with both readers; true when the scanner read it. Parse must answer as QXmlStreamReader does.
bool ExpectSameReading(const QByteArray& xml)
{
    DataFileXml::Contents general, scanned, parsed;
    QString generalError, parsedError;
    const bool generalOk = DataFileXml::ParseWithStreamReader(xml, general, &generalError);
    const bool scannedOk = DataFileScanner::Read(xml, scanned);
    EXPECT_EQ(DataFileXml::Parse(xml, parsed, &parsedError), generalOk);
    EXPECT_EQ(parsedError, generalError);
    EXPECT_EQ(Dump(parsed), Dump(general));
    if (scannedOk) {
        EXPECT_TRUE(generalOk);
        EXPECT_EQ(Dump(scanned), Dump(general));
    } else {
        EXPECT_EQ(Dump(scanned), Dump(DataFileXml::Contents()));
    }
    return scannedOk;
}

const QByteArray kDecl = R"(<?xml version="1.0" encoding="UTF-8"?>)";

QByteArray Doc(const QByteArray& tasks, const QByteArray& rootAttrs = R"( types="a;b")")
{
    return kDecl + "\n<tasks" + rootAttrs + ">\n\t" + tasks + "\n</tasks>\n";
}

QByteArray Task(const QByteArray& attrs, const QByteArray& text = {})
{
    const QByteArray start
        = R"(<task Id="3" DueDT="2012-06-04 10:00:00" Status="0" DueDate="--" DueTime="--" )" + attrs;
    return text.isNull() ? QByteArray(start + "/>") : QByteArray(start + ">" + text + "</task>");
}

QByteArray ManyAttributes()
{
    QByteArray attrs;
    for (int i = 0; i < XmlAttrs::kHashed; ++i)
        attrs += "a" + QByteArray::number(i) + "='" + QByteArray::number(i) + "' ";
    return attrs;
}

}  // namespace

TEST(DataFileScanner, AttributesAreFoundBeyondTheHashTable)
{
    QXmlStreamReader r(R"(<t )" + ManyAttributes() + R"(Desc="d" Id="7"/>)");
    r.readNextStartElement();
    const XmlAttrs attrs(r.attributes());
    ASSERT_EQ(attrs.Count(), XmlAttrs::kHashed + 2);
    for (const char* name : { "a0", "a63", "Desc", "Id" })
        EXPECT_TRUE(attrs.Contains(QLatin1StringView(name))) << name;
    EXPECT_EQ(attrs.Value(QLatin1StringView("Id")), "7");
    EXPECT_TRUE(attrs.Value(QLatin1StringView("a64")).isNull());
}

TEST(DataFileScanner, ReadsWhatQXmlStreamReaderReads)
{
    ClockGuard clock(2012, 6, 3, 8, 0, 0);
    const struct
    {
        const char* name;
        QByteArray xml;
        bool scanned;
    } cases[] = {
        { "entities",
            Doc(Task(R"(Desc="&amp;&lt;&gt;&quot;&apos;&#65;&#x4e2D;&#x1F600;&#0000009;")", "&lt;&#13;&amp;")), true },
        { "whitespace in attributes", Doc(Task("Desc=\"a\tb\nc\r\nd\re \" Type=' x\r'")), true },
        { "line ends in text", Doc(Task("Desc='d'", "1\r\n2\r3\n4&#13;\n5\t&#10;\r")), true },
        { "beyond the BMP",
            Doc(Task("Desc=\"\xF0\x9F\x98\x80\xF0\xA0\x80\x80\"", "\xF4\x8F\xBF\xBF\xEF\xBF\xBD\xC2\x85")), true },
        { "empty text and values", Doc(Task(R"(Desc="" Type="" Cmd='')", "")), true },
        { "only whitespace as text", Doc(Task("Desc='d'", " \n\t")), true },
        { "missing attributes",
            Doc(R"(<task Desc="no id or alarm" DueDT="--" Status="0" DueDate="" DueTime=""/>)"
                R"(<task Id="4" DueDT="--" Status="0" DueTime="x" Desc="no date"/><task/>)"),
            true },
        { "unreadable values", Doc(Task(R"(Desc="d" Priority="x")") + Task(R"(Desc="e" CreateDT="2012-13-01")")),
            true },
        { "markup spacing",
            "<tasks\n\tlang = 'en' filter\t=\"&lt;&gt;\" ><task Id='1' DueDT='--' Status='0'\r\n"
            "DueDate='--' DueTime='--' Desc='&gt;]]&gt;' >a>b</task\n></tasks \t>",
            true },
        { "declarations", "<?xml version='1.0' encoding='utf-8' ?>\r\n<tasks/>", true },
        { "no encoding declared", "<?xml version=\"1.0\"?><tasks ver=\"1\" bgstyle=\"2\" EnableLog=\"true\"/>", true },
        { "no declaration", " \n<tasks/>", true },
        // What the scanner leaves to the general reader.
        { "byte order mark", "\xEF\xBB\xBF" + Doc(Task("Desc='d'")), false },
        { "UTF-16", QByteArray("<\0t\0a\0s\0k\0s\0/\0>\0", 16), false },
        { "other encoding", "<?xml version='1.0' encoding='ISO-8859-1'?><tasks>" + Task("Desc='\xE9'") + "</tasks>",
            false },
        { "version 1.1", "<?xml version='1.1'?><tasks/>", false },
        { "standalone", "<?xml version='1.0' standalone='yes'?><tasks/>", false },
        { "DTD", kDecl + "<!DOCTYPE tasks [<!ENTITY e 'x'>]><tasks types='&e;'/>", false },
        { "comment", Doc("<!-- c -->" + Task("Desc='d'")), false },
        { "comment at the end", "<tasks/><!-- c -->", false },
        { "processing instruction", "<?pi x?><tasks/>", false },
        { "CDATA", Doc(Task("Desc='d'", "<![CDATA[a<b]]>")), false },
        { "nested element", Doc(Task("Desc='d'", "m<a>e</a>mo")), false },
        { "other element", Doc("<other/>" + Task("Desc='d'")), false },
        { "text in the root", Doc("x" + Task("Desc='d'")), false },
        { "another root", "<task/>", false },
        { "redefined attribute", Doc(Task("Desc='d' Desc='e'")), false },
        { "undeclared entity", Doc(Task("Desc='&e;'")), false },
        { "forbidden references", Doc(Task("Desc='&#0;&#xFFFE;&#X41;'")), false },
        { "control character", Doc(Task("Desc='\x01'")), false },
        { "invalid UTF-8", Doc(Task("Desc='\xFF'")), false },
        { "overlong UTF-8", Doc(Task("Desc='d'", "\xC0\xAF")), false },
        { "encoded surrogate", Doc(Task("Desc='\xED\xA0\x80'")), false },
        { "U+FFFF", Doc(Task("Desc='d'", "\xEF\xBF\xBF")), false },
        { "namespaces", Doc(Task("Desc='d' xmlns:p='u' p:Type='t'")), false },
        { "no space between attributes", Doc(Task("Desc='d'Type='t'")), false },
        { "many attributes", Doc(Task(ManyAttributes() + "Desc='d'")), false },
        { "less-than in a value", Doc(Task("Desc='<'")), false },
        { "]]> in text", Doc(Task("Desc='d'", "a]]>b")), false },
        { "truncated", Doc(Task("Desc='d'", "memo")).chopped(12), false },
        { "truncated in a value", Doc(Task("Desc='d'")).left(60), false },
        { "content after the root", "<tasks/>x", false },
        { "empty", "", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExpectSameReading(c.xml), c.scanned);
    }
}

TEST(DataFileScanner, ReadsWhatTheProgramWrites)
{
    ClockGuard clock(2012, 6, 3, 8, 0, 0);
    AppSettings settings;
    settings.Types = "个人;*工作&\"家\"";
    settings.Filter = "<\t>";
    settings.UnlockPwd = "p'w";
    settings.EnableLog = true;
    settings.DesktopNotify = false;
    TaskList list;
    auto t = std::make_shared<CTask>();
    t->SetDescription("第一行\r\n\t第二行 <&> \"引号\" \x01 \xF0\x9F\x98\x80");
    t->sMemo = "备注\r\n\r\n末行\r\r";
    t->sCmd = "echo 'a'\n";
    t->bUseCmd = t->bAutoMemo = true;
    t->sType = "工作";
    t->sUid = "u-1";
    t->dtChangeDT = t->dtCreateDT = MakeInstant(2012, 6, 1, 9, 0, 0);
    t->SetStatus(tsFinished);
    list.AddTask(t);
    list.AddTask(std::make_shared<CTask>());
    EXPECT_TRUE(ExpectSameReading(DataFileXml::Serialize(settings, list)));
}

TEST(DataFileScanner, FixturesAndTheFuzzCorpusReadTheSame)
{
    ClockGuard clock(2012, 6, 3, 8, 0, 0);
    QStringList files { Fixture("windows_written.xml") };
    const QDir corpus(QStringLiteral(TW_SOURCE_DIR "/tests/fuzz/corpus/fuzz_taskstore"));
    for (const QString& name : corpus.entryList(QDir::Files))
        files << corpus.filePath(name);
    ASSERT_GT(files.size(), 5);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        ExpectSameReading(ReadAll(file));
    }
}
