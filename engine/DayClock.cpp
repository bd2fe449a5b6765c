// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "engine/DayClock.h"

#include <cmath>

namespace soruberia::engine {

float DayClockReading(double secondsSinceMidnight) {
    constexpr float kDay = 86400.0f;
    if (!(secondsSinceMidnight > 0.0)) return 0.0f;
    if (secondsSinceMidnight >= static_cast<double>(kDay)) return std::nextafter(kDay, 0.0f);
    const auto reading = static_cast<float>(secondsSinceMidnight);
    return reading < kDay ? reading : std::nextafter(kDay, 0.0f);
}

}  // namespace soruberia::engine
