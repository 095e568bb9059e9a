// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ListHelpers.h"
#include "support/TestText.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

TEST(ListHelpers, ComboEntriesStayUnique)
{
    QComboBox combo;
    combo.setEditable(true);
    EXPECT_TRUE(ComboAddUnique(&combo, Q("铃声1.mid")));
    EXPECT_FALSE(ComboAddUnique(&combo, Q("铃声1.mid")));
    EXPECT_TRUE(ComboAddUnique(&combo, Q("铃声1.MID")));  // names differ by case on this system
    combo.setEditText(Q("typed"));
    EXPECT_TRUE(ComboAddUnique(&combo));
    EXPECT_EQ(combo.itemText(2), Q("typed"));
    combo.addItem(Q("铃声1.mid"));
    EXPECT_TRUE(ComboRemove(&combo, Q("铃声1.mid")));
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), Q("铃声1.mid"));  // the last equal entry went
    EXPECT_FALSE(ComboRemove(&combo, Q("absent")));
}

TEST(ListHelpers, SelectionInDisplayOrderAndClipboard)
{
    QStandardItemModel model(5, 2);
    QTableView view;
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(FirstSelectedItem(&view), -1);
    for (int r : { 3, 1 })
        view.selectionModel()->select(model.index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(SelectedItems(&view), (std::vector<int> { 1, 3 }));
    SelectOnly(&view, 4);
    EXPECT_EQ(SelectedItems(&view), std::vector<int> { 4 });
    SelectOnly(&view, 9);  // no such row: nothing changes
    EXPECT_EQ(FirstSelectedItem(&view), 4);
    SelectNone(&view);
    EXPECT_TRUE(SelectedItems(&view).empty());

    EXPECT_TRUE(CopyText(Q("任务号\t任务描述")));
    EXPECT_EQ(QApplication::clipboard()->text(), Q("任务号\t任务描述"));
}
