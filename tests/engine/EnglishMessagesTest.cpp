// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppPaths.h"
#include "core/CSimpleList.h"
#include "core/CTaskFilter.h"
#include "core/DueEntry.h"
#include "core/TaskTypesPrompt.h"
#include "engine/TaskEngine.h"
#include "storage/CsvExport.h"
#include "storage/IcalImport.h"
#include "support/English.h"
#include "support/TestEnv.h"
#include "timerules/Clock.h"
#include "timerules/DueRules.h"
#include "timerules/TimeExpr.h"

#include <QFile>
#include <QRegularExpression>

#include <functional>

// With English installed, the messages of the core say everything in English, the times and durations they show
// included; only the data they quote (task titles, expressions as typed) stays Chinese.
TEST(EnglishMessages, QuoteOnlyTheirDataInChinese)
{
    EnglishGuard english;
    ProgramFolderGuard folder;
    ClockGuard clock { 2011, 12, 15, 11, 0 };
    MsgBoxGuard box;
    const auto lastBox = [&box] { return box->shown.empty() ? QString() : box->shown.back().text; };
    const Instant now = Clock::Now();

    TaskEngine engine;
    TaskPtr task = std::make_shared<CTask>();
    task->SetDescription(QStringLiteral("交周报"));
    task->dtDueDT = AddSeconds(now, 3600);
    task->dtValidToDT = AddSeconds(now, 7200);
    task->sManualAlarm = QStringLiteral("-15");
    task->dtAlarmDT = task->CalcAlarm();
    engine.AddTask(task);
    TaskPtr watch = std::make_shared<CTask>();
    watch->SetDescription(QStringLiteral(":新邮件\r\n/srv/check/mail.html"));
    engine.AddTask(watch);

    const struct
    {
        const char* what;
        std::function<QString()> message;
        QStringList data;
    } cases[] = {
        { "unreadable data file",
            [&] {
                QFile f(folder.file(QStringLiteral("twdata.xml")));
                EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write("<tasks><task") > 0);
                f.close();
                TaskEngine fresh;
                fresh.LoadCfg();
                return lastBox();
            },
            {} },
        { "keep watching",
            [&] {
                engine.SetTaskStatus(watch, tsFinished, true, false);
                return lastBox();
            },
            { QStringLiteral(":新邮件") } },
        { "snooze past the valid period",
            [&] {
                task->SetPostpone(QStringLiteral("3小时"), nullptr, false);
                return lastBox();
            },
            { QStringLiteral("交周报") } },
        { "snooze into the past",
            [&] {
                QString error;
                task->SetPostpone(QStringLiteral("2011-12-14 10:00"), &error, false);
                return error;
            },
            {} },
        { "alarm ahead of the due time", [&] { return task->AlarmTimeStr(); }, {} },
        { "alarm text", [] { return DueTimeRules(QStringLiteral("abc"), QString()).message; }, {} },
        { "alarm offset",
            [&] {
                return ResolveDueEntry(
                    QStringLiteral("明天"), QStringLiteral("10:00"), QStringLiteral("abc"), CTask(), tsNotStarted, true)
                    .message;
            },
            {} },
        { "due outside the valid period",
            [&] {
                return ResolveDueEntry(
                    QStringLiteral("2012-1-1"), QStringLiteral("10:00"), QString(), *task, tsNotStarted, true)
                    .message;
            },
            {} },
        { "filter field",
            [] {
                QString error;
                CTaskFilter().Init(QStringLiteral("优先级=高"), &error);
                return error;
            },
            { QStringLiteral("优先级"), QStringLiteral("类别"), QStringLiteral("状态") } },
        { "data folder",
            [] {
                QString error;
                AppPaths::ChooseDataFolder(QStringLiteral(" "), QString(), false, &error);
                return error;
            },
            {} },
        { "export onto a folder",
            [&] {
                QString error;
                WriteExportFile(folder.path(), "x", &error, QString());
                return error;
            },
            {} },
        { "import summary",
            [] {
                IcalImportResult result;
                result.nextOnly << QStringLiteral("例会");
                result.over = result.unreadable = 1;
                return IcalImportSummary(result, 2);
            },
            { QStringLiteral("例会") } },
        { "category prompt",
            [&]() -> QString {
                CSimpleList types;
                PromptTaskTypes(types, engine.Tasks());
                return box->prompts.value(0) + CSimpleList::SettingsEntry();
            },
            {} },
    };
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    for (const auto& c : cases) {
        const QString text = c.message();
        QString rest = text;
        for (const QString& data : c.data)
            rest.remove(data);
        EXPECT_FALSE(text.isEmpty()) << c.what;
        EXPECT_FALSE(rest.contains(cjk)) << c.what << ": " << text.toStdString();
    }
}
