#include "model/CsvExport.h"

#include "model/TaskStore.h"

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
        field(t->sDescription(), true, true);
        field(t->sType, false);
        field(t->sDueDate, true);
        field(t->sDueTime, true);
        field(t->StatusStr(), false);
        field(TaskPriorityName(t->ePriority), false);
        field(TaskStore::DateTimeText(t->dtCreateDT), false);
        field(TaskStore::DateTimeText(t->dtValidFromDT), false);
        field(TaskStore::DateTimeText(t->dtValidToDT), false);
        field(TaskStore::DateTimeText(t->dtDueDT), false);
        field(TaskStore::DateTimeText(t->dtAlarmDT), false);
        field(t->PlanedTime(), false);
        field(t->SpentTime(), false);
        text += line;
        text += QLatin1String("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool ExportCsv(const TaskList& tasks, const QString& path, QString* error)
{
    const QByteArray bytes = CsvText(tasks);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
