// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/TaskList.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>

#include <vector>

class QXmlStreamWriter;

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

    // Start-up: reads the data file. Unless another program holds the folder (`readOnly`), a file with task
    // elements that could not be read is copied aside before the next save drops them, and a file that cannot
    // be parsed is moved aside; one that cannot even be moved is never overwritten by a later save.
    struct LoadOutcome
    {
        ReadStatus status = ReadStatus::Missing;
        Contents contents;  // what was read (Ok only)
        QString error;  // why the file could not be read (Unreadable)
        QString movedTo;  // Unreadable: where the file now is; empty when it could not be moved aside
        QString skippedCopy;  // Ok with skipped tasks: the copy of the file as read; empty when none could be made
    };
    LoadOutcome Load(const QString& path, bool readOnly);

    enum class SaveOutcome {
        Saved,
        Failed,  // the first failure of a streak: the user is to be told
        FailedAgain,  // failed again before any save succeeded: the user already knows
    };
    // Writes an already serialized document (empty when the writer failed) atomically to `path`.
    SaveOutcome Save(const QString& path, const QByteArray& xml);

    static ReadStatus ReadFile(const QString& path, Contents& out, QString* error);
    static bool Parse(const QByteArray& xml, Contents& out, QString* error);
    // The whole document, indented. Empty when the writer failed.
    static QByteArray Serialize(const AppSettings& settings, const TaskList& tasks);

    static void SaveToXmlElem(const CTask& task, QXmlStreamWriter& writer);
    // Fills the task from one element's attributes and text; false when a required attribute is missing or a
    // value cannot be converted (the element is then not used).
    static bool LoadFromXmlElem(CTask& task, const QXmlStreamAttributes& attrs, const QString& text);

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
    static QString KeepCopyOfSkipped(const QString& path);  // the copy's path, "" when none could be made

    bool m_saveFailing = false;  // the last save failed and the user was to be told
    QString m_keepFile;  // an unreadable data file that could not be moved aside: never overwrite it
};

// The attribute's text, or `def` when the element has no such attribute (a null default makes the caller's
// conversion fail).
QString GetXmlAttr(const QXmlStreamAttributes& attrs, QLatin1StringView name, const QString& def = QString());

// Writes an already indented document to `path` through a temporary file beside it that is flushed to disk
// and renamed over the old file.
bool SaveXmlIndented(const QByteArray& xml, const QString& path, QString* error = nullptr);
