#include "app/CommandLine.h"

#include "model/AppVersion.h"

#include <QCommandLineParser>

StartOptions ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(AppTitle());
    // "-m" is a switch of its own: a data folder named like "/home/a-music" does not start the program hidden.
    const QCommandLineOption minimised(QStringLiteral("m"), QStringLiteral("启动后最小化"));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"), QStringLiteral("数据文件夹（缺省为程序所在文件夹）"), QStringLiteral("DIR"));
    const QCommandLineOption powerDryRun(
        QStringLiteral("power-dry-run"), QStringLiteral("关机、重启等电源操作只输出到标准输出，不真正执行"));
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("显示帮助"));
    parser.addOption(minimised);
    parser.addOption(dataDir);
    parser.addOption(powerDryRun);
    parser.addOption(help);
    parser.parse(arguments);

    StartOptions options;
    options.minimised = parser.isSet(minimised);
    options.dataDir = parser.value(dataDir);
    options.powerDryRun = parser.isSet(powerDryRun);
    options.help = parser.isSet(help);
    if (options.help)
        options.helpText = parser.helpText();
    return options;
}
