// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as users and the desktop start it: where its data goes, its command line, and
// termination requests at awkward moments of start-up and quit.
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

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

bool WaitFor(const std::function<bool()>& condition, int ms = 15000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(50);
    }
    return true;
}

const QByteArray kTask = R"(<task Id="1" DueDT="--" Status="0" DueDate="--" DueTime="--" Desc="留着我"/>)";

// The program in a private account under `root`: HOME and the XDG folders lie there, nothing of the user's.
class Program
{
public:
    explicit Program(const QString& root, bool display = true)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (display)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/share"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        m_process.setProcessEnvironment(env);
    }
    void AnswerQuestions(const QString& answers)
    {
        QProcessEnvironment env = m_process.processEnvironment();
        env.insert(QStringLiteral("TW_TEST_ANSWERS"), answers);
        m_process.setProcessEnvironment(env);
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    void Start(const QStringList& args, const QString& program = QStringLiteral(TW_APP_PATH))
    {
        m_process.start(program, args);
        ASSERT_TRUE(m_process.waitForStarted(10000));
    }
    // SIGTERM, and how the program ended: its exit code, or -1 when it did not end (or crashed).
    int Terminate()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(15000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }
    qint64 Pid() const { return m_process.processId(); }
    void Kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    int Run(const QStringList& args)
    {
        Start(args);
        if (!m_process.waitForFinished(15000))
            return -1;
        return m_process.exitCode();
    }
    QString Out() { return QString::fromLocal8Bit(m_process.readAllStandardOutput()); }
    QString Err() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
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
        EXPECT_EQ(app.Run(c.args), c.code) << c.args.join(QLatin1Char(' ')).toStdString();
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
        Program app(root.path());
        app.Start(c.args, c.program);
        const QString data = c.folder + QStringLiteral("/twdata.xml");
        // The data-folder lock is taken once the folder is chosen; the load follows.
        ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(c.folder + QStringLiteral("/twdata.lock")); }))
            << c.folder.toStdString() << app.Err().toStdString();
        QThread::msleep(500);
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
        app.Start({ QStringLiteral("--data-dir"), root.path() });
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
    app.Start({ QStringLiteral("--data-dir"), folder });
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(folder + QStringLiteral("/twdata.lock")); }));
    QThread::msleep(500);
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
    second.AnswerQuestions(QStringLiteral("no"));  // "activate the other one?" — no, run beside it
    first.Start(args);
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(root.filePath(QStringLiteral("twdata.lock"))); }));
    second.Start(args);
    QThread::msleep(1000);

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
    killed.Start(args);
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(root.filePath(QStringLiteral("twdata.lock"))); }));
    QThread::msleep(500);
    killed.Kill();
    ASSERT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("twdata.lock"))));
    next.Start(args);
    const QString lock = root.filePath(QStringLiteral("twdata.lock"));
    ASSERT_TRUE(WaitFor([&] { return ReadAll(lock).startsWith(QByteArray(QByteArray::number(next.Pid()) + "\n")); }));
    QThread::msleep(500);
    const QDateTime before = QFileInfo(data).lastModified();
    EXPECT_EQ(next.Terminate(), 0);
    EXPECT_NE(QFileInfo(data).lastModified(), before);
    EXPECT_TRUE(ReadAll(data).contains("只提醒一次"));
    EXPECT_FALSE(next.Err().contains(Q("只读"))) << next.Err().toStdString();
}
