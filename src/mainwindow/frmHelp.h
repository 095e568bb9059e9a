// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmHelp;
}

// The built-in user guide: one read-only text filling the window. Modeless, owned by the main window.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelp(QWidget* parent = nullptr);
    ~frmHelp() override;

    // The guide as compiled into the program (HTML).
    static QString HelpText();

private:
    std::unique_ptr<Ui::frmHelp> m_ui;
};
