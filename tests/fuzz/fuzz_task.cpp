// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the task record: as a description (title, custom-event check, scripts), as a
// postponement and as a manual alarm; and to the compound-span reader. Whatever the input, nothing may
// crash, hang or throw, and the promises checked below hold.
#include "base/AppPaths.h"
#include "core/CTask.h"
#include "base/MsgBox.h"
#include "base/TempFiles.h"
#include "timerules/Clock.h"
#include "timerules/CompoundAmount.h"

#include <QTemporaryDir>

#include <cstdint>
#include <memory>

namespace {

// Answers every question with Yes and shows nothing, so the valid-period question is taken too.
class YesPresenter : public IMessagePresenter
{
public:
    MsgResult Show(const QString&, MsgButtons, MsgIcon, const QString&) override { return MsgResult::Yes; }
    QString Input(const QString&, const QString&, const QString&) override { return {}; }
};

struct Setup
{
    Setup()
    {
        Clock::SetSource(clock);
        MsgBox::SetPresenter(std::make_shared<YesPresenter>());
        AppPaths::SetTempFolder(temp.path());
    }
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    QTemporaryDir temp;
};

Setup& Env()
{
    static Setup setup;
    return setup;
}

void Check(bool promise)
{
    if (!promise)
        __builtin_trap();
}

void Task(const QString& text)
{
    CTask t;
    t.SetDescription(text);
    Check(t.TaskType() == ttNormal || text.startsWith(u':'));
    Check(t.TaskType() != ttUserPage || t.UserEventArgv().isEmpty());
    const QString title = t.Title();
    Check(!title.contains(u'\n'));
    Check(title.size() <= 2 * 20 + 3);
    t.ToStr();

    const Instant now = Clock::Now();
    t.dtDueDT = now;
    t.dtValidToDT = AddSeconds(now, 3600);
    t.sManualAlarm = text;
    QString err;
    const Instant alarm = t.CalcAlarm(&err);
    Check(alarm != 0);
    t.dtAlarmDT = alarm;
    t.AlarmTimeStr();

    err.clear();
    if (t.SetPostpone(text, &err, false)) {
        Check(err.isEmpty());
        Check(t.Postpone() == text);
        Check(t.eStatus() == tsPostponed);
        Check(SecondDiff(now, t.dtAlarmDT) >= 0);
    }
    t.ValidPeriodStr(QStringLiteral("未设置"));

    if (const auto amount = ParseCompoundAmount(text)) {
        for (Instant base : { now, 0.0, NO_DATE, 2958465.999988, -657434.0 }) {
            const Instant moved = ApplyCompoundAmount(base, *amount);
            Check(moved == 0 || IsRepresentable(moved));
        }
    }
    DeleteTempFiles();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Env();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    Task(text);
    Task(QStringLiteral(":") + text);
    return 0;
}
