// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/TaskStore.h"

#include "base/AppVersion.h"
#include "base/Common.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

namespace {

// ---------------------------------------------------------------------------------------------------------
// Value conversions. Each returns false for a text it cannot convert, which makes the element unreadable.

}  // namespace

bool TaskStore::ReadInt(const QString& text, int& value)
{
    if (text.isNull())
        return false;
    const QString t = text.trimmed();
    bool ok = false;
    value = t.toInt(&ok);
    if (ok)
        return true;
    // "1.0" and the like: rounded, as a numeric conversion would.
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < -2147483648.0 || d > 2147483647.0)
        return false;
    value = int(std::lround(d));
    return true;
}

bool TaskStore::ReadBool(const QString& text, bool& value)
{
    if (text.isNull())
        return false;
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || std::isnan(d))
        return false;
    value = d != 0;
    return true;
}

namespace {

int Digits(QStringView s, qsizetype from, qsizetype count)
{
    int v = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

bool MakeChecked(int y, int m, int d, int hh, int nn, int ss, Instant& value)
{
    if (y < 100 || y > 9999 || !QDate::isValid(y, m, d) || hh < 0 || hh > 23 || nn < 0 || nn > 59 || ss < 0 || ss > 59)
        return false;
    value = MakeInstant(y, m, d, hh, nn, ss);
    return true;
}

}  // namespace

bool TaskStore::ReadDueText(const QString& text, Instant& value)
{
    if (text.isNull())
        return false;
    const QString t = text.trimmed();
    if (t == QLatin1String("--")) {
        value = NO_DATE;
        return true;
    }
    if (t.isEmpty()) {
        value = 0;
        return true;
    }
    if (TaskStore::ParseDateTimeText(t, value))
        return true;
    static const QRegularExpression monthDay(QStringLiteral("^(\\d{1,2})[-/](\\d{1,2})$"));
    const auto m = monthDay.match(t);
    if (!m.hasMatch())
        return false;
    return MakeChecked(Clock::CurrentDate().year(), m.captured(1).toInt(), m.captured(2).toInt(), 0, 0, 0, value);
}

bool TaskStore::ReadDateTime(const QString& text, Instant& value)
{
    if (text.isNull())
        return false;
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("--")) {
        value = 0;
        return true;
    }
    return TaskStore::ParseDateTimeText(t, value);
}

namespace {

// Line breaks of descriptions and memos are CR LF in memory whatever the file held.
QString ToCrLf(QString text)
{
    if (!text.contains(QLatin1Char('\n')))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

// ---------------------------------------------------------------------------------------------------------
// Writing.

bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// XML 1.0 cannot carry control characters or lone surrogates even as character references; the writer would
// produce a file that no longer parses. They become U+FFFD.
QString XmlSafe(const QString& text)
{
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c >= 0x20 && c < 0xD800)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (!IsXmlChar(c) || QChar::isSurrogate(c))
            break;
    }
    if (i == n)
        return text;
    QString out;
    out.reserve(n);
    for (i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1].unicode())) {
            out.append(p[i]);
            out.append(p[++i]);
        } else if (QChar::isSurrogate(c) || !IsXmlChar(c)) {
            out.append(QChar(QChar::ReplacementCharacter));
        } else {
            out.append(p[i]);
        }
    }
    return out;
}

void Attr(QXmlStreamWriter& w, const char* name, const QString& value)
{
    w.writeAttribute(QLatin1String(name), XmlSafe(value));
}

void BoolAttr(QXmlStreamWriter& w, const char* name, bool value)
{
    w.writeAttribute(QLatin1String(name), value ? QStringLiteral("true") : QStringLiteral("false"));
}

// Element text with every CR as a character reference: a parser turns a literal CR LF into LF.
void WriteText(QXmlStreamWriter& w, const QString& text)
{
    const QString safe = XmlSafe(text);
    qsizetype from = 0;
    for (;;) {
        const qsizetype cr = safe.indexOf(QLatin1Char('\r'), from);
        if (cr < 0)
            break;
        if (cr > from)
            w.writeCharacters(safe.mid(from, cr - from));
        w.writeEntityReference(QStringLiteral("#13"));
        from = cr + 1;
    }
    if (from < safe.size())
        w.writeCharacters(safe.mid(from));
}

