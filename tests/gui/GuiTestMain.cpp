// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingNotifier.h"
#include "support/RecordingPowerManager.h"
#include "support/TestEnv.h"
#include "sync/SyncModule.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Windows are created but never shown on a real screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The single-instance channel lives in the runtime folder: a private one per test process keeps programs
    // started by tests running side by side from asking each other to come forward.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);
    // No test reaches the system's power manager, even one that forgets its guard: a refusing fake stands in.
    auto refuse = std::make_shared<RecordingPowerManager>();
    refuse->result = false;
    refuse->failure = QStringLiteral("PowerOff error=no power actions in tests");
    Power::SetManager(refuse);
    // No test sends a notification to the real desktop; the tray tests on a private bus put the real one back.
    DesktopNotifier::SetCurrent(std::make_shared<RecordingNotifier>());
    // The windows sync, test servers and import calendars through the code linked in; the real program's module
    // is tested by starting the program.
    SyncModule::UseLinkedIn();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TwTestEnvironment);
    return RUN_ALL_TESTS();
}
