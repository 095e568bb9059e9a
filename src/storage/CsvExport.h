// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TaskList.h"

#include <QByteArray>
#include <QString>

// The task list as comma-separated text a spreadsheet opens: UTF-8 with a byte-order mark, CR LF line ends,
// a header line and one line of thirteen fields per task, in collection order.
QByteArray CsvText(const TaskList& tasks);

// Writes CsvText to `path`, replacing the file only once the whole text is written. False with a description
// in `error` when it cannot be written, when `path` exists and is no regular file (a FIFO, a device), or when
// it is `dataFile` itself, also through a symbolic link.
bool ExportCsv(
    const TaskList& tasks, const QString& path, QString* error = nullptr, const QString& dataFile = QString());

// Writes an export's bytes to `path` as ExportCsv does, with the same refusals and messages.
bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error, const QString& dataFile);

// Whether both paths name one existing file, symbolic links followed.
bool IsSameFile(const QString& a, const QString& b);