void ReadSettings(const QXmlStreamAttributes& a, AppSettings& s)
{
    s.ColWidth = GetXmlAttr(a, QLatin1StringView("ColWidth"), QStringLiteral(""));
    bool b = false;
    s.EnableLog = TaskStore::ReadBool(GetXmlAttr(a, QLatin1StringView("EnableLog")), b) && b;
    b = true;
    s.DesktopNotify = !TaskStore::ReadBool(GetXmlAttr(a, QLatin1StringView("DesktopNotify")), b) || b;
    s.Types = GetXmlAttr(a, QLatin1StringView("types"), QStringLiteral(""));
    s.Filter = GetXmlAttr(a, QLatin1StringView("filter"), QStringLiteral(""));
    s.AutoLock = GetXmlAttr(a, QLatin1StringView("autolock"), QStringLiteral("0"));
    s.UnlockPwd = GetXmlAttr(a, QLatin1StringView("unlockpwd"), QStringLiteral(""));
    int n = 0;
    s.BgStyle = TaskStore::ReadInt(GetXmlAttr(a, QLatin1StringView("bgstyle")), n) ? n : 0;
    s.ColorStyle = GetXmlAttr(a, QLatin1StringView("colorstyle"), QStringLiteral(""));
    s.Language = GetXmlAttr(a, QLatin1StringView("lang"), QStringLiteral(""));
}

QString FormatReadError(const QXmlStreamReader& r)
{
    return QCoreApplication::translate("TaskStore", "第%1行第%2列：%3")
        .arg(r.lineNumber())
        .arg(r.columnNumber())
        .arg(r.errorString());
}

}  // namespace

// -------------------------------------------------------------------------------------------------------------

QString GetXmlAttr(const QXmlStreamAttributes& attrs, QLatin1StringView name, const QString& def)
{
    for (const QXmlStreamAttribute& a : attrs) {
        if (a.qualifiedName() == name)
            return a.value().toString();
    }
    return def;
}

bool SaveXmlIndented(const QByteArray& xml, const QString& path, QString* error)
{
    // The file holds the unlock password: a new one is for its owner's eyes only; an existing one keeps its mode.
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(xml) != xml.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    // commit() flushes the temporary file to disk before renaming it over the old one.
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

// -------------------------------------------------------------------------------------------------------------

bool TaskStore::ParseDateTimeText(QStringView text, Instant& value)
{
    // The form this program writes, without a regular expression: the load of a big file reads thousands.
    if (text.size() == 19 && text[4] == u'-' && text[7] == u'-' && text[10] == u' ' && text[13] == u':'
        && text[16] == u':') {
        const int y = Digits(text, 0, 4), m = Digits(text, 5, 2), d = Digits(text, 8, 2);
        const int hh = Digits(text, 11, 2), nn = Digits(text, 14, 2), ss = Digits(text, 17, 2);
        if (y >= 0 && m >= 0 && d >= 0 && hh >= 0 && nn >= 0 && ss >= 0)
            return MakeChecked(y, m, d, hh, nn, ss, value);
        return false;
    }
    // Other spellings of a date and a time, as older versions and hand edits have them.
    static const QRegularExpression dateTime(
        QStringLiteral("^\\s*(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})"
                       "(?:(?:\\s+|T)(上午|下午|AM|PM|am|pm)?\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(上午|下午|"
                       "AM|PM|am|pm)?)?\\s*$"));
    static const QRegularExpression timeOnly(QStringLiteral(
        "^\\s*(上午|下午|AM|PM|am|pm)?\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(上午|下午|AM|PM|am|pm)?\\s*$"));
    auto hourOf = [](int hour, const QString& before, const QString& after) {
        const QString mark = before.isEmpty() ? after : before;
        if (mark.isEmpty())
            return hour;
        if (hour < 1 || hour > 12)
            return -1;
        const bool pm = mark == QStringLiteral("下午") || mark.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0;
        return hour % 12 + (pm ? 12 : 0);
    };
    auto m = dateTime.match(text);
    if (m.hasMatch()) {
        int hh = 0, nn = 0, ss = 0;
        if (m.capturedLength(5) > 0) {
            hh = hourOf(m.captured(5).toInt(), m.captured(4), m.captured(8));
            nn = m.captured(6).toInt();
            ss = m.captured(7).toInt();
        }
        return MakeChecked(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), hh, nn, ss, value);
    }
    m = timeOnly.match(text);
    if (m.hasMatch()) {
        const int hh = hourOf(m.captured(2).toInt(), m.captured(1), m.captured(5));
        const int nn = m.captured(3).toInt(), ss = m.captured(4).toInt();
        if (hh < 0 || hh > 23 || nn > 59 || ss > 59)
            return false;
        value = InstantFromTime(QTime(hh, nn, ss));
        return true;
    }
    return false;
}

