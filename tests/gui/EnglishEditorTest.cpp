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
#include <QTest>

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
        { ltWeek, "2", "135", "every 2 weeks on Mon, Wed, Fri" },
        { ltWeek, "1", "Mon Wed and Fri", "every Mon, Wed, Fri" },
        { ltMonth, "1", "-1", "the last day of every month" },
        { ltMonth, "3", "1,15", "every 3 months on the 1st and 15th" },
        { ltYear, "1", nullptr, "every year" },
        { ltHour, "1", "5", "every hour at :05" },
        { ltLunarYear, "1", "8-15", "lunar 8-15 every year" },
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

// A task kept with Chinese rules shows them in English; English typed is tidied on leaving and kept in Chinese.
TEST_F(EnglishEditor, DueFieldsShowEnglishAndKeepChinese)
{
    EnglishGuard english;
    TaskPtr task = Add(
        QStringLiteral("交电费"), {}, tsNotStarted, 0, QStringLiteral("农历每年8-15"), QStringLiteral("每2小时30分"));
    frmTask editor(W().Engine());
    editor.ShowAsTaskProperty(task, &W());
    auto* date = Child<QComboBox>(&editor, "cboDueDate");
    auto* time = Child<QComboBox>(&editor, "cboDueTime");
    EXPECT_EQ(date->currentText() + u'|' + time->currentText(), "lunar 8-15 every year|every 2 hours at :30");
    EXPECT_EQ(ChineseTexts(&editor, { QStringLiteral("交电费") }).join(u'\n').toStdString(), "");

    QApplication::setActiveWindow(&editor);
    const struct
    {
        QComboBox* box;
        const char *typed, *shown, *message;
    } cases[] = {
        { time, "5:30 pm", "17:30:00", "" },
        { date, "every  weekday", "every Mon, Tue, Wed, Thu, Fri", "" },
        { date, "every Funday", "every Funday", "Please enter a valid date" },
        { date, "the last day of every month", "the last day of every month", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        m_msg->shown.clear();
        c.box->setFocus();
        c.box->setEditText(QString::fromLatin1(c.typed));
        QTest::keyClick(c.box->lineEdit(), Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(c.box->currentText(), QString::fromLatin1(c.shown));
        EXPECT_EQ(LastMessage(), QString::fromLatin1(c.message));
    }
    editor.accept();
    EXPECT_EQ(task->sDueDate + u'|' + task->sDueTime, QStringLiteral("每月-1天|17:30:00"));
}
