// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "base/AppPaths.h"
#include "engine/TaskEngine.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two tasks saved by the engine into a fresh folder.
void WriteData(const QString& folder)
{
    ProgramFolderGuard guard;
    AppPaths::SetDataFolder(folder);
    TaskEngine engine;
    auto a = std::make_shared<CTask>();
    a->SetDescription(QStringLiteral("写周报\t本周\r\n第二行"));
    a->dtAlarmDT = MakeInstant(2012, 6, 4, 9, 55, 0);
    a->sDueDate = QStringLiteral("明天");
    a->sDueTime = QStringLiteral("10:00");
    engine.AddTask(a);
    auto b = std::make_shared<CTask>();
    b->SetDescription(QStringLiteral("已取消的, 带逗号"));
    b->SetStatus(tsCancelled);
    b->sDueDate = b->sDueTime = QStringLiteral("--");
    engine.AddTask(b);
    ASSERT_TRUE(engine.SaveCfg());
}

}  // namespace

TEST(CliData, ListPrintsOneLinePerTaskAndNeverWrites)
{
    QTemporaryDir dir;
    WriteData(dir.path());
    const QString data = QDir(dir.path()).filePath("twdata.xml");
    const QByteArray before = ReadAll(data);
    const QDateTime stamp = QFileInfo(data).lastModified();

    const CliRun r = Cli({ "list", "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
        "T01\t未发生\t2012-06-04 09:55:00\t明天\t10:00\t写周报 本周 第二行\n"  // a tab in a field shifts no column
        "T02\t已取消\t--\t--\t--\t已取消的, 带逗号\n");
    EXPECT_EQ(ReadAll(data), before);
    EXPECT_EQ(QFileInfo(data).lastModified(), stamp);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "twdata.xml" });
}

TEST(CliData, ExportWritesTheCsv)
{
    QTemporaryDir dir;
    WriteData(dir.path());
    const QString csv = QDir(dir.path()).filePath("out.csv");
    const CliRun r = Cli({ "export", csv, "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray bytes = ReadAll(csv);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF任务描述,类别,"));
    EXPECT_TRUE(bytes.contains("\r\n\"写周报\t本周\r\n第二行\",,\"明天\",\"10:00\",未发生,"));
    EXPECT_TRUE(bytes.contains("\r\n\"已取消的, 带逗号\",,\"--\",\"--\",已取消,"));
}

TEST(CliData, BadInputGetsAMessageAndChangesNothing)
{
    QTemporaryDir dir;
    CliRun r = Cli({ "list", "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("找不到数据文件"));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("twdata.xml")));

    r = Cli({ "list", "--data-dir", QDir(dir.path()).filePath("nowhere") });
    EXPECT_EQ(r.code, 2);
    r = Cli({ "list", "--data-dir" });
    EXPECT_EQ(r.code, 2);

    // A broken data file is reported and left exactly where and as it is.
    const QString data = QDir(dir.path()).filePath("twdata.xml");
    QFile f(data);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<tasks><task");
    f.close();
    r = Cli({ "export", QDir(dir.path()).filePath("x.csv"), "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("无法读取"));
    EXPECT_EQ(ReadAll(data), "<tasks><task");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { "twdata.xml" });

    WriteData(dir.path());
    r = Cli({ "export", "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 2);
    r = Cli({ "export", data, "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 2);
    r = Cli({ "export", QDir(dir.path()).filePath("no/such/x.csv"), "--data-dir", dir.path() });
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("出错: "));
}

namespace {

// tickwell-cli in a private account: HOME and the XDG folders lie under `root`.
CliRun CliAt(const QString& root, const QStringList& args)
{
    return RunProgram(QStringLiteral(TW_CLI_PATH), args, PrivateAccountEnv(root, false));
}

}  // namespace

// Without --data-dir the tool reads the file the program writes: the per-user data folder.
TEST(CliData, WithoutAnOptionReadsThePerUserDataFolder)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("share/Tickwell"));
    CliRun r = CliAt(root.path(), { QStringLiteral("list") });
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(folder))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder));  // a reader creates nothing

    ASSERT_TRUE(QDir().mkpath(folder));
    WriteData(folder);
    r = CliAt(root.path(), { QStringLiteral("list") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("T01\t"))) << r.out.toStdString();
}

TEST(CliData, OptionsAndTargetsThatAreRefused)
{
    QTemporaryDir dir;
    WriteData(dir.path());
    const QString data = QDir(dir.path()).filePath(QStringLiteral("twdata.xml"));
    const QByteArray before = ReadAll(data);
    const QString linkToData = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_TRUE(QFile::link(data, linkToData));
    const QString linkedDir = dir.path() + QStringLiteral("-link");
    ASSERT_TRUE(QFile::link(dir.path(), linkedDir));
    const QString fifo = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const QString ex = QStringLiteral("export"), li = QStringLiteral("list"), dd = QStringLiteral("--data-dir");
    const struct
    {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        { { li, QStringLiteral("--data-dir=") }, 2, "--data-dir" },
        { { li, dd }, 2, "--data-dir" },
        { { li, dd, dir.filePath(QStringLiteral("nowhere")) }, 2, "数据文件夹不存在" },
        { { ex, linkToData, dd, dir.path() }, 2, "数据文件" },
        { { ex, QStringLiteral("twdata.xml"), dd, linkedDir }, 2, "数据文件" },
        { { ex, data, dd, linkedDir }, 2, "数据文件" },
        { { ex, fifo, dd, dir.path() }, 1, "不是普通文件" },
        { { ex, QStringLiteral("/dev/null"), dd, dir.path() }, 1, "不是普通文件" },
    };
    for (const auto& c : cases) {
        RealProgram cli(QStringLiteral(TW_CLI_PATH));
        cli.Process().setWorkingDirectory(linkedDir);
        const ProgramRun r = cli.Run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
    }
    EXPECT_EQ(ReadAll(data), before);
    EXPECT_TRUE(QFileInfo(linkToData).isSymLink());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists() && !QFileInfo(QStringLiteral("/dev/null")).isFile());
}

