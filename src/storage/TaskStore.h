// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/TaskList.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>

#include <vector>

class QXmlStreamWriter;
class TaskEngine;

// The data file twdata.xml: the settings as attributes of the document element `tasks`, one `task` element per
// task. Read with QXmlStreamReader (no DTDs, so no entity expansion), written with QXmlStreamWriter, one element
// per line, and replaced atomically so a crash leaves the old file or the new one.
class TaskStore
{
public:
    enum class ReadStatus {
        Ok,
        Missing,  // there is no such file
        Unreadable,  // it exists but cannot be read or parsed; nothing was taken from it
    };

    // What one read of the file yields.
    struct Contents
    {
        AppSettings settings;
        std::vector<TaskPtr> tasks;  // in file order, numbered as stored (0 = to be numbered)
        int skipped = 0;  // task elements left out because a field could not be read
    };

    // Start-up: reads the data file into the engine, or, when there is none, imports the legacy file. A data
    // file that cannot be parsed is moved aside (the user is told where) and the engine starts empty.
    // False only when such a file was met.
    bool Load(TaskEngine& engine);
    // Writes settings and tasks. A failure warns the user once, until a save succeeds again.
    bool Save(const TaskEngine& engine);

    // Reads the file into the engine without side effects on disk or message boxes (the command-line tool).
    // `skipped`, when given, receives the number of task elements that could not be read.
    static ReadStatus LoadInto(TaskEngine& engine, const QString& path, QString* error, int* skipped = nullptr);
    // Adds tasks read from a file. A number already taken (a hand-edited file) gets a new number instead of
    // losing the task.
    static void AddLoaded(TaskEngine& engine, const std::vector<TaskPtr>& tasks);

    static ReadStatus ReadFile(const QString& path, Contents& out, QString* error);
    static bool Parse(const QByteArray& xml, Contents& out, QString* error);
    // The whole document, indented. Empty when the writer failed.
    static QByteArray Serialize(const AppSettings& settings, const TaskList& tasks);

    static void SaveToXmlElem(const CTask& task, QXmlStreamWriter& writer);
    // Fills the task from one element's attributes and text; false when a required attribute is missing or a
    // value cannot be converted (the element is then not used).
    static bool LoadFromXmlElem(CTask& task, const QXmlStreamAttributes& attrs, const QString& text);

    // "yyyy-mm-dd hh:nn:ss"; "--" for 0, for NO_DATE and later, and for what no calendar can show.
    static QString DateTimeText(Instant value);
    // A date with an optional time ("2010-10-01 09:05:00", "2010/10/1 9:05", "2010-10-1"), or a time alone
    // (on day 0). False for anything else.
    static bool ParseDateTimeText(QStringView text, Instant& value);

    // A whole number (a decimal text is rounded). False for a null or unreadable text.
    static bool ReadInt(const QString& text, int& value);
    // "true"/"false" in any letter case, or a number (0 false, anything else true).
    static bool ReadBool(const QString& text, bool& value);
    // Dates read like the due and alarm instants: "--" is NO_DATE, the empty text 0, "m-d" that day of the
    // current year, anything else a date and time. False for a null or unreadable text.
    static bool ReadDueText(const QString& text, Instant& value);
    // The other dates: "--" (what the writer puts for an instant of 0) and the empty text are 0, anything else
    // must be a date and time.
    static bool ReadDateTime(const QString& text, Instant& value);

    // The name a broken data file is moved to: "twdata.xml.broken-YYYYMMDD-hhnnss" (a suffix when taken).
    static QString BrokenFileName(const QString& path);

private:
    bool MoveAside(const QString& path, QString* movedTo);
    static void KeepCopyOfSkipped(const QString& path, int skipped);

    bool m_saveFailing = false;  // the last save failed and the user has been told
    QString m_keepFile;  // an unreadable data file that could not be moved aside: never overwrite it
};

// The attribute's text, or `def` when the element has no such attribute (a null default makes the caller's
// conversion fail).
QString GetXmlAttr(const QXmlStreamAttributes& attrs, QLatin1StringView name, const QString& def = QString());

// Writes an already indented document to `path` through a temporary file beside it that is flushed to disk
// and renamed over the old file.
bool SaveXmlIndented(const QByteArray& xml, const QString& path, QString* error = nullptr);
