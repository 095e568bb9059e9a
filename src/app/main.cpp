#include "platform/Autorun.h"
#include "app/CommandLine.h"
#include "app/QuitApp.h"
#include "platform/UnixSignalQuit.h"
#include "app/WidgetMessagePresenter.h"
#include "mainwindow/frmMain.h"
#include "model/AppPaths.h"
#include "model/AppVersion.h"
#include "model/TempFiles.h"
#include "platform/DryRunPowerManager.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tickwell"));
    QApplication::setApplicationVersion(AppVersionText());
    // A tray program: the prompt or a message box closing while the main window is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    const StartOptions options = ParseCommandLine(app.arguments());
    if (options.help) {
        std::fputs(qPrintable(options.helpText), stdout);
        return 0;
    }
    if (!options.dataDir.isEmpty())
        AppPaths::SetProgramFolder(options.dataDir);

    if (options.powerDryRun)
        Power::SetManager(std::make_shared<DryRunPowerManager>());
    MsgBox::SetPresenter(std::make_shared<WidgetMessagePresenter>());
    // Before anything slow: a SIGTERM during start-up is then handled as soon as the event loop runs.
    UnixSignalQuit signalQuit;

    frmMain window;
    XdgAutorun autorun(AppTitle());
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
    if (options.minimised)
        window.showMinimized();
    return app.exec();
}
