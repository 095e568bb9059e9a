// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dlgFind.h"

#include "base/MsgBox.h"
#include "ui_dlgFind.h"

#include "widgets/ListHelpers.h"
#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace {

// The task list's description, category and status columns.
constexpr int kSearchColumns[] = { 1, 2, 3 };

}  // namespace

dlgFind::dlgFind(QAbstractItemView* list, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::dlgFind>())
    , m_list(list)
{
    m_ui->setupUi(this);
    setModal(false);

    connect(m_ui->cmdNext, &QPushButton::clicked, this, &dlgFind::FindNext);
    connect(m_ui->txtSearch, &QLineEdit::textChanged, this, [this] { Search(0, Mode::AsYouType); });
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &QDialog::close);
}

dlgFind::~dlgFind() = default;

void dlgFind::FindNext()
{
    if (!m_list || !m_list->selectionModel())
        return;
    Search(FirstSelectedItem(m_list) + 1, Mode::Next);
}

void dlgFind::Search(int fromRow, Mode mode)
{
    const QString text = m_ui->txtSearch->text().trimmed();
    // Every row contains the empty text: searching for it would only walk the selection down the list.
    if (text.isEmpty())
        return;

    const QPointer<dlgFind> self(this);
    bool fromTop = false;
    for (;;) {
        // Looked up again on every pass: the list may have been rebuilt while the question was open.
        if (!m_list || !m_list->model() || !m_list->selectionModel())
            return;
        const int rows = m_list->model()->rowCount();
        if (rows == 0)
            return;
        for (int row = fromRow; row < rows; ++row) {
            if (RowMatches(row, text)) {
                SelectRow(row);
                return;
            }
        }
        SelectNone(m_list);
        // A pass from the top that found nothing would find nothing again.
        if (mode == Mode::AsYouType || fromTop)
            return;
        if (MsgBox::Show(tr("找不到了！重新从头找？"), MsgButtons::YesNo, MsgIcon::Warning) != MsgResult::Yes)
            return;
        if (!self)
            return;
        fromTop = true;
        fromRow = 0;
    }
}

bool dlgFind::RowMatches(int row, const QString& text) const
{
    const QAbstractItemModel* model = m_list->model();
    for (int column : kSearchColumns) {
        if (column >= model->columnCount())
            break;
        if (model->index(row, column).data(Qt::DisplayRole).toString().contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void dlgFind::SelectRow(int row)
{
    SelectOnly(m_list, row);
}
