// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/cStringBuilder.h"

void cStringBuilder::Reserve(qsizetype needed)
{
    qsizetype capacity = m_buffer.size();
    if (needed <= capacity)
        return;
    while (capacity < needed)
        capacity += m_chunk;
    m_buffer.append(QString(capacity - m_buffer.size(), QLatin1Char(' ')));
}

void cStringBuilder::SetTheString(const QString& text)
{
    if (text.isEmpty()) {
        Clear();
        return;
    }
    Reserve(text.size());
    m_buffer.replace(0, text.size(), text);
    m_buffer.replace(text.size(), m_buffer.size() - text.size(), QString(m_buffer.size() - text.size(), u' '));
    m_used = text.size();
}

void cStringBuilder::Clear()
{
    m_buffer.clear();
    m_used = 0;
}

void cStringBuilder::Append(QStringView text)
{
    Reserve(m_used + text.size());
    std::copy(text.begin(), text.end(), m_buffer.begin() + m_used);
    m_used += text.size();
}

void cStringBuilder::AppendNL(QStringView text)
{
    Append(text);
    Append(u"\r\n");
}

bool cStringBuilder::Insert(qsizetype index, QStringView text)
{
    if (index < 0 || index > m_used)
        return false;
    Reserve(m_used + text.size());
    QChar* data = m_buffer.data();
    std::copy_backward(data + index, data + m_used, data + m_used + text.size());
    std::copy(text.begin(), text.end(), data + index);
    m_used += text.size();
    return true;
}

bool cStringBuilder::Remove(qsizetype index, qsizetype length)
{
    if (index < 0 || length < 0 || index > m_used || index + length > m_used)
        return false;
    QChar* data = m_buffer.data();
    std::copy(data + index + length, data + m_used, data + index);
    std::fill(data + m_used - length, data + m_used, QLatin1Char(' '));
    m_used -= length;
    return true;
}

qsizetype cStringBuilder::Find(QStringView text, qsizetype start, Qt::CaseSensitivity cs) const
{
    const qsizetype from = start < 1 ? 0 : start - 1;
    const qsizetype at = QStringView(m_buffer).left(m_used).indexOf(text, from, cs);
    return at < 0 ? 0 : at + 1;
}

void cStringBuilder::HeapMinimize()
{
    qsizetype capacity = m_buffer.size();
    while (capacity - m_used > m_chunk)
        capacity -= m_chunk;
    m_buffer.truncate(capacity);
    m_buffer.squeeze();
}
