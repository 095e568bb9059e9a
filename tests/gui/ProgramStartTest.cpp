// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as users and the desktop start it: where its data goes, its command line, and
// termination requests at awkward moments of start-up and quit.
#include "support/RealProgram.h"
#include "support/TestEnv.h"
#include "support/TestText.h"
#include "support/Wait.h"
#include "sync/SyncState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

#include <sys/stat.h>

#ifndef TW_APP_PATH
#error "TW_APP_PATH must name the tickwell executable"
#endif

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const QByteArray kTask = R"(<task Id="1" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc="留着我"/>)";

// The program in a private account under `root`: HOME and the XDG folders lie there, nothing of the user's.
struct Program : RealProgram
{
    explicit Program(const QString& root, bool display = true, const QString& path = QStringLiteral(TW_APP_PATH))
        : RealProgram(path, PrivateAccountEnv(root, display))
    {
    }
};

}  // namespace

TEST(ProgramStart, HelpAndVersionNeedNoDisplayAndBadOptionsExitTwo)
{
    QTemporaryDir root;
    const struct
    {
        QStringList args;
        int code;
        const char* out;
        const char* err;
    } cases[] = {
        { { QStringLiteral("--help") }, 0, "--data-dir DIR", "" },
        { { QStringLiteral("-m"), QStringLiteral("--version") }, 0, "(Tickwell)", "" },
        { { QStringLiteral("--bogus") }, 2, "", "未知选项：--bogus" },
        { { QStringLiteral("--data-dir=") }, 2, "", "--data-dir" },
        { { QStringLiteral("--data-dir") }, 2, "", "--data-dir" },
    };
    for (const auto& c : cases) {
        Program app(root.path(), false);
        EXPECT_EQ(app.Run(c.args).code, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        const QString out = app.Out(), err = app.Err();
        EXPECT_TRUE(out.contains(Q(c.out))) << out.toStdString();
        EXPECT_TRUE(err.contains(Q(c.err))) << err.toStdString();
        if (c.code == 2) {
            EXPECT_TRUE(err.contains(Q("用法"))) << err.toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("share/Tickwell"))));
}

// Where the data goes: the per-user folder for a built or installed program (a make clean never takes the
// tasks along), the program's own folder for a portable copy that has its twdata.xml beside it, and a
// --data-dir folder that does not exist yet is made.
TEST(ProgramStart, TheDataFolderRule)
{
    QTemporaryDir root;
    const QString portable = root.filePath(QStringLiteral("portable"));
    ASSERT_TRUE(QDir().mkpath(portable));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_APP_PATH), portable + QStringLiteral("/tickwell")));
    QFile::setPermissions(portable + QStringLiteral("/tickwell"), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(WriteAll(portable + QStringLiteral("/twdata.xml"), "<tasks>" + kTask + "</tasks>"));
    const QString besideBuilt = QFileInfo(QStringLiteral(TW_APP_PATH)).absolutePath() + QStringLiteral("/twdata.xml");
    ASSERT_FALSE(QFileInfo::exists(besideBuilt))
        << "a twdata.xml beside the built program makes it a portable copy; remove " << besideBuilt.toStdString();

    const QString made = root.filePath(QStringLiteral("a/b/c"));
    const struct
    {
        QString program;
        QStringList args;
        QString folder;
    } cases[] = {
        { QStringLiteral(TW_APP_PATH), {}, root.filePath(QStringLiteral("share/Tickwell")) },
        { portable + QStringLiteral("/tickwell"), {}, portable },
        { QStringLiteral(TW_APP_PATH), { QStringLiteral("--data-dir"), made }, made },
    };
    for (const auto& c : cases) {
        Program app(root.path(), true, c.program);
        ASSERT_TRUE(app.Start(c.args));
        const QString data = c.folder + QStringLiteral("/twdata.xml");
        ASSERT_TRUE(WaitUntilUp(root.path())) << c.folder.toStdString() << app.Err().toStdString();
        EXPECT_TRUE(QFileInfo::exists(c.folder + QStringLiteral("/twdata.lock")));
        // Nothing rang: the media stack is a module loaded by the first ring, not a library of the program.
        const QByteArray maps = ReadAll(QStringLiteral("/proc/%1/maps").arg(app.Pid()));
        EXPECT_TRUE(maps.contains("libQt6Widgets"));
        EXPECT_FALSE(maps.contains("libQt6Multimedia"));
        EXPECT_EQ(app.Terminate(), 0) << app.Err().toStdString();
        EXPECT_TRUE(ReadAll(data).contains("<tasks")) << data.toStdString();
        EXPECT_FALSE(QFileInfo::exists(c.folder + QStringLiteral("/twdata.lock")));
    }
    EXPECT_TRUE(ReadAll(portable + QStringLiteral("/twdata.xml")).contains("留着我"));
    EXPECT_FALSE(QFileInfo::exists(besideBuilt));
}

