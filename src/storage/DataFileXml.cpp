// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/DataFileXml.h"

#include "base/AppVersion.h"
#include "base/Common.h"
#include "base/Text.h"
#include "storage/DataFileScanner.h"
#include "storage/ValueCodec.h"
#include "timerules/Clock.h"
#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

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

QString FormatReadError(const QXmlStreamReader& r)
{
    return QCoreApplication::translate("DataFileXml", "第%1行第%2列：%3")
        .arg(r.lineNumber())
        .arg(r.columnNumber())
        .arg(r.errorString());
}

}  // namespace

// -------------------------------------------------------------------------------------------------------------

void DataFileXml::SaveToXmlElem(const CTask& t, QXmlStreamWriter& w)
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
    // Written once the task has been synced or changed since; earlier versions skip attributes they do not know.
    if (!t.sUid.isEmpty())
        Attr(w, "Uid", t.sUid);
    if (t.dtChangeDT != 0)
        w.writeAttribute(QStringLiteral("ChangeDT"), FormatDateTimeText(t.dtChangeDT));
    Attr(w, "Desc", t.sDescription());
    if (!t.sMemo.isEmpty())
        WriteText(w, t.sMemo);
    w.writeEndElement();
}

bool DataFileXml::LoadFromXmlElem(CTask& t, const XmlAttrs& a, const QString& text)
{
    auto attr
        = [&a](const char* name, const QString& def = QString()) { return a.Value(QLatin1StringView(name), def); };
    const QString zero = QStringLiteral("0");
    const QString empty = QStringLiteral("");

    if (!ValueCodec::ReadInt(attr("Id", zero), t.ID))
        return false;
    const QString desc = attr("Desc");
    if (desc.isNull())
        return false;
    // Line breaks of descriptions and memos are CR LF in memory whatever the file held.
    t.SetDescription(Text::NormalizeToCrLf(desc));

    if (!ValueCodec::ReadDueText(attr("DueDT"), t.dtDueDT))
        return false;
    if (!ValueCodec::ReadDateTime(attr("CreateDT", QStringLiteral("2010-01-01 00:00:00")), t.dtCreateDT))
        return false;
    if (!ValueCodec::ReadDateTime(attr("ValidFromDT", empty), t.dtValidFromDT))
        return false;
    if (!ValueCodec::ReadDateTime(attr("ValidToDT", empty), t.dtValidToDT))
        return false;

    int status = 0;
    if (!ValueCodec::ReadInt(attr("Status"), status) || status < 0 || status >= kTaskStatusCount)
        return false;
    t.SetStatus(TaskStatus(status));
    if (!ValueCodec::ReadInt(attr("Priority", QStringLiteral("1")), t.ePriority))
        return false;
    t.sRingFile = attr("RingFile", empty);
    if (!ValueCodec::ReadInt(attr("RingType", zero), t.eRingType))
        return false;
    const QString alarm = attr("AlarmDT");
    if (alarm.isNull())
        t.dtAlarmDT = Clock::Now();
    else if (!ValueCodec::ReadDueText(alarm, t.dtAlarmDT))
        return false;
    t.sManualAlarm = attr("ManualAlarm", empty);
    const QString dueDate = attr("DueDate"), dueTime = attr("DueTime");
    if (dueDate.isNull() || dueTime.isNull())
        return false;
    t.sDueDate = TrimSpaces(dueDate);
    t.sDueTime = TrimSpaces(dueTime);
    if (!ValueCodec::ReadBool(attr("UseCmd", zero), t.bUseCmd))
        return false;
    t.sCmd = attr("Cmd", empty);
    t.sCmdInitDir = attr("CmdInitDir", empty);
    t.sType = attr("Type", empty);
    const QString start = attr("StartDT");
    if (start.isNull())
        t.dtStartDT = t.dtValidFromDT;
    else if (!ValueCodec::ReadDateTime(start, t.dtStartDT))
        return false;
    if (!IsWaitingStatus(status)) {
        const QString finish = attr("FinishDT");
        if (finish.isNull())
            t.dtFinishDT = t.dtAlarmDT;
        else if (!ValueCodec::ReadDateTime(finish, t.dtFinishDT))
            return false;
    }
    if (!ValueCodec::ReadBool(attr("AutoFinish", zero), t.bAutoFinish)
        || !ValueCodec::ReadBool(attr("AutoCancel", zero), t.bAutoCancel)
        || !ValueCodec::ReadBool(attr("AutoMemo", zero), t.bAutoMemo))
        return false;
    t.sUid = attr("Uid", empty).trimmed();
    // Only the merge of a sync reads it: an unreadable time is no reason to lose the task.
    if (!ValueCodec::ReadDateTime(attr("ChangeDT", empty), t.dtChangeDT))
        t.dtChangeDT = 0;

    t.sMemo = Text::NormalizeToCrLf(text);
    // A check in progress never survives a restart.
    if (t.eStatus() == tsChecking)
        t.SetStatus(tsNotStarted);
    return true;
}

