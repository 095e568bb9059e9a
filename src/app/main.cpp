#include "app/CommandLine.h"
#include "app/QuitApp.h"
#include "app/WidgetMessagePresenter.h"
#include "mainwindow/frmMain.h"
#include "model/AppPaths.h"
#include "model/AppVersion.h"
#include "model/Resources.h"
#include "model/TempFiles.h"
#include "platform/Autorun.h"
#include "platform/IAudio.h"
#include "platform/UnixSignalQuit.h"
#include "platform/qtaudio/QtMediaAudio.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

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
    // Before anything slow: a SIGTERM during start-up is then handled as soon as the event loop runs.
    UnixSignalQuit signalQuit;

    // The media stack is started by the first ring, not here: most runs never ring.
    Audio::SetFactory(&MakeSystemAudio);
    Audio::SetNoSoundHandler([](const QString& reason) {
        // Told from inside a player's callback: the message waits until that has returned.
        QTimer::singleShot(0, [reason] { MsgBox::Show(reason, MsgButtons::Ok, MsgIcon::Warning); });
    });

    frmMain window;
    XdgAutorun autorun(AppTitle());
    window.Load(&autorun);
    Resources::InstallResources();

    auto quit = [&window] { QuitApp(window); };
    QObject::connect(&window, &frmMain::quitRequested, &app, quit);
    QObject::connect(&signalQuit, &UnixSignalQuit::quitRequested, &app, quit);
    // The session is ending (log-out, shutdown): the data must be on disk whether or not we get to quit.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &app, [&window](QSessionManager&) { window.Engine().SaveCfg(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&window] {
        window.Unload();
        DeleteTempFiles();
        // Players stop before the application object they live in goes away.
        Audio::SetOutput(nullptr);
        Audio::SetFactory(nullptr);
    });

    window.show();
    if (options.minimised)
        window.showMinimized();
    return app.exec();
}
