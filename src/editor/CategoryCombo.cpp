// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CategoryCombo.h"

#include "core/CSimpleList.h"
#include "core/TaskTypesPrompt.h"

#include <QComboBox>
#include <QVariant>

namespace {

const char* const kTag = "tag";

}  // namespace

void ToCombo(const CSimpleList& list, QComboBox* cbo, bool setDefaultIndex)
{
    cbo->clear();
    cbo->addItems(list.ComboEntries());
    cbo->setProperty(kTag, list.ComboTag());
    if (setDefaultIndex)
        SetComboDefaultIndex(cbo);
    else
        cbo->setCurrentIndex(-1);  // adding items to an empty combo would have selected "<设置>"
}

void FromCombo(CSimpleList& list, const QComboBox* cbo)
{
    QStringList entries;
    for (int i = 0; i < cbo->count(); ++i)
        entries << cbo->itemText(i);
    list.FromComboEntries(entries, cbo->property(kTag).toString());
}

void SetComboDefaultIndex(QComboBox* cbo)
{
    bool numeric = false;
    const int index = cbo->property(kTag).toString().toInt(&numeric);
    cbo->setCurrentIndex(numeric && index >= 0 && index < cbo->count() ? index : -1);
}

bool SetTaskTypes(CSimpleList& types, const TaskList& tasks, QComboBox* cbo)
{
    if (!PromptTaskTypes(types, tasks))
        return false;
    if (cbo)
        ToCombo(types, cbo, true);
    return true;
}
