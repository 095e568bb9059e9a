// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Text.h"

namespace Text {

QString CrLfToLf(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString LfToCrLf(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

QString NormalizeToCrLf(QString text)
{
    // Most descriptions are one line: the data file's load reads thousands.
    if (!text.contains(QLatin1Char('\n')))
        return text;
    return LfToCrLf(CrLfToLf(std::move(text)));
}

QString NormalizeToLf(QString text)
{
    return CrLfToLf(std::move(text)).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString OneLine(QString text, const QString& separator)
{
    text.replace(QLatin1String("\r\n"), separator);
    text.replace(QLatin1Char('\n'), separator);
    text.replace(QLatin1Char('\r'), separator);
    return text;
}

QStringList SplitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

}  // namespace Text
