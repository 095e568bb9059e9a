#include "app/Autorun.h"
#include "app/QuitApp.h"
#include "app/UnixSignalQuit.h"
#include "app/WidgetMessagePresenter.h"
#include "mainwindow/frmMain.h"
#include "model/AppPaths.h"
#include "model/AppVersion.h"
#include "model/TempFiles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tickwell"));
    QApplication::setApplicationVersion(AppVersionText());
    // A tray program: the prompt or a message box closing while the main window is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(AppTitle());
    QCommandLineOption dataDir(
        QStringLiteral("data-dir"), QStringLiteral("数据文件夹（缺省为程序所在文件夹）"), QStringLiteral("DIR"));
    parser.addOption(dataDir);
    QCommandLineOption minimised(QStringLiteral("m"), QStringLiteral("启动后最小化"));
    parser.addOption(minimised);
    QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("显示帮助"));
    parser.addOption(help);
    // Unknown switches are ignored rather than fatal: an autostart entry may carry options of other versions.
    parser.parse(app.arguments());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(dataDir))
        AppPaths::SetProgramFolder(parser.value(dataDir));

    MsgBox::SetPresenter(std::make_shared<WidgetMessagePresenter>());
    // Before anything slow: a SIGTERM during start-up is then handled as soon as the event loop runs.
    UnixSignalQuit signalQuit;

    frmMain window;
    XdgAutorun autorun;
    window.Load(&autorun);

    auto quit = [&window] { QuitApp(window); };
    QObject::connect(&window, &frmMain::quitRequested, &app, quit);
    QObject::connect(&signalQuit, &UnixSignalQuit::quitRequested, &app, quit);
    // The session is ending (log-out, shutdown): the data must be on disk whether or not we get to quit.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &app, [&window](QSessionManager&) { window.Engine().SaveCfg(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&window] {
        window.Unload();
        DeleteTempFiles();
    });

    window.show();
    if (parser.isSet(minimised))
        window.showMinimized();
    return app.exec();
}
