// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The data file of the end-to-end tests: one task (Id 1) due and alarmed at `due`, to whole seconds, with its
// date and time texts; `taskAttributes` and `rootAttributes` add what the test is about ("Cmd=…", "EnableLog=…").
inline QByteArray OneTaskDataFile(
    const QDateTime& due, const QString& taskAttributes, const QString& rootAttributes = QString())
{
    const QString moment = due.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<tasks ver=\"100000\" types=\"\" %1>\n"
                          "  <task Id=\"1\" DueDT=\"%2\" CreateDT=\"%2\" Status=\"0\" AlarmDT=\"%2\"\n"
                          "        DueDate=\"%3\" DueTime=\"%4\" %5/>\n"
                          "</tasks>\n")
        .arg(rootAttributes, moment, due.date().toString(QStringLiteral("yyyy-M-d")),
            due.time().toString(QStringLiteral("h:mm:ss")), taskAttributes)
        .toUtf8();
}

// Now plus `seconds`, cut to the whole second as the data file keeps it.
inline QDateTime WholeSecondsFromNow(int seconds)
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())).addSecs(seconds);
}