// -------------------------------------------------------------------------------------------------------------

void TaskStore::SaveToXmlElem(const CTask& t, QXmlStreamWriter& w)
{
    w.writeStartElement(QStringLiteral("task"));
    w.writeAttribute(QStringLiteral("Id"), QString::number(t.ID));
    w.writeAttribute(QStringLiteral("DueDT"), FormatDateTimeText(t.dtDueDT));
    w.writeAttribute(QStringLiteral("CreateDT"), FormatDateTimeText(t.dtCreateDT));
    if (t.dtValidFromDT != 0)
        w.writeAttribute(QStringLiteral("ValidFromDT"), FormatDateTimeText(t.dtValidFromDT));
    if (t.dtValidToDT != 0)
        w.writeAttribute(QStringLiteral("ValidToDT"), FormatDateTimeText(t.dtValidToDT));
    if (t.dtStartDT != t.dtValidFromDT)
        w.writeAttribute(QStringLiteral("StartDT"), FormatDateTimeText(t.dtStartDT));
    if (!t.IsWaiting())
        w.writeAttribute(QStringLiteral("FinishDT"), FormatDateTimeText(t.dtFinishDT));
    if (t.ePriority != tpNormal)
        w.writeAttribute(QStringLiteral("Priority"), QString::number(t.ePriority));
    w.writeAttribute(QStringLiteral("RingType"), QString::number(t.eRingType));
    if (!t.sRingFile.isEmpty())
        Attr(w, "RingFile", t.sRingFile);
    w.writeAttribute(QStringLiteral("Status"), QString::number(int(t.eStatus())));
    w.writeAttribute(QStringLiteral("AlarmDT"), FormatDateTimeText(t.dtAlarmDT));
    Attr(w, "DueDate", t.sDueDate);
    if (!t.sManualAlarm.isEmpty())
        Attr(w, "ManualAlarm", t.sManualAlarm);
    Attr(w, "DueTime", t.sDueTime);
    if (!t.sCmd.isEmpty() || t.bUseCmd) {
        BoolAttr(w, "UseCmd", t.bUseCmd);
        Attr(w, "Cmd", t.sCmd);
        if (!t.sCmdInitDir.isEmpty())
            Attr(w, "CmdInitDir", t.sCmdInitDir);
    }
    if (!t.sType.isEmpty())
        Attr(w, "Type", t.sType);
    if (t.bAutoFinish)
        BoolAttr(w, "AutoFinish", true);
    if (t.bAutoCancel)
        BoolAttr(w, "AutoCancel", true);
    if (t.bAutoMemo)
        BoolAttr(w, "AutoMemo", true);
    Attr(w, "Desc", t.sDescription());
    if (!t.sMemo.isEmpty())
        WriteText(w, t.sMemo);
    w.writeEndElement();
}

