// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <functional>

class QLabel;
class QWidget;

// Runs `validate` when the user leaves `field` for another control of the window. When it returns false the
// focus goes back to the field. Leaving for one of `exempt` (a Cancel button) or for another window does not
// validate: the user may give up on a half-typed entry.
void ValidateOnLeave(QWidget* field, std::function<bool()> validate, const QList<QWidget*>& exempt = {});

// A label that is edited by double-clicking it becomes reachable from the keyboard too: it takes the Tab
// focus and Enter, Space or F2 act as the double-click.
void MakeLabelActivatable(QLabel* label, std::function<void()> onActivate);
