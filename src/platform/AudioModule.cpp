// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AudioModule.h"

#include "platform/ModuleFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace Audio {

std::unique_ptr<IAudio> LoadModule(const QString& file)
{
    if (file.isEmpty()) {
        ReportNoSound(QCoreApplication::translate(
            "AudioModule", "找不到声音模块 libtickwell_audio.so（程序安装不完整），提醒将不会发出声音。"));
        return nullptr;
    }
    // Never unloaded: the media stack keeps threads and registrations of its own until the process ends.
    QLibrary library(file);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto entry = reinterpret_cast<ModuleEntry>(library.resolve(kModuleEntryName));
    IAudio* output = entry ? entry(&ReportNoSound) : nullptr;
    if (!output) {
        ReportNoSound(QCoreApplication::translate("AudioModule", "无法加载声音模块 %1：%2，提醒将不会发出声音。")
                          .arg(QDir::toNativeSeparators(file), library.errorString()));
        return nullptr;
    }
    return std::unique_ptr<IAudio>(output);
}

std::unique_ptr<IAudio> LoadSystemModule()
{
    return LoadModule(ModuleFolders::Find(QStringLiteral("tickwell_audio")));
}

}  // namespace Audio
