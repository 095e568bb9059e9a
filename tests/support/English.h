// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Translation.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

// The English translation installed for the guard's life, so the Chinese tests around it see the source texts.
struct EnglishGuard
{
    EnglishGuard() { EXPECT_TRUE(Translation::Install(QStringLiteral("en"))); }
    ~EnglishGuard() { Translation::Uninstall(); }
    EnglishGuard(const EnglishGuard&) = delete;
    EnglishGuard& operator=(const EnglishGuard&) = delete;
};

inline bool HasChinese(const QString& text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(cjk);
}
