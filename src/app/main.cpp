#include "app/CommandLine.h"
#include "app/QuitApp.h"
#include "app/TestAnswers.h"
#include "app/WidgetMessagePresenter.h"
#include "mainwindow/frmMain.h"
#include "model/AppPaths.h"
#include "model/AppVersion.h"
#include "model/MsgBox.h"
#include "model/TempFiles.h"
#include "platform/Autorun.h"
#include "platform/CSingleInst.h"
#include "platform/UnixSignalQuit.h"

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

    MsgBox::SetPresenter(std::make_shared<WidgetMessagePresenter>());
#ifdef TW_TEST_HOOKS
    InstallTestAnswers();
#endif
    // Another instance brought forward on request: this start ends before it creates a window.
    CSingleInst singleInst;
    const auto ask = [] {
        return MsgBox::Show(QStringLiteral("软件另一实例已在运行，是否激活？"), MsgButtons::YesNo, MsgIcon::Question)
            == MsgResult::Yes;
    };
    if (singleInst.Check(ask) == CSingleInst::Outcome::Activated)
        return 0;
    // Before anything slow: a SIGTERM during start-up is then handled as soon as the event loop runs.
    UnixSignalQuit signalQuit;

    frmMain window;
    XdgAutorun autorun(AppTitle());
    window.Load(&autorun);
    singleInst.Register();
    QObject::connect(&singleInst, &CSingleInst::activateRequested, &window, &frmMain::RestoreFromTray);

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
