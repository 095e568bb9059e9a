// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppSettings.h"

#include "base/Base64.h"

QString AppSettings::UnlockPassword() const
{
    return UnlockPwd.isEmpty() ? QString() : Base64Decode(UnlockPwd);
}

void AppSettings::SetUnlockPassword(const QString& password)
{
    UnlockPwd = password.isEmpty() ? QString() : Base64Encode(password);
}
