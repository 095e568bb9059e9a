// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Text.h"
#include "support/TestEnv.h"

// Each conversion on the mixes of line breaks that texts typed here, Windows files and hand edits bring.
TEST(Text, LineBreakConversions)
{
    struct Row
    {
        const char* in;
        const char* crLfToLf;
        const char* lfToCrLf;
        const char* toCrLf;
        const char* toLf;
        const char* oneLine;
    };
    const Row rows[] = {
        { "a", "a", "a", "a", "a", "a" },
        { "a\r\nb", "a\nb", "a\r\r\nb", "a\r\nb", "a\nb", "a|b" },
        { "a\nb", "a\nb", "a\r\nb", "a\r\nb", "a\nb", "a|b" },
        { "a\rb", "a\rb", "a\rb", "a\rb", "a\nb", "a|b" },
        { "a\r\n\nb\r", "a\n\nb\r", "a\r\r\n\r\nb\r", "a\r\n\r\nb\r", "a\n\nb\n", "a||b|" },
    };
    for (const Row& r : rows) {
        const QString in = QString::fromUtf8(r.in);
        EXPECT_EQ(Text::CrLfToLf(in), QString::fromUtf8(r.crLfToLf)) << r.in;
        EXPECT_EQ(Text::LfToCrLf(in), QString::fromUtf8(r.lfToCrLf)) << r.in;
        EXPECT_EQ(Text::NormalizeToCrLf(in), QString::fromUtf8(r.toCrLf)) << r.in;
        EXPECT_EQ(Text::NormalizeToLf(in), QString::fromUtf8(r.toLf)) << r.in;
        EXPECT_EQ(Text::OneLine(in, QStringLiteral("|")), QString::fromUtf8(r.oneLine)) << r.in;
    }
    EXPECT_EQ(Text::SplitLines("a\r\nb\nc\r\n"), QStringList({ "a", "b", "c", "" }));
}
