// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "alerts/frmPrompt.h"
#include "editor/frmTask.h"
#include "mainwindow/frmHelp.h"
#include "model/Translation.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>

namespace {

// Installed before the windows are built, removed after they are gone.
struct EnglishGuard
{
    EnglishGuard() { EXPECT_TRUE(Translation::Install(QStringLiteral("en"))); }
    ~EnglishGuard() { Translation::Uninstall(); }
};

// Entries that are data kept Chinese: the expression language, delays the program parses, categories, ringtone
// files, and the status names, which are also the values of the filter language.
const QStringList kDataBoxes
    = { "cboDueDate", "cboDueTime", "cboDelay", "cboType", "cboCmd", "cboStatus", "cboRingFile" };
const QRegularExpression kDataActions(QStringLiteral("^(mnuFilterStatusItem_\\d+|mnuFilterDefine|mnuStyleDefine)$"));

bool HasChinese(const QString& text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(cjk);
}

// Every visible text of `root` that is still Chinese, named by its object, once the data in `allowed` is taken out.
QStringList ChineseTexts(QWidget* root, const QStringList& allowed)
{
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text) {
        QString rest = text;
        for (const QString& data : allowed)
            rest.remove(data);
        if (HasChinese(rest))
            found << o->objectName() + QStringLiteral(": ") + text;
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        check(w, w->windowTitle());
        check(w, w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            check(l, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            check(b, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            check(g, g->title());
        if (auto* c = qobject_cast<QComboBox*>(w); c && !kDataBoxes.contains(c->objectName()))
            for (int i = 0; i < c->count(); ++i)
                check(c, c->itemText(i));
        if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
            for (int i = 0; i < h->count(); ++i)
                check(h, h->model()->headerData(i, h->orientation()).toString());
        for (QAction* a : w->actions()) {
            if (kDataActions.match(a->objectName()).hasMatch())
                continue;
            check(a, a->text());
            check(a, a->toolTip());
        }
        if (auto* m = qobject_cast<QMenu*>(w))
            check(m, m->title());
    }
    return found;
}

}  // namespace

class EnglishUi : private EnglishGuard, public MainWindowFixture
{
};

TEST_F(EnglishUi, MainWindowEditorAndPromptShowNoChineseButData)
{
    // The task's own texts are data and stay as typed.
    TaskPtr task = Add(QStringLiteral("交电费"), QStringLiteral("家务"));
    W().show();
    const QStringList data = { QStringLiteral("交电费"), QStringLiteral("家务") };
    EXPECT_EQ(ChineseTexts(&W(), data).join(u'\n').toStdString(), "");

    W().Editor()->ShowAsNewTask(&W());
    EXPECT_EQ(ChineseTexts(W().Editor(), data).join(u'\n').toStdString(), "");

    frmPrompt prompt(W().Engine());
    W().Engine().SetTaskStatus(task, tsDue, true, true);
    prompt.AddTask(task);
    // The list entry shows the task's own date words, which are data too.
    const QStringList promptData = data + QStringList { prompt.findChild<QLabel*>("lblAlarmDT")->text() };
    EXPECT_EQ(ChineseTexts(&prompt, promptData).join(u'\n').toStdString(), "");

    // The help explains the Chinese expressions in English.
    EXPECT_TRUE(frmHelp::HelpText().contains(QStringLiteral("<td>每周, 每周135</td><td>every week; every Monday")));
}

TEST(Language, FollowsTheSettingThenTheSystem)
{
    const struct
    {
        const char* setting;
        QStringList system;
        const char* expected;
    } cases[] = {
        { "", { "zh-CN", "zh-Hans-CN", "zh" }, "zh" },
        { "", { "en-US", "en" }, "en" },
        { "", { "de-DE", "zh-CN" }, "en" },
        { "", { "C" }, "zh" },  // LANG=C or unset: no language stated
        { "", {}, "zh" },
        { "en", { "zh-CN" }, "en" },
        { "zh", { "en-US" }, "zh" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Translation::ChooseLanguage(QString::fromUtf8(c.setting), c.system), QString::fromUtf8(c.expected))
            << c.setting << " " << c.system.join(QLatin1Char(',')).toStdString();
}
