// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG icon to the PNG sizes the program uses at start (resources/linux/icons): reading a
// PNG needs no icon engine, the SVG would load one into every run. Run it after changing the SVG:
//   c++ -std=c++20 -fPIC -o /tmp/render-icon tools/RenderIcon.cpp $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/render-icon resources/linux/org.tickwell.Tickwell.svg resources/linux/icons
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: render-icon ICON.svg FOLDER\n", stderr);
        return 2;
    }
    const QIcon icon(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int size : { 16, 22, 24, 32, 48, 64 }) {
        const QPixmap pixmap = icon.pixmap(size, size);
        if (pixmap.isNull() || !pixmap.save(out.filePath(QStringLiteral("%1.png").arg(size)))) {
            std::fprintf(stderr, "render-icon: no %dx%d image (is the SVG icon engine installed?)\n", size, size);
            return 1;
        }
    }
    return 0;
}
