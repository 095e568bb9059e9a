// SPDX-License-Identifier: GPL-3.0-or-later
#include "power/dlgShutdown.h"

#include "base/MsgBox.h"
#include "core/PowerCommand.h"
#include "platform/IPowerManager.h"
#include "timerules/Clock.h"
#include "ui_dlgShutdown.h"
#include "widgets/WindowHelpers.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

namespace {

QPointer<dlgShutdown>& SharedInstance()
{
    static QPointer<dlgShutdown> instance;
    return instance;
}

QString BadDelay()
{
    return dlgShutdown::tr("时间设置格式有误,请重新设置.");
}

}  // namespace

dlgShutdown::dlgShutdown(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::dlgShutdown>())
    , m_timer(new QTimer(this))
{
    m_ui->setupUi(this);
    m_caption = windowTitle();
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    // The first instance stays the shared one; a dialog made for one editing session does not take over.
    if (!SharedInstance())
        SharedInstance() = this;

    connect(m_timer, &QTimer::timeout, this, &dlgShutdown::Tick);
    connect(m_ui->cmdOk, &QPushButton::clicked, this, &dlgShutdown::OnOk);
    connect(m_ui->cmdExecuteImmd, &QPushButton::clicked, this, &dlgShutdown::OnExecuteImmd);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &dlgShutdown::OnCancel);
    connect(m_ui->cboTimeSpec, &QComboBox::editTextChanged, this, &dlgShutdown::UpdatePreview);
    connect(m_ui->cboTimeSpec, &QComboBox::activated, this, &dlgShutdown::UpdatePreview);
    // The countdown names the action: keep it current when the choice changes while it runs.
    connect(m_ui->lstSel, &QListWidget::currentRowChanged, this, [this] {
        if (IsCountingDown())
            Tick();
    });
    m_ui->cboTimeSpec->installEventFilter(this);
    LoadDefaults();
}

dlgShutdown::~dlgShutdown() = default;

dlgShutdown* dlgShutdown::Shared()
{
    return SharedInstance().data();
}

void dlgShutdown::LoadDefaults()
{
    m_ui->lstSel->setCurrentRow(0);
    m_ui->chkForce->setChecked(false);
    m_ui->cboTimeSpec->setCurrentIndex(0);
    m_ui->cboTimeSpec->setEditText(m_ui->cboTimeSpec->itemText(0));
    StopCountdown();
}

int dlgShutdown::SelectedAction() const
{
    // The list keeps its current row even when a Ctrl+click clears the highlight.
    return std::max(0, m_ui->lstSel->currentRow());
}

QString dlgShutdown::Command() const
{
    return PowerCommand::CommandName(SelectedAction(), m_ui->chkForce->isChecked());
}

QString dlgShutdown::ActionText() const
{
    // The list shows the actions in the user's language; the command a task stores keeps its Chinese names.
    const QListWidgetItem* item = m_ui->lstSel->item(SelectedAction());
    const QString action = item ? item->text() : Command();
    return m_ui->chkForce->isChecked() ? tr("强制%1").arg(action) : action;
}

bool dlgShutdown::ParseCommand(const QString& text)
{
    PowerCommand::Parsed parsed;
    if (!PowerCommand::Parse(text, &parsed))
        return false;
    m_ui->chkForce->setChecked(parsed.force);
    m_ui->lstSel->setCurrentRow(parsed.action);
    if (parsed.delay.isEmpty())
        m_ui->cboTimeSpec->setCurrentIndex(0);
    m_ui->cboTimeSpec->setEditText(parsed.delay.isEmpty() ? m_ui->cboTimeSpec->itemText(0) : parsed.delay);
    return true;
}

void dlgShutdown::UpdatePreview()
{
    if (!IsCountingDown())
        m_ui->txtDueTime->setText(tr("(%1后)").arg(m_ui->cboTimeSpec->currentText()));
}

bool dlgShutdown::ValidateTimeSpec()
{
    static const QRegularExpression bareNumber(QStringLiteral("^\\d+$"));
    QString text = m_ui->cboTimeSpec->currentText();
    if (bareNumber.match(text).hasMatch()) {
        text += QStringLiteral("秒");
        m_ui->cboTimeSpec->setEditText(text);
    }
    qint64 seconds = 0;
    if (PowerCommand::ParseDelay(text, &seconds))
        return true;
    MsgBox::Show(BadDelay(), MsgButtons::Ok, MsgIcon::Warning);
    FocusTimeSpec();
    return false;
}

void dlgShutdown::FocusTimeSpec()
{
    m_ui->cboTimeSpec->setFocus(Qt::OtherFocusReason);
    if (m_ui->cboTimeSpec->lineEdit())
        m_ui->cboTimeSpec->lineEdit()->selectAll();
}

bool dlgShutdown::IsCountingDown() const
{
    return m_timer->isActive();
}

