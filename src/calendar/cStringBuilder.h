// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A growable text buffer for long answers (a task list of many entries): the storage grows by whole chunks and
// text is copied into it in place, so appending does not copy what is already there. Characters beyond the
// content are spaces.
class cStringBuilder
{
public:
    static constexpr qsizetype kDefaultChunk = 8192;

    qsizetype Length() const { return m_used; }
    qsizetype Capacity() const { return m_buffer.size(); }
    qsizetype ChunkSize() const { return m_chunk; }
    // A step below one character would never grow the buffer: it is taken as one.
    void SetChunkSize(qsizetype chars) { m_chunk = chars < 1 ? 1 : chars; }

    QString toString() const { return m_buffer.left(m_used); }
    // Replaces the content; an empty text frees the buffer.
    void SetTheString(const QString& text);
    void Clear();

    void Append(QStringView text);
    void AppendNL(QStringView text);
    void AppendByVal(const QString& text) { Append(text); }
    // Inserts at a 0-based position; false (and nothing changed) when the position is beyond the content.
    bool Insert(qsizetype index, QStringView text);
    bool InsertByVal(qsizetype index, const QString& text) { return Insert(index, text); }
    // Removes `length` characters from a 0-based position; false (and nothing changed) when the range leaves
    // the content.
    bool Remove(qsizetype index, qsizetype length);
    // The 1-based position of `text` at or after the 1-based `start` (below 1: from the first character),
    // 0 when it is not found inside the content.
    qsizetype Find(QStringView text, qsizetype start = 1, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    // Gives back whole chunks of spare room, keeping at most one.
    void HeapMinimize();

private:
    void Reserve(qsizetype needed);

    QString m_buffer;
    qsizetype m_used = 0;
    qsizetype m_chunk = kDefaultChunk;
};
