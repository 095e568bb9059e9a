// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/SyncTypes.h"

#include <QCoreApplication>

QString SyncResult::Summary() const
{
    return QCoreApplication::translate("SyncEngine", "上传 %1，下载 %2，删除 %3")
        .arg(uploaded)
        .arg(downloaded)
        .arg(deleted);
}
