// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/AppVersion.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

// The about box: product title with its version, a line about the product, and the way to its home page.
// The main window shows it modally.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // `homePage` is the address "主页>>" opens; the button is disabled when it is not a web address.
    explicit frmAbout(QWidget* parent = nullptr, const QString& homePage = HomePageUrl());
    ~frmAbout() override;

    // Only web addresses are opened: an empty or other text leaves the home-page commands without effect.
    static bool IsHomePageAddress(const QString& address);

    // Opens the home page with the desktop's browser; does nothing for an address that is not a web
    // address. Shared by the about box, the help menu and the tray menu. Failures are not reported.
    static void OpenHomePage(const QString& address = HomePageUrl());

private:
    std::unique_ptr<Ui::frmAbout> m_ui;
    QString m_homePage;
};
