// tickwell-cli list / export: read the data file and show or export its tasks. Neither ever writes twdata.xml:
// the program may be running and owns the file.
#include "cli/CliCommand.h"
#include "model/AppPaths.h"
#include "model/CsvExport.h"
#include "model/TaskEngine.h"
#include "model/TaskStore.h"
#include "model/TempFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Takes --data-dir and reads the data file into `engine`. Returns 0, or the exit code after a message.
int ReadData(QStringList& args, TaskEngine& engine, QTextStream& err)
{
    bool missing = false;
    const QString dir = Cli::TakeOption(args, QStringLiteral("data-dir"), &missing);
    if (missing) {
        err << "--data-dir 后面要写数据文件夹，例如 --data-dir ~/tickwell\n";
        return 2;
    }
    if (!dir.isNull()) {
        if (!QFileInfo(dir).isDir()) {
            err << "数据文件夹不存在：" << dir << '\n';
            return 2;
        }
        AppPaths::SetProgramFolder(dir);
    }
    const QString path = engine.DataFilePath();
    QString error;
    const TaskStore::ReadStatus status = TaskStore::LoadInto(engine, path, &error);
    // A custom-event task may have made a script while its description was read; it is not needed here.
    DeleteTempFiles();
    switch (status) {
    case TaskStore::ReadStatus::Ok:
        return 0;
    case TaskStore::ReadStatus::Missing:
        err << "找不到数据文件：" << QDir::toNativeSeparators(path) << "\n可用 --data-dir 指定数据文件夹。\n";
        return 1;
    case TaskStore::ReadStatus::Unreadable:
        break;
    }
    err << "数据文件无法读取：" << QDir::toNativeSeparators(path) << "\n" << error << '\n';
    return 1;
}

// One column of the tab-separated listing: a tab or line break inside a field would shift the columns after it.
QString Column(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

int RunList(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    TaskEngine engine;
    if (int rc = ReadData(args, engine, err))
        return rc;
    if (!args.isEmpty()) {
        err << "list 不需要参数：" << args.join(QLatin1Char(' ')) << '\n';
        return 2;
    }
    for (const TaskPtr& t : engine.Tasks()) {
        out << t->Key() << '\t' << t->StatusStr() << '\t' << TaskStore::DateTimeText(t->dtAlarmDT) << '\t'
            << Column(t->sDueDate) << '\t' << Column(t->sDueTime) << '\t' << Column(t->Title()) << '\n';
    }
    return 0;
}

int RunExport(const QStringList& argsIn, QTextStream& out, QTextStream& err)
{
    QStringList args = argsIn;
    TaskEngine engine;
    if (int rc = ReadData(args, engine, err))
        return rc;
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        err << "请给出一个 CSV 文件名，例如 tickwell-cli export 任务.csv\n";
        return 2;
    }
    const QString target = QFileInfo(args[0]).absoluteFilePath();
    if (target == QFileInfo(engine.DataFilePath()).absoluteFilePath()) {
        err << "不能把 CSV 写到数据文件上：" << args[0] << '\n';
        return 2;
    }
    QString error;
    if (!ExportCsv(engine.Tasks(), target, &error)) {
        err << "出错: " << error << '\n';
        return 1;
    }
    out << "已导出 " << engine.Tasks().Count() << " 个任务到 " << QDir::toNativeSeparators(target) << '\n';
    return 0;
}

const bool registered
    = Cli::Register({ QStringLiteral("list"), QStringLiteral("[--data-dir DIR]"),
          QStringLiteral("列出数据文件中的任务：编号、状态、提醒时间、发生日期、发生时间、标题（以制表符分隔）"),
          QStringLiteral("tickwell-cli list --data-dir ~/tickwell"), RunList })
    && Cli::Register({ QStringLiteral("export"), QStringLiteral("FILE.csv [--data-dir DIR]"),
        QStringLiteral("把全部任务导出为 CSV 文件（UTF-8，Excel 可直接打开）"),
        QStringLiteral("tickwell-cli export 任务提醒列表.csv"), RunExport });

}  // namespace
