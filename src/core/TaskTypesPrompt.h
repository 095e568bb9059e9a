// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CSimpleList;
class TaskList;

// Asks for the whole category list in an input box, offering the current text. An empty answer (or Cancel)
// changes nothing and returns false. Otherwise the list takes the answer, and every category still used by a
// task is added back, so that clearing the list ("-") drops only unused categories and the default mark.
bool PromptTaskTypes(CSimpleList& types, const TaskList& tasks);
