// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dlgOption.h"

#include "mainwindow/frmMain.h"
#include "ui_dlgOption.h"
#include "widgets/Appearance.h"

#include <QColorDialog>

#include <algorithm>
#include <array>

namespace {

// The choices of the language box, in its order; empty = the system's.
const std::array<QLatin1StringView, 3> kLanguages { QLatin1StringView(""), QLatin1StringView("zh"),
    QLatin1StringView("en") };

dlgOption::ColorPicker& Picker()
{
    static dlgOption::ColorPicker picker;
    return picker;
}

}  // namespace

void dlgOption::SetColorPicker(ColorPicker picker)
{
    Picker() = std::move(picker);
}

dlgOption::dlgOption(frmMain* owner)
    : QDialog(owner)
    , m_ui(std::make_unique<Ui::dlgOption>())
    , m_owner(owner)
    , m_colors { StyleColor1(), StyleColor2() }
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const AppSettings& s = owner->Engine().Settings();
    m_ui->txtAutoLockTime->setText(s.AutoLock);
    m_ui->txtUnlockPwd->setText(s.UnlockPassword());
    m_ui->chkNotify->setChecked(s.DesktopNotify);
    const auto language = std::find(kLanguages.begin(), kLanguages.end(), s.Language);
    m_ui->cboLanguage->setCurrentIndex(language == kLanguages.end() ? 0 : int(language - kLanguages.begin()));
    ShowSwatches();
    connect(m_ui->lblBgColor_0, &QPushButton::clicked, this, [this] { PickColor(0); });
    connect(m_ui->lblBgColor_1, &QPushButton::clicked, this, [this] { PickColor(1); });
    connect(m_ui->cmdApply, &QPushButton::clicked, this, &dlgOption::Apply);
    connect(m_ui->cmdOk, &QPushButton::clicked, this, [this] {
        Apply();
        close();
    });
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(this, &QDialog::finished, owner, [owner] { owner->activateWindow(); });
}

dlgOption::~dlgOption() = default;

void dlgOption::ShowSwatches()
{
    for (int i = 0; i < 2; ++i) {
        QPushButton* swatch = i == 0 ? m_ui->lblBgColor_0 : m_ui->lblBgColor_1;
        swatch->setStyleSheet(QStringLiteral("background-color: %1;").arg(m_colors[size_t(i)].name()));
    }
    // The dialog's background previews the two colours being edited.
    ThemePainter::SetPreview(this, m_colors[0], m_colors[1]);
}

void dlgOption::PickColor(int index)
{
    const QColor current = m_colors[size_t(index)];
    const QColor chosen = Picker() ? Picker()(current, this) : QColorDialog::getColor(current, this);
    if (!chosen.isValid())
        return;
    m_colors[size_t(index)] = chosen;
    ShowSwatches();
}

void dlgOption::Apply()
{
    AppSettings& s = m_owner->Engine().Settings();
    s.AutoLock = m_ui->txtAutoLockTime->text();
    s.SetUnlockPassword(m_ui->txtUnlockPwd->text());
    s.DesktopNotify = m_ui->chkNotify->isChecked();
    // Takes effect at the next start: the windows are built in one language.
    s.Language = kLanguages[size_t(std::max(0, m_ui->cboLanguage->currentIndex()))];
    m_owner->LoadAutoLock();
    m_ui->txtAutoLockTime->setText(s.AutoLock);
    if (m_colors[0] != StyleColor1() || m_colors[1] != StyleColor2())
        m_owner->SetStyleColorsAndSave(m_colors[0], m_colors[1]);
    else
        m_owner->Engine().SaveCfg();
}
