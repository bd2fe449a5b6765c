// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/LocalClock.h"

#include <windows.h>

#include "engine/DayClock.h"

namespace soruberia::windows {

float LocalClock::SecondsSinceMidnight() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Reading(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

float LocalClock::Reading(int hour, int minute, int second, int millisecond) {
    return engine::DayClockReading(hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0);
}

}  // namespace soruberia::windows
