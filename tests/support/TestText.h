// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"
#include "timerules/TimeExpr.h"

#include <QString>

#include <string>

// Chinese literals in test tables, as QString.
inline QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// An instant as a readable text for expectations and failure messages: "0", "--" for NO_DATE, or the
// moment as "yyyy-MM-dd HH:mm:ss".
inline std::string Show(Instant v)
{
    if (v == 0)
        return "0";
    if (v == NO_DATE)
        return "--";
    return DateTimeOf(v).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

// An instant as the program writes it: "yyyy-mm-dd hh:nn:ss", "--" for 0 and NO_DATE.
inline std::string Dt(Instant v)
{
    return FormatDateTimeText(v).toStdString();
}
