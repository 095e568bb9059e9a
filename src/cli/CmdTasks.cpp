// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli add / done / cancel / postpone: change tasks. The data file has one writer at a time: a running
// program applies the command itself (it sees the change at once and saves it); with none running, this tool
// takes the data-folder lock and edits the file.
#include "base/AppPaths.h"
#include "base/TempFiles.h"
#include "cli/CliCommand.h"
#include "engine/TaskCommands.h"
#include "engine/TaskEngine.h"
#include "platform/CSingleInst.h"
#include "platform/DataFolderLock.h"
#include "storage/DataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace {

// A program may ask the user a question before it answers (a task that recurs, a postponement past the valid
// period): its answer may take that long.
constexpr int kAnswerMs = 120000;
// How long a writer that holds the folder without answering (a program still starting, another tickwell-cli)
// is waited for.
constexpr int kWaitForWriterMs = 15000;

void Print(const TaskCommandResult& r, QTextStream& out, QTextStream& err)
{
    out << r.out;
    err << r.err;
}

}  // namespace

namespace Cli {

int AskProgram(const QString& folder, const QString& command, const QStringList& args, QTextStream& out,
    QTextStream& err, bool& answered)
{
    answered = false;
    CSingleInst channel;
    const QString request = TaskRequests::Encode(folder, command, args);
    for (int slot = 0; slot < CSingleInst::kSlots; ++slot) {
        bool reached = false;
        const QString answer = channel.Request(slot, request, kAnswerMs, &reached);
        if (!reached)
            continue;
        if (answer.isNull()) {
            // The program has the command; whether it applied it is unknown, so nothing is done here twice.
            answered = true;
            err << CliText::tr(
                "运行中的程序没有回答（它可能正在等待用户回答提问）；命令可能已被执行，请在程序中查看。\n");
            return 1;
        }
        TaskCommandResult r;
        if (TaskRequests::Decode(answer, r)) {
            answered = true;
            Print(r, out, err);
            return r.exitCode;
        }
    }
    return 0;
}

}  // namespace Cli

namespace {

int RunChange(const QString& command, const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    QString dir, folder;
    if (const int rc = Cli::TakeDataDir(args, err, &dir); rc != 0)
        return rc;
    if (const int rc = Cli::UseDataFolder(dir, true, err, &folder); rc != 0)
        return rc;

    QElapsedTimer waited;
    waited.start();
    DataFolderLock lock(folder);
    for (;;) {
        bool answered = false;
        const int rc = Cli::AskProgram(folder, command, args, out, err, answered);
        if (answered)
            return rc;
        const DataFolderLock::Result locked = lock.TryLock(200);
        if (locked == DataFolderLock::Result::Locked)
            break;
        if (locked == DataFolderLock::Result::Unavailable) {
            err << CliText::tr("数据文件夹不能写入：%1\n").arg(QDir::toNativeSeparators(folder));
            return 1;
        }
        // The holder may be a program that has not opened its channel yet, or another tickwell-cli.
        if (waited.elapsed() > kWaitForWriterMs) {
            const QString holder
                = lock.HolderPid() > 0 ? CliText::tr("进程 %1").arg(lock.HolderPid()) : CliText::tr("另一个程序");
            err << CliText::tr("数据文件夹正由%1使用，但它没有回应；任务未更改。\n").arg(holder);
            return 1;
        }
    }

    TaskEngine engine;
    const QString path = engine.DataFilePath();
    int skipped = 0;
    QString error;
    const DataFile::ReadStatus status = engine.LoadFile(path, &error, &skipped);
    DeleteTempFiles();
    // Writing back a file that was not read whole would lose what could not be read.
    if (status == DataFile::ReadStatus::Unreadable || status == DataFile::ReadStatus::NotAFile || skipped > 0) {
        err << CliText::tr("数据文件无法完整读取，任务未更改：%1\n%2\n").arg(QDir::toNativeSeparators(path), error);
        return 1;
    }
    if (status == DataFile::ReadStatus::Missing && command != u"add") {
        err << CliText::tr("找不到数据文件：%1\n可用 --data-dir 指定数据文件夹。\n")
                   .arg(QDir::toNativeSeparators(path));
        return 1;
    }
    TaskCommandResult r = TaskCommands::Run(engine, command, args);
    if (r.changed && !engine.SaveCfg()) {
        r.err += CliText::tr("数据文件未能保存：%1\n").arg(QDir::toNativeSeparators(path));
        r.exitCode = 1;
        r.out.clear();
    }
    Print(r, out, err);
    return r.exitCode;
}

int RunAdd(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return RunChange(QStringLiteral("add"), args, out, err);
}
int RunDone(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return RunChange(QStringLiteral("done"), args, out, err);
}
int RunCancel(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return RunChange(QStringLiteral("cancel"), args, out, err);
}
int RunPostpone(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return RunChange(QStringLiteral("postpone"), args, out, err);
}

const bool registered
    = Cli::Register({ QStringLiteral("add"),
          QT_TRANSLATE_NOOP("CliText",
              "描述 [--date 日期] [--time 时间] [--category 类别] [--priority 优先级] [--alarm 提醒] [--data-dir DIR]"),
          QT_TRANSLATE_NOOP(
              "CliText", "添加任务；日期、时间的写法与任务窗口相同（默认今天、10分钟后）。输出新任务的编号和到期时间"),
          QT_TRANSLATE_NOOP("CliText", "tickwell-cli add 编译完成后检查结果 --time 30分钟后 --category 工作"), RunAdd })
    && Cli::Register({ QStringLiteral("done"), QT_TRANSLATE_NOOP("CliText", "任务编号 [--data-dir DIR]"),
        QT_TRANSLATE_NOOP("CliText", "把等待中的任务设为已完成（周期任务转到下次）"), "tickwell-cli done T3", RunDone })
    && Cli::Register({ QStringLiteral("cancel"), QT_TRANSLATE_NOOP("CliText", "任务编号 [--data-dir DIR]"),
        QT_TRANSLATE_NOOP("CliText", "取消等待中的任务"), "tickwell-cli cancel T3", RunCancel })
    && Cli::Register({ QStringLiteral("postpone"), QT_TRANSLATE_NOOP("CliText", "任务编号 推迟时间 [--data-dir DIR]"),
        QT_TRANSLATE_NOOP("CliText", "推迟任务的提醒，写法与提醒窗口的推迟相同"),
        QT_TRANSLATE_NOOP("CliText", "tickwell-cli postpone T3 10分钟"), RunPostpone });

}  // namespace
