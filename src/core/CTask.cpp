// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CTask.h"

#include "base/Common.h"
#include "base/Text.h"
#include "core/CheckPage.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QStringList>
#include <QUuid>
#include <QVarLengthArray>

#include <iterator>

namespace {

const QStringList& StatusNames()
{
    static const QStringList names
        = QStringLiteral("未发生;到期;已完成;推迟;已取消;暂停;检测中;进行中;已失效").split(u';');
    return names;
}

// Quotes a word for /bin/sh so that it stays one word whatever it holds.
QString ShellQuote(const QString& word)
{
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SpanText(Instant from, Instant to)
{
    if (from == 0)
        return QStringLiteral("--");
    QString s = FormatDuration(from, to);
    return s.startsWith(QLatin1Char('-')) ? QStringLiteral("--") : s;
}

}  // namespace

QString TaskStatusName(int status)
{
    return status >= 0 && status < StatusNames().size() ? StatusNames().at(status) : QString();
}

QString TaskPriorityName(int priority)
{
    switch (priority) {
    case tpLow:
        return QStringLiteral("低");
    case tpNormal:
        return QStringLiteral("中");
    case tpHigh:
        return QStringLiteral("高");
    case tpUrgent:
        return QStringLiteral("紧急");
    }
    return {};
}

quint32 TaskStatusColor(int status)
{
    switch (status) {
    case tsDue:
        return 0x0000FF;
    case tsFinished:
    case tsCancelled:
    case tsExpired:
        return 0xA0A0A0;
    case tsPostponed:
        return 0xFF0000;
    case tsPaused:
        return 0x00B0B0;
    case tsChecking:
    case tsOngoing:
        return 0xFF00FF;
    default:
        return 0x000000;
    }
}

bool IsWaitingStatus(int status)
{
    return status == tsNotStarted || status == tsPostponed || status == tsOngoing;
}

CTask::CTask() = default;
CTask::~CTask() = default;

QString CTask::Key() const
{
    // Built directly: the list asks for it for every row of every refresh.
    char16_t text[16];
    char16_t* const end = text + std::size(text);
    char16_t* p = end;
    quint64 n = ID < 0 ? 0 - quint64(qint64(ID)) : quint64(ID);
    do {
        *--p = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n > 0);
    if (ID >= 0 && ID < 10)
        *--p = u'0';
    if (ID < 0)
        *--p = u'-';
    *--p = u'T';
    return QString(reinterpret_cast<const QChar*>(p), end - p);
}

void CTask::SetStatus(TaskStatus status)
{
    const bool wasWaiting = IsWaiting();
    m_status = status;
    if (wasWaiting && !IsWaiting())
        dtFinishDT = Clock::Now();
    else if (!wasWaiting && IsWaiting())
        dtFinishDT = 0;
}

bool CTask::EnsureUid()
{
    if (!sUid.isEmpty())
        return false;
    sUid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return true;
}

void CTask::CopyFrom(const CTask& other)
{
    if (this == &other)
        return;
    ID = other.ID;
    dtDueDT = other.dtDueDT;
    dtCreateDT = other.dtCreateDT;
    dtValidFromDT = other.dtValidFromDT;
    dtValidToDT = other.dtValidToDT;
    dtStartDT = other.dtStartDT;
    dtFinishDT = other.dtFinishDT;
    ePriority = other.ePriority;
    sRingFile = other.sRingFile;
    eRingType = other.eRingType;
    dtAlarmDT = other.dtAlarmDT;
    sDueDate = other.sDueDate;
    sDueTime = other.sDueTime;
    sManualAlarm = other.sManualAlarm;
    bUseCmd = other.bUseCmd;
    sCmd = other.sCmd;
    sCmdInitDir = other.sCmdInitDir;
    sType = other.sType;
    bAutoCancel = other.bAutoCancel;
    bAutoFinish = other.bAutoFinish;
    m_bUserEventOn = other.m_bUserEventOn;
    m_sUserEventDesc = other.m_sUserEventDesc;
    DryRunUserEvent = other.DryRunUserEvent;
    sMemo = other.sMemo;
    bAutoMemo = other.bAutoMemo;
    sUid = other.sUid;
    dtChangeDT = other.dtChangeDT;
    SetDescription(other.m_description);
    m_status = other.m_status;  // as stored: no new finish stamp
    m_postpone = other.m_postpone;
}

QString CTask::StatusStr() const
{
    return TaskStatusName(m_status);
}

void CTask::SetDescription(const QString& text)
{
    // Nothing derived changes; keeping it spares a new script and keeps a running check, whose task would
    // otherwise wait in "检测中" with nobody polling it.
    if (text == m_description)
        return;
    m_description = text;
    m_userEventTitle.clear();
    m_userEventCmd.clear();
    m_userEventArgv.clear();
    m_userEventScript.clear();
    m_kind = ttNormal;
    m_check.reset();  // a running check is left to finish on its own
    if (!text.startsWith(QLatin1Char(':')))
        return;

    m_kind = ttUserCmd;
    const QStringList lines = Text::SplitLines(text);
    m_userEventTitle = lines.first().mid(1);
    QString singleLine;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(':')))
            continue;
        if (!singleLine.isEmpty()) {
            // Two or more command lines run as one script. The title and remark lines begin with ":",
            // which /bin/sh would try to run as a command, so they become comments.
            QStringList script = lines;
            for (QString& l : script) {
                if (l.startsWith(QLatin1Char(':')))
                    l.prepend(QLatin1Char('#'));
            }
            // Written to a file only when the check starts: a task that is merely read leaves nothing behind.
            m_userEventArgv.clear();
            m_userEventScript = script.join(u'\n');
            m_userEventCmd = m_userEventScript;
            return;
        }
        if (EndsWith(line.trimmed(), QStringLiteral(".htm")) || EndsWith(line.trimmed(), QStringLiteral(".html"))) {
            m_kind = ttUserPage;
            m_userEventCmd = line.trimmed();
            return;
        }
        singleLine = line;
        m_userEventArgv = { QStringLiteral("/bin/sh"), QStringLiteral("-c"), line };
        m_userEventCmd = QStringLiteral("/bin/sh -c ") + ShellQuote(line);
    }
}

