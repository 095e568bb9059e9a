// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AudioModule.h"

#include "platform/ModuleFolders.h"

#include <QDir>
#include <QLibrary>

namespace Audio {

std::unique_ptr<IAudio> LoadModule(const QString& file)
{
    const QString tail = QStringLiteral("，提醒将不会发出声音。");
    if (file.isEmpty()) {
        ReportNoSound(QStringLiteral("找不到声音模块 libtickwell_audio.so（程序安装不完整）") + tail);
        return nullptr;
    }
    // Never unloaded: the media stack keeps threads and registrations of its own until the process ends.
    QLibrary library(file);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto entry = reinterpret_cast<ModuleEntry>(library.resolve(kModuleEntryName));
    IAudio* output = entry ? entry(&ReportNoSound) : nullptr;
    if (!output) {
        ReportNoSound(
            QStringLiteral("无法加载声音模块 %1：%2").arg(QDir::toNativeSeparators(file), library.errorString())
            + tail);
        return nullptr;
    }
    return std::unique_ptr<IAudio>(output);
}

std::unique_ptr<IAudio> LoadSystemModule()
{
    return LoadModule(ModuleFolders::Find(QStringLiteral("tickwell_audio")));
}

}  // namespace Audio
