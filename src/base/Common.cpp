// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Common.h"

#include "base/AppPaths.h"

#include <QDir>

bool StartsWith(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

bool EndsWith(const QString& text, const QString& suffix)
{
    return text.endsWith(suffix, Qt::CaseInsensitive);
}

QString ToAppRelative(const QString& path)
{
    const QString folder = AppPaths::DataFolder();
    if (folder.isEmpty())
        return path;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : QString(folder + QLatin1Char('/'));
    if (path.size() > prefix.size() && path.startsWith(prefix, Qt::CaseSensitive))
        return path.mid(prefix.size());
    return path;
}

QString FromAppRelative(const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    const QString folder = AppPaths::DataFolder();
    if (folder.endsWith(QLatin1Char('/')))
        return folder + path;
    return folder + QLatin1Char('/') + path;
}

QString ParentFolder(const QString& path)
{
    const qsizetype pos = path.lastIndexOf(QLatin1Char('/'));
    return pos < 0 ? QString() : path.left(pos);
}

Instant DateOnly(Instant value)
{
    return DatePart(value);
}

Instant TimeOnly(Instant value)
{
    return TimePart(value);
}

QString TrimSpaces(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == QLatin1Char(' '))
        ++b;
    while (e > b && text[e - 1] == QLatin1Char(' '))
        --e;
    return (b == 0 && e == text.size()) ? text : text.mid(b, e - b);
}
