// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CTask.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

using TaskPtr = std::shared_ptr<CTask>;

// The keyed collection of all tasks, in the order they were added (file order after loading).
// The prompt and the editor hold shared references to the same task objects.
class TaskList
{
public:
    // Numbers a task whose ID is 0 with the number after the highest one and adds it under its Key; once the
    // highest number (INT32_MAX) is taken, with the lowest free one. Returns false (and adds nothing) for a
    // null task, a negative ID or a key already taken. Below the highest number, removing a task never frees
    // its number.
    bool AddTask(const TaskPtr& task);
    TaskPtr GetTask(const QString& key) const;  // nullptr when no task has that key
    bool Remove(const QString& key);
    void Clear();

    int Count() const { return int(m_tasks.size()); }
    const TaskPtr& At(int index) const { return m_tasks[size_t(index)]; }
    qint32 HighestId() const { return m_highestId; }

    auto begin() const { return m_tasks.begin(); }
    auto end() const { return m_tasks.end(); }

private:
    qint32 LowestFreeId();  // 0 when every number is taken

    std::vector<TaskPtr> m_tasks;
    QHash<QString, TaskPtr> m_byKey;
    qint32 m_highestId = 0;
    qint32 m_lowestFreeHint = 1;  // where the next search for a free number starts
};
