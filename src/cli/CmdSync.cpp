// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli sync: set up, run, show and forget the calendar sync of a data folder. The password goes to the
// desktop's secret store only: it is read from standard input (or asked without echo at a terminal), never taken
// from an argument or the environment.
#include "base/AppPaths.h"
#include "base/TempFiles.h"
#include "cli/CliCommand.h"
#include "engine/TaskEngine.h"
#include "platform/DataFolderLock.h"
#include "platform/ISecretStore.h"
#include "storage/DataFile.h"
#include "sync/SyncEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kWaitForWriterMs = 15000;

// One line of standard input; at a terminal asked for with `prompt` and without echo.
QString ReadPassword(QTextStream& err, bool* ok)
{
    const bool terminal = ::isatty(STDIN_FILENO);
    termios saved {};
    if (terminal) {
        err << CliText::tr("密码：");
        err.flush();
        ::tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    *ok = bool(std::getline(std::cin, line));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        err << '\n';
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

// Runs one call of the sync engine to its end.
SyncResult RunEngine(SyncEngine& sync, const std::function<void()>& start)
{
    SyncResult result;
    QEventLoop loop;
    QObject::connect(&sync, &SyncEngine::Finished, &loop, [&](const SyncResult& r) {
        result = r;
        loop.quit();
    });
    start();
    loop.exec();
    return result;
}

void PrintFailure(const SyncResult& r, QTextStream& err)
{
    err << r.error << '\n';
    if (!r.untrustedFingerprint.isEmpty())
        err << CliText::tr("核对无误后，可加上 --trust-fingerprint %1 再运行 sync setup。\n")
                   .arg(r.untrustedFingerprint);
}

// Takes the data folder for this process, as the task commands do: the program, when it runs on the folder, is
// asked first. Returns -1 with the lock held, else the exit code.
int TakeFolder(
    DataFolderLock& lock, const QString& folder, const QStringList& request, QTextStream& out, QTextStream& err)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        bool answered = false;
        const int rc = Cli::AskProgram(folder, QStringLiteral("sync"), request, out, err, answered);
        if (answered)
            return rc;
        const DataFolderLock::Result locked = lock.TryLock(200);
        if (locked == DataFolderLock::Result::Locked)
            return -1;
        if (locked == DataFolderLock::Result::Unavailable) {
            err << CliText::tr("数据文件夹不能写入：%1\n").arg(QDir::toNativeSeparators(folder));
            return 1;
        }
        if (waited.elapsed() > kWaitForWriterMs) {
            err << CliText::tr("数据文件夹正由程序使用（进程 %1）；请关闭程序后再同步。\n").arg(lock.HolderPid());
            return 1;
        }
    }
}

// Reads the whole data file; a file read only in part is never synced (nor written back).
int LoadTasks(TaskEngine& engine, QTextStream& err)
{
    const QString path = engine.DataFilePath();
    int skipped = 0;
    QString error;
    const DataFile::ReadStatus status = engine.LoadFile(path, &error, &skipped);
    DeleteTempFiles();
    if (status == DataFile::ReadStatus::Unreadable || skipped > 0) {
        err << CliText::tr("数据文件无法完整读取，未同步：%1\n%2\n").arg(QDir::toNativeSeparators(path), error);
        return 1;
    }
    return 0;
}

int RunSetup(QStringList args, const QString& folder, QTextStream& out, QTextStream& err)
{
    SyncSetup setup;
    bool missing = false;
    setup.user = Cli::TakeOption(args, QStringLiteral("user"), &missing);
    setup.calendarName = Cli::TakeOption(args, QStringLiteral("calendar"), &missing);
    setup.trustedFingerprint = Cli::TakeOption(args, QStringLiteral("trust-fingerprint"), &missing);
    setup.allowHttp = Cli::TakeFlag(args, QStringLiteral("allow-http"));
    if (missing || args.size() != 1 || setup.user.isEmpty()) {
        err << CliText::tr("用法：tickwell-cli sync setup 服务器地址 --user 用户名 [--calendar 日历名]\n");
        return 2;
    }
    setup.server = args.first();
    bool ok = false;
    setup.password = ReadPassword(err, &ok);
    if (!ok) {
        err << CliText::tr("没有读到密码（从标准输入读取）。\n");
        return 2;
    }
    DataFolderLock lock(folder);
    if (const int rc = TakeFolder(lock, folder, { QStringLiteral("setup") }, out, err); rc >= 0)
        return rc;
    TaskEngine engine;
    SyncEngine sync(engine, Platform::SecretStore());
    const SyncResult r = RunEngine(sync, [&] { sync.Setup(setup); });
    if (!r.ok) {
        PrintFailure(r, err);
        return 1;
    }
    out << CliText::tr("同步日历：%1\n").arg(r.calendarUrl);
    return 0;
}