// The web engine comes with the first page, not at start: a run that shows no page never maps it.
TEST(ProgramStart, TheWebEngineWaitsForTheFirstPage)
{
    const QString module
        = QFileInfo(QStringLiteral(TW_APP_PATH)).absolutePath() + QStringLiteral("/libtickwell_pagehost.so");
    if (!QFileInfo::exists(module))
        GTEST_SKIP() << "built without the page host";
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("data"));
    Program app(root.path());
    ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), folder }));
    ASSERT_TRUE(WaitUntilUp(root.path())) << app.Err().toStdString();
    const QByteArray maps = ReadAll(QStringLiteral("/proc/%1/maps").arg(app.Pid()));
    EXPECT_TRUE(maps.contains("libQt6Widgets")) << "not the program's map";
    EXPECT_FALSE(maps.contains("WebEngine"));
    EXPECT_FALSE(maps.contains("tickwell_pagehost"));
    EXPECT_EQ(app.Terminate(), 0) << app.Err().toStdString();
}

// A termination request while a start-up message box waits for an answer ends the program, saving what was
// loaded: the box is not left to hold it up.
TEST(ProgramStart, SigtermDuringAStartUpMessageBoxEndsTheProgram)
{
    const struct
    {
        QByteArray file;
        const char* kept;  // what the saved file must still hold
    } cases[] = {
        { "<tasks><task", "<tasks" },  // unreadable: moved aside, the box says where
        { "<tasks>" + kTask + R"(<task Id="2" Status="99" Desc="坏"/></tasks>)", "留着我" },  // one task skipped
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        const QString data = root.filePath(QStringLiteral("twdata.xml"));
        ASSERT_TRUE(WriteAll(data, c.file));
        Program app(root.path());
        ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), root.path() }));
        // The broken copy is made just before the box opens.
        ASSERT_TRUE(
            WaitFor([&] { return !QDir(root.path()).entryList({ QStringLiteral("twdata.xml.broken-*") }).isEmpty(); }));
        QThread::msleep(700);
        EXPECT_EQ(app.Terminate(), 0) << app.Err().toStdString();
        EXPECT_TRUE(ReadAll(data).contains(c.kept)) << ReadAll(data).toStdString();
    }
}

// A quit save that fails when nobody is there to answer a box (a signal, the session ending): the failure goes
// to stderr and the program ends.
TEST(ProgramStart, SigtermWhileTheQuitSaveFailsStillEnds)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("data"));
    Program app(root.path());
    ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), folder }));
    ASSERT_TRUE(WaitUntilUp(root.path())) << app.Err().toStdString();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(app.Terminate(), 0);
    EXPECT_TRUE(app.Err().contains(Q("写配置文件失败")));
}

// Two programs on one data folder: the second neither reminds nor saves, so a due task fires once and the
// first program's file is not overwritten.
TEST(ProgramStart, ASecondProgramOnALockedFolderNeitherScansNorSaves)
{
    QTemporaryDir root;
    const QString data = root.filePath(QStringLiteral("twdata.xml"));
    const QString log = root.filePath(QStringLiteral("tickwell.log"));
    const QString due = QDateTime::currentDateTime().addSecs(4).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    ASSERT_TRUE(WriteAll(data,
        QStringLiteral(R"(<tasks EnableLog="true"><task Id="1" DueDT="%1" AlarmDT="%1" Status="0" DueDate="--" )"
                       R"(DueTime="--" AutoFinish="true" Desc="只提醒一次"/></tasks>)")
            .arg(due)
            .toUtf8()));
    const QStringList args { QStringLiteral("--data-dir"), root.path() };
    Program first(root.path()), second(root.path());
    second.SetEnv(QStringLiteral("TW_TEST_ANSWERS"), QStringLiteral("no"));  // "activate the other one?" — no
    ASSERT_TRUE(first.Start(args));
    ASSERT_TRUE(WaitUntilUp(root.path(), 0));
    ASSERT_TRUE(second.Start(args));
    ASSERT_TRUE(WaitUntilUp(root.path(), 1));

    ASSERT_TRUE(WaitFor([&] { return ReadAll(data).contains("Status=\"2\""); }));
    QThread::msleep(1500);
    EXPECT_EQ(first.Terminate(), 0);
    const QByteArray saved = ReadAll(data);
    EXPECT_EQ(second.Terminate(), 0);
    EXPECT_EQ(ReadAll(data), saved);
    EXPECT_EQ(ReadAll(log).count("已完成 - T01"), 1) << ReadAll(log).toStdString();
    EXPECT_TRUE(second.Err().contains(Q("只读"))) << second.Err().toStdString();

    // A holder killed outright leaves its lock behind; the next program takes it over and saves.
    Program killed(root.path()), next(root.path());
    ASSERT_TRUE(killed.Start(args));
    ASSERT_TRUE(WaitUntilUp(root.path()));
    killed.Kill();
    ASSERT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("twdata.lock"))));
    ASSERT_TRUE(next.Start(args));
    const QString lock = root.filePath(QStringLiteral("twdata.lock"));
    ASSERT_TRUE(WaitUntilUp(root.path()));
    EXPECT_TRUE(ReadAll(lock).startsWith(QByteArray(QByteArray::number(next.Pid()) + "\n")));
    const QDateTime before = QFileInfo(data).lastModified();
    EXPECT_EQ(next.Terminate(), 0);
    EXPECT_NE(QFileInfo(data).lastModified(), before);
    EXPECT_TRUE(ReadAll(data).contains("只提醒一次"));
    EXPECT_FALSE(next.Err().contains(Q("只读"))) << next.Err().toStdString();
}

