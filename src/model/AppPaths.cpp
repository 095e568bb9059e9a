#include "model/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

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
    QString f = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    return f;
}

}  // namespace

namespace AppPaths {

QString ProgramFolder()
{
    if (Folder().isEmpty() && QCoreApplication::instance())
        Folder() = Clean(QCoreApplication::applicationDirPath());
    return Folder();
}

void SetProgramFolder(const QString& folder)
{
    Folder() = Clean(QDir(folder).absolutePath());
}

QString TempFolder()
{
    return Temp().isEmpty() ? Clean(QDir::tempPath()) : Temp();
}

void SetTempFolder(const QString& folder)
{
    Temp() = folder.isEmpty() ? QString() : Clean(QDir(folder).absolutePath());
}

}  // namespace AppPaths
