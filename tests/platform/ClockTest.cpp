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

}  // namespace
