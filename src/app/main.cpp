// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/MainWindowWiring.h"
#include "app/QuitApp.h"
#include "app/TestAnswers.h"
#include "app/WidgetMessagePresenter.h"
#include "base/AppPaths.h"
#include "base/AppVersion.h"
#include "base/MsgBox.h"
#include "base/RegularFile.h"
#include "base/Resources.h"
#include "base/TempFiles.h"
#include "base/Translation.h"
#include "engine/TaskEngine.h"
#include "mainwindow/SyncController.h"
#include "mainwindow/SysTray.h"
#include "mainwindow/frmMain.h"
#include "platform/AudioModule.h"
#include "platform/Autorun.h"
#include "platform/CSingleInst.h"
#include "platform/DataFolderLock.h"
#include "platform/DryRunPowerManager.h"
#include "platform/RuntimeFolder.h"
#include "platform/UnixSignalQuit.h"
#include "sync/SyncModule.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>

namespace {

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The program is being ended by a signal or by the session: nobody may be there to answer a box. The box
// that is open gets its safe answer, and later messages go to stderr and the log instead.
void StopAsking()
{
    MsgBox::SetPresenter(nullptr);
    for (int i = 0; i < 16; ++i) {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            break;
        box->close();
    }
}

// The language of this run: the setting in the data folder's file, else the system's.
QString RunLanguage(const QString& folder)
{
    const QString setting = folder.isEmpty()
        ? QString()
        : Translation::StoredSetting(QDir(folder).filePath(QStringLiteral("twdata.xml")));
    return Translation::ChooseLanguage(setting, QLocale::system().uiLanguages());
}

}  // namespace

