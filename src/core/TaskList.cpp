// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskList.h"

#include <algorithm>
#include <limits>

bool TaskList::AddTask(const TaskPtr& task)
{
    if (!task || task->ID < 0)
        return false;
    const bool numbered = task->ID != 0;
    qint32 id = task->ID;
    if (!numbered) {
        id = m_highestId < std::numeric_limits<qint32>::max() ? m_highestId + 1 : LowestFreeId();
        if (id == 0)
            return false;
    }
    task->ID = id;
    const QString key = task->Key();
    if (m_byKey.contains(key)) {
        if (!numbered)
            task->ID = 0;
        return false;
    }
    m_highestId = std::max(m_highestId, id);
    m_tasks.push_back(task);
    m_byKey.insert(key, task);
    return true;
}

qint32 TaskList::LowestFreeId()
{
    // Only once a file holds the highest number: the numbers below it are searched upwards from where the
    // last search ended, so numbering many tasks stays linear.
    CTask probe;
    for (qint32 id = std::max(m_lowestFreeHint, 1); id < std::numeric_limits<qint32>::max(); ++id) {
        probe.ID = id;
        if (!m_byKey.contains(probe.Key())) {
            m_lowestFreeHint = id + 1;
            return id;
        }
    }
    return 0;
}

TaskPtr TaskList::GetTask(const QString& key) const
{
    return m_byKey.value(key);
}

bool TaskList::Remove(const QString& key)
{
    auto found = m_byKey.find(key);
    if (found == m_byKey.end())
        return false;
    const TaskPtr task = found.value();
    m_byKey.erase(found);
    m_tasks.erase(std::find(m_tasks.begin(), m_tasks.end(), task));
    return true;
}

void TaskList::Clear()
{
    m_tasks.clear();
    m_byKey.clear();
    m_highestId = 0;
    m_lowestFreeHint = 1;
}
