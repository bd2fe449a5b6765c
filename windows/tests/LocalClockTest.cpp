// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "windows/platform/LocalClock.h"

namespace soruberia::windows {
namespace {

TEST(LocalClock, ReadingIsSecondsSinceMidnightBelowOneDay) {
    struct Case {
        int hour, minute, second, millisecond;
        float reading;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0.0f},
        {0, 0, 0, 500, 0.5f},
        {1, 2, 3, 250, 3723.25f},
        {12, 0, 0, 0, 43200.0f},
        {23, 59, 59, 0, 86399.0f},
        // Single precision would round the last milliseconds up to 86400.
        {23, 59, 59, 999, std::nextafter(86400.0f, 0.0f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second << "."
                                        << c.millisecond);
        EXPECT_EQ(LocalClock::Reading(c.hour, c.minute, c.second, c.millisecond), c.reading);
    }
}

// The live reading is the local time, not UTC: it lies between two readings
// of GetLocalTime taken around it.
TEST(LocalClock, LiveReadingIsTheLocalTimeOfDay) {
    const auto seconds = [](const SYSTEMTIME& t) {
        return LocalClock::Reading(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    };
    LocalClock clock;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SYSTEMTIME before{};
        SYSTEMTIME after{};
        GetLocalTime(&before);
        const float reading = clock.SecondsSinceMidnight();
        GetLocalTime(&after);
        if (seconds(after) < seconds(before)) continue;  // midnight passed in between
        EXPECT_GE(reading, seconds(before));
        EXPECT_LE(reading, seconds(after));
        EXPECT_LT(reading, 86400.0f);
        return;
    }
    FAIL() << "midnight passed three times in a row";
}

}  // namespace
}  // namespace soruberia::windows
