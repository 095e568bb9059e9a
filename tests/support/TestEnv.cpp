// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestEnv.h"
#include "support/RecordingNotifier.h"

#include "base/AppPaths.h"
#include "storage/LegacyImport.h"

#include <cstdlib>
#include <ctime>

void TwTestEnvironment::SetUp()
{
    // Tests that care about zones set their own TZ; the rest run in a fixed one.
    if (!std::getenv("TZ"))
        setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    Clock::SetSource(std::make_shared<ManualClock>());
    MsgBox::SetPresenter(std::make_shared<ScriptedPresenter>());
    // A fired task raises a desktop notification: never on the desktop of the person running the tests.
    DesktopNotifier::SetCurrent(std::make_shared<RecordingNotifier>());
    static QTemporaryDir folder;
    AppPaths::SetDataFolder(folder.path());
    AppPaths::SetTempFolder(folder.path());
    // The legacy import would look in the user's application-data folder; tests name their own folders.
    LegacyImport::SetSearchFolders({});
}

MsgResult ScriptedPresenter::Show(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    shown.push_back({ text, buttons, icon, title });
    if (answers.empty())
        return MsgBox::SafeAnswer(buttons);
    MsgResult r = answers.front();
    answers.pop_front();
    return r;
}

QString ScriptedPresenter::Input(const QString& prompt, const QString&, const QString& defaultText)
{
    prompts << prompt;
    inputDefaults << defaultText;
    if (inputs.empty())
        return {};
    QString r = inputs.front();
    inputs.pop_front();
    return r;
}

ProgramFolderGuard::ProgramFolderGuard()
    : m_previous(AppPaths::DataFolder())
    , m_previousTemp(AppPaths::TempFolder())
{
    AppPaths::SetDataFolder(m_dir.path());
    AppPaths::SetTempFolder(m_dir.path());
}

ProgramFolderGuard::~ProgramFolderGuard()
{
    AppPaths::SetDataFolder(m_previous);
    AppPaths::SetTempFolder(m_previousTemp);
}

QString ScriptedPresenter::OpenFileName(const QString&, const QString&)
{
    if (openFiles.empty())
        return {};
    QString r = openFiles.front();
    openFiles.pop_front();
    return r;
}

QString ScriptedPresenter::SaveFileName(
    const QString& title, const QString& filter, const QString& suggested, const QString& suffix)
{
    saveDialogs << QStringList { title, filter, suggested, suffix }.join(QLatin1Char('|'));
    if (saveFiles.empty())
        return {};
    QString r = saveFiles.front();
    saveFiles.pop_front();
    return r;
}
