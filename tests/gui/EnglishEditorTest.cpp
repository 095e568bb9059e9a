// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include "EnglishTexts.h"
#include "MainWindowFixture.h"
#include "editor/dlgLoopDefine.h"
#include "editor/dlgValidPeriod.h"
#include "editor/frmTask.h"
#include "timerules/Recurrence.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

using namespace EnglishTexts;

class EnglishEditor : public MainWindowFixture
{
};

TEST_F(EnglishEditor, SubDialogsShowNoChineseButTheRule)
{
    EnglishGuard english;
    CTask task;
    for (int type = 0; type < kLoopTypeCount; ++type) {
        dlgLoopDefine dlg(task);
        Child<QComboBox>(&dlg, "cboLoopType")->setCurrentIndex(type);
        EXPECT_EQ(ChineseTexts(&dlg, {}).join(u'\n').toStdString(), "") << type;
    }
    // The result line says the rule in English.
    const struct
    {
        int type;
        const char* count;
        const char* spec;  // nullptr: no detail
        const char* expected;
    } rules[] = {
        { ltDay, "1", "8:30", "every day at 8:30" },
        { ltWeek, "2", "135", "every 2 weeks on Monday, Wednesday, and Friday" },
        { ltMonth, "1", "-1", "every month on the last day" },
        { ltMonth, "3", "1,15", "every 3 months on day 1 and 15" },
        { ltYear, "1", nullptr, "every year" },
        { ltHour, "1", "5", "every hour at minute 5, second 0 of the hour" },
        { ltLunarYear, "1", "8-15", "every lunar year on 8-15 (month-day)" },
    };
    for (const auto& r : rules) {
        dlgLoopDefine dlg(task);
        Child<QComboBox>(&dlg, "cboLoopType")->setCurrentIndex(r.type);
        Child<QLineEdit>(&dlg, "txtLoopCnt")->setText(QString::fromLatin1(r.count));
        Child<QCheckBox>(&dlg, "chkTimeSpec")->setChecked(r.spec != nullptr);
        if (r.spec)
            Child<QLineEdit>(&dlg, "txtTimeSpec")->setText(QString::fromLatin1(r.spec));
        EXPECT_EQ(
            Child<QLabel>(&dlg, "lblResult")->text(), QStringLiteral("Reminder: ") + QString::fromLatin1(r.expected));
    }
    dlgValidPeriod period(task);
    EXPECT_EQ(ChineseTexts(&period, {}).join(u'\n').toStdString(), "");
    Child<QLineEdit>(&period, "txtDate_0")->setText(QStringLiteral("x"));
    period.accept();
    EXPECT_EQ(LastMessage(), QStringLiteral("Invalid date!"));
}

// What the editor stores does not depend on the language it is shown in: the same choices made in Chinese and
// in English give the same task.
TEST_F(EnglishEditor, ChoicesStoreTheSameInBothLanguages)
{
    const QString song = m_folder.file(QStringLiteral("song.mp3"));
    const ChooserGuard chooser([song](QWidget*, const QString&, const QString&) { return song; });
    const auto chooseRing = [](int index) {
        return [index](frmTask& e) {
            Child<QRadioButton>(&e, "optRingType_2")->click();
            auto* box = Child<QComboBox>(&e, "cboRingFile");
            box->setCurrentIndex(index);
            Q_EMIT box->activated(index);
        };
    };
    const auto chooseLoop = [](int type, const char* count) {
        return [type, count](frmTask& e) {
            auto* date = Child<QComboBox>(&e, "cboDueDate");
            const int entry = date->count() - 2;  // "<周期性...>", before "--"
            WhenModal([type, count](QDialog* dlg) {
                Child<QComboBox>(dlg, "cboLoopType")->setCurrentIndex(type);
                Child<QLineEdit>(dlg, "txtLoopCnt")->setText(QString::fromLatin1(count));
                dlg->accept();
            });
            date->setCurrentIndex(entry);
            Q_EMIT date->activated(entry);
        };
    };
    const struct
    {
        const char* name;
        std::function<void(frmTask&)> choose;
    } cases[] = {
        { "the music dialog", chooseRing(0) },
        { "a ringtone", chooseRing(2) },
        { "a weekly rule", chooseLoop(ltWeek, "2") },
        { "an hourly rule", chooseLoop(ltHour, "3") },
        { "a lunar rule", chooseLoop(ltLunarYear, "1") },
        { "a status",
            [](frmTask& e) {
                auto* status = Child<QComboBox>(&e, "cboStatus");
                status->setCurrentIndex(1);
                Q_EMIT status->activated(1);
            } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList stored[2];
        for (int english = 0; english < 2; ++english) {
            std::optional<EnglishGuard> guard;
            if (english)
                guard.emplace();
            frmTask editor(W().Engine());
            editor.ShowAsNewTask(&W());
            // The command entries of the data lists are shown in the editor's language.
            const auto* date = Child<QComboBox>(&editor, "cboDueDate");
            EXPECT_EQ(HasChinese(Child<QComboBox>(&editor, "cboRingFile")->itemText(0)), !english);
            EXPECT_EQ(HasChinese(date->itemText(date->count() - 2)), !english);
            c.choose(editor);
            editor.accept();
            ASSERT_TRUE(editor.EditedTask());
            const CTask& t = *editor.EditedTask();
            stored[english] << t.sDueDate << t.sDueTime << t.sRingFile << QString::number(t.eStatus());
            W().Engine().RemoveTask(editor.EditedTask());
        }
        EXPECT_EQ(stored[1], stored[0]);
        EXPECT_FALSE(stored[0].join(QString()).contains(QStringLiteral("<")));  // never a caption
    }
}
