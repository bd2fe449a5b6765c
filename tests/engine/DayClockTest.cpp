// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The reading every front-end's clock gives, within the day.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/DayClock.h"

namespace soruberia::engine {
namespace {

TEST(DayClock, ReadingStaysWithinTheDay) {
    const float lastOfDay = std::nextafter(86400.0f, 0.0f);  // 86399.9921875
    struct Case {
        double seconds;
        float reading;
    };
    const Case cases[] = {
        {0.0, 0.0f},
        {100.25, 100.25f},
        {43200.0, 43200.0f},
        {86399.5, 86399.5f},
        // Rounds to 86400 in single precision; the day has ended only at 0.
        {86399.999, lastOfDay},
        {86400.0, lastOfDay},
        {1e300, lastOfDay},
        {std::numeric_limits<double>::infinity(), lastOfDay},
        {-0.001, 0.0f},
        {-std::numeric_limits<double>::infinity(), 0.0f},
        {std::numeric_limits<double>::quiet_NaN(), 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayClockReading(c.seconds), c.reading) << c.seconds;
    }
}

}  // namespace
}  // namespace soruberia::engine
