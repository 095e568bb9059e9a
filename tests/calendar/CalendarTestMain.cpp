// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/PageHost.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A real web engine, offscreen, without its sandbox (no user namespaces in build containers) and without
    // a GPU. The engine starts once for the whole run: every page test lives in this one process.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    PageHost::SetModuleFile(QStringLiteral(TW_PAGEHOST_PATH));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TwTestEnvironment);
    return RUN_ALL_TESTS();
}
