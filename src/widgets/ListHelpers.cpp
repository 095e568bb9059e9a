// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ListHelpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>

#include <algorithm>

std::vector<int> SelectedItems(const QAbstractItemView* list)
{
    std::vector<int> rows;
    if (!list || !list->selectionModel())
        return rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int FirstSelectedItem(const QAbstractItemView* list)
{
    const std::vector<int> rows = SelectedItems(list);
    return rows.empty() ? -1 : rows.front();
}

void SelectOnly(QAbstractItemView* list, int row)
{
    if (!list || !list->model() || row < 0 || row >= list->model()->rowCount())
        return;
    const QModelIndex index = list->model()->index(row, 0);
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}

void SelectNone(QAbstractItemView* list)
{
    if (list && list->selectionModel())
        list->selectionModel()->clearSelection();
}

bool ComboAddUnique(QComboBox* combo, const QString& text)
{
    const QString item = text.isEmpty() ? combo->currentText() : text;
    if (combo->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return false;
    combo->addItem(item);
    return true;
}

bool ComboRemove(QComboBox* combo, const QString& text)
{
    for (int i = combo->count() - 1; i >= 0; --i) {
        if (combo->itemText(i) == text) {
            combo->removeItem(i);
            return true;
        }
    }
    return false;
}

bool CopyText(const QString& text)
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text);
    return true;
}
