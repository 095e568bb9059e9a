// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& Folder()
{
    static QString folder;
    return folder;
}

QString& Temp()
{
    static QString folder;
    return folder;
}

QString Clean(const QString& folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

}  // namespace

namespace AppPaths {

QString DataFolder()
{
    if (Folder().isEmpty())
        Folder() = ChooseDataFolder(QString(), QCoreApplication::applicationDirPath(), false, nullptr);
    return Folder();
}

void SetDataFolder(const QString& folder)
{
    Folder() = folder.isEmpty() ? QString() : Clean(QDir(folder).absolutePath());
}

QString UserDataFolder()
{
    // Not AppDataLocation: it would add the organisation name as a level when one is set, and tickwell-cli
    // has an application name of its own.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : Clean(base + QStringLiteral("/Tickwell"));
}

QString ChooseDataFolder(const QString& option, const QString& programFolder, bool create, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return QString();
    };
    QString folder;
    if (!option.isNull()) {
        if (option.trimmed().isEmpty())
            return fail(QCoreApplication::translate("AppPaths", "--data-dir 后面要写数据文件夹"));
        folder = Clean(QDir(QDir::fromNativeSeparators(option)).absolutePath());
        const QFileInfo info(folder);
        if (info.exists() && !info.isDir())
            return fail(
                QCoreApplication::translate("AppPaths", "不是文件夹：%1").arg(QDir::toNativeSeparators(folder)));
        if (!info.exists() && !create)
            return fail(
                QCoreApplication::translate("AppPaths", "数据文件夹不存在：%1").arg(QDir::toNativeSeparators(folder)));
    } else if (!programFolder.isEmpty() && QFileInfo(programFolder + QStringLiteral("/twdata.xml")).isFile()) {
        return Clean(programFolder);
    } else {
        folder = UserDataFolder();
        if (folder.isEmpty())
            return fail(QCoreApplication::translate(
                "AppPaths", "找不到用户数据文件夹（请检查 HOME 环境变量），可用 --data-dir 指定"));
        if (!create)
            return folder;
    }
    if (create && !QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return fail(
            QCoreApplication::translate("AppPaths", "无法创建数据文件夹：%1").arg(QDir::toNativeSeparators(folder)));
    return folder;
}

QString TempFolder()
{
    return Temp().isEmpty() ? Clean(QDir::tempPath()) : Temp();
}

QString PrivateTempFolder()
{
    if (!Temp().isEmpty())
        return Temp();
    // The runtime folder belongs to this user alone (Qt checks its owner and mode, and makes a private one under
    // the temporary folder when the session has none).
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : Clean(runtime) + QStringLiteral("/tickwell");
}

void SetTempFolder(const QString& folder)
{
    Temp() = folder.isEmpty() ? QString() : Clean(QDir(folder).absolutePath());
}

}  // namespace AppPaths
