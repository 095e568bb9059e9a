// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QuitApp.h"

#include "mainwindow/frmMain.h"
#include "base/TempFiles.h"

#include <QApplication>
#include <QWidget>

void QuitApp(frmMain& mainWindow)
{
    mainWindow.Unload();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    DeleteTempFiles();
    QCoreApplication::quit();
}
