// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Base64.h"
#include "support/TestEnv.h"

TEST(Base64, RoundTripsAndPads)
{
    EXPECT_EQ(Base64Encode(QString()), QString());
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    for (const QString& t : { QStringLiteral("密码123"), QStringLiteral("\U0001F600 +/"), QString(300, QChar(0x4E2D)) })
        EXPECT_EQ(Base64Decode(Base64Encode(t)), t);
}

TEST(Base64, ReadsGbkPasswordsAndRejectsGarbage)
{
    // "你好" in GBK (C4 E3 BA C3) is not valid UTF-8: files written on Chinese Windows hold such bytes.
    EXPECT_EQ(Base64Decode(QString::fromLatin1(QByteArray("\xC4\xE3\xBA\xC3").toBase64())), QStringLiteral("你好"));
    bool ok = true;
    EXPECT_EQ(Base64Decode("Zm9v!!", &ok), QString());
    EXPECT_FALSE(ok);
    EXPECT_EQ(Base64Decode(QStringLiteral("密码"), &ok), QString());
    EXPECT_FALSE(ok);
}
