// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/DataFileXml.h"

#include <QByteArray>
#include <QString>

// The data file on disk: read whole, replaced atomically so a crash leaves the old file or the new one, and
// never lost to a save: a file that cannot be parsed is moved aside as "twdata.xml.broken-YYYYMMDD-hhnnss", one
// with tasks that could not be read is copied there first. It tells its caller what happened; the caller words
// what the user is told.
class DataFile
{
public:
    enum class ReadStatus {
        Ok,
        Missing,  // there is no such file
        Unreadable,  // it exists but cannot be read or parsed; nothing was taken from it
        NotAFile,  // a pipe, a device or a folder is in its place: refused without reading, never replaced
    };

    // Reads the file without side effects on disk.
    static ReadStatus Read(const QString& path, DataFileXml::Contents& out, QString* error);

    // Start-up: reads the data file. Unless another program holds the folder (`readOnly`), a file with task
    // elements that could not be read is copied aside before the next save drops them, and a file that cannot
    // be parsed is moved aside; one that cannot even be moved is never overwritten by a later save.
    struct LoadOutcome
    {
        ReadStatus status = ReadStatus::Missing;
        DataFileXml::Contents contents;  // what was read (Ok only)
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
    // Writes a serialized document (empty when the writer failed) to `path`.
    SaveOutcome Save(const QString& path, const QByteArray& xml);

    // Writes an already indented document to `path` through a temporary file beside it that is flushed to disk
    // and renamed over the old file.
    static bool Write(const QByteArray& xml, const QString& path, QString* error = nullptr);

    // The name a broken data file is moved to: "twdata.xml.broken-YYYYMMDD-hhnnss" (a suffix when taken).
    static QString BrokenFileName(const QString& path);

private:
    bool MoveAside(const QString& path, QString* movedTo);
    static QString KeepCopyOfSkipped(const QString& path);  // the copy's path, "" when none could be made

    bool m_saveFailing = false;  // the last save failed and the user was to be told
    QString m_keepFile;  // an unreadable data file that could not be moved aside: never overwrite it
};
