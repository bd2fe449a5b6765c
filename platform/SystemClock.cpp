// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/SystemClock.h"

#include <QTime>

#include "engine/DayClock.h"

namespace soruberia::platform {

float SystemClock::SecondsSinceMidnight() {
    const int ms = QTime::currentTime().msecsSinceStartOfDay();
    return engine::DayClockReading(static_cast<double>(ms) / 1000.0);
}

}  // namespace soruberia::platform
