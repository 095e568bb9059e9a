// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TaskColumns.h"
#include "core/TaskDisplay.h"

#include <QAbstractTableModel>
#include <QHash>

#include <vector>

// The rows of the task list: a view of some tasks of the collection, found again by the task key. A cell's text
// is made when it is first asked for (the list draws a few dozen of ten thousand rows) and kept until its row
// is refreshed, so that an idle tick repaints nothing. The remaining and spent times follow the clock: they are
// read fresh whenever asked for, and the one-second tick announces their changes only for the cells shown.
class TaskTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TaskTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Captions as shown, the sort arrow included.
    QString Caption(int column) const { return m_captions[size_t(column)]; }
    QStringList Captions() const;
    // A column caption in the interface language.
    static QString DisplayCaption(const QString& caption);
    void SetCaptions(const TaskColumns::Columns& columns);
    // Appends "↑" (ascending), "↓" (descending) or nothing to the caption, dropping an arrow already there.
    void SetSortArrow(int column, int direction);

    int RowOf(const QString& key) const;  // -1 when the task has no row
    TaskPtr TaskAt(int row) const;
    QString Text(int row, int column) const;

    // Adds a row for the task (at its sorted place while a sort is in force) and returns its index.
    int AddRow(const TaskPtr& task);
    void RemoveRow(int row);
    // Replaces all rows, in the order given, and forgets the sort.
    void ResetRows(const std::vector<TaskPtr>& tasks);

    // Recomputes every text and the colour of a row.
    void RefreshRow(int row);
    // Recomputes only the remaining and spent times; emits a change only for a cell whose text differs.
    // Returns whether something changed.
    bool RefreshTimes(int row);

    // Sorts the rows by a column (numeric columns by their sort key) and keeps that order for rows added
    // later. A column < 0 forgets the sort and leaves the rows where they are.
    void Sort(int column, Qt::SortOrder order);
    int SortColumn() const { return m_sortColumn; }

private:
    struct Row
    {
        TaskPtr task;
        int status = 0;
        // The texts made so far, one bit for each column in `made`; for the remaining and spent times, the texts
        // last given to the view.
        mutable std::array<QString, TaskColumns::kCount> text;
        mutable quint16 made = 0;
    };
    static_assert(TaskColumns::kCount <= 16);
    const QString& CellOf(const Row& row, int column, const DisplayTexts& texts) const;
    QString SortKey(const Row& row, const DisplayTexts& texts) const;
    bool Before(const QString& a, const QString& b) const;
    static Row NewRow(const TaskPtr& task);
    void Reindex() const;

    std::vector<Row> m_rows;
    std::array<QString, TaskColumns::kCount> m_captions;
    mutable QHash<QString, int> m_index;  // key -> row, rebuilt lazily after rows move
    mutable bool m_indexValid = true;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
