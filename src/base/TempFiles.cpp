// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TempFiles.h"

#include "base/AppPaths.h"
#include "base/Text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace {

QStringList& Register()
{
    static QStringList files;
    return files;
}

}  // namespace

QString CreateTempFile(const QString& prefix, const QString& extension, const QString& content)
{
    QString suffix = extension;
    if (!suffix.isEmpty() && !suffix.startsWith(QLatin1Char('.')))
        suffix.prepend(QLatin1Char('.'));
    // Separators in the prefix or the suffix would place the file outside the temporary folder.
    if (prefix.contains(QLatin1Char('/')) || suffix.contains(QLatin1Char('/')))
        return {};

    const QString folder = AppPaths::TempFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};

    QTemporaryFile file(folder + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX") + suffix);
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    const QString path = QDir::cleanPath(file.fileName());

    bool ok = true;
    if (!content.isEmpty()) {
        const QString text = Text::NormalizeToLf(content) + QLatin1Char('\n');
        const QByteArray bytes = text.toUtf8();
        ok = file.write(bytes) == bytes.size() && file.flush();
    }
    if (ok && suffix.compare(QStringLiteral(".sh"), Qt::CaseInsensitive) == 0)
        ok = file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    file.close();
    if (!ok) {
        QFile::remove(path);
        return {};
    }
    Register().append(path);
    return path;
}

void DeleteTempFile(const QString& path)
{
    if (path.isEmpty() || !Register().removeOne(path))
        return;
    QFile::remove(path);
}

void DeleteTempFiles()
{
    for (const QString& path : std::as_const(Register()))
        QFile::remove(path);
    Register().clear();
}

QStringList RegisteredTempFiles()
{
    return Register();
}
