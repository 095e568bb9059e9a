#include "model/TaskEngine.h"

#include "model/AppPaths.h"

TaskEngine::TaskEngine() = default;
TaskEngine::~TaskEngine() = default;

bool TaskEngine::AddTask(const TaskPtr& task)
{
    if (!m_tasks.AddTask(task))
        return false;
    if (m_view)
        m_view->TaskAdded(task);
    return true;
}

QString TaskEngine::DataFilePath() const
{
    return AppPaths::ProgramFolder() + QStringLiteral("/twdata.xml");
}

QString TaskEngine::LogFilePath() const
{
    return AppPaths::ProgramFolder() + QStringLiteral("/tickwell.log");
}

bool TaskEngine::LoadCfg()
{
    return m_store.Load(*this);
}

bool TaskEngine::SaveCfg()
{
    return m_store.Save(*this);
}
