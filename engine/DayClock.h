// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

namespace soruberia::engine {

// A time of day in seconds since midnight as every Clock gives it: single
// precision and within [0, 86400). Near midnight single precision has a
// step of 1/128 s, so the last milliseconds of the day would otherwise round
// up to a full day; below 0 (or not a number) is midnight.
float DayClockReading(double secondsSinceMidnight);

}  // namespace soruberia::engine
