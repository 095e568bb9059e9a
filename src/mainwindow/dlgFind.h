// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

class QAbstractItemView;

namespace Ui {
class dlgFind;
}

// Moves the selection of the task list to the next row whose description, category or status contains the
// search text (ignoring case). Typing searches at once from the top; "下一个" goes on after the selection and
// offers to start again from the top when it reaches the end.
class dlgFind : public QDialog
{
    Q_OBJECT

public:
    dlgFind(QAbstractItemView* list, QWidget* parent);
    ~dlgFind() override;

    // "下一个": searches on from the row after the lowest selected row (from the top when none is selected).
    void FindNext();

private:
    enum class Mode { Next, AsYouType };
    void Search(int fromRow, Mode mode);
    bool RowMatches(int row, const QString& text) const;
    void SelectRow(int row);

    std::unique_ptr<Ui::dlgFind> m_ui;
    QPointer<QAbstractItemView> m_list;
};
