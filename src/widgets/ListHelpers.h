// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class QAbstractItemView;
class QComboBox;

// Small helpers over list views, combo boxes and the clipboard, shared by the windows.

// The selected rows in display order; empty when none is selected.
std::vector<int> SelectedItems(const QAbstractItemView* list);
// The first selected row in display order, -1 when none is selected.
int FirstSelectedItem(const QAbstractItemView* list);
// Selects one whole row (making it current and visible) and deselects the others.
void SelectOnly(QAbstractItemView* list, int row);
void SelectNone(QAbstractItemView* list);

// Appends `text` (the combo's own text when empty) unless an equal entry is already there; true when added.
bool ComboAddUnique(QComboBox* combo, const QString& text = QString());
// Removes the last entry equal to `text`; true when one was found.
bool ComboRemove(QComboBox* combo, const QString& text);

// Puts plain text on the clipboard; true when the clipboard took it.
bool CopyText(const QString& text);
