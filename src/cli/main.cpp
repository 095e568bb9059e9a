// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppPaths.h"
#include "base/AppVersion.h"
#include "base/Translation.h"
#include "cli/CliCommand.h"
#include "platform/DataFolderLock.h"
#include "platform/RuntimeFolder.h"
#include "sync/SyncModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

QtMessageHandler g_printMessage = nullptr;

// What the command line prints is its own: Qt's remarks on its environment (no runtime folder, a plugin it could
// not load) would land in scripts' output and cron mail. Messages of the program's own categories stay.
void KeepOwnMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const char* category = context.category ? context.category : "";
    const bool own = qstrncmp(category, "tw.", 3) == 0 || qstrncmp(category, "tickwell.", 9) == 0;
    if (own || type == QtCriticalMsg || type == QtFatalMsg)
        g_printMessage(type, context, text);
}

std::vector<CliCommand>& Registry()
{
    static std::vector<CliCommand> commands;
    return commands;
}

void PrintHelp(QTextStream& out)
{
    out << CliText::tr("tickwell-cli：晴钟任务提醒的命令行工具\n\n用法：tickwell-cli 命令 [参数]\n\n命令：\n");
    for (const CliCommand& c : Cli::Commands()) {
        out << "  " << c.name << ' ' << CliText::tr(c.usage) << "\n      " << CliText::tr(c.summary) << "\n      "
            << CliText::tr("例：%1").arg(CliText::tr(c.example)) << "\n";
    }
    out << CliText::tr("\n  --help\n      显示本帮助\n  --version\n      显示版本\n");
    out << CliText::tr("\n数据文件夹的找法与程序相同：--data-dir 指定的文件夹；否则程序所在文件夹（其中已有 "
                       "twdata.xml 时）；\n否则为用户数据文件夹 %1。\n")
               .arg(QDir::toNativeSeparators(AppPaths::UserDataFolder()));
}

// The language of this run: the setting in the data file of the folder the command names (not created, nothing
// else read), else the system's.
QString RunLanguage(const QStringList& args)
{
    QStringList rest = args;
    const QString dir = Cli::TakeOption(rest, QStringLiteral("data-dir"));
    const QString folder = AppPaths::ChooseDataFolder(dir, QCoreApplication::applicationDirPath(), false, nullptr);
    const QString setting = folder.isEmpty()
        ? QString()
        : Translation::StoredSetting(QDir(folder).filePath(QStringLiteral("twdata.xml")));
    return Translation::ChooseLanguage(setting, QLocale::system().uiLanguages());
}

}  // namespace

namespace Cli {

bool Register(const CliCommand& command)
{
    Registry().push_back(command);
    return true;
}

const std::vector<CliCommand>& Commands()
{
    return Registry();
}

QString TakeOption(QStringList& args, const QString& name, bool* missing)
{
    if (missing)
        *missing = false;
    const QString flag = QStringLiteral("--") + name;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == flag) {
            if (i + 1 >= args.size()) {
                if (missing)
                    *missing = true;
                args.removeAt(i);
                return {};
            }
            QString value = args[i + 1];
            args.remove(i, 2);
            return value;
        }
        if (args[i].startsWith(flag + QLatin1Char('='))) {
            QString value = args[i].mid(flag.size() + 1);
            args.removeAt(i);
            return value;
        }
    }
    return {};
}

int TakeDataDir(QStringList& args, QTextStream& err, QString* dir)
{
    bool missing = false;
    *dir = TakeOption(args, QStringLiteral("data-dir"), &missing);
    if (missing || (!dir->isNull() && dir->isEmpty())) {
        err << CliText::tr("--data-dir 后面要写数据文件夹，例如 --data-dir ~/tickwell\n");
        return 2;
    }
    return 0;
}

int UseDataFolder(const QString& dir, bool create, QTextStream& err, QString* folder)
{
    QString error;
    *folder = AppPaths::ChooseDataFolder(dir, QCoreApplication::applicationDirPath(), create, &error);
    if (folder->isEmpty()) {
        err << error << '\n';
        return 2;
    }
    AppPaths::SetDataFolder(*folder);
    return 0;
}

bool TakeFlag(QStringList& args, const QString& name)
{
    return args.removeAll(QStringLiteral("--") + name) > 0;
}

}  // namespace Cli

int main(int argc, char* argv[])
{
    g_printMessage = qInstallMessageHandler(KeepOwnMessages);
    QCoreApplication app(argc, argv);
    // The name the data-folder lock records: a program starting meanwhile waits for this edit rather than
    // running read-only.
    QCoreApplication::setApplicationName(DataFolderLock::BriefHolderName());
    // The tool links sync, the keyring and libical in: its start-up is not what users wait for.
    SyncModule::UseLinkedIn();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    Translation::Install(RunLanguage(args));
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        // Without a command the help is the answer to a usage error.
        PrintHelp(args.isEmpty() ? err : out);
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("--version") || args.first() == QLatin1String("-v")) {
        out << "tickwell-cli (" << AppTitle() << ") " << AppVersionText() << '\n';
        return 0;
    }
    if (args.first().startsWith(QLatin1Char('-'))) {
        err << CliText::tr("未知选项：%1\n\n").arg(args.first());
        PrintHelp(err);
        return 2;
    }
    // Under cron, ssh or su the session names no runtime folder: the one a program started there uses is taken.
    // Should that be unsafe, this run keeps to a private folder of its own and reaches no running program.
    QString runtimeError;
    std::unique_ptr<QTemporaryDir> ownRuntime;
    if (RuntimeFolder::ChooseWhenUnset(&runtimeError) == RuntimeFolder::Outcome::Refused) {
        err << CliText::tr("%1；本次不与正在运行的程序联系。\n").arg(runtimeError);
        err.flush();
        ownRuntime = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tickwell-cli-XXXXXX"));
        if (ownRuntime->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ownRuntime->path()));
    }
    const QString name = args.takeFirst();
    for (const CliCommand& c : Cli::Commands()) {
        if (c.name == name) {
            int rc = c.run(args, out, err);
            out.flush();
            err.flush();
            return rc;
        }
    }
    err << CliText::tr("未知命令：%1\n运行 tickwell-cli --help 查看可用命令。\n").arg(name);
    return 2;
}