QString CTask::Title() const
{
    // The first 20 characters of the description's lines joined by spaces (of its first line alone for a
    // custom event), counting a surrogate pair as one character, with "..." when it has 20 or more. The list
    // asks for it for every row, so only the start of a long description or memo is read: 20 characters of
    // two units each, and one unit more to see whether the last pair is whole.
    constexpr int kChars = 20;
    constexpr qsizetype kEnough = 2 * kChars + 1;
    const bool firstLineOnly = m_description.startsWith(QLatin1Char(':'));
    const QChar* const desc = m_description.constData();
    const qsizetype size = m_description.size();
    QVarLengthArray<QChar, kEnough + 3> text;
    for (qsizetype i = 0; i < size && text.size() < kEnough; ++i) {
        QChar c = desc[i];
        // A CR ending a line belongs to its line break.
        if (c == u'\r' && (i + 1 == size || desc[i + 1] == u'\n'))
            continue;
        if (c == u'\n') {
            if (firstLineOnly)
                break;
            c = u' ';
        }
        text.append(c);
    }
    qsizetype end = 0;
    int chars = 0;
    while (end < text.size() && chars < kChars) {
        end += text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        ++chars;
    }
    text.resize(end);
    if (chars >= kChars)
        for (int dot = 0; dot < 3; ++dot)
            text.append(QChar(u'.'));
    return QString(text.constData(), text.size());
}

QString CTask::RemainTime() const
{
    return IsWaiting() ? FormatDuration(Clock::Now(), dtAlarmDT) : QStringLiteral("--");
}

QString CTask::SpentTime() const
{
    return SpanText(dtStartDT, IsWaiting() ? Clock::Now() : dtFinishDT);
}

double CTask::SpentTimeDbl() const
{
    return (IsWaiting() ? Clock::Now() : dtFinishDT) - dtStartDT;
}

QString CTask::PlanedTime() const
{
    return SpanText(dtStartDT, dtDueDT);
}

double CTask::PlanedTimeDbl() const
{
    return dtDueDT - dtStartDT;
}

QString CTask::ToStr() const
{
    return Key() + QStringLiteral(", ") + sDueDate + QStringLiteral(", ") + sDueTime + QStringLiteral(", ")
        + (sType.isEmpty() ? QStringLiteral("未分类") : sType) + QStringLiteral(", ") + Title()
        + QStringLiteral(", 预计用时") + PlanedTime() + QStringLiteral(", 实际用时") + SpentTime();
}

bool CTask::IsUserEvent(const QString& text) const
{
    return (text.isEmpty() ? m_description : text).startsWith(QLatin1Char(':'));
}
