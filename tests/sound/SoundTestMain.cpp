// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivatePulse.h"
#include "platform/AudioModule.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {
std::unique_ptr<PrivatePulse> g_pulse;
}

PrivatePulse& Pulse()
{
    // Started on first use, before the first player of the process: listing the tests starts nothing.
    if (!g_pulse)
        g_pulse = std::make_unique<PrivatePulse>();
    return *g_pulse;
}

std::unique_ptr<IAudio> LoadAudioModule()
{
    return Audio::LoadModule(QStringLiteral(TW_AUDIO_MODULE));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TwTestEnvironment);
    const int result = RUN_ALL_TESTS();
    g_pulse.reset();
    return result;
}
