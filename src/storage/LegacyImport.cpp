// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/LegacyImport.h"

#include "base/AppPaths.h"
#include "base/Common.h"
#include "base/Text.h"
#include "storage/ValueCodec.h"
#include "timerules/Recurrence.h"
#include "timerules/TimeExpr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace {

std::optional<QStringList>& Override()
{
    static std::optional<QStringList> folders;
    return folders;
}

QString Decode(const QByteArray& bytes)
{
    QStringDecoder decoder("GB18030");
    if (!decoder.isValid())  // a Qt without ICU: keep the ASCII part readable rather than nothing
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

// Val(): the leading number of a text, 0 when there is none.
int LeadingNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        ++i;
    bool ok = false;
    const int v = t.left(i).toInt(&ok);
    return ok ? v : 0;
}

// "date<TAB>time" and "flag<TAB>command": split at the first TAB, which must be there.
bool SplitAtTab(const QString& line, QString& first, QString& second)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return false;
    first = TrimSpaces(line.left(tab));
    second = TrimSpaces(line.mid(tab + 1));
    return true;
}

void AddUnique(QStringList& list, const QString& text)
{
    if (!list.contains(text))
        list.append(text);
}

}  // namespace

namespace LegacyImport {

QStringList SearchFolders()
{
    if (Override())
        return *Override();
    QStringList folders;
    const QString user = AppPaths::UserDataFolder();
    if (!user.isEmpty())
        folders << user;
    folders << AppPaths::DataFolder();
    return folders;
}

void SetSearchFolders(const QStringList& folders)
{
    Override() = folders;
}

void ResetSearchFolders()
{
    Override().reset();
}

QString FindFile()
{
    for (const QString& folder : SearchFolders()) {
        const QString path = QDir(folder).filePath(QLatin1String(kFileName));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

std::vector<TaskPtr> ReadTasks(const QString& path, AppSettings& settings)
{
    std::vector<TaskPtr> tasks;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tasks;
    LegacyReader reader(file.readAll());
    file.close();
    while (!reader.AtEnd()) {
        auto task = std::make_shared<CTask>();
        if (!reader.LoadFrom(*task, settings))
            break;
        tasks.push_back(std::move(task));
    }
    return tasks;
}

}  // namespace LegacyImport

// -------------------------------------------------------------------------------------------------------------

LegacyReader::LegacyReader(const QByteArray& ansiBytes)
{
    m_lines = Text::SplitLines(Decode(ansiBytes));
    // The last line ends with CR LF: the empty piece after it is not a line.
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

bool LegacyReader::NextLine(QString& line)
{
    if (AtEnd())
        return false;
    line = m_lines[m_pos++];
    return true;
}

bool LegacyReader::LoadFrom(CTask& task, AppSettings& settings)
{
    // The header: "[12] 2". Anything before it is skipped.
    QString line;
    int version = 0;
    for (;;) {
        if (!NextLine(line))
            return false;
        const qsizetype open = line.indexOf(QLatin1Char('['));
        const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char(']'), open + 1);
        if (close >= 0) {
            version = LeadingNumber(line.mid(line.indexOf(QLatin1Char(']')) + 1));
            break;
        }
    }

    // Every field is read even after a bad one, so the task shows what could be read; the result tells.
    bool ok = true;
    int number = 0;
    QString desc;
    ok = NextLine(desc) && ok;
    task.SetDescription(desc.replace(QLatin1String("<br>"), QLatin1String("\r\n")));

    // "--" stands for no instant; the reader of the earlier version stopped the whole import at it.
    ok = NextLine(line) && ValueCodec::ReadDueText(line.isEmpty() ? QString() : line, task.dtDueDT) && ok;
    ok = NextLine(line) && ValueCodec::ReadDateTime(line.isEmpty() ? QString() : line, task.dtCreateDT) && ok;
    task.dtValidFromDT = task.dtCreateDT;
    ok = NextLine(line) && ValueCodec::ReadInt(line, task.ePriority) && ok;
    ok = NextLine(line) && ok;
    task.sRingFile = line;
    ok = NextLine(line) && ValueCodec::ReadInt(line, task.eRingType) && ok;
    if (NextLine(line) && ValueCodec::ReadInt(line, number) && number >= 0 && number < kTaskStatusCount)
        task.SetStatus(number == tsDue ? tsFinished : TaskStatus(number));
    else
        ok = false;

    if (version >= 1) {
        ok = NextLine(line) && ValueCodec::ReadDueText(line.isEmpty() ? QString() : line, task.dtAlarmDT) && ok;
        ok = NextLine(line) && SplitAtTab(line, task.sDueDate, task.sDueTime) && ok;
        if (version >= 2) {
            QString flag;
            bool useCmd = false;
            if (NextLine(line) && SplitAtTab(line, flag, task.sCmd) && ValueCodec::ReadBool(flag, useCmd))
                task.bUseCmd = useCmd;
            else
                ok = false;
        }
    } else {
        task.dtAlarmDT = task.dtDueDT;
        if (task.dtDueDT != 0 && task.dtDueDT < NO_DATE) {
            const QDate d = DateOf(task.dtDueDT);
            const int secs = SecondsOfDay(task.dtDueDT);
            task.sDueDate = QStringLiteral("%1-%2-%3").arg(d.year()).arg(d.month()).arg(d.day());
            task.sDueTime = QStringLiteral("%1:%2:%3")
                                .arg(secs / 3600)
                                .arg(secs / 60 % 60, 2, 10, QLatin1Char('0'))
                                .arg(secs % 60, 2, 10, QLatin1Char('0'));
        } else {
            task.sDueDate = task.sDueTime = QStringLiteral("--");
        }
    }

    if (!task.sRingFile.isEmpty())
        AddUnique(settings.RecentRingFiles, task.sRingFile);
    if (!task.sCmd.isEmpty())
        AddUnique(settings.RecentCmds, task.sCmd);

    // The stored alarm of a rule like "每2小时" is long past: the next occurrence from now.
    if (task.IsWaiting() && IsRecurringText(task.sDueTime))
        task.dtAlarmDT = ResolveDueTime(task.sDueDate, task.sDueTime, 0);

    task.dtStartDT = task.dtValidFromDT;
    if (!task.IsWaiting())
        task.dtFinishDT = task.dtAlarmDT;
    return ok;
}