// Tasks that cannot be read are not silently missing: the rest is printed or exported, stderr says how many
// were left out, and the exit code is 1.
TEST(CliData, UnreadableTasksAreCountedOnStderr)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("twdata.xml"));
    QFile f(data);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"(<tasks><task Id="1" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc="好的"/>)"
            R"(<task Id="2" DueDT="--" Status="99" DueDate="--" DueTime="--" Desc="坏的"/>)"
            R"(<task Id="3" DueDT="坏" Status="0" DueDate="--" DueTime="--" Desc="也坏"/></tasks>)");
    f.close();
    const QString csv = dir.filePath(QStringLiteral("x.csv"));
    for (const QStringList& args :
        { QStringList { QStringLiteral("list") }, QStringList { QStringLiteral("export"), csv } }) {
        const CliRun r = Cli(args + QStringList { QStringLiteral("--data-dir"), dir.path() });
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("有 2 个任务无法读取"))) << r.err.toStdString();
    }
    EXPECT_TRUE(ReadAll(csv).contains("好的"));
    EXPECT_TRUE(
        Cli({ QStringLiteral("list"), QStringLiteral("--data-dir"), dir.path() }).out.contains(QStringLiteral("好的")));
}

// A pipe, a device or a folder where the data file or the calendar goes is refused at once and left in place;
// reading it would block for ever (a pipe nobody writes, a terminal) or never end (/dev/zero).
TEST(CliData, FilesThatAreNotRegularAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("twdata.xml"));
    const QString ics = dir.filePath(QStringLiteral("a.ics"));
    QFile calendar(ics);
    ASSERT_TRUE(calendar.open(QIODevice::WriteOnly));
    calendar.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    calendar.close();
    const auto fifo = [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; };
    const auto link = [](const QString& to) { return [to](const QString& path) { return QFile::link(to, path); }; };
    const auto folder = [](const QString& path) { return QDir().mkdir(path); };
    const std::function<bool(const QString&)> makers[]
        = { fifo, link(QStringLiteral("/dev/zero")), link(QStringLiteral("/dev/tty")), folder };
    const QString dd = QStringLiteral("--data-dir");
    const QList<QStringList> commands = { { QStringLiteral("list"), dd, dir.path() },
        { QStringLiteral("add"), QStringLiteral("任务"), QStringLiteral("--time"), QStringLiteral("1小时后"), dd,
            dir.path() },
        { QStringLiteral("export"), QStringLiteral("--ical"), dir.filePath(QStringLiteral("o.ics")), dd, dir.path() },
        { QStringLiteral("import"), ics, dd, dir.path() } };
    for (const auto& make : makers) {
        ASSERT_TRUE(make(data));
        for (const QStringList& args : commands) {
            const ProgramRun r = RealProgram(QStringLiteral(TW_CLI_PATH)).Run(args, 10000);
            EXPECT_EQ(r.code, 1) << args.join(u' ').toStdString();
            EXPECT_TRUE(r.err.contains(QStringLiteral("不是普通文件"))) << r.err.toStdString();
        }
        // The calendar to import is refused the same way.
        const QString pipe = dir.filePath(QStringLiteral("p.ics"));
        ASSERT_TRUE(make(pipe));
        const ProgramRun r = RealProgram(QStringLiteral(TW_CLI_PATH)).Run({ QStringLiteral("import"), pipe }, 10000);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("不是普通文件"))) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo(data).isFile());
        EXPECT_TRUE(QFileInfo(data).isDir() ? QDir().rmdir(data) : QFile::remove(data));
        EXPECT_TRUE(QFileInfo(pipe).isDir() ? QDir().rmdir(pipe) : QFile::remove(pipe));
    }
    // A link to a regular file is that file.
    WriteData(dir.path());
    ASSERT_TRUE(QFile::rename(data, dir.filePath(QStringLiteral("real.xml"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("real.xml")), data));
    const ProgramRun r = Cli({ QStringLiteral("list"), dd, dir.path() });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("写周报"))) << r.out.toStdString();
}