void dlgShutdown::StartCountdown()
{
    qint64 seconds = 0;
    if (!PowerCommand::ParseDelay(m_ui->cboTimeSpec->currentText(), &seconds)) {
        MsgBox::Show(BadDelay(), MsgButtons::Ok, MsgIcon::Warning);
        FocusTimeSpec();
        return;
    }
    m_dueTime = Clock::CurrentDateTime().addSecs(seconds);
    m_timer->start();
    m_ui->txtDueTime->setText(m_dueTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    m_ui->cboTimeSpec->setEnabled(false);
    m_ui->cmdOk->setEnabled(false);
    Tick();
}

void dlgShutdown::StopCountdown()
{
    m_timer->stop();
    m_ui->cboTimeSpec->setEnabled(true);
    m_ui->cmdOk->setEnabled(true);
    UpdatePreview();
    m_ui->lblTimer->setText(QStringLiteral("..."));
}

void dlgShutdown::Tick()
{
    if (!IsCountingDown())
        return;
    const qint64 remaining = Clock::CurrentDateTime().secsTo(m_dueTime);
    m_ui->lblTimer->setText(tr("%1秒%2").arg(QString::number(remaining), ActionText()));
    if (remaining < 1) {
        StopCountdown();
        PerformAction();
    }
}

bool dlgShutdown::PowerMgmt(int action, bool force)
{
    QString error;
    if (Power::Manager()->Perform(PowerAction(action), force, &error))
        return true;
    MsgBox::Show(error, MsgButtons::Ok, MsgIcon::Warning);
    return false;
}

void dlgShutdown::PerformAction()
{
    if (PowerMgmt(SelectedAction(), m_ui->chkForce->isChecked()))
        close();
}

void dlgShutdown::OnOk()
{
    if (!ValidateTimeSpec())
        return;
    if (m_settingMode) {
        m_settingResult
            = PowerCommand::Build(SelectedAction(), m_ui->chkForce->isChecked(), m_ui->cboTimeSpec->currentText());
        accept();
        return;
    }
    StartCountdown();
}

void dlgShutdown::OnExecuteImmd()
{
    const QString question = tr("立即执行\"%1\"操作吗？").arg(ActionText());
    if (MsgBox::Show(question, MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes)
        return;
    StopCountdown();
    PerformAction();
}

void dlgShutdown::OnCancel()
{
    if (IsCountingDown())
        StopCountdown();
    else
        close();
}

void dlgShutdown::reject()
{
    if (IsCountingDown())
        StopCountdown();
    else
        QDialog::reject();
}

void dlgShutdown::hideEvent(QHideEvent* event)
{
    StopCountdown();
    QDialog::hideEvent(event);
}

bool dlgShutdown::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the delay box for another control checks it; switching windows does not, and neither does
    // pressing a button, which checks the delay itself (a second warning would only repeat the first).
    if (watched == m_ui->cboTimeSpec && event->type() == QEvent::FocusOut && isVisible()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = focusWidget();
        const bool toButton = next == m_ui->cmdOk || next == m_ui->cmdExecuteImmd || next == m_ui->cmdCancel;
        if (!toButton && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, [this] {
                if (isVisible() && m_ui->cboTimeSpec->isEnabled())
                    ValidateTimeSpec();
            });
    }
    return QDialog::eventFilter(watched, event);
}

QString dlgShutdown::ShowAsSetting(const QString& cmd)
{
    // Editing a task's command must not cancel a shutdown already counting down, nor turn it into the edited
    // one: the editing happens in a dialog of its own.
    if (IsCountingDown()) {
        dlgShutdown editor(parentWidget());
        return editor.ShowAsSetting(cmd);
    }
    if (isVisible())
        hide();
    else
        LoadDefaults();
    ParseCommand(cmd);
    m_settingMode = true;
    m_ui->cmdExecuteImmd->setEnabled(false);
    setWindowTitle(tr("%1 - 设置").arg(m_caption));
    m_settingResult.clear();
    SetTopMost(this, false);

    exec();

    m_settingMode = false;
    m_ui->cmdExecuteImmd->setEnabled(true);
    setWindowTitle(m_caption);
    return m_settingResult;
}

bool dlgShutdown::ShowAsExec(const QString& cmd)
{
    const bool wasOpen = isVisible();
    PowerCommand::Parsed parsed;
    if (!PowerCommand::Parse(cmd, &parsed))
        return false;
    if (!wasOpen)
        LoadDefaults();
    ParseCommand(cmd);
    SetTopMost(this, true);
    if (!wasOpen)
        show();
    ForceForeground(this);
    StartCountdown();
    return true;
}

void dlgShutdown::ShowByHand()
{
    if (!isVisible()) {
        LoadDefaults();
        SetTopMost(this, false);
    }
    ForceForeground(this);
}