int RunSync(const QString& folder, QTextStream& out, QTextStream& err)
{
    DataFolderLock lock(folder);
    if (const int rc = TakeFolder(lock, folder, {}, out, err); rc >= 0)
        return rc;
    TaskEngine engine;
    if (const int rc = LoadTasks(engine, err); rc != 0)
        return rc;
    SyncEngine sync(engine, Platform::SecretStore());
    const SyncResult r = RunEngine(sync, [&] { sync.Sync(); });
    for (const QString& note : r.notes)
        out << note << '\n';
    if (!r.ok) {
        PrintFailure(r, err);
        return 1;
    }
    out << r.Summary() << '\n';
    return 0;
}

int RunStatus(QTextStream& out, QTextStream& err)
{
    // The state is read once, by the engine that also counts the changes waiting to go out.
    TaskEngine engine;
    SyncEngine sync(engine, Platform::SecretStore());
    QString error;
    if (!sync.LoadState(&error)) {
        err << CliText::tr("同步状态文件无法读取：%1\n").arg(error);
        return 1;
    }
    const SyncState& state = sync.State();
    if (!state.HasAccount()) {
        out << CliText::tr("尚未设置同步账户。\n");
        return 0;
    }
    const auto when = [](const QDateTime& t) {
        return t.isValid() ? QLocale().toString(t.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                           : CliText::tr("从未");
    };
    out << CliText::tr("账户：%1（%2）\n").arg(state.user, state.server);
    out << CliText::tr("日历：%1\n").arg(state.calendarUrl);
    out << CliText::tr("上次同步：%1\n").arg(when(state.lastSync));
    if (!state.lastError.isEmpty())
        out << CliText::tr("上次失败：%1（%2）\n").arg(state.lastError, when(state.lastAttempt));
    int skipped = 0;
    if (engine.LoadFile(engine.DataFilePath(), &error, &skipped) != DataFile::ReadStatus::Unreadable) {
        DeleteTempFiles();
        out << CliText::tr("待上传的变更：%1\n").arg(sync.PendingChanges());
    }
    return 0;
}

int RunForget(const QString& folder, QTextStream& out, QTextStream& err)
{
    DataFolderLock lock(folder);
    if (const int rc = TakeFolder(lock, folder, { QStringLiteral("forget") }, out, err); rc >= 0)
        return rc;
    TaskEngine engine;
    SyncEngine sync(engine, Platform::SecretStore());
    const SyncResult r = RunEngine(sync, [&] { sync.Forget(); });
    if (!r.ok) {
        PrintFailure(r, err);
        return 1;
    }
    out << CliText::tr("已删除同步账户和它的密码；任务都还在。\n");
    return 0;
}

int Run(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    QString dir, folder;
    if (const int rc = Cli::TakeDataDir(args, err, &dir); rc != 0)
        return rc;
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    const bool create = sub == u"setup";
    if (const int rc = Cli::UseDataFolder(dir, create, err, &folder); rc != 0)
        return rc;
    if (sub.isEmpty() && args.isEmpty())
        return RunSync(folder, out, err);
    if (sub == u"setup")
        return RunSetup(args, folder, out, err);
    if (args.isEmpty() && sub == u"status")
        return RunStatus(out, err);
    if (args.isEmpty() && sub == u"forget")
        return RunForget(folder, out, err);
    err << CliText::tr("用法：tickwell-cli sync [setup 服务器地址 --user 用户名 | status | forget]\n");
    return 2;
}

const bool registered = Cli::Register({ QStringLiteral("sync"),
    QT_TRANSLATE_NOOP("CliText",
        "[setup 服务器地址 --user 用户名 [--calendar 日历名] [--trust-fingerprint 指纹] [--allow-http] | status | "
        "forget] [--data-dir DIR]"),
    QT_TRANSLATE_NOOP("CliText",
        "与 CalDAV 日历双向同步任务。setup 设置账户（密码从标准输入读取，存入桌面的密钥环）；不带参数时同步一次，输出"
        "上传、下载、删除的数量；status 显示账户、上次同步和待上传的变更；forget 删除账户和密码"),
    QT_TRANSLATE_NOOP("CliText", "tickwell-cli sync setup https://dav.example.com --user 张三"), Run });

}  // namespace
