// SPDX-License-Identifier: GPL-3.0-or-later
// tickwell-cli list / export: read the data file and show or export its tasks. Neither ever writes twdata.xml:
// the program may be running and owns the file.
#include "base/AppPaths.h"
#include "base/TempFiles.h"
#include "cli/CliCommand.h"
#include "engine/TaskCommands.h"
#include "engine/TaskEngine.h"
#include "storage/CsvExport.h"
#include "storage/DataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// CmdIcal.cpp: export --ical FILE.
int RunExportIcal(const TaskEngine& engine, const QString& file, QTextStream& out, QTextStream& err);

namespace {

// Takes --data-dir and reads the data file into `engine`; the folder is found by the program's own rule, so
// without the option this reads the file the program writes. Returns 0, or the exit code after a message.
// `skipped` receives the number of tasks that could not be read.
// With `answered`, a running program that writes the folder is asked for the listing first (it may hold changes
// newer than the file); *answered tells whether it gave it, printed on `out`.
int ReadData(QStringList& args, TaskEngine& engine, int& skipped, QTextStream& err, QTextStream* out = nullptr,
    bool* answered = nullptr)
{
    QString dir, folder;
    if (const int rc = Cli::TakeDataDir(args, err, &dir); rc != 0)
        return rc;
    if (const int rc = Cli::UseDataFolder(dir, false, err, &folder); rc != 0)
        return rc;
    if (answered) {
        const int rc = Cli::AskProgram(folder, QStringLiteral("list"), args, *out, err, *answered);
        if (*answered)
            return rc;
    }
    const QString path = engine.DataFilePath();
    QString error;
    const DataFile::ReadStatus status = engine.LoadFile(path, &error, &skipped);
    // A custom-event task may have made a script while its description was read; it is not needed here.
    DeleteTempFiles();
    switch (status) {
    case DataFile::ReadStatus::Ok:
        return 0;
    case DataFile::ReadStatus::Missing:
        err << CliText::tr("找不到数据文件：%1\n可用 --data-dir 指定数据文件夹。\n")
                   .arg(QDir::toNativeSeparators(path));
        return 1;
    case DataFile::ReadStatus::NotAFile:
    case DataFile::ReadStatus::Unreadable:
        break;
    }
    err << CliText::tr("数据文件无法读取：%1\n%2\n").arg(QDir::toNativeSeparators(path), error);
    return 1;
}

// The tasks that were left out are not silently missing from the output: said on stderr, and exit code 1.
int ReportSkipped(int skipped, QTextStream& err)
{
    if (skipped == 0)
        return 0;
    err << CliText::tr("数据文件中有 %1 个任务无法读取，未包含在内。\n").arg(skipped);
    return 1;
}

int RunList(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    TaskEngine engine;
    int skipped = 0;
    bool answered = false;
    if (int rc = ReadData(args, engine, skipped, err, &out, &answered); rc || answered)
        return rc;
    if (!args.isEmpty()) {
        err << CliText::tr("list 不需要参数：%1\n").arg(args.join(QLatin1Char(' ')));
        return 2;
    }
    for (const TaskPtr& t : engine.Tasks())
        out << TaskCommands::ListLine(*t) << '\n';
    return ReportSkipped(skipped, err);
}

int RunExport(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    TaskEngine engine;
    int skipped = 0;
    if (int rc = ReadData(args, engine, skipped, err))
        return rc;
    bool icalMissing = false;
    const QString ical = Cli::TakeOption(args, QStringLiteral("ical"), &icalMissing);
    if (!ical.isNull() || icalMissing) {
        if (!args.isEmpty()) {
            err << CliText::tr("export --ical 只需要一个文件名：%1\n").arg(args.join(QLatin1Char(' ')));
            return 2;
        }
        const int rc = RunExportIcal(engine, ical, out, err);
        return rc ? rc : ReportSkipped(skipped, err);
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        err << CliText::tr("请给出一个 CSV 文件名，例如 tickwell-cli export 任务.csv\n");
        return 2;
    }
    const QString target = QFileInfo(args[0]).absoluteFilePath();
    // The real files are compared: a link to the data file, or a --data-dir that is a link, is the data file.
    if (target == QFileInfo(engine.DataFilePath()).absoluteFilePath() || IsSameFile(target, engine.DataFilePath())) {
        err << CliText::tr("不能把 CSV 写到数据文件上：%1\n").arg(args[0]);
        return 2;
    }
    QString error;
    if (!ExportCsv(engine.Tasks(), target, &error, engine.DataFilePath())) {
        err << CliText::tr("出错: %1\n").arg(error);
        return 1;
    }
    out << CliText::tr("已导出 %1 个任务到 %2\n").arg(engine.Tasks().Count()).arg(QDir::toNativeSeparators(target));
    return ReportSkipped(skipped, err);
}

const bool registered = Cli::Register({ QStringLiteral("list"), "[--data-dir DIR]",
                            QT_TRANSLATE_NOOP("CliText",
                                "列出数据文件中的任务：编号、状态、提醒时间、发生日期、发生时间、标题（以制表符分隔）"),
                            "tickwell-cli list --data-dir ~/tickwell", RunList })
    && Cli::Register({ QStringLiteral("export"), "FILE.csv | --ical FILE.ics [--data-dir DIR]",
        QT_TRANSLATE_NOOP(
            "CliText", "把全部任务导出为 CSV 文件（UTF-8，Excel 可直接打开），或用 --ical 导出为 iCalendar 日历"),
        QT_TRANSLATE_NOOP("CliText", "tickwell-cli export 任务提醒列表.csv"), RunExport });

}  // namespace
