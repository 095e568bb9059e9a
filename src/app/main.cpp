#include "mainwindow/frmMain.h"
#include "model/AppPaths.h"
#include "model/AppVersion.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tickwell"));
    QApplication::setApplicationVersion(AppVersionText());

    QCommandLineParser parser;
    parser.setApplicationDescription(AppTitle());
    QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("数据文件夹（缺省为程序所在文件夹）"),
                               QStringLiteral("DIR"));
    parser.addOption(dataDir);
    QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示帮助"));
    parser.addOption(help);
    // Unknown switches are ignored rather than fatal: an autostart entry may carry options of other versions.
    parser.parse(app.arguments());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(dataDir))
        AppPaths::SetProgramFolder(parser.value(dataDir));

    frmMain window;
    QObject::connect(&window, &frmMain::quitRequested, &app, &QApplication::quit);
    window.show();
    return app.exec();
}
