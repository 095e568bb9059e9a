#include "model/TaskList.h"

#include <algorithm>
#include <limits>

bool TaskList::AddTask(const TaskPtr& task)
{
    if (!task || task->ID < 0)
        return false;
    const bool numbered = task->ID != 0;
    if (!numbered && m_highestId == std::numeric_limits<qint32>::max())
        return false;
    const qint32 id = numbered ? task->ID : m_highestId + 1;
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
}
