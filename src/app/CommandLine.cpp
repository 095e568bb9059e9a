// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "base/AppVersion.h"

#include <QCoreApplication>

namespace {

// The options QGuiApplication and QApplication take out of the command line themselves; a session manager
// restarts the program with "-session …", and users may ask for a platform or a style.
const char* const kQtValueOptions[] = { "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
    "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet" };
const char* const kQtFlags[] = { "reverse", "widgetcount", "nograb", "dograb" };

// "-name" and "--name" alike, as Qt reads them; the name without dashes and "=value".
QString OptionName(const QString& arg)
{
    QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.left(name.indexOf(QLatin1Char('=')));
}

template <size_t N> bool IsOneOf(const QString& name, const char* const (&list)[N])
{
    for (const char* item : list)
        if (name == QLatin1String(item))
            return true;
    return false;
}

}  // namespace

StartOptions ParseCommandLine(const QStringList& arguments)
{
    StartOptions options;
    auto usageError = [&options](const QString& message) {
        options.action = StartOptions::Action::UsageError;
        options.error = message;
        return options;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1Char('-')))
            continue;  // words that are no option are left alone, as the program always did
        if (arg == QLatin1String("-m")) {
            options.minimised = true;
        } else if (arg == QLatin1String("--power-dry-run")) {
            options.powerDryRun = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            options.action = StartOptions::Action::Help;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--version")) {
            options.action = StartOptions::Action::Version;
        } else if (arg == QLatin1String("--data-dir") || arg.startsWith(QLatin1String("--data-dir="))) {
            const bool inLine = arg.contains(QLatin1Char('='));
            if (!inLine && i + 1 >= arguments.size())
                return usageError(QCoreApplication::translate("CommandLine", "--data-dir 后面要写数据文件夹"));
            options.dataDir = inLine ? arg.mid(arg.indexOf(QLatin1Char('=')) + 1) : arguments[++i];
            if (options.dataDir.isEmpty())
                return usageError(
                    QCoreApplication::translate("CommandLine", "--data-dir 后面要写数据文件夹，不能为空"));
        } else if (const QString name = OptionName(arg); IsOneOf(name, kQtValueOptions)) {
            if (!arg.contains(QLatin1Char('=')))
                ++i;
        } else if (!IsOneOf(name, kQtFlags)) {
            return usageError(QCoreApplication::translate("CommandLine", "未知选项：%1").arg(arg));
        }
    }
    return options;
}

QString UsageText()
{
    return QCoreApplication::translate("CommandLine",
        "用法：tickwell [选项]\n"
        "\n"
        "晴钟任务提醒：桌面任务提醒\n"
        "\n"
        "选项：\n"
        "  -m              启动后最小化\n"
        "  --data-dir DIR  数据文件夹（不存在时自动创建）。缺省为程序所在文件夹（当其中已有\n"
        "                  twdata.xml 时），否则为 ~/.local/share/Tickwell\n"
        "  --power-dry-run 关机、重启等电源操作只输出到标准输出，不真正执行\n"
        "  -h, --help      显示本帮助\n"
        "  -v, --version   显示版本\n");
}

QString VersionText()
{
    // In English the program's name already is Tickwell.
    return QCoreApplication::translate("CommandLine", "%1 (Tickwell) %2").arg(AppTitle(), AppVersionText());
}
