// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingAudio.h"
#include "support/RecordingPowerManager.h"

#include <gtest/gtest-spi.h>

namespace {

void FailWithAFakeInstalled()
{
    const PowerManagerGuard power;
    ASSERT_TRUE(false) << "the test ends here";
}

}  // namespace

// A guard puts back what was there before it, nested guards in turn, also when a failed assertion ends the test.
TEST(FakeGuard, PutsBackWhatWasInstalledEvenAfterAFailedAssertion)
{
    const auto before = Power::Manager();
    {
        const PowerManagerGuard outer;
        {
            const PowerManagerGuard inner;
            EXPECT_EQ(Power::Manager().get(), &*inner);
        }
        EXPECT_EQ(Power::Manager().get(), &*outer);
    }
    EXPECT_EQ(Power::Manager(), before);
    EXPECT_FATAL_FAILURE(FailWithAFakeInstalled(), "the test ends here");
    EXPECT_EQ(Power::Manager(), before);

    const AudioGuard outer;
    {
        const AudioGuard inner;
    }
    EXPECT_EQ(Audio::InstalledOutput().get(), &*outer) << "not the silent default";
}
