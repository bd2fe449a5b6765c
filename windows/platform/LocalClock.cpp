// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/LocalClock.h"

#include <windows.h>

#include <cmath>

namespace soruberia::windows {

float LocalClock::SecondsSinceMidnight() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Reading(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

float LocalClock::Reading(int hour, int minute, int second, int millisecond) {
    const double seconds = hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0;
    // Near midnight single precision has a step of 1/128 s, so the last
    // milliseconds of the day would round up to a full day of 86400 s.
    constexpr float kDay = 86400.0f;
    const auto reading = static_cast<float>(seconds);
    return reading < kDay ? reading : std::nextafter(kDay, 0.0f);
}

}  // namespace soruberia::windows
