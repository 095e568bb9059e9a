// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TaskList.h"

#include <QString>
#include <QStringList>

#include <array>

// The columns of the task list and the texts of its cells, kept apart from any widget so that the list, the
// copy command and the tests share one definition.
namespace TaskColumns {

inline constexpr int kCount = 13;

enum Column : int {
    colKey = 0,
    colTitle,
    colType,
    colStatus,
    colAlarm,
    colRemain,
    colPriority,
    colDue,
    colValidPeriod,
    colStart,
    colFinish,
    colPlaned,
    colSpent,
};

struct ColumnDef
{
    QString key;  // "0_" .. "12_"
    QString caption;  // without the hidden-by-default mark
    double defaultWidth = 0;  // twips
    bool shownByDefault = true;
    double width = 0;  // twips; 0 = hidden
};
using Columns = std::array<ColumnDef, kCount>;
using Widths = std::array<double, kCount>;

// Caption and default width of every column; "*" marks a column hidden by default.
const QString& ColumnTable();

// The columns with the saved widths when `colWidthText` holds exactly 13 parts, else the default layout.
// A part that is not a number (or is negative) gives a hidden column.
Columns InitColumns(const QString& colWidthText);
// The setting text of the widths: decimal texts joined by ";".
QString ColWidthsText(const Widths& widths);

// The text of a cell; column 0 is the task key.
QString CellText(const CTask& task, int column);
// Columns 4, 5, 11 and 12 sort by number rather than by their text.
bool IsNumericSort(int column);
// The numeric sort key as fixed-width text, so that text order is number order: "0000040891.375000".
// Column 5 adds 10,000,000 unless the task has not started or is postponed, so those come first.
QString MapCol(const CTask& task, int column);

// The summary of the status bar: "共12项,显示5项,等待中3项,[工作]4项,[私人]2项."
QString Summary(const TaskList& tasks, int rowsShown);

// Text for the clipboard: the header line, then one line per row (cells joined by tabs), rows preceded by
// CR LF; a line break inside a cell becomes two spaces so that every row stays on one line.
QString CopyText(const QStringList& captions, const std::vector<QStringList>& rows);

}  // namespace TaskColumns
