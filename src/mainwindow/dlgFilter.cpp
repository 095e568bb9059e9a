// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dlgFilter.h"

#include "mainwindow/IFilterHost.h"
#include "core/CSimpleList.h"
#include "core/CTask.h"
#include "core/CTaskFilter.h"
#include "base/MsgBox.h"
#include "core/TaskDisplay.h"
#include "ui_dlgFilter.h"

#include <QListWidget>

dlgFilter::dlgFilter(IFilterHost& host, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::dlgFilter>())
    , m_host(host)
{
    m_ui->setupUi(this);
    setModal(false);

    m_ui->lstType->addItem(tr("(未分类)"));
    // Shown in the language installed; the filter is built from the Chinese names kept beside them.
    for (int status = 0; status < kTaskStatusCount; ++status) {
        auto* item = new QListWidgetItem(TaskStatusDisplayName(status), m_ui->lstStatus);
        item->setData(Qt::UserRole, TaskStatusName(status));
    }
    Synchronize();

    connect(m_ui->lstType, &QListWidget::itemSelectionChanged, this, &dlgFilter::ApplySelection);
    connect(m_ui->lstStatus, &QListWidget::itemSelectionChanged, this, &dlgFilter::ApplySelection);
    connect(m_ui->cmdFilter1, &QPushButton::clicked, this, [this] {
        Apply(QStringLiteral("状态=未发生,到期,推迟"));
        Synchronize();
    });
    connect(m_ui->cmdFilterClear, &QPushButton::clicked, this, [this] {
        Apply(QStringLiteral("-"));
        Synchronize();
    });
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &QDialog::close);
}

dlgFilter::~dlgFilter() = default;

void dlgFilter::Synchronize()
{
    const bool wasSynchronizing = std::exchange(m_synchronizing, true);
    const CTaskFilter& filter = m_host.CurrentFilter();

    // The dialog outlives changes of the category list: it shows the list as it is now.
    QListWidget* types = m_ui->lstType;
    QStringList shown;
    for (int i = 1; i < types->count(); ++i)
        shown << types->item(i)->text();
    const QStringList current = m_host.TaskTypes().List();
    if (shown != current) {
        while (types->count() > 1)
            delete types->takeItem(1);
        types->addItems(current);
    }
    for (int i = 0; i < types->count(); ++i) {
        // Entry 0 stands for the tasks without a category.
        const QString type = i == 0 ? QString() : types->item(i)->text();
        types->item(i)->setSelected(!filter.IsEmptyType() && filter.FilterByType(type));
    }
    QListWidget* statuses = m_ui->lstStatus;
    for (int i = 0; i < statuses->count(); ++i) {
        QListWidgetItem* item = statuses->item(i);
        item->setSelected(!filter.IsEmptyStatus() && filter.FilterByStatus(item->data(Qt::UserRole).toString()));
    }

    m_synchronizing = wasSynchronizing;
}

void dlgFilter::ApplySelection()
{
    if (m_synchronizing)
        return;

    QStringList types;
    for (int i = 1; i < m_ui->lstType->count(); ++i) {
        if (m_ui->lstType->item(i)->isSelected())
            types << m_ui->lstType->item(i)->text();
    }
    QString categories = types.join(QLatin1Char(','));
    // A trailing "," adds the empty category: the tasks without one.
    if (m_ui->lstType->count() > 0 && m_ui->lstType->item(0)->isSelected())
        categories += QLatin1Char(',');

    QStringList statuses;
    for (int i = 0; i < m_ui->lstStatus->count(); ++i) {
        if (m_ui->lstStatus->item(i)->isSelected())
            statuses << m_ui->lstStatus->item(i)->data(Qt::UserRole).toString();
    }

    QStringList conditions;
    if (!categories.isEmpty())
        conditions << QStringLiteral("类别=") + categories;
    if (!statuses.isEmpty())
        conditions << QStringLiteral("状态=") + statuses.join(QLatin1Char(','));
    Apply(conditions.join(QLatin1Char('&')));
}

void dlgFilter::Apply(const QString& text)
{
    QString errInfo;
    // The text is built here, never typed, so a rejection is our fault rather than the user's.
    if (!m_host.SetTaskFilter(text, &errInfo))
        MsgBox::Show(tr("内部错误!"), MsgButtons::Ok, MsgIcon::Warning);
}

void dlgFilter::done(int result)
{
    QDialog::done(result);
    // Without this the focus would go to whichever window the system picks next.
    if (QWidget* owner = parentWidget())
        owner->window()->activateWindow();
}
