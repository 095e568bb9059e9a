// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppVersion.h"

#include "Version.h"

#include <QCoreApplication>

QString AppTitle()
{
    return QCoreApplication::translate("AppVersion", "晴钟任务提醒");
}

QString AppVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(TW_VERSION_MAJOR).arg(TW_VERSION_MINOR).arg(TW_VERSION_REVISION);
}

qint32 VersionNumber()
{
    // Computed in 32 bits: the 16-bit product minor * 1000 of older builds overflowed past minor 32.
    return qint32(TW_VERSION_MAJOR) * 100000 + qint32(TW_VERSION_MINOR) * 1000 + qint32(TW_VERSION_REVISION);
}

QString AppTitleWithVersion()
{
    return AppTitle() + QStringLiteral(" V") + AppVersionText();
}

QString HomePageUrl()
{
    return QString();
}
