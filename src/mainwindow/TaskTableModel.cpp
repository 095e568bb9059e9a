// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/TaskTableModel.h"

#include "core/TaskDisplay.h"

#include <QCoreApplication>

#include <QColor>

#include <algorithm>

using namespace TaskColumns;

TaskTableModel::TaskTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    SetCaptions(InitColumns(QString()));
}

int TaskTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TaskTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kCount;
}

QVariant TaskTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) || index.column() >= kCount)
        return {};
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Text(index.row(), index.column());
    case Qt::ToolTipRole:
        // The description column is often cut off; its tooltip shows the whole description.
        if (index.column() == colTitle)
            return row.task->sDescription();
        return {};
    case Qt::ForegroundRole: {
        const quint32 bgr = TaskStatusColor(row.status);
        return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
    }
    default:
        return {};
    }
}

QVariant TaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kCount)
        return m_captions[size_t(section)];
    return QAbstractTableModel::headerData(section, orientation, role);
}

QStringList TaskTableModel::Captions() const
{
    QStringList list;
    for (const QString& c : m_captions)
        list << c;
    return list;
}

// The captions of the column table, for the translation: the table itself keeps the Chinese names.
[[maybe_unused]] const char* const kCaptionTexts[] = { QT_TRANSLATE_NOOP("TaskColumns", "任务号"),
    QT_TRANSLATE_NOOP("TaskColumns", "任务描述"), QT_TRANSLATE_NOOP("TaskColumns", "类别"),
    QT_TRANSLATE_NOOP("TaskColumns", "状态"), QT_TRANSLATE_NOOP("TaskColumns", "提醒时间"),
    QT_TRANSLATE_NOOP("TaskColumns", "剩余时间"), QT_TRANSLATE_NOOP("TaskColumns", "优先级"),
    QT_TRANSLATE_NOOP("TaskColumns", "发生时间"), QT_TRANSLATE_NOOP("TaskColumns", "有效期"),
    QT_TRANSLATE_NOOP("TaskColumns", "开始时间"), QT_TRANSLATE_NOOP("TaskColumns", "结束时间"),
    QT_TRANSLATE_NOOP("TaskColumns", "预计用时"), QT_TRANSLATE_NOOP("TaskColumns", "实际用时") };

QString TaskTableModel::DisplayCaption(const QString& caption)
{
    return QCoreApplication::translate("TaskColumns", caption.toUtf8().constData());
}

void TaskTableModel::SetCaptions(const Columns& columns)
{
    for (int i = 0; i < kCount; ++i)
        m_captions[size_t(i)] = DisplayCaption(columns[size_t(i)].caption);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kCount - 1);
}

void TaskTableModel::SetSortArrow(int column, int direction)
{
    if (column < 0 || column >= kCount)
        return;
    QString& caption = m_captions[size_t(column)];
    if (caption.endsWith(QStringLiteral("↑")) || caption.endsWith(QStringLiteral("↓")))
        caption.chop(1);
    if (direction > 0)
        caption += QStringLiteral("↑");
    else if (direction < 0)
        caption += QStringLiteral("↓");
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void TaskTableModel::Reindex() const
{
    if (m_indexValid)
        return;
    m_index.clear();
    m_index.reserve(qsizetype(m_rows.size()));
    for (int i = 0; i < int(m_rows.size()); ++i)
        m_index.insert(m_rows[size_t(i)].task->Key(), i);
    m_indexValid = true;
}

int TaskTableModel::RowOf(const QString& key) const
{
    Reindex();
    return m_index.value(key, -1);
}

const QString& TaskTableModel::CellOf(const Row& row, int column, const DisplayTexts& texts) const
{
    const quint16 bit = quint16(1u << column);
    QString& text = row.text[size_t(column)];
    if (!(row.made & bit) || column == colRemain || column == colSpent) {
        text = texts.Cell(*row.task, column);
        row.made |= bit;
    }
    return text;
}

QString TaskTableModel::Text(int row, int column) const
{
    const Row& r = m_rows[size_t(row)];
    // A text made before is given without reading the clock: the view asks for every cell it draws.
    if ((r.made & (1u << column)) && column != colRemain && column != colSpent)
        return r.text[size_t(column)];
    return CellOf(r, column, DisplayTexts());
}

TaskPtr TaskTableModel::TaskAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].task : nullptr;
}

