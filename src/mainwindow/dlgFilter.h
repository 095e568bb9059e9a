// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

class IFilterHost;

namespace Ui {
class dlgFilter;
}

// Builds the list filter by picking categories and statuses. Every change of the selection applies a new
// filter at once; the dialog stays open (modeless) next to the main window.
class dlgFilter : public QDialog
{
    Q_OBJECT

public:
    dlgFilter(IFilterHost& host, QWidget* parent);
    ~dlgFilter() override;

    // Shows the current category list and selects the entries that the current filter lets through; the
    // main window calls it whenever the dialog is shown again or the filter changes elsewhere.
    void Synchronize();

    void done(int result) override;

private:
    void ApplySelection();
    void Apply(const QString& text);

    std::unique_ptr<Ui::dlgFilter> m_ui;
    IFilterHost& m_host;
    bool m_synchronizing = false;  // selections made by Synchronize are not user choices
};
