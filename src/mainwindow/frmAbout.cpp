// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frmAbout.h"

#include "base/AppPaths.h"
#include "engine/RunCmd.h"
#include "ui_frmAbout.h"

#include <QDir>
#include <QLayout>

#include <algorithm>

frmAbout::frmAbout(QWidget* parent, const QString& homePage)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmAbout>())
    , m_homePage(homePage)
{
    m_ui->setupUi(this);
    m_ui->lblTitle->setText(m_ui->lblTitle->text() + AppVersionText());
    // Where the tasks are kept, so a user can back them up or move them.
    m_ui->lblDataFolder->setText(tr("数据文件夹：%1").arg(QDir::toNativeSeparators(AppPaths::DataFolder())));
    m_ui->cmdInfo->setEnabled(IsHomePageAddress(m_homePage));
    connect(m_ui->cmdInfo, &QPushButton::clicked, this, [this] { OpenHomePage(m_homePage); });
    connect(m_ui->cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->cmdOk->setFocus();
    // Wrapped texts (a longer translation, a deep data folder) need more lines than the form was drawn with.
    resize(width(), std::max(height(), layout()->heightForWidth(width())));
}

frmAbout::~frmAbout() = default;

bool frmAbout::IsHomePageAddress(const QString& address)
{
    return address.startsWith(QStringLiteral("http"), Qt::CaseInsensitive);
}

void frmAbout::OpenHomePage(const QString& address)
{
    if (!IsHomePageAddress(address))
        return;
    Platform::DesktopOpener()->Open(address, QString(), AppPaths::DataFolder(), ShowState::Normal);
}
