// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dlgFind.h"
#include "support/TestEnv.h"
#include "support/TestText.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

// Columns as in the task list: key, description, category, status.
class DlgFindTest : public ::testing::Test
{
protected:
    DlgFindTest()
    {
        const char* rows[][4] = {
            { "T01", "买菜", "家务", "未发生" },
            { "T02", "写周报", "work", "到期" },
            { "T03", "Workshop 报名", "", "已完成" },
            { "T04", "看电影", "私人", "已取消" },
        };
        for (const auto& row : rows) {
            QList<QStandardItem*> items;
            for (const char* text : row)
                items << new QStandardItem(Q(text));
            m_model.appendRow(items);
        }
        m_view.setModel(&m_model);
        m_view.setSelectionBehavior(QAbstractItemView::SelectRows);
        m_view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    }

    QLineEdit* Text() { return m_dialog.findChild<QLineEdit*>(QStringLiteral("txtSearch")); }
    QPushButton* Next() { return m_dialog.findChild<QPushButton*>(QStringLiteral("cmdNext")); }
    // The selected rows, and the current row when one is selected.
    std::vector<int> Selected()
    {
        std::vector<int> rows;
        for (const QModelIndex& index : m_view.selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        if (rows.size() == 1) {
            EXPECT_EQ(m_view.currentIndex().row(), rows[0]);
        }
        return rows;
    }
    // Selects the rows; the first one given becomes the current row.
    void Select(std::initializer_list<int> rows)
    {
        m_view.clearSelection();
        m_view.selectionModel()->setCurrentIndex(m_model.index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
        for (int row : rows)
            m_view.selectionModel()->select(
                m_model.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Sets the search text without the search that typing does.
    void SetQuietly(const char* text)
    {
        const QSignalBlocker block(Text());
        Text()->setText(Q(text));
    }
    size_t Questions()
    {
        return size_t(std::count_if(m_box->shown.begin(), m_box->shown.end(), [](const auto& s) {
            return s.text == Q("找不到了！重新从头找？") && s.icon == MsgIcon::Warning
                && s.buttons == MsgButtons::YesNo;
        }));
    }

    MsgBoxGuard m_box;
    QStandardItemModel m_model;
    QTableView m_view;
    dlgFind m_dialog { &m_view, nullptr };
};

TEST_F(DlgFindTest, NextGoesOnAndOffersToStartAgain)
{
    EXPECT_EQ(m_dialog.windowTitle(), Q("查找任务"));
    EXPECT_TRUE(Next()->isDefault());

    SetQuietly(" WORK ");  // trimmed, and compared without case: finds the category "work"
    m_box->answers = { MsgResult::Yes, MsgResult::No };
    const std::vector<std::vector<int>> steps = { { 1 }, { 2 }, { 1 }, { 2 }, {} };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        QTest::mouseClick(Next(), Qt::LeftButton);
        EXPECT_EQ(Selected(), steps[i]);
    }
    EXPECT_EQ(Questions(), 2u);
    EXPECT_EQ(m_box->shown.size(), 2u);
}

TEST_F(DlgFindTest, NextStartsAfterTheFirstSelectedRow)
{
    SetQuietly("报");
    Select({ 3, 0 });  // the lowest selected row counts, not the current one
    QTest::mouseClick(Next(), Qt::LeftButton);
    EXPECT_EQ(Selected(), std::vector<int> { 1 });

    // From the last row the search wraps to the top once asked.
    SetQuietly("已");
    Select({ 3 });
    m_box->answers = { MsgResult::Yes };
    QTest::mouseClick(Next(), Qt::LeftButton);
    EXPECT_EQ(Selected(), std::vector<int> { 2 });
    EXPECT_EQ(Questions(), 1u);
}

TEST_F(DlgFindTest, NothingAnywhereAsksOnlyOnce)
{
    SetQuietly("会议");
    Select({ 1 });
    m_box->answers = { MsgResult::Yes, MsgResult::Yes, MsgResult::Yes };
    QTest::mouseClick(Next(), Qt::LeftButton);
    EXPECT_EQ(Selected(), std::vector<int> {});
    EXPECT_EQ(Questions(), 1u);
}

TEST_F(DlgFindTest, TypingSearchesFromTheTopAndNeverAsks)
{
    m_dialog.show();
    Text()->setFocus();
    QTest::keyClicks(Text(), QStringLiteral("w"));
    EXPECT_EQ(Selected(), std::vector<int> { 1 });

    Select({ 3 });
    QTest::keyClicks(Text(), QStringLiteral("o"));
    EXPECT_EQ(Selected(), std::vector<int> { 1 });

    QTest::keyClicks(Text(), QStringLiteral("x"));
    EXPECT_EQ(Selected(), std::vector<int> {});

    // Return presses "下一个", which goes on after the selection.
    QTest::keyClick(Text(), Qt::Key_Backspace);
    EXPECT_EQ(Selected(), std::vector<int> { 1 });
    QTest::keyClick(Text(), Qt::Key_Return);
    EXPECT_EQ(Selected(), std::vector<int> { 2 });
    EXPECT_TRUE(m_box->shown.empty());
}

TEST_F(DlgFindTest, AnEmptyTextOrListDoesNothing)
{
    Select({ 2 });
    for (const char* text : { "", "   " }) {
        SCOPED_TRACE(text);
        Text()->setText(Q(text));
        QTest::mouseClick(Next(), Qt::LeftButton);
        EXPECT_EQ(Selected(), std::vector<int> { 2 });
    }

    m_model.removeRows(0, m_model.rowCount());
    Text()->setText(Q("work"));
    QTest::mouseClick(Next(), Qt::LeftButton);
    EXPECT_TRUE(m_box->shown.empty());
}
