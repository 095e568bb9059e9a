// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's appearance: colour styles, the list background and the themed window backgrounds.
#include "mainwindow/dlgOption.h"
#include "mainwindow/frmMain.h"
#include "base/AppPaths.h"
#include "base/MsgBox.h"
#include "ui_frmMain.h"
#include "widgets/Appearance.h"

#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QTableView>

namespace {

QString BackgroundPicturePath()
{
    return QDir(AppPaths::ProgramFolder()).filePath(QStringLiteral("bg"));
}

}  // namespace

void frmMain::SetupStyle()
{
    Ui::frmMain& ui = *m_ui;
    m_themePainter = new ThemePainter(this);
    m_mnuColorStyle = { ui.mnuColorStyle_0 };
    const std::vector<ColorStyle>& styles = ColorStyles();
    QAction* after = ui.mnuColorStyle_0;
    for (size_t i = 1; i < styles.size(); ++i) {
        auto* a = new QAction(styles[i].DisplayName(), this);
        a->setObjectName(QStringLiteral("mnuColorStyle_%1").arg(i));
        const QList<QAction*> items = ui.mnuStyleParent->actions();
        const qsizetype at = items.indexOf(after);
        ui.mnuStyleParent->insertAction(at + 1 < items.size() ? items[at + 1] : nullptr, a);
        after = a;
        m_mnuColorStyle.push_back(a);
    }
    for (size_t i = 0; i < m_mnuColorStyle.size(); ++i)
        connect(m_mnuColorStyle[i], &QAction::triggered, this, [this, i] { mnuColorStyle_Click(int(i)); });

    auto* group = new QActionGroup(this);
    const std::array<QAction*, 4> bg { ui.mnuBgStyle_0, ui.mnuBgStyle_1, ui.mnuBgStyle_2, ui.mnuBgStyle_3 };
    for (int i = 0; i < 4; ++i) {
        bg[size_t(i)]->setCheckable(true);
        group->addAction(bg[size_t(i)]);
        connect(bg[size_t(i)], &QAction::triggered, this, [this, i] { mnuBgStyle_Click(i); });
    }
    connect(ui.mnuChooseBG, &QAction::triggered, this, &frmMain::mnuChooseBG_Click);
    connect(ui.mnuStyleDefine, &QAction::triggered, this, &frmMain::ShowOptions);
    connect(ui.mnuOpt, &QAction::triggered, this, &frmMain::ShowOptions);
    ui.mnuStyleParent->menuAction()->setEnabled(true);
}

void frmMain::ShowOptions()
{
    if (!m_dlgOption)
        m_dlgOption = new dlgOption(this);
    m_dlgOption->show();
    m_dlgOption->raise();
    m_dlgOption->activateWindow();
}

void frmMain::InitStyleMenus()
{
    const AppSettings& s = m_engine.Settings();
    QColor c1 = ColorStyles().front().color1, c2 = ColorStyles().front().color2;
    ParseColorStyleText(s.ColorStyle, &c1, &c2);  // a malformed text leaves the default pair
    SetStyleColors(c1, c2);
    const int style = s.BgStyle >= 0 && s.BgStyle <= 3 ? s.BgStyle : 0;
    for (QAction* a : { m_ui->mnuBgStyle_0, m_ui->mnuBgStyle_1, m_ui->mnuBgStyle_2, m_ui->mnuBgStyle_3 })
        a->setChecked(a->objectName().endsWith(QString::number(style)));
    ApplyStyle();
}

void frmMain::ApplyStyle()
{
    ApplyListBackground();
    ThemePainter::Restyle();
}

void frmMain::SetStyleColorsAndSave(const QColor& color1, const QColor& color2)
{
    SetStyleColors(color1, color2);
    m_engine.Settings().ColorStyle = ColorStyleText(color1, color2);
    ApplyStyle();
    m_engine.SaveCfg();
}

void frmMain::mnuColorStyle_Click(int index)
{
    const ColorStyle& style = ColorStyles().at(size_t(index));
    SetStyleColorsAndSave(style.color1, style.color2);
}

void frmMain::mnuBgStyle_Click(int index)
{
    if (index == 3 && !QFileInfo::exists(BackgroundPicturePath())) {
        mnuChooseBG_Click();
        return;
    }
    for (QAction* a : { m_ui->mnuBgStyle_0, m_ui->mnuBgStyle_1, m_ui->mnuBgStyle_2, m_ui->mnuBgStyle_3 })
        a->setChecked(a->objectName().endsWith(QString::number(index)));
    m_engine.Settings().BgStyle = index;
    ApplyListBackground();
    m_engine.SaveCfg();
}

void frmMain::mnuChooseBG_Click()
{
    const QString file
        = QFileDialog::getOpenFileName(this, tr("选择图片"), QString(), tr("图片文件(*.jpg *.bmp *.gif *.png)"));
    if (file.isEmpty()) {
        // The check mark stays where it was.
        InitStyleMenus();
        return;
    }
    const QString target = BackgroundPicturePath();
    QFile::remove(target);
    if (!QFile::copy(file, target)) {
        MsgBox::Show(tr("无法复制图片到数据文件夹。"), MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    mnuBgStyle_Click(3);
}

void frmMain::ApplyListBackground()
{
    QTableView* list = m_ui->lvwTasks;
    QPalette pal = list->palette();
    const QPalette standard = QApplication::palette(list);
    pal.setBrush(QPalette::Base, standard.brush(QPalette::Base));
    pal.setBrush(QPalette::AlternateBase, standard.brush(QPalette::AlternateBase));
    list->setAlternatingRowColors(false);
    switch (m_engine.Settings().BgStyle) {
    case 0:
        // Every other row in colour1, following the rows from the top of the list.
        pal.setColor(QPalette::AlternateBase, StyleColor1());
        list->setAlternatingRowColors(true);
        break;
    case 1:
        pal.setColor(QPalette::Base, StyleColor1());
        break;
    case 3: {
        QImageReader reader(BackgroundPicturePath());
        const QImage image = reader.read();
        if (image.isNull())
            MsgBox::Show(reader.errorString(), MsgButtons::Ok, MsgIcon::Critical);
        else
            pal.setBrush(QPalette::Base, QBrush(image));
        break;
    }
    default:
        break;
    }
    list->setPalette(pal);
}
