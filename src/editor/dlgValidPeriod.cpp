// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dlgValidPeriod.h"

#include "base/MsgBox.h"
#include "core/CTask.h"
#include "editor/CalendarPicker.h"
#include "timerules/Clock.h"
#include "timerules/EnglishExpr.h"
#include "timerules/TimeExpr.h"
#include "ui_dlgValidPeriod.h"
#include "widgets/FieldHandlers.h"

#include <QMenu>

dlgValidPeriod::dlgValidPeriod(CTask& task, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::dlgValidPeriod>())
    , m_task(task)
{
    m_ui->setupUi(this);
    if (task.dtValidFromDT != 0)
        m_ui->txtDate_0->setText(FormatDateTimeText(task.dtValidFromDT));
    if (task.dtValidToDT != 0)
        m_ui->txtDate_1->setText(FormatDateTimeText(task.dtValidToDT));

    m_mnuPopup = new QMenu(this);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    // The entries are told apart by their index, never by their (translated) text.
    const QString items[] = { tr("当前时间"), tr("一天后"), tr("一个月后"), tr("从日历选择...") };
    for (int i = 0; i < 4; ++i) {
        QAction* a = m_mnuPopup->addAction(items[i]);
        a->setObjectName(QStringLiteral("mnuSetTime_%1").arg(i));
        connect(a, &QAction::triggered, this, [this, i] { SetTime(i); });
    }
    // The calendar item waits for the calendar window.
    m_mnuPopup->actions().at(3)->setEnabled(bool(CurrentCalendarPicker()));

    connect(m_ui->cmdSelDate_0, &QToolButton::clicked, this, [this] { ShowPopup(0); });
    connect(m_ui->cmdSelDate_1, &QToolButton::clicked, this, [this] { ShowPopup(1); });
    connect(m_ui->OKButton, &QPushButton::clicked, this, &dlgValidPeriod::accept);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &dlgValidPeriod::reject);
    for (int i = 0; i < 2; ++i)
        ValidateOnLeave(DateField(i), [this, i] { return ValidateDate(i); }, { m_ui->CancelButton });
}

dlgValidPeriod::~dlgValidPeriod() = default;

QLineEdit* dlgValidPeriod::DateField(int index) const
{
    return index == 0 ? m_ui->txtDate_0 : m_ui->txtDate_1;
}

void dlgValidPeriod::ShowPopup(int index)
{
    m_selected = index;
    QWidget* button = index == 0 ? m_ui->cmdSelDate_0 : m_ui->cmdSelDate_1;
    m_mnuPopup->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void dlgValidPeriod::SetTime(int item)
{
    Instant v = 0;
    switch (item) {
    case 0:
        v = Clock::Now();
        break;
    case 1:
        v = AddDays(Clock::Now(), 1);
        break;
    case 2:
        v = AddMonths(Clock::Today(), 1);
        break;
    default:
        if (const CalendarPicker& pick = CurrentCalendarPicker())
            v = pick(this);
        break;
    }
    if (v <= 0)
        return;
    DateField(m_selected)->setText(SecondsOfDay(v) != 0 ? FormatDateTimeText(v) : FormatDateText(v));
}

bool dlgValidPeriod::ValidateDate(int index)
{
    QLineEdit* field = DateField(index);
    const QString text = field->text().trimmed();
    field->setText(text);
    if (text.isEmpty())
        return true;
    const std::optional<QString> english = ReadEnglishMoment(text);
    const auto lit = ParseDateLiteral(english.value_or(text));
    if (!lit) {
        MsgBox::Show(tr("日期格式错误!"), MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    // English is shown in numbers, the form the field is filled with.
    if (!lit->hasDate)
        field->setText(FormatDateTimeText(AddSeconds(Clock::Today(), lit->seconds)));
    else if (english)
        field->setText(FormatDateTimeText(lit->Value()));
    return true;
}

Instant dlgValidPeriod::Bound(int index) const
{
    const QString text = DateField(index)->text().trimmed();
    const auto lit = ParseDateLiteral(ReadEnglishMoment(text).value_or(text));
    if (text.isEmpty() || !lit)
        return 0;
    return lit->hasDate ? lit->Value() : AddSeconds(Clock::Today(), lit->seconds);
}

void dlgValidPeriod::accept()
{
    // Enter accepts without leaving the field: a text that is no date must not pass as "no bound".
    for (int i = 0; i < 2; ++i) {
        if (!ValidateDate(i)) {
            DateField(i)->setFocus();
            return;
        }
    }
    const Instant from = Bound(0);
    const Instant to = Bound(1);
    if (to != 0) {
        if (SecondDiff(from, to) < 0) {
            MsgBox::Show(tr("不允许截止日期早于起始日期！"), MsgButtons::Ok, MsgIcon::Warning);
            m_ui->txtDate_1->setFocus();
            return;
        }
        if (SecondDiff(Clock::Now(), to) < 0
            && MsgBox::Show(tr("截止日期早于当前日期！是否继续？"), MsgButtons::YesNo, MsgIcon::Warning)
                != MsgResult::Yes)
            return;
    }
    m_task.dtValidFromDT = from;
    m_task.dtValidToDT = to;
    m_isOk = true;
    QDialog::accept();
}
