// SPDX-License-Identifier: GPL-3.0-or-later
// The task list of the main window: columns, rows, summary, sorting and the mouse.
#include "core/TaskDisplay.h"
#include "mainwindow/SyncController.h"
#include "mainwindow/TaskTableModel.h"
#include "mainwindow/frmMain.h"
#include "ui_frmMain.h"
#include "widgets/ListHelpers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace TaskColumns;

QTableView* frmMain::List() const
{
    return m_ui->lvwTasks;
}

void frmMain::SetupList()
{
    m_model = new TaskTableModel(this);
    QTableView* list = m_ui->lvwTasks;
    list->setModel(m_model);
    list->setSortingEnabled(false);  // the header click sorts through ColumnClick
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    QHeaderView* header = list->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(8);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { ColumnClick(column); });
    connect(header, &QHeaderView::sectionResized, this, &frmMain::OnSectionResized);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateTaskMenu(); });
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
    // A right click on the header offers the column chooser.
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this,
        [this, header](const QPoint& pos) { m_ui->mnuColSet->popup(header->mapToGlobal(pos)); });
}

int frmMain::TwipsToPixels(double twips) const
{
    return int(std::lround(twips * m_ui->lvwTasks->logicalDpiX() / 1440.0));
}

double frmMain::PixelsToTwips(int pixels) const
{
    return std::round(pixels * 1440.0 / m_ui->lvwTasks->logicalDpiX());
}

void frmMain::InitColumns(const QString& colWidthText)
{
    m_columns = TaskColumns::InitColumns(colWidthText);
    for (int i = 0; i < kCount; ++i)
        m_colTwips[size_t(i)] = m_columns[size_t(i)].width;
    if (colWidthText.isEmpty())
        WidenDefaultsToFit();
    // Fresh captions carry no arrow, so the sort they showed is forgotten too.
    m_sortColumn = -1;
    m_model->Sort(-1, Qt::AscendingOrder);
    m_model->SetCaptions(m_columns);
    for (int i = 0; i < kCount; ++i)
        if (m_mnuColumn[size_t(i)])
            m_mnuColumn[size_t(i)]->setText(TaskTableModel::DisplayCaption(m_columns[size_t(i)].caption));
    ApplyColumnWidths();
}

// The default widths were chosen for the Chinese texts; a translation's longer captions and status names would be
// cut off. A width the user set is left alone.
void frmMain::WidenDefaultsToFit()
{
    const QFontMetrics list(m_ui->lvwTasks->font());
    const QFontMetrics head(m_ui->lvwTasks->horizontalHeader()->font());
    const int padding = 2 * m_ui->lvwTasks->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_ui->lvwTasks)
        + head.averageCharWidth() * 2;
    for (int i = 0; i < kCount; ++i) {
        double& twips = m_colTwips[size_t(i)];
        if (twips <= 0)
            continue;
        int needed = head.horizontalAdvance(TaskTableModel::DisplayCaption(m_columns[size_t(i)].caption));
        if (i == colStatus)
            for (int s = 0; s < kTaskStatusCount; ++s)
                needed = std::max(needed, list.horizontalAdvance(TaskStatusDisplayName(s)));
        if (i == colPriority)
            for (int p = tpLow; p <= tpUrgent; ++p)
                needed = std::max(needed, list.horizontalAdvance(TaskPriorityDisplayName(p)));
        if (TwipsToPixels(twips) < needed + padding)
            twips = PixelsToTwips(needed + padding);
    }
}

void frmMain::ApplyColumnWidths()
{
    QHeaderView* header = m_ui->lvwTasks->horizontalHeader();
    m_applyingWidths = true;
    const auto done = qScopeGuard([this] { m_applyingWidths = false; });
    for (int i = 0; i < kCount; ++i) {
        const double twips = m_colTwips[size_t(i)];
        if (twips <= 0) {
            header->hideSection(i);
        } else {
            header->showSection(i);
            header->resizeSection(i, std::max(TwipsToPixels(twips), header->minimumSectionSize()));
        }
    }
}

void frmMain::OnSectionResized(int column, int, int newSize)
{
    if (m_applyingWidths || column < 0 || column >= kCount)
        return;
    // Widths stay in twips, so a layout nobody touched is written back exactly as it was read.
    if (newSize <= 0 || m_ui->lvwTasks->horizontalHeader()->isSectionHidden(column))
        m_colTwips[size_t(column)] = 0;
    else if (TwipsToPixels(m_colTwips[size_t(column)]) != newSize)
        m_colTwips[size_t(column)] = PixelsToTwips(newSize);
}

