// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Logging.h"

Q_LOGGING_CATEGORY(lcStore, "tw.store")
Q_LOGGING_CATEGORY(lcCheck, "tw.check")
Q_LOGGING_CATEGORY(lcStatusLog, "tw.log")
Q_LOGGING_CATEGORY(lcMessages, "tw.messages")