bool TaskStore::LoadFromXmlElem(CTask& t, const QXmlStreamAttributes& a, const QString& text)
{
    auto attr = [&a](const char* name, const QString& def = QString()) {
        return GetXmlAttr(a, QLatin1StringView(name), def);
    };
    const QString zero = QStringLiteral("0");
    const QString empty = QStringLiteral("");

    if (!TaskStore::ReadInt(attr("Id", zero), t.ID))
        return false;
    const QString desc = attr("Desc");
    if (desc.isNull())
        return false;
    t.SetDescription(ToCrLf(desc));

    if (!ReadDueText(attr("DueDT"), t.dtDueDT))
        return false;
    if (!ReadDateTime(attr("CreateDT", QStringLiteral("2010-01-01 00:00:00")), t.dtCreateDT))
        return false;
    if (!ReadDateTime(attr("ValidFromDT", empty), t.dtValidFromDT))
        return false;
    if (!ReadDateTime(attr("ValidToDT", empty), t.dtValidToDT))
        return false;

    int status = 0;
    if (!TaskStore::ReadInt(attr("Status"), status) || status < 0 || status >= kTaskStatusCount)
        return false;
    t.SetStatus(TaskStatus(status));
    if (!TaskStore::ReadInt(attr("Priority", QStringLiteral("1")), t.ePriority))
        return false;
    t.sRingFile = attr("RingFile", empty);
    if (!TaskStore::ReadInt(attr("RingType", zero), t.eRingType))
        return false;
    const QString alarm = attr("AlarmDT");
    if (alarm.isNull())
        t.dtAlarmDT = Clock::Now();
    else if (!ReadDueText(alarm, t.dtAlarmDT))
        return false;
    t.sManualAlarm = attr("ManualAlarm", empty);
    const QString dueDate = attr("DueDate"), dueTime = attr("DueTime");
    if (dueDate.isNull() || dueTime.isNull())
        return false;
    t.sDueDate = TrimSpaces(dueDate);
    t.sDueTime = TrimSpaces(dueTime);
    if (!TaskStore::ReadBool(attr("UseCmd", zero), t.bUseCmd))
        return false;
    t.sCmd = attr("Cmd", empty);
    t.sCmdInitDir = attr("CmdInitDir", empty);
    t.sType = attr("Type", empty);
    const QString start = attr("StartDT");
    if (start.isNull())
        t.dtStartDT = t.dtValidFromDT;
    else if (!ReadDateTime(start, t.dtStartDT))
        return false;
    if (!IsWaitingStatus(status)) {
        const QString finish = attr("FinishDT");
        if (finish.isNull())
            t.dtFinishDT = t.dtAlarmDT;
        else if (!ReadDateTime(finish, t.dtFinishDT))
            return false;
    }
    if (!TaskStore::ReadBool(attr("AutoFinish", zero), t.bAutoFinish)
        || !TaskStore::ReadBool(attr("AutoCancel", zero), t.bAutoCancel)
        || !TaskStore::ReadBool(attr("AutoMemo", zero), t.bAutoMemo))
        return false;

    t.sMemo = ToCrLf(text);
    // A check in progress never survives a restart.
    if (t.eStatus() == tsChecking)
        t.SetStatus(tsNotStarted);
    return true;
}

// -------------------------------------------------------------------------------------------------------------

QByteArray TaskStore::Serialize(const AppSettings& s, const TaskList& tasks)
{
    QByteArray out;
    out.reserve(512 + qsizetype(tasks.Count()) * 400);
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(-1);  // one tab per level
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("tasks"));
    w.writeAttribute(QStringLiteral("ver"), QString::number(VersionNumber()));
    Attr(w, "types", s.Types);
    if (s.EnableLog)
        w.writeAttribute(QStringLiteral("EnableLog"), QStringLiteral("true"));
    // Written only when turned off: files of earlier versions, which lack it, keep the notifications on.
    if (!s.DesktopNotify)
        w.writeAttribute(QStringLiteral("DesktopNotify"), QStringLiteral("false"));
    if (!s.Filter.isEmpty())
        Attr(w, "filter", s.Filter);
    Attr(w, "ColWidth", s.ColWidth);
    if (!s.UnlockPwd.isEmpty())
        Attr(w, "unlockpwd", s.UnlockPwd);
    if (s.AutoLock != QLatin1String("0"))
        Attr(w, "autolock", s.AutoLock);
    if (s.BgStyle != 0)
        w.writeAttribute(QStringLiteral("bgstyle"), QString::number(s.BgStyle));
    if (!s.ColorStyle.isEmpty())
        Attr(w, "colorstyle", s.ColorStyle);
    if (!s.Language.isEmpty())
        Attr(w, "lang", s.Language);
    for (const TaskPtr& task : tasks)
        SaveToXmlElem(*task, w);
    w.writeEndElement();
    w.writeEndDocument();
    if (w.hasError())
        return {};
    return out;
}