QString frmMain::GetColWidths() const
{
    return ColWidthsText(m_colTwips);
}

void frmMain::OnColumnMenuOpened()
{
    for (int i = 0; i < kCount; ++i) {
        QAction* a = m_mnuColumn[size_t(i)];
        a->setChecked(m_colTwips[size_t(i)] > 0);
        a->setText(a->text());
    }
}

void frmMain::OnColumnToggled(int column, bool checked)
{
    m_colTwips[size_t(column)] = checked ? m_columns[size_t(column)].defaultWidth : 0;
    ApplyColumnWidths();
}

void frmMain::SelectAllColumns()
{
    setUpdatesEnabled(false);
    for (int i = 0; i < kCount; ++i) {
        if (m_colTwips[size_t(i)] <= 0) {
            m_colTwips[size_t(i)] = m_columns[size_t(i)].defaultWidth;
            m_mnuColumn[size_t(i)]->setChecked(true);
        }
    }
    ApplyColumnWidths();
    setUpdatesEnabled(true);
}

// ---- Rows ----

void frmMain::AddTaskItem(const TaskPtr& task)
{
    if (!task || m_engine.GetTask(task->Key()) != task)
        return;
    int row = m_model->RowOf(task->Key());
    if (row < 0)
        row = m_model->AddRow(task);
    UpdateTaskItem(task, row);
}

void frmMain::UpdateTaskItem(const TaskPtr& task, int row)
{
    if (!task || m_engine.GetTask(task->Key()) != task)
        return;
    if (row < 0 || m_model->TaskAt(row) != task) {
        row = m_model->RowOf(task->Key());
        if (row < 0) {
            if (!m_filter.Filter(*task))
                return;
            row = m_model->AddRow(task);
        }
    }
    m_model->RefreshRow(row);
    // A task edited or re-statused out of the filter leaves the list at once.
    if (!m_filter.Filter(*task))
        m_model->RemoveRow(row);
    UpdateSummary();
}

void frmMain::TaskAdded(const TaskPtr& task)
{
    AddTaskItem(task);
    m_sync->LocalChange();
}

void frmMain::TaskChanged(const TaskPtr& task)
{
    UpdateTaskItem(task);
    m_sync->LocalChange();
}

void frmMain::TasksRemoved(const std::vector<TaskPtr>& tasks)
{
    m_sync->LocalChange();
    // Rows found first and dropped from the bottom up, so no row moves before its turn.
    std::vector<int> rows;
    for (const TaskPtr& task : tasks) {
        const int row = m_model->RowOf(task->Key());
        if (row >= 0 && m_model->TaskAt(row) == task)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows)
        m_model->RemoveRow(row);
    UpdateSummary();
}

void frmMain::RefreshTaskTimes(const TaskPtr& task)
{
    // Rows off screen keep their old texts until they are drawn: the model gives the times of the moment.
    const auto it = std::lower_bound(m_shownTasks.begin(), m_shownTasks.end(), task.get(),
        [](const std::pair<const CTask*, int>& shown, const CTask* t) { return shown.first < t; });
    if (it == m_shownTasks.end() || it->first != task.get())
        return;
    // A message box raised inside the scan may have moved the rows.
    const int row = m_model->TaskAt(it->second) == task ? it->second : m_model->RowOf(task->Key());
    if (row >= 0)
        m_model->RefreshTimes(row);
}

void frmMain::NoteShownRows()
{
    m_shownTasks.clear();
    const QTableView* list = m_ui->lvwTasks;
    if (IsAway() || !list->isVisible() || m_model->rowCount() == 0)
        return;
    const int first = list->rowAt(0);
    if (first < 0)
        return;
    int last = list->rowAt(list->viewport()->height() - 1);
    if (last < 0)
        last = m_model->rowCount() - 1;
    for (int row = first; row <= last; ++row)
        m_shownTasks.emplace_back(m_model->TaskAt(row).get(), row);
    std::sort(m_shownTasks.begin(), m_shownTasks.end());
}

void frmMain::RefreshShownTimes()
{
    for (const auto& shown : m_shownTasks)
        if (const TaskPtr task = m_model->TaskAt(shown.second); task && task->IsWaiting())
            m_model->RefreshTimes(shown.second);
}