int main(int argc, char* argv[])
{
    // Read before the application object, which needs a display: --help and --version work on a console.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions options = ParseCommandLine(arguments);
    if (options.action != StartOptions::Action::Run) {
        // A core application object carries the translation; no display is needed.
        QCoreApplication console(argc, argv);
        Translation::Install(RunLanguage(
            AppPaths::ChooseDataFolder(options.dataDir, QCoreApplication::applicationDirPath(), false, nullptr)));
        // Read again so that a usage error is told in that language.
        const StartOptions told = ParseCommandLine(arguments);
        switch (told.action) {
        case StartOptions::Action::Help:
            Print(stdout, UsageText());
            return 0;
        case StartOptions::Action::Version:
            Print(stdout, VersionText() + QLatin1Char('\n'));
            return 0;
        case StartOptions::Action::UsageError:
            Print(stderr, QStringLiteral("tickwell: ") + told.error + QStringLiteral("\n\n") + UsageText());
            return 2;
        case StartOptions::Action::Run:
            break;
        }
        Translation::Uninstall();
    }

    // Started from cron, ssh or su the session names no runtime folder: the one tickwell-cli picks in a like session
    // is taken (the single-instance channel lives there), before the application object looks for it and warns.
    const bool runtimeRefused = RuntimeFolder::ChooseWhenUnset(nullptr) == RuntimeFolder::Outcome::Refused;

    // No OpenGL context sharing is asked for here: it would load the GL drivers into every run. The page host
    // module sets it up when the first page opens.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tickwell"));
    QApplication::setApplicationVersion(AppVersionText());
    // Wayland desktops match windows to the installed desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tickwell.Tickwell"));
    QApplication::setWindowIcon(SysTray::ProgramIcon());
    // A tray program: the prompt or a message box closing while the main window is hidden must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // The system's language until the data file says otherwise.
    Translation::Install(RunLanguage(QString()));
    if (runtimeRefused) {
        // Asked again for the reason in the run's language; a refused folder stays refused.
        QString why;
        RuntimeFolder::ChooseWhenUnset(&why);
        Print(stderr, QStringLiteral("tickwell: ") + why + QLatin1Char('\n'));
    }

    if (options.powerDryRun)
        Power::SetManager(std::make_shared<DryRunPowerManager>());
    MsgBox::SetPresenter(std::make_shared<WidgetMessagePresenter>());
#ifdef TW_TEST_HOOKS
    InstallTestAnswers();
#endif
    // Another instance brought forward on request: this start ends before it creates a window.
    CSingleInst singleInst;
    const auto ask = [] {
        return MsgBox::Show(QCoreApplication::translate("main", "软件另一实例已在运行，是否激活？"), MsgButtons::YesNo,
                   MsgIcon::Question)
            == MsgResult::Yes;
    };
    if (singleInst.Check(ask) == CSingleInst::Outcome::Activated)
        return 0;

    // Before the first box of start-up: a termination request ends the program at any point, saving what was
    // loaded up to then.
    UnixSignalQuit signalQuit;
    frmMain* mainWindow = nullptr;  // set once its load is over
    bool quitDuringStart = false;
    QObject::connect(&signalQuit, &UnixSignalQuit::quitRequested, &app, [&] {
        StopAsking();
        if (mainWindow)
            QuitApp(*mainWindow);
        else
            quitDuringStart = true;
    });

    QString error;
    const QString folder
        = AppPaths::ChooseDataFolder(options.dataDir, QCoreApplication::applicationDirPath(), true, &error);
    if (folder.isEmpty()) {
        MsgBox::Show(QCoreApplication::translate("main", "无法使用数据文件夹。\n\n%1").arg(error), MsgButtons::Ok,
            MsgIcon::Warning);
        return 1;
    }
    AppPaths::SetDataFolder(folder);
    // The language is a setting in the data file and must be known before the first window is built.
    Translation::Install(RunLanguage(folder));
    if (quitDuringStart)
        return 0;
    {
        // A pipe or a device in the data file's place would hold the load for ever: the program ends instead.
        const QString dataFile = QDir(folder).filePath(QStringLiteral("twdata.xml"));
        QFile probe;
        QString why;
        if (OpenRegularFile(dataFile, probe, &why) == RegularFileOpen::NotRegular) {
            const QString text = TaskEngine::NotAFileText(dataFile, why);
            Print(stderr, QStringLiteral("tickwell: ") + text + QLatin1Char('\n'));
            MsgBox::Show(text, MsgButtons::Ok, MsgIcon::Warning);
            return 1;
        }
    }

    // Sync, the keyring and calendar files come from their module the first time they are wanted.
    SyncModule::UseInstalled();
    // The media stack is loaded by the first ring, not here: most runs never ring.
    Audio::SetFactory(&Audio::LoadSystemModule);
    Audio::SetNoSoundHandler([](const QString& reason) {
        // Told from inside a player's callback: the message waits until that has returned.
        QTimer::singleShot(0, [reason] { MsgBox::Show(reason, MsgButtons::Ok, MsgIcon::Warning); });
    });

    frmMain window;
    const MainWindowWiring wiring(window);
    DataFolderLock lock(folder);
    // tickwell-cli may be in the middle of an edit: that is waited for.
    if (lock.TryLock(5000) == DataFolderLock::Result::HeldByOther) {
        const QString holder = lock.HolderPid() > 0
            ? QCoreApplication::translate("main", "进程 %1").arg(lock.HolderPid())
            : QCoreApplication::translate("main", "另一个程序");
        window.SetReadOnly(
            QCoreApplication::translate("main", "数据文件夹正由%1使用，本窗口不提醒、不保存").arg(holder));
        Print(stderr,
            QCoreApplication::translate("main", "tickwell: 数据文件夹 %1 正由%2使用：本次运行只读，不提醒、不保存。\n")
                .arg(QDir::toNativeSeparators(folder), holder));
    }
    // Only a folder the user named is written into the entry; the default rule finds the others by itself.
    XdgAutorun autorun(AppTitle(), QString(), options.dataDir.isNull() ? QString() : folder);
    window.Load(&autorun);
    if (quitDuringStart) {
        window.Unload();
        DeleteTempFiles();
        return 0;
    }
    mainWindow = &window;
    // A read-only window neither saves nor syncs: the folder's owner does.
    if (!window.Engine().IsReadOnly())
        window.Sync()->Start();
    singleInst.Register();
    QObject::connect(&singleInst, &CSingleInst::activateRequested, &window, &frmMain::RestoreFromTray);
    singleInst.SetDeferredRequestHandler([&window](const QString& request, CSingleInst::Reply reply) {
        window.AnswerRequestLater(request, std::move(reply));
    });
    Resources::InstallResources();

    QObject::connect(&window, &frmMain::quitRequested, &app, [&window] { QuitApp(window); });
    // The session is ending (log-out, shutdown): the data must be on disk whether or not we get to quit, and
    // a failed save is reported without a box nobody would answer.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&window](QSessionManager&) {
        const auto presenter = MsgBox::Presenter();
        MsgBox::SetPresenter(nullptr);
        window.Engine().SaveCfg();
        MsgBox::SetPresenter(presenter);
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [&window] {
        StopAsking();
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