bool TaskStore::Parse(const QByteArray& xml, Contents& out, QString* error)
{
    // One loop over the whole document with a depth count, never a recursive read: a file of a hundred
    // thousand nested elements must not exhaust the stack. The program writes two levels; a document much
    // deeper than that is no data file of ours.
    constexpr int kMaxDepth = 64;
    QXmlStreamReader r(xml);
    bool root = false;
    int depth = 0;
    bool inTask = false;
    QXmlStreamAttributes taskAttrs;
    QString taskText;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::DTD:
            // The program never writes one; refusing it also refuses entity declarations of any kind.
            if (error)
                *error = QCoreApplication::translate(
                    "TaskStore", "第%1行：文件带有文档类型声明（DTD），不是本程序的数据文件")
                             .arg(r.lineNumber());
            return false;
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxDepth) {
                r.raiseError(QCoreApplication::translate("TaskStore", "元素嵌套超过 %1 层").arg(kMaxDepth));
                break;
            }
            if (!root) {
                if (r.name() != QLatin1String("tasks")) {
                    if (error)
                        *error = QCoreApplication::translate("TaskStore", "根元素是 <%1>，不是 <tasks>")
                                     .arg(r.name().toString());
                    return false;
                }
                root = true;
                ReadSettings(r.attributes(), out.settings);
            } else if (depth == 2 && r.name() == QLatin1String("task")) {
                inTask = true;
                taskAttrs = r.attributes();
                taskText.clear();
            }
            // Other elements, and anything below the root but outside a task, are ignored.
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            // A task's text is its memo, the text of any element inside it included.
            if (inTask)
                taskText += r.text();
            break;
        case QXmlStreamReader::EndElement:
            if (inTask && depth == 2) {
                inTask = false;
                auto task = std::make_shared<CTask>();
                if (LoadFromXmlElem(*task, taskAttrs, taskText))
                    out.tasks.push_back(std::move(task));
                else
                    ++out.skipped;
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (r.hasError()) {
        if (error)
            *error = FormatReadError(r);
        return false;
    }
    if (!root) {
        if (error)
            *error = QCoreApplication::translate("TaskStore", "文件中没有 <tasks> 元素");
        return false;
    }
    return true;
}

TaskStore::ReadStatus TaskStore::ReadFile(const QString& path, Contents& out, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return ReadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return ReadStatus::Unreadable;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return ReadStatus::Unreadable;
    }
    Contents contents;
    if (!Parse(data, contents, error))
        return ReadStatus::Unreadable;
    out = std::move(contents);
    return ReadStatus::Ok;
}

// -------------------------------------------------------------------------------------------------------------

QString TaskStore::BrokenFileName(const QString& path)
{
    const QString base
        = path + QStringLiteral(".broken-") + Clock::CurrentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int i = 2; QFileInfo::exists(name); ++i)
        name = base + QLatin1Char('-') + QString::number(i);
    return name;
}

bool TaskStore::MoveAside(const QString& path, QString* movedTo)
{
    const QString target = BrokenFileName(path);
    if (QFile::rename(path, target) || (QFile::copy(path, target) && QFile::remove(path))) {
        *movedTo = target;
        return true;
    }
    return false;
}

QString TaskStore::KeepCopyOfSkipped(const QString& path)
{
    // The next save rewrites the file without the tasks that could not be read; a copy keeps them findable.
    const QString copy = BrokenFileName(path);
    return QFile::copy(path, copy) ? copy : QString();
}

TaskStore::LoadOutcome TaskStore::Load(const QString& path, bool readOnly)
{
    LoadOutcome out;
    out.status = ReadFile(path, out.contents, &out.error);
    // Another program holds the folder: it keeps copies and moves files aside; this one only reads.
    if (readOnly)
        return out;
    if (out.status == ReadStatus::Ok && out.contents.skipped > 0)
        out.skippedCopy = KeepCopyOfSkipped(path);
    if (out.status == ReadStatus::Unreadable && !MoveAside(path, &out.movedTo))
        m_keepFile = path;
    return out;
}

TaskStore::SaveOutcome TaskStore::Save(const QString& path, const QByteArray& xml)
{
    bool ok = true;
    if (!m_keepFile.isEmpty()) {
        // The unreadable file is still where the data file goes: it may only be replaced once it is safe.
        QString movedTo;
        if (m_keepFile != path || !QFileInfo::exists(m_keepFile) || MoveAside(m_keepFile, &movedTo))
            m_keepFile.clear();
        else
            ok = false;
    }
    if (ok)
        ok = !xml.isEmpty() && SaveXmlIndented(xml, path);
    if (ok) {
        m_saveFailing = false;
        return SaveOutcome::Saved;
    }
    // The scan saves every time a task fires: one warning per run of failures, not one per second.
    if (m_saveFailing)
        return SaveOutcome::FailedAgain;
    m_saveFailing = true;
    return SaveOutcome::Failed;
}
