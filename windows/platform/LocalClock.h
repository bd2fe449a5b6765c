// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/Services.h"

namespace soruberia::windows {

// Local time of day from GetLocalTime, seconds since midnight, single
// precision, always below one full day.
class LocalClock final : public engine::Clock {
public:
    float SecondsSinceMidnight() override;

    // Hours, minutes, seconds and milliseconds of the day as the reading.
    static float Reading(int hour, int minute, int second, int millisecond);
};

}  // namespace soruberia::windows
