// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "platform/SystemClock.h"

using soruberia::platform::SystemClock;

namespace {

// The test runs with TZ=JST-9, so a clock reading UTC is nine hours off.
TEST(SystemClockTest, ReadsLocalTimeOfDay) {
    SystemClock clock;
    const auto local = static_cast<double>((std::time(nullptr) + 9 * 3600) % 86400);
    const double reading = clock.SecondsSinceMidnight();
    // The remainder wraps at midnight; measure the distance around the day.
    const double apart = std::fmod(std::fabs(reading - local), 86400.0);
    EXPECT_LT(std::min(apart, 86400.0 - apart), 2.0) << reading << " vs " << local;
}

TEST(SystemClockTest, ReadingStaysWithinTheDay) {
    struct Case {
        double seconds;
        float expected;
    };
    const Case cases[] = {
        {0.0, 0.0f},
        {100.25, 100.25f},
        {86399.5, 86399.5f},
        // Rounds to 86400 in single precision; the day has ended only at 0.
        {86399.999, 86399.9921875f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SystemClock::ClampToDay(c.seconds), c.expected) << c.seconds;
    }
}

}  // namespace
