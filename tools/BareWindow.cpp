// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of scripts/startup-cost.sh: a Qt main window with a menu, an empty table and a status bar, and
// nothing else. It takes (and ignores) the program's arguments, so the script starts both the same way. Built with
// BARE_CHINESE it shows Chinese captions: the font fallback and glyphs every Chinese window pays for.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>

#include <cstdio>
#include <cstring>

#ifdef BARE_CHINESE
#define CAPTION(latin, chinese) QStringLiteral(chinese)
#else
#define CAPTION(latin, chinese) QStringLiteral(latin)
#endif

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
    window.menuBar()->addMenu(CAPTION("File", "文件"))->addAction(CAPTION("Quit", "退出"), &app, &QApplication::quit);
    window.setCentralWidget(new QTableView(&window));
    window.statusBar()->showMessage(CAPTION("ready", "就绪"));
    window.resize(800, 500);
    window.show();
    return app.exec();
}
