// SPDX-License-Identifier: GPL-3.0-or-later
// The sync tests run the sync code linked into them; the program's module is tested by starting the program.
#include "sync/SyncModule.h"

namespace {

const bool kLinkedIn = (SyncModule::UseLinkedIn(), true);

}  // namespace
