// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Appearance.h"
#include "MainWindowFixture.h"
#include "mainwindow/dlgOption.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

class AppearanceTest : public MainWindowFixture
{
protected:
    ~AppearanceTest() override
    {
        SetStyleColors(QColor(), QColor());
        dlgOption::SetColorPicker(nullptr);
    }
};

}  // namespace

TEST_F(AppearanceTest, ColourStylesAndTheStoredText)
{
    W().Load(nullptr);
    const struct
    {
        const char* item;
        quint32 bgr1, bgr2;
        const char* stored;
    } rows[] = {
        { "mnuColorStyle_1", 0xA6FFFF, 0x59FFFF, "10944511,5898239" },
        { "mnuColorStyle_2", 0xE1FFE1, 0xC4FFC4, "14811105,12910532" },
        { "mnuColorStyle_3", 0xD0D0FF, 0x8484FF, "13684991,8684799" },
        { "mnuColorStyle_0", 0xFFF3E8, 0xFFDAB5, "" },  // the default pair is not stored
    };
    EXPECT_EQ(Action("mnuColorStyle_0")->text(), Q("经典蓝(缺省)"));
    EXPECT_EQ(Action("mnuColorStyle_1")->text(), Q("黄色"));
    for (const auto& r : rows) {
        Action(r.item)->trigger();
        EXPECT_EQ(ColorToBgr(StyleColor1()), r.bgr1) << r.item;
        EXPECT_EQ(ColorToBgr(StyleColor2()), r.bgr2) << r.item;
        EXPECT_EQ(W().Engine().Settings().ColorStyle, Q(r.stored)) << r.item;
    }
    QColor a, b;
    for (const char* bad : { "", "1", "x,2", "1,-2", "1,99999999" })
        EXPECT_FALSE(ParseColorStyleText(Q(bad), &a, &b)) << bad;
    W().Unload();
}

TEST_F(AppearanceTest, BackgroundStylesOfTheList)
{
    W().Load(nullptr);
    QTableView* list = W().List();
    Action("mnuColorStyle_1")->trigger();
    Action("mnuBgStyle_1")->trigger();
    EXPECT_EQ(list->palette().color(QPalette::Base), StyleColor1());
    EXPECT_EQ(W().Engine().Settings().BgStyle, 1);
    Action("mnuBgStyle_0")->trigger();
    EXPECT_TRUE(list->alternatingRowColors());
    EXPECT_EQ(list->palette().color(QPalette::AlternateBase), StyleColor1());
    Action("mnuBgStyle_2")->trigger();
    EXPECT_FALSE(list->alternatingRowColors());
    EXPECT_NE(list->palette().color(QPalette::Base), StyleColor1());

    // A picture "bg" in the data folder; one that does not load gives a message and no picture.
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(m_folder.file(Q("bg")), "PNG"));
    Action("mnuBgStyle_3")->trigger();
    EXPECT_TRUE(Action("mnuBgStyle_3")->isChecked());
    EXPECT_FALSE(list->palette().brush(QPalette::Base).textureImage().isNull());
    QFile(m_folder.file(Q("bg"))).resize(3);
    W().ApplyListBackground();
    EXPECT_FALSE(LastMessage().isEmpty());
    EXPECT_TRUE(list->palette().brush(QPalette::Base).textureImage().isNull());
    W().Unload();
}

TEST_F(AppearanceTest, FormBackgroundBandsAndThemedWindows)
{
    QImage img(10, 200, QImage::Format_RGB32);
    QPainter p(&img);
    PaintFormBackground(p, img.rect(), Qt::blue, Qt::white, 40, 50);
    p.end();
    EXPECT_LT(QColor(img.pixel(5, 0)).red(), 20);  // colour1 at the top, colour2 below the band
    EXPECT_GT(QColor(img.pixel(5, 45)).red(), 250);
    EXPECT_EQ(QColor(img.pixel(5, 100)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(5, 199)).blue(), 255);
    EXPECT_LT(QColor(img.pixel(5, 199)).red(), 20);
    for (const char* name : { "frmMain", "frmPrompt", "dlgFilter", "dlgOption", "frmAbout" })
        EXPECT_EQ(ThemePainter::Bands(Q(name)), std::make_pair(40, 50)) << name;
    EXPECT_EQ(ThemePainter::Bands(Q("dlgFind")), std::make_pair(20, 30));
    EXPECT_EQ(ThemePainter::Bands(Q("frmHelp")), std::make_pair(0, 0));
}

TEST_F(AppearanceTest, OptionsDialogAppliesLockSettingsAndColours)
{
    W().Load(nullptr);
    W().ShowOptions();
    dlgOption* dlg = W().OptionDialog();
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dlg->windowTitle(), Q("选项设置"));
    dlg->findChild<QLineEdit*>(Q("txtAutoLockTime"))->setText(Q("45.4s"));
    dlg->findChild<QLineEdit*>(Q("txtUnlockPwd"))->setText(Q("pw"));
    dlgOption::SetColorPicker([](const QColor&, QWidget*) { return QColor(1, 2, 3); });
    dlg->findChild<QPushButton*>(Q("lblBgColor_0"))->click();
    EXPECT_EQ(StyleColor1(), ColorStyles()[0].color1) << "only previewed until applied";
    dlgOption::SetColorPicker([](const QColor&, QWidget*) { return QColor(); });
    dlg->findChild<QPushButton*>(Q("lblBgColor_1"))->click();
    EXPECT_EQ(dlg->SwatchColor(1), ColorStyles()[0].color2) << "a cancelled colour dialog changes nothing";

    dlg->findChild<QPushButton*>(Q("cmdApply"))->click();
    EXPECT_EQ(W().AutoLockSeconds(), 45);
    EXPECT_EQ(dlg->findChild<QLineEdit*>(Q("txtAutoLockTime"))->text(), Q("45s"));
    EXPECT_EQ(StyleColor1(), QColor(1, 2, 3));
    EXPECT_EQ(W().Engine().Settings().UnlockPassword(), Q("pw"));
    QFile f(DataFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xml.contains(Q("autolock=\"45s\"")));
    EXPECT_TRUE(xml.contains(Q("unlockpwd=\"cHc=\"")));
    dlg->findChild<QPushButton*>(Q("cmdCancel"))->click();
    W().Unload();
}
