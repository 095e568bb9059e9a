// SPDX-License-Identifier: GPL-3.0-or-later
// The folders of src/ depend on each other in one direction only; a stray include would bring back a cycle
// that one big library would hide.
#include "support/TestEnv.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

// The source folders a folder may include from; an empty list (the windows) means anything but `app` and `cli`.
QStringList Allowed(const QString& folder)
{
    const QString timerules = QStringLiteral("timerules"), platform = QStringLiteral("platform"),
                  model = QStringLiteral("model"), scheduler = QStringLiteral("scheduler");
    if (folder == timerules || folder == platform || folder == QStringLiteral("widgets"))
        return { folder };
    if (folder == model)
        return { model, timerules, platform };
    if (folder == scheduler)
        return { scheduler, model, timerules, platform };
    if (folder == QStringLiteral("cli"))
        return { QStringLiteral("cli"), model, timerules, platform };
    return {};
}

}  // namespace

TEST(IncludeRules, EveryFolderIncludesOnlyTheFoldersBelowIt)
{
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s+\"([a-z]+)/"), QRegularExpression::MultilineOption);
    const QString src = QStringLiteral(TW_SOURCE_DIR "/src");
    int files = 0;
    QDirIterator it(src, { QStringLiteral("*.cpp"), QStringLiteral("*.h") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString folder = path.mid(src.size() + 1).section(QLatin1Char('/'), 0, 0);
        if (folder == QStringLiteral("app"))
            continue;  // main() wires everything together
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        const QStringList allowed = Allowed(folder);
        auto matches = include.globalMatch(QString::fromUtf8(f.readAll()));
        while (matches.hasNext()) {
            const QString used = matches.next().captured(1);
            const bool ok = allowed.isEmpty() ? used != QStringLiteral("app") && used != QStringLiteral("cli")
                                              : allowed.contains(used);
            EXPECT_TRUE(ok) << path.toStdString() << " includes from " << used.toStdString();
        }
    }
    EXPECT_GT(files, 50);
}
