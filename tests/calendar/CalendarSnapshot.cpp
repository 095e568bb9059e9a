// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a picture of the calendar page with its demonstration tasks, for the README:
//   xvfb-run -a tw_calendar_snapshot OUT.png [YEAR MONTH]
#include "base/AppPaths.h"
#include "base/Resources.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

int main(int argc, char** argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir folder;
    AppPaths::SetTempFolder(folder.path());
    const QString page = Resources::GetResFile(QStringLiteral("calendar.htm"));
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString month = argc >= 4
        ? QStringLiteral("calShowMonth(%1, %2);").arg(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))
        : QString();
    QWebEngineView view;
    view.resize(600, 540);
    view.show();
    view.load(QUrl::fromLocalFile(page));
    // The demonstration tasks arrive a moment after the load; then hover over the 14th to show the box.
    QTimer::singleShot(2500, &view, [&] {
        view.page()->runJavaScript(month
            + QStringLiteral("var td = document.querySelector('#grid td[data-date$=\"-14\"]'), r = "
                             "td.getBoundingClientRect(); td.dispatchEvent(new MouseEvent('mouseover', {bubbles: "
                             "true, clientX: r.left + 20, clientY: r.top + 30}));"));
    });
    QTimer::singleShot(3500, &view, [&] { app.exit(view.grab().save(out) ? 0 : 1); });
    return app.exec();
}