namespace {

// The filter as the status bar shows it: field and status names in the language installed, categories as typed.
// The filter itself stays in the Chinese filter language, which is what is stored and typed.
QString FilterDisplayText(const QString& filter)
{
    QStringList conditions = filter.split(QLatin1Char('&'));
    for (QString& condition : conditions) {
        const qsizetype eq = condition.indexOf(QLatin1Char('='));
        const QString name = condition.left(eq);
        if (eq < 0 || (name != QStringLiteral("状态") && name != QStringLiteral("类别")))
            continue;
        QStringList values = condition.mid(eq + 1).split(QLatin1Char(','));
        if (name == QStringLiteral("状态"))
            for (QString& value : values)
                for (int status = 0; status < kTaskStatusCount; ++status)
                    if (value == TaskStatusName(status))
                        value = TaskStatusDisplayName(status);
        const QString field = name == QStringLiteral("状态") ? frmMain::tr("状态") : frmMain::tr("类别");
        condition = field + QLatin1Char('=') + values.join(QLatin1Char(','));
    }
    return conditions.join(QLatin1Char('&'));
}

}  // namespace

void frmMain::RefreshList()
{
    m_panelFilter->setText(
        m_filter.Text().isEmpty() ? tr("无过滤(双击设置)") : tr("过滤: %1").arg(FilterDisplayText(m_filter.Text())));
    ColumnClick(-1);
    std::vector<TaskPtr> shown;
    shown.reserve(size_t(m_engine.Tasks().Count()));
    for (const TaskPtr& task : m_engine.Tasks())
        if (m_filter.Filter(*task))
            shown.push_back(task);
    m_model->ResetRows(shown);
    SelectNone(m_ui->lvwTasks);
    UpdateSummary();
}

void frmMain::UpdateSummary()
{
    const QString text = Summary(m_engine.Tasks(), m_model->rowCount());
    m_panelSummary->setText(text);
    const QString tip = tr("任务: %1").arg(text);
    if (tip != m_trayTip) {
        m_trayTip = tip;
        Q_EMIT trayTipChanged(tip);
    }
    const int total = m_engine.Tasks().Count();
    if (m_loaded && total != m_lastTaskCount && IsAway())
        Q_EMIT balloonRequested(tip);
    m_lastTaskCount = total;
}

QString frmMain::SummaryText() const
{
    return m_panelSummary->text();
}

QString frmMain::FilterPanelText() const
{
    return m_panelFilter->text();
}

// ---- Sorting ----

void frmMain::ColumnClick(int column)
{
    if (column < 0 || column >= kCount) {
        if (m_sortColumn >= 0)
            m_model->SetSortArrow(m_sortColumn, 0);
        m_sortColumn = -1;
        m_model->Sort(-1, Qt::AscendingOrder);
        return;
    }
    if (column == m_sortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortOrder = Qt::AscendingOrder;
        if (m_sortColumn >= 0)
            m_model->SetSortArrow(m_sortColumn, 0);
        m_sortColumn = column;
    }
    m_model->SetSortArrow(column, m_sortOrder == Qt::AscendingOrder ? 1 : -1);
    m_model->Sort(column, m_sortOrder);
}

// ---- Selection ----

std::vector<int> frmMain::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_ui->lvwTasks->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

TaskPtr frmMain::FirstSelectedTask() const
{
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? nullptr : m_model->TaskAt(rows.front());
}

void frmMain::SelectOnly(int row)
{
    QTableView* list = m_ui->lvwTasks;
    const QModelIndex index = m_model->index(row, 0);
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}

// ---- Mouse ----

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->lvwTasks->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(event);
            if (!m_ui->lvwTasks->indexAt(me->position().toPoint()).isValid())
                SelectNone(m_ui->lvwTasks);
            if (me->button() == Qt::RightButton) {
                UpdateTaskMenu();
                TaskMenu()->popup(me->globalPosition().toPoint());
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton) {
                OnListDoubleClick(me->position().toPoint());
                return true;
            }
        }
        return false;
    }
    if (watched == m_ui->lvwTasks && event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        // The menu key opens the Task menu at the current row, as the right button does under the pointer.
        QTableView* list = m_ui->lvwTasks;
        const QRect rect = list->visualRect(list->currentIndex());
        const QPoint at = rect.isValid() ? rect.bottomLeft() : QPoint(0, 0);
        UpdateTaskMenu();
        TaskMenu()->popup(list->viewport()->mapToGlobal(at));
        return true;
    }
    if (watched == m_panelSummary || watched == m_panelFilter || watched == statusBar()) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            FilterMenu()->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
            && watched != statusBar()) {
            StatusBarDoubleClicked(watched == m_panelFilter);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::OnListDoubleClick(const QPoint& pos)
{
    const QModelIndex index = m_ui->lvwTasks->indexAt(pos);
    if (!index.isValid()) {
        NewTask();
        return;
    }
    SelectOnly(index.row());
    EditTask();
}
