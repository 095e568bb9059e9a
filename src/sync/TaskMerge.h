// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CTask.h"

#include <QString>

#include <vector>

// The three-way merge of a task changed on this machine and on the server since the last sync. Fields are
// compared one by one against the last synced copy (`base`): a field changed on one side takes that side's
// value; a field changed on both to different values takes the value of the side changed later (dtChangeDT;
// the server's on a tie, the copy every other device already has) and the other value is reported. Only the
// fields that travel are merged: the fields that run things stay the local task's.

struct MergeConflict
{
    QString field;  // the field's name as the user sees it ("描述", "到期日期" ...)
    QString kept, lost;
};

// Merges into `local` (in place; the caller works on a copy when the result may still be thrown away).
void MergeTask(const CTask& base, CTask& local, const CTask& remote, std::vector<MergeConflict>& lost);

// Whether two tasks differ in a field that travels: a local change that still has to go out. A task ringing
// now (到期) counts as waiting, since every device rings on its own.
bool SyncedFieldsDiffer(const CTask& a, const CTask& b);
// A digest of the fields that travel, taken when the task and the server's copy agree: while it is unchanged,
// so are those fields, and the slower comparison through the copy is skipped. It reads the fields themselves,
// not their texts, so it may change where SyncedFieldsDiffer finds no difference; never the other way round.
QByteArray SyncedFieldsDigest(const CTask& task);
