// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Failures the user is not (or no longer) shown go to these categories, so they can still be found in the
// session's journal: QT_LOGGING_RULES="tw.*.debug=true" shows everything.
Q_DECLARE_LOGGING_CATEGORY(lcStore)  // "tw.store": the data file
Q_DECLARE_LOGGING_CATEGORY(lcCheck)  // "tw.check": custom-event checks
Q_DECLARE_LOGGING_CATEGORY(lcStatusLog)  // "tw.log": the status log
Q_DECLARE_LOGGING_CATEGORY(lcMessages)  // "tw.messages": messages nobody sees in a box (headless, or ending)
