// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CTaskFilter.h"

#include "core/CTask.h"

#include <QCoreApplication>

namespace {

const QString kTypeName = QStringLiteral("类别");
const QString kStatusName = QStringLiteral("状态");

}  // namespace

QString CTaskFilter::Normalize(const QString& text)
{
    QString s = text;
    s.replace(QChar(0xFF0C), QLatin1Char(','));  // "，"
    s.replace(QChar(0xFF1D), QLatin1Char('='));  // "＝"
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0x3000));  // ideographic space
    return s;
}

bool CTaskFilter::Init(const QString& filter, QString* errInfo)
{
    const QString text = Normalize(filter);
    // A text made only of spaces means no filter, as an empty one does.
    if (text.isEmpty()) {
        m_text.clear();
        m_types.clear();
        m_status.clear();
        return true;
    }

    // Parse into locals so that a rejected text leaves the object as it was.
    QStringList types;
    QString status;
    const QStringList conditions = text.split(QLatin1Char('&'));
    for (const QString& condition : conditions) {
        const QStringList parts = condition.split(QLatin1Char('='));
        if (parts.size() != 2) {
            if (errInfo)
                *errInfo = QCoreApplication::translate("CTaskFilter", "错误条件：%1").arg(condition);
            return false;
        }
        const QString& name = parts[0];
        const QString& value = parts[1];
        if (name == kTypeName) {
            // An empty value is one empty item: the tasks without a category.
            types = (value.isEmpty() ? QStringLiteral(",") : value).split(QLatin1Char(','));
        } else if (name == kStatusName) {
            status = value;
        } else {
            if (errInfo)
                *errInfo = QCoreApplication::translate("CTaskFilter", "不支持的列名：%1").arg(name);
            return false;
        }
    }

    m_text = text;
    m_types = types;
    m_status = status;
    return true;
}

bool CTaskFilter::Filter(const CTask& task) const
{
    if (m_text.isEmpty())
        return true;
    return FilterByType(task.sType) && FilterByStatus(task.StatusStr());
}

bool CTaskFilter::FilterByType(const QString& type) const
{
    return m_types.isEmpty() || m_types.contains(type);
}

bool CTaskFilter::FilterByStatus(const QString& status) const
{
    // The status name is looked for inside the condition's value ("未发生,到期,推迟"), not the reverse.
    return m_status.isEmpty() || m_status.contains(status);
}