// A pipe or a device where the data file goes would hold the start for ever, out of reach of SIGTERM: the
// program says so and ends; while its message waits for an answer, SIGTERM ends it.
TEST(ProgramStart, ADataFileThatIsNotRegularEndsTheStart)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString data = folder + QStringLiteral("/twdata.xml");
    const auto fifo = [&] { return ::mkfifo(QFile::encodeName(data).constData(), 0600) == 0; };
    const auto zero = [&] { return QFile::link(QStringLiteral("/dev/zero"), data); };
    for (const auto& make : { std::function<bool()>(fifo), std::function<bool()>(zero) }) {
        ASSERT_TRUE(make());
        Program answered(root.path());
        answered.SetEnv(QStringLiteral("TW_TEST_ANSWERS"), QStringLiteral("ok"));
        const ProgramRun r = answered.Run({ QStringLiteral("--data-dir"), folder }, 10000);
        EXPECT_EQ(r.code, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(Q("不是普通文件"))) << r.err.toStdString();

        Program waiting(root.path());
        ASSERT_TRUE(waiting.Start({ QStringLiteral("--data-dir"), folder }));
        ASSERT_TRUE(WaitFor([&] { return waiting.Err().contains(Q("不是普通文件")); }, 10000));
        EXPECT_NE(waiting.Terminate(), -1);
        EXPECT_FALSE(QFileInfo(data).isFile());
        ASSERT_TRUE(QFile::remove(data));
    }
}

// Started from cron, ssh or su there is no runtime folder in the session: the program takes the one tickwell-cli
// takes there, and says nothing about it.
TEST(ProgramStart, WithoutARuntimeFolderItIsQuietAndReachable)
{
    QTemporaryDir root;
    const QString tmp = root.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(tmp));
    Program app(root.path());
    QProcessEnvironment env = app.Process().processEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("TMPDIR"), tmp);
    app.Process().setProcessEnvironment(env);
    ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), root.filePath(QStringLiteral("data")) }));
    QStringList made;
    ASSERT_TRUE(
        WaitFor([&] { return !(made = QDir(tmp).entryList({ QStringLiteral("runtime-*") }, QDir::Dirs)).isEmpty(); }));
    ASSERT_TRUE(WaitUntilUp(QDir(tmp).filePath(made.first())));
    EXPECT_EQ(app.Terminate(), 0);
    EXPECT_FALSE(app.Err().contains(QStringLiteral("XDG_RUNTIME_DIR"))) << app.Err().toStdString();
}

// What a run without a sync account never needs stays out of the process: the network stack, the
// network-reachability backends (and the glib stack the one pulls in) and the SVG icon engine.
TEST(ProgramStart, AStartWithoutAnAccountLoadsNeitherNetworkNorSvgEngine)
{
    QTemporaryDir root;
    Program app(root.path());
    ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), root.filePath(QStringLiteral("data")) }));
    ASSERT_TRUE(WaitUntilUp(root.path()));
    const QByteArray maps = ReadAll(QStringLiteral("/proc/%1/maps").arg(app.Pid()));
    ASSERT_TRUE(maps.contains("libQt6Widgets"));
    // Sync, the keyring and calendar files are a module loaded on first use; the single-instance channel is a plain
    // local socket.
    for (const char* library : { "libQt6Network", "libgssapi_krb5", "libproxy", "libqnetworkmanager", "libqglib",
             "libgio-2.0", "libqsvgicon", "libtickwell_sync", "libical", "keychain" })
        EXPECT_FALSE(maps.contains(library)) << library;
    EXPECT_EQ(app.Terminate(), 0);
}

TEST(ProgramStart, WithAnAccountTheSyncModuleLoadsAgainstTheProgram)
{
    // The account's server is a closed port here: the sync fails at once.
    QTemporaryDir root;
    const QString data = root.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    SyncState account;
    account.server = QStringLiteral("http://127.0.0.1:9/");
    account.calendarUrl = QStringLiteral("http://127.0.0.1:9/cal/");
    ASSERT_TRUE(account.Save(SyncState::FilePath(data), nullptr));
    Program app(root.path());
    ASSERT_TRUE(app.Start({ QStringLiteral("--data-dir"), data }));
    ASSERT_TRUE(WaitUntilUp(root.path()));
    // The module takes the program's own libraries from the program: one it lacked would refuse the module.
    const QString maps = QStringLiteral("/proc/%1/maps").arg(app.Pid());
    EXPECT_TRUE(WaitFor([&] { return ReadAll(maps).contains("libtickwell_sync"); }, 5000)) << app.Err().toStdString();
    EXPECT_TRUE(ReadAll(maps).contains("libical"));
    EXPECT_EQ(app.Terminate(), 0);
}
