// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/SystemClock.h"

#include <cmath>

#include <QTime>

namespace soruberia::platform {

float SystemClock::SecondsSinceMidnight() {
    const int ms = QTime::currentTime().msecsSinceStartOfDay();
    return ClampToDay(static_cast<double>(ms) / 1000.0);
}

float SystemClock::ClampToDay(double seconds) {
    // Near midnight single precision has a step of 1/128 s, so the last
    // milliseconds of the day would round up to a full day of 86400 s.
    constexpr float kDay = 86400.0f;
    const auto reading = static_cast<float>(seconds);
    return reading < kDay ? reading : std::nextafter(kDay, 0.0f);
}

}  // namespace soruberia::platform
