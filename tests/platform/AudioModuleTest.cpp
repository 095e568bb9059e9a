// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AudioModule.h"
#include "support/FakeGuard.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A missing or broken sound module leaves the program silent, not crashed: the factory is asked once, the
// output is the silent one, and the reason is told once.
TEST(AudioModule, AMissingOrBrokenModuleIsSilentAndToldOnce)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("libtickwell_audio.so"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("not a library") > 0);
    f.close();
    const struct
    {
        QString file;
        const char* told;
    } cases[] = { { QString(), "找不到声音模块" }, { junk, "无法加载声音模块" } };
    for (const auto& c : cases) {
        QStringList told;
        int made = 0;
        const SlotGuard<&Audio::NoSoundHandler, &Audio::SetNoSoundHandler> handler(
            [&told](const QString& reason) { told << reason; });
        const SlotGuard<&Audio::Factory, &Audio::SetFactory> factory([&] {
            ++made;
            return Audio::LoadModule(c.file);
        });
        EXPECT_FALSE(Audio::Output().StartAlert());
        EXPECT_FALSE(Audio::Output().Open(Audio::MusicAlias(), junk));
        EXPECT_EQ(made, 1);
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told[0].startsWith(QString::fromUtf8(c.told))) << told[0].toStdString();
        EXPECT_TRUE(told[0].endsWith(QStringLiteral("提醒将不会发出声音。")));
    }
}
