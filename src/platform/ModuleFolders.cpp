// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModuleFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Set by the build: the install folder of modules, relative to the install prefix (lib/<arch>/tickwell).
#ifndef TW_MODULE_DIR
#define TW_MODULE_DIR "lib/tickwell"
#endif

namespace ModuleFolders {

QStringList SearchPath()
{
    const QString app = QCoreApplication::applicationDirPath();
    // <prefix>/bin/tickwell finds <prefix>/lib/.../tickwell wherever the package or `cmake --install` put it.
    QStringList folders { app, QDir::cleanPath(app + QStringLiteral("/../") + QStringLiteral(TW_MODULE_DIR)) };
    folders.removeDuplicates();
    return folders;
}

QString Find(const QString& baseName)
{
    const QString file = QStringLiteral("lib") + baseName + QStringLiteral(".so");
    for (const QString& folder : SearchPath()) {
        const QFileInfo info(folder + QLatin1Char('/') + file);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return {};
}

}  // namespace ModuleFolders
