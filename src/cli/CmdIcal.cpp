// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli export --ical FILE / import FILE: the tasks as an iCalendar file, and the events and to-dos of an
// iCalendar file as new tasks. The import writes the data file, so it takes the data-folder lock first and
// leaves a folder that a running program holds alone.
#include "base/AppPaths.h"
#include "base/TempFiles.h"
#include "cli/CliCommand.h"
#include "engine/TaskEngine.h"
#include "platform/DataFolderLock.h"
#include "storage/CsvExport.h"
#include "storage/DataFile.h"
#include "storage/IcalExport.h"
#include "storage/IcalImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Called by `export` when it is given --ical; the tasks have been read into `engine`.
int RunExportIcal(const TaskEngine& engine, const QString& file, QTextStream& out, QTextStream& err)
{
    if (file.isEmpty() || file.startsWith(QLatin1String("--"))) {
        err << CliText::tr("--ical 后面要写日历文件名，例如 tickwell-cli export --ical 任务.ics\n");
        return 2;
    }
    const QString target = QFileInfo(file).absoluteFilePath();
    if (target == QFileInfo(engine.DataFilePath()).absoluteFilePath() || IsSameFile(target, engine.DataFilePath())) {
        err << CliText::tr("不能把日历写到数据文件上：%1\n").arg(file);
        return 2;
    }
    QString error;
    int exported = 0;
    if (!ExportIcal(engine.Tasks(), target, &error, engine.DataFilePath(), &exported)) {
        err << CliText::tr("出错: %1\n").arg(error);
        return 1;
    }
    out << CliText::tr("已导出 %1 个任务到 %2\n").arg(exported).arg(QDir::toNativeSeparators(target));
    if (const int unresolved = IcalUnresolvedCount(engine.Tasks()); unresolved > 0)
        err << CliText::tr("%1 个等待中的任务没有算出到期时刻（数据文件中写作“--”），程序不会提醒它们，未导出。\n")
                   .arg(unresolved);
    return 0;
}

namespace {

int RunImport(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    QString dir;
    if (const int rc = Cli::TakeDataDir(args, err, &dir); rc != 0)
        return rc;
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        err << CliText::tr("请给出一个日历文件名，例如 tickwell-cli import 日历.ics\n");
        return 2;
    }
    // Read before anything is locked or written: a file that is no calendar changes nothing.
    IcalImportResult result;
    QString error;
    if (!ReadIcalFile(args[0], result, &error)) {
        err << CliText::tr("无法导入 %1：%2\n").arg(args[0], error);
        return 1;
    }

    QString folder;
    if (const int rc = Cli::UseDataFolder(dir, true, err, &folder); rc != 0)
        return rc;
    DataFolderLock lock(folder);
    switch (lock.TryLock()) {
    case DataFolderLock::Result::Locked:
        break;
    case DataFolderLock::Result::HeldByOther:
        err << CliText::tr("程序正在使用数据文件夹 %1：请在程序中用“工具 → 导入日历...”导入，或先退出程序。\n")
                   .arg(QDir::toNativeSeparators(folder));
        return 1;
    case DataFolderLock::Result::Unavailable:
        err << CliText::tr("数据文件夹不可写：%1\n").arg(QDir::toNativeSeparators(folder));
        return 1;
    }

    TaskEngine engine;
    int skipped = 0;
    const QString path = engine.DataFilePath();
    const DataFile::ReadStatus status = engine.LoadFile(path, &error, &skipped);
    DeleteTempFiles();
    if (status == DataFile::ReadStatus::Unreadable || status == DataFile::ReadStatus::NotAFile) {
        err << CliText::tr("数据文件无法读取：%1\n%2\n").arg(QDir::toNativeSeparators(path), error);
        return 1;
    }
    // Writing the file back would drop the tasks that could not be read.
    if (skipped > 0) {
        err << CliText::tr("数据文件中有 %1 个任务无法读取；为免丢失它们，未导入。请先在程序中打开数据文件。\n")
                   .arg(skipped);
        return 1;
    }
    const int added = engine.AddImportedTasks(result.tasks);
    if (added > 0 && !engine.SaveCfg()) {
        err << CliText::tr("无法保存数据文件：%1\n").arg(QDir::toNativeSeparators(path));
        return 1;
    }
    out << IcalImportSummary(result, added) << '\n';
    return 0;
}

const bool registered = Cli::Register({ QStringLiteral("import"), "FILE.ics [--data-dir DIR]",
    QT_TRANSLATE_NOOP("CliText", "把 iCalendar 日历文件中的事件和待办导入为任务（程序运行时请在程序中导入）"),
    QT_TRANSLATE_NOOP("CliText", "tickwell-cli import 日历.ics"), RunImport });

}  // namespace
