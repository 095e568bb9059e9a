// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TaskTypesPrompt.h"

#include "core/CSimpleList.h"
#include "base/MsgBox.h"
#include "core/TaskList.h"

#include <QCoreApplication>

bool PromptTaskTypes(CSimpleList& types, const TaskList& tasks)
{
    const QString prompt = QStringList{
        QCoreApplication::translate("TaskTypesPrompt", "输入所有类别，以分号分隔。如\"个人;工作\" "),
        QString(),
        QCoreApplication::translate(
            "TaskTypesPrompt", "类别名前加\"*\"表示该类别是添加任务时的缺省类别。例如\"个人;*工作\"表示\"工作\"是缺省类别。"),
        QString(),
        QCoreApplication::translate("TaskTypesPrompt", "输入\"-\"清除所有类别。"),
    }.join(QStringLiteral("\r\n"));

    const QString answer = MsgBox::InputBox(prompt, QString(), types.Text());
    // Blanks alone count as no answer: taken as a list they would clear it like "-".
    if (answer.trimmed().isEmpty())
        return false;

    types.SetText(answer);
    for (const TaskPtr& task : tasks) {
        if (task && !task->sType.isEmpty())
            types.Add(task->sType);
    }
    return true;
}