TaskTableModel::Row TaskTableModel::NewRow(const TaskPtr& task)
{
    Row row;
    row.task = task;
    row.status = task->eStatus();
    return row;
}

QString TaskTableModel::SortKey(const Row& row, const DisplayTexts& texts) const
{
    return IsNumericSort(m_sortColumn) ? MapCol(*row.task, m_sortColumn) : CellOf(row, m_sortColumn, texts);
}

bool TaskTableModel::Before(const QString& a, const QString& b) const
{
    const int cmp = a.compare(b, Qt::CaseInsensitive);
    return m_sortOrder == Qt::AscendingOrder ? cmp < 0 : cmp > 0;
}

int TaskTableModel::AddRow(const TaskPtr& task)
{
    Row row = NewRow(task);
    int at = int(m_rows.size());
    if (m_sortColumn >= 0) {
        // After the equal ones, so rows with the same key keep the order in which they came.
        const DisplayTexts texts;
        const QString key = SortKey(row, texts);
        const auto it = std::upper_bound(m_rows.begin(), m_rows.end(), key,
            [this, &texts](const QString& k, const Row& r) { return Before(k, SortKey(r, texts)); });
        at = int(it - m_rows.begin());
    }
    beginInsertRows({}, at, at);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    if (at == int(m_rows.size()) - 1 && m_indexValid)
        m_index.insert(task->Key(), at);
    else
        m_indexValid = false;
    endInsertRows();
    return at;
}

void TaskTableModel::RemoveRow(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    m_indexValid = false;
    endRemoveRows();
}

void TaskTableModel::ResetRows(const std::vector<TaskPtr>& tasks)
{
    beginResetModel();
    m_sortColumn = -1;
    m_rows.clear();
    m_rows.reserve(tasks.size());
    for (const TaskPtr& task : tasks)
        m_rows.push_back(NewRow(task));
    m_indexValid = false;
    endResetModel();
}

void TaskTableModel::RefreshRow(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_rows[size_t(row)] = NewRow(m_rows[size_t(row)].task);
    Q_EMIT dataChanged(index(row, 0), index(row, kCount - 1));
}

bool TaskTableModel::RefreshTimes(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    const Row& r = m_rows[size_t(row)];
    bool changed = false;
    const DisplayTexts texts;
    for (int c : { int(colRemain), int(colSpent) }) {
        QString text = texts.Cell(*r.task, c);
        const quint16 bit = quint16(1u << c);
        // A text not made before was never given to the view: it asks for the text when it draws the cell.
        const bool announce = (r.made & bit) && text != r.text[size_t(c)];
        r.text[size_t(c)] = std::move(text);
        r.made |= bit;
        if (announce) {
            Q_EMIT dataChanged(index(row, c), index(row, c), { Qt::DisplayRole });
            changed = true;
        }
    }
    return changed;
}

void TaskTableModel::Sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kCount) {
        m_sortColumn = -1;
        return;
    }
    m_sortColumn = column;
    m_sortOrder = order;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<QString, int>> keys;
    keys.reserve(m_rows.size());
    const DisplayTexts texts;
    for (int i = 0; i < int(m_rows.size()); ++i)
        keys.emplace_back(SortKey(m_rows[size_t(i)], texts), i);
    std::stable_sort(
        keys.begin(), keys.end(), [this](const auto& a, const auto& b) { return Before(a.first, b.first); });
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newRowOf(m_rows.size());
    for (int i = 0; i < int(keys.size()); ++i) {
        newRowOf[size_t(keys[size_t(i)].second)] = i;
        sorted.push_back(std::move(m_rows[size_t(keys[size_t(i)].second)]));
    }
    m_rows = std::move(sorted);
    m_indexValid = false;
    QModelIndexList after;
    for (const QModelIndex& idx : before)
        after << index(newRowOf[size_t(idx.row())], idx.column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
