// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/CsvExport.h"

#include "timerules/TimeExpr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kHeader = QStringLiteral(
    "任务描述,类别,发生日期,发生时间,任务状态,优先级,创建时间,生效时间,失效时间,到期时间,提醒时间,预计用时,实际用时");

bool NeedsQuotes(const QString& field)
{
    for (QChar c : field) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return true;
    }
    return false;
}

// RFC 4180: quotes inside a quoted field are doubled. The description and the two due texts are always
// quoted; any other field only when it holds a comma, a quote or a line break.
void AppendField(QString& line, const QString& field, bool alwaysQuote)
{
    if (!alwaysQuote && !NeedsQuotes(field)) {
        line += field;
        return;
    }
    QString escaped = field;
    line += QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// A spreadsheet runs a field beginning with one of these as a formula ("=HYPERLINK(…)", "=cmd|…"). Text the
// user typed gets a leading apostrophe, which shows it as text; the columns the program fills stay as they are.
QString AsText(const QString& field)
{
    static const QString kFormulaStarts = QStringLiteral("=+-@");
    if (!field.isEmpty() && kFormulaStarts.contains(field.front()))
        return QLatin1Char('\'') + field;
    return field;
}

}  // namespace

QByteArray CsvText(const TaskList& tasks)
{
    QString text = kHeader + QLatin1String("\r\n");
    for (const TaskPtr& t : tasks) {
        QString line;
        auto field = [&line](const QString& value, bool quoted, bool first = false) {
            if (!first)
                line += QLatin1Char(',');
            AppendField(line, value, quoted);
        };
        field(AsText(t->sDescription()), true, true);
        field(AsText(t->sType), false);
        field(t->sDueDate, true);
        field(t->sDueTime, true);
        field(t->StatusStr(), false);
        field(TaskPriorityName(t->ePriority), false);
        field(FormatDateTimeText(t->dtCreateDT), false);
        field(FormatDateTimeText(t->dtValidFromDT), false);
        field(FormatDateTimeText(t->dtValidToDT), false);
        field(FormatDateTimeText(t->dtDueDT), false);
        field(FormatDateTimeText(t->dtAlarmDT), false);
        field(t->PlanedTime(), false);
        field(t->SpentTime(), false);
        text += line;
        text += QLatin1String("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool IsSameFile(const QString& a, const QString& b)
{
    // Through symbolic links, of the file or of any folder above it.
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool ExportCsv(const TaskList& tasks, const QString& path, QString* error, const QString& dataFile)
{
    return WriteExportFile(path, CsvText(tasks), error, dataFile);
}

bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error, const QString& dataFile)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    const QFileInfo target(path);
    // The file is written beside the target and renamed over it: a FIFO or a device would become a file.
    if (target.exists() && !target.isFile())
        return fail(QCoreApplication::translate("CsvExport", "%1 不是普通文件，不能导出到这里")
                        .arg(QDir::toNativeSeparators(path)));
    if (!dataFile.isEmpty() && IsSameFile(path, dataFile))
        return fail(QCoreApplication::translate("CsvExport", "%1 是数据文件本身，不能导出到这里")
                        .arg(QDir::toNativeSeparators(path)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
}
