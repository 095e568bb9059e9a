// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timerules/Recurrence.h"

#include <QDialog>

#include <memory>

namespace Ui {
class dlgLoopDefine;
}

class CTask;

// Builds a recurrence rule from a loop type, a count and an optional detail, so the user need not type the
// rule text. On OK the rule goes into the task's due-date and due-time texts; the valid period can be edited
// from here too and is written into the task as soon as its own dialog accepts.
class dlgLoopDefine : public QDialog
{
    Q_OBJECT

public:
    explicit dlgLoopDefine(CTask& task, QWidget* parent = nullptr);
    ~dlgLoopDefine() override;

    bool IsOk() const { return m_isOk; }
    // What the fields say now; nullopt while the detail is not valid for the type.
    std::optional<LoopRuleTexts> Result() const;
    void RefreshResult();
    void DefineValidPeriod();

    void accept() override;

private:
    LoopFields Fields() const;
    void TypeChanged(int type);
    void ValidateLoopCnt();
    bool ValidateTimeSpec();

    std::unique_ptr<Ui::dlgLoopDefine> m_ui;
    CTask& m_task;
    bool m_isOk = false;
};
