// SPDX-License-Identifier: GPL-3.0-or-later
// The folders of src/ depend on each other in one direction only; a stray include would bring back a cycle
// that one big library would hide, or tie one window to another's insides.
#include "support/TestEnv.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// The headless layers, lowest first: each may include the folders listed with it and none above.
const QStringList& HeadlessBelow(const QString& folder)
{
    static const QHash<QString, QStringList> below = {
        { QStringLiteral("timerules"), {} },
        { QStringLiteral("platform"), {} },
        { QStringLiteral("widgets"), {} },
        { QStringLiteral("base"), { QStringLiteral("timerules") } },
        { QStringLiteral("core"), { QStringLiteral("base"), QStringLiteral("timerules"), QStringLiteral("platform") } },
        { QStringLiteral("storage"),
          { QStringLiteral("core"), QStringLiteral("base"), QStringLiteral("timerules"), QStringLiteral("platform") } },
        { QStringLiteral("engine"),
          { QStringLiteral("storage"), QStringLiteral("core"), QStringLiteral("base"), QStringLiteral("timerules"),
            QStringLiteral("platform") } },
    };
    static const QStringList none;
    const auto it = below.find(folder);
    return it == below.end() ? none : *it;
}

const QStringList kHeadless = { QStringLiteral("engine"), QStringLiteral("storage"), QStringLiteral("core"),
                                QStringLiteral("base"), QStringLiteral("timerules"), QStringLiteral("platform") };

// The folders a folder may include from, itself aside.
QStringList Allowed(const QString& folder)
{
    if (folder == QStringLiteral("cli"))
        return kHeadless;
    const QStringList windowBase = kHeadless + QStringList{ QStringLiteral("widgets") };
    // The main window brings the other windows together; they never reach into it or into each other.
    if (folder == QStringLiteral("mainwindow"))
        return windowBase + QStringList{ QStringLiteral("editor"), QStringLiteral("alerts"), QStringLiteral("power"),
                                         QStringLiteral("calendar") };
    static const QStringList windows = { QStringLiteral("editor"), QStringLiteral("alerts"), QStringLiteral("power"),
                                         QStringLiteral("calendar") };
    if (windows.contains(folder))
        return windowBase;
    return HeadlessBelow(folder);
}

}  // namespace

TEST(IncludeRules, EveryFolderIncludesOnlyTheFoldersBelowIt)
{
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s+\"([a-z]+)/"), QRegularExpression::MultilineOption);
    const QString src = QStringLiteral(TW_SOURCE_DIR "/src");
    int files = 0;
    QSet<QString> folders;
    QDirIterator it(src, { QStringLiteral("*.cpp"), QStringLiteral("*.h") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString folder = path.mid(src.size() + 1).section(QLatin1Char('/'), 0, 0);
        if (folder == QStringLiteral("app"))
            continue;  // main() wires everything together
        folders.insert(folder);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        const QStringList allowed = Allowed(folder);
        const QString text = QString::fromUtf8(f.readAll());
        // The file formats report outcomes; their callers word what the user sees.
        if (folder == QStringLiteral("storage")) {
            EXPECT_FALSE(text.contains(QStringLiteral("\"base/MsgBox.h\""))) << path.toStdString();
        }
        auto matches = include.globalMatch(text);
        while (matches.hasNext()) {
            const QString used = matches.next().captured(1);
            EXPECT_TRUE(used == folder || allowed.contains(used))
                << path.toStdString() << " includes from " << used.toStdString();
        }
    }
    EXPECT_GT(files, 50);
    // A new folder needs its place in the order before it can include anything but itself.
    for (const QString& folder : folders)
        EXPECT_TRUE(folder == QStringLiteral("timerules") || folder == QStringLiteral("platform") ||
                    folder == QStringLiteral("widgets") || !Allowed(folder).isEmpty())
            << folder.toStdString() << " has no place in the include order";
}
