// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Instant.h"

#include <QDialog>

#include <memory>

namespace Ui {
class dlgValidPeriod;
}

class CTask;
class QLineEdit;
class QMenu;

// Edits the valid period of a task: the moment a recurring task starts producing occurrences and the moment
// after which it stops. Both bounds are written into the task on OK, and only then.
class dlgValidPeriod : public QDialog
{
    Q_OBJECT

public:
    explicit dlgValidPeriod(CTask& task, QWidget* parent = nullptr);
    ~dlgValidPeriod() override;

    bool IsOk() const { return m_isOk; }
    QMenu* PopupMenu() const { return m_mnuPopup; }

    void accept() override;

private:
    QLineEdit* DateField(int index) const;
    void ShowPopup(int index);
    void SetTime(int item);
    // The leave check of one field; false (after saying why) when the text is no date or time.
    bool ValidateDate(int index);
    // The bound a field stands for: 0 when empty, a clock time alone means today.
    Instant Bound(int index) const;

    std::unique_ptr<Ui::dlgValidPeriod> m_ui;
    CTask& m_task;
    QMenu* m_mnuPopup = nullptr;
    int m_selected = 0;
    bool m_isOk = false;
};
