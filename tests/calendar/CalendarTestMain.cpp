// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/PageHost.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineUrlScheme>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The web engine runs without a screen, a GPU or a sandbox (the test machine may be a container). It starts
    // once for the whole run: every page test lives in this one process.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // As the page host does: wb: is a known scheme, so its links reach the navigation policy.
    QWebEngineUrlScheme scheme("wb");
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
    QApplication app(argc, argv);
    // The module built beside the program.
    PageHost::SetModuleFile(QStringLiteral(TW_PAGEHOST_PATH));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TwTestEnvironment);
    return RUN_ALL_TESTS();
}
