// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CSimpleList;
class QComboBox;
class TaskList;

// The category combo box of the task editor: "<设置>", an empty entry, then the categories. The combo's
// dynamic property "tag" (a QString) holds the combo index of the default category, or "" without one.

// Refills the combo from the list. With `setDefaultIndex` the default category is selected (nothing when
// there is none); otherwise nothing is selected.
void ToCombo(const CSimpleList& list, QComboBox* cbo, bool setDefaultIndex);
// Rebuilds the list from the combo's entries and tag.
void FromCombo(CSimpleList& list, const QComboBox* cbo);
// Selects the entry named by the tag; clears the selection when the tag names none.
void SetComboDefaultIndex(QComboBox* cbo);

// The category prompt; on a non-empty answer the combo (when given) is refilled with the default selected.
bool SetTaskTypes(CSimpleList& types, const TaskList& tasks, QComboBox* cbo);