void DataFileXml::LoadSettings(const XmlAttrs& a, AppSettings& s)
{
    s.ColWidth = a.Value(QLatin1StringView("ColWidth"), QStringLiteral(""));
    bool b = false;
    s.EnableLog = ValueCodec::ReadBool(a.Value(QLatin1StringView("EnableLog")), b) && b;
    b = true;
    s.DesktopNotify = !ValueCodec::ReadBool(a.Value(QLatin1StringView("DesktopNotify")), b) || b;
    s.Types = a.Value(QLatin1StringView("types"), QStringLiteral(""));
    s.Filter = a.Value(QLatin1StringView("filter"), QStringLiteral(""));
    s.AutoLock = a.Value(QLatin1StringView("autolock"), QStringLiteral("0"));
    s.UnlockPwd = a.Value(QLatin1StringView("unlockpwd"), QStringLiteral(""));
    int n = 0;
    s.BgStyle = ValueCodec::ReadInt(a.Value(QLatin1StringView("bgstyle")), n) ? n : 0;
    s.ColorStyle = a.Value(QLatin1StringView("colorstyle"), QStringLiteral(""));
    s.Language = a.Value(QLatin1StringView("lang"), QStringLiteral(""));
}

// -------------------------------------------------------------------------------------------------------------

QByteArray DataFileXml::Serialize(const AppSettings& s, const TaskList& tasks)
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

bool DataFileXml::Parse(const QByteArray& xml, Contents& out, QString* error)
{
    return DataFileScanner::Read(xml, out) || ParseWithStreamReader(xml, out, error);
}

bool DataFileXml::ParseWithStreamReader(const QByteArray& xml, Contents& out, QString* error)
{
    // One loop over the whole document with a depth count, never a recursive read: a file of a hundred
    // thousand nested elements must not exhaust the stack. The program writes two levels; a document much
    // deeper than that is no data file of ours.
    constexpr int kMaxDepth = 64;
    QXmlStreamReader r(xml);
    bool root = false;
    int depth = 0;
    bool inTask = false;
    XmlAttrs taskAttrs;
    QString taskText;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::DTD:
            // The program never writes one; refusing it also refuses entity declarations of any kind.
            if (error)
                *error = QCoreApplication::translate(
                    "DataFileXml", "第%1行：文件带有文档类型声明（DTD），不是本程序的数据文件")
                             .arg(r.lineNumber());
            return false;
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxDepth) {
                r.raiseError(QCoreApplication::translate("DataFileXml", "元素嵌套超过 %1 层").arg(kMaxDepth));
                break;
            }
            if (!root) {
                if (r.name() != QLatin1String("tasks")) {
                    if (error)
                        *error = QCoreApplication::translate("DataFileXml", "根元素是 <%1>，不是 <tasks>")
                                     .arg(r.name().toString());
                    return false;
                }
                root = true;
                LoadSettings(XmlAttrs(r.attributes()), out.settings);
            } else if (depth == 2 && r.name() == QLatin1String("task")) {
                inTask = true;
                taskAttrs = XmlAttrs(r.attributes());
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
            *error = QCoreApplication::translate("DataFileXml", "文件中没有 <tasks> 元素");
        return false;
    }
    return true;
}
