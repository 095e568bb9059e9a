#include "model/Base64.h"
#include "support/TestEnv.h"

TEST(Base64, RfcVectorsAndPadding)
{
    EXPECT_EQ(Base64Encode(QString()), QString());
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    bool ok = false;
    EXPECT_EQ(Base64Decode("Zm9vYg==", &ok), "foob");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Base64Decode(QString(), &ok), QString());
    EXPECT_TRUE(ok);
}

TEST(Base64, RoundTripsAnyText)
{
    for (const QString& t : { QStringLiteral("a"), QStringLiteral("密码123"), QStringLiteral("emoji \U0001F600 + /"),
             QStringLiteral("line\r\nbreak"), QString(300, QChar(0x4E2D)) }) {
        const QString enc = Base64Encode(t);
        EXPECT_FALSE(enc.contains('\n'));
        EXPECT_EQ(Base64Decode(enc), t);
    }
}

TEST(Base64, ReadsGbkPasswordsOfOlderFiles)
{
    // "你好" in GBK: C4 E3 BA C3, which is not valid UTF-8.
    const QString stored = QString::fromLatin1(QByteArray("\xC4\xE3\xBA\xC3", 4).toBase64());
    EXPECT_EQ(Base64Decode(stored), QStringLiteral("你好"));
    // Plain ASCII is the same in both encodings.
    EXPECT_EQ(Base64Decode("MTIzNA=="), "1234");
}

TEST(Base64, RejectsTextThatIsNotBase64)
{
    bool ok = true;
    EXPECT_EQ(Base64Decode("Zm9v!!", &ok), QString());
    EXPECT_FALSE(ok);
    EXPECT_EQ(Base64Decode(QStringLiteral("密码"), &ok), QString());
    EXPECT_FALSE(ok);
}
