// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of scripts/startup-cost.sh: a Qt main window with a menu, an empty table and a status bar, and
// nothing else. It takes (and ignores) the program's arguments, so the script starts both the same way.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0) {
            QCoreApplication app(argc, argv);
            std::puts("bare-window: a plain Qt main window");
            return 0;
        }
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"), &app, &QApplication::quit);
    window.setCentralWidget(new QTableView(&window));
    window.statusBar()->showMessage(QStringLiteral("ready"));
    window.resize(800, 500);
    window.show();
    return app.exec();
}
